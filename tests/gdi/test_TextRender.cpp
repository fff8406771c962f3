#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/TextRender.h"
#include "tests/gdi/TextTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr std::uint32_t Red = 0x0000FF;         // COLORREF
constexpr std::uint32_t RedPixel = 0xFFFF0000u; // raster
constexpr std::uint32_t BluePixel = 0xFF0000FFu;

class TextRenderTest : public ::testing::Test {
protected:
  void SetUp() override { UsePackagedFonts(); }

  TRaster Draw(const TGdiFont& font, TTextState state, int x, int y, std::string_view text,
               int width = 200, int height = 100) {
    TRaster raster(width, height, WhitePixel);
    Gdi::TextOut(TTextTarget::Whole(raster), font, state, x, y, text);
    return raster;
  }
};

TEST_F(TextRenderTest, ExtentIsTheSumOfTheDrawnAdvances) {
  const TGdiFont font(MakeLogFont("Arial", -11));
  const TTextSize extent = Gdi::GetTextExtentPoint32(font, "Hello");
  EXPECT_EQ(extent.Cy, font.Metrics().tmHeight);
  EXPECT_EQ(extent.Cx, font.TextWidth("H") + font.TextWidth("ello"));
  // Drawing in two pieces, the second at x + cx, gives the same pixels as one piece.
  TRaster pieces(200, 40, WhitePixel);
  TTextState state = InkOnly();
  Gdi::TextOut(TTextTarget::Whole(pieces), font, state, 10, 5, "Hello");
  Gdi::TextOut(TTextTarget::Whole(pieces), font, state, 10 + extent.Cx, 5, "World");
  EXPECT_EQ(pieces.Pixels, Draw(font, InkOnly(), 10, 5, "HelloWorld", 200, 40).Pixels);
  // The ink of a string ending in a straight stem ends at the advance, less its bearing.
  const TTextSize wide = Gdi::GetTextExtentPoint32(font, "HHH");
  const TRect ink = *InkBox(Draw(font, InkOnly(), 10, 5, "HHH"));
  EXPECT_LE(ink.Right, 10 + wide.Cx);
  EXPECT_GE(ink.Right, 10 + wide.Cx - 2);
  EXPECT_GE(ink.Left, 10);
  EXPECT_LE(ink.Left, 12);
}

TEST_F(TextRenderTest, ExtentsPerCharacterAndHowManyFit) {
  const TGdiFont font(MakeLogFont("Arial", -13));
  const String text = "W\xC3\xA4 i";
  const TTextFit fit = Gdi::GetTextExtentExPoint(font, text, font.TextWidth("W\xC3\xA4"));
  EXPECT_EQ(fit.Extents, (std::vector<int>{font.TextWidth("W"), font.TextWidth("W\xC3\xA4"),
                                           font.TextWidth("W\xC3\xA4 "), font.TextWidth(text)}));
  EXPECT_EQ(fit.Fit, 2);
  EXPECT_EQ(fit.Size, Gdi::GetTextExtentPoint32(font, text));
  EXPECT_EQ(Gdi::GetTextExtentExPoint(font, text, -1).Fit, 0);
  EXPECT_EQ(Gdi::GetTextExtentExPoint(font, text, 1000).Fit, 4);
}

