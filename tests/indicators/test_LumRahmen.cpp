#include "tests/displays/DisplayTestSupport.h"
#include "tests/surfaces/ZoomSheet.h"

#include "framework/classes/FormFile.h"
#include "framework/controls/StdCtrls.h"
#include "indicators/LumRahmen.h"

using namespace displaytest;

namespace {

using FrameTest = DisplayTest;

TEST_F(FrameTest, TheBorderLinesAndCornersLieWhereTheStepsPutThem) {
  auto* frame = ShowNew<TLumFrame>(120, 80);
  frame->SetColor(clTeal);
  frame->SetCornerBrightColor(clYellow);
  frame->SetCornerDarkColor(clOlive);
  const TShot shot = Shoot(frame);
  ZoomSheet(User, Form(), frame, "LumFrame-zoom.png", 5);
  const int w = 120, h = 80;
  // The triple border along the sides, away from the corners.
  shot.Expect({{0, 40, clBlack},
               {1, 40, clSilver},
               {2, 40, clTeal},
               {4, 40, clBlack},
               {w - 4, 40, clSilver},
               {w - 1, 40, clBlack},
               {60, 0, clBlack},
               {60, 1, clSilver},
               {60, 4, clBlack},
               {60, h - 4, clSilver},
               {60, h - 1, clBlack},
               {60, 40, clTeal}});
  // Step 4: the light edge at the top-left corner; step 18 puts black back on the outside.
  shot.Expect({{1, 8, clYellow}, {8, 1, clYellow}, {0, 8, clBlack}});
  EXPECT_EQ(shot.At(0, 12), ColorToRGB(clBlack)); // the side line of step 2
  // Step 14: the dark fill of the top-left corner, rectangles right and bottom exclusive.
  shot.Expect({{3, 8, clOlive}, {8, 3, clOlive}, {4, 11, clOlive}});
  EXPECT_EQ(shot.At(13, 2), ColorToRGB(clOlive)); // (12,2)-(14,2) leaves its end pixel
  EXPECT_EQ(shot.At(14, 2), ColorToRGB(clBlack)); // step 10's diagonal (15,1)-(12,4)
  // Steps 7 and 9: black inner corner lines.
  shot.Expect({{5, 8, clBlack}, {w - 8, 5, clBlack}});
  // Step 9: the light line down the top-right inner corner.
  EXPECT_EQ(shot.At(w - 5, 9), ColorToRGB(clYellow));
  // Steps 15 and 16: corner rectangles given in reverse order still fill.
  shot.Expect({{8, h - 3, clOlive}, {w - 6, h - 3, clOlive}, {w - 3, h - 8, clOlive}});
  // Step 17: the top-right corner rectangle (W-1,13,W-4,2).
  EXPECT_EQ(shot.At(w - 3, 8), ColorToRGB(clOlive));
  // Step 18: the outer corner edges are black again.
  shot.Expect({{w - 1, 8, clBlack}, {w - 8, h - 1, clBlack}});
}

TEST_F(FrameTest, ATinyFrameDrawsOverlappingCornersWithoutFailing) {
  auto* frame = ShowNew<TLumFrame>(20, 16);
  frame->SetCornerDarkColor(clOlive);
  const TShot shot = Shoot(frame);
  EXPECT_GT(shot.Count(Rect(0, 0, 20, 16), clOlive), 0);
  EXPECT_EQ(shot.At(0, 0), ColorToRGB(clBlack));
}

TEST_F(FrameTest, DesignerPresetsApplyWhenPlacedInADesignerOnly) {
  TForm* form = NewForm();
  auto* runtime = new TLumFrame(form);
  EXPECT_EQ(runtime->CornerBrightColor(), clBlack);
  EXPECT_EQ(runtime->CornerDarkColor(), clBlack);
  EXPECT_EQ(runtime->BorderWidth(), 0);
  EXPECT_EQ(runtime->Color(), clBtnFace);

  TForm* designed = NewForm();
  designed->SetDesigning(true);
  auto* placed = new TLumFrame(designed);
  placed->SetName("Frame1");
  placed->SetParent(designed);
  EXPECT_EQ(placed->CornerBrightColor(), clYellow);
  EXPECT_EQ(placed->CornerDarkColor(), clOlive);
  EXPECT_EQ(placed->BorderWidth(), 8);
  EXPECT_EQ(placed->Color(), clTeal);

  // Read back, also into a form in the designer, a frame keeps what its file says.
  placed->SetCornerDarkColor(clMaroon);
  placed->SetColor(clNavy);
  placed->SetBorderWidth(3);
  const String text = WriteFormText(designed);
  TForm* copy = NewForm();
  copy->SetDesigning(true);
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumFrame*>(copy->FindComponent("Frame1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->CornerDarkColor(), clMaroon);
  EXPECT_EQ(read->CornerBrightColor(), clYellow);
  EXPECT_EQ(read->Color(), clNavy);
  EXPECT_EQ(read->BorderWidth(), 3);
  EXPECT_EQ(WriteFormText(copy), text);
}

TEST_F(FrameTest, ControlsInsideKeepClearOfTheBorderAndUnchangedColoursDoNotRepaint) {
  auto* frame = ShowNew<TLumFrame>(150, 100);
  frame->SetBorderWidth(8);
  auto* inner = new TButton(Form());
  inner->SetParent(frame);
  inner->SetAlign(alClient);
  EXPECT_EQ(inner->BoundsRect(), Rect(9, 9, 141, 91)); // the border and the panel's bevel
  User.ProcessMessages();
  frame->SetCornerDarkColor(clBlack);
  EXPECT_FALSE(GetUpdateRect(frame->Handle(), nullptr, FALSE));
  frame->SetCornerDarkColor(clGreen);
  EXPECT_TRUE(GetUpdateRect(frame->Handle(), nullptr, FALSE));
}

} // namespace
