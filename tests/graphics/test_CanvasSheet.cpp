#include "framework/graphics/Canvas.h"
#include "framework/win32/gdi/PngCodec.h"
#include "tests/SheetPath.h"
#include "tests/win32/DcTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A sheet of everything the canvas draws, written to out/sheets/canvas.png in the build
// folder for a person to look at.
class CanvasSheetTest : public ::testing::Test {
protected:
  void SetUp() override {
    UsePackagedFonts();
    Canvas.SetHandle(Dc.Dc);
  }
  void TearDown() override { Canvas.SetHandle(nullptr); }

  void Caption(int x, int y, const String& text) {
    Canvas.Font()->SetName("Arial");
    Canvas.Font()->SetSize(8);
    Canvas.Font()->SetStyle({});
    Canvas.Font()->SetColor(clNavy);
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.TextOut(x, y, text);
    Canvas.Font()->SetColor(clBlack);
  }

  void DrawLines() {
    Caption(10, 4, "Pens: styles, widths, modes");
    const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
    int y = 24;
    for (TPenStyle style : styles) {
      Canvas.Pen()->SetStyle(style);
      Canvas.MoveTo(10, y);
      Canvas.LineTo(150, y);
      y += 6;
    }
    Canvas.Pen()->SetStyle(psSolid);
    for (int width = 1; width <= 5; ++width) {
      Canvas.Pen()->SetWidth(width);
      Canvas.Pen()->SetColor(width % 2 ? clMaroon : clTeal);
      Canvas.MoveTo(10, y + 4);
      Canvas.LineTo(150, y + 4);
      y += 9;
    }
    Canvas.Pen()->SetWidth(1);
    Canvas.Pen()->SetColor(clBlack);
    for (int i = 0; i < 12; ++i) { // a fan: end pixels excluded
      Canvas.MoveTo(170, 30);
      Canvas.LineTo(170 + i * 6, 90);
    }
  }

