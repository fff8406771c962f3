#pragma once

// Type information of published properties and methods.

#include "framework/classes/Object.h"

#include "framework/classes/Sets.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Types.h"

#include <any>
#include <functional>
#include <limits>
#include <memory>
#include <span>
#include <type_traits>
#include <vector>

LUM_DECLARE_EXCEPTION(EPropertyError, Exception);
LUM_DECLARE_EXCEPTION(EPropertyConvertError, Exception);

enum TTypeKind {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWChar,
  tkLString,
  tkWString,
  tkVariant,
  tkInt64
};
using TTypeKinds = TSet<TTypeKind>;
inline constexpr TTypeKinds tkAny = TTypeKinds::FromBits((1u << (tkInt64 + 1)) - 1);
inline constexpr TTypeKinds tkMethods = TTypeKinds{tkMethod};
inline constexpr TTypeKinds tkProperties = tkAny - tkMethods - TTypeKinds{tkUnknown};

enum TOrdType { otSByte, otUByte, otSWord, otUWord, otSLong, otULong, otSQuad };
enum TFloatType { ftSingle, ftDouble, ftExtended };

// Description of a property's type.
struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  String Name;
  TOrdType OrdType = otSLong;          // ordinal kinds
  Int64 MinValue = 0;                  // ordinal kinds
  Int64 MaxValue = 0;                  // ordinal kinds
  std::vector<String> EnumNames;       // tkEnumeration, in order
  const TTypeInfo* CompType = nullptr; // tkSet: the element type
  TFloatType FloatType = ftDouble;     // tkFloat
  TClass (*ClassOf)() = nullptr;       // tkClass

  TClass ClassType() const { return ClassOf ? ClassOf() : nullptr; }
  int OrdSize() const; // bytes of an ordinal: 1, 2, 4 or 8
};

// A handler bound to a published method by name: the object it runs on and the method.
struct TMethod {
  TObject* Data = nullptr;
  String Name;
  bool Assigned() const { return Data != nullptr && !Name.empty(); }
};

// A name for an integer value, as form files write colours: {clBlack, "clBlack"}.
struct TIdentMapEntry {
  Int64 Value;
  const char* Name;
};
using TIdentMap = std::span<const TIdentMapEntry>;

// One published property. The accessors of its kind are set, the others are null.
struct TPropInfo {
  String Name;
  const TTypeInfo* PropType = nullptr;
  bool HasDefault = false;
  Int64 Default = 0;         // ordinal kinds
  double FloatDefault = 0.0; // tkFloat
  bool (*StoredProc)(const TObject*) = nullptr;
  TIdentMap Idents; // tkInteger: names written and read instead of numbers

  Int64 (*GetOrd)(const TObject*) = nullptr;
  void (*SetOrd)(TObject*, Int64) = nullptr;
  Extended (*GetFloat)(const TObject*) = nullptr;
  void (*SetFloat)(TObject*, Extended) = nullptr;
  String (*GetStr)(const TObject*) = nullptr;
  void (*SetStr)(TObject*, const String&) = nullptr;
  TObject* (*GetObject)(const TObject*) = nullptr;
  void (*SetObject)(TObject*, TObject*) = nullptr;
  TMethod (*GetMethod)(const TObject*) = nullptr;
  void (*SetMethod)(const TPropInfo&, TObject*, const TMethod&) = nullptr;
  bool (*MethodAssigned)(const TObject*) = nullptr;
};

// One published method: a name and how to bind a handler of its signature to an object.
struct TMethodEntry {
  String Name;
  std::any (*Bind)(TObject* AData, const String& AName) = nullptr;
};

using TPropList = std::vector<const TPropInfo*>;

TPropList GetPropList(const TObject* AObject, TTypeKinds AKinds = tkProperties);
TPropList GetPropList(TClass AClass, TTypeKinds AKinds = tkProperties);
const TPropInfo* GetPropInfo(const TObject* AObject, const String& AName,
                             TTypeKinds AKinds = tkAny);
const TPropInfo* GetPropInfo(TClass AClass, const String& AName, TTypeKinds AKinds = tkAny);
bool IsPublishedProp(const TObject* AObject, const String& AName);
bool IsPublishedProp(TClass AClass, const String& AName);
bool IsStoredProp(const TObject* AObject, const TPropInfo* AProp);
bool IsDefaultPropValue(const TObject* AObject, const TPropInfo* AProp);

