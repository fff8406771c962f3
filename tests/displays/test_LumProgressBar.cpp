#include "tests/displays/DisplayTestSupport.h"

#include "displays/LumProgressBar.h"
#include "framework/classes/FormFile.h"
#include "framework/controls/Panels.h"

#include <cmath>

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
  shot.Expect({{0, 5, clBtnShadow},
               {5, 0, clBtnShadow},
               {199, 5, clBtnHighlight},
               {5, 23, clBtnHighlight},
               {1, 5, clBtnText},
               {198, 5, clBtnFace}});
  shot.Expect({{2, 3, Navy}, {89, 3, Navy}, {90, 3, White}, {197, 21, White}});
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
  shot.Expect({{5, 197, Navy}, {5, 110, Navy}, {5, 109, White}});
  bar->SetBounds(10, 10, 200, 200);
  EXPECT_EQ(bar->Orientation(), pbHorizontal);
}

TEST_F(LumProgressBarTest, TheLedBarLightsWholeSegmentsBetweenItsMargins) {
  auto* bar = ShowNew<TLumProgressBar>();
  bar->SetSmooth(true);
  bar->SetPosition(50);
  const TShot shot = Shoot(bar);
  EXPECT_EQ(bar->NumSegments(), 21);
  // The margin, segment 1's outline and inside, segment 10 (the last lit one) and 11.
  shot.Expect({{3, 4, White},
               {5, 4, White},
               {6, 4, Navy},
               {12, 4, Navy},
               {13, 4, White},
               {87, 4, Navy},
               {96, 4, White},
               {196, 4, White}});
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
  EXPECT_EQ(read->Position(), 30);
  EXPECT_EQ(WriteFormText(copy), text);
}

TEST_F(LumProgressBarTest, SegmentBoundariesAtOtherSizesFollowLengthCountAndMargin) {
  auto* bar = ShowNew<TLumProgressBar>();
  bar->SetSmooth(true);
  bar->SetShowText(false);
  bar->SetPosition(60);
  const struct {
    int Width, Height, Segments, BorderWidth;
  } sizes[] = {{300, 30, 12, 0}, {130, 20, 7, 2}, {40, 250, 20, 0}, {26, 90, 30, 1}};
  for (const auto& size : sizes) {
    bar->SetBounds(10, 10, size.Width, size.Height);
    bar->SetBorderWidth(size.BorderWidth);
    bar->SetNumSegments(static_cast<TSegmentRange>(size.Segments));
    const TShot shot = Shoot(bar);
    // Inside the lowered frame's two rings and the flat border.
    const int inset = 2 + size.BorderWidth;
    const TRect r = Rect(inset, inset, size.Width - inset, size.Height - inset);
    const bool upright = size.Height > size.Width;
    const int length = upright ? r.Height() : r.Width();
    int n = size.Segments;
    if (length < 81 && n > 10) n = 10;
    const int seg = length / n;
    n += (length - n * seg) / seg;
    const int margin = (length - n * seg) / 2;
    EXPECT_EQ(bar->NumSegments(), n) << size.Width;
    const int lit = 60 * n / 100;
    const int across = upright ? (r.Left + r.Right) / 2 : (r.Top + r.Bottom) / 2;
    auto at = [&](int Along) { return upright ? shot.At(across, Along) : shot.At(Along, across); };
    for (int i = 1; i <= n; ++i) {
      // Segment i's first and last pixels are its BackColor outline, the ones inside lit or not.
      const int o = upright ? (n - i) * seg + margin : (i - 1) * seg + margin;
      const int first = (upright ? r.Top : r.Left) + o, last = first + seg - 1;
      const COLORREF fill = i <= lit ? Navy : White;
      EXPECT_EQ(at(first), White) << size.Width << " segment " << i;
      EXPECT_EQ(at(last), White) << size.Width << " segment " << i;
      if (seg > 2) {
        EXPECT_EQ(at(first + 1), fill) << size.Width << " segment " << i;
        EXPECT_EQ(at(last - 1), fill) << size.Width << " segment " << i;
      }
    }
    // The margins before the first and after the last segment stay BackColor.
    const int start = upright ? r.Top : r.Left, end = upright ? r.Bottom : r.Right;
    for (int k = 0; k < margin; ++k) {
      EXPECT_EQ(at(start + k), White) << size.Width << " margin " << k;
      EXPECT_EQ(at(end - 1 - k), White) << size.Width << " margin " << k;
    }
  }
}

TEST_F(LumProgressBarTest, TheContinuousBarEndsAtItsShareOfOtherLengths) {
  auto* bar = ShowNew<TLumProgressBar>();
  bar->SetShowText(false);
  bar->SetBorderInner(fsRaised);
  const struct {
    int Width, Height;
    double Position;
  } sizes[] = {{333, 28, 37.5}, {90, 16, 81}, {24, 180, 12.5}};
  for (const auto& size : sizes) {
    bar->SetBounds(10, 10, size.Width, size.Height);
    bar->SetPosition(size.Position);
    const TShot shot = Shoot(bar);
    // The lowered outer frame and the raised inner one: two rings each.
    const TRect r = Rect(4, 4, size.Width - 4, size.Height - 4);
    if (size.Height > size.Width) {
      const int top = r.Bottom - static_cast<int>(std::nearbyint(r.Height() * size.Position / 100));
      EXPECT_EQ(shot.At(r.Left + 3, top), Navy) << size.Width;
      EXPECT_EQ(shot.At(r.Left + 3, r.Bottom - 1), Navy) << size.Width;
      EXPECT_EQ(shot.At(r.Left + 3, top - 1), White) << size.Width;
      EXPECT_EQ(shot.At(r.Left + 3, r.Top), White) << size.Width;
    } else {
      const int right = r.Left + static_cast<int>(std::nearbyint(r.Width() * size.Position / 100));
      EXPECT_EQ(shot.At(r.Left, r.Top + 2), Navy) << size.Width;
      EXPECT_EQ(shot.At(right - 1, r.Top + 2), Navy) << size.Width;
      EXPECT_EQ(shot.At(right, r.Top + 2), White) << size.Width;
      EXPECT_EQ(shot.At(r.Right - 1, r.Bottom - 1), White) << size.Width;
    }
    // The inner frame's outer ring: button face at the top left, button text at the bottom right.
    EXPECT_EQ(shot.At(2, 2), ColorToRGB(clBtnFace)) << size.Width;
    EXPECT_EQ(shot.At(size.Width - 3, size.Height - 3), ColorToRGB(clBtnText)) << size.Width;
  }
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
