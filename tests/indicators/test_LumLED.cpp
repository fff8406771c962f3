#include "tests/displays/DisplayTestSupport.h"
#include "tests/surfaces/ZoomSheet.h"

#include "framework/classes/FormFile.h"
#include "indicators/LumLED.h"

using namespace displaytest;

namespace {

TEST(LedLight, TheQuartersScaleWithWidthAndHeightApart) {
  const TLedLight round = LedLight(25, 25);
  EXPECT_EQ(round.Highlight.Box, Rect(3, 3, 22, 22));
  EXPECT_EQ(round.Highlight.Start, (TPoint{11, 1}));
  EXPECT_EQ(round.Highlight.End, (TPoint{1, 11}));
  EXPECT_EQ(round.HighlightCut.Box, Rect(6, 6, 19, 19)); // r(6.25) = 6
  EXPECT_EQ(round.Shadow.Start, (TPoint{13, 25}));
  EXPECT_EQ(round.ShadowCut.End, (TPoint{25, 12}));
  const TLedLight wide = LedLight(60, 20);
  EXPECT_EQ(wide.Highlight.Box, Rect(8, 2, 52, 18)); // r(7.5) = 8, r(2.5) = 2
  EXPECT_EQ(wide.HighlightCut.Box, Rect(15, 5, 45, 15));
  EXPECT_EQ(wide.Shadow.End, (TPoint{60, 11}));
}

using LedTest = DisplayTest;

TEST_F(LedTest, ALitLedShowsAWhiteCrescentUpperLeftAndAGreyOneLowerRight) {
  auto* led = ShowNew<TLumLED>();
  EXPECT_EQ(led->Width(), 25);
  EXPECT_EQ(led->Color(), clGreen);
  const TShot plain = Shoot(led);
  plain.Expect({{12, 12, clGreen}, {7, 7, clGreen}});
  EXPECT_EQ(plain.At(1, 12), ColorToRGB(clBlack)); // the rim
  EXPECT_EQ(plain.At(0, 0), ColorToRGB(clWindow));

  led->SetLichteffekt(true);
  const TShot lit = Shoot(led);
  ZoomSheet(User, Form(), led, "LumLED-zoom.png");
  EXPECT_EQ(lit.At(7, 7), ColorToRGB(clWhite));   // between the two upper-left quarters
  EXPECT_EQ(lit.At(10, 10), ColorToRGB(clGreen)); // inside the smaller one
  lit.Expect({{17, 17, clGray}, {15, 15, clGreen}});
  EXPECT_EQ(lit.At(17, 7), ColorToRGB(clGreen)); // the other quarters stay plain
  lit.Expect({{7, 17, clGreen}, {1, 12, clBlack}});
}

TEST_F(LedTest, AWideLedIsAnEllipseInItsColourAndRim) {
  auto* led = ShowNew<TLumLED>(60, 20);
  led->SetFarbe(clRed);
  led->SetRandfarbe(clNavy);
  led->SetRandbreite(3);
  led->SetLichteffekt(true);
  const TShot shot = Shoot(led);
  ZoomSheet(User, Form(), led, "LumLED-wide-zoom.png");
  shot.Expect({{30, 10, clRed}, {2, 10, clNavy}, {0, 0, clWindow}, {59, 0, clWindow}});
  EXPECT_GT(shot.Count(Rect(0, 0, 30, 10), clWhite), 0);
  EXPECT_GT(shot.Count(Rect(30, 10, 60, 20), clGray), 0);
  EXPECT_EQ(shot.Count(Rect(36, 5, 50, 10), clWhite), 0); // inside the rim, upper right
}

TEST_F(LedTest, AnUnchangedValueAsksForNoPaint) {
  auto* led = ShowNew<TLumLED>();
  User.ProcessMessages();
  led->SetFarbe(clGreen);
  led->SetLichteffekt(false);
  EXPECT_FALSE(GetUpdateRect(Form()->Handle(), nullptr, FALSE));
  led->SetFarbe(clLime);
  EXPECT_TRUE(GetUpdateRect(Form()->Handle(), nullptr, FALSE));
}

TEST_F(LedTest, AFormFileKeepsTheLook) {
  auto* led = ShowNew<TLumLED>(30, 20);
  led->SetName("Lamp");
  led->SetFarbe(clYellow);
  led->SetRandbreite(2);
  led->SetLichteffekt(true);
  const String text = WriteFormText(Form());
  EXPECT_NE(text.find("Lichteffekt = True"), String::npos);
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumLED*>(copy->FindComponent("Lamp"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Color(), clYellow);
  EXPECT_EQ(read->Randbreite(), 2);
  EXPECT_EQ(read->Width(), 30);
  EXPECT_EQ(WriteFormText(copy), text);
}

} // namespace
