#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"

#include "framework/classes/FormFile.h"
#include "framework/controls/Application.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Panels.h"
#include "framework/win32/gdi/PngCodec.h"

using namespace controltest;

namespace {

TMenuItem* NewItem(TComponent* Owner, const String& Caption, TMenuItem* Parent,
                   TNotifyEvent OnClick = nullptr) {
  auto* item = new TMenuItem(Owner);
  item->SetCaption(Caption);
  item->SetOnClick(std::move(OnClick));
  if (Parent) Parent->Add(item);
  return item;
}

class MenusTest : public ControlTest {
protected:
  // File (Open Ctrl+O, -, Exit) and View (Grid checked).
  TMainMenu* BuildMenu(TForm* Form) {
    auto* menu = new TMainMenu(Form);
    File = NewItem(Form, "&File", menu->Items(), [this](TObject*) { Log.push_back("file"); });
    Open = NewItem(Form, "&Open", File, [this](TObject*) { Log.push_back("open"); });
    Open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
    NewItem(Form, "-", File);
    Exit = NewItem(Form, "E&xit", File, [this](TObject*) { Log.push_back("exit"); });
    View = NewItem(Form, "&View", menu->Items());
    Grid = NewItem(Form, "&Grid", View, [this](TObject*) { Log.push_back("grid"); });
    Grid->SetChecked(true);
    Form->SetMenu(menu);
    return menu;
  }

  TPoint Centre(HWND Window, HMENU Menu, int Index) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(Window, Menu, static_cast<UINT>(Index), &r)) << Index;
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }

  void ClickScreen(TPoint P, THeadlessButton Button = THeadlessButton::Left) {
    User.Display().MouseMove(P.X, P.Y);
    User.Display().Click(P.X, P.Y, Button);
    User.ProcessMessages();
  }

  void ClickBar(TForm* Form, int Index) {
    ClickScreen(Centre(Form->Handle(), Form->Menu()->Handle(), Index));
  }

  void ClickItem(TMenuItem* Item) {
    ClickScreen(Centre(nullptr, Item->Parent()->Handle(), Item->MenuIndex()));
  }

  // Dark (text) pixels of the screen inside a screen rectangle.
  int InkIn(const TRect& R) {
    const TRaster screen = User.Display().ScreenSnapshot();
    int ink = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x) {
        const std::uint32_t c = screen.At(x, y);
        ink += (c >> 16 & 0xFF) < 0x40 && (c >> 8 & 0xFF) < 0x40 && (c & 0xFF) < 0x40;
      }
    return ink;
  }

  TRect ItemRect(HWND Window, HMENU Menu, int Index) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(Window, Menu, static_cast<UINT>(Index), &r)) << Index;
    return r;
  }

  std::vector<String> Log;
  TMenuItem *File = nullptr, *Open = nullptr, *Exit = nullptr, *View = nullptr, *Grid = nullptr;
};

TEST(ShortCutText, NamesKeysAsTheFrameworkDoesAndReadsThemBack) {
  EXPECT_EQ(ShortCutToText(ShortCut('S', TShiftState{ssCtrl})), "Ctrl+S");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_F10, TShiftState{ssShift, ssCtrl})), "Shift+Ctrl+F10");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE, TShiftState{ssAlt})), "Alt+Del");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_NEXT, {})), "PgDn");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_BACK, {})), "BkSp");
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(TextToShortCut("ctrl+s"), ShortCut('S', TShiftState{ssCtrl}));
  EXPECT_EQ(TextToShortCut("^Q"), ShortCut('Q', TShiftState{ssCtrl}));
  EXPECT_EQ(TextToShortCut("Shift+Alt+Enter"), ShortCut(VK_RETURN, TShiftState{ssShift, ssAlt}));
  EXPECT_EQ(TextToShortCut("F12"), ShortCut(VK_F12, {}));
  for (const char* bad : {"", "Ctrl+", "Ctrl+Banana", "F25", "Strg+S", "S+Ctrl"})
    EXPECT_EQ(TextToShortCut(bad), 0) << bad;
  for (int key = 8; key < 256; ++key) {
    const TShortCut s = ShortCut(static_cast<Word>(key), TShiftState{ssCtrl});
    const String text = ShortCutToText(s);
    if (!text.empty() && !(key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9)) {
      EXPECT_EQ(TextToShortCut(text), s) << text;
    }
  }
}

