#pragma once

#include "framework/rtl/Geometry.h"
#include "framework/win32/gdi/SmallVector.h"

#include <span>
#include <utility>

// How two regions combine, in the order of the RGN_ codes (RGN_AND = 1 … RGN_COPY = 5).
enum class TRegionOp { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };

// The shape a region has: the values of NULLREGION, SIMPLEREGION and COMPLEXREGION.
enum class TRegionKind { Empty = 1, Simple = 2, Complex = 3 };

// A set of pixels kept as rectangles in bands: rows of equal top and bottom, sorted top
// to bottom and left to right, never overlapping, neighbours merged. The form is canonical,
// so two regions with the same pixels have the same rectangles. A region of a few rectangles
// lives in place, and combining small regions allocates nothing.
class TRegion {
public:
  TRegion() = default;
  explicit TRegion(const TRect& rect);

  static TRegion Combine(const TRegion& a, const TRegion& b, TRegionOp op);

  std::span<const TRect> Rects() const { return {rects_.begin(), rects_.end()}; }
  bool IsEmpty() const { return rects_.empty(); }
  TRegionKind Kind() const;
  TRect Box() const { return box_; }
  bool Contains(TPoint p) const;
  bool Intersects(const TRect& rect) const;
  void Offset(int dx, int dy);
  void IntersectWith(const TRect& rect);

  // The rectangles of the band that holds row y (empty when no band does).
  std::pair<const TRect*, const TRect*> RowRects(int y) const;

  friend bool operator==(const TRegion&, const TRegion&) = default;

private:
  TRegion ClippedTo(const TRect& rect) const;
  void FindBox();

  TSmallVector<TRect, 4> rects_;
  TRect box_{}; // the smallest rectangle holding every one of rects_
};
