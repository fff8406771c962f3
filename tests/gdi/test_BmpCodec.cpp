#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/BmpCodec.h"
#include "tests/TempPath.h"
#include "tests/TestPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>

namespace {

namespace fs = std::filesystem;

const fs::path BmpSuite = fs::path(LUM_CORPUS_DIR) / "bmpsuite";

std::vector<fs::path> BmpFilesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.path().extension() == ".bmp") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::uint8_t> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

struct Size {
  int Width, Height;
  bool operator==(const Size&) const = default;
};

Size ExpectedSize(const String& name) {
  if (name == "pal8nonsquare.bmp") return {127, 32};
  if (name.starts_with("pal8w")) {
    const int width = std::stoi(name.substr(5, 3));
    return {width, width - 63};
  }
  return {127, 64};
}

void ExpectSamePixels(const TRaster& actual, const TRaster& expected, const String& name) {
  ASSERT_EQ(Size(actual.Width, actual.Height), Size(expected.Width, expected.Height)) << name;
  std::size_t differing = 0;
  for (std::size_t i = 0; i < actual.Pixels.size(); ++i)
    differing += actual.Pixels[i] != expected.Pixels[i];
  EXPECT_EQ(differing, 0u) << name;
}

TRaster Corpus(const String& relative) { return ReadBmpFile((BmpSuite / relative).string()); }

// Loads or rejects in the documented way; returns the error message, empty when loaded.
String LoadOrRejection(const std::vector<std::uint8_t>& bytes) {
  try {
    const TRaster raster = ReadBmp(bytes);
    EXPECT_EQ(raster.Pixels.size(),
              static_cast<std::size_t>(raster.Width) * static_cast<std::size_t>(raster.Height));
    return {};
  } catch (const EReadError& e) {
    EXPECT_TRUE(e.Message().starts_with("BMP: ")) << e.Message();
    return e.Message();
  } catch (const EOutOfResources& e) {
    return e.Message();
  }
}

TRaster RandomRaster(int width, int height, bool alpha, unsigned seed) {
  std::mt19937 random(seed);
  TRaster raster(width, height);
  for (auto& pixel : raster.Pixels) pixel = random() | (alpha ? 0u : 0xFF000000u);
  raster.HasAlpha = alpha;
  return raster;
}

// An 8-bit RLE file of the given size with palette {black, red, green}.
std::vector<std::uint8_t> Rle8File(int width, int height, const std::vector<std::uint8_t>& data) {
  TRaster header(width, height);
  std::vector<std::uint8_t> bytes = WriteBmp(header);
  bytes.resize(54);
  bytes[10] = 54 + 12;
  bytes[28] = 8;
  bytes[30] = 1;
  bytes[46] = 3;
  const std::uint8_t palette[] = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0};
  bytes.insert(bytes.end(), std::begin(palette), std::end(palette));
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

} // namespace

TEST(BmpSuiteGood, EveryFileLoadsWithItsSize) {
  const auto files = BmpFilesIn(BmpSuite / "g");
  ASSERT_GE(files.size(), 20u);
  for (const auto& path : files) {
    const String name = path.filename().string();
    try {
      const TRaster raster = ReadBmpFile(path.string());
      EXPECT_EQ(Size(raster.Width, raster.Height), ExpectedSize(name)) << name;
    } catch (const Exception& e) {
      ADD_FAILURE() << name << ": " << e.Message();
    }
  }
}

TEST(BmpSuiteGood, EightBitEncodingsDecodeAlike) {
  const TRaster reference = Corpus("g/pal8.bmp");
  for (const auto& path : BmpFilesIn(BmpSuite / "g")) {
    const String name = path.filename().string();
    if (!name.starts_with("pal8") || ExpectedSize(name) != Size{127, 64} || name == "pal8gs.bmp")
      continue;
    ExpectSamePixels(ReadBmpFile(path.string()), reference, name);
  }
}

