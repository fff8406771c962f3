#include "framework/win32/gdi/DeviceContext.h"
#include "framework/win32/gdi/GdiHandles.h"
#include "tests/win32/Canvas.h"

#include <gtest/gtest.h>

namespace {

TEST(GdiHandles, InvalidHandlesFailQuietly) {
  HDC bogus = HandleFromId<HDC>(0x7777);
  EXPECT_EQ(SelectObject(bogus, GetStockObject(BLACK_PEN)), nullptr);
  EXPECT_FALSE(LineTo(bogus, 1, 1));
  EXPECT_FALSE(Rectangle(nullptr, 0, 0, 1, 1));
  EXPECT_EQ(GetPixel(bogus, 0, 0), CLR_INVALID);
  EXPECT_FALSE(DeleteObject(HandleFromId<HGDIOBJ>(0x12345)));
  EXPECT_FALSE(DeleteDC(bogus));
  EXPECT_EQ(GetObjectType(HandleFromId<HGDIOBJ>(0x999)), 0u);
  EXPECT_EQ(CombineRgn(nullptr, nullptr, nullptr, RGN_OR), ERROR);
  EXPECT_FALSE(BitBlt(bogus, 0, 0, 1, 1, bogus, 0, 0, SRCCOPY));
  TTestCanvas c(2, 2);
  EXPECT_FALSE(BitBlt(c.Dc(), 0, 0, 1, 1, bogus, 0, 0, SRCCOPY));
  EXPECT_EQ(SelectObject(c.Dc(), HandleFromId<HGDIOBJ>(0x4444)), nullptr);
}

TEST(GdiHandles, SelectedAndStockObjectsCannotBeDeleted) {
  TTestCanvas c(2, 2);
  HPEN pen = CreatePen(PS_SOLID, 1, Red);
  HGDIOBJ old = SelectObject(c.Dc(), pen);
  EXPECT_EQ(old, GetStockObject(BLACK_PEN));
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), OBJ_PEN);
  EXPECT_EQ(SelectObject(c.Dc(), old), pen);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_FALSE(DeleteObject(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), OBJ_BRUSH);
  EXPECT_EQ(GetObjectType(c.Dc()), OBJ_MEMDC);
  EXPECT_FALSE(DeleteObject(c.Bitmap()));
}

TEST(GdiHandles, ObjectsInASavedStateStayAlive) {
  TTestCanvas c(2, 2);
  HBRUSH brush = CreateSolidBrush(Red);
  SelectObject(c.Dc(), brush);
  SaveDC(c.Dc());
  SelectObject(c.Dc(), GetStockObject(WHITE_BRUSH));
  EXPECT_FALSE(DeleteObject(brush));
  RestoreDC(c.Dc(), -1);
  SelectObject(c.Dc(), GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(DeleteObject(brush));
}

TEST(GdiHandles, ABitmapLivesInOneMemoryDcAtATime) {
  TTestCanvas c(2, 2);
  HDC other = CreateCompatibleDC(c.Dc());
  EXPECT_EQ(SelectObject(other, c.Bitmap()), nullptr);
  DeleteDC(other);
}

TEST(GdiHandles, ForgottenObjectsAreOwnedByTheTable) {
  // Nothing is deleted here; the leak checker at exit must find no leak.
  CreatePen(PS_DOT, 1, Red);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, CreateCompatibleBitmap(dc, 3, 3));
  CreateRectRgn(0, 0, 4, 4);
  EXPECT_NE(dc, nullptr);
}

