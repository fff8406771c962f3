#pragma once

#include "framework/controls/Labels.h"
#include "framework/controls/StdCtrls.h"

LUM_ENUM(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed);
// taLeftJustify puts the caption left of the box, taRightJustify right of it.
using TLeftRight = TAlignment;

// A check box over the system button class; the framework keeps the state and toggles it on
// BN_CLICKED: unchecked, then grayed when AllowGrayed, then checked. OnClick follows every
// change of the state, also one made in code.
class TCustomCheckBox : public TButtonControl {
  LUM_CLASS(TCustomCheckBox, TButtonControl)
public:
  explicit TCustomCheckBox(TComponent* AOwner);

  TLeftRight Alignment() const { return FAlignment; }
  void SetAlignment(TLeftRight Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  virtual void Toggle();

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  bool ClicksDisabled() const { return FClicksDisabled; }
  void SetClicksDisabled(bool Value) { FClicksDisabled = Value; }

private:
  TLeftRight FAlignment = taRightJustify;
  bool FAllowGrayed = false;
  TCheckBoxState FState = cbUnchecked;
  bool FClicksDisabled = false;
};

class TCheckBox : public TCustomCheckBox {
  LUM_CLASS(TCheckBox, TCustomCheckBox)
public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISHED(TLeftRight, Alignment, TCustomCheckBox::Alignment(), TCustomCheckBox::SetAlignment,
                Default(taRightJustify))
  LUM_PUBLISHED(bool, AllowGrayed, TCustomCheckBox::AllowGrayed(), TCustomCheckBox::SetAllowGrayed,
                Default(false))
  LUM_PUBLISHED(String, Caption, GetText(), TControl::SetText, NoDefault)
  LUM_PUBLISHED(bool, Checked, TCustomCheckBox::Checked(), TCustomCheckBox::SetChecked, NotStored)
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, NoDefault, Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(TCheckBoxState, State, TCustomCheckBox::State(), TCustomCheckBox::SetState,
                Default(cbUnchecked))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(true))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
};

// A radio button over the system button class. Checking it unchecks the other radio buttons
// of its parent; only the checked one is a tab stop. Taking the focus by keyboard (arrow
// keys move it within the parent) checks it, as the system's radio buttons do.
class TRadioButton : public TButtonControl {
  LUM_CLASS(TRadioButton, TButtonControl)
public:
  explicit TRadioButton(TComponent* AOwner);

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISHED(TLeftRight, Alignment, FAlignment, SetAlignment, Default(taRightJustify))
  LUM_PUBLISHED(String, Caption, GetText(), TControl::SetText, NoDefault)
  LUM_PUBLISHED(bool, Checked, FChecked, SetChecked, Default(false))
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, NoDefault, Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(false))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)

  void SetAlignment(TLeftRight Value);
  void SetChecked(bool Value);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  void WMSetFocus(TMessage& Message) override;

private:
  void UncheckSiblings();

  TLeftRight FAlignment = taRightJustify;
  bool FChecked = false;
};
