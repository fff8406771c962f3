#pragma once

#include "framework/classes/Component.h"
#include "framework/db/DbTypes.h"
#include "framework/rtl/Variant.h"

#include <memory>

class TDataSet;
class TStream;

// One column of a data set's records. Its value comes from the data set's active record
// buffer: the current record when browsing, the edited record in edit and insert mode, the
// key buffer in set-key mode. Writing needs edit, insert or set-key mode.
class TField : public TComponent {
  LUM_CLASS(TField, TComponent)
public:
  explicit TField(TComponent* AOwner);

  LUM_PUBLISHED(String, FieldName, FFieldName, Field, NoDefault)
  LUM_PUBLISHED(String, DisplayLabel, FDisplayLabel, Field, NoDefault)
  LUM_PUBLISHED(Integer, DisplayWidth, FDisplayWidth, Field, Default(10))
  LUM_PUBLISHED(bool, ReadOnly, FReadOnly, Field, Default(false))
  LUM_PUBLISHED(bool, Required, FRequired, Field, Default(false))
  LUM_PUBLISHED(bool, Visible, FVisible, Field, Default(true))

  TFieldType DataType() const { return FDataType; }
  Integer Size() const { return FSize; }
  TDataSet* DataSet() const { return FDataSet; }
  int Index() const { return FIndex; }           // in the data set's Fields, from 0
  Integer FieldNo() const { return FIndex + 1; } // from 1
  String DisplayName() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
  bool IsBlob() const;

  String AsString() const { return GetAsString(); }
  Integer AsInteger() const { return GetAsInteger(); }
  double AsFloat() const { return GetAsFloat(); }
  bool AsBoolean() const { return GetAsBoolean(); }
  TDateTime AsDateTime() const { return GetAsDateTime(); }
  Variant AsVariant() const { return GetAsVariant(); }
  Variant Value() const { return GetAsVariant(); }
  // The text to show, and the text to edit.
  String DisplayText() const { return GetDisplayText(); }
  String Text() const { return GetAsString(); }

  // A text that does not convert raises EConvertError ("'abc' is not a valid integer
  // value"); an access of a kind the field cannot hold raises EDatabaseError "Cannot access
  // field 'X' as type Boolean".
  virtual void SetAsString(const String& AValue);
  virtual void SetAsInteger(Integer AValue);
  virtual void SetAsFloat(double AValue);
  virtual void SetAsBoolean(bool AValue);
  virtual void SetAsDateTime(TDateTime AValue);
  void SetAsVariant(const Variant& AValue);
  void SetValue(const Variant& AValue) { SetAsVariant(AValue); }
  void SetText(const String& AValue) { SetAsString(AValue); }

  bool IsNull() const;
  void Clear();

  // The stored value of the active record, and writing one (checked, then kept).
  const TFieldValue& Data() const;
  void SetData(TFieldValue AValue);

  // Set up by the data set that creates the field.
  void Bind(TDataSet* ADataSet, int AIndex, const TFieldDef& ADef);

protected:
  virtual String GetAsString() const;
  virtual Integer GetAsInteger() const;
  virtual double GetAsFloat() const;
  virtual bool GetAsBoolean() const;
  virtual TDateTime GetAsDateTime() const;
  virtual Variant GetAsVariant() const;
  virtual String GetDisplayText() const { return GetAsString(); }
  // The value as stored: range checks, trimming. AKeyMode: the value is a search key.
  virtual TFieldValue Prepared(TFieldValue AValue, bool AKeyMode) const;
  [[noreturn]] void AccessError(const char* ATypeName) const;
  void SetDataType(TFieldType AType) { FDataType = AType; }

private:
  String FFieldName;
  String FDisplayLabel;
  Integer FDisplayWidth = 10;
  bool FReadOnly = false;
  bool FRequired = false;
  bool FVisible = true;
  TFieldType FDataType = ftUnknown;
  Integer FSize = 0;
  TDataSet* FDataSet = nullptr;
  int FIndex = -1;
};

// CHAR(n): at most Size characters; trailing blanks are trimmed when stored.
class TStringField : public TField {
  LUM_CLASS(TStringField, TField)
public:
  explicit TStringField(TComponent* AOwner);
  void SetAsInteger(Integer AValue) override { SetAsString(IntToText(AValue)); }
  void SetAsFloat(double AValue) override;
  void SetAsBoolean(bool AValue) override { SetAsString(AValue ? "T" : "F"); }

protected:
  Integer GetAsInteger() const override;
  double GetAsFloat() const override;
  bool GetAsBoolean() const override;
  TFieldValue Prepared(TFieldValue AValue, bool AKeyMode) const override;

private:
  static String IntToText(Integer AValue);
};

