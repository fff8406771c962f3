#include "framework/win32/user/NonClient.h"

#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/DeviceContext.h"
#include "framework/win32/gdi/Edges.h"
#include "framework/win32/gdi/FontEngine.h"
#include "framework/win32/gdi/SysColors.h"
#include "framework/win32/gdi/TextRender.h"
#include "framework/win32/user/FrameTracking.h"
#include "framework/win32/user/MenuLayout.h"
#include "framework/win32/user/MenuPaint.h"
#include "framework/win32/user/Metrics.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/ScrollBars.h"
#include "framework/win32/user/WindowTree.h"

#include <cstring>
#include <optional>
#include <vector>

namespace {

// System colour indices (the COLOR_ codes).
constexpr int SysActivecaption = 2, SysInactivecaption = 3, SysWindowframe = 6, SysCaptiontext = 9,
              SysActiveborder = 10, SysBtnface = 15, SysGraytext = 17, SysBtntext = 18,
              SysInactivecaptiontext = 19, SysGradientactivecaption = 27,
              SysGradientinactivecaption = 28;

constexpr int CloseButtonWidth = 16;
constexpr int CloseButtonHeight = 14;

bool HasCaption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

int BorderWidth(DWORD style, DWORD exStyle) {
  int width = 0;
  if (style & WS_THICKFRAME) {
    width = SystemMetric(SM_CXFRAME);
  } else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
    width = SystemMetric(SM_CXDLGFRAME);
  } else if (style & WS_BORDER) {
    width = 1;
  }
  if (exStyle & WS_EX_CLIENTEDGE) width += 2;
  if (exStyle & WS_EX_STATICEDGE) width += 1;
  return width;
}

TRect Inside(TRect r, const TRect& insets) {
  return Rect(r.Left + insets.Left, r.Top + insets.Top, r.Right - insets.Right,
              r.Bottom - insets.Bottom);
}

std::uint32_t SysPixel(int index) { return 0xFF000000u | ColorRefToPixel(SysColorRef(index)); }

// Fills a rectangle (window coordinates) with a pixel inside the visible clip.
void Fill(TRaster& surface, const TRegion& clip, TPoint origin, TRect r, std::uint32_t pixel) {
  r = Rect(r.Left + origin.X, r.Top + origin.Y, r.Right + origin.X, r.Bottom + origin.Y);
  for (TRect part : clip.Rects()) {
    part.Left = std::max(part.Left, r.Left);
    part.Top = std::max(part.Top, r.Top);
    part.Right = std::min(part.Right, r.Right);
    part.Bottom = std::min(part.Bottom, r.Bottom);
    for (int y = part.Top; y < part.Bottom; ++y)
      for (int x = part.Left; x < part.Right; ++x) surface.At(x, y) = pixel;
  }
}

