#include "framework/win32/gdi/TextRender.h"

#include "framework/rtl/Checked.h"
#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/PixelRuns.h"
#include "framework/win32/gdi/Utf8.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// cos and sin of the font's angle, exact for quarter turns.
struct TDirection {
  double Cos = 1;
  double Sin = 0;
};

TDirection DirectionOf(const TGdiFont& font) {
  const int escapement = ((font.LogFont().lfEscapement % 3600) + 3600) % 3600;
  switch (escapement) {
  case 0:
    return {1, 0};
  case 900:
    return {0, 1};
  case 1800:
    return {-1, 0};
  case 2700:
    return {0, -1};
  default:
    return {std::cos(font.Angle()), std::sin(font.Angle())};
  }
}

// Positions this far out are off every surface; keeping them there leaves room to add
// glyph and text sizes without overflow.
constexpr double FarAway = 1 << 30;

int Round(double value) {
  return static_cast<int>(std::lround(std::clamp(value, -FarAway, FarAway)));
}

std::optional<TRect> Intersect(const TRect& a, const TRect& b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (r.IsEmpty()) return std::nullopt;
  return r;
}

// under × (255 − coverage) + over × coverage, divided by 255 with rounding, for two 8-bit
// channels at once in the 16-bit lanes of a word.
std::uint32_t MixLanes(std::uint32_t under, std::uint32_t over, std::uint32_t coverage) {
  const std::uint32_t mixed = under * (255 - coverage) + over * coverage + 0x00800080u;
  return ((mixed + ((mixed >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

std::uint32_t Blend(std::uint32_t under, std::uint32_t over, std::uint32_t coverage) {
  if (coverage == 255) return over;
  const std::uint32_t redBlue = MixLanes(under & 0x00FF00FFu, over & 0x00FF00FFu, coverage);
  const std::uint32_t alphaGreen =
      MixLanes(under >> 8 & 0x00FF00FFu, over >> 8 & 0x00FF00FFu, coverage);
  return redBlue | alphaGreen << 8;
}

#if defined(__SSE2__)
// Blend for two pixels in the 16-bit lanes of a vector: under × (255 − c) + over × c, divided
// by 255 with rounding exactly as MixLanes does.
__m128i MixPixelLanes(__m128i under, __m128i over, __m128i coverage) {
  const __m128i full = _mm_set1_epi16(255);
  const __m128i half = _mm_set1_epi16(128);
  __m128i mixed = _mm_add_epi16(_mm_mullo_epi16(under, _mm_sub_epi16(full, coverage)),
                                _mm_mullo_epi16(over, coverage));
  mixed = _mm_add_epi16(mixed, half);
  return _mm_srli_epi16(_mm_add_epi16(mixed, _mm_srli_epi16(mixed, 8)), 8);
}

// Each of the low four coverage bytes repeated over the four channels of its pixel, as 16-bit
// lanes: pixels 0 and 1 in low, 2 and 3 in high.
void SpreadCoverage(std::uint32_t bytes, __m128i& low, __m128i& high) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i words = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(bytes)), zero);
  const __m128i pairs = _mm_unpacklo_epi16(words, words);
  low = _mm_unpacklo_epi32(pairs, pairs);
  high = _mm_unpackhi_epi32(pairs, pairs);
}

// The row's pixels blended towards `pixel` by their coverage, four or two at a time; the
// results are those of Blend.
void BlendRow(std::uint32_t* row, const std::uint8_t* coverage, int count, std::uint32_t pixel) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i over = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(pixel)), zero);
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    std::uint32_t bytes;
    std::memcpy(&bytes, coverage + i, sizeof bytes);
    if (bytes == 0) continue;
    __m128i low, high;
    SpreadCoverage(bytes, low, high);
    auto* at = reinterpret_cast<__m128i*>(row + i);
    const __m128i under = _mm_loadu_si128(at);
    const __m128i mixedLow = MixPixelLanes(_mm_unpacklo_epi8(under, zero), over, low);
    const __m128i mixedHigh = MixPixelLanes(_mm_unpackhi_epi8(under, zero), over, high);
    _mm_storeu_si128(at, _mm_packus_epi16(mixedLow, mixedHigh));
  }
  if (i + 2 <= count) {
    const std::uint32_t bytes = coverage[i] | static_cast<std::uint32_t>(coverage[i + 1]) << 8;
    if (bytes != 0) {
      __m128i low, high;
      SpreadCoverage(bytes, low, high);
      auto* at = reinterpret_cast<__m128i*>(row + i);
      const __m128i under = _mm_loadl_epi64(at);
      const __m128i mixed = MixPixelLanes(_mm_unpacklo_epi8(under, zero), over, low);
      _mm_storel_epi64(at, _mm_packus_epi16(mixed, zero));
    }
    i += 2;
  }
  if (i < count && coverage[i] != 0) row[i] = Blend(row[i], pixel, coverage[i]);
}
#else
void BlendRow(std::uint32_t* row, const std::uint8_t* coverage, int count, std::uint32_t pixel) {
  for (int i = 0; i < count; ++i)
    if (coverage[i] != 0) row[i] = Blend(row[i], pixel, coverage[i]);
}
#endif

