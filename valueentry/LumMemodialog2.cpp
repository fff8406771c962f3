#include "valueentry/LumMemodialog2.h"

#include "framework/classes/Registry.h"

namespace {

const bool MemoDialogRegistered = (RegisterClass<TMemoDialog>(), true);

} // namespace

TMemoDialog::TMemoDialog(TComponent* AOwner) : TForm(AOwner) {
  SetName("MemoDialog");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(332);
  SetClientHeight(139);
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
  Memo1 = new TMemo(this);
  Memo1->SetName("Memo1");
  Memo1->SetBounds(16, 32, 297, 65);
  Memo1->SetParent(Panel1);
  Label1->SetFocusControl(Memo1);
  BitBtn1 = new TBitBtn(this);
  BitBtn1->SetName("BitBtn1");
  BitBtn1->SetKind(bkOK);
  BitBtn1->SetBounds(128, 104, 84, 26);
  BitBtn1->SetParent(Panel1);
  BitBtn2 = new TBitBtn(this);
  BitBtn2->SetName("BitBtn2");
  BitBtn2->SetKind(bkCancel);
  BitBtn2->SetBounds(224, 104, 90, 26);
  BitBtn2->SetParent(Panel1);
  SetOnShow([this](TObject*) { Memo1->SetFocus(); });
}
