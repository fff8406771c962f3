#include "framework/graphics/RasterDraw.h"

#include "framework/win32/Windows.h"

#include <algorithm>
#include <cstdlib>

namespace {

BITMAPINFO TopDownInfo(int Width, int Height) {
  BITMAPINFO info{};
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = -Height;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// The source index of target pixel i of Count along an axis of SourceCount pixels.
int SourceIndex(long long i, long long Count, long long SourceCount) {
  return static_cast<int>((2 * i + 1) * SourceCount / (2 * Count));
}

void DrawOpaque(TCanvas* ACanvas, const TRect& Rect, const TRaster& Pixels) {
  const BITMAPINFO info = TopDownInfo(Pixels.Width, Pixels.Height);
  StretchDIBits(ACanvas->Handle(), Rect.Left, Rect.Top, Rect.Width(), Rect.Height(), 0, 0,
                Pixels.Width, Pixels.Height, Pixels.Pixels.data(), &info, DIB_RGB_COLORS,
                static_cast<DWORD>(ACanvas->CopyMode()));
}

// The part of Rect the canvas can show, in its logical coordinates.
TRect VisiblePart(HDC Dc, const TRect& Rect) {
  RECT clip;
  if (GetClipBox(Dc, &clip) == ERROR) return {};
  return TRect{std::max(Rect.Left, clip.Left), std::max(Rect.Top, clip.Top),
               std::min(Rect.Right, clip.Right), std::min(Rect.Bottom, clip.Bottom)};
}

// What lies beneath the visible part, mixed with the stretched pixels in a bitmap of its own.
void BlendInto(std::uint32_t* Beneath, const TRect& Visible, const TRect& Rect,
               const TRaster& Pixels) {
  const int w = Visible.Width();
  for (int y = 0; y < Visible.Height(); ++y) {
    const int sy = SourceIndex(Visible.Top + y - Rect.Top, Rect.Height(), Pixels.Height);
    for (int x = 0; x < w; ++x) {
      const int sx = SourceIndex(Visible.Left + x - Rect.Left, Rect.Width(), Pixels.Width);
      std::uint32_t& d = Beneath[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                                 static_cast<std::size_t>(x)];
      d = BlendPixel(Pixels.At(sx, sy), d);
    }
  }
}

void DrawBlended(TCanvas* ACanvas, const TRect& Rect, const TRaster& Pixels) {
  const HDC dc = ACanvas->Handle();
  const TRect visible = VisiblePart(dc, Rect);
  if (visible.Width() <= 0 || visible.Height() <= 0) return;
  const BITMAPINFO info = TopDownInfo(visible.Width(), visible.Height());
  void* bits = nullptr;
  const HBITMAP work = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!work) return;
  const HDC memory = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(memory, work);
  BitBlt(memory, 0, 0, visible.Width(), visible.Height(), dc, visible.Left, visible.Top, SRCCOPY);
  BlendInto(static_cast<std::uint32_t*>(bits), visible, Rect, Pixels);
  BitBlt(dc, visible.Left, visible.Top, visible.Width(), visible.Height(), memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(work);
}

} // namespace

std::uint32_t BlendPixel(std::uint32_t Source, std::uint32_t Beneath) {
  const std::uint32_t a = Source >> 24;
  std::uint32_t out = 0xFF000000u;
  for (const int shift : {16, 8, 0}) {
    const std::uint32_t s = Source >> shift & 0xFFu;
    const std::uint32_t d = Beneath >> shift & 0xFFu;
    out |= (s * a + d * (255 - a) + 127) / 255 << shift;
  }
  return out;
}

void DrawRaster(TCanvas* ACanvas, const TRect& Rect, const TRaster& Pixels, bool Blend) {
  if (!ACanvas || Pixels.Width <= 0 || Pixels.Height <= 0) return;
  if (Rect.Width() == 0 || Rect.Height() == 0) return;
  if (Blend && Rect.Width() > 0 && Rect.Height() > 0)
    DrawBlended(ACanvas, Rect, Pixels);
  else
    DrawOpaque(ACanvas, Rect, Pixels);
}
