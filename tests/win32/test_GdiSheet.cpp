#include "framework/win32/WinHandles.h"
#include "framework/win32/Windows.h"
#include "framework/win32/gdi/PngCodec.h"
#include "tests/SheetPath.h"

#include <gtest/gtest.h>

namespace {

HBRUSH Stock(int index) { return reinterpret_cast<HBRUSH>(GetStockObject(index)); }

// Draws with a pen and brush made for the call, deleting them afterwards.
template <class F> void WithPenAndBrush(HDC dc, HPEN pen, HBRUSH brush, F draw) {
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  draw();
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void DrawPenStyles(HDC dc) {
  const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
  SetBkColor(dc, RGB(255, 255, 0));
  for (int i = 0; i < 5; ++i) {
    for (int mode : {OPAQUE, TRANSPARENT}) {
      SetBkMode(dc, mode);
      HPEN pen = CreatePen(styles[i], 1, RGB(0, 0, 160));
      HGDIOBJ old = SelectObject(dc, pen);
      const int y = 10 + i * 12 + (mode == TRANSPARENT ? 5 : 0);
      MoveToEx(dc, 10, y, nullptr);
      LineTo(dc, 150, y);
      SelectObject(dc, old);
      DeleteObject(pen);
    }
  }
  SetBkMode(dc, OPAQUE);
  for (int w : {2, 3, 6, 11}) {
    HPEN pen = CreatePen(PS_SOLID, w, RGB(160, 0, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    const POINT path[] = {{170 + w * 8, 15}, {200 + w * 8, 60}, {215 + w * 8, 20}};
    Polyline(dc, path, 3);
    SelectObject(dc, old);
    DeleteObject(pen);
  }
  for (int a = 0; a < 16; ++a) { // a star of lines in every octant
    static const int dx[] = {30, 30, 30, 15, 0, -15, -30, -30, -30, -30, -30, -15, 0, 15, 30, 30};
    static const int dy[] = {0, 15, 30, 30, 30, 30, 30, 15, 0, -15, -30, -30, -30, -30, -30, -15};
    MoveToEx(dc, 420, 40, nullptr);
    LineTo(dc, 420 + dx[a], 40 + dy[a]);
  }
  SetROP2(dc, R2_XORPEN);
  HPEN xorPen = CreatePen(PS_SOLID, 5, RGB(255, 255, 255));
  HGDIOBJ old = SelectObject(dc, xorPen);
  MoveToEx(dc, 470, 10, nullptr);
  LineTo(dc, 560, 70);
  SelectObject(dc, old);
  DeleteObject(xorPen);
  SetROP2(dc, R2_COPYPEN);
}

void DrawFigures(HDC dc) {
  const int y = 90;
  WithPenAndBrush(
      dc, CreatePen(PS_SOLID, 1, RGB(0, 0, 0)), CreateSolidBrush(RGB(255, 128, 0)), [&] {
        Rectangle(dc, 10, y, 60, y + 40);
        RoundRect(dc, 70, y, 130, y + 40, 16, 12);
        Ellipse(dc, 140, y, 200, y + 40);
        Arc(dc, 210, y, 260, y + 50, 260, y + 25, 235, y);
        Pie(dc, 270, y, 320, y + 50, 320, y + 25, 295, y);
        Chord(dc, 330, y, 380, y + 50, 380, y + 40, 330, y + 10);
        const POINT star[] = {{415, y}, {440, y + 50}, {390, y + 18}, {445, y + 18}, {395, y + 50}};
        Polygon(dc, star, 5);
        SetPolyFillMode(dc, WINDING);
        const POINT star2[] = {
            {480, y}, {505, y + 50}, {455, y + 18}, {510, y + 18}, {460, y + 50}};
        Polygon(dc, star2, 5);
        SetPolyFillMode(dc, ALTERNATE);
      });
  WithPenAndBrush(dc, CreatePen(PS_INSIDEFRAME, 6, RGB(0, 90, 0)),
                  CreateSolidBrush(RGB(200, 255, 200)), [&] {
                    Rectangle(dc, 520, y, 570, y + 40);
                    Ellipse(dc, 575, y, 630, y + 40);
                  });
  WithPenAndBrush(dc, CreatePen(PS_DASH, 1, RGB(0, 0, 0)), CreateSolidBrush(RGB(255, 255, 255)),
                  [&] { Rectangle(dc, 10, y + 50, 90, y + 80); });
  SelectObject(dc, GetStockObject(NULL_PEN));
  SelectObject(dc, Stock(GRAY_BRUSH));
  Rectangle(dc, 100, y + 50, 140, y + 80);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  SelectObject(dc, Stock(WHITE_BRUSH));
  WithPenAndBrush(dc, CreatePen(PS_SOLID, 1, RGB(0, 0, 0)), CreateSolidBrush(RGB(0, 0, 0)), [&] {
    RECT box{150, y + 50, 200, y + 80};
    FrameRect(dc, &box, Stock(BLACK_BRUSH));
    RECT inner{160, y + 55, 190, y + 75};
    InvertRect(dc, &inner);
  });
  SelectObject(dc, Stock(NULL_BRUSH));
  Rectangle(dc, 210, y + 50, 280, y + 80);
  SelectObject(dc, Stock(WHITE_BRUSH));
  HBRUSH red = CreateSolidBrush(RGB(220, 0, 0));
  HGDIOBJ old = SelectObject(dc, red);
  ExtFloodFill(dc, 240, y + 65, RGB(0, 0, 0), FLOODFILLBORDER);
  SelectObject(dc, old);
  DeleteObject(red);
  WithPenAndBrush(dc, CreatePen(PS_DASHDOT, 1, RGB(0, 0, 0)), CreateSolidBrush(RGB(255, 255, 255)),
                  [&] {
                    Ellipse(dc, 440, y + 50, 520, y + 82);
                    Pie(dc, 530, y + 48, 580, y + 88, 580, y + 68, 530, y + 68);
                    RoundRect(dc, 585, y + 50, 635, y + 82, 14, 14);
                  });
  RECT focus{290, y + 50, 360, y + 80};
  DrawFocusRect(dc, &focus);
  for (int i = 0; i < 60; ++i) SetPixel(dc, 370 + i, y + 50 + (i * i) % 30, RGB(0, 0, 255));
}

void DrawBrushes(HDC dc) {
  const int y = 180;
  SetBkColor(dc, RGB(255, 255, 200));
  for (int h = HS_HORIZONTAL; h <= HS_DIAGCROSS; ++h) {
    HBRUSH brush = CreateHatchBrush(h, RGB(0, 0, 128));
    RECT r{10 + h * 55, y, 60 + h * 55, y + 40};
    SetBkMode(dc, h % 2 == 0 ? OPAQUE : TRANSPARENT);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
  SetBkMode(dc, OPAQUE);
  const BYTE bits[] = {0xAA, 0, 0x55, 0, 0xAA, 0, 0x55, 0, 0xFF, 0, 0x81, 0, 0x81, 0, 0xFF, 0};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, bits);
  HBRUSH brush = CreatePatternBrush(pattern);
  SetTextColor(dc, RGB(128, 0, 128));
  RECT r{340, y, 420, y + 40};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  DeleteObject(pattern);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT face{430, y, 480, y + 40};
  FillRect(dc, &face, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_HIGHLIGHT + 1)));
  PatBlt(dc, 490, y, 60, 40, PATCOPY);
  PatBlt(dc, 500, y + 5, 40, 30, DSTINVERT);
}

void DrawBlits(HDC dc) {
  const int y = 235;
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP picture = CreateCompatibleBitmap(dc, 8, 8);
  HGDIOBJ old = SelectObject(mem, picture);
  for (int py = 0; py < 8; ++py)
    for (int px = 0; px < 8; ++px) SetPixel(mem, px, py, RGB(px * 32, py * 32, (px ^ py) * 32));
  SetPixel(mem, 0, 0, RGB(255, 0, 255));
  BitBlt(dc, 10, y, 8, 8, mem, 0, 0, SRCCOPY);
  StretchBlt(dc, 30, y, 48, 48, mem, 0, 0, 8, 8, SRCCOPY);
  StretchBlt(dc, 138, y, -48, 48, mem, 0, 0, 8, 8, SRCCOPY);
  StretchBlt(dc, 150, y + 47, 48, -48, mem, 0, 0, 8, 8, SRCCOPY);
  TransparentBlt(dc, 210, y, 48, 48, mem, 0, 0, 8, 8, RGB(255, 0, 255));
  const DWORD rops[] = {SRCAND, SRCPAINT, SRCINVERT, NOTSRCCOPY, MERGEPAINT, PATINVERT};
  HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(255, 0, 0));
  HGDIOBJ oldBrush = SelectObject(dc, hatch);
  for (int i = 0; i < 6; ++i) StretchBlt(dc, 270 + i * 40, y, 32, 32, mem, 0, 0, 8, 8, rops[i]);
  SelectObject(dc, oldBrush);
  DeleteObject(hatch);
  HBITMAP check = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECK));
  SelectObject(mem, check);
  SetTextColor(dc, RGB(0, 0, 200));
  SetBkColor(dc, RGB(230, 230, 230));
  StretchBlt(dc, 520, y, 39, 39, mem, 0, 0, 13, 13, SRCCOPY);
  SetTextColor(dc, RGB(0, 0, 0));
  SelectObject(mem, old);
  DeleteObject(check);
  DeleteObject(picture);
  DeleteDC(mem);
}

