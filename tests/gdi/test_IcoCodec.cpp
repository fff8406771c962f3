#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/IcoCodec.h"
#include "framework/win32/gdi/PngCodec.h"
#include "tests/TempPath.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

std::uint32_t Get32(const Bytes& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

// An icon image as a headerless bitmap: Values are palette indices (1 to 8 bits) or
// 0xAARRGGBB pixels, top-down; Mask is true where the pixel is transparent.
struct BitmapImage {
  int Width, Height, Bits;
  std::vector<std::uint32_t> Palette;
  std::vector<std::uint32_t> Values;
  std::vector<bool> Mask;
};

void PutPixelRow(Bytes& out, const BitmapImage& image, int y) {
  Bytes row(static_cast<std::size_t>((image.Width * image.Bits + 31) / 32 * 4), 0);
  for (int x = 0; x < image.Width; ++x) {
    const std::uint32_t value = image.Values[static_cast<std::size_t>(y * image.Width + x)];
    if (image.Bits >= 24) {
      for (int i = 0; i < image.Bits / 8; ++i)
        row[static_cast<std::size_t>(x * image.Bits / 8 + i)] =
            static_cast<std::uint8_t>(value >> (8 * i));
    } else {
      const int bit = x * image.Bits;
      row[static_cast<std::size_t>(bit / 8)] |=
          static_cast<std::uint8_t>(value << (8 - image.Bits - bit % 8));
    }
  }
  out.insert(out.end(), row.begin(), row.end());
}

void PutMaskRow(Bytes& out, const BitmapImage& image, int y) {
  Bytes row(static_cast<std::size_t>((image.Width + 31) / 32 * 4), 0);
  for (int x = 0; x < image.Width; ++x)
    if (image.Mask[static_cast<std::size_t>(y * image.Width + x)])
      row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
  out.insert(out.end(), row.begin(), row.end());
}

Bytes Dib(const BitmapImage& image) {
  Bytes out;
  for (const std::uint32_t field :
       {40u, static_cast<std::uint32_t>(image.Width), static_cast<std::uint32_t>(image.Height * 2)})
    Put32(out, field);
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(image.Bits));
  for (int i = 0; i < 6; ++i)
    Put32(out, i == 4 ? static_cast<std::uint32_t>(image.Palette.size()) : 0);
  for (const std::uint32_t colour : image.Palette) Put32(out, colour & 0xFFFFFF);
  for (int y = image.Height - 1; y >= 0; --y) PutPixelRow(out, image, y);
  for (int y = image.Height - 1; y >= 0; --y) PutMaskRow(out, image, y);
  return out;
}

// A directory over the given images; the sizes in it are only hints.
Bytes IconFile(const std::vector<Bytes>& images) {
  Bytes out;
  Put16(out, 0);
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(images.size()));
  std::size_t offset = 6 + 16 * images.size();
  for (const Bytes& image : images) {
    for (int i = 0; i < 4; ++i) out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, static_cast<std::uint32_t>(image.size()));
    Put32(out, static_cast<std::uint32_t>(offset));
    offset += image.size();
  }
  for (const Bytes& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

TRaster RandomRaster(int width, int height, bool alpha, unsigned seed) {
  std::mt19937 random(seed);
  TRaster raster(width, height);
  raster.HasAlpha = alpha;
  for (auto& pixel : raster.Pixels) pixel = alpha ? random() : random() | 0xFF000000u;
  if (alpha) raster.Pixels[0] = 0x00123456u; // at least one fully transparent pixel
  return raster;
}

// A pattern of transparent pixels that differs in every row and column.
std::vector<bool> DiagonalMask(int width, int height) {
  std::vector<bool> mask;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) mask.push_back((x + 2 * y) % 5 == 0);
  return mask;
}

