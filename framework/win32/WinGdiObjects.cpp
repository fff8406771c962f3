#include "framework/win32/WinHandles.h"
#include "framework/win32/Windows.h"
#include "framework/win32/gdi/SysColors.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int MaxBitmapSide = 16384;

bool ValidBitmapSize(int width, int height) {
  return width > 0 && height > 0 && width <= MaxBitmapSide && height <= MaxBitmapSide;
}

std::unique_ptr<TGdiBitmap> NewBitmap(int width, int height, int bitsPixel, std::uint32_t fill) {
  auto bitmap = std::make_unique<TGdiBitmap>();
  bitmap->Raster = TRaster(width, height, fill);
  bitmap->BitsPixel = bitsPixel;
  return bitmap;
}

// Rows of a monochrome bitmap are padded to 16 bits, as CreateBitmap takes them.
void LoadMonoBits(TRaster& raster, const BYTE* bits) {
  const int stride = (raster.Width + 15) / 16 * 2;
  for (int y = 0; y < raster.Height; ++y)
    for (int x = 0; x < raster.Width; ++x) {
      const bool white = bits[y * stride + x / 8] >> (7 - x % 8) & 1u;
      raster.At(x, y) = white ? 0xFFFFFFFFu : 0xFF000000u;
    }
}

void LoadRgbBits(TRaster& raster, const BYTE* bits) {
  for (std::size_t i = 0; i < raster.Pixels.size(); ++i) {
    std::uint32_t px;
    std::memcpy(&px, bits + i * 4, 4);
    raster.Pixels[i] = 0xFF000000u | (px & 0x00FFFFFFu);
  }
}

HGDIOBJ Replace(THandleId& slot, THandleId id) {
  const THandleId old = slot;
  slot = id;
  return HandleFromId<HGDIOBJ>(old);
}

HGDIOBJ SelectBitmap(TDeviceContext& dc, TGdiBitmap& bitmap, THandleId id) {
  if (!dc.IsMemory()) return nullptr;
  if (dc.State().Bitmap != id && TGdiHandles::Instance().IsSelected(id) && !bitmap.Stock)
    return nullptr; // one memory DC at a time
  const THandleId old = dc.State().Bitmap;
  dc.State().Bitmap = id;
  dc.StateChanged();
  return HandleFromId<HGDIOBJ>(old);
}

HGDIOBJ SelectRegion(HDC dc, THandleId id) {
  return HandleFromId<HGDIOBJ>(
      static_cast<std::uintptr_t>(SelectClipRgn(dc, HandleFromId<HRGN>(id))));
}

} // namespace

HGDIOBJ GetStockObject(int index) {
  return HandleFromId<HGDIOBJ>(TGdiHandles::Instance().Stock(index));
}

HPEN CreatePen(int style, int width, COLORREF colour) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
  auto pen = std::make_unique<TGdiPen>();
  pen->Style = static_cast<TPenDash>(style);
  pen->Width = std::max(width, 1);
  // Wide pens of the dashed styles draw solid.
  if (pen->Width > 1 && style >= PS_DASH && style <= PS_DASHDOTDOT) pen->Style = TPenDash::Solid;
  pen->Colour = colour & 0x00FFFFFFu;
  return AddObject<HPEN>(std::move(pen));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  if (!pen) return nullptr;
  return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.X, pen->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  auto brush = std::make_unique<TGdiBrush>();
  brush->Colour = colour & 0x00FFFFFFu;
  return AddObject<HBRUSH>(std::move(brush));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF colour) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  auto brush = std::make_unique<TGdiBrush>();
  brush->Style = TGdiBrushStyle::Hatched;
  brush->Hatch = hatch;
  brush->Colour = colour & 0x00FFFFFFu;
  return AddObject<HBRUSH>(std::move(brush));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  auto* source = ObjectOf<TGdiBitmap>(bitmap);
  if (!source) return nullptr;
  auto brush = std::make_unique<TGdiBrush>();
  brush->Style = TGdiBrushStyle::Pattern;
  brush->PatternBits = source->Raster;
  brush->PatternMonochrome = source->BitsPixel == 1;
  return AddObject<HBRUSH>(std::move(brush));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (!brush) return nullptr;
  switch (brush->lbStyle) {
  case BS_SOLID:
    return CreateSolidBrush(brush->lbColor);
  case BS_NULL:
    return reinterpret_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  case BS_HATCHED:
    return CreateHatchBrush(static_cast<int>(brush->lbHatch), brush->lbColor);
  case BS_PATTERN:
    return CreatePatternBrush(HandleFromId<HBITMAP>(brush->lbHatch));
  default:
    return nullptr;
  }
}

HBRUSH GetSysColorBrush(int index) {
  if (!IsSysColorIndex(index)) return nullptr;
  // Kept among the stock objects under indices of their own, one per colour.
  TGdiHandles& table = TGdiHandles::Instance();
  const int stockIndex = 1000 + index;
  if (!table.Stock(stockIndex)) {
    auto brush = std::make_unique<TGdiBrush>();
    brush->SysColourIndex = index;
    table.RegisterStock(stockIndex, std::move(brush));
  }
  return HandleFromId<HBRUSH>(table.Stock(stockIndex));
}

