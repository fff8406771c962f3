#include "framework/win32/gdi/TextLayout.h"
#include "tests/gdi/TextTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr std::uint32_t Red = 0x0000FF;
constexpr std::uint32_t Black = 0xFF000000u;

std::vector<String> LineTexts(const TTextLayout& layout) {
  std::vector<String> texts;
  for (const TLaidLine& line : layout.Lines) texts.push_back(line.Text);
  return texts;
}

class TextLayoutTest : public ::testing::Test {
protected:
  void SetUp() override { UsePackagedFonts(); }

  const TGdiFont& Font() {
    static const TGdiFont font(MakeLogFont("Arial", -13));
    return font;
  }
  int Width(std::string_view text) { return Font().TextWidth(text); }
  int LineHeight() { return Font().Metrics().tmHeight; }

  TRaster Draw(std::string_view text, TRect rect, std::uint32_t format,
               TTextState state = InkOnly(), int* height = nullptr) {
    TRaster raster(300, 200, White);
    const int drawn = Gdi::DrawText(TTextTarget::Whole(raster), Font(), state, text, rect, format);
    if (height != nullptr) *height = drawn;
    return raster;
  }
};

TEST_F(TextLayoutTest, WordBreakFillsEachLineWithTheWordsThatFit) {
  const String sentence = "The quick brown fox jumps over the lazy dog";
  const int width = Width("The quick brown fox") - 1;
  ASSERT_LE(Width("fox jumps over the"), width);
  ASSERT_GT(Width("fox jumps over the lazy"), width);
  const TTextLayout layout =
      LayoutDrawText(Font(), sentence, Rect(10, 20, 10 + width, 200), DT_WORDBREAK);
  EXPECT_EQ(LineTexts(layout),
            (std::vector<String>{"The quick brown", "fox jumps over the", "lazy dog"}));
  EXPECT_EQ(layout.Lines[0].Width, Width("The quick brown")); // the blank at the break is dropped
  EXPECT_EQ(layout.Lines[1].Y, 20 + LineHeight());
  EXPECT_EQ(layout.Height, 3 * LineHeight());
  // Several blanks at a break go together; blanks opening a paragraph stay.
  const TTextLayout spaced =
      LayoutDrawText(Font(), "  lead   words", Rect(0, 0, Width("  lead "), 100), DT_WORDBREAK);
  EXPECT_EQ(LineTexts(spaced), (std::vector<String>{"  lead", "words"}));
}

TEST_F(TextLayoutTest, AWordWiderThanTheLineStaysWholeUnlessEditControl) {
  const String text = "a Donaudampfschifffahrtsgesellschaft b";
  const int width = Width("Donaudampf");
  const TTextLayout whole = LayoutDrawText(Font(), text, Rect(0, 0, width, 100), DT_WORDBREAK);
  EXPECT_EQ(LineTexts(whole),
            (std::vector<String>{"a", "Donaudampfschifffahrtsgesellschaft", "b"}));
  const TTextLayout broken =
      LayoutDrawText(Font(), text, Rect(0, 0, width, 100), DT_WORDBREAK | DT_EDITCONTROL);
  ASSERT_GT(broken.Lines.size(), 3u);
  String joined;
  for (const TLaidLine& line : broken.Lines) {
    EXPECT_LE(line.Width, width) << line.Text;
    EXPECT_FALSE(line.Text.empty());
    joined += line.Text;
  }
  EXPECT_EQ(joined, "aDonaudampfschifffahrtsgesellschaftb");
}

TEST_F(TextLayoutTest, LinesEndAtCrLfAndCrLfUnlessSingleLine) {
  const TTextLayout lines =
      LayoutDrawText(Font(), "one\rtwo\nthree\r\nfour\n", Rect(0, 0, 200, 100), 0);
  EXPECT_EQ(LineTexts(lines), (std::vector<String>{"one", "two", "three", "four", ""}));
  EXPECT_EQ(lines.Height, 5 * LineHeight());
  const TTextLayout single =
      LayoutDrawText(Font(), "one\r\ntwo", Rect(0, 0, 200, 100), DT_SINGLELINE | DT_WORDBREAK);
  ASSERT_EQ(single.Lines.size(), 1u);
  EXPECT_EQ(single.Lines[0].Width, Width("one") + Width("\r\n") + Width("two"));
}