void BlitGlyph(TRaster& surface, std::span<const TRect> visible, const TGlyph& glyph, int left,
               int top, std::uint32_t pixel) {
  const TRect box = Bounds(left, top, glyph.Width, glyph.Height);
  for (const TRect& clip : visible) {
    const auto part = Intersect(box, clip);
    if (!part) continue;
    for (int y = part->Top; y < part->Bottom; ++y) {
      const std::uint8_t* coverage = glyph.Coverage.data() +
                                     static_cast<std::size_t>(y - top) * glyph.Width +
                                     (part->Left - left);
      BlendRow(&surface.At(part->Left, y), coverage, part->Width(), pixel);
    }
  }
}

struct TRun {
  std::vector<char32_t> Codes;
  std::vector<int> Advances;
  int Width = 0;
};

TRun MakeRun(const TGdiFont& font, std::string_view text, std::span<const int> dx) {
  TRun run;
  run.Codes = DecodeUtf8(text);
  if (!dx.empty() && dx.size() < run.Codes.size())
    throw ERangeError("ExtTextOut: " + std::to_string(dx.size()) + " advances given for " +
                      std::to_string(run.Codes.size()) + " characters");
  run.Advances.reserve(run.Codes.size());
  TGlyphCache& glyphs = font.Glyphs();
  for (std::size_t i = 0; i < run.Codes.size(); ++i) {
    const int advance = dx.empty() ? glyphs.Advance(run.Codes[i]) : dx[i];
    run.Advances.push_back(advance);
    run.Width = CheckedAdd(run.Width, advance);
  }
  return run;
}

// Distance from the reference point down to the baseline, along the text's own frame.
int BaselineOffset(const TEXTMETRICA& tm, std::uint32_t align) {
  if ((align & TA_BASELINE) == TA_BASELINE) return 0;
  if ((align & TA_BOTTOM) != 0) return -tm.tmDescent;
  return tm.tmAscent;
}

// Distance from the reference point to the start of the text along the baseline.
int StartOffset(std::uint32_t align, int width) {
  if ((align & TA_CENTER) == TA_CENTER) return -(width / 2);
  if ((align & TA_RIGHT) != 0) return -width;
  return 0;
}

struct TOrigin {
  double X = 0;
  double Y = 0;
};

TOrigin Place(const TDirection& d, double x, double y, double u, double v) {
  return {x + u * d.Cos + v * d.Sin, y - u * d.Sin + v * d.Cos};
}

void DrawDecorations(TRaster& surface, std::span<const TRect> visible, const TGdiFont& font,
                     TOrigin origin, int left, int right, std::uint32_t pixel) {
  const LOGFONTA& logFont = font.LogFont();
  const TFontLines& lines = font.Lines();
  if (logFont.lfUnderline != 0)
    TextRender::FillTextBox(surface, visible, font, origin.X, origin.Y, left, lines.UnderlineTop,
                            right, lines.UnderlineTop + lines.UnderlineThickness, pixel);
  if (logFont.lfStrikeOut != 0)
    TextRender::FillTextBox(surface, visible, font, origin.X, origin.Y, left, lines.StrikeOutTop,
                            right, lines.StrikeOutTop + lines.StrikeOutThickness, pixel);
}

