#include "platform/Resources.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "rtl/Exception.h"
#include "rtl/TextConversion.h"

namespace platform {
namespace {

std::vector<std::byte> FileBytes(const std::string& pathUnderResources) {
  const std::filesystem::path path =
      std::filesystem::path(KALVIO_RESOURCE_FOLDER) / pathUnderResources;
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file) << path;
  const std::vector<char> chars{std::istreambuf_iterator<char>(file), {}};
  const auto* begin = reinterpret_cast<const std::byte*>(chars.data());
  return {begin, begin + chars.size()};
}

struct ResourceFile {
  std::u16string name;
  ResourceType type;
  std::string path;
};

std::vector<ResourceFile> ResourceFiles() {
  std::vector<ResourceFile> files{
      {u"PAUSE", ResourceType::Bitmap, "images/pause.bmp"},
      {u"ARROW", ResourceType::Bitmap, "images/arrow.bmp"},
      {u"NEXTBTN", ResourceType::Bitmap, "images/skip-forward.bmp"},
      {u"BACKSKIP", ResourceType::Bitmap, "images/skip-back.bmp"},
      {u"MAINICON", ResourceType::Icon, "images/mainicon.ico"},
  };
  for (int piece = 1; piece <= 120; ++piece) {
    const std::string name = "RS_" + std::to_string(piece);
    files.push_back({Utf8ToUtf16(name), ResourceType::RcData, "pieces/" + name + ".mid"});
  }
  return files;
}

TEST(ResourcesTest, EveryResourceHoldsItsFileByteForByte) {
  for (const ResourceFile& file : ResourceFiles()) {
    EXPECT_EQ(SystemResources().Load(file.name, file.type), FileBytes(file.path)) << file.path;
  }
}

TEST(ResourcesTest, NamesCompareWithoutRegardToCase) {
  EXPECT_EQ(SystemResources().Load(u"Pause", ResourceType::Bitmap), FileBytes("images/pause.bmp"));
  EXPECT_EQ(SystemResources().Load(u"arrow", ResourceType::Bitmap), FileBytes("images/arrow.bmp"));
  EXPECT_EQ(SystemResources().Load(u"rs_120", ResourceType::RcData),
            FileBytes("pieces/RS_120.mid"));
  EXPECT_EQ(SystemResources().Load(u"MainIcon", ResourceType::Icon),
            FileBytes("images/mainicon.ico"));
}

std::u16string LoadError(std::u16string_view name, ResourceType type) {
  try {
    SystemResources().Load(name, type);
  } catch (const Exception& error) {
    return error.Message();
  }
  return u"(found)";
}

TEST(ResourcesTest, MissingResourceRaisesItsName) {
  EXPECT_EQ(LoadError(u"RS_0", ResourceType::RcData), u"RS_0 リソースが見つかりません");
  EXPECT_EQ(LoadError(u"RS_121", ResourceType::RcData), u"RS_121 リソースが見つかりません");
  EXPECT_EQ(LoadError(u"RS_1x", ResourceType::RcData), u"RS_1x リソースが見つかりません");
  EXPECT_EQ(LoadError(u"RS_", ResourceType::RcData), u"RS_ リソースが見つかりません");
  EXPECT_EQ(LoadError(u"", ResourceType::RcData), u" リソースが見つかりません");
}

TEST(ResourcesTest, TypeIsPartOfTheLookup) {
  EXPECT_EQ(LoadError(u"PAUSE", ResourceType::RcData), u"PAUSE リソースが見つかりません");
  EXPECT_EQ(LoadError(u"RS_1", ResourceType::Bitmap), u"RS_1 リソースが見つかりません");
  EXPECT_EQ(LoadError(u"MAINICON", ResourceType::Bitmap), u"MAINICON リソースが見つかりません");
}

}  // namespace
}  // namespace platform
