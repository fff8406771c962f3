#include "framework/win32/gdi/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

TRowSpan Intersect(TRowSpan a, TRowSpan b) {
  return {std::max(a.Left, b.Left), std::min(a.Right, b.Right)};
}

// Row spans of the figure's interior for a one-pixel outline: pixels whose four neighbours
// are all inside the figure.
TRowSpan InnerRow(const TRoundBox& box, long long y) {
  TRowSpan row = box.Row(y);
  TRowSpan inner{row.Left + 1, row.Right - 1};
  return Intersect(inner, Intersect(box.Row(y - 1), box.Row(y + 1)));
}

void PaintSpan(TSpanWriter& out, long long y, TRowSpan span, const TPaint& paint,
               const TPixelFilter* filter) {
  if (span.Empty()) return;
  const TRect& clip = out.DeviceClipBox();
  span = Intersect(span, TRowSpan{clip.Left, clip.Right - 1LL});
  if (span.Empty()) return;
  if (!filter) {
    out.FillSpan(y, span.Left, span.Right + 1, paint);
    return;
  }
  filter->ForEachRun(y, span.Left, span.Right, [&](long long first, long long last) {
    out.FillSpan(y, first, last + 1, paint);
  });
}

// Paints `whole` minus `hole` (hole within whole or empty) of row y.
void PaintRing(TSpanWriter& out, long long y, TRowSpan whole, TRowSpan hole, const TPaint& paint,
               const TPixelFilter* filter) {
  if (hole.Empty()) {
    PaintSpan(out, y, whole, paint, filter);
    return;
  }
  PaintSpan(out, y, {whole.Left, std::min(whole.Right, hole.Left - 1)}, paint, filter);
  PaintSpan(out, y, {std::max(whole.Left, hole.Right + 1), whole.Right}, paint, filter);
}

struct TOutlinePixel {
  long long X;
  long long Y;
  double Angle;
};

// Collects what PaintRing would paint, for dashing in order along the outline.
void CollectRing(const TSpanWriter& out, long long y, TRowSpan whole, TRowSpan hole,
                 const TPixelFilter* filter, std::vector<TOutlinePixel>& pixels) {
  const TRect& clip = out.DeviceClipBox();
  auto collect = [&](TRowSpan span) {
    span = Intersect(span, TRowSpan{clip.Left, clip.Right - 1LL});
    for (long long x = span.Left; x <= span.Right; ++x)
      if (!filter || filter->Keeps(x, y)) pixels.push_back({x, y, 0});
  };
  if (hole.Empty()) {
    collect(whole);
    return;
  }
  collect({whole.Left, std::min(whole.Right, hole.Left - 1)});
  collect({std::max(whole.Left, hole.Right + 1), whole.Right});
}

// Dashes the outline pixels in counter-clockwise order from the start angle.
void DashOutline(TSpanWriter& out, const TRoundBox& box, const TFigurePen& pen,
                 std::vector<TOutlinePixel>& pixels) {
  const double cx = static_cast<double>(box.Left() + box.Right()) / 2.0;
  const double cy = static_cast<double>(box.Top() + box.Bottom()) / 2.0;
  const double turn = 2 * std::numbers::pi;
  for (TOutlinePixel& p : pixels) {
    const double a =
        std::atan2(cy - (static_cast<double>(p.Y) + 0.5), static_cast<double>(p.X) + 0.5 - cx);
    p.Angle = std::fmod(a - pen.StartAngle + 2 * turn, turn);
  }
  std::sort(pixels.begin(), pixels.end(),
            [](const TOutlinePixel& a, const TOutlinePixel& b) { return a.Angle < b.Angle; });
  TDashCursor dash{pen.Dash, 0};
  for (const TOutlinePixel& p : pixels) {
    const TPaint* paint = dash.On() ? pen.Paint : pen.Gap;
    if (paint) out.Pixel(p.X, p.Y, *paint);
    ++dash.Position;
  }
}

