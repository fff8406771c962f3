#include "framework/design/Registry.h"

#include "framework/classes/Registry.h"
#include "framework/design/StdReg.h"
#include "framework/graphics/Color.h"
#include "framework/rtl/Strings.h"

#include <algorithm>
#include <map>

namespace {

struct TPalettePage {
  String Name;
  std::vector<TClass> Classes;
};

struct TComponentEditorEntry {
  TClass ComponentClass;
  TComponentEditorClass Editor;
};

struct TPropertyEditorEntry {
  const TTypeInfo* PropertyType;
  TClass ComponentClass;
  String PropertyName;
  TPropertyEditorClass Editor;
};

// A category filter: by class and name mask, or by property type.
struct TCategoryEntry {
  TPropertyCategoryClass Category;
  TClass ComponentClass = nullptr;
  String NameMask;
  const TTypeInfo* PropertyType = nullptr;
};

struct TLists {
  std::vector<TPalettePage> Pages;
  std::vector<TComponentEditorEntry> ComponentEditors;
  std::vector<TPropertyEditorEntry> PropertyEditors;
  std::vector<TCategoryEntry> Categories;
  std::vector<std::unique_ptr<TPropertyCategory>> CategoryObjects;
  bool StandardDone = false;
};

TLists& RawLists() {
  static TLists lists;
  return lists;
}

// The lists with the framework's own registrations made (they come first).
TLists& Lists() {
  TLists& lists = RawLists();
  if (!lists.StandardDone) {
    lists.StandardDone = true;
    RegisterStandardEditors();
  }
  return lists;
}

bool MatchesMask(const char* Name, const char* Mask) {
  for (; *Mask; ++Mask, ++Name) {
    if (*Mask == '*') {
      for (const char* rest = Name;; ++rest) {
        if (MatchesMask(rest, Mask + 1)) return true;
        if (!*rest) return false;
      }
    }
    if (!*Name) return false;
    if (*Mask != '?' && UpperCase(String(1, *Mask)) != UpperCase(String(1, *Name))) return false;
  }
  return *Name == 0;
}

TClass ClassOfType(const TTypeInfo* Type) {
  return Type && Type->Kind == tkClass ? Type->ClassType() : nullptr;
}

bool SameType(const TTypeInfo* A, const TTypeInfo* B) {
  return A == B || (A->Kind == B->Kind && !A->Name.empty() && SameText(A->Name, B->Name) &&
                    ClassOfType(A) == ClassOfType(B));
}

bool TypeMatches(const TTypeInfo* Registered, const TTypeInfo* Actual) {
  if (SameType(Registered, Actual)) return true;
  const TClass base = ClassOfType(Registered);
  const TClass actual = ClassOfType(Actual);
  return base && actual && actual->InheritsFrom(base);
}

bool ClassMatches(TClass Registered, TClass Actual) {
  return !Registered || (Actual && Actual->InheritsFrom(Registered));
}

// Depth of a class below the root; null is shallower than every class.
int ClassDepth(TClass C) {
  int depth = 0;
  for (; C; C = C->ClassParent()) ++depth;
  return depth;
}

// Ranks a matching registration: greater is more specific.
std::tuple<int, bool, bool, int> Specificity(const TPropertyEditorEntry& E,
                                             const TTypeInfo* Actual) {
  return {ClassDepth(E.ComponentClass), !E.PropertyName.empty(), SameType(E.PropertyType, Actual),
          ClassDepth(ClassOfType(E.PropertyType))};
}

TPropertyEditorClass StandardEditorOfKind(const TTypeInfo* Type) {
  switch (Type->Kind) {
  case tkInteger:
  case tkInt64:
    return PropertyEditorClassOf<TIntegerProperty>();
  case tkChar:
  case tkWChar:
    return PropertyEditorClassOf<TCharProperty>();
  case tkEnumeration:
    return PropertyEditorClassOf<TEnumProperty>();
  case tkFloat:
    return PropertyEditorClassOf<TFloatProperty>();
  case tkString:
  case tkLString:
  case tkWString:
  case tkVariant:
    return PropertyEditorClassOf<TStringProperty>();
  case tkSet:
    return PropertyEditorClassOf<TSetProperty>();
  case tkClass:
    return PropertyEditorClassOf<TClassProperty>();
  case tkMethod:
    return PropertyEditorClassOf<TMethodProperty>();
  default:
    return PropertyEditorClassOf<TPropertyEditor>();
  }
}

void AddCategoryObject(TLists& L, TPropertyCategoryClass Category) {
  if (!Category || !Category->InheritsFrom(TPropertyCategory::StaticClass()))
    throw EDesignError("A property category must be a TPropertyCategory class");
  for (const auto& c : L.CategoryObjects)
    if (c->ClassType() == Category) return;
  std::unique_ptr<TObject> made(Category->CreateInstance(nullptr));
  L.CategoryObjects.emplace_back(static_cast<TPropertyCategory*>(made.release()));
}

bool CategoryEntryMatches(const TCategoryEntry& E, TClass ObjectClass, const TPropInfo* Prop) {
  if (E.PropertyType) return TypeMatches(E.PropertyType, DesignTypeOf(Prop));
  return ClassMatches(E.ComponentClass, ObjectClass) &&
         MatchesMask(Prop->Name.c_str(), E.NameMask.c_str());
}

} // namespace

