#pragma once

#include "framework/win32/gdi/FontEngine.h"
#include "framework/win32/gdi/Raster.h"
#include "framework/win32/gdi/TextRender.h"

#include <optional>

// Shared by the font and text tests: fonts come only from the packaged font files, so the
// results do not depend on other fonts installed on the machine.
inline void UsePackagedFonts() {
  static const bool done = [] {
    SetFontSources(PackagedFontFiles());
    return true;
  }();
  static_cast<void>(done);
}

// Internal to each test file: the GDI face tests name their COLORREF white the same.
constexpr std::uint32_t White = 0xFFFFFFFFu;

// The bounding box of the pixels that differ from the background colour.
inline std::optional<TRect> InkBox(const TRaster& raster, std::uint32_t background = White) {
  TRect box{raster.Width, raster.Height, -1, -1};
  for (int y = 0; y < raster.Height; ++y)
    for (int x = 0; x < raster.Width; ++x)
      if (raster.At(x, y) != background) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  if (box.Right < 0) return std::nullopt;
  return box;
}

inline int CountPixels(const TRaster& raster, std::uint32_t pixel) {
  int count = 0;
  for (const std::uint32_t p : raster.Pixels) count += p == pixel ? 1 : 0;
  return count;
}

// Black text, transparent background.
inline TTextState InkOnly(std::uint32_t align = TA_LEFT | TA_TOP) {
  TTextState state;
  state.Align = align;
  state.BkMode = TTextState::Transparent;
  return state;
}
