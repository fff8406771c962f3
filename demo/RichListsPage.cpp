#include "demo/RichListsPage.h"

#include "framework/controls/Labels.h"
#include "lists/LumComboBox.h"
#include "lists/LumList.h"

#include <memory>

namespace {

struct TFruit {
  const char* Name;
  const char* Kind;
  TColor Color;
};

constexpr TFruit Fruits[] = {
    {"Apple", "pome", clRed},     {"Banana", "berry", clYellow}, {"Cherry", "drupe", clMaroon},
    {"Grape", "berry", clPurple}, {"Lime", "citrus", clLime},    {"Orange", "citrus", 0x00A5FF},
    {"Plum", "drupe", clNavy},    {"Pear", "pome", clOlive},
};

constexpr int Column = 178, ListWidth = 170;

// A round fruit of the colour on white, with a dark rim.
std::unique_ptr<TBitmap> FruitBitmap(TColor Color, int Size) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(Size, Size);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect(TRect(0, 0, Size, Size));
  canvas->Brush()->SetColor(Color);
  canvas->Pen()->SetColor(clBlack);
  canvas->Ellipse(1, 1, Size - 1, Size - 1);
  return bitmap;
}

// A pale checked tile for the background pictures.
std::unique_ptr<TBitmap> Tile() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(24, 24);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(0xF0F8FF);
  canvas->FillRect(TRect(0, 0, 24, 24));
  canvas->Brush()->SetColor(0xE0E8D8);
  canvas->FillRect(TRect(0, 0, 12, 12));
  canvas->FillRect(TRect(12, 12, 24, 24));
  return bitmap;
}

void AddLabel(TWinControl* Parent, const String& Caption, int Left, int Top) {
  auto* label = new TLabel(Parent);
  label->SetBounds(Left, Top, ListWidth, 16);
  label->SetCaption(Caption);
  label->SetParent(Parent);
}

// The fruits with their bitmaps; every other one in a colour and a font of its own.
template <class Items> void AddFruits(Items* ItemList, TFont* Base, int BitmapSize) {
  TFont italic, bold;
  italic.Assign(Base);
  italic.SetStyle(TFontStyles{fsItalic});
  italic.SetColor(clNavy);
  bold.Assign(Base);
  bold.SetStyle(TFontStyles{fsBold});
  bold.SetColor(clMaroon);
  int i = 0;
  for (const TFruit& fruit : Fruits) {
    const Integer at = ItemList->Add(String(fruit.Name) + "\t" + fruit.Kind);
    ItemList->SetBitmap(at, FruitBitmap(fruit.Color, BitmapSize).get());
    ItemList->SetHint(at, String("A fruit: ") + fruit.Name);
    if (i % 3 == 1) ItemList->SetColor(at, 0xE0FFFF);
    if (i % 3 == 1) ItemList->SetFont(at, &italic);
    if (i % 3 == 2) ItemList->SetFont(at, &bold);
    ++i;
  }
}

TLumList* AddList(TWinControl* Parent, int Left, LumList::TSelectedStyle Style,
                  LumList::TBitmapStyle Bitmaps, const String& Caption) {
  AddLabel(Parent, Caption, Left, 8);
  auto* list = new TLumList(Parent);
  list->SetBounds(Left, 26, ListWidth, 150);
  list->SetShowHint(true);
  list->SetSelectedStyle(Style);
  list->SetBitmapStyle(Bitmaps);
  list->SetItemHeightStyle(LumList::ihFontBitmap);
  list->SetParent(Parent);
  AddFruits(list->Items(), list->Font(), 16);
  return list;
}

TLumComboBox* AddCombo(TWinControl* Parent, int Left, TComboBoxStyle Style, int Height,
                       const String& Caption) {
  AddLabel(Parent, Caption, Left, 184);
  auto* combo = new TLumComboBox(Parent);
  combo->SetStyle(Style);
  combo->SetBounds(Left, 202, ListWidth, Height);
  combo->SetShowHint(true);
  combo->SetItemHeightStyle(LumComboBox::ihcFontBitmap);
  combo->SetParent(Parent);
  AddFruits(combo->Items(), combo->Font(), 14);
  return combo;
}

} // namespace

void FillRichLists(TWinControl* Parent) {
  TLumList* columns =
      AddList(Parent, 8, LumList::psStandard, LumList::bsLeft, "Highlight, tab columns:");
  columns->SetTabStops("14");
  columns->SetItemIndex(2);
  TLumList* checks = AddList(Parent, 8 + Column, LumList::psCheckbox, LumList::bsRight,
                             "Check boxes, bitmaps right:");
  checks->SetItemIndex(1);
  TLumList* bold = AddList(Parent, 8 + 2 * Column, LumList::psBoldText, LumList::bsCenter,
                           "Bold, on a picture:");
  bold->Background()->SetBitmap(Tile().get());
  bold->SetBackGroundStyle(LumList::bgsPattern);
  bold->SetItemIndex(3);

  TLumComboBox* simple = AddCombo(Parent, 8, csSimple, 96, "csSimple on a picture:");
  simple->Background()->SetBitmap(Tile().get());
  simple->SetBackGroundStyle(LumComboBox::bgscPattern);
  simple->SetItemIndex(1);
  TLumComboBox* list = AddCombo(Parent, 8 + Column, csDropDownList, 25, "csDropDownList, bold:");
  list->SetBoldStyle(true);
  list->SetItemIndex(4);
  TLumComboBox* drop = AddCombo(Parent, 8 + 2 * Column, csDropDown, 25, "csDropDown, tab columns:");
  drop->SetTabStops("12");
  drop->SetBitmapStyle(LumComboBox::bscRight);
  drop->SetItemIndex(0);
}
