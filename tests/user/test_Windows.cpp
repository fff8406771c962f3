#include "tests/user/UserTestSupport.h"

#include <algorithm>
#include <cstring>

namespace {

class WindowsTest : public UserTest {};

std::vector<UINT> Only(const std::vector<UINT>& messages, std::initializer_list<UINT> keep) {
  std::vector<UINT> out;
  for (UINT m : messages)
    if (std::find(keep.begin(), keep.end(), m) != keep.end()) out.push_back(m);
  return out;
}

TEST_F(WindowsTest, CreationSendsNcCreateCreateSizeAndMoveWithTheParameters) {
  int payload = 42;
  void* seen = nullptr;
  TestHandler() = [&](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_CREATE) seen = reinterpret_cast<CREATESTRUCTA*>(l)->lpCreateParams;
    return std::nullopt;
  };
  const HWND h = CreateWindowExA(0, LoggedClass, "Hello", WS_POPUP, 10, 20, 100, 50, nullptr,
                                 nullptr, nullptr, &payload);
  ASSERT_TRUE(IsWindow(h));
  EXPECT_EQ(seen, &payload);
  EXPECT_EQ(Only(MessagesOf(h), {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}),
            (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}));
  EXPECT_EQ(Got(h, WM_SIZE).front().LParam, MAKELPARAM(100, 50));
  char text[16];
  EXPECT_EQ(GetWindowTextA(h, text, sizeof text), 5);
  EXPECT_STREQ(text, "Hello");
}

TEST_F(WindowsTest, ARefusedCreateDestroysTheWindowAgain) {
  HWND made = nullptr;
  TestHandler() = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_CREATE) {
      made = h;
      return -1;
    }
    return std::nullopt;
  };
  EXPECT_EQ(TopLevel(0, 0, 10, 10), nullptr);
  ASSERT_NE(made, nullptr);
  EXPECT_FALSE(IsWindow(made));
  EXPECT_FALSE(Got(made, WM_NCDESTROY).empty());
}

TEST_F(WindowsTest, ChildrenNeedAParentAndAKnownClass) {
  EXPECT_EQ(
      CreateWindowExA(0, LoggedClass, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
      nullptr);
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                            nullptr),
            nullptr);
  WNDCLASSA wc;
  wc.lpfnWndProc = LoggingProc;
  wc.lpszClassName = "loggedwindow";
  EXPECT_EQ(RegisterClassA(&wc), 0) << "class names ignore case";
}

TEST_F(WindowsTest, DestroySendsDestroyTopDownAndNcDestroyBottomUp) {
  const HWND top = TopLevel(0, 0, 100, 100);
  const HWND child = Child(top, 0, 0, 50, 50);
  const HWND grandchild = Child(child, 0, 0, 10, 10);
  SetFocus(grandchild);
  SetCapture(grandchild);
  MessageLog().clear();
  EXPECT_TRUE(DestroyWindow(top));
  std::vector<std::pair<HWND, UINT>> order;
  for (const TLogged& m : MessageLog())
    if (m.Message == WM_DESTROY || m.Message == WM_NCDESTROY)
      order.emplace_back(m.Window, m.Message);
  EXPECT_EQ(order, (std::vector<std::pair<HWND, UINT>>{{top, WM_DESTROY},
                                                       {child, WM_DESTROY},
                                                       {grandchild, WM_DESTROY},
                                                       {grandchild, WM_NCDESTROY},
                                                       {child, WM_NCDESTROY},
                                                       {top, WM_NCDESTROY}}));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(Got(grandchild, WM_CAPTURECHANGED).empty());
}

TEST_F(WindowsTest, HandlesThatNameNothingFailQuietly) {
  const HWND gone = TopLevel(0, 0, 10, 10);
  DestroyWindow(gone);
  RECT r{1, 2, 3, 4};
  POINT p{5, 6};
  char text[8] = "x";
  EXPECT_FALSE(IsWindow(gone));
  EXPECT_FALSE(DestroyWindow(gone));
  EXPECT_EQ(SendMessageA(gone, WM_USER, 0, 0), 0);
  EXPECT_FALSE(PostMessageA(gone, WM_USER, 0, 0));
  EXPECT_FALSE(GetWindowRect(gone, &r));
  EXPECT_FALSE(ClientToScreen(gone, &p));
  EXPECT_EQ(GetWindowTextA(gone, text, sizeof text), 0);
  EXPECT_EQ(GetWindowLongA(gone, GWL_STYLE), 0);
  EXPECT_EQ(GetParent(gone), nullptr);
  EXPECT_EQ(GetDC(gone), nullptr);
  EXPECT_FALSE(InvalidateRect(gone, nullptr, TRUE));
  EXPECT_EQ(SetTimer(gone, 1, 10, nullptr), 0u);
  EXPECT_EQ(SetFocus(gone), nullptr);
  EXPECT_EQ(CallWindowProcA(nullptr, gone, WM_USER, 0, 0), 0);
  EXPECT_EQ(r, (RECT{1, 2, 3, 4}));
}

