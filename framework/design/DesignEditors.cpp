#include "framework/design/DesignEditors.h"

#include "framework/design/Registry.h"
#include "framework/rtl/Strings.h"

#include <algorithm>

// TPropertyEditor

TPropertyEditor::TPropertyEditor(IDesigner* ADesigner, int APropCount)
    : FDesigner(ADesigner), FProps(static_cast<size_t>(std::max(APropCount, 1))) {}

void TPropertyEditor::SetPropEntry(int Index, TPersistent* AInstance, const TPropInfo* APropInfo) {
  FProps.at(static_cast<size_t>(Index)) = {AInstance, APropInfo};
}

TPropertyAttributes TPropertyEditor::GetAttributes() { return {paRevertable}; }

String TPropertyEditor::GetName() const { return GetPropInfo()->Name; }

String TPropertyEditor::GetValue() { return "(unknown)"; }

void TPropertyEditor::SetValue(const String& /*Value*/) {}

void TPropertyEditor::GetValues(const TGetStrProc& /*Proc*/) {}

void TPropertyEditor::Edit() {
  if (!GetAttributes().Contains(paValueList)) return;
  std::vector<String> values;
  GetValues([&](const String& s) { values.push_back(s); });
  if (values.empty()) return;
  const String current = GetValue();
  auto at = std::find_if(values.begin(), values.end(),
                         [&](const String& v) { return SameText(v, current); });
  SetValue(at == values.end() || at + 1 == values.end() ? values.front() : *(at + 1));
}

void TPropertyEditor::GetProperties(const TGetPropProc& /*Proc*/) {}

bool TPropertyEditor::AllEqual() { return PropCount() == 1; }

TPersistent* TPropertyEditor::GetComponent(int Index) const {
  return FProps.at(static_cast<size_t>(Index)).Instance;
}

void TPropertyEditor::Modified() {
  if (FDesigner) FDesigner->Modified();
}

Int64 TPropertyEditor::GetOrdValueAt(int Index) const {
  const TInstProp& p = FProps.at(static_cast<size_t>(Index));
  return GetOrdProp(p.Instance, p.PropInfo);
}

void TPropertyEditor::SetOrdValue(Int64 Value) {
  for (const TInstProp& p : FProps) SetOrdProp(p.Instance, p.PropInfo, Value);
  Modified();
}

Extended TPropertyEditor::GetFloatValueAt(int Index) const {
  const TInstProp& p = FProps.at(static_cast<size_t>(Index));
  return GetFloatProp(p.Instance, p.PropInfo);
}

void TPropertyEditor::SetFloatValue(Extended Value) {
  for (const TInstProp& p : FProps) SetFloatProp(p.Instance, p.PropInfo, Value);
  Modified();
}

String TPropertyEditor::GetStrValueAt(int Index) const {
  const TInstProp& p = FProps.at(static_cast<size_t>(Index));
  if (p.PropInfo->GetVariant) return GetVariantProp(p.Instance, p.PropInfo).AsString();
  return GetStrProp(p.Instance, p.PropInfo);
}

void TPropertyEditor::SetStrValue(const String& Value) {
  for (const TInstProp& p : FProps) {
    if (p.PropInfo->SetVariant)
      SetVariantProp(p.Instance, p.PropInfo, Variant(Value));
    else
      SetStrProp(p.Instance, p.PropInfo, Value);
  }
  Modified();
}

TObject* TPropertyEditor::GetObjectValueAt(int Index) const {
  const TInstProp& p = FProps.at(static_cast<size_t>(Index));
  return GetObjectProp(p.Instance, p.PropInfo);
}

void TPropertyEditor::SetObjectValue(TObject* Value) {
  for (const TInstProp& p : FProps) SetObjectProp(p.Instance, p.PropInfo, Value);
  Modified();
}

TMethod TPropertyEditor::GetMethodValueAt(int Index) const {
  const TInstProp& p = FProps.at(static_cast<size_t>(Index));
  return GetMethodProp(p.Instance, p.PropInfo);
}