// Moves the current position as TA_UPDATECP does: past the text when left-aligned, to its
// start when right-aligned, not at all when centred.
void UpdateCurrentPosition(TTextState& state, const TDirection& d, int width) {
  if ((state.Align & TA_CENTER) == TA_CENTER) return;
  const TPoint reference = state.CurrentPosition;
  if ((state.Align & TA_RIGHT) != 0) {
    state.CurrentPosition = Point(CheckedSub(reference.X, Round(width * d.Cos)),
                                  CheckedAdd(reference.Y, Round(width * d.Sin)));
    return;
  }
  state.CurrentPosition = Point(CheckedAdd(reference.X, Round(width * d.Cos)),
                                CheckedSub(reference.Y, Round(width * d.Sin)));
}

// A piece of tabbed text and where it starts, in pixels from the call's x.
struct TTabSegment {
  std::size_t Begin = 0;
  std::size_t End = 0;
  std::int64_t Gap = 0; // where the fill starts: the pen position before the tab
  std::int64_t Start = 0;
  std::int64_t Width = 0;
};

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// The start of the text after a tab: the first stop beyond the pen (right stops: whose text
// still starts beyond it), else the next multiple of the default distance.
std::int64_t TabTarget(std::span<const int> stops, std::int64_t defaultWidth, std::int64_t origin,
                       std::int64_t pen, std::int64_t width) {
  for (const int stop : stops) {
    const std::int64_t position = origin + std::abs(static_cast<std::int64_t>(stop));
    if (stop >= 0 && position > pen) return position;
    if (stop < 0 && position - width > pen) return position - width;
  }
  return origin + (FloorDiv(pen - origin, defaultWidth) + 1) * defaultWidth;
}

std::vector<TTabSegment> LayoutTabs(const TGdiFont& font, std::string_view text,
                                    std::span<const int> stops, int x, int tabOrigin) {
  std::int64_t defaultWidth = 8 * font.Metrics().tmAveCharWidth;
  if (stops.size() == 1) {
    if (stops[0] != 0) defaultWidth = std::abs(static_cast<std::int64_t>(stops[0]));
    stops = {};
  }
  const std::int64_t origin = static_cast<std::int64_t>(tabOrigin) - x;
  std::vector<TTabSegment> segments;
  std::int64_t pen = 0;
  std::size_t begin = 0;
  bool afterTab = false;
  while (true) {
    const std::size_t tab = text.find('\t', begin);
    const std::size_t end = tab == std::string_view::npos ? text.size() : tab;
    TTabSegment segment{begin, end, pen, pen, font.TextWidth(text.substr(begin, end - begin))};
    if (afterTab) segment.Start = TabTarget(stops, defaultWidth, origin, pen, segment.Width);
    pen = segment.Start + segment.Width;
    segments.push_back(segment);
    if (tab == std::string_view::npos) break;
    begin = tab + 1;
    afterTab = true;
  }
  return segments;
}

std::uint32_t PackExtent(std::int64_t cx, int cy) {
  return (static_cast<std::uint32_t>(cy) & 0xFFFF) << 16 |
         (static_cast<std::uint32_t>(cx) & 0xFFFF);
}

} // namespace

namespace TextRender {

int Saturate(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, -(1 << 30), 1 << 30));
}

std::uint32_t PixelOf(std::uint32_t colorRef) {
  return 0xFF000000u | (colorRef & 0xFF) << 16 | (colorRef & 0xFF00) | (colorRef >> 16 & 0xFF);
}

std::vector<TRect> VisibleRects(const TTextTarget& target, const TRect* within) {
  std::vector<TRect> visible;
  if (target.Surface == nullptr) return visible;
  const TRect surface = Rect(0, 0, target.Surface->Width, target.Surface->Height);
  for (const TRect& clip : target.Clip) {
    auto part = Intersect(clip, surface);
    if (part && within != nullptr) part = Intersect(*part, *within);
    if (part) visible.push_back(*part);
  }
  return visible;
}