std::uint32_t Blend(std::uint32_t a, std::uint32_t b, int step, int steps) {
  auto channel = [&](int shift) {
    const int ca = static_cast<int>(a >> shift & 0xFF), cb = static_cast<int>(b >> shift & 0xFF);
    return static_cast<std::uint32_t>(ca + (cb - ca) * step / std::max(steps, 1)) << shift;
  };
  return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

const TGdiFont* CaptionFont() {
  static std::optional<TGdiFont> font;
  static LOGFONTA madeFrom;
  const LOGFONTA& wanted = NonClientMetrics().lfCaptionFont;
  const bool same = font && std::memcmp(&madeFrom, &wanted, sizeof(LOGFONTA)) == 0;
  if (!same) {
    try {
      font.emplace(wanted);
      madeFrom = wanted;
    } catch (const Exception&) {
      font.reset();
    }
  }
  return font ? &*font : nullptr;
}

void DrawCloseButton(TDeviceContext& dc, TRaster& surface, const TRegion& clip, TPoint origin,
                     TRect button, bool pressed) {
  DrawFrameControlParts(dc, button, 4 /* DFC_BUTTON */,
                        0x10 /* DFCS_BUTTONPUSH */ | (pressed ? 0x200 /* DFCS_PUSHED */ : 0));
  const int shift = pressed ? 1 : 0;
  const int cx = button.Left + button.Width() / 2 - 1 + shift,
            cy = button.Top + button.Height() / 2 - 1 + shift;
  const std::uint32_t ink = SysPixel(SysBtntext);
  for (int i = -3; i <= 3; ++i) {
    Fill(surface, clip, origin, Rect(cx + i, cy + i, cx + i + 2, cy + i + 1), ink);
    Fill(surface, clip, origin, Rect(cx + i, cy - i, cx + i + 2, cy - i + 1), ink);
  }
}

struct TCaptionButton {
  LRESULT Hit;
  TRect Rect;
  bool Enabled;
};

// The caption's buttons from the right: close, then maximise and minimise when the window has
// either box (the one it lacks drawn disabled).
std::vector<TCaptionButton> CaptionButtons(const TWindow& w) {
  std::vector<TCaptionButton> buttons;
  if (!(w.Style & WS_SYSMENU)) return buttons;
  const TRect bar = CaptionRect(w);
  const int top = bar.Top + (bar.Height() - CloseButtonHeight) / 2;
  int left = bar.Right - 2 - CloseButtonWidth;
  buttons.push_back({HTCLOSE, Bounds(left, top, CloseButtonWidth, CloseButtonHeight), true});
  if (!(w.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) || (w.ExStyle & WS_EX_TOOLWINDOW))
    return buttons;
  left -= 2 + CloseButtonWidth;
  buttons.push_back({HTMAXBUTTON, Bounds(left, top, CloseButtonWidth, CloseButtonHeight),
                     (w.Style & WS_MAXIMIZEBOX) != 0});
  left -= CloseButtonWidth;
  buttons.push_back({HTMINBUTTON, Bounds(left, top, CloseButtonWidth, CloseButtonHeight),
                     (w.Style & WS_MINIMIZEBOX) != 0});
  return buttons;
}

// A box outline with the thick top line of the maximise and restore glyphs.
void DrawWindowGlyph(TRaster& surface, const TRegion& clip, TPoint origin, TRect box,
                     std::uint32_t ink) {
  Fill(surface, clip, origin, Rect(box.Left, box.Top, box.Right, box.Top + 2), ink);
  Fill(surface, clip, origin, Rect(box.Left, box.Bottom - 1, box.Right, box.Bottom), ink);
  Fill(surface, clip, origin, Rect(box.Left, box.Top, box.Left + 1, box.Bottom), ink);
  Fill(surface, clip, origin, Rect(box.Right - 1, box.Top, box.Right, box.Bottom), ink);
}

void DrawSizeButton(const TWindow& w, TDeviceContext& dc, TRaster& surface, const TRegion& clip,
                    TPoint origin, const TCaptionButton& button, bool pressed) {
  TRect face = button.Rect;
  DrawFrameControlParts(dc, face, 4 /* DFC_BUTTON */,
                        0x10 /* DFCS_BUTTONPUSH */ | (pressed ? 0x200 /* DFCS_PUSHED */ : 0));
  const int shift = pressed ? 1 : 0;
  const int cx = button.Rect.Left + button.Rect.Width() / 2 - 1 + shift,
            cy = button.Rect.Top + button.Rect.Height() / 2 - 1 + shift;
  const std::uint32_t ink = SysPixel(button.Enabled ? SysBtntext : SysGraytext);
  if (button.Hit == HTMINBUTTON) {
    Fill(surface, clip, origin, Rect(cx - 3, cy + 3, cx + 3, cy + 5), ink);
  } else if (w.Style & WS_MAXIMIZE) {
    DrawWindowGlyph(surface, clip, origin, Rect(cx - 1, cy - 4, cx + 5, cy + 1), ink);
    const TRect front = Rect(cx - 4, cy - 1, cx + 2, cy + 4);
    Fill(surface, clip, origin, front, SysPixel(SysBtnface));
    DrawWindowGlyph(surface, clip, origin, front, ink);
  } else {
    DrawWindowGlyph(surface, clip, origin, Rect(cx - 4, cy - 4, cx + 5, cy + 4), ink);
  }
}

void DrawCaption(TWindow& w, bool active, TDeviceContext& dc, TRaster& surface, const TRegion& clip,
                 TPoint origin) {
  const TRect bar = CaptionRect(w);
  const std::uint32_t from = SysPixel(active ? SysActivecaption : SysInactivecaption);
  const std::uint32_t to = SysPixel(active ? SysGradientactivecaption : SysGradientinactivecaption);
  for (int x = bar.Left; x < bar.Right; ++x)
    Fill(surface, clip, origin, Rect(x, bar.Top, x + 1, bar.Bottom),
         Blend(from, to, x - bar.Left, bar.Width() - 1));
  Fill(surface, clip, origin, Rect(bar.Left, bar.Bottom, bar.Right, bar.Bottom + 1),
       SysPixel(SysBtnface));
  int textRight = bar.Right - 2;
  for (const TCaptionButton& button : CaptionButtons(w)) {
    const bool pressed = PressedFrameButton(w.Handle) == button.Hit;
    if (button.Hit == HTCLOSE)
      DrawCloseButton(dc, surface, clip, origin, button.Rect, pressed);
    else
      DrawSizeButton(w, dc, surface, clip, origin, button, pressed);
    textRight = button.Rect.Left - 2;
  }
  const TGdiFont* font = CaptionFont();
  if (!font || w.Text.empty()) return;
  TRegion textClip = clip;
  textClip.IntersectWith(Rect(bar.Left + origin.X + 2, bar.Top + origin.Y, textRight + origin.X,
                              bar.Bottom + origin.Y));
  const std::span<const TRect> parts = textClip.Rects();
  TTextTarget target{&surface, {parts.begin(), parts.end()}};
  TTextState state;
  state.BkMode = TTextState::Transparent;
  state.TextColor = SysColorRef(active ? SysCaptiontext : SysInactivecaptiontext);
  const int y = bar.Top + (bar.Height() - font->Metrics().tmHeight) / 2;
  Gdi::TextOut(target, *font, state, bar.Left + origin.X + 3, y + origin.Y, w.Text);
}

void DrawScrollBars(const TWindow& w, TDeviceContext& dc, TRaster& surface, const TRegion& clip,
                    TPoint origin, const TRect& inner) {
  const bool enabled = !(w.Style & WS_DISABLED);
  for (int bar : {SB_HORZ, SB_VERT}) {
    const TRect r = WindowScrollBarRect(w, bar);
    if (!r.IsEmpty())
      DrawScrollBar(dc, r, bar == SB_VERT, w.ScrollBars[bar], enabled,
                    PressedScrollPart(w.Handle, bar));
  }
  const int sw = SystemMetric(SM_CXVSCROLL), sh = SystemMetric(SM_CYHSCROLL);
  if ((w.Style & WS_VSCROLL) && (w.Style & WS_HSCROLL))
    Fill(surface, clip, origin,
         Rect(inner.Right - sw, inner.Bottom - sh, inner.Right, inner.Bottom),
         SysPixel(SysBtnface));
}

// The frame lines from the outside in; r shrinks past each.
void DrawBorders(const TWindow& w, TDeviceContext& dc, TRaster& surface, const TRegion& clip,
                 TPoint origin, TRect& r) {
  if (w.Style & WS_THICKFRAME) {
    DrawEdgeLines(dc, r, EdgeFlags::RaisedOuter | EdgeFlags::RaisedInner,
                  EdgeFlags::Left | EdgeFlags::Top | EdgeFlags::Right | EdgeFlags::Bottom |
                      EdgeFlags::Adjust);
    const int rest = SystemMetric(SM_CXFRAME) - 2;
    const TRect inner = Rect(r.Left + rest, r.Top + rest, r.Right - rest, r.Bottom - rest);
    TRegion ring = TRegion::Combine(TRegion(r), TRegion(inner), TRegionOp::Diff);
    for (const TRect& part : ring.Rects())
      Fill(surface, clip, origin, part, SysPixel(SysActiveborder));
    r = inner;
  } else if ((w.Style & WS_DLGFRAME) || (w.ExStyle & WS_EX_DLGMODALFRAME)) {
    DrawEdgeLines(dc, r, EdgeFlags::RaisedOuter | EdgeFlags::RaisedInner,
                  EdgeFlags::Left | EdgeFlags::Top | EdgeFlags::Right | EdgeFlags::Bottom |
                      EdgeFlags::Adjust);
    const TRect inner = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    TRegion ring = TRegion::Combine(TRegion(r), TRegion(inner), TRegionOp::Diff);
    for (const TRect& part : ring.Rects()) Fill(surface, clip, origin, part, SysPixel(SysBtnface));
    r = inner;
  } else if (w.Style & WS_BORDER) {
    const TRect inner = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    TRegion ring = TRegion::Combine(TRegion(r), TRegion(inner), TRegionOp::Diff);
    for (const TRect& part : ring.Rects())
      Fill(surface, clip, origin, part, SysPixel(SysWindowframe));
    r = inner;
  }
}

void DrawClientEdges(const TWindow& w, TDeviceContext& dc, TRect& r) {
  const unsigned all =
      EdgeFlags::Left | EdgeFlags::Top | EdgeFlags::Right | EdgeFlags::Bottom | EdgeFlags::Adjust;
  if (w.ExStyle & WS_EX_CLIENTEDGE)
    DrawEdgeLines(dc, r, EdgeFlags::SunkenOuter | EdgeFlags::SunkenInner, all);
  if (w.ExStyle & WS_EX_STATICEDGE) DrawEdgeLines(dc, r, EdgeFlags::SunkenOuter, all);
}

} // namespace

