#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"
#include "framework/win32/gdi/BmpCodec.h"
#include "framework/win32/gdi/PngCodec.h"
#include "tests/TempPath.h"
#include "tests/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <filesystem>
#include <random>

namespace {

namespace fs = std::filesystem;

const fs::path PngSuite = fs::path(LUM_CORPUS_DIR) / "pngsuite";

std::vector<fs::path> PngFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(PngSuite / "png"))
    if (entry.path().extension() == ".png") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

bool IsCorrupt(const fs::path& file) { return file.filename().string().starts_with("x"); }

std::vector<std::uint8_t> FileBytes(const fs::path& path) { return ReadFileBytes(path.string()); }

int ChannelDifference(std::uint32_t a, std::uint32_t b, int shift) {
  return std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF));
}

// Pixels that differ by more than the tolerance: alpha always, colour only where the
// reference pixel is visible.
int DifferingPixels(const TRaster& actual, const TRaster& expected, int tolerance) {
  int differing = 0;
  for (std::size_t i = 0; i < actual.Pixels.size(); ++i) {
    const auto a = actual.Pixels[i], e = expected.Pixels[i];
    bool same = ChannelDifference(a, e, 24) <= tolerance;
    if ((e >> 24) != 0)
      for (int shift = 0; shift < 24; shift += 8)
        same = same && ChannelDifference(a, e, shift) <= tolerance;
    differing += !same;
  }
  return differing;
}

bool HasSixteenBitSamples(const fs::path& file) { return file.stem().string().ends_with("16"); }

TEST(PngSuite, GoodFilesMatchTheirReferenceBitmaps) {
  int compared = 0;
  for (const auto& file : PngFiles()) {
    if (IsCorrupt(file)) continue;
    const TRaster actual = ReadPngFile(file.string());
    const TRaster expected = ReadBmpFile((PngSuite / "bmp" / file.stem().concat(".bmp")).string());
    ASSERT_EQ(actual.Width, expected.Width) << file;
    ASSERT_EQ(actual.Height, expected.Height) << file;
    EXPECT_EQ(DifferingPixels(actual, expected, HasSixteenBitSamples(file) ? 1 : 0), 0) << file;
    ++compared;
  }
  EXPECT_GT(compared, 100);
}

TEST(PngSuite, CorruptFilesRaiseReadErrorsWithLibpngsMessage) {
  int rejected = 0;
  for (const auto& file : PngFiles()) {
    if (!IsCorrupt(file)) continue;
    try {
      ReadPng(FileBytes(file));
      ADD_FAILURE() << file << " loaded";
    } catch (const EReadError& error) {
      EXPECT_TRUE(error.Message().starts_with("PNG: ")) << error.Message();
      EXPECT_GT(error.Message().size(), 5u) << file;
      ++rejected;
    }
  }
  EXPECT_GT(rejected, 10);
}

TEST(PngSuite, GoodFilesCutShortRaiseReadErrors) {
  int cut = 0;
  for (const auto& file : PngFiles()) {
    if (IsCorrupt(file)) continue;
    const std::vector<std::uint8_t> bytes = FileBytes(file);
    for (const std::size_t length : {std::size_t{8}, bytes.size() / 3, bytes.size() - 13}) {
      const std::vector<std::uint8_t> head(bytes.begin(),
                                           bytes.begin() + static_cast<std::ptrdiff_t>(length));
      EXPECT_THROW(ReadPng(head), EReadError) << file << " cut to " << length;
      ++cut;
    }
  }
  EXPECT_GT(cut, 300);
}

TRaster RandomRaster(int width, int height, bool alpha, unsigned seed) {
  std::mt19937 random(seed);
  TRaster raster(width, height);
  raster.HasAlpha = alpha;
  for (auto& pixel : raster.Pixels) pixel = alpha ? random() : random() | 0xFF000000u;
  return raster;
}

TEST(PngCodec, WrittenPicturesReadBackPixelForPixel) {
  for (const bool alpha : {false, true}) {
    const TRaster original = RandomRaster(37, 11, alpha, alpha ? 7 : 8);
    const TRaster back = ReadPng(WritePng(original));
    EXPECT_EQ(back.HasAlpha, alpha);
    EXPECT_EQ(back.Width, 37);
    EXPECT_EQ(back.Pixels, original.Pixels);
  }
}

TEST(PngCodec, TruncatedAndEmptyInputsAreRefused) {
  const auto bytes = WritePng(RandomRaster(20, 20, false, 3));
  for (const std::size_t length :
       {std::size_t{0}, std::size_t{7}, std::size_t{33}, bytes.size() / 2, bytes.size() - 1}) {
    const std::vector<std::uint8_t> truncated(bytes.begin(), bytes.begin() + length);
    EXPECT_THROW(ReadPng(truncated), EReadError) << length;
  }
  EXPECT_THROW(WritePng(TRaster{}), EWriteError);
}

TEST(PngCodec, FilesAreReplacedWholeOrNotAtAll) {
  const fs::path folder = TempPath("lum_png_files");
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path target = folder / "picture.png";
  const TRaster raster = RandomRaster(5, 4, true, 11);
  WritePngFile(raster, target.string());
  EXPECT_EQ(ReadPngFile(target.string()).Pixels, raster.Pixels);
  EXPECT_THROW(WritePngFile(raster, (folder / "missing" / "x.png").string()), EFCreateError);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}), 1);
  EXPECT_THROW(ReadPngFile((folder / "none.png").string()), EFOpenError);
  fs::remove_all(folder);
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t length) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) crc = crc >> 1 ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

TEST(PngCodec, PicturesTheirDataCannotHoldAreRefusedBeforeAllocating) {
  std::vector<std::uint8_t> bytes = WritePng(RandomRaster(3, 3, false, 2));
  Put32(bytes, 16, 16384); // IHDR width and height, then its CRC over type and data
  Put32(bytes, 20, 16384);
  Put32(bytes, 29, Crc32(bytes.data() + 12, 17));
  try {
    ReadPng(bytes);
    FAIL() << "loaded";
  } catch (const EReadError& error) {
    EXPECT_TRUE(error.Message().ends_with(" bytes of image data cannot hold 16384 x 16384 pixels"))
        << error.Message();
  }
  // Deflate packs a flat picture tightly; such a file is still read.
  const TRaster flat(3000, 2000, 0xFF000000u);
  const std::vector<std::uint8_t> packed = WritePng(flat);
  EXPECT_LT(packed.size(), std::size_t{40000});
  EXPECT_EQ(ReadPng(packed).Pixels, flat.Pixels);
}

} // namespace
