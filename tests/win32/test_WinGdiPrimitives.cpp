#include "tests/win32/Canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>

namespace {

using Rows = std::vector<std::string>;

HBRUSH NullBrush() { return reinterpret_cast<HBRUSH>(GetStockObject(NULL_BRUSH)); }

// Outline right and bottom exclusive; the brush fills inside, corners given in either order;
// without a pen the fill reaches one pixel less at the right and bottom.
TEST(GdiRectangle, OutlineFillAndNullPen) {
  TTestCanvas c(8, 7);
  SelectObject(c.Dc(), NullBrush());
  Rectangle(c.Dc(), 2, 1, 6, 5);
  EXPECT_EQ(c.Map(Black), (Rows{"........", "..####..", "..#..#..", "..#..#..", "..####..",
                                "........", "........"}));
  TTestCanvas f(8, 7);
  f.Use(CreateSolidBrush(Red));
  Rectangle(f.Dc(), 6, 5, 2, 1);
  EXPECT_EQ(f.Map(Red), (Rows{"........", "........", "...##...", "...##...", "........",
                              "........", "........"}));
  EXPECT_EQ(f.Count(Black), 12);
  TTestCanvas n(8, 7);
  SelectObject(n.Dc(), GetStockObject(NULL_PEN));
  n.Use(CreateSolidBrush(Red));
  Rectangle(n.Dc(), 2, 1, 6, 5);
  EXPECT_EQ(n.Map(Red), (Rows{"........", "..###...", "..###...", "..###...", "........",
                              "........", "........"}));
}

TEST(GdiRectangle, InsideFramePenStaysInsideTheBox) {
  TTestCanvas c(12, 12);
  c.Use(CreatePen(PS_INSIDEFRAME, 3, Black));
  SelectObject(c.Dc(), NullBrush());
  Rectangle(c.Dc(), 2, 2, 10, 10);
  for (int i = 0; i < 12; ++i) {
    c.Expect({{1, i, White}, {10, i, White}, {i, 1, White}, {i, 10, White}});
  }
  c.Expect({{4, 6, Black}, {5, 6, White}});
}

TEST(GdiLineTo, LeavesOutTheEndPixelInEveryOctant) {
  const POINT targets[] = {{18, 13}, {13, 18}, {7, 18}, {2, 13}, {2, 7}, {7, 2}, {13, 2}, {18, 7}};
  for (POINT t : targets) {
    TTestCanvas c(21, 21);
    MoveToEx(c.Dc(), 10, 10, nullptr);
    LineTo(c.Dc(), t.X, t.Y);
    SCOPED_TRACE(std::to_string(t.X) + "," + std::to_string(t.Y));
    c.Expect({{10, 10, Black}, {t.X, t.Y, White}});
    EXPECT_EQ(c.Count(Black), 8);
    POINT now;
    GetCurrentPositionEx(c.Dc(), &now);
    EXPECT_EQ(now, t);
  }
}

TEST(GdiLineTo, StepsLikeBresenhamAndReversedCoversTheOtherEnd) {
  TTestCanvas c(6, 3);
  MoveToEx(c.Dc(), 0, 0, nullptr);
  LineTo(c.Dc(), 5, 2);
  EXPECT_EQ(c.Map(Black), (Rows{"##....", "..##..", "....#."}));
  TTestCanvas r(6, 3);
  MoveToEx(r.Dc(), 5, 2, nullptr);
  LineTo(r.Dc(), 0, 0);
  EXPECT_EQ(r.Map(Black), (Rows{".#....", "..##..", "....##"}));
}

TEST(GdiLineTo, DashedLineShowsBackgroundInGapsWhenOpaque) {
  TTestCanvas c(40, 1);
  c.Use(CreatePen(PS_DASH, 1, Black));
  SetBkColor(c.Dc(), Red);
  MoveToEx(c.Dc(), 0, 0, nullptr);
  LineTo(c.Dc(), 40, 0);
  EXPECT_EQ(c.Map(Black)[0], std::string(18, '#') + std::string(6, '.') + std::string(16, '#'));
  EXPECT_EQ(c.Map(Red)[0], std::string(18, '.') + std::string(6, '#') + std::string(16, '.'));
}

TEST(GdiLineTo, DottedLineLeavesGapsAloneWhenTransparent) {
  TTestCanvas c(14, 1);
  c.Use(CreatePen(PS_DOT, 1, Black));
  SetBkMode(c.Dc(), TRANSPARENT);
  SetBkColor(c.Dc(), Red);
  MoveToEx(c.Dc(), 0, 0, nullptr);
  LineTo(c.Dc(), 14, 0);
  EXPECT_EQ(c.Map(Black)[0], "###...###...##");
  EXPECT_EQ(c.Count(Red), 0);
}

TEST(GdiLineTo, PolylineCarriesTheDashAcrossCorners) {
  TTestCanvas c(10, 10);
  c.Use(CreatePen(PS_DOT, 1, Black));
  SetBkMode(c.Dc(), TRANSPARENT);
  const POINT path[] = {{0, 0}, {4, 0}, {4, 8}};
  Polyline(c.Dc(), path, 3);
  // Pixels 0-2 on, 3-5 off (x=3, then (4,0), (4,1)), 6-8 on ((4,2)-(4,4)), 9-11 off.
  EXPECT_EQ(c.Map(Black)[0], "###.......");
  c.Expect({{4, 1, White}, {4, 2, Black}, {4, 4, Black}, {4, 5, White}});
}

TEST(GdiLineTo, WidePenHasRoundEnds) {
  TTestCanvas c(20, 11);
  c.Use(CreatePen(PS_SOLID, 5, Black));
  MoveToEx(c.Dc(), 5, 5, nullptr);
  LineTo(c.Dc(), 14, 5);
  // Five rows thick; the ends reach two pixels beyond the points, cut round at the corners.
  c.Expect({{10, 3, Black},
            {10, 7, Black},
            {10, 2, White},
            {10, 8, White},
            {3, 5, Black},
            {16, 5, Black},
            {3, 3, White},
            {16, 7, White}});
}

TEST(GdiLineTo, HugeCoordinatesAreClippedQuickly) {
  TTestCanvas c(64, 64);
  const auto start = std::chrono::steady_clock::now();
  Ellipse(c.Dc(), -2000000000, -2000000000, 2000000000, 2000000000);
  MoveToEx(c.Dc(), -2000000000, 32, nullptr);
  LineTo(c.Dc(), 2000000000, 32);
  c.Use(CreatePen(PS_SOLID, 9, Black));
  MoveToEx(c.Dc(), -2000000000, -2000000000, nullptr);
  LineTo(c.Dc(), 2000000000, 2000000000);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  c.Expect({{0, 32, Black}, {63, 32, Black}, {40, 40, Black}});
  RECT huge{-2000000000, -2000000000, 2000000000, 2000000000};
  DrawFocusRect(c.Dc(), &huge);
  DrawEdge(c.Dc(), &huge, EDGE_RAISED, BF_RECT);
  FrameRect(c.Dc(), &huge, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  PatBlt(c.Dc(), 2000000000, 0, 2000000000, 10, BLACKNESS);
  BitBlt(c.Dc(), -2000000000, 0, 2000000000, 1, c.Dc(), 2000000000, 0, SRCCOPY);
  const POINT far[] = {{-2000000000, 0}, {2000000000, 5}, {0, 2000000000}};
  Polygon(c.Dc(), far, 3);
  EXPECT_EQ(GetPixel(c.Dc(), 40, 40), White); // inside the far triangle: the white brush
  RoundRect(c.Dc(), 0, 0, 10, 10, INT_MIN, INT_MIN);
  c.Use(CreatePen(PS_INSIDEFRAME, INT_MAX, Black));
  Rectangle(c.Dc(), INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  RECT extreme{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
  DrawFrameControl(c.Dc(), &extreme, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
  DrawEdge(c.Dc(), &extreme, EDGE_SUNKEN, BF_RECT | BF_MIDDLE | BF_ADJUST);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(GdiEllipse, IsSymmetricAndTouchesTheBox) {
  TTestCanvas c(15, 11);
  c.Use(CreateSolidBrush(Red));
  Ellipse(c.Dc(), 1, 1, 14, 10);
  const Rows black = c.Map(Black);
  for (int y = 0; y < 11; ++y) {
    std::string mirrored(black[static_cast<std::size_t>(y)].rbegin(),
                         black[static_cast<std::size_t>(y)].rend());
    EXPECT_EQ(black[static_cast<std::size_t>(y)], mirrored) << y;
    EXPECT_EQ(black[static_cast<std::size_t>(y)], black[static_cast<std::size_t>(10 - y)]) << y;
  }
  EXPECT_EQ(black[0], std::string(15, '.'));
  EXPECT_EQ(black[10], std::string(15, '.'));
  EXPECT_NE(black[1], std::string(15, '.'));
  EXPECT_NE(black[9], std::string(15, '.'));
  c.Expect(
      {{1, 5, Black}, {13, 5, Black}, {0, 5, White}, {14, 5, White}, {7, 5, Red}, {1, 1, White}});
}

TEST(GdiEllipse, SmallCircleHasTheClassicShape) {
  TTestCanvas c(6, 6);
  SelectObject(c.Dc(), NullBrush());
  Ellipse(c.Dc(), 0, 0, 6, 6);
  EXPECT_EQ(c.Map(Black), (Rows{".####.", "#....#", "#....#", "#....#", "#....#", ".####."}));
}

// Counter-clockwise from start to end: east to north is the upper right quarter; swapped
// radials or the clockwise direction take the other three.
TEST(GdiPie, SweepsFromStartToEndInTheArcDirection) {
  const struct {
    int startX, startY, endX, endY, direction;
    bool upperRightRed;
  } cases[] = {{40, 20, 20, 0, AD_COUNTERCLOCKWISE, true},
               {20, 0, 40, 20, AD_COUNTERCLOCKWISE, false},
               {40, 20, 20, 0, AD_CLOCKWISE, false}};
  for (const auto& k : cases) {
    TTestCanvas c(41, 41);
    SelectObject(c.Dc(), GetStockObject(NULL_PEN));
    c.Use(CreateSolidBrush(Red));
    EXPECT_EQ(SetArcDirection(c.Dc(), k.direction), AD_COUNTERCLOCKWISE);
    Pie(c.Dc(), 0, 0, 41, 41, k.startX, k.startY, k.endX, k.endY);
    const COLORREF upperRight = k.upperRightRed ? Red : White;
    const COLORREF rest = k.upperRightRed ? White : Red;
    SCOPED_TRACE(std::to_string(k.startX) + "," + std::to_string(k.direction));
    c.Expect({{30, 10, upperRight}, {10, 10, rest}, {10, 30, rest}, {30, 30, rest}});
  }
}

TEST(GdiPie, OutlineRunsAlongBothRadials) {
  TTestCanvas c(41, 41);
  SelectObject(c.Dc(), NullBrush());
  Pie(c.Dc(), 0, 0, 41, 41, 40, 20, 20, 0);
  for (int i = 22; i < 38; ++i) EXPECT_EQ(GetPixel(c.Dc(), i, 20), Black) << i;
  for (int i = 3; i < 18; ++i) EXPECT_EQ(GetPixel(c.Dc(), 20, i), Black) << i;
  EXPECT_EQ(GetPixel(c.Dc(), 34, 6), Black); // on the arc, about 45 degrees
  EXPECT_EQ(GetPixel(c.Dc(), 6, 34), White);
}

TEST(GdiChord, FillsOnlyTheCapBeyondTheChord) {
  TTestCanvas c(41, 41);
  SelectObject(c.Dc(), GetStockObject(NULL_PEN));
  c.Use(CreateSolidBrush(Red));
  Chord(c.Dc(), 0, 0, 41, 41, 40, 20, 20, 0);
  c.Expect({{33, 7, Red}, {25, 15, White}, {10, 30, White}});
}

TEST(GdiArc, DrawsOnlyTheSweptPartOfTheOutline) {
  TTestCanvas c(41, 41);
  Arc(c.Dc(), 0, 0, 41, 41, 0, 20, 40, 20); // west to east through the south
  c.Expect({{20, 40, Black}, {20, 0, White}});
  EXPECT_EQ(c.Count(Red), 0);
}

TEST(GdiPolygon, AlternateLeavesTheOverlapOfAStarEmptyWindingFillsIt) {
  const POINT star[] = {{10, 0}, {16, 19}, {0, 7}, {20, 7}, {4, 19}};
  for (int mode : {ALTERNATE, WINDING}) {
    TTestCanvas c(21, 21);
    SelectObject(c.Dc(), GetStockObject(NULL_PEN));
    c.Use(CreateSolidBrush(Red));
    SetPolyFillMode(c.Dc(), mode);
    Polygon(c.Dc(), star, 5);
    EXPECT_EQ(GetPixel(c.Dc(), 10, 11) == Red, mode == WINDING) << mode;
    EXPECT_EQ(GetPixel(c.Dc(), 10, 3), Red) << mode;
  }
}

TEST(GdiPolygon, NullPenSquareFillsLikeRectangle) {
  TTestCanvas c(6, 6);
  SelectObject(c.Dc(), GetStockObject(NULL_PEN));
  c.Use(CreateSolidBrush(Red));
  const POINT square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
  Polygon(c.Dc(), square, 4);
  EXPECT_EQ(c.Map(Red), (Rows{"......", ".####.", ".####.", ".####.", ".####.", "......"}));
}

TEST(GdiRoundRect, CutsTheCornersOnly) {
  TTestCanvas c(20, 12);
  SelectObject(c.Dc(), NullBrush());
  RoundRect(c.Dc(), 0, 0, 20, 12, 8, 8);
  c.Expect({{0, 0, White},
            {10, 0, Black},
            {0, 6, Black},
            {19, 6, Black},
            {10, 11, Black},
            {19, 11, White}});
}

TEST(GdiFloodFill, StopsAtTheBorderColour) {
  TTestCanvas c(12, 12);
  SelectObject(c.Dc(), NullBrush());
  Rectangle(c.Dc(), 2, 2, 10, 10);
  c.Use(CreateSolidBrush(Red));
  EXPECT_TRUE(FloodFill(c.Dc(), 5, 5, Black));
  EXPECT_EQ(c.Count(Red), 36);
  EXPECT_EQ(c.Count(Black), 28);
  EXPECT_EQ(GetPixel(c.Dc(), 0, 0), White);
  EXPECT_FALSE(FloodFill(c.Dc(), 2, 2, Black)); // starts on the border
}

TEST(GdiFloodFill, SurfaceModeFillsOnlyTheConnectedColour) {
  TTestCanvas c(12, 4);
  c.Use(CreateSolidBrush(Blue));
  RECT left{0, 0, 5, 4};
  FillRect(c.Dc(), &left, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RECT mid{6, 0, 7, 4};
  FillRect(c.Dc(), &mid, reinterpret_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  EXPECT_TRUE(ExtFloodFill(c.Dc(), 1, 1, Black, FLOODFILLSURFACE));
  EXPECT_EQ(c.Map(Blue), (Rows{"#####.......", "#####.......", "#####.......", "#####......."}));
  EXPECT_FALSE(ExtFloodFill(c.Dc(), 8, 1, Black, FLOODFILLSURFACE));
}

TEST(GdiRop2, XorTwiceRestoresAndTruthTableHolds) {
  TTestCanvas c(30, 30);
  RECT part{0, 0, 15, 30};
  FillRect(c.Dc(), &part, reinterpret_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
  const std::vector<COLORREF> before = c.Pixels();
  c.Use(CreatePen(PS_SOLID, 1, RGB(12, 200, 77)));
  SetROP2(c.Dc(), R2_XORPEN);
  for (int pass = 0; pass < 2; ++pass) {
    MoveToEx(c.Dc(), 0, 0, nullptr);
    LineTo(c.Dc(), 29, 17);
    Rectangle(c.Dc(), 3, 3, 20, 25);
  }
  EXPECT_EQ(c.Pixels(), before);
}

TEST(GdiRop2, EveryCodeCombinesPenAndPixelBitwise) {
  const COLORREF pen = RGB(0xF0, 0x0F, 0x5A);
  const COLORREF dst = RGB(0xCC, 0x33, 0xA5);
  const DWORD p = pen, d = dst;
  const std::pair<int, DWORD> cases[] = {{R2_BLACK, 0},
                                         {R2_NOTMERGEPEN, ~(p | d)},
                                         {R2_MASKNOTPEN, ~p & d},
                                         {R2_NOTCOPYPEN, ~p},
                                         {R2_MASKPENNOT, p & ~d},
                                         {R2_NOT, ~d},
                                         {R2_XORPEN, p ^ d},
                                         {R2_NOTMASKPEN, ~(p & d)},
                                         {R2_MASKPEN, p & d},
                                         {R2_NOTXORPEN, ~(p ^ d)},
                                         {R2_NOP, d},
                                         {R2_MERGENOTPEN, ~p | d},
                                         {R2_COPYPEN, p},
                                         {R2_MERGEPENNOT, p | ~d},
                                         {R2_MERGEPEN, p | d},
                                         {R2_WHITE, 0xFFFFFF}};
  for (const auto& [code, result] : cases) {
    TTestCanvas c(3, 1);
    SetPixel(c.Dc(), 0, 0, dst);
    c.Use(CreatePen(PS_SOLID, 1, pen));
    SetROP2(c.Dc(), code);
    MoveToEx(c.Dc(), 0, 0, nullptr);
    LineTo(c.Dc(), 1, 0);
    EXPECT_EQ(GetPixel(c.Dc(), 0, 0), result & 0xFFFFFF) << code;
  }
}

TEST(GdiFocusRect, InvertsEveryOtherPixelAndTwiceRestores) {
  TTestCanvas c(10, 8);
  const std::vector<COLORREF> before = c.Pixels();
  RECT r{1, 1, 9, 7};
  DrawFocusRect(c.Dc(), &r);
  EXPECT_EQ(c.Map(Black), (Rows{"..........", ".#.#.#.#..", "........#.", ".#........",
                                "........#.", ".#........", "..#.#.#.#.", ".........."}));
  DrawFocusRect(c.Dc(), &r);
  EXPECT_EQ(c.Pixels(), before);
}

TEST(GdiHatch, PatternsFollowTheBrushOriginAndBackgroundMode) {
  TTestCanvas c(16, 16);
  c.Use(CreateHatchBrush(HS_HORIZONTAL, Black));
  SetBkColor(c.Dc(), Red);
  RECT all{0, 0, 16, 16};
  FillRect(c.Dc(), &all, reinterpret_cast<HBRUSH>(GetCurrentObject(c.Dc(), OBJ_BRUSH)));
  EXPECT_EQ(c.Map(Black)[3], std::string(16, '#'));
  EXPECT_EQ(c.Map(Black)[11], std::string(16, '#'));
  EXPECT_EQ(c.Count(Red), 16 * 14);
  SetBrushOrgEx(c.Dc(), 0, 2, nullptr);
  SetBkMode(c.Dc(), TRANSPARENT);
  FillRect(c.Dc(), &all, reinterpret_cast<HBRUSH>(GetCurrentObject(c.Dc(), OBJ_BRUSH)));
  EXPECT_EQ(c.Map(Black)[5], std::string(16, '#'));
  EXPECT_EQ(c.Map(Black)[3], std::string(16, '#')); // left from before: transparent
  EXPECT_EQ(c.Count(Red), 16 * 12);
}

TEST(GdiHatch, DiagonalCrossIsEightByEight) {
  TTestCanvas c(8, 8);
  c.Use(CreateHatchBrush(HS_DIAGCROSS, Black));
  SelectObject(c.Dc(), GetStockObject(NULL_PEN));
  Rectangle(c.Dc(), 0, 0, 9, 9);
  EXPECT_EQ(c.Map(Black), (Rows{"#......#", ".#....#.", "..#..#..", "...##...", "...##...",
                                "..#..#..", ".#....#.", "#......#"}));
}

TEST(GdiPixels, SetAndGetHonourClipAndSurface) {
  TTestCanvas c(4, 4);
  EXPECT_EQ(SetPixel(c.Dc(), 1, 1, Red), Red);
  c.Expect({{1, 1, Red}, {4, 0, CLR_INVALID}, {-1, 0, CLR_INVALID}});
  EXPECT_EQ(SetPixel(c.Dc(), 9, 9, Red), CLR_INVALID);
  IntersectClipRect(c.Dc(), 2, 2, 4, 4);
  EXPECT_EQ(GetPixel(c.Dc(), 1, 1), CLR_INVALID);
  EXPECT_FALSE(SetPixelV(c.Dc(), 0, 0, Blue));
  EXPECT_TRUE(SetPixelV(c.Dc(), 3, 3, Blue));
}

TEST(GdiFrameRect, DrawsOnePixelFrameWithTheBrush) {
  TTestCanvas c(6, 5);
  RECT r{1, 1, 5, 4};
  FrameRect(c.Dc(), &r, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(c.Map(Black), (Rows{"......", ".####.", ".#..#.", ".####.", "......"}));
  InvertRect(c.Dc(), &r);
  EXPECT_EQ(c.Map(Black), (Rows{"......", "......", "..##..", "......", "......"}));
}

TEST(GdiFillRect, DcBrushAndSystemColourBrushes) {
  TTestCanvas c(2, 2);
  RECT r{0, 0, 2, 2};
  SetDCBrushColor(c.Dc(), Blue);
  FillRect(c.Dc(), &r, reinterpret_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  EXPECT_EQ(GetPixel(c.Dc(), 1, 1), Blue);
  EXPECT_EQ(SetDCBrushColor(c.Dc(), Red), Blue);
  FillRect(c.Dc(), &r, reinterpret_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  EXPECT_EQ(GetPixel(c.Dc(), 0, 0), Red);
  FillRect(c.Dc(), &r, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1)));
  EXPECT_EQ(GetPixel(c.Dc(), 1, 1), RGB(192, 192, 192));
  FillRect(c.Dc(), &r, GetSysColorBrush(COLOR_HIGHLIGHT));
  EXPECT_EQ(GetPixel(c.Dc(), 0, 0), RGB(0, 0, 128));
}

TEST(GdiPatBlt, AppliesPatternOperations) {
  TTestCanvas c(4, 1);
  c.Use(CreateSolidBrush(RGB(0x0F, 0xF0, 0x33)));
  EXPECT_TRUE(PatBlt(c.Dc(), 0, 0, 2, 1, PATINVERT));
  EXPECT_EQ(GetPixel(c.Dc(), 0, 0), RGB(0xF0, 0x0F, 0xCC));
  EXPECT_TRUE(PatBlt(c.Dc(), 3, 0, -2, 1, DSTINVERT));
  c.Expect({{1, 0, RGB(0x0F, 0xF0, 0x33)}, {2, 0, Black}, {3, 0, White}});
  EXPECT_FALSE(PatBlt(c.Dc(), 0, 0, 1, 1, SRCCOPY));
}

TEST(GdiPolyPolygon, AlternateLeavesTheInnerSquareOpen) {
  TTestCanvas c(10, 10);
  SelectObject(c.Dc(), GetStockObject(NULL_PEN));
  c.Use(CreateSolidBrush(Red));
  const POINT points[] = {{1, 1}, {9, 1}, {9, 9}, {1, 9}, {3, 3}, {7, 3}, {7, 7}, {3, 7}};
  const INT counts[] = {4, 4};
  EXPECT_TRUE(PolyPolygon(c.Dc(), points, counts, 2));
  EXPECT_EQ(c.Map(Red), (std::vector<std::string>{
                            "..........", ".########.", ".########.", ".##....##.", ".##....##.",
                            ".##....##.", ".##....##.", ".########.", ".########.", ".........."}));
  const INT bad[] = {4, 1};
  EXPECT_FALSE(PolyPolygon(c.Dc(), points, bad, 2));
}

TEST(GdiEllipse, DottedPenDashesTheOutlineInOrder) {
  TTestCanvas solid(41, 41);
  SelectObject(solid.Dc(), NullBrush());
  Ellipse(solid.Dc(), 0, 0, 41, 41);
  const int n = solid.Count(Black);
  TTestCanvas dotted(41, 41);
  SelectObject(dotted.Dc(), NullBrush());
  dotted.Use(CreatePen(PS_DOT, 1, Black));
  SetBkColor(dotted.Dc(), Red);
  Ellipse(dotted.Dc(), 0, 0, 41, 41);
  int on = 0;
  for (int k = 0; k < n; ++k) on += k % 6 < 3 ? 1 : 0;
  EXPECT_EQ(dotted.Count(Black), on);
  EXPECT_EQ(dotted.Count(Red), n - on);
  // The dash starts at the east end of the horizontal axis.
  EXPECT_EQ(GetPixel(dotted.Dc(), 40, 20), Black);
}

} // namespace
