#include "tests/displays/DisplayTestSupport.h"

#include "displays/LumProgressBar.h"
#include "framework/classes/FormFile.h"
#include "framework/controls/Panels.h"

using namespace displaytest;

namespace {

const COLORREF White = ColorToRGB(clWhite);
const COLORREF Navy = ColorToRGB(clHighlight);

TEST(LedLayout, SegmentsFillTheLengthWithEqualMargins) {
  const TLedLayout standard = LedLayout(196, 20);
  EXPECT_EQ(standard.Count, 21);
  EXPECT_EQ(standard.Width, 9);
  EXPECT_EQ(standard.Margin, 3);
  const TLedLayout short60 = LedLayout(60, 20);
  EXPECT_EQ(short60.Count, 10);
  EXPECT_EQ(short60.Width, 6);
  EXPECT_EQ(short60.Margin, 0);
}

TEST(LedLayout, SegmentsStayAtLeastOnePixelWideAndAtMostAHundred) {
  for (const int length : {0, 1, 5, 80, 81, 99, 150, 196, 1000})
    for (const int segments : {1, 10, 11, 20, 99, 100}) {
      const TLedLayout led = LedLayout(length, segments);
      EXPECT_GE(led.Width, 1) << length << " " << segments;
      EXPECT_GE(led.Count, 1) << length << " " << segments;
      EXPECT_LE(led.Count, std::max(1, std::min(100, length))) << length << " " << segments;
      EXPECT_LE(led.Count * led.Width, std::max(1, length)) << length << " " << segments;
    }
  EXPECT_EQ(LedLayout(196, 99).Count, 100);
  EXPECT_EQ(LedLayout(196, 99).Margin, 48);
}

TEST(LedLayout, SegmentsGrowFromTheLeftOrFromTheBottom) {
  const TLedLayout led = LedLayout(196, 20);
  const TRect r = Rect(2, 2, 198, 22);
  EXPECT_EQ(SegmentRect(r, led, 1, false).Left, 5);
  EXPECT_EQ(SegmentRect(r, led, 21, false).Right, 194);
  const TRect tall = Rect(2, 2, 48, 198);
  EXPECT_EQ(SegmentRect(tall, led, 1, true).Bottom, 2 + 3 + 21 * 9);
  EXPECT_EQ(SegmentRect(tall, led, 21, true).Top, 5);
  EXPECT_EQ(LitSegments(50, 21), 10);
  EXPECT_EQ(LitSegments(-5, 21), 0);
  EXPECT_EQ(LitSegments(250, 21), 21);
  EXPECT_DOUBLE_EQ(ProgressPercent(3, 3, 3), 0);
}

using LumProgressBarTest = DisplayTest;

TEST_F(LumProgressBarTest, TheDefaultBarAt45FillsEightyEightPixelsInsideTheLoweredFrame) {
  auto* bar = ShowNew<TLumProgressBar>();
  bar->SetPosition(45);
  EXPECT_EQ(bar->BarText(), "45.00 %");
  const TShot shot = Shoot(bar);
  EXPECT_EQ(shot.At(0, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(shot.At(5, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(shot.At(199, 5), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(shot.At(5, 23), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(shot.At(1, 5), ColorToRGB(clBtnText));
  EXPECT_EQ(shot.At(198, 5), ColorToRGB(clBtnFace));
  EXPECT_EQ(shot.At(2, 3), Navy);
  EXPECT_EQ(shot.At(89, 3), Navy);
  EXPECT_EQ(shot.At(90, 3), White);
  EXPECT_EQ(shot.At(197, 21), White);
  // The text changes colour where the bar ends: light over the bar, navy over the rest.
  EXPECT_LT(shot.Count(Rect(70, 4, 90, 21), clHighlight), 20 * 17);
  EXPECT_GT(shot.Count(Rect(90, 4, 130, 21), clHighlight), 0);
}

TEST_F(LumProgressBarTest, ATallShapeTurnsTheBarUpright) {
  auto* bar = ShowNew<TLumProgressBar>();
  bar->SetPosition(45);
  bar->SetBounds(10, 10, 50, 200);
  EXPECT_EQ(bar->Orientation(), pbVertical);
  const TShot shot = Shoot(bar);
  EXPECT_EQ(shot.At(5, 197), Navy);
  EXPECT_EQ(shot.At(5, 110), Navy);
  EXPECT_EQ(shot.At(5, 109), White);
  bar->SetBounds(10, 10, 200, 200);
  EXPECT_EQ(bar->Orientation(), pbHorizontal);
}

TEST_F(LumProgressBarTest, TheLedBarLightsWholeSegmentsBetweenItsMargins) {
  auto* bar = ShowNew<TLumProgressBar>();
  bar->SetSmooth(true);
  bar->SetPosition(50);
  const TShot shot = Shoot(bar);
  EXPECT_EQ(bar->NumSegments(), 21);
  EXPECT_EQ(shot.At(3, 4), White); // margin
  EXPECT_EQ(shot.At(5, 4), White); // outline of segment 1
  EXPECT_EQ(shot.At(6, 4), Navy);
  EXPECT_EQ(shot.At(12, 4), Navy);
  EXPECT_EQ(shot.At(13, 4), White);
  EXPECT_EQ(shot.At(87, 4), Navy);  // segment 10, the last lit one
  EXPECT_EQ(shot.At(96, 4), White); // segment 11
  EXPECT_EQ(shot.At(196, 4), White);
}

TEST_F(LumProgressBarTest, TooManySegmentsForTheLengthPaintWithoutFailing) {
  auto* bar = ShowNew<TLumProgressBar>();
  bar->SetSmooth(true);
  bar->SetPosition(100);
  for (const int segments : {99, 100}) {
    bar->SetNumSegments(static_cast<TSegmentRange>(segments));
    const TShot shot = Shoot(bar);
    EXPECT_TRUE(User.Messages().empty());
    EXPECT_EQ(bar->NumSegments(), 100);
    EXPECT_EQ(shot.At(99, 4), White); // one-pixel segments are all outline
    EXPECT_EQ(shot.At(49, 4), White); // margin
  }
  bar->SetBounds(10, 10, 8, 6);
  EXPECT_NO_THROW(Shoot(bar));
}

TEST_F(LumProgressBarTest, SteppingStopsAtMaxAndOnlyAChangeOfMinRaisesOnChange) {
  auto* bar = ShowNew<TLumProgressBar>();
  std::vector<double> changes;
  bar->SetOnChange([&](TObject*, double Position) { changes.push_back(Position); });
  bar->SetPosition(99.5);
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 100);
  bar->SetPosition(95);
  bar->StepBy(10);
  EXPECT_EQ(bar->Position(), 100);
  bar->SetMax(200);
  EXPECT_TRUE(changes.empty());
  bar->SetMin(10);
  EXPECT_EQ(changes, std::vector<double>{100});
  bar->SetPosition(500);
  EXPECT_EQ(bar->Position(), 500); // not clamped
}

// A parent that answers every hit test as its size grip.
class TGripPanel : public TPanel {
public:
  using TPanel::TPanel;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_NCHITTEST) {
      Message.Result = HTBOTTOMRIGHT;
      return;
    }
    TPanel::WndProc(Message);
  }
};

TEST_F(LumProgressBarTest, TheRightmostTwelvePixelsAreAnsweredByTheParent) {
  TForm* form = NewForm(400, 200);
  auto* panel = new TGripPanel(form);
  panel->SetBounds(0, 0, 300, 100);
  panel->SetParent(form);
  auto* bar = new TLumProgressBar(form);
  bar->SetParent(panel);
  form->Show();
  EXPECT_EQ(bar->Perform(CM_HITTEST, 0, PointToLParam({188, 10})), HTBOTTOMRIGHT);
  EXPECT_EQ(bar->Perform(CM_HITTEST, 0, PointToLParam({187, 10})), HTCLIENT);
}

TEST_F(LumProgressBarTest, AFormFileKeepsTheSettings) {
  auto* bar = ShowNew<TLumProgressBar>();
  bar->SetName("Bar");
  bar->SetSmooth(true);
  bar->SetBorderOuter(fsRaised);
  bar->SetBorderWidth(3);
  bar->SetTextUnit("kg");
  bar->SetStep(2.5);
  bar->SetPosition(30);
  const String text = WriteFormText(Form());
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumProgressBar*>(copy->FindComponent("Bar"));
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(read->Smooth());
  EXPECT_EQ(read->BorderOuter(), fsRaised);
  EXPECT_EQ(read->BorderWidth(), 3);
  EXPECT_EQ(read->TextUnit(), "kg");
  EXPECT_EQ(read->Step(), 2.5);
  EXPECT_EQ(read->Position(), 30);
  EXPECT_EQ(WriteFormText(copy), text);
}

TEST_F(LumProgressBarTest, EveryStyleAtSeveralSizesForTheSheet) {
  auto* bar = ShowNew<TLumProgressBar>();
  const int sizes[][2] = {{200, 24}, {60, 18}, {320, 40}, {30, 200}};
  for (int i = 0; i < 8; ++i) {
    bar->SetSmooth(i % 2 == 1);
    bar->SetBorderOuter(static_cast<TFrameStyle>(i % 3));
    bar->SetBorderInner(static_cast<TFrameStyle>((i + 1) % 3));
    bar->SetBorderWidth(i / 4 * 2);
    bar->SetBounds(10, 10, sizes[i / 2][0], sizes[i / 2][1]);
    bar->SetPosition(20 + i * 10);
    EXPECT_NO_THROW(Shoot(bar));
    Sheet("LumProgressBar-" + std::to_string(i) + ".png");
  }
}

} // namespace
