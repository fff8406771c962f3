#include "tests/controls/ControlTestSupport.h"

#include "framework/classes/FormFile.h"
#include "framework/controls/ComCtrls.h"

using namespace controltest;

namespace {

using ProgressBarTest = ControlTest;

TEST_F(ProgressBarTest, PositionStaysInTheRangeAndStepItStartsOverPastMax) {
  TForm* form = NewForm();
  auto* bar = Place(form, new TProgressBar(form), 10, 10);
  bar->SetPosition(150);
  EXPECT_EQ(bar->Position(), 100);
  bar->SetPosition(-5);
  EXPECT_EQ(bar->Position(), 0);
  bar->SetPosition(95);
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 0);
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 10);
  bar->StepBy(500);
  EXPECT_EQ(bar->Position(), 100);
  bar->StepBy(-30);
  EXPECT_EQ(bar->Position(), 70);
  bar->SetMax(50);
  EXPECT_EQ(bar->Position(), 50);
  bar->SetMin(60);
  EXPECT_EQ(bar->Position(), 60);
  EXPECT_EQ(ProgressBarFill(146, 0, 100, 50), 73);
  EXPECT_EQ(ProgressBarFill(146, 10, 10, 10), 0);
}

TEST_F(ProgressBarTest, BlocksFillFromTheLeftOrSmoothlyFromTheBottom) {
  TForm* form = NewForm();
  auto* bar = Place(form, new TProgressBar(form), 10, 10);
  bar->SetPosition(50);
  form->Show();
  const COLORREF highlight = ColorToRGB(clHighlight), face = ColorToRGB(clBtnFace);
  // Inner strip 146 × 12 from (2, 2): blocks of 8 pixels 2 apart, 73 pixels filled.
  EXPECT_EQ(PixelAt(form, bar, {2, 6}), highlight);
  EXPECT_EQ(PixelAt(form, bar, {9, 6}), highlight);
  EXPECT_EQ(PixelAt(form, bar, {10, 6}), face);
  EXPECT_EQ(PixelAt(form, bar, {12, 6}), highlight);
  EXPECT_EQ(PixelAt(form, bar, {100, 6}), face);
  bar->SetSmooth(true);
  EXPECT_EQ(PixelAt(form, bar, {10, 6}), highlight);
  EXPECT_EQ(PixelAt(form, bar, {74, 6}), highlight);
  EXPECT_EQ(PixelAt(form, bar, {75, 6}), face);
  bar->SetBounds(10, 10, 16, 150);
  bar->SetOrientation(pbVertical);
  EXPECT_EQ(PixelAt(form, bar, {6, 147}), highlight);
  EXPECT_EQ(PixelAt(form, bar, {6, 10}), face);
}

TEST_F(ProgressBarTest, AFormFileKeepsRangeOrientationAndStep) {
  TForm* form = NewForm();
  auto* bar = Place(form, new TProgressBar(form), 10, 10);
  bar->SetName("Progress");
  bar->SetMax(250);
  bar->SetPosition(120);
  bar->SetStep(5);
  bar->SetOrientation(pbVertical);
  const String text = WriteFormText(form);
  EXPECT_NE(text.find("Orientation = pbVertical"), String::npos);
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TProgressBar*>(copy->FindComponent("Progress"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Max(), 250);
  EXPECT_EQ(read->Position(), 120);
  EXPECT_EQ(read->Step(), 5);
  EXPECT_EQ(read->Orientation(), pbVertical);
}

} // namespace
