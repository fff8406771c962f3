#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/BmpCodec.h"
#include "framework/win32/gdi/Palettes.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

// A picture whose every pixel is one of the palette's colours, chosen at random.
TRaster PaletteRaster(int width, int height, const std::vector<std::uint32_t>& palette,
                      unsigned seed) {
  std::mt19937 random(seed);
  TRaster raster(width, height);
  for (auto& pixel : raster.Pixels) pixel = palette[random() % palette.size()];
  return raster;
}

TRaster RandomRaster(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  TRaster raster(width, height);
  for (auto& pixel : raster.Pixels) pixel = random();
  return raster;
}

// What the reader makes of a channel stored with the given number of bits.
std::uint32_t Expanded(std::uint32_t value, int bits) {
  const std::uint32_t max = (1u << bits) - 1;
  const std::uint32_t level = (value * max + 127) / 255;
  return (level * 255 + max / 2) / max;
}

} // namespace

TEST(Palettes, StandardTables) {
  EXPECT_EQ(MonochromePalette(), (std::vector<std::uint32_t>{0xFF000000u, 0xFFFFFFFFu}));
  const auto vga = StandardPalette16();
  ASSERT_EQ(vga.size(), 16u);
  EXPECT_EQ(vga[1], 0xFF800000u);  // maroon
  EXPECT_EQ(vga[7], 0xFFC0C0C0u);  // silver
  EXPECT_EQ(vga[8], 0xFF808080u);  // grey
  EXPECT_EQ(vga[12], 0xFF0000FFu); // blue
  const auto full = StandardPalette256();
  ASSERT_EQ(full.size(), 256u);
  EXPECT_TRUE(std::equal(vga.begin(), vga.end(), full.begin()));
  EXPECT_EQ(full[16 + 5 * 36 + 2 * 6 + 1], 0xFFFF6633u); // cube entry r 5, g 2, b 1
  EXPECT_EQ(full[255], 0xFFEEEEEEu);
}

TEST(Palettes, MatcherFindsExactThenNearestThenFirst) {
  const std::vector<std::uint32_t> palette = {0xFF000000u, 0xFF808080u, 0xFFFFFFFFu, 0xFF808080u};
  TPaletteMatcher matcher(palette);
  EXPECT_EQ(matcher.Nearest(0xFF808080u), 1); // the first of two equal entries
  EXPECT_EQ(matcher.Nearest(0x00808080u), 1); // alpha plays no part
  EXPECT_EQ(matcher.Nearest(0xFFF0F0F0u), 2); // nearest
  EXPECT_EQ(matcher.Nearest(0xFF303030u), 0);
  EXPECT_EQ(matcher.Nearest(0xFF404040u), 0); // tie between black and grey: first
  EXPECT_EQ(matcher.Nearest(0xFF404040u), 0); // and the same when remembered
}

TEST(BmpWriteIndexed, RoundTripsAtEveryDepthAndOddWidths) {
  const std::vector<std::pair<int, std::vector<std::uint32_t>>> depths = {
      {1, {0xFF102030u, 0xFFF0E0D0u}}, {4, StandardPalette16()}, {8, StandardPalette256()}};
  for (const auto& [bits, palette] : depths) {
    for (const int width : {1, 3, 7, 9, 33}) {
      SCOPED_TRACE(std::to_string(bits) + " bits, width " + std::to_string(width));
      const TRaster raster = PaletteRaster(width, 5, palette, static_cast<unsigned>(width));
      const auto bytes = WriteBmpIndexed(raster, bits, palette);
      const std::uint32_t stride = (static_cast<std::uint32_t>(width) * bits + 31) / 32 * 4;
      EXPECT_EQ(bytes.size(), 54 + 4 * palette.size() + 5 * stride);
      EXPECT_EQ(Le32(bytes, 10), 54 + 4 * palette.size());
      EXPECT_EQ(Le32(bytes, 46), palette.size());
      EXPECT_EQ(ReadBmp(bytes).Pixels, raster.Pixels);
      const TBmpFormat format = ReadBmpFormat(bytes);
      EXPECT_EQ(format.BitCount, bits);
      EXPECT_EQ(format.Palette, palette);
    }
  }
}