TEST(GdiBitmaps, GetObjectDescribesBitmaps) {
  HBITMAP colour = CreateBitmap(5, 3, 1, 32, nullptr);
  BITMAP info;
  ASSERT_EQ(GetObject(colour, sizeof info, &info), static_cast<int>(sizeof(BITMAP)));
  EXPECT_EQ(info.bmWidth, 5);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(info.bmWidthBytes, 20);
  EXPECT_EQ(CreateBitmap(0, 3, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(1 << 20, 1 << 20, 1, 32, nullptr), nullptr);
  DeleteObject(colour);
}

TEST(GdiDc, StateValuesRoundTrip) {
  TTestCanvas c(2, 2);
  HDC dc = c.Dc();
  EXPECT_EQ(SetTextColor(dc, Red), Black);
  EXPECT_EQ(GetTextColor(dc), Red);
  EXPECT_EQ(SetBkColor(dc, Blue), White);
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(SetBkMode(dc, 7), 0);
  EXPECT_EQ(SetTextAlign(dc, 24), 0u);
  EXPECT_EQ(GetTextAlign(dc), 24u);
  EXPECT_EQ(SetROP2(dc, R2_XORPEN), R2_COPYPEN);
  EXPECT_EQ(SetROP2(dc, 17), 0);
  EXPECT_EQ(SetPolyFillMode(dc, WINDING), ALTERNATE);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
}

TEST(GdiDc, SaveAndRestoreBringBackEveryPieceOfState) {
  TTestCanvas c(10, 10);
  HDC dc = c.Dc();
  HPEN pen = CreatePen(PS_SOLID, 1, Red);
  EXPECT_EQ(SaveDC(dc), 1);
  SelectObject(dc, pen);
  SetTextColor(dc, Red);
  SetBkMode(dc, TRANSPARENT);
  SetROP2(dc, R2_NOT);
  SetWindowOrgEx(dc, 3, 4, nullptr);
  MoveToEx(dc, 5, 5, nullptr);
  IntersectClipRect(dc, 0, 0, 2, 2);
  EXPECT_EQ(SaveDC(dc), 2);
  SetTextColor(dc, Blue);
  EXPECT_TRUE(RestoreDC(dc, -1));
  EXPECT_EQ(GetTextColor(dc), Red);
  EXPECT_TRUE(RestoreDC(dc, 1));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetTextColor(dc), Black);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
  POINT p;
  GetWindowOrgEx(dc, &p);
  EXPECT_EQ(p, (POINT{0, 0}));
  GetCurrentPositionEx(dc, &p);
  EXPECT_EQ(p, (POINT{0, 0}));
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 10, 10}));
  EXPECT_FALSE(RestoreDC(dc, 1));
  EXPECT_FALSE(RestoreDC(dc, -1));
  EXPECT_TRUE(DeleteObject(pen));
}

TEST(GdiDc, WindowAndViewportOriginsShiftDrawing) {
  TTestCanvas c(10, 10);
  SetWindowOrgEx(c.Dc(), 2, 0, nullptr);
  SetViewportOrgEx(c.Dc(), 0, 3, nullptr);
  OffsetViewportOrgEx(c.Dc(), 1, 0, nullptr);
  SetPixel(c.Dc(), 5, 5, Red);
  EXPECT_EQ(GetPixel(c.Dc(), 5, 5), Red);
  POINT p{5, 5};
  LPtoDP(c.Dc(), &p, 1);
  EXPECT_EQ(p, (POINT{4, 8}));
  SetWindowOrgEx(c.Dc(), 0, 0, nullptr);
  SetViewportOrgEx(c.Dc(), 0, 0, nullptr);
  EXPECT_EQ(c.Map(Red)[8], "....#.....");
}

TEST(GdiClip, ClipRegionExcludesEverythingOutside) {
  TTestCanvas c(8, 6);
  HRGN region = CreateRectRgn(1, 1, 7, 5);
  EXPECT_EQ(SelectClipRgn(c.Dc(), region), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(c.Dc(), 3, 2, 5, 4), COMPLEXREGION);
  RECT all{0, 0, 8, 6};
  FillRect(c.Dc(), &all, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(c.Map(Black), (std::vector<std::string>{"........", ".######.", ".##..##.", ".##..##.",
                                                    ".######.", "........"}));
  EXPECT_TRUE(PtVisible(c.Dc(), 1, 1));
  EXPECT_FALSE(PtVisible(c.Dc(), 3, 2));
  RECT inHole{3, 2, 5, 4};
  EXPECT_FALSE(RectVisible(c.Dc(), &inHole));
  RECT box;
  EXPECT_EQ(GetClipBox(c.Dc(), &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{1, 1, 7, 5}));
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(c.Dc(), copy), 1);
  EXPECT_FALSE(PtInRegion(copy, 4, 3));
  EXPECT_TRUE(PtInRegion(copy, 6, 4));
  EXPECT_EQ(SelectClipRgn(c.Dc(), nullptr), SIMPLEREGION);
  EXPECT_EQ(GetClipRgn(c.Dc(), copy), 0);
  DeleteObject(region);
  DeleteObject(copy);
}

TEST(GdiClip, SelectingARegionSelectsItAsClip) {
  TTestCanvas c(4, 4);
  HRGN region = CreateRectRgn(0, 0, 2, 2);
  EXPECT_EQ(IdFromHandle(SelectObject(c.Dc(), region)), static_cast<std::uintptr_t>(SIMPLEREGION));
  EXPECT_TRUE(DeleteObject(region)); // the DC keeps a copy
  c.Expect({{3, 3, CLR_INVALID}, {1, 1, White}});
}

