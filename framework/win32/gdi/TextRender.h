#pragma once

#include "framework/rtl/Geometry.h"
#include "framework/win32/gdi/FontEngine.h"
#include "framework/win32/gdi/LogFont.h"
#include "framework/win32/gdi/Raster.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Where text is drawn: a raster and the parts of it that may be painted, in surface pixels.
struct TTextTarget {
  TRaster* Surface = nullptr;
  std::vector<TRect> Clip; // disjoint rectangles, as a region holds them; empty: nothing visible

  // The whole surface visible.
  static TTextTarget Whole(TRaster& surface) {
    return TTextTarget{&surface, {Rect(0, 0, surface.Width, surface.Height)}};
  }
};

// The device context's text settings. Colours are COLORREF values (0x00BBGGRR); BkMode is
// Transparent (1) or Opaque (2) as SetBkMode takes them. TA_UPDATECP draws at
// CurrentPosition and moves it.
struct TTextState {
  static constexpr int Transparent = 1;
  static constexpr int Opaque = 2;

  std::uint32_t Align = TA_LEFT | TA_TOP;
  int BkMode = Opaque;
  std::uint32_t TextColor = 0x000000;
  std::uint32_t BkColor = 0xFFFFFF;
  TPoint CurrentPosition;
};

struct TTextSize {
  int Cx = 0;
  int Cy = 0;
  friend bool operator==(const TTextSize&, const TTextSize&) = default;
};

// What GetTextExtentExPoint measures.
struct TTextFit {
  int Fit = 0;
  std::vector<int> Extents;
  TTextSize Size;
};

// The Win32 text calls without a device context: text is UTF-8, coordinates surface pixels.
namespace Gdi {

// TextOutA: the text at (x, y) as the alignment says, its cell filled with BkColor when the
// background mode is opaque. False when the target has no surface.
bool TextOut(const TTextTarget& target, const TGdiFont& font, TTextState& state, int x, int y,
             std::string_view text);

// ExtTextOutA: ETO_OPAQUE fills *rect with BkColor, ETO_CLIPPED keeps the text inside it;
// dx, when given, holds one advance per character (ERangeError when it is shorter).
bool ExtTextOut(const TTextTarget& target, const TGdiFont& font, TTextState& state, int x, int y,
                std::uint32_t options, const TRect* rect, std::string_view text,
                std::span<const int> dx = {});

// GetTextExtentPoint32A: cx the sum of the advances, cy tmHeight.
TTextSize GetTextExtentPoint32(const TGdiFont& font, std::string_view text);

// GetTextExtentExPointA, counted in characters (not bytes): the cumulative extent after each
// character, how many characters fit within maxExtent, and the whole extent.
TTextFit GetTextExtentExPoint(const TGdiFont& font, std::string_view text, int maxExtent);

// GetTextMetricsA.
TEXTMETRICA GetTextMetrics(const TGdiFont& font);

// TabbedTextOutA: tabs move to the stops (relative to tabOrigin; a negative stop aligns the
// following text's right edge to it). No stops: every 8 average characters; one stop: that
// distance repeated; past the last stop the 8-character grid goes on. Vertical alignment and
// the background mode apply (the opaque fill covers the tab gaps); horizontal alignment does
// not. Returns MAKELONG(cx, cy).
std::int32_t TabbedTextOut(const TTextTarget& target, const TGdiFont& font, TTextState& state,
                           int x, int y, std::string_view text, std::span<const int> tabStops,
                           int tabOrigin);

// GetTabbedTextExtentA: the extent TabbedTextOut would return, MAKELONG(cx, cy).
std::uint32_t GetTabbedTextExtent(const TGdiFont& font, std::string_view text,
                                  std::span<const int> tabStops);

} // namespace Gdi

// Building blocks the text layout shares.
namespace TextRender {

// The value held within ±2^30 pixels, far beyond any surface, so sizes can be added to it.
int Saturate(std::int64_t value);

// A raster pixel (0xFFRRGGBB) for a COLORREF.
std::uint32_t PixelOf(std::uint32_t colorRef);

// The target's rectangles cut to the surface and, when given, to another rectangle.
std::vector<TRect> VisibleRects(const TTextTarget& target, const TRect* within);

// Draws characters with their advances from the baseline origin (x, y) along the font's
// angle, in the given colour, inside the visible rectangles.
void DrawGlyphs(TRaster& surface, std::span<const TRect> visible, const TGdiFont& font, double x,
                double y, std::span<const char32_t> codes, std::span<const int> advances,
                std::uint32_t pixel);

// Fills the rectangle [left, right) × [top, bottom) of the text's own frame (u along the
// baseline, v downward from it) placed at the origin (x, y) and turned by the font's angle.
void FillTextBox(TRaster& surface, std::span<const TRect> visible, const TGdiFont& font, double x,
                 double y, int left, int top, int right, int bottom, std::uint32_t pixel);

// Fills an axis-aligned rectangle inside the visible rectangles.
void FillRect(TRaster& surface, std::span<const TRect> visible, const TRect& rect,
              std::uint32_t pixel);

} // namespace TextRender