long long FloorDiv(long long a, long long b) {
  long long q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

long long CeilDiv(long long a, long long b) { return -FloorDiv(-a, b); }

struct TEdge {
  long long X0, Y0, X1, Y1;
  int Direction; // +1 downwards, -1 upwards
};

std::vector<TEdge> PolygonEdges(const std::vector<std::vector<TPoint>>& polygons) {
  std::vector<TEdge> edges;
  for (const std::vector<TPoint>& poly : polygons) {
    for (std::size_t i = 0; i < poly.size(); ++i) {
      const TPoint a = poly[i];
      const TPoint b = poly[(i + 1) % poly.size()];
      if (a.Y == b.Y) continue;
      if (a.Y < b.Y)
        edges.push_back({a.X, a.Y, b.X, b.Y, 1});
      else
        edges.push_back({b.X, b.Y, a.X, a.Y, -1});
    }
  }
  return edges;
}

struct TCrossing {
  long long X; // first pixel at or right of the crossing
  int Direction;
};

void FillRow(TSpanWriter& out, std::vector<TCrossing>& xs, long long y, TFillRule rule,
             const TPaint& brush) {
  std::sort(xs.begin(), xs.end(), [](const TCrossing& a, const TCrossing& b) { return a.X < b.X; });
  int winding = 0;
  for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
    winding += rule == TFillRule::Alternate ? 1 : xs[i].Direction;
    const bool inside = rule == TFillRule::Alternate ? winding % 2 != 0 : winding != 0;
    if (inside) out.FillSpan(y, xs[i].X, xs[i + 1].X, brush);
  }
}

} // namespace

TRoundBox::TRoundBox(long long left, long long top, long long right, long long bottom,
                     double cornerWidth, double cornerHeight)
    : left_(left), top_(top), right_(right), bottom_(bottom),
      cornerWidth_(std::clamp(cornerWidth, 0.0, static_cast<double>(std::max(0LL, right - left)))),
      cornerHeight_(
          std::clamp(cornerHeight, 0.0, static_cast<double>(std::max(0LL, bottom - top)))) {}

TRoundBox TRoundBox::Grown(long long near, long long far) const {
  return TRoundBox(left_ - near, top_ - near, right_ + far, bottom_ + far,
                   std::max(0.0, cornerWidth_ + static_cast<double>(near + far)),
                   std::max(0.0, cornerHeight_ + static_cast<double>(near + far)));
}

TRowSpan TRoundBox::Row(long long y) const {
  if (y < top_ || y >= bottom_ || left_ >= right_) return {};
  const double width = static_cast<double>(right_ - left_);
  const double height = static_cast<double>(bottom_ - top_);
  const double cy = static_cast<double>(top_ + bottom_) / 2.0;
  double half = width / 2.0;
  const double ey = std::abs(static_cast<double>(y) + 0.5 - cy) - (height - cornerHeight_) / 2.0;
  if (ey > 0 && cornerWidth_ > 0 && cornerHeight_ > 0) {
    const double q = ey / (cornerHeight_ / 2.0);
    if (q > 1) return {};
    half = (width - cornerWidth_) / 2.0 + cornerWidth_ / 2.0 * std::sqrt(1.0 - q * q);
  }
  const double cx = static_cast<double>(left_ + right_) / 2.0;
  const long long first = static_cast<long long>(std::ceil(cx - half - 0.5));
  if (first >= right_) return {};
  return {std::max(first, left_), left_ + right_ - 1 - std::max(first, left_)};
}

void TPixelFilter::ForEachRun(long long y, long long left, long long right,
                              const std::function<void(long long, long long)>& run) const {
  long long first = left;
  for (long long x = left; x <= right + 1; ++x) {
    if (x <= right && Keeps(x, y)) continue;
    if (x > first) run(first, x - 1);
    first = x + 1;
  }
}

