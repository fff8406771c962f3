#pragma once

#include "framework/controls/Forms.h"
#include "framework/design/DesignIntf.h"

#include <vector>

class TComboBox;
class TCheckBox;
class TPageControl;
class TPropertyGrid;

// The object inspector: which component is selected (a drop-down of the designed form's
// components), its properties and its events on two tabs, by name or under categories.
// Every value goes through the property editors to the component's setters.
class TObjectInspector : public TForm {
  LUM_CLASS(TObjectInspector, TForm)
public:
  TObjectInspector(TComponent* AOwner, IDesigner* ADesigner);

  void SetSelection(const std::vector<TPersistent*>& Selection);
  const std::vector<TPersistent*>& Selection() const { return FSelection; }
  // The designed form changed: new values, names and components show.
  void Modified();
  void SetByCategory(bool Value);
  bool ByCategory() const { return FByCategory; }
  // Brings the event whose handler (or name) that is to the front, on the events tab.
  void ShowEvent(const String& Name);
  void ShowEventsTab(bool Events);

  TComboBox* Selector() const { return FSelector; }
  TCheckBox* CategoryCheck() const { return FCategoryCheck; }
  TPageControl* Tabs() const { return FTabs; }
  TPropertyGrid* PropertiesGrid() const { return FProperties; }
  TPropertyGrid* EventsGrid() const { return FEvents; }

private:
  void ShowSelection();
  void UpdateSelector();
  void SelectorChosen();

  IDesigner* FDesigner;
  std::vector<TPersistent*> FSelection;
  std::vector<TComponent*> FSelectorItems;
  bool FByCategory = false;
  TComboBox* FSelector;
  TCheckBox* FCategoryCheck;
  TPageControl* FTabs;
  TPropertyGrid* FProperties;
  TPropertyGrid* FEvents;
};
