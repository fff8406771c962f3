#include "framework/win32/gdi/Primitives.h"

#include "framework/win32/gdi/Lines.h"
#include "framework/win32/gdi/Rop.h"
#include "framework/win32/gdi/Shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr std::uint32_t ClrInvalid = 0xFFFFFFFFu;

std::vector<TPoint> ToDevice(const TDeviceContext& dc, const std::vector<TPoint>& logical) {
  std::vector<TPoint> out;
  out.reserve(logical.size());
  for (const TPoint& p : logical) out.push_back(dc.ToDevice(p));
  return out;
}

// Draws a device-pixel path with the selected pen: cosmetic and styled at width 1, a round
// wide band beyond.
void StrokeDevicePath(TDeviceContext& dc, TSpanWriter& out, const std::vector<TPoint>& path) {
  const std::optional<TPaint> pen = dc.PenPaint();
  if (!pen || path.size() < 2) return;
  if (dc.PenWidth() > 1) {
    DrawWidePolyline(out, path, dc.PenWidth(), *pen);
    return;
  }
  TDashCursor dash{dc.PenStyle() == TPenDash::InsideFrame ? TPenDash::Solid : dc.PenStyle(), 0};
  const std::optional<TPaint> gap = dash.Dash == TPenDash::Solid ? std::nullopt : dc.GapPaint();
  for (std::size_t i = 0; i + 1 < path.size(); ++i)
    DrawCosmeticLine(out, path[i], path[i + 1], dash, *pen, gap ? &*gap : nullptr);
}

// The figure pen of the DC; `gap` must outlive the result.
TFigurePen FigurePen(const TDeviceContext& dc, const std::optional<TPaint>& pen,
                     const std::optional<TPaint>& gap, double startAngle = 0) {
  TFigurePen figure{pen ? &*pen : nullptr, dc.PenWidth(), dc.PenStyle() == TPenDash::InsideFrame};
  figure.Dash = dc.PenStyle();
  figure.Gap = gap ? &*gap : nullptr;
  figure.StartAngle = startAngle;
  return figure;
}

// The box a figure fills: without a pen GDI leaves out the right column and bottom row.
TRoundBox FigureBox(const TDeviceContext& dc, TRect logical, bool hasPen, double cw, double ch) {
  TRect r = Normalised(dc.ToDevice(Normalised(logical)));
  const int cut = hasPen ? 0 : 1;
  return TRoundBox(r.Left, r.Top, r.Right - cut, r.Bottom - cut, cw, ch);
}

// The pixels on the cap's side of the chord from the arc's start ps to its end pe, and on it.
class TChordSide : public TPixelFilter {
public:
  TChordSide(TPoint ps, TPoint pe) : ps_(ps), pe_(pe) {}
  bool Keeps(long long x, long long y) const override {
    const long long ex = pe_.X - ps_.X, ey = pe_.Y - ps_.Y;
    return ex * (y - ps_.Y) - ey * (x - ps_.X) >= 0 || (ex == 0 && ey == 0);
  }

private:
  TPoint ps_, pe_;
};

TPaint InvertPaint() {
  TPaint paint;
  paint.Rop2 = 6; // R2_NOT
  return paint;
}

// The binary operation a pattern-and-destination ternary operation amounts to.
int Rop2OfRop3(unsigned index) {
  const unsigned table =
      (index & 1u) | (index >> 1 & 1u) << 1 | (index >> 4 & 1u) << 2 | (index >> 5 & 1u) << 3;
  return static_cast<int>(table) + 1;
}

} // namespace

void StrokePolyline(TDeviceContext& dc, const std::vector<TPoint>& logical) {
  TSpanWriter out = dc.Writer();
  StrokeDevicePath(dc, out, ToDevice(dc, logical));
}

void LineToPoint(TDeviceContext& dc, TPoint to) {
  StrokePolyline(dc, {dc.State().CurrentPosition, to});
  dc.State().CurrentPosition = to;
}