TEST_F(WindowsTest, TreeQueriesFollowParentsAndZOrder) {
  const HWND top = TopLevel(0, 0, 200, 200);
  const HWND a = Child(top, 0, 0, 10, 10);
  const HWND b = Child(top, 20, 0, 10, 10);
  const HWND c = Child(b, 0, 0, 5, 5);
  EXPECT_EQ(GetParent(a), top);
  EXPECT_EQ(GetParent(top), nullptr);
  EXPECT_EQ(GetWindow(top, GW_CHILD), b) << "a new window goes on top";
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), nullptr);
  EXPECT_EQ(GetWindow(a, GW_HWNDPREV), b);
  EXPECT_TRUE(IsChild(top, c));
  EXPECT_FALSE(IsChild(a, c));
  SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(top, GW_CHILD), a);
  SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(top, GW_CHILD), b);

  static std::vector<HWND> seen;
  seen.clear();
  EnumChildWindows(
      top,
      [](HWND h, LPARAM) -> BOOL {
        seen.push_back(h);
        return TRUE;
      },
      0);
  EXPECT_EQ(seen, (std::vector<HWND>{b, c, a}));

  EXPECT_EQ(SetParent(c, a), b);
  EXPECT_EQ(GetParent(c), a);
  EXPECT_EQ(SetParent(a, c), nullptr) << "a window cannot move under its own child";
}

TEST_F(WindowsTest, FramesMakeTheClientRectangleSmaller) {
  const HWND top = TopLevel(100, 50, 300, 200, WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE);
  RECT client, window;
  GetClientRect(top, &client);
  GetWindowRect(top, &window);
  EXPECT_EQ(window, Rect(100, 50, 400, 250));
  const int frame = GetSystemMetrics(SM_CXDLGFRAME);
  EXPECT_EQ(client, Rect(0, 0, 300 - 2 * frame, 200 - 2 * frame - GetSystemMetrics(SM_CYCAPTION)));

  const HWND child = Child(top, 10, 10, 100, 80, WS_BORDER | WS_VSCROLL | WS_HSCROLL);
  GetClientRect(child, &client);
  EXPECT_EQ(client, Rect(0, 0, 100 - 2 - GetSystemMetrics(SM_CXVSCROLL),
                         80 - 2 - GetSystemMetrics(SM_CYHSCROLL)));
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p, Point(100 + frame + 10 + 1, 50 + frame + GetSystemMetrics(SM_CYCAPTION) + 10 + 1));
  ScreenToClient(child, &p);
  EXPECT_EQ(p, Point(0, 0));
  POINT q{5, 5};
  const int offset = MapWindowPoints(child, top, &q, 1);
  EXPECT_EQ(q, Point(16, 16));
  EXPECT_EQ(static_cast<SHORT>(LOWORD(static_cast<DWORD>(offset))), 11);
}

