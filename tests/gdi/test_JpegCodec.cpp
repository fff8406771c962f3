#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/JpegCodec.h"
#include "tests/TempPath.h"
#include "tests/rtl/ErrorTesting.h"

#include <cstdio>
#include <jpeglib.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

int Channel(std::uint32_t pixel, int shift) { return static_cast<int>(pixel >> shift & 0xFF); }

// Smooth gradients with a few hard edges, as photographs and screen shots have.
TRaster TestPicture(int width, int height, bool grey) {
  TRaster raster(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint32_t r = static_cast<std::uint32_t>(x * 255 / (width - 1));
      const std::uint32_t g = static_cast<std::uint32_t>(y * 255 / (height - 1));
      const std::uint32_t b = (x / 16 + y / 16) % 2 == 0 ? 200u : 40u;
      raster.At(x, y) =
          grey ? 0xFF000000u | r << 16 | r << 8 | r : 0xFF000000u | r << 16 | g << 8 | b;
    }
  return raster;
}

double MeanError(const TRaster& actual, const TRaster& expected) {
  double sum = 0;
  for (std::size_t i = 0; i < actual.Pixels.size(); ++i)
    for (int shift = 0; shift < 24; shift += 8)
      sum += std::abs(Channel(actual.Pixels[i], shift) - Channel(expected.Pixels[i], shift));
  return sum / (3.0 * static_cast<double>(actual.Pixels.size()));
}

bool AllOpaque(const TRaster& raster) {
  for (const std::uint32_t pixel : raster.Pixels)
    if (pixel >> 24 != 0xFF) return false;
  return true;
}

struct Encoding {
  J_COLOR_SPACE Input;
  int Components;
  J_COLOR_SPACE Stored;
  bool Progressive = false;
  bool Arithmetic = false;
};

// Encodes samples with libjpeg directly, for the layouts WriteJpeg never produces.
Bytes EncodeSamples(const std::vector<JSAMPLE>& samples, int width, int height,
                    const Encoding& encoding) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = encoding.Components;
  info.in_color_space = encoding.Input;
  jpeg_set_defaults(&info);
  jpeg_set_colorspace(&info, encoding.Stored);
  jpeg_set_quality(&info, 100, TRUE);
  if (encoding.Progressive) jpeg_simple_progression(&info);
  info.arith_code = encoding.Arithmetic;
  jpeg_start_compress(&info, TRUE);
  const std::size_t stride = static_cast<std::size_t>(width * encoding.Components);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPLE*>(samples.data()) + info.next_scanline * stride;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

std::vector<JSAMPLE> RgbSamples(const TRaster& raster) {
  std::vector<JSAMPLE> samples;
  for (const std::uint32_t pixel : raster.Pixels)
    for (const int shift : {16, 8, 0}) samples.push_back(static_cast<JSAMPLE>(pixel >> shift));
  return samples;
}

TEST(JpegCodec, ColourAndGreyPicturesSurviveARoundTripAtQuality95) {
  for (const bool grey : {false, true}) {
    const TRaster original = TestPicture(67, 45, grey);
    const Bytes bytes = WriteJpeg(original, 95);
    const TJpegHeader header = ReadJpegHeader(bytes);
    EXPECT_EQ(header.Components, grey ? 1 : 3);
    EXPECT_FALSE(header.Progressive);
    const TRaster back = ReadJpeg(bytes);
    ASSERT_EQ(back.Width, 67);
    ASSERT_EQ(back.Height, 45);
    EXPECT_FALSE(back.HasAlpha);
    EXPECT_TRUE(AllOpaque(back));
    EXPECT_LT(MeanError(back, original), grey ? 1.5 : 5.0) << grey;
  }
}

TEST(JpegCodec, LowerQualityGivesSmallerFilesAndLargerErrors) {
  const TRaster original = TestPicture(64, 64, false);
  const Bytes fine = WriteJpeg(original, 95), coarse = WriteJpeg(original, 10);
  EXPECT_LT(coarse.size(), fine.size());
  EXPECT_GT(MeanError(ReadJpeg(coarse), original), MeanError(ReadJpeg(fine), original));
}

TEST(JpegCodec, AlphaIsDroppedOnWriting) {
  TRaster original = TestPicture(16, 16, false);
  original.HasAlpha = true;
  for (auto& pixel : original.Pixels) pixel &= 0x00FFFFFFu;
  const TRaster back = ReadJpeg(WriteJpeg(original, 95));
  EXPECT_TRUE(AllOpaque(back));
  for (auto& pixel : original.Pixels) pixel |= 0xFF000000u;
  EXPECT_LT(MeanError(back, original), 4.0);
}

