#include "framework/win32/gdi/Region.h"

#include <gtest/gtest.h>

#include <random>

namespace {

bool Brute(const TRegion& r, int x, int y) {
  for (const TRect& q : r.Rects())
    if (q.Contains(TPoint{x, y})) return true;
  return false;
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
