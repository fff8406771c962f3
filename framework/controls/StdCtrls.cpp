#include "framework/controls/StdCtrls.h"

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TButtonControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) return CNCommand(Message);
  TWinControl::Dispatch(Message);
}

void TButtonControl::CNCommand(TMessage& Message) {
  if (Message.WParamHi() == BN_CLICKED) Click();
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FWidth = 75;
  FHeight = 25;
  FTabStop = true;
  FColor = clBtnFace;
  FParentColor = false;
  FBrush->SetColor(FColor);
}

void TButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd() {
  TButtonControl::CreateWnd();
  FActive = FDefault;
}

void TButton::SetDefault(bool Value) {
  if (FDefault == Value) return;
  FDefault = Value;
  if (!HandleAllocated()) return;
  TCustomForm* form = GetParentForm(this);
  if (form) form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this); form && FModalResult != mrNone)
    form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

void TButton::CMDialogKey(TMessage& Message) {
  const bool enter = Message.WParam == VK_RETURN && FActive;
  const bool escape = Message.WParam == VK_ESCAPE && FCancel;
  if ((enter || escape) && KeyDataToShiftState(Message.LParam).Empty() && CanFocus()) {
    Click();
    Message.Result = 1;
    return;
  }
  TButtonControl::CMDialogKey(Message);
}

void TButton::CMFocusChanged(TMessage& Message) {
  auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
  const bool active = dynamic_cast<TButton*>(focused) ? focused == this : FDefault;
  SetButtonStyle(active);
  FActive = active;
}

void TButton::SetButtonStyle(bool ADefault) {
  if (!HandleAllocated() || ADefault == FActive) return;
  SendMessageA(Handle(), BM_SETSTYLE, ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, 1);
}