TEST_F(MenusTest, ItemTreesKeepOrderParentsAndTheEngineMenuInStep) {
  TForm* form = NewForm();
  TMainMenu* menu = BuildMenu(form);
  EXPECT_EQ(File->Count(), 3);
  EXPECT_EQ(File->Items(2), Exit);
  EXPECT_EQ(Exit->Parent(), File);
  EXPECT_EQ(Exit->MenuIndex(), 2);
  EXPECT_EQ(File->IndexOf(Open), 0);
  EXPECT_EQ(File->Find("exit"), Exit);
  EXPECT_EQ(Exit->GetParentMenu(), menu);
  EXPECT_THROW(File->Items(3), EMenuError);
  EXPECT_THROW(File->Delete(-1), EMenuError);
  EXPECT_THROW(View->Add(Open), EMenuError) << "an item has one parent";
  char text[32];
  GetMenuStringA(File->Handle(), 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Open\tCtrl+O");

  Exit->SetMenuIndex(0);
  EXPECT_EQ(File->Items(0), Exit);
  EXPECT_EQ(GetMenuItemID(File->Handle(), 0), Exit->Command());
  Exit->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(File->Handle()), 2) << "hidden items are left out";
  File->Delete(0);
  EXPECT_EQ(Exit->Parent(), nullptr);
  delete Exit;
  File->Clear();
  EXPECT_EQ(File->Count(), 0);
  EXPECT_EQ(GetMenuItemCount(File->Handle()), 0);

  auto* a = NewItem(form, "A", View);
  auto* b = NewItem(form, "B", View);
  for (TMenuItem* radio : {a, b, Grid}) {
    radio->SetRadioItem(true);
    radio->SetGroupIndex(1);
  }
  a->SetChecked(true);
  EXPECT_FALSE(Grid->Checked()) << "checking a radio item unchecks its group";
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_EQ(GetMenuState(View->Handle(), b->Command(), MF_BYCOMMAND) & MF_CHECKED,
            static_cast<UINT>(MF_CHECKED));
}

TEST_F(MenusTest, TheBarOnAFormIsUsedByMouseKeysAndShortCuts) {
  TForm* form = NewForm();
  auto* edit = Place(form, new TEdit(form), 10, 10);
  form->SetClientHeight(150);
  BuildMenu(form);
  EXPECT_EQ(form->ClientHeight(), 150) << "the client area keeps its height";
  form->Show();
  edit->SetFocus();

  ClickBar(form, 0);
  EXPECT_EQ(Log, std::vector<String>{"file"}) << "the submenu parent's OnClick as it opens";
  ClickItem(Open);
  EXPECT_EQ(Log.back(), "open");

  User.PressKey('O', TShiftState{ssCtrl});
  EXPECT_EQ(Log.back(), "open") << "a shortcut from the edit";
  EXPECT_EQ(Log.size(), 3u);
  EXPECT_EQ(edit->Text(), "") << "the edit did not get the key";

  User.PressKey('V', TShiftState{ssAlt});
  User.PressKey('G');
  EXPECT_EQ(Log.back(), "grid");
  User.PressKey(VK_F10);
  User.PressKey(VK_DOWN);
  User.PressKey(VK_DOWN);
  User.PressKey(VK_RETURN);
  EXPECT_EQ(Log.back(), "exit");
  Exit->SetEnabled(false);
  ClickBar(form, 0);
  ClickItem(Exit);
  User.Escape();
  EXPECT_EQ(Log.back(), "file") << "a disabled item does nothing";
}

TEST_F(MenusTest, TheHighlightedItemsLongHintIsTheApplicationsHintUntilTheMenuCloses) {
  TForm* form = NewForm();
  BuildMenu(form);
  File->SetHint("File|File commands");
  Open->SetHint("Open|Opens a file");
  Exit->SetHint("Ends the program");
  std::vector<String> hints;
  const TNotifyEvent previous = Application()->OnHint();
  Application()->SetOnHint([&](TObject*) { hints.push_back(Application()->Hint()); });
  form->Show();
  User.PressKey(VK_F10);
  User.PressKey(VK_DOWN);
  User.PressKey(VK_DOWN);
  User.Escape();
  User.Escape();
  Application()->SetOnHint(previous);
  EXPECT_EQ(hints, (std::vector<String>{"File commands", "Opens a file", "Ends the program", ""}));
}

