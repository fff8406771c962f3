#pragma once

#include "framework/rtl/Types.h"

#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

class TObject;
class TComponent;
class TClassInfo;
struct TPropInfo;
struct TMethodEntry;

// A class reference: the run-time description of a class, usable to create instances.
using TClass = const TClassInfo*;
using TComponentClass = TClass;
using TPersistentClass = TClass;

// Per-class run-time description: name, parent, factory, published properties (inherited
// ones first, each in declaration order) and published methods.
class TClassInfo {
public:
  using TFactory = TObject* (*)(TObject* AOwner);

  TClassInfo(const char* AName, TClass AParent, TFactory AFactory,
             std::vector<std::unique_ptr<TPropInfo>> AOwnProperties,
             std::vector<std::unique_ptr<TMethodEntry>> AOwnMethods);
  ~TClassInfo();
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const String& ClassName() const { return FName; }
  TClass ClassParent() const { return FParent; }
  bool InheritsFrom(TClass AClass) const;
  bool CanCreate() const { return FFactory != nullptr; }

  // A new instance: components get AOwner as owner, collection items their collection.
  // EComponentError when the class cannot be created (abstract, or no suitable constructor).
  TObject* CreateInstance(TObject* AOwner) const;
  // A new component of this class owned by AOwner; EInvalidCast when it is no component.
  TComponent* Create(TComponent* AOwner) const;

  const std::vector<const TPropInfo*>& Properties() const { return FAllProperties; }
  const TPropInfo* FindProperty(const String& AName) const;  // letter case ignored
  const TMethodEntry* FindMethod(const String& AName) const; // also in the parents

private:
  void AddProperty(const TPropInfo* AProp);
  String FName;
  TClass FParent;
  TFactory FFactory;
  std::vector<std::unique_ptr<TPropInfo>> FOwnProperties;
  std::vector<const TPropInfo*> FAllProperties;
  std::vector<std::unique_ptr<TMethodEntry>> FOwnMethods;
};

// Root of the class hierarchy: class identity for every object.
class TObject {
public:
  TObject() = default;
  virtual ~TObject();
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;

  static TClass StaticClass();
  virtual TClass ClassType() const { return StaticClass(); }
  const String& ClassName() const { return ClassType()->ClassName(); }
  TClass ClassParent() const { return ClassType()->ClassParent(); }
  bool InheritsFrom(TClass AClass) const { return ClassType()->InheritsFrom(AClass); }

  // What a constructed instance's factory passes to the constructor (see LUM_CLASS).
  using TCreateArg = void;
};

// An event handler: the sender first, as every handler type of the framework.
using TNotifyEvent = std::function<void(TObject* Sender)>;

namespace lum {

// Compile-time counter of the property and method lines of one class body: each line
// declares the next slot, found by overload resolution on the most derived rank.
inline constexpr int MaxSlots = 256;
template <int N> struct Rank : Rank<N - 1> {};
template <> struct Rank<0> {};
template <int N> struct Slot { static constexpr int value = N; };

template <class C> TObject* CreateOf(TObject* AOwner) {
  using Arg = typename C::TCreateArg;
  if constexpr (std::is_void_v<Arg>)
    return new C();
  else
    return new C(static_cast<Arg>(AOwner));
}

template <class C> constexpr TClassInfo::TFactory FactoryOf() {
  using Arg = typename C::TCreateArg;
  if constexpr (std::is_abstract_v<C>)
    return nullptr;
  else if constexpr (std::is_void_v<Arg>) {
    if constexpr (std::is_default_constructible_v<C>) return &CreateOf<C>;
    return nullptr;
  } else if constexpr (std::is_constructible_v<C, Arg>)
    return &CreateOf<C>;
  else
    return nullptr;
}

template <class C, int... I>
std::vector<std::unique_ptr<TPropInfo>> OwnPropertiesOf(std::integer_sequence<int, I...>);
template <class C, int... I>
std::vector<std::unique_ptr<TMethodEntry>> OwnMethodsOf(std::integer_sequence<int, I...>);

template <class C> const TClassInfo* MakeClassInfo(const char* AName, TClass AParent) {
  constexpr int PropCount = decltype(C::LumPropSlot(Rank<MaxSlots>{}))::value;
  constexpr int MethodCount = decltype(C::LumMethodSlot(Rank<MaxSlots>{}))::value;
  static const TClassInfo Info(AName, AParent, FactoryOf<C>(),
                               OwnPropertiesOf<C>(std::make_integer_sequence<int, PropCount>{}),
                               OwnMethodsOf<C>(std::make_integer_sequence<int, MethodCount>{}));
  return &Info;
}

} // namespace lum

// First line of every class body below TObject: class name, parent, class reference and the
// start of the published property and method lines. Leaves the access private.
//   class TLumTacho : public TGraphicControl {
//     LUM_CLASS(TLumTacho, TGraphicControl)
//   public:
//     explicit TLumTacho(TComponent* AOwner);
//     LUM_PUBLISHED(Integer, Interval, FIntervall, SetIntervall, Default(10))
//     LUM_PUBLISHED(String, Caption, FCaption, SetCaption, NoDefault)
//     LUM_PUBLISHED(TNotifyEvent, OnChange, FOnChange, Field, NoDefault)
//   };
// Register it (RegisterClass<TLumTacho>()) to have form files create it by name.
#define LUM_CLASS(ClassName_, Parent_)                                                             \
public:                                                                                            \
  using inherited = Parent_;                                                                       \
  using LumSelf = ClassName_;                                                                      \
  static ::lum::Slot<0> LumPropSlot(::lum::Rank<0>);                                               \
  static ::lum::Slot<0> LumMethodSlot(::lum::Rank<0>);                                             \
  static TClass StaticClass() {                                                                    \
    return ::lum::MakeClassInfo<ClassName_>(#ClassName_, Parent_::StaticClass());                  \
  }                                                                                                \
  TClass ClassType() const override { return StaticClass(); }                                      \
                                                                                                   \
private:

#include "framework/classes/TypeInfo.h"
