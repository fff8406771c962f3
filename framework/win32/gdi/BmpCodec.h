#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/gdi/Raster.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

// Reads a whole BMP file (starting with the "BM" file header). Supports OS/2 1.x and 2.x
// headers, BITMAPINFOHEADER and its V2 to V5 successors; 1, 2, 4, 8, 16, 24 and 32 bits;
// BI_RGB, BI_BITFIELDS, BI_ALPHABITFIELDS, BI_RLE8, BI_RLE4 and OS/2 RLE24.
// Malformed data raises EReadError; pictures above MaxPicturePixels raise EOutOfResources.
//
// Recovery rules: RLE data that ends early, lacks the end-of-bitmap marker or runs outside
// the picture keeps what was decoded; pixels it never writes take palette entry 0 (black
// for RLE24). RLE data is refused when the picture has more than a megapixel and over 128
// pixels per byte of data, more than its runs could give. Uncompressed data shorter than the
// picture needs is refused, except for the padding of the last row. Palette indices beyond the
// palette read as opaque black.
TRaster ReadBmp(const std::vector<std::uint8_t>& bytes);

// What a BMP file's headers say of its pixels, read without decoding them.
struct TBmpFormat {
  int BitCount = 0;
  // Red, green, blue and alpha masks of 16- and 32-bit pixels, the defaults filled in.
  std::array<std::uint32_t, 4> Masks{};
  // 1 to 8 bits: the palette entries the file holds (0xFFRRGGBB), at most 2^BitCount.
  std::vector<std::uint32_t> Palette;
};

// Reads the headers and palette of a whole BMP file. Errors as ReadBmp.
TBmpFormat ReadBmpFormat(const std::vector<std::uint8_t>& bytes);

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

// Writes a bottom-up file of 1, 4 or 8 bits per pixel with the given palette (1 to 2^bits
// entries); each pixel is stored as the index of the palette colour nearest to it (alpha
// ignored). EWriteError for another bit count or palette size.
std::vector<std::uint8_t> WriteBmpIndexed(const TRaster& raster, int bits,
                                          std::span<const std::uint32_t> palette);

// Writes 16 bits per pixel: 5-5-5 as BI_RGB, or 5-6-5 with BI_BITFIELDS masks. Each channel
// is rounded to the nearest level, which reads back as the 8-bit value that level expands to.
std::vector<std::uint8_t> WriteBmp16(const TRaster& raster, bool rgb565);

// Writes 32 bits per pixel. Without alpha a plain BI_RGB file whose fourth bytes are 0 (read
// as opaque); with alpha a BITMAPV5HEADER with BI_BITFIELDS masks that name the fourth byte
// as alpha, so that readers keep it.
std::vector<std::uint8_t> WriteBmp32(const TRaster& raster, bool alpha);

// Writes the file whole or not at all (see ReplaceFileContents).
void WriteBmpFile(const TRaster& raster, const String& path);
