#include "tests/displays/DisplayTestSupport.h"

#include "displays/LumDigit.h"
#include "framework/classes/FormFile.h"
#include "framework/rtl/DateTime.h"

using namespace displaytest;

namespace {

TEST(DigitText, CharactersAreTakenFromTheRightAndUnknownOnesShowAsBlanks) {
  const std::pair<char, int> glyphs[] = {{'0', 0}, {' ', 10}, {'/', 16}, {'E', 10}};
  for (const auto& [c, index] : glyphs) EXPECT_EQ(GlyphIndex(c), index) << c;
  EXPECT_EQ(String() + DigitCharAt("1234", 1) + DigitCharAt("1234", 4) + DigitCharAt("1234", 5) +
                DigitCharAt("1.5E10", 3) + DigitCharAt("a:b", 2),
            "41  :");
  EXPECT_EQ(DigitText(Variant(Integer(-12)), dsInteger, 5, 2), "-12");
  EXPECT_EQ(DigitText(Variant(3.14159), dsDouble, 5, 2), " 3.14");
  EXPECT_EQ(DigitText(VarFromDateTime(EncodeDate(2024, 3, 7)), dsDate, 5, 2), "07.03.2024");
  EXPECT_EQ(DigitText(VarFromDateTime(0.75), dsTime, 5, 2), "18:00:00");
}

// The strip's colour at a point of the cell of C.
COLORREF StripPixel(char C, int X, int Y) {
  TBitmap strip;
  strip.LoadFromResourceName(nullptr, "LUMDIGITBITMAP1");
  return static_cast<COLORREF>(strip.Canvas()->Pixels(14 * GlyphIndex(C) + X, Y));
}

// The characters the display shows, left to right.
String Shown(const TLumDigit* Digit) {
  String text;
  for (int i = Digit->DigitCount(); i >= 1; --i) text += Digit->DigitPosition(i).Target;
  return text;
}

using DigitTest = DisplayTest;

TEST_F(DigitTest, TheBuiltInStripsHaveSeventeenCellsOfFourteenByTwenty) {
  for (const char* name :
       {"LumDigitBitmap1", "LumDigitBitmap2", "LumDigitBitmap3", "LumDigitBitmap4"}) {
    TBitmap strip;
    strip.LoadFromResourceName(nullptr, name);
    EXPECT_EQ(strip.Width(), 238) << name;
    EXPECT_EQ(strip.Height(), 20) << name;
    EXPECT_EQ(strip.PixelFormat(), pf4bit) << name;
  }
  auto* digit = ShowNew<TLumDigit>();
  EXPECT_EQ(digit->Width(), 70);
  EXPECT_EQ(digit->Height(), 20);
  digit->SetDigitCount(8);
  EXPECT_EQ(digit->Width(), 112);
  digit->SetDigitCount(30);
  EXPECT_EQ(digit->DigitCount(), 20);
}

TEST_F(DigitTest, NumbersAreShownRightAlignedInTheGlyphsOfTheStrip) {
  auto* digit = ShowNew<TLumDigit>();
  digit->SetValue(Integer(1234));
  const TShot shot = Shoot(digit);
  EXPECT_EQ(Shown(digit), " 1234");
  for (const int x : {0, 3, 7, 12})
    for (const int y : {0, 3, 9, 16, 19}) {
      EXPECT_EQ(shot.At(56 + x, y), StripPixel('4', x, y)) << x << "," << y;
      EXPECT_EQ(shot.At(14 + x, y), StripPixel('1', x, y)) << x << "," << y;
      EXPECT_EQ(shot.At(x, y), StripPixel(' ', x, y)) << x << "," << y;
    }
  digit->SetValue(Integer(-12));
  Shoot(digit);
  EXPECT_EQ(Shown(digit), "  -12");
}

TEST_F(DigitTest, TheValuesTypeChoosesTheStyleAndOtherTypesAreIgnored) {
  auto* digit = ShowNew<TLumDigit>();
  digit->SetValue(3.14159);
  EXPECT_EQ(digit->DigitStyle(), dsDouble);
  Shoot(digit);
  EXPECT_EQ(Shown(digit), " 3.14");
  digit->SetValue(VarFromDateTime(EncodeDate(2024, 3, 7)));
  EXPECT_EQ(digit->DigitStyle(), dsDate);
  Shoot(digit);
  EXPECT_EQ(Shown(digit), ".2024");
  digit->SetDigitStyle(dsTime);
  digit->SetValue(VarFromDateTime(EncodeDate(2024, 3, 7) + 0.5));
  EXPECT_EQ(digit->DigitStyle(), dsTime);
  digit->SetValue(Variant("123"));
  digit->SetValue(Variant());
  EXPECT_EQ(VarType(digit->Value()), varDate);
  digit->SetValue(Byte(7));
  EXPECT_EQ(digit->DigitStyle(), dsInteger);
}

TEST_F(DigitTest, AChangedGlyphRollsInFromBelowTwoPixelsPerTick) {
  auto* digit = ShowNew<TLumDigit>();
  digit->SetValue(Integer(19));
  Shoot(digit);
  digit->SetDigitScrolling(true);
  digit->SetValue(Integer(20));
  const TShot first = Shoot(digit);
  EXPECT_TRUE(digit->DigitPosition(1).Scrolling);
  EXPECT_TRUE(digit->DigitPosition(2).Scrolling);
  EXPECT_FALSE(digit->DigitPosition(3).Scrolling);
  EXPECT_EQ(digit->DigitPosition(1).Offset, 18);
  EXPECT_TRUE(digit->ScrollTimer()->Enabled());
  // The incoming 0 starts 18 rows down; the outgoing 9 shows its bottom rows above it.
  EXPECT_EQ(first.At(56 + 5, 18), StripPixel('0', 5, 0));
  EXPECT_EQ(first.At(56 + 5, 17), StripPixel('9', 5, 19));
  EXPECT_EQ(first.At(56 + 5, 0), StripPixel('9', 5, 2));
  User.Advance(50 * 4);
  EXPECT_EQ(digit->DigitPosition(1).Offset, 10);
  const TShot middle = TShot(User, Form(), digit);
  EXPECT_EQ(middle.At(42 + 6, 10), StripPixel('2', 6, 0));
  EXPECT_EQ(middle.At(42 + 6, 9), StripPixel('1', 6, 19));
  User.Advance(50 * 6);
  EXPECT_FALSE(digit->DigitPosition(1).Scrolling);
  EXPECT_FALSE(digit->ScrollTimer()->Enabled());
  const TShot done = TShot(User, Form(), digit);
  for (const int y : {0, 5, 10, 19}) EXPECT_EQ(done.At(56 + 6, y), StripPixel('0', 6, y)) << y;
}

TEST_F(DigitTest, NoCountOrNoStripDrawsNothing) {
  auto* digit = ShowNew<TLumDigit>();
  digit->SetValue(Integer(88));
  digit->SetDigitCount(0);
  EXPECT_EQ(digit->Width(), 0);
  digit->SetDigitCount(3);
  TPicture empty;
  digit->SetDigitBitmap(&empty);
  const TShot shot = Shoot(digit);
  EXPECT_EQ(shot.At(20, 10), ColorToRGB(clWindow));
}

TEST_F(DigitTest, AFormFileKeepsStripStyleAndValue) {
  auto* digit = ShowNew<TLumDigit>();
  digit->SetName("Clock");
  TPicture navy;
  navy.Bitmap()->LoadFromResourceName(nullptr, "LumDigitBitmap2");
  digit->SetDigitBitmap(&navy);
  digit->SetDigitCount(8);
  digit->SetValue(0.5);
  digit->SetDigitStyle(dsTime);
  digit->SetDigitScrolling(true);
  const String text = WriteFormText(Form());
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumDigit*>(copy->FindComponent("Clock"));
  ASSERT_NE(read, nullptr);
  EXPECT_DOUBLE_EQ(read->Value().AsDouble(), 0.5);
  EXPECT_EQ(read->DigitBitmap()->Width(), 238);
  EXPECT_EQ(WriteFormText(copy), text);
}

TEST_F(DigitTest, EveryStripForTheSheet) {
  auto* digit = ShowNew<TLumDigit>();
  digit->SetDigitCount(17);
  for (int strip = 1; strip <= 4; ++strip) {
    TPicture picture;
    picture.Bitmap()->LoadFromResourceName(nullptr, "LumDigitBitmap" + std::to_string(strip));
    digit->SetDigitBitmap(&picture);
    digit->SetValue(Integer(-1234567890));
    const TShot shot = Shoot(digit);
    EXPECT_EQ(shot.At(17 * 14 - 1, 0),
              static_cast<COLORREF>(picture.Bitmap()->Canvas()->Pixels(13, 0)));
    Sheet("LumDigit-" + std::to_string(strip) + ".png");
  }
}

} // namespace
