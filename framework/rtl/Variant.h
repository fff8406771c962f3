#pragma once

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Types.h"

#include <compare>

LUM_DECLARE_EXCEPTION(EVariantError, Exception);
LUM_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError);
LUM_DECLARE_EXCEPTION(EVariantOverflowError, EVariantError);

// Type codes of a variant, as the framework numbers them.
using TVarType = Word;
inline constexpr TVarType varEmpty = 0x0000;
inline constexpr TVarType varNull = 0x0001;
inline constexpr TVarType varSmallint = 0x0002;
inline constexpr TVarType varInteger = 0x0003;
inline constexpr TVarType varSingle = 0x0004;
inline constexpr TVarType varDouble = 0x0005;
inline constexpr TVarType varCurrency = 0x0006;
inline constexpr TVarType varDate = 0x0007;
inline constexpr TVarType varOleStr = 0x0008; // converting to it gives varString
inline constexpr TVarType varBoolean = 0x000B;
inline constexpr TVarType varByte = 0x0011;
inline constexpr TVarType varInt64 = 0x0014;
inline constexpr TVarType varString = 0x0100;

// A fixed-point amount with four decimals, held as a count of ten-thousandths.
struct Currency {
  static constexpr Int64 Scale = 10000;
  Int64 Scaled = 0;
  auto operator<=>(const Currency&) const = default;
};

// A value of one of the types above. Conversions follow the framework: floats become
// integers by rounding halves to even, texts use "." as the decimal separator, Empty
// converts to 0, "" or False, and Null converts to nothing. A conversion that fails raises
// EVariantTypeCastError "Could not convert variant of type (String) into type (Double)", one
// whose result does not fit EVariantOverflowError "Overflow while converting variant of type
// (Integer) into type (Byte)".
class Variant {
public:
  Variant() = default; // Empty
  Variant(SmallInt AValue) : FType(varSmallint), FInt(AValue) {}
  Variant(Integer AValue) : FType(varInteger), FInt(AValue) {}
  Variant(Byte AValue) : FType(varByte), FInt(AValue) {}
  Variant(Int64 AValue) : FType(varInt64), FInt(AValue) {}
  Variant(bool AValue) : FType(varBoolean), FInt(AValue ? 1 : 0) {}
  Variant(float AValue) : FType(varSingle), FFloat(AValue) {}
  Variant(double AValue) : FType(varDouble), FFloat(AValue) {}
  Variant(Currency AValue) : FType(varCurrency), FInt(AValue.Scaled) {}
  Variant(String AValue) : FType(varString), FString(std::move(AValue)) {}
  Variant(const char* AValue) : Variant(String(AValue ? AValue : "")) {}

  TVarType VType() const { return FType; }

  Integer AsInteger() const; // Boolean True gives -1
  Int64 AsInt64() const;
  bool AsBoolean() const; // numbers: not zero; texts: "True", "False" or a number
  float AsSingle() const;
  double AsDouble() const;
  TDateTime AsDateTime() const;
  Currency AsCurrency() const;
  String AsString() const; // dates as DateTimeToStr gives them

  // Same type and same value; VarSameValue compares across types.
  bool operator==(const Variant& AOther) const;

private:
  friend Variant Null();
  friend Variant VarFromDateTime(TDateTime AValue);
  friend Variant VarAsType(const Variant& AValue, TVarType AType);

  Int64 ToInt64(TVarType ATarget) const;
  double ToDouble(TVarType ATarget) const;
  [[noreturn]] void RaiseCast(TVarType ATarget) const;
  [[noreturn]] void RaiseOverflow(TVarType ATarget) const;

  TVarType FType = varEmpty;
  Int64 FInt = 0;    // integers, Boolean (0 or 1), Currency (scaled)
  double FFloat = 0; // Single, Double, Date
  String FString;
};

Variant Null();
Variant Unassigned();
Variant VarFromDateTime(TDateTime AValue);

TVarType VarType(const Variant& AValue);
bool VarIsEmpty(const Variant& AValue);
bool VarIsNull(const Variant& AValue);
String VarTypeAsText(TVarType AType); // "Smallint", "String", … ; "$00FF" when unknown

// The value converted to the type; EVariantError "Invalid variant type" for a type code
// that no variant here holds.
Variant VarAsType(const Variant& AValue, TVarType AType);
String VarToStr(const Variant& AValue); // Null gives ""
TDateTime VarToDateTime(const Variant& AValue);

// Comparing values of any types: numbers by value, texts case sensitively, a text with a
// number by the text's number. Empty and Null are equal only to themselves.
enum TVariantRelationship { vrEqual, vrLessThan, vrGreaterThan, vrNotEqual };
TVariantRelationship VarCompareValue(const Variant& A, const Variant& B);
bool VarSameValue(const Variant& A, const Variant& B);
