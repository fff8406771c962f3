#include "tests/user/UserTestSupport.h"

#include <cstring>

namespace {

class ButtonClassTest : public UserTest {
protected:
  HWND Parent = nullptr;
  void SetUp() override {
    UserTest::SetUp();
    Parent = TopLevel(100, 100, 300, 200);
  }
  HWND Make(DWORD style, const char* text, int x, int y, int w = 100, int h = 24, int id = 7) {
    return CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, Parent,
                           reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr,
                           nullptr);
  }
  // The BN_ codes the parent heard from a control, in order.
  std::vector<WORD> Notifications(HWND control) {
    std::vector<WORD> codes;
    for (const TLogged& m : Got(Parent, WM_COMMAND))
      if (m.LParam == reinterpret_cast<LPARAM>(control)) codes.push_back(HIWORD(m.WParam));
    return codes;
  }
};

TEST_F(ButtonClassTest, MouseClickInsideNotifiesWithIdAndHandle) {
  const HWND b = Make(BS_PUSHBUTTON, "OK", 10, 10, 100, 24, 42);
  ASSERT_NE(b, nullptr);
  Display.MouseDown(150, 120);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
  EXPECT_EQ(GetFocus(), b);
  EXPECT_TRUE(Notifications(b).empty());
  Display.MouseUp(150, 120);
  Display.ProcessMessages();
  const auto commands = Got(Parent, WM_COMMAND);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(LOWORD(commands[0].WParam), 42);
  EXPECT_EQ(HIWORD(commands[0].WParam), BN_CLICKED);
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
}