TEST_F(MenusTest, APopupMenuOpensOnARightClickAndOnShiftF10) {
  TForm* form = NewForm();
  auto* panel = Place(form, new TPanel(form), 20, 20);
  auto* edit = Place(form, new TEdit(form), 20, 100);
  auto* popup = new TPopupMenu(form);
  int popups = 0;
  popup->SetOnPopup([&](TObject*) { ++popups; });
  auto* copy = NewItem(form, "&Copy", popup->Items(), [this](TObject*) { Log.push_back("copy"); });
  NewItem(form, "&Paste", popup->Items(), [this](TObject*) { Log.push_back("paste"); });
  panel->SetPopupMenu(popup);
  edit->SetPopupMenu(popup);
  form->Show();

  User.Display().WhenWaiting([&] { ClickItem(copy); });
  User.Click(panel, TPoint{10, 10}, THeadlessButton::Right);
  EXPECT_EQ(Log, std::vector<String>{"copy"});
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(popup->PopupComponent(), panel);
  EXPECT_EQ(popup->PopupPoint(), panel->ClientToScreen(TPoint{10, 10}));

  edit->SetFocus();
  User.Display().WhenWaiting([&] {
    User.PressKey(VK_DOWN);
    User.PressKey(VK_DOWN);
    User.Enter();
  });
  User.PressKey(VK_F10, TShiftState{ssShift});
  EXPECT_EQ(Log.back(), "paste");
  EXPECT_EQ(popup->PopupComponent(), edit);
  EXPECT_EQ(popup->PopupPoint(), edit->ClientToScreen(TPoint{0, 0}));
  EXPECT_EQ(Screen()->ActiveForm(), form);
}

TEST_F(MenusTest, ARightToLeftFormsBarRunsFromTheRightAndItsDropDownsAreMirrored) {
  TForm* form = NewForm();
  TMainMenu* menu = BuildMenu(form);
  TMenuItem* more = NewItem(form, "&More", File);
  NewItem(form, "&Deep", more, [this](TObject*) { Log.push_back("deep"); });
  form->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(menu->BiDiMode(), bdRightToLeft) << "the menu follows its form";
  EXPECT_TRUE(menu->ParentBiDiMode());
  form->Show();
  const TRect file = ItemRect(form->Handle(), menu->Handle(), 0);
  const TRect view = ItemRect(form->Handle(), menu->Handle(), 1);
  const int clientLeft = form->ClientToScreen(TPoint{0, 0}).X;
  const int clientRight = form->ClientToScreen(TPoint{form->ClientWidth(), 0}).X;
  EXPECT_EQ(file.Right, clientRight) << "the first item lies at the right";
  EXPECT_EQ(view.Right, file.Left);
  EXPECT_GT(InkIn(file), 10);
  EXPECT_EQ(InkIn(Rect(clientLeft, file.Top, view.Left, file.Bottom)), 0);

  ClickBar(form, 0);
  const TRect open = ItemRect(nullptr, File->Handle(), 0);
  const TRect exit = ItemRect(nullptr, File->Handle(), 2);
  EXPECT_EQ(open.Right + 3, file.Right) << "the drop-down meets its bar item's right edge";
  const int middle = (exit.Left + exit.Right) / 2;
  EXPECT_GT(InkIn(Rect(middle, exit.Top, exit.Right, exit.Bottom)), 10) << "text at the right";
  EXPECT_EQ(InkIn(Rect(exit.Left, exit.Top, middle, exit.Bottom)), 0);
  EXPECT_GT(InkIn(Rect(open.Left, open.Top, open.Left + 40, open.Bottom)), 10) << "Ctrl+O";
  ClickItem(more);
  const TRect deep = ItemRect(nullptr, more->Handle(), 0);
  EXPECT_LE(deep.Right, open.Left) << "the submenu opens to the left";
  WritePngFile(User.Display().ScreenSnapshot(), SheetPath("menu_right_to_left.png"));
  User.Escape();
  User.Escape();
  User.Escape();

  ClickBar(form, 1);
  const TRect grid = ItemRect(nullptr, View->Handle(), 0);
  EXPECT_GT(InkIn(Rect(grid.Right - 18, grid.Top, grid.Right, grid.Bottom)), 6) << "check mark";
  User.Escape();
  User.Escape();
  User.PressKey(VK_F10);
  User.PressKey(VK_LEFT); // to View, left of File
  User.PressKey(VK_DOWN);
  User.Enter();
  User.PressKey(VK_F10);
  User.PressKey(VK_DOWN);
  User.PressKey(VK_UP); // More, the last
  User.PressKey(VK_LEFT);
  User.Enter();
  EXPECT_EQ(Log, (std::vector<String>{"file", "grid", "file", "deep"}));

  form->SetBiDiMode(bdLeftToRight);
  EXPECT_LT(ItemRect(form->Handle(), menu->Handle(), 0).Left,
            ItemRect(form->Handle(), menu->Handle(), 1).Left);
}

