#include "framework/win32/user/ScrollBars.h"

#include "framework/win32/gdi/Edges.h"
#include "framework/win32/gdi/Primitives.h"
#include "framework/win32/user/ControlPaint.h"
#include "framework/win32/user/Focus.h"
#include "framework/win32/user/MessageQueue.h"
#include "framework/win32/user/Metrics.h"
#include "framework/win32/user/NonClient.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace {

constexpr int MinThumb = 8;
constexpr UINT FirstRepeatDelay = 200, RepeatDelay = 50;
constexpr UINT_PTR RepeatTimerId = 0xFFF0;
constexpr unsigned FrameScroll = 3, FrameButton = 4, PushButtonKind = 0x10, Inactive = 0x100,
                   Pushed = 0x200, Flat = 0x4000;

long long MulDiv(long long a, long long b, long long c) { return c == 0 ? 0 : a * b / c; }

int MaxPos(const TScrollBarState& s) { return s.Max - std::max(static_cast<int>(s.Page) - 1, 0); }

void Clamp(TScrollBarState& s) {
  const long long range = static_cast<long long>(s.Max) - s.Min + 1;
  if (s.Page > range) s.Page = static_cast<UINT>(std::max(range, 0LL));
  s.Pos = std::clamp(s.Pos, s.Min, std::max(s.Min, MaxPos(s)));
}

bool IsNeeded(const TScrollBarState& s) { return s.Min < MaxPos(s); }

bool IsVerticalBar(const TWindow& w, int bar) {
  return bar == SB_VERT || (bar == SB_CTL && (w.Style & SBS_VERT));
}

DWORD StyleBit(int bar) { return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL; }

void RedrawBar(HWND h, int bar) {
  TWindow* w = WindowOf(h);
  if (!w || !IsVisibleTree(w)) return;
  if (bar == SB_CTL) {
    RedrawRegion(*w, nullptr, RDW_INVALIDATE);
  } else {
    w->FrameNeeded = true; // the next paint round draws the frame, after any parent erase
  }
}