TEST_F(TextLayoutTest, CalcRectMeasuresWhatDrawingCovers) {
  TTextState opaque;
  opaque.BkColor = Red;
  for (const String& text : {String("Single line"), String("Two\nlines of text"),
                             String("word wrapped text in a narrow box")}) {
    SCOPED_TRACE(text);
    TRect measured = Rect(10, 10, 90, 190);
    const int height =
        Gdi::DrawText(TTextTarget{}, Font(), opaque, text, measured, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(measured.Left, 10);
    EXPECT_EQ(measured.Top, 10);
    EXPECT_EQ(height, measured.Height());
    EXPECT_EQ(height % LineHeight(), 0);
    const TRaster drawn = Draw(text, Rect(10, 10, 90, 190), DT_WORDBREAK, opaque);
    EXPECT_EQ(*InkBox(drawn), measured);
  }
  // The menu's measure: single line, the rectangle takes the text's width.
  TRect menu = Rect(0, 0, 0, 0);
  Gdi::DrawText(TTextTarget{}, Font(), opaque, "&Datei", menu,
                DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
  EXPECT_EQ(menu, Rect(0, 0, Width("Datei"), LineHeight()));
}

TEST_F(TextLayoutTest, EmptyTextDrawsNothingAndLeavesTheRectangle) {
  TRect rect = Rect(5, 5, 50, 50);
  TTextState state;
  EXPECT_EQ(Gdi::DrawText(TTextTarget{}, Font(), state, "", rect, DT_CALCRECT), 0);
  EXPECT_EQ(rect, Rect(5, 5, 50, 50));
  TRect blank = rect;
  EXPECT_EQ(Gdi::DrawText(TTextTarget{}, Font(), state, " ", blank, DT_CALCRECT), LineHeight());
  EXPECT_EQ(blank, Rect(5, 5, 5 + Width(" "), 5 + LineHeight()));
}

TEST_F(TextLayoutTest, HorizontalAndVerticalPlacement) {
  const TRect box = Rect(10, 10, 210, 110);
  const int w = Width("Placed");
  auto first = [&](std::uint32_t format) { return LayoutDrawText(Font(), "Placed", box, format); };
  EXPECT_EQ(first(DT_LEFT).Lines[0].X, 10);
  EXPECT_EQ(first(DT_CENTER).Lines[0].X, 10 + (200 - w) / 2);
  EXPECT_EQ(first(DT_RIGHT).Lines[0].X, 210 - w);
  const TTextLayout centred = first(DT_SINGLELINE | DT_VCENTER);
  EXPECT_EQ(centred.Lines[0].Y, 10 + (100 - LineHeight()) / 2);
  EXPECT_EQ(centred.Height, (100 - LineHeight()) / 2 + LineHeight());
  const TTextLayout bottom = first(DT_SINGLELINE | DT_BOTTOM);
  EXPECT_EQ(bottom.Lines[0].Y, 110 - LineHeight());
  EXPECT_EQ(bottom.Height, 100);
  // Without DT_SINGLELINE the vertical flags do nothing.
  EXPECT_EQ(first(DT_VCENTER).Lines[0].Y, 10);
  EXPECT_EQ(first(DT_BOTTOM).Height, LineHeight());
  // Right-to-left reading keeps Latin text as it is; the caller adds DT_RIGHT.
  EXPECT_EQ(first(DT_RTLREADING).Lines[0].X, 10);
  EXPECT_EQ(first(DT_RTLREADING | DT_RIGHT).Lines[0].X, 210 - w);
  EXPECT_EQ(first(DT_RTLREADING).Lines[0].Text, "Placed");

  int height = 0;
  const TRaster raster =
      Draw("Placed", box, DT_SINGLELINE | DT_VCENTER | DT_CENTER, InkOnly(), &height);
  const TRect ink = *InkBox(raster);
  EXPECT_GE(ink.Left, 10 + (200 - w) / 2);
  EXPECT_LE(ink.Right, 10 + (200 - w) / 2 + w);
  EXPECT_GE(ink.Top, centred.Lines[0].Y);
  EXPECT_LE(ink.Bottom, centred.Lines[0].Y + LineHeight());
  EXPECT_EQ(height, centred.Height);
}

TEST_F(TextLayoutTest, ExternalLeadingAddsToTheLineHeight) {
  const TGdiFont serif(MakeLogFont("Times New Roman", -40));
  ASSERT_GT(serif.Metrics().tmExternalLeading, 0);
  const TTextLayout plain = LayoutDrawText(serif, "a\nb", Rect(0, 0, 100, 100), 0);
  const TTextLayout led = LayoutDrawText(serif, "a\nb", Rect(0, 0, 100, 100), DT_EXTERNALLEADING);
  EXPECT_EQ(plain.LineHeight, serif.Metrics().tmHeight);
  EXPECT_EQ(led.LineHeight, serif.Metrics().tmHeight + serif.Metrics().tmExternalLeading);
  EXPECT_EQ(led.Lines[1].Y, led.LineHeight);
}

TEST_F(TextLayoutTest, EndEllipsisFitsTheLine) {
  const String caption = "A rather long caption for a small box";
  const TRect box = Rect(0, 0, 80, 20);
  const TTextLayout layout = LayoutDrawText(Font(), caption, box, DT_SINGLELINE | DT_END_ELLIPSIS);
  const String shown = layout.Lines[0].Text;
  ASSERT_GE(shown.size(), 4u);
  EXPECT_TRUE(shown.ends_with("...")) << shown;
  EXPECT_TRUE(caption.starts_with(shown.substr(0, shown.size() - 3))) << shown;
  EXPECT_LE(layout.Lines[0].Width, 80);
  EXPECT_GT(Width(shown.substr(0, shown.size() - 3) + caption[shown.size() - 3] + "..."), 80);
  EXPECT_EQ(layout.Lines[0].Width, Width(shown));
  // A text that fits is left alone.
  EXPECT_EQ(LayoutDrawText(Font(), "Fits", box, DT_END_ELLIPSIS).Lines[0].Text, "Fits");
  // DT_MODIFYSTRING hands back the text as shown.
  String modified;
  TRect rect = box;
  TTextState state;
  Gdi::DrawText(TTextTarget{}, Font(), state, caption, rect, DT_END_ELLIPSIS | DT_MODIFYSTRING,
                &modified);
  EXPECT_EQ(modified, shown);
}

TEST_F(TextLayoutTest, WrappedTextGetsTheEndEllipsisOnlyOnItsLastLine) {
  const String text = "a Donaudampfschifffahrt b Kapitaensmuetzenabzeichen";
  const TRect box = Rect(0, 0, Width("Donaudampf"), 100);
  const std::vector<String> end =
      LineTexts(LayoutDrawText(Font(), text, box, DT_WORDBREAK | DT_END_ELLIPSIS));
  ASSERT_EQ(end.size(), 4u);
  EXPECT_EQ(end[1], "Donaudampfschifffahrt"); // cut by the clipping, not shortened
  EXPECT_TRUE(end[3].ends_with("...")) << end[3];
  const std::vector<String> word =
      LineTexts(LayoutDrawText(Font(), text, box, DT_WORDBREAK | DT_WORD_ELLIPSIS));
  ASSERT_EQ(word.size(), 4u);
  EXPECT_TRUE(word[1].ends_with("...")) << word[1];
  EXPECT_TRUE(word[3].ends_with("...")) << word[3];
  EXPECT_EQ(word[2], "b");
}

TEST_F(TextLayoutTest, PathEllipsisKeepsTheLastComponent) {
  const String path = "C:\\Programme\\LumTools\\Beispiele\\Datei.txt";
  const int width = Width("C:\\Prog...\\Datei.txt");
  const TTextLayout layout =
      LayoutDrawText(Font(), path, Rect(0, 0, width, 20), DT_SINGLELINE | DT_PATH_ELLIPSIS);
  const String shown = layout.Lines[0].Text;
  EXPECT_TRUE(shown.starts_with("C:\\Prog")) << shown;
  EXPECT_TRUE(shown.ends_with("...\\Datei.txt")) << shown;
  EXPECT_LE(layout.Lines[0].Width, width);
  String modified;
  TRect rect = Rect(0, 0, width, 20);
  TTextState state;
  Gdi::DrawText(TTextTarget{}, Font(), state, path, rect, DT_PATH_ELLIPSIS | DT_MODIFYSTRING,
                &modified);
  EXPECT_EQ(modified, shown);
}

TEST_F(TextLayoutTest, AmpersandMarksTheAcceleratorCharacter) {
  const TRect box = Rect(0, 0, 200, 30);
  EXPECT_EQ(LayoutDrawText(Font(), "&File", box, 0).Lines[0].Text, "File");
  EXPECT_EQ(LayoutDrawText(Font(), "&File", box, 0).Lines[0].Underlined, 0);
  EXPECT_EQ(LayoutDrawText(Font(), "Save &As", box, 0).Lines[0].Underlined, 5);
  EXPECT_EQ(LayoutDrawText(Font(), "Fish && Chips", box, 0).Lines[0].Text, "Fish & Chips");
  EXPECT_EQ(LayoutDrawText(Font(), "Fish && Chips", box, 0).Lines[0].Underlined, -1);
  EXPECT_EQ(LayoutDrawText(Font(), "&a&b", box, 0).Lines[0].Underlined, 1);
  EXPECT_EQ(LayoutDrawText(Font(), "end&", box, 0).Lines[0].Text, "end");
  EXPECT_EQ(LayoutDrawText(Font(), "&File", box, DT_NOPREFIX).Lines[0].Text, "&File");
  EXPECT_EQ(LayoutDrawText(Font(), "&File", box, DT_NOPREFIX).Lines[0].Underlined, -1);
}

TEST_F(TextLayoutTest, TheUnderlineSitsUnderTheMarkedCharacter) {
  const TRect box = Rect(10, 10, 200, 40);
  const TRaster marked = Draw("Save &As", box, DT_SINGLELINE);
  const TRaster plain = Draw("Save As", box, DT_SINGLELINE);
  const int row = 10 + Font().Metrics().tmAscent + Font().Lines().UnderlineTop;
  const int start = 10 + Width("Save ");
  const int end = start + Width("A");
  for (int x = 0; x < 300; ++x) {
    const bool under = x >= start && x < end;
    EXPECT_EQ(marked.At(x, row), under ? Black : plain.At(x, row)) << x;
  }
  // Hidden prefixes draw the text without the line; prefix-only draws just the line.
  EXPECT_EQ(Draw("Save &As", box, DT_SINGLELINE | DT_HIDEPREFIX).Pixels, plain.Pixels);
  const TRaster line = Draw("Save &As", box, DT_SINGLELINE | DT_PREFIXONLY);
  EXPECT_EQ(*InkBox(line), Rect(start, row, end, row + Font().Lines().UnderlineThickness));
}

TEST_F(TextLayoutTest, ExpandedTabsStopEveryEightOrTheGivenAverageCharacters) {
  const int average = Font().Metrics().tmAveCharWidth;
  const TRect box = Rect(10, 0, 300, 100);
  EXPECT_EQ(LayoutDrawText(Font(), "a\tb", box, DT_EXPANDTABS).Lines[0].Width,
            8 * average + Width("b"));
  EXPECT_EQ(LayoutDrawText(Font(), "a\tb", box, DT_EXPANDTABS | DT_TABSTOP | 3 << 8).Lines[0].Width,
            3 * average + Width("b"));
  // Tab counts occupy the flag bits 8-15: 4 << 8 is not DT_CALCRECT here.
  TRect rect = box;
  TTextState state = InkOnly();
  TRaster raster(300, 100, White);
  Gdi::DrawText(TTextTarget::Whole(raster), Font(), state, "a\tb", rect,
                DT_EXPANDTABS | DT_TABSTOP | 4 << 8);
  EXPECT_EQ(rect, box);
  EXPECT_GE(InkBox(raster)->Right, 10 + 4 * average);
  // The printer's tabbed word-wrapped rectangles.
  EXPECT_EQ(LineTexts(LayoutDrawText(Font(), "x\ty z", Rect(0, 0, 10 * average + Width("y"), 50),
                                     DT_WORDBREAK | DT_EXPANDTABS | DT_TABSTOP | 10 << 8)),
            (std::vector<String>{"x\ty", "z"}));
  // Without DT_EXPANDTABS a tab takes no room.
  EXPECT_EQ(LayoutDrawText(Font(), "a\tb", box, 0).Lines[0].Width, Width("ab"));
}

TEST_F(TextLayoutTest, ClipsToTheRectangleUnlessNoClip) {
  const TRect box = Rect(20, 20, 60, 30);
  const TRect ink = *InkBox(Draw("Far too long for the box", box, DT_SINGLELINE));
  EXPECT_GE(ink.Left, 20);
  EXPECT_GE(ink.Top, 20);
  EXPECT_LE(ink.Right, 60);
  EXPECT_LE(ink.Bottom, 30);
  const TRect spilled = *InkBox(Draw("Far too long for the box", box, DT_SINGLELINE | DT_NOCLIP));
  EXPECT_GT(spilled.Right, 60);
  EXPECT_GT(spilled.Bottom, 30);
}

TEST_F(TextLayoutTest, EditControlDoesNotDrawAPartlyVisibleLastLine) {
  const TRect box = Rect(0, 0, 200, LineHeight() * 2 - 2);
  const TRaster edit = Draw("one\ntwo", box, DT_EDITCONTROL);
  EXPECT_LE(InkBox(edit)->Bottom, LineHeight());
  const TRaster normal = Draw("one\ntwo", box, 0);
  EXPECT_GT(InkBox(normal)->Bottom, LineHeight());
}

TEST_F(TextLayoutTest, ExtremeRectanglesAreLaidOutWithoutWrapping) {
  constexpr int Max = std::numeric_limits<int>::max();
  constexpr int Min = std::numeric_limits<int>::min();
  for (const std::uint32_t format :
       {DT_CENTER | DT_SINGLELINE | DT_VCENTER, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE,
        DT_WORDBREAK | DT_END_ELLIPSIS}) {
    TRect rect = Rect(Min, Min, Max, Max);
    TTextState state;
    EXPECT_NO_THROW(Draw("some text", rect, format));
    EXPECT_NO_THROW(Gdi::DrawText(TTextTarget{}, Font(), state, "x y", rect, format | DT_CALCRECT));
    EXPECT_LE(rect.Left, rect.Right);
  }
  const TTextLayout centred =
      LayoutDrawText(Font(), "mid", Rect(Min, 0, Max, 20), DT_CENTER | DT_SINGLELINE);
  EXPECT_NEAR(centred.Lines[0].X, -Width("mid") / 2, 1);
}

TEST_F(TextLayoutTest, MalformedTextIsLaidOutWithReplacementCharacters) {
  const TTextLayout layout =
      LayoutDrawText(Font(), "bad \xFF\xFE bytes &\xC3", Rect(0, 0, 40, 100), DT_WORDBREAK);
  ASSERT_FALSE(layout.Lines.empty());
  EXPECT_EQ(layout.Lines[0].Text, "bad");
  EXPECT_EQ(layout.Lines[1].Text, "\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_NO_THROW(Draw("\xF4\x90\x80\x80 &\xE2\x82", Rect(0, 0, 100, 50), DT_END_ELLIPSIS));
}

} // namespace
