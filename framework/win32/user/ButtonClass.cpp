#include "framework/win32/user/ButtonClass.h"

#include "framework/win32/gdi/Edges.h"
#include "framework/win32/user/ControlPaint.h"
#include "framework/win32/user/DefaultProc.h"
#include "framework/win32/user/Focus.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/WindowClasses.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>

namespace {

using namespace ControlPaint;

constexpr int CheckSize = 13, TextGap = 4;
constexpr unsigned FrameButton = 4, KindCheck = 0x0, KindRadio = 0x4, KindPush = 0x10,
                   Inactive = 0x100, Pushed = 0x200, Checked = 0x400;

struct TButtonData : TControlData {
  LRESULT Check = BST_UNCHECKED;
  bool Pushed = false;
  bool Focused = false;
  bool MouseTracking = false;
  bool SpaceDown = false;
  THandleId Font = 0;
  LRESULT Image = 0;
};

DWORD TypeOf(const TWindow& w) { return w.Style & BS_TYPEMASK; }

bool IsCheckType(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
         type == BS_AUTO3STATE;
}
bool IsRadioType(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool IsThreeState(DWORD type) { return type == BS_3STATE || type == BS_AUTO3STATE; }

TRect ClientOf(const TWindow& w) { return Rect(0, 0, w.Client.Width(), w.Client.Height()); }

// DrawText alignment from the BS_ bits; unset bits take the kind's default.
std::uint32_t TextFormat(const TWindow& w, bool centreByDefault) {
  std::uint32_t format = (w.Style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  switch (w.Style & BS_CENTER) {
  case BS_LEFT:
    break;
  case BS_RIGHT:
    format |= DT_RIGHT;
    break;
  case BS_CENTER:
    format |= DT_CENTER;
    break;
  default:
    format |= centreByDefault ? DT_CENTER : 0;
  }
  switch (w.Style & BS_VCENTER) {
  case BS_TOP:
    break;
  case BS_BOTTOM:
    format |= DT_BOTTOM;
    break;
  default:
    format |= DT_VCENTER;
  }
  return format;
}

// Where the text goes: rect within r as the format places it (multi-line text is placed
// by hand, since DrawText centres single lines only).
TRect PlaceText(TDeviceContext& dc, const TWindow& w, TRect r, std::uint32_t format) {
  TRect calc = r;
  DrawText(dc, w.Text, calc, (format & ~(DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT);
  const int width = calc.Width(), height = calc.Height();
  int left = r.Left, top = r.Top;
  if (format & DT_CENTER) left = r.Left + (r.Width() - width) / 2;
  if (format & DT_RIGHT) left = r.Right - width;
  if (format & DT_VCENTER) top = r.Top + (r.Height() - height) / 2;
  if (format & DT_BOTTOM) top = r.Bottom - height;
  return Bounds(left, top, width, height);
}

void PaintLabel(TDeviceContext& dc, const TWindow& w, const TRect& where, std::uint32_t format) {
  TRect r = where;
  const std::uint32_t flags =
      (format & (DT_WORDBREAK | DT_SINGLELINE | DT_CENTER | DT_RIGHT)) | DT_NOCLIP;
  if (DrawsEnabled(w)) {
    DrawText(dc, w.Text, r, flags);
  } else {
    DrawDisabledText(dc, w.Text, r, flags);
  }
}

void PaintPushButton(TDeviceContext& dc, HDC hdc, const TWindow& w, const TButtonData& d) {
  TRect r = ClientOf(w);
  const bool isDefault = TypeOf(w) == BS_DEFPUSHBUTTON;
  ParentColorBrush(w.Handle, hdc, WM_CTLCOLORBTN);
  if (isDefault || d.Pushed) {
    FrameSys(dc, r, ColorWindowFrame);
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  const bool down = d.Pushed || ((w.Style & BS_PUSHLIKE) && d.Check == BST_CHECKED);
  if (d.Pushed) {
    FillSys(dc, r, ColorBtnFace);
    FrameSys(dc, r, ColorBtnShadow);
  } else {
    TRect edge = r;
    DrawFrameControlParts(dc, edge, FrameButton, KindPush | (down ? Checked : 0));
  }
  dc.State().BkMode = 1;
  dc.State().TextColour = SysColor(ColorBtnText);
  const std::uint32_t format = TextFormat(w, true);
  const TRect inner = Rect(r.Left + 4, r.Top + 4, r.Right - 4, r.Bottom - 4);
  TRect text = PlaceText(dc, w, inner, format);
  if (down) text = Rect(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
  PaintLabel(dc, w, text, format);
  if (d.Focused) FocusRect(dc, Rect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3));
}

// The check box square or radio circle and the label beside it.
void PaintCheckOrRadio(TDeviceContext& dc, HDC hdc, const TWindow& w, const TButtonData& d) {
  const TRect client = ClientOf(w);
  Fill(dc, client, ParentColorBrush(w.Handle, hdc, WM_CTLCOLORSTATIC));
  const bool leftText = w.Style & BS_LEFTTEXT;
  int top = client.Top + (client.Height() - CheckSize) / 2;
  if ((w.Style & BS_VCENTER) == BS_TOP) top = client.Top;
  if ((w.Style & BS_VCENTER) == BS_BOTTOM) top = client.Bottom - CheckSize;
  const int left = leftText ? client.Right - CheckSize : client.Left;
  TRect box = Bounds(left, top, CheckSize, CheckSize);
  unsigned state = IsRadioType(TypeOf(w)) ? KindRadio : KindCheck;
  if (d.Check == BST_CHECKED) state |= Checked;
  if (d.Check == BST_INDETERMINATE) state |= Checked | Inactive;
  if (d.Pushed) state |= Pushed;
  if (!DrawsEnabled(w)) state |= Inactive;
  DrawFrameControlParts(dc, box, FrameButton, state);
  const TRect area =
      leftText ? Rect(client.Left, client.Top, left - TextGap, client.Bottom)
               : Rect(left + CheckSize + TextGap, client.Top, client.Right, client.Bottom);
  dc.State().BkMode = 1;
  const std::uint32_t format = TextFormat(w, false);
  const TRect text = PlaceText(dc, w, area, format);
  PaintLabel(dc, w, text, format);
  if (d.Focused && !w.Text.empty())
    FocusRect(dc, Rect(text.Left - 1, text.Top, text.Right + 1, text.Bottom + 1));
}

void PaintGroupBox(TDeviceContext& dc, HDC hdc, const TWindow& w) {
  const TRect client = ClientOf(w);
  const THandleId brush = ParentColorBrush(w.Handle, hdc, WM_CTLCOLORSTATIC);
  const int height = LineHeight(dc.State().Font);
  TRect frame = Rect(client.Left, client.Top + height / 2, client.Right, client.Bottom);
  DrawEdgeLines(dc, frame, EdgeFlags::SunkenOuter | EdgeFlags::RaisedInner,
                EdgeFlags::Left | EdgeFlags::Top | EdgeFlags::Right | EdgeFlags::Bottom);
  if (w.Text.empty()) return;
  TRect text = Bounds(client.Left + 8, client.Top, 0, height);
  DrawText(dc, w.Text, text, DT_SINGLELINE | DT_CALCRECT);
  text = Rect(text.Left - 1, text.Top, std::min(text.Right + 1, client.Right - 2), text.Bottom);
  Fill(dc, text, brush);
  dc.State().BkMode = 1;
  TRect label = Rect(text.Left + 1, text.Top, text.Right, text.Bottom);
  if (DrawsEnabled(w)) {
    DrawText(dc, w.Text, label, DT_SINGLELINE);
  } else {
    DrawDisabledText(dc, w.Text, label, DT_SINGLELINE);
  }
}

UINT OwnerDrawState(const TWindow& w, const TButtonData& d) {
  UINT state = 0;
  if (d.Pushed) state |= ODS_SELECTED;
  if (d.Focused) state |= ODS_FOCUS;
  if (!DrawsEnabled(w)) state |= ODS_DISABLED;
  return state;
}

void SendDrawItem(TWindow& w, HDC dc, UINT action) {
  if (!w.Parent || !w.IsChild()) return;
  auto& d = DataOf<TButtonData>(w);
  DRAWITEMSTRUCT item;
  item.CtlType = ODT_BUTTON;
  item.CtlID = static_cast<UINT>(w.Id);
  item.itemAction = action;
  item.itemState = OwnerDrawState(w, d);
  item.hwndItem = w.Handle;
  item.hDC = dc;
  item.rcItem = ClientOf(w);
  SendTo(w.Parent->Handle, WM_DRAWITEM, w.Id, reinterpret_cast<LPARAM>(&item));
}

void Paint(HWND h, TWindow& w) {
  auto& d = DataOf<TButtonData>(w);
  TPaintDc paint(h, d.Font);
  if (!paint) return;
  TDeviceContext& dc = paint.Dc();
  const DWORD type = TypeOf(w);
  if (type == BS_OWNERDRAW) {
    SendDrawItem(w, paint.Handle(), ODA_DRAWENTIRE);
  } else if (type == BS_GROUPBOX) {
    PaintGroupBox(dc, paint.Handle(), w);
  } else if ((IsCheckType(type) || IsRadioType(type)) && !(w.Style & BS_PUSHLIKE)) {
    PaintCheckOrRadio(dc, paint.Handle(), w, d);
  } else {
    PaintPushButton(dc, paint.Handle(), w, d);
  }
}

// Owner-drawn buttons are told at once what changed; the others repaint.
void StateChanged(HWND h, UINT action) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  if (TypeOf(*w) != BS_OWNERDRAW) return Invalidate(h);
  if (!IsVisibleTree(w)) return;
  const THandleId id = MakeWindowDc(*w, 0, nullptr);
  if (TDeviceContext* dc = TGdiHandles::Instance().FindDc(id))
    dc->State().Font = FontOrSystem(DataOf<TButtonData>(*w).Font);
  SendDrawItem(*w, AsHdc(id), action);
  if (TWindow* again = WindowOf(h)) ReleaseWindowDc(*again, id);
}

void SetPushed(HWND h, bool pushed) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  auto& d = DataOf<TButtonData>(*w);
  if (d.Pushed == pushed) return;
  d.Pushed = pushed;
  if (w->Style & BS_NOTIFY) NotifyParent(h, pushed ? BN_HILITE : BN_UNHILITE);
  StateChanged(h, ODA_SELECT);
}

void SetCheck(HWND h, WPARAM value);

// Unchecks the other auto radio buttons of the group: the siblings from the one with
// WS_GROUP at or before this button up to the next WS_GROUP.
void UncheckGroup(HWND h) {
  const TWindow* w = WindowOf(h);
  if (!w || !w->Parent || !w->IsChild()) return;
  // Children are listed topmost first, and new windows go on top: creation order reversed.
  std::vector<HWND> siblings = ChildHandles(w->Parent);
  std::reverse(siblings.begin(), siblings.end());
  const auto at = std::find(siblings.begin(), siblings.end(), h);
  if (at == siblings.end()) return;
  auto first = at;
  while (first != siblings.begin() && !(WindowOf(*first)->Style & WS_GROUP)) --first;
  for (auto it = first; it != siblings.end(); ++it) {
    const TWindow* s = WindowOf(*it);
    if (!s) continue;
    if (it != first && (s->Style & WS_GROUP)) break;
    if (*it != h && s->Class == w->Class && TypeOf(*s) == BS_AUTORADIOBUTTON)
      SetCheck(*it, BST_UNCHECKED);
  }
}

void SetCheck(HWND h, WPARAM value) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  const DWORD type = TypeOf(*w);
  if (!IsCheckType(type) && !IsRadioType(type)) return;
  auto& d = DataOf<TButtonData>(*w);
  const LRESULT check = std::min<LRESULT>(static_cast<LRESULT>(value & 3),
                                          IsThreeState(type) ? BST_INDETERMINATE : BST_CHECKED);
  if (IsRadioType(type)) w->Style = check ? (w->Style | WS_TABSTOP) : (w->Style & ~WS_TABSTOP);
  if (d.Check != check) {
    d.Check = check;
    Invalidate(h);
  }
  if (type == BS_AUTORADIOBUTTON && check == BST_CHECKED) UncheckGroup(h);
}

// What a click does: auto boxes change their check, then the parent hears BN_CLICKED.
void Click(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  const auto& d = DataOf<TButtonData>(*w);
  switch (TypeOf(*w)) {
  case BS_AUTOCHECKBOX:
    SetCheck(h, d.Check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    break;
  case BS_AUTO3STATE:
    SetCheck(h, static_cast<WPARAM>((d.Check + 1) % 3));
    break;
  case BS_AUTORADIOBUTTON:
    SetCheck(h, BST_CHECKED);
    break;
  default:
    break;
  }
  NotifyParent(h, BN_CLICKED);
}

bool Inside(const TWindow& w, LPARAM lParam) {
  return ClientOf(w).Contains(TPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

LRESULT ButtonDown(HWND h, TWindow& w) {
  if (TypeOf(w) == BS_GROUPBOX) return 0;
  DataOf<TButtonData>(w).MouseTracking = true;
  SetCaptureTo(h);
  // Losing the focus again on the way (a refused exit) ends the press: no click follows.
  SetFocusTo(h);
  TWindow* again = WindowOf(h);
  if (!again || !DataOf<TButtonData>(*again).MouseTracking) return 0;
  SetPushed(h, true);
  return 0;
}

LRESULT ButtonMove(HWND h, TWindow& w, LPARAM lParam) {
  if (DataOf<TButtonData>(w).MouseTracking) SetPushed(h, Inside(w, lParam));
  return 0;
}

LRESULT ButtonUp(HWND h, TWindow& w, LPARAM lParam) {
  auto& d = DataOf<TButtonData>(w);
  if (!d.MouseTracking) return 0;
  d.MouseTracking = false;
  const bool inside = Inside(w, lParam);
  if (User().Capture == h) ReleaseCaptureNow();
  SetPushed(h, false);
  if (inside) Click(h);
  return 0;
}

LRESULT CaptureLost(HWND h, TWindow& w) {
  auto& d = DataOf<TButtonData>(w);
  if (d.MouseTracking) {
    d.MouseTracking = false;
    SetPushed(h, false);
  }
  return 0;
}

LRESULT KeyDown(HWND h, TWindow& w, WPARAM key) {
  auto& d = DataOf<TButtonData>(w);
  if (key != static_cast<WPARAM>(VK_SPACE) || d.MouseTracking || TypeOf(w) == BS_GROUPBOX) return 0;
  d.SpaceDown = true;
  SetPushed(h, true);
  return 0;
}

LRESULT KeyUp(HWND h, TWindow& w, WPARAM key) {
  auto& d = DataOf<TButtonData>(w);
  if (key != static_cast<WPARAM>(VK_SPACE) || !d.SpaceDown) return 0;
  d.SpaceDown = false;
  const bool wasPushed = d.Pushed;
  SetPushed(h, false);
  if (wasPushed) Click(h);
  return 0;
}

LRESULT FocusChanged(HWND h, TWindow& w, bool focused) {
  auto& d = DataOf<TButtonData>(w);
  d.Focused = focused;
  if (!focused && d.MouseTracking && User().Capture == h) ReleaseCaptureNow();
  if (!focused && d.SpaceDown) {
    d.SpaceDown = false;
    SetPushed(h, false);
  }
  if (w.Style & BS_NOTIFY) NotifyParent(h, focused ? BN_SETFOCUS : BN_KILLFOCUS);
  StateChanged(h, ODA_FOCUS);
  return 0;
}

LRESULT DialogCode(const TWindow& w) {
  switch (TypeOf(w)) {
  case BS_DEFPUSHBUTTON:
    return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
  case BS_PUSHBUTTON:
  case BS_PUSHBOX:
    return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  case BS_RADIOBUTTON:
  case BS_AUTORADIOBUTTON:
    return DLGC_BUTTON | DLGC_RADIOBUTTON;
  case BS_GROUPBOX:
    return DLGC_STATIC;
  default:
    return DLGC_BUTTON;
  }
}

LRESULT State(const TButtonData& d) {
  return d.Check | (d.Pushed ? BST_PUSHED : 0) | (d.Focused ? BST_FOCUS : 0);
}

LRESULT SetStyle(HWND h, TWindow& w, WPARAM style, LPARAM redraw) {
  w.Style = (w.Style & ~BS_TYPEMASK) | (static_cast<DWORD>(style) & BS_TYPEMASK);
  if (redraw) Invalidate(h);
  return 0;
}

LRESULT SetFont(HWND h, TWindow& w, WPARAM font, LPARAM redraw) {
  DataOf<TButtonData>(w).Font = static_cast<THandleId>(font);
  if (LOWORD(static_cast<std::uintptr_t>(redraw))) Invalidate(h);
  return 0;
}

LRESULT SetImage(HWND h, TWindow& w, LPARAM image) {
  auto& d = DataOf<TButtonData>(w);
  const LRESULT before = d.Image;
  d.Image = image;
  Invalidate(h);
  return before;
}

LRESULT ButtonProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  TWindow* w = WindowOf(h);
  if (!w) return 0;
  auto& d = DataOf<TButtonData>(*w);
  switch (message) {
  case WM_PAINT:
    Paint(h, *w);
    return 0;
  case WM_ERASEBKGND:
    return 1;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    return ButtonDown(h, *w);
  case WM_MOUSEMOVE:
    return ButtonMove(h, *w, lParam);
  case WM_LBUTTONUP:
    return ButtonUp(h, *w, lParam);
  case WM_CAPTURECHANGED:
    return CaptureLost(h, *w);
  case WM_KEYDOWN:
    return KeyDown(h, *w, wParam);
  case WM_KEYUP:
    return KeyUp(h, *w, wParam);
  case WM_SETFOCUS:
    return FocusChanged(h, *w, true);
  case WM_KILLFOCUS:
    return FocusChanged(h, *w, false);
  case WM_ENABLE:
    Invalidate(h);
    return 0;
  case WM_SETTEXT: {
    const LRESULT result = DefaultWindowProc(h, message, wParam, lParam);
    Invalidate(h);
    return result;
  }
  case WM_SETFONT:
    return SetFont(h, *w, wParam, lParam);
  case WM_GETFONT:
    return static_cast<LRESULT>(d.Font);
  case WM_GETDLGCODE:
    return DialogCode(*w);
  case WM_NCHITTEST:
    return TypeOf(*w) == BS_GROUPBOX ? HTTRANSPARENT
                                     : DefaultWindowProc(h, message, wParam, lParam);
  case BM_GETCHECK:
    return IsCheckType(TypeOf(*w)) || IsRadioType(TypeOf(*w)) ? d.Check : BST_UNCHECKED;
  case BM_SETCHECK:
    SetCheck(h, wParam);
    return 0;
  case BM_GETSTATE:
    return State(d);
  case BM_SETSTATE:
    SetPushed(h, wParam != 0);
    return 0;
  case BM_SETSTYLE:
    return SetStyle(h, *w, wParam, lParam);
  case BM_CLICK:
    if (IsEnabledTree(w)) Click(h);
    return 0;
  case BM_GETIMAGE:
    return d.Image;
  case BM_SETIMAGE:
    return SetImage(h, *w, lParam);
  default:
    return DefaultWindowProc(h, message, wParam, lParam);
  }
}

} // namespace

void RegisterButtonClass() {
  WNDCLASSEXA wc;
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ButtonProc;
  wc.lpszClassName = "Button";
  RegisterWindowClass(wc);
}
