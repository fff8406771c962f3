#include "framework/rtl/Variant.h"

#include "framework/rtl/FormatDateTime.h"
#include "framework/rtl/FormatFloat.h"
#include "framework/rtl/Strings.h"

#include <cmath>
#include <limits>

namespace {

constexpr double Int64Bound = 9223372036854775808.0; // 2^63: the first value beyond Int64

bool IsIntegerType(TVarType AType) {
  return AType == varSmallint || AType == varInteger || AType == varByte || AType == varInt64;
}

bool IsFloatType(TVarType AType) {
  return AType == varSingle || AType == varDouble || AType == varDate;
}

template <class T> bool Fits(Int64 AValue) {
  return AValue >= std::numeric_limits<T>::min() && AValue <= std::numeric_limits<T>::max();
}

// A scaled currency rounded to whole units, halves to even.
Int64 RoundCurrency(Int64 AScaled) {
  constexpr Int64 half = Currency::Scale / 2;
  Int64 whole = AScaled / Currency::Scale;
  const Int64 rest = AScaled % Currency::Scale;
  const bool odd = (whole & 1) != 0;
  if (rest > half || (rest == half && odd)) ++whole;
  if (rest < -half || (rest == -half && odd)) --whole;
  return whole;
}

// "-12.5" for -125000: every decimal the amount has, none more.
String CurrencyText(Int64 AScaled) {
  const bool negative = AScaled < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(AScaled) : static_cast<std::uint64_t>(AScaled);
  constexpr auto scale = static_cast<std::uint64_t>(Currency::Scale);
  String text = std::to_string(magnitude / scale);
  if (const std::uint64_t fraction = magnitude % scale; fraction != 0) {
    String digits = std::to_string(fraction + scale).substr(1);
    while (digits.back() == '0') digits.pop_back();
    text += '.' + digits;
  }
  return negative ? '-' + text : text;
}

TVariantRelationship RelationOf(int AComparison) {
  return AComparison < 0 ? vrLessThan : AComparison > 0 ? vrGreaterThan : vrEqual;
}

template <class T> TVariantRelationship Relation(T A, T B) {
  if (A < B) return vrLessThan;
  if (A > B) return vrGreaterThan;
  return A == B ? vrEqual : vrNotEqual;
}

} // namespace

void Variant::RaiseCast(TVarType ATarget) const {
  throw EVariantTypeCastError("Could not convert variant of type (" + VarTypeAsText(FType) +
                              ") into type (" + VarTypeAsText(ATarget) + ")");
}

void Variant::RaiseOverflow(TVarType ATarget) const {
  throw EVariantOverflowError("Overflow while converting variant of type (" + VarTypeAsText(FType) +
                              ") into type (" + VarTypeAsText(ATarget) + ")");
}

Int64 Variant::ToInt64(TVarType ATarget) const {
  const auto rounded = [&](double AValue) {
    if (!(std::fabs(AValue) < Int64Bound)) RaiseOverflow(ATarget);
    return static_cast<Int64>(std::nearbyint(AValue));
  };
  if (FType == varEmpty) return 0;
  if (IsIntegerType(FType)) return FInt;
  if (FType == varBoolean) return FInt != 0 ? -1 : 0;
  if (FType == varCurrency) return RoundCurrency(FInt);
  if (IsFloatType(FType)) return rounded(FFloat);
  if (FType == varString) {
    Int64 whole;
    if (TryStrToInt64(FString, whole)) return whole;
    double value;
    if (TryStrToFloat(FString, value)) return rounded(value);
  }
  RaiseCast(ATarget);
}

double Variant::ToDouble(TVarType ATarget) const {
  if (FType == varEmpty) return 0;
  if (IsIntegerType(FType)) return static_cast<double>(FInt);
  if (FType == varBoolean) return FInt != 0 ? -1 : 0;
  if (FType == varCurrency) return static_cast<double>(FInt) / Currency::Scale;
  if (IsFloatType(FType)) return FFloat;
  double value;
  if (FType == varString && TryStrToFloat(FString, value)) return value;
  RaiseCast(ATarget);
}

Integer Variant::AsInteger() const {
  const Int64 value = ToInt64(varInteger);
  if (!Fits<Integer>(value)) RaiseOverflow(varInteger);
  return static_cast<Integer>(value);
}

Int64 Variant::AsInt64() const { return ToInt64(varInt64); }

bool Variant::AsBoolean() const {
  if (FType == varString) {
    if (SameText(FString, "True")) return true;
    if (SameText(FString, "False")) return false;
  }
  if (FType == varString || IsFloatType(FType)) return ToDouble(varBoolean) != 0;
  if (FType == varCurrency) return FInt != 0;
  return ToInt64(varBoolean) != 0;
}

float Variant::AsSingle() const {
  const double value = ToDouble(varSingle);
  if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
    RaiseOverflow(varSingle);
  return static_cast<float>(value);
}

double Variant::AsDouble() const { return ToDouble(varDouble); }

TDateTime Variant::AsDateTime() const { return ToDouble(varDate); }

