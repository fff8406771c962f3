#include "tests/TempPath.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/surfaces/SurfaceTestSupport.h"
#include "tests/surfaces/ZoomSheet.h"

#include "framework/classes/FormFile.h"
#include "framework/graphics/PngImage.h"
#include "surfaces/LumEffekt.h"

#include <cstdlib>
#include <filesystem>
#include <tuple>

using namespace controltest;
using namespace surfacetest;

namespace {

COLORREF PatternAt(TLumEffect* Effect, int X, int Y) {
  return static_cast<COLORREF>(Effect->Pattern()->Canvas()->Pixels(X, Y));
}

// Each channel of A within Tolerance of B's: stretched gradients are smoothed.
bool Near(COLORREF A, TColor B, int Tolerance = 8) {
  const COLORREF b = static_cast<COLORREF>(ColorToRGB(B));
  return std::abs(GetRValue(A) - GetRValue(b)) <= Tolerance &&
         std::abs(GetGValue(A) - GetGValue(b)) <= Tolerance &&
         std::abs(GetBValue(A) - GetBValue(b)) <= Tolerance;
}

TEST(EffectBlend, EveryByteIsBlendedOnItsOwn) {
  EXPECT_EQ(EffectBlend(clWhite, clGreen, 256), clGreen);
  EXPECT_EQ(EffectBlend(clWhite, clGreen, 1),
            TColor(0xFEFEFE)); // 255·255 div 256, (255·255 + 128) div 256
  EXPECT_EQ(EffectBlend(clWhite, clGreen, 128), TColor(0x7FBF7F));
  EXPECT_EQ(EffectBlend(clBtnFace, clBlack, 256), clBlack);
  EXPECT_EQ(EffectBlend(clBtnFace, clBlack, 0), clSilver); // a system colour as it shows
}

class EffectTest : public ControlTest {
protected:
  // A form with a red windowed control at (20, 20), 100 × 30, named Button1, and a painter.
  void SetUp() override {
    FForm = NewForm(400, 300);
    FForm->SetColor(clWindow);
    Target = Place(FForm, new TSwatch(FForm, clRed), 20, 20);
    Target->SetName("Button1");
    Target->SetBounds(20, 20, 100, 30);
    Effect = new TLumEffect(FForm);
    FForm->Show();
  }
  COLORREF At(int X, int Y) { return static_cast<COLORREF>(PixelAt(FForm, FForm, TPoint{X, Y})); }
  void ExpectAt(std::initializer_list<std::tuple<int, int, TColor>> Pixels) {
    for (const auto& [x, y, colour] : Pixels)
      EXPECT_EQ(At(x, y), ColorToRGB(colour)) << "at " << x << "," << y;
  }
  void Decorate(const String& Name = "Button1") {
    Effect->ValidComponents()->Add(Name);
    User.ProcessMessages();
  }
  TForm* FForm = nullptr;
  TSwatch* Target = nullptr;
  TLumEffect* Effect = nullptr;
};

TEST_F(EffectTest, TheConstructorSettingsAndTheirPatterns) {
  EXPECT_EQ(Effect->HookedForm(), FForm);
  ASSERT_EQ(Effect->Pattern()->Width(), 1);
  ASSERT_EQ(Effect->Pattern()->Height(), 256);
  EXPECT_EQ(PatternAt(Effect, 0, 0), 0xFEFEFEu);
  EXPECT_EQ(PatternAt(Effect, 0, 255), ColorToRGB(clGreen));

  Effect->SetEffectStyle(es3ColorsHorizontal);
  ASSERT_EQ(Effect->Pattern()->Width(), 512);
  EXPECT_EQ(PatternAt(Effect, 255, 0), ColorToRGB(clGreen));
  EXPECT_EQ(PatternAt(Effect, 256, 0), ColorToRGB(clGreen));
  EXPECT_EQ(PatternAt(Effect, 511, 0), 0xFEFEFEu);
  Effect->SetEffectStyle(es2ColorsDiagonal1);
  EXPECT_EQ(PatternAt(Effect, 0, 0), 0xFEFEFEu);
  EXPECT_EQ(PatternAt(Effect, 255, 255), ColorToRGB(clGreen));
  EXPECT_EQ(PatternAt(Effect, 255, 0), ColorToRGB(EffectBlend(clWhite, clGreen, 128)));
  Effect->SetEffectStyle(es2ColorsDiagonal2);
  EXPECT_EQ(PatternAt(Effect, 255, 0), 0xFEFEFEu);
  EXPECT_EQ(PatternAt(Effect, 0, 255), ColorToRGB(clGreen));
  Effect->SetEffectStyle(esNone);
  EXPECT_EQ(Effect->Pattern()->Width(), 1);
  EXPECT_EQ(PatternAt(Effect, 0, 0), ColorToRGB(clBtnFace));
  Effect->SetEffectStyle(esPictureTile);
  EXPECT_EQ(Effect->Pattern()->Width(), 1); // the picture styles keep the last pattern
}

TEST_F(EffectTest, TheExampleControlGetsAreaBorderRingAndShadow) {
  Decorate();
  ZoomSheet(User, FForm, FForm, "LumEffect-example-zoom.png", 3, 0);
  // The border ring at distance 1 around the area (15, 15) 110 × 40.
  ExpectAt({{14, 30, clBlack},
            {125, 30, clBlack},
            {60, 14, clBlack},
            {60, 55, clBlack},
            {13, 30, clWindow}});
  // The gradient: white at the top, green at the bottom; the control keeps its middle.
  EXPECT_TRUE(Near(At(60, 15), clWhite));
  EXPECT_TRUE(Near(At(60, 54), clGreen));
  EXPECT_TRUE(Near(At(60, 17), EffectBlend(clWhite, clGreen, 256 * 2 / 40), 24));
  EXPECT_EQ(At(60, 35), ColorToRGB(clRed));
  // Five grey lines below (y 56 to 60) and to the right (x 126 to 130).
  for (int y = 56; y <= 60; ++y) EXPECT_EQ(At(60, y), ColorToRGB(clGray)) << y;
  for (int x = 126; x <= 130; ++x) EXPECT_EQ(At(x, 30), ColorToRGB(clGray)) << x;
  ExpectAt({{60, 61, clWindow},
            {131, 30, clWindow},
            {15, 56, clGray},
            {14, 56, clWindow},
            {126, 14, clGray},
            {126, 13, clWindow}});
}

TEST_F(EffectTest, WithoutBorderTheShadowStartsAtTheAreaAndWidthZeroStillDrawsOneLine) {
  Effect->SetBorderStyle(bsNone);
  Effect->SetShadowWidth(0);
  Decorate();
  ExpectAt({{14, 30, clWindow},
            {60, 55, clGray},
            {125, 30, clGray},
            {60, 56, clWindow},
            {126, 30, clWindow}});
}

TEST_F(EffectTest, NamesMatchIgnoringCaseAndALeavingNameTakesItsDecorationAlong) {
  auto* other = Place(FForm, new TSwatch(FForm, clBlue), 200, 150);
  other->SetName("Other");
  Decorate("button1");
  Decorate("Nowhere");
  EXPECT_EQ(At(14, 30), ColorToRGB(clBlack));
  Effect->ValidComponents()->Add("Other");
  User.ProcessMessages();
  EXPECT_EQ(At(194, 160), ColorToRGB(clBlack)); // 200 - 5 - 1
  Effect->ValidComponents()->Delete(0);
  User.ProcessMessages();
  ExpectAt({{14, 30, clWindow},
            {60, 58, clWindow},
            {128, 30, clWindow},
            {60, 35, clRed},
            {194, 160, clBlack}});
}

TEST_F(EffectTest, ATiledPictureStartsAtTheAreaCornerAndIsCutAtItsFarEdges) {
  TPicture picture;
  picture.Assign(Quarters(32, 32).get());
  Effect->SetPicture(&picture);
  Effect->SetEffectStyle(esPictureTile);
  Decorate();
  ZoomSheet(User, FForm, FForm, "LumEffect-tile-zoom.png", 3, 0);
  // Columns at x 15, 47, 79, 111 (the last 14 wide), rows at y 15 and 47 (the last 8 high).
  EXPECT_EQ(At(46, 17), ColorToRGB(clBlue)); // the first tile's right half
  EXPECT_EQ(At(47, 17), ColorToRGB(clRed));  // the second tile begins
  EXPECT_EQ(At(111 + 13, 17), ColorToRGB(clRed));
  EXPECT_EQ(At(125, 17), ColorToRGB(clBlack)); // the border, not a fifteenth tile column
  EXPECT_EQ(At(17, 46), ColorToRGB(clLime));   // 31 rows down: the bottom-left quarter
  EXPECT_EQ(At(17, 52), ColorToRGB(clRed));    // the second row, 5 rows in
  ExpectAt({{17, 54, clRed}, {17, 55, clBlack}});
}

TEST_F(EffectTest, AnEmptyPictureTilesNothingAndAnotherKindStaysWhatItIs) {
  Effect->SetEffectStyle(esPictureTile);
  Decorate();
  ExpectAt({{17, 17, clWindow}, {14, 30, clBlack}});

  const auto path = TempPath("lumeffect") += ".png";
  TPngImage png;
  png.Assign(Quarters(32, 32).get());
  png.SaveToFile(path.string());
  Effect->Picture()->LoadFromFile(path.string());
  std::filesystem::remove(path);
  User.ProcessMessages();
  EXPECT_NE(dynamic_cast<TPngImage*>(Effect->Picture()->Graphic()), nullptr);
  EXPECT_EQ(Effect->Picture()->Width(), 32);
  ExpectAt({{17, 17, clRed}, {47, 17, clRed}});

  Effect->SetEffectStyle(esPictureStretch);
  Target->Invalidate();
  FForm->Invalidate();
  User.ProcessMessages();
  ExpectAt({{17, 17, clRed}, {122, 17, clBlue}, {122, 52, clYellow}});
}

TEST_F(EffectTest, TheFormsHandlerRunsFirstAndComesBackWhenThePainterGoes) {
  std::vector<String> calls;
  TForm* form = NewForm(300, 200);
  form->SetOnPaint([&](TObject*) { calls.push_back("form"); });
  auto* swatch = Place(form, new TSwatch(form), 30, 30);
  swatch->SetName("S");
  auto* first = new TLumEffect(form);
  first->ValidComponents()->Add("S");
  auto* second = new TLumEffect(form);
  second->SetBorderColor(clBlue);
  second->SetEffectWidth(8);
  second->ValidComponents()->Add("S");
  form->Show();
  User.ProcessMessages();
  EXPECT_EQ(calls, (std::vector<String>{"form"}));
  EXPECT_EQ(PixelAt(form, form, {30 - 8 - 1, 40}), ColorToRGB(clBlue));

  first->Free();
  calls.clear();
  form->Invalidate();
  User.ProcessMessages();
  EXPECT_EQ(calls, (std::vector<String>{"form"}));
  EXPECT_EQ(PixelAt(form, form, {30 - 8 - 1, 40}), ColorToRGB(clBlue));

  second->Free();
  calls.clear();
  form->Invalidate();
  User.ProcessMessages();
  EXPECT_EQ(calls, (std::vector<String>{"form"}));
  EXPECT_EQ(PixelAt(form, form, {30 - 8 - 1, 40}), ColorToRGB(form->Color()));
  // The handler the form has now is its own again, with no painter in between.
  TNotifyEvent handler = form->OnPaint();
  calls.clear();
  handler(form);
  EXPECT_EQ(calls, (std::vector<String>{"form"}));
}

TEST_F(EffectTest, WithoutAFormOwnerItSaysSoAndPaintsNothing) {
  TComponent owner(nullptr);
  auto* orphan = new TLumEffect(&owner);
  ASSERT_EQ(User.Messages().size(), 1u);
  EXPECT_EQ(User.Messages()[0].Text, "This component can\xC2\xB4t work correctly!");
  EXPECT_EQ(orphan->HookedForm(), nullptr);
  orphan->ValidComponents()->Add("Button1");
  orphan->SetEffectWidth(9);
}

TEST_F(EffectTest, InTheDesignerThePainterKeepsItsHookButPaintsNothing) {
  FForm->SetDesigning(true);
  Decorate();
  EXPECT_EQ(At(14, 30), ColorToRGB(clWindow));
  EXPECT_EQ(Effect->HookedForm(), FForm);
}

TEST_F(EffectTest, AFormFileWritesEverySetting) {
  Target->Free(); // a test class the reader does not know
  Effect->SetName("Effect1");
  Effect->ValidComponents()->Add("Button1");
  Effect->SetEffectStyle(es3ColorsVertical);
  Effect->SetEffectColor2(clNavy);
  Effect->SetShadowWidth(2);
  const String text = WriteFormText(FForm);
  for (const char* line : {"EffectWidth = 5", "BorderStyle = bsSingle", "Shadow = True",
                           "EffectColor1 = clWhite", "EffectStyle = es3ColorsVertical"})
    EXPECT_NE(text.find(line), String::npos) << line;
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumEffect*>(copy->FindComponent("Effect1"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->HookedForm(), copy);
  EXPECT_EQ(read->Pattern()->Height(), 512);
  EXPECT_EQ(WriteFormText(copy), text);
}

} // namespace
