#include "framework/design/DesignIntf.h"

#include "framework/rtl/Strings.h"

#include <set>

namespace {

void ForEachComponent(TComponent* Root, const std::function<void(TComponent*)>& Proc) {
  if (!Root) return;
  Proc(Root);
  for (int i = 0; i < Root->ComponentCount(); ++i) Proc(Root->Components(i));
}

String WithoutT(const String& BaseName) {
  if (BaseName.size() > 1 && (BaseName[0] == 'T' || BaseName[0] == 't')) return BaseName.substr(1);
  return BaseName;
}

} // namespace

String IDesigner::UniqueName(const String& BaseName) {
  const String stem = WithoutT(BaseName);
  TComponent* root = GetRoot();
  for (int n = 1;; ++n) {
    const String name = stem + IntToStr(n);
    if (!root || (!root->FindComponent(name) && !SameText(root->Name(), name))) return name;
  }
}

std::vector<String> IDesigner::GetComponentNames(TClass ClassOf) {
  std::vector<String> names;
  ForEachComponent(GetRoot(), [&](TComponent* c) {
    if (!c->Name().empty() && (!ClassOf || c->InheritsFrom(ClassOf))) names.push_back(c->Name());
  });
  return names;
}

TComponent* IDesigner::GetComponent(const String& Name) {
  TComponent* root = GetRoot();
  if (!root || Name.empty()) return nullptr;
  if (SameText(root->Name(), Name)) return root;
  return root->FindComponent(Name);
}

String IDesigner::GetComponentName(TComponent* Component) {
  return Component ? Component->Name() : String();
}

std::vector<String> IDesigner::GetMethods(const TPropInfo* /*EventProp*/) {
  std::set<String> names;
  ForEachComponent(GetRoot(), [&](TComponent* c) {
    for (const TPropInfo* p : GetPropList(c, tkMethods)) {
      const TMethod m = GetMethodProp(c, p);
      if (m.Assigned()) names.insert(m.Name);
    }
  });
  return {names.begin(), names.end()};
}
