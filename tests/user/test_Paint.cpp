#include "framework/win32/WinHandles.h"
#include "framework/win32/gdi/FontEngine.h"
#include "framework/win32/gdi/PngCodec.h"
#include "framework/win32/user/UserState.h"
#include "tests/user/UserTestSupport.h"

#include <cstring>

namespace {

class PaintTest : public UserTest {
protected:
  void SetUp() override {
    UserTest::SetUp();
    SetFontSources(PackagedFontFiles());
    RedBrush = CreateSolidBrush(RGB(255, 0, 0));
    BlueBrush = CreateSolidBrush(RGB(0, 0, 255));
    GreenBrush = CreateSolidBrush(RGB(0, 255, 0));
    Register("RedWindow", 0, RedBrush);
    Register("BlueWindow", 0, BlueBrush);
  }
  void TearDown() override {
    UserTest::TearDown();
    User().Reset();
    DeleteObject(RedBrush);
    DeleteObject(BlueBrush);
    DeleteObject(GreenBrush);
  }

  // Paints the whole update area of `painted` with a brush from its WM_PAINT.
  void PaintWith(HWND painted, HBRUSH brush) {
    TestHandler() = [=, this](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (h != painted || m != WM_PAINT) return std::nullopt;
      PAINTSTRUCT ps;
      const HDC dc = BeginPaint(h, &ps);
      LastPaint = ps;
      RECT all;
      GetClientRect(h, &all);
      FillRect(dc, &all, brush);
      EndPaint(h, &ps);
      return 0;
    };
  }

  HBRUSH RedBrush = nullptr, BlueBrush = nullptr, GreenBrush = nullptr;
  PAINTSTRUCT LastPaint;
};

TEST_F(PaintTest, InvalidationMergesIntoOnePaint) {
  const HWND h = TopLevel(0, 0, 100, 100);
  Display.ProcessMessages();
  RECT box;
  EXPECT_FALSE(GetUpdateRect(h, &box, FALSE));
  const RECT a{10, 10, 20, 20}, b{50, 40, 60, 70};
  InvalidateRect(h, &a, FALSE);
  InvalidateRect(h, &b, FALSE);
  EXPECT_TRUE(GetUpdateRect(h, &box, FALSE));
  EXPECT_EQ(box, Rect(10, 10, 60, 70));
  const HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(h, region, FALSE), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(region, 15, 15));
  EXPECT_FALSE(PtInRegion(region, 30, 30));
  DeleteObject(region);
  const RECT outside{-50, -50, 500, 5};
  InvalidateRect(h, &outside, FALSE);
  GetUpdateRect(h, &box, FALSE);
  EXPECT_EQ(box, Rect(0, 0, 100, 70)) << "cut to the client area";
  MessageLog().clear();
  Display.ProcessMessages();
  EXPECT_EQ(Got(h, WM_PAINT).size(), 1u);
  EXPECT_FALSE(GetUpdateRect(h, &box, FALSE)) << "the default paint validates";
  InvalidateRect(h, nullptr, FALSE);
  ValidateRect(h, nullptr);
  MessageLog().clear();
  Display.ProcessMessages();
  EXPECT_TRUE(Got(h, WM_PAINT).empty());
}

TEST_F(PaintTest, BeginPaintsDeviceContextIsClippedToTheUpdateRegion) {
  const HWND h = TopLevel(0, 0, 100, 100);
  PaintWith(h, BlueBrush);
  Display.ProcessMessages();
  const RECT small{10, 20, 30, 40};
  InvalidateRect(h, &small, TRUE);
  PaintWith(h, RedBrush);
  const TRaster shot = Display.Snapshot(h);
  EXPECT_EQ(LastPaint.rcPaint, small);
  EXPECT_TRUE(LastPaint.fErase) << "the class has no brush, so the erase is left to the paint";
  EXPECT_EQ(shot.At(10, 20), RedPixel);
  EXPECT_EQ(shot.At(29, 39), RedPixel);
  EXPECT_EQ(shot.At(30, 39), BluePixel);
  EXPECT_EQ(shot.At(9, 20), BluePixel);
  EXPECT_EQ(shot.At(50, 50), BluePixel);
}