void DrawRectangle(TDeviceContext& dc, TRect logical) {
  const std::optional<TPaint> pen = dc.PenPaint();
  const std::optional<TPaint> brush = dc.BrushPaint();
  TRect r = Normalised(dc.ToDevice(Normalised(logical)));
  if (r.IsEmpty()) return;
  TSpanWriter out = dc.Writer();
  if (!pen) {
    if (brush) out.FillRect(TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1}, *brush);
    return;
  }
  const int w = dc.PenWidth();
  const bool inside = w > 1 && dc.PenStyle() == TPenDash::InsideFrame;
  const int pl = r.Left + (inside ? (w - 1) / 2 : 0);
  const int pt = r.Top + (inside ? (w - 1) / 2 : 0);
  const int pr = r.Right - 1 - (inside ? w / 2 : 0);
  const int pb = r.Bottom - 1 - (inside ? w / 2 : 0);
  if (brush)
    out.FillRect(TRect{pl + w / 2 + 1, pt + w / 2 + 1, pr - (w - 1) / 2, pb - (w - 1) / 2}, *brush);
  // One closed figure, counter-clockwise from the top right corner (clockwise from the bottom
  // right under AD_CLOCKWISE): a styled pen's pattern starts there and runs on around the
  // corners.
  if (dc.State().ClockwiseArcs)
    StrokeDevicePath(dc, out, {{pr, pb}, {pl, pb}, {pl, pt}, {pr, pt}, {pr, pb}});
  else
    StrokeDevicePath(dc, out, {{pr, pt}, {pl, pt}, {pl, pb}, {pr, pb}, {pr, pt}});
}

void DrawRoundRect(TDeviceContext& dc, TRect r, int cornerWidth, int cornerHeight) {
  const std::optional<TPaint> pen = dc.PenPaint();
  const std::optional<TPaint> brush = dc.BrushPaint();
  const TRoundBox box =
      FigureBox(dc, r, pen.has_value(), std::abs(static_cast<double>(cornerWidth)),
                std::abs(static_cast<double>(cornerHeight)));
  TSpanWriter out = dc.Writer();
  const std::optional<TPaint> gap = dc.GapPaint();
  DrawRoundFigure(out, box, FigurePen(dc, pen, gap), brush ? &*brush : nullptr, nullptr, nullptr);
}

void DrawEllipse(TDeviceContext& dc, TRect r) {
  const std::optional<TPaint> pen = dc.PenPaint();
  const std::optional<TPaint> brush = dc.BrushPaint();
  TRect n = Normalised(r);
  const TRoundBox box = FigureBox(dc, n, pen.has_value(), 1e18, 1e18);
  TSpanWriter out = dc.Writer();
  const std::optional<TPaint> gap = dc.GapPaint();
  DrawRoundFigure(out, box, FigurePen(dc, pen, gap), brush ? &*brush : nullptr, nullptr, nullptr);
}

std::pair<TPoint, TPoint> ArcEnds(TDeviceContext& dc, TRect r, TPoint start, TPoint end) {
  const TRoundBox box = FigureBox(dc, r, true, 1e18, 1e18);
  return {dc.ToLogical(EllipsePoint(box, dc.ToDevice(start))),
          dc.ToLogical(EllipsePoint(box, dc.ToDevice(end)))};
}

void DrawArcFigure(TDeviceContext& dc, TRect r, TPoint start, TPoint end, TArcFigure figure) {
  const std::optional<TPaint> pen = dc.PenPaint();
  const std::optional<TPaint> brush = figure == TArcFigure::Arc ? std::nullopt : dc.BrushPaint();
  if (figure == TArcFigure::Arc && !pen) return;
  const TRoundBox box = FigureBox(dc, r, pen.has_value(), 1e18, 1e18);
  TPoint s = dc.ToDevice(start);
  TPoint e = dc.ToDevice(end);
  if (dc.State().ClockwiseArcs) std::swap(s, e);
  const double cx = static_cast<double>(box.Left() + box.Right()) / 2.0;
  const double cy = static_cast<double>(box.Top() + box.Bottom()) / 2.0;
  const TSweep sweep(cx, cy, s, e);
  const TPoint ps = EllipsePoint(box, s);
  const TPoint pe = EllipsePoint(box, e);
  const TChordSide inChord(ps, pe);
  TSpanWriter out = dc.Writer();
  const TPixelFilter* interior = &sweep;
  if (figure == TArcFigure::Chord) interior = &inChord;
  const std::optional<TPaint> gap = dc.GapPaint();
  const double startAngle = std::atan2(cy - (s.Y + 0.5), s.X + 0.5 - cx);
  DrawRoundFigure(out, box, FigurePen(dc, pen, gap, startAngle), brush ? &*brush : nullptr, &sweep,
                  interior);
  const TPoint centre{static_cast<int>(std::floor(cx)), static_cast<int>(std::floor(cy))};
  if (figure == TArcFigure::Pie) StrokeDevicePath(dc, out, {ps, centre, pe});
  if (figure == TArcFigure::Chord) StrokeDevicePath(dc, out, {pe, ps});
}

