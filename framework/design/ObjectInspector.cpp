#include "framework/design/ObjectInspector.h"

#include "framework/controls/CheckButtons.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Panels.h"
#include "framework/design/PropertyGrid.h"
#include "framework/rtl/Strings.h"

namespace {

String SelectorText(TComponent* C) { return C->Name() + ": " + C->ClassName(); }

TPropertyGrid* AddGridSheet(TObjectInspector* Form, TPageControl* Tabs, const String& Caption,
                            const String& GridName) {
  auto* sheet = new TTabSheet(Form);
  sheet->SetCaption(Caption);
  sheet->SetPageControl(Tabs);
  auto* grid = new TPropertyGrid(Form);
  grid->SetName(GridName);
  grid->SetAlign(alClient);
  grid->SetParent(sheet);
  return grid;
}

} // namespace

TObjectInspector::TObjectInspector(TComponent* AOwner, IDesigner* ADesigner)
    : TForm(AOwner), FDesigner(ADesigner) {
  SetText("Object Inspector");
  SetBounds(0, 0, 280, 520);
  auto* top = new TPanel(this);
  top->SetAlign(alTop);
  top->SetHeight(52);
  top->SetBevelOuter(bvNone);
  top->SetCaption("");
  top->SetParent(this);
  FSelector = new TComboBox(this);
  FSelector->SetName("Selector");
  FSelector->SetStyle(csDropDownList);
  FSelector->SetBounds(4, 4, 268, 21);
  FSelector->SetAnchors(TAnchors{akLeft, akTop, akRight});
  FSelector->SetParent(top);
  FSelector->SetOnClick([this](TObject*) { SelectorChosen(); });
  FCategoryCheck = new TCheckBox(this);
  FCategoryCheck->SetName("CategoryCheck");
  FCategoryCheck->SetCaption("By category");
  FCategoryCheck->SetBounds(4, 30, 120, 18);
  FCategoryCheck->SetParent(top);
  FCategoryCheck->SetOnClick([this](TObject*) { SetByCategory(FCategoryCheck->Checked()); });
  FTabs = new TPageControl(this);
  FTabs->SetName("Tabs");
  FTabs->SetAlign(alClient);
  FTabs->SetParent(this);
  FProperties = AddGridSheet(this, FTabs, "Properties", "PropertiesGrid");
  FEvents = AddGridSheet(this, FTabs, "Events", "EventsGrid");
  FTabs->SetActivePageIndex(0);
}

void TObjectInspector::SetSelection(const std::vector<TPersistent*>& Selection) {
  FSelection = Selection;
  UpdateSelector();
  ShowSelection();
}

void TObjectInspector::ShowSelection() {
  if (FSelection.empty()) {
    FProperties->ClearProperties();
    FEvents->ClearProperties();
    return;
  }
  FProperties->ShowProperties(FSelection, tkProperties, FDesigner, FByCategory);
  FEvents->ShowProperties(FSelection, tkMethods, FDesigner, FByCategory);
}

void TObjectInspector::UpdateSelector() {
  FSelectorItems.clear();
  FSelector->Items()->BeginUpdate();
  FSelector->Items()->Clear();
  if (TComponent* root = FDesigner->GetRoot()) {
    FSelectorItems.push_back(root);
    for (int i = 0; i < root->ComponentCount(); ++i) FSelectorItems.push_back(root->Components(i));
  }
  for (TComponent* c : FSelectorItems) FSelector->Items()->Add(SelectorText(c));
  FSelector->Items()->EndUpdate();
  int index = -1;
  if (FSelection.size() == 1)
    for (size_t i = 0; i < FSelectorItems.size(); ++i)
      if (FSelectorItems[i] == FSelection.front()) index = static_cast<int>(i);
  FSelector->SetItemIndex(index);
}

void TObjectInspector::SelectorChosen() {
  const int index = FSelector->ItemIndex();
  if (index < 0 || index >= static_cast<int>(FSelectorItems.size())) return;
  FDesigner->SelectComponent(FSelectorItems[static_cast<size_t>(index)]);
}

void TObjectInspector::Modified() {
  UpdateSelector();
  FProperties->RefreshValues();
  FEvents->RefreshValues();
}

void TObjectInspector::SetByCategory(bool Value) {
  if (FCategoryCheck->Checked() != Value) FCategoryCheck->SetChecked(Value);
  if (FByCategory == Value) return;
  FByCategory = Value;
  ShowSelection();
}

void TObjectInspector::ShowEventsTab(bool Events) { FTabs->SetActivePageIndex(Events ? 1 : 0); }

void TObjectInspector::ShowEvent(const String& Name) {
  ShowEventsTab(true);
  for (int i = 0; i < FEvents->LineCount(); ++i)
    if (SameText(FEvents->LineValue(i), Name) || SameText(FEvents->Line(i)->Name(), Name))
      return FEvents->EditLine(i);
}
