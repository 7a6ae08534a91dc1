#include "pieces/CatalogueEntry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>

namespace catalogue {
namespace {

TEST(CatalogueEntryTest, LevelBecomesTheExpressionThatLowersThePieceByThatMuch) {
  const struct {
    double levelDb;
    int expression;
  } cases[] = {{0, 127}, {-6, 90}, {-20, 40}, {3, 127}, {-300, 1}};
  for (const auto& c : cases) {
    EXPECT_EQ(ExpressionFor(c.levelDb), c.expression) << c.levelDb << " dB";
  }
}

std::optional<double> LevelOf(const std::string& text) {
  const auto path = std::filesystem::path(testing::TempDir()) / "level.abc";
  std::ofstream(path) << text;
  const auto header = ReadAbcHeader(path);
  EXPECT_TRUE(header.has_value());
  EXPECT_EQ(header->title, "t");
  return header->levelDb;
}

TEST(CatalogueEntryTest, LevelIsReadFromTheHeaderOnly) {
  EXPECT_EQ(LevelOf("X:1\nT:t\n%%level -7.5\nK:C\nC\n"), -7.5);
  EXPECT_EQ(LevelOf("X:1\nT:t\n%%level -2\n%%level -9\nK:C\n"), -2);
  EXPECT_EQ(LevelOf("X:1\nT:t\nK:C\n%%level -7.5\nC\n"), std::nullopt);
  EXPECT_EQ(LevelOf("X:1\nT:t\n%%level loud\nK:C\n"), std::nullopt);
  EXPECT_EQ(LevelOf("X:1\nT:t\n%%levels -3\nK:C\n"), std::nullopt);
  const AbcHeader header{"t", "c", "o", "traditional", -6, {}};
  EXPECT_EQ(LayoutOf(1, header).expression, 90);
  EXPECT_EQ(LayoutOf(1, AbcHeader{"t", "c", "o", "traditional", std::nullopt, {}}).expression,
            std::nullopt);
}

// A soundfont's own level sits beside the arrangement's; the first line for each counts.
TEST(CatalogueEntryTest, EachSoundFontsLevelIsReadBesideTheArrangementsOwn) {
  const auto path = std::filesystem::path(testing::TempDir()) / "font-levels.abc";
  std::ofstream(path) << "X:1\nT:t\n%%level -7.5\n%%level FluidR3_GM -3\n"
                         "%%level FluidR3_GM -9\n%%level Other -20\n%%level Bad loud\nK:C\n"
                         "%%level Late -1\nC\n";
  const auto header = ReadAbcHeader(path);
  ASSERT_TRUE(header.has_value());
  EXPECT_EQ(header->levelDb, -7.5);
  const std::map<std::string, double> expected{{"FluidR3_GM", -3}, {"Other", -20}};
  EXPECT_EQ(header->fontLevelsDb, expected);
  const std::map<std::string, std::uint8_t> expressions{{"FluidR3_GM", ExpressionFor(-3)},
                                                        {"Other", 40}};
  EXPECT_EQ(LayoutOf(1, *header).fontExpressions, expressions);
  EXPECT_EQ(LayoutOf(1, *header).expression, ExpressionFor(-7.5));
}

}  // namespace
}  // namespace catalogue