void FrameChanged(HWND h) {
  PlaceWindow(h, nullptr, 0, 0, 0, 0,
              SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void StoreInfo(TScrollBarState& s, const SCROLLINFO& info) {
  if (info.fMask & SIF_RANGE) {
    const long long span = static_cast<long long>(info.nMax) - info.nMin;
    s.Min = span < 0 || span >= 0x80000000LL ? 0 : info.nMin;
    s.Max = span < 0 || span >= 0x80000000LL ? 0 : info.nMax;
  }
  if (info.fMask & SIF_PAGE) s.Page = info.nPage;
  if (info.fMask & SIF_POS) s.Pos = info.nPos;
  Clamp(s);
}

// Which way the window bar's visibility or enabling should go after new information.
void FollowNeed(HWND h, TWindow& w, int bar, const SCROLLINFO& info, TScrollBarState& s) {
  if (!(info.fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL))) return;
  if (!IsNeeded(s)) {
    if (info.fMask & SIF_DISABLENOSCROLL) {
      s.DisabledArrows = ESB_DISABLE_BOTH;
    } else if (bar != SB_CTL) {
      ShowScrollBarOn(h, bar, false);
    }
  } else if (info.fMask != SIF_PAGE) {
    s.DisabledArrows = ESB_ENABLE_BOTH;
    if (bar != SB_CTL && !(w.Style & StyleBit(bar))) ShowScrollBarOn(h, bar, true);
  }
}

// Two by two pixels: the light colour where x + y is even, the face colour elsewhere.
std::shared_ptr<const TPattern> CheckerPattern(std::uint32_t light, std::uint32_t face) {
  static std::shared_ptr<const TPattern> last;
  if (!last || last->Pixels[0] != light || last->Pixels[1] != face) {
    auto pattern = std::make_shared<TPattern>();
    pattern->Width = pattern->Height = 2;
    pattern->Pixels = {light, face, face, light};
    last = std::move(pattern);
  }
  return last;
}

// The track: highlight pixels on every other one of the scroll-bar colour, in one pattern
// fill whose checker lies on the DC's logical pixels.
void Checker(TDeviceContext& dc, const TRect& r) {
  const std::uint32_t light = ControlPaint::SysColor(ControlPaint::ColorBtnHighlight);
  const std::uint32_t face = ControlPaint::SysColor(ControlPaint::ColorScrollbar);
  if (light == face) return ControlPaint::FillSys(dc, r, ControlPaint::ColorScrollbar);
  TPaint paint;
  paint.Pattern = CheckerPattern(ColorRefToPixel(light), ColorRefToPixel(face));
  paint.Origin = dc.ToDevice(TPoint{});
  FillRectWithPaint(dc, r, paint);
}

// The page part of the track between an arrow and the thumb.
TRect PagePart(const TScrollGeometry& g, bool vertical, bool before) {
  TRect r = g.Track;
  if (g.Thumb.IsEmpty()) return r;
  if (vertical) {
    (before ? r.Bottom : r.Top) = before ? g.Thumb.Top : g.Thumb.Bottom;
  } else {
    (before ? r.Right : r.Left) = before ? g.Thumb.Left : g.Thumb.Right;
  }
  return r;
}

struct TTracking {
  HWND Window = nullptr;
  int Bar = SB_VERT;
  TScrollPart Part = TScrollPart::None;
  bool Inside = false;
  int DragOffset = 0; // mouse minus thumb start along the bar
};

std::optional<TTracking>& Tracking() {
  static std::optional<TTracking> tracking;
  return tracking;
}

// The bar rectangle in screen coordinates and the state behind it.
bool BarOnScreen(const TTracking& t, TRect& screenBar, bool& vertical, TScrollBarState*& state) {
  TWindow* w = WindowOf(t.Window);
  if (!w) return false;
  state = ScrollBarStateOf(*w, t.Bar);
  vertical = IsVerticalBar(*w, t.Bar);
  if (t.Bar == SB_CTL) {
    const TPoint o = ClientScreenOrigin(w);
    screenBar = Bounds(o.X, o.Y, w->Client.Width(), w->Client.Height());
  } else {
    const TPoint o = WindowScreenOrigin(w);
    const TRect r = WindowScrollBarRect(*w, t.Bar);
    screenBar = Rect(r.Left + o.X, r.Top + o.Y, r.Right + o.X, r.Bottom + o.Y);
  }
  return true;
}

void SendRequest(const TTracking& t, int code, int pos) {
  const TWindow* w = WindowOf(t.Window);
  if (!w) return;
  const bool vertical = IsVerticalBar(*w, t.Bar);
  const UINT message = vertical ? WM_VSCROLL : WM_HSCROLL;
  const WPARAM wParam = static_cast<WPARAM>(MAKELPARAM(code, pos));
  if (t.Bar == SB_CTL) {
    if (w->Parent) SendTo(w->Parent->Handle, message, wParam, reinterpret_cast<LPARAM>(t.Window));
  } else {
    SendTo(t.Window, message, wParam, 0);
  }
}

int RequestOf(TScrollPart part) {
  switch (part) {
  case TScrollPart::LineUp:
    return SB_LINEUP;
  case TScrollPart::LineDown:
    return SB_LINEDOWN;
  case TScrollPart::PageUp:
    return SB_PAGEUP;
  case TScrollPart::PageDown:
    return SB_PAGEDOWN;
  default:
    return SB_ENDSCROLL;
  }
}

TScrollPart PartUnder(const TTracking& t, TPoint screen) {
  TRect bar;
  bool vertical = false;
  TScrollBarState* s = nullptr;
  if (!BarOnScreen(t, bar, vertical, s) || !s) return TScrollPart::None;
  const TScrollGeometry g = ScrollGeometry(bar, vertical, *s, true);
  return ScrollPartAt(g, vertical, screen);
}

void Repeat(HWND, UINT, UINT_PTR, DWORD) {
  std::optional<TTracking>& t = Tracking();
  if (!t) return;
  const TScrollPart now = PartUnder(*t, User().Cursor);
  if (now == t->Part) SendRequest(*t, RequestOf(t->Part), 0);
  if (Tracking() && Tracking()->Window)
    AddTimer(Tracking()->Window, RepeatTimerId, RepeatDelay, Repeat);
}

int ThumbValue(const TTracking& t, TPoint screen) {
  TRect bar;
  bool vertical = false;
  TScrollBarState* s = nullptr;
  if (!BarOnScreen(t, bar, vertical, s) || !s) return 0;
  const TScrollGeometry g = ScrollGeometry(bar, vertical, *s, true);
  const int thumbLength = vertical ? g.Thumb.Height() : g.Thumb.Width();
  const int trackStart = vertical ? g.Track.Top : g.Track.Left;
  const int pixels = (vertical ? g.Track.Height() : g.Track.Width()) - thumbLength;
  if (pixels <= 0) return s->Min;
  const int at =
      std::clamp((vertical ? screen.Y : screen.X) - t.DragOffset - trackStart, 0, pixels);
  const long long range = static_cast<long long>(MaxPos(*s)) - s->Min;
  return s->Min + static_cast<int>((at * range + pixels / 2) / pixels);
}

void EndTracking() {
  std::optional<TTracking>& t = Tracking();
  if (!t) return;
  const TTracking ended = *t;
  t.reset();
  RemoveTimer(ended.Window, RepeatTimerId);
  if (TWindow* w = WindowOf(ended.Window)) {
    if (TScrollBarState* s = ScrollBarStateOf(*w, ended.Bar)) s->Tracking = false;
    if (User().Capture == ended.Window) ReleaseCaptureNow();
  }
  if (ended.Part == TScrollPart::Thumb) {
    TWindow* w = WindowOf(ended.Window);
    TScrollBarState* s = w ? ScrollBarStateOf(*w, ended.Bar) : nullptr;
    if (s) SendRequest(ended, SB_THUMBPOSITION, s->TrackPos);
  }
  SendRequest(ended, SB_ENDSCROLL, 0);
  RedrawBar(ended.Window, ended.Bar);
}

void MoveTracking(TPoint screen) {
  std::optional<TTracking>& t = Tracking();
  TWindow* w = WindowOf(t->Window);
  TScrollBarState* s = w ? ScrollBarStateOf(*w, t->Bar) : nullptr;
  if (!s) return EndTracking();
  if (t->Part != TScrollPart::Thumb) {
    const bool inside = PartUnder(*t, screen) == t->Part;
    if (inside != t->Inside) {
      t->Inside = inside;
      RedrawBar(t->Window, t->Bar);
    }
    return;
  }
  const int value = ThumbValue(*t, screen);
  if (value == s->TrackPos) return;
  s->TrackPos = value;
  SendRequest(*t, SB_THUMBTRACK, value);
  RedrawBar(t->Window, t->Bar);
}

} // namespace