// Whole numbers within the field's range (and MinValue..MaxValue when either is set);
// outside it EDatabaseError "70000 is not a valid value for field 'X'. The allowed range is
// -32768 to 32767".
class TIntegerField : public TField {
  LUM_CLASS(TIntegerField, TField)
public:
  explicit TIntegerField(TComponent* AOwner);
  LUM_PUBLISHED(Integer, MinValue, FMinValue, Field, Default(0))
  LUM_PUBLISHED(Integer, MaxValue, FMaxValue, Field, Default(0))
  void SetAsString(const String& AValue) override;
  void SetAsInteger(Integer AValue) override;
  void SetAsFloat(double AValue) override;

protected:
  String GetAsString() const override;
  Integer GetAsInteger() const override;
  double GetAsFloat() const override;
  Variant GetAsVariant() const override;
  TFieldValue Prepared(TFieldValue AValue, bool AKeyMode) const override;
  void SetRange(Int64 AMin, Int64 AMax) { FLow = AMin, FHigh = AMax; }

private:
  Integer FMinValue = 0;
  Integer FMaxValue = 0;
  Int64 FLow = -2147483648LL;
  Int64 FHigh = 2147483647LL;
};

class TSmallintField : public TIntegerField {
  LUM_CLASS(TSmallintField, TIntegerField)
public:
  explicit TSmallintField(TComponent* AOwner);
};

class TWordField : public TIntegerField {
  LUM_CLASS(TWordField, TIntegerField)
public:
  explicit TWordField(TComponent* AOwner);
};

// Assigned by the table when the record is first posted; read-only otherwise.
class TAutoIncField : public TIntegerField {
  LUM_CLASS(TAutoIncField, TIntegerField)
public:
  explicit TAutoIncField(TComponent* AOwner);
};

class TFloatField : public TField {
  LUM_CLASS(TFloatField, TField)
public:
  explicit TFloatField(TComponent* AOwner);
  void SetAsString(const String& AValue) override;
  void SetAsInteger(Integer AValue) override { SetAsFloat(AValue); }
  void SetAsFloat(double AValue) override;

protected:
  String GetAsString() const override;
  Integer GetAsInteger() const override;
  double GetAsFloat() const override;
  Variant GetAsVariant() const override;
};

// Texts "True" and "False" (also T/F, Y/N, letter case ignored, when written).
class TBooleanField : public TField {
  LUM_CLASS(TBooleanField, TField)
public:
  explicit TBooleanField(TComponent* AOwner);
  void SetAsString(const String& AValue) override;
  void SetAsBoolean(bool AValue) override;

protected:
  String GetAsString() const override;
  bool GetAsBoolean() const override;
  Variant GetAsVariant() const override;
};

// Dates and times as TDateTime; texts are shown in the locale's formats and read in ISO
// form ("2024-05-31", "13:45:10", "2024-05-31 13:45:10").
class TDateTimeField : public TField {
  LUM_CLASS(TDateTimeField, TField)
public:
  explicit TDateTimeField(TComponent* AOwner);
  void SetAsString(const String& AValue) override;
  void SetAsFloat(double AValue) override { SetAsDateTime(AValue); }
  void SetAsDateTime(TDateTime AValue) override;

protected:
  String GetAsString() const override;
  double GetAsFloat() const override { return GetAsDateTime(); }
  TDateTime GetAsDateTime() const override;
  Variant GetAsVariant() const override;
};

class TDateField : public TDateTimeField {
  LUM_CLASS(TDateField, TDateTimeField)
public:
  explicit TDateField(TComponent* AOwner);

protected:
  String GetAsString() const override;
};

class TTimeField : public TDateTimeField {
  LUM_CLASS(TTimeField, TDateTimeField)
public:
  explicit TTimeField(TComponent* AOwner);

protected:
  String GetAsString() const override;
};

// Bytes of any length. Assign takes a blob field, a picture or graphic (stored in its own
// file format) or, for memos, a string list; AssignTo gives them back.
class TBlobField : public TField {
  LUM_CLASS(TBlobField, TField)
public:
  explicit TBlobField(TComponent* AOwner);
  Integer BlobSize() const;
  void LoadFromStream(TStream* AStream);
  void SaveToStream(TStream* AStream) const;
  void LoadFromFile(const String& AFileName);
  void SaveToFile(const String& AFileName) const;
  void Assign(TPersistent* Source) override;

protected:
  String GetDisplayText() const override;
  void AssignTo(TPersistent* Dest) override;
};

class TMemoField : public TBlobField {
  LUM_CLASS(TMemoField, TBlobField)
public:
  explicit TMemoField(TComponent* AOwner);
};

// A picture: BMP, PNG or JPEG bytes (an 8-byte graphic header before them is skipped).
class TGraphicField : public TBlobField {
  LUM_CLASS(TGraphicField, TBlobField)
public:
  explicit TGraphicField(TComponent* AOwner);
};

// The field class of a kind, made for a data set.
std::unique_ptr<TField> CreateField(TFieldType AType);
