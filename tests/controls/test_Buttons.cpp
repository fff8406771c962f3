#include "tests/controls/ControlTestSupport.h"

#include "framework/controls/Buttons.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Panels.h"

using namespace controltest;

namespace {

constexpr TColor GlyphInk = clRed;

// A glyph strip of Count images: Size x Size squares of ink on an olive background, with
// the bottom row olive so it is the transparent colour.
std::unique_ptr<TBitmap> SquareGlyph(int Size, int Count = 1, TColor Ink = GlyphInk) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(Size * Count, Size);
  TCanvas* c = bitmap->Canvas();
  c->Brush()->SetColor(clOlive);
  c->FillRect(Rect(0, 0, Size * Count, Size));
  c->Brush()->SetColor(Ink);
  for (int i = 0; i < Count; ++i) c->FillRect(Rect(i * Size, 0, (i + 1) * Size, Size - 1));
  return bitmap;
}

class ButtonsTest : public ControlTest {
protected:
  // The bounds of the pixels inside Area of a control (client coordinates) that pass Passes.
  template <class P> TRect BoundsWhere(TCustomForm* Form, TControl* Control, TRect Area, P Passes) {
    const TControlPixels at(User, Form, Control);
    TRect found{Area.Right, Area.Bottom, -1, -1};
    for (int y = Area.Top; y < Area.Bottom; ++y)
      for (int x = Area.Left; x < Area.Right; ++x)
        if (Passes(at(x, y)))
          found = Rect(std::min(found.Left, x), std::min(found.Top, y),
                       std::max(found.Right, x + 1), std::max(found.Bottom, y + 1));
    return found;
  }
  TRect InkBounds(TCustomForm* Form, TControl* Control, TColor Color) {
    const auto wanted = static_cast<TColor>(ColorToRGB(Color));
    return BoundsWhere(Form, Control, Rect(0, 0, Control->Width(), Control->Height()),
                       [wanted](TColor Pixel) { return Pixel == wanted; });
  }
};

using BitBtnKindsTest = ButtonsTest;

struct TKindCase {
  TBitBtnKind Kind;
  const char* Caption;
  TModalResult Result;
  bool Default, Cancel;
};
const TKindCase Kinds[] = {{bkOK, "OK", mrOk, true, false},
                           {bkCancel, "Cancel", mrCancel, false, true},
                           {bkHelp, "&Help", mrNone, false, false},
                           {bkYes, "&Yes", mrYes, true, false},
                           {bkNo, "&No", mrNo, false, true},
                           {bkClose, "&Close", mrNone, false, false},
                           {bkAbort, "Abort", mrAbort, false, false},
                           {bkRetry, "&Retry", mrRetry, false, false},
                           {bkIgnore, "&Ignore", mrIgnore, false, false},
                           {bkAll, "&All", mrAll, false, false}};

TEST_F(BitBtnKindsTest, KindsBringCaptionResultDefaultCancelAndGlyph) {
  TForm* form = NewForm();
  for (const TKindCase& e : Kinds) {
    auto* button = new TBitBtn(form);
    button->SetKind(e.Kind);
    SCOPED_TRACE(e.Caption);
    EXPECT_EQ(button->Caption(), e.Caption);
    EXPECT_EQ(button->ModalResult(), e.Result);
    EXPECT_EQ(button->Default(), e.Default);
    EXPECT_EQ(button->Cancel(), e.Cancel);
    EXPECT_EQ(button->NumGlyphs(), 2);
    EXPECT_EQ(button->Glyph()->Width(), 2 * button->Glyph()->Height());
  }
  // A glyph of one's own, or another result, makes the kind custom.
  auto* ok = new TBitBtn(form);
  ok->SetKind(bkOK);
  ok->SetModalResult(mrRetry);
  EXPECT_EQ(ok->Kind(), bkCustom);
  auto* cancel = new TBitBtn(form);
  cancel->SetKind(bkCancel);
  cancel->SetGlyph(SquareGlyph(8).get());
  EXPECT_EQ(cancel->Kind(), bkCustom);
  EXPECT_EQ(cancel->NumGlyphs(), 1);
  EXPECT_THROW(cancel->SetNumGlyphs(5), ERangeError);
  EXPECT_EQ(cancel->NumGlyphs(), 1);
}

