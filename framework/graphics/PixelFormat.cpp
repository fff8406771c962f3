#include "framework/graphics/PixelFormat.h"

#include "framework/win32/gdi/Palettes.h"

#include <algorithm>

int BitsPerPixel(TPixelFormat Format) {
  switch (Format) {
  case pf1bit:
    return 1;
  case pf4bit:
    return 4;
  case pf8bit:
    return 8;
  case pf15bit:
  case pf16bit:
    return 16;
  case pf24bit:
    return 24;
  default:
    return 32;
  }
}

bool HasColorTable(TPixelFormat Format) {
  return Format == pf1bit || Format == pf4bit || Format == pf8bit;
}

std::vector<std::uint32_t> DefaultColorTable(TPixelFormat Format) {
  switch (Format) {
  case pf1bit:
    return MonochromePalette();
  case pf4bit:
    return StandardPalette16();
  case pf8bit:
    return StandardPalette256();
  default:
    return {};
  }
}

TPixelFormat PixelFormatOf(const TBmpFormat& Format) {
  const auto& m = Format.Masks;
  switch (Format.BitCount) {
  case 1:
    return pf1bit;
  case 4:
    return pf4bit;
  case 8:
    return pf8bit;
  case 16:
    if (m[0] == 0x7C00u && m[1] == 0x03E0u && m[2] == 0x001Fu && m[3] == 0) return pf15bit;
    if (m[0] == 0xF800u && m[1] == 0x07E0u && m[2] == 0x001Fu && m[3] == 0) return pf16bit;
    return pfCustom;
  case 24:
    return pf24bit;
  case 32:
    return pf32bit;
  default:
    return pfCustom;
  }
}

bool AnyTranslucent(const TRaster& Pixels) {
  return std::any_of(Pixels.Pixels.begin(), Pixels.Pixels.end(),
                     [](std::uint32_t p) { return p < 0xFF000000u; });
}

std::vector<std::uint8_t> EncodeBmp(const TRaster& Pixels, TPixelFormat Format,
                                    std::span<const std::uint32_t> ColorTable, bool Alpha) {
  const bool alpha = Alpha && AnyTranslucent(Pixels);
  switch (Format) {
  case pf1bit:
  case pf4bit:
  case pf8bit:
    return WriteBmpIndexed(Pixels, BitsPerPixel(Format), ColorTable);
  case pf15bit:
  case pf16bit:
    return WriteBmp16(Pixels, Format == pf16bit);
  case pf32bit:
    return WriteBmp32(Pixels, alpha);
  default: {
    if (alpha) return WriteBmp32(Pixels, true);
    TRaster opaque = Pixels;
    opaque.HasAlpha = false;
    return WriteBmp(opaque);
  }
  }
}

void ReduceToFormat(TRaster& Pixels, TPixelFormat Format, std::span<const std::uint32_t> ColorTable,
                    bool Alpha) {
  if (Pixels.Pixels.empty()) return;
  if (HasColorTable(Format) || Format == pf15bit || Format == pf16bit) {
    Pixels = ReadBmp(EncodeBmp(Pixels, Format, ColorTable, false));
    return;
  }
  if (Alpha) return;
  for (auto& p : Pixels.Pixels) p |= 0xFF000000u;
  Pixels.HasAlpha = false;
}
