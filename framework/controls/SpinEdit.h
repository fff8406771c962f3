#pragma once

#include "framework/controls/Edits.h"
#include "framework/controls/GraphicControl.h"

// Two arrow buttons above each other; a press on one clicks it.
class TSpinButton : public TCustomControl {
  LUM_CLASS(TSpinButton, TCustomControl)
public:
  explicit TSpinButton(TComponent* AOwner);

  const TNotifyEvent& OnUpClick() const { return FOnUpClick; }
  void SetOnUpClick(TNotifyEvent Value) { FOnUpClick = std::move(Value); }
  const TNotifyEvent& OnDownClick() const { return FOnDownClick; }
  void SetOnDownClick(TNotifyEvent Value) { FOnDownClick = std::move(Value); }
  // The control a press on an arrow focuses first.
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  enum class TPressed { None, Up, Down };
  TRect UpRect();
  TRect DownRect();
  void SetPressed(TPressed Value);
  void FocusOnPress();

  TWinControl* FFocusControl = nullptr;
  TPressed FPressed = TPressed::None;
  TNotifyEvent FOnUpClick;
  TNotifyEvent FOnDownClick;
};

// An edit for a whole number between MinValue and MaxValue (no bounds when they are
// equal), stepped by Increment with its arrow buttons and the Up and Down keys. Only
// digits and a leading minus sign can be typed.
class TCustomSpinEdit : public TCustomEdit {
  LUM_CLASS(TCustomSpinEdit, TCustomEdit)
public:
  explicit TCustomSpinEdit(TComponent* AOwner);

  Integer MinValue() const { return FMinValue; }
  void SetMinValue(Integer Value);
  Integer MaxValue() const { return FMaxValue; }
  void SetMaxValue(Integer Value);
  Integer Increment() const { return FIncrement; }
  void SetIncrement(Integer Value) { FIncrement = Value; }
  // The number shown; a text that is no number reads as MinValue.
  Integer Value() const;
  void SetValue(Integer Value);
  TSpinButton* Button() const { return FButton; }

  void UpClick(TObject* Sender);
  void DownClick(TObject* Sender);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void BoundsChanged(const TRect& OldBounds) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void CMExit(TMessage& Message) override;

private:
  Integer Checked(Integer Value) const;
  void Step(Int64 By);
  void PlaceButton();

  TSpinButton* FButton;
  Integer FMinValue = 0;
  Integer FMaxValue = 0;
  Integer FIncrement = 1;
};

class TSpinEdit : public TCustomSpinEdit {
  LUM_CLASS(TSpinEdit, TCustomSpinEdit)
public:
  explicit TSpinEdit(TComponent* AOwner) : TCustomSpinEdit(AOwner) {}

  LUM_PUBLISH_ANCHORS_CONSTRAINTS
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(Integer, Increment, TCustomSpinEdit::Increment(), TCustomSpinEdit::SetIncrement,
                Default(1))
  LUM_PUBLISHED(Integer, MaxValue, TCustomSpinEdit::MaxValue(), TCustomSpinEdit::SetMaxValue,
                Default(0))
  LUM_PUBLISHED(Integer, MinValue, TCustomSpinEdit::MinValue(), TCustomSpinEdit::SetMinValue,
                Default(0))
  LUM_PUBLISHED(bool, ReadOnly, TCustomEdit::ReadOnly(), TCustomEdit::SetReadOnly, Default(false))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(true))
  LUM_PUBLISHED(Integer, Value, TCustomSpinEdit::Value(), TCustomSpinEdit::SetValue, Default(0))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnChange, TCustomEdit::OnChange(), TCustomEdit::SetOnChange,
                NoDefault)
};