void DrawPolyPolygon(TDeviceContext& dc, const std::vector<std::vector<TPoint>>& logical) {
  std::vector<std::vector<TPoint>> polygons;
  for (const auto& poly : logical) polygons.push_back(ToDevice(dc, poly));
  TSpanWriter out = dc.Writer();
  if (const std::optional<TPaint> brush = dc.BrushPaint())
    FillPolygons(out, polygons, dc.State().PolyFillMode, *brush);
  for (std::vector<TPoint>& poly : polygons) {
    if (poly.empty()) continue;
    poly.push_back(poly.front());
    StrokeDevicePath(dc, out, poly);
  }
}

void FillRectWith(TDeviceContext& dc, TRect r, THandleId brush) {
  const std::optional<TPaint> paint = dc.BrushPaint(brush, Rop2CopyPen);
  if (!paint) return;
  TSpanWriter out = dc.Writer();
  out.FillRect(Normalised(dc.ToDevice(r)), *paint);
}

void FillRectWithPaint(TDeviceContext& dc, TRect r, const TPaint& paint) {
  TSpanWriter out = dc.Writer();
  out.FillRect(Normalised(dc.ToDevice(r)), paint);
}

void FrameRectWith(TDeviceContext& dc, TRect r, THandleId brush) {
  const std::optional<TPaint> paint = dc.BrushPaint(brush, Rop2CopyPen);
  TRect d = dc.ToDevice(r);
  if (!paint || d.IsEmpty()) return;
  TSpanWriter out = dc.Writer();
  out.FillRect({d.Left, d.Top, d.Right, d.Top + 1}, *paint);
  if (d.Bottom - 1 > d.Top) out.FillRect({d.Left, d.Bottom - 1, d.Right, d.Bottom}, *paint);
  out.FillRect({d.Left, d.Top + 1, d.Left + 1, d.Bottom - 1}, *paint);
  if (d.Right - 1 > d.Left) out.FillRect({d.Right - 1, d.Top + 1, d.Right, d.Bottom - 1}, *paint);
}

void InvertRectangle(TDeviceContext& dc, TRect r) {
  TSpanWriter out = dc.Writer();
  out.FillRect(dc.ToDevice(r), InvertPaint());
}

void DrawFocusRectangle(TDeviceContext& dc, TRect r) {
  const TRect d = dc.ToDevice(r);
  if (d.IsEmpty()) return;
  TSpanWriter out = dc.Writer();
  const TPaint invert = InvertPaint();
  auto dot = [&](long long x, long long y) {
    if (((x + y) & 1) == 0) out.Pixel(x, y, invert);
  };
  const TRect& clip = out.DeviceClipBox();
  const long long x0 = std::max(d.Left, clip.Left);
  const long long x1 = std::min(d.Right, clip.Right);
  const long long y0 = std::max(d.Top + 1, clip.Top);
  const long long y1 = std::min(d.Bottom - 1, clip.Bottom);
  for (long long x = x0; x < x1; ++x) {
    dot(x, d.Top);
    if (d.Bottom - 1 > d.Top) dot(x, d.Bottom - 1);
  }
  for (long long y = y0; y < y1; ++y) {
    dot(d.Left, y);
    if (d.Right - 1 > d.Left) dot(d.Right - 1, y);
  }
}

bool PatternBlit(TDeviceContext& dc, TRect r, std::uint32_t rop) {
  const unsigned index = rop >> 16 & 0xFFu;
  if (RopUsesSource(index)) return false;
  const int rop2 = Rop2OfRop3(index);
  std::optional<TPaint> paint = dc.BrushPaint(dc.State().Brush, rop2);
  if (!paint) {
    if (RopUsesPattern(index)) return true;
    paint = TPaint{};
    paint->Rop2 = rop2;
  }
  TSpanWriter out = dc.Writer();
  out.FillRect(Normalised(dc.ToDevice(r)), *paint);
  return true;
}

std::uint32_t SetPixelColour(TDeviceContext& dc, TPoint p, std::uint32_t colour) {
  TSpanWriter out = dc.Writer();
  const TPoint d = dc.ToDevice(p);
  if (!out.Visible(d.X, d.Y)) return ClrInvalid;
  TPaint paint;
  paint.Colour = ColorRefToPixel(colour);
  out.Pixel(d.X, d.Y, paint);
  return dc.Monochrome() ? NearestMono(colour) : colour & 0x00FFFFFFu;
}

std::uint32_t GetPixelColour(TDeviceContext& dc, TPoint p) {
  TSpanWriter out = dc.Writer();
  const TPoint d = dc.ToDevice(p);
  if (!out.Visible(d.X, d.Y)) return ClrInvalid;
  return PixelToColorRef(out.Surface().At(d.X + out.Origin().X, d.Y + out.Origin().Y));
}