void DrawGlyphs(TRaster& surface, std::span<const TRect> visible, const TGdiFont& font, double x,
                double y, std::span<const char32_t> codes, std::span<const int> advances,
                std::uint32_t pixel) {
  if (visible.empty()) return;
  const TDirection d = DirectionOf(font);
  TGlyphCache& glyphs = font.Glyphs();
  long along = 0;
  for (std::size_t i = 0; i < codes.size(); ++i) {
    const TGlyph& glyph = glyphs.Glyph(codes[i]);
    if (glyph.Width > 0) {
      const int penX = Round(x + static_cast<double>(along) * d.Cos);
      const int penY = Round(y - static_cast<double>(along) * d.Sin);
      BlitGlyph(surface, visible, glyph, penX + glyph.Left, penY - glyph.Top, pixel);
    }
    along += advances[i];
  }
}

void FillRect(TRaster& surface, std::span<const TRect> visible, const TRect& rect,
              std::uint32_t pixel) {
  for (const TRect& clip : visible) {
    const auto part = Intersect(rect, clip);
    if (!part) continue;
    for (int y = part->Top; y < part->Bottom; ++y)
      FillPixels(&surface.At(part->Left, y), static_cast<std::size_t>(part->Width()), pixel);
  }
}

void FillTextBox(TRaster& surface, std::span<const TRect> visible, const TGdiFont& font, double x,
                 double y, int left, int top, int right, int bottom, std::uint32_t pixel) {
  if (right <= left || bottom <= top) return;
  const TDirection d = DirectionOf(font);
  if (d.Cos == 1) {
    const int ox = Round(x);
    const int oy = Round(y);
    FillRect(surface, visible,
             Rect(TextRender::Saturate(std::int64_t{ox} + left),
                  TextRender::Saturate(std::int64_t{oy} + top),
                  TextRender::Saturate(std::int64_t{ox} + right),
                  TextRender::Saturate(std::int64_t{oy} + bottom)),
             pixel);
    return;
  }
  double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
  for (const int u : {left, right})
    for (const int v : {top, bottom}) {
      const TOrigin corner = Place(d, x, y, u, v);
      minX = std::min(minX, corner.X), maxX = std::max(maxX, corner.X);
      minY = std::min(minY, corner.Y), maxY = std::max(maxY, corner.Y);
    }
  const TRect box = Rect(static_cast<int>(std::floor(minX)), static_cast<int>(std::floor(minY)),
                         static_cast<int>(std::ceil(maxX)), static_cast<int>(std::ceil(maxY)));
  for (const TRect& clip : visible) {
    const auto part = Intersect(box, clip);
    if (!part) continue;
    for (int py = part->Top; py < part->Bottom; ++py)
      for (int px = part->Left; px < part->Right; ++px) {
        const double dx = px + 0.5 - x;
        const double dy = py + 0.5 - y;
        const double u = dx * d.Cos - dy * d.Sin;
        const double v = dx * d.Sin + dy * d.Cos;
        if (u >= left && u < right && v >= top && v < bottom) surface.At(px, py) = pixel;
      }
  }
}

} // namespace TextRender

