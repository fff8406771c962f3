#include "tests/user/UserTestSupport.h"

namespace {

class HeadlessTest : public UserTest {};

TEST_F(HeadlessTest, SnapshotsTakeTopLevelWindowsAndTheScreenComposesThem) {
  Register("GreenWindow", 0, reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1));
  TopLevel(10, 10, 40, 40, WS_POPUP | WS_VISIBLE, "GreenWindow");
  const HWND front = TopLevel(30, 30, 40, 40, WS_POPUP | WS_VISIBLE, "GreenWindow");
  const HWND child = Child(front, 0, 0, 5, 5);
  EXPECT_THROW(Display.Snapshot(child), EDisplayError);
  const TRaster shot = Display.Snapshot(front);
  EXPECT_EQ(shot.Width, 40);
  EXPECT_EQ(shot.At(20, 20), 0xFF000080u);
  const TRaster screen = Display.ScreenSnapshot();
  EXPECT_EQ(screen.Width, 1024);
  EXPECT_EQ(screen.At(5, 5), 0xFF008080u) << "the desktop colour";
  EXPECT_EQ(screen.At(15, 15), 0xFF000080u);
  EXPECT_GT(Display.PresentCount(), 0);
  ShowWindow(front, SW_HIDE);
  EXPECT_EQ(Display.ScreenSnapshot().At(60, 60), 0xFF008080u);
}

TEST_F(HeadlessTest, TheClassCursorIsSetOverTheClientArea) {
  WNDCLASSA wc;
  wc.lpfnWndProc = LoggingProc;
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCE(IDC_IBEAM));
  wc.lpszClassName = "BeamWindow";
  ASSERT_NE(RegisterClassA(&wc), 0);
  TopLevel(0, 0, 50, 50, WS_POPUP | WS_VISIBLE, "BeamWindow");
  Display.MouseMove(10, 10);
  Display.ProcessMessages();
  EXPECT_EQ(Display.CursorShape(), IDC_IBEAM);
  EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCE(5)), nullptr);
  SetCursorPos(5000, 3);
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p, Point(1023, 3)) << "kept on the screen";
}

TEST_F(HeadlessTest, AdvancingWithAQuitPendingStopsTheTimersButNotTheClock) {
  const HWND h = TopLevel(0, 0, 10, 10);
  SetTimer(h, 1, 10, nullptr);
  PostQuitMessage(0);
  Display.Advance(100);
  EXPECT_EQ(GetTickCount(), 100u);
  EXPECT_TRUE(Got(h, WM_TIMER).empty());
  MSG msg;
  EXPECT_EQ(GetMessageA(&msg, nullptr, 0, 0), 0) << "the quit is still there for its loop";
}

TEST_F(HeadlessTest, CloseDestroysByDefaultAndBroadcastReachesEveryTopLevelWindow) {
  const HWND a = TopLevel(0, 0, 10, 10);
  const HWND b = TopLevel(0, 0, 10, 10);
  SendMessageA(HWND_BROADCAST, WM_USER + 3, 0, 0);
  EXPECT_EQ(Got(a, WM_USER + 3).size(), 1u);
  EXPECT_EQ(Got(b, WM_USER + 3).size(), 1u);
  PostMessageA(a, WM_CLOSE, 0, 0);
  Display.ProcessMessages();
  EXPECT_FALSE(IsWindow(a));
  EXPECT_EQ(GetActiveWindow(), b);
}

TEST_F(HeadlessTest, KeysWithoutAFocusGoToTheActiveWindowAsSystemKeys) {
  const HWND h = TopLevel(0, 0, 10, 10);
  SetFocus(nullptr);
  Display.PressKey('Q');
  Display.ProcessMessages();
  EXPECT_EQ(Got(h, WM_SYSKEYDOWN).size(), 1u);
  EXPECT_TRUE(Got(h, WM_KEYDOWN).empty());
}

TEST_F(HeadlessTest, RedrawFlagsChooseTheChildren) {
  const HWND parent = TopLevel(0, 0, 100, 100, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN);
  const HWND child = Child(parent, 10, 10, 20, 20);
  Display.ProcessMessages();
  RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  RECT box;
  EXPECT_TRUE(GetUpdateRect(child, &box, FALSE));
  Display.ProcessMessages();
  const RECT part{0, 0, 15, 15};
  RedrawWindow(parent, &part, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  GetUpdateRect(child, &box, FALSE);
  EXPECT_EQ(box, Rect(0, 0, 5, 5)) << "in the child's own coordinates";
  Display.ProcessMessages();
  ShowWindow(child, SW_HIDE);
  RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  EXPECT_FALSE(GetUpdateRect(child, &box, FALSE)) << "hidden windows are not invalidated";
}

TEST_F(HeadlessTest, WindowDcsCoverTheFrameAndOffsetTheOrigin) {
  const HWND h = TopLevel(0, 0, 60, 60, WS_POPUP | WS_VISIBLE | WS_BORDER);
  Display.ProcessMessages();
  const HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const RECT all{0, 0, 60, 60};
  const HDC client = GetDC(h);
  FillRect(client, &all, red);
  EXPECT_EQ(GetPixel(client, 0, 0), RGB(255, 0, 0));
  ReleaseDC(h, client);
  TRaster shot = Display.Snapshot(h);
  EXPECT_EQ(shot.At(0, 0), 0xFF000000u) << "the client DC left the border alone";
  EXPECT_EQ(shot.At(1, 1), RedPixel);
  const HDC window = GetWindowDC(h);
  FillRect(window, &all, red);
  ReleaseDC(h, window);
  shot = Display.Snapshot(h);
  EXPECT_EQ(shot.At(0, 0), RedPixel);
  DeleteObject(red);
}

TEST(HeadlessDisplay, DevicesLeftOpenGoWithTheDisplay) {
  HDC dc = nullptr;
  {
    THeadlessDisplay display(200, 100);
    WNDCLASSA wc;
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "Plain";
    RegisterClassA(&wc);
    const HWND h = CreateWindowExA(0, "Plain", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 200);
    dc = GetDC(h);
    EXPECT_NE(GetPixel(dc, 1, 1), CLR_INVALID);
  }
  EXPECT_EQ(GetPixel(dc, 1, 1), CLR_INVALID);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
}

} // namespace
