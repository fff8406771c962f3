#pragma once

#include "framework/classes/TypeInfo.h"
#include "framework/win32/gdi/BmpCodec.h"
#include "framework/win32/gdi/Raster.h"

#include <cstdint>
#include <span>
#include <vector>

// How a bitmap stores its pixels. pfDevice is the screen's depth, 32 bits here; pfCustom
// is a layout none of the others describes (2 bits per pixel, unusual 16-bit masks).
LUM_ENUM(TPixelFormat, pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit,
         pfCustom);
// Whether the fourth byte of 32-bit pixels is alpha (afDefined) or left aside (afIgnored).
LUM_ENUM(TAlphaFormat, afIgnored, afDefined);

// Bits per pixel of a format's rows: 32 for pfDevice and pfCustom.
int BitsPerPixel(TPixelFormat Format);
bool HasColorTable(TPixelFormat Format);

// The colour table a bitmap of a format starts with: black and white, the 16 standard
// colours or the 256-entry table; empty for formats without one.
std::vector<std::uint32_t> DefaultColorTable(TPixelFormat Format);

// The format a BMP file's pixels are in.
TPixelFormat PixelFormatOf(const TBmpFormat& Format);

// The BMP file of a picture in a format: indexed at 1, 4 or 8 bits with the colour table,
// 16 bits as 5-5-5 or 5-6-5, 24 bits, or 32 bits (with the alpha mask when Alpha says so and
// some pixel is not opaque). pfDevice and pfCustom are written at 24 bits, or 32 with alpha.
std::vector<std::uint8_t> EncodeBmp(const TRaster& Pixels, TPixelFormat Format,
                                    std::span<const std::uint32_t> ColorTable, bool Alpha);

// Replaces every pixel by the colour the format stores for it, as saving and loading again
// would give: the nearest entry of the colour table, 5- or 6-bit channels, opaque pixels
// unless the format keeps alpha.
void ReduceToFormat(TRaster& Pixels, TPixelFormat Format, std::span<const std::uint32_t> ColorTable,
                    bool Alpha);

bool AnyTranslucent(const TRaster& Pixels);
