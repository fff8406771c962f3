#include "framework/win32/gdi/Lines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <span>

namespace {

// Dash and gap lengths in pixels of the cosmetic styles, starting with a dash.
std::span<const int> DashLengths(TPenDash dash) {
  static constexpr int DashLen[] = {18, 6};
  static constexpr int DotLen[] = {3, 3};
  static constexpr int DashDotLen[] = {9, 6, 3, 6};
  static constexpr int DashDotDotLen[] = {9, 3, 3, 3, 3, 3};
  switch (dash) {
  case TPenDash::Dash:
    return DashLen;
  case TPenDash::Dot:
    return DotLen;
  case TPenDash::DashDot:
    return DashDotLen;
  case TPenDash::DashDotDot:
    return DashDotDotLen;
  default:
    return {};
  }
}

// Minor-axis offset after k major steps of a line with major length n and minor length m:
// k*m/n rounded to nearest. A line passing exactly midway between two pixels lights the one
// with the smaller minor coordinate (the upper of an x-major line, the left of a y-major
// one), whichever way it runs: halves round towards the start when the minor coordinate
// grows, away from it when it shrinks.
long long MinorOffset(long long k, long long m, long long n, bool minorGrows) {
  return (2 * k * m + n - (minorGrows ? 1 : 0)) / (2 * n);
}

struct TInterval {
  double Lo;
  double Hi;
  bool Empty() const { return Lo > Hi; }
};

constexpr TInterval Everything{-1e300, 1e300};
constexpr TInterval Nothing{1, 0};

TInterval Intersect(TInterval a, TInterval b) {
  return {std::max(a.Lo, b.Lo), std::min(a.Hi, b.Hi)};
}

TInterval Hull(TInterval a, TInterval b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.Lo, b.Lo), std::max(a.Hi, b.Hi)};
}

// x with lo <= x * f <= hi.
TInterval SolveLinear(double f, double lo, double hi) {
  if (f == 0) return (lo <= 0 && 0 <= hi) ? Everything : Nothing;
  return f > 0 ? TInterval{lo / f, hi / f} : TInterval{hi / f, lo / f};
}

TInterval DiscRow(TPoint c, double r, double y) {
  const double dy = y - c.Y;
  if (std::abs(dy) > r) return Nothing;
  const double half = std::sqrt(r * r - dy * dy);
  return {c.X - half, c.X + half};
}

// The x range of row y (sample position) within distance r of segment ab.
TInterval CapsuleRow(TPoint a, TPoint b, double r, double y) {
  TInterval hull = Hull(DiscRow(a, r, y), DiscRow(b, r, y));
  const double dx = b.X - a.X;
  const double dy = b.Y - a.Y;
  const double len2 = dx * dx + dy * dy;
  if (len2 == 0) return hull;
  const double ry = y - a.Y;
  TInterval along = SolveLinear(dx, -ry * dy, len2 - ry * dy);
  const double band = r * std::sqrt(len2);
  TInterval across = SolveLinear(dy, ry * dx - band, ry * dx + band);
  TInterval slab = Intersect(along, across);
  if (!slab.Empty()) hull = Hull(hull, {slab.Lo + a.X, slab.Hi + a.X});
  return hull;
}

struct TPixelRun {
  long long Lo;
  long long Hi; // inclusive
};

void MergeAndPaint(TSpanWriter& out, std::vector<TPixelRun>& runs, long long y, const TPaint& pen) {
  std::sort(runs.begin(), runs.end(),
            [](const TPixelRun& a, const TPixelRun& b) { return a.Lo < b.Lo; });
  std::optional<TPixelRun> current;
  for (const TPixelRun& r : runs) {
    if (current && r.Lo <= current->Hi + 1) {
      current->Hi = std::max(current->Hi, r.Hi);
      continue;
    }
    if (current) out.FillSpan(y, current->Lo, current->Hi + 1, pen);
    current = r;
  }
  if (current) out.FillSpan(y, current->Lo, current->Hi + 1, pen);
}

} // namespace

bool TDashCursor::On() const {
  const std::span<const int> lengths = DashLengths(Dash);
  if (lengths.empty()) return Dash != TPenDash::Null;
  int period = 0;
  for (int l : lengths) period += l;
  long long at = Position % period;
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    if (at < lengths[i]) return i % 2 == 0;
    at -= lengths[i];
  }
  return false;
}

