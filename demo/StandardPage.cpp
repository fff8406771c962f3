#include "demo/StandardPage.h"

#include "demo/NativeListBox.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/StdCtrls.h"

namespace {

TButton* AddButton(TWinControl* Parent, const String& Caption, int Left, int Top) {
  auto* button = new TButton(Parent);
  button->SetBounds(Left, Top, 100, 25);
  button->SetCaption(Caption);
  button->SetParent(Parent);
  return button;
}

void AddButtons(TWinControl* Parent) {
  TButton* plain = AddButton(Parent, "&Button", 16, 16);
  plain->SetHint("An ordinary push button");
  AddButton(Parent, "&Default", 16, 49)->SetDefault(true);
  AddButton(Parent, "Disabled", 16, 82)->SetEnabled(false);
  TButton* message = AddButton(Parent, "&Message box", 16, 115);
  message->SetOnClick([](TObject*) {
    MessageDlg("This is a message box of the framework.", mtInformation, {mbOK}, 0);
  });
}

void AddListBox(TWinControl* Parent) {
  auto* list = new TGalleryListBox(Parent);
  for (const char* item : {"Bevel", "Button", "Check box", "Combo box", "Edit", "Label", "List box",
                           "Memo", "Panel", "Radio button", "Scroll bar"})
    list->AddItem(item);
  list->SetBounds(136, 16, 140, 124);
  list->SetItemIndex(1);
  list->SetParent(Parent);
}

} // namespace

void FillStandardControls(TWinControl* Parent) {
  AddButtons(Parent);
  AddListBox(Parent);
}