TScrollBarState* ScrollBarStateOf(TWindow& w, int bar) {
  return bar >= SB_HORZ && bar <= SB_CTL ? &w.ScrollBars[bar] : nullptr;
}

int SetScrollInfoOn(HWND h, int bar, const SCROLLINFO& info, bool redraw) {
  TWindow* w = WindowOf(h);
  TScrollBarState* s = w ? ScrollBarStateOf(*w, bar) : nullptr;
  if (!s) return 0;
  StoreInfo(*s, info);
  FollowNeed(h, *w, bar, info, *s);
  if (redraw) RedrawBar(h, bar);
  return s->Pos;
}

bool GetScrollInfoOf(HWND h, int bar, SCROLLINFO& info) {
  TWindow* w = WindowOf(h);
  TScrollBarState* s = w ? ScrollBarStateOf(*w, bar) : nullptr;
  if (!s || !(info.fMask & SIF_ALL)) return false;
  if (info.fMask & SIF_RANGE) {
    info.nMin = s->Min;
    info.nMax = s->Max;
  }
  if (info.fMask & SIF_PAGE) info.nPage = s->Page;
  if (info.fMask & SIF_POS) info.nPos = s->Pos;
  if (info.fMask & SIF_TRACKPOS) info.nTrackPos = s->Tracking ? s->TrackPos : s->Pos;
  return true;
}

int SetScrollPosOn(HWND h, int bar, int pos, bool redraw) {
  TWindow* w = WindowOf(h);
  TScrollBarState* s = w ? ScrollBarStateOf(*w, bar) : nullptr;
  if (!s) return 0;
  const int before = s->Pos;
  SCROLLINFO info;
  info.fMask = SIF_POS;
  info.nPos = pos;
  SetScrollInfoOn(h, bar, info, redraw);
  return before;
}

int ScrollPosOf(HWND h, int bar) {
  TWindow* w = WindowOf(h);
  const TScrollBarState* s = w ? ScrollBarStateOf(*w, bar) : nullptr;
  return s ? s->Pos : 0;
}

bool SetScrollRangeOn(HWND h, int bar, int min, int max, bool redraw) {
  TWindow* w = WindowOf(h);
  if (!w || !ScrollBarStateOf(*w, bar)) return false;
  if (static_cast<long long>(max) - min >= 0x80000000LL) return false;
  SCROLLINFO info;
  info.fMask = SIF_RANGE;
  info.nMin = min;
  info.nMax = max;
  SetScrollInfoOn(h, bar, info, redraw);
  return true;
}

