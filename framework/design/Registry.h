#pragma once

#include "framework/design/DesignEditors.h"

#include <initializer_list>
#include <vector>

// The registration lists a designer reads: palette pages with their classes, component
// editors, property editors and property categories. Registering is what a package's
// Register routine does; the queries are what the designer and the inspector ask.

// Appends the classes to the page (made when new), in order, and registers them for form
// files. A class already on the page stays where it is.
void RegisterComponents(const String& Page, std::initializer_list<TClass> Classes);
void RegisterComponents(const String& Page, const std::vector<TClass>& Classes);

// The editor of components of that class and its descendants; the most derived registered
// class wins, and a later registration for the same class replaces the earlier one.
void RegisterComponentEditor(TClass ComponentClass, TComponentEditorClass EditorClass);
template <class C, class E> void RegisterComponentEditor() {
  RegisterComponentEditor(C::StaticClass(), ComponentEditorClassOf<E>());
}

// The editor of properties of that type (a class type also matches its descendants) on
// components of that class and its descendants (null: any), of that name (empty: every
// property of the type; letter case ignored). Of several that match, the most specific
// wins: a derived component class over its base and over null, then a name over none, then
// the exact type over a base class type; a later registration wins a tie.
void RegisterPropertyEditor(const TTypeInfo* PropertyType, TClass ComponentClass,
                            const String& PropertyName, TPropertyEditorClass EditorClass);

// Files the named properties of that class and its descendants (null: any class) under the
// category; names ignore letter case and may hold the wildcards * and ?. A name the class
// does not have is simply never matched.
void RegisterPropertiesInCategory(TPropertyCategoryClass Category, TClass ComponentClass,
                                  std::initializer_list<String> Names);
void RegisterPropertiesInCategory(TPropertyCategoryClass Category,
                                  std::initializer_list<String> Names);
// Files every property of that type (a class type also its descendants).
void RegisterPropertiesInCategory(TPropertyCategoryClass Category, const TTypeInfo* PropertyType);

// The palette: pages in the order they were first registered, and each page's classes.
std::vector<String> PalettePages();
std::vector<TClass> PaletteClasses(const String& Page); // empty for an unknown page
// The page a class is on; empty when it is on none.
String PalettePageOf(TClass ComponentClass);

// The registered editor for the component, or TDefaultEditor.
TComponentEditorClass ComponentEditorClassFor(TClass ComponentClass);
std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* Component, IDesigner* Designer);
// The editor registered for the property of objects of that class, or the standard editor of
// the property's kind.
TPropertyEditorClass PropertyEditorClassFor(const TPropInfo* PropInfo, TClass ObjectClass);

// The type a property editor registration sees: the property's own type, except that an
// integer stored with colour names is of the type TColor.
const TTypeInfo* DesignTypeOf(const TPropInfo* PropInfo);
const TTypeInfo* ColorTypeInfo();

// Every category that has a registration, in the order of their first registration.
std::vector<const TPropertyCategory*> PropertyCategories();
const TPropertyCategory* PropertyCategory(TPropertyCategoryClass Category);
// The categories that property of objects of that class is filed under (none: empty).
std::vector<const TPropertyCategory*> PropertyCategoriesOf(TClass ObjectClass,
                                                           const TPropInfo* PropInfo);
bool IsPropertyInCategory(TPropertyCategoryClass Category, TClass ObjectClass,
                          const String& PropertyName);

// Forgets every registration made after the framework's own (for tests).
void ResetRegistrationsToStandard();
// The framework's own: its classes on their pages, its editors and categories. Runs once.
void RegisterStandardDesignTime();