TRect FrameInsets(DWORD style, DWORD exStyle) {
  const int border = BorderWidth(style, exStyle);
  TRect insets{border, border, border, border};
  if (HasCaption(style)) insets.Top += SystemMetric(SM_CYCAPTION);
  if (style & WS_VSCROLL) insets.Right += SystemMetric(SM_CXVSCROLL);
  if (style & WS_HSCROLL) insets.Bottom += SystemMetric(SM_CYHSCROLL);
  return insets;
}

TRect CaptionRect(const TWindow& w) {
  if (!HasCaption(w.Style)) return TRect{};
  int border = BorderWidth(w.Style, w.ExStyle);
  if (w.ExStyle & WS_EX_CLIENTEDGE) border -= 2;
  if (w.ExStyle & WS_EX_STATICEDGE) border -= 1;
  return Rect(border, border, w.Rect.Width() - border, border + NonClientMetrics().iCaptionHeight);
}

LRESULT HitTestFrame(const TWindow& w, TPoint screen) {
  const TPoint origin = WindowScreenOrigin(&w);
  const TPoint p{screen.X - origin.X, screen.Y - origin.Y};
  const TRect whole = Rect(0, 0, w.Rect.Width(), w.Rect.Height());
  if (!whole.Contains(p)) return HTNOWHERE;
  if (w.Client.Contains(p)) return HTCLIENT;
  const TRect caption = CaptionRect(w);
  if (caption.Contains(p)) {
    for (const TCaptionButton& button : CaptionButtons(w))
      if (button.Enabled && p.X >= button.Rect.Left && p.X < button.Rect.Right) return button.Hit;
    return HTCAPTION;
  }
  if (MenuBarRect(w).Contains(p)) return HTMENU;
  const TRect inner =
      Inside(whole, TRect{BorderWidth(w.Style, w.ExStyle), BorderWidth(w.Style, w.ExStyle),
                          BorderWidth(w.Style, w.ExStyle), BorderWidth(w.Style, w.ExStyle)});
  if (inner.Contains(p)) {
    if ((w.Style & WS_VSCROLL) && p.X >= w.Client.Right) return HTVSCROLL;
    if ((w.Style & WS_HSCROLL) && p.Y >= w.Client.Bottom) return HTHSCROLL;
    return HTBORDER;
  }
  if (!(w.Style & WS_THICKFRAME)) return HTBORDER;
  const bool left = p.X < inner.Left, right = p.X >= inner.Right;
  const bool top = p.Y < inner.Top, bottom = p.Y >= inner.Bottom;
  if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
  if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
  return left ? HTLEFT : HTRIGHT;
}

