#include "framework/win32/user/StaticClass.h"

#include "framework/win32/gdi/Blit.h"
#include "framework/win32/gdi/Edges.h"
#include "framework/win32/user/ControlPaint.h"
#include "framework/win32/user/DefaultProc.h"
#include "framework/win32/user/WindowClasses.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

namespace {

using namespace ControlPaint;

constexpr std::uint32_t SrcCopy = 0x00CC0020;

struct TStaticData : TControlData {
  THandleId Font = 0;
  LRESULT Image = 0;
  WPARAM ImageType = IMAGE_BITMAP;
};

DWORD TypeOf(const TWindow& w) { return w.Style & SS_TYPEMASK; }
TRect ClientOf(const TWindow& w) { return Rect(0, 0, w.Client.Width(), w.Client.Height()); }

std::uint32_t TextFormat(const TWindow& w) {
  std::uint32_t format = DT_EXPANDTABS;
  switch (TypeOf(w)) {
  case SS_CENTER:
    format |= DT_CENTER | DT_WORDBREAK;
    break;
  case SS_RIGHT:
    format |= DT_RIGHT | DT_WORDBREAK;
    break;
  case SS_SIMPLE:
    format |= DT_SINGLELINE;
    break;
  case SS_LEFTNOWORDWRAP:
    break;
  default:
    format |= DT_WORDBREAK;
  }
  if (w.Style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (w.Style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  switch (w.Style & SS_WORDELLIPSIS) {
  case SS_ENDELLIPSIS:
    format |= DT_END_ELLIPSIS;
    break;
  case SS_PATHELLIPSIS:
    format |= DT_PATH_ELLIPSIS;
    break;
  case SS_WORDELLIPSIS:
    format |= 0x00040000; // DT_WORD_ELLIPSIS
    break;
  default:
    break;
  }
  return format;
}

void PaintText(TDeviceContext& dc, HDC hdc, const TWindow& w) {
  TRect r = ClientOf(w);
  Fill(dc, r, ParentColorBrush(w.Handle, hdc, WM_CTLCOLORSTATIC));
  dc.State().BkMode = 1;
  if (DrawsEnabled(w)) {
    DrawText(dc, w.Text, r, TextFormat(w));
  } else {
    DrawDisabledText(dc, w.Text, r, TextFormat(w));
  }
}

void PaintEtched(TDeviceContext& dc, const TWindow& w) {
  TRect r = ClientOf(w);
  const unsigned sides = TypeOf(w) == SS_ETCHEDHORZ   ? EdgeFlags::Top
                         : TypeOf(w) == SS_ETCHEDVERT ? EdgeFlags::Left
                                                      : EdgeFlags::Left | EdgeFlags::Top |
                                                            EdgeFlags::Right | EdgeFlags::Bottom;
  DrawEdgeLines(dc, r, EdgeFlags::SunkenOuter | EdgeFlags::RaisedInner, sides);
}

void PaintBitmap(TDeviceContext& dc, HDC hdc, const TWindow& w, const TStaticData& d) {
  const TRect client = ClientOf(w);
  Fill(dc, client, ParentColorBrush(w.Handle, hdc, WM_CTLCOLORSTATIC));
  const auto* bitmap = TGdiHandles::Instance().FindAs<TGdiBitmap>(static_cast<THandleId>(d.Image));
  if (!bitmap || d.ImageType != IMAGE_BITMAP) return;
  const int width = bitmap->Raster.Width, height = bitmap->Raster.Height;
  int x = 0, y = 0;
  if (w.Style & SS_CENTERIMAGE) {
    x = (client.Width() - width) / 2;
    y = (client.Height() - height) / 2;
  }
  TBlitSource source;
  source.Raster = &bitmap->Raster;
  source.Monochrome = bitmap->BitsPixel == 1;
  StretchBlit(dc, TBlitArea{x, y, width, height}, source, TBlitArea{0, 0, width, height}, SrcCopy);
}

void Paint(HWND h, TWindow& w) {
  auto& d = DataOf<TStaticData>(w);
  TPaintDc paint(h, d.Font);
  if (!paint) return;
  TDeviceContext& dc = paint.Dc();
  const TRect r = ClientOf(w);
  switch (TypeOf(w)) {
  case SS_BLACKRECT:
    return FillSys(dc, r, ColorWindowFrame);
  case SS_GRAYRECT:
    return FillSys(dc, r, ColorBtnShadow);
  case SS_WHITERECT:
    return FillSys(dc, r, ColorWindow);
  case SS_BLACKFRAME:
    return FrameSys(dc, r, ColorWindowFrame);
  case SS_GRAYFRAME:
    return FrameSys(dc, r, ColorBtnShadow);
  case SS_WHITEFRAME:
    return FrameSys(dc, r, ColorWindow);
  case SS_ETCHEDHORZ:
  case SS_ETCHEDVERT:
  case SS_ETCHEDFRAME:
    return PaintEtched(dc, w);
  case SS_BITMAP:
  case SS_ICON:
    return PaintBitmap(dc, paint.Handle(), w, d);
  case SS_OWNERDRAW:
    return;
  default:
    return PaintText(dc, paint.Handle(), w);
  }
}

LRESULT NcCreate(HWND h, TWindow& w, WPARAM wParam, LPARAM lParam) {
  if (w.Style & SS_SUNKEN) w.ExStyle |= WS_EX_STATICEDGE;
  return DefaultWindowProc(h, WM_NCCREATE, wParam, lParam);
}

LRESULT SetImage(HWND h, TWindow& w, WPARAM type, LPARAM image) {
  auto& d = DataOf<TStaticData>(w);
  const LRESULT before = d.Image;
  d.Image = image;
  d.ImageType = type;
  Invalidate(h);
  return before;
}

LRESULT Enable(HWND h, const TWindow& w, WPARAM enabled) {
  if (w.Style & SS_NOTIFY) NotifyParent(h, enabled ? STN_ENABLE : STN_DISABLE);
  Invalidate(h);
  return 0;
}

LRESULT StaticProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  TWindow* w = WindowOf(h);
  if (!w) return 0;
  auto& d = DataOf<TStaticData>(*w);
  switch (message) {
  case WM_NCCREATE:
    return NcCreate(h, *w, wParam, lParam);
  case WM_PAINT:
    Paint(h, *w);
    return 0;
  case WM_ERASEBKGND:
    return 1;
  case WM_NCHITTEST:
    return (w->Style & SS_NOTIFY) ? DefaultWindowProc(h, message, wParam, lParam) : HTTRANSPARENT;
  case WM_LBUTTONDOWN:
    if (w->Style & SS_NOTIFY) NotifyParent(h, STN_CLICKED);
    return 0;
  case WM_LBUTTONDBLCLK:
    if (w->Style & SS_NOTIFY) NotifyParent(h, STN_DBLCLK);
    return 0;
  case WM_ENABLE:
    return Enable(h, *w, wParam);
  case WM_SETTEXT: {
    const LRESULT result = DefaultWindowProc(h, message, wParam, lParam);
    Invalidate(h);
    return result;
  }
  case WM_SETFONT:
    d.Font = static_cast<THandleId>(wParam);
    if (LOWORD(static_cast<std::uintptr_t>(lParam))) Invalidate(h);
    return 0;
  case WM_GETFONT:
    return static_cast<LRESULT>(d.Font);
  case WM_GETDLGCODE:
    return DLGC_STATIC;
  case STM_SETIMAGE:
    return SetImage(h, *w, wParam, lParam);
  case STM_GETIMAGE:
    return d.Image;
  case STM_SETICON:
    return SetImage(h, *w, IMAGE_ICON, static_cast<LPARAM>(wParam));
  case STM_GETICON:
    return d.ImageType == IMAGE_ICON ? d.Image : 0;
  default:
    return DefaultWindowProc(h, message, wParam, lParam);
  }
}

} // namespace

void RegisterStaticClass() {
  WNDCLASSEXA wc;
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = StaticProc;
  wc.lpszClassName = "Static";
  RegisterWindowClass(wc);
}
