#include "framework/win32/WinHandles.h"
#include "framework/win32/gdi/DeviceContext.h"
#include "framework/win32/user/UserState.h"
#include "tests/user/UserTestSupport.h"

#include <set>

namespace {

class FrameTrackingTest : public UserTest {
protected:
  HWND Frame() {
    const HWND h = TopLevel(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Display.ProcessMessages();
    return h;
  }
  static RECT RectOf(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r;
  }
  // The rightmost screen column of the caption row answering that hit code; -1 if none.
  static int ColumnOf(HWND h, LRESULT hit) {
    const RECT r = RectOf(h);
    for (int x = r.Right - 1; x >= r.Left; --x)
      if (SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(x, r.Top + 12)) == hit) return x;
    return -1;
  }
  // The colours painted in the caption button a screen column belongs to.
  static std::set<std::uint32_t> ButtonColours(HWND h, int screenX) {
    const TWindow* w = WindowOf(h);
    const RECT r = RectOf(h);
    std::set<std::uint32_t> colours;
    for (int y = 8; y < 18; ++y)
      for (int x = screenX - r.Left - 10; x < screenX - r.Left; ++x)
        colours.insert(w->Surface->At(x, y));
    return colours;
  }
  void Drag(int x, int y, int toX, int toY) {
    Display.MouseMove(x, y);
    Display.MouseDown(x, y);
    Display.MouseMove((x + toX) / 2, (y + toY) / 2);
    Display.MouseMove(toX, toY);
    Display.MouseUp(toX, toY);
    Display.ProcessMessages();
  }
};

TEST_F(FrameTrackingTest, TheCaptionMovesAndTheBordersSizeTheWindow) {
  const HWND h = Frame();
  Drag(200, 110, 260, 150);
  RECT r = RectOf(h);
  EXPECT_EQ(r.Left, 160);
  EXPECT_EQ(r.Top, 140);
  EXPECT_EQ(r.Right - r.Left, 300) << "a move keeps the size";
  EXPECT_FALSE(Got(h, WM_ENTERSIZEMOVE).empty());
  EXPECT_FALSE(Got(h, WM_EXITSIZEMOVE).empty());
  Drag(r.Right - 1, r.Bottom - 1, r.Right + 39, r.Bottom + 19);
  r = RectOf(h);
  EXPECT_EQ(r.Right - r.Left, 340);
  EXPECT_EQ(r.Bottom - r.Top, 220);
  Drag(r.Left, r.Top + 100, r.Right + 500, r.Top + 100);
  r = RectOf(h);
  EXPECT_EQ(r.Right - r.Left, GetSystemMetrics(SM_CXMINTRACK)) << "never narrower than the least";
}

TEST_F(FrameTrackingTest, TheCloseButtonClosesOnlyWhenReleasedOverIt) {
  const HWND h = Frame();
  const RECT r = RectOf(h);
  const int x = r.Right - 14, y = r.Top + 12;
  ASSERT_EQ(SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(x, y)), HTCLOSE);
  Drag(x, y, x - 100, y + 60);
  EXPECT_TRUE(IsWindow(h)) << "released elsewhere, nothing happens";
  Display.Click(x, y);
  Display.ProcessMessages();
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(FrameTrackingTest, MaximiseAndRestoreGoBackToTheSameRectangle) {
  const HWND h = Frame();
  SendMessageA(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  RECT r = RectOf(h);
  EXPECT_EQ(r.Right - r.Left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_MAXIMIZE);
  SendMessageA(h, WM_SYSCOMMAND, SC_RESTORE, 0);
  r = RectOf(h);
  EXPECT_EQ(r.Left, 100);
  EXPECT_EQ(r.Right - r.Left, 300);
  SendMessageA(h, WM_SYSCOMMAND, SC_MOVE, 0);
  Display.PressKey(VK_RIGHT);
  Display.PressKey(VK_ESCAPE);
  Display.ProcessMessages();
  EXPECT_EQ(RectOf(h).Left, 100) << "Escape puts a keyboard move back";
}

TEST_F(FrameTrackingTest, AltSpaceOpensTheSystemMenuAndAltF4Closes) {
  const HWND h = Frame();
  SetFocus(h);
  Display.WhenWaiting([this] { Display.PressKey('X'); });
  Display.PressKey(VK_SPACE, HeadlessAlt);
  Display.ProcessMessages();
  EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_MAXIMIZE) << "Ma&ximize chosen from the menu";
  Display.PressKey(VK_F4, HeadlessAlt);
  Display.ProcessMessages();
  EXPECT_FALSE(IsWindow(h));
}

TEST_F(FrameTrackingTest, TheMaximiseButtonTogglesAndTheMinimiseButtonMinimises) {
  const HWND h = Frame();
  const RECT before = RectOf(h);
  const int close = ColumnOf(h, HTCLOSE), maximise = ColumnOf(h, HTMAXBUTTON),
            minimise = ColumnOf(h, HTMINBUTTON);
  ASSERT_GT(maximise, 0);
  EXPECT_LT(maximise, close - 16) << "left of the close button";
  EXPECT_LT(minimise, maximise);
  const std::uint32_t ink = 0xFF000000u | ColorRefToPixel(GetSysColor(COLOR_BTNTEXT));
  EXPECT_TRUE(ButtonColours(h, maximise).count(ink)) << "the maximise glyph is drawn";
  Display.Click(maximise - 4, before.Top + 12);
  Display.ProcessMessages();
  EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_MAXIMIZE);
  Display.Click(ColumnOf(h, HTMAXBUTTON) - 4, RectOf(h).Top + 12);
  Display.ProcessMessages();
  EXPECT_FALSE(GetWindowLongA(h, GWL_STYLE) & WS_MAXIMIZE) << "the same button restores";
  EXPECT_EQ(RectOf(h).Left, before.Left);
  Display.Click(minimise - 4, before.Top + 12);
  Display.ProcessMessages();
  EXPECT_TRUE(GetWindowLongA(h, GWL_STYLE) & WS_MINIMIZE);
}

TEST_F(FrameTrackingTest, AMissingBoxIsDrawnDisabledAndAToolWindowHasOnlyClose) {
  const HWND h =
      TopLevel(100, 100, 300, 200, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE);
  Display.ProcessMessages();
  EXPECT_EQ(ColumnOf(h, HTMAXBUTTON), -1) << "a disabled button is caption";
  const int minimise = ColumnOf(h, HTMINBUTTON);
  ASSERT_GT(minimise, 0);
  const std::uint32_t grey = 0xFF000000u | ColorRefToPixel(GetSysColor(COLOR_GRAYTEXT));
  EXPECT_TRUE(ButtonColours(h, minimise + 16).count(grey)) << "the maximise glyph is grey";
  const HWND tool =
      CreateWindowExA(WS_EX_TOOLWINDOW, LoggedClass, "Tool", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                      10, 200, 100, nullptr, nullptr, nullptr, nullptr);
  Display.ProcessMessages();
  EXPECT_GT(ColumnOf(tool, HTCLOSE), 0);
  EXPECT_EQ(ColumnOf(tool, HTMINBUTTON), -1);
}

} // namespace
