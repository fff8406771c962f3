#include "framework/controls/StdCtrls.h"

#include "framework/controls/Labels.h"

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

TButton::~TButton() { ReturnDefaultRole(); }

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

// Alt with the caption's marked letter clicks the button.
void TButton::CMDialogChar(TMessage& Message) {
  if (!IsAccel(static_cast<Word>(Message.WParam), GetText()) || !CanFocus())
    return TButtonControl::CMDialogChar(Message);
  Click();
  Message.Result = 1;
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

void TButton::CMEnabledChanged(TMessage& Message) {
  TButtonControl::CMEnabledChanged(Message);
  if (!Enabled()) ReturnDefaultRole();
}

void TButton::CMVisibleChanged(TMessage& Message) {
  TButtonControl::CMVisibleChanged(Message);
  if (!Visible()) ReturnDefaultRole();
}

// The focused button holds the form's default role; once it can no longer hold the focus
// (disabled, hidden, freed) the form's Default button takes the role back.
void TButton::ReturnDefaultRole() {
  if (!FActive || FDefault) return;
  for (const TControl* c = Parent(); c; c = c->Parent())
    if (c->ComponentState().Contains(csDestroying)) return;
  TCustomForm* form = GetParentForm(this);
  if (!form) return;
  TWinControl* focused = form->ActiveControl();
  if (focused == this) focused = nullptr;
  form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(focused));
}
