#pragma once

#include "framework/win32/Windows.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <tuple>
#include <vector>

// A memory DC over a white 32-bit bitmap, freed at the end of the test.
class TTestCanvas {
public:
  TTestCanvas(int width, int height) : width_(width), height_(height) {
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(dc_, width, height);
    old_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    FillRect(dc_, &all, reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  ~TTestCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
    for (HGDIOBJ o : owned_) DeleteObject(o);
  }
  TTestCanvas(const TTestCanvas&) = delete;
  TTestCanvas& operator=(const TTestCanvas&) = delete;

  HDC Dc() const { return dc_; }
  HBITMAP Bitmap() const { return bitmap_; }

  // Selects an object made for this test; it is deleted with the canvas.
  template <class H> H Use(H object) {
    owned_.push_back(object);
    SelectObject(dc_, object);
    return object;
  }

  // One string per row: `mark` where the pixel has the colour, '.' elsewhere.
  std::vector<std::string> Map(COLORREF colour, char mark = '#') const {
    std::vector<std::string> rows;
    for (int y = 0; y < height_; ++y) {
      std::string row;
      for (int x = 0; x < width_; ++x) row += GetPixel(dc_, x, y) == colour ? mark : '.';
      rows.push_back(row);
    }
    return rows;
  }

  // Every pixel, row after row.
  std::vector<COLORREF> Pixels() const {
    std::vector<COLORREF> out;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) out.push_back(GetPixel(dc_, x, y));
    return out;
  }

  // Expects each listed pixel to have its colour.
  void Expect(std::initializer_list<std::tuple<int, int, COLORREF>> pixels) const {
    for (const auto& [x, y, colour] : pixels)
      EXPECT_EQ(GetPixel(dc_, x, y), colour) << "at " << x << "," << y;
  }

  int Count(COLORREF colour) const {
    int n = 0;
    for (COLORREF c : Pixels()) n += c == colour ? 1 : 0;
    return n;
  }

private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  std::vector<HGDIOBJ> owned_;
};

inline constexpr COLORREF White = RGB(255, 255, 255);
inline constexpr COLORREF Black = RGB(0, 0, 0);
inline constexpr COLORREF Red = RGB(255, 0, 0);
inline constexpr COLORREF Blue = RGB(0, 0, 255);
