#include "framework/classes/TypeInfo.h"

#include "framework/rtl/Strings.h"

int TTypeInfo::OrdSize() const {
  switch (OrdType) {
  case otSByte:
  case otUByte:
    return 1;
  case otSWord:
  case otUWord:
    return 2;
  case otSLong:
  case otULong:
    return 4;
  case otSQuad:
    return 8;
  }
  return 4;
}

namespace lum {

namespace {

TTypeInfo OrdinalInfo(TTypeKind AKind, const char* AName, TOrdType AType, Int64 AMin, Int64 AMax) {
  TTypeInfo i;
  i.Kind = AKind;
  i.Name = AName;
  i.OrdType = AType;
  i.MinValue = AMin;
  i.MaxValue = AMax;
  return i;
}

std::vector<String> SplitValueList(const char* AValueList) {
  std::vector<String> names;
  String current;
  for (const char* p = AValueList;; ++p) {
    if (*p == ',' || *p == '\0') {
      names.push_back(Trim(current));
      current.clear();
      if (*p == '\0') break;
    } else {
      current += *p;
    }
  }
  return names;
}

} // namespace

TTypeInfo MakeEnumTypeInfo(const char* AName, const char* AValueList) {
  TTypeInfo i;
  i.Kind = tkEnumeration;
  i.Name = AName;
  i.EnumNames = SplitValueList(AValueList);
  i.MinValue = 0;
  i.MaxValue = static_cast<Int64>(i.EnumNames.size()) - 1;
  i.OrdType = i.EnumNames.size() <= 256 ? otUByte : otUWord;
  return i;
}

TTypeInfo MakeSetTypeInfo(const TTypeInfo* AElement) {
  TTypeInfo i;
  i.Kind = tkSet;
  i.Name = "set of " + AElement->Name;
  i.CompType = AElement;
  const Int64 count = AElement->MaxValue + 1;
  i.OrdType = count <= 8 ? otUByte : count <= 16 ? otUWord : count <= 32 ? otULong : otSQuad;
  i.MinValue = 0;
  i.MaxValue = count >= 64 ? -1 : (Int64{1} << count) - 1;
  return i;
}

const TTypeInfo* BooleanTypeInfo() {
  static const TTypeInfo Info = [] {
    TTypeInfo i = OrdinalInfo(tkEnumeration, "Boolean", otUByte, 0, 1);
    i.EnumNames = {"False", "True"};
    return i;
  }();
  return &Info;
}

const TTypeInfo* CharTypeInfo() {
  static const TTypeInfo Info = OrdinalInfo(tkChar, "Char", otUByte, 0, 255);
  return &Info;
}

const TTypeInfo* StringTypeInfo() {
  static const TTypeInfo Info = [] {
    TTypeInfo i;
    i.Kind = tkLString;
    i.Name = "String";
    return i;
  }();
  return &Info;
}

const TTypeInfo* MethodTypeInfo() {
  static const TTypeInfo Info = [] {
    TTypeInfo i;
    i.Kind = tkMethod;
    i.Name = "TMethod";
    return i;
  }();
  return &Info;
}

const TTypeInfo* FloatTypeInfo(TFloatType AType) {
  static const TTypeInfo Infos[] = {[] {
                                      TTypeInfo i;
                                      i.Kind = tkFloat, i.Name = "Single", i.FloatType = ftSingle;
                                      return i;
                                    }(),
                                    [] {
                                      TTypeInfo i;
                                      i.Kind = tkFloat, i.Name = "Double", i.FloatType = ftDouble;
                                      return i;
                                    }(),
                                    [] {
                                      TTypeInfo i;
                                      i.Kind = tkFloat, i.Name = "Extended",
                                      i.FloatType = ftExtended;
                                      return i;
                                    }()};
  return &Infos[AType];
}

const TTypeInfo* IntegerTypeInfo(const char* AName, TOrdType AType, Int64 AMin, Int64 AMax) {
  static const TTypeInfo Infos[] = {
      OrdinalInfo(tkInteger, "ShortInt", otSByte, -128, 127),
      OrdinalInfo(tkInteger, "Byte", otUByte, 0, 255),
      OrdinalInfo(tkInteger, "SmallInt", otSWord, -32768, 32767),
      OrdinalInfo(tkInteger, "Word", otUWord, 0, 65535),
      OrdinalInfo(tkInteger, "Integer", otSLong, INT32_MIN, INT32_MAX),
      OrdinalInfo(tkInteger, "Cardinal", otULong, 0, UINT32_MAX),
      OrdinalInfo(tkInt64, "Int64", otSQuad, INT64_MIN, INT64_MAX)};
  const TTypeInfo& i = Infos[AType];
  if (i.Name != AName || i.MinValue != AMin || i.MaxValue != AMax)
    throw EPropertyError(String("Unsupported integer type ") + AName);
  return &i;
}

void RaisePropertyRange(const TPropInfo& AProp, Int64 AValue) {
  throw ERangeError("Value " + IntToStr(AValue) + " out of range for property " + AProp.Name +
                    " (" + IntToStr(AProp.PropType->MinValue) + ".." +
                    IntToStr(AProp.PropType->MaxValue) + ")");
}

void RaiseMethodMismatch(const TPropInfo& AProp, const TMethod& AValue) {
  throw EPropertyConvertError("Method " + AValue.Name + " cannot handle " + AProp.Name);
}

const TMethodEntry* FindMethodEntry(TClass AClass, const String& AName) {
  return AClass ? AClass->FindMethod(AName) : nullptr;
}

} // namespace lum

