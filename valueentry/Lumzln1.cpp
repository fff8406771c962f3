#include "valueentry/Lumzln1.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Application.h"
#include "valueentry/Lumzln2.h"

namespace {

const bool LineDialogRegistered = (RegisterClass<TLumZeilenDialog>(), true);

} // namespace

bool TLumZeilenDialog::Execute() {
  auto* window = CreateForm<TZeilenDialog>(Application());
  bool ok = false;
  try {
    window->BitBtn1->SetCaption(FOktext);
    window->BitBtn2->SetCaption(FAbbrechentext);
    window->Label1->SetCaption(FLabeltext);
    window->MaskEdit1->SetText(FZeilentext);
    window->MaskEdit1->SetMaxLength(FZeilenlaenge);
    window->MaskEdit1->SetEditMask(FEditmask);
    window->MaskEdit1->SetPasswordChar(FPasswordChar);
    window->MaskEdit1->SetCharCase(FCharCase);
    window->SetCaption(FUeberschrift);
    window->SetKommazuPunkt(FKommazuPunkt);
    ok = window->ShowModal() == mrOk;
    FZeilentext = window->MaskEdit1->Text();
  } catch (...) {
    window->Free();
    throw;
  }
  window->Free();
  return ok;
}