void ExpectMaskedPixels(const TRaster& raster, const BitmapImage& image,
                        const std::vector<std::uint32_t>& opaqueColours) {
  ASSERT_EQ(raster.Width, image.Width);
  ASSERT_EQ(raster.Height, image.Height);
  EXPECT_TRUE(raster.HasAlpha);
  for (std::size_t i = 0; i < raster.Pixels.size(); ++i) {
    const std::uint32_t alpha = raster.Pixels[i] >> 24;
    EXPECT_EQ(alpha, image.Mask[i] ? 0u : 255u) << image.Bits << " bits, pixel " << i;
    if (!image.Mask[i]) {
      EXPECT_EQ(raster.Pixels[i], opaqueColours[i]) << image.Bits << " bits, pixel " << i;
    }
  }
}

TEST(IcoCodec, WrittenIconsReadBackAtEverySize) {
  std::vector<TRaster> originals;
  unsigned seed = 1;
  for (const int size : {16, 24, 32, 48, 256})
    for (const bool alpha : {false, true})
      originals.push_back(RandomRaster(size, size, alpha, ++seed));
  originals.push_back(RandomRaster(20, 7, true, 99));
  const std::vector<TRaster> back = ReadIcoImages(WriteIco(originals));
  ASSERT_EQ(back.size(), originals.size());
  for (std::size_t i = 0; i < back.size(); ++i) {
    EXPECT_EQ(back[i].Width, originals[i].Width) << i;
    EXPECT_EQ(back[i].Height, originals[i].Height) << i;
    EXPECT_EQ(back[i].HasAlpha, originals[i].HasAlpha) << i;
    EXPECT_EQ(back[i].Pixels, originals[i].Pixels) << i;
  }
}

TEST(IcoCodec, LargePicturesAreStoredAsPngAndSmallOnesAsBitmapsWithMasks) {
  TRaster small = RandomRaster(16, 16, true, 3);
  const Bytes bytes = WriteIco({small, RandomRaster(256, 256, true, 4)});
  EXPECT_EQ(bytes[6], 16);
  EXPECT_EQ(bytes[22], 0); // 256 is written as 0
  const std::uint32_t pngOffset = Get32(bytes, 22 + 12);
  EXPECT_EQ(bytes[pngOffset + 1], 'P');
  const std::uint32_t bitmapOffset = Get32(bytes, 6 + 12);
  EXPECT_EQ(Get32(bytes, bitmapOffset), 40u);
  EXPECT_EQ(Get32(bytes, bitmapOffset + 8), 32u); // doubled height
  // Pixel (0, 0) is transparent: top row, so the last mask row, first bit.
  const std::uint32_t maskEnd = bitmapOffset + 40 + 16 * 16 * 4 + 16 * 4;
  EXPECT_EQ(bytes[maskEnd - 4] & 0x80, 0x80);
}

TEST(IcoCodec, PalettedAndTrueColourBitmapsTakeTransparencyFromTheMask) {
  const int width = 13, height = 9;
  const std::vector<std::uint32_t> palette16 = {
      0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0x808080,
      0xC0C0C0, 0x800000, 0x008000, 0x000080, 0x808000, 0x008080, 0x800080, 0xFFFFFF};
  for (const int bits : {1, 4, 8, 24, 32}) {
    BitmapImage image{width, height, bits, {}, {}, DiagonalMask(width, height)};
    std::vector<std::uint32_t> expected;
    if (bits <= 8)
      image.Palette.assign(palette16.begin(), palette16.begin() + (bits == 1 ? 2 : 16));
    for (int i = 0; i < width * height; ++i) {
      const std::uint32_t index = static_cast<std::uint32_t>(i * 7 % (bits == 1 ? 2 : 16));
      const std::uint32_t colour = 0x010203u * static_cast<std::uint32_t>(i % 80);
      image.Values.push_back(bits <= 8 ? index : colour); // 32 bits: fourth bytes all 0
      expected.push_back(0xFF000000u | (bits <= 8 ? palette16[index] : colour));
    }
    const std::vector<TRaster> rasters = ReadIcoImages(IconFile({Dib(image)}));
    ASSERT_EQ(rasters.size(), 1u);
    ExpectMaskedPixels(rasters[0], image, expected);
  }
}

