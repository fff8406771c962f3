#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/FontEngine.h"
#include "tests/gdi/TextTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

class FontEngineTest : public ::testing::Test {
protected:
  void SetUp() override { UsePackagedFonts(); }
};

String FileName(const LOGFONTA& logFont) {
  return fs::path(FindFontFile(logFont).Path).filename().string();
}

TEST(FontSubstitution, MapsWindowsFacesToMetricCompatibleOnes) {
  const std::pair<std::vector<const char*>, const char*> groups[] = {
      {{"MS Sans Serif", "ms shell dlg", "ARIAL", "Helvetica", "System"}, "Liberation Sans"},
      {{"Times New Roman", "Times"}, "Liberation Serif"},
      {{"Courier New", "Courier", "Fixedsys", "Terminal"}, "Liberation Mono"},
      {{"Arial Black", ""}, ""}};
  for (const auto& [faces, substitute] : groups)
    for (const char* face : faces) EXPECT_EQ(SubstituteFaceName(face), substitute) << face;
}

TEST_F(FontEngineTest, FindsTheFaceFileForNameWeightAndSlant) {
  EXPECT_EQ(FileName(MakeLogFont("Arial", -11)), "LiberationSans-Regular.ttf");
  EXPECT_EQ(FileName(MakeLogFont("MS Sans Serif", -11, FW_BOLD)), "LiberationSans-Bold.ttf");
  LOGFONTA italic = MakeLogFont("Times New Roman", -13);
  italic.lfItalic = 1;
  EXPECT_EQ(FileName(italic), "LiberationSerif-Italic.ttf");
  italic.lfWeight = FW_BOLD;
  EXPECT_EQ(FileName(italic), "LiberationSerif-BoldItalic.ttf");
  EXPECT_EQ(FileName(MakeLogFont("Courier New", -13)), "LiberationMono-Regular.ttf");
  EXPECT_EQ(FileName(MakeLogFont("DejaVu Sans", -13)), "DejaVuSans.ttf");
}

TEST_F(FontEngineTest, UnknownNamesAndPitchRequestsFallBackSensibly) {
  const TFontFile unknown = FindFontFile(MakeLogFont("No Such Face Anywhere", -11));
  EXPECT_TRUE(unknown.Family == "Liberation Sans" || unknown.Family == "DejaVu Sans")
      << unknown.Family;
  LOGFONTA fixed = MakeLogFont("Arial", -11);
  fixed.lfPitchAndFamily = FIXED_PITCH;
  EXPECT_EQ(FileName(fixed), "LiberationMono-Regular.ttf");
  EXPECT_TRUE(FindFontFile(fixed).Mono);
  EXPECT_FALSE(FindFontFile(MakeLogFont("Arial", -11)).Mono);
  fixed.lfWeight = FW_BOLD;
  EXPECT_EQ(FileName(fixed), "LiberationMono-Bold.ttf");
  LOGFONTA dejaVu = MakeLogFont("DejaVu Sans Mono", -11);
  dejaVu.lfPitchAndFamily = FIXED_PITCH;
  EXPECT_EQ(FileName(dejaVu), "DejaVuSansMono.ttf");
  LOGFONTA roman = MakeLogFont("", -11);
  roman.lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
  EXPECT_EQ(FindFontFile(roman).Family, "Liberation Serif");
  LOGFONTA modern = MakeLogFont("", -11);
  modern.lfPitchAndFamily = FF_MODERN;
  EXPECT_EQ(FileName(modern), "LiberationMono-Regular.ttf");
}

TEST_F(FontEngineTest, SourcesMayBeDirectoriesAndMissingOnesAreReported) {
  SetFontSources({"/usr/share/fonts/truetype/liberation2"});
  EXPECT_EQ(FileName(MakeLogFont("Courier New", -13, FW_BOLD)), "LiberationMono-Bold.ttf");
  SetFontSources({"/nonexistent/Face.ttf"});
  EXPECT_THROW(FindFontFile(MakeLogFont("Some Other Face", -11)), EOutOfResources);
  SetFontSources(PackagedFontFiles());
  EXPECT_EQ(FileName(MakeLogFont("Courier New", -13)), "LiberationMono-Regular.ttf");
}