bool ScrollRangeOf(HWND h, int bar, int* min, int* max) {
  TWindow* w = WindowOf(h);
  const TScrollBarState* s = w ? ScrollBarStateOf(*w, bar) : nullptr;
  if (!s || !min || !max) return false;
  *min = s->Min;
  *max = s->Max;
  return true;
}

bool ShowScrollBarOn(HWND h, int bar, bool show) {
  TWindow* w = WindowOf(h);
  if (!w || bar < SB_HORZ || bar > SB_BOTH) return false;
  if (bar == SB_CTL) {
    ShowWindowAs(h, show ? SW_SHOW : SW_HIDE);
    return true;
  }
  const DWORD bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : StyleBit(bar);
  const DWORD style = show ? (w->Style | bits) : (w->Style & ~bits);
  if (style == w->Style) return true;
  w->Style = style;
  FrameChanged(h);
  return true;
}

bool EnableScrollBarOn(HWND h, int bar, UINT arrows) {
  TWindow* w = WindowOf(h);
  if (!w) return false;
  const int first = bar == SB_BOTH ? SB_HORZ : bar, last = bar == SB_BOTH ? SB_VERT : bar;
  bool changed = false;
  for (int b = first; b <= last; ++b) {
    TScrollBarState* s = ScrollBarStateOf(*w, b);
    if (!s) return false;
    changed = changed || s->DisabledArrows != (arrows & ESB_DISABLE_BOTH);
    s->DisabledArrows = arrows & ESB_DISABLE_BOTH;
    RedrawBar(h, b);
  }
  return changed;
}

TRect WindowScrollBarRect(const TWindow& w, int bar) {
  const TRect& c = w.Client;
  if (bar == SB_VERT && (w.Style & WS_VSCROLL))
    return Rect(c.Right, c.Top, c.Right + SystemMetric(SM_CXVSCROLL), c.Bottom);
  if (bar == SB_HORZ && (w.Style & WS_HSCROLL))
    return Rect(c.Left, c.Bottom, c.Right, c.Bottom + SystemMetric(SM_CYHSCROLL));
  return TRect{};
}

TScrollGeometry ScrollGeometry(const TRect& bar, bool vertical, const TScrollBarState& s,
                               bool enabled) {
  TScrollGeometry g;
  const int length = vertical ? bar.Height() : bar.Width();
  const int thickness = vertical ? bar.Width() : bar.Height();
  g.ArrowSize = std::min(thickness, length / 2);
  if (vertical) {
    g.LineUp = Rect(bar.Left, bar.Top, bar.Right, bar.Top + g.ArrowSize);
    g.LineDown = Rect(bar.Left, bar.Bottom - g.ArrowSize, bar.Right, bar.Bottom);
    g.Track = Rect(bar.Left, g.LineUp.Bottom, bar.Right, g.LineDown.Top);
  } else {
    g.LineUp = Rect(bar.Left, bar.Top, bar.Left + g.ArrowSize, bar.Bottom);
    g.LineDown = Rect(bar.Right - g.ArrowSize, bar.Top, bar.Right, bar.Bottom);
    g.Track = Rect(g.LineUp.Right, bar.Top, g.LineDown.Left, bar.Bottom);
  }
  const int pixels = vertical ? g.Track.Height() : g.Track.Width();
  const long long range = static_cast<long long>(s.Max) - s.Min + 1;
  int thumb =
      s.Page ? std::max(MinThumb, static_cast<int>(MulDiv(pixels, s.Page, range))) : thickness;
  const int room = pixels - thumb;
  if (room < 0 || !enabled || s.DisabledArrows == ESB_DISABLE_BOTH || !IsNeeded(s)) return g;
  const int pos = s.Tracking ? s.TrackPos : s.Pos;
  const int offset = static_cast<int>(MulDiv(room, pos - s.Min, MaxPos(s) - s.Min));
  g.Thumb = vertical
                ? Rect(bar.Left, g.Track.Top + offset, bar.Right, g.Track.Top + offset + thumb)
                : Rect(g.Track.Left + offset, bar.Top, g.Track.Left + offset + thumb, bar.Bottom);
  return g;
}

