#include "valueentry/Lumzln2.h"

#include "framework/classes/Registry.h"

namespace {

const bool ZeilenDialogRegistered = (RegisterClass<TZeilenDialog>(), true);

} // namespace

TZeilenDialog::TZeilenDialog(TComponent* AOwner) : TForm(AOwner) {
  SetName("ZeilenDialog");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(332);
  SetClientHeight(105);
  Panel1 = new TPanel(this);
  Panel1->SetName("Panel1");
  Panel1->SetCaption("");
  Panel1->SetAlign(alClient);
  Panel1->SetBevelInner(bvLowered);
  Panel1->SetBorderWidth(2);
  Panel1->SetParent(this);
  Label1 = new TLabel(this);
  Label1->SetName("Label1");
  Label1->SetBounds(16, 19, 32, 13);
  Label1->SetParent(Panel1);
  MaskEdit1 = new TMaskEdit(this);
  MaskEdit1->SetName("MaskEdit1");
  MaskEdit1->SetBounds(16, 32, 297, 21);
  MaskEdit1->SetOnChange([this](TObject* Sender) { MaskEdit1Change(Sender); });
  MaskEdit1->SetParent(Panel1);
  Label1->SetFocusControl(MaskEdit1);
  BitBtn1 = new TBitBtn(this);
  BitBtn1->SetName("BitBtn1");
  BitBtn1->SetKind(bkOK);
  BitBtn1->SetBounds(128, 64, 84, 26);
  BitBtn1->SetParent(Panel1);
  BitBtn2 = new TBitBtn(this);
  BitBtn2->SetName("BitBtn2");
  BitBtn2->SetKind(bkCancel);
  BitBtn2->SetBounds(224, 64, 90, 26);
  BitBtn2->SetParent(Panel1);
  SetOnShow([this](TObject*) { MaskEdit1->SetFocus(); });
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