TEST_F(FontEngineTest, NegativeHeightsAreEmHeights) {
  for (const int height : {-11, -13, -16, -40}) {
    const TEXTMETRICA tm = TGdiFont(MakeLogFont("Arial", height)).Metrics();
    SCOPED_TRACE(height);
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight + height);
    EXPECT_GT(tm.tmInternalLeading, 0);
    // Liberation Sans: ascent 0.905 em, descent 0.212 em, both rounded up.
    EXPECT_NEAR(tm.tmAscent, -height * 0.905, 1.0);
    EXPECT_NEAR(tm.tmDescent, -height * 0.212, 1.0);
    EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
  }
}

TEST_F(FontEngineTest, MetricsOfThe8And10PointFacesMatchTheFacesTheyReplace) {
  const TEXTMETRICA small = TGdiFont(MakeLogFont("Arial", -11)).Metrics();
  EXPECT_EQ(small.tmAscent, 10);
  EXPECT_EQ(small.tmDescent, 3);
  EXPECT_EQ(small.tmAveCharWidth, 5);
  const TEXTMETRICA larger = TGdiFont(MakeLogFont("Arial", -13)).Metrics();
  EXPECT_EQ(larger.tmHeight, 15);
  EXPECT_EQ(larger.tmAveCharWidth, 6);
  EXPECT_EQ(TGdiFont(MakeLogFont("Courier New", -13)).Metrics().tmAveCharWidth, 8);
}

TEST_F(FontEngineTest, PositiveHeightsAreCellHeights) {
  for (const int height : {16, 13, 20, 33}) {
    const TEXTMETRICA tm = TGdiFont(MakeLogFont("Times New Roman", height)).Metrics();
    SCOPED_TRACE(height);
    EXPECT_EQ(tm.tmHeight, height);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, height);
    EXPECT_GT(tm.tmInternalLeading, 0);
    EXPECT_LT(tm.tmInternalLeading, height / 3 + 1);
  }
  EXPECT_EQ(TGdiFont(MakeLogFont("Arial", 0)).Metrics().tmHeight, 16);
}

TEST_F(FontEngineTest, ReportsWeightStyleCharsetAndPitchAsWin32Does) {
  LOGFONTA logFont = MakeLogFont("Arial", -13, FW_BOLD);
  logFont.lfItalic = 1;
  logFont.lfUnderline = 1;
  logFont.lfCharSet = DEFAULT_CHARSET;
  const TEXTMETRICA sans = TGdiFont(logFont).Metrics();
  EXPECT_EQ(sans.tmWeight, FW_BOLD);
  EXPECT_NE(sans.tmItalic, 0);
  EXPECT_NE(sans.tmUnderlined, 0);
  EXPECT_EQ(sans.tmStruckOut, 0);
  EXPECT_EQ(sans.tmCharSet, ANSI_CHARSET);
  // The "fixed pitch" bit is set for variable-pitch fonts.
  EXPECT_EQ(sans.tmPitchAndFamily, TMPF_FIXED_PITCH | TMPF_VECTOR | TMPF_TRUETYPE | FF_SWISS);
  const TEXTMETRICA mono = TGdiFont(MakeLogFont("Courier New", -13)).Metrics();
  EXPECT_EQ(mono.tmPitchAndFamily, TMPF_VECTOR | TMPF_TRUETYPE | FF_MODERN);
  LOGFONTA oem = MakeLogFont("Times New Roman", -13);
  oem.lfCharSet = OEM_CHARSET;
  const TEXTMETRICA serif = TGdiFont(oem).Metrics();
  EXPECT_EQ(serif.tmPitchAndFamily & 0xF0, FF_ROMAN);
  EXPECT_EQ(serif.tmCharSet, OEM_CHARSET);
  EXPECT_EQ(serif.tmWeight, FW_NORMAL);
}

TEST_F(FontEngineTest, WidthScalesTheFaceHorizontally) {
  LOGFONTA wide = MakeLogFont("Arial", -13);
  wide.lfWidth = 12;
  const TGdiFont natural(MakeLogFont("Arial", -13));
  const TGdiFont widened(wide);
  EXPECT_NEAR(widened.Metrics().tmAveCharWidth, 12, 1);
  EXPECT_EQ(widened.Metrics().tmHeight, natural.Metrics().tmHeight);
  EXPECT_GT(widened.TextWidth("Hello world"), natural.TextWidth("Hello world") * 3 / 2);
}

TEST_F(FontEngineTest, EqualRecordsShareOneGlyphCache) {
  const TGdiFont first(MakeLogFont("Arial", -11));
  const TGdiFont second(MakeLogFont("arial", -11));
  const TGdiFont other(MakeLogFont("Arial", -12));
  EXPECT_EQ(&first.Glyphs(), &second.Glyphs());
  EXPECT_NE(&first.Glyphs(), &other.Glyphs());
}