TEST(BmpSuiteGood, TrueColourEncodingsDecodeAlike) {
  const TRaster reference = Corpus("g/rgb24.bmp");
  EXPECT_FALSE(reference.HasAlpha);
  for (const char* name : {"rgb24pal.bmp", "rgb32.bmp", "rgb32bf.bmp", "rgb32bfdef.bmp"}) {
    const TRaster raster = Corpus(String("g/") + name);
    ExpectSamePixels(raster, reference, name);
    EXPECT_FALSE(raster.HasAlpha) << name;
  }
}

TEST(BmpSuiteGood, KnownPixels) {
  const TRaster rgb = Corpus("g/rgb24.bmp");
  EXPECT_EQ(rgb.At(0, 0), 0xFFFF0000u);
  EXPECT_EQ(rgb.At(0, 63), 0xFF000000u);
  EXPECT_EQ(rgb.At(63, 32), 0xFFFFFFFFu);
  EXPECT_EQ(rgb.At(126, 63), 0xFF60607Eu);
  const TRaster blueGreen = Corpus("g/pal1bg.bmp");
  for (const std::uint32_t pixel : blueGreen.Pixels)
    EXPECT_TRUE(pixel == 0xFF4040FFu || pixel == 0xFF40FF40u) << std::hex << pixel;
}

TEST(BmpSuiteGood, TopDownAndOs2MatchBottomUp) {
  const TRaster reference = Corpus("g/pal8.bmp");
  ExpectSamePixels(Corpus("g/pal8topdown.bmp"), reference, "pal8topdown");
  ExpectSamePixels(Corpus("g/pal8os2.bmp"), reference, "pal8os2");
  ExpectSamePixels(Corpus("q/pal8os2v2.bmp"), reference, "pal8os2v2");
}

TEST(BmpSuiteQuestionable, UnusualEncodingsOfTheReferencePicture) {
  const TRaster pal8 = Corpus("g/pal8.bmp");
  for (const char* name :
       {"pal8offs", "pal8os2sp", "pal8os2v2-16", "pal8oversizepal", "rgb24rle24"})
    ExpectSamePixels(Corpus(String("q/") + name + ".bmp"), pal8, name);
  const TRaster rgb24 = Corpus("g/rgb24.bmp");
  for (const char* name : {"rgb24largepal", "rgb32fakealpha", "rgb32h52", "rgb32-xbgr"})
    ExpectSamePixels(Corpus(String("q/") + name + ".bmp"), rgb24, name);
}

// These skip pixels with deltas and early end markers; skipped pixels take palette entry 0.
TEST(BmpSuiteQuestionable, SkippedRlePixelsShareTheBackground) {
  for (const char* name : {"pal8rlecut", "pal8rletrns", "pal4rlecut", "pal4rletrns"}) {
    const String depth = String(name).substr(0, 4);
    const TRaster whole = Corpus("g/" + depth + ".bmp");
    const TRaster skipped = Corpus(String("q/") + name + ".bmp");
    ASSERT_EQ(Size(skipped.Width, skipped.Height), Size(whole.Width, whole.Height));
    std::set<std::uint32_t> backgrounds;
    for (std::size_t i = 0; i < whole.Pixels.size(); ++i)
      if (skipped.Pixels[i] != whole.Pixels[i]) backgrounds.insert(skipped.Pixels[i]);
    EXPECT_EQ(backgrounds.size(), 1u) << name;
  }
}

TEST(BmpSuiteBadAndQuestionable, LoadOrRejectCleanly) {
  for (const char* folder : {"b", "q"}) {
    for (const auto& path : BmpFilesIn(BmpSuite / folder)) {
      SCOPED_TRACE(path.filename().string());
      LoadOrRejection(FileBytes(path));
    }
  }
}

TEST(BmpSuiteBadAndQuestionable, AbsurdFilesAreRejected) {
  for (const char* name :
       {"badbitcount", "badplanes", "badwidth", "badheadersize", "reallybig", "shortfile"}) {
    const auto bytes = FileBytes(BmpSuite / "b" / (String(name) + ".bmp"));
    EXPECT_NE(LoadOrRejection(bytes), "") << name;
  }
}

