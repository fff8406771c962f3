#include "framework/win32/gdi/Region.h"

#include <algorithm>
#include <climits>

namespace {

struct TInterval {
  int Left;
  int Right;
  friend bool operator==(const TInterval&, const TInterval&) = default;
};

using TIntervals = std::vector<TInterval>;

TRect Normalised(const TRect& r) {
  return TRect{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
               std::max(r.Top, r.Bottom)};
}

// The x intervals a banded rectangle list covers in the band starting at row y.
TIntervals IntervalsAt(const std::vector<TRect>& rects, int y) {
  TIntervals out;
  auto it = std::partition_point(rects.begin(), rects.end(),
                                 [y](const TRect& r) { return r.Bottom <= y; });
  for (; it != rects.end() && it->Top <= y; ++it) out.push_back({it->Left, it->Right});
  return out;
}

bool Inside(const TIntervals& list, int x) {
  for (const TInterval& i : list)
    if (x >= i.Left && x < i.Right) return true;
  return false;
}

bool Apply(TRegionOp op, bool a, bool b) {
  switch (op) {
  case TRegionOp::And:
    return a && b;
  case TRegionOp::Or:
    return a || b;
  case TRegionOp::Xor:
    return a != b;
  case TRegionOp::Diff:
    return a && !b;
  case TRegionOp::Copy:
    return a;
  }
  return false;
}

// Combines two interval lists of one band by sweeping their edges.
TIntervals CombineIntervals(const TIntervals& a, const TIntervals& b, TRegionOp op) {
  std::vector<int> xs;
  for (const TInterval& i : a) xs.insert(xs.end(), {i.Left, i.Right});
  for (const TInterval& i : b) xs.insert(xs.end(), {i.Left, i.Right});
  std::sort(xs.begin(), xs.end());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
  TIntervals out;
  for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
    if (!Apply(op, Inside(a, xs[k]), Inside(b, xs[k]))) continue;
    if (!out.empty() && out.back().Right == xs[k])
      out.back().Right = xs[k + 1];
    else
      out.push_back({xs[k], xs[k + 1]});
  }
  return out;
}

void AppendBand(std::vector<TRect>& rects, const TIntervals& band, int top, int bottom,
                TIntervals& previous, int& previousBottom) {
  if (band.empty()) return;
  if (band == previous && previousBottom == top) {
    for (auto it = rects.end() - static_cast<std::ptrdiff_t>(band.size()); it != rects.end(); ++it)
      it->Bottom = bottom;
  } else {
    for (const TInterval& i : band) rects.push_back(TRect{i.Left, top, i.Right, bottom});
  }
  previous = band;
  previousBottom = bottom;
}

std::vector<int> BandEdges(const TRegion& a, const TRegion& b) {
  std::vector<int> ys;
  for (const TRect& r : a.Rects()) ys.insert(ys.end(), {r.Top, r.Bottom});
  for (const TRect& r : b.Rects()) ys.insert(ys.end(), {r.Top, r.Bottom});
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  return ys;
}

} // namespace

TRegion::TRegion(const TRect& rect) {
  TRect r = Normalised(rect);
  if (!r.IsEmpty()) rects_.push_back(r);
}

TRegion TRegion::Combine(const TRegion& a, const TRegion& b, TRegionOp op) {
  if (op == TRegionOp::Copy) return a;
  TRegion out;
  std::vector<int> ys = BandEdges(a, b);
  TIntervals previous;
  int previousBottom = INT_MIN;
  for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
    TIntervals band =
        CombineIntervals(IntervalsAt(a.rects_, ys[k]), IntervalsAt(b.rects_, ys[k]), op);
    AppendBand(out.rects_, band, ys[k], ys[k + 1], previous, previousBottom);
  }
  return out;
}

TRegionKind TRegion::Kind() const {
  if (rects_.empty()) return TRegionKind::Empty;
  return rects_.size() == 1 ? TRegionKind::Simple : TRegionKind::Complex;
}

TRect TRegion::Box() const {
  if (rects_.empty()) return TRect{};
  TRect box = rects_.front();
  for (const TRect& r : rects_) {
    box.Left = std::min(box.Left, r.Left);
    box.Right = std::max(box.Right, r.Right);
    box.Bottom = std::max(box.Bottom, r.Bottom);
  }
  return box;
}

std::pair<const TRect*, const TRect*> TRegion::RowRects(int y) const {
  auto first = std::partition_point(rects_.begin(), rects_.end(),
                                    [y](const TRect& r) { return r.Bottom <= y; });
  if (first == rects_.end() || first->Top > y) return {nullptr, nullptr};
  auto last = first;
  while (last != rects_.end() && last->Top == first->Top) ++last;
  return {&*first, &*first + (last - first)};
}

bool TRegion::Contains(TPoint p) const {
  auto [first, last] = RowRects(p.Y);
  for (const TRect* r = first; r != last; ++r)
    if (p.X >= r->Left && p.X < r->Right) return true;
  return false;
}

bool TRegion::Intersects(const TRect& rect) const {
  TRect r = Normalised(rect);
  for (const TRect& q : rects_)
    if (q.Left < r.Right && r.Left < q.Right && q.Top < r.Bottom && r.Top < q.Bottom) return true;
  return false;
}

void TRegion::Offset(int dx, int dy) {
  for (TRect& r : rects_) {
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
  }
}

void TRegion::IntersectWith(const TRect& rect) {
  *this = Combine(*this, TRegion(rect), TRegionOp::And);
}
