#include "tests/controls/ControlTestSupport.h"

#include "framework/controls/Image.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Shapes.h"
#include "framework/graphics/Icon.h"

#include <tuple>
#include <vector>

using namespace controltest;

namespace {

const COLORREF Face = ColorToRGB(clBtnFace);

using ShapeTest = ControlTest;

TEST_F(ShapeTest, EachShapeDrawsItsFigureWithPenAndBrush) {
  TForm* form = NewForm();
  auto* shape = Place(form, new TShape(form), Bounds(20, 20, 60, 40));
  shape->Brush()->SetColor(clRed);
  form->Show();
  auto at = [&](int x, int y) { return PixelAt(form, shape, {x, y}); };
  const COLORREF black = ColorToRGB(clBlack), red = ColorToRGB(clRed);
  const struct {
    TShapeType Shape;
    std::vector<std::tuple<int, int, COLORREF>> Pixels;
  } shapes[] = {{stRectangle, {{0, 0, black}, {59, 39, black}, {30, 20, red}}},
                {stSquare, {{5, 20, Face}, {10, 20, black}, {49, 20, black}, {50, 20, Face}}},
                {stEllipse, {{0, 0, Face}, {30, 0, black}, {0, 20, black}, {30, 20, red}}},
                {stCircle, {{9, 20, Face}, {10, 20, black}, {30, 0, black}}},
                {stRoundRect, {{0, 0, Face}, {0, 20, black}, {30, 0, black}}},
                {stRoundSquare, {{10, 0, Face}, {10, 20, black}}}};
  for (const auto& s : shapes) {
    shape->SetShape(s.Shape); // the squares 40 x 40, centred
    const TControlPixels shot(User, form, shape);
    for (const auto& [x, y, colour] : s.Pixels)
      EXPECT_EQ(shot(x, y), colour) << "shape " << s.Shape << " at " << x << "," << y;
  }

  // Pen and brush changes redraw; a wide pen stays inside the control.
  shape->SetShape(stRectangle);
  shape->Brush()->SetColor(clBlue);
  shape->Pen()->SetWidth(5);
  shape->Pen()->SetColor(clGreen);
  EXPECT_EQ(at(30, 20), ColorToRGB(clBlue));
  EXPECT_EQ(at(0, 20), ColorToRGB(clGreen));
  EXPECT_EQ(at(4, 20), ColorToRGB(clGreen));
  EXPECT_EQ(at(5, 20), ColorToRGB(clBlue));
  EXPECT_EQ(at(59, 20), ColorToRGB(clGreen));
  EXPECT_EQ(at(30, 39), ColorToRGB(clGreen));
}

using ImageTest = ControlTest;

// 20 x 10: left half red, right half blue.
std::unique_ptr<TBitmap> HalvesPicture(int Width = 20, int Height = 10) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(Width, Height);
  bitmap->Canvas()->Brush()->SetColor(clRed);
  bitmap->Canvas()->FillRect(Rect(0, 0, Width / 2, Height));
  bitmap->Canvas()->Brush()->SetColor(clBlue);
  bitmap->Canvas()->FillRect(Rect(Width / 2, 0, Width, Height));
  return bitmap;
}

