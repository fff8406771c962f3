#include "framework/win32/gdi/Edges.h"

#include "framework/win32/gdi/Shapes.h"
#include "framework/win32/gdi/SysColors.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

using namespace EdgeFlags;

constexpr unsigned Sides = Left | Top | Right | Bottom;
constexpr unsigned Sunken = SunkenOuter | SunkenInner;
constexpr unsigned Raised = RaisedOuter | RaisedInner;

// DrawFrameControl state bits (the DFCS_ codes).
constexpr unsigned Inactive = 0x100, Pushed = 0x200, Checked = 0x400, AdjustRect = 0x2000,
                   FlatLook = 0x4000, MonoLook = 0x8000;
constexpr unsigned PushButton = 0x10, RadioButton = 0x4;
constexpr unsigned ButtonControl = 4, ScrollControl = 3;

unsigned LookOf(unsigned state) {
  return ((state & FlatLook) ? Flat : 0) | ((state & MonoLook) ? Mono : 0);
}

enum SysColour {
  Window = 5,
  WindowFrame = 6,
  WindowText = 8,
  BtnFace = 15,
  BtnShadow = 16,
  GrayText = 17,
  BtnText = 18,
  BtnHighlight = 20,
  DkShadow = 21,
  Light = 22
};

struct TLineColours {
  int TopLeft;
  int BottomRight;
};

// One border (bits 0-1 of the outer pair or of the inner pair): raised 1, sunken 2.
std::optional<TLineColours> LineColours(unsigned border, bool inner, unsigned flags) {
  if (border != 1 && border != 2) return std::nullopt;
  if (flags & Mono) return TLineColours{inner ? Window : WindowFrame, inner ? Window : WindowFrame};
  if (flags & Flat) return TLineColours{inner ? BtnFace : BtnShadow, inner ? BtnFace : BtnShadow};
  const bool raised = border == 1;
  const bool soft = flags & Soft;
  if (!inner)
    return raised ? TLineColours{soft ? BtnHighlight : Light, DkShadow}
                  : TLineColours{soft ? DkShadow : BtnShadow, BtnHighlight};
  return raised ? TLineColours{soft ? Light : BtnHighlight, BtnShadow}
                : TLineColours{soft ? BtnShadow : DkShadow, Light};
}

void Fill(TDeviceContext& dc, TSpanWriter& out, TRect r, int sysColour) {
  TPaint paint;
  paint.Colour = ColorRefToPixel(SysColorRef(sysColour));
  const TRect d = dc.ToDevice(r);
  const int bottom = std::min(d.Bottom, out.DeviceClipBox().Bottom);
  for (int y = std::max(d.Top, out.DeviceClipBox().Top); y < bottom; ++y)
    out.FillSpan(y, d.Left, d.Right, paint);
}

// One ring of lines on the sides named by flags, then r shrinks past it.
void DrawRing(TDeviceContext& dc, TSpanWriter& out, TRect& r, TLineColours c, unsigned flags) {
  if (r.IsEmpty()) return;
  const int rightCut = (flags & Right) ? 1 : 0;
  const int bottomCut = (flags & Bottom) ? 1 : 0;
  if (flags & Top) Fill(dc, out, {r.Left, r.Top, r.Right - rightCut, r.Top + 1}, c.TopLeft);
  if (flags & Left) Fill(dc, out, {r.Left, r.Top, r.Left + 1, r.Bottom - bottomCut}, c.TopLeft);
  if (flags & Bottom) Fill(dc, out, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, c.BottomRight);
  if (flags & Right) Fill(dc, out, {r.Right - 1, r.Top, r.Right, r.Bottom}, c.BottomRight);
  if (flags & Left) ++r.Left;
  if (flags & Top) ++r.Top;
  if (flags & Right) --r.Right;
  if (flags & Bottom) --r.Bottom;
}

// Rectangles are taken within the device space, so their sizes cannot overflow.
TRect WithinDeviceSpace(const TRect& r) {
  static constexpr int Limit = 1 << 27;
  auto c = [](int v) { return std::clamp(v, -Limit, Limit); };
  return TRect{c(r.Left), c(r.Top), c(r.Right), c(r.Bottom)};
}

TRect CentredSquare(const TRect& r) {
  const int s = std::min(r.Width(), r.Height());
  const int x = r.Left + (r.Width() - s) / 2;
  const int y = r.Top + (r.Height() - s) / 2;
  return TRect{x, y, x + s, y + s};
}