TEST(IcoCodec, ThirtyTwoBitBitmapsWithAlphaIgnoreTheMask) {
  BitmapImage image{4,
                    2,
                    32,
                    {},
                    {0x80FF0000u, 0xFF00FF00u, 0x00000000u, 0x400000FFu, 0xFFFFFFFFu, 0x01010101u,
                     0xFF123456u, 0x7F7F7F7Fu},
                    std::vector<bool>(8, true)};
  const TRaster raster = ReadIcoImages(IconFile({Dib(image)}))[0];
  EXPECT_EQ(raster.Pixels, image.Values);
  EXPECT_TRUE(raster.HasAlpha);
}

TEST(IcoCodec, PngImagesAndBitmapsMixAndTheNearestRichestImageIsPicked) {
  const TRaster png32 = RandomRaster(32, 32, true, 5);
  const BitmapImage palette32{32,
                              32,
                              4,
                              {0x000000, 0xFFFFFF},
                              std::vector<std::uint32_t>(1024, 1),
                              std::vector<bool>(1024, false)};
  const BitmapImage true16{
      16, 16, 24, {}, std::vector<std::uint32_t>(256, 0x112233), std::vector<bool>(256, false)};
  const BitmapImage true48{48,
                           48,
                           24,
                           {},
                           std::vector<std::uint32_t>(48 * 48, 0x445566),
                           std::vector<bool>(48 * 48, false)};
  const Bytes icon = IconFile({Dib(palette32), WritePng(png32), Dib(true16), Dib(true48)});
  const std::vector<TRaster> all = ReadIcoImages(icon);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[1].Pixels, png32.Pixels);
  EXPECT_EQ(all[0].At(5, 5), 0xFFFFFFFFu);
  EXPECT_EQ(ReadIco(icon).Pixels, png32.Pixels);
  EXPECT_EQ(ReadIco(icon, 16).At(0, 0), 0xFF112233u);
  EXPECT_EQ(ReadIco(icon, 20).Width, 16);
  EXPECT_EQ(ReadIco(icon, 40).Width, 32); // as near as the 48, with more colours
  EXPECT_EQ(ReadIco(icon, 24).Width, 32); // as near as the 16, with more colours
  EXPECT_EQ(ReadIco(icon, 1000).Width, 48);
  TRaster opaque = RandomRaster(8, 8, false, 6);
  opaque.HasAlpha = true; // written with an alpha channel that is 255 throughout
  EXPECT_FALSE(ReadIcoImages(IconFile({WritePng(opaque)}))[0].HasAlpha);
}

String Rejection(const Bytes& bytes) {
  try {
    ReadIcoImages(bytes);
  } catch (const EReadError& error) {
    return error.Message();
  }
  return "loaded";
}

