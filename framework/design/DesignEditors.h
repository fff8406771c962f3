#pragma once

#include "framework/design/DesignIntf.h"

#include <functional>
#include <memory>
#include <vector>

class TPropertyEditor;
using TGetStrProc = std::function<void(const String& S)>;
using TGetPropProc = std::function<void(std::unique_ptr<TPropertyEditor> Prop)>;

// Edits one property of the selected objects (one or more, the same property of each) for
// the object inspector: the text of the value, the text typed back, the values to choose
// from, a dialog, sub-properties. Values go in through the property's setter, on every
// selected object, and the designer hears of it.
class TPropertyEditor : public TObject {
  LUM_CLASS(TPropertyEditor, TObject)
public:
  TPropertyEditor(IDesigner* ADesigner, int APropCount);

  // Which object and property the editor's Index-th entry is; then Initialize once.
  void SetPropEntry(int Index, TPersistent* AInstance, const TPropInfo* APropInfo);
  virtual void Initialize() {}

  virtual TPropertyAttributes GetAttributes();
  virtual String GetName() const;
  virtual String GetValue();
  // Converts and stores the typed text; a text that does not convert raises and keeps the
  // old value.
  virtual void SetValue(const String& Value);
  virtual void GetValues(const TGetStrProc& Proc);
  // The dialog of paDialog; without one, the next value of the value list.
  virtual void Edit();
  virtual void GetProperties(const TGetPropProc& Proc);
  // Whether every selected object has the same value (else the inspector shows none).
  virtual bool AllEqual();
  virtual int GetEditLimit() { return 255; }

  TPersistent* GetComponent(int Index) const;
  int PropCount() const { return static_cast<int>(FProps.size()); }
  IDesigner* Designer() const { return FDesigner; }
  const TPropInfo* GetPropInfo() const { return FProps.front().PropInfo; }
  const TTypeInfo* GetPropType() const { return GetPropInfo()->PropType; }
  void Modified();

protected:
  Int64 GetOrdValue() const { return GetOrdValueAt(0); }
  Int64 GetOrdValueAt(int Index) const;
  void SetOrdValue(Int64 Value);
  Extended GetFloatValue() const { return GetFloatValueAt(0); }
  Extended GetFloatValueAt(int Index) const;
  void SetFloatValue(Extended Value);
  String GetStrValue() const { return GetStrValueAt(0); }
  String GetStrValueAt(int Index) const;
  void SetStrValue(const String& Value);
  TObject* GetObjectValueAt(int Index) const;
  void SetObjectValue(TObject* Value);
  TMethod GetMethodValueAt(int Index) const;
  void SetMethodValue(const TMethod& Value);

private:
  struct TInstProp {
    TPersistent* Instance = nullptr;
    const TPropInfo* PropInfo = nullptr;
  };
  IDesigner* FDesigner;
  std::vector<TInstProp> FProps;
};

// A property editor class: its class reference and how to make one.
struct TPropertyEditorClass {
  TClass Class = nullptr;
  std::unique_ptr<TPropertyEditor> (*Create)(IDesigner* Designer, int PropCount) = nullptr;
  explicit operator bool() const { return Class != nullptr; }
  friend bool operator==(const TPropertyEditorClass& a, const TPropertyEditorClass& b) {
    return a.Class == b.Class;
  }
};
template <class E> TPropertyEditorClass PropertyEditorClassOf() {
  return {E::StaticClass(), [](IDesigner* d, int n) -> std::unique_ptr<TPropertyEditor> {
            return std::make_unique<E>(d, n);
          }};
}

// Ordinal properties: compared by their ordinal value.
class TOrdinalProperty : public TPropertyEditor {
  LUM_CLASS(TOrdinalProperty, TPropertyEditor)
public:
  using TPropertyEditor::TPropertyEditor;
  bool AllEqual() override;
  int GetEditLimit() override { return 63; }
};

// Integers, checked against the type's range: "Value must be between 0 and 255".
class TIntegerProperty : public TOrdinalProperty {
  LUM_CLASS(TIntegerProperty, TOrdinalProperty)
public:
  using TOrdinalProperty::TOrdinalProperty;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
};

// Characters: the character itself, or #nn for one that does not print.
class TCharProperty : public TOrdinalProperty {
  LUM_CLASS(TCharProperty, TOrdinalProperty)
public:
  using TOrdinalProperty::TOrdinalProperty;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
};

// Enumerations (Booleans too): a value list of the value names.
class TEnumProperty : public TOrdinalProperty {
  LUM_CLASS(TEnumProperty, TOrdinalProperty)
public:
  using TOrdinalProperty::TOrdinalProperty;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const String& Value) override;
};