namespace Gdi {

bool TextOut(const TTextTarget& target, const TGdiFont& font, TTextState& state, int x, int y,
             std::string_view text) {
  return ExtTextOut(target, font, state, x, y, 0, nullptr, text);
}

bool ExtTextOut(const TTextTarget& target, const TGdiFont& font, TTextState& state, int x, int y,
                std::uint32_t options, const TRect* rect, std::string_view text,
                std::span<const int> dx) {
  if (target.Surface == nullptr) return false;
  const TRun run = MakeRun(font, text, dx);
  const TEXTMETRICA& tm = font.Metrics();
  const TDirection d = DirectionOf(font);
  const TPoint reference = (state.Align & TA_UPDATECP) != 0 ? state.CurrentPosition : Point(x, y);
  const TOrigin origin = Place(d, reference.X, reference.Y, StartOffset(state.Align, run.Width),
                               BaselineOffset(tm, state.Align));
  TRaster& surface = *target.Surface;
  const std::uint32_t background = TextRender::PixelOf(state.BkColor);
  if ((options & ETO_OPAQUE) != 0 && rect != nullptr)
    TextRender::FillRect(surface, TextRender::VisibleRects(target, nullptr), *rect, background);
  const TRect* clipRect = (options & ETO_CLIPPED) != 0 ? rect : nullptr;
  const std::vector<TRect> visible = TextRender::VisibleRects(target, clipRect);
  if (state.BkMode == TTextState::Opaque)
    TextRender::FillTextBox(surface, visible, font, origin.X, origin.Y, 0, -tm.tmAscent, run.Width,
                            tm.tmDescent, background);
  const std::uint32_t ink = TextRender::PixelOf(state.TextColor);
  TextRender::DrawGlyphs(surface, visible, font, origin.X, origin.Y, run.Codes, run.Advances, ink);
  DrawDecorations(surface, visible, font, origin, 0, run.Width, ink);
  if ((state.Align & TA_UPDATECP) != 0) UpdateCurrentPosition(state, d, run.Width);
  return true;
}

TTextSize GetTextExtentPoint32(const TGdiFont& font, std::string_view text) {
  return TTextSize{font.TextWidth(text), font.Metrics().tmHeight};
}

TTextFit GetTextExtentExPoint(const TGdiFont& font, std::string_view text, int maxExtent) {
  TTextFit fit;
  TGlyphCache& glyphs = font.Glyphs();
  int extent = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    extent = CheckedAdd(extent, glyphs.Advance(NextCodePoint(text, pos)));
    fit.Extents.push_back(extent);
    if (extent <= maxExtent) ++fit.Fit;
  }
  fit.Size = TTextSize{extent, font.Metrics().tmHeight};
  return fit;
}

TEXTMETRICA GetTextMetrics(const TGdiFont& font) { return font.Metrics(); }

std::int32_t TabbedTextOut(const TTextTarget& target, const TGdiFont& font, TTextState& state,
                           int x, int y, std::string_view text, std::span<const int> tabStops,
                           int tabOrigin) {
  const std::vector<TTabSegment> segments = LayoutTabs(font, text, tabStops, x, tabOrigin);
  const TEXTMETRICA& tm = font.Metrics();
  const std::int64_t extent = segments.back().Start + segments.back().Width;
  if (target.Surface != nullptr) {
    const TDirection d = DirectionOf(font);
    const TOrigin origin = Place(d, x, y, 0, BaselineOffset(tm, state.Align));
    TRaster& surface = *target.Surface;
    const std::vector<TRect> visible = TextRender::VisibleRects(target, nullptr);
    const std::uint32_t ink = TextRender::PixelOf(state.TextColor);
    for (const TTabSegment& segment : segments) {
      if (state.BkMode == TTextState::Opaque)
        TextRender::FillTextBox(surface, visible, font, origin.X, origin.Y,
                                TextRender::Saturate(segment.Gap), -tm.tmAscent,
                                TextRender::Saturate(segment.Start + segment.Width), tm.tmDescent,
                                TextRender::PixelOf(state.BkColor));
      const TRun run = MakeRun(font, text.substr(segment.Begin, segment.End - segment.Begin), {});
      const TOrigin start = Place(d, origin.X, origin.Y, static_cast<double>(segment.Start), 0);
      TextRender::DrawGlyphs(surface, visible, font, start.X, start.Y, run.Codes, run.Advances,
                             ink);
      DrawDecorations(surface, visible, font, origin, TextRender::Saturate(segment.Start),
                      TextRender::Saturate(segment.Start + segment.Width), ink);
    }
  }
  return static_cast<std::int32_t>(PackExtent(extent, tm.tmHeight));
}

std::uint32_t GetTabbedTextExtent(const TGdiFont& font, std::string_view text,
                                  std::span<const int> tabStops) {
  const std::vector<TTabSegment> segments = LayoutTabs(font, text, tabStops, 0, 0);
  return PackExtent(segments.back().Start + segments.back().Width, font.Metrics().tmHeight);
}

} // namespace Gdi