void TPropertyEditor::SetMethodValue(const TMethod& Value) {
  for (const TInstProp& p : FProps) SetMethodProp(p.Instance, p.PropInfo, Value);
  Modified();
}

// Ordinals

bool TOrdinalProperty::AllEqual() {
  for (int i = 1; i < PropCount(); ++i)
    if (GetOrdValueAt(i) != GetOrdValue()) return false;
  return true;
}

TPropertyAttributes TIntegerProperty::GetAttributes() { return {paMultiSelect, paRevertable}; }

String TIntegerProperty::GetValue() { return IntToStr(GetOrdValue()); }

void TIntegerProperty::SetValue(const String& Value) {
  const Int64 v = StrToInt64(Trim(Value));
  const TTypeInfo* type = GetPropType();
  if (v < type->MinValue || v > type->MaxValue)
    throw EPropertyError("Value must be between " + IntToStr(type->MinValue) + " and " +
                         IntToStr(type->MaxValue));
  SetOrdValue(v);
}

TPropertyAttributes TCharProperty::GetAttributes() { return {paMultiSelect, paRevertable}; }

String TCharProperty::GetValue() {
  const Int64 c = GetOrdValue();
  if (c > 32 && c < 127) return String(1, static_cast<char>(c));
  return "#" + IntToStr(c);
}

void TCharProperty::SetValue(const String& Value) {
  if (Value.size() == 1) return SetOrdValue(static_cast<unsigned char>(Value[0]));
  if (Value.size() > 1 && Value[0] == '#') {
    const Int64 c = StrToInt64(Value.substr(1));
    if (c >= 0 && c <= 255) return SetOrdValue(c);
  }
  throw EPropertyError("Invalid property value");
}

TPropertyAttributes TEnumProperty::GetAttributes() {
  return {paMultiSelect, paValueList, paSortList, paRevertable};
}

String TEnumProperty::GetValue() {
  const String name = GetEnumName(GetPropType(), GetOrdValue());
  return name.empty() ? IntToStr(GetOrdValue()) : name;
}

void TEnumProperty::GetValues(const TGetStrProc& Proc) {
  for (const String& name : GetPropType()->EnumNames) Proc(name);
}

void TEnumProperty::SetValue(const String& Value) {
  const int v = GetEnumValue(GetPropType(), Trim(Value));
  if (v < 0) throw EPropertyError("Invalid property value");
  SetOrdValue(v);
}

// Sets

TPropertyAttributes TSetProperty::GetAttributes() {
  return {paMultiSelect, paSubProperties, paReadOnly, paRevertable};
}

String TSetProperty::GetValue() {
  return SetToString(GetPropType(), static_cast<std::uint64_t>(GetOrdValue()), true);
}

void TSetProperty::SetValue(const String& Value) {
  SetOrdValue(static_cast<Int64>(StringToSet(GetPropType(), Value)));
}

void TSetProperty::GetProperties(const TGetPropProc& Proc) {
  const TTypeInfo* element = GetPropType()->CompType;
  if (!element) return;
  for (int e = 0; e < static_cast<int>(element->EnumNames.size()); ++e) {
    auto sub = std::make_unique<TSetElementProperty>(Designer(), PropCount(), e);
    for (int i = 0; i < PropCount(); ++i) sub->SetPropEntry(i, GetComponent(i), GetPropInfo());
    Proc(std::move(sub));
  }
}

TSetElementProperty::TSetElementProperty(IDesigner* ADesigner, int APropCount, int AElement)
    : TPropertyEditor(ADesigner, APropCount), FElement(AElement) {}

TPropertyAttributes TSetElementProperty::GetAttributes() {
  return {paMultiSelect, paValueList, paSortList};
}

String TSetElementProperty::GetName() const {
  return GetEnumName(GetPropType()->CompType, FElement);
}

String TSetElementProperty::GetValue() {
  return (GetOrdValue() >> FElement & 1) != 0 ? "True" : "False";
}

void TSetElementProperty::GetValues(const TGetStrProc& Proc) {
  Proc("False");
  Proc("True");
}

