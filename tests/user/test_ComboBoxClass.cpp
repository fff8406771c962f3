#include "framework/rtl/Strings.h"
#include "framework/win32/user/ComboBoxDefs.h"
#include "tests/user/UserTestSupport.h"

namespace {

class ComboBoxClassTest : public UserTest {
protected:
  HWND Parent = nullptr;
  void SetUp() override {
    UserTest::SetUp();
    Parent = TopLevel(0, 0, 400, 400);
  }
  HWND Make(DWORD style, int height = 150) {
    return CreateWindowExA(0, "combobox", "", WS_CHILD | WS_VISIBLE | style, 10, 10, 150, height,
                           Parent, reinterpret_cast<HMENU>(7), nullptr, nullptr);
  }
  static void Fill(HWND combo, int n) {
    for (int i = 0; i < n; ++i)
      SendMessageA(combo, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(("item" + std::to_string(i)).c_str()));
  }
  std::vector<WORD> Notifications() {
    std::vector<WORD> codes;
    for (const TLogged& m : Got(Parent, WM_COMMAND))
      if (HIWORD(m.WParam) != CBN_SETFOCUS && HIWORD(m.WParam) != CBN_KILLFOCUS)
        codes.push_back(HIWORD(m.WParam));
    return codes;
  }
  static RECT DroppedRect(HWND combo) {
    RECT r{};
    SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  static bool ClassIs(HWND h, const char* name) {
    char buffer[32] = {};
    GetClassNameA(h, buffer, sizeof buffer);
    return SameText(String(buffer), String(name));
  }
};

TEST_F(ComboBoxClassTest, DropDownTakesTheGivenHeightAndOneRowWhenSmall) {
  const HWND combo = Make(CBS_DROPDOWNLIST, 150);
  Fill(combo, 20);
  const int itemHeight = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
  RECT window{};
  GetWindowRect(combo, &window);
  EXPECT_EQ(window.Height(), SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0) + 6)
      << "the window shows only its field";
  SendMessageA(combo, CB_SHOWDROPDOWN, 1, 0);
  const RECT open = DroppedRect(combo);
  EXPECT_EQ(open.Top, window.Bottom);
  EXPECT_EQ(open.Height(), (150 - window.Height() - 2) / itemHeight * itemHeight + 2);
  EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 1);
  SendMessageA(combo, CB_SHOWDROPDOWN, 0, 0);
  SetWindowPos(combo, nullptr, 0, 0, 150, 5, SWP_NOMOVE | SWP_NOZORDER);
  SendMessageA(combo, CB_SHOWDROPDOWN, 1, 0);
  EXPECT_EQ(DroppedRect(combo).Height(), itemHeight + 2);
}

TEST_F(ComboBoxClassTest, KeyboardOpensMovesTypesAndCloses) {
  const HWND combo = Make(CBS_DROPDOWNLIST);
  for (const char* s : {"apple", "banana", "cherry", "date"})
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
  SetFocus(combo);
  Display.PressKey(VK_DOWN);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
  Display.PressKey(VK_F4);
  Display.TypeText("c");
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2) << "typing with the list open selects";
  Display.PressKey(VK_ESCAPE);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 0);
  EXPECT_EQ(Notifications(), (std::vector<WORD>{CBN_SELCHANGE, CBN_DROPDOWN, CBN_SELCHANGE,
                                                CBN_SELENDCANCEL, CBN_CLOSEUP}));
  EXPECT_TRUE(Got(combo, WM_CHAR).empty() || GetFocus() == combo);
  char text[16] = {};
  GetWindowTextA(combo, text, sizeof text);
  EXPECT_STREQ(text, "cherry");
}

} // namespace