// Sets: "[fsBold,fsItalic]", and one True/False sub-property per element.
class TSetProperty : public TOrdinalProperty {
  LUM_CLASS(TSetProperty, TOrdinalProperty)
public:
  using TOrdinalProperty::TOrdinalProperty;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
  void GetProperties(const TGetPropProc& Proc) override;
};

// One element of a set property: whether the set holds it.
class TSetElementProperty : public TPropertyEditor {
  LUM_CLASS(TSetElementProperty, TPropertyEditor)
public:
  TSetElementProperty(IDesigner* ADesigner, int APropCount, int AElement = 0);
  TPropertyAttributes GetAttributes() override;
  String GetName() const override;
  String GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const String& Value) override;
  bool AllEqual() override;

private:
  int FElement;
};

class TFloatProperty : public TPropertyEditor {
  LUM_CLASS(TFloatProperty, TPropertyEditor)
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
  bool AllEqual() override;
};

class TStringProperty : public TPropertyEditor {
  LUM_CLASS(TStringProperty, TPropertyEditor)
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
  bool AllEqual() override;
};

// A component's Name: one component at a time.
class TComponentNameProperty : public TStringProperty {
  LUM_CLASS(TComponentNameProperty, TStringProperty)
public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override;
  int GetEditLimit() override { return 63; }
};

// An object the component owns (a font, a pen, a list): "(TFont)" and its own properties as
// sub-properties.
class TClassProperty : public TPropertyEditor {
  LUM_CLASS(TClassProperty, TPropertyEditor)
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void GetProperties(const TGetPropProc& Proc) override;
};

// A reference to another component of the form: a value list of the form's components of
// the property's class.
class TComponentProperty : public TPropertyEditor {
  LUM_CLASS(TComponentProperty, TPropertyEditor)
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const String& Value) override;
  bool AllEqual() override;
};

// An event: the name of its handler, a method of the designed form.
class TMethodProperty : public TPropertyEditor {
  LUM_CLASS(TMethodProperty, TPropertyEditor)
public:
  using TPropertyEditor::TPropertyEditor;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void GetValues(const TGetStrProc& Proc) override;
  void SetValue(const String& Value) override;
  // Binds the usual handler name (Button1Click) when the form has it, and shows the handler.
  void Edit() override;
  bool AllEqual() override;
  String TrimmedEventName() const;
};

// The editors of the objects' published properties of the given kinds that every object has
// and that allow editing several at once when there are several; in declaration order.
void GetComponentProperties(const std::vector<TPersistent*>& Components, TTypeKinds Filter,
                            IDesigner* Designer, const TGetPropProc& Proc);
// The editor the registration lists give that property of that object.
std::unique_ptr<TPropertyEditor> CreatePropertyEditor(IDesigner* Designer,
                                                      const std::vector<TPersistent*>& Components,
                                                      const TPropInfo* PropInfo);

// Design-time actions of a component: the verbs of its context menu, and Edit on a double
// click (by default the first verb).
class TComponentEditor : public TObject {
  LUM_CLASS(TComponentEditor, TObject)
public:
  TComponentEditor(TComponent* AComponent, IDesigner* ADesigner);
  virtual void Edit();
  virtual void ExecuteVerb(int /*Index*/) {}
  virtual String GetVerb(int /*Index*/) { return ""; }
  virtual int GetVerbCount() { return 0; }
  // Copies the component to the clipboard in a format of its own, beside the form text.
  virtual void Copy() {}
  TComponent* Component() const { return FComponent; }
  IDesigner& Designer() const { return *FDesigner; }

private:
  TComponent* FComponent;
  IDesigner* FDesigner;
};

// The editor of components without one of their own: Edit goes to the event handler of
// OnCreate, OnChange or OnClick, whichever the component has first, else its first event.
class TDefaultEditor : public TComponentEditor {
  LUM_CLASS(TDefaultEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  void Edit() override;
};

struct TComponentEditorClass {
  TClass Class = nullptr;
  std::unique_ptr<TComponentEditor> (*Create)(TComponent* Component, IDesigner* Designer) = nullptr;
  explicit operator bool() const { return Class != nullptr; }
};
template <class E> TComponentEditorClass ComponentEditorClassOf() {
  return {E::StaticClass(), [](TComponent* c, IDesigner* d) -> std::unique_ptr<TComponentEditor> {
            return std::make_unique<E>(c, d);
          }};
}