// Accessors; the overloads taking a name raise EPropertyError "Property X does not exist",
// a property of another kind raises EPropertyError, a value outside the property's range
// raises ERangeError naming the property.
String GetStrProp(const TObject* AObject, const TPropInfo* AProp);
String GetStrProp(const TObject* AObject, const String& AName);
void SetStrProp(TObject* AObject, const TPropInfo* AProp, const String& AValue);
void SetStrProp(TObject* AObject, const String& AName, const String& AValue);
Int64 GetOrdProp(const TObject* AObject, const TPropInfo* AProp);
Int64 GetOrdProp(const TObject* AObject, const String& AName);
void SetOrdProp(TObject* AObject, const TPropInfo* AProp, Int64 AValue);
void SetOrdProp(TObject* AObject, const String& AName, Int64 AValue);
String GetEnumProp(const TObject* AObject, const TPropInfo* AProp);
String GetEnumProp(const TObject* AObject, const String& AName);
// EPropertyConvertError "Invalid property element: X" for an unknown value name.
void SetEnumProp(TObject* AObject, const TPropInfo* AProp, const String& AValue);
void SetEnumProp(TObject* AObject, const String& AName, const String& AValue);
Extended GetFloatProp(const TObject* AObject, const TPropInfo* AProp);
Extended GetFloatProp(const TObject* AObject, const String& AName);
void SetFloatProp(TObject* AObject, const TPropInfo* AProp, Extended AValue);
void SetFloatProp(TObject* AObject, const String& AName, Extended AValue);
TObject* GetObjectProp(const TObject* AObject, const TPropInfo* AProp);
TObject* GetObjectProp(const TObject* AObject, const String& AName);
void SetObjectProp(TObject* AObject, const TPropInfo* AProp, TObject* AValue);
void SetObjectProp(TObject* AObject, const String& AName, TObject* AValue);
TMethod GetMethodProp(const TObject* AObject, const TPropInfo* AProp);
TMethod GetMethodProp(const TObject* AObject, const String& AName);
// Binds the method of AValue.Data's class named AValue.Name (cleared when unassigned);
// EPropertyConvertError when there is no such method or its signature differs.
void SetMethodProp(TObject* AObject, const TPropInfo* AProp, const TMethod& AValue);
void SetMethodProp(TObject* AObject, const String& AName, const TMethod& AValue);
// A set as text, "a,b" (or "[a,b]" with brackets); setting accepts both.
String GetSetProp(const TObject* AObject, const TPropInfo* AProp, bool ABrackets = false);
String GetSetProp(const TObject* AObject, const String& AName, bool ABrackets = false);
void SetSetProp(TObject* AObject, const TPropInfo* AProp, const String& AValue);
void SetSetProp(TObject* AObject, const String& AName, const String& AValue);

// The name of an integer value in an ident map, and back (letter case ignored).
bool IntToIdent(Int64 AValue, String& AIdent, TIdentMap AMap);
bool IdentToInt(const String& AIdent, Int64& AValue, TIdentMap AMap);

String GetEnumName(const TTypeInfo* AType, Int64 AValue);      // "" outside the range
int GetEnumValue(const TTypeInfo* AType, const String& AName); // -1 when unknown
String SetToString(const TTypeInfo* ASetType, std::uint64_t ABits, bool ABrackets = false);
std::uint64_t StringToSet(const TTypeInfo* ASetType, const String& AValue);