TEST_F(TextRenderTest, AlignmentAnchorsTheRightEdgeCentreBaselineOrBottom) {
  const TGdiFont font(MakeLogFont("Arial", -13));
  const int cx = Gdi::GetTextExtentPoint32(font, "Anchor").Cx;
  const TRaster left = Draw(font, InkOnly(TA_LEFT), 150 - cx, 10, "Anchor");
  EXPECT_EQ(Draw(font, InkOnly(TA_RIGHT), 150, 10, "Anchor").Pixels, left.Pixels);
  const TRaster centreLeft = Draw(font, InkOnly(TA_LEFT), 100 - cx / 2, 10, "Anchor");
  EXPECT_EQ(Draw(font, InkOnly(TA_CENTER), 100, 10, "Anchor").Pixels, centreLeft.Pixels);
  const TEXTMETRICA& tm = font.Metrics();
  const TRaster top = Draw(font, InkOnly(TA_TOP), 10, 50 - tm.tmAscent, "Hxg");
  EXPECT_EQ(Draw(font, InkOnly(TA_BASELINE), 10, 50, "Hxg").Pixels, top.Pixels);
  const TRaster bottomTop = Draw(font, InkOnly(TA_TOP), 10, 50 - tm.tmHeight, "Hxg");
  EXPECT_EQ(Draw(font, InkOnly(TA_BOTTOM), 10, 50, "Hxg").Pixels, bottomTop.Pixels);
  // A capital stands on the baseline: its last inked row is just above it.
  EXPECT_EQ(InkBox(Draw(font, InkOnly(TA_BASELINE), 10, 50, "H"))->Bottom, 50);
  EXPECT_EQ(InkBox(Draw(font, InkOnly(TA_BASELINE | TA_RIGHT), 100, 50, "H"))->Bottom, 50);
}

TEST_F(TextRenderTest, OpaqueBackgroundFillsExactlyTheTextCell) {
  const TGdiFont font(MakeLogFont("Times New Roman", -13));
  TTextState state;
  state.BkColor = Red;
  const TRaster raster = Draw(font, state, 20, 30, "Cell box");
  const TTextSize extent = Gdi::GetTextExtentPoint32(font, "Cell box");
  EXPECT_EQ(*InkBox(raster), Bounds(20, 30, extent.Cx, extent.Cy));
  EXPECT_EQ(raster.At(20, 30), RedPixel);
  EXPECT_EQ(raster.At(19 + extent.Cx, 29 + extent.Cy), RedPixel);
  // Transparent mode leaves the background alone.
  EXPECT_EQ(CountPixels(Draw(font, InkOnly(), 20, 30, "Cell box"), RedPixel), 0);
}

TEST_F(TextRenderTest, TextColourIsBlendedOverTheBackground) {
  const TGdiFont font(MakeLogFont("Arial", -20));
  TTextState state = InkOnly();
  state.TextColor = 0xFF0000; // blue
  const TRaster raster = Draw(font, state, 5, 5, "I");
  EXPECT_GT(CountPixels(raster, BluePixel), 10);
  for (const std::uint32_t pixel : raster.Pixels) {
    // Anti-aliased edges are between white and blue: the blue channel stays full.
    EXPECT_EQ(pixel & 0xFF, 0xFFu);
    EXPECT_EQ(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF);
  }
}

TEST_F(TextRenderTest, UpdateCurrentPositionDrawsThereAndMovesIt) {
  const TGdiFont font(MakeLogFont("Arial", -11));
  TRaster raster(200, 40, WhitePixel);
  TTextState state = InkOnly(TA_UPDATECP);
  state.CurrentPosition = Point(10, 5);
  Gdi::TextOut(TTextTarget::Whole(raster), font, state, 999, 999, "Hello");
  EXPECT_EQ(state.CurrentPosition, Point(10 + font.TextWidth("Hello"), 5));
  Gdi::TextOut(TTextTarget::Whole(raster), font, state, -50, -50, "World");
  EXPECT_EQ(state.CurrentPosition, Point(10 + font.TextWidth("HelloWorld"), 5));
  EXPECT_EQ(raster.Pixels, Draw(font, InkOnly(), 10, 5, "HelloWorld", 200, 40).Pixels);

  state.Align = TA_UPDATECP | TA_RIGHT;
  Gdi::TextOut(TTextTarget::Whole(raster), font, state, 0, 0, "back");
  EXPECT_EQ(state.CurrentPosition,
            Point(10 + font.TextWidth("HelloWorld") - font.TextWidth("back"), 5));
  state.Align = TA_UPDATECP | TA_CENTER;
  const TPoint before = state.CurrentPosition;
  Gdi::TextOut(TTextTarget::Whole(raster), font, state, 0, 0, "centre");
  EXPECT_EQ(state.CurrentPosition, before);
}

LOGFONTA Turned(int escapement, int height = -13) {
  LOGFONTA logFont = MakeLogFont("Arial", height);
  logFont.lfEscapement = escapement;
  return logFont;
}

