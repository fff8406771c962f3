#include "framework/win32/gdi/Region.h"

#include <algorithm>
#include <climits>
#include <optional>

namespace {

struct TInterval {
  int Left;
  int Right;
  friend bool operator==(const TInterval&, const TInterval&) = default;
};

// Sized so that regions of a few rectangles combine without touching the heap.
using TIntervals = TSmallVector<TInterval, 8>;
using TEdges = TSmallVector<int, 16>;
using TRects = TSmallVector<TRect, 4>;

// The x intervals a banded rectangle list covers in the band starting at row y.
TIntervals IntervalsAt(std::span<const TRect> rects, int y) {
  TIntervals out;
  auto it = std::partition_point(rects.begin(), rects.end(),
                                 [y](const TRect& r) { return r.Bottom <= y; });
  for (; it != rects.end() && it->Top <= y; ++it) out.push_back({it->Left, it->Right});
  return out;
}

// Walks a sorted interval list along increasing x: whether x lies inside one.
class TIntervalCursor {
public:
  explicit TIntervalCursor(const TIntervals& list) : list_(list) {}
  bool Covers(int x) {
    while (next_ < list_.size() && list_[next_].Right <= x) ++next_;
    return next_ < list_.size() && list_[next_].Left <= x;
  }

private:
  const TIntervals& list_;
  std::size_t next_ = 0;
};

TEdges EdgesOf(const TIntervals& list) {
  TEdges xs;
  for (const TInterval& i : list) {
    xs.push_back(i.Left);
    xs.push_back(i.Right);
  }
  return xs;
}

void SortUnique(TEdges& xs) {
  std::sort(xs.begin(), xs.end());
  xs.resize(static_cast<std::size_t>(std::unique(xs.begin(), xs.end()) - xs.begin()));
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
  const TEdges xa = EdgesOf(a), xb = EdgesOf(b);
  TEdges xs;
  xs.resize(xa.size() + xb.size());
  std::merge(xa.begin(), xa.end(), xb.begin(), xb.end(), xs.begin());
  xs.resize(static_cast<std::size_t>(std::unique(xs.begin(), xs.end()) - xs.begin()));
  TIntervals out;
  TIntervalCursor inA(a), inB(b);
  for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
    if (!Apply(op, inA.Covers(xs[k]), inB.Covers(xs[k]))) continue;
    if (!out.empty() && out.back().Right == xs[k])
      out.back().Right = xs[k + 1];
    else
      out.push_back({xs[k], xs[k + 1]});
  }
  return out;
}

void AppendBand(TRects& rects, const TIntervals& band, int top, int bottom, TIntervals& previous,
                int& previousBottom) {
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

TEdges BandEdges(const TRegion& a, const TRegion& b) {
  TEdges ys;
  for (const TRegion* region : {&a, &b})
    for (const TRect& r : region->Rects()) {
      ys.push_back(r.Top);
      ys.push_back(r.Bottom);
    }
  SortUnique(ys);
  return ys;
}

bool Covers(const TRect& outer, const TRect& inner) {
  return inner.Left >= outer.Left && inner.Top >= outer.Top && inner.Right <= outer.Right &&
         inner.Bottom <= outer.Bottom;
}

bool CoversRect(const TRegion& region, const TRect& inner) {
  for (const TRect& r : region.Rects())
    if (Covers(r, inner)) return true;
  return false;
}

// Two rectangles that make one: the same band touching or overlapping, or the same columns.
std::optional<TRect> Merged(const TRect& a, const TRect& b) {
  if (a.Top == b.Top && a.Bottom == b.Bottom && a.Left <= b.Right && b.Left <= a.Right)
    return Rect(std::min(a.Left, b.Left), a.Top, std::max(a.Right, b.Right), a.Bottom);
  if (a.Left == b.Left && a.Right == b.Right && a.Top <= b.Bottom && b.Top <= a.Bottom)
    return Rect(a.Left, std::min(a.Top, b.Top), a.Right, std::max(a.Bottom, b.Bottom));
  return std::nullopt;
}

std::optional<TRegion> SimpleUnion(const TRegion& a, const TRegion& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  if (b.Rects().size() == 1 && CoversRect(a, b.Rects().front())) return a;
  if (a.Rects().size() == 1 && CoversRect(b, a.Rects().front())) return b;
  if (a.Rects().size() == 1 && b.Rects().size() == 1)
    if (const std::optional<TRect> one = Merged(a.Rects().front(), b.Rects().front()))
      return TRegion(*one);
  return std::nullopt;
}

std::optional<TRegion> SimpleDifference(const TRegion& a, const TRegion& b) {
  if (a.IsEmpty() || b.IsEmpty() || !b.Intersects(a.Box())) return a;
  if (b.Rects().size() == 1 && Covers(b.Rects().front(), a.Box())) return TRegion();
  return std::nullopt;
}

// The answers that need no band sweep: an empty side, one rectangle inside the other, two
// rectangles that meet in one.
std::optional<TRegion> SimpleCombine(const TRegion& a, const TRegion& b, TRegionOp op) {
  switch (op) {
  case TRegionOp::And:
    if (a.IsEmpty() || b.IsEmpty()) return TRegion();
    if (a.Rects().size() == 1 && b.Rects().size() == 1)
      return TRegion(Intersection(a.Rects().front(), b.Rects().front()));
    return std::nullopt;
  case TRegionOp::Or:
    return SimpleUnion(a, b);
  case TRegionOp::Xor:
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return std::nullopt;
  case TRegionOp::Diff:
    return SimpleDifference(a, b);
  case TRegionOp::Copy:
    return a;
  }
  return std::nullopt;
}

} // namespace