TEST(GdiRegions, CombineAnswersTheShapeAndEqualRgnComparesPixels) {
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN b = CreateRectRgn(5, 0, 15, 10);
  HRGN r = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(r, a, b, RGN_OR), SIMPLEREGION);
  RECT box;
  GetRgnBox(r, &box);
  EXPECT_EQ(box, (RECT{0, 0, 15, 10}));
  EXPECT_EQ(CombineRgn(r, a, b, RGN_AND), SIMPLEREGION);
  GetRgnBox(r, &box);
  EXPECT_EQ(box, (RECT{5, 0, 10, 10}));
  EXPECT_EQ(CombineRgn(r, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(r, 7, 5));
  EXPECT_TRUE(PtInRegion(r, 12, 5));
  EXPECT_EQ(CombineRgn(r, a, a, RGN_DIFF), NULLREGION);
  HRGN left = CreateRectRgn(0, 0, 5, 10);
  HRGN right = CreateRectRgn(5, 0, 10, 10);
  HRGN joined = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(joined, left, right, RGN_OR);
  EXPECT_TRUE(EqualRgn(joined, a));
  EXPECT_EQ(OffsetRgn(joined, 1, 1), SIMPLEREGION);
  EXPECT_FALSE(EqualRgn(joined, a));
  RECT probe{10, 10, 12, 12};
  EXPECT_TRUE(RectInRegion(joined, &probe));
  for (HRGN h : {a, b, r, left, right, joined}) EXPECT_TRUE(DeleteObject(h));
}

TEST(GdiSurfaceDc, DrawsAtItsOriginInsideTheSystemClip) {
  TRaster screen(12, 8, 0xFFFFFFFFu);
  // A window whose client area starts at (4, 2), of which only 5 x 4 pixels are visible.
  HDC dc = HandleFromId<HDC>(CreateSurfaceDc(&screen, TPoint{4, 2}, TRegion(Rect(0, 0, 5, 4))));
  EXPECT_EQ(GetObjectType(dc), OBJ_DC);
  RECT all{-10, -10, 100, 100};
  FillRect(dc, &all, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  int black = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 4 && x < 9 && y >= 2 && y < 6;
      EXPECT_EQ(screen.At(x, y) == 0xFF000000u, inside) << x << "," << y;
      black += inside ? 1 : 0;
    }
  EXPECT_EQ(black, 20);
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 5, 4}));
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc, 5, 0), CLR_INVALID);
  EXPECT_EQ(SelectObject(dc, CreateBitmap(2, 2, 1, 32, nullptr)), nullptr); // not a memory DC
  EXPECT_TRUE(DeleteDC(dc));
}

// What the font engine will add: another kind of object in the same table.
class TFakeFont : public TGdiObject {
public:
  TGdiKind Kind() const override { return TGdiKind::Font; }
};

TEST(GdiFontSlot, SelectingAFontKindStoresItAndAnswersThePrevious) {
  TTestCanvas c(2, 2);
  HFONT a = HandleFromId<HFONT>(TGdiHandles::Instance().Add(std::make_unique<TFakeFont>()));
  HFONT b = HandleFromId<HFONT>(TGdiHandles::Instance().Add(std::make_unique<TFakeFont>()));
  EXPECT_EQ(GetObjectType(a), OBJ_FONT);
  EXPECT_EQ(SelectObject(c.Dc(), a), GetStockObject(SYSTEM_FONT)); // a new DC's default
  SaveDC(c.Dc());
  EXPECT_EQ(SelectObject(c.Dc(), b), a);
  EXPECT_EQ(GetCurrentObject(c.Dc(), OBJ_FONT), b);
  EXPECT_FALSE(DeleteObject(a)); // still in the saved state
  RestoreDC(c.Dc(), -1);
  EXPECT_EQ(GetCurrentObject(c.Dc(), OBJ_FONT), a);
  EXPECT_TRUE(DeleteObject(b));
  SelectObject(c.Dc(), b); // deleted: nothing happens
  EXPECT_EQ(GetCurrentObject(c.Dc(), OBJ_FONT), a);
}

TEST(GdiArcTo, DrawsALineToTheArcAndMovesToItsEnd) {
  TTestCanvas c(41, 41);
  MoveToEx(c.Dc(), 0, 40, nullptr);
  ArcTo(c.Dc(), 0, 0, 41, 41, 40, 20, 20, 0);
  POINT now;
  GetCurrentPositionEx(c.Dc(), &now);
  EXPECT_EQ(now, (POINT{20, 0}));
  EXPECT_EQ(GetPixel(c.Dc(), 10, 35), Black); // on the line from (0, 40) to (40, 20)
  EXPECT_EQ(GetPixel(c.Dc(), 34, 6), Black);  // on the arc
  EXPECT_EQ(GetPixel(c.Dc(), 6, 6), White);
}

} // namespace
