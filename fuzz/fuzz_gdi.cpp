#include "framework/win32/Windows.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <vector>

// Any sequence of drawing calls with any coordinates finishes without a fault: bytes pick
// calls and arguments, arguments mixing small values with extremes.
namespace {

class TReader {
public:
  TReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return at_ < size_; }
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  int Coord() {
    static const int Extremes[] = {INT_MIN,    INT_MAX, -(1 << 27), 1 << 27,
                                   -(1 << 30), 1 << 30, -100000,    100000};
    const std::uint8_t b = Byte();
    if (b >= 248) return Extremes[b - 248];
    return static_cast<int>(b % 48) - 8;
  }
  UINT Flags() { return static_cast<UINT>(Byte()) | static_cast<UINT>(Byte()) << 8; }

private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

struct TObjects {
  std::vector<HGDIOBJ> Made;
  void Select(HDC dc, HGDIOBJ o) {
    Made.push_back(o);
    SelectObject(dc, o);
  }
};

void SelectSomething(HDC dc, TReader& in, TObjects& objects) {
  switch (in.Byte() % 5) {
  case 0:
    objects.Select(dc, CreatePen(in.Byte() % 8, in.Coord(), RGB(in.Byte(), 0, in.Byte())));
    break;
  case 1:
    objects.Select(dc, CreateHatchBrush(in.Byte() % 7, RGB(0, in.Byte(), 0)));
    break;
  case 2:
    objects.Select(dc, CreateSolidBrush(RGB(in.Byte(), in.Byte(), in.Byte())));
    break;
  case 3:
    SelectObject(dc, GetStockObject(in.Byte() % 20));
    break;
  default: {
    HRGN r = CreateRectRgn(in.Coord(), in.Coord(), in.Coord(), in.Coord());
    ExtSelectClipRgn(dc, r, in.Byte() % 6);
    DeleteObject(r);
  }
  }
}

void Figure(HDC dc, TReader& in) {
  const int l = in.Coord(), t = in.Coord(), r = in.Coord(), b = in.Coord();
  switch (in.Byte() % 6) {
  case 0:
    Rectangle(dc, l, t, r, b);
    break;
  case 1:
    Ellipse(dc, l, t, r, b);
    break;
  case 2:
    RoundRect(dc, l, t, r, b, in.Coord(), in.Coord());
    break;
  case 3:
    Arc(dc, l, t, r, b, in.Coord(), in.Coord(), in.Coord(), in.Coord());
    break;
  case 4:
    Pie(dc, l, t, r, b, in.Coord(), in.Coord(), in.Coord(), in.Coord());
    break;
  default:
    Chord(dc, l, t, r, b, in.Coord(), in.Coord(), in.Coord(), in.Coord());
    break;
  }
}

void RectCall(HDC dc, TReader& in) {
  RECT r{in.Coord(), in.Coord(), in.Coord(), in.Coord()};
  switch (in.Byte() % 6) {
  case 0:
    FillRect(dc, &r, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(in.Byte() % 40)));
    break;
  case 1:
    FrameRect(dc, &r, reinterpret_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    break;
  case 2:
    InvertRect(dc, &r);
    break;
  case 3:
    DrawFocusRect(dc, &r);
    break;
  case 4:
    DrawEdge(dc, &r, in.Byte() % 16, in.Flags());
    break;
  default:
    DrawFrameControl(dc, &r, in.Byte() % 5, in.Flags());
    break;
  }
}

void Blit(HDC dc, TReader& in) {
  static const DWORD Rops[] = {SRCCOPY, SRCAND, SRCINVERT, PATINVERT, DSTINVERT, MERGEPAINT};
  const int x = in.Coord(), y = in.Coord(), w = in.Coord(), h = in.Coord();
  const DWORD rop = Rops[in.Byte() % 6];
  switch (in.Byte() % 4) {
  case 0:
    BitBlt(dc, x, y, w, h, dc, in.Coord(), in.Coord(), rop);
    break;
  case 1:
    StretchBlt(dc, x, y, w, h, dc, in.Coord(), in.Coord(), in.Coord(), in.Coord(), rop);
    break;
  case 2:
    PatBlt(dc, x, y, w, h, rop);
    break;
  default:
    TransparentBlt(dc, x, y, w, h, dc, 0, 0, 8, 8, RGB(255, 255, 255));
    break;
  }
}

void StateCall(HDC dc, TReader& in) {
  switch (in.Byte() % 9) {
  case 0:
    SetROP2(dc, in.Byte() % 18);
    break;
  case 1:
    SetWindowOrgEx(dc, in.Coord(), in.Coord(), nullptr);
    break;
  case 2:
    OffsetViewportOrgEx(dc, in.Coord(), in.Coord(), nullptr);
    break;
  case 3:
    IntersectClipRect(dc, in.Coord(), in.Coord(), in.Coord(), in.Coord());
    break;
  case 4:
    ExcludeClipRect(dc, in.Coord(), in.Coord(), in.Coord(), in.Coord());
    break;
  case 5:
    SaveDC(dc);
    break;
  case 6:
    RestoreDC(dc, static_cast<int>(in.Byte() % 5) - 2);
    break;
  case 7:
    SetBkMode(dc, in.Byte() % 3);
    SetArcDirection(dc, in.Byte() % 3);
    break;
  default:
    SetBrushOrgEx(dc, in.Coord(), in.Coord(), nullptr);
    break;
  }
}

void LineCall(HDC dc, TReader& in) {
  std::vector<POINT> points(in.Byte() % 6 + 1);
  for (POINT& p : points) p = POINT{in.Coord(), in.Coord()};
  switch (in.Byte() % 5) {
  case 0:
    MoveToEx(dc, points[0].X, points[0].Y, nullptr);
    LineTo(dc, in.Coord(), in.Coord());
    break;
  case 1:
    Polyline(dc, points.data(), static_cast<int>(points.size()));
    break;
  case 2:
    Polygon(dc, points.data(), static_cast<int>(points.size()));
    break;
  case 3:
    ExtFloodFill(dc, points[0].X, points[0].Y, RGB(0, 0, 0), in.Byte() % 2);
    break;
  default:
    SetPixel(dc, points[0].X, points[0].Y, RGB(in.Byte(), 0, 0));
    break;
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TReader in(data, size);
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 32, 24);
  HGDIOBJ old = SelectObject(dc, bitmap);
  TObjects objects;
  for (int calls = 0; in.More() && calls < 64; ++calls) {
    switch (in.Byte() % 6) {
    case 0:
      SelectSomething(dc, in, objects);
      break;
    case 1:
      Figure(dc, in);
      break;
    case 2:
      RectCall(dc, in);
      break;
    case 3:
      Blit(dc, in);
      break;
    case 4:
      StateCall(dc, in);
      break;
    default:
      LineCall(dc, in);
      break;
    }
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bitmap);
  for (HGDIOBJ o : objects.Made) DeleteObject(o);
  return 0;
}