// The check glyph, 7 x 7, rows top to bottom, bit 0x40 leftmost.
constexpr std::array<std::uint8_t, 7> CheckGlyph = {0x01, 0x03, 0x47, 0x6E, 0x7C, 0x38, 0x10};

void DrawCheckGlyph(TDeviceContext& dc, TSpanWriter& out, TPoint at, int sysColour) {
  TPaint ink;
  ink.Colour = ColorRefToPixel(SysColorRef(sysColour));
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x)
      if (CheckGlyph[static_cast<std::size_t>(y)] >> (6 - x) & 1u) {
        const TPoint d = dc.ToDevice(TPoint{at.X + x, at.Y + y});
        out.Pixel(d.X, d.Y, ink);
      }
}

void DrawCheckBox(TDeviceContext& dc, TRect r, unsigned state) {
  TRect box = CentredSquare(r);
  DrawEdgeLines(dc, box, Sunken, Sides | Adjust | LookOf(state));
  TSpanWriter out = dc.Writer();
  Fill(dc, out, box, (state & (Inactive | Pushed)) ? BtnFace : Window);
  if (state & Checked)
    DrawCheckGlyph(dc, out, {box.Left + (box.Width() - 7) / 2, box.Top + (box.Height() - 7) / 2},
                   (state & Inactive) ? BtnShadow : WindowText);
}

void PaintDisc(TDeviceContext& dc, TSpanWriter& out, TRect r, int inset, int upperLeft,
               int lowerRight) {
  const TRect d = dc.ToDevice(r);
  const TRoundBox outer(d.Left + inset, d.Top + inset, d.Right - inset, d.Bottom - inset, 1e18,
                        1e18);
  TPaint a, b;
  a.Colour = ColorRefToPixel(SysColorRef(upperLeft));
  b.Colour = ColorRefToPixel(SysColorRef(lowerRight));
  const long long diagonal = d.Left + d.Top + d.Width() - 2LL;
  const TRect& clip = out.DeviceClipBox();
  const long long top = std::max<long long>(outer.Top(), clip.Top);
  const long long bottom = std::min<long long>(outer.Bottom(), clip.Bottom);
  for (long long y = top; y < bottom; ++y) {
    const TRowSpan row = outer.Row(y);
    const long long left = std::max<long long>(row.Left, clip.Left);
    const long long right = std::min<long long>(row.Right, clip.Right - 1LL);
    for (long long x = left; x <= right; ++x) out.Pixel(x, y, x + y <= diagonal ? a : b);
  }
}

void DrawRadio(TDeviceContext& dc, TRect r, unsigned state) {
  const TRect box = CentredSquare(r);
  TSpanWriter out = dc.Writer();
  const bool mono = state & MonoLook;
  PaintDisc(dc, out, box, 0, mono ? WindowFrame : BtnShadow, mono ? WindowFrame : BtnHighlight);
  PaintDisc(dc, out, box, 1, mono ? Window : DkShadow, mono ? Window : Light);
  const int face = (state & (Inactive | Pushed)) ? BtnFace : Window;
  PaintDisc(dc, out, box, 2, face, face);
  if (state & Checked) {
    const int ink = (state & Inactive) ? BtnShadow : WindowText;
    const int inset = box.Width() / 3;
    PaintDisc(dc, out, box, inset, ink, ink);
  }
}

void DrawPushButton(TDeviceContext& dc, TRect& r, unsigned state) {
  const unsigned edge = (state & (Pushed | Checked)) ? Sunken : Raised;
  TRect inner = r;
  DrawEdgeLines(dc, inner, edge, Sides | Soft | Middle | Adjust | LookOf(state));
  if (state & AdjustRect) r = inner;
}

// The device clip box in logical coordinates; empty when it lies beyond the device limit,
// where logical points cannot reach it.
TRect LogicalClipBox(const TDeviceContext& dc, const TSpanWriter& out) {
  const TRect box = out.DeviceClipBox();
  if (box.IsEmpty()) return {};
  const TPoint topLeft = dc.ToLogical({box.Left, box.Top});
  const TPoint bottomRight = dc.ToLogical({box.Right - 1, box.Bottom - 1});
  if (dc.ToDevice(topLeft) != TPoint{box.Left, box.Top} ||
      dc.ToDevice(bottomRight) != TPoint{box.Right - 1, box.Bottom - 1})
    return {};
  return {topLeft.X, topLeft.Y, bottomRight.X + 1, bottomRight.Y + 1};
}

