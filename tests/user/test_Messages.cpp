#include "tests/user/UserTestSupport.h"

namespace {

class MessagesTest : public UserTest {};

TEST_F(MessagesTest, SendMessageIsSynchronousAndReentrant) {
  const HWND a = TopLevel(0, 0, 10, 10);
  const HWND b = TopLevel(0, 0, 10, 10);
  std::vector<int> order;
  TestHandler() = [&](HWND h, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (m != WM_USER) return std::nullopt;
    order.push_back(static_cast<int>(w));
    if (w < 3) {
      const LRESULT inner = SendMessageA(h == a ? b : a, WM_USER, w + 1, 0);
      order.push_back(-static_cast<int>(w));
      return inner + 1;
    }
    return 100;
  };
  EXPECT_EQ(SendMessageA(a, WM_USER, 0, 0), 103);
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, -2, -1, 0}));
}

TEST_F(MessagesTest, APostedMessageArrivesOnlyWhenTheLoopRuns) {
  const HWND h = TopLevel(0, 0, 10, 10);
  Display.ProcessMessages();
  MessageLog().clear();
  EXPECT_TRUE(PostMessageA(h, WM_USER + 5, 7, 8));
  EXPECT_TRUE(Got(h, WM_USER + 5).empty());
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, WM_USER + 5u);
  EXPECT_TRUE(Got(h, WM_USER + 5).empty()) << "peeking does not dispatch";
  Display.ProcessMessages();
  ASSERT_EQ(Got(h, WM_USER + 5).size(), 1u);
  EXPECT_EQ(Got(h, WM_USER + 5)[0].WParam, 7u);
  EXPECT_EQ(Got(h, WM_USER + 5)[0].LParam, 8);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessagesTest, PeekFiltersByWindowAndRange) {
  const HWND a = TopLevel(0, 0, 10, 10);
  const HWND b = TopLevel(0, 0, 10, 10);
  const HWND child = Child(b, 0, 0, 5, 5);
  Display.ProcessMessages();
  PostMessageA(a, WM_USER + 1, 0, 0);
  PostMessageA(child, WM_USER + 2, 0, 0);
  PostMessageA(nullptr, WM_USER + 3, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, child) << "a window filter takes its children's messages";
  ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_USER + 3u);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER + 2, WM_USER + 9, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER + 1, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, a);
  EXPECT_TRUE(PostThreadMessageA(GetCurrentThreadId(), WM_APP, 1, 2));
  EXPECT_FALSE(PostThreadMessageA(GetCurrentThreadId() + 1, WM_APP, 1, 2));
}

TEST_F(MessagesTest, QuitEndsGetMessageAfterThePostedMessages) {
  const HWND h = TopLevel(0, 0, 10, 10);
  PostMessageA(h, WM_USER, 0, 0);
  PostQuitMessage(3);
  PostMessageA(h, WM_USER + 1, 0, 0);
  MSG msg;
  std::vector<UINT> seen;
  int result;
  while ((result = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
    seen.push_back(msg.message);
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(result, 0);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_EQ(seen.front(), WM_USER);
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_USER + 1), seen.end());
  EXPECT_EQ(GetMessageA(&msg, reinterpret_cast<HWND>(0x7777), 0, 0), -1);
}

TEST_F(MessagesTest, AWaitingLoopRunsTheScriptAndRefusesToHangWithoutOne) {
  const HWND h = TopLevel(0, 0, 10, 10);
  Display.ProcessMessages();
  Display.WhenWaiting([&] { PostMessageA(h, WM_USER + 9, 0, 0); });
  MSG msg;
  ASSERT_EQ(GetMessageA(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.message, WM_USER + 9u);
  EXPECT_THROW(GetMessageA(&msg, nullptr, 0, 0), EDisplayError);
}

TEST_F(MessagesTest, AHiddenWindowReceivesPostedPrivateMessages) {
  std::vector<UINT> got;
  const HWND hidden = AllocateHWnd([&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    got.push_back(m);
    if (m == 0xB3E9) PostMessageA(h, 0xB3E8, 0, 0);
    return DefWindowProcA(h, m, w, l);
  });
  ASSERT_TRUE(IsWindow(hidden));
  EXPECT_FALSE(IsWindowVisible(hidden));
  got.clear();
  PostMessageA(hidden, 0xB3E9, 0, 0);
  EXPECT_TRUE(got.empty());
  Display.ProcessMessages();
  EXPECT_EQ(got, (std::vector<UINT>{0xB3E9, 0xB3E8}));
  DeallocateHWnd(hidden);
  EXPECT_FALSE(IsWindow(hidden));
}

std::vector<std::pair<UINT_PTR, DWORD>> timerLog;

void RecordTimer(HWND, UINT, UINT_PTR id, DWORD time) { timerLog.emplace_back(id, time); }

TEST_F(MessagesTest, TimersFireInDueOrderOnTheVirtualClock) {
  const HWND h = TopLevel(0, 0, 10, 10);
  Display.ProcessMessages();
  std::vector<std::pair<UINT_PTR, DWORD>> fired;
  TestHandler() = [&](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_TIMER) fired.emplace_back(w, GetMessageTime());
    return std::nullopt;
  };
  SetTimer(h, 1, 100, nullptr);
  SetTimer(h, 2, 30, nullptr);
  Display.Advance(99);
  EXPECT_EQ(fired, (std::vector<std::pair<UINT_PTR, DWORD>>{{2, 30}, {2, 60}, {2, 90}}));
  fired.clear();
  Display.Advance(101);
  EXPECT_EQ(fired, (std::vector<std::pair<UINT_PTR, DWORD>>{
                       {1, 100}, {2, 120}, {2, 150}, {2, 180}, {1, 200}}));
  EXPECT_EQ(GetTickCount(), 200u);
  EXPECT_TRUE(KillTimer(h, 2));
  EXPECT_FALSE(KillTimer(h, 2));
  fired.clear();
  Display.Advance(100);
  EXPECT_EQ(fired, (std::vector<std::pair<UINT_PTR, DWORD>>{{1, 300}}));
}

TEST_F(MessagesTest, ThreadTimersCallTheirProcedureAndDieWithNothing) {
  timerLog.clear();
  const UINT_PTR id = SetTimer(nullptr, 0, 50, RecordTimer);
  EXPECT_NE(id, 0u);
  EXPECT_NE(SetTimer(nullptr, 0, 50, RecordTimer), id) << "each thread timer is new";
  Display.Advance(50);
  ASSERT_EQ(timerLog.size(), 2u);
  EXPECT_EQ(timerLog[0], std::make_pair(id, DWORD{50}));
  const HWND h = TopLevel(0, 0, 10, 10);
  SetTimer(h, 7, 10, nullptr);
  DestroyWindow(h);
  Display.Advance(20);
  EXPECT_TRUE(Got(h, WM_TIMER).empty()) << "a window's timers go with it";
}

} // namespace