void DrawRoundFigure(TSpanWriter& out, const TRoundBox& box, const TFigurePen& pen,
                     const TPaint* brush, const TPixelFilter* outlineFilter,
                     const TPixelFilter* interiorFilter) {
  const int w = std::max(pen.Width, 1);
  const bool cosmetic = !pen.Paint || w == 1;
  const long long near = pen.InsideFrame ? 0 : (w - 1) / 2;
  const long long far = pen.InsideFrame ? 0 : w / 2;
  const TRoundBox outer = cosmetic ? box : box.Grown(near, far);
  const TRoundBox inner = outer.Grown(-w, -w);
  const bool dashed = cosmetic && pen.Paint && pen.Dash != TPenDash::Solid &&
                      pen.Dash != TPenDash::InsideFrame && pen.Dash != TPenDash::Null;
  std::vector<TOutlinePixel> outline;
  const TRect& clip = out.DeviceClipBox();
  const long long y0 = std::max<long long>(outer.Top(), clip.Top);
  const long long y1 = std::min<long long>(outer.Bottom(), clip.Bottom);
  for (long long y = y0; y < y1; ++y) {
    const TRowSpan whole = outer.Row(y);
    const TRowSpan hole = !pen.Paint ? TRowSpan{}
                          : cosmetic ? InnerRow(outer, y)
                                     : Intersect(inner.Row(y), whole);
    if (brush) PaintSpan(out, y, pen.Paint ? hole : whole, *brush, interiorFilter);
    if (dashed)
      CollectRing(out, y, whole, hole, outlineFilter, outline);
    else if (pen.Paint)
      PaintRing(out, y, whole, hole, *pen.Paint, outlineFilter);
  }
  if (dashed) DashOutline(out, outer, pen, outline);
}

TSweep::TSweep(double cx, double cy, TPoint start, TPoint end) : cx_(cx), cy_(cy) {
  const double sx = start.X + 0.5 - cx, sy = cy - (start.Y + 0.5);
  const double ex = end.X + 0.5 - cx, ey = cy - (end.Y + 0.5);
  const double a = std::atan2(sy, sx);
  const double b = std::atan2(ey, ex);
  startAngle_ = a;
  sweep_ = std::fmod(b - a + 4 * std::numbers::pi, 2 * std::numbers::pi);
  if (sweep_ <= 1e-12) sweep_ = 2 * std::numbers::pi;
  start_ = {sx, sy, std::hypot(sx, sy)};
  end_ = {ex, ey, std::hypot(ex, ey)};
}

bool TSweep::Contains(double x, double y) const {
  const double a = std::atan2(cy_ - (y + 0.5), x + 0.5 - cx_);
  const double rel = std::fmod(a - startAngle_ + 4 * std::numbers::pi, 2 * std::numbers::pi);
  return rel <= sweep_ + 1e-12;
}

namespace {

// Pixels off a radial by less than this sine of the angle get their angle measured: far more
// than the rounding of the angles, far less than any pixel's width.
constexpr double SureSine = 1e-9;

} // namespace

TRowSpan TSweep::Unsure(const TRay& ray, double py, long long left, long long right) const {
  // The pixel centre p = (px, py) lies left of the ray when X·py − Y·px > 0, and it is sure
  // of its side when that exceeds SureSine · Length · |p|; reach bounds |p| over the row.
  const double reach =
      std::max(std::fabs(left + 0.5 - cx_), std::fabs(right + 0.5 - cx_)) + std::fabs(py);
  const double margin = SureSine * ray.Length * reach;
  if (ray.Y == 0) {
    if (std::fabs(ray.X * py) > margin) return {};
    return {left, right};
  }
  const double crossing = cx_ - 0.5 + ray.X * py / ray.Y;
  const double half = margin / std::fabs(ray.Y);
  const double lo = std::floor(crossing - half) - 1, hi = std::ceil(crossing + half) + 1;
  if (hi < static_cast<double>(left) || lo > static_cast<double>(right)) return {};
  return {std::max(left, static_cast<long long>(lo)), std::min(right, static_cast<long long>(hi))};
}

