#include "framework/classes/Registry.h"

#include "framework/rtl/Strings.h"

#include <mutex>
#include <unordered_map>

namespace {

struct TClassRegistry {
  std::mutex Lock;
  std::unordered_map<String, TClass> Classes; // by upper-case name
};

TClassRegistry& Registry() {
  static TClassRegistry registry;
  return registry;
}

} // namespace

void RegisterClass(TClass AClass) {
  TClassRegistry& r = Registry();
  const std::lock_guard guard(r.Lock);
  const auto [it, inserted] = r.Classes.emplace(UpperCase(AClass->ClassName()), AClass);
  if (!inserted && it->second != AClass)
    throw EFilerError("A class named " + AClass->ClassName() + " already exists");
}

void RegisterClasses(std::initializer_list<TClass> AClasses) {
  for (TClass c : AClasses) RegisterClass(c);
}

void UnRegisterClass(TClass AClass) {
  TClassRegistry& r = Registry();
  const std::lock_guard guard(r.Lock);
  const auto it = r.Classes.find(UpperCase(AClass->ClassName()));
  if (it != r.Classes.end() && it->second == AClass) r.Classes.erase(it);
}

TClass GetClass(const String& AClassName) {
  TClassRegistry& r = Registry();
  const std::lock_guard guard(r.Lock);
  const auto it = r.Classes.find(UpperCase(AClassName));
  return it == r.Classes.end() ? nullptr : it->second;
}

TClass FindClass(const String& AClassName) {
  const TClass c = GetClass(AClassName);
  if (!c) throw EClassNotFound("Class " + AClassName + " not found");
  return c;
}
