#include "demo/StyledPage.h"

#include "framework/controls/Buttons.h"
#include "framework/controls/Forms.h"
#include "framework/controls/Labels.h"
#include "framework/controls/RadioGroup.h"
#include "games/LumSchiebefix.h"
#include "styled/LumCheckBox.h"
#include "styled/LumMainMenu.h"

namespace {

template <class C> C* Add(TWinControl* Parent, int Left, int Top, int Width, int Height) {
  auto* control = new C(Parent);
  control->SetParent(Parent);
  control->SetBounds(Left, Top, Width, Height);
  return control;
}

struct TBoxSample {
  const char* Caption;
  TLumCheckBoxPosition Position;
  TLumCheckBoxSize Size;
  TLumCheckBoxStyle Style;
  TLumHookStyle Hook;
  TLumFocusStyle Focus;
};

constexpr TBoxSample Samples[] = {
    {"Sunken tick", lcbpLeftTop, lcbsNormal, lcbsSunken, lhsHook, lfsNormal},
    {"Raised cross", lcbpLeftCenter, lcbsLarge, lcbsRaised, lhsCross, lfsLine},
    {"Bump fill", lcbpLeftBottom, lcbsSmall, lcbsBump, lhsFill, lfsFill},
    {"Etched, right", lcbpRightCenter, lcbsLargest, lcbsEtched, lhsHook, lfsNormal},
    {"Right, top", lcbpRightTop, lcbsNormal, lcbsSunken, lhsCross, lfsLine},
    {"Right, bottom", lcbpRightBottom, lcbsLarge, lcbsRaised, lhsFill, lfsNormal},
};

void AddCheckBoxes(TWinControl* Parent) {
  int top = 8;
  for (const TBoxSample& s : Samples) {
    auto* box = Add<TLumCheckBox>(Parent, 8, top, 150, 22);
    box->SetCaption(s.Caption);
    box->SetCheckBoxPosition(s.Position);
    box->SetCheckBoxSize(s.Size);
    box->SetCheckBoxStyle(s.Style);
    box->SetHookStyle(s.Hook);
    box->SetFocusStyle(s.Focus);
    box->SetFocusColor(clNavy);
    box->SetHookColor(s.Hook == lhsFill ? clNavy : clBtnText);
    box->SetChecked(top % 3 != 2);
    top += 26;
  }
  auto* above = Add<TLumCheckBox>(Parent, 8, top, 72, 40);
  above->SetCaption("Centre, top");
  above->SetAlignment(taCenter);
  above->SetCheckBoxPosition(lcbpCenterTop);
  above->SetChecked(true);
  auto* below = Add<TLumCheckBox>(Parent, 86, top, 72, 40);
  below->SetCaption("Disabled");
  below->SetAlignment(taCenter);
  below->SetCheckBoxPosition(lcbpCenterBottom);
  below->SetChecked(true);
  below->SetEnabled(false);
}

// A tile of two blues with a light dot: the menu's picture background.
void PaintMenuTile(TBitmap* Tile) {
  Tile->SetSize(12, 12);
  TCanvas* c = Tile->Canvas();
  c->Brush()->SetColor(static_cast<TColor>(0xF0E0C8));
  c->FillRect(Rect(0, 0, 12, 12));
  c->Brush()->SetColor(static_cast<TColor>(0xE8D0B0));
  c->FillRect(Rect(0, 0, 6, 6));
  c->FillRect(Rect(6, 6, 12, 12));
}

TLumMainMenu* GalleryMenu(TWinControl* Parent) {
  TCustomForm* form = Parent->ParentForm();
  return form ? dynamic_cast<TLumMainMenu*>(form->Menu()) : nullptr;
}

void AddMenuChoices(TWinControl* Parent) {
  auto* look = Add<TRadioGroup>(Parent, 170, 8, 180, 86);
  look->SetCaption("Main menu");
  for (const char* name : {"Standard", "Solid colour", "Picture"}) look->Items()->Add(name);
  look->SetItemIndex(0);
  auto* mark = Add<TRadioGroup>(Parent, 170, 100, 180, 106);
  mark->SetCaption("Selection mark");
  for (const char* name : {"Box", "Line", "Ellipse", "Arc"}) mark->Items()->Add(name);
  mark->SetItemIndex(0);
  auto apply = [Parent, look, mark](TObject*) {
    TLumMainMenu* menu = GalleryMenu(Parent);
    if (!menu || look->ItemIndex() < 0 || mark->ItemIndex() < 0) return;
    TBitmap tile;
    PaintMenuTile(&tile);
    TPicture picture;
    picture.SetBitmap(&tile);
    menu->SetBackground(&picture);
    menu->SetColor(static_cast<TColor>(0xD8F0F8));
    menu->SetSelectColor(static_cast<TColor>(0x60D0FF));
    menu->SetSelectStyle(static_cast<TLumMenuSelectStyle>(mark->ItemIndex()));
    menu->SetMenuStyle(static_cast<TLumMenuStyle>(look->ItemIndex()));
  };
  look->SetOnClick(apply);
  mark->SetOnClick(apply);
}

void AddPuzzle(TWinControl* Parent) {
  auto* puzzle = Add<TLumSchiebefixspiel>(Parent, 362, 8, 160, 160);
  auto* moves = Add<TLabel>(Parent, 362, 176, 76, 16);
  moves->SetCaption("Moves: 0");
  puzzle->SetOnChange([puzzle, moves](TObject*) {
    moves->SetCaption("Moves: " + std::to_string(puzzle->ZugZahl()));
  });
  auto* status = Add<TLabel>(Parent, 440, 176, 80, 16);
  puzzle->SetOnWin([status](TObject*) { status->SetCaption("Solved!"); });
  auto* letters = Add<TLumCheckBox>(Parent, 362, 196, 160, 20);
  letters->SetCaption("Letters on the tiles");
  letters->SetOnClick(
      [puzzle, letters](TObject*) { puzzle->SetSFStyle(letters->Checked() ? SfText : SfZahlen); });
  auto* start = Add<TButton>(Parent, 362, 222, 90, 25);
  start->SetCaption("&New game");
  start->SetOnClick([puzzle, moves, status](TObject*) {
    puzzle->Neues_Spiel();
    moves->SetCaption("Moves: 0");
    status->SetCaption("");
  });
}

} // namespace

void FillStyled(TWinControl* Parent) {
  AddCheckBoxes(Parent);
  AddMenuChoices(Parent);
  AddPuzzle(Parent);
}
