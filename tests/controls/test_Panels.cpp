#include "tests/controls/ControlTestSupport.h"

#include "framework/controls/Edits.h"
#include "framework/controls/Panels.h"
#include "framework/controls/ScrollBox.h"

#include <vector>

using namespace controltest;

namespace {

bool IsDarkPixel(TColor C) {
  return (C & 0xFF) < 96 && ((C >> 8) & 0xFF) < 96 && ((C >> 16) & 0xFF) < 96;
}

struct TPanelFrame {
  TPanelBevel Outer;
  TPanelBevel Inner;
  int BevelWidth;
  int BorderWidth;
  TBorderStyle Border;
};

class PanelFrameTest : public ControlTest, public ::testing::WithParamInterface<TPanelFrame> {};

TEST_P(PanelFrameTest, AlignedChildrenFillTheAreaInsideBorderAndBevels) {
  const TPanelFrame f = GetParam();
  TForm* form = NewForm(400, 300);
  auto* panel = Place(form, new TPanel(form), Bounds(10, 10, 200, 120));
  panel->SetBevelOuter(f.Outer);
  panel->SetBevelInner(f.Inner);
  panel->SetBevelWidth(f.BevelWidth);
  panel->SetBorderWidth(f.BorderWidth);
  panel->SetBorderStyle(f.Border);
  auto* top = Place(panel, new TSwatch(form), 0, 0);
  top->SetHeight(20);
  top->SetAlign(alTop);
  auto* rest = Place(panel, new TSwatch(form, clLime), 0, 0);
  rest->SetAlign(alClient);
  form->Show();

  const int edge = f.Border == bsSingle ? 2 : 0;
  EXPECT_EQ(panel->ClientRect(), Rect(0, 0, 200 - 2 * edge, 120 - 2 * edge));
  const int inset = f.BorderWidth + (f.Outer != bvNone ? f.BevelWidth : 0) +
                    (f.Inner != bvNone ? f.BevelWidth : 0);
  const int cw = 200 - 2 * edge, ch = 120 - 2 * edge;
  EXPECT_EQ(top->BoundsRect(), Rect(inset, inset, cw - inset, inset + 20));
  EXPECT_EQ(rest->BoundsRect(), Rect(inset, inset + 20, cw - inset, ch - inset));

  // The ring just outside the children is panel, not child.
  if (inset > 0) {
    EXPECT_NE(PixelAt(form, panel, {inset - 1, ch / 2}), ColorToRGB(clLime));
  }
  EXPECT_EQ(PixelAt(form, panel, {inset, ch - inset - 1}), ColorToRGB(clLime));
}

INSTANTIATE_TEST_SUITE_P(Panels, PanelFrameTest,
                         ::testing::Values(TPanelFrame{bvNone, bvNone, 1, 0, bsNone},
                                           TPanelFrame{bvRaised, bvNone, 1, 0, bsNone},
                                           TPanelFrame{bvRaised, bvLowered, 2, 0, bsNone},
                                           TPanelFrame{bvNone, bvLowered, 3, 4, bsNone},
                                           TPanelFrame{bvLowered, bvRaised, 1, 5, bsSingle},
                                           TPanelFrame{bvNone, bvNone, 1, 3, bsSingle},
                                           TPanelFrame{bvSpace, bvSpace, 2, 1, bsNone}));

TEST_F(ControlTest, PanelDrawsOuterBevelBorderInnerBevelAndCentredCaption) {
  TForm* form = NewForm(400, 300);
  auto* panel = Place(form, new TPanel(form), Bounds(20, 20, 160, 60));
  panel->SetBevelOuter(bvRaised);
  panel->SetBevelInner(bvLowered);
  panel->SetBevelWidth(2);
  panel->SetBorderWidth(3);
  panel->SetColor(clAqua);
  panel->SetCaption("Mitte");
  form->Show();
  const TColor light = ColorToRGB(clBtnHighlight), dark = ColorToRGB(clBtnShadow);
  const TColor aqua = ColorToRGB(clAqua);
  // Outer raised, two pixels: light top-left, dark bottom-right.
  EXPECT_EQ(PixelAt(form, panel, {0, 30}), light);
  EXPECT_EQ(PixelAt(form, panel, {1, 30}), light);
  EXPECT_EQ(PixelAt(form, panel, {159, 30}), dark);
  EXPECT_EQ(PixelAt(form, panel, {80, 58}), dark);
  // The border in the panel's colour, then the inner lowered bevel.
  EXPECT_EQ(PixelAt(form, panel, {2, 30}), aqua);
  EXPECT_EQ(PixelAt(form, panel, {4, 30}), aqua);
  EXPECT_EQ(PixelAt(form, panel, {5, 30}), dark);
  EXPECT_EQ(PixelAt(form, panel, {6, 30}), dark);
  EXPECT_EQ(PixelAt(form, panel, {153, 30}), light);
  EXPECT_EQ(PixelAt(form, panel, {7, 30}), aqua);

  // The caption sits around the middle; with taLeftJustify it moves to the left edge.
  const auto textColumns = [&](int from, int to) {
    const TControlPixels at(User, form, panel);
    int count = 0;
    for (int x = from; x < to; ++x)
      for (int y = 7; y < 53; ++y)
        if (IsDarkPixel(at(x, y))) {
          ++count;
          break;
        }
    return count;
  };
  EXPECT_GT(textColumns(60, 100), 10);
  EXPECT_EQ(textColumns(7, 40), 0);
  panel->SetAlignment(taLeftJustify);
  EXPECT_GT(textColumns(7, 40), 10);
  EXPECT_EQ(textColumns(100, 153), 0);
}

TEST_F(ControlTest, PanelRejectsImpossibleWidthsAndKeepsItsFrame) {
  TForm* form = NewForm();
  auto* panel = Place(form, new TPanel(form), 0, 0);
  panel->SetBevelWidth(2);
  EXPECT_THROW(panel->SetBevelWidth(0), ERangeError);
  EXPECT_THROW(panel->SetBorderWidth(-1), ERangeError);
  EXPECT_THROW(panel->SetBorderStyle(bsSizeable), ERangeError);
  EXPECT_EQ(panel->BevelWidth(), 2);
  EXPECT_EQ(panel->BorderWidth(), 0);
  EXPECT_EQ(panel->BorderStyle(), bsNone);
}

TEST_F(ControlTest, Ctl3DChoosesSunkenOrFlatBordersAndChildrenFollowTheirParent) {
  TForm* form = NewForm(300, 200);
  auto* panel = Place(form, new TPanel(form), 10, 10);
  panel->SetBorderStyle(bsSingle);
  auto* edit = Place(panel, new TEdit(form), 10, 10);
  form->Show();
  User.ProcessMessages();
  // Flat line, sunken edge.
  const auto styles = [](TWinControl* C) {
    return std::pair{(GetWindowLongA(C->Handle(), GWL_STYLE) & WS_BORDER) != 0,
                     (GetWindowLongA(C->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0};
  };
  EXPECT_EQ(styles(edit), std::pair(false, true));
  panel->SetCtl3D(false);
  EXPECT_FALSE(panel->ParentCtl3D());
  EXPECT_FALSE(edit->Ctl3D());
  EXPECT_TRUE(edit->ParentCtl3D());
  EXPECT_EQ(styles(edit), std::pair(true, false));
  EXPECT_EQ(styles(panel), std::pair(true, false));
  User.ProcessMessages();
  EXPECT_EQ(PixelAt(form, edit, TPoint{-1, 5}), clBlack) << "a flat one-pixel line";
  EXPECT_EQ(PixelAt(form, edit, TPoint{0, 5}), clWhite);
  edit->SetCtl3D(true);
  EXPECT_FALSE(edit->ParentCtl3D());
  edit->SetParentCtl3D(true);
  EXPECT_FALSE(edit->Ctl3D());
}

TEST_F(ControlTest, BevelShapesDrawTheirLinesInTheStyleColours) {
  TForm* form = NewForm(400, 300);
  form->Show();
  const TColor light = ColorToRGB(clBtnHighlight), dark = ColorToRGB(clBtnShadow);
  const TColor face = ColorToRGB(clBtnFace);
  auto* bevel = Place(form, new TBevel(form), Bounds(30, 30, 40, 30));
  const struct {
    TBevelShape Shape;
    TBevelStyle Style;
    std::vector<std::pair<TPoint, TColor>> Pixels;
  } cases[] = {
      {bsBox,
       bsLowered,
       {{{0, 0}, dark}, {{20, 0}, dark}, {{39, 29}, light}, {{39, 10}, light}, {{20, 15}, face}}},
      {bsBox, bsRaised, {{{0, 10}, light}, {{20, 29}, dark}}},
      // A raised frame: a light ring, a dark one offset by one.
      {bsFrame, bsRaised, {{{0, 10}, light}, {{1, 10}, dark}, {{38, 10}, light}, {{39, 10}, dark}}},
      {bsTopLine, bsLowered, {{{5, 0}, dark}, {{5, 1}, light}, {{5, 2}, face}}},
      {bsBottomLine, bsLowered, {{{5, 28}, dark}, {{5, 29}, light}, {{5, 0}, face}}},
      {bsLeftLine, bsLowered, {{{0, 29}, dark}, {{1, 29}, light}}},
      {bsRightLine, bsLowered, {{{38, 5}, dark}, {{39, 5}, light}, {{0, 5}, face}}},
      {bsSpacer, bsLowered, {{{0, 0}, face}, {{39, 5}, face}, {{5, 29}, face}}}};
  for (const auto& c : cases) {
    bevel->SetShape(c.Shape);
    bevel->SetStyle(c.Style);
    const TControlPixels at(User, form, bevel);
    for (const auto& [p, colour] : c.Pixels)
      EXPECT_EQ(at(p.X, p.Y), colour)
          << "shape " << c.Shape << ", style " << c.Style << ", at " << p.X << "," << p.Y;
  }
}

TEST_F(ControlTest, GroupBoxPutsChildrenBelowItsCaptionAndItsAcceleratorFocusesTheFirst) {
  TForm* form = NewForm(400, 300);
  auto* other = Place(form, new TSwatch(form), 250, 10);
  auto* group = Place(form, new TGroupBox(form), Bounds(10, 10, 200, 120));
  group->SetCaption("&Optionen");
  auto* first = Place(group, new TSwatch(form, clLime), 20, 30);
  first->SetAlign(alClient);
  form->Show();
  other->SetFocus();

  const int line = group->Canvas()->TextHeight("0");
  EXPECT_EQ(first->BoundsRect(), Rect(2, line + 2, 198, 118));
  // Etched frame: shadow then highlight; the caption's gap interrupts the top line.
  const int mid = line / 2;
  EXPECT_EQ(PixelAt(form, group, {0, 60}), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(form, group, {1, 60}), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(PixelAt(form, group, {190, mid - 1}), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelAt(form, group, {4, mid - 1}), ColorToRGB(clBtnShadow));

  User.PressKey('O', {ssAlt});
  EXPECT_TRUE(first->Focused());
  other->SetFocus();
  User.Type("o");
  EXPECT_TRUE(first->Focused());
}

TEST_F(ControlTest, ScrollBoxRangesFollowTheChildrenAndScrollingMovesThem) {
  TForm* form = NewForm(400, 300);
  auto* box = Place(form, new TScrollBox(form), Bounds(10, 10, 200, 100));
  auto* near = Place(box, new TSwatch(form, clLime), 10, 10);
  auto* far = Place(box, new TSwatch(form, clRed), 20, 250);
  form->Show();

  const int clientHeight = box->ClientHeight();
  EXPECT_EQ(box->ClientWidth(), 200 - 4 - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(clientHeight, 100 - 4);
  EXPECT_EQ(box->VertScrollBar()->Range(), 280);
  EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
  EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(box->VertScrollBar()->MaxPosition(), 280 - clientHeight);
  EXPECT_EQ(PixelAt(form, near, {5, 5}), ColorToRGB(clLime));

  // The down arrow of the bar scrolls one increment.
  User.Click(box, {box->ClientWidth() + 5, clientHeight - 5});
  EXPECT_EQ(box->VertScrollBar()->Position(), 8);
  EXPECT_EQ(near->Top(), 2);
  EXPECT_EQ(far->Top(), 242);

  // Scrolled far enough the first child leaves the view and the last one comes in.
  box->VertScrollBar()->SetPosition(1000);
  EXPECT_EQ(box->VertScrollBar()->Position(), 280 - clientHeight);
  EXPECT_EQ(far->Top() + far->Height(), clientHeight);
  EXPECT_LT(near->Top() + near->Height(), 0);
  EXPECT_EQ(PixelAt(form, box, {25, clientHeight - 5}), ColorToRGB(clRed));
  EXPECT_EQ(PixelAt(form, box, {15, 5}), ColorToRGB(clBtnFace));

  box->ScrollInView(near);
  EXPECT_EQ(box->VertScrollBar()->Position(), 10);
  EXPECT_EQ(near->Top(), 0);

  // Tabbing to a child out of view scrolls it in.
  User.Tab();
  EXPECT_TRUE(far->Focused());
  EXPECT_EQ(far->Top() + far->Height(), clientHeight);
  User.Tab(true);
  EXPECT_TRUE(near->Focused());
  EXPECT_EQ(near->Top(), 0);

  // Without the far child no bar is needed and the view goes back to the top.
  far->Free();
  EXPECT_FALSE(box->VertScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(box->VertScrollBar()->Position(), 0);
  EXPECT_EQ(near->Top(), 10);
}

TEST_F(ControlTest, ScrollBoxWithAFixedRangeAndNoBorder) {
  TForm* form = NewForm(400, 300);
  auto* box = Place(form, new TScrollBox(form), Bounds(10, 10, 150, 80));
  box->SetBorderStyle(bsNone);
  box->HorzScrollBar()->SetRange(400);
  auto* early = Place(box, new TSwatch(form), 300, 10);
  box->HorzScrollBar()->SetPosition(500); // before the window: kept, then clamped to the range
  EXPECT_EQ(early->Left(), -200);
  form->Show();
  EXPECT_EQ(box->HorzScrollBar()->Position(), 250);
  EXPECT_EQ(early->Left(), 50);
  box->HorzScrollBar()->SetPosition(0);
  EXPECT_FALSE(box->AutoScroll());
  EXPECT_TRUE(box->HorzScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(box->ClientWidth(), 150);
  EXPECT_EQ(box->HorzScrollBar()->MaxPosition(), 250);
  auto* child = Place(box, new TSwatch(form), 100, 10);
  box->HorzScrollBar()->SetPosition(60);
  EXPECT_EQ(child->Left(), 40);
  EXPECT_EQ(box->HorzScrollBar()->Range(), 400);
  EXPECT_THROW(box->HorzScrollBar()->SetRange(-5), ERangeError);

  // A child reaching under both bars leaves them drawn.
  box->VertScrollBar()->SetRange(300);
  Place(box, new TPanel(form), Bounds(10, 10, 300, 200));
  const int cw = box->ClientWidth(), ch = box->ClientHeight();
  EXPECT_EQ(PixelAt(form, box, {cw + 3, ch - 13}), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelAt(form, box, {3, ch + 3}), ColorToRGB(clBtnFace));
}

} // namespace
