#include "framework/win32/gdi/Region.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

namespace {

bool Brute(const TRegion& r, int x, int y) {
  for (const TRect& q : r.Rects())
    if (q.Contains(TPoint{x, y})) return true;
  return false;
}

// The smallest rectangle holding every rectangle of r (empty for an empty region).
TRect BruteBox(const TRegion& r) {
  if (r.IsEmpty()) return TRect{};
  TRect box = r.Rects().front();
  for (const TRect& q : r.Rects())
    box = Rect(std::min(box.Left, q.Left), std::min(box.Top, q.Top), std::max(box.Right, q.Right),
               std::max(box.Bottom, q.Bottom));
  return box;
}

TRegion RandomRegion(std::mt19937& rng) {
  std::uniform_int_distribution<int> coord(0, 20);
  TRegion r;
  for (int i = 0; i < 4; ++i) {
    const int a = coord(rng), b = coord(rng), c = coord(rng), d = coord(rng);
    r = TRegion::Combine(r, TRegion(Rect(a, b, c, d)), TRegionOp::Or);
  }
  return r;
}

bool Expected(TRegionOp op, bool a, bool b) {
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

TEST(Region, CombinationsAgreeWithPixelLogicAndStayCanonical) {
  std::mt19937 rng(7);
  for (int round = 0; round < 200; ++round) {
    const TRegion a = RandomRegion(rng);
    const TRegion b = RandomRegion(rng);
    for (TRegionOp op : {TRegionOp::And, TRegionOp::Or, TRegionOp::Xor, TRegionOp::Diff}) {
      const TRegion r = TRegion::Combine(a, b, op);
      for (int y = -1; y <= 21; ++y)
        for (int x = -1; x <= 21; ++x) {
          ASSERT_EQ(r.Contains(TPoint{x, y}), Expected(op, Brute(a, x, y), Brute(b, x, y)));
          ASSERT_EQ(Brute(r, x, y), r.Contains(TPoint{x, y}));
        }
      // Rectangles never overlap, so the pixel count is the sum of their areas.
      int area = 0, pixels = 0;
      for (const TRect& q : r.Rects()) area += q.Width() * q.Height();
      for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x) pixels += r.Contains(TPoint{x, y}) ? 1 : 0;
      ASSERT_EQ(area, pixels);
      ASSERT_EQ(r.Box(), BruteBox(r));
      TRegion moved = r;
      moved.Offset(3, -2);
      ASSERT_EQ(moved.Box(), BruteBox(moved));
      // The same pixels built another way give the same rectangles.
      const TRegion again =
          TRegion::Combine(TRegion::Combine(r, TRegion(), TRegionOp::Or), r, TRegionOp::And);
      ASSERT_EQ(again, r);
    }
  }
}

TEST(Region, CuttingToARectangleGivesTheCanonicalIntersection) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> coord(-2, 22);
  for (int round = 0; round < 300; ++round) {
    const TRegion a = RandomRegion(rng);
    const TRegion cut(Rect(coord(rng), coord(rng), coord(rng), coord(rng)));
    // a minus what lies outside the rectangle: the same pixels by the general sweep.
    const TRegion general =
        TRegion::Combine(a, TRegion::Combine(a, cut, TRegionOp::Diff), TRegionOp::Diff);
    ASSERT_EQ(TRegion::Combine(a, cut, TRegionOp::And), general);
    ASSERT_EQ(TRegion::Combine(cut, a, TRegionOp::And), general);
  }
}

