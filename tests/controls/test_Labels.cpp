#include "tests/controls/ControlTestSupport.h"

#include "framework/controls/Labels.h"
#include "framework/controls/Panels.h"

using namespace controltest;

namespace {

// The extent of one line of text in a font, measured on the screen DC.
SIZE LabelTextExtent(TFont* Font, const String& Text) {
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, Font->Handle());
  SIZE size{};
  GetTextExtentPoint32A(dc, Text.c_str(), static_cast<int>(Text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  size.cy = FontHeight(Font);
  return size;
}

// Whether a pixel is (mostly) text in black: antialiased edges are lighter.
bool IsDark(TColor C) {
  return (C & 0xFF) < 96 && ((C >> 8) & 0xFF) < 96 && ((C >> 16) & 0xFF) < 96;
}

// Where the pixels that Wanted accepts lie in a control's area of the form's snapshot: how
// many, the first and last row, their mean position in tenths of a pixel.
struct TPixelSpread {
  int Count = 0;
  int First = -1;
  int Last = -1;
  TPoint Mean;
};

TPixelSpread Spread(TScriptedUser& User, TCustomForm* Form, TControl* Control,
                    const std::function<bool(TColor)>& Wanted) {
  const TControlPixels at(User, Form, Control);
  TPixelSpread s;
  long sumX = 0, sumY = 0;
  for (int y = 0; y < Control->Height(); ++y)
    for (int x = 0; x < Control->Width(); ++x) {
      if (!Wanted(at(x, y))) continue;
      if (s.First < 0) s.First = y;
      s.Last = y;
      sumX += x, sumY += y, ++s.Count;
    }
  if (s.Count)
    s.Mean = TPoint{static_cast<int>(sumX * 10 / s.Count), static_cast<int>(sumY * 10 / s.Count)};
  return s;
}

// A label that records the flags its text drawing is asked for.
class TRecordingLabel : public TLabel {
  LUM_CLASS(TRecordingLabel, TLabel)
public:
  using TLabel::TLabel;
  std::vector<int> Flags;

protected:
  void DoDrawText(TRect& Rect, int AFlags) override {
    Flags.push_back(AFlags);
    TLabel::DoDrawText(Rect, AFlags);
  }
};

TEST_F(ControlTest, LabelAutoSizeFitsTheTextAndKeepsTheRightEdgeWhenRightAligned) {
  TForm* form = NewForm();
  auto* label = Place(form, new TRecordingLabel(form), 20, 20);
  label->SetCaption("Hallo Welt");
  const SIZE text = LabelTextExtent(label->Font(), "Hallo Welt");
  EXPECT_EQ(label->Width(), text.cx);
  EXPECT_EQ(label->Height(), text.cy);
  ASSERT_FALSE(label->Flags.empty());
  EXPECT_TRUE(label->Flags.back() & static_cast<int>(DT_CALCRECT));

  label->SetCaption(""); // an empty caption keeps one line's height
  EXPECT_EQ(label->Height(), text.cy);
  EXPECT_EQ(label->Width(), LabelTextExtent(label->Font(), " ").cx);

  label->SetAutoSize(false);
  label->SetBounds(20, 20, 100, 17);
  label->SetAlignment(taRightJustify);
  label->SetCaption("ab");
  EXPECT_EQ(label->Width(), 100);
  label->SetAutoSize(true);
  EXPECT_EQ(label->Width(), LabelTextExtent(label->Font(), "ab").cx);
  EXPECT_EQ(label->Left() + label->Width(), 120);

  // "&&" is one ampersand, a single '&' marks the accelerator and takes no room.
  label->SetCaption("&Name");
  EXPECT_EQ(label->Width(), LabelTextExtent(label->Font(), "Name").cx);
  label->SetShowAccelChar(false);
  EXPECT_EQ(label->Width(), LabelTextExtent(label->Font(), "&Name").cx);
}

TEST_F(ControlTest, WordWrappedLabelGrowsDownwardsWithinItsWidth) {
  TForm* form = NewForm();
  auto* label = Place(form, new TLabel(form), 10, 10);
  const String caption = "eins zwei drei vier fuenf sechs";
  label->SetCaption(caption);
  const SIZE line = LabelTextExtent(label->Font(), caption);
  EXPECT_EQ(label->Height(), line.cy);
  label->SetAutoSize(false);
  label->SetWidth(60);
  label->SetWordWrap(true);
  label->SetAutoSize(true);
  EXPECT_LE(label->Width(), 60);
  EXPECT_GE(label->Height(), 3 * line.cy);
  EXPECT_EQ(label->Height() % line.cy, 0);
}

TEST_F(ControlTest, LabelAcceleratorFocusesItsFocusControl) {
  TForm* form = NewForm();
  auto* label = Place(form, new TLabel(form), 10, 10);
  label->SetCaption("&Name:");
  auto* edit = Place(form, new TSwatch(form), 80, 10);
  auto* other = Place(form, new TSwatch(form), 150, 10);
  label->SetFocusControl(edit);
  form->Show();
  other->SetFocus();

  User.PressKey('N', {ssAlt});
  EXPECT_TRUE(edit->Focused());
  other->SetFocus();
  User.Type("n"); // the letter alone, as the focused control does not want characters
  EXPECT_TRUE(edit->Focused());

  other->SetFocus();
  User.Type("x");
  EXPECT_TRUE(other->Focused());
  label->SetShowAccelChar(false);
  User.Type("n");
  EXPECT_TRUE(other->Focused());
  label->SetShowAccelChar(true);
  label->SetEnabled(false);
  User.PressKey('N', {ssAlt});
  EXPECT_TRUE(other->Focused());
  label->SetEnabled(true);

  // A freed focus control is forgotten.
  edit->Free();
  EXPECT_EQ(label->FocusControl(), nullptr);
  User.PressKey('N', {ssAlt});
  EXPECT_TRUE(other->Focused());
}

TEST_F(ControlTest, TransparentLabelShowsItsColouredParentAndOpaqueOneItsOwnColour) {
  TForm* form = NewForm();
  auto* panel = Place(form, new TPanel(form), Bounds(10, 10, 200, 80));
  panel->SetBevelOuter(bvNone);
  panel->SetColor(clRed);
  auto* label = Place(panel, new TLabel(form), 10, 10);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 120, 30);
  label->SetCaption("Text");
  form->Show();
  EXPECT_EQ(PixelAt(form, label, {110, 25}), ColorToRGB(clRed)); // parent colour by default

  label->SetColor(clYellow);
  EXPECT_EQ(PixelAt(form, label, {110, 25}), ColorToRGB(clYellow));
  label->SetTransparent(true);
  EXPECT_EQ(PixelAt(form, label, {110, 25}), ColorToRGB(clRed));
  const auto yellow = static_cast<TColor>(ColorToRGB(clYellow));
  EXPECT_EQ(Spread(User, form, label, [=](TColor c) { return c == yellow; }).Count, 0);
  EXPECT_GT(Spread(User, form, label, IsDark).Count, 10); // the text itself
}

TEST_F(ControlTest, LabelLayoutPlacesTheTextVerticallyAndDisabledTextIsEmbossed) {
  TForm* form = NewForm();
  auto* label = Place(form, new TLabel(form), 10, 10);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 100, 60);
  label->SetCaption("Wg");
  form->Show();
  const int line = LabelTextExtent(label->Font(), "Wg").cy;
  const auto top = Spread(User, form, label, IsDark);
  EXPECT_GE(top.First, 0);
  EXPECT_LT(top.Last, line);
  label->SetLayout(tlBottom);
  EXPECT_GE(Spread(User, form, label, IsDark).First, 60 - line);
  label->SetLayout(tlCenter);
  const auto centre = Spread(User, form, label, IsDark);
  EXPECT_EQ(centre.First - top.First, (60 - line) / 2);

  // Disabled: a highlight copy one pixel down and right under the text in shadow colour.
  label->SetEnabled(false);
  EXPECT_EQ(Spread(User, form, label, IsDark).Count, 0);
  const auto dark = Spread(User, form, label, [](TColor c) { return (c & 0xFF) < 160; });
  const auto light = Spread(User, form, label, [](TColor c) { return (c & 0xFF) > 224; });
  EXPECT_EQ(dark.First, centre.First);
  EXPECT_GT(light.Mean.X, dark.Mean.X);
  EXPECT_GT(light.Mean.Y, dark.Mean.Y);
}

TEST(Labels, AcceleratorIsTheCharacterAfterASingleAmpersand) {
  EXPECT_TRUE(IsAccel('N', "&Name"));
  EXPECT_TRUE(IsAccel('n', "&Name"));
  EXPECT_TRUE(IsAccel('A', "N&ame"));
  EXPECT_FALSE(IsAccel('N', "Name"));
  EXPECT_FALSE(IsAccel('A', "Salt && &Pepper"));
  EXPECT_TRUE(IsAccel('P', "Salt && &Pepper"));
  EXPECT_FALSE(IsAccel('N', "Name&"));
}

} // namespace
