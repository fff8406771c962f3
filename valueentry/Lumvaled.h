#pragma once

#include "framework/classes/StringList.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/Panels.h"
#include "framework/db/DataSource.h"
#include "framework/graphics/Picture.h"

#include <bitset>

LUM_ENUM(TValEditTyp, etBin, etDouble, etExponent, etFilter, etHex, etLongInt, etString);
LUM_ENUM(TLumValidateEditErrorAction, lveaEnglish, lveaGerman, lveaNothing);

// ErrorIndex 0: a character that is not allowed; 1: a value out of range or not in the list.
using TLumValidateEditErrorEvent = std::function<void(TObject* Sender, Integer ErrorIndex,
                                                      TLumValidateEditErrorAction& ErrorAction)>;

// One bit per 8-bit character code.
using TValidChars = std::bitset<256>;

// The characters each kind of entry allows.
TValidChars ValidCharsOf(TValEditTyp Kind);

// Tests and cleans typed text against a set of valid characters and the number rules of
// its kind of entry.
class TFilterValidator : public TObject {
  LUM_CLASS(TFilterValidator, TObject)
public:
  TFilterValidator();

  // True for the empty text and for a text of valid characters only.
  virtual bool IsValid(const String& S) const;
  // Removes what may not stay: characters outside the set (then false), a "," becomes ".",
  // points left of the rightmost one, and signs that neither lead nor follow an exponent.
  virtual bool IsValidInput(String& S) const;
  virtual void SetValidChars(const TValidChars& AValidChars);
  virtual void SetValEditTyp(TValEditTyp AValEditTyp);
  virtual bool Valid(const String& S) const;

  const TValidChars& ValidChars() const { return FValidChars; }
  TValEditTyp ValEditTyp() const { return FValEditTyp; }

private:
  TValidChars FValidChars;
  TValEditTyp FValEditTyp = etString;
};

// A one-line entry for a typed value: a panel filled by an edit, or for list entries by a
// combo box. Typing is cleaned as it happens; leaving checks the value against MinValue and
// MaxValue (or the list) and keeps the focus until the entry is valid.
class TLumValidateEdit : public TCustomPanel {
  LUM_CLASS(TLumValidateEdit, TCustomPanel)
public:
  explicit TLumValidateEdit(TComponent* AOwner);
  ~TLumValidateEdit() override;

  virtual void Berechne_Groesse();
  virtual bool IsValid();
  virtual double GetDouble();
  virtual double GetExponent();
  virtual Integer GetLongInt();
  virtual Integer GetHex();
  virtual Integer GetBin();
  virtual void SetDouble(double Value);
  virtual void SetExponent(double Value);
  virtual void SetLongInt(Integer Value);
  virtual void SetHex(Integer Value);
  virtual void SetBin(Integer Value);

  void SetFocus() override;
  void SelectAll();
  void ClearSelection();

  TCustomEdit* Edit() const { return FEdit; }
  TCustomComboBox* ComboBox() const { return FComboBox; }
  TFilterValidator* Validator() const { return FValidator.get(); }

  void SetValEditTyp(TValEditTyp Value);
  void SetNK(Integer Value);
  void SetFilter(TStrings* Value) { FFilter->Assign(Value); }
  void SetAutoSelect(bool Value) { FEdit->SetAutoSelect(Value); }
  void SetAutoSize(bool Value) { FEdit->SetAutoSize(Value); }
  void SetCharCase(TEditCharCase Value);
  void SetCursor(TCursor Value);
  void SetDragCursor(TCursor Value);
  void SetDragMode(TDragMode Value) override;
  void SetEditColor(TColor Value);
  virtual void SetFEnabled(bool Value);
  void SetHideSelection(bool Value) { FEdit->SetHideSelection(Value); }
  virtual void SetMaxLength(Integer Value);
  void SetPasswordChar(char Value) { FEdit->SetPasswordChar(Value); }
  virtual void SetReadOnly(bool Value);
  virtual bool GetReadOnly() const { return FEdit->ReadOnly(); }
  void SetSelStart(Integer Value);
  void SetSelLength(Integer Value);
  String GetSelText() const;
  void SetSelText(const String& Value);
  void SetTabStop(bool Value);
  String GetEditText() const;
  void SetEditText(const String& Value);

