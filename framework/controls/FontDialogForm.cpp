#include "framework/controls/FontDialogForm.h"

#include "framework/controls/CheckButtons.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/DialogParts.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edits.h"
#include "framework/controls/ListBoxes.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Panels.h"
#include "framework/controls/Screen.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Strings.h"

#include <iterator>

namespace {

constexpr int ListHeight = 108, SampleTop = 162;
constexpr int StandardSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

struct TNamedColor {
  const char* Name;
  TColor Color;
};
constexpr TNamedColor EffectColors[] = {
    {"Black", clBlack},   {"Maroon", clMaroon},   {"Green", clGreen}, {"Olive", clOlive},
    {"Navy", clNavy},     {"Purple", clPurple},   {"Teal", clTeal},   {"Gray", clGray},
    {"Silver", clSilver}, {"Red", clRed},         {"Lime", clLime},   {"Yellow", clYellow},
    {"Blue", clBlue},     {"Fuchsia", clFuchsia}, {"Aqua", clAqua},   {"White", clWhite},
};

const char* const StyleNames[] = {"Regular", "Italic", "Bold", "Bold Italic"};

int StyleIndex(TFontStyles Style) {
  return (Style.Contains(fsBold) ? 2 : 0) + (Style.Contains(fsItalic) ? 1 : 0);
}

// The first item that begins with Text, letter case ignored; -1 when none.
int PrefixMatch(TStrings* Items, const String& Text) {
  if (Text.empty()) return -1;
  for (int i = 0; i < Items->Count(); ++i)
    if (SameText(Items->Strings(i).substr(0, Text.size()), Text)) return i;
  return -1;
}

int ExactMatch(TStrings* Items, const String& Text) {
  for (int i = 0; i < Items->Count(); ++i)
    if (SameText(Items->Strings(i), Text)) return i;
  return -1;
}

} // namespace

String FontStyleName(TFontStyles Style) { return StyleNames[StyleIndex(Style)]; }

bool FontStyleOfName(const String& Name, TFontStyles& Style) {
  for (int i = 0; i < 4; ++i)
    if (SameText(Name, StyleNames[i])) {
      Style = TFontStyles{};
      if (i & 1) Style.Include(fsItalic);
      if (i & 2) Style.Include(fsBold);
      return true;
    }
  return false;
}

TFontDialogForm::TFontDialogForm(TComponent* AOwner, TFont* Start, TFontDialogSettings Settings)
    : TForm(AOwner), FSettings(std::move(Settings)), FChosen(std::make_unique<TFont>()),
      FSample(std::make_unique<TFont>()) {
  SetUpDialogForm(this, "Font", 428, 274);
  BuildLists();
  BuildEffects();
  auto* ok = AddDialogButton(this, "OkButton", "OK", mrNone, 344, 24);
  ok->SetDefault(true);
  ok->SetOnClick([this](TObject*) {
    if (ReadChoice()) SetModalResult(mrOk);
  });
  AddDialogButton(this, "CancelButton", "Cancel", mrCancel, 344, 56)->SetCancel(true);
  auto* apply = AddDialogButton(this, "ApplyButton", "&Apply", mrNone, 344, 88);
  apply->SetVisible(FSettings.Options.Contains(fdApplyButton));
  apply->SetOnClick([this](TObject*) {
    if (ReadChoice() && FSettings.OnApply) FSettings.OnApply(FChosen.get(), Handle());
  });
  ShowFont(Start);
  SetActiveControl(FFaceEdit);
}

TFontDialogForm::~TFontDialogForm() = default;

void TFontDialogForm::BuildLists() {
  FFaceEdit = PlaceNamed<TEdit>(this, this, "FaceEdit", Bounds(8, 24, 150, 21));
  FFaceList = PlaceNamed<TListBox>(this, this, "FaceList", Bounds(8, 46, 150, ListHeight));
  FFaceList->Items()->Assign(Screen()->Fonts());
  AddDialogLabel(this, this, "&Font:", 8, 8, FFaceEdit);
  FStyleEdit = PlaceNamed<TEdit>(this, this, "StyleEdit", Bounds(166, 24, 110, 21));
  FStyleList = PlaceNamed<TListBox>(this, this, "StyleList", Bounds(166, 46, 110, ListHeight));
  for (const char* name : StyleNames) FStyleList->Items()->Add(name);
  AddDialogLabel(this, this, "Font st&yle:", 166, 8, FStyleEdit);
  FSizeEdit = PlaceNamed<TEdit>(this, this, "SizeEdit", Bounds(284, 24, 50, 21));
  FSizeList = PlaceNamed<TListBox>(this, this, "SizeList", Bounds(284, 46, 50, ListHeight));
  for (const int size : StandardSizes) {
    const bool limited = FSettings.Options.Contains(fdLimitSize);
    if (!limited || (size >= FSettings.MinFontSize && size <= FSettings.MaxFontSize))
      FSizeList->Items()->Add(IntToStr(size));
  }
  AddDialogLabel(this, this, "&Size:", 284, 8, FSizeEdit);
  const std::pair<TEdit*, TListBox*> pairs[] = {
      {FFaceEdit, FFaceList}, {FStyleEdit, FStyleList}, {FSizeEdit, FSizeList}};
  for (const auto& [edit, list] : pairs) {
    edit->SetOnChange([this, edit, list](TObject*) { FieldChanged(edit, list); });
    list->SetOnClick([this, edit, list](TObject*) { ListClicked(list, edit); });
  }
}