void TSetElementProperty::SetValue(const String& Value) {
  const bool on = SameText(Trim(Value), "True");
  if (!on && !SameText(Trim(Value), "False")) throw EPropertyError("Invalid property value");
  const Int64 bit = Int64{1} << FElement;
  for (int i = 0; i < PropCount(); ++i) {
    const Int64 v = GetOrdValueAt(i);
    SetOrdProp(GetComponent(i), GetPropInfo(), on ? v | bit : v & ~bit);
  }
  Modified();
}

bool TSetElementProperty::AllEqual() {
  for (int i = 1; i < PropCount(); ++i)
    if ((GetOrdValueAt(i) >> FElement & 1) != (GetOrdValue() >> FElement & 1)) return false;
  return true;
}

// Floats and strings

TPropertyAttributes TFloatProperty::GetAttributes() { return {paMultiSelect, paRevertable}; }

String TFloatProperty::GetValue() { return FloatToStr(GetFloatValue()); }

void TFloatProperty::SetValue(const String& Value) { SetFloatValue(StrToFloat(Trim(Value))); }

bool TFloatProperty::AllEqual() {
  for (int i = 1; i < PropCount(); ++i)
    if (GetFloatValueAt(i) != GetFloatValue()) return false;
  return true;
}

TPropertyAttributes TStringProperty::GetAttributes() { return {paMultiSelect, paRevertable}; }

String TStringProperty::GetValue() { return GetStrValue(); }

void TStringProperty::SetValue(const String& Value) { SetStrValue(Value); }

bool TStringProperty::AllEqual() {
  for (int i = 1; i < PropCount(); ++i)
    if (GetStrValueAt(i) != GetStrValue()) return false;
  return true;
}

TPropertyAttributes TComponentNameProperty::GetAttributes() { return {}; }

// Classes

TPropertyAttributes TClassProperty::GetAttributes() {
  return {paMultiSelect, paSubProperties, paReadOnly};
}

String TClassProperty::GetValue() {
  const TClass c = GetPropType()->ClassType();
  return "(" + (c ? c->ClassName() : String("TObject")) + ")";
}

void TClassProperty::GetProperties(const TGetPropProc& Proc) {
  std::vector<TPersistent*> objects;
  for (int i = 0; i < PropCount(); ++i)
    if (auto* p = dynamic_cast<TPersistent*>(GetObjectValueAt(i))) objects.push_back(p);
  if (static_cast<int>(objects.size()) != PropCount()) return;
  GetComponentProperties(objects, tkProperties, Designer(), Proc);
}

TPropertyAttributes TComponentProperty::GetAttributes() {
  return {paMultiSelect, paValueList, paSortList, paRevertable};
}

String TComponentProperty::GetValue() {
  auto* c = dynamic_cast<TComponent*>(GetObjectValueAt(0));
  if (!c) return "";
  return Designer() ? Designer()->GetComponentName(c) : c->Name();
}

void TComponentProperty::GetValues(const TGetStrProc& Proc) {
  if (!Designer()) return;
  for (const String& name : Designer()->GetComponentNames(GetPropType()->ClassType())) Proc(name);
}

void TComponentProperty::SetValue(const String& Value) {
  const String name = Trim(Value);
  TComponent* c = name.empty() || !Designer() ? nullptr : Designer()->GetComponent(name);
  if (!name.empty() && (!c || !c->InheritsFrom(GetPropType()->ClassType())))
    throw EPropertyError("Invalid property value");
  SetObjectValue(c);
}

bool TComponentProperty::AllEqual() {
  for (int i = 1; i < PropCount(); ++i)
    if (GetObjectValueAt(i) != GetObjectValueAt(0)) return false;
  return true;
}

// Events

TPropertyAttributes TMethodProperty::GetAttributes() {
  return {paMultiSelect, paValueList, paSortList, paRevertable};
}

String TMethodProperty::GetValue() { return GetMethodValueAt(0).Name; }

