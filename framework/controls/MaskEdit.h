#pragma once

#include "framework/controls/EditMask.h"
#include "framework/controls/Edits.h"

LUM_DECLARE_EXCEPTION(EDBEditError, Exception);

inline constexpr const char* SMaskEditErr =
    "Invalid input value.  Use escape key to abandon changes";

// An edit whose text follows an edit mask. EditText is what the window shows (literals
// and blanks); Text is the value (without the literals when the mask does not save them).
// Typing overwrites one position at a time and skips literals; what the mask refuses
// beeps and changes nothing. Leaving the control with an incomplete text raises
// EDBEditError and keeps the focus; Escape restores the text the control was entered with.
class TCustomMaskEdit : public TCustomEdit {
  LUM_CLASS(TCustomMaskEdit, TCustomEdit)
public:
  explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& Value);
  bool IsMasked() const { return !FMask.Empty(); }
  String EditText() const { return GetText(); }
  void SetEditText(const String& Value);
  String Text() const;
  void SetText(const String& Value);

  virtual void ValidateEdit();
  // Back to the text the control had when it got the focus.
  void Reset();

protected:
  void Dispatch(TMessage& Message) override;
  void DoEnter() override;
  void CMExit(TMessage& Message) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  virtual void ValidateError(std::size_t Position);

private:
  std::vector<String> Cells() const { return FMask.CellsOf(EditText()); }
  std::pair<std::size_t, std::size_t> SelectedCells();
  void SetCaretCell(const std::vector<String>& Cells, std::size_t Cell);
  void PutCells(const std::vector<String>& Cells, std::size_t Caret);
  void TypeCharacter(const String& Character);
  void TypeByte(char Code);
  void DeleteCells(bool Backward);
  void MoveCaret(bool Forward);
  void Paste();
  void Cut();

  String FEditMask;
  TEditMask FMask;
  String FOldValue;
  String FPending;
  bool FRefocusing = false;
};

class TMaskEdit : public TCustomMaskEdit {
  LUM_CLASS(TMaskEdit, TCustomMaskEdit)
public:
  explicit TMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {}

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISH_IME
  LUM_PUBLISHED(bool, AutoSelect, TCustomEdit::AutoSelect(), TCustomEdit::SetAutoSelect,
                Default(true))
  LUM_PUBLISHED(bool, AutoSize, TCustomEdit::AutoSize(), TCustomEdit::SetAutoSize, Default(true))
  LUM_PUBLISHED(TBorderStyle, BorderStyle, TCustomEdit::BorderStyle(), TCustomEdit::SetBorderStyle,
                Default(bsSingle))
  LUM_PUBLISHED(TEditCharCase, CharCase, TCustomEdit::CharCase(), TCustomEdit::SetCharCase,
                Default(ecNormal))
  LUM_PUBLISHED(String, EditMask, TCustomMaskEdit::EditMask(), TCustomMaskEdit::SetEditMask,
                NoDefault)
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(Integer, MaxLength, TCustomEdit::MaxLength(), TCustomEdit::SetMaxLength, Default(0))
  LUM_PUBLISHED(char, PasswordChar, TCustomEdit::PasswordChar(), TCustomEdit::SetPasswordChar,
                Default('\0'))
  LUM_PUBLISHED(bool, ReadOnly, TCustomEdit::ReadOnly(), TCustomEdit::SetReadOnly, Default(false))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(true))
  LUM_PUBLISHED(String, Text, TCustomMaskEdit::Text(), TCustomMaskEdit::SetText, NoDefault)
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnChange, TCustomEdit::OnChange(), TCustomEdit::SetOnChange,
                NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
};