TEST_F(TextRenderTest, QuarterTurnsRunUpLeftAndDown) {
  const TGdiFont upright(Turned(0));
  const int cx = upright.TextWidth("Rotated");
  const int cell = upright.Metrics().tmHeight;
  const TGdiFont up(Turned(900));
  EXPECT_EQ(up.TextWidth("Rotated"), cx);
  const TRect rising = *InkBox(Draw(up, InkOnly(), 100, 150, "Rotated", 200, 200));
  EXPECT_LE(rising.Bottom, 150);
  EXPECT_GE(rising.Top, 150 - cx);
  EXPECT_LE(rising.Top, 150 - cx + 3);
  EXPECT_GE(rising.Left, 100);
  EXPECT_LE(rising.Right, 100 + cell);
  const TRect falling =
      *InkBox(Draw(TGdiFont(Turned(2700)), InkOnly(), 100, 20, "Rotated", 200, 200));
  EXPECT_GE(falling.Top, 20);
  EXPECT_LE(falling.Bottom, 20 + cx);
  EXPECT_LE(falling.Right, 100);
  const TRect backwards =
      *InkBox(Draw(TGdiFont(Turned(1800)), InkOnly(), 150, 50, "Rotated", 200, 200));
  EXPECT_LE(backwards.Right, 150);
  EXPECT_GE(backwards.Left, 150 - cx);
  EXPECT_LE(backwards.Bottom, 50);
  // Escapement counts modulo a full turn.
  EXPECT_EQ(Draw(TGdiFont(Turned(900 + 3600)), InkOnly(), 100, 150, "Rotated", 200, 200).Pixels,
            Draw(up, InkOnly(), 100, 150, "Rotated", 200, 200).Pixels);
}

TEST_F(TextRenderTest, AlignmentTurnsWithTheText) {
  // The chart's axis labels: turned 90°, right/bottom aligned, hang below the point.
  const TGdiFont up(Turned(900));
  const int cx = up.TextWidth("12.5");
  TTextState state;
  state.Align = TA_RIGHT | TA_BOTTOM;
  state.BkColor = Red;
  const TRaster raster = Draw(up, state, 100, 40, "12.5", 200, 200);
  EXPECT_EQ(*InkBox(raster), Rect(100 - up.Metrics().tmHeight, 40, 100, 40 + cx));
}

TEST_F(TextRenderTest, OpaqueBoxOfTurnedTextIsTheTurnedCell) {
  const TGdiFont up(Turned(900));
  TTextState state;
  state.BkColor = Red;
  const TRaster raster = Draw(up, state, 50, 150, "Box", 200, 200);
  const int cx = up.TextWidth("Box");
  EXPECT_EQ(*InkBox(raster), Rect(50, 150 - cx, 50 + up.Metrics().tmHeight, 150));
  const TGdiFont slanted(Turned(450, -20));
  const TRaster diagonal = Draw(slanted, state, 40, 150, "Box", 200, 200);
  const TRect box = *InkBox(diagonal);
  const double w = slanted.TextWidth("Box");
  const double h = slanted.Metrics().tmHeight;
  EXPECT_NEAR(box.Width(), (w + h) / std::sqrt(2.0), 2.0);
  EXPECT_NEAR(box.Height(), (w + h) / std::sqrt(2.0), 2.0);
  EXPECT_EQ(box.Left, 40);
}