namespace {

const TPropInfo& RequireProp(const TObject* AObject, const String& AName) {
  const TPropInfo* p = GetPropInfo(AObject, AName);
  if (!p) throw EPropertyError("Property " + AName + " does not exist");
  return *p;
}

template <class F> void RequireAccessor(const TPropInfo* AProp, F AAccessor, const char* AWhat) {
  if (!AAccessor)
    throw EPropertyError("Property " + AProp->Name + " is not " + AWhat + " property");
}

bool IsOrdinalKind(TTypeKind AKind) {
  return AKind == tkInteger || AKind == tkChar || AKind == tkEnumeration || AKind == tkSet ||
         AKind == tkInt64;
}

} // namespace

TPropList GetPropList(TClass AClass, TTypeKinds AKinds) {
  TPropList result;
  if (!AClass) return result;
  for (const TPropInfo* p : AClass->Properties())
    if (AKinds.Contains(p->PropType->Kind)) result.push_back(p);
  return result;
}

TPropList GetPropList(const TObject* AObject, TTypeKinds AKinds) {
  return GetPropList(AObject ? AObject->ClassType() : nullptr, AKinds);
}

const TPropInfo* GetPropInfo(TClass AClass, const String& AName, TTypeKinds AKinds) {
  const TPropInfo* p = AClass ? AClass->FindProperty(AName) : nullptr;
  return p && AKinds.Contains(p->PropType->Kind) ? p : nullptr;
}

const TPropInfo* GetPropInfo(const TObject* AObject, const String& AName, TTypeKinds AKinds) {
  return GetPropInfo(AObject ? AObject->ClassType() : nullptr, AName, AKinds);
}

bool IsPublishedProp(TClass AClass, const String& AName) {
  return GetPropInfo(AClass, AName) != nullptr;
}

bool IsPublishedProp(const TObject* AObject, const String& AName) {
  return GetPropInfo(AObject, AName) != nullptr;
}

bool IsStoredProp(const TObject* AObject, const TPropInfo* AProp) {
  return !AProp->StoredProc || AProp->StoredProc(AObject);
}

bool IsDefaultPropValue(const TObject* AObject, const TPropInfo* AProp) {
  const TTypeKind kind = AProp->PropType->Kind;
  if (IsOrdinalKind(kind)) return AProp->HasDefault && AProp->GetOrd(AObject) == AProp->Default;
  if (kind == tkFloat)
    return AProp->GetFloat(AObject) == static_cast<Extended>(AProp->FloatDefault);
  if (kind == tkLString) return AProp->GetStr(AObject).empty();
  if (kind == tkMethod) return !AProp->GetMethod(AObject).Assigned();
  return false;
}

