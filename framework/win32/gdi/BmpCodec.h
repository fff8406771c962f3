#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/gdi/Raster.h"

#include <cstdint>
#include <span>
#include <vector>

// Reads a whole BMP file (starting with the "BM" file header). Supports OS/2 1.x and 2.x
// headers, BITMAPINFOHEADER and its V2 to V5 successors; 1, 2, 4, 8, 16, 24 and 32 bits;
// BI_RGB, BI_BITFIELDS, BI_ALPHABITFIELDS, BI_RLE8, BI_RLE4 and OS/2 RLE24.
// Malformed data raises EReadError; pictures too large to hold raise EOutOfResources.
//
// Recovery rules: RLE data that ends early, lacks the end-of-bitmap marker or runs outside
// the picture keeps what was decoded; pixels it never writes take palette entry 0 (black
// for RLE24). Uncompressed data shorter than the picture needs is refused, except for the
// padding of the last row. Palette indices beyond the palette read as opaque black.
TRaster ReadBmp(const std::vector<std::uint8_t>& bytes);

// How to read a device-independent bitmap stored without its file header.
struct TDibOptions {
  // Rows to decode, replacing the header's height when not 0: icons store the height of
  // their colour image and transparency mask together.
  std::int32_t Rows = 0;
  // 32-bit BI_RGB pixels keep their fourth byte as alpha, as icons use it.
  bool AlphaInFourthByte = false;
};

// Reads a bitmap that starts with its info header (any size ReadBmp takes), followed by bit
// masks, palette and pixels as in a BMP file; pixels follow the palette directly. Errors
// as ReadBmp.
TRaster ReadDib(std::span<const std::uint8_t> dib, const TDibOptions& options = {});

// Reads a BMP file from disk. EFOpenError when it cannot be opened.
TRaster ReadBmpFile(const String& path);

// Writes a bottom-up BITMAPINFOHEADER file: 24 bits per pixel when the raster has no alpha,
// else 32 bits with alpha in the fourth byte (BI_RGB). Rows are padded to 4 bytes.
std::vector<std::uint8_t> WriteBmp(const TRaster& raster);

// Writes the file whole or not at all (see ReplaceFileContents).
void WriteBmpFile(const TRaster& raster, const String& path);