TEST_F(TextRenderTest, DrawsOnlyInsideTheTargetsRectangles) {
  const TGdiFont font(MakeLogFont("Arial", -20));
  TTextState state;
  state.BkColor = Red;
  TRaster full(200, 60, WhitePixel);
  Gdi::TextOut(TTextTarget::Whole(full), font, state, 5, 5, "Clipped text");
  TRaster clipped(200, 60, WhitePixel);
  const std::vector<TRect> parts{Rect(0, 0, 40, 60), Rect(60, 10, 90, 20)};
  Gdi::TextOut(TTextTarget{&clipped, parts}, font, state, 5, 5, "Clipped text");
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x) {
      const bool inside = parts[0].Contains(Point(x, y)) || parts[1].Contains(Point(x, y));
      ASSERT_EQ(clipped.At(x, y), inside ? full.At(x, y) : WhitePixel) << x << "," << y;
    }
  // Text partly or wholly off the surface is cut at its edges.
  TRaster small(20, 10, WhitePixel);
  TTextState ink = InkOnly();
  EXPECT_NO_THROW(Gdi::TextOut(TTextTarget::Whole(small), font, ink, -15, -12, "Edge"));
  EXPECT_NO_THROW(Gdi::TextOut(TTextTarget::Whole(small), font, ink, 10000, 5, "Far"));
  EXPECT_NO_THROW(
      Gdi::TextOut(TTextTarget::Whole(small), TGdiFont(Turned(450)), ink, 18, 2, "Edge"));
  EXPECT_FALSE(Gdi::TextOut(TTextTarget{}, font, ink, 0, 0, "x"));
}

TEST_F(TextRenderTest, ExtremeCoordinatesAndStopsNeitherWrapNorFault) {
  const TGdiFont font(MakeLogFont("Arial", -13));
  TRaster raster(50, 20, WhitePixel);
  const TTextTarget target = TTextTarget::Whole(raster);
  TTextState state;
  constexpr int Max = std::numeric_limits<int>::max();
  constexpr int Min = std::numeric_limits<int>::min();
  EXPECT_TRUE(Gdi::TextOut(target, font, state, Max, Max, "far"));
  EXPECT_TRUE(Gdi::TextOut(target, font, state, Min, Min, "far"));
  const std::array<int, 3> stops{Min, Max, -1};
  EXPECT_NO_THROW(Gdi::TabbedTextOut(target, font, state, Max, 0, "a\tb\tc\td", stops, Min));
  EXPECT_EQ(CountPixels(raster, WhitePixel), 50 * 20);
  // Moving the current position past the integer range is an overflow, not a wrap.
  state.Align = TA_UPDATECP;
  state.CurrentPosition = Point(Max - 5, 0);
  EXPECT_THROW(Gdi::TextOut(target, font, state, 0, 0, "wide text"), EIntOverflow);
  const std::array<int, 2> huge{Max, Max};
  TTextState plain;
  EXPECT_THROW(Gdi::ExtTextOut(target, font, plain, 0, 0, 0, nullptr, "ab", huge), EIntOverflow);
}

TEST_F(TextRenderTest, ExtTextOutFillsAndClipsToItsRectangle) {
  const TGdiFont font(MakeLogFont("Arial", -20));
  TRaster raster(200, 60, WhitePixel);
  TTextState state = InkOnly();
  state.BkColor = Red;
  const TRect box = Rect(10, 10, 40, 40);
  Gdi::ExtTextOut(TTextTarget::Whole(raster), font, state, 12, 12, ETO_OPAQUE | ETO_CLIPPED, &box,
                  "Wide text");
  EXPECT_EQ(*InkBox(raster), box);
  EXPECT_EQ(raster.At(10, 10), RedPixel);
  EXPECT_EQ(raster.At(39, 39), RedPixel);
  // Without ETO_CLIPPED the text runs past the rectangle.
  TRaster spilled(200, 60, WhitePixel);
  Gdi::ExtTextOut(TTextTarget::Whole(spilled), font, state, 12, 12, ETO_OPAQUE, &box, "Wide text");
  EXPECT_GT(InkBox(spilled)->Right, 40);
}

TEST_F(TextRenderTest, ExtTextOutPlacesCharactersAtTheGivenAdvances) {
  const TGdiFont font(MakeLogFont("Arial", -13));
  TRaster spaced(200, 40, WhitePixel);
  TTextState state = InkOnly();
  const std::array<int, 3> dx{30, 25, 10};
  Gdi::ExtTextOut(TTextTarget::Whole(spaced), font, state, 10, 5, 0, nullptr, "ABC", dx);
  TRaster separate(200, 40, WhitePixel);
  Gdi::TextOut(TTextTarget::Whole(separate), font, state, 10, 5, "A");
  Gdi::TextOut(TTextTarget::Whole(separate), font, state, 40, 5, "B");
  Gdi::TextOut(TTextTarget::Whole(separate), font, state, 65, 5, "C");
  EXPECT_EQ(spaced.Pixels, separate.Pixels);
  const std::array<int, 2> tooFew{10, 10};
  EXPECT_THROW(
      Gdi::ExtTextOut(TTextTarget::Whole(spaced), font, state, 0, 0, 0, nullptr, "ABC", tooFew),
      ERangeError);
}

