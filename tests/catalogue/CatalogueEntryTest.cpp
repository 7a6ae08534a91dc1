#include "pieces/CatalogueEntry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

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
  const AbcHeader header{"t", "c", "o", "traditional", -6};
  EXPECT_EQ(LayoutOf(1, header).expression, 90);
  EXPECT_EQ(LayoutOf(1, AbcHeader{"t", "c", "o", "traditional", std::nullopt}).expression,
            std::nullopt);
}

}  // namespace
}  // namespace catalogue