BOOL DeleteObject(HGDIOBJ object) {
  return TGdiHandles::Instance().Delete(IdFromHandle(object)) ? TRUE : FALSE;
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
  TDeviceContext* dc = DcOf(hdc);
  const THandleId id = IdFromHandle(object);
  TGdiObject* o = TGdiHandles::Instance().Find(id);
  if (!dc || !o) return nullptr;
  TDcState& s = dc->State();
  switch (o->Kind()) {
  case TGdiKind::Pen:
    return Replace(s.Pen, id);
  case TGdiKind::Brush:
    return Replace(s.Brush, id);
  case TGdiKind::Font:
    return Replace(s.Font, id);
  case TGdiKind::Bitmap:
    return SelectBitmap(*dc, static_cast<TGdiBitmap&>(*o), id);
  case TGdiKind::Region:
    return SelectRegion(hdc, id);
  }
  return nullptr;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc) return nullptr;
  switch (type) {
  case OBJ_PEN:
    return HandleFromId<HGDIOBJ>(dc->State().Pen);
  case OBJ_BRUSH:
    return HandleFromId<HGDIOBJ>(dc->State().Brush);
  case OBJ_FONT:
    return HandleFromId<HGDIOBJ>(dc->State().Font);
  case OBJ_BITMAP:
    return HandleFromId<HGDIOBJ>(dc->State().Bitmap);
  default:
    return nullptr;
  }
}

DWORD GetObjectType(HGDIOBJ object) {
  if (TDeviceContext* dc = TGdiHandles::Instance().FindDc(IdFromHandle(object)))
    return dc->IsMemory() ? OBJ_MEMDC : OBJ_DC;
  TGdiObject* o = TGdiHandles::Instance().Find(IdFromHandle(object));
  return o ? static_cast<DWORD>(o->Kind()) : 0;
}

int GetObject(HGDIOBJ object, int size, LPVOID out) {
  TGdiObject* o = TGdiHandles::Instance().Find(IdFromHandle(object));
  if (!o) return 0;
  if (auto* bitmap = dynamic_cast<TGdiBitmap*>(o)) {
    if (!out) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    BITMAP info;
    info.bmWidth = bitmap->Raster.Width;
    info.bmHeight = bitmap->Raster.Height;
    info.bmBitsPixel = static_cast<WORD>(bitmap->BitsPixel);
    info.bmWidthBytes = bitmap->BitsPixel == 1 ? (info.bmWidth + 15) / 16 * 2 : info.bmWidth * 4;
    std::memcpy(out, &info, sizeof info);
    return sizeof(BITMAP);
  }
  if (auto* pen = dynamic_cast<TGdiPen*>(o)) {
    if (!out) return sizeof(LOGPEN);
    if (size < static_cast<int>(sizeof(LOGPEN))) return 0;
    LOGPEN info{static_cast<UINT>(pen->Style), POINT{pen->Width, 0}, pen->Colour};
    std::memcpy(out, &info, sizeof info);
    return sizeof(LOGPEN);
  }
  if (auto* brush = dynamic_cast<TGdiBrush*>(o)) {
    if (!out) return sizeof(LOGBRUSH);
    if (size < static_cast<int>(sizeof(LOGBRUSH))) return 0;
    const COLORREF colour =
        brush->SysColourIndex >= 0 ? SysColorRef(brush->SysColourIndex) : brush->Colour;
    LOGBRUSH info{static_cast<UINT>(brush->Style), colour, static_cast<UINT_PTR>(brush->Hatch)};
    std::memcpy(out, &info, sizeof info);
    return sizeof(LOGBRUSH);
  }
  if (o->Kind() == TGdiKind::Font) return GetFontObject(object, size, out);
  return 0;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
  if (!DcOf(hdc) || !ValidBitmapSize(width, height)) return nullptr;
  return AddObject<HBITMAP>(NewBitmap(width, height, 32, 0xFF000000u));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 32) || !ValidBitmapSize(width, height))
    return nullptr;
  auto bitmap = NewBitmap(width, height, static_cast<int>(bitsPerPixel), 0xFF000000u);
  if (bits && bitsPerPixel == 1) LoadMonoBits(bitmap->Raster, static_cast<const BYTE*>(bits));
  if (bits && bitsPerPixel == 32) LoadRgbBits(bitmap->Raster, static_cast<const BYTE*>(bits));
  return AddObject<HBITMAP>(std::move(bitmap));
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, void* section,
                         DWORD) {
  if (bits) *bits = nullptr;
  // Only 32-bit top-down sections: their rows are the raster's own memory, handed out as is.
  if (!info || usage != DIB_RGB_COLORS || section || info->bmiHeader.biBitCount != 32 ||
      info->bmiHeader.biCompression != BI_RGB || info->bmiHeader.biHeight >= 0)
    return nullptr;
  const int width = info->bmiHeader.biWidth;
  const int height = info->bmiHeader.biHeight;
  if (height == INT32_MIN || !ValidBitmapSize(width, -height)) return nullptr;
  auto bitmap = NewBitmap(width, -height, 32, 0u);
  bitmap->TopDownDib = true;
  if (bits) *bits = bitmap->Raster.Pixels.data();
  return AddObject<HBITMAP>(std::move(bitmap));
}
