#include "tests/displays/DisplayTestSupport.h"

#include "displays/LumTacho.h"
#include "framework/classes/FormFile.h"

#include <cmath>
#include <numbers>

using namespace displaytest;

namespace {

const COLORREF White = ColorToRGB(clWindow);
const COLORREF Red = ColorToRGB(clRed);
const COLORREF Green = ColorToRGB(clGreen);
const COLORREF Black = ColorToRGB(clBlack);
constexpr double Pi = std::numbers::pi;

TEST(TachoGeometry, CentreAndRadiusFollowTheSizeAndThePin) {
  const TTachoGeometry small = TachoGeometry(100, 60, 10);
  EXPECT_EQ(small.Centre.X, 50);
  EXPECT_EQ(small.Centre.Y, 40);
  EXPECT_DOUBLE_EQ(small.Radius, 30);
  const TTachoGeometry standard = TachoGeometry(250, 200, 10);
  EXPECT_EQ(standard.Centre.Y, 180);
  EXPECT_DOUBLE_EQ(standard.Radius, 115);
  // Left at the minimum, up in the middle, right at the maximum; halves round to even.
  EXPECT_EQ(DialPoint(standard, 0.9, 0).X, 22);
  EXPECT_EQ(DialPoint(standard, 0.9, Pi / 2).Y, 76);
  EXPECT_EQ(DialPoint(standard, 0.9, Pi).X, 228);
  EXPECT_DOUBLE_EQ(ValueAngle(7.5, 0, 10), 0.75 * Pi);
  EXPECT_DOUBLE_EQ(ValueAngle(3, 3, 3), 0);
}

TEST(TachoGeometry, LabelsEndLeftOfTheTopStartRightOfItAndAnEvenMiddleIsCentred) {
  const struct {
    TLabelposition Position;
    int Index, Count;
    unsigned Align;
  } cases[] = {{lpAussen, 0, 5, 10},  {lpAussen, 1, 5, 10}, {lpAussen, 2, 5, 8},
               {lpAussen, 5, 10, 14}, {lpInnen, 0, 10, 0},  {lpInnen, 5, 10, 6},
               {lpInnen, 9, 10, 2}};
  for (const auto& c : cases)
    EXPECT_EQ(TachoLabelAlignment(c.Position, c.Index, c.Count), c.Align)
        << c.Index << "/" << c.Count;
}

TEST(TachoGeometry, TheRingSectorSpansCoverTheBandUpToTheAngleRowByRow) {
  const TPoint c{125, 180};
  const double angle = Pi / 3;
  const std::vector<TRingSpan> spans = RingSectorSpans(c, 69, 58, angle);
  long long pixels = 0;
  int lastY = c.Y - 70;
  for (const TRingSpan& s : spans) {
    EXPECT_GE(s.Y, lastY) << "rows run from the top";
    lastY = s.Y;
    for (const int x : {s.Left, s.Right}) {
      const double dx = x - c.X, dy = c.Y - s.Y;
      EXPECT_GE(std::hypot(dx, dy), 58);
      EXPECT_LE(std::hypot(dx, dy), 69);
      EXPECT_LE(std::atan2(dy, -dx), angle + 1e-9);
    }
    pixels += s.Right - s.Left + 1;
  }
  // A sixth of the ring's area, to within its rim.
  const double area = Pi * (69.0 * 69 - 58.0 * 58) / 6;
  EXPECT_NEAR(static_cast<double>(pixels), area, 0.08 * area);
  const std::vector<TRingSpan> half = RingSectorSpans(c, 10, 5, Pi);
  ASSERT_FALSE(half.empty());
  EXPECT_EQ(half.front().Y, c.Y - 10);
  EXPECT_EQ(half.back().Y, c.Y - 1) << "the row of the centre is not above it";
  EXPECT_EQ(half.back().Right, c.X + 9);
  EXPECT_TRUE(RingSectorSpans(c, 10, 5, Pi / 360).size() <= 5u) << "a sliver";
}

using TachoTest = DisplayTest;

TEST_F(TachoTest, TheSettersKeepPositionBetweenMinAndMax) {
  auto* tacho = ShowNew<TLumTacho>();
  tacho->SetPosition(5);
  tacho->SetMinValue(20);
  EXPECT_EQ(tacho->MinValue(), 20);
  EXPECT_EQ(tacho->MaxValue(), 21);
  EXPECT_EQ(tacho->Position(), 20);
  tacho->SetMinValue(0);
  tacho->SetPosition(3);
  tacho->SetMaxValue(-5);
  EXPECT_EQ(tacho->MinValue(), -6);
  EXPECT_EQ(tacho->MaxValue(), -5);
  EXPECT_EQ(tacho->Position(), -5);
  tacho->SetPosition(100);
  EXPECT_EQ(tacho->Position(), -5);
  tacho->SetPosition(-100);
  EXPECT_EQ(tacho->Position(), -6);
  tacho->SetNumberOfIntervals(1);
  tacho->SetNumberOfIntervals(201);
  EXPECT_EQ(tacho->NumberOfIntervals(), 10);
  ASSERT_EQ(User.Messages().size(), 2u);
  EXPECT_EQ(User.Messages()[1].Text, "Wert sollte zwischen 2 und 200 liegen.");
  tacho->SetNumberOfIntervals(200);
  EXPECT_EQ(tacho->NumberOfIntervals(), 200);
}

TEST_F(TachoTest, TheArrowPointsAtThePositionAndThePinSitsOnTheCentre) {
  auto* tacho = ShowNew<TLumTacho>();
  tacho->SetPosition(5);
  const TShot up = Shoot(tacho);
  EXPECT_EQ(up.At(125, 110), Red); // arrow head, 0.5 … 0.9 of the radius
  EXPECT_EQ(up.At(132, 121), Red); // near the head's corner at 98°
  up.Expect({{137, 121, White}, {125, 180, Green}});
  EXPECT_EQ(up.At(125, 150), Red); // the needle line
  tacho->SetPosition(10);
  tacho->SetPointerType(zfNadel);
  const TShot right = Shoot(tacho);
  right.Expect({{200, 180, Red}, {227, 180, Red}, {125, 110, White}});
}

TEST_F(TachoTest, LabelsStandOutsideTheTicksOrInsideThem) {
  auto* tacho = ShowNew<TLumTacho>();
  const TShot outside = Shoot(tacho);
  EXPECT_GT(outside.CountDark(Rect(8, 164, 22, 179)), 0);
  EXPECT_EQ(outside.CountDark(Rect(22, 160, 40, 176)), 0);
  tacho->SetLabelPosition(lpInnen);
  const TShot inside = Shoot(tacho);
  EXPECT_GT(inside.CountDark(Rect(50, 183, 62, 196)), 0);
  EXPECT_EQ(inside.CountDark(Rect(8, 164, 22, 179)), 0);
}

TEST_F(TachoTest, TheSectorCoversTheScaleUpToThePointer) {
  auto* tacho = ShowNew<TLumTacho>();
  tacho->SetPointerType(zfKreis);
  tacho->SetPosition(10);
  const TShot full = Shoot(tacho);
  full.Expect({{125, 130, Red}, {70, 175, Red}, {125, 195, White}});
  tacho->SetPosition(0);
  const TShot sliver = Shoot(tacho);
  sliver.Expect({{125, 130, White}, {70, 170, White}});
}

TEST_F(TachoTest, TheRingFillsOnlyTheBandUpToThePointerAtEveryPositionAndSize) {
  auto* tacho = ShowNew<TLumTacho>();
  tacho->SetPointerType(zfRing);
  tacho->SetPosition(5);
  const TShot half = Shoot(tacho);
  EXPECT_EQ(half.At(80, 135), Red);    // 45°, radius 63
  EXPECT_EQ(half.At(170, 135), White); // 135°, past the pointer
  EXPECT_EQ(half.At(100, 160), White); // inside the inner outline
  tacho->SetPosition(0);
  const TShot least = Shoot(tacho);
  least.Expect({{80, 135, White}, {20, 20, White}});
  EXPECT_EQ(least.Count(Rect(0, 0, 250, 170), clRed), 0);
  tacho->SetBounds(10, 10, 100, 60);
  tacho->SetScale(tsNone);
  const TShot small = Shoot(tacho);
  small.Expect({{5, 5, White}, {95, 20, White}});
}

// The pixel at distance D from the centre in direction Phi, rounded as the gauge rounds.
TPoint Along(const TTachoGeometry& Dial, double D, double Phi) {
  return TPoint{static_cast<int>(std::nearbyint(Dial.Centre.X - D * std::cos(Phi))),
                static_cast<int>(std::nearbyint(Dial.Centre.Y - D * std::sin(Phi)))};
}

TEST_F(TachoTest, TickEndsLieAtSevenAndNineTenthsOfTheRadiusAtOtherSizes) {
  auto* tacho = ShowNew<TLumTacho>();
  tacho->SetScale(tsScale);
  tacho->SetPointerType(zfNadel);
  tacho->SetNumberOfIntervals(4);
  tacho->SetPosition(1.25); // the needle between the first two ticks
  const struct { int Width, Height, Pin; } sizes[] = {{120, 80, 6}, {400, 220, 10}, {180, 260, 4}};
  for (const auto& size : sizes) {
    tacho->SetBounds(10, 10, size.Width, size.Height);
    tacho->SetPinRadius(size.Pin);
    const TTachoGeometry dial = TachoGeometry(size.Width, size.Height, size.Pin);
    const TShot shot = Shoot(tacho);
    const double outer = 0.9 * dial.Radius, inner = 0.7 * dial.Radius;
    for (int i = 0; i <= 4; ++i) {
      const double phi = i * Pi / 4;
      for (const double d : {outer - 2, (outer + inner) / 2, inner + 2}) {
        const TPoint p = Along(dial, d, phi);
        EXPECT_EQ(shot.At(p.X, p.Y), Black) << size.Width << " tick " << i << " at " << d;
      }
      for (const double d : {outer + 3, inner - 3}) {
        const TPoint p = Along(dial, d, phi);
        EXPECT_EQ(shot.At(p.X, p.Y), White) << size.Width << " tick " << i << " at " << d;
      }
    }
  }
}

TEST_F(TachoTest, TheRingBandLiesBetweenItsRadiiUpToThePointerAtOtherSizes) {
  auto* tacho = ShowNew<TLumTacho>();
  tacho->SetPointerType(zfRing);
  tacho->SetScale(tsNone);
  tacho->SetPosition(6);
  const struct {
    int Width, Height;
    TLabelposition Labels;
  } sizes[] = {{400, 220, lpInnen}, {150, 120, lpAussen}};
  for (const auto& size : sizes) {
    tacho->SetBounds(10, 10, size.Width, size.Height);
    tacho->SetLabelPosition(size.Labels);
    const TTachoGeometry dial = TachoGeometry(size.Width, size.Height, 10);
    const bool outside = size.Labels == lpAussen;
    const double r1 = std::nearbyint((outside ? 0.6 : 0.9) * dial.Radius);
    const double r2 = std::nearbyint((outside ? 0.5 : 0.7) * dial.Radius);
    const double theta = 0.6 * Pi;
    const TShot shot = Shoot(tacho);
    // Inside the band at a third and at most of the sweep; the outlines are 4 pixels wide.
    for (const double phi : {theta / 3, theta - 0.1}) {
      const TPoint mid = Along(dial, (r1 + r2) / 2, phi);
      EXPECT_EQ(shot.At(mid.X, mid.Y), Red) << size.Width << " at " << phi;
      const TPoint beyond = Along(dial, r1 + 4, phi);
      EXPECT_EQ(shot.At(beyond.X, beyond.Y), White) << size.Width << " at " << phi;
      const TPoint within = Along(dial, r2 - 4, phi);
      EXPECT_EQ(shot.At(within.X, within.Y), White) << size.Width << " at " << phi;
    }
    const TPoint past = Along(dial, (r1 + r2) / 2, theta + 0.25);
    EXPECT_EQ(shot.At(past.X, past.Y), White) << size.Width;
  }
}

TEST_F(TachoTest, AFormFileKeepsTheSettings) {
  auto* tacho = ShowNew<TLumTacho>();
  tacho->SetName("Gauge");
  tacho->SetPointerType(zfRing);
  tacho->SetMinValue(-5);
  tacho->SetMaxValue(5);
  tacho->SetPosition(2.5);
  tacho->SetLabelPosition(lpInnen);
  const String text = WriteFormText(Form());
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumTacho*>(copy->FindComponent("Gauge"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Position(), 2.5);
  EXPECT_EQ(WriteFormText(copy), text);
}

TEST_F(TachoTest, EveryPointerFormAtSeveralSizesForTheSheet) {
  auto* tacho = ShowNew<TLumTacho>();
  const int sizes[][2] = {{250, 200}, {120, 80}, {400, 220}, {180, 260}};
  for (int form = zfNadel; form <= zfRing; ++form) {
    tacho->SetPointerType(static_cast<TZeigerform>(form));
    tacho->SetBounds(10, 10, sizes[form][0], sizes[form][1]);
    tacho->SetLabelPosition(form % 2 ? lpInnen : lpAussen);
    tacho->SetPosition(form * 3.0);
    const TTachoGeometry dial = TachoGeometry(sizes[form][0], sizes[form][1], 10);
    EXPECT_EQ(Shoot(tacho).At(dial.Centre.X, dial.Centre.Y), Green) << form;
    Sheet("LumTacho-" + std::to_string(form) + ".png");
  }
}

} // namespace
