#include "demo/StandardPage.h"

#include "framework/controls/CheckButtons.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Labels.h"
#include "framework/controls/ListBoxes.h"
#include "framework/controls/MaskEdit.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"

namespace {

template <class C>
C* Put(TWinControl* Parent, C* Control, int Left, int Top, int Width, int Height) {
  Control->SetBounds(Left, Top, Width, Height);
  Control->SetParent(Parent);
  return Control;
}

TButton* AddButton(TWinControl* Parent, const String& Caption, int Top) {
  auto* button = Put(Parent, new TButton(Parent), 16, Top, 100, 25);
  button->SetCaption(Caption);
  return button;
}

void AddButtons(TWinControl* Parent) {
  AddButton(Parent, "&Button", 16)->SetHint("An ordinary push button");
  AddButton(Parent, "&Default", 49)->SetDefault(true);
  AddButton(Parent, "Disabled", 82)->SetEnabled(false);
  AddButton(Parent, "&Message box", 115)->SetOnClick([](TObject*) {
    MessageDlg("This is a message box of the framework.", mtInformation, {mbOK}, 0);
  });
  auto* check = Put(Parent, new TCheckBox(Parent), 16, 152, 110, 20);
  check->SetCaption("&Check box");
  check->SetChecked(true);
  auto* grayed = Put(Parent, new TCheckBox(Parent), 16, 176, 110, 20);
  grayed->SetCaption("Grayed");
  grayed->SetAllowGrayed(true);
  grayed->SetState(cbGrayed);
}

void AddLabelled(TWinControl* Parent, const String& Caption, TWinControl* Control, int Top) {
  auto* label = Put(Parent, new TLabel(Parent), 136, Top + 3, 60, 16);
  label->SetCaption(Caption);
  label->SetFocusControl(Control);
  Put(Parent, Control, 196, Top, 110, 22);
}

void AddEntries(TWinControl* Parent) {
  auto* edit = new TEdit(Parent);
  edit->SetText("An edit");
  AddLabelled(Parent, "&Name:", edit, 16);
  auto* date = new TMaskEdit(Parent);
  date->SetEditMask("!99/99/0000;1;_");
  date->SetText("24/12/2026");
  AddLabelled(Parent, "D&ate:", date, 46);
  auto* spin = new TSpinEdit(Parent);
  spin->SetMaxValue(99);
  spin->SetValue(42);
  AddLabelled(Parent, "&Count:", spin, 76);
  auto* combo = new TComboBox(Parent);
  AddLabelled(Parent, "C&ity:", combo, 106);
  for (const char* city : {"Berlin", "Hamburg", "Munich", "Vienna", "Zurich"})
    combo->Items()->Add(city);
  combo->SetItemIndex(0);
  auto* memo = Put(Parent, new TMemo(Parent), 136, 140, 170, 56);
  memo->Lines()->Add("A memo holds");
  memo->Lines()->Add("several lines.");
}

void AddChoices(TWinControl* Parent) {
  auto* list = Put(Parent, new TListBox(Parent), 320, 16, 100, 180);
  for (const char* item : {"Bevel", "Button", "Check box", "Combo box", "Edit", "Label", "List box",
                           "Memo", "Panel", "Radio group", "Spin edit"})
    list->Items()->Add(item);
  list->SetItemIndex(1);
  auto* group = Put(Parent, new TRadioGroup(Parent), 432, 16, 108, 110);
  group->SetCaption("&Size");
  for (const char* size : {"Small", "Medium", "Large"}) group->Items()->Add(size);
  group->SetItemIndex(1);
}

} // namespace

void FillStandardControls(TWinControl* Parent) {
  AddButtons(Parent);
  AddEntries(Parent);
  AddChoices(Parent);
}