namespace {

// The steps from major coordinate first to last of a horizontal or vertical line through a.
void FillStraightRun(TSpanWriter& out, TPoint a, bool horizontal, long long first, long long last,
                     const TPaint& pen) {
  const int lo = static_cast<int>(std::min(first, last));
  const int hi = static_cast<int>(std::max(first, last)) + 1;
  out.FillRect(horizontal ? TRect{lo, a.Y, hi, a.Y + 1} : TRect{a.X, lo, a.X + 1, hi}, pen);
}

} // namespace

void DrawCosmeticLine(TSpanWriter& out, TPoint a, TPoint b, TDashCursor& dash, const TPaint& pen,
                      const TPaint* gap) {
  const long long dx = std::llabs(static_cast<long long>(b.X) - a.X);
  const long long dy = std::llabs(static_cast<long long>(b.Y) - a.Y);
  const long long sx = b.X < a.X ? -1 : 1;
  const long long sy = b.Y < a.Y ? -1 : 1;
  const bool xMajor = dx >= dy;
  const long long n = std::max(dx, dy);
  const long long m = xMajor ? dy : dx;
  const long long start = xMajor ? a.X : a.Y;
  const long long step = xMajor ? sx : sy;
  const long long minorStep = xMajor ? sy : sx;
  const TRect& box = out.DeviceClipBox();
  const long long lo = xMajor ? box.Left : box.Top;
  const long long hi = (xMajor ? box.Right : box.Bottom) - 1;
  // Only the steps whose major coordinate lies inside the clip box can show.
  long long k0 = step > 0 ? lo - start : start - hi;
  long long k1 = step > 0 ? hi - start : start - lo;
  k0 = std::max(k0, 0LL);
  k1 = std::min(k1, n - 1);
  const long long base = dash.Position;
  const bool solid = dash.Dash == TPenDash::Solid;
  if (solid && m == 0) {
    if (k0 <= k1) FillStraightRun(out, a, xMajor, start + step * k0, start + step * k1, pen);
    dash.Position = base + n;
    return;
  }
  for (long long k = k0; k <= k1; ++k) {
    dash.Position = base + k;
    const long long major = start + step * k;
    const long long minor = (xMajor ? a.Y : a.X) + minorStep * MinorOffset(k, m, n, minorStep > 0);
    const TPaint* paint = solid || dash.On() ? &pen : gap;
    if (!paint) continue;
    if (xMajor)
      out.Pixel(major, minor, *paint);
    else
      out.Pixel(minor, major, *paint);
  }
  dash.Position = base + n;
}

void DrawWidePolyline(TSpanWriter& out, const std::vector<TPoint>& points, int width,
                      const TPaint& pen) {
  if (points.empty()) return;
  const double r = width / 2.0;
  const double shift = width % 2 == 0 ? -0.5 : 0.0; // even widths sit half a pixel off centre
  long long top = points[0].Y;
  long long bottom = points[0].Y;
  for (const TPoint& p : points) {
    top = std::min<long long>(top, p.Y);
    bottom = std::max<long long>(bottom, p.Y);
  }
  const TRect& box = out.DeviceClipBox();
  const long long y0 = std::max<long long>(top - width, box.Top);
  const long long y1 = std::min<long long>(bottom + width, box.Bottom - 1);
  std::vector<TPixelRun> runs;
  for (long long y = y0; y <= y1; ++y) {
    runs.clear();
    const double sample = static_cast<double>(y) + shift;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const TPoint b = points[i + 1 < points.size() ? i + 1 : i];
      TInterval row = CapsuleRow(points[i], b, r, sample);
      if (row.Empty()) continue;
      const double lo = std::max(std::ceil(row.Lo - shift), static_cast<double>(box.Left));
      const double hi = std::min(std::floor(row.Hi - shift), static_cast<double>(box.Right - 1));
      if (lo <= hi) runs.push_back({static_cast<long long>(lo), static_cast<long long>(hi)});
    }
    MergeAndPaint(out, runs, y, pen);
  }
}