namespace lum {

TTypeInfo MakeEnumTypeInfo(const char* AName, const char* AValueList);
TTypeInfo MakeSetTypeInfo(const TTypeInfo* AElement);
const TTypeInfo* BooleanTypeInfo();
const TTypeInfo* CharTypeInfo();
const TTypeInfo* StringTypeInfo();
const TTypeInfo* MethodTypeInfo();
const TTypeInfo* FloatTypeInfo(TFloatType AType);
const TTypeInfo* IntegerTypeInfo(const char* AName, TOrdType AType, Int64 AMin, Int64 AMax);
[[noreturn]] void RaisePropertyRange(const TPropInfo& AProp, Int64 AValue);
[[noreturn]] void RaiseMethodMismatch(const TPropInfo& AProp, const TMethod& AValue);
const TMethodEntry* FindMethodEntry(TClass AClass, const String& AName);

// Spelling helpers for macro arguments that may be pointer types.
template <class T> using Id = T;
template <class T> using ConstRef = const T&;

template <class T> struct IsSet : std::false_type {};
template <class E> struct IsSet<TSet<E>> : std::true_type { using Element = E; };
template <class T> struct IsFunction : std::false_type {};
template <class S> struct IsFunction<std::function<S>> : std::true_type { using Signature = S; };
template <class T> struct IsObjectPointer : std::false_type {};
template <class T> struct IsObjectPointer<T*> : std::is_base_of<TObject, T> {};

template <class T>
concept DeclaredEnum = requires {
  LumTypeInfo(static_cast<T*>(nullptr));
};

template <class T> const TTypeInfo* TypeInfoOf();

template <class T> const TTypeInfo* IntegerInfoOf() {
  using L = std::numeric_limits<T>;
  constexpr bool s = L::is_signed;
  constexpr TOrdType ot = sizeof(T) == 1   ? (s ? otSByte : otUByte)
                          : sizeof(T) == 2 ? (s ? otSWord : otUWord)
                          : sizeof(T) == 4 ? (s ? otSLong : otULong)
                                           : otSQuad;
  constexpr const char* names[] = {"ShortInt", "Byte",     "SmallInt", "Word",
                                   "Integer",  "Cardinal", "Int64"};
  return IntegerTypeInfo(names[ot], ot, static_cast<Int64>(L::min()), static_cast<Int64>(L::max()));
}

template <class T> const TTypeInfo* SetInfoOf() {
  static const TTypeInfo Info = MakeSetTypeInfo(TypeInfoOf<typename IsSet<T>::Element>());
  return &Info;
}

template <class T> const TTypeInfo* ClassInfoOf() {
  static const TTypeInfo Info = [] {
    TTypeInfo i;
    i.Kind = tkClass;
    i.ClassOf = &std::remove_pointer_t<T>::StaticClass;
    return i;
  }();
  return &Info;
}

// The type information of a C++ property type.
template <class T> const TTypeInfo* TypeInfoOf() {
  if constexpr (DeclaredEnum<T>)
    return LumTypeInfo(static_cast<T*>(nullptr));
  else if constexpr (std::is_same_v<T, bool>)
    return BooleanTypeInfo();
  else if constexpr (std::is_same_v<T, char>)
    return CharTypeInfo();
  else if constexpr (std::is_integral_v<T>)
    return IntegerInfoOf<T>();
  else if constexpr (std::is_floating_point_v<T>)
    return FloatTypeInfo(sizeof(T) == 4 ? ftSingle : sizeof(T) == 8 ? ftDouble : ftExtended);
  else if constexpr (std::is_same_v<T, String>)
    return StringTypeInfo();
  else if constexpr (IsSet<T>::value)
    return SetInfoOf<T>();
  else if constexpr (IsObjectPointer<T>::value)
    return ClassInfoOf<T>();
  else if constexpr (IsFunction<T>::value)
    return MethodTypeInfo();
  else
    static_assert(sizeof(T) == 0, "no published property of this type");
}

// Ordinal values as the framework stores them: enumerations and booleans by position,
// sets as their bit mask.
template <class T> Int64 OrdOf(const T& AValue) {
  if constexpr (IsSet<T>::value)
    return static_cast<Int64>(AValue.Bits());
  else if constexpr (std::is_same_v<T, char>)
    return static_cast<unsigned char>(AValue);
  else
    return static_cast<Int64>(AValue);
}
template <class T> T FromOrd(Int64 AValue) {
  if constexpr (IsSet<T>::value)
    return T::FromBits(static_cast<std::uint64_t>(AValue));
  else if constexpr (std::is_same_v<T, bool>)
    return AValue != 0;
  else
    return static_cast<T>(AValue);
}

// Handler thunk stored in a std::function: keeps the method's name so it can be written.
template <class S> struct TBoundMethod;
template <class R, class... A> struct TBoundMethod<R(A...)> {
  TObject* Data;
  String Name;
  R (*Call)(TObject*, A...);
  R operator()(A... AArgs) const { return Call(Data, std::forward<A>(AArgs)...); }
};

template <class M> struct MemberTraits;
template <class C, class R, class... A> struct MemberTraits<R (C::*)(A...)> {
  using Class = C;
  using Signature = R(A...);
  template <auto M> static R Call(TObject* AData, A... AArgs) {
    return (static_cast<C*>(AData)->*M)(std::forward<A>(AArgs)...);
  }
};

template <auto M> std::any BindMethod(TObject* AData, const String& AName) {
  using Tr = MemberTraits<decltype(M)>;
  return TBoundMethod<typename Tr::Signature>{AData, AName, &Tr::template Call<M>};
}

// Per-property options: Default(v), NoDefault, Stored(MemberPredicate).
struct TPropOptions {
  bool HasDefault = false;
  Int64 Default = 0;
  double FloatDefault = 0.0;
  bool (*StoredProc)(const TObject*) = nullptr;
  TIdentMap Idents;