void TFontDialogForm::BuildEffects() {
  auto* effects = PlaceNamed<TGroupBox>(this, this, "EffectsGroup", Bounds(8, SampleTop, 150, 104));
  effects->SetCaption("Effects");
  effects->SetVisible(FSettings.Options.Contains(fdEffects));
  FStrikeOutCheck = PlaceNamed<TCheckBox>(this, effects, "StrikeOutCheck", Bounds(10, 18, 120, 17));
  FStrikeOutCheck->SetCaption("Stri&keout");
  FUnderlineCheck = PlaceNamed<TCheckBox>(this, effects, "UnderlineCheck", Bounds(10, 38, 120, 17));
  FUnderlineCheck->SetCaption("&Underline");
  FColorCombo = PlaceNamed<TComboBox>(this, effects, "ColorCombo", Bounds(10, 74, 128, 21));
  FColorCombo->SetStyle(csDropDownList);
  for (const TNamedColor& color : EffectColors) FColorCombo->Items()->Add(color.Name);
  AddDialogLabel(this, effects, "&Color:", 10, 58, FColorCombo);
  for (TWinControl* control :
       {static_cast<TWinControl*>(FStrikeOutCheck), static_cast<TWinControl*>(FUnderlineCheck)})
    control->SetOnClick([this](TObject*) { SampleChanged(); });
  FColorCombo->SetOnChange([this](TObject*) { SampleChanged(); });
  auto* sample = PlaceNamed<TGroupBox>(this, this, "SampleGroup", Bounds(166, SampleTop, 168, 104));
  sample->SetCaption("Sample");
  FSamplePaint = PlaceNamed<TPaintBox>(this, sample, "SamplePaint", Bounds(8, 18, 152, 78));
  FSamplePaint->SetOnPaint([this](TObject* s) { PaintSample(s); });
}

void TFontDialogForm::ShowFont(TFont* Font) {
  FFaceEdit->SetText(Font->Name());
  FStyleEdit->SetText(FontStyleName(Font->Style()));
  FSizeEdit->SetText(IntToStr(Font->Size()));
  FStrikeOutCheck->SetChecked(Font->Style().Contains(fsStrikeOut));
  FUnderlineCheck->SetChecked(Font->Style().Contains(fsUnderline));
  const TColor color = Font->Color();
  int index = -1;
  for (int i = 0; i < static_cast<int>(std::size(EffectColors)); ++i)
    if (EffectColors[i].Color == color) index = i;
  if (index < 0) index = FColorCombo->Items()->Add("Custom");
  FColorCombo->SetItemIndex(index);
  FChosen->Assign(Font);
  SampleChanged();
}

void TFontDialogForm::FieldChanged(TEdit* Edit, TListBox* List) {
  List->SetItemIndex(PrefixMatch(List->Items(), Edit->Text()));
  SampleChanged();
}

void TFontDialogForm::ListClicked(TListBox* List, TEdit* Edit) {
  if (List->ItemIndex() >= 0) Edit->SetText(List->Items()->Strings(List->ItemIndex()));
}

void TFontDialogForm::SampleChanged() {
  if (!FSamplePaint) return; // still building
  FSample->Assign(FChosen.get());
  if (!Trim(FFaceEdit->Text()).empty()) FSample->SetName(Trim(FFaceEdit->Text()));
  TFontStyles style = FSample->Style();
  FontStyleOfName(Trim(FStyleEdit->Text()), style);
  style = style - TFontStyles{fsStrikeOut, fsUnderline};
  if (FStrikeOutCheck->Checked()) style.Include(fsStrikeOut);
  if (FUnderlineCheck->Checked()) style.Include(fsUnderline);
  FSample->SetStyle(style);
  Integer size = 0;
  if (TryStrToInt(Trim(FSizeEdit->Text()), size) && size > 0 && size <= 1000)
    FSample->SetSize(size);
  const int color = FColorCombo->ItemIndex();
  if (color >= 0 && color < static_cast<int>(std::size(EffectColors)))
    FSample->SetColor(EffectColors[color].Color);
  FSamplePaint->Invalidate();
}

void TFontDialogForm::PaintSample(TObject*) {
  TCanvas* canvas = FSamplePaint->Canvas();
  canvas->Font()->Assign(FSample.get());
  canvas->Brush()->SetStyle(bsClear);
  const String text = "AaBbYyZz";
  const TSize size = canvas->TextExtent(text);
  canvas->TextOut((FSamplePaint->Width() - size.cx) / 2, (FSamplePaint->Height() - size.cy) / 2,
                  text);
}

bool TFontDialogForm::ReadChoice() {
  const String face = Trim(FFaceEdit->Text());
  if (face.empty() ||
      (FSettings.Options.Contains(fdForceFontExist) && ExactMatch(FFaceList->Items(), face) < 0)) {
    Refuse("There is no font with that name.\nChoose a font from the list of fonts.", FFaceEdit);
    return false;
  }
  TFontStyles style;
  if (!FontStyleOfName(Trim(FStyleEdit->Text()), style)) {
    Refuse("There is no style of this font by that name.\nChoose a style from the list of styles.",
           FStyleEdit);
    return false;
  }
  Integer size = 0;
  if (!TryStrToInt(Trim(FSizeEdit->Text()), size) || size <= 0) {
    Refuse("Size must be a number.", FSizeEdit);
    return false;
  }
  if (FSettings.Options.Contains(fdLimitSize) &&
      (size < FSettings.MinFontSize || size > FSettings.MaxFontSize)) {
    Refuse("Size must be between " + IntToStr(FSettings.MinFontSize) + " and " +
               IntToStr(FSettings.MaxFontSize) + " points.",
           FSizeEdit);
    return false;
  }
  SampleChanged();
  FChosen->Assign(FSample.get());
  return true;
}

void TFontDialogForm::Refuse(const String& Text, TEdit* Field) {
  MessageDlg(Text, mtWarning, TMsgDlgButtons{mbOK}, 0);
  FocusControl(Field);
  Field->SelectAll();
}
