#include "translation/Newlang.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/DialogParts.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Labels.h"
#include "framework/controls/Panels.h"
#include "framework/rtl/Strings.h"
#include "translation/Newkwd.h"

namespace {

const bool NewLanguageRegistered = (RegisterClass<TfmNewLanguage>(), true);

// Longest language name the database holds.
constexpr int LanguageNameLength = 20;

TBitBtn* AddButton(TCustomForm* Form, const String& Name, TBitBtnKind Kind, const String& Caption,
                   int Left) {
  auto* button = PlaceNamed<TBitBtn>(Form, Form, Name, Rect(Left, 68, Left + 89, 95));
  button->SetKind(Kind);
  button->SetCaption(Caption);
  return button;
}

} // namespace

TfmNewLanguage::TfmNewLanguage(TComponent* AOwner) : TForm(AOwner) {
  SetName("fmNewLanguage");
  SetUpDialogForm(this, "##New language", 317, 103);
  SetLinguaDialogFont(this);
  Bevel1 = PlaceNamed<TBevel>(this, this, "Bevel1", Rect(8, 8, 308, 57));
  EdLanguage = PlaceNamed<TEdit>(this, this, "EdLanguage", Rect(120, 24, 297, 45));
  EdLanguage->SetMaxLength(LanguageNameLength);
  Label1 = AddDialogLabel(this, this, "##&language:", 16, 24, EdLanguage);
  Label1->SetName("Label1");
  OKBtn = AddButton(this, "OKBtn", bkCustom, "##&OK", 8);
  OKBtn->SetDefault(true);
  OKBtn->SetModalResult(mrOk);
  OKBtn->SetOnClick([this](TObject*) { OKBtnClick(); });
  CancelBtn = AddButton(this, "CancelBtn", bkCancel, "##&Cancel", 114);
  HelpBtn = AddButton(this, "HelpBtn", bkHelp, "##&Help", 219);
  SetActiveControl(EdLanguage);
}

void TfmNewLanguage::OKBtnClick() {
  if (!Trim(EdLanguage->Text()).empty()) return;
  SetModalResult(mrNone);
  ShowMessage("Language MUST be filled !!!");
  EdLanguage->SetFocus();
}
