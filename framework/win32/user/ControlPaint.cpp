#include "framework/win32/user/ControlPaint.h"

#include "framework/win32/gdi/Edges.h"
#include "framework/win32/gdi/GdiFont.h"
#include "framework/win32/gdi/Primitives.h"
#include "framework/win32/gdi/SysColors.h"
#include "framework/win32/gdi/TextLayout.h"
#include "framework/win32/gdi/TextRender.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/WindowProcs.h"

#include <span>

namespace ControlPaint {

namespace {

// The DC's text target and settings in surface pixels; offset maps logical to surface.
struct TTextSetup {
  TTextTarget Target;
  TTextState State;
  TPoint Offset;
};

TTextSetup TextSetupOf(TDeviceContext& dc) {
  TTextSetup s;
  const TPoint device = dc.ToDevice(TPoint{});
  s.Offset = TPoint{device.X + dc.SurfaceOrigin().X, device.Y + dc.SurfaceOrigin().Y};
  s.Target.Surface = dc.Surface();
  TRegion clip = dc.DeviceClip();
  clip.Offset(dc.SurfaceOrigin().X, dc.SurfaceOrigin().Y);
  s.Target.Clip.assign(clip.Rects().begin(), clip.Rects().end());
  s.State.BkMode = dc.State().BkMode;
  s.State.TextColor = dc.State().TextColour;
  s.State.BkColor = dc.State().BkColour;
  return s;
}

TRect Shifted(const TRect& r, TPoint by) {
  return Rect(r.Left + by.X, r.Top + by.Y, r.Right + by.X, r.Bottom + by.Y);
}

} // namespace

THandleId SysBrush(int index) {
  // The same stock slots the window engine's class brushes use.
  TGdiHandles& table = TGdiHandles::Instance();
  const int stockIndex = 1000 + index;
  if (!table.Stock(stockIndex)) {
    auto brush = std::make_unique<TGdiBrush>();
    brush->SysColourIndex = index;
    table.RegisterStock(stockIndex, std::move(brush));
  }
  return table.Stock(stockIndex);
}

std::uint32_t SysColor(int index) { return SysColorRef(index); }

HDC AsHdc(THandleId id) { return reinterpret_cast<HDC>(id); }
THandleId IdOf(HDC dc) { return reinterpret_cast<THandleId>(dc); }
TDeviceContext* DcOf(HDC dc) { return TGdiHandles::Instance().FindDc(IdOf(dc)); }

THandleId FontOrSystem(THandleId font) {
  TGdiHandles& table = TGdiHandles::Instance();
  if (font && table.FindAs<TGdiFontObject>(font)) return font;
  return table.Stock(SystemFontIndex);
}

const TGdiFont* FontOf(THandleId font) {
  const auto* object = TGdiHandles::Instance().FindAs<TGdiFontObject>(FontOrSystem(font));
  return object ? &object->Font() : nullptr;
}

int LineHeight(THandleId font) {
  const TGdiFont* f = FontOf(font);
  return f ? f->Metrics().tmHeight : 16;
}

int AverageCharWidth(THandleId font) {
  const TGdiFont* f = FontOf(font);
  return f ? std::max(1, static_cast<int>(f->Metrics().tmAveCharWidth)) : 8;
}

int TextWidth(THandleId font, std::string_view text) {
  const TGdiFont* f = FontOf(font);
  return f ? f->TextWidth(text) : 0;
}

TPaintDc::TPaintDc(HWND window, THandleId font) : Window(window) {
  Id = BeginPaintOn(window, Paint);
  Context = TGdiHandles::Instance().FindDc(Id);
  if (Context) Context->State().Font = FontOrSystem(font);
}

TPaintDc::~TPaintDc() {
  if (Id) EndPaintOn(Window, Paint);
}

THandleId ParentColorBrush(HWND control, HDC hdc, UINT message) {
  TDeviceContext* dc = DcOf(hdc);
  const bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
  const int background = window ? ColorWindow : ColorBtnFace;
  if (dc) {
    dc->State().TextColour = SysColor(window ? ColorWindowText : ColorBtnText);
    dc->State().BkColour = SysColor(background);
  }
  const TWindow* w = WindowOf(control);
  if (!w || !w->Parent || !w->IsChild()) return SysBrush(background);
  const auto answer =
      static_cast<THandleId>(SendTo(w->Parent->Handle, message, reinterpret_cast<WPARAM>(hdc),
                                    reinterpret_cast<LPARAM>(control)));
  if (answer && TGdiHandles::Instance().FindAs<TGdiBrush>(answer)) return answer;
  return SysBrush(background);
}

void Fill(TDeviceContext& dc, const TRect& r, THandleId brush) { FillRectWith(dc, r, brush); }

void FillSys(TDeviceContext& dc, const TRect& r, int colorIndex) {
  FillRectWith(dc, r, SysBrush(colorIndex));
}

void FrameSys(TDeviceContext& dc, const TRect& r, int colorIndex) {
  FrameRectWith(dc, r, SysBrush(colorIndex));
}

void FocusRect(TDeviceContext& dc, const TRect& r) {
  // The dotted frame inverts; black on white text colours keep it visible on any face.
  const std::uint32_t text = dc.State().TextColour, back = dc.State().BkColour;
  dc.State().TextColour = 0x000000;
  dc.State().BkColour = 0xFFFFFF;
  DrawFocusRectangle(dc, r);
  dc.State().TextColour = text;
  dc.State().BkColour = back;
}

int DrawText(TDeviceContext& dc, std::string_view text, TRect& r, std::uint32_t format) {
  const auto* font = TGdiHandles::Instance().FindAs<TGdiFontObject>(FontOrSystem(dc.State().Font));
  if (!font || !dc.Surface()) return 0;
  TTextSetup s = TextSetupOf(dc);
  TRect surfaceRect = Shifted(r, s.Offset);
  const int height = Gdi::DrawText(s.Target, font->Font(), s.State, text, surfaceRect, format);
  r = Shifted(surfaceRect, TPoint{-s.Offset.X, -s.Offset.Y});
  return height;
}

void DrawDisabledText(TDeviceContext& dc, std::string_view text, TRect r, std::uint32_t format) {
  const std::uint32_t colour = dc.State().TextColour;
  const int mode = dc.State().BkMode;
  dc.State().BkMode = TTextState::Transparent;
  TRect shifted = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  dc.State().TextColour = SysColor(ColorBtnHighlight);
  DrawText(dc, text, shifted, format);
  dc.State().TextColour = SysColor(ColorBtnShadow);
  DrawText(dc, text, r, format);
  dc.State().TextColour = colour;
  dc.State().BkMode = mode;
}

void TabbedText(TDeviceContext& dc, int x, int y, std::string_view text,
                const std::vector<int>& stops) {
  const auto* font = TGdiHandles::Instance().FindAs<TGdiFontObject>(FontOrSystem(dc.State().Font));
  if (!font || !dc.Surface()) return;
  TTextSetup s = TextSetupOf(dc);
  Gdi::TabbedTextOut(s.Target, font->Font(), s.State, x + s.Offset.X, y + s.Offset.Y, text,
                     std::span<const int>(stops), x + s.Offset.X);
}

void NotifyParent(HWND control, WORD code) {
  const TWindow* w = WindowOf(control);
  if (!w || !w->Parent || !w->IsChild()) return;
  SendTo(w->Parent->Handle, WM_COMMAND,
         static_cast<WPARAM>(MAKELPARAM(static_cast<int>(w->Id & 0xFFFF), code)),
         reinterpret_cast<LPARAM>(control));
}

void Invalidate(HWND control) {
  if (TWindow* w = WindowOf(control)) RedrawRegion(*w, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

} // namespace ControlPaint