TEST(JpegCodec, ProgressiveArithmeticAndRgbFilesDecode) {
  const TRaster original = TestPicture(50, 30, false);
  const std::vector<JSAMPLE> samples = RgbSamples(original);
  const Encoding encodings[] = {
      {JCS_RGB, 3, JCS_YCbCr, true, false},
      {JCS_RGB, 3, JCS_YCbCr, false, true},
      {JCS_RGB, 3, JCS_YCbCr, true, true},
      {JCS_RGB, 3, JCS_RGB, false, false},
  };
  for (const Encoding& encoding : encodings) {
    const Bytes bytes = EncodeSamples(samples, 50, 30, encoding);
    EXPECT_EQ(ReadJpegHeader(bytes).Progressive, encoding.Progressive);
    const TRaster back = ReadJpeg(bytes);
    ASSERT_EQ(back.Width, 50);
    EXPECT_LT(MeanError(back, original), 5.0) << encoding.Progressive << encoding.Arithmetic;
  }
}

// Four quadrants of ink: none, full black, full cyan, half magenta with half yellow.
struct InkCase {
  std::uint8_t C, M, Y, K;
  std::uint32_t Rgb;
};
constexpr InkCase Inks[] = {{0, 0, 0, 0, 0xFFFFFF},
                            {0, 0, 0, 255, 0x000000},
                            {255, 0, 0, 0, 0x00FFFF},
                            {0, 128, 128, 0, 0xFF7F7F}};

std::vector<JSAMPLE> InvertedInkSamples(int size) {
  std::vector<JSAMPLE> samples;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const InkCase& ink = Inks[(y < size / 2 ? 0 : 2) + (x < size / 2 ? 0 : 1)];
      for (const std::uint8_t value : {ink.C, ink.M, ink.Y, ink.K})
        samples.push_back(static_cast<JSAMPLE>(255 - value));
    }
  return samples;
}

TEST(JpegCodec, AdobeCmykAndYcckFilesBecomeRgbWithInvertedInks) {
  const int size = 32;
  for (const J_COLOR_SPACE stored : {JCS_CMYK, JCS_YCCK}) {
    const Bytes bytes = EncodeSamples(InvertedInkSamples(size), size, size, {JCS_CMYK, 4, stored});
    EXPECT_EQ(ReadJpegHeader(bytes).Components, 4);
    const TRaster back = ReadJpeg(bytes);
    for (int quadrant = 0; quadrant < 4; ++quadrant) {
      const std::uint32_t pixel = back.At(quadrant % 2 * size / 2 + 8, quadrant / 2 * size / 2 + 8);
      for (const int shift : {16, 8, 0})
        EXPECT_NEAR(Channel(pixel, shift), Channel(Inks[quadrant].Rgb, shift), 3)
            << "colour space " << stored << ", quadrant " << quadrant << ", shift " << shift;
      EXPECT_EQ(pixel >> 24, 0xFFu);
    }
  }
}

TEST(JpegCodec, TruncatedGarbageAndEmptyInputsRaiseReadErrors) {
  const TRaster original = TestPicture(40, 40, false);
  const Bytes baseline = WriteJpeg(original, 90);
  const Bytes progressive =
      EncodeSamples(RgbSamples(original), 40, 40, {JCS_RGB, 3, JCS_YCbCr, true, false});
  for (const Bytes* whole : {&baseline, &progressive})
    for (const std::size_t length :
         {std::size_t{0}, std::size_t{1}, std::size_t{20}, whole->size() / 2, whole->size() - 2}) {
      const Bytes cut(whole->begin(), whole->begin() + static_cast<std::ptrdiff_t>(length));
      try {
        ReadJpeg(cut);
        ADD_FAILURE() << "a file cut to " << length << " bytes loaded";
      } catch (const EReadError& error) {
        EXPECT_TRUE(error.Message().starts_with("JPEG: ")) << error.Message();
        EXPECT_GT(error.Message().size(), 8u);
      }
    }
  std::mt19937 random(5);
  Bytes garbage(500);
  for (auto& byte : garbage) byte = static_cast<std::uint8_t>(random());
  EXPECT_THROW(ReadJpeg(garbage), EReadError);
  EXPECT_THROW(ReadJpegHeader(garbage), EReadError);
}

// Start-of-frame markers of the baseline and progressive kinds carry the height and width.
void PatchFrameSize(Bytes& bytes, int width, int height) {
  for (std::size_t i = 0; i + 8 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) {
      bytes[i + 5] = static_cast<std::uint8_t>(height >> 8);
      bytes[i + 6] = static_cast<std::uint8_t>(height);
      bytes[i + 7] = static_cast<std::uint8_t>(width >> 8);
      bytes[i + 8] = static_cast<std::uint8_t>(width);
      return;
    }
  FAIL() << "no frame header";
}

