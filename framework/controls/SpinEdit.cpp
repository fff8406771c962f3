#include "framework/controls/SpinEdit.h"

#include "framework/rtl/Strings.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int SpinButtonWidth = 15;

} // namespace

// --- TSpinButton -----------------------------------------------------------------------

TSpinButton::TSpinButton(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csOpaque};
  FWidth = SpinButtonWidth;
  FHeight = 20;
  FColor = clBtnFace;
  FParentColor = false;
}

TRect TSpinButton::UpRect() { return Rect(0, 0, FWidth, FHeight / 2); }
TRect TSpinButton::DownRect() { return Rect(0, FHeight / 2, FWidth, FHeight); }

void TSpinButton::Paint() {
  const HDC dc = Canvas()->Handle();
  const UINT inactive = Enabled() ? 0 : DFCS_INACTIVE;
  TRect up = UpRect(), down = DownRect();
  DrawFrameControl(dc, &up, DFC_SCROLL,
                   DFCS_SCROLLUP | inactive | (FPressed == TPressed::Up ? DFCS_PUSHED : 0));
  DrawFrameControl(dc, &down, DFC_SCROLL,
                   DFCS_SCROLLDOWN | inactive | (FPressed == TPressed::Down ? DFCS_PUSHED : 0));
}

void TSpinButton::SetPressed(TPressed Value) {
  if (FPressed == Value) return;
  FPressed = Value;
  Invalidate();
}

void TSpinButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FocusOnPress();
  const bool up = Y < FHeight / 2;
  SetPressed(up ? TPressed::Up : TPressed::Down);
  const TNotifyEvent& handler = up ? FOnUpClick : FOnDownClick;
  if (handler) handler(this);
}

void TSpinButton::SetFocusControl(TWinControl* Value) {
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TSpinButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TSpinButton::FocusOnPress() {
  if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() &&
      !FFocusControl->Focused())
    FFocusControl->SetFocus();
  else if (TabStop() && CanFocus() && !Focused())
    SetFocus();
}

void TSpinButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  SetPressed(TPressed::None);
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

// --- TCustomSpinEdit -------------------------------------------------------------------------

TCustomSpinEdit::TCustomSpinEdit(TComponent* AOwner)
    : TCustomEdit(AOwner), FButton(new TSpinButton(this)) {
  FButton->SetOnUpClick([this](TObject* Sender) { UpClick(Sender); });
  FButton->SetOnDownClick([this](TObject* Sender) { DownClick(Sender); });
  FButton->SetFocusControl(this);
  FButton->SetParent(this);
  SetText("0");
  PlaceButton();
}

void TCustomSpinEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
}

void TCustomSpinEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, SpinButtonWidth + 1));
  PlaceButton();
}

void TCustomSpinEdit::BoundsChanged(const TRect& OldBounds) {
  TCustomEdit::BoundsChanged(OldBounds);
  PlaceButton();
}

void TCustomSpinEdit::PlaceButton() {
  if (!FButton || !HandleAllocated()) return;
  const TRect client = ClientRect();
  FButton->SetBounds(client.Right - SpinButtonWidth, 0, SpinButtonWidth, client.Height());
}

Integer TCustomSpinEdit::Checked(Integer Value) const {
  if (FMaxValue == FMinValue) return Value;
  return std::clamp(Value, FMinValue, std::max(FMinValue, FMaxValue));
}

Integer TCustomSpinEdit::Value() const { return StrToIntDef(GetText(), FMinValue); }

void TCustomSpinEdit::SetValue(Integer Value) { SetText(IntToStr(Checked(Value))); }

void TCustomSpinEdit::SetMinValue(Integer Value) {
  FMinValue = Value;
  SetValue(this->Value());
}

void TCustomSpinEdit::SetMaxValue(Integer Value) {
  FMaxValue = Value;
  SetValue(this->Value());
}

void TCustomSpinEdit::Step(Int64 By) {
  if (ReadOnly()) {
    MessageBeep(0);
    return;
  }
  const Int64 sum = static_cast<Int64>(Value()) + By;
  SetValue(static_cast<Integer>(std::clamp<Int64>(sum, std::numeric_limits<Integer>::min(),
                                                  std::numeric_limits<Integer>::max())));
}

void TCustomSpinEdit::UpClick(TObject*) { Step(FIncrement); }
void TCustomSpinEdit::DownClick(TObject*) { Step(-static_cast<Int64>(FIncrement)); }

void TCustomSpinEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_UP || Key == VK_DOWN) {
    if (Key == VK_UP) {
      UpClick(this);
    } else {
      DownClick(this);
    }
    Key = 0;
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

void TCustomSpinEdit::KeyPress(char& Key) {
  TCustomEdit::KeyPress(Key);
  const auto code = static_cast<unsigned char>(Key);
  const bool digit = Key >= '0' && Key <= '9';
  const bool signFree = GetText().rfind('-', 0) != 0 || SelLength() > 0;
  const bool sign = Key == '-' && FMinValue < 0 && SelStart() == 0 && signFree;
  if (code < 0x20 || digit || sign) return;
  MessageBeep(0);
  Key = '\0';
}

void TCustomSpinEdit::CMExit(TMessage& Message) {
  TCustomEdit::CMExit(Message);
  if (Checked(Value()) != Value() || GetText() != IntToStr(Value())) SetValue(Value());
}
