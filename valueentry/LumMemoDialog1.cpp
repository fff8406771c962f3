#include "valueentry/LumMemoDialog1.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Application.h"
#include "valueentry/LumMemodialog2.h"

namespace {

const bool MemoDialogComponentRegistered = (RegisterClass<TLumMemoDialog>(), true);

} // namespace

bool TLumMemoDialog::Execute() {
  auto* window = CreateForm<TMemoDialog>(Application());
  bool ok = false;
  try {
    window->BitBtn1->SetCaption(FOktext);
    window->BitBtn2->SetCaption(FAbbrechentext);
    window->Label1->SetCaption(FLabeltext);
    window->SetCaption(FUeberschrift);
    window->Memo1->SetText(FMemotext);
    window->Memo1->SetMaxLength(FMaxLength);
    window->Memo1->SetScrollBars(FScrollBars);
    window->Memo1->SetWantTabs(FWantTabs);
    window->Memo1->SetWantReturns(FWantReturns);
    window->Memo1->SetWordWrap(FWordWrap);
    ok = window->ShowModal() == mrOk;
    FMemotext = window->Memo1->Text();
  } catch (...) {
    window->Free();
    throw;
  }
  window->Free();
  return ok;
}