// Refused from the header alone: above the pixel limit, or more pixels than a Huffman-coded
// file of its size could give.
TEST(JpegCodec, SmallFilesClaimingLargePicturesAreRefusedBeforeDecoding) {
  Bytes bytes = WriteJpeg(TestPicture(16, 16, false), 90);
  PatchFrameSize(bytes, 16000, 16000);
  EXPECT_EQ(ReadJpegHeader(bytes).Width, 16000);
  ExpectError<EReadError>([&] { ReadJpeg(bytes); },
                          "JPEG: picture of 16000 x 16000 pixels is too large");
  PatchFrameSize(bytes, 4000, 4000);
  ExpectError<EReadError>([&] { ReadJpeg(bytes); }, "JPEG: " + std::to_string(bytes.size()) +
                                                        " bytes cannot hold 4000 x 4000 pixels");
  const std::int64_t saved = MaxPicturePixels();
  SetMaxPicturePixels(255);
  EXPECT_THROW(ReadJpeg(WriteJpeg(TestPicture(16, 16, false), 90)), EReadError);
  SetMaxPicturePixels(saved);
  EXPECT_EQ(ReadJpeg(WriteJpeg(TestPicture(16, 16, false), 90)).Width, 16);
}

std::vector<std::size_t> MarkerPositions(const Bytes& bytes, std::uint8_t code) {
  std::vector<std::size_t> positions;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == code) positions.push_back(i);
  return positions;
}

// The first scan of a progressive file, with the Huffman tables written just before it,
// repeated after itself.
Bytes WithFirstScanRepeated(const Bytes& bytes, int copies) {
  const std::vector<std::size_t> scans = MarkerPositions(bytes, 0xDA);
  const std::vector<std::size_t> tables = MarkerPositions(bytes, 0xC4);
  const auto tableBefore = [&](std::size_t from, std::size_t to) {
    for (const std::size_t at : tables)
      if (at > from && at < to) return at;
    return to;
  };
  const std::size_t frame = MarkerPositions(bytes, 0xC2).at(0);
  const std::size_t begin = tableBefore(frame, scans.at(0));
  const std::size_t end = tableBefore(scans.at(0), scans.at(1));
  Bytes result(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(end));
  for (int i = 0; i < copies; ++i)
    result.insert(result.end(), bytes.begin() + static_cast<std::ptrdiff_t>(begin),
                  bytes.begin() + static_cast<std::ptrdiff_t>(end));
  result.insert(result.end(), bytes.begin() + static_cast<std::ptrdiff_t>(end), bytes.end());
  return result;
}

TEST(JpegCodec, FilesWithThousandsOfScansAreRefused) {
  const TRaster original = TestPicture(16, 16, false);
  const Bytes bytes =
      EncodeSamples(RgbSamples(original), 16, 16, {JCS_RGB, 3, JCS_YCbCr, true, false});
  EXPECT_LT(MeanError(ReadJpeg(WithFirstScanRepeated(bytes, 100)), original), 5.0)
      << "a repeated scan is only a warning";
  ExpectError<EReadError>([&] { ReadJpeg(WithFirstScanRepeated(bytes, 1000)); },
                          "JPEG: too many scans");
}

TEST(JpegCodec, WritingRefusesEmptyPicturesAndQualitiesOutOfRange) {
  EXPECT_THROW(WriteJpeg(TRaster{}, 90), EWriteError);
  TRaster inconsistent(4, 4);
  inconsistent.Pixels.pop_back();
  EXPECT_THROW(WriteJpeg(inconsistent, 90), EWriteError);
  for (const int quality : {0, 101, -5})
    EXPECT_THROW(WriteJpeg(TRaster(4, 4), quality), EWriteError) << quality;
  EXPECT_NO_THROW(WriteJpeg(TRaster(4, 4), 1));
}

TEST(JpegCodec, FilesAreWrittenWholeAndMissingFilesRaiseOpenErrors) {
  const fs::path folder = TempPath("lum_jpeg_files");
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path target = folder / "picture.jpg";
  const TRaster original = TestPicture(20, 10, false);
  WriteJpegFile(original, target.string(), 95);
  EXPECT_LT(MeanError(ReadJpegFile(target.string()), original), 5.0);
  EXPECT_THROW(WriteJpegFile(original, (folder / "missing" / "x.jpg").string()), EFCreateError);
  EXPECT_THROW(ReadJpegFile((folder / "none.jpg").string()), EFOpenError);
  fs::resize_file(target, 100);
  ExpectErrorContaining<EReadError>([&] { ReadJpegFile(target.string()); }, "picture.jpg");
  fs::remove_all(folder);
}

} // namespace
