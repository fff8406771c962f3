#include "tests/win32/Canvas.h"

#include <gtest/gtest.h>

namespace {

const COLORREF Face = RGB(192, 192, 192);
const COLORREF Shadow = RGB(128, 128, 128);
const COLORREF Light = RGB(192, 192, 192);

struct TSides {
  COLORREF Top, Left, Bottom, Right;
};

TSides OuterSides(const TTestCanvas& c, int size) {
  HDC dc = c.Dc();
  return {GetPixel(dc, size / 2, 0), GetPixel(dc, 0, size / 2), GetPixel(dc, size / 2, size - 1),
          GetPixel(dc, size - 1, size / 2)};
}

TSides InnerSides(const TTestCanvas& c, int size) {
  HDC dc = c.Dc();
  return {GetPixel(dc, size / 2, 1), GetPixel(dc, 1, size / 2), GetPixel(dc, size / 2, size - 2),
          GetPixel(dc, size - 2, size / 2)};
}

void ExpectSides(const TSides& s, COLORREF topLeft, COLORREF bottomRight) {
  EXPECT_EQ(s.Top, topLeft);
  EXPECT_EQ(s.Left, topLeft);
  EXPECT_EQ(s.Bottom, bottomRight);
  EXPECT_EQ(s.Right, bottomRight);
}

TEST(GdiDrawEdge, ClassicColoursPerSide) {
  struct TCase {
    UINT Edge;
    COLORREF OuterTL, OuterBR, InnerTL, InnerBR;
  };
  const TCase cases[] = {
      {EDGE_RAISED, Light, Black, White, Shadow},
      {EDGE_SUNKEN, Shadow, White, Black, Light},
      {EDGE_ETCHED, Shadow, White, White, Shadow},
      {EDGE_BUMP, Light, Black, Black, Light},
  };
  for (const TCase& t : cases) {
    TTestCanvas c(10, 10);
    RECT r{0, 0, 10, 10};
    EXPECT_TRUE(DrawEdge(c.Dc(), &r, t.Edge, BF_RECT));
    SCOPED_TRACE(t.Edge);
    ExpectSides(OuterSides(c, 10), t.OuterTL, t.OuterBR);
    ExpectSides(InnerSides(c, 10), t.InnerTL, t.InnerBR);
    EXPECT_EQ(GetPixel(c.Dc(), 5, 5), White); // no BF_MIDDLE
    EXPECT_EQ(r, (RECT{0, 0, 10, 10}));
  }
}

TEST(GdiDrawEdge, BottomAndRightLinesOwnTheCorners) {
  TTestCanvas c(6, 6);
  RECT r{0, 0, 6, 6};
  FillRect(c.Dc(), &r, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  DrawEdge(c.Dc(), &r, BDR_RAISEDINNER, BF_RECT);
  EXPECT_EQ(c.Map(White),
            (std::vector<std::string>{"#####.", "#.....", "#.....", "#.....", "#.....", "......"}));
  EXPECT_EQ(c.Map(Shadow),
            (std::vector<std::string>{".....#", ".....#", ".....#", ".....#", ".....#", "######"}));
}

TEST(GdiDrawEdge, SoftFlatMonoMiddleAndAdjust) {
  TTestCanvas c(10, 10);
  RECT r{0, 0, 10, 10};
  DrawEdge(c.Dc(), &r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE | BF_ADJUST);
  c.Expect({{5, 0, White}, {5, 1, Light}, {5, 5, Face}});
  EXPECT_EQ(r, (RECT{2, 2, 8, 8}));
  RECT flat{0, 0, 10, 10};
  DrawEdge(c.Dc(), &flat, EDGE_SUNKEN, BF_RECT | BF_FLAT);
  ExpectSides(OuterSides(c, 10), Shadow, Shadow);
  ExpectSides(InnerSides(c, 10), Face, Face);
  RECT mono{0, 0, 10, 10};
  DrawEdge(c.Dc(), &mono, EDGE_SUNKEN, BF_RECT | BF_MONO);
  ExpectSides(OuterSides(c, 10), Black, Black);
  ExpectSides(InnerSides(c, 10), White, White);
}

TEST(GdiDrawEdge, OnlyTheNamedSides) {
  TTestCanvas c(10, 4);
  RECT r{0, 0, 10, 4};
  DrawEdge(c.Dc(), &r, EDGE_ETCHED, BF_TOP);
  EXPECT_EQ(c.Map(Shadow)[0], std::string(10, '#'));
  EXPECT_EQ(c.Map(White)[1], std::string(10, '#'));
  EXPECT_EQ(c.Count(Shadow), 10);
}

TEST(GdiDrawEdge, SystemColourChangesShowUp) {
  TTestCanvas c(4, 4);
  const INT index = COLOR_BTNSHADOW;
  const COLORREF green = RGB(0, 200, 0);
  ASSERT_TRUE(SetSysColors(1, &index, &green));
  RECT r{0, 0, 4, 4};
  DrawEdge(c.Dc(), &r, BDR_SUNKENOUTER, BF_RECT);
  EXPECT_EQ(GetPixel(c.Dc(), 1, 0), green);
  const COLORREF classic = Shadow;
  SetSysColors(1, &index, &classic);
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), Shadow);
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
  EXPECT_EQ(GetSysColor(COLOR_BACKGROUND), RGB(0, 128, 128));
}