String GetStrProp(const TObject* AObject, const TPropInfo* AProp) {
  RequireAccessor(AProp, AProp->GetStr, "a string");
  return AProp->GetStr(AObject);
}
String GetStrProp(const TObject* AObject, const String& AName) {
  return GetStrProp(AObject, &RequireProp(AObject, AName));
}
void SetStrProp(TObject* AObject, const TPropInfo* AProp, const String& AValue) {
  RequireAccessor(AProp, AProp->SetStr, "a string");
  AProp->SetStr(AObject, AValue);
}
void SetStrProp(TObject* AObject, const String& AName, const String& AValue) {
  SetStrProp(AObject, &RequireProp(AObject, AName), AValue);
}

Int64 GetOrdProp(const TObject* AObject, const TPropInfo* AProp) {
  RequireAccessor(AProp, AProp->GetOrd, "an ordinal");
  return AProp->GetOrd(AObject);
}
Int64 GetOrdProp(const TObject* AObject, const String& AName) {
  return GetOrdProp(AObject, &RequireProp(AObject, AName));
}
void SetOrdProp(TObject* AObject, const TPropInfo* AProp, Int64 AValue) {
  RequireAccessor(AProp, AProp->SetOrd, "an ordinal");
  const TTypeInfo& t = *AProp->PropType;
  if (t.Kind == tkSet) {
    if (t.MaxValue != -1 && (AValue & ~t.MaxValue) != 0) lum::RaisePropertyRange(*AProp, AValue);
  } else if (AValue < t.MinValue || AValue > t.MaxValue) {
    lum::RaisePropertyRange(*AProp, AValue);
  }
  AProp->SetOrd(AObject, AValue);
}
void SetOrdProp(TObject* AObject, const String& AName, Int64 AValue) {
  SetOrdProp(AObject, &RequireProp(AObject, AName), AValue);
}

String GetEnumProp(const TObject* AObject, const TPropInfo* AProp) {
  return GetEnumName(AProp->PropType, GetOrdProp(AObject, AProp));
}
String GetEnumProp(const TObject* AObject, const String& AName) {
  return GetEnumProp(AObject, &RequireProp(AObject, AName));
}
void SetEnumProp(TObject* AObject, const TPropInfo* AProp, const String& AValue) {
  const int value = GetEnumValue(AProp->PropType, AValue);
  if (value < 0) throw EPropertyConvertError("Invalid property element: " + AValue);
  SetOrdProp(AObject, AProp, value);
}
void SetEnumProp(TObject* AObject, const String& AName, const String& AValue) {
  SetEnumProp(AObject, &RequireProp(AObject, AName), AValue);
}

Extended GetFloatProp(const TObject* AObject, const TPropInfo* AProp) {
  RequireAccessor(AProp, AProp->GetFloat, "a floating point");
  return AProp->GetFloat(AObject);
}
Extended GetFloatProp(const TObject* AObject, const String& AName) {
  return GetFloatProp(AObject, &RequireProp(AObject, AName));
}
void SetFloatProp(TObject* AObject, const TPropInfo* AProp, Extended AValue) {
  RequireAccessor(AProp, AProp->SetFloat, "a floating point");
  const Extended limit = AProp->PropType->FloatType == ftSingle
                             ? static_cast<Extended>(std::numeric_limits<float>::max())
                         : AProp->PropType->FloatType == ftDouble
                             ? static_cast<Extended>(std::numeric_limits<double>::max())
                             : std::numeric_limits<Extended>::max();
  if (AValue > limit || AValue < -limit)
    throw ERangeError("Value " + FloatToStr(static_cast<double>(AValue)) +
                      " out of range for property " + AProp->Name);
  AProp->SetFloat(AObject, AValue);
}
void SetFloatProp(TObject* AObject, const String& AName, Extended AValue) {
  SetFloatProp(AObject, &RequireProp(AObject, AName), AValue);
}

TObject* GetObjectProp(const TObject* AObject, const TPropInfo* AProp) {
  RequireAccessor(AProp, AProp->GetObject, "a class");
  return AProp->GetObject(AObject);
}
TObject* GetObjectProp(const TObject* AObject, const String& AName) {
  return GetObjectProp(AObject, &RequireProp(AObject, AName));
}
void SetObjectProp(TObject* AObject, const TPropInfo* AProp, TObject* AValue) {
  RequireAccessor(AProp, AProp->SetObject, "a class");
  const TClass expected = AProp->PropType->ClassType();
  if (AValue && !AValue->InheritsFrom(expected))
    throw EPropertyConvertError("Cannot assign a " + AValue->ClassName() + " to property " +
                                AProp->Name + " of type " + expected->ClassName());
  AProp->SetObject(AObject, AValue);
}
void SetObjectProp(TObject* AObject, const String& AName, TObject* AValue) {
  SetObjectProp(AObject, &RequireProp(AObject, AName), AValue);
}