void RegisterComponents(const String& Page, std::initializer_list<TClass> Classes) {
  RegisterComponents(Page, std::vector<TClass>(Classes));
}

void RegisterComponents(const String& Page, const std::vector<TClass>& Classes) {
  if (Page.empty()) throw EDesignError("A palette page needs a name");
  TLists& L = Lists();
  auto page = std::find_if(L.Pages.begin(), L.Pages.end(),
                           [&](const TPalettePage& p) { return SameText(p.Name, Page); });
  if (page == L.Pages.end()) page = L.Pages.insert(L.Pages.end(), TPalettePage{Page, {}});
  for (TClass c : Classes) {
    if (!c || !c->InheritsFrom(TComponent::StaticClass()))
      throw EDesignError("Only component classes go on the palette");
    RegisterClass(c);
    if (std::find(page->Classes.begin(), page->Classes.end(), c) == page->Classes.end())
      page->Classes.push_back(c);
  }
}

void RegisterComponentEditor(TClass ComponentClass, TComponentEditorClass EditorClass) {
  if (!ComponentClass || !EditorClass)
    throw EDesignError("RegisterComponentEditor needs a component class and an editor");
  TLists& L = Lists();
  std::erase_if(L.ComponentEditors,
                [&](const TComponentEditorEntry& e) { return e.ComponentClass == ComponentClass; });
  L.ComponentEditors.push_back({ComponentClass, EditorClass});
}

void RegisterPropertyEditor(const TTypeInfo* PropertyType, TClass ComponentClass,
                            const String& PropertyName, TPropertyEditorClass EditorClass) {
  if (!PropertyType || !EditorClass)
    throw EDesignError("RegisterPropertyEditor needs a property type and an editor");
  Lists().PropertyEditors.push_back({PropertyType, ComponentClass, PropertyName, EditorClass});
}

void RegisterPropertiesInCategory(TPropertyCategoryClass Category, TClass ComponentClass,
                                  std::initializer_list<String> Names) {
  TLists& L = Lists();
  AddCategoryObject(L, Category);
  for (const String& name : Names)
    L.Categories.push_back({Category, ComponentClass, name, nullptr});
}

void RegisterPropertiesInCategory(TPropertyCategoryClass Category,
                                  std::initializer_list<String> Names) {
  RegisterPropertiesInCategory(Category, nullptr, Names);
}

void RegisterPropertiesInCategory(TPropertyCategoryClass Category, const TTypeInfo* PropertyType) {
  if (!PropertyType) throw EDesignError("RegisterPropertiesInCategory needs a property type");
  TLists& L = Lists();
  AddCategoryObject(L, Category);
  L.Categories.push_back({Category, nullptr, "", PropertyType});
}

std::vector<String> PalettePages() {
  std::vector<String> names;
  for (const TPalettePage& p : Lists().Pages) names.push_back(p.Name);
  return names;
}