TEST_F(TextRenderTest, UnderlineAndStrikeOutSpanTheText) {
  LOGFONTA record = MakeLogFont("Arial", -20);
  record.lfUnderline = 1;
  const TGdiFont underlined(record);
  const TRaster raster = Draw(underlined, InkOnly(TA_BASELINE), 10, 30, "a b");
  const int width = underlined.TextWidth("a b");
  const int row = 30 + underlined.Lines().UnderlineTop;
  for (int x = 10; x < 10 + width; ++x) EXPECT_EQ(raster.At(x, row), 0xFF000000u) << x;
  EXPECT_EQ(raster.At(9, row), WhitePixel);
  EXPECT_EQ(raster.At(10 + width, row), WhitePixel);
  record.lfUnderline = 0;
  record.lfStrikeOut = 1;
  const TGdiFont struck(record);
  const TRaster crossed = Draw(struck, InkOnly(TA_BASELINE), 10, 30, "a b");
  const int strike = 30 + struck.Lines().StrikeOutTop;
  EXPECT_LT(strike, 30);
  for (int x = 10; x < 10 + width; ++x) EXPECT_EQ(crossed.At(x, strike), 0xFF000000u) << x;
}

TEST_F(TextRenderTest, InvalidUtf8DrawsTheReplacementGlyph) {
  const TGdiFont font(MakeLogFont("Arial", -13));
  const TRaster replaced = Draw(font, InkOnly(), 5, 5,
                                "a\xEF\xBF\xBD"
                                "b");
  EXPECT_EQ(Draw(font, InkOnly(), 5, 5,
                 "a\xFF"
                 "b")
                .Pixels,
            replaced.Pixels);
  EXPECT_EQ(Draw(font, InkOnly(), 5, 5,
                 "a\xC3"
                 "b")
                .Pixels,
            replaced.Pixels);
  EXPECT_EQ(font.TextWidth("\xE2\x82"), font.TextWidth("\xEF\xBF\xBD"));
  EXPECT_GT(font.TextWidth("\xFF"), 0);
  // Umlauts are decoded, not drawn byte by byte.
  EXPECT_EQ(font.TextWidth("\xC3\xBC"), font.TextWidth("u"));
}

TEST_F(TextRenderTest, TabbedTextStartsExactlyAtTheTabStops) {
  const TGdiFont font(MakeLogFont("Arial", -13));
  const std::array<int, 2> stops{40, 90};
  TRaster tabbed(200, 40, WhitePixel);
  TTextState state = InkOnly();
  const std::int32_t extent =
      Gdi::TabbedTextOut(TTextTarget::Whole(tabbed), font, state, 10, 5, "a\tb\tcd", stops, 10);
  TRaster separate(200, 40, WhitePixel);
  Gdi::TextOut(TTextTarget::Whole(separate), font, state, 10, 5, "a");
  Gdi::TextOut(TTextTarget::Whole(separate), font, state, 50, 5, "b");
  Gdi::TextOut(TTextTarget::Whole(separate), font, state, 100, 5, "cd");
  EXPECT_EQ(tabbed.Pixels, separate.Pixels);
  EXPECT_EQ(extent & 0xFFFF, 90 + font.TextWidth("cd"));
  EXPECT_EQ(extent >> 16, font.Metrics().tmHeight);
  EXPECT_EQ(Gdi::GetTabbedTextExtent(font, "a\tb\tcd", stops), static_cast<std::uint32_t>(extent));
}

