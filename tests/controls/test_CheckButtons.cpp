#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"

#include "framework/controls/CheckButtons.h"
#include "framework/controls/Labels.h"
#include "framework/controls/Panels.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/ScrollBox.h"

using namespace controltest;

namespace {

LRESULT NativeCheck(TWinControl* Control) {
  return SendMessageA(Control->Handle(), BM_GETCHECK, 0, 0);
}

TEST_F(ControlTest, CheckBoxCyclesThroughGrayedWhenAllowedAndClicksOnEveryChange) {
  TForm* form = NewForm();
  auto* box = Place(form, new TCheckBox(form), 10, 10);
  box->SetCaption("Fett");
  int clicks = 0;
  box->SetOnClick([&](TObject*) { ++clicks; });
  form->Show();

  User.Click(box);
  EXPECT_EQ(box->State(), cbChecked);
  EXPECT_EQ(NativeCheck(box), BST_CHECKED);
  User.Click(box);
  EXPECT_EQ(box->State(), cbUnchecked);
  EXPECT_EQ(clicks, 2);

  box->SetAllowGrayed(true);
  const TCheckBoxState cycle[] = {cbGrayed, cbChecked, cbUnchecked};
  for (const TCheckBoxState expected : cycle) {
    User.PressKey(VK_SPACE);
    EXPECT_EQ(box->State(), expected);
    EXPECT_EQ(NativeCheck(box), static_cast<LRESULT>(expected));
  }
  EXPECT_EQ(clicks, 5);

  // A change in code clicks too; setting the same state does not.
  box->SetChecked(true);
  EXPECT_EQ(clicks, 6);
  box->SetChecked(true);
  EXPECT_EQ(clicks, 6);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(NativeCheck(box), BST_CHECKED);

  // Alt with the accelerator focuses and toggles it.
  box->SetCaption("&Fett");
  auto* other = Place(form, new TSwatch(form), 150, 10);
  other->SetFocus();
  User.PressKey('F', {ssAlt});
  EXPECT_TRUE(box->Focused());
  EXPECT_EQ(box->State(), cbUnchecked);
  EXPECT_EQ(clicks, 7);
}

TEST_F(ControlTest, CheckBoxAlignmentPutsTheBoxOnTheOtherSide) {
  TForm* form = NewForm();
  auto* box = Place(form, new TCheckBox(form), 10, 10);
  box->SetCaption("Rechts");
  form->Show();
  const TColor window = ColorToRGB(clWindow);
  EXPECT_EQ(PixelAt(form, box, {6, 8}), window); // the box's white inside, left
  box->SetAlignment(taLeftJustify);
  EXPECT_NE(PixelAt(form, box, {6, 8}), window);
  EXPECT_EQ(PixelAt(form, box, {box->Width() - 7, 8}), window);
  EXPECT_THROW(box->SetAlignment(taCenter), ERangeError);
  EXPECT_EQ(box->Alignment(), taLeftJustify);
}

TEST_F(ControlTest, RadioButtonsExcludeEachOtherWithinOneParentOnly) {
  TForm* form = NewForm(400, 300);
  auto* left = Place(form, new TPanel(form), Bounds(0, 0, 150, 100));
  auto* right = Place(form, new TPanel(form), Bounds(200, 0, 150, 100));
  auto* a1 = Titled(Place(left, new TRadioButton(form), 10, 10), "A1");
  auto* a2 = Titled(Place(left, new TRadioButton(form), 10, 40), "A2");
  auto* b1 = Titled(Place(right, new TRadioButton(form), 10, 10), "B1");
  int clicks = 0;
  for (TRadioButton* r : {a1, a2, b1}) r->SetOnClick([&](TObject*) { ++clicks; });
  form->Show();

  User.Click(a1);
  User.Click(b1);
  EXPECT_TRUE(a1->Checked());
  EXPECT_TRUE(b1->Checked());
  User.Click(a2);
  EXPECT_FALSE(a1->Checked());
  EXPECT_TRUE(a2->Checked());
  EXPECT_TRUE(b1->Checked());
  EXPECT_EQ(NativeCheck(a1), BST_UNCHECKED);
  EXPECT_EQ(NativeCheck(a2), BST_CHECKED);
  EXPECT_EQ(clicks, 3);
  User.Click(a2); // already checked: no click
  EXPECT_EQ(clicks, 3);
  // Only the checked button of a group is a tab stop.
  EXPECT_FALSE(a1->TabStop());
  EXPECT_TRUE(a2->TabStop());

  // Arrow keys move within the parent and check the button they reach.
  User.PressKey(VK_UP);
  EXPECT_TRUE(a1->Focused());
  EXPECT_TRUE(a1->Checked());
  EXPECT_FALSE(a2->Checked());
  EXPECT_TRUE(b1->Checked());
  EXPECT_EQ(clicks, 4);

  a2->SetChecked(true); // in code
  EXPECT_FALSE(a1->Checked());
  EXPECT_EQ(clicks, 5);
}

TEST_F(ControlTest, RadioGroupFollowsClicksArrowsAndItemChanges) {
  TForm* form = NewForm(400, 300);
  auto* group = Titled(Place(form, new TRadioGroup(form), Bounds(10, 10, 200, 110)), "Farbe");
  int clicks = 0;
  group->SetOnClick([&](TObject*) { ++clicks; });
  for (const char* item : {"Rot", "Gruen", "Blau"}) group->Items()->Add(item);
  form->Show();
  ASSERT_EQ(group->ButtonCount(), 3);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_EQ(group->Buttons(1)->Caption(), "Gruen");

  User.Click(group->Buttons(1));
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  User.PressKey(VK_DOWN);
  EXPECT_EQ(group->ItemIndex(), 2);
  EXPECT_TRUE(group->Buttons(2)->Focused());
  User.PressKey(VK_DOWN); // wraps round within the group
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_EQ(clicks, 3);
  EXPECT_FALSE(group->Buttons(2)->Checked());

  group->SetItemIndex(2);
  EXPECT_TRUE(group->Buttons(2)->Checked());
  EXPECT_FALSE(group->Buttons(0)->Checked());
  EXPECT_EQ(clicks, 4);
  group->SetItemIndex(7);
  EXPECT_EQ(group->ItemIndex(), 2);

  // Removing the checked line keeps ItemIndex in range; renaming a line renames its button.
  group->Items()->Delete(2);
  EXPECT_EQ(group->ButtonCount(), 2);
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_TRUE(group->Buttons(1)->Checked());
  group->Items()->SetStrings(0, "Orange");
  EXPECT_EQ(group->Buttons(0)->Caption(), "Orange");
  group->Items()->Clear();
  EXPECT_EQ(group->ButtonCount(), 0);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_THROW(group->Buttons(0), EListError);
}

TEST_F(ControlTest, RadioGroupLaysOutItsButtonsInColumnsFillingTheBox) {
  TForm* form = NewForm(400, 300);
  auto* group = Place(form, new TRadioGroup(form), Bounds(10, 10, 210, 100));
  for (const char* item : {"a", "b", "c", "d", "e"}) group->Items()->Add(item);
  form->Show();
  const int line = FontHeight(group->Font());
  const int room = 100 - line - 5;

  EXPECT_EQ(group->Buttons(4)->Top(), 4 * (room / 5) + line + 1 + (room % 5) / 2);
  EXPECT_EQ(group->Buttons(0)->Width(), 200);

  group->SetColumns(2); // three rows, the last column shorter
  const int height = room / 3;
  EXPECT_EQ(group->Buttons(3)->BoundsRect(),
            Bounds(8 + 100, line + 1 + (room % 3) / 2, 100, height));
  EXPECT_EQ(group->Buttons(2)->Left(), 8);
  EXPECT_EQ(group->Buttons(2)->Top(), group->Buttons(3)->Top() + 2 * height);
  EXPECT_EQ(group->Buttons(4)->Top(), group->Buttons(3)->Top() + height);
  group->SetColumns(99);
  EXPECT_EQ(group->Columns(), 16);
}

// Every control of the panels, labels and check buttons in the states a person sees.
TEST_F(ControlTest, PanelsLabelsAndChecksSheet) {
  TForm* form = NewForm(560, 400);
  form->SetCaption("Panels, labels, checks");
  Titled(Place(form, new TPanel(form), Bounds(10, 10, 160, 40)), "Raised panel");
  auto* sunk = Titled(Place(form, new TPanel(form), Bounds(180, 10, 160, 40)), "Lowered + inner");
  sunk->SetBevelOuter(bvLowered);
  sunk->SetBevelInner(bvRaised);
  sunk->SetBorderWidth(2);
  auto* single = Place(form, new TPanel(form), Bounds(350, 10, 190, 40));
  single->SetBorderStyle(bsSingle);
  single->SetBevelOuter(bvNone);
  single->SetAlignment(taLeftJustify);
  single->SetCaption("Single border, left");

  const TBevelShape shapes[] = {bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine};
  for (int i = 0; i < 6; ++i) {
    auto* bevel = Place(form, new TBevel(form), Bounds(10 + i * 45, 60, 38, 30));
    bevel->SetShape(shapes[i]);
    bevel->SetStyle(i % 2 ? bsRaised : bsLowered);
  }

  Titled(Place(form, new TLabel(form), 290, 60), "&Label with accelerator");
  Titled(Place(form, new TLabel(form), 290, 78), "Disabled label")->SetEnabled(false);
  auto* colour = Place(form, new TPanel(form), Bounds(290, 96, 250, 40));
  colour->SetColor(clTeal);
  colour->SetBevelOuter(bvNone);
  Titled(Place(colour, new TLabel(form), 6, 4), "Transparent label on teal")->SetTransparent(true);
  Titled(Place(colour, new TLabel(form), 6, 20), "Opaque yellow")->SetColor(clYellow);

  auto* group = Titled(Place(form, new TGroupBox(form), Bounds(10, 100, 270, 130)), "&Group box");
  const auto check = [&](int Top, const char* Caption) {
    return Titled(Place(group, new TCheckBox(form), 10, Top), Caption);
  };
  check(20, "Unchecked");
  auto* checked = check(40, "Checked");
  checked->SetChecked(true);
  auto* grayed = check(60, "Grayed");
  grayed->SetAllowGrayed(true);
  grayed->SetState(cbGrayed);
  auto* leftText = check(80, "Text on the left");
  leftText->SetWidth(120);
  leftText->SetAlignment(taLeftJustify);
  leftText->SetChecked(true);
  check(100, "Disabled")->SetEnabled(false);
  Titled(Place(group, new TRadioButton(form), 140, 20), "Radio one");
  Titled(Place(group, new TRadioButton(form), 140, 40), "Radio two")->SetChecked(true);

  auto* radios = Titled(Place(form, new TRadioGroup(form), Bounds(290, 145, 250, 85)),
                        "Radio group, 2 columns");
  radios->SetColumns(2);
  for (const char* item : {"North", "East", "South", "West"}) radios->Items()->Add(item);
  radios->SetItemIndex(2);

  auto* box = Place(form, new TScrollBox(form), Bounds(10, 240, 270, 110));
  for (int i = 0; i < 4; ++i)
    Titled(Place(box, new TCheckBox(form), 10, 10 + i * 40),
           "Scrolled item " + std::to_string(i + 1))
        ->SetWidth(140);
  auto* wide = Place(form, new TScrollBox(form), Bounds(290, 240, 250, 110));
  Titled(Place(wide, new TPanel(form), Bounds(10, 10, 400, 150)),
         "Panel wider and taller than its scroll box");
  form->Show();
  box->VertScrollBar()->SetPosition(30);
  checked->SetFocus();

  User.SaveSnapshot(form, SheetPath("panels_labels_checks.png"));
  EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
  EXPECT_TRUE(wide->HorzScrollBar()->IsScrollBarVisible());
  EXPECT_TRUE(wide->VertScrollBar()->IsScrollBarVisible());
  EXPECT_TRUE(radios->Buttons(2)->Checked());
}

} // namespace