void PaintFrame(TWindow& w, bool active) {
  TWindow* top = TopLevelOf(&w);
  if (!top || !top->Surface || w.Client == Rect(0, 0, w.Rect.Width(), w.Rect.Height())) return;
  // Children lie inside the client area, which the frame leaves out anyway.
  const TRegion clip = VisibleRegion(w, true, false, true);
  const TRegion frameOnly =
      TRegion::Combine(clip,
                       TRegion(Bounds(ClientSurfaceOrigin(&w).X, ClientSurfaceOrigin(&w).Y,
                                      w.Client.Width(), w.Client.Height())),
                       TRegionOp::Diff);
  if (frameOnly.IsEmpty()) return;
  const TPoint origin = WindowSurfaceOrigin(&w);
  TRegion deviceClip = frameOnly;
  deviceClip.Offset(-origin.X, -origin.Y);
  TDeviceContext dc(top->Surface.get(), origin, deviceClip);
  TRect r = Rect(0, 0, w.Rect.Width(), w.Rect.Height());
  DrawBorders(w, dc, *top->Surface, frameOnly, origin, r);
  if (HasCaption(w.Style)) {
    DrawCaption(w, active, dc, *top->Surface, frameOnly, origin);
    r.Top += SystemMetric(SM_CYCAPTION);
  }
  r.Top += MenuBarRect(w).Height();
  DrawClientEdges(w, dc, r);
  DrawScrollBars(w, dc, *top->Surface, frameOnly, origin, r);
  top->SurfaceChanged = true;
  PaintWindowMenuBar(w.Handle);
}
