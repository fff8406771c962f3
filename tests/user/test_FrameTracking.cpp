#include "tests/user/UserTestSupport.h"

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

} // namespace
