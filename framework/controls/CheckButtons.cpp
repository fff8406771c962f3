#include "framework/controls/CheckButtons.h"

namespace {

void CheckLeftRight(TAlignment Value) {
  if (Value != taLeftJustify && Value != taRightJustify)
    throw ERangeError("A button's Alignment is taLeftJustify or taRightJustify");
}

DWORD TextSide(TLeftRight Alignment) { return Alignment == taLeftJustify ? BS_LEFTTEXT : 0; }

} // namespace

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FWidth = 97;
  FHeight = 17;
  FTabStop = true;
}

void TCustomCheckBox::SetAlignment(TLeftRight Value) {
  CheckLeftRight(Value);
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
  if (FClicksDisabled) return;
  Changed();
  Click();
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
  case cbUnchecked:
    return SetState(FAllowGrayed ? cbGrayed : cbChecked);
  case cbChecked:
    return SetState(cbUnchecked);
  case cbGrayed:
    return SetState(cbChecked);
  }
}

void TCustomCheckBox::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= BS_3STATE | TextSide(FAlignment);
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(Handle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::CNCommand(TMessage& Message) {
  if (Message.WParamHi() == BN_CLICKED) Toggle();
}

void TCustomCheckBox::CMDialogChar(TMessage& Message) {
  if (!IsAccel(static_cast<Word>(Message.WParam), GetText()) || !CanFocus())
    return TButtonControl::CMDialogChar(Message);
  SetFocus();
  if (Focused()) Toggle();
  Message.Result = 1;
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  FWidth = 113;
  FHeight = 17;
}

void TRadioButton::SetAlignment(TLeftRight Value) {
  CheckLeftRight(Value);
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  SetTabStop(Value);
  if (HandleAllocated())
    SendMessageA(Handle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Value) return;
  UncheckSiblings();
  Changed();
  Click();
}

void TRadioButton::UncheckSiblings() {
  if (!FParent) return;
  for (int i = 0; i < FParent->ControlCount(); ++i)
    if (auto* sibling = dynamic_cast<TRadioButton*>(FParent->Controls(i));
        sibling && sibling != this)
      sibling->SetChecked(false);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TButtonControl::CreateParams(Params);
  CreateSubClass(Params, "BUTTON");
  Params.Style |= BS_RADIOBUTTON | TextSide(FAlignment);
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::CNCommand(TMessage& Message) {
  switch (Message.WParamHi()) {
  case BN_CLICKED:
    return SetChecked(true);
  case BN_DOUBLECLICKED:
    return DblClick();
  default:
    return;
  }
}

void TRadioButton::CMDialogChar(TMessage& Message) {
  if (!IsAccel(static_cast<Word>(Message.WParam), GetText()) || !CanFocus())
    return TButtonControl::CMDialogChar(Message);
  SetFocus();
  Message.Result = 1;
}

// Focus that does not come from a mouse press checks the button.
void TRadioButton::WMSetFocus(TMessage& Message) {
  TButtonControl::WMSetFocus(Message);
  if (!FChecked && Focused() && GetKeyState(VK_LBUTTON) >= 0) SetChecked(true);
}
