#pragma once

#include "framework/classes/StringList.h"
#include "framework/controls/Forms.h"

LUM_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase);
LUM_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth);

// A control over the system's edit class. Every change of the text calls Change (OnChange),
// the user's and one made in code alike; the selection, the modified flag and the limit
// work with and without a window.
class TCustomEdit : public TWinControl {
  LUM_CLASS(TCustomEdit, TWinControl)
public:
  explicit TCustomEdit(TComponent* AOwner);

  void Clear();
  void ClearSelection();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void Undo();
  void ClearUndo();
  bool CanUndo();
  void SelectAll();

  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  String SelText();
  void SetSelText(const String& Value);
  bool Modified();
  void SetModified(bool Value);

  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;
  void DoEnter() override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  virtual void CNCommand(TMessage& Message);
  virtual void Change();
  // The height the font needs, with the border, while AutoSize holds.
  void AdjustHeight();
  bool IsMultiLine() const;
  // Recreates the window when it exists, keeping text, selection and modified flag.
  void StyleChanged();

  bool FCreating = false;

private:
  int FMaxLength = 0;
  char FPasswordChar = '\0';
  TEditCharCase FCharCase = ecNormal;
  bool FReadOnly = false;
  bool FAutoSelect = true;
  bool FAutoSize = true;
  bool FHideSelection = true;
  TBorderStyle FBorderStyle = bsSingle;
  bool FModified = false;
  int FSelStart = 0;
  int FSelLength = 0;
  TNotifyEvent FOnChange;
};

// A one-line edit.
class TEdit : public TCustomEdit {
  LUM_CLASS(TEdit, TCustomEdit)
public:
  explicit TEdit(TComponent* AOwner);

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISH_IME
  LUM_PUBLISHED(bool, AutoSelect, TCustomEdit::AutoSelect(), TCustomEdit::SetAutoSelect,
                Default(true))
  LUM_PUBLISHED(bool, AutoSize, TCustomEdit::AutoSize(), TCustomEdit::SetAutoSize, Default(true))
  LUM_PUBLISHED(TBorderStyle, BorderStyle, TCustomEdit::BorderStyle(), TCustomEdit::SetBorderStyle,
                Default(bsSingle))
  LUM_PUBLISHED(TEditCharCase, CharCase, TCustomEdit::CharCase(), TCustomEdit::SetCharCase,
                Default(ecNormal))
  LUM_PUBLISHED(bool, Ctl3D, TWinControl::Ctl3D(), TWinControl::SetCtl3D, NoDefault,
                Stored(IsCtl3DStored))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, HideSelection, TCustomEdit::HideSelection(), TCustomEdit::SetHideSelection,
                Default(true))
  LUM_PUBLISHED(Integer, MaxLength, TCustomEdit::MaxLength(), TCustomEdit::SetMaxLength, Default(0))
  LUM_PUBLISHED(bool, ParentCtl3D, TWinControl::ParentCtl3D(), TWinControl::SetParentCtl3D,
                Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(char, PasswordChar, TCustomEdit::PasswordChar(), TCustomEdit::SetPasswordChar,
                Default('\0'))
  LUM_PUBLISHED(bool, ReadOnly, TCustomEdit::ReadOnly(), TCustomEdit::SetReadOnly, Default(false))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(true))
  LUM_PUBLISHED(String, Text, GetText(), TControl::SetText, NoDefault)
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnChange, TCustomEdit::OnChange(), TCustomEdit::SetOnChange,
                NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
};

class TCustomMemo;

// The lines of a memo over its text (CR LF between lines), with or without its window.
class TMemoStrings : public TStrings {
  LUM_CLASS(TMemoStrings, TStrings)
public:
  explicit TMemoStrings(TCustomMemo* AMemo) : FMemo(AMemo) {}

  void Clear() override;
  void Delete(Integer Index) override;
  void Insert(Integer Index, const String& S) override;

protected:
  String Get(Integer Index) const override;
  Integer GetCount() const override;
  void Put(Integer Index, const String& S) override;
  String GetTextStr() const override;
  void SetTextStr(const String& Text) override;

private:
  std::vector<String> Split() const;
  void Join(const std::vector<String>& Lines);
  void CheckIndex(Integer Index, Integer Count) const;

  TCustomMemo* FMemo;
};

// A multi-line edit.
class TCustomMemo : public TCustomEdit {
  LUM_CLASS(TCustomMemo, TCustomEdit)
public:
  explicit TCustomMemo(TComponent* AOwner);

  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void KeyPress(char& Key) override;

private:
  std::unique_ptr<TMemoStrings> FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWantTabs = false;
  bool FWantReturns = true;
  bool FWordWrap = true;
  TAlignment FAlignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
  LUM_CLASS(TMemo, TCustomMemo)
public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISH_IME
  LUM_PUBLISHED(TAlignment, Alignment, TCustomMemo::Alignment(), TCustomMemo::SetAlignment,
                Default(taLeftJustify))
  LUM_PUBLISHED(TBorderStyle, BorderStyle, TCustomEdit::BorderStyle(), TCustomEdit::SetBorderStyle,
                Default(bsSingle))
  LUM_PUBLISHED(bool, Ctl3D, TWinControl::Ctl3D(), TWinControl::SetCtl3D, NoDefault,
                Stored(IsCtl3DStored))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, HideSelection, TCustomEdit::HideSelection(), TCustomEdit::SetHideSelection,
                Default(true))
  LUM_PUBLISHED(TStrings*, Lines, TCustomMemo::Lines(), TCustomMemo::SetLines, NoDefault)
  LUM_PUBLISHED(Integer, MaxLength, TCustomEdit::MaxLength(), TCustomEdit::SetMaxLength, Default(0))
  LUM_PUBLISHED(bool, ParentCtl3D, TWinControl::ParentCtl3D(), TWinControl::SetParentCtl3D,
                Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ReadOnly, TCustomEdit::ReadOnly(), TCustomEdit::SetReadOnly, Default(false))
  LUM_PUBLISHED(TScrollStyle, ScrollBars, TCustomMemo::ScrollBars(), TCustomMemo::SetScrollBars,
                Default(ssNone))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(true))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(bool, WantReturns, TCustomMemo::WantReturns(), TCustomMemo::SetWantReturns,
                Default(true))
  LUM_PUBLISHED(bool, WantTabs, TCustomMemo::WantTabs(), TCustomMemo::SetWantTabs, Default(false))
  LUM_PUBLISHED(bool, WordWrap, TCustomMemo::WordWrap(), TCustomMemo::SetWordWrap, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnChange, TCustomEdit::OnChange(), TCustomEdit::SetOnChange,
                NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
};
