#include "tests/displays/DisplayTestSupport.h"

#include "framework/classes/FormFile.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Panels.h"
#include "styled/LumCheckBox.h"

using namespace displaytest;

namespace {

const COLORREF Shadow = ColorToRGB(clBtnShadow);
const COLORREF Face = ColorToRGB(clBtnFace);
const COLORREF White = ColorToRGB(clWhite);

TEST(CheckBoxGeometry, BoxesSitWhereTheirPositionSaysAndTheCaptionBesideThem) {
  const TRect client = Rect(0, 0, 97, 17);
  EXPECT_EQ(CheckBoxRect(client, lcbpLeftTop, lcbsNormal), Rect(0, 2, 13, 15));
  EXPECT_EQ(CheckBoxRect(client, lcbpRightCenter, lcbsLarge), Rect(80, 1, 95, 16));
  EXPECT_EQ(CheckBoxRect(client, lcbpLeftBottom, lcbsSmall), Rect(0, 4, 11, 15));
  EXPECT_EQ(CheckBoxRect(Rect(0, 0, 60, 40), lcbpCenterBottom, lcbsLargest), Rect(21, 21, 38, 38));
  const TRect box = CheckBoxRect(Rect(0, 0, 60, 40), lcbpCenterTop, lcbsNormal);
  EXPECT_EQ(CheckBoxTextRect(Rect(0, 0, 60, 40), box, lcbpCenterTop), Rect(0, 16, 60, 40));
  EXPECT_EQ(CheckBoxTextRect(client, Rect(80, 1, 95, 16), lcbpRightCenter), Rect(0, 0, 79, 17));
  EXPECT_EQ(CheckBoxTextRect(client, Rect(0, 2, 13, 15), lcbpLeftTop).Left, 14);
}

class LumCheckBoxTest : public DisplayTest {
protected:
  TLumCheckBox* NewBox(const String& Caption = "Wij") {
    auto* box = ShowNew<TLumCheckBox>();
    box->SetCaption(Caption);
    auto* edit = new TEdit(Form());
    edit->SetBounds(10, 100, 80, 21);
    edit->SetParent(Form());
    edit->SetFocus();
    return box;
  }
};

TEST_F(LumCheckBoxTest, TheDefaultBoxIsSunkenAtTheLeftWithTheCaptionFromX15) {
  TLumCheckBox* box = NewBox();
  const TShot shot = Shoot(box);
  EXPECT_EQ(shot.At(0, 2), Shadow) << "outer edge of the sunken box";
  EXPECT_EQ(shot.At(11, 2), Shadow);
  EXPECT_EQ(shot.At(12, 14), White) << "outer light edge at the bottom right";
  EXPECT_EQ(shot.At(6, 8), White) << "the window-coloured interior";
  EXPECT_EQ(shot.At(6, 1), White) << "the form's colour above the box";
  EXPECT_EQ(shot.CountDark(Rect(13, 0, 15, 17)), 0) << "nothing between box and caption";
  EXPECT_GT(shot.CountDark(Rect(15, 2, 40, 17)), 10) << "the caption";
  EXPECT_EQ(shot.CountDark(Rect(15, 0, 97, 2)), 0) << "the caption starts at y = 2";
}

TEST_F(LumCheckBoxTest, EachPositionAndSizePutsTheBoxAndTheCaptionInPlace) {
  TLumCheckBox* box = NewBox();
  box->SetCheckBoxPosition(lcbpRightCenter);
  box->SetCheckBoxSize(lcbsLarge);
  box->SetAlignment(taRightJustify);
  TShot shot = Shoot(box);
  EXPECT_EQ(shot.At(80, 1), Shadow);
  for (int y = 1; y < 15; ++y) EXPECT_EQ(shot.At(80, y), Shadow) << y;
  EXPECT_EQ(shot.At(79, 1), White);
  EXPECT_EQ(shot.At(92, 13), White) << "inside the 15-pixel box";
  EXPECT_GT(shot.CountDark(Rect(55, 2, 80, 17)), 10) << "the caption right-aligned before x 80";
  EXPECT_EQ(shot.CountDark(Rect(0, 0, 50, 17)), 0);

  box->SetBounds(10, 10, 60, 40);
  box->SetCheckBoxPosition(lcbpCenterBottom);
  box->SetCheckBoxSize(lcbsLargest);
  box->SetAlignment(taCenter);
  shot = Shoot(box);
  shot.Expect({{21, 21, Shadow}, {20, 21, White}});
  EXPECT_GT(shot.CountDark(Rect(0, 2, 60, 19)), 10) << "the caption above the box";
  Sheet("checkbox_center_bottom.png");
}

TEST_F(LumCheckBoxTest, MarksAreATickACrossOrAFilledSquareInTheHookColour) {
  TLumCheckBox* box = NewBox("");
  box->SetChecked(true);
  box->SetHookColor(clRed);
  const COLORREF red = ColorToRGB(clRed);
  TShot shot = Shoot(box);
  for (const int y : {7, 8, 9}) EXPECT_EQ(shot.At(3, y), red) << "the three-pixel tick at y " << y;
  shot.Expect({{3, 6, White}, {4, 10, red}});
  EXPECT_EQ(shot.At(9, 7), red) << "the long stroke up to the right";
  EXPECT_EQ(shot.At(10, 6), White) << "its end point is left out";

  box->SetHookStyle(lhsCross);
  shot = Shoot(box);
  shot.Expect({{3, 5, red}, {9, 11, red}, {3, 11, red}});
  EXPECT_EQ(shot.At(6, 8), red) << "the strokes cross in the middle";
  EXPECT_EQ(shot.At(5, 4), White);

  box->SetHookStyle(lhsFill);
  shot = Shoot(box);
  EXPECT_EQ(shot.Count(Rect(0, 2, 13, 15), clRed), 9 * 9);
  shot.Expect({{2, 4, red}, {10, 12, red}});
}

TEST_F(LumCheckBoxTest, ADisabledCheckedBoxShowsAGreyMarkOnButtonFace) {
  TLumCheckBox* box = NewBox();
  box->SetChecked(true);
  box->SetEnabled(false);
  TShot shot = Shoot(box);
  EXPECT_EQ(shot.At(3, 8), ColorToRGB(clGrayText));
  EXPECT_EQ(shot.At(10, 12), Face) << "the box of a disabled check box";
  Sheet("checkbox_disabled.png");

  box->SetEnabled(true);
  box->SetColor(clYellow);
  box->SetCheckBoxTransparent(true);
  shot = Shoot(box);
  EXPECT_EQ(shot.At(10, 12), ColorToRGB(clYellow)) << "a transparent box shows the background";
  EXPECT_EQ(shot.At(3, 8), ColorToRGB(clBtnText));
  box->SetTransparent(true);
  Form()->SetColor(clAqua);
  shot = Shoot(box);
  EXPECT_EQ(shot.At(10, 12), ColorToRGB(clAqua)) << "and through a transparent control, the parent";
}

class LumCheckBoxFocusTest : public DisplayTest {
protected:
  void SetUp() override {
    Box = ShowNew<TLumCheckBox>();
    Box->SetCaption("Focus");
    Before = new TEdit(Form());
    Before->SetBounds(10, 40, 80, 21);
    Before->SetParent(Form());
    Before->SetTabOrder(0);
    After = new TEdit(Form());
    After->SetBounds(10, 70, 80, 21);
    After->SetParent(Form());
    Box->SetOnClick([this](TObject*) { ++Clicks; });
    Before->SetFocus();
  }
  TLumCheckBox* Box = nullptr;
  TEdit* Before = nullptr;
  TEdit* After = nullptr;
  int Clicks = 0;
};

TEST_F(LumCheckBoxFocusTest, TabReachesTheCompanionAndSpaceTogglesOnce) {
  User.Tab();
  EXPECT_TRUE(Box->Companion()->Focused());
  EXPECT_TRUE(Box->IsFocused());
  User.PressKey(VK_SPACE);
  EXPECT_TRUE(Box->Checked());
  EXPECT_EQ(Clicks, 1);
  User.PressKey(VK_SPACE);
  EXPECT_FALSE(Box->Checked());
  EXPECT_EQ(Clicks, 2);
  User.Tab();
  EXPECT_TRUE(After->Focused());
  EXPECT_FALSE(Box->IsFocused());
}

TEST_F(LumCheckBoxFocusTest, AClickTogglesFocusesTheCompanionAndFiresOnClick) {
  User.Click(Box, TPoint{40, 8});
  EXPECT_TRUE(Box->Checked());
  EXPECT_EQ(Clicks, 1);
  EXPECT_TRUE(Box->Companion()->Focused());
  User.Click(Box, TPoint{5, 8});
  EXPECT_FALSE(Box->Checked());
  EXPECT_EQ(Clicks, 2);
}

TEST_F(LumCheckBoxFocusTest, ADisabledOrHiddenCheckBoxLeavesTheTabOrder) {
  Box->SetEnabled(false);
  User.Tab();
  EXPECT_TRUE(After->Focused()) << "Tab goes past a disabled check box";
  User.PressKey(VK_SPACE);
  EXPECT_FALSE(Box->Checked());
  Box->SetEnabled(true);
  Box->SetVisible(false);
  Before->SetFocus();
  User.Tab();
  EXPECT_TRUE(After->Focused()) << "and past a hidden one";
  EXPECT_EQ(Clicks, 0);
  Box->SetVisible(true);
  Box->SetTabStop(false);
  Before->SetFocus();
  User.Tab();
  EXPECT_TRUE(After->Focused()) << "and past one without a tab stop";
}

TEST_F(LumCheckBoxFocusTest, EachFocusStyleMarksTheCaptionArea) {
  const COLORREF red = ColorToRGB(clRed);
  Box->SetFocusStyle(lfsFill);
  Box->SetFocusColor(clRed);
  TShot shot = Shoot(Box);
  EXPECT_EQ(shot.Count(Rect(14, 0, 97, 17), clRed), 0) << "no marker without the focus";
  User.Tab();
  shot = Shoot(Box);
  shot.Expect({{14, 0, red}, {96, 16, red}, {13, 0, White}});

  Box->SetFocusStyle(lfsLine);
  shot = Shoot(Box);
  EXPECT_EQ(shot.Count(Rect(14, 16, 97, 17), clRed), 83) << "a line along the bottom row";
  EXPECT_EQ(shot.Count(Rect(14, 0, 97, 16), clRed), 0);

  Box->SetFocusStyle(lfsNormal);
  shot = Shoot(Box);
  EXPECT_EQ(shot.Count(Rect(14, 0, 97, 17), clRed), 0);
  int dotted = 0;
  for (int x = 14; x < 97; ++x) dotted += shot.At(x, 0) != White;
  EXPECT_GT(dotted, 30) << "a dotted focus rectangle along the top";
  EXPECT_LT(dotted, 60);
  Sheet("checkbox_focus.png");
}

TEST_F(LumCheckBoxFocusTest, TabOrderAndTabStopAreTheCompanionsAndOutOfRangeIsRefused) {
  Box->SetTabOrder(0);
  EXPECT_EQ(Box->TabOrder(), 0);
  EXPECT_EQ(Box->Companion()->TabOrder(), 0);
  EXPECT_EQ(Before->TabOrder(), 1);
  EXPECT_THROW(Box->SetTabOrder(32768), ERangeError);
  EXPECT_THROW(Box->SetTabOrder(-2), ERangeError);
  EXPECT_EQ(Box->TabOrder(), 0);
}

TEST_F(LumCheckBoxTest, AFormFileNamesAndParentsTheCompanionOnLoading) {
  TForm* form = NewForm();
  form->SetName("Options");
  auto* panel = new TPanel(form);
  panel->SetName("Group");
  panel->SetParent(form);
  auto* edit = new TEdit(form);
  edit->SetName("Entry");
  edit->SetParent(panel);
  auto* box = new TLumCheckBox(form);
  box->SetName("Sound");
  box->SetParent(panel);
  box->SetCaption("Sound");
  box->SetChecked(true);
  box->SetCheckBoxStyle(lcbsEtched);
  box->SetHookStyle(lhsCross);
  box->SetTabOrder(0);
  const String text = WriteFormText(form);
  EXPECT_NE(text.find("object Sound: TLumCheckBox"), String::npos) << text;
  EXPECT_NE(text.find("CheckBoxStyle = lcbsEtched"), String::npos) << text;
  EXPECT_EQ(text.find("Focus"), String::npos) << "the companion is not stored";

  std::unique_ptr<TComponent> read(ReadFormText(text));
  auto* loaded = dynamic_cast<TLumCheckBox*>(read->FindComponent("Sound"));
  ASSERT_NE(loaded, nullptr);
  EXPECT_TRUE(loaded->Checked());
  EXPECT_EQ(loaded->HookStyle(), lhsCross);
  EXPECT_EQ(loaded->Companion()->Name(), "SoundFocus");
  EXPECT_EQ(loaded->Companion()->Parent(), read->FindComponent("Group"));
  EXPECT_EQ(loaded->TabOrder(), 0);
  EXPECT_EQ(dynamic_cast<TWinControl*>(read->FindComponent("Entry"))->TabOrder(), 1);
}

TEST_F(LumCheckBoxTest, EveryStyleOnOneSheet) {
  TForm* form = NewForm(420, 260);
  form->SetColor(clBtnFace);
  int i = 0;
  for (int position = lcbpLeftTop; position <= lcbpCenterBottom; ++position)
    for (int style = lcbsSunken; style <= lcbsEtched; ++style, ++i) {
      auto* box = new TLumCheckBox(form);
      box->SetParent(form);
      box->SetBounds(4 + (i % 4) * 100, 4 + (i / 4) * 28, 96, 26);
      box->SetCaption("Box " + std::to_string(i + 1));
      box->SetCheckBoxPosition(static_cast<TLumCheckBoxPosition>(position));
      box->SetCheckBoxStyle(static_cast<TLumCheckBoxStyle>(style));
      box->SetCheckBoxSize(static_cast<TLumCheckBoxSize>(i % 4));
      box->SetHookStyle(static_cast<TLumHookStyle>(i % 3));
      box->SetChecked(i % 5 != 4);
      box->SetEnabled(i % 7 != 6);
    }
  form->Show();
  User.SaveSnapshot(form, SheetPath("checkbox_styles.png"));
  EXPECT_EQ(form->ControlCount(), 64) << "each check box with its companion";
}

} // namespace