TEST_F(ImageTest, StretchCenterAndProportionalPlaceThePicture) {
  TForm* form = NewForm();
  auto* image = Place(form, new TImage(form), Bounds(10, 10, 100, 60));
  image->Picture()->SetBitmap(HalvesPicture().get());
  form->Show();
  auto at = [&](int x, int y) { return PixelAt(form, image, {x, y}); };
  const COLORREF red = ColorToRGB(clRed), blue = ColorToRGB(clBlue);

  EXPECT_EQ(at(5, 5), red);
  EXPECT_EQ(at(15, 5), blue);
  EXPECT_EQ(at(25, 5), Face);
  EXPECT_EQ(at(5, 15), Face);
  EXPECT_EQ(image->DestRect(), Rect(0, 0, 20, 10));

  image->SetCenter(true);
  EXPECT_EQ(image->DestRect(), Rect(40, 25, 60, 35));
  EXPECT_EQ(at(45, 30), red);
  EXPECT_EQ(at(55, 30), blue);
  EXPECT_EQ(at(5, 5), Face);

  image->SetCenter(false);
  image->SetStretch(true);
  EXPECT_EQ(at(40, 50), red);
  EXPECT_EQ(at(60, 50), blue);
  EXPECT_EQ(at(99, 59), blue);

  // Proportional: stretched only as far as the proportions allow, and a small picture is not
  // enlarged unless Stretch is set.
  image->SetProportional(true);
  EXPECT_EQ(image->DestRect(), Rect(0, 0, 100, 50));
  EXPECT_EQ(at(10, 55), Face);
  image->SetStretch(false);
  EXPECT_EQ(image->DestRect(), Rect(0, 0, 20, 10));
  image->Picture()->SetBitmap(HalvesPicture(200, 50).get());
  EXPECT_EQ(image->DestRect(), Rect(0, 0, 100, 25));
  image->SetCenter(true);
  EXPECT_EQ(image->DestRect(), Rect(0, 17, 100, 42));
  EXPECT_EQ(at(10, 20), red);
  EXPECT_EQ(at(10, 10), Face);
  image->Picture()->SetBitmap(HalvesPicture(30, 120).get()); // tall: fits the height
  EXPECT_EQ(image->DestRect(), Rect(42, 0, 57, 60));
}

TEST_F(ImageTest, CanvasDrawsIntoThePictureMakingABitmapWhenEmpty) {
  TForm* form = NewForm();
  auto* image = Place(form, new TImage(form), Bounds(10, 10, 80, 50));
  form->Show();
  TCanvas* canvas = image->Canvas();
  EXPECT_EQ(image->Picture()->Width(), 80);
  EXPECT_EQ(image->Picture()->Height(), 50);
  canvas->Brush()->SetColor(clLime);
  canvas->FillRect(Rect(10, 10, 30, 20));
  EXPECT_EQ(PixelAt(form, image, {15, 15}), ColorToRGB(clLime));
  EXPECT_EQ(image->Picture()->Bitmap()->Canvas()->Pixels(15, 15), ColorToRGB(clLime));

  image->Picture()->Icon(); // an icon now
  EXPECT_THROW(image->Canvas(), EInvalidOperation);
}

TEST_F(ImageTest, AutoSizeAndTransparency) {
  TForm* form = NewForm();
  auto* image = Place(form, new TImage(form), 10, 10);
  image->SetAutoSize(true);
  auto picture = HalvesPicture(30, 12);
  picture->Canvas()->Brush()->SetColor(clOlive); // the bottom-left colour
  picture->Canvas()->FillRect(Rect(0, 6, 30, 12));
  image->Picture()->SetBitmap(picture.get());
  EXPECT_EQ(image->Width(), 30);
  EXPECT_EQ(image->Height(), 12);
  form->Show();
  EXPECT_EQ(PixelAt(form, image, {5, 10}), ColorToRGB(clOlive));
  image->SetTransparent(true);
  EXPECT_EQ(PixelAt(form, image, {5, 10}), Face);
  EXPECT_EQ(PixelAt(form, image, {5, 2}), ColorToRGB(clRed));
}

using PaintBoxTest = ControlTest;

TEST_F(PaintBoxTest, OnPaintDrawsWithTheBoxColourAndFont) {
  TForm* form = NewForm();
  auto* box = Place(form, new TPaintBox(form), Bounds(10, 10, 60, 40));
  box->SetColor(clYellow);
  box->Font()->SetColor(clMaroon);
  int paints = 0;
  TColor fontColour = clNone;
  box->SetOnPaint([&](TObject* Sender) {
    EXPECT_EQ(Sender, box);
    ++paints;
    fontColour = box->Canvas()->Font()->Color();
    box->Canvas()->FillRect(Rect(0, 0, 30, 40));
  });
  form->Show();
  User.ProcessMessages();
  EXPECT_GE(paints, 1);
  EXPECT_EQ(fontColour, clMaroon);
  EXPECT_EQ(PixelAt(form, box, {10, 10}), ColorToRGB(clYellow));
  EXPECT_EQ(PixelAt(form, box, {40, 10}), Face); // the box paints nothing itself
  const int before = paints;
  box->Repaint();
  User.ProcessMessages();
  EXPECT_GT(paints, before);
}

} // namespace