  friend TPropOptions operator|(TPropOptions a, const TPropOptions& b) {
    if (b.HasDefault) {
      a.HasDefault = true;
      a.Default = b.Default;
      a.FloatDefault = b.FloatDefault;
    }
    if (b.StoredProc) a.StoredProc = b.StoredProc;
    if (!b.Idents.empty()) a.Idents = b.Idents;
    return a;
  }
};
template <class T> TPropOptions MakeDefault(const T& AValue) {
  TPropOptions o;
  o.HasDefault = true;
  if constexpr (std::is_floating_point_v<T>)
    o.FloatDefault = static_cast<double>(AValue);
  else
    o.Default = OrdOf(AValue);
  return o;
}
inline TPropOptions MakeIdents(TIdentMap AMap) {
  TPropOptions o;
  o.Idents = AMap;
  return o;
}
inline TPropOptions MakeStored(bool (*AProc)(const TObject*)) {
  TPropOptions o;
  o.StoredProc = AProc;
  return o;
}

template <class F> auto RawOf(const F& AField) {
  if constexpr (requires { AField.get(); })
    return AField.get();
  else
    return AField;
}

template <class F> constexpr bool IsOwnedSubObject() {
  if constexpr (requires(F f) { f.get(); })
    return true;
  else if constexpr (std::is_pointer_v<F>)
    return !std::is_base_of_v<TComponent, std::remove_cv_t<std::remove_pointer_t<F>>>;
  else
    return false;
}

// Stores into a field: owned sub-objects (a unique_ptr, or a pointer to a persistent that is
// no component) copy the value with Assign, everything else is assigned.
template <class F, class T> void StoreField(F& AField, const T& AValue) {
  if constexpr (IsOwnedSubObject<F>())
    AField->Assign(AValue);
  else
    AField = AValue;
}

// Binding a method into a handler property needs the property's own info for errors.
template <class T, class S>
void SetBoundMethod(const TPropInfo& AProp, TObject* AObject, const TMethod& AValue) {
  using Bound = TBoundMethod<typename IsFunction<T>::Signature>;
  if (!AValue.Assigned()) {
    S{}(AObject, T{});
    return;
  }
  const TMethodEntry* e = FindMethodEntry(AValue.Data->ClassType(), AValue.Name);
  if (!e) RaiseMethodMismatch(AProp, AValue);
  std::any bound = e->Bind(AValue.Data, e->Name);
  const Bound* b = std::any_cast<Bound>(&bound);
  if (!b) RaiseMethodMismatch(AProp, AValue);
  S{}(AObject, T(*b));
}

// Fills a TPropInfo's accessors from a class's getter G and setter S (captureless lambdas).
template <class T, class G, class S>
std::unique_ptr<TPropInfo> MakeProp(const char* AName, const TPropOptions& AOptions) {
  auto p = std::make_unique<TPropInfo>();
  p->Name = AName;
  p->PropType = TypeInfoOf<T>();
  p->HasDefault = AOptions.HasDefault;
  p->Default = AOptions.Default;
  p->FloatDefault = AOptions.FloatDefault;
  p->StoredProc = AOptions.StoredProc;
  p->Idents = AOptions.Idents;
  if constexpr (std::is_integral_v<T> || std::is_enum_v<T> || IsSet<T>::value) {
    p->GetOrd = [](const TObject* o) { return OrdOf<T>(G{}(o)); };
    p->SetOrd = [](TObject* o, Int64 v) { S{}(o, FromOrd<T>(v)); };
  } else if constexpr (std::is_floating_point_v<T>) {
    p->GetFloat = [](const TObject* o) { return static_cast<Extended>(G{}(o)); };
    p->SetFloat = [](TObject* o, Extended v) { S{}(o, static_cast<T>(v)); };
  } else if constexpr (std::is_same_v<T, String>) {
    p->GetStr = [](const TObject* o) { return String(G{}(o)); };
    p->SetStr = [](TObject* o, const String& v) { S{}(o, v); };
  } else if constexpr (IsObjectPointer<T>::value) {
    p->GetObject = [](const TObject* o) -> TObject* { return G{}(o); };
    p->SetObject = [](TObject* o, TObject* v) { S{}(o, static_cast<T>(v)); };
  } else if constexpr (IsFunction<T>::value) {
    using Bound = TBoundMethod<typename IsFunction<T>::Signature>;
    p->GetMethod = [](const TObject* o) {
      const T f = G{}(o);
      const Bound* b = f.template target<Bound>();
      return b ? TMethod{b->Data, b->Name} : TMethod{};
    };
    p->SetMethod = [](const TPropInfo& AProp, TObject* o, const TMethod& v) {
      SetBoundMethod<T, S>(AProp, o, v);
    };
    p->MethodAssigned = [](const TObject* o) { return static_cast<bool>(G{}(o)); };
  }
  return p;
}

class TPropTable {
public:
  template <class T, class G, class S>
  void Add(const char* AName, G, S, const TPropOptions& AOptions) {
    FProps.push_back(MakeProp<T, G, S>(AName, AOptions));
  }
  std::vector<std::unique_ptr<TPropInfo>> Take() { return std::move(FProps); }

private:
  std::vector<std::unique_ptr<TPropInfo>> FProps;
};

class TMethodTable {
public:
  template <auto M> void Add(const char* AName) {
    auto e = std::make_unique<TMethodEntry>();
    e->Name = AName;
    e->Bind = &BindMethod<M>;
    FMethods.push_back(std::move(e));
  }
  std::vector<std::unique_ptr<TMethodEntry>> Take() { return std::move(FMethods); }

private:
  std::vector<std::unique_ptr<TMethodEntry>> FMethods;
};

template <class C, int... I>
std::vector<std::unique_ptr<TPropInfo>> OwnPropertiesOf(std::integer_sequence<int, I...>) {
  TPropTable table;
  (C::LumDescribeProp(Slot<I + 1>{}, table), ...);
  return table.Take();
}
template <class C, int... I>
std::vector<std::unique_ptr<TMethodEntry>> OwnMethodsOf(std::integer_sequence<int, I...>) {
  TMethodTable table;
  (C::LumDescribeMethod(Slot<I + 1>{}, table), ...);
  return table.Take();
}

} // namespace lum

