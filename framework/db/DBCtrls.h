#pragma once

#include "framework/controls/ComboBoxes.h"
#include "framework/controls/MaskEdit.h"
#include "framework/db/DataSource.h"

// An edit showing one field of the current record. Typing puts the data set into edit
// mode; the text goes back to the field on exit and when the record is posted. Without a
// field it stays empty and read-only.
class TDBEdit : public TCustomMaskEdit {
  LUM_CLASS(TDBEdit, TCustomMaskEdit)
public:
  explicit TDBEdit(TComponent* AOwner);
  ~TDBEdit() override;

  TField* Field() const { return FDataLink.Field(); }
  void SetDataSource(TDataSource* Value);
  void SetDataField(const String& Value) { FDataLink.SetFieldName(Value); }
  void SetReadOnly(bool Value) { FDataLink.SetReadOnly(Value); }

  LUM_PUBLISHED(TDataSource*, DataSource, FDataLink.DataSource(), TDBEdit::SetDataSource, NoDefault)
  LUM_PUBLISHED(String, DataField, FDataLink.FieldName(), TDBEdit::SetDataField, NoDefault)
  LUM_PUBLISHED(bool, ReadOnly, FDataLink.ReadOnly(), TDBEdit::SetReadOnly, Default(false))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault)
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnChange, TCustomEdit::OnChange(), TCustomEdit::SetOnChange,
                NoDefault)

protected:
  void Change() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void CMExit(TMessage& Message) override;

private:
  void DataChange();
  void EditingChange();
  void UpdateData();

  TFieldDataLink FDataLink;
};

// A combo box showing one field of the current record; choosing or typing a value edits
// the record, which gets the value on exit and when it is posted.
class TDBComboBox : public TCustomComboBox {
  LUM_CLASS(TDBComboBox, TCustomComboBox)
public:
  explicit TDBComboBox(TComponent* AOwner);
  ~TDBComboBox() override;

  TField* Field() const { return FDataLink.Field(); }
  void SetDataSource(TDataSource* Value);
  void SetDataField(const String& Value) { FDataLink.SetFieldName(Value); }
  void SetReadOnly(bool Value) { FDataLink.SetReadOnly(Value); }

  LUM_PUBLISHED(TDataSource*, DataSource, FDataLink.DataSource(), TDBComboBox::SetDataSource,
                NoDefault)
  LUM_PUBLISHED(String, DataField, FDataLink.FieldName(), TDBComboBox::SetDataField, NoDefault)
  LUM_PUBLISHED(bool, ReadOnly, FDataLink.ReadOnly(), TDBComboBox::SetReadOnly, Default(false))
  LUM_PUBLISHED(TComboBoxStyle, Style, FStyle, TCustomComboBox::SetStyle, Default(csDropDown))
  LUM_PUBLISHED(TStrings*, Items, FItems, TCustomComboBox::SetItems, NoDefault)
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))

protected:
  void Change() override;
  void DropDown() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void CMExit(TMessage& Message) override;

private:
  void DataChange();
  void UpdateData();
  void ShowValue(const String& Value);

  TFieldDataLink FDataLink;
  bool FShowing = false;
};