TEST_F(PaintTest, ParentAndChildPaintInTheirOwnColoursAndClipChildrenProtectsTheChild) {
  const HWND parent =
      TopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, "RedWindow");
  const HWND child = Child(parent, 20, 20, 30, 30, 0, "BlueWindow");
  TRaster shot = Display.Snapshot(parent);
  EXPECT_EQ(shot.At(5, 5), RedPixel);
  EXPECT_EQ(shot.At(20, 20), BluePixel);
  EXPECT_EQ(shot.At(49, 49), BluePixel);
  EXPECT_EQ(shot.At(50, 50), RedPixel);

  PaintWith(parent, GreenBrush);
  InvalidateRect(parent, nullptr, FALSE);
  MessageLog().clear();
  shot = Display.Snapshot(parent);
  EXPECT_TRUE(Got(child, WM_PAINT).empty()) << "WS_CLIPCHILDREN: the child is not invalidated";
  EXPECT_EQ(shot.At(5, 5), GreenPixel);
  EXPECT_EQ(shot.At(30, 30), BluePixel) << "the parent's paint left the child alone";

  const HDC dc = GetDC(parent);
  const RECT all{0, 0, 100, 100};
  FillRect(dc, &all, RedBrush);
  ReleaseDC(parent, dc);
  shot = Display.Snapshot(parent);
  EXPECT_EQ(shot.At(30, 30), BluePixel);
  EXPECT_EQ(shot.At(60, 60), RedPixel);
}

TEST_F(PaintTest, WithoutClipChildrenTheParentPaintsOverAndTheChildPaintsAgain) {
  const HWND parent = TopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE, "RedWindow");
  const HWND child = Child(parent, 20, 20, 30, 30, 0, "BlueWindow");
  Display.ProcessMessages();
  const HDC dc = GetDC(parent);
  const RECT all{0, 0, 100, 100};
  FillRect(dc, &all, GreenBrush);
  ReleaseDC(parent, dc);
  EXPECT_EQ(Display.Snapshot(parent).At(30, 30), GreenPixel) << "nothing clips the child out";
  InvalidateRect(parent, nullptr, TRUE);
  MessageLog().clear();
  const TRaster shot = Display.Snapshot(parent);
  EXPECT_EQ(Got(child, WM_PAINT).size(), 1u) << "the child was invalidated with its parent";
  EXPECT_EQ(shot.At(30, 30), BluePixel);
  EXPECT_EQ(shot.At(5, 5), RedPixel);
}

TEST_F(PaintTest, SiblingsClipEachOtherWithClipSiblings) {
  const HWND parent = TopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE, "RedWindow");
  const HWND below = Child(parent, 0, 0, 60, 60, WS_CLIPSIBLINGS, "BlueWindow");
  Child(parent, 40, 40, 60, 60, WS_CLIPSIBLINGS, "RedWindow");
  Display.ProcessMessages();
  const HDC dc = GetDC(below);
  const RECT all{0, 0, 60, 60};
  FillRect(dc, &all, GreenBrush);
  ReleaseDC(below, dc);
  const TRaster shot = Display.Snapshot(parent);
  EXPECT_EQ(shot.At(30, 30), GreenPixel);
  EXPECT_EQ(shot.At(50, 50), RedPixel) << "the sibling above is clipped out";
  EXPECT_EQ(ReleaseDC(below, dc), 0) << "released already";
}

TEST_F(PaintTest, UpdateWindowPaintsAtOnceAndTheEraseUsesTheClassBrush) {
  const HWND h = TopLevel(0, 0, 50, 50, WS_POPUP | WS_VISIBLE, "BlueWindow");
  Display.ProcessMessages();
  const HDC dc = GetDC(h);
  const RECT all{0, 0, 50, 50};
  FillRect(dc, &all, GreenBrush);
  ReleaseDC(h, dc);
  InvalidateRect(h, nullptr, TRUE);
  MessageLog().clear();
  EXPECT_TRUE(UpdateWindow(h));
  EXPECT_EQ(Got(h, WM_PAINT).size(), 1u);
  EXPECT_EQ(Got(h, WM_ERASEBKGND).size(), 1u);
  const TWindow* w = WindowOf(h);
  EXPECT_EQ(w->Surface->At(25, 25), BluePixel);
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(Got(h, WM_PAINT).size(), 2u);
}