  LUM_PUBLISHED(TValEditTyp, ValEditTyp, FValEditTyp, SetValEditTyp, Default(etString))
  LUM_PUBLISHED(Integer, DecimalPlaces, FNK, SetNK, Default(2))
  LUM_PUBLISHED(double, MinValue, FMinValue, Field, Default(0.0))
  LUM_PUBLISHED(double, MaxValue, FMaxValue, Field, Default(1.0))
  LUM_PUBLISHED(bool, Validate, FValidate, Field, Default(true))
  LUM_PUBLISHED(TStrings*, Filter, FFilter, SetFilter, NoDefault)
  LUM_PUBLISHED(bool, ValidateMessage, FValidateMessage, Field, Default(true))
  LUM_PUBLISHED(bool, AutoSelect, FEdit->AutoSelect(), SetAutoSelect, Default(true))
  LUM_PUBLISHED(bool, AutoSize, FEdit->AutoSize(), SetAutoSize, Default(true))
  LUM_PUBLISHED(TEditCharCase, CharCase, FEdit->CharCase(), SetCharCase, Default(ecNormal))
  LUM_PUBLISHED(TCursor, Cursor, FCursor, SetCursor, Default(crDefault), Idents(CursorIdents()))
  LUM_PUBLISHED(TCursor, DragCursor, FDragCursor, SetDragCursor, Default(crDrag),
                Idents(CursorIdents()))
  LUM_PUBLISHED(TDragMode, DragMode, FDragMode, SetDragMode, Default(dmManual))
  LUM_PUBLISHED(TColor, EditColor, FEdit->Color(), SetEditColor, Default(clWindow),
                Idents(ColorIdents()))
  LUM_PUBLISHED(bool, Enabled, FFEnabled, SetFEnabled, Default(true))
  LUM_PUBLISHED(bool, HideSelection, FEdit->HideSelection(), SetHideSelection, Default(true))
  LUM_PUBLISHED(Integer, MaxLength, FEdit->MaxLength(), SetMaxLength, Default(0))
  LUM_PUBLISHED(char, PasswordChar, FEdit->PasswordChar(), SetPasswordChar, Default('\0'))
  LUM_PUBLISHED(bool, ReadOnly, GetReadOnly(), SetReadOnly, Default(false))
  LUM_PUBLISHED(Integer, SelStart, FEdit->SelStart(), SetSelStart, Default(0))
  LUM_PUBLISHED(Integer, SelLength, FEdit->SelLength(), SetSelLength, Default(0))
  LUM_PUBLISHED(String, SelText, GetSelText(), SetSelText, NoDefault, NotStored)
  LUM_PUBLISHED(bool, TabStop, FInnerTabStop, SetTabStop, Default(true))
  LUM_PUBLISHED(String, Text, GetEditText(), SetEditText, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnValidExit, FOnValidExit, Field, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnChange, FOnChange, Field, NoDefault)
  LUM_PUBLISHED(TKeyEvent, OnKeyDown, TWinControl::OnKeyDown(), TWinControl::SetOnKeyDown,
                NoDefault)
  LUM_PUBLISHED(TKeyPressEvent, OnKeyPress, TWinControl::OnKeyPress(), TWinControl::SetOnKeyPress,
                NoDefault)
  LUM_PUBLISHED(TKeyEvent, OnKeyUp, TWinControl::OnKeyUp(), TWinControl::SetOnKeyUp, NoDefault)
  LUM_PUBLISHED(TLumValidateEditErrorEvent, OnValidateError, FOnValidateError, Field, NoDefault)

  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TBorderStyle, BorderStyle, TCustomPanel::BorderStyle(),
                TCustomPanel::SetBorderStyle, Default(bsNone))
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clBtnFace),
                Idents(ColorIdents()))
  LUM_PUBLISHED(bool, Ctl3D, TWinControl::Ctl3D(), TWinControl::SetCtl3D, NoDefault,
                Stored(IsCtl3DStored))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault)
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(false))
  LUM_PUBLISHED(bool, ParentCtl3D, TWinControl::ParentCtl3D(), TWinControl::SetParentCtl3D,
                Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ParentShowHint, FParentShowHint, TControl::SetParentShowHint, Default(true))
  LUM_PUBLISHED(TComponent*, PopupMenu, FPopupMenu, TControl::SetPopupMenu, NoDefault)
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
  LUM_PUBLISHED(TDragDropEvent, OnDragDrop, FOnDragDrop, TControl::SetOnDragDrop, NoDefault)
  LUM_PUBLISHED(TDragOverEvent, OnDragOver, FOnDragOver, TControl::SetOnDragOver, NoDefault)
  LUM_PUBLISHED(TEndDragEvent, OnEndDrag, FOnEndDrag, TControl::SetOnEndDrag, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseDown, FOnMouseDown, TControl::SetOnMouseDown, NoDefault)
  LUM_PUBLISHED(TMouseMoveEvent, OnMouseMove, FOnMouseMove, TControl::SetOnMouseMove, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseUp, FOnMouseUp, TControl::SetOnMouseUp, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnResize, FOnResize, TControl::SetOnResize, NoDefault)
  LUM_PUBLISHED(TStartDragEvent, OnStartDrag, FOnStartDrag, TControl::SetOnStartDrag, NoDefault)