TEST_F(ButtonClassTest, ReleaseOutsideDoesNotClickAndReentryPressesAgain) {
  const HWND b = Make(BS_PUSHBUTTON, "OK", 10, 10);
  Display.MouseDown(150, 120);
  Display.MouseMove(250, 250);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
  Display.MouseMove(140, 120);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(b, BM_GETSTATE, 0, 0) & BST_PUSHED, BST_PUSHED);
  Display.MouseMove(250, 250);
  Display.MouseUp(250, 250);
  Display.ProcessMessages();
  EXPECT_TRUE(Notifications(b).empty());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonClassTest, SpaceClicksOnReleaseAndAutoCheckBoxToggles) {
  const HWND b = Make(BS_AUTOCHECKBOX, "Check", 10, 10);
  SetFocus(b);
  Display.KeyDown(VK_SPACE);
  Display.ProcessMessages();
  EXPECT_TRUE(Notifications(b).empty());
  EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  Display.KeyUp(VK_SPACE);
  Display.ProcessMessages();
  EXPECT_EQ(Notifications(b), std::vector<WORD>{BN_CLICKED});
  EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_CHECKED);
  Display.PressKey(VK_SPACE);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ButtonClassTest, ThreeStateCyclesAndTwoStateClampsIndeterminate) {
  const HWND three = Make(BS_AUTO3STATE, "Three", 10, 10);
  std::vector<LRESULT> seen;
  for (int i = 0; i < 3; ++i) {
    SendMessageA(three, BM_CLICK, 0, 0);
    seen.push_back(SendMessageA(three, BM_GETCHECK, 0, 0));
  }
  EXPECT_EQ(seen, (std::vector<LRESULT>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}));
  const HWND two = Make(BS_CHECKBOX, "Two", 10, 40);
  SendMessageA(two, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(SendMessageA(two, BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageA(two, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessageA(two, BM_GETCHECK, 0, 0), BST_CHECKED) << "BS_CHECKBOX is not automatic";
  EXPECT_EQ(SendMessageA(Make(BS_PUSHBUTTON, "P", 10, 70), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(ButtonClassTest, AutoRadioUnchecksItsGroupOnly) {
  const HWND a = Make(BS_AUTORADIOBUTTON | WS_GROUP, "A", 10, 10);
  const HWND b = Make(BS_AUTORADIOBUTTON, "B", 10, 40);
  const HWND c = Make(BS_AUTORADIOBUTTON, "C", 10, 70);
  const HWND other = Make(BS_AUTORADIOBUTTON | WS_GROUP, "D", 150, 10);
  SendMessageA(other, BM_SETCHECK, BST_CHECKED, 0);
  Display.Click(120, 115); // A
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0), BST_CHECKED);
  Display.Click(120, 175); // C
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessageA(c, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageA(other, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_NE(GetWindowLongA(c, GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_EQ(GetWindowLongA(a, GWL_STYLE) & WS_TABSTOP, 0);
}

TEST_F(ButtonClassTest, DialogCodesFollowTheKind) {
  for (const auto& [style, code] :
       {std::pair<DWORD, LRESULT>{BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {BS_GROUPBOX, DLGC_STATIC}})
    EXPECT_EQ(SendMessageA(Make(style, "", 0, 0), WM_GETDLGCODE, 0, 0), code) << style;
}

TEST_F(ButtonClassTest, OwnerDrawGetsDrawItemWithStateAndRect) {
  std::vector<DRAWITEMSTRUCT> drawn;
  TestHandler() = [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (message == WM_DRAWITEM) {
      drawn.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return 1;
    }
    return std::nullopt;
  };
  const HWND b = Make(BS_OWNERDRAW, "Own", 10, 10, 80, 30, 9);
  Display.ProcessMessages();
  ASSERT_FALSE(drawn.empty());
  EXPECT_EQ(drawn.back().CtlType, ODT_BUTTON);
  EXPECT_EQ(drawn.back().CtlID, 9u);
  EXPECT_EQ(drawn.back().itemAction, ODA_DRAWENTIRE);
  EXPECT_EQ(drawn.back().hwndItem, b);
  EXPECT_EQ(drawn.back().rcItem, Rect(0, 0, 80, 30));
  EXPECT_NE(drawn.back().hDC, nullptr);
  drawn.clear();
  Display.MouseDown(120, 120);
  Display.ProcessMessages();
  bool sawSelect = false;
  for (const DRAWITEMSTRUCT& d : drawn)
    if (d.itemAction == ODA_SELECT) {
      sawSelect = true;
      EXPECT_EQ(d.itemState & (ODS_SELECTED | ODS_FOCUS), ODS_SELECTED | ODS_FOCUS);
    }
  EXPECT_TRUE(sawSelect);
  Display.MouseUp(120, 120);
  EnableWindow(b, FALSE);
  drawn.clear();
  Display.ProcessMessages();
  ASSERT_FALSE(drawn.empty());
  EXPECT_NE(drawn.back().itemState & ODS_DISABLED, 0u);
}

TEST_F(ButtonClassTest, CheckBoxBackgroundComesFromTheParent) {
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  TestHandler() = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_CTLCOLORSTATIC) return reinterpret_cast<LRESULT>(red);
    return std::nullopt;
  };
  const HWND b = Make(BS_AUTOCHECKBOX, "", 10, 10, 100, 24);
  const TRaster shot = Display.Snapshot(Parent);
  EXPECT_EQ(shot.At(100, 20), RedPixel);
  EXPECT_FALSE(Got(Parent, WM_CTLCOLORSTATIC).empty());
  DestroyWindow(b);
  DeleteObject(red);
}

TEST_F(ButtonClassTest, FontIsKeptAndTextRepaints) {
  const HWND b = Make(BS_PUSHBUTTON, "A", 10, 10);
  HFONT font = CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  SendMessageA(b, WM_SETFONT, reinterpret_cast<WPARAM>(font), 1);
  EXPECT_EQ(SendMessageA(b, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
  const TRaster before = Display.Snapshot(Parent);
  SetWindowTextA(b, "Changed");
  const TRaster after = Display.Snapshot(Parent);
  int differences = 0;
  for (int y = 10; y < 34; ++y)
    for (int x = 10; x < 110; ++x) differences += before.At(x, y) != after.At(x, y);
  EXPECT_GT(differences, 20);
  DestroyWindow(b);
  DeleteObject(font);
}

} // namespace
