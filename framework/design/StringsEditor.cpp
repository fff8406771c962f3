#include "framework/design/StringsEditor.h"

#include "framework/controls/Application.h"
#include "framework/controls/DialogParts.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Labels.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Strings.h"

TStringsEditorForm::TStringsEditorForm(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "String list editor", 420, 300);
  FLineCount = AddDialogLabel(this, this, "0 lines", 8, 8);
  FLineCount->SetName("LineCount");
  FMemo = PlaceNamed<TMemo>(this, this, "Memo", Bounds(8, 28, 404, 224));
  FMemo->SetScrollBars(ssBoth);
  FMemo->SetWordWrap(false);
  FMemo->SetOnChange([this](TObject*) { UpdateLineCount(); });
  AddDialogButton(this, "OKButton", "OK", mrOk, 256, 264)->SetDefault(true);
  AddDialogButton(this, "CancelButton", "Cancel", mrCancel, 337, 264)->SetCancel(true);
  SetActiveControl(FMemo);
}

void TStringsEditorForm::UpdateLineCount() {
  const int n = FMemo->Lines()->Count();
  FLineCount->SetCaption(IntToStr(n) + (n == 1 ? " line" : " lines"));
}

bool EditStrings(TStrings* Lines, const String& Caption) {
  const std::unique_ptr<TStringsEditorForm, void (*)(TStringsEditorForm*)> form(
      new TStringsEditorForm(Application()), [](TStringsEditorForm* f) { f->Free(); });
  form->AfterConstruction();
  if (!Caption.empty()) form->SetText(Caption);
  form->Memo()->Lines()->Assign(Lines);
  form->UpdateLineCount();
  if (form->ShowModal() != mrOk) return false;
  Lines->Assign(form->Memo()->Lines());
  return true;
}