TEST(BmpSuiteBadAndQuestionable, EveryPrefixOfAFileIsHandled) {
  for (const char* name : {"g/pal4rle.bmp", "g/rgb16-565.bmp", "g/pal8os2.bmp", "g/pal1.bmp"}) {
    const auto bytes = FileBytes(BmpSuite / name);
    for (std::size_t length = 0; length < bytes.size(); length += 13) {
      SCOPED_TRACE(String(name) + " cut at " + std::to_string(length));
      LoadOrRejection({bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)});
    }
  }
}

TEST(BmpPngSuite, EveryV5FileLoads) {
  const auto files = BmpFilesIn(fs::path(LUM_CORPUS_DIR) / "pngsuite" / "bmp");
  ASSERT_GE(files.size(), 100u);
  for (const auto& path : files) {
    const String name = path.filename().string();
    try {
      const TRaster raster = ReadBmpFile(path.string());
      EXPECT_GT(raster.Width, 0) << name;
      if (name.starts_with("basn2c")) {
        EXPECT_FALSE(raster.HasAlpha) << name;
      }
      if (name.starts_with("basn6a")) {
        EXPECT_TRUE(raster.HasAlpha) << name;
      }
    } catch (const Exception& e) {
      ADD_FAILURE() << name << ": " << e.Message();
    }
  }
}

TEST(BmpRle, EscapesAndUnwrittenPixels) {
  // Row 0: run of 2 red, absolute [green, red, green], end of line.
  // Row 1: delta (+1, +0), run of 1 green, end of bitmap. Row 2 is never written.
  const auto bytes = Rle8File(6, 3, {2, 1, 0, 3, 2, 1, 2, 0, 0, 0, 0, 2, 1, 0, 1, 2, 0, 1});
  const TRaster raster = ReadBmp(bytes);
  const std::uint32_t black = 0xFF000000u, red = 0xFFFF0000u, green = 0xFF00FF00u;
  const std::vector<std::uint32_t> bottom = {red, red, green, red, green, black};
  const std::vector<std::uint32_t> middle = {black, green, black, black, black, black};
  EXPECT_EQ(std::vector<std::uint32_t>(raster.Pixels.begin() + 12, raster.Pixels.end()), bottom);
  EXPECT_EQ(std::vector<std::uint32_t>(raster.Pixels.begin() + 6, raster.Pixels.begin() + 12),
            middle);
  EXPECT_EQ(std::vector<std::uint32_t>(raster.Pixels.begin(), raster.Pixels.begin() + 6),
            std::vector<std::uint32_t>(6, black));
}

TEST(BmpRle, RunsBeyondThePictureAreDropped) {
  const TRaster raster = ReadBmp(Rle8File(2, 1, {255, 1, 0, 2, 255, 255, 0, 5, 1, 1, 1, 1, 1}));
  EXPECT_EQ(raster.Pixels, std::vector<std::uint32_t>(2, 0xFFFF0000u));
}

TEST(BmpMalformed, HugeDimensionsAreRefusedBeforeAllocating) {
  TRaster small(1, 1);
  auto bytes = WriteBmp(small);
  bytes[18] = bytes[19] = bytes[20] = 0xFF;
  bytes[22] = bytes[23] = bytes[24] = 0xFF;
  EXPECT_THROW(ReadBmp(bytes), EReadError);
  bytes[28] = 8;
  bytes[46] = 1;
  bytes[30] = 1; // a few bytes of RLE data cannot give that many pixels
  EXPECT_THROW(ReadBmp(bytes), EReadError);
}

TEST(BmpWrite, HeadersAndPadding) {
  for (const bool alpha : {false, true}) {
    const TRaster raster = RandomRaster(5, 3, alpha, 7);
    const auto bytes = WriteBmp(raster);
    const std::size_t stride = alpha ? 20 : 16;
    ASSERT_EQ(bytes.size(), 54 + 3 * stride);
    EXPECT_EQ(Le32(bytes, 2), bytes.size());
    EXPECT_EQ(Le32(bytes, 10), 54u);
    EXPECT_EQ(Le32(bytes, 14), 40u);
    EXPECT_EQ(Le32(bytes, 22), 3u);
    EXPECT_EQ(bytes[28], alpha ? 32 : 24);
    EXPECT_EQ(Le32(bytes, 34), 3 * stride);
    for (std::size_t at = 38; at < 54; ++at) EXPECT_EQ(bytes[at], 0) << at;
    const std::uint32_t lastPixel = raster.At(4, 0); // top row is stored last
    const std::size_t lastAt = bytes.size() - stride + 4 * (alpha ? 4 : 3);
    EXPECT_EQ(bytes[lastAt + 2], (lastPixel >> 16) & 0xFF);
    if (alpha) {
      EXPECT_EQ(bytes[lastAt + 3], lastPixel >> 24);
    }
  }
}