// A scroll button: a push button with a filled triangle, n + 1 pixels from tip to base. Only
// the triangle's part inside the clip box is walked, so a huge button costs no more than it
// shows.
void DrawArrow(TDeviceContext& dc, TRect r, unsigned kind, unsigned state) {
  const bool pushed = state & Pushed;
  TRect face = r;
  DrawEdgeLines(dc, face, pushed ? Sunken : Raised, Sides | Middle | (pushed ? Flat : 0));
  const int n = std::max(1, (std::min(r.Width(), r.Height()) - 4) / 4);
  const int shift = pushed ? 1 : 0;
  const bool vertical = kind <= 1;
  const long long along =
      (vertical ? r.Top + (r.Height() - n - 1) / 2 : r.Left + (r.Width() - n - 1) / 2) + shift;
  const long long across =
      (vertical ? r.Left + (r.Width() - 1) / 2 : r.Top + (r.Height() - 1) / 2) + shift;
  const bool tipFirst = kind == 0 || kind == 2;
  TSpanWriter out = dc.Writer();
  const TRect vis = LogicalClipBox(dc, out);
  if (vis.IsEmpty()) return;
  const long long lineFrom = vertical ? vis.Top : vis.Left,
                  lineTo = vertical ? vis.Bottom : vis.Right;
  const long long acrossFrom = vertical ? vis.Left : vis.Top,
                  acrossTo = vertical ? vis.Right : vis.Bottom;
  TPaint ink;
  ink.Colour = ColorRefToPixel(SysColorRef((state & Inactive) ? GrayText : BtnText));
  for (long long line = std::max(along, lineFrom); line < std::min(along + n + 1, lineTo); ++line) {
    const long long k = tipFirst ? line - along : n - (line - along);
    const long long from = std::max(across - k, acrossFrom),
                    to = std::min(across + k + 1, acrossTo);
    for (long long a = from; a < to; ++a) {
      const int l = static_cast<int>(line), c = static_cast<int>(a);
      const TPoint d = dc.ToDevice(vertical ? TPoint{c, l} : TPoint{l, c});
      out.Pixel(d.X, d.Y, ink);
    }
  }
}

} // namespace

bool DrawEdgeLines(TDeviceContext& dc, TRect& r, unsigned edge, unsigned flags) {
  const std::optional<TLineColours> outer = LineColours(edge & 3u, false, flags);
  const std::optional<TLineColours> inner = LineColours(edge >> 2 & 3u, true, flags);
  TSpanWriter out = dc.Writer();
  TRect work = WithinDeviceSpace(r);
  if (outer) DrawRing(dc, out, work, *outer, flags);
  if (inner) DrawRing(dc, out, work, *inner, flags);
  if ((flags & Middle) && !work.IsEmpty()) Fill(dc, out, work, (flags & Mono) ? Window : BtnFace);
  if (flags & Adjust) r = work;
  return outer || inner;
}

bool DrawFrameControlParts(TDeviceContext& dc, TRect& rect, unsigned type, unsigned state) {
  const unsigned kind = state & 0xFFu;
  TRect r = WithinDeviceSpace(rect);
  if (type == ButtonControl) {
    if (kind & PushButton)
      DrawPushButton(dc, r, state);
    else if (kind & RadioButton)
      DrawRadio(dc, r, state);
    else
      DrawCheckBox(dc, r, state);
    if (state & AdjustRect) rect = r;
    return true;
  }
  if (type == ScrollControl && kind <= 3) {
    DrawArrow(dc, r, kind, state);
    return true;
  }
  return false;
}

std::unique_ptr<TGdiBitmap> CheckMarkBitmap() {
  auto bitmap = std::make_unique<TGdiBitmap>();
  bitmap->BitsPixel = 1;
  bitmap->Raster = TRaster(13, 13, 0xFFFFFFFFu);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 7; ++x)
      if (CheckGlyph[static_cast<std::size_t>(y)] >> (6 - x) & 1u)
        bitmap->Raster.At(x + 3, y + 3) = 0xFF000000u;
  return bitmap;
}