// Preprocessor helpers for the declaration lines below.
#define LUM_PP_SECOND(a, b, ...) b
#define LUM_PP_CHECK(...) LUM_PP_SECOND(__VA_ARGS__, 0, )
#define LUM_PP_PROBE_Field ~, 1
#define LUM_PP_IS_FIELD(x) LUM_PP_CHECK(LUM_PP_PROBE_##x)
#define LUM_PP_CAT(a, b) LUM_PP_CAT_(a, b)
#define LUM_PP_CAT_(a, b) a##b
#define LUM_PP_STORE_1(Field_, Setter_) ::lum::StoreField(Field_, AValue)
#define LUM_PP_STORE_0(Field_, Setter_) Setter_(AValue)
#define LUM_PP_STORE(Field_, Setter_)                                                              \
  LUM_PP_CAT(LUM_PP_STORE_, LUM_PP_IS_FIELD(Setter_))(Field_, Setter_)

#define LUM_OPT_Default(v) ::lum::MakeDefault(v)
#define LUM_OPT_NoDefault                                                                          \
  ::lum::TPropOptions {}
#define LUM_OPT_Stored(Pred_)                                                                      \
  ::lum::MakeStored([](const TObject* o) { return static_cast<const LumSelf*>(o)->Pred_(); })
#define LUM_OPT_Idents(Map_) ::lum::MakeIdents(Map_)
#define LUM_OPT_NotStored ::lum::MakeStored([](const TObject*) { return false; })
#define LUM_PP_OPT(x) LUM_OPT_##x
#define LUM_PP_OPTS_1(a) LUM_PP_OPT(a)
#define LUM_PP_OPTS_2(a, b) LUM_PP_OPT(a) | LUM_PP_OPT(b)
#define LUM_PP_OPTS_3(a, b, c) LUM_PP_OPT(a) | LUM_PP_OPT(b) | LUM_PP_OPT(c)
#define LUM_PP_COUNT(...) LUM_PP_COUNT_(__VA_ARGS__, 3, 2, 1, )
#define LUM_PP_COUNT_(a, b, c, n, ...) n
#define LUM_PP_OPTS(...) LUM_PP_CAT(LUM_PP_OPTS_, LUM_PP_COUNT(__VA_ARGS__))(__VA_ARGS__)

