#include "framework/rtl/Files.h"
#include "framework/win32/gdi/BmpCodec.h"
#include "framework/win32/gdi/Resources.h"
#include "tests/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

const fs::path TestsDir = LUM_TESTS_DIR;

std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> data) {
  return {data.begin(), data.end()};
}

bool Listed(const String& name) {
  const std::vector<String> names = ResourceNames();
  return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(Resources, EmbeddedFilesKeepEveryByte) {
  for (const char* file : {"AllBytes.bin", "Checker.bmp", "GreenDot.bmp", "Empty.dat"}) {
    const fs::path path = TestsDir / "resources" / file;
    const auto data = FindResourceData(path.stem().string());
    ASSERT_TRUE(data.has_value()) << file;
    EXPECT_EQ(Bytes(*data), ReadFileBytes(path.string())) << file;
  }
  EXPECT_TRUE(ResourceData("EMPTY").empty());
}

TEST(Resources, NamesIgnoreLetterCaseAndExtensions) {
  const TRaster checker = ReadBmp(Bytes(ResourceData("checker")));
  EXPECT_EQ(checker.Width, 4);
  EXPECT_EQ(checker.At(1, 0), 0xFFFF0000u);
  EXPECT_EQ(Bytes(ResourceData("CHECKER")), Bytes(ResourceData("cHeCkEr")));
  EXPECT_FALSE(FindResourceData("Checker.bmp").has_value());
  EXPECT_FALSE(FindResourceData("CHECKE").has_value());
  EXPECT_FALSE(FindResourceData("").has_value());
}

TEST(Resources, TablesFromTheProgramAndFromAStaticLibraryAreBothFound) {
  EXPECT_TRUE(Listed("GREENDOT"));
  EXPECT_TRUE(Listed("ARCHIVEDSTRIPE"));
  const TRaster stripe = ReadBmp(Bytes(ResourceData("ArchivedStripe")));
  EXPECT_EQ(stripe.At(1, 0), 0xFF808080u);
  const std::vector<String> names = ResourceNames();
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
}

TEST(Resources, MissingNamesRaiseResNotFound) {
  try {
    ResourceData("TLumNothing");
    FAIL() << "found";
  } catch (const EResNotFound& error) {
    EXPECT_EQ(error.Message(), "Resource TLumNothing not found");
    EXPECT_STREQ(error.ClassName(), "EResNotFound");
  }
}

} // namespace