TRegion::TRegion(const TRect& rect) {
  TRect r = Normalised(rect);
  if (r.IsEmpty()) return;
  rects_.push_back(r);
  box_ = r;
}

// The region cut to one rectangle, visiting only the bands the rectangle spans.
TRegion TRegion::ClippedTo(const TRect& rect) const {
  TRegion out;
  TIntervals previous;
  int previousBottom = INT_MIN;
  auto it = std::partition_point(rects_.begin(), rects_.end(),
                                 [&](const TRect& r) { return r.Bottom <= rect.Top; });
  while (it != rects_.end() && it->Top < rect.Bottom) {
    const int top = it->Top, bottom = it->Bottom;
    TIntervals band;
    for (; it != rects_.end() && it->Top == top; ++it) {
      const int left = std::max(it->Left, rect.Left), right = std::min(it->Right, rect.Right);
      if (left < right) band.push_back({left, right});
    }
    AppendBand(out.rects_, band, std::max(top, rect.Top), std::min(bottom, rect.Bottom), previous,
               previousBottom);
  }
  out.FindBox();
  return out;
}

TRegion TRegion::Combine(const TRegion& a, const TRegion& b, TRegionOp op) {
  if (std::optional<TRegion> simple = SimpleCombine(a, b, op)) return std::move(*simple);
  if (op == TRegionOp::And && b.rects_.size() == 1) return a.ClippedTo(b.rects_.front());
  if (op == TRegionOp::And && a.rects_.size() == 1) return b.ClippedTo(a.rects_.front());
  TRegion out;
  const TEdges ys = BandEdges(a, b);
  TIntervals previous;
  int previousBottom = INT_MIN;
  for (std::size_t k = 0; k + 1 < ys.size(); ++k) {
    TIntervals band =
        CombineIntervals(IntervalsAt(a.Rects(), ys[k]), IntervalsAt(b.Rects(), ys[k]), op);
    AppendBand(out.rects_, band, ys[k], ys[k + 1], previous, previousBottom);
  }
  out.FindBox();
  return out;
}

TRegionKind TRegion::Kind() const {
  if (rects_.empty()) return TRegionKind::Empty;
  return rects_.size() == 1 ? TRegionKind::Simple : TRegionKind::Complex;
}

void TRegion::FindBox() {
  if (rects_.empty()) {
    box_ = TRect{};
    return;
  }
  box_ = rects_.front();
  box_.Bottom = rects_.back().Bottom;
  for (const TRect& r : rects_) {
    box_.Left = std::min(box_.Left, r.Left);
    box_.Right = std::max(box_.Right, r.Right);
  }
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
  if (!(box_.Left < r.Right && r.Left < box_.Right && box_.Top < r.Bottom && r.Top < box_.Bottom))
    return false;
  for (const TRect& q : rects_)
    if (q.Left < r.Right && r.Left < q.Right && q.Top < r.Bottom && r.Top < q.Bottom) return true;
  return false;
}

void TRegion::Offset(int dx, int dy) {
  if (!rects_.empty())
    box_ = TRect{box_.Left + dx, box_.Top + dy, box_.Right + dx, box_.Bottom + dy};
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