TEST(GdiFrameControl, CheckBoxDrawsASunkenBoxAndTheMark) {
  TTestCanvas c(13, 13);
  RECT r{0, 0, 13, 13};
  EXPECT_TRUE(DrawFrameControl(c.Dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED));
  c.Expect({{6, 0, Shadow}, {6, 1, Black}, {6, 12, White}, {6, 11, Light}});
  // The 7 x 7 mark sits in the 9 x 9 inside, at (3, 3).
  c.Expect({{9, 3, Black}, {3, 5, Black}, {3, 3, White}});
  TTestCanvas grey(13, 13);
  DrawFrameControl(grey.Dc(), &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE);
  grey.Expect({{3, 3, Face}, {9, 3, Shadow}});
}

TEST(GdiFrameControl, RadioAndPushButtons) {
  TTestCanvas c(12, 12);
  RECT r{0, 0, 12, 12};
  DrawFrameControl(c.Dc(), &r, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
  EXPECT_EQ(GetPixel(c.Dc(), 0, 0), White); // outside the circle
  c.Expect({{5, 0, Shadow}, {6, 11, White}});
  EXPECT_EQ(GetPixel(c.Dc(), 5, 5), Black); // the dot
  TTestCanvas b(10, 10);
  RECT br{0, 0, 10, 10};
  DrawFrameControl(b.Dc(), &br, DFC_BUTTON, DFCS_BUTTONPUSH);
  b.Expect({{5, 0, White}, {5, 9, Black}, {5, 5, Face}});
  EXPECT_FALSE(DrawFrameControl(b.Dc(), &br, DFC_CAPTION, 0));
}

TEST(GdiFrameControl, ScrollArrowPointsItsWay) {
  TTestCanvas c(16, 16);
  RECT r{0, 0, 16, 16};
  DrawFrameControl(c.Dc(), &r, DFC_SCROLL, DFCS_SCROLLUP);
  const auto rows = c.Map(Black);
  int first = -1, last = -1;
  for (int y = 2; y < 14; ++y) {
    const auto n = std::count(rows[static_cast<std::size_t>(y)].begin() + 2,
                              rows[static_cast<std::size_t>(y)].end() - 2, '#');
    if (n > 0 && first < 0) first = y;
    if (n > 0) last = y;
  }
  ASSERT_GE(first, 0);
  EXPECT_EQ(std::count(rows[static_cast<std::size_t>(first)].begin() + 2,
                       rows[static_cast<std::size_t>(first)].end() - 2, '#'),
            1);
  EXPECT_EQ(std::count(rows[static_cast<std::size_t>(last)].begin() + 2,
                       rows[static_cast<std::size_t>(last)].end() - 2, '#'),
            7);
}

// Part of an arrow outside the bitmap or the clip is the same as the whole arrow cut; a
// button far larger than the bitmap draws only what shows.
TEST(GdiFrameControl, ArrowsCutByTheBitmapAndClipDrawTheirVisiblePart) {
  for (UINT kind : {DFCS_SCROLLUP, DFCS_SCROLLDOWN, DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT}) {
    TTestCanvas whole(48, 40), cut(16, 16);
    RECT all{0, 0, 48, 40}, shifted{-20, -13, 28, 27};
    DrawFrameControl(whole.Dc(), &all, DFC_SCROLL, kind);
    IntersectClipRect(cut.Dc(), 2, 2, 14, 14);
    DrawFrameControl(cut.Dc(), &shifted, DFC_SCROLL, kind);
    for (int y = 2; y < 14; ++y)
      for (int x = 2; x < 14; ++x)
        ASSERT_EQ(GetPixel(cut.Dc(), x, y), GetPixel(whole.Dc(), x + 20, y + 13))
            << kind << " at " << x << "," << y;
  }
  TTestCanvas huge(16, 16);
  RECT r{-(1 << 26), -(1 << 26), 1 << 26, 1 << 26};
  DrawFrameControl(huge.Dc(), &r, DFC_SCROLL, DFCS_SCROLLLEFT);
  EXPECT_EQ(GetPixel(huge.Dc(), 8, 8), Black) << "inside the huge triangle";
}

} // namespace