bool TSweep::Between(double px, double py) const {
  const bool leftOfStart = start_.X * py - start_.Y * px > 0;
  const bool leftOfEnd = end_.X * py - end_.Y * px > 0;
  // Up to a half turn the sweep is left of the start and right of the end; beyond, either.
  if (sweep_ <= std::numbers::pi) return leftOfStart && !leftOfEnd;
  return leftOfStart || !leftOfEnd;
}

void TSweep::ForEachRun(long long y, long long left, long long right,
                        const std::function<void(long long, long long)>& run) const {
  if (sweep_ >= 2 * std::numbers::pi) {
    run(left, right);
    return;
  }
  const double py = cy_ - (y + 0.5);
  TRowSpan zones[] = {Unsure(start_, py, left, right), Unsure(end_, py, left, right)};
  if (zones[1].Left < zones[0].Left) std::swap(zones[0], zones[1]);
  // A run opens and closes where the kept state changes; from `at` on, `keep` holds.
  long long first = 0;
  bool open = false;
  auto from = [&](long long at, bool keep) {
    if (keep && !open) first = at;
    if (!keep && open) run(first, at - 1);
    open = keep;
  };
  long long x = left;
  for (const TRowSpan& zone : zones) {
    if (zone.Empty() || zone.Right < x) continue;
    if (x < zone.Left) from(x, Between(x + 0.5 - cx_, py));
    for (long long p = std::max(x, zone.Left); p <= zone.Right; ++p) from(p, Keeps(p, y));
    x = zone.Right + 1;
  }
  if (x <= right) from(x, Between(x + 0.5 - cx_, py));
  if (open) run(first, right);
}

TPoint EllipsePoint(const TRoundBox& box, TPoint p) {
  const double cx = static_cast<double>(box.Left() + box.Right()) / 2.0;
  const double cy = static_cast<double>(box.Top() + box.Bottom()) / 2.0;
  const double a = static_cast<double>(box.Right() - box.Left()) / 2.0;
  const double b = static_cast<double>(box.Bottom() - box.Top()) / 2.0;
  const double vx = p.X + 0.5 - cx;
  const double vy = p.Y + 0.5 - cy;
  if ((vx == 0 && vy == 0) || a <= 0 || b <= 0)
    return {static_cast<int>(std::floor(cx)), static_cast<int>(std::floor(cy))};
  const double t = 1.0 / std::sqrt((vx / a) * (vx / a) + (vy / b) * (vy / b));
  const auto x =
      std::clamp(static_cast<long long>(std::floor(cx + vx * t)), box.Left(), box.Right() - 1);
  const auto y =
      std::clamp(static_cast<long long>(std::floor(cy + vy * t)), box.Top(), box.Bottom() - 1);
  return {static_cast<int>(x), static_cast<int>(y)};
}

void FillPolygons(TSpanWriter& out, const std::vector<std::vector<TPoint>>& polygons,
                  TFillRule rule, const TPaint& brush) {
  std::vector<TEdge> edges = PolygonEdges(polygons);
  if (edges.empty()) return;
  // By top row, so that each row looks only at the edges that cross it.
  std::sort(edges.begin(), edges.end(), [](const TEdge& a, const TEdge& b) { return a.Y0 < b.Y0; });
  long long bottom = edges[0].Y1;
  for (const TEdge& e : edges) bottom = std::max(bottom, e.Y1);
  const TRect& clip = out.DeviceClipBox();
  const long long top = std::max<long long>(edges[0].Y0, clip.Top);
  bottom = std::min<long long>(bottom, clip.Bottom);
  std::vector<const TEdge*> active;
  std::size_t next = 0;
  std::vector<TCrossing> xs;
  for (long long y = top; y < bottom; ++y) {
    while (next < edges.size() && edges[next].Y0 <= y) active.push_back(&edges[next++]);
    std::erase_if(active, [y](const TEdge* e) { return e->Y1 <= y; });
    xs.clear();
    for (const TEdge* e : active) {
      const long long num = (y - e->Y0) * (e->X1 - e->X0);
      xs.push_back({e->X0 + CeilDiv(num, e->Y1 - e->Y0), e->Direction});
    }
    FillRow(out, xs, y, rule, brush);
  }
}
