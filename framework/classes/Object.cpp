#include "framework/classes/Object.h"

#include "framework/rtl/Strings.h"

TClassInfo::TClassInfo(const char* AName, TClass AParent, TFactory AFactory,
                       std::vector<std::unique_ptr<TPropInfo>> AOwnProperties,
                       std::vector<std::unique_ptr<TMethodEntry>> AOwnMethods)
    : FName(AName), FParent(AParent), FFactory(AFactory), FOwnProperties(std::move(AOwnProperties)),
      FOwnMethods(std::move(AOwnMethods)) {
  if (FParent) FAllProperties = FParent->Properties();
  for (const auto& p : FOwnProperties) AddProperty(p.get());
}

// A property redeclared under an inherited name takes the inherited one's place.
void TClassInfo::AddProperty(const TPropInfo* AProp) {
  for (const TPropInfo*& existing : FAllProperties)
    if (SameText(existing->Name, AProp->Name)) {
      existing = AProp;
      return;
    }
  FAllProperties.push_back(AProp);
}

TClassInfo::~TClassInfo() = default;

bool TClassInfo::InheritsFrom(TClass AClass) const {
  for (TClass c = this; c; c = c->FParent)
    if (c == AClass) return true;
  return false;
}

TObject* TClassInfo::CreateInstance(TObject* AOwner) const {
  if (!FFactory) throw EComponentError("Cannot create an instance of class " + FName);
  return FFactory(AOwner);
}

const TPropInfo* TClassInfo::FindProperty(const String& AName) const {
  for (const TPropInfo* p : FAllProperties)
    if (SameText(p->Name, AName)) return p;
  return nullptr;
}

const TMethodEntry* TClassInfo::FindMethod(const String& AName) const {
  for (TClass c = this; c; c = c->FParent)
    for (const auto& m : c->FOwnMethods)
      if (SameText(m->Name, AName)) return m.get();
  return nullptr;
}

TObject::~TObject() = default;

TClass TObject::StaticClass() {
  static const TClassInfo Info("TObject", nullptr, nullptr, {}, {});
  return &Info;
}