void TMethodProperty::GetValues(const TGetStrProc& Proc) {
  if (!Designer()) return;
  for (const String& name : Designer()->GetMethods(GetPropInfo())) Proc(name);
}

void TMethodProperty::SetValue(const String& Value) {
  const String name = Trim(Value);
  TComponent* root = Designer() ? Designer()->GetRoot() : nullptr;
  if (!name.empty() && !IsValidIdent(name))
    throw EPropertyError("'" + name + "' is not a valid method name");
  if (!name.empty() && !root) throw EPropertyError("No form to hold the method " + name);
  SetMethodValue(name.empty() ? TMethod{} : TMethod{root, name});
}

String TMethodProperty::TrimmedEventName() const {
  const String& name = GetPropInfo()->Name;
  return name.size() > 2 && SameText(name.substr(0, 2), "On") ? name.substr(2) : name;
}

void TMethodProperty::Edit() {
  String name = GetValue();
  TComponent* root = Designer() ? Designer()->GetRoot() : nullptr;
  if (name.empty() && root) {
    auto* c = dynamic_cast<TComponent*>(GetComponent(0));
    const String wanted = (c == root ? String("Form") : c ? c->Name() : "") + TrimmedEventName();
    if (root->ClassType()->FindMethod(wanted)) {
      SetValue(wanted);
      name = wanted;
    }
  }
  if (Designer()) Designer()->ShowMethod(name.empty() ? GetName() : name);
}

bool TMethodProperty::AllEqual() {
  for (int i = 1; i < PropCount(); ++i)
    if (GetMethodValueAt(i).Name != GetMethodValueAt(0).Name) return false;
  return true;
}

// Building the editors of a selection

std::unique_ptr<TPropertyEditor> CreatePropertyEditor(IDesigner* Designer,
                                                      const std::vector<TPersistent*>& Components,
                                                      const TPropInfo* PropInfo) {
  const int count = static_cast<int>(Components.size());
  auto editor =
      PropertyEditorClassFor(PropInfo, Components.front()->ClassType()).Create(Designer, count);
  for (int i = 0; i < count; ++i) {
    const TPropInfo* own = GetPropInfo(Components[static_cast<size_t>(i)], PropInfo->Name);
    editor->SetPropEntry(i, Components[static_cast<size_t>(i)], own);
  }
  editor->Initialize();
  return editor;
}

void GetComponentProperties(const std::vector<TPersistent*>& Components, TTypeKinds Filter,
                            IDesigner* Designer, const TGetPropProc& Proc) {
  if (Components.empty()) return;
  for (const TPropInfo* prop : GetPropList(Components.front(), Filter)) {
    if (!prop->SetOrd && !prop->SetFloat && !prop->SetStr && !prop->SetObject &&
        !prop->SetVariant && !prop->SetMethod)
      continue;
    const bool everyone = std::all_of(Components.begin() + 1, Components.end(), [&](auto* c) {
      const TPropInfo* other = GetPropInfo(c, prop->Name);
      return other && other->PropType->Kind == prop->PropType->Kind;
    });
    if (!everyone) continue;
    auto editor = CreatePropertyEditor(Designer, Components, prop);
    if (Components.size() > 1 && !editor->GetAttributes().Contains(paMultiSelect)) continue;
    Proc(std::move(editor));
  }
}

// Component editors

TComponentEditor::TComponentEditor(TComponent* AComponent, IDesigner* ADesigner)
    : FComponent(AComponent), FDesigner(ADesigner) {}

void TComponentEditor::Edit() {
  if (GetVerbCount() > 0) ExecuteVerb(0);
}

void TDefaultEditor::Edit() {
  std::vector<std::unique_ptr<TPropertyEditor>> events;
  GetComponentProperties(
      {Component()}, tkMethods, &Designer(),
      [&](std::unique_ptr<TPropertyEditor> p) { events.push_back(std::move(p)); });
  if (events.empty()) return;
  for (const char* preferred : {"OnCreate", "OnChange", "OnClick"})
    for (auto& e : events)
      if (SameText(e->GetName(), preferred)) return e->Edit();
  events.front()->Edit();
}