TEST(BmpWrite, RoundTripsAtOddWidths) {
  for (const int width : {1, 2, 3, 5, 127}) {
    const TRaster opaque = RandomRaster(width, 4, false, static_cast<unsigned>(width));
    ExpectSamePixels(ReadBmp(WriteBmp(opaque)), opaque, "24-bit width " + std::to_string(width));
    // BI_RGB 32-bit files read back as opaque: colours survive, alpha does not.
    TRaster translucent = RandomRaster(width, 4, true, static_cast<unsigned>(width));
    const TRaster read = ReadBmp(WriteBmp(translucent));
    EXPECT_FALSE(read.HasAlpha);
    for (auto& pixel : translucent.Pixels) pixel |= 0xFF000000u;
    ExpectSamePixels(read, translucent, "32-bit width " + std::to_string(width));
  }
}

TEST(BmpWriteFile, WritesAndReadsBack) {
  const fs::path folder = TempPath("bmp_codec_round_trip");
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path target = folder / "picture.bmp";
  const TRaster raster = RandomRaster(3, 2, false, 1);
  WriteBmpFile(raster, target.string());
  ExpectSamePixels(ReadBmpFile(target.string()), raster, "file");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  fs::remove_all(folder);
}

TEST(BmpWriteFile, MissingFolderFailsAndLeavesNothing) {
  const fs::path folder = TempPath("bmp_codec_missing_folder");
  const fs::path target = folder / "picture.bmp";
  ASSERT_FALSE(fs::exists(folder));
  EXPECT_THROW(WriteBmpFile(RandomRaster(2, 2, false, 3), target.string()), EFCreateError);
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_THROW(ReadBmpFile(target.string()), EFOpenError);
}

std::vector<std::uint8_t> WithoutFileHeader(const std::vector<std::uint8_t>& file) {
  return {file.begin() + 14, file.end()};
}

TEST(BmpDib, HeaderlessBitmapsDecodeLikeTheirFiles) {
  for (const char* name : {"g/pal1.bmp", "g/pal4.bmp", "g/pal8.bmp", "g/rgb16.bmp", "g/rgb24.bmp",
                           "g/rgb32bf.bmp", "g/pal8v5.bmp"}) {
    const std::vector<std::uint8_t> file = FileBytes(BmpSuite / name);
    ExpectSamePixels(ReadDib(WithoutFileHeader(file)), ReadBmp(file), name);
  }
  EXPECT_THROW(ReadDib(std::vector<std::uint8_t>(3)), EReadError);
}

TEST(BmpDib, RowsReplaceTheHeightAndTheFourthByteCanCarryAlpha) {
  TRaster original = RandomRaster(5, 3, true, 21);
  std::vector<std::uint8_t> dib = WithoutFileHeader(WriteBmp(original));
  dib[8] = 6; // as icons store it: room for a mask below the picture
  const TRaster opaque = ReadDib(dib, {3, false});
  ASSERT_EQ(opaque.Height, 3);
  for (std::size_t i = 0; i < opaque.Pixels.size(); ++i)
    EXPECT_EQ(opaque.Pixels[i], original.Pixels[i] | 0xFF000000u) << i;
  EXPECT_FALSE(opaque.HasAlpha);
  const TRaster translucent = ReadDib(dib, {3, true});
  EXPECT_EQ(translucent.Pixels, original.Pixels);
  EXPECT_TRUE(translucent.HasAlpha);
  EXPECT_THROW(ReadDib(dib), EReadError); // six rows of pixels are not there
}
