#pragma once

#include <cstdint>

// Raster operations on pixels of the form 0x00RRGGBB; the alpha byte of a surface pixel is
// set to opaque by whoever stores the result.

// The 16 binary raster operations R2_BLACK (1) … R2_WHITE (16) of a pen P over a pixel D.
// Bit (2*P + D) of (code - 1) is the result for one bit of P and D.
inline std::uint32_t ApplyRop2(int code, std::uint32_t p, std::uint32_t d) {
  const unsigned table = static_cast<unsigned>(code - 1) & 0xFu;
  std::uint32_t r = 0;
  if (table & 1u) r |= ~p & ~d;
  if (table & 2u) r |= ~p & d;
  if (table & 4u) r |= p & ~d;
  if (table & 8u) r |= p & d;
  return r & 0x00FFFFFFu;
}

// The 256 ternary raster operations by their index (the high word's low byte of a ROP code
// such as SRCCOPY 0x00CC0020): bit (4*P + 2*S + D) of the index is the result.
inline std::uint32_t ApplyRop3(unsigned index, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  std::uint32_t r = 0;
  for (unsigned bit = 0; bit < 8; ++bit) {
    if (!(index >> bit & 1u)) continue;
    r |= ((bit & 4u) ? p : ~p) & ((bit & 2u) ? s : ~s) & ((bit & 1u) ? d : ~d);
  }
  return r & 0x00FFFFFFu;
}

// Whether a ternary operation reads the pattern, the source or the destination.
inline bool RopUsesPattern(unsigned index) { return ((index >> 4) ^ index) & 0x0Fu; }
inline bool RopUsesSource(unsigned index) { return ((index >> 2) ^ index) & 0x33u; }
inline bool RopUsesDestination(unsigned index) { return ((index >> 1) ^ index) & 0x55u; }

// Black or white, whichever is nearer: how a colour lands on a monochrome surface.
inline std::uint32_t NearestMono(std::uint32_t rgb) {
  const unsigned sum = (rgb >> 16 & 0xFFu) + (rgb >> 8 & 0xFFu) + (rgb & 0xFFu);
  return sum >= 384 ? 0x00FFFFFFu : 0u;
}
