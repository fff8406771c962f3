#include "translation/Newkwd.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/DialogParts.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Labels.h"
#include "framework/controls/Panels.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/rtl/Strings.h"

#include <array>

namespace {

const bool NewKeywordRegistered = (RegisterClass<TfmNewKeyword>(), true);

// Longest text a field of the database holds.
constexpr int TextFieldLength = 255;

int TrailingBlanks(const String& S) {
  int n = 0;
  while (n < static_cast<int>(S.size()) && S[S.size() - 1 - static_cast<std::size_t>(n)] == ' ')
    ++n;
  return n;
}

// A down arrow: the source text goes into the translation below.
void DrawCopyGlyph(TBitmap* Glyph) {
  Glyph->SetWidth(16);
  Glyph->SetHeight(16);
  TCanvas* c = Glyph->Canvas();
  c->Brush()->SetColor(clOlive);
  c->FillRect(Rect(0, 0, 16, 16));
  c->Brush()->SetColor(clNavy);
  c->Pen()->SetColor(clNavy);
  c->FillRect(Rect(6, 2, 10, 8));
  const std::array<TPoint, 3> head{Point(2, 8), Point(13, 8), Point(8, 14)};
  c->Polygon(head);
}

TLabel* AddLabel(TCustomForm* Form, const String& Name, const String& Caption, int Left, int Top,
                 TWinControl* Focus) {
  TLabel* label = AddDialogLabel(Form, Form, Caption, Left, Top, Focus);
  label->SetName(Name);
  return label;
}

TMemo* AddMemo(TCustomForm* Form, const String& Name, TRect Bounds) {
  auto* memo = PlaceNamed<TMemo>(Form, Form, Name, Bounds);
  memo->SetScrollBars(ssVertical);
  memo->SetText("");
  return memo;
}

TBitBtn* AddButton(TCustomForm* Form, const String& Name, TBitBtnKind Kind, const String& Caption,
                   int Left) {
  auto* button = PlaceNamed<TBitBtn>(Form, Form, Name, Rect(Left, 180, Left + 125, 225));
  button->SetKind(Kind);
  button->SetCaption(Caption);
  return button;
}

} // namespace

void SetLinguaDialogFont(TCustomForm* Form) {
  Form->Font()->SetName("MS Sans Serif");
  Form->Font()->SetHeight(-11);
  Form->Font()->SetStyle(TFontStyles{fsBold});
  Form->Font()->SetColor(clBlack);
}

String Space_trimmen(const String& Keyword, const String& Translation) {
  String t;
  for (const char c : Translation)
    if (c != '\r' && c != '\n') t += c;
  const std::size_t k = Keyword.size();
  std::size_t i = 0; // 0-based: the text's character i + 1
  for (; i + 1 < k && Keyword[i] == ' '; ++i)
    if (i >= t.size() || t[i] != ' ') t.insert(t.begin(), ' ');
  while (i + 1 < t.size() && t[i] == ' ') t.erase(i, 1);
  const int nK = TrailingBlanks(Keyword), nT = TrailingBlanks(t);
  if (nT < nK) t.append(static_cast<std::size_t>(nK - nT), ' ');
  if (nK < nT) t.resize(t.size() - static_cast<std::size_t>(nT - nK));
  return t;
}

TfmNewKeyword::TfmNewKeyword(TComponent* AOwner) : TForm(AOwner) {
  SetName("fmNewKeyword");
  SetUpDialogForm(this, "##translate text", 461, 235);
  SetLinguaDialogFont(this);
  Bevel1 = PlaceNamed<TBevel>(this, this, "Bevel1", Rect(8, 8, 457, 169));
  BuildTexts();
  BuildButtons();
  SetOnShow([this](TObject*) {
    EdTranslation->SetFocus();
    EdTranslation->SelectAll();
  });
}

void TfmNewKeyword::BuildTexts() {
  EdLanguage = PlaceNamed<TEdit>(this, this, "EdLanguage", Rect(112, 16, 425, 37));
  EdLanguage->SetColor(clBtnFace);
  EdLanguage->Font()->SetColor(clNavy);
  EdLanguage->Font()->SetStyle(TFontStyles{fsBold});
  Label3 = AddLabel(this, "Label3", "##&language:", 16, 16, EdLanguage);
  EdKeyword = AddMemo(this, "EdKeyword", Rect(112, 40, 425, 97));
  EdKeyword->SetReadOnly(true);
  EdKeyword->SetColor(clBtnFace);
  Label1 = AddLabel(this, "Label1", "##&original text:", 16, 40, EdKeyword);
  EdTranslation = AddMemo(this, "EdTranslation", Rect(112, 104, 425, 161));
  EdTranslation->SetMaxLength(TextFieldLength);
  Label2 = AddLabel(this, "Label2", "##&translation:", 16, 104, EdTranslation);
}

void TfmNewKeyword::BuildButtons() {
  SpeedButton1 = PlaceNamed<TSpeedButton>(this, this, "SpeedButton1", Rect(424, 72, 449, 97));
  TBitmap glyph;
  DrawCopyGlyph(&glyph);
  SpeedButton1->SetGlyphBitmap(&glyph);
  SpeedButton1->SetOnClick([this](TObject*) {
    EdTranslation->SetText(EdKeyword->Text());
    EdTranslation->SetFocus();
  });
  SpeedButton2 = PlaceNamed<TSpeedButton>(this, this, "SpeedButton2", Rect(424, 136, 449, 161));
  SpeedButton2->SetVisible(false);
  SpeedButton2->SetOnClick([this](TObject*) { SpaceTrimmen(); });
  OKBtn = AddButton(this, "OKBtn", bkOK, "##&Accept", 7);
  OKBtn->SetOnClick([this](TObject*) { OKBtnClick(); });
  SkipBtn = AddButton(this, "SkipBtn", bkCustom, "##&Next text", 168);
  SkipBtn->SetModalResult(mrIgnore);
  CancelBtn = AddButton(this, "CancelBtn", bkCancel, "##&Cancel", 328);
}

void TfmNewKeyword::SpaceTrimmen() {
  EdTranslation->SetText(Space_trimmen(EdKeyword->Text(), EdTranslation->Text()));
}

// Line breaks go first, so a translation of nothing but line breaks (or blanks) counts as
// empty and never reaches the database.
void TfmNewKeyword::OKBtnClick() {
  const String adjusted = Space_trimmen(EdKeyword->Text(), EdTranslation->Text());
  if (Trim(adjusted).empty()) {
    SetModalResult(mrNone);
    ShowMessage("Translation MUST be filled !!!");
    EdTranslation->SetFocus();
    return;
  }
  EdTranslation->SetText(adjusted);
}
