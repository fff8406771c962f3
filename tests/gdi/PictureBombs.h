#pragma once

#include <cstdint>
#include <vector>

namespace picturebombs {

// An RLE8 BMP file with a full palette of black whose RLE data ends the bitmap at once
// (padded to the given number of bytes), claiming the given size.
inline std::vector<std::uint8_t> Rle8File(std::uint32_t width, std::uint32_t height,
                                          std::size_t rleBytes = 2) {
  constexpr std::uint32_t pixelOffset = 14 + 40 + 256 * 4;
  std::vector<std::uint8_t> bytes(pixelOffset + rleBytes, 0);
  const auto put32 = [&](std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, static_cast<std::uint32_t>(bytes.size()));
  put32(10, pixelOffset);
  put32(14, 40);
  put32(18, width);
  put32(22, height);
  bytes[26] = 1;              // planes
  bytes[28] = 8;              // bits per pixel
  bytes[30] = 1;              // BI_RLE8
  bytes[pixelOffset + 1] = 1; // end of bitmap
  return bytes;
}

// 1,102 bytes claiming 16384 x 16384 pixels, a gigabyte of raster.
inline std::vector<std::uint8_t> Rle8Bomb() { return Rle8File(16384, 16384, 24); }

} // namespace picturebombs
