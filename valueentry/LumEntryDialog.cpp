#include "valueentry/LumEntryDialog.h"

namespace {

TBitBtn* MakeButton(TForm* Form, TPanel* Panel, const String& Name, TBitBtnKind Kind, int Left,
                    int Top, int Width) {
  auto* button = new TBitBtn(Form);
  button->SetName(Name);
  button->SetKind(Kind);
  button->SetBounds(Left, Top, Width, 26);
  button->SetParent(Panel);
  return button;
}

} // namespace

TLumEntryDialog::TLumEntryDialog(TComponent* AOwner, const String& Name, int ClientHeight)
    : TForm(AOwner) {
  SetName(Name);
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientWidth(332);
  SetClientHeight(ClientHeight);
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
}

void TLumEntryDialog::PlaceFieldAndButtons(TWinControl* Field, const String& Name, int FieldHeight,
                                           int ButtonsTop) {
  Field->SetName(Name);
  Field->SetBounds(16, 32, 297, FieldHeight);
  Field->SetParent(Panel1);
  Label1->SetFocusControl(Field);
  BitBtn1 = MakeButton(this, Panel1, "BitBtn1", bkOK, 128, ButtonsTop, 84);
  BitBtn2 = MakeButton(this, Panel1, "BitBtn2", bkCancel, 224, ButtonsTop, 90);
  SetOnShow([Field](TObject*) { Field->SetFocus(); });
}