TEST_F(BitBtnKindsTest, KindsCloseAModalFormWithTheirResult) {
  for (const TKindCase& k : Kinds) {
    if (k.Kind == bkHelp) continue;
    TForm* form = NewForm();
    auto* button = Place(form, new TBitBtn(form), 10, 10);
    button->SetKind(k.Kind);
    int clicks = 0;
    button->SetOnClick([&](TObject*) { ++clicks; });
    User.WhenModal([&](TCustomForm*) { User.Click(button); });
    // bkClose closes the form instead of running OnClick.
    EXPECT_EQ(form->ShowModal(), k.Kind == bkClose ? mrCancel : k.Result) << k.Caption;
    EXPECT_EQ(clicks, k.Kind == bkClose ? 0 : 1) << k.Caption;
  }
  // Enter clicks the OK button, Escape the Cancel button.
  TForm* dialog = NewForm();
  Place(dialog, new TBitBtn(dialog), 10, 10)->SetKind(bkOK);
  Place(dialog, new TBitBtn(dialog), 100, 10)->SetKind(bkCancel);
  User.WhenModal([&](TCustomForm*) { User.Enter(); });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  User.WhenModal([&](TCustomForm*) { User.Escape(); });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

using GlyphLayoutTest = ButtonsTest;

TEST_F(GlyphLayoutTest, MarginAndSpacingPlaceGlyphAndCaption) {
  TForm* form = NewForm(400, 200);
  auto* button = Place(form, new TBitBtn(form), Bounds(10, 10, 120, 40));
  button->SetTabStop(false); // neither focused nor default: the plain push-button frame
  button->SetGlyph(SquareGlyph(12).get());
  form->Show();
  constexpr int frame = 2; // the raised push-button edge

  button->SetMargin(5);
  TRect ink = InkBounds(form, button, GlyphInk);
  EXPECT_EQ(ink, Bounds(frame + 5, frame + (36 - 12 + 1) / 2, 12, 11));

  // Without a caption a centred glyph has equal room on both sides.
  button->SetMargin(-1);
  ink = InkBounds(form, button, GlyphInk);
  EXPECT_NEAR(ink.Left - frame, 120 - frame - ink.Right, 1);

  button->SetLayout(blGlyphRight);
  button->SetMargin(3);
  EXPECT_EQ(InkBounds(form, button, GlyphInk).Right, 120 - frame - 3);

  button->SetLayout(blGlyphTop);
  button->SetBounds(10, 10, 80, 60);
  EXPECT_EQ(InkBounds(form, button, GlyphInk).Top, frame + 3);
  button->SetLayout(blGlyphBottom);
  EXPECT_EQ(InkBounds(form, button, GlyphInk).Bottom, 60 - frame - 3 - 1); // last row is olive

  // Spacing separates glyph and caption; the caption's ink starts within its bearing.
  button->SetLayout(blGlyphLeft);
  button->SetBounds(10, 10, 160, 40);
  button->SetCaption("HH");
  button->SetMargin(4);
  button->SetSpacing(9);
  const TRect glyph = InkBounds(form, button, GlyphInk);
  const auto face = static_cast<TColor>(ColorToRGB(clBtnFace));
  const TRect text = BoundsWhere(form, button, Rect(glyph.Right, 2, 160 - 2, 38),
                                 [face](TColor Pixel) { return Pixel != face; });
  EXPECT_EQ(glyph.Left, frame + 4);
  EXPECT_GE(text.Left, glyph.Right + 9);
  EXPECT_LE(text.Left, glyph.Right + 9 + 2);
}

TEST_F(GlyphLayoutTest, DisabledGlyphIsEmbossedFromTheUpImage) {
  TForm* form = NewForm();
  auto* button = Place(form, new TSpeedButton(form), Bounds(10, 10, 40, 40));
  button->SetGlyph(SquareGlyph(12, 1, clNavy).get());
  form->Show();
  const TRect up = InkBounds(form, button, clNavy);
  ASSERT_EQ(up.Width(), 12);
  button->SetEnabled(false);
  EXPECT_EQ(InkBounds(form, button, clNavy).Right, -1); // no ink left
  EXPECT_EQ(PixelAt(form, button, {up.Left + 5, up.Top + 5}), ColorToRGB(clBtnShadow));
  // The highlight copy shows one pixel below the shape.
  EXPECT_EQ(PixelAt(form, button, {up.Left + 5, up.Bottom}), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(PixelAt(form, button, {up.Left, up.Bottom}), ColorToRGB(clBtnFace));

  // With a second image that one is shown instead.
  auto strip = SquareGlyph(12, 2, clNavy);
  strip->Canvas()->Brush()->SetColor(clPurple);
  strip->Canvas()->FillRect(Rect(12, 0, 24, 11));
  button->SetGlyph(strip.get());
  EXPECT_EQ(button->NumGlyphs(), 2);
  EXPECT_EQ(InkBounds(form, button, clPurple), up);
}

using SpeedButtonTest = ButtonsTest;

TEST_F(SpeedButtonTest, GroupedButtonsExcludeEachOtherUnlessAllUpIsAllowed) {
  TForm* form = NewForm();
  TSpeedButton* group[3];
  for (int i = 0; i < 3; ++i) {
    group[i] = Place(form, new TSpeedButton(form), 10 + 30 * i, 10);
    group[i]->SetGroupIndex(1);
  }
  TForm* other = NewForm();
  auto* elsewhere = Place(other, new TSpeedButton(other), 10, 10);
  elsewhere->SetGroupIndex(1);
  elsewhere->SetDown(true);
  form->Show();

  User.Click(group[0]);
  EXPECT_TRUE(group[0]->Down());
  User.Click(group[1]);
  EXPECT_TRUE(group[1]->Down());
  EXPECT_FALSE(group[0]->Down());
  EXPECT_TRUE(elsewhere->Down()) << "another parent is another group";
  User.Click(group[1]);
  EXPECT_TRUE(group[1]->Down()) << "one button stays down";

  group[2]->SetAllowAllUp(true); // tells the whole group
  EXPECT_TRUE(group[0]->AllowAllUp());
  User.Click(group[1]);
  EXPECT_FALSE(group[1]->Down());

  // Without a group a button springs back and only clicks.
  auto* plain = Place(form, new TSpeedButton(form), 10, 50);
  int clicks = 0;
  plain->SetOnClick([&](TObject*) { ++clicks; });
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
  User.Click(plain);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(plain->Down());
  // Released outside: no click.
  User.Press(plain, {5, 5});
  User.Release(form, {250, 150});
  EXPECT_EQ(clicks, 1);
}

TEST_F(SpeedButtonTest, PressingDrawsSunkenAndMovesTheGlyph) {
  TForm* form = NewForm();
  auto* button = Place(form, new TSpeedButton(form), Bounds(10, 10, 30, 30));
  button->SetGlyph(SquareGlyph(10).get());
  form->Show();
  const TRect up = InkBounds(form, button, GlyphInk);
  EXPECT_EQ(PixelAt(form, button, {0, 0}), ColorToRGB(clBtnHighlight));
  User.Press(button, {15, 15});
  EXPECT_EQ(button->State(), bsDown);
  EXPECT_EQ(PixelAt(form, button, {0, 0}), ColorToRGB(cl3DDkShadow));
  const TRect down = InkBounds(form, button, GlyphInk);
  EXPECT_EQ(down, Rect(up.Left + 1, up.Top + 1, up.Right + 1, up.Bottom + 1));
  // Dragged off the button it rises again.
  User.MoveTo(form, {250, 150});
  EXPECT_EQ(button->State(), bsUp);
  User.Release(form, {250, 150});
  EXPECT_EQ(InkBounds(form, button, GlyphInk), up);
}

TEST_F(SpeedButtonTest, FlatButtonShowsItsEdgeOnlyUnderTheMouse) {
  TForm* form = NewForm();
  auto* button = Place(form, new TSpeedButton(form), 40, 40);
  button->SetFlat(true);
  button->SetCaption("F");
  form->Show();
  User.MoveTo(form, {250, 150});
  EXPECT_EQ(PixelAt(form, button, {0, 0}), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelAt(form, button, {22, 21}), ColorToRGB(clBtnFace));
  User.MoveTo(button, {10, 10});
  EXPECT_TRUE(button->MouseInControl());
  EXPECT_EQ(PixelAt(form, button, {0, 0}), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(PixelAt(form, button, {22, 21}), ColorToRGB(clBtnShadow));
  User.MoveTo(form, {250, 150});
  EXPECT_FALSE(button->MouseInControl());
  EXPECT_EQ(PixelAt(form, button, {0, 0}), ColorToRGB(clBtnFace));
}

using DefaultButtonTest = ButtonsTest;

// The default push button's frame: one black line around the raised edge, drawn while the
// focus is on no other push button.
TEST_F(DefaultButtonTest, FrameFollowsTheFocusAmongTheButtons) {
  TForm* form = NewForm();
  auto* edit = Place(form, new TEdit(form), 10, 10);
  auto* other = Place(form, new TButton(form), 10, 50);
  auto* ok = Place(form, new TButton(form), 100, 50);
  ok->SetDefault(true);
  std::vector<String> clicked;
  other->SetOnClick([&](TObject*) { clicked.push_back("other"); });
  ok->SetOnClick([&](TObject*) { clicked.push_back("ok"); });
  form->Show();
  const auto black = static_cast<TColor>(ColorToRGB(clWindowFrame));
  const auto white = static_cast<TColor>(ColorToRGB(clBtnHighlight));
  const auto framed = [&](TButton* Button) {
    const TColor corner = PixelAt(form, Button, {0, 0});
    EXPECT_TRUE(corner == black || corner == white) << "neither frame nor raised edge";
    return corner == black;
  };
  ASSERT_TRUE(edit->Focused());
  EXPECT_TRUE(framed(ok)) << "focus on an edit";
  EXPECT_FALSE(framed(other));

  User.Tab();
  ASSERT_TRUE(other->Focused());
  EXPECT_TRUE(framed(other)) << "the focused button takes the frame";
  EXPECT_FALSE(framed(ok));
  User.Enter();

  User.Click(edit);
  EXPECT_TRUE(framed(ok)) << "back on the edit";
  EXPECT_FALSE(framed(other));
  User.Enter();
  EXPECT_EQ(clicked, (std::vector<String>{"other", "ok"})) << "Enter clicks the framed button";
  ok->SetDefault(false);
  EXPECT_FALSE(framed(ok));
  ok->SetDefault(true);
  EXPECT_TRUE(framed(ok));
}

// A focused button that is hidden, disabled or freed hands the frame and Enter back to the
// Default button.
TEST_F(DefaultButtonTest, TheFrameComesBackWhenTheFocusedButtonGoes) {
  const auto black = static_cast<TColor>(ColorToRGB(clWindowFrame));
  for (const char* how : {"hidden", "disabled", "freed"}) {
    SCOPED_TRACE(how);
    TForm* form = NewForm();
    auto* panel = Place(form, new TPanel(form), Bounds(0, 0, 280, 150));
    auto* other = Place(panel, new TButton(form), 10, 50);
    auto* ok = Place(panel, new TButton(form), 100, 50);
    ok->SetDefault(true);
    int clicks = 0;
    ok->SetOnClick([&](TObject*) { ++clicks; });
    form->Show();
    other->SetFocus();
    ASSERT_NE(PixelAt(form, ok, {0, 0}), black);
    const String way = how;
    if (way == "hidden") other->SetVisible(false);
    if (way == "disabled") other->SetEnabled(false);
    if (way == "freed") other->Free();
    EXPECT_EQ(PixelAt(form, ok, {0, 0}), black);
    if (way == "hidden" || way == "disabled") {
      other->SetVisible(true);
      other->SetEnabled(true);
      EXPECT_NE(PixelAt(form, other, {0, 0}), black) << "the frame left it for good";
    }
    User.PressKey(VK_RETURN);
    EXPECT_EQ(clicks, 1);
  }
}

} // namespace