TEST(BmpWriteIndexed, ColoursOutsideThePaletteTakeTheNearestEntry) {
  TRaster raster(3, 1);
  raster.Pixels = {0xFFFE0101u, 0x20C8C8C8u, 0xFF000070u};
  const TRaster read = ReadBmp(WriteBmpIndexed(raster, 4, StandardPalette16()));
  EXPECT_EQ(read.Pixels, (std::vector<std::uint32_t>{0xFFFF0000u, 0xFFC0C0C0u, 0xFF000080u}));
  EXPECT_FALSE(read.HasAlpha);
}

TEST(BmpWriteIndexed, ShortPalettesAreKeptAndWrongSizesRefused) {
  const std::vector<std::uint32_t> three = {0xFF000000u, 0xFFFF0000u, 0xFF00FF00u};
  const TRaster raster = PaletteRaster(4, 4, three, 3);
  const auto bytes = WriteBmpIndexed(raster, 8, three);
  EXPECT_EQ(ReadBmpFormat(bytes).Palette, three);
  EXPECT_EQ(ReadBmp(bytes).Pixels, raster.Pixels);
  EXPECT_THROW(WriteBmpIndexed(raster, 2, three), EWriteError);
  EXPECT_THROW(WriteBmpIndexed(raster, 1, three), EWriteError);
  EXPECT_THROW(WriteBmpIndexed(raster, 8, {}), EWriteError);
  EXPECT_THROW(WriteBmpIndexed(TRaster(), 8, three), EWriteError);
}

TEST(BmpWrite16, ChannelsRoundToTheNearestLevel) {
  for (const bool rgb565 : {false, true}) {
    SCOPED_TRACE(rgb565 ? "5-6-5" : "5-5-5");
    const TRaster raster = RandomRaster(7, 3, 16);
    const auto bytes = WriteBmp16(raster, rgb565);
    EXPECT_EQ(Le32(bytes, 30), rgb565 ? 3u : 0u); // BI_BITFIELDS or BI_RGB
    EXPECT_EQ(bytes.size(), (rgb565 ? 66u : 54u) + 3 * 16);
    const TBmpFormat format = ReadBmpFormat(bytes);
    EXPECT_EQ(format.BitCount, 16);
    EXPECT_EQ(format.Masks[1], rgb565 ? 0x07E0u : 0x03E0u);
    const TRaster read = ReadBmp(bytes);
    for (std::size_t i = 0; i < raster.Pixels.size(); ++i) {
      const std::uint32_t p = raster.Pixels[i];
      const std::uint32_t expected = 0xFF000000u | Expanded(p >> 16 & 0xFF, 5) << 16 |
                                     Expanded(p >> 8 & 0xFF, rgb565 ? 6 : 5) << 8 |
                                     Expanded(p & 0xFF, 5);
      EXPECT_EQ(read.Pixels[i], expected) << i;
    }
    // Written again, what was read comes back unchanged.
    EXPECT_EQ(ReadBmp(WriteBmp16(read, rgb565)).Pixels, read.Pixels);
  }
}

TEST(BmpWrite32, AlphaSurvivesOnlyInTheV5Form) {
  TRaster raster = RandomRaster(5, 2, 32);
  raster.HasAlpha = true;
  const auto withAlpha = WriteBmp32(raster, true);
  EXPECT_EQ(Le32(withAlpha, 14), 124u);
  EXPECT_EQ(Le32(withAlpha, 10), 14u + 124u);
  EXPECT_EQ(ReadBmpFormat(withAlpha).Masks[3], 0xFF000000u);
  const TRaster read = ReadBmp(withAlpha);
  EXPECT_TRUE(read.HasAlpha);
  EXPECT_EQ(read.Pixels, raster.Pixels);

  const auto plain = WriteBmp32(raster, false);
  EXPECT_EQ(Le32(plain, 14), 40u);
  EXPECT_EQ(plain.size(), 54u + 5 * 2 * 4);
  EXPECT_EQ(plain[54 + 3], 0); // the fourth byte is left 0
  const TRaster opaque = ReadBmp(plain);
  EXPECT_FALSE(opaque.HasAlpha);
  for (std::size_t i = 0; i < raster.Pixels.size(); ++i)
    EXPECT_EQ(opaque.Pixels[i], raster.Pixels[i] | 0xFF000000u);
}