void DrawEdges(HDC dc) {
  const int y = 300;
  RECT panel{0, y - 5, 640, 480};
  FillRect(dc, &panel, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1)));
  const UINT edges[] = {EDGE_RAISED,     EDGE_SUNKEN,     EDGE_ETCHED,     EDGE_BUMP,
                        BDR_RAISEDOUTER, BDR_SUNKENOUTER, BDR_RAISEDINNER, BDR_SUNKENINNER};
  const UINT looks[] = {0, BF_SOFT, BF_FLAT, BF_MONO};
  for (int l = 0; l < 4; ++l)
    for (int e = 0; e < 8; ++e) {
      RECT r{10 + e * 60, y + l * 30, 60 + e * 60, y + 25 + l * 30};
      DrawEdge(dc, &r, edges[e], BF_RECT | BF_MIDDLE | looks[l]);
    }
  RECT sep{500, y + 10, 630, y + 14};
  DrawEdge(dc, &sep, EDGE_ETCHED, BF_TOP);
  const UINT states[] = {0, DFCS_CHECKED, DFCS_PUSHED, DFCS_INACTIVE | DFCS_CHECKED};
  for (int s = 0; s < 4; ++s) {
    RECT check{10 + s * 20, y + 125, 23 + s * 20, y + 138};
    DrawFrameControl(dc, &check, DFC_BUTTON, DFCS_BUTTONCHECK | states[s]);
    RECT radio{100 + s * 20, y + 125, 112 + s * 20, y + 137};
    DrawFrameControl(dc, &radio, DFC_BUTTON, DFCS_BUTTONRADIO | states[s]);
    RECT push{190 + s * 50, y + 120, 235 + s * 50, y + 145};
    DrawFrameControl(dc, &push, DFC_BUTTON, DFCS_BUTTONPUSH | states[s]);
  }
  for (UINT a = DFCS_SCROLLUP; a <= DFCS_SCROLLRIGHT; ++a) {
    RECT arrow{400 + static_cast<int>(a) * 20, y + 125, 416 + static_cast<int>(a) * 20, y + 141};
    DrawFrameControl(dc, &arrow, DFC_SCROLL, a);
    RECT pushed{400 + static_cast<int>(a) * 20, y + 150, 416 + static_cast<int>(a) * 20, y + 166};
    DrawFrameControl(dc, &pushed, DFC_SCROLL, a | DFCS_PUSHED);
  }
}