protected:
  // Which edit and combo box the control is built with.
  enum class TInnerControls { Plain, DataAware };
  TLumValidateEdit(TComponent* AOwner, TInnerControls Inner);

  void Loaded() override;
  void DoExit() override;
  void WMSize(TMessage& Message) override;
  // Reports an entry error in a warning box, in the language OnValidateError chooses.
  void Error(Integer ErrorIndex);
  // The allowed values as the error report and the range display write them.
  String RangeText() const;
  // Binds the visible data-aware inner control to the data field, the hidden one to none.
  void BindVisibleControl();

  TCustomEdit* FEdit = nullptr;
  TCustomComboBox* FComboBox = nullptr;
  String FDataField;
  bool FLayoutReady = false;

private:
  void CreateInnerControls(TInnerControls Inner);
  void ConnectEvents(TControl* Inner);
  void ConnectEditEvents();
  void EditChange(TObject* Sender);
  void FilterChange(TObject* Sender);
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  double ValueOfKind();
  // The edit's number when the kind of entry is Kind; 0 otherwise or when it does not convert.
  double FloatOfKind(TValEditTyp Kind) const;
  String FilterEntriesText() const;
  String ErrorText(Integer ErrorIndex, bool German) const;

  std::unique_ptr<TFilterValidator> FValidator;
  std::unique_ptr<TStringList> FFilter;
  TValEditTyp FValEditTyp = etString;
  Integer FNK = 2;
  double FMinValue = 0.0;
  double FMaxValue = 1.0;
  bool FValidate = true;
  bool FValidateMessage = true;
  bool FFEnabled = true;
  bool FInnerTabStop = true;
  TNotifyEvent FOnValidExit;
  TNotifyEvent FOnChange;
  TLumValidateEditErrorEvent FOnValidateError;
};

class TImage;
class TField;

// The validating edit framed as a small form field: a header above the entry line, a unit
// panel to its right and a picture in the top right corner; clicking the picture swaps the
// header for the allowed range, so the user can look up what is expected.
class TLumExtValEdit : public TLumValidateEdit {
  LUM_CLASS(TLumExtValEdit, TLumValidateEdit)
public:
  explicit TLumExtValEdit(TComponent* AOwner);
  ~TLumExtValEdit() override;

  void Berechne_Groesse() override;
  // Checks the entry as leaving does, then shows the value range.
  void Wertebereich_zeigen();

  TLabel* HeaderLabel() const { return FHeaderLabel; }
  TPanel* UnitPanel() const { return FUnitPanel; }
  TImage* Picture() const { return FPicture; }
  bool RangeShown() const { return FRangeShown; }

  void SetHeader(const String& Value);
  void SetHeader2Hint(bool Value);
  void SetUnitValue(const String& Value);
  void SetUnitWidth(Integer Value);
  void SetPictures(bool Value);
  void SetEditHeight(Integer Value);
  void SetUnitBevelInner(TPanelBevel Value);
  TPanelBevel GetUnitBevelInner() const;
  void SetUnitBevelOuter(TPanelBevel Value);
  TPanelBevel GetUnitBevelOuter() const;
  void SetHeaderFont(TFont* Value);
  void SetUnitFont(TFont* Value);
  void SetUnitPanelColor(TColor Value);
  TColor GetUnitPanelColor() const;
  void SetPictureHeader(TPicture* Value);
  void SetPictureRange(TPicture* Value);
  void SetFEnabled(bool Value) override;

