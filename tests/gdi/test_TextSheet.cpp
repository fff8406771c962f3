#include "framework/win32/gdi/PngCodec.h"
#include "framework/win32/gdi/TextLayout.h"
#include "tests/SheetPath.h"
#include "tests/gdi/TextTestSupport.h"

#include <gtest/gtest.h>

#include <array>

// Renders a sheet of faces, sizes, styles, alignments, angles and DrawText layouts to
// out/sheets/text.png in the build folder, for a person to look at.

namespace {

constexpr std::uint32_t MarkPixel = 0xFFFF0000u;
constexpr std::uint32_t FramePixel = 0xFFB0B0B0u;

class TSheet {
public:
  TSheet() : Raster(900, 760, WhitePixel), Target(TTextTarget::Whole(Raster)) {}

  void Text(const LOGFONTA& logFont, int x, int y, std::string_view text,
            std::uint32_t align = TA_LEFT | TA_TOP, std::uint32_t color = 0) {
    TTextState state = InkOnly(align);
    state.TextColor = color;
    Gdi::TextOut(Target, TGdiFont(logFont), state, x, y, text);
  }
  void Mark(int x, int y) {
    TextRender::FillRect(Raster, Target.Clip, Rect(x - 3, y, x + 4, y + 1), MarkPixel);
    TextRender::FillRect(Raster, Target.Clip, Rect(x, y - 3, x + 1, y + 4), MarkPixel);
  }
  void Frame(const TRect& r) {
    TextRender::FillRect(Raster, Target.Clip, Rect(r.Left - 1, r.Top - 1, r.Right + 1, r.Top),
                         FramePixel);
    TextRender::FillRect(Raster, Target.Clip, Rect(r.Left - 1, r.Bottom, r.Right + 1, r.Bottom + 1),
                         FramePixel);
    TextRender::FillRect(Raster, Target.Clip, Rect(r.Left - 1, r.Top, r.Left, r.Bottom),
                         FramePixel);
    TextRender::FillRect(Raster, Target.Clip, Rect(r.Right, r.Top, r.Right + 1, r.Bottom),
                         FramePixel);
  }
  int Draw(const LOGFONTA& logFont, std::string_view text, TRect r, std::uint32_t format,
           const TTextState& state = InkOnly()) {
    Frame(r);
    return Gdi::DrawText(Target, TGdiFont(logFont), state, text, r, format);
  }

  TRaster Raster;
  TTextTarget Target;
};

LOGFONTA Styled(const char* face, int height, int weight, bool italic = false,
                bool underline = false, bool strike = false) {
  LOGFONTA logFont = MakeLogFont(face, height, weight);
  logFont.lfItalic = italic ? 1 : 0;
  logFont.lfUnderline = underline ? 1 : 0;
  logFont.lfStrikeOut = strike ? 1 : 0;
  return logFont;
}

void DrawFaces(TSheet& sheet) {
  int y = 8;
  for (const char* face : {"Arial", "MS Sans Serif", "Times New Roman", "Courier New"}) {
    int x = 8;
    for (const int height : {-11, -13, 16, -20}) {
      sheet.Text(MakeLogFont(face, height), x, y, String(face) + " " + std::to_string(height));
      x += 200;
    }
    y += 26;
  }
  const char* sample = "Quick brown fox 0123";
  sheet.Text(Styled("Arial", -13, FW_BOLD), 8, y, sample);
  sheet.Text(Styled("Arial", -13, FW_NORMAL, true), 208, y, sample);
  sheet.Text(Styled("Times New Roman", -13, FW_BOLD, true), 408, y, sample);
  sheet.Text(Styled("Courier New", -13, FW_NORMAL, false, true), 608, y, sample);
  y += 24;
  sheet.Text(Styled("Arial", -13, FW_NORMAL, false, false, true), 8, y, sample);
  sheet.Text(Styled("Times New Roman", -16, FW_NORMAL, false, true, true), 208, y, sample);
  sheet.Text(Styled("Arial", -13, FW_NORMAL), 408, y, "Umlaute: äöüß ÄÖÜ €", TA_LEFT, 0x008000);
  sheet.Text(Styled("Arial", -13, FW_NORMAL), 608, y, "bad: \xFF\xFE end", TA_LEFT, 0x0000C0);
}

void DrawAlignments(TSheet& sheet) {
  const LOGFONTA font = MakeLogFont("Arial", -13);
  const std::array<std::uint32_t, 3> horizontal{TA_LEFT, TA_CENTER, TA_RIGHT};
  const std::array<std::uint32_t, 3> vertical{TA_TOP, TA_BASELINE, TA_BOTTOM};
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) {
      const int x = 90 + column * 150;
      const int y = 200 + row * 40;
      sheet.Text(font, x, y, "Anchor", horizontal[column] | vertical[row]);
      sheet.Mark(x, y);
    }
}