TRaster RenderSheet() {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP sheet = CreateCompatibleBitmap(dc, 640, 480);
  HGDIOBJ old = SelectObject(dc, sheet);
  RECT all{0, 0, 640, 480};
  FillRect(dc, &all, Stock(WHITE_BRUSH));
  DrawPenStyles(dc);
  DrawFigures(dc);
  DrawBrushes(dc);
  DrawBlits(dc);
  DrawEdges(dc);
  TRaster out = *DcOf(dc)->Surface();
  SelectObject(dc, old);
  DeleteObject(sheet);
  DeleteDC(dc);
  return out;
}

// The sheet enlarged three times around one spot, so single pixels can be seen.
TRaster Zoom(const TRaster& sheet, int left, int top, int width, int height) {
  TRaster out(width * 3, height * 3);
  for (int y = 0; y < out.Height; ++y)
    for (int x = 0; x < out.Width; ++x) out.At(x, y) = sheet.At(left + x / 3, top + y / 3);
  return out;
}

TEST(GdiSheet, RendersEveryPrimitiveToPng) {
  const TRaster sheet = RenderSheet();
  EXPECT_EQ(RenderSheet().Pixels, sheet.Pixels); // drawing is deterministic
  WritePngFile(sheet, SheetPath("gdi.png"));
  WritePngFile(Zoom(sheet, 0, 0, 320, 160), SheetPath("gdi_zoom_a.png"));
  WritePngFile(Zoom(sheet, 320, 0, 320, 160), SheetPath("gdi_zoom_b.png"));
  WritePngFile(Zoom(sheet, 0, 290, 320, 190), SheetPath("gdi_zoom_c.png"));
  WritePngFile(Zoom(sheet, 320, 160, 320, 190), SheetPath("gdi_zoom_d.png"));
  const TRaster back = ReadPngFile(SheetPath("gdi.png"));
  EXPECT_EQ(back.Pixels, sheet.Pixels);
}

} // namespace
