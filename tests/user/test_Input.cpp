#include "framework/win32/user/ComboBoxDefs.h"
#include "tests/user/UserTestSupport.h"

#include <string_view>

namespace {

class InputTest : public UserTest {
protected:
  // A shown top-level window at (100, 100) with two children and the loop run.
  void SetUp() override {
    UserTest::SetUp();
    Top = TopLevel(100, 100, 300, 200);
    Left = Child(Top, 0, 0, 100, 100);
    Right = Child(Top, 150, 0, 100, 100);
    Display.ProcessMessages();
    MessageLog().clear();
  }

  HWND Top = nullptr, Left = nullptr, Right = nullptr;
};

TEST_F(InputTest, FocusMessagesCarryTheOtherWindow) {
  EXPECT_EQ(SetFocus(Left), Top) << "activation focused the top-level window";
  EXPECT_EQ(GetFocus(), Left);
  MessageLog().clear();
  EXPECT_EQ(SetFocus(Right), Left);
  ASSERT_EQ(Got(Left, WM_KILLFOCUS).size(), 1u);
  EXPECT_EQ(Got(Left, WM_KILLFOCUS)[0].WParam, reinterpret_cast<WPARAM>(Right));
  ASSERT_EQ(Got(Right, WM_SETFOCUS).size(), 1u);
  EXPECT_EQ(Got(Right, WM_SETFOCUS)[0].WParam, reinterpret_cast<WPARAM>(Left));
  EnableWindow(Left, FALSE);
  EXPECT_EQ(SetFocus(Left), nullptr) << "a disabled window takes no focus";
  EXPECT_EQ(GetFocus(), Right);
  EnableWindow(Right, FALSE);
  EXPECT_EQ(GetFocus(), nullptr) << "disabling the focus window removes the focus";
}

TEST_F(InputTest, FocusTakenBackDuringTheChangeStaysWhereItWasPut) {
  SetFocus(Left);
  TestHandler() = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (h == Right && m == WM_SETFOCUS) SetFocus(Left); // an invalid exit keeps the focus
    return std::nullopt;
  };
  SetFocus(Right);
  EXPECT_EQ(GetFocus(), Left);
  EXPECT_EQ(Got(Right, WM_KILLFOCUS).size(), 1u);
}

TEST_F(InputTest, ActivationSendsActivateToBothWindows) {
  const HWND other = TopLevel(500, 500, 50, 50);
  EXPECT_EQ(GetActiveWindow(), other);
  MessageLog().clear();
  EXPECT_EQ(SetActiveWindow(Top), other);
  ASSERT_EQ(Got(other, WM_ACTIVATE).size(), 1u);
  EXPECT_EQ(LOWORD(Got(other, WM_ACTIVATE)[0].WParam), WA_INACTIVE);
  EXPECT_EQ(Got(other, WM_ACTIVATE)[0].LParam, reinterpret_cast<LPARAM>(Top));
  ASSERT_EQ(Got(Top, WM_ACTIVATE).size(), 1u);
  EXPECT_EQ(Got(Top, WM_ACTIVATE)[0].LParam, reinterpret_cast<LPARAM>(other));
  EXPECT_EQ(GetFocus(), Top) << "the default activation focuses the window";
  DestroyWindow(Top);
  EXPECT_EQ(GetActiveWindow(), other) << "another window takes over";
}