TEST_F(TextRenderTest, TabStopDefaultsAndRepeats) {
  const TGdiFont font(MakeLogFont("Arial", -13));
  const int eight = 8 * font.Metrics().tmAveCharWidth;
  const int b = font.TextWidth("b");
  EXPECT_EQ(Gdi::GetTabbedTextExtent(font, "a\tb", {}) & 0xFFFF, static_cast<unsigned>(eight + b));
  EXPECT_EQ(Gdi::GetTabbedTextExtent(font, "a\t\tb", {}) & 0xFFFF,
            static_cast<unsigned>(2 * eight + b));
  const std::array<int, 1> every25{25};
  EXPECT_EQ(Gdi::GetTabbedTextExtent(font, "a\tb\tb", every25) & 0xFFFF,
            static_cast<unsigned>(50 + b));
  // Past the last stop the default grid goes on.
  const std::array<int, 2> two{10, 20};
  EXPECT_EQ(Gdi::GetTabbedTextExtent(font, "\t\t\tb", two) & 0xFFFF,
            static_cast<unsigned>(eight + b));
  // A negative stop right-aligns the text after it.
  const std::array<int, 2> right{-60, 100};
  EXPECT_EQ(Gdi::GetTabbedTextExtent(font, "x\tabc", right) & 0xFFFF, 60u);
}

TEST_F(TextRenderTest, OpaqueTabbedTextFillsTheTabGaps) {
  const TGdiFont font(MakeLogFont("Arial", -13));
  TRaster raster(200, 40, WhitePixel);
  TTextState state;
  state.BkColor = Red;
  const std::array<int, 1> stops{60};
  const std::int32_t extent =
      Gdi::TabbedTextOut(TTextTarget::Whole(raster), font, state, 10, 5, "a\tb", stops, 10);
  EXPECT_EQ(*InkBox(raster), Bounds(10, 5, extent & 0xFFFF, font.Metrics().tmHeight));
}

// Each channel of under and over mixed by coverage / 255, rounded to the nearest.
std::uint32_t ReferenceBlend(std::uint32_t under, std::uint32_t over, std::uint32_t coverage) {
  std::uint32_t mixed = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t sum =
        (under >> shift & 0xFF) * (255 - coverage) + (over >> shift & 0xFF) * coverage;
    mixed |= (2 * sum + 255) / 510 << shift;
  }
  return mixed;
}

// Every pixel a different colour, so a blend with the wrong pixel or channel shows.
TRaster PatternedRaster(int width, int height) {
  TRaster raster(width, height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      raster.At(x, y) = 0xFF000000u | ((x * 37 + y * 11) & 0xFF) << 16 |
                        ((x * 5 + y * 29) & 0xFF) << 8 | ((x * y * 3 + 7) & 0xFF);
  return raster;
}

TEST_F(TextRenderTest, GlyphsAreBlendedPixelByPixelAsTheirCoverageSays) {
  const std::string_view text = "Wil|m@gQ";
  for (const int height : {-9, -13, -31}) {
    for (const int clipLeft : {0, 7, 12}) {
      SCOPED_TRACE(testing::Message() << "height " << height << ", clip from " << clipLeft);
      const TGdiFont font(MakeLogFont("Arial", height));
      TRaster drawn = PatternedRaster(300, 60);
      TRaster expected = drawn;
      const TRect clip = Rect(clipLeft, 0, 250, 60);
      TTextState state = InkOnly();
      state.TextColor = 0x3080F0;
      Gdi::TextOut(TTextTarget{&drawn, {clip}}, font, state, 3, 4, text);
      const std::uint32_t ink = TextRender::PixelOf(state.TextColor);
      int pen = 3;
      const int baseline = 4 + font.Metrics().tmAscent;
      for (const char c : text) {
        const TGlyph& glyph = font.Glyphs().Glyph(static_cast<char32_t>(c));
        for (int gy = 0; gy < glyph.Height; ++gy)
          for (int gx = 0; gx < glyph.Width; ++gx) {
            const int x = pen + glyph.Left + gx;
            const int y = baseline - glyph.Top + gy;
            const std::uint8_t coverage = glyph.Coverage[gy * glyph.Width + gx];
            if (x >= clip.Left && coverage != 0)
              expected.At(x, y) = ReferenceBlend(expected.At(x, y), ink, coverage);
          }
        pen += glyph.Advance;
      }
      EXPECT_EQ(drawn.Pixels, expected.Pixels);
    }
  }
}

} // namespace