TEST(IcoCodec, MalformedDirectoriesAndImagesRaiseReadErrors) {
  const BitmapImage image{
      8, 8, 24, {}, std::vector<std::uint32_t>(64, 0x808080), std::vector<bool>(64, false)};
  const Bytes good = IconFile({Dib(image)});
  ASSERT_EQ(Rejection(good), "loaded");
  const auto patched = [&](std::size_t at, std::uint32_t value, int width) {
    Bytes bytes = good;
    for (int i = 0; i < width; ++i)
      bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    return bytes;
  };
  const std::size_t dib = 22;
  const String length = std::to_string(good.size() - dib), size = std::to_string(good.size());
  const struct {
    Bytes Input;
    String Message;
  } cases[] = {
      {{}, "ICO: truncated directory"},
      {patched(4, 0, 2), "ICO: no images"},
      {patched(2, 2, 2), "ICO: not an icon file"},
      {patched(4, 300, 2), "ICO: directory of 300 images is truncated"},
      {patched(6 + 12, 100000, 4),
       "ICO: image 1: " + length + " bytes at 100000 lie outside the file of " + size + " bytes"},
      {patched(6 + 8, 5000, 4),
       "ICO: image 1: 5000 bytes at 22 lie outside the file of " + size + " bytes"},
      {patched(6 + 8, 0, 4), "ICO: image 1: no data"},
      {patched(6 + 12, 10, 4), "ICO: image 1: overlaps the directory or another image"},
      {patched(dib, 1000, 4), "ICO: image 1: bitmap header size 1000"},
      {patched(dib + 8, 0xFFFFFFF0u, 4), "ICO: image 1: bitmap height -16"},
      {patched(dib + 4, 5000, 4), "ICO: image 1: size 5000 x 8 (sides from 1 to 1024)"},
      {patched(dib + 16, 1, 4), "ICO: image 1: unsupported bitmap compression 1"},
      {Bytes(good.begin(), good.end() - 8), "ICO: image 1: " + length +
                                                " bytes at 22 lie outside the file of " +
                                                std::to_string(good.size() - 8) + " bytes"},
  };
  for (const auto& c : cases) EXPECT_EQ(Rejection(c.Input), c.Message);
  // The directory's length shrunk along with the data: the mask is what is missing.
  Bytes cut = patched(6 + 8, static_cast<std::uint32_t>(good.size() - dib - 8), 4);
  cut.resize(cut.size() - 8);
  EXPECT_EQ(Rejection(cut), "ICO: image 1: truncated transparency mask");
  // Errors of the embedded decoders name the image too.
  Bytes badPixels = patched(6 + 8, 40 + 10, 4);
  badPixels.resize(22 + 50);
  EXPECT_TRUE(Rejection(badPixels).starts_with("ICO: image 1: BMP: truncated pixel data"))
      << Rejection(badPixels);
  Bytes png = IconFile({WritePng(RandomRaster(4, 4, false, 1))});
  png[png.size() - 20] ^= 0xFF;
  EXPECT_TRUE(Rejection(png).starts_with("ICO: image 1: PNG: ")) << Rejection(png);
}

TEST(IcoCodec, TwoEntriesSharingTheirDataAreRefused) {
  Bytes bytes = WriteIco({TRaster(8, 8), TRaster(8, 8)});
  for (int i = 0; i < 4; ++i)
    bytes[22 + 12 + static_cast<std::size_t>(i)] = bytes[6 + 12 + static_cast<std::size_t>(i)];
  EXPECT_EQ(Rejection(bytes), "ICO: image 2: overlaps the directory or another image");
}

TEST(IcoCodec, WritingRefusesEmptyListsAndUnfitPictures) {
  EXPECT_THROW(WriteIco({}), EWriteError);
  EXPECT_THROW(WriteIco({TRaster{}}), EWriteError);
  EXPECT_THROW(WriteIco({TRaster(257, 16)}), EWriteError);
  TRaster inconsistent(4, 4);
  inconsistent.Pixels.pop_back();
  EXPECT_THROW(WriteIco({inconsistent}), EWriteError);
}

TEST(IcoCodec, FilesAreWrittenWholeAndMissingFilesRaiseOpenErrors) {
  const fs::path folder = TempPath("lum_ico_files");
  fs::remove_all(folder);
  fs::create_directories(folder);
  const fs::path target = folder / "icon.ico";
  const TRaster picture = RandomRaster(32, 32, true, 8);
  WriteIcoFile({RandomRaster(16, 16, true, 7), picture}, target.string());
  EXPECT_EQ(ReadIcoFile(target.string()).Pixels, picture.Pixels);
  EXPECT_THROW(ReadIcoFile((folder / "none.ico").string()), EFOpenError);
  fs::resize_file(target, 10);
  ExpectErrorContaining<EReadError>([&] { ReadIcoFile(target.string()); }, "icon.ico");
  fs::remove_all(folder);
}

} // namespace