void DrawAngles(TSheet& sheet) {
  const TPoint centre = Point(690, 280);
  for (const int escapement : {0, 450, 900, 1800, 2700}) {
    LOGFONTA font = MakeLogFont("Times New Roman", -15);
    font.lfEscapement = escapement;
    sheet.Text(font, centre.X, centre.Y, "Angle " + std::to_string(escapement / 10),
               TA_LEFT | TA_BASELINE);
  }
  LOGFONTA axis = MakeLogFont("Times New Roman", 13);
  axis.lfWidth = 5;
  axis.lfEscapement = 900;
  for (int i = 0; i < 4; ++i) {
    const int x = 480 + i * 30;
    sheet.Text(axis, x, 330, std::to_string(i * 2.5).substr(0, 4), TA_RIGHT | TA_BOTTOM);
    sheet.Mark(x, 330);
  }
  TTextState opaque;
  opaque.BkColor = 0xC0FFFF;
  LOGFONTA slanted = MakeLogFont("Arial", -16);
  slanted.lfEscapement = 300;
  Gdi::TextOut(sheet.Target, TGdiFont(slanted), opaque, 560, 420, "opaque at 30°");
  sheet.Mark(560, 420);
}

void DrawLayouts(TSheet& sheet) {
  const LOGFONTA font = MakeLogFont("MS Sans Serif", -11);
  const char* paragraph = "Text drawing is the hot path of every form: lines break at blanks, "
                          "a word too long for the line stays whole.\r\nA new paragraph starts "
                          "after CR LF.";
  sheet.Draw(font, paragraph, Rect(10, 450, 190, 560), DT_WORDBREAK);
  sheet.Draw(font, paragraph, Rect(200, 450, 380, 560), DT_WORDBREAK | DT_CENTER);
  sheet.Draw(font, paragraph, Rect(390, 450, 570, 560), DT_WORDBREAK | DT_RIGHT);
  TTextState opaque;
  opaque.BkColor = 0xE0E0FF;
  sheet.Draw(font, "&Datei  Be&arbeiten  A&&B", Rect(10, 580, 190, 600), DT_SINGLELINE | DT_VCENTER,
             opaque);
  sheet.Draw(font, "A caption much too long for its box", Rect(200, 580, 330, 600),
             DT_SINGLELINE | DT_END_ELLIPSIS | DT_VCENTER);
  sheet.Draw(font, "C:\\Programme\\LumTools\\Beispiele\\Datei.txt", Rect(340, 580, 500, 600),
             DT_SINGLELINE | DT_PATH_ELLIPSIS | DT_BOTTOM);
  sheet.Draw(MakeLogFont("Courier New", -13), "Name\tWert\tEinheit\nDruck\t1.5\tbar",
             Rect(10, 620, 300, 660), DT_EXPANDTABS | DT_TABSTOP | 10 << 8);
  const TGdiFont tabbed(MakeLogFont("Arial", -13));
  const std::array<int, 2> stops{100, -220};
  TTextState state = InkOnly();
  Gdi::TabbedTextOut(sheet.Target, tabbed, state, 320, 620, "Links\tMitte\trechtsbündig", stops,
                     320);
  Gdi::TabbedTextOut(sheet.Target, tabbed, state, 320, 640, "L\tM\t12,50", stops, 320);
  sheet.Mark(420, 620);
  sheet.Mark(540, 620);
  const TRect clip = Rect(600, 620, 700, 640);
  sheet.Frame(clip);
  TTextTarget clipped{&sheet.Raster, {clip}};
  TTextState clipState = InkOnly();
  Gdi::TextOut(clipped, TGdiFont(MakeLogFont("Arial", -20)), clipState, 590, 615, "Clipped text");
}

TEST(TextSheet, RendersEveryFaceStyleAndLayoutToAPicture) {
  UsePackagedFonts();
  TSheet sheet;
  DrawFaces(sheet);
  DrawAlignments(sheet);
  DrawAngles(sheet);
  DrawLayouts(sheet);
  const String path = SheetPath("text.png");
  WritePngFile(sheet.Raster, path);
  const TRaster back = ReadPngFile(path);
  EXPECT_EQ(back.Pixels, sheet.Raster.Pixels);
  // Nothing strays past the clip frame.
  for (int y = 615; y < 645; ++y)
    for (int x = 701; x < 760; ++x) EXPECT_EQ(sheet.Raster.At(x, y), WhitePixel) << x << "," << y;
}

} // namespace
