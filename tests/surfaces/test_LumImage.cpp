#include "tests/TempPath.h"
#include "tests/displays/DisplayTestSupport.h"
#include "tests/surfaces/SurfaceTestSupport.h"
#include "tests/surfaces/ZoomSheet.h"

#include "framework/classes/FormFile.h"
#include "surfaces/LumImage.h"

#include <filesystem>
#include <fstream>

using namespace displaytest;
using namespace surfacetest;

namespace {

std::vector<TRect> Place(TLumImageTyp Type, TRect Area, int Gw = 60, int Gh = 20) {
  return ImagePlacement(Type, Area, Area.Right, Area.Bottom, Gw, Gh);
}

TEST(ImagePlacement, EveryModeByItsFormula) {
  const TRect a = Rect(0, 0, 30, 30);
  EXPECT_EQ(Place(btNormal, a), (std::vector<TRect>{Rect(0, 0, 60, 20)}));
  EXPECT_EQ(Place(btCenter, a), (std::vector<TRect>{Rect(-15, 5, 45, 25)}));
  EXPECT_EQ(Place(btStretch, a), (std::vector<TRect>{a}));
  EXPECT_EQ(Place(btOptimal, a), (std::vector<TRect>{Rect(0, 0, 30, 10)}));
  EXPECT_EQ(Place(btCenterOptimal, a), (std::vector<TRect>{Rect(0, 10, 30, 20)}));
  EXPECT_EQ(Place(btPatternOptimal, a),
            (std::vector<TRect>{Rect(0, 0, 30, 10), Rect(0, 10, 30, 20), Rect(0, 20, 30, 30)}));
  EXPECT_EQ(Place(btPattern, a, 20, 20).size(), 4u); // 2 columns, 2 rows, cut by the edge
  EXPECT_EQ(Place(btPattern, a, 20, 20).back(), Rect(20, 20, 40, 40));

  // 30 × 35: n = 3 whole copies, 5 pixels left over, split around the group.
  const TRect tall = Rect(0, 0, 30, 35);
  EXPECT_EQ(Place(btPatternOptimal, tall),
            (std::vector<TRect>{Rect(0, 2, 30, 12), Rect(0, 12, 30, 22), Rect(0, 22, 30, 32)}));
  EXPECT_EQ(Place(btPatternStretch, tall),
            (std::vector<TRect>{Rect(0, 0, 30, 10), Rect(0, 10, 30, 20), Rect(0, 20, 30, 30),
                                Rect(0, 30, 30, 40)}));
  // Across: a 20 × 60 picture in 70 × 30 takes tiles 10 wide.
  const TRect wide = Rect(0, 0, 70, 30);
  EXPECT_EQ(Place(btOptimal, wide, 20, 60), (std::vector<TRect>{Rect(0, 0, 10, 30)}));
  EXPECT_EQ(Place(btCenterOptimal, wide, 20, 60), (std::vector<TRect>{Rect(30, 0, 40, 30)}));
  EXPECT_EQ(Place(btPatternOptimal, wide, 20, 60).size(), 7u);
  EXPECT_EQ(Place(btPatternStretch, wide, 20, 60).size(), 8u);
  // A picture too thin to show leaves no tiles instead of many empty ones.
  EXPECT_TRUE(Place(btPatternOptimal, a, 100000, 1).empty());
}

TEST(ImagePlacement, TheFrameWidthIsHeldToHalfTheSmallerSide) {
  EXPECT_EQ(std::vector<int>({ClampedFrameWidth(40, 30, 30), ClampedFrameWidth(40, 30, 12),
                              ClampedFrameWidth(0, 30, 30), ClampedFrameWidth(5, 30, 30)}),
            std::vector<int>({15, 6, 1, 5}));
}

class LumImageTest : public DisplayTest {
protected:
  TLumImage* NewImage(TLumImageTyp Type, int Width = 30, int Height = 30) {
    auto* image = ShowNew<TLumImage>(Width, Height);
    image->SetPicture(PictureOf(*Quarters(60, 20)));
    image->SetImageType(Type);
    return image;
  }
  TPicture* PictureOf(TBitmap& Bitmap) {
    FPicture.Assign(&Bitmap);
    return &FPicture;
  }

private:
  TPicture FPicture;
};

TEST_F(LumImageTest, TheSixtyByTwentyExampleInEveryFittingMode) {
  auto* image = NewImage(btOptimal);
  TShot shot = Shoot(image);
  ZoomSheet(User, Form(), image, "LumImage-optimal-zoom.png");
  shot.Expect({{7, 2, clRed}, {22, 2, clBlue}, {7, 7, clLime}, {22, 7, clYellow}});
  EXPECT_EQ(shot.At(15, 20), ColorToRGB(clWindow));   // nothing is cleared behind
  EXPECT_EQ(shot.At(0, 5), ColorToRGB(clWindowText)); // the frame over the picture
  EXPECT_EQ(shot.At(15, 29), ColorToRGB(clWindowText));

  image->SetImageType(btCenterOptimal);
  shot = Shoot(image);
  shot.Expect({{7, 12, clRed}, {22, 17, clYellow}, {15, 5, clWindow}});

  image->SetImageType(btPatternOptimal);
  shot = Shoot(image);
  for (const int top : {0, 10, 20}) {
    EXPECT_EQ(shot.At(7, top + 2), ColorToRGB(clRed)) << top;
    EXPECT_EQ(shot.At(22, top + 7), ColorToRGB(clYellow)) << top;
  }

  image->SetImageType(btCenter);
  shot = Shoot(image);
  shot.Expect({{20, 10, clBlue}, {5, 20, clLime}, {10, 2, clWindow}});

  image->SetImageType(btStretch);
  shot = Shoot(image);
  shot.Expect({{7, 7, clRed}, {22, 22, clYellow}});

  image->SetImageType(btPattern);
  image->SetFrame(false);
  shot = Shoot(image);
  EXPECT_EQ(shot.At(5, 25), ColorToRGB(clRed)); // the second row of whole tiles
  shot.Expect({{5, 15, clLime}, {0, 5, clRed}});
}

TEST_F(LumImageTest, AWideFrameIsDrawnCentredOnItsInsetOutline) {
  auto* image = NewImage(btStretch);
  image->SetFrameColor(clNavy);
  image->SetFrameWidth(5);
  EXPECT_EQ(image->FrameWidth(), 5);
  const TShot shot = Shoot(image);
  ZoomSheet(User, Form(), image, "LumImage-frame5-zoom.png");
  // The outline runs from (2, 2) to (27, 27) with a 5-pixel pen: columns 0 to 4, 25 to 29.
  for (const int x : {0, 4, 25, 29}) EXPECT_EQ(shot.At(x, 15), ColorToRGB(clNavy)) << x;
  EXPECT_NE(shot.At(5, 15), ColorToRGB(clNavy));
  shot.Expect({{15, 0, clNavy}, {15, 29, clNavy}});
  // The picture fills r, inset by 4: its top-left quarter starts at (4, 4).
  EXPECT_EQ(shot.At(6, 6), ColorToRGB(clRed));
  image->SetFrameWidth(40);
  EXPECT_EQ(image->FrameWidth(), 15);
}

class LumImageFileTest : public LumImageTest {
protected:
  void SetUp() override {
    Dir = TempPath("lumimage");
    std::filesystem::create_directories(Dir);
  }
  void TearDown() override {
    LumImageTest::TearDown();
    std::filesystem::remove_all(Dir);
  }
  String Path(const String& Name) const { return (Dir / Name).string(); }
  std::filesystem::path Dir;
};

TEST_F(LumImageFileTest, ALumFileIsReadAsABitmapWithoutRenamingAnything) {
  Quarters(60, 20)->SaveToFile(Path("pic.lum"));
  Quarters(8, 8)->SaveToFile(Path("pic.BMP"));
  const auto before = std::filesystem::file_size(Dir / "pic.BMP");
  auto* image = ShowNew<TLumImage>();
  image->SetFilename(Path("pic.lum"));
  EXPECT_EQ(image->Filename(), Path("pic.lum"));
  EXPECT_EQ(image->Picture()->Width(), 60);
  EXPECT_NE(dynamic_cast<TBitmap*>(image->Picture()->Graphic()), nullptr);
  EXPECT_TRUE(std::filesystem::exists(Dir / "pic.lum"));
  EXPECT_EQ(std::filesystem::file_size(Dir / "pic.BMP"), before);

  // Assigning a picture forgets the file; other extensions pick their format.
  image->SetPicture(image->Picture());
  EXPECT_EQ(image->Filename(), "");
  image->SetFilename(Path("pic.BMP"));
  EXPECT_EQ(image->Picture()->Width(), 8);
}

TEST_F(LumImageFileTest, AMissingFileIsReportedAndAnEmptyNameClears) {
  Quarters(60, 20)->SaveToFile(Path("a.bmp"));
  auto* image = ShowNew<TLumImage>();
  image->SetFilename(Path("a.bmp"));
  image->SetFilename(Path("gone.bmp"));
  ASSERT_EQ(User.Messages().size(), 1u);
  EXPECT_EQ(User.Messages()[0].Text, "Bild nicht gefunden!");
  EXPECT_EQ(User.Messages()[0].Type, mtError);
  EXPECT_EQ(User.Messages()[0].Buttons, (std::vector<String>{"OK"}));
  EXPECT_EQ(image->Filename(), Path("a.bmp"));
  EXPECT_EQ(image->Picture()->Width(), 60);
  image->SetFilename("");
  EXPECT_EQ(image->Filename(), "");
  EXPECT_EQ(image->Picture()->Graphic(), nullptr);
  EXPECT_EQ(User.Messages().size(), 1u);
}

TEST_F(LumImageFileTest, ABrokenLumFileRaisesAndLeavesNameAndPictureAsTheyWere) {
  std::ofstream(Path("bad.lum")) << "no bitmap";
  Quarters(60, 20)->SaveToFile(Path("a.bmp"));
  auto* image = ShowNew<TLumImage>();
  image->SetFilename(Path("a.bmp"));
  EXPECT_THROW(image->SetFilename(Path("bad.lum")), EInvalidGraphic);
  EXPECT_EQ(image->Filename(), Path("a.bmp"));
  EXPECT_EQ(image->Picture()->Width(), 60);
  EXPECT_TRUE(std::filesystem::exists(Dir / "bad.lum"));
}

TEST_F(LumImageTest, AFormFileKeepsPictureAndPlacement) {
  auto* image = NewImage(btPatternStretch, 40, 50);
  image->SetName("Photo");
  image->SetFrameWidth(3);
  image->SetFrameColor(clRed);
  const String text = WriteFormText(Form());
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumImage*>(copy->FindComponent("Photo"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->Picture()->Width(), 60);
  EXPECT_EQ(WriteFormText(copy), text);
}

// Light pixels (white text, smoothed or not) in R of a shot.
int CountLight(const TShot& Shot, const TRect& R) {
  int n = 0;
  for (int y = R.Top; y < R.Bottom; ++y)
    for (int x = R.Left; x < R.Right; ++x) {
      const COLORREF c = Shot.At(x, y);
      n += GetRValue(c) > 224 && GetGValue(c) > 224 && GetBValue(c) > 224;
    }
  return n;
}

class LumScrollTextTest : public controltest::ControlTest {
protected:
  TLumScrollText* NewText(int Width = 200, int Height = 100) {
    FForm = NewForm(400, 300);
    FForm->SetColor(clSilver);
    auto* text = new TLumScrollText(FForm);
    text->SetBounds(10, 10, Width, Height);
    text->SetColor(clNavy);
    FForm->Show();
    return text;
  }
  TShot Shoot(TControl* Control) {
    Control->Repaint();
    return TShot(User, FForm, Control);
  }
  TForm* FForm = nullptr;
};

TEST_F(LumScrollTextTest, TheBlockStartsAtTheRightEdgeAndMovesLeftEveryTick) {
  auto* text = NewText();
  text->Items()->Add("LumTools");
  text->Items()->Add("scrolls");
  text->Items()->Add("a much longer line of text");
  const int widest = text->Widest();
  EXPECT_EQ(widest, text->Canvas()->TextWidth("a much longer line of text"));
  EXPECT_EQ(text->BlockX(), 200);
  EXPECT_EQ(text->BlockY(), 20);
  User.Advance(500);
  EXPECT_EQ(text->BlockX(), 200); // not started
  text->SetStart(true);
  User.Advance(300);
  EXPECT_EQ(text->BlockX(), 197);
  text->SetStart(false);
  for (int i = 0; i < 197 + widest; ++i) text->ScrollStep();
  EXPECT_EQ(text->BlockX(), -widest);
  text->ScrollStep();
  EXPECT_EQ(text->BlockX(), 200); // its right end passed 0
  EXPECT_EQ(text->BlockY(), 20);
}

TEST_F(LumScrollTextTest, LinesAreDrawnCentredInTheBlockOnTheBackground) {
  auto* text = NewText();
  text->SetScrollPixelX(0);
  text->Items()->Add("WIDE LINE HERE");
  text->Items()->Add("I");
  EXPECT_EQ(text->BlockX(), 0);
  EXPECT_EQ(text->Widest(), 200);
  const TShot shot = Shoot(text);
  ZoomSheet(User, FForm, text, "LumScrollText-zoom.png", 2);
  const int lineHeight = text->Canvas()->TextHeight("I");
  const int top = text->BlockY();
  EXPECT_EQ(top, (100 - 40) / 2);
  const int iw = text->Canvas()->TextWidth("I");
  // The short line sits in the middle; its cell is opaque navy with white text.
  EXPECT_GT(
      CountLight(shot, Rect(100 - iw / 2 - 1, top + 20, 100 + iw / 2 + 2, top + 20 + lineHeight)),
      0);
  EXPECT_EQ(CountLight(shot, Rect(0, top + 20, 90, top + 20 + lineHeight)), 0);
  EXPECT_EQ(shot.At(100 - iw / 2 - 1, top + 21), ColorToRGB(clNavy));
  EXPECT_EQ(shot.At(5, 5), ColorToRGB(clSilver)); // the paint box draws no background

  text->SetTransparenz(true);
  const TShot clear = Shoot(text);
  EXPECT_EQ(clear.At(100 - iw / 2 - 1, top + 21), ColorToRGB(clSilver));
  EXPECT_GT(CountLight(clear, Rect(0, top, 200, top + lineHeight)), 0);
}

TEST_F(LumScrollTextTest, RisingTextReentersFromTheBottomAndLargeStepsAreIgnored) {
  auto* text = NewText();
  text->Items()->Add("up");
  text->Items()->Add("and away");
  text->SetScrollPixelX(500);
  EXPECT_EQ(text->ScrollPixelX(), -1);
  text->SetScrollPixelX(0);
  text->SetScrollPixelY(-2);
  EXPECT_EQ(text->BlockY(), 100);
  EXPECT_EQ(text->BlockX(), 0);
  text->SetInterval(50);
  EXPECT_EQ(text->ScrollTimer()->Interval(), 50u);
  text->SetStart(true);
  User.Advance(50 * 10);
  EXPECT_EQ(text->BlockY(), 80);
  EXPECT_EQ(text->BlockX(), 0);
  text->SetStart(false);
  for (int i = 0; i < 60; ++i) text->ScrollStep();
  EXPECT_EQ(text->BlockY(), -40); // the block's bottom at 0
  text->ScrollStep();
  EXPECT_EQ(text->BlockY(), 100);
  text->SetScrollPixelY(100);
  EXPECT_EQ(text->ScrollPixelY(), -2);
}

TEST_F(LumScrollTextTest, AnOwnerThatIsNoWindowedControlIsRefused) {
  TComponent owner(nullptr);
  EXPECT_THROW(TLumScrollText text(&owner), EComponentError);
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST_F(LumScrollTextTest, AFormFileKeepsLinesAndMotion) {
  auto* text = NewText();
  text->SetName("Ticker");
  text->Items()->Add("one");
  text->Items()->Add("two");
  text->SetScrollPixelY(3);
  text->SetZeilenabstand(24);
  text->SetStart(true);
  const String form = WriteFormText(FForm);
  TForm* copy = NewForm();
  ReadFormText(form, copy);
  auto* read = dynamic_cast<TLumScrollText*>(copy->FindComponent("Ticker"));
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(read->ScrollTimer()->Enabled());
  EXPECT_EQ(WriteFormText(copy), form);
}

} // namespace