TMethod GetMethodProp(const TObject* AObject, const TPropInfo* AProp) {
  RequireAccessor(AProp, AProp->GetMethod, "a method");
  return AProp->GetMethod(AObject);
}
TMethod GetMethodProp(const TObject* AObject, const String& AName) {
  return GetMethodProp(AObject, &RequireProp(AObject, AName));
}
void SetMethodProp(TObject* AObject, const TPropInfo* AProp, const TMethod& AValue) {
  RequireAccessor(AProp, AProp->SetMethod, "a method");
  AProp->SetMethod(*AProp, AObject, AValue);
}
void SetMethodProp(TObject* AObject, const String& AName, const TMethod& AValue) {
  SetMethodProp(AObject, &RequireProp(AObject, AName), AValue);
}

String GetSetProp(const TObject* AObject, const TPropInfo* AProp, bool ABrackets) {
  if (AProp->PropType->Kind != tkSet)
    throw EPropertyError("Property " + AProp->Name + " is not a set property");
  return SetToString(AProp->PropType, static_cast<std::uint64_t>(GetOrdProp(AObject, AProp)),
                     ABrackets);
}
String GetSetProp(const TObject* AObject, const String& AName, bool ABrackets) {
  return GetSetProp(AObject, &RequireProp(AObject, AName), ABrackets);
}
void SetSetProp(TObject* AObject, const TPropInfo* AProp, const String& AValue) {
  if (AProp->PropType->Kind != tkSet)
    throw EPropertyError("Property " + AProp->Name + " is not a set property");
  SetOrdProp(AObject, AProp, static_cast<Int64>(StringToSet(AProp->PropType, AValue)));
}
void SetSetProp(TObject* AObject, const String& AName, const String& AValue) {
  SetSetProp(AObject, &RequireProp(AObject, AName), AValue);
}

bool IntToIdent(Int64 AValue, String& AIdent, TIdentMap AMap) {
  for (const TIdentMapEntry& e : AMap)
    if (e.Value == AValue) {
      AIdent = e.Name;
      return true;
    }
  return false;
}

bool IdentToInt(const String& AIdent, Int64& AValue, TIdentMap AMap) {
  for (const TIdentMapEntry& e : AMap)
    if (SameText(e.Name, AIdent)) {
      AValue = e.Value;
      return true;
    }
  return false;
}

String GetEnumName(const TTypeInfo* AType, Int64 AValue) {
  if (AValue < 0 || AValue >= static_cast<Int64>(AType->EnumNames.size())) return "";
  return AType->EnumNames[static_cast<std::size_t>(AValue)];
}

int GetEnumValue(const TTypeInfo* AType, const String& AName) {
  for (std::size_t i = 0; i < AType->EnumNames.size(); ++i)
    if (SameText(AType->EnumNames[i], AName)) return static_cast<int>(i);
  return -1;
}

String SetToString(const TTypeInfo* ASetType, std::uint64_t ABits, bool ABrackets) {
  String result;
  const TTypeInfo* element = ASetType->CompType;
  for (std::size_t i = 0; i < element->EnumNames.size() && i < 64; ++i) {
    if ((ABits >> i & 1) == 0) continue;
    if (!result.empty()) result += ',';
    result += element->EnumNames[i];
  }
  return ABrackets ? "[" + result + "]" : result;
}

std::uint64_t StringToSet(const TTypeInfo* ASetType, const String& AValue) {
  String text = Trim(AValue);
  if (!text.empty() && text.front() == '[' && text.back() == ']')
    text = text.substr(1, text.size() - 2);
  std::uint64_t bits = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == String::npos) comma = text.size();
    const String name = Trim(text.substr(start, comma - start));
    if (!name.empty()) {
      const int value = GetEnumValue(ASetType->CompType, name);
      if (value < 0 || value >= 64)
        throw EPropertyConvertError("Invalid property element: " + name);
      bits |= std::uint64_t{1} << value;
    }
    start = comma + 1;
  }
  return bits;
}
