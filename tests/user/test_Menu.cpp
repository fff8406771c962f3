#include "tests/SheetPath.h"
#include "tests/user/UserTestSupport.h"

#include "framework/win32/gdi/PngCodec.h"

namespace {

constexpr UINT IdOpen = 101, IdSave = 102, IdExit = 103, IdCut = 201, IdPaste = 202;

class MenuTest : public UserTest {
protected:
  // File (Open, Save Ctrl+S, -, Exit disabled) and Edit (Cut checked, Paste).
  void SetUp() override {
    UserTest::SetUp();
    Bar = CreateMenu();
    File = CreatePopupMenu();
    Edit = CreatePopupMenu();
    AppendMenuA(File, MF_STRING, IdOpen, "&Open");
    AppendMenuA(File, MF_STRING, IdSave, "&Save\tCtrl+S");
    AppendMenuA(File, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(File, MF_STRING | MF_GRAYED, IdExit, "E&xit");
    AppendMenuA(Edit, MF_STRING | MF_CHECKED, IdCut, "Cu&t");
    AppendMenuA(Edit, MF_STRING, IdPaste, "&Paste");
    AppendMenuA(Bar, MF_POPUP, reinterpret_cast<UINT_PTR>(File), "&File");
    AppendMenuA(Bar, MF_POPUP, reinterpret_cast<UINT_PTR>(Edit), "&Edit");
    Window = TopLevel(100, 100, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetActiveWindow(Window);
  }

  TPoint CentreOf(const RECT& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

  TPoint BarItem(int index) {
    RECT r;
    EXPECT_TRUE(GetMenuItemRect(Window, Bar, static_cast<UINT>(index), &r));
    return CentreOf(r);
  }

  TPoint PopupItem(HMENU menu, int index) {
    RECT r;
    EXPECT_TRUE(GetMenuItemRect(nullptr, menu, static_cast<UINT>(index), &r));
    return CentreOf(r);
  }

  void ClickAt(TPoint p) {
    Display.MouseMove(p.X, p.Y);
    Display.Click(p.X, p.Y);
    Display.ProcessMessages();
  }

  void MoveAt(TPoint p) {
    Display.MouseMove(p.X, p.Y);
    Display.ProcessMessages();
  }

  void Key(int vk, unsigned modifiers = 0) {
    Display.PressKey(vk, modifiers);
    Display.ProcessMessages();
  }

  std::vector<UINT> Commands() {
    std::vector<UINT> ids;
    for (const TLogged& m : Got(Window, WM_COMMAND)) ids.push_back(LOWORD(m.WParam));
    return ids;
  }

  HWND OpenPopupWindow() {
    HWND found = nullptr;
    EnumWindows(
        [](HWND h, LPARAM out) {
          char name[16] = {};
          GetClassNameA(h, name, sizeof name);
          if (String(name) == "#32768" && IsWindowVisible(h)) *reinterpret_cast<HWND*>(out) = h;
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }

  HMENU Bar = nullptr, File = nullptr, Edit = nullptr;
  HWND Window = nullptr;
};

TEST_F(MenuTest, ItemsAnswerStatesAndChangesAsWin32Does) {
  EXPECT_EQ(GetMenuItemCount(File), 4);
  EXPECT_EQ(GetMenuItemID(File, 1), IdSave);
  EXPECT_EQ(GetMenuItemID(Bar, 0), 0xFFFFFFFFu) << "a submenu item has no command";
  EXPECT_EQ(GetSubMenu(Bar, 1), Edit);
  EXPECT_EQ(CheckMenuItem(Bar, IdCut, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(GetMenuState(Edit, IdCut, MF_BYCOMMAND) & MF_CHECKED, 0u);
  EXPECT_EQ(EnableMenuItem(File, 3, MF_BYPOSITION | MF_ENABLED), MF_GRAYED | MF_DISABLED);
  EXPECT_EQ(GetMenuState(Bar, 0, MF_BYPOSITION) >> 8, 4u) << "a popup item counts its items";
  char text[32];
  EXPECT_EQ(GetMenuStringA(File, IdSave, text, sizeof text, MF_BYCOMMAND), 12);
  EXPECT_STREQ(text, "&Save\tCtrl+S");
  EXPECT_EQ(CheckMenuItem(File, 999, MF_CHECKED), 0xFFFFFFFFu);

  ASSERT_TRUE(InsertMenuA(Bar, IdPaste, MF_BYCOMMAND | MF_STRING, 203, "Cop&y"));
  EXPECT_EQ(GetMenuItemID(Edit, 1), 203u) << "inserted before Paste, in Paste's menu";
  ASSERT_TRUE(CheckMenuRadioItem(Edit, 0, 2, 1, MF_BYPOSITION));
  EXPECT_EQ(GetMenuState(Edit, 203, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));

  HMENU orphan = CreatePopupMenu();
  AppendMenuA(Bar, MF_POPUP, reinterpret_cast<UINT_PTR>(orphan), "More");
  ASSERT_TRUE(ModifyMenuA(Bar, 2, MF_BYPOSITION | MF_STRING, 300, "Plain"));
  EXPECT_FALSE(IsMenu(orphan)) << "replacing a submenu item destroys the submenu";
  ASSERT_TRUE(RemoveMenu(Bar, 1, MF_BYPOSITION));
  EXPECT_TRUE(IsMenu(Edit)) << "RemoveMenu keeps the submenu";
  ASSERT_TRUE(DestroyMenu(Edit));
  ASSERT_TRUE(DeleteMenu(Bar, 0, MF_BYPOSITION));
  EXPECT_FALSE(IsMenu(File)) << "DeleteMenu destroys it";
  EXPECT_EQ(GetMenuItemCount(Bar), 1);
  EXPECT_EQ(GetMenuItemCount(File), -1);
}

TEST_F(MenuTest, TheBarTakesTheMenuHeightFromTheClientAreaOfEveryWindow) {
  HWND second = TopLevel(100, 400, 300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HMENU secondBar = CreateMenu();
  AppendMenuA(secondBar, MF_STRING, 1, "One");
  RECT before;
  GetClientRect(Window, &before);
  ASSERT_TRUE(SetMenu(Window, Bar));
  ASSERT_TRUE(SetMenu(second, secondBar));
  EXPECT_EQ(GetMenu(Window), Bar);
  RECT after;
  GetClientRect(Window, &after);
  EXPECT_EQ(before.Height() - after.Height(), GetSystemMetrics(SM_CYMENU));
  const TPoint item = BarItem(0);
  EXPECT_EQ(SendMessageA(Window, WM_NCHITTEST, 0, MAKELPARAM(item.X, item.Y)), HTMENU);

  NONCLIENTMETRICSA metrics;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  const int oldHeight = metrics.iMenuHeight;
  metrics.iMenuHeight = oldHeight + 6;
  ASSERT_TRUE(SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  RECT taller, secondRect;
  GetClientRect(Window, &taller);
  GetClientRect(second, &secondRect);
  EXPECT_EQ(after.Height() - taller.Height(), 6);
  EXPECT_EQ(secondRect.Height(), before.Height() - (oldHeight + 7));
  metrics.iMenuHeight = oldHeight;
  SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);

  SetWindowPos(Window, nullptr, 0, 0, 50, 200, SWP_NOMOVE | SWP_NOZORDER);
  RECT narrow;
  GetClientRect(Window, &narrow);
  RECT first, next;
  GetMenuItemRect(Window, Bar, 0, &first);
  GetMenuItemRect(Window, Bar, 1, &next);
  EXPECT_GT(next.Top, first.Top) << "items that do not fit wrap into a second row";
}

TEST_F(MenuTest, MouseOpensDropDownsSlidesAlongTheBarAndChoosesAnItem) {
  SetMenu(Window, Bar);
  ClickAt(BarItem(0));
  ASSERT_EQ(Got(Window, WM_INITMENUPOPUP).size(), 1u);
  EXPECT_EQ(reinterpret_cast<HMENU>(Got(Window, WM_INITMENUPOPUP)[0].WParam), File);
  EXPECT_EQ(Got(Window, WM_ENTERMENULOOP).size(), 1u);
  const HWND popup = OpenPopupWindow();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(GetActiveWindow(), Window) << "the drop-down does not take activation";

  MoveAt(BarItem(1));
  EXPECT_EQ(reinterpret_cast<HMENU>(Got(Window, WM_INITMENUPOPUP).back().WParam), Edit);
  MoveAt(PopupItem(Edit, 1));
  const TLogged select = Got(Window, WM_MENUSELECT).back();
  EXPECT_EQ(LOWORD(select.WParam), IdPaste);
  EXPECT_EQ(reinterpret_cast<HMENU>(select.LParam), Edit);

  ClickAt(PopupItem(Edit, 1));
  EXPECT_EQ(Commands(), std::vector<UINT>{IdPaste});
  EXPECT_EQ(Got(Window, WM_EXITMENULOOP).size(), 1u);
  EXPECT_EQ(OpenPopupWindow(), nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MenuTest, ClicksOnDisabledItemsSeparatorsAndTheOpenBarItemChooseNothing) {
  SetMenu(Window, Bar);
  ClickAt(BarItem(0));
  ClickAt(PopupItem(File, 3));
  ClickAt(PopupItem(File, 2));
  EXPECT_NE(OpenPopupWindow(), nullptr) << "still open";
  ClickAt(BarItem(0));
  EXPECT_EQ(OpenPopupWindow(), nullptr) << "a click on the open item closes it";
  ClickAt(BarItem(1));
  ClickAt(TPoint{5, 700});
  EXPECT_EQ(OpenPopupWindow(), nullptr) << "a click elsewhere closes it";
  EXPECT_TRUE(Commands().empty());
}

TEST_F(MenuTest, KeyboardEntersTheBarWalksItAndChoosesByAcceleratorOrEnter) {
  SetMenu(Window, Bar);
  SetFocus(Window);
  Key(VK_MENU);
  EXPECT_EQ(Got(Window, WM_ENTERMENULOOP).size(), 1u) << "Alt alone enters the bar";
  EXPECT_EQ(OpenPopupWindow(), nullptr);
  Key(VK_RIGHT);
  Key(VK_DOWN);
  EXPECT_EQ(reinterpret_cast<HMENU>(Got(Window, WM_INITMENUPOPUP).back().WParam), Edit);
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_EQ(Commands(), std::vector<UINT>{IdPaste});

  Key('F', HeadlessAlt);
  EXPECT_EQ(reinterpret_cast<HMENU>(Got(Window, WM_INITMENUPOPUP).back().WParam), File);
  Key('S');
  EXPECT_EQ(Commands(), (std::vector<UINT>{IdPaste, IdSave}));

  Key(VK_F10);
  Key(VK_DOWN);
  EXPECT_NE(OpenPopupWindow(), nullptr);
  Key(VK_ESCAPE);
  EXPECT_EQ(OpenPopupWindow(), nullptr) << "Escape closes the drop-down, the bar stays";
  Key(VK_ESCAPE);
  Key('O');
  EXPECT_EQ(Commands().size(), 2u) << "out of the menu, letters are the window's again";
  EXPECT_EQ(Got(Window, WM_EXITMENULOOP).size(), 3u);
}

TEST_F(MenuTest, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwnerWithTheirState) {
  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_OWNERDRAW, 1, reinterpret_cast<LPCSTR>(0x1234));
  AppendMenuA(popup, MF_OWNERDRAW | MF_GRAYED | MF_CHECKED, 2, nullptr);
  int measured = 0;
  bool sawSelected = false, sawGrayedChecked = false;
  TestHandler() = [&](HWND, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
    if (m == WM_MEASUREITEM) {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      EXPECT_EQ(mi->CtlType, ODT_MENU);
      if (mi->itemID == 1) {
        EXPECT_EQ(mi->itemData, 0x1234u);
      }
      mi->itemWidth = 80;
      mi->itemHeight = 25;
      ++measured;
      return 1;
    }
    if (m != WM_DRAWITEM) return std::nullopt;
    const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
    EXPECT_EQ(d->CtlType, ODT_MENU);
    EXPECT_EQ(d->hwndItem, reinterpret_cast<HWND>(popup));
    if (d->itemID == 1 && (d->itemState & ODS_SELECTED)) sawSelected = d->itemData == 0x1234;
    const UINT wanted = ODS_GRAYED | ODS_DISABLED | ODS_CHECKED;
    if (d->itemID == 2 && (d->itemState & wanted) == wanted) sawGrayedChecked = true;
    return 1;
  };
  RECT item{};
  Display.WhenWaiting([&] {
    ASSERT_TRUE(GetMenuItemRect(nullptr, popup, 0, &item));
    MoveAt(CentreOf(item));
    EndMenu();
  });
  TrackPopupMenu(popup, TPM_RETURNCMD, 200, 200, 0, Window, nullptr);
  EXPECT_EQ(measured, 2);
  EXPECT_EQ(item.Height(), 25);
  EXPECT_GT(item.Width(), 80) << "Win32 adds two average characters";
  EXPECT_TRUE(sawSelected);
  EXPECT_TRUE(sawGrayedChecked);
  DestroyMenu(popup);
}

TEST_F(MenuTest, TrackPopupMenuReturnsTheChosenCommandOrPostsIt) {
  Display.WhenWaiting([&] { ClickAt(PopupItem(Edit, 1)); });
  EXPECT_EQ(TrackPopupMenu(Edit, TPM_RETURNCMD, 150, 150, 0, Window, nullptr),
            static_cast<BOOL>(IdPaste));
  Display.ProcessMessages();
  EXPECT_TRUE(Commands().empty()) << "TPM_RETURNCMD answers instead of posting";
  EXPECT_EQ(GetActiveWindow(), Window);

  Display.WhenWaiting([&] {
    Key(VK_DOWN);
    Key(VK_RETURN);
  });
  EXPECT_TRUE(TrackPopupMenu(Edit, 0, 150, 150, 0, Window, nullptr));
  Display.ProcessMessages();
  EXPECT_EQ(Commands(), std::vector<UINT>{IdCut});
  Display.WhenWaiting([&] { Key(VK_ESCAPE); });
  EXPECT_EQ(TrackPopupMenu(Edit, TPM_RETURNCMD, 150, 150, 0, Window, nullptr), 0);
}

TEST_F(MenuTest, MenusChangedOrDestroyedWhileOpenCloseWithoutHarm) {
  SetMenu(Window, Bar);
  ClickAt(BarItem(0));
  MoveAt(PopupItem(File, 1));
  ASSERT_TRUE(DeleteMenu(File, 0, MF_BYPOSITION));
  ASSERT_TRUE(DeleteMenu(File, 0, MF_BYPOSITION));
  MoveAt(PopupItem(File, 0));
  ClickAt(PopupItem(File, 0));
  ASSERT_TRUE(DeleteMenu(Bar, 0, MF_BYPOSITION));
  EXPECT_EQ(OpenPopupWindow(), nullptr);
  ClickAt(BarItem(0));
  EXPECT_NE(OpenPopupWindow(), nullptr);
  DestroyWindow(Window);
  EXPECT_EQ(OpenPopupWindow(), nullptr) << "the owner going ends the tracking";
  EXPECT_FALSE(IsMenu(Bar)) << "the window's bar goes with it";
  EXPECT_TRUE(Commands().empty());
}

TEST_F(MenuTest, DefaultDrawingShowsSelectionChecksEmbossingAndShortcuts) {
  SetMenu(Window, Bar);
  ClickAt(BarItem(0));
  MoveAt(PopupItem(File, 0));
  const HWND popup = OpenPopupWindow();
  ASSERT_NE(popup, nullptr);
  const TRaster pixels = Display.Snapshot(popup);
  WritePngFile(Display.ScreenSnapshot(), SheetPath("menu_file_open.png"));
  RECT open, save, exit;
  GetMenuItemRect(nullptr, File, 0, &open);
  GetMenuItemRect(nullptr, File, 1, &save);
  GetMenuItemRect(nullptr, File, 3, &exit);
  RECT window;
  GetWindowRect(popup, &window);
  auto at = [&](int x, int y) { return pixels.At(x - window.Left, y - window.Top) & 0xFFFFFF; };
  EXPECT_EQ(at(open.Left + 2, open.Top + 1), 0x000080u) << "the selected item is highlighted";
  EXPECT_EQ(at(save.Left + 2, save.Top + 1), 0xC0C0C0u);
  int shortcutInk = 0, embossed = 0;
  auto dark = [](std::uint32_t c) { return (c & 0xFF) < 0x60 && (c >> 8 & 0xFF) < 0x60; };
  auto light = [](std::uint32_t c) { return (c & 0xFF) > 0xE0 && (c >> 8 & 0xFF) > 0xE0; };
  for (int x = save.Right - 50; x < save.Right; ++x)
    for (int y = save.Top; y < save.Bottom; ++y) shortcutInk += dark(at(x, y));
  for (int x = exit.Left; x < exit.Right; ++x)
    for (int y = exit.Top; y < exit.Bottom; ++y) embossed += light(at(x, y));
  EXPECT_GT(shortcutInk, 10) << "the shortcut text is at the right";
  EXPECT_GT(embossed, 10) << "disabled text has its highlight";

  MoveAt(BarItem(1));
  RECT cut;
  GetMenuItemRect(nullptr, Edit, 0, &cut);
  const TRaster edit = Display.Snapshot(OpenPopupWindow());
  RECT editWindow;
  GetWindowRect(OpenPopupWindow(), &editWindow);
  int check = 0;
  for (int x = cut.Left; x < cut.Left + 20; ++x)
    for (int y = cut.Top; y < cut.Bottom; ++y)
      check += dark(edit.At(x - editWindow.Left, y - editWindow.Top));
  EXPECT_GT(check, 6) << "the checked item shows its mark";
}

} // namespace