std::vector<TClass> PaletteClasses(const String& Page) {
  for (const TPalettePage& p : Lists().Pages)
    if (SameText(p.Name, Page)) return p.Classes;
  return {};
}

String PalettePageOf(TClass ComponentClass) {
  for (const TPalettePage& p : Lists().Pages)
    if (std::find(p.Classes.begin(), p.Classes.end(), ComponentClass) != p.Classes.end())
      return p.Name;
  return "";
}

TComponentEditorClass ComponentEditorClassFor(TClass ComponentClass) {
  const TComponentEditorEntry* best = nullptr;
  for (const TComponentEditorEntry& e : Lists().ComponentEditors)
    if (ClassMatches(e.ComponentClass, ComponentClass) &&
        (!best || ClassDepth(e.ComponentClass) > ClassDepth(best->ComponentClass)))
      best = &e;
  return best ? best->Editor : ComponentEditorClassOf<TDefaultEditor>();
}

std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* Component, IDesigner* Designer) {
  return ComponentEditorClassFor(Component->ClassType()).Create(Component, Designer);
}

TPropertyEditorClass PropertyEditorClassFor(const TPropInfo* PropInfo, TClass ObjectClass) {
  const TTypeInfo* type = DesignTypeOf(PropInfo);
  const TPropertyEditorEntry* best = nullptr;
  for (const TPropertyEditorEntry& e : Lists().PropertyEditors) {
    if (!TypeMatches(e.PropertyType, type) || !ClassMatches(e.ComponentClass, ObjectClass))
      continue;
    if (!e.PropertyName.empty() && !SameText(e.PropertyName, PropInfo->Name)) continue;
    if (!best || Specificity(e, type) >= Specificity(*best, type)) best = &e;
  }
  return best ? best->Editor : StandardEditorOfKind(type);
}

const TTypeInfo* ColorTypeInfo() {
  static const TTypeInfo info = [] {
    TTypeInfo i = *lum::TypeInfoOf<Integer>();
    i.Name = "TColor";
    return i;
  }();
  return &info;
}

const TTypeInfo* DesignTypeOf(const TPropInfo* PropInfo) {
  if (PropInfo->PropType->Kind == tkInteger && !PropInfo->Idents.empty() &&
      PropInfo->Idents.data() == ColorIdents().data())
    return ColorTypeInfo();
  return PropInfo->PropType;
}

std::vector<const TPropertyCategory*> PropertyCategories() {
  std::vector<const TPropertyCategory*> all;
  for (const auto& c : Lists().CategoryObjects) all.push_back(c.get());
  return all;
}

const TPropertyCategory* PropertyCategory(TPropertyCategoryClass Category) {
  for (const auto& c : Lists().CategoryObjects)
    if (c->ClassType() == Category) return c.get();
  return nullptr;
}

std::vector<const TPropertyCategory*> PropertyCategoriesOf(TClass ObjectClass,
                                                           const TPropInfo* PropInfo) {
  std::vector<const TPropertyCategory*> found;
  for (const TCategoryEntry& e : Lists().Categories) {
    if (!CategoryEntryMatches(e, ObjectClass, PropInfo)) continue;
    const TPropertyCategory* c = PropertyCategory(e.Category);
    if (std::find(found.begin(), found.end(), c) == found.end()) found.push_back(c);
  }
  return found;
}

bool IsPropertyInCategory(TPropertyCategoryClass Category, TClass ObjectClass,
                          const String& PropertyName) {
  const TPropInfo* prop = ObjectClass ? ObjectClass->FindProperty(PropertyName) : nullptr;
  if (!prop) return false;
  for (const TPropertyCategory* c : PropertyCategoriesOf(ObjectClass, prop))
    if (c->ClassType() == Category) return true;
  return false;
}

void ResetRegistrationsToStandard() {
  TLists& L = RawLists();
  L.Pages.clear();
  L.ComponentEditors.clear();
  L.PropertyEditors.clear();
  L.Categories.clear();
  L.CategoryObjects.clear();
  L.StandardDone = false;
  Lists();
}

void RegisterStandardDesignTime() { Lists(); }