Currency Variant::AsCurrency() const {
  if (FType == varCurrency) return Currency{FInt};
  if (IsIntegerType(FType) || FType == varBoolean) {
    const Int64 units = ToInt64(varCurrency);
    constexpr Int64 limit = std::numeric_limits<Int64>::max() / Currency::Scale;
    if (units > limit || units < -limit) RaiseOverflow(varCurrency);
    return Currency{units * Currency::Scale};
  }
  const double scaled = ToDouble(varCurrency) * Currency::Scale;
  if (!(std::fabs(scaled) < Int64Bound)) RaiseOverflow(varCurrency);
  return Currency{static_cast<Int64>(std::nearbyint(scaled))};
}

String Variant::AsString() const {
  if (FType == varEmpty) return "";
  if (IsIntegerType(FType)) return IntToStr(FInt);
  switch (FType) {
  case varBoolean:
    return FInt != 0 ? "True" : "False";
  case varSingle:
    return FloatToStrF(FFloat, ffGeneral, 7, 0);
  case varDouble:
    return FloatToStr(FFloat);
  case varDate:
    return DateTimeToStr(FFloat);
  case varCurrency:
    return CurrencyText(FInt);
  case varString:
    return FString;
  default:
    RaiseCast(varString);
  }
}

bool Variant::operator==(const Variant& AOther) const {
  return FType == AOther.FType && FInt == AOther.FInt && FFloat == AOther.FFloat &&
         FString == AOther.FString;
}

Variant Null() {
  Variant v;
  v.FType = varNull;
  return v;
}

Variant Unassigned() { return Variant(); }

Variant VarFromDateTime(TDateTime AValue) {
  Variant v;
  v.FType = varDate;
  v.FFloat = AValue;
  return v;
}

TVarType VarType(const Variant& AValue) { return AValue.VType(); }
bool VarIsEmpty(const Variant& AValue) { return AValue.VType() == varEmpty; }
bool VarIsNull(const Variant& AValue) { return AValue.VType() == varNull; }

String VarTypeAsText(TVarType AType) {
  switch (AType) {
  case varEmpty:
    return "Empty";
  case varNull:
    return "Null";
  case varSmallint:
    return "Smallint";
  case varInteger:
    return "Integer";
  case varSingle:
    return "Single";
  case varDouble:
    return "Double";
  case varCurrency:
    return "Currency";
  case varDate:
    return "Date";
  case varOleStr:
    return "OleStr";
  case varBoolean:
    return "Boolean";
  case varByte:
    return "Byte";
  case varInt64:
    return "Int64";
  case varString:
    return "String";
  default:
    return "$" + IntToHex(AType, 4);
  }
}

Variant VarAsType(const Variant& AValue, TVarType AType) {
  switch (AType) {
  case varEmpty:
    return Unassigned();
  case varNull:
    return Null();
  case varSmallint:
  case varByte: {
    const Int64 value = AValue.ToInt64(AType);
    if (AType == varByte ? !Fits<Byte>(value) : !Fits<SmallInt>(value)) AValue.RaiseOverflow(AType);
    return AType == varByte ? Variant(static_cast<Byte>(value))
                            : Variant(static_cast<SmallInt>(value));
  }
  case varInteger:
    return AValue.AsInteger();
  case varInt64:
    return AValue.AsInt64();
  case varSingle:
    return AValue.AsSingle();
  case varDouble:
    return AValue.AsDouble();
  case varDate:
    return VarFromDateTime(AValue.AsDateTime());
  case varCurrency:
    return AValue.AsCurrency();
  case varBoolean:
    return AValue.AsBoolean();
  case varOleStr:
  case varString:
    return AValue.AsString();
  default:
    throw EVariantError("Invalid variant type");
  }
}

String VarToStr(const Variant& AValue) { return VarIsNull(AValue) ? "" : AValue.AsString(); }

TDateTime VarToDateTime(const Variant& AValue) { return AValue.AsDateTime(); }

TVariantRelationship VarCompareValue(const Variant& A, const Variant& B) {
  const TVarType a = A.VType();
  const TVarType b = B.VType();
  if (a == varEmpty || a == varNull || b == varEmpty || b == varNull)
    return a == b ? vrEqual : vrNotEqual;
  if (a == varString && b == varString)
    return RelationOf(AnsiCompareStr(A.AsString(), B.AsString()));
  if (a == varCurrency && b == varCurrency) return Relation(A.AsCurrency(), B.AsCurrency());
  const bool ordinalA = IsIntegerType(a) || a == varBoolean;
  const bool ordinalB = IsIntegerType(b) || b == varBoolean;
  if (ordinalA && ordinalB) return Relation(A.AsInt64(), B.AsInt64());
  return Relation(A.AsDouble(), B.AsDouble());
}

bool VarSameValue(const Variant& A, const Variant& B) {
  try {
    return VarCompareValue(A, B) == vrEqual;
  } catch (const EVariantTypeCastError&) {
    return false;
  }
}