// A published property in one line: the public getter Name(), the public setter SetName(v)
// and its entry in the type information. Setter_ is the class's setter doing the work (it may
// itself be called SetName), or Field to store into the field directly (owned sub-objects
// are copied with Assign). Options: Default(v) or NoDefault, Stored(Predicate) or NotStored,
// and for integers Idents(Map) to store names such as clBlack instead of numbers.
#define LUM_PUBLISHED(Type_, Name_, Field_, Setter_, ...)                                          \
  static constexpr int LumPropIndex_##Name_ =                                                      \
      decltype(LumPropSlot(::lum::Rank<::lum::MaxSlots>{}))::value + 1;                            \
  static ::lum::Slot<LumPropIndex_##Name_> LumPropSlot(::lum::Rank<LumPropIndex_##Name_>);         \
  static void LumDescribeProp(::lum::Slot<LumPropIndex_##Name_>, ::lum::TPropTable& ATable) {      \
    ATable.Add<Type_>(                                                                             \
        #Name_, [](const TObject* o) { return static_cast<const LumSelf*>(o)->Name_(); },          \
        [](TObject* o, ::lum::ConstRef<Type_> v) { static_cast<LumSelf*>(o)->Set##Name_(v); },     \
        LUM_PP_OPTS(__VA_ARGS__));                                                                 \
  }                                                                                                \
  Type_ Name_() const { return ::lum::RawOf(Field_); }                                             \
  template <class V>                                                                               \
  requires std::is_convertible_v<const V&, Type_>                                                  \
  void Set##Name_(const V& AArg) {                                                                 \
    const ::lum::Id<Type_> AValue(AArg);                                                           \
    LUM_PP_STORE(Field_, Setter_);                                                                 \
  }

// A published method of a form class, bound by name from form files (OnClick = Button1Click).
#define LUM_PUBLISHED_METHOD(Name_)                                                                \
  static constexpr int LumMethodIndex_##Name_ =                                                    \
      decltype(LumMethodSlot(::lum::Rank<::lum::MaxSlots>{}))::value + 1;                          \
  static ::lum::Slot<LumMethodIndex_##Name_> LumMethodSlot(::lum::Rank<LumMethodIndex_##Name_>);   \
  static void LumDescribeMethod(::lum::Slot<LumMethodIndex_##Name_>,                               \
                                ::lum::TMethodTable& ATable) {                                     \
    ATable.Add<&LumSelf::Name_>(#Name_);                                                           \
  }

// An enumeration with its type information in one line, at namespace scope:
// LUM_ENUM(TZeigerform, zfNadel, zfDreieck); values count from 0.
#define LUM_ENUM(Name_, ...)                                                                       \
  enum Name_ { __VA_ARGS__ };                                                                      \
  inline const TTypeInfo* LumTypeInfo(Name_*) {                                                    \
    static const TTypeInfo Info = ::lum::MakeEnumTypeInfo(#Name_, #__VA_ARGS__);                   \
    return &Info;                                                                                  \
  }                                                                                                \
  static_assert(sizeof(Name_) > 0)
