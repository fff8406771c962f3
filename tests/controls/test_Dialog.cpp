#include "tests/controls/ControlTestSupport.h"

#include "framework/controls/ComboBoxes.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Labels.h"
#include "framework/controls/ListBoxes.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/StdCtrls.h"

using namespace controltest;

namespace {

// A dialog as a user meets it: every field reached by keys or the mouse, closed with OK.
TEST_F(ControlTest, ADialogOfStandardControlsIsFilledInAndClosedByTheUser) {
  TForm* form = NewForm(460, 260);
  form->SetCaption("Order");
  auto* name = Place(form, new TEdit(form), Bounds(70, 10, 150, 22));
  Titled(Place(form, new TLabel(form), Bounds(10, 13, 55, 16)), "&Name:")->SetFocusControl(name);
  auto* notes = Place(form, new TMemo(form), Bounds(10, 40, 210, 60));
  auto* city = Place(form, new TComboBox(form), Bounds(10, 110, 150, 120));
  city->SetStyle(csDropDownList);
  for (const char* c : {"Berlin", "Hamburg", "Munich"}) city->Items()->Add(c);
  auto* colour = Place(form, new TListBox(form), Bounds(240, 10, 100, 90));
  for (const char* c : {"Red", "Green", "Blue", "Yellow"}) colour->Items()->Add(c);
  auto* size = Titled(Place(form, new TRadioGroup(form), Bounds(240, 110, 100, 90)), "Size");
  for (const char* s : {"Small", "Medium", "Large"}) size->Items()->Add(s);
  auto* ok = Titled(Place(form, new TButton(form), Bounds(360, 10, 75, 25)), "OK");
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);

  User.WhenModal([&](TCustomForm*) {
    User.PressKey('N', {ssAlt});
    User.Type("Ada");
    User.Click(notes);
    User.Type("first");
    User.Enter(); // the memo wants returns: a new line, not the default button
    User.Type("second");
    User.Tab();
    User.PressKey(VK_DOWN);
    User.PressKey(VK_DOWN);
    const TRect blue = colour->ItemRect(2);
    User.Click(colour, {blue.Left + 5, blue.Top + 2});
    User.Click(size->Controls(2));
    User.Click(ok);
  });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_EQ(name->Text(), "Ada");
  ASSERT_EQ(notes->Lines()->Count(), 2);
  EXPECT_EQ(notes->Lines()->Strings(1), "second");
  EXPECT_EQ(city->Text(), "Hamburg");
  EXPECT_EQ(colour->ItemIndex(), 2);
  EXPECT_EQ(size->ItemIndex(), 2);
}

} // namespace