TEST_F(WindowsTest, MovingSendsWindowPosChangedThenMoveAndSize) {
  const HWND top = TopLevel(0, 0, 200, 200);
  const HWND child = Child(top, 0, 0, 50, 50);
  MessageLog().clear();
  MoveWindow(child, 10, 20, 60, 70, TRUE);
  EXPECT_EQ(Only(MessagesOf(child), {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
            (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
  EXPECT_EQ(Got(child, WM_MOVE).back().LParam, MAKELPARAM(10, 20));
  EXPECT_EQ(Got(child, WM_SIZE).back().LParam, MAKELPARAM(60, 70));
  MessageLog().clear();
  SetWindowPos(child, nullptr, 30, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_TRUE(Got(child, WM_SIZE).empty()) << "no size change, no WM_SIZE";
  EXPECT_EQ(Got(child, WM_MOVE).size(), 1u);
}

TEST_F(WindowsTest, ShowEnableAndVisibilityFollowTheAncestors) {
  const HWND top = TopLevel(0, 0, 100, 100, WS_POPUP);
  const HWND child = Child(top, 0, 0, 10, 10);
  EXPECT_FALSE(IsWindowVisible(child)) << "the parent is hidden";
  EXPECT_FALSE(ShowWindow(top, SW_SHOW));
  EXPECT_TRUE(IsWindowVisible(child));
  EXPECT_EQ(Got(top, WM_SHOWWINDOW).size(), 1u);
  EXPECT_EQ(GetActiveWindow(), top);
  EXPECT_FALSE(EnableWindow(child, FALSE));
  EXPECT_FALSE(IsWindowEnabled(child));
  EXPECT_EQ(Got(child, WM_ENABLE).back().WParam, 0u);
  EXPECT_TRUE(EnableWindow(child, TRUE)) << "answers that it was disabled";
  EXPECT_TRUE(ShowWindow(child, SW_HIDE));
  EXPECT_FALSE(IsWindowVisible(child));
}

TEST_F(WindowsTest, WindowLongsAndExtraBytes) {
  const HWND h = TopLevel(0, 0, 10, 10);
  EXPECT_EQ(SetWindowLongA(h, GWL_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongA(h, GWL_USERDATA), 1234);
  EXPECT_EQ(SetWindowLongA(h, 4, -7), 0);
  EXPECT_EQ(GetWindowLongA(h, 4), -7);
  EXPECT_EQ(SetWindowLongPtrA(h, 8, 0x123456789), 0);
  EXPECT_EQ(GetWindowLongPtrA(h, 8), 0x123456789);
  EXPECT_EQ(GetWindowLongA(h, 14), 0) << "beyond the 16 extra bytes";
  EXPECT_EQ(SetWindowLongA(h, -100, 1), 0);
  MessageLog().clear();
  const LONG_PTR style = GetWindowLongA(h, GWL_STYLE);
  EXPECT_EQ(SetWindowLongA(h, GWL_STYLE, style | WS_BORDER), style);
  EXPECT_EQ(GetWindowLongA(h, GWL_STYLE), style | WS_BORDER);
  EXPECT_EQ(Only(MessagesOf(h), {WM_STYLECHANGING, WM_STYLECHANGED}),
            (std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}));
  char name[32];
  EXPECT_EQ(GetClassNameA(h, name, sizeof name), static_cast<int>(std::strlen(LoggedClass)));
  EXPECT_STREQ(name, LoggedClass);
  WNDCLASSA info;
  EXPECT_TRUE(GetClassInfoA(nullptr, "LOGGEDWINDOW", &info));
  EXPECT_EQ(info.lpfnWndProc, LoggingProc);
  EXPECT_EQ(info.cbWndExtra, 16);
}

// A subclass procedure: sees everything first, keeps what it wants, passes the rest on.
WNDPROC previousProc = nullptr;
std::vector<UINT> subclassSaw;

LRESULT SubclassProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  subclassSaw.push_back(m);
  if (m == WM_USER + 1) return 99;
  return CallWindowProcA(previousProc, h, m, w, l);
}

TEST_F(WindowsTest, AReplacedProcedureSeesEveryMessageFirstAndCanCallThrough) {
  const HWND h = TopLevel(0, 0, 10, 10);
  subclassSaw.clear();
  previousProc = reinterpret_cast<WNDPROC>(
      SetWindowLongA(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  EXPECT_EQ(previousProc, LoggingProc);
  MessageLog().clear();
  EXPECT_EQ(SendMessageA(h, WM_USER + 1, 0, 0), 99);
  EXPECT_TRUE(Got(h, WM_USER + 1).empty()) << "kept by the subclass";
  SetWindowTextA(h, "via");
  EXPECT_EQ(Got(h, WM_SETTEXT).size(), 1u) << "passed on";
  PostMessageA(h, WM_USER + 2, 0, 0);
  Display.ProcessMessages();
  EXPECT_NE(std::find(subclassSaw.begin(), subclassSaw.end(), WM_USER + 2), subclassSaw.end());
  EXPECT_EQ(GetWindowTextLengthA(h), 3);
  EXPECT_EQ(SetWindowLongA(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(previousProc)),
            reinterpret_cast<LONG_PTR>(SubclassProc));
}

TEST_F(WindowsTest, FunctionObjectProceduresWorkThroughCallWindowProc) {
  const HWND h = TopLevel(0, 0, 10, 10);
  int calls = 0;
  const WNDPROC old = reinterpret_cast<WNDPROC>(GetWindowLongA(h, GWL_WNDPROC));
  const WNDPROC instance = MakeProcInstance([&](HWND w, UINT m, WPARAM wp, LPARAM lp) {
    ++calls;
    return CallWindowProcA(old, w, m, wp, lp);
  });
  SetWindowLongA(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(instance));
  SendMessageA(h, WM_USER, 0, 0);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(Got(h, WM_USER).size(), 1u);
  SetWindowLongA(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(old));
  FreeProcInstance(instance);
  EXPECT_EQ(CallWindowProcA(instance, h, WM_USER, 0, 0), 0) << "a freed instance does nothing";
}

TEST_F(WindowsTest, HitTestingFindsTheDeepestVisibleWindow) {
  const HWND top = TopLevel(100, 100, 200, 200);
  const HWND child = Child(top, 10, 10, 100, 100);
  const HWND inner = Child(child, 10, 10, 20, 20);
  const HWND hidden = Child(top, 150, 150, 20, 20);
  ShowWindow(hidden, SW_HIDE);
  EXPECT_EQ(WindowFromPoint(Point(125, 125)), inner);
  EXPECT_EQ(WindowFromPoint(Point(115, 115)), child);
  EXPECT_EQ(WindowFromPoint(Point(255, 255)), top);
  EXPECT_EQ(WindowFromPoint(Point(50, 50)), nullptr);
  EXPECT_EQ(ChildWindowFromPoint(top, Point(155, 155)), hidden) << "it skips nothing";
  EXPECT_EQ(ChildWindowFromPointEx(top, Point(155, 155), CWP_SKIPINVISIBLE), top);
  EXPECT_EQ(ChildWindowFromPointEx(top, Point(500, 5), CWP_ALL), nullptr);
}

} // namespace
