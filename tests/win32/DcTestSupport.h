#pragma once

#include "framework/win32/Windows.h"
#include "tests/gdi/TextTestSupport.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

// Shared by the tests that draw through device contexts: a memory DC over a white bitmap.
// Fonts come from the packaged files (UsePackagedFonts).
inline constexpr COLORREF WhiteRef = 0xFFFFFF;

class TMemoryDc {
public:
  TMemoryDc(int width, int height) : Width(width), Height(height) {
    Dc = CreateCompatibleDC(nullptr);
    Bitmap = CreateCompatibleBitmap(Dc, width, height);
    OldBitmap = SelectObject(Dc, Bitmap);
    PatBlt(Dc, 0, 0, width, height, WHITENESS);
  }
  ~TMemoryDc() {
    SelectObject(Dc, OldBitmap);
    DeleteDC(Dc);
    DeleteObject(Bitmap);
  }
  TMemoryDc(const TMemoryDc&) = delete;
  TMemoryDc& operator=(const TMemoryDc&) = delete;

  void Clear() const {
    SaveDC(Dc);
    SelectClipRgn(Dc, nullptr);
    SetViewportOrgEx(Dc, 0, 0, nullptr);
    SetWindowOrgEx(Dc, 0, 0, nullptr);
    PatBlt(Dc, 0, 0, Width, Height, WHITENESS);
    RestoreDC(Dc, -1);
  }

  // Device pixels as COLORREFs, row by row, whatever the DC's origins and clip.
  std::vector<COLORREF> Pixels() const {
    BITMAPINFO info;
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = -Height;
    info.bmiHeader.biBitCount = 32;
    std::vector<std::uint32_t> bits(static_cast<std::size_t>(Width) * Height);
    GetDIBits(Dc, Bitmap, 0, static_cast<UINT>(Height), bits.data(), &info, DIB_RGB_COLORS);
    std::vector<COLORREF> pixels;
    pixels.reserve(bits.size());
    for (std::uint32_t px : bits)
      pixels.push_back(
          RGB(static_cast<BYTE>(px >> 16), static_cast<BYTE>(px >> 8), static_cast<BYTE>(px)));
    return pixels;
  }

  int Count(COLORREF colour) const {
    const std::vector<COLORREF> p = Pixels();
    return static_cast<int>(std::count(p.begin(), p.end(), colour));
  }

  // Pixels of neither of two colours: the ink of antialiased text on its background.
  int CountOthers(COLORREF a, COLORREF b) const {
    const std::vector<COLORREF> p = Pixels();
    return static_cast<int>(
        std::count_if(p.begin(), p.end(), [&](COLORREF c) { return c != a && c != b; }));
  }

  // The device-pixel box of the pixels of one colour, and of all pixels but the background.
  std::optional<TRect> BoxOf(COLORREF colour) const {
    return Box([colour](COLORREF c) { return c == colour; });
  }
  std::optional<TRect> InkBox(COLORREF background = WhiteRef) const {
    return Box([background](COLORREF c) { return c != background; });
  }

  HDC Dc = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ OldBitmap = nullptr;
  int Width;
  int Height;

private:
  template <class P> std::optional<TRect> Box(P matches) const {
    const std::vector<COLORREF> p = Pixels();
    TRect box{Width, Height, -1, -1};
    for (int y = 0; y < Height; ++y)
      for (int x = 0; x < Width; ++x)
        if (matches(p[static_cast<std::size_t>(y * Width + x)])) {
          box = TRect{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                      std::max(box.Bottom, y + 1)};
        }
    if (box.Right < 0) return std::nullopt;
    return box;
  }
};
