#include "valueentry/Lumzln2.h"

#include "framework/classes/Registry.h"

namespace {

const bool ZeilenDialogRegistered = (RegisterClass<TZeilenDialog>(), true);

} // namespace

TZeilenDialog::TZeilenDialog(TComponent* AOwner) : TLumEntryDialog(AOwner, "ZeilenDialog", 105) {
  MaskEdit1 = new TMaskEdit(this);
  MaskEdit1->SetOnChange([this](TObject* Sender) { MaskEdit1Change(Sender); });
  PlaceFieldAndButtons(MaskEdit1, "MaskEdit1", 21, 64);
}

void TZeilenDialog::MaskEdit1Change(TObject*) {
  if (!FKommazuPunkt) return;
  String text = MaskEdit1->Text();
  const std::size_t comma = text.find(',');
  if (comma == String::npos) return;
  text[comma] = '.';
  const int caret = MaskEdit1->SelStart();
  MaskEdit1->SetText(text);
  MaskEdit1->SetSelStart(caret);
}
