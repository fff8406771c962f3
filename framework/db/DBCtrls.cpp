#include "framework/db/DBCtrls.h"

#include "framework/win32/WinUser.h"

namespace {

bool IsTypingKey(char Key) {
  const auto code = static_cast<unsigned char>(Key);
  return code >= 32 || Key == '\b' || Key == 0x16 || Key == 0x18; // Backspace, Ctrl+V, Ctrl+X
}

bool IsMovingKey(Word Key) {
  return Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_HOME ||
         Key == VK_END;
}

// Writes the control's pending value; when the field refuses it, the control keeps the focus.
template <class C, class Exit> void ExitThroughLink(C* Control, TFieldDataLink& Link, Exit Leave) {
  try {
    Link.UpdateRecord();
  } catch (...) {
    Control->SelectAll();
    Control->SetFocus();
    throw;
  }
  Leave();
}

} // namespace

TDBEdit::TDBEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
  TCustomEdit::SetReadOnly(true);
  FDataLink.Control = this;
  FDataLink.OnDataChange = [this](TObject*) { DataChange(); };
  FDataLink.OnEditingChange = [this](TObject*) { EditingChange(); };
  FDataLink.OnUpdateData = [this](TObject*) { UpdateData(); };
}

TDBEdit::~TDBEdit() { FDataLink.SetDataSource(nullptr); }

void TDBEdit::SetDataSource(TDataSource* Value) { FDataLink.SetDataSource(Value); }

void TDBEdit::DataChange() {
  TField* field = FDataLink.Field();
  if (!field) {
    TCustomMaskEdit::SetText("");
    return;
  }
  if (field->DataType() == ftString && MaxLength() == 0) SetMaxLength(field->Size());
  TCustomMaskEdit::SetText(Focused() && FDataLink.CanModify() ? field->Text()
                                                              : field->DisplayText());
}

void TDBEdit::EditingChange() { TCustomEdit::SetReadOnly(!FDataLink.Editing()); }

void TDBEdit::UpdateData() {
  ValidateEdit();
  FDataLink.Field()->SetText(TCustomMaskEdit::Text());
}

void TDBEdit::Change() {
  FDataLink.Modified();
  TCustomMaskEdit::Change();
}

void TDBEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_DELETE || (Key == VK_INSERT && Shift.Contains(ssShift))) FDataLink.Edit();
  TCustomMaskEdit::KeyDown(Key, Shift);
}

void TDBEdit::KeyPress(char& Key) {
  if (Key == '\x1b') {
    FDataLink.Reset();
    SelectAll();
    Key = 0;
    return;
  }
  if (IsTypingKey(Key) && !FDataLink.Edit()) {
    MessageBeep(0);
    Key = 0;
    return;
  }
  TCustomMaskEdit::KeyPress(Key);
}

void TDBEdit::CMExit(TMessage& Message) {
  ExitThroughLink(this, FDataLink, [&] { TCustomMaskEdit::CMExit(Message); });
}

TDBComboBox::TDBComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {
  FDataLink.Control = this;
  FDataLink.OnDataChange = [this](TObject*) { DataChange(); };
  FDataLink.OnUpdateData = [this](TObject*) { UpdateData(); };
}

TDBComboBox::~TDBComboBox() { FDataLink.SetDataSource(nullptr); }

void TDBComboBox::SetDataSource(TDataSource* Value) { FDataLink.SetDataSource(Value); }

void TDBComboBox::ShowValue(const String& Value) {
  FShowing = true;
  if (FStyle == csDropDownList)
    SetItemIndex(FItems->IndexOf(Value));
  else
    SetText(Value);
  FShowing = false;
}

void TDBComboBox::DataChange() { ShowValue(FDataLink.Field() ? FDataLink.Field()->Text() : ""); }

void TDBComboBox::UpdateData() { FDataLink.Field()->SetText(GetText()); }

void TDBComboBox::Change() {
  if (FShowing) return;
  if (!FDataLink.Editing() && !FDataLink.Edit()) {
    DataChange();
    return;
  }
  FDataLink.Modified();
  TCustomComboBox::Change();
}

void TDBComboBox::DropDown() {
  FDataLink.Edit();
  TCustomComboBox::DropDown();
}

void TDBComboBox::KeyDown(Word& Key, TShiftState Shift) {
  if ((IsMovingKey(Key) || Key == VK_DELETE) && !FDataLink.Edit()) Key = 0;
  TCustomComboBox::KeyDown(Key, Shift);
}

void TDBComboBox::KeyPress(char& Key) {
  if (Key == '\x1b') {
    FDataLink.Reset();
    Key = 0;
    return;
  }
  if (IsTypingKey(Key) && !FDataLink.Edit()) {
    MessageBeep(0);
    Key = 0;
    return;
  }
  TCustomComboBox::KeyPress(Key);
}

void TDBComboBox::CMExit(TMessage& Message) {
  ExitThroughLink(this, FDataLink, [&] { TCustomComboBox::CMExit(Message); });
}
