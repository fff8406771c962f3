#include "framework/db/Params.h"

#include "framework/rtl/Checked.h"
#include "framework/rtl/FormatDateTime.h"
#include "framework/rtl/Maths.h"
#include "framework/rtl/Strings.h"

#include <cctype>
#include <cmath>

namespace {

bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// Skips a quoted text or a comment starting at I; answers whether there was one.
bool SkipQuotedOrComment(const String& ASql, std::size_t& I) {
  const char c = ASql[I];
  if (c == '\'' || c == '"' || c == '`' || c == '[') {
    const char close = c == '[' ? ']' : c;
    const std::size_t end = ASql.find(close, I + 1);
    I = end == String::npos ? ASql.size() : end + 1;
    return true;
  }
  if (ASql.compare(I, 2, "--") == 0) {
    const std::size_t end = ASql.find('\n', I);
    I = end == String::npos ? ASql.size() : end + 1;
    return true;
  }
  if (ASql.compare(I, 2, "/*") == 0) {
    const std::size_t end = ASql.find("*/", I + 2);
    I = end == String::npos ? ASql.size() : end + 2;
    return true;
  }
  return false;
}

std::vector<String> ParameterNames(const String& ASql) {
  std::vector<String> names;
  std::size_t i = 0;
  while (i < ASql.size()) {
    if (SkipQuotedOrComment(ASql, i)) continue;
    const bool prefix = ASql[i] == ':' || ASql[i] == '@' || ASql[i] == '$';
    if (!prefix || i + 1 >= ASql.size() || !IsNameChar(ASql[i + 1]) ||
        (i > 0 && (ASql[i - 1] == ':' || IsNameChar(ASql[i - 1])))) {
      ++i;
      continue;
    }
    std::size_t end = i + 1;
    while (end < ASql.size() && IsNameChar(ASql[end])) ++end;
    names.push_back(ASql.substr(i + 1, end - i - 1));
    i = end;
  }
  return names;
}

} // namespace

void TParam::Set(TFieldType AType, TFieldValue AValue) {
  FDataType = AType;
  FValue = std::move(AValue);
  FBound = true;
}

void TParam::Clear() {
  FValue = {};
  FBound = true;
}

void TParam::AssignValue(const TParam& ASource) {
  FDataType = ASource.FDataType;
  FValue = ASource.FValue;
  FBound = ASource.FBound;
}

void TParam::SetValue(const Variant& AValue) {
  switch (AValue.VType()) {
  case varEmpty:
  case varNull:
    Clear();
    return;
  case varBoolean:
    SetAsBoolean(AValue.AsBoolean());
    return;
  case varDate:
    SetAsDateTime(AValue.AsDateTime());
    return;
  case varSmallint:
  case varInteger:
  case varByte:
  case varInt64:
    Set(ftInteger, AValue.AsInt64());
    return;
  case varSingle:
  case varDouble:
  case varCurrency:
    SetAsFloat(AValue.AsDouble());
    return;
  default:
    SetAsString(AValue.AsString());
    return;
  }
}

String TParam::AsString() const {
  if (const auto* s = std::get_if<String>(&FValue)) return *s;
  if (const auto* i = std::get_if<Int64>(&FValue))
    return FDataType == ftBoolean ? String(*i ? "True" : "False") : IntToStr(*i);
  if (const auto* d = std::get_if<double>(&FValue))
    return FDataType == ftDateTime ? DateTimeToStr(*d) : FloatToStr(*d);
  return {};
}

Integer TParam::AsInteger() const {
  if (const auto* s = std::get_if<String>(&FValue)) return StrToInt(*s);
  if (const auto* d = std::get_if<double>(&FValue)) {
    if (!(std::fabs(*d) < 2.2e9)) throw ERangeError(RtlMessages::RangeError);
    return RangeChecked<Integer>(Round(*d));
  }
  if (const auto* i = std::get_if<Int64>(&FValue)) return RangeChecked<Integer>(*i);
  return 0;
}

double TParam::AsFloat() const {
  if (const auto* s = std::get_if<String>(&FValue)) return StrToFloat(*s);
  if (const auto* d = std::get_if<double>(&FValue)) return *d;
  if (const auto* i = std::get_if<Int64>(&FValue)) return static_cast<double>(*i);
  return 0;
}

bool TParam::AsBoolean() const {
  if (const auto* s = std::get_if<String>(&FValue)) return Variant(*s).AsBoolean();
  return AsFloat() != 0;
}

TDateTime TParam::AsDateTime() const { return AsFloat(); }

Variant TParam::Value() const {
  if (IsNull()) return Null();
  switch (FDataType) {
  case ftBoolean:
    return Variant(AsBoolean());
  case ftDateTime:
    return VarFromDateTime(AsDateTime());
  default:
    break;
  }
  if (const auto* i = std::get_if<Int64>(&FValue)) return Variant(*i);
  if (const auto* d = std::get_if<double>(&FValue)) return Variant(*d);
  return Variant(AsString());
}

TParam* TParams::Items(int AIndex) const {
  if (AIndex < 0 || AIndex >= Count())
    throw EListError("List index out of bounds (" + IntToStr(AIndex) + ")");
  return FItems[static_cast<std::size_t>(AIndex)].get();
}

TParam* TParams::FindParam(const String& AName) const {
  for (const auto& p : FItems)
    if (SameText(p->Name(), AName)) return p.get();
  return nullptr;
}

TParam* TParams::ParamByName(const String& AName) const {
  TParam* p = FindParam(AName);
  if (!p) DatabaseError("Parameter '" + AName + "' not found");
  return p;
}

void TParams::ParseSQL(const String& ASql) {
  std::vector<std::unique_ptr<TParam>> items;
  for (const String& name : ParameterNames(ASql)) {
    bool seen = false;
    for (const auto& p : items) seen = seen || SameText(p->Name(), name);
    if (seen) continue;
    auto param = std::make_unique<TParam>(name);
    if (const TParam* old = FindParam(name)) param->AssignValue(*old);
    items.push_back(std::move(param));
  }
  FItems = std::move(items);
}