TScrollPart ScrollPartAt(const TScrollGeometry& g, bool vertical, TPoint p) {
  if (g.LineUp.Contains(p)) return TScrollPart::LineUp;
  if (g.LineDown.Contains(p)) return TScrollPart::LineDown;
  if (!g.Track.Contains(p)) return TScrollPart::None;
  if (g.Thumb.IsEmpty()) return TScrollPart::None;
  if (g.Thumb.Contains(p)) return TScrollPart::Thumb;
  const bool before = vertical ? p.Y < g.Thumb.Top : p.X < g.Thumb.Left;
  return before ? TScrollPart::PageUp : TScrollPart::PageDown;
}

void DrawScrollBar(TDeviceContext& dc, const TRect& bar, bool vertical, const TScrollBarState& s,
                   bool enabled, TScrollPart pressed) {
  const TScrollGeometry g = ScrollGeometry(bar, vertical, s, enabled);
  const bool all = !enabled || s.DisabledArrows == ESB_DISABLE_BOTH || !IsNeeded(s);
  const unsigned upState = (all || (s.DisabledArrows & ESB_DISABLE_UP) ? Inactive : 0) |
                           (pressed == TScrollPart::LineUp ? Pushed | Flat : 0);
  const unsigned downState = (all || (s.DisabledArrows & ESB_DISABLE_DOWN) ? Inactive : 0) |
                             (pressed == TScrollPart::LineDown ? Pushed | Flat : 0);
  TRect up = g.LineUp, down = g.LineDown;
  DrawFrameControlParts(dc, up, FrameScroll, (vertical ? 0x0u : 0x2u) | upState);
  DrawFrameControlParts(dc, down, FrameScroll, (vertical ? 0x1u : 0x3u) | downState);
  if (g.Track.IsEmpty()) return;
  Checker(dc, g.Track);
  if (pressed == TScrollPart::PageUp || pressed == TScrollPart::PageDown)
    ControlPaint::FillSys(dc, PagePart(g, vertical, pressed == TScrollPart::PageUp),
                          ControlPaint::Color3dDkShadow);
  if (!g.Thumb.IsEmpty()) {
    TRect thumb = g.Thumb;
    DrawFrameControlParts(dc, thumb, FrameButton, PushButtonKind);
  }
}

void BeginScrollTracking(HWND h, int bar, TPoint screen) {
  TWindow* w = WindowOf(h);
  TScrollBarState* s = w ? ScrollBarStateOf(*w, bar) : nullptr;
  if (!s || !IsEnabledTree(w)) return;
  EndTracking();
  TTracking t{h, bar, TScrollPart::None, true, 0};
  t.Part = PartUnder(t, screen);
  if (t.Part == TScrollPart::None) return;
  if (t.Part == TScrollPart::LineUp && (s->DisabledArrows & ESB_DISABLE_UP)) return;
  if (t.Part == TScrollPart::LineDown && (s->DisabledArrows & ESB_DISABLE_DOWN)) return;
  if (t.Part == TScrollPart::Thumb) {
    TRect screenBar;
    bool vertical = false;
    TScrollBarState* state = nullptr;
    BarOnScreen(t, screenBar, vertical, state);
    const TScrollGeometry g = ScrollGeometry(screenBar, vertical, *s, true);
    t.DragOffset = vertical ? screen.Y - g.Thumb.Top : screen.X - g.Thumb.Left;
    s->TrackPos = s->Pos;
    s->Tracking = true;
  }
  Tracking() = t;
  SetCaptureTo(h);
  if (t.Part != TScrollPart::Thumb) {
    SendRequest(t, RequestOf(t.Part), 0);
    if (Tracking()) AddTimer(h, RepeatTimerId, FirstRepeatDelay, Repeat);
  }
  RedrawBar(h, bar);
}

bool IsScrollTracking() { return Tracking().has_value(); }

bool TrackScrollInput(const TRawInput& input) {
  std::optional<TTracking>& t = Tracking();
  if (!t) return false;
  if (!WindowOf(t->Window) || User().Capture != t->Window) {
    t.reset();
    return false;
  }
  if (input.Kind == TRawKind::MouseMove) MoveTracking(input.Screen);
  if (input.Kind == TRawKind::ButtonUp && input.Button == 0) EndTracking();
  return true;
}

TScrollPart PressedScrollPart(HWND h, int bar) {
  const std::optional<TTracking>& t = Tracking();
  if (!t || t->Window != h || t->Bar != bar || !t->Inside) return TScrollPart::None;
  return t->Part;
}
