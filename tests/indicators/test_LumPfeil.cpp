#include "tests/displays/DisplayTestSupport.h"
#include "tests/surfaces/ZoomSheet.h"

#include "framework/classes/FormFile.h"
#include "indicators/LumPfeil.h"

using namespace displaytest;

namespace {

TEST(ArrowGeometry, BoundsFollowTheTypeAndWidth) {
  EXPECT_EQ(ArrowBounds({10, 10}, {60, 60}, 10, ptNormal), Rect(-1, -1, 71, 71));
  EXPECT_EQ(ArrowBounds({60, 30}, {10, 30}, 4, ptNormal), Rect(5, 25, 65, 35));
  // d = r(70.71) + 10 = 81, h = 40: a square of 80 around the midpoint (35, 35).
  EXPECT_EQ(ArrowBounds({10, 10}, {60, 60}, 10, ptArc), Rect(-5, -5, 75, 75));
}

TEST(ArrowGeometry, AHorizontalArrowHasAFlatBandAndAHeadATenthBeforeTheTarget) {
  const auto outline = ArrowOutline({0, 20}, {100, 20}, 10);
  const std::array<TPoint, 7> expected{TPoint{0, 15},  TPoint{0, 25},   TPoint{90, 25},
                                       TPoint{90, 30}, TPoint{100, 20}, TPoint{90, 10},
                                       TPoint{90, 15}};
  EXPECT_EQ(outline, expected);
  // Vertical, upward: the length is negative and the head lies below the target.
  const auto up = ArrowOutline({20, 100}, {20, 0}, 10);
  EXPECT_EQ(up[0], (TPoint{25, 100}));
  EXPECT_EQ(up[3], (TPoint{10, 10}));
  // Diagonal: p1 = p2 = r(3.54) = 4, p3 = p4 = r(5.0) = 5.
  const auto diagonal = ArrowOutline({11, 11}, {61, 61}, 10);
  EXPECT_EQ(diagonal[0], (TPoint{15, 7}));
  EXPECT_EQ(diagonal[2], (TPoint{52, 60}));
  EXPECT_EQ(diagonal[3], (TPoint{48, 64}));
  EXPECT_EQ(diagonal[5], (TPoint{64, 48}));
  // Start on target: the horizontal case with length 0, a vertical stroke through the point.
  const std::array<TPoint, 7> point{TPoint{5, 0}, TPoint{5, 10}, TPoint{5, 10}, TPoint{5, 15},
                                    TPoint{5, 5}, TPoint{5, -5}, TPoint{5, 0}};
  EXPECT_EQ(ArrowOutline({5, 5}, {5, 5}, 10), point);
}

TEST(ArrowGeometry, ArcsBendToOppositeSides) {
  const TArcArrowShape arc = ArcArrowShape({0, 50}, {100, 50}, 10, ptArc);
  EXPECT_EQ(arc.Inner.Box, Rect(5, 5, 95, 95));
  EXPECT_EQ(arc.Outer.Box, Rect(-5, -5, 105, 105));
  EXPECT_EQ(arc.Inner.From, (TPoint{5, 50}));
  EXPECT_EQ(arc.Inner.To, (TPoint{92, 65})); // (r(45 cos 20°) + 50, r(45 sin 20°) + 0)
  EXPECT_EQ(arc.Head[2], (TPoint{100, 50}));
  EXPECT_GT(arc.FillAt.Y, 50);
  const TArcArrowShape anti = ArcArrowShape({0, 50}, {100, 50}, 10, ptAntiArc);
  EXPECT_EQ(anti.Inner.To, (TPoint{5, 50}));
  EXPECT_EQ(anti.Inner.From, (TPoint{92, 35}));
  EXPECT_LT(anti.FillAt.Y, 50);
}

// Arrows on a shown form, left where they are made: a move would carry their points along.
class ArrowTest : public controltest::ControlTest {
protected:
  TLumArrow* NewArrow() {
    FForm = NewForm(640, 480);
    FForm->SetColor(clWindow);
    auto* arrow = new TLumArrow(FForm);
    arrow->SetParent(FForm);
    FForm->Show();
    return arrow;
  }
  TShot Shoot(TControl* Control) {
    Control->Repaint();
    return TShot(User, FForm, Control);
  }
  void Zoom(TControl* Control, const String& Name) { ZoomSheet(User, FForm, Control, Name, 4); }
  TForm* Form() const { return FForm; }

private:
  TForm* FForm = nullptr;
};

TEST_F(ArrowTest, APointChangePlacesTheControlAroundTheArrow) {
  auto* arrow = NewArrow();
  arrow->SetTargetX(61);
  arrow->SetTargetX(60);
  EXPECT_EQ(arrow->BoundsRect(), Rect(-1, -1, 71, 71));
  EXPECT_EQ(arrow->StartX(), 10);
  EXPECT_EQ(arrow->Pen()->Width(), 2);
}

TEST_F(ArrowTest, TheOutlineIsInThePenAndTheInsideInTheBrush) {
  auto* arrow = NewArrow();
  arrow->Brush()->SetColor(clYellow);
  arrow->Pen()->SetColor(clRed);
  arrow->SetStartY(40);
  arrow->SetTargetY(40);
  arrow->SetStartX(20);
  arrow->SetTargetX(120);
  ASSERT_EQ(arrow->BoundsRect(), Rect(9, 29, 131, 51));
  const TShot shot = Shoot(arrow);
  Zoom(arrow, "LumArrow-straight-zoom.png");
  // Control coordinates: start (11, 11), target (111, 11), band from y = 6 to 16.
  shot.Expect({{50, 6, clRed}, {50, 16, clRed}, {50, 11, clYellow}});
  EXPECT_EQ(shot.At(105, 11), ColorToRGB(clYellow)); // inside the head
  shot.Expect({{50, 3, clWindow}, {50, 19, clWindow}});
  arrow->SetTransparent(true);
  const TShot outline = Shoot(arrow);
  outline.Expect({{50, 6, clRed}, {50, 11, clWindow}});
}

TEST_F(ArrowTest, ArcArrowsAreFilledBands) {
  auto* arrow = NewArrow();
  arrow->Brush()->SetColor(clLime);
  arrow->SetArrowType(ptArc);
  arrow->SetStartX(40);
  arrow->SetStartY(80);
  arrow->SetTargetX(140);
  arrow->SetTargetY(80);
  const TShot shot = Shoot(arrow);
  Zoom(arrow, "LumArrow-arc-zoom.png");
  const TArcArrowShape shape = ArcArrowShape({40 - arrow->Left(), 80 - arrow->Top()},
                                             {140 - arrow->Left(), 80 - arrow->Top()}, 10, ptArc);
  EXPECT_EQ(shot.At(shape.FillAt.X, shape.FillAt.Y), ColorToRGB(clLime));
  const int midX = 90 - arrow->Left(), bandY = 80 - arrow->Top() + 50; // bottom of the band
  EXPECT_EQ(shot.At(midX, bandY), ColorToRGB(clLime));
  EXPECT_EQ(shot.At(midX, 80 - arrow->Top()), ColorToRGB(clWindow)); // the circle's middle
  EXPECT_EQ(shot.Count(Rect(0, 0, arrow->Width(), 80 - arrow->Top() - 8), clLime), 0);
  arrow->SetArrowType(ptAntiArc);
  const TShot anti = Shoot(arrow);
  EXPECT_EQ(anti.At(90 - arrow->Left(), 80 - arrow->Top() - 50), ColorToRGB(clLime));
}

TEST_F(ArrowTest, MovingTheControlCarriesBothPoints) {
  auto* arrow = NewArrow();
  arrow->SetTargetX(100);
  const TRect placed = arrow->BoundsRect();
  arrow->SetBounds(placed.Left + 5, placed.Top + 3, placed.Width(), placed.Height());
  EXPECT_EQ(arrow->StartX(), 15);
  EXPECT_EQ(arrow->StartY(), 13);
  EXPECT_EQ(arrow->TargetX(), 105);
  EXPECT_EQ(arrow->TargetY(), 63);
  arrow->SetLeft(arrow->Left() - 10);
  EXPECT_EQ(arrow->StartX(), 5);
  EXPECT_EQ(arrow->TargetX(), 95);
  EXPECT_EQ(arrow->StartY(), 13);
  EXPECT_EQ(arrow->Left(), 5 - 11);
}

TEST_F(ArrowTest, AFormFileBringsTheArrowBackWhereItWas) {
  auto* arrow = NewArrow();
  arrow->SetName("Pointer");
  arrow->SetTargetX(200); // start stays at its default (10, 10)
  arrow->SetArrowWidth(6);
  arrow->Pen()->SetColor(clBlue);
  const TRect bounds = arrow->BoundsRect();
  const String text = WriteFormText(Form());
  EXPECT_EQ(text.find("StartX"), String::npos);
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumArrow*>(copy->FindComponent("Pointer"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->StartX(), 10);
  EXPECT_EQ(read->StartY(), 10);
  EXPECT_EQ(read->TargetX(), 200);
  EXPECT_EQ(read->BoundsRect(), bounds);
  EXPECT_EQ(read->Pen()->Color(), clBlue);
  EXPECT_EQ(WriteFormText(copy), text);
  read->SetLeft(read->Left() + 4);
  EXPECT_EQ(read->StartX(), 14);
}

} // namespace
