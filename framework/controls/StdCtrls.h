#pragma once

#include "framework/controls/Forms.h"

// A control over one of the system's button classes: a click comes back as BN_CLICKED.
class TButtonControl : public TWinControl {
  LUM_CLASS(TButtonControl, TWinControl)
public:
  explicit TButtonControl(TComponent* AOwner);

protected:
  void Dispatch(TMessage& Message) override;
  virtual void CNCommand(TMessage& Message);
};

// A push button. Default answers Enter and Cancel answers Escape on its form; a
// ModalResult closes a modal form with that result.
class TButton : public TButtonControl {
  LUM_CLASS(TButton, TButtonControl)
public:
  explicit TButton(TComponent* AOwner);
  ~TButton() override;

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISHED(bool, Cancel, FCancel, Field, Default(false), Stored(IsKindValueStored))
  LUM_PUBLISHED(String, Caption, GetText(), TControl::SetText, NoDefault, Stored(IsCaptionStored))
  LUM_PUBLISHED(bool, Default, FDefault, SetDefault, Default(false), Stored(IsKindValueStored))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(TModalResult, ModalResult, FModalResult, Field, Default(mrNone),
                Idents(ModalResultIdents()), Stored(IsKindValueStored))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(true))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)

  void SetDefault(bool Value);
  void Click() override;

protected:
  // A button of a standard kind brings its caption, Cancel, Default and ModalResult; form
  // files then store only what differs from the kind.
  virtual bool IsCaptionStored() const { return true; }
  virtual bool IsKindValueStored() const { return true; }
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void CMDialogKey(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  void CMFocusChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;

private:
  void SetButtonStyle(bool ADefault);
  void ReturnDefaultRole();

  bool FCancel = false;
  bool FDefault = false;
  bool FActive = false;
  TModalResult FModalResult = mrNone;
};