TEST_F(InputTest, AClickReachesTheChildUnderThePoint) {
  Display.Click(100 + 160, 100 + 20);
  Display.ProcessMessages();
  ASSERT_EQ(Got(Right, WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(Got(Right, WM_LBUTTONDOWN)[0].LParam, MAKELPARAM(10, 20));
  EXPECT_EQ(Got(Right, WM_LBUTTONDOWN)[0].WParam, MK_LBUTTON);
  EXPECT_EQ(Got(Right, WM_LBUTTONUP).size(), 1u);
  EXPECT_EQ(Got(Right, WM_LBUTTONUP)[0].WParam, 0u);
  EXPECT_FALSE(Got(Right, WM_SETCURSOR).empty());
  EXPECT_TRUE(Got(Left, WM_LBUTTONDOWN).empty());
  EXPECT_TRUE(Got(Top, WM_LBUTTONDOWN).empty());
}

TEST_F(InputTest, TransparentWindowsPassTheClickToTheWindowBelow) {
  const HWND cover = Child(Top, 0, 0, 300, 200); // above both children
  TestHandler() = [&](HWND h, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (h == cover && m == WM_NCHITTEST) return HTTRANSPARENT;
    return std::nullopt;
  };
  Display.Click(110, 110);
  Display.ProcessMessages();
  EXPECT_EQ(Got(Left, WM_LBUTTONDOWN).size(), 1u);
  EXPECT_TRUE(Got(cover, WM_LBUTTONDOWN).empty());
}

TEST_F(InputTest, CaptureTakesEveryMouseMessage) {
  SetCapture(Left);
  Display.MouseMove(100 + 200, 100 + 50);
  Display.Click(100 + 200, 100 + 50);
  Display.ProcessMessages();
  EXPECT_TRUE(Got(Right, WM_LBUTTONDOWN).empty());
  ASSERT_EQ(Got(Left, WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(Got(Left, WM_LBUTTONDOWN)[0].LParam, MAKELPARAM(200, 50)) << "its own coordinates";
  MessageLog().clear();
  SetCapture(Right);
  ASSERT_EQ(Got(Left, WM_CAPTURECHANGED).size(), 1u);
  EXPECT_EQ(Got(Left, WM_CAPTURECHANGED)[0].LParam, reinterpret_cast<LPARAM>(Right));
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Got(Right, WM_CAPTURECHANGED).size(), 1u);
}

TEST_F(InputTest, DisabledWindowsGetNoInput) {
  EnableWindow(Right, FALSE);
  Display.Click(100 + 160, 100 + 20);
  Display.ProcessMessages();
  EXPECT_TRUE(Got(Right, WM_LBUTTONDOWN).empty());
  EXPECT_EQ(Got(Top, WM_LBUTTONDOWN).size(), 1u) << "the point falls through to the parent";
  MessageLog().clear();
  EnableWindow(Top, FALSE);
  Display.Click(100 + 20, 100 + 20);
  Display.ProcessMessages();
  EXPECT_TRUE(Got(Left, WM_LBUTTONDOWN).empty());
  EXPECT_TRUE(Got(Top, WM_LBUTTONDOWN).empty());
}

TEST_F(InputTest, DoubleClicksNeedTheClassStyleAndTheTimeWindow) {
  const HWND dbl = Child(Top, 0, 120, 50, 50, 0, DoubleClickClass);
  Display.DoubleClick(100 + 10, 100 + 130);
  Display.DoubleClick(100 + 10, 100 + 10);
  Display.ProcessMessages();
  EXPECT_EQ(Got(dbl, WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(Got(dbl, WM_LBUTTONDBLCLK).size(), 1u);
  EXPECT_EQ(Got(Left, WM_LBUTTONDOWN).size(), 2u) << "no CS_DBLCLKS, no double click";
  EXPECT_TRUE(Got(Left, WM_LBUTTONDBLCLK).empty());
  MessageLog().clear();
  Display.Click(100 + 10, 100 + 130);
  Display.Advance(GetDoubleClickTime() + 1);
  Display.Click(100 + 10, 100 + 130);
  Display.Click(100 + 30, 100 + 130); // too far from the last one
  Display.ProcessMessages();
  EXPECT_EQ(Got(dbl, WM_LBUTTONDOWN).size(), 3u);
  EXPECT_TRUE(Got(dbl, WM_LBUTTONDBLCLK).empty());
}

TEST_F(InputTest, KeysGoToTheFocusWithStateFlagsAndCharacters) {
  SetFocus(Left);
  MessageLog().clear();
  Display.PressKey('A', HeadlessShift);
  Display.PressKey('B');
  Display.ProcessMessages();
  const auto downs = Got(Left, WM_KEYDOWN);
  ASSERT_EQ(downs.size(), 3u);
  EXPECT_EQ(downs[0].WParam, static_cast<WPARAM>(VK_SHIFT));
  EXPECT_EQ(downs[1].WParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(downs[1].LParam & 0xFFFF, 1) << "repeat count";
  EXPECT_EQ((downs[1].LParam >> 16) & 0xFF, 30) << "scan code";
  const auto ups = Got(Left, WM_KEYUP);
  ASSERT_FALSE(ups.empty());
  EXPECT_EQ(static_cast<DWORD>(ups[0].LParam) >> 30, 3u) << "previous state and transition";
  const auto chars = Got(Left, WM_CHAR);
  ASSERT_EQ(chars.size(), 2u);
  EXPECT_EQ(chars[0].WParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(chars[1].WParam, static_cast<WPARAM>('b'));
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
  EXPECT_EQ(GetKeyState('A') & 1, 1) << "toggled by one press";
}

TEST_F(InputTest, AltMakesSystemKeysAndShiftStateIsReadable) {
  SetFocus(Left);
  SHORT shiftDuringKey = 0, asyncDuringKey = 0;
  TestHandler() = [&](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_KEYDOWN && w == VK_F5) {
      shiftDuringKey = GetKeyState(VK_SHIFT);
      asyncDuringKey = GetAsyncKeyState(VK_CONTROL);
    }
    return std::nullopt;
  };
  Display.PressKey('X', HeadlessAlt);
  Display.KeyDown(VK_F5, HeadlessShift | HeadlessControl);
  Display.ProcessMessages();
  EXPECT_LT(shiftDuringKey, 0);
  EXPECT_NE(asyncDuringKey, 0);
  const auto sys = Got(Left, WM_SYSKEYDOWN);
  ASSERT_EQ(sys.size(), 2u);
  EXPECT_EQ(sys[1].WParam, static_cast<WPARAM>('X'));
  EXPECT_NE(sys[1].LParam & (1 << 29), 0) << "context code: Alt is down";
  EXPECT_EQ(Got(Left, WM_SYSCHAR).size(), 1u);
  Display.KeyUp(VK_F5, HeadlessShift | HeadlessControl);
  Display.ProcessMessages();
  EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0);
}

TEST_F(InputTest, TypedTextArrivesAsCharactersAndTheWheelAtTheFocus) {
  SetFocus(Right);
  MessageLog().clear();
  Display.TypeText("aü");
  Display.Wheel(110, 110, -WHEEL_DELTA);
  Display.ProcessMessages();
  std::string typed;
  for (const TLogged& m : Got(Right, WM_CHAR)) typed += static_cast<char>(m.WParam);
  EXPECT_EQ(typed, "aü");
  ASSERT_EQ(Got(Right, WM_MOUSEWHEEL).size(), 1u);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(Got(Right, WM_MOUSEWHEEL)[0].WParam), -WHEEL_DELTA);
  EXPECT_EQ(Got(Top, WM_MOUSEWHEEL).size(), 1u) << "the default passes it to the parent";
}

TEST_F(InputTest, ClickingAnInactiveWindowActivatesIt) {
  const HWND other = TopLevel(600, 600, 50, 50);
  EXPECT_EQ(GetActiveWindow(), other);
  MessageLog().clear();
  Display.Click(100 + 20, 100 + 20);
  Display.ProcessMessages();
  EXPECT_EQ(Got(Left, WM_MOUSEACTIVATE).size(), 1u);
  EXPECT_EQ(Got(Top, WM_MOUSEACTIVATE).size(), 1u) << "asked through the parent";
  EXPECT_EQ(GetActiveWindow(), Top);
  EXPECT_EQ(LOWORD(Got(Top, WM_ACTIVATE).back().WParam), WA_CLICKACTIVE);
  POINT p;
  GetCursorPos(&p);
  EXPECT_EQ(p, Point(120, 120));
}

// Gives the focus straight back to the window that had it, as a control does whose exit
// refuses an invalid entry.
WNDPROC RefusedProc = nullptr;
HWND FocusKeeper = nullptr;
LRESULT RefuseFocus(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcA(RefusedProc, h, message, wParam, lParam);
  if (message == WM_SETFOCUS) SetFocus(FocusKeeper);
  return result;
}

TEST_F(InputTest, APressWhoseFocusIsRefusedNeitherCapturesNorClicks) {
  for (const std::string_view cls : {"BUTTON", "Edit", "ListBox", "ComboBox"}) {
    const DWORD style = cls == "ComboBox" ? CBS_DROPDOWNLIST : 0;
    const HWND control = CreateWindowExA(0, cls.data(), "x", WS_CHILD | WS_VISIBLE | style, 150,
                                         120, 100, 60, Top, nullptr, nullptr, nullptr);
    SendMessageA(control, cls == "ListBox" ? LB_ADDSTRING : CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>("item"));
    RefusedProc = reinterpret_cast<WNDPROC>(
        SetWindowLongA(control, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&RefuseFocus)));
    FocusKeeper = Left;
    SetFocus(Left);
    MessageLog().clear();
    Display.MouseDown(255, 225);
    Display.MouseUp(255, 225);
    Display.ProcessMessages();
    EXPECT_EQ(GetFocus(), Left) << cls;
    EXPECT_EQ(GetCapture(), nullptr) << cls;
    if (cls == "BUTTON") {
      EXPECT_TRUE(Got(Top, WM_COMMAND).empty()) << "no click";
    } else if (cls == "ListBox") {
      EXPECT_EQ(SendMessageA(control, LB_GETCURSEL, 0, 0), LB_ERR);
    } else if (cls == "ComboBox") {
      EXPECT_EQ(SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0), 0);
    }
    DestroyWindow(control);
  }
}

} // namespace