TEST_F(PaintTest, ATopLevelWindowWithACaptionAndNestedChildrenRendersToPng) {
  Register("FaceWindow", 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  Register("WhiteWindow", 0, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  const HWND top = CreateWindowExA(0, "FaceWindow", "LumTools window",
                                   WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 320,
                                   220, nullptr, nullptr, nullptr, nullptr);
  const HWND panel = CreateWindowExA(WS_EX_CLIENTEDGE, "WhiteWindow", "",
                                     WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 10, 10, 180,
                                     140, top, nullptr, nullptr, nullptr);
  Child(panel, 10, 10, 60, 40, WS_BORDER, "BlueWindow");
  const HWND nested = Child(panel, 60, 60, 80, 40, WS_BORDER, "RedWindow");
  Child(nested, 10, 10, 20, 15, 0, "BlueWindow");
  Child(top, 200, 10, 90, 60, WS_BORDER | WS_CAPTION, "WhiteWindow");
  const TRaster shot = Display.Snapshot(top);
  WritePngFile(shot, ::testing::TempDir() + "lum_user_window.png");

  const int frame = GetSystemMetrics(SM_CXFRAME);
  EXPECT_EQ(shot.At(frame, frame), 0xFF000080u) << "the active caption starts in navy";
  int white = 0;
  const int captionBottom = frame + GetSystemMetrics(SM_CYCAPTION) - 1;
  for (int y = frame; y < captionBottom; ++y)
    for (int x = frame; x < 150; ++x) white += shot.At(x, y) == WhitePixel;
  EXPECT_GT(white, 30) << "the caption text is drawn in white";
  EXPECT_EQ(shot.At(0, 0), 0xFFC0C0C0u) << "the raised frame's light outer line";
  POINT p{0, 0};
  MapWindowPoints(nested, top, &p, 1);
  RECT window;
  GetWindowRect(top, &window);
  POINT client{0, 0};
  ClientToScreen(top, &client);
  const int x = p.X + client.X - window.Left, y = p.Y + client.Y - window.Top;
  EXPECT_EQ(shot.At(x - 1, y - 1), 0xFF000000u) << "the nested child's border";
  EXPECT_EQ(shot.At(x + 2, y + 2), RedPixel);
  EXPECT_EQ(shot.At(x + 12, y + 12), BluePixel);
}

TEST_F(PaintTest, NonClientMetricsRoundTripAndChangeTheSystemMetrics) {
  NONCLIENTMETRICSA m;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0));
  EXPECT_EQ(m.iMenuHeight, 18);
  EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 19);
  EXPECT_STREQ(m.lfMenuFont.lfFaceName, "MS Sans Serif");
  const HWND h = TopLevel(0, 0, 200, 200, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE);
  RECT before;
  GetClientRect(h, &before);
  m.iMenuHeight = 30;
  m.iCaptionHeight = 28;
  ASSERT_TRUE(SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof m, &m, 0));
  NONCLIENTMETRICSA again;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof again, &again, 0));
  EXPECT_EQ(again.iMenuHeight, 30);
  EXPECT_EQ(again.iMenuWidth, 18);
  EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 31);
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 29);
  RECT after;
  GetClientRect(h, &after);
  EXPECT_EQ(after.Height(), before.Height() - 10) << "frames follow the new caption height";

  NONCLIENTMETRICSA wrong = again;
  wrong.cbSize = 344;
  EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 344, &wrong, 0));
  wrong = again;
  wrong.iMenuHeight = -5;
  EXPECT_FALSE(SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof wrong, &wrong, 0));
  EXPECT_EQ(GetSystemMetrics(SM_CYMENU), 31) << "a refused record changes nothing";
  EXPECT_FALSE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof m, nullptr, 0));
  RECT work;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
  EXPECT_EQ(work, Rect(0, 0, 1024, 768));
}

} // namespace

namespace {

TEST_F(PaintTest, ScrollingMovesThePixelsAndInvalidatesWhatItUncovers) {
  const HWND h = TopLevel(0, 0, 100, 100);
  const HWND child = Child(h, 10, 60, 20, 20);
  PaintWith(h, BlueBrush);
  Display.ProcessMessages();
  const HDC dc = GetDC(h);
  const RECT stripe{0, 0, 100, 10};
  FillRect(dc, &stripe, RedBrush);
  ReleaseDC(h, dc);
  RECT uncovered;
  EXPECT_EQ(ScrollWindowEx(h, 0, 30, nullptr, nullptr, nullptr, &uncovered, SW_SCROLLCHILDREN),
            SIMPLEREGION);
  EXPECT_EQ(uncovered, Rect(0, 0, 100, 30));
  RECT moved;
  GetWindowRect(child, &moved);
  EXPECT_EQ(moved.Top, 90) << "the child moved with the contents";
  const TWindow* w = WindowOf(h);
  EXPECT_EQ(w->Surface->At(50, 35), RedPixel) << "the stripe moved down by 30";
  EXPECT_EQ(w->Surface->At(50, 45), BluePixel);
  RECT pending;
  EXPECT_FALSE(GetUpdateRect(h, &pending, FALSE)) << "without SW_INVALIDATE nothing is due";
  EXPECT_TRUE(ScrollWindow(h, 0, -20, nullptr, nullptr));
  GetUpdateRect(h, &pending, FALSE);
  EXPECT_EQ(pending.Top, 80);
  EXPECT_EQ(
      ScrollWindowEx(reinterpret_cast<HWND>(0x4321), 0, 1, nullptr, nullptr, nullptr, nullptr, 0),
      ERROR);
}

} // namespace
