#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"

#include "framework/classes/FormFile.h"
#include "framework/win32/gdi/PngCodec.h"
#include "framework/win32/user/HiddenWindow.h"
#include "framework/win32/user/Metrics.h"
#include "styled/LumMainMenu.h"

using namespace controltest;

namespace {

int SystemMenuHeight() {
  NONCLIENTMETRICSA metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  return metrics.iMenuHeight;
}

std::unique_ptr<TBitmap> Swatch(int Width, int Height, TColor Fill, TColor Corner) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(Width, Height);
  bitmap->Canvas()->Brush()->SetColor(Fill);
  bitmap->Canvas()->FillRect(Rect(0, 0, Width, Height));
  bitmap->Canvas()->SetPixels(0, 0, Corner);
  return bitmap;
}

TEST(BackgroundTiles, TenPixelTilesUnderA25By18ItemAreCutAtTheRightAndBottom) {
  const std::vector<TRect> tiles = BackgroundTiles(Rect(5, 3, 30, 21), 10, 10);
  ASSERT_EQ(tiles.size(), 6u) << "3 columns, 2 rows";
  EXPECT_EQ(tiles[0], Rect(5, 3, 15, 13));
  EXPECT_EQ(tiles[2], Rect(25, 3, 30, 13)) << "the last column 5 wide";
  EXPECT_EQ(tiles[5], Rect(25, 13, 30, 21)) << "the last row 8 high";
  EXPECT_EQ(BackgroundTiles(Rect(0, 0, 20, 10), 10, 10).size(), 2u) << "no column past the edge";
  EXPECT_TRUE(BackgroundTiles(Rect(0, 0, 20, 10), 0, 10).empty());
}

class LumMainMenuTest : public ControlTest {
protected:
  void TearDown() override {
    ControlTest::TearDown();
    ResetNonClientMetrics();
  }

  // File (Open Ctrl+O, -, Exit disabled) and Help (About) on a shown form.
  TLumMainMenu* BuildMenu(TLumMenuStyle Style) {
    Form = NewForm(400, 260);
    Menu = new TLumMainMenu(Form);
    File = Add(Menu->Items(), "&File");
    Open = Add(File, "&Open");
    Open->SetShortCut(ShortCut('O', TShiftState{ssCtrl}));
    Separator = Add(File, "-");
    Exit = Add(File, "E&xit");
    Exit->SetEnabled(false);
    Close = Add(File, "&Close");
    Help = Add(Menu->Items(), "&Help");
    Add(Help, "&About");
    Menu->SetMenuStyle(Style);
    Form->SetMenu(Menu);
    Form->Show();
    return Menu;
  }

  TMenuItem* Add(TMenuItem* Parent, const String& Caption) {
    auto* item = new TMenuItem(Form);
    item->SetCaption(Caption);
    Parent->Add(item);
    return item;
  }