TEST_F(FontEngineTest, AdvancesAreWholePixelsWithoutKerning) {
  const TGdiFont font(MakeLogFont("Arial", -11));
  // "AV" kerns in the face; GDI does not apply it.
  EXPECT_EQ(font.TextWidth("AV"), font.TextWidth("A") + font.TextWidth("V"));
  const TGdiFont mono(MakeLogFont("Courier New", -13));
  EXPECT_EQ(mono.TextWidth("iiii"), mono.TextWidth("WWWW"));
  EXPECT_EQ(mono.TextWidth("iiii"), 4 * mono.Metrics().tmAveCharWidth);
}

TEST_F(FontEngineTest, NonAntialiasedQualityDrawsWholePixels) {
  LOGFONTA record = MakeLogFont("Arial", -13);
  record.lfQuality = NONANTIALIASED_QUALITY;
  TRaster aliased(80, 30, WhitePixel);
  TRaster smooth(80, 30, WhitePixel);
  TTextState state = InkOnly();
  Gdi::TextOut(TTextTarget::Whole(aliased), TGdiFont(record), state, 2, 2, "Wavy");
  Gdi::TextOut(TTextTarget::Whole(smooth), TGdiFont(MakeLogFont("Arial", -13)), state, 2, 2,
               "Wavy");
  const int black = CountPixels(aliased, 0xFF000000u);
  EXPECT_GT(black, 20);
  EXPECT_EQ(black + CountPixels(aliased, WhitePixel), 80 * 30);
  EXPECT_GT(80 * 30 - CountPixels(smooth, WhitePixel) - CountPixels(smooth, 0xFF000000u), 20);
}

TEST_F(FontEngineTest, RefusesAbsurdSizes) {
  EXPECT_THROW(TGdiFont(MakeLogFont("Arial", -5000)), ERangeError);
  EXPECT_THROW(TGdiFont(MakeLogFont("Arial", 1 << 30)), ERangeError);
  LOGFONTA wide = MakeLogFont("Arial", -11);
  wide.lfWidth = -100000;
  EXPECT_THROW(TGdiFont{wide}, ERangeError);
}

TEST_F(FontEngineTest, FaceNamesWithoutTerminatorAreCutAt31Bytes) {
  LOGFONTA logFont = MakeLogFont("", -11);
  std::fill(std::begin(logFont.lfFaceName), std::end(logFont.lfFaceName), 'x');
  const TGdiFont font(logFont);
  EXPECT_EQ(String(font.LogFont().lfFaceName).size(), 31u);
  EXPECT_GT(font.Metrics().tmHeight, 0);
  EXPECT_EQ(String(MakeLogFont(String(40, 'y'), -11).lfFaceName).size(), 31u);
}

// Only the regular Liberation Sans face, so bold and italic have to be made from it.
class SyntheticStyleTest : public ::testing::Test {
protected:
  void SetUp() override { SetFontSources({PackagedFontFiles()[0]}); }
  void TearDown() override { SetFontSources(PackagedFontFiles()); }
};

TEST_F(SyntheticStyleTest, BoldAndItalicAreSynthesisedWhenTheFaceLacksThem) {
  const TGdiFont regular(MakeLogFont("Arial", -22));
  const TGdiFont bold(MakeLogFont("Arial", -22, FW_BOLD));
  LOGFONTA italicRecord = MakeLogFont("Arial", -22);
  italicRecord.lfItalic = 1;
  const TGdiFont italic(italicRecord);
  EXPECT_EQ(fs::path(bold.File().Path).filename(), "LiberationSans-Regular.ttf");
  EXPECT_FALSE(bold.File().Bold);
  EXPECT_EQ(bold.TextWidth("l"), regular.TextWidth("l") + 1);

  auto ink = [](const TGdiFont& font) {
    TRaster raster(40, 40, WhitePixel);
    TTextState state = InkOnly();
    Gdi::TextOut(TTextTarget::Whole(raster), font, state, 10, 5, "l");
    return raster;
  };
  const TRaster plain = ink(regular);
  const TRaster heavy = ink(bold);
  const TRaster slanted = ink(italic);
  EXPECT_GT(InkBox(heavy)->Width(), InkBox(plain)->Width());
  EXPECT_GT(InkBox(slanted)->Width(), InkBox(plain)->Width() + 2); // the stem leans
}

} // namespace
