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
  HWND Make(DWORD style, int height = 150, int x = 10) {
    return CreateWindowExA(0, "combobox", "", WS_CHILD | WS_VISIBLE | style, x, 10, 150, height,
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
  EXPECT_EQ(GetFocus(), combo) << "the open list leaves the focus in the field";
  char text[16] = {};
  GetWindowTextA(combo, text, sizeof text);
  EXPECT_STREQ(text, "cherry");
  Display.PressKey(VK_DOWN, HeadlessAlt);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 1) << "Alt+Down opens";
  Display.PressKey(VK_DOWN);
  Display.PressKey(VK_RETURN);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 0);
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 3);
}

TEST_F(ComboBoxClassTest, MouseSelectionNotifiesInWin32Order) {
  const HWND combo = Make(CBS_DROPDOWNLIST);
  Fill(combo, 5);
  Display.Click(60, 20);
  Display.ProcessMessages();
  ASSERT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 1) << "a click opens a list field";
  const RECT open = DroppedRect(combo);
  const int itemHeight = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
  Display.MouseMove(open.Left + 20, open.Top + 1 + itemHeight * 2 + 2);
  Display.Click(open.Left + 20, open.Top + 1 + itemHeight * 2 + 2);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 0);
  EXPECT_EQ(Notifications(),
            (std::vector<WORD>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP, CBN_SELCHANGE}));
  MessageLog().clear();
  Display.Click(60, 20);
  Display.Click(300, 300);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0), 0) << "a click outside closes";
  EXPECT_EQ(Notifications(), (std::vector<WORD>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 2);
}

TEST_F(ComboBoxClassTest, ChildrenAsOnWin32AndSubclassedEditSeesItsMessages) {
  const HWND drop = Make(CBS_DROPDOWN);
  const HWND edit = GetWindow(drop, GW_CHILD);
  ASSERT_TRUE(ClassIs(edit, "Edit"));
  EXPECT_EQ(GetWindow(edit, GW_HWNDNEXT), nullptr) << "the drop-down list is no child";
  const HWND simple = Make(CBS_SIMPLE, 150, 200);
  const HWND list = GetWindow(simple, GW_CHILD);
  EXPECT_TRUE(ClassIs(list, "ComboLBox"));
  EXPECT_TRUE(ClassIs(GetWindow(list, GW_HWNDNEXT), "Edit"));
  POINT inList{5, 60};
  EXPECT_EQ(ChildWindowFromPoint(simple, inList), list);

  static std::vector<UINT> seen;
  static WNDPROC previous = nullptr;
  seen.clear();
  previous = reinterpret_cast<WNDPROC>(GetWindowLongA(edit, GWL_WNDPROC));
  SetWindowLongA(edit, GWL_WNDPROC,
                 reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                   seen.push_back(m);
                   return CallWindowProcA(previous, h, m, w, l);
                 }));
  Display.Click(20, 20);
  Display.TypeText("ab");
  Display.ProcessMessages();
  EXPECT_EQ(std::count(seen.begin(), seen.end(), WM_CHAR), 2);
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_LBUTTONDOWN), seen.end());
  char text[16] = {};
  GetWindowTextA(drop, text, sizeof text);
  EXPECT_STREQ(text, "ab") << "the subclassed edit still edits";
  const auto codes = Notifications();
  ASSERT_GE(codes.size(), 2u);
  EXPECT_EQ(codes[0], CBN_EDITUPDATE);
  EXPECT_EQ(codes[1], CBN_EDITCHANGE);
}

TEST_F(ComboBoxClassTest, OwnerDrawMeasuresFieldAndItemsAndDrawsTheField) {
  TestHandler() = [](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m != WM_MEASUREITEM) return std::nullopt;
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
    item->itemHeight = static_cast<int>(item->itemID) == -1 ? 22 : 18;
    return 1;
  };
  const HWND combo = Make(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
  const auto measures = Got(Parent, WM_MEASUREITEM);
  ASSERT_EQ(measures.size(), 2u);
  EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 22);
  EXPECT_EQ(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), 18);
  Fill(combo, 2);
  SendMessageA(combo, CB_SETCURSEL, 1, 0);
  std::vector<DRAWITEMSTRUCT> draws;
  TestHandler() = [&draws](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_DRAWITEM) draws.push_back(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
    return std::nullopt;
  };
  InvalidateRect(combo, nullptr, TRUE);
  UpdateWindow(combo);
  ASSERT_EQ(draws.size(), 1u);
  EXPECT_EQ(draws[0].CtlType, ODT_COMBOBOX);
  EXPECT_EQ(draws[0].itemID, 1u);
  EXPECT_TRUE(draws[0].itemState & ODS_COMBOBOXEDIT);
  EXPECT_EQ(draws[0].hwndItem, combo);
  draws.clear();
  SendMessageA(combo, CB_SHOWDROPDOWN, 1, 0);
  Display.ProcessMessages();
  std::vector<UINT> listItems;
  for (const DRAWITEMSTRUCT& d : draws)
    if (!(d.itemState & ODS_COMBOBOXEDIT)) {
      listItems.push_back(d.itemID);
      EXPECT_EQ(d.CtlID, 7u);
      EXPECT_EQ(d.hwndItem, combo) << "the open list's items come as the combo's";
    }
  EXPECT_EQ(listItems, (std::vector<UINT>{0, 1}));
}

TEST_F(ComboBoxClassTest, SimpleComboSelectsFromItsListAndNotifiesFocusOnce) {
  const HWND combo = Make(CBS_SIMPLE, 120);
  const HWND other = Child(Parent, 10, 300, 50, 20);
  Fill(combo, 4);
  const HWND list = GetWindow(combo, GW_CHILD);
  RECT r{};
  SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
  POINT p{r.Left + 5, r.Top + 2};
  MapWindowPoints(list, nullptr, &p, 1);
  Display.DoubleClick(p.X, p.Y);
  Display.ProcessMessages();
  EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(GetFocus(), GetWindow(list, GW_HWNDNEXT)) << "the edit keeps the focus";
  char text[16] = {};
  GetWindowTextA(combo, text, sizeof text);
  EXPECT_STREQ(text, "item1");
  const auto codes = Notifications();
  EXPECT_EQ(std::count(codes.begin(), codes.end(), CBN_SELCHANGE), 1);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), CBN_DBLCLK), 1);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), CBN_EDITCHANGE), 0)
      << "a selection changes the edit without CBN_EDITCHANGE";
  SendMessageA(combo, CB_SETEDITSEL, 0, MAKELPARAM(1, 3));
  DWORD start = 0, end = 0;
  SendMessageA(combo, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 3u);
  SetFocus(other);
  Display.ProcessMessages();
  std::vector<WORD> focus;
  for (const TLogged& m : Got(Parent, WM_COMMAND))
    if (HIWORD(m.WParam) == CBN_SETFOCUS || HIWORD(m.WParam) == CBN_KILLFOCUS)
      focus.push_back(HIWORD(m.WParam));
  EXPECT_EQ(focus, (std::vector<WORD>{CBN_SETFOCUS, CBN_KILLFOCUS}));
}

} // namespace
