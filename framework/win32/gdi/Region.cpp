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

// The x intervals a banded rectangle list covers in the band starting at row y.
TIntervals IntervalsAt(const std::vector<TRect>& rects, int y) {
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

std::vector<int> EdgesOf(const TIntervals& list) {
  std::vector<int> xs;
  xs.reserve(list.size() * 2);
  for (const TInterval& i : list) xs.insert(xs.end(), {i.Left, i.Right});
  return xs;
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
  const std::vector<int> xa = EdgesOf(a), xb = EdgesOf(b);
  std::vector<int> xs(xa.size() + xb.size());
  std::merge(xa.begin(), xa.end(), xb.begin(), xb.end(), xs.begin());
  xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
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
  return out;
}

TRegion TRegion::Combine(const TRegion& a, const TRegion& b, TRegionOp op) {
  if (op == TRegionOp::Copy) return a;
  if (op == TRegionOp::And && b.rects_.size() == 1) return a.ClippedTo(b.rects_.front());
  if (op == TRegionOp::And && a.rects_.size() == 1) return b.ClippedTo(a.rects_.front());
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
