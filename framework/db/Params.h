#pragma once

#include "framework/db/DbTypes.h"
#include "framework/rtl/Variant.h"

#include <memory>
#include <vector>

// A named value bound into an SQL statement (":Name" in its text).
class TParam {
public:
  explicit TParam(String AName) : FName(std::move(AName)) {}

  const String& Name() const { return FName; }
  TFieldType DataType() const { return FDataType; }
  bool Bound() const { return FBound; }
  bool IsNull() const { return IsNullValue(FValue); }
  const TFieldValue& Data() const { return FValue; }

  String AsString() const;
  Integer AsInteger() const;
  double AsFloat() const;
  bool AsBoolean() const;
  TDateTime AsDateTime() const;
  Variant Value() const;

  void SetAsString(const String& AValue) { Set(ftString, AValue); }
  void SetAsMemo(const String& AValue) { Set(ftMemo, AValue); }
  void SetAsBlob(const String& ABytes) { Set(ftBlob, ABytes); }
  void SetAsInteger(Integer AValue) { Set(ftInteger, Int64{AValue}); }
  void SetAsSmallInt(SmallInt AValue) { Set(ftSmallint, Int64{AValue}); }
  void SetAsFloat(double AValue) { Set(ftFloat, AValue); }
  void SetAsBoolean(bool AValue) { Set(ftBoolean, Int64{AValue ? 1 : 0}); }
  void SetAsDateTime(TDateTime AValue) { Set(ftDateTime, AValue); }
  void SetValue(const Variant& AValue);
  void Clear(); // bound to null

  // Keeps the value of a parameter of the same name when the SQL text changes.
  void AssignValue(const TParam& ASource);

private:
  void Set(TFieldType AType, TFieldValue AValue);

  String FName;
  TFieldType FDataType = ftUnknown;
  TFieldValue FValue;
  bool FBound = false;
};

class TParams {
public:
  int Count() const { return static_cast<int>(FItems.size()); }
  TParam* Items(int AIndex) const;                // EListError outside 0..Count-1
  TParam* FindParam(const String& AName) const;   // letter case ignored
  TParam* ParamByName(const String& AName) const; // EDatabaseError "Parameter 'X' not found"
  // The parameters named in an SQL text, values kept where the names stay.
  void ParseSQL(const String& ASql);
  void Clear() { FItems.clear(); }

private:
  std::vector<std::unique_ptr<TParam>> FItems;
};
