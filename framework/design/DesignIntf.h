#pragma once

#include "framework/classes/Component.h"
#include "framework/classes/TypeInfo.h"

#include <vector>

// A registration or a design-time action that cannot be done.
LUM_DECLARE_EXCEPTION(EDesignError, Exception);

// What a property editor tells the inspector about the property it edits.
LUM_ENUM(TPropertyAttribute, paValueList, paSubProperties, paDialog, paMultiSelect, paAutoUpdate,
         paSortList, paReadOnly, paRevertable, paFullWidthName);
using TPropertyAttributes = TSet<TPropertyAttribute>;

// The designer an editor works for: the form being designed (its root), the change note, and
// the look-ups of components and event handlers the editors need. Only Root and Modified
// are the designer's own; the rest answer from the root's tree.
class IDesigner {
public:
  virtual ~IDesigner() = default;
  virtual TComponent* GetRoot() = 0;
  // Something of the designed form changed: the designer repaints, marks it unsaved.
  virtual void Modified() = 0;

  // A name not yet used in the root: the class name without its T, and 1, 2, ….
  virtual String UniqueName(const String& BaseName);
  // The names of the root's components (and the root) of that class, in creation order.
  virtual std::vector<String> GetComponentNames(TClass ClassOf);
  virtual TComponent* GetComponent(const String& Name);
  virtual String GetComponentName(TComponent* Component);
  // The handlers the root's events are bound to, sorted (the names a new event may take).
  virtual std::vector<String> GetMethods(const TPropInfo* EventProp);
  // Brings the handler of that name to the user (the inspector's events, or the code).
  virtual void ShowMethod(const String& /*Name*/) {}
  // Makes the object the inspector's selection.
  virtual void SelectComponent(TPersistent* /*Instance*/) {}
};

// A property category: a group the inspector may show properties under. Each category is a
// class of its own; its Name and Description answer for the class.
class TPropertyCategory : public TObject {
  LUM_CLASS(TPropertyCategory, TObject)
public:
  TPropertyCategory() = default;
  virtual String Name() const { return "Miscellaneous"; }
  virtual String Description() const { return "Properties that fit no other category"; }
};
using TPropertyCategoryClass = TClass;

#define LUM_PROPERTY_CATEGORY(Class_, Name_, Description_)                                         \
  class Class_ : public TPropertyCategory {                                                        \
    LUM_CLASS(Class_, TPropertyCategory)                                                           \
  public:                                                                                          \
    Class_() = default;                                                                            \
    String Name() const override { return Name_; }                                                 \
    String Description() const override { return Description_; }                                   \
  }

// The framework's own categories.
LUM_PROPERTY_CATEGORY(TMiscellaneousCategory, "Miscellaneous",
                      "Properties that fit no other category");
LUM_PROPERTY_CATEGORY(TActionCategory, "Action", "Properties that act at run time");
LUM_PROPERTY_CATEGORY(TDatabaseCategory, "Database", "Properties of database work");
LUM_PROPERTY_CATEGORY(TDragNDropCategory, "Drag, Drop and Docking",
                      "Properties of dragging and docking");
LUM_PROPERTY_CATEGORY(THelpCategory, "Help and Hints", "Properties of help and hints");
LUM_PROPERTY_CATEGORY(TInputCategory, "Input", "Properties of user input");
LUM_PROPERTY_CATEGORY(TLayoutCategory, "Layout", "Properties of position and size");
LUM_PROPERTY_CATEGORY(TLinkageCategory, "Linkage", "Properties that name other components");
LUM_PROPERTY_CATEGORY(TLocaleCategory, "Locale", "Properties of language and direction");
LUM_PROPERTY_CATEGORY(TVisualCategory, "Visual", "Properties of appearance");