  TRect ItemRect(HWND Window, HMENU Handle, int Index) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(Window, Handle, static_cast<UINT>(Index), &r));
    return r;
  }

  void Point(const TRect& R) {
    User.Display().MouseMove((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    User.ProcessMessages();
  }

  void OpenFile() {
    const TRect bar = ItemRect(Form->Handle(), Menu->Handle(), 0);
    Point(bar);
    User.Display().Click((bar.Left + bar.Right) / 2, (bar.Top + bar.Bottom) / 2);
    User.ProcessMessages();
  }

  // What a person sees with the drop-down open: the screen, popups included.
  void SaveScreen(const String& Name) {
    WritePngFile(User.Display().ScreenSnapshot(), SheetPath(Name));
  }

  COLORREF ScreenAt(int X, int Y) { return User.Display().ScreenSnapshot().At(X, Y) & 0xFFFFFF; }

  int TextWidth(const String& Text) {
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    bitmap.Canvas()->Font()->Assign(Menu->Font());
    return bitmap.Canvas()->TextWidth(Text);
  }

  void Measure(TMenuItem* Item, int& Width, int& Height) {
    TBitmap bitmap;
    bitmap.SetSize(10, 10);
    Menu->ItemMeasureItem(Item, bitmap.Canvas(), Width, Height);
  }

  TForm* Form = nullptr;
  TLumMainMenu* Menu = nullptr;
  TMenuItem *File = nullptr, *Open = nullptr, *Separator = nullptr, *Exit = nullptr,
            *Close = nullptr, *Help = nullptr;
};

TEST_F(LumMainMenuTest, DefaultsLeaveDrawingToTheSystem) {
  BuildMenu(lmsStandard);
  EXPECT_FALSE(Menu->OwnerDraw());
  EXPECT_EQ(Menu->GetMenuHeight(), 18);
  TRect size;
  Menu->GetMenuSize(size);
  EXPECT_EQ(size, Rect(0, 0, 18, 18));
  Menu->SetMenuStyle(lmsSolid);
  EXPECT_TRUE(Menu->OwnerDraw());
  Menu->SetMenuStyle(lmsStandard);
  EXPECT_FALSE(Menu->OwnerDraw());
}

TEST_F(LumMainMenuTest, ItemsMeasureAsTheirKindAndLevelSay) {
  BuildMenu(lmsSolid);
  int w = 0, h = 0;
  Measure(File, w, h);
  EXPECT_EQ(w, -7 + TextWidth("File") + 7) << "top level, no glyph";
  EXPECT_EQ(h, 18);
  Measure(Open, w, h);
  EXPECT_EQ(w, TextWidth("OpenCtrl+O") + 15)
      << "the shortcut directly after the caption, and the margins it is drawn with";
  EXPECT_EQ(h, 21);
  Measure(Separator, w, h);
  EXPECT_EQ(h, 8) << "a separator: 5, and 3 below the top level";
  EXPECT_EQ(w, 5);

  TBitmap glyph;
  glyph.SetSize(24, 30);
  Exit->SetBitmap(&glyph);
  Measure(Exit, w, h);
  EXPECT_EQ(w, 24 + 15 + TextWidth("Exit") + 7);
  EXPECT_EQ(h, 33) << "the bitmap's height and 3";

  TImageList images(nullptr);
  images.SetWidth(16);
  images.SetHeight(16);
  Menu->SetImages(&images);
  Measure(Open, w, h);
  EXPECT_EQ(w, 16 + 15 + TextWidth("OpenCtrl+O") + 7 + 15)
      << "an image list gives every item a glyph";
  EXPECT_EQ(h, 21);
  Measure(Help, w, h);
  EXPECT_EQ(w, -7 + TextWidth("Help") + 7) << "but not a top-level item without an index";
  Menu->SetImages(nullptr);
}

TEST_F(LumMainMenuTest, TheOpenedDropDownIsMeasuredAndDrawnInTheSolidColourWithTheSelection) {
  BuildMenu(lmsSolid);
  Menu->SetColor(clYellow);
  Menu->SetSelectColor(clRed);
  OpenFile();
  const TRect open = ItemRect(nullptr, File->Handle(), 0);
  const TRect separator = ItemRect(nullptr, File->Handle(), 1);
  const TRect exit = ItemRect(nullptr, File->Handle(), 2);
  EXPECT_EQ(open.Height(), 21);
  EXPECT_EQ(separator.Height(), 8);
  EXPECT_EQ(ScreenAt(exit.Right - 3, exit.Top + 2), 0xFFFF00u) << "yellow behind the items";
  EXPECT_EQ(ScreenAt(separator.Left + 10, separator.Top + 4), ColorToRGB(clBtnShadow))
      << "the etched line 4 pixels down";

  Point(open);
  EXPECT_EQ(ScreenAt(open.Left, open.Top), 0xFF0000u) << "the box around the selected item";
  EXPECT_EQ(ScreenAt(open.Right - 1, open.Bottom - 1), 0xFF0000u);
  EXPECT_EQ(ScreenAt(open.Right - 3, open.Top + 3), 0xFFFF00u) << "the frame is not filled";
  const TRect bar = ItemRect(Form->Handle(), Menu->Handle(), 1);
  EXPECT_EQ(ScreenAt(bar.Right + 20, bar.Top + 3), 0xFFFF00u) << "the bar right of its last item";
  SaveScreen("lummenu_solid.png");
  User.Escape();
  User.Escape();
}

TEST_F(LumMainMenuTest, PictureBackgroundsAreTiledAndTheSelectionMarksTakeTheirShapes) {
  BuildMenu(lmsBitmap);
  const auto tile = Swatch(10, 10, clLime, clBlue);
  TPicture picture;
  picture.SetBitmap(tile.get());
  Menu->SetBackground(&picture);
  Menu->SetSelectColor(clRed);
  Menu->SetSelectStyle(lmssEllipse);
  OpenFile();
  const TRect exit = ItemRect(nullptr, File->Handle(), 2);
  EXPECT_EQ(ScreenAt(exit.Left, exit.Top), 0x0000FFu) << "a tile from the item's corner";
  EXPECT_EQ(ScreenAt(exit.Left + 10, exit.Top), 0x0000FFu);
  const int lastColumn = exit.Left + 10 * ((exit.Width() - 1) / 10);
  EXPECT_EQ(ScreenAt(lastColumn, exit.Top + 10), 0x0000FFu);
  EXPECT_EQ(ScreenAt(exit.Left + 1, exit.Top + 1), 0x00FF00u);
  const TRect close = ItemRect(nullptr, File->Handle(), 3);

  const TRect open = ItemRect(nullptr, File->Handle(), 0);
  Point(open);
  const int middle = (open.Top + open.Bottom) / 2, centre = (open.Left + open.Right) / 2;
  EXPECT_EQ(ScreenAt(centre, open.Top + 2), 0xFF0000u) << "a filled ellipse";
  EXPECT_EQ(ScreenAt(open.Left, open.Top), 0x0000FFu) << "its corners show the picture";
  SaveScreen("lummenu_bitmap_ellipse.png");

  Menu->SetSelectStyle(lmssArc);
  const auto selected = Swatch(8, 8, clAqua, clAqua);
  TPicture selectImage;
  selectImage.SetBitmap(selected.get());
  Menu->SetSelectImage(&selectImage);
  Point(close);
  Point(open);
  EXPECT_EQ(ScreenAt(centre, open.Top + 2), 0x00FFFFu)
      << "inside the outline, the selection picture";
  EXPECT_EQ(ScreenAt(open.Left, middle), 0xFF0000u) << "the outline at the left";
  SaveScreen("lummenu_bitmap_arc.png");

  Menu->SetSelectStyle(lmssLine);
  Point(close);
  Point(open);
  EXPECT_EQ(ScreenAt(open.Left + 2, open.Bottom - 1), 0xFF0000u) << "the line under the item";
  EXPECT_EQ(ScreenAt(open.Left + 2, open.Bottom - 2), 0x00FFFFu);
  User.Escape();
  User.Escape();
}

TEST_F(LumMainMenuTest, SwitchingAShownBarToOwnerDrawingRedrawsIt) {
  BuildMenu(lmsStandard);
  const TRect help = ItemRect(Form->Handle(), Menu->Handle(), 1);
  EXPECT_EQ(ScreenAt(help.Right + 20, help.Top + 3), ColorToRGB(clMenu));
  Menu->SetColor(clYellow);
  Menu->SetMenuStyle(lmsSolid);
  User.ProcessMessages();
  EXPECT_EQ(ScreenAt(help.Right + 20, help.Top + 3), 0xFFFF00u);
  Menu->SetMenuStyle(lmsStandard);
  User.ProcessMessages();
  EXPECT_EQ(ScreenAt(help.Right + 20, help.Top + 3), ColorToRGB(clMenu));
}

TEST_F(LumMainMenuTest, AnEmptyBackgroundLeavesTheBrushFill) {
  BuildMenu(lmsBitmap);
  OpenFile();
  const TRect exit = ItemRect(nullptr, File->Handle(), 2);
  EXPECT_EQ(ScreenAt(exit.Right - 3, exit.Top + 2), ColorToRGB(clMenu));
  User.Escape();
  User.Escape();
}

TEST_F(LumMainMenuTest, TheMenuHeightChangesEveryBarUntilTheMenuGoesAway) {
  BuildMenu(lmsSolid);
  const int clientTop = Form->ClientToScreen(TPoint{0, 0}).Y;
  Menu->SetMenuHeight(0);
  EXPECT_EQ(Menu->MenuHeight(), 18) << "values below 1 are ignored";
  EXPECT_EQ(SystemMenuHeight(), 18);
  Menu->SetMenuHeight(24);
  EXPECT_EQ(SystemMenuHeight(), 24);
  EXPECT_EQ(ItemRect(Form->Handle(), Menu->Handle(), 0).Height(), 24);
  EXPECT_EQ(Form->ClientToScreen(TPoint{0, 0}).Y, clientTop + 6) << "the bar was laid out again";
  User.SaveSnapshot(Form, SheetPath("lummenu_height24.png"));
  delete Menu;
  EXPECT_EQ(SystemMenuHeight(), 18);
  EXPECT_EQ(Form->ClientToScreen(TPoint{0, 0}).Y, clientTop - 19) << "no bar any more";
}

TEST_F(LumMainMenuTest, MenusFreedInCreationOrderLeaveTheOriginalHeight) {
  TForm* form = NewForm();
  auto* first = new TLumMainMenu(form);
  auto* second = new TLumMainMenu(form);
  first->SetMenuHeight(24);
  second->SetMenuHeight(30);
  delete first;
  EXPECT_EQ(SystemMenuHeight(), 30) << "the living menu's height stays";
  delete second;
  EXPECT_EQ(SystemMenuHeight(), 18);

  first = new TLumMainMenu(form);
  second = new TLumMainMenu(form);
  second->SetMenuHeight(30);
  first->SetMenuHeight(24);
  delete first;
  EXPECT_EQ(SystemMenuHeight(), 30) << "back to the height of the menu still there";
  delete second;
  EXPECT_EQ(SystemMenuHeight(), 18);
  auto* untouched = new TLumMainMenu(form);
  NONCLIENTMETRICSA metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  metrics.iMenuHeight = 21;
  SystemParametersInfoA(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  delete untouched;
  EXPECT_EQ(SystemMenuHeight(), 21) << "a menu that set nothing puts nothing back";
}

TEST_F(LumMainMenuTest, ReadingAndFreeingAFormDoesNotRunTheMessageLoop) {
  int delivered = 0;
  const HWND window = AllocateHWnd([&](HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
    if (Msg == WM_USER + 7) ++delivered;
    return DefWindowProcA(Window, Msg, WParam, LParam);
  });
  TForm* form = NewForm();
  form->SetName("Styled");
  auto* menu = new TLumMainMenu(form);
  menu->SetName("Menu1");
  menu->SetMenuStyle(lmsBitmap);
  menu->SetSelectStyle(lmssArc);
  menu->SetMenuHeight(22);
  auto* item = new TMenuItem(form);
  item->SetName("Item1");
  item->SetCaption("&Item");
  menu->Items()->Add(item);
  const String text = WriteFormText(form);
  EXPECT_NE(text.find("MenuStyle = lmsBitmap"), String::npos) << text;
  EXPECT_NE(text.find("MenuHeight = 22"), String::npos) << text;
  EXPECT_NE(text.find("SelectStyle = lmssArc"), String::npos) << text;

  PostMessageA(window, WM_USER + 7, 0, 0);
  std::unique_ptr<TComponent> read(ReadFormText(text));
  EXPECT_EQ(delivered, 0) << "the menu read with the form left the queue alone";
  auto* loaded = dynamic_cast<TLumMainMenu*>(read->FindComponent("Menu1"));
  ASSERT_NE(loaded, nullptr);
  EXPECT_TRUE(loaded->OwnerDraw());
  EXPECT_TRUE(static_cast<bool>(loaded->Items()->Items(0)->OnDrawItem()))
      << "Loaded hooked the items";
  read.reset();
  EXPECT_EQ(delivered, 0) << "nor did it when the form was freed";
  auto* plain = new TLumMainMenu(form);
  EXPECT_EQ(delivered, 1) << "a menu made in code works off the pending messages";
  delete plain;
  DeallocateHWnd(window);
}

} // namespace
