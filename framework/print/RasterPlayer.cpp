#include "framework/print/RasterPlayer.h"

#include "framework/win32/WinHandles.h"
#include "framework/win32/gdi/GdiObjects.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Selects pens, brushes and fonts into the DC, making a new one only when the record's differs
// from the last; deletes what it made.
class TToolBox {
public:
  TToolBox(HDC dc, double scale) : dc_(dc), scale_(scale) {
    oldPen_ = SelectObject(dc, GetStockObject(NULL_PEN));
    oldBrush_ = SelectObject(dc, GetStockObject(NULL_BRUSH));
    oldFont_ = SelectObject(dc, GetStockObject(SYSTEM_FONT));
  }
  ~TToolBox() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    SelectObject(dc_, oldFont_);
    if (pen_) DeleteObject(pen_);
    if (brush_) DeleteObject(brush_);
    if (font_) DeleteObject(font_);
  }
  TToolBox(const TToolBox&) = delete;
  TToolBox& operator=(const TToolBox&) = delete;

  void UsePen(const TMetaPen& pen) {
    if (pen_ && pen.Colour == penOf_.Colour && pen.Width == penOf_.Width &&
        pen.Style == penOf_.Style)
      return;
    penOf_ = pen;
    HPEN made = CreatePen(pen.Style, std::max(1, static_cast<int>(std::lround(pen.Width * scale_))),
                          pen.Colour);
    SelectObject(dc_, made);
    if (pen_) DeleteObject(pen_);
    pen_ = made;
  }
  void UseBrush(const TMetaBrush& brush) {
    if (brush.Null) {
      SelectObject(dc_, GetStockObject(NULL_BRUSH));
      return;
    }
    if (!brush_ || brush.Colour != brushOf_.Colour) {
      HBRUSH made = CreateSolidBrush(brush.Colour);
      SelectObject(dc_, made);
      if (brush_) DeleteObject(brush_);
      brush_ = made;
      brushOf_ = brush;
      return;
    }
    SelectObject(dc_, brush_);
  }
  HBRUSH SolidBrush(std::uint32_t colour) {
    UseBrush(TMetaBrush{colour, false});
    return brush_;
  }
  void UseFont(const LOGFONTA& logFont) {
    if (font_ && std::memcmp(&logFont, &fontOf_, sizeof logFont) == 0) return;
    fontOf_ = logFont;
    LOGFONTA scaled = logFont;
    scaled.lfHeight = static_cast<LONG>(std::lround(logFont.lfHeight * scale_));
    if (scaled.lfHeight == 0) scaled.lfHeight = logFont.lfHeight < 0 ? -1 : 1;
    scaled.lfWidth = static_cast<LONG>(std::lround(logFont.lfWidth * scale_));
    HFONT made = CreateFontIndirectA(&scaled);
    SelectObject(dc_, made);
    if (font_) DeleteObject(font_);
    font_ = made;
  }

private:
  HDC dc_;
  double scale_;
  HGDIOBJ oldPen_, oldBrush_, oldFont_;
  HPEN pen_ = nullptr;
  HBRUSH brush_ = nullptr;
  HFONT font_ = nullptr;
  TMetaPen penOf_;
  TMetaBrush brushOf_;
  LOGFONTA fontOf_{};
};

struct TScaler {
  double Scale;
  TPoint Offset; // the printable area's corner on the sheet, printer pixels

  int X(int x) const { return static_cast<int>(std::lround((x + Offset.X) * Scale)); }
  int Y(int y) const { return static_cast<int>(std::lround((y + Offset.Y) * Scale)); }
  TRect Of(const TRect& r) const { return TRect{X(r.Left), Y(r.Top), X(r.Right), Y(r.Bottom)}; }
};

void DrawPicture(HDC dc, const TRaster& picture, const TRect& dest) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = picture.Width;
  info.bmiHeader.biHeight = -picture.Height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  StretchDIBits(dc, dest.Left, dest.Top, dest.Right - dest.Left, dest.Bottom - dest.Top, 0, 0,
                picture.Width, picture.Height, picture.Pixels.data(), &info, DIB_RGB_COLORS,
                SRCCOPY);
}

void PlayRecord(const TMetaRecord& r, const TMetaPage& page, HDC dc, TToolBox& tools,
                const TScaler& at) {
  switch (r.Op) {
  case TMetaOp::Line:
    tools.UsePen(r.Pen);
    MoveToEx(dc, at.X(r.Box.Left), at.Y(r.Box.Top), nullptr);
    LineTo(dc, at.X(r.Box.Right), at.Y(r.Box.Bottom));
    break;
  case TMetaOp::Rectangle:
  case TMetaOp::Ellipse: {
    tools.UsePen(r.Pen);
    tools.UseBrush(r.Brush);
    const TRect b = at.Of(r.Box);
    if (r.Op == TMetaOp::Rectangle)
      Rectangle(dc, b.Left, b.Top, b.Right, b.Bottom);
    else
      Ellipse(dc, b.Left, b.Top, b.Right, b.Bottom);
    break;
  }
  case TMetaOp::Fill: {
    if (r.Brush.Null) break;
    const TRect b = at.Of(r.Box);
    FillRect(dc, &b, tools.SolidBrush(r.Brush.Colour));
    break;
  }
  case TMetaOp::Text: {
    tools.UseFont(r.Font);
    SetTextColor(dc, r.TextColour);
    const TRect clip = r.Clip ? at.Of(*r.Clip) : TRect{};
    ExtTextOutA(dc, at.X(r.Origin.X), at.Y(r.Origin.Y), r.Clip ? ETO_CLIPPED : 0,
                r.Clip ? &clip : nullptr, r.Text.data(), static_cast<UINT>(r.Text.size()), nullptr);
    break;
  }
  case TMetaOp::Picture:
    if (r.Picture >= 0 && r.Picture < static_cast<int>(page.Pictures.size()))
      DrawPicture(dc, *page.Pictures[static_cast<std::size_t>(r.Picture)], at.Of(r.Box));
    break;
  }
}

} // namespace

void PlayPage(const TMetaPage& page, const TDeviceCaps& caps, HDC dc, double scale) {
  const int savedDc = SaveDC(dc);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT);
  SetBkMode(dc, TRANSPARENT);
  {
    TToolBox tools(dc, scale);
    const TScaler at{scale, TPoint{caps.OffsetX, caps.OffsetY}};
    for (const TMetaRecord& record : page.Records) PlayRecord(record, page, dc, tools, at);
  }
  RestoreDC(dc, savedDc);
}

TRaster RenderPage(const TMetaPage& page, const TDeviceCaps& caps, int dpi) {
  const double scale = static_cast<double>(dpi) / caps.LogPixelsX;
  const int width = std::max(1, static_cast<int>(std::lround(caps.PhysicalWidth * scale)));
  const int height = std::max(1, static_cast<int>(std::lround(caps.PhysicalHeight * scale)));
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP sheet = CreateBitmap(width, height, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, sheet);
  const TRect whole{0, 0, width, height};
  FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PlayPage(page, caps, dc, scale);
  SelectObject(dc, old);
  DeleteDC(dc);
  TRaster picture = std::move(ObjectOf<TGdiBitmap>(sheet)->Raster);
  DeleteObject(sheet);
  return picture;
}