  LUM_PUBLISHED(String, Header, FHeader, SetHeader, NoDefault)
  LUM_PUBLISHED(bool, Header2Hint, FHeader2Hint, SetHeader2Hint, Default(true))
  LUM_PUBLISHED(String, UnitValue, FUnitValue, SetUnitValue, NoDefault)
  LUM_PUBLISHED(Integer, UnitWidth, FUnitWidth, SetUnitWidth, Default(20))
  LUM_PUBLISHED(bool, Pictures, FPictures, SetPictures, Default(true))
  LUM_PUBLISHED(Integer, EditHeight, FEditHeight, SetEditHeight, Default(21))
  LUM_PUBLISHED(TPanelBevel, UnitBevelInner, GetUnitBevelInner(), SetUnitBevelInner,
                Default(bvRaised))
  LUM_PUBLISHED(TPanelBevel, UnitBevelOuter, GetUnitBevelOuter(), SetUnitBevelOuter,
                Default(bvLowered))
  LUM_PUBLISHED(TFont*, HeaderFont, FHeaderFont, SetHeaderFont, NoDefault)
  LUM_PUBLISHED(TFont*, UnitFont, FUnitFont, SetUnitFont, NoDefault)
  LUM_PUBLISHED(TColor, UnitPanelColor, GetUnitPanelColor(), SetUnitPanelColor, Default(clBtnFace),
                Idents(ColorIdents()))
  LUM_PUBLISHED(TPicture*, PictureHeader, FPictureHeader, SetPictureHeader, NoDefault)
  LUM_PUBLISHED(TPicture*, PictureRange, FPictureRange, SetPictureRange, NoDefault)

protected:
  TLumExtValEdit(TComponent* AOwner, TInnerControls Inner);

  void Loaded() override;
  void DoExit() override;
  // Shows PictureRange while the range is shown, PictureHeader otherwise.
  void PictureChange(TObject* Sender);

private:
  void BuildFrame();
  void PictureMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ToggleRange();
  void ShowHeader();
  // The header label's text while the range is shown.
  String RangeDisplayText() const;
  // Border and bevel width taken from each side.
  int FrameSize() const;
  void PlacePicture(int Frame);

  TLabel* FHeaderLabel = nullptr;
  TPanel* FUnitPanel = nullptr;
  TImage* FPicture = nullptr;
  std::unique_ptr<TFont> FHeaderFont;
  std::unique_ptr<TFont> FUnitFont;
  std::unique_ptr<TPicture> FPictureHeader;
  std::unique_ptr<TPicture> FPictureRange;
  String FHeader;
  String FUnitValue;
  bool FHeader2Hint = true;
  Integer FUnitWidth = 20;
  Integer FEditHeight = 21;
  bool FPictures = true;
  bool FRangeShown = false;
  bool FExtLayoutReady = false;
};

// The extended value edit bound to a field of a data set: its visible inner control is a
// data-aware edit or combo box showing and writing the field.
class TLumDBExtValEdit : public TLumExtValEdit {
  LUM_CLASS(TLumDBExtValEdit, TLumExtValEdit)
public:
  explicit TLumDBExtValEdit(TComponent* AOwner);

  // The field of the visible inner control.
  TField* GetField() const;
  TField* Field() const { return GetField(); }
  TDataSource* GetDataSource() const;
  void SetDataSource(TDataSource* Value);
  void SetDataField(const String& Value);
  void SetMaxLength(Integer Value) override;
  void SetReadOnly(bool Value) override;
  // The data link's setting, not a field's: without a field the edit refuses typing anyway.
  bool GetReadOnly() const override;

  LUM_PUBLISHED(String, DataField, FDataField, SetDataField, NoDefault)
  LUM_PUBLISHED(TDataSource*, DataSource, GetDataSource(), SetDataSource, NoDefault)
};