// The canonical rectangles of the pixels in [0, size)²: each row's runs, rows with the same
// runs next to each other joined into one band.
std::vector<TRect> CanonicalRects(const std::function<bool(int, int)>& inside, int size) {
  std::vector<TRect> out;
  std::vector<std::pair<int, int>> previous;
  int previousBottom = -1;
  for (int y = 0; y < size; ++y) {
    std::vector<std::pair<int, int>> runs;
    for (int x = 0; x < size; ++x)
      if (inside(x, y) && (x == 0 || !inside(x - 1, y)))
        runs.push_back({x, x + 1});
      else if (inside(x, y))
        runs.back().second = x + 1;
    if (runs.empty()) continue;
    if (runs == previous && previousBottom == y) {
      for (std::size_t i = out.size() - runs.size(); i < out.size(); ++i) out[i].Bottom = y + 1;
    } else {
      for (const auto& [left, right] : runs) out.push_back(Rect(left, y, right, y + 1));
    }
    previous = runs;
    previousBottom = y + 1;
  }
  return out;
}

// Rectangles on a small grid meet, touch, nest, repeat and vanish often: every shortcut of the
// combination (an empty side, one inside the other, two making one) and the band sweep must
// give the canonical rectangles of the right pixels.
TEST(Region, ShortcutsAndSweepGiveTheCanonicalRectangles) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> coord(0, 6), count(0, 3);
  auto region = [&] {
    TRegion r;
    for (int i = count(rng); i > 0; --i)
      r = TRegion::Combine(r, TRegion(Rect(coord(rng), coord(rng), coord(rng), coord(rng))),
                           TRegionOp::Or);
    return r;
  };
  for (int round = 0; round < 3000; ++round) {
    const TRegion a = region(), b = region();
    for (TRegionOp op :
         {TRegionOp::And, TRegionOp::Or, TRegionOp::Xor, TRegionOp::Diff, TRegionOp::Copy}) {
      const TRegion r = TRegion::Combine(a, b, op);
      const std::vector<TRect> expected = CanonicalRects(
          [&](int x, int y) {
            return Expected(op, a.Contains(TPoint{x, y}), b.Contains(TPoint{x, y}));
          },
          8);
      ASSERT_EQ(std::vector<TRect>(r.Rects().begin(), r.Rects().end()), expected)
          << "round " << round << " op " << static_cast<int>(op);
    }
  }
}

// Past the rectangles a region keeps in place, copies, moves and assignments keep them all.
TEST(Region, ManyRectanglesSurviveCopiesAndMoves) {
  TRegion comb;
  for (int i = 0; i < 12; ++i)
    comb = TRegion::Combine(comb, TRegion(Rect(i * 4, 0, i * 4 + 2, 10)), TRegionOp::Or);
  ASSERT_EQ(comb.Rects().size(), 12u);
  TRegion copy = comb;
  EXPECT_EQ(copy, comb);
  TRegion moved = std::move(copy);
  EXPECT_EQ(moved, comb);
  TRegion small(Rect(0, 0, 1, 1));
  small = moved;
  EXPECT_EQ(small, comb);
  moved = TRegion(Rect(1, 1, 2, 2));
  EXPECT_EQ(moved.Rects().size(), 1u);
  small = std::move(moved);
  EXPECT_EQ(small, TRegion(Rect(1, 1, 2, 2)));
  comb.Offset(1, 0);
  EXPECT_TRUE(comb.Contains(TPoint{45, 9}));
  EXPECT_FALSE(comb.Contains(TPoint{44, 9}));
}

TEST(Region, KindsAndBox) {
  EXPECT_EQ(TRegion().Kind(), TRegionKind::Empty);
  EXPECT_EQ(TRegion(Rect(5, 5, 5, 9)).Kind(), TRegionKind::Empty);
  TRegion r(Rect(4, 4, 0, 0)); // reversed corners
  EXPECT_EQ(r.Box(), Rect(0, 0, 4, 4));
  r = TRegion::Combine(r, TRegion(Rect(10, 0, 12, 2)), TRegionOp::Or);
  EXPECT_EQ(r.Kind(), TRegionKind::Complex);
  EXPECT_EQ(r.Box(), Rect(0, 0, 12, 4));
  EXPECT_TRUE(r.Intersects(Rect(11, 1, 20, 20)));
  EXPECT_FALSE(r.Intersects(Rect(5, 0, 10, 4)));
}

} // namespace