  void DrawShapes() {
    Caption(260, 4, "Shapes");
    Canvas.Pen()->SetColor(clBlack);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clYellow);
    Canvas.Rectangle(260, 24, 300, 64);
    Canvas.Brush()->SetColor(clAqua);
    Canvas.RoundRect(310, 24, 360, 64, 16, 16);
    Canvas.Brush()->SetColor(clLime);
    Canvas.Ellipse(370, 24, 420, 64);
    Canvas.Brush()->SetColor(clFuchsia);
    Canvas.Pie(430, 24, 480, 74, 480, 49, 455, 24);
    Canvas.Brush()->SetColor(clSilver);
    Canvas.Chord(490, 24, 540, 74, 540, 60, 490, 60);
    Canvas.Arc(550, 24, 600, 74, 600, 49, 550, 49);
    const TPoint star[] = {{280, 80}, {290, 110}, {262, 92}, {298, 92}, {270, 110}};
    Canvas.Brush()->SetColor(clRed);
    Canvas.Polygon(star);
    const TPoint zigzag[] = {{310, 80}, {325, 110}, {340, 80}, {355, 110}, {370, 80}};
    Canvas.Polyline(zigzag);
    const TBrushStyle hatches[] = {bsHorizontal, bsVertical, bsFDiagonal,
                                   bsBDiagonal,  bsCross,    bsDiagCross};
    int x = 380;
    for (TBrushStyle hatch : hatches) {
      Canvas.Brush()->SetColor(clBlue);
      Canvas.Brush()->SetStyle(hatch);
      Canvas.Rectangle(x, 80, x + 34, 114);
      x += 40;
    }
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.DrawFocusRect(Rect(260, 118, 360, 130));
  }

  void DrawFaces() {
    Caption(10, 130, "Faces and sizes");
    const char* faces[] = {"MS Sans Serif", "Arial", "Times New Roman", "Courier New"};
    int y = 148;
    for (const char* face : faces) {
      Canvas.MoveTo(10, y);
      for (int size : {8, 10, 14}) {
        Canvas.Font()->SetName(face);
        Canvas.Font()->SetSize(size);
        Canvas.TextOut(Canvas.PenPos().X, y, " " + std::string(face) + " " + std::to_string(size));
      }
      y += 24;
    }
    Canvas.Font()->SetName("Arial");
    Canvas.Font()->SetSize(12);
    const TFontStyles styles[] = {{fsBold}, {fsItalic}, {fsUnderline}, {fsStrikeOut}};
    const char* names[] = {"Bold", "Italic", "Underline", "StrikeOut"};
    int x = 10;
    for (int i = 0; i < 4; ++i) {
      Canvas.Font()->SetStyle(styles[i]);
      Canvas.TextOut(x, y, names[i]);
      x += Canvas.TextWidth(names[i]) + 14;
    }
    Canvas.Font()->SetStyle({});
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clHighlight);
    Canvas.Font()->SetColor(clHighlightText);
    Canvas.TextOut(x, y, "Highlighted");
    Canvas.Font()->SetColor(clBlack);
  }

  void DrawAngles() {
    Caption(440, 130, "Angles");
    const TPoint centre{530, 240};
    for (int angle = 0; angle < 3600; angle += 450) {
      Canvas.Font()->SetHandle(
          CreateFontA(-13, 0, angle, angle, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
      Canvas.Brush()->SetStyle(bsClear);
      Canvas.TextOut(centre.X, centre.Y, "  " + std::to_string(angle / 10) + " deg");
    }
    Canvas.Font()->SetName("Arial");
  }

  void Cross(int x, int y) {
    Canvas.Pen()->SetColor(clRed);
    Canvas.MoveTo(x - 4, y);
    Canvas.LineTo(x + 5, y);
    Canvas.MoveTo(x, y - 4);
    Canvas.LineTo(x, y + 5);
    Canvas.Pen()->SetColor(clBlack);
  }

  void DrawAlignments() {
    Caption(10, 280, "Alignment anchors (red crosses)");
    Canvas.Font()->SetSize(12);
    Canvas.Brush()->SetStyle(bsClear);
    const UINT aligns[] = {TA_LEFT | TA_TOP,      TA_CENTER | TA_TOP,    TA_RIGHT | TA_TOP,
                           TA_LEFT | TA_BASELINE, TA_CENTER | TA_BOTTOM, TA_RIGHT | TA_BASELINE};
    const char* names[] = {"left top",  "center top",    "right top",
                           "left base", "center bottom", "right base"};
    for (int i = 0; i < 6; ++i) {
      const int x = 80 + (i % 3) * 140;
      const int y = 310 + (i / 3) * 36;
      Cross(x, y);
      SetTextAlign(Canvas.Handle(), aligns[i]);
      Canvas.TextOut(x, y, names[i]);
    }
    SetTextAlign(Canvas.Handle(), TA_LEFT | TA_TOP);
    RECT box{460, 300, 620, 360};
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(clInfoBk);
    Canvas.FillRect(box);
    Canvas.Font()->SetSize(8);
    Canvas.TextHeight("x"); // selects the changed font for the direct call below
    DrawTextA(Canvas.Handle(), "DrawText wraps words in its rectangle &and underlines", -1, &box,
              DT_WORDBREAK | DT_CENTER);
  }

  void DrawEdges() {
    Caption(10, 384, "Edges");
    const UINT edges[] = {EDGE_RAISED, EDGE_SUNKEN,     EDGE_ETCHED,
                          EDGE_BUMP,   BDR_RAISEDOUTER, BDR_SUNKENINNER};
    Canvas.Brush()->SetColor(clBtnFace);
    Canvas.FillRect(Rect(10, 400, 630, 470));
    int x = 20;
    for (UINT edge : edges) {
      RECT r{x, 410, x + 80, 460};
      DrawEdge(Canvas.Handle(), &r, edge, BF_RECT);
      x += 100;
    }
  }

  TMemoryDc Dc{640, 480};
  TCanvas Canvas;
};

TEST_F(CanvasSheetTest, RendersEveryKindOfDrawing) {
  DrawLines();
  DrawShapes();
  DrawFaces();
  DrawAngles();
  DrawAlignments();
  DrawEdges();

  TRaster raster(Dc.Width, Dc.Height);
  const std::vector<COLORREF> pixels = Dc.Pixels();
  for (std::size_t i = 0; i < pixels.size(); ++i)
    raster.Pixels[i] =
        0xFF000000u | GetRValue(pixels[i]) << 16 | GetGValue(pixels[i]) << 8 | GetBValue(pixels[i]);
  const String path = SheetPath("canvas.png");
  WritePngFile(raster, path);
  EXPECT_EQ(ReadPngFile(path).Pixels, raster.Pixels);

  // Text drawn at angles reaches all four sides of its centre.
  int left = 0, right = 0, up = 0, down = 0;
  for (int y = 160; y < 320; ++y)
    for (int x = 440; x < 630; ++x)
      if (pixels[static_cast<std::size_t>(y * Dc.Width + x)] != WhiteRef) {
        left += x < 520;
        right += x > 540;
        up += y < 230;
        down += y > 250;
      }
  EXPECT_GT(left, 50);
  EXPECT_GT(right, 50);
  EXPECT_GT(up, 50);
  EXPECT_GT(down, 50);
}

} // namespace