TEST_F(MenusTest, APopupMenuTakesTheRightToLeftModeOfItsControlOrItsOwn) {
  TForm* form = NewForm();
  auto* panel = Place(form, new TPanel(form), 20, 20);
  auto* popup = new TPopupMenu(form);
  NewItem(form, "&Copy", popup->Items());
  NewItem(form, "A much longer second item", popup->Items());
  popup->SetOwnerDraw(true);
  panel->SetPopupMenu(popup);
  form->Show();
  TRect copy{};
  int textAtRight = 0, textAtLeft = 0;
  const auto inspect = [&] {
    copy = ItemRect(nullptr, popup->Handle(), 0);
    const int middle = (copy.Left + copy.Right) / 2;
    textAtRight = InkIn(Rect(middle, copy.Top, copy.Right, copy.Bottom));
    textAtLeft = InkIn(Rect(copy.Left, copy.Top, middle, copy.Bottom));
    User.Escape();
  };
  panel->SetBiDiMode(bdRightToLeft);
  User.Display().WhenWaiting(inspect);
  User.Click(panel, TPoint{100, 10}, THeadlessButton::Right);
  EXPECT_EQ(popup->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(copy.Right + 3, panel->ClientToScreen(TPoint{100, 10}).X) << "right edge at the point";
  EXPECT_GT(textAtRight, 10) << "owner-drawn text right-aligned";
  EXPECT_EQ(textAtLeft, 0);

  panel->SetBiDiMode(bdLeftToRight);
  User.Display().WhenWaiting(inspect);
  User.Click(panel, TPoint{10, 10}, THeadlessButton::Right);
  EXPECT_EQ(copy.Left - 3, panel->ClientToScreen(TPoint{10, 10}).X);
  EXPECT_EQ(textAtRight, 0);
  popup->SetBiDiMode(bdRightToLeft);
  EXPECT_FALSE(popup->ParentBiDiMode()) << "its own mode is kept";
  User.Display().WhenWaiting(inspect);
  User.Click(panel, TPoint{100, 10}, THeadlessButton::Right);
  EXPECT_EQ(copy.Right + 3, panel->ClientToScreen(TPoint{100, 10}).X);
}

TEST_F(MenusTest, MenusStreamAsNestedObjectsOfTheForm) {
  TForm* form = NewForm();
  form->SetName("Main");
  TMainMenu* menu = BuildMenu(form);
  menu->SetName("MainMenu1");
  File->SetName("File1");
  Open->SetName("Open1");
  File->Items(1)->SetName("N1");
  Exit->SetName("Exit1");
  View->SetName("View1");
  Grid->SetName("Grid1");
  const String text = WriteFormText(form);
  EXPECT_NE(text.find("  Menu = MainMenu1\n"), String::npos) << text;
  EXPECT_NE(text.find("    object File1: TMenuItem\n      Caption = '&File'\n"
                      "      object Open1: TMenuItem\n        Caption = '&Open'\n"
                      "        ShortCut = 16463\n"),
            String::npos)
      << text;

  TForm* copy = NewForm();
  Forms.pop_back();
  copy->Free();
  std::unique_ptr<TComponent> read(ReadFormText(text));
  auto* loaded = dynamic_cast<TForm*>(read.get());
  ASSERT_NE(loaded, nullptr);
  ASSERT_NE(loaded->Menu(), nullptr);
  TMenuItem* file = loaded->Menu()->Items()->Items(0);
  EXPECT_EQ(file->Name(), "File1");
  ASSERT_EQ(file->Count(), 3);
  EXPECT_EQ(file->Items(0)->ShortCut(), ShortCut('O', TShiftState{ssCtrl}));
  EXPECT_TRUE(loaded->Menu()->Items()->Items(1)->Items(0)->Checked());
  EXPECT_EQ(WriteFormText(loaded), text);
}

TEST_F(MenusTest, OwnerDrawnItemsReachTheirMeasureAndDrawEvents) {
  TForm* form = NewForm();
  TMainMenu* menu = BuildMenu(form);
  menu->SetOwnerDraw(true);
  std::vector<String> drawn;
  Open->SetOnMeasureItem([](TObject*, TCanvas*, int& Width, int& Height) {
    Width = 120;
    Height = 30;
  });
  Open->SetOnAdvancedDrawItem([&](TObject*, TCanvas* Canvas, TRect R, TOwnerDrawState State) {
    drawn.push_back(State.Contains(odSelected) ? "open selected" : "open");
    Canvas->Brush()->SetColor(clRed);
    Canvas->FillRect(R);
  });
  Grid->SetOnDrawItem([&](TObject*, TCanvas*, TRect, bool Selected) {
    drawn.push_back(Selected ? "grid selected" : "grid");
  });
  form->Show();
  ClickBar(form, 0);
  RECT open{}, separator{};
  ASSERT_TRUE(GetMenuItemRect(nullptr, File->Handle(), 0, &open));
  ASSERT_TRUE(GetMenuItemRect(nullptr, File->Handle(), 1, &separator));
  EXPECT_EQ(open.Height(), 30);
  EXPECT_EQ(separator.Height(), 8) << "a separator measures 5 and 3 below the top level";
  User.Display().MouseMove((open.Left + open.Right) / 2, (open.Top + open.Bottom) / 2);
  User.ProcessMessages();
  EXPECT_EQ(drawn, (std::vector<String>{"open", "open selected"}));
  const TRaster screen = User.Display().ScreenSnapshot();
  EXPECT_EQ(screen.At(open.Left + 5, open.Top + 5) & 0xFFFFFF, 0xFF0000u);
  User.SaveSnapshot(form, SheetPath("menu_owner_drawn.png"));
  ClickBar(form, 1);
  EXPECT_EQ(drawn.back(), "grid");
}

TEST_F(MenusTest, AnItemFreedWhileItsMenuIsOpenDoesNotCrash) {
  TForm* form = NewForm();
  BuildMenu(form);
  auto* more = NewItem(form, "&More", File);
  NewItem(form, "Deep", more);
  form->Show();
  ClickBar(form, 0);
  ClickScreen(Centre(nullptr, File->Handle(), 3));
  ASSERT_TRUE(IsMenu(more->Handle()));
  delete more;
  delete Open;
  User.Display().MouseMove(0, 0);
  ClickItem(Exit);
  EXPECT_EQ(Log.back(), "exit");
  ClickBar(form, 0);
  delete File;
  const std::size_t logged = Log.size();
  User.Display().MouseMove(10, 700);
  User.ProcessMessages();
  ClickBar(form, 0);
  EXPECT_NE(GetSubMenu(form->Menu()->Handle(), 0), nullptr) << "View took File's place";
  EXPECT_EQ(Log.size(), logged) << "View's drop-down opened, nothing chosen";
  User.Escape();
}

TEST(ImageList, KeepsSameSizedImagesAndDrawsThemThroughTheirMasks) {
  TImageList list(nullptr);
  list.SetWidth(4);
  list.SetHeight(4);
  TBitmap strip;
  strip.SetSize(8, 4);
  strip.Canvas()->Brush()->SetColor(clRed);
  strip.Canvas()->FillRect(Rect(0, 0, 8, 4));
  strip.Canvas()->SetPixels(0, 0, clLime);
  strip.Canvas()->SetPixels(5, 1, clLime);
  EXPECT_EQ(list.AddMasked(&strip, clLime), 0);
  EXPECT_EQ(list.Count(), 2) << "a strip twice as wide is two images";
  TBitmap mask;
  mask.SetSize(4, 4);
  mask.Canvas()->Brush()->SetColor(clWhite);
  mask.Canvas()->FillRect(Rect(0, 0, 4, 4));
  mask.Canvas()->SetPixels(1, 1, clBlack);
  EXPECT_EQ(list.Add(&strip, &mask), 2);
  TBitmap small;
  small.SetSize(3, 4);
  EXPECT_THROW(list.Add(&small, nullptr), EInvalidOperation);

  TBitmap target;
  target.SetSize(10, 10);
  target.Canvas()->Brush()->SetColor(clBlue);
  target.Canvas()->FillRect(Rect(0, 0, 10, 10));
  list.Draw(target.Canvas(), 2, 2, 0);
  EXPECT_EQ(target.Canvas()->Pixels(2, 2), clBlue) << "the masked colour stays transparent";
  EXPECT_EQ(target.Canvas()->Pixels(3, 2), clRed);
  list.Draw(target.Canvas(), 6, 6, 2);
  EXPECT_EQ(target.Canvas()->Pixels(7, 7), clRed);
  EXPECT_EQ(target.Canvas()->Pixels(6, 6), clBlue);
  list.Draw(target.Canvas(), 0, 0, 7);
  list.SetWidth(5);
  EXPECT_EQ(list.Count(), 0) << "a new size empties the list";
}

} // namespace
