#include "framework/win32/WinUser.h"

#include "framework/win32/user/DefaultProc.h"
#include "framework/win32/user/UserState.h"
#include "framework/win32/user/WindowClasses.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>
#include <cstring>

namespace {

BOOL Bool(bool b) { return b ? TRUE : FALSE; }

WNDCLASSEXA ExtendedClass(const WNDCLASSA& wc) {
  WNDCLASSEXA e;
  e.style = wc.style;
  e.lpfnWndProc = wc.lpfnWndProc;
  e.cbClsExtra = wc.cbClsExtra;
  e.cbWndExtra = wc.cbWndExtra;
  e.hInstance = wc.hInstance;
  e.hIcon = wc.hIcon;
  e.hCursor = wc.hCursor;
  e.hbrBackground = wc.hbrBackground;
  e.lpszMenuName = wc.lpszMenuName;
  e.lpszClassName = wc.lpszClassName;
  return e;
}

// A window other than the desktop, or null.
TWindow* Real(HWND h) {
  TWindow* w = WindowOf(h);
  return w == User().Desktop ? nullptr : w;
}

int CopyText(const String& text, char* out, int size) {
  if (!out || size <= 0) return 0;
  const int n = std::min(static_cast<int>(text.size()), size - 1);
  std::memcpy(out, text.data(), static_cast<std::size_t>(n));
  out[n] = '\0';
  return n;
}

HWND SiblingOf(const TWindow& w, UINT relation) {
  const auto& siblings = w.Parent->Children;
  const auto at = std::find(siblings.begin(), siblings.end(), &w);
  switch (relation) {
  case GW_HWNDFIRST:
    return siblings.front()->Handle;
  case GW_HWNDLAST:
    return siblings.back()->Handle;
  case GW_HWNDNEXT:
    return at + 1 == siblings.end() ? nullptr : (*(at + 1))->Handle;
  case GW_HWNDPREV:
    return at == siblings.begin() ? nullptr : (*(at - 1))->Handle;
  default:
    return nullptr;
  }
}

bool ValidExtra(const TWindow& w, int index, std::size_t size) {
  return index >= 0 && static_cast<std::size_t>(index) + size <= w.Extra.size();
}

LONG_PTR ReadExtra(const TWindow& w, int index, std::size_t size) {
  if (size == sizeof(LONG)) {
    LONG v = 0;
    std::memcpy(&v, w.Extra.data() + index, sizeof v);
    return v;
  }
  LONG_PTR v = 0;
  std::memcpy(&v, w.Extra.data() + index, sizeof v);
  return v;
}

void WriteExtra(TWindow& w, int index, std::size_t size, LONG_PTR value) {
  if (size == sizeof(LONG)) {
    const auto v = static_cast<LONG>(value);
    std::memcpy(w.Extra.data() + index, &v, sizeof v);
  } else {
    std::memcpy(w.Extra.data() + index, &value, sizeof value);
  }
}

LONG_PTR GetLong(HWND h, int index, std::size_t extraSize) {
  const TWindow* w = Real(h);
  if (!w) return 0;
  switch (index) {
  case GWL_WNDPROC:
    return reinterpret_cast<LONG_PTR>(w->Proc);
  case GWL_STYLE:
    return static_cast<LONG>(w->Style);
  case GWL_EXSTYLE:
    return static_cast<LONG>(w->ExStyle);
  case GWL_ID:
    return static_cast<LONG_PTR>(w->Id);
  case GWL_USERDATA:
    return w->UserData;
  case GWL_HINSTANCE:
    return reinterpret_cast<LONG_PTR>(w->Instance);
  case GWL_HWNDPARENT:
    return reinterpret_cast<LONG_PTR>(w->IsChild() ? w->Parent->Handle
                                                   : (w->Owner ? w->Owner->Handle : nullptr));
  default:
    return ValidExtra(*w, index, extraSize) ? ReadExtra(*w, index, extraSize) : 0;
  }
}

LONG_PTR ChangeStyle(HWND h, int index, DWORD value) {
  TWindow* w = Real(h);
  DWORD& field = index == GWL_STYLE ? w->Style : w->ExStyle;
  STYLESTRUCT change{field, value};
  const auto param = reinterpret_cast<LPARAM>(&change);
  SendMessageA(h, WM_STYLECHANGING, static_cast<WPARAM>(index), param);
  if (!(w = Real(h))) return 0;
  DWORD& again = index == GWL_STYLE ? w->Style : w->ExStyle;
  const DWORD old = again;
  again = change.styleNew;
  SendMessageA(h, WM_STYLECHANGED, static_cast<WPARAM>(index), param);
  return static_cast<LONG>(old);
}

LONG_PTR SetLong(HWND h, int index, LONG_PTR value, std::size_t extraSize) {
  TWindow* w = Real(h);
  if (!w) return 0;
  LONG_PTR old = GetLong(h, index, extraSize);
  switch (index) {
  case GWL_WNDPROC:
    if (!value) return 0;
    w->Proc = reinterpret_cast<WNDPROC>(value);
    return old;
  case GWL_STYLE:
  case GWL_EXSTYLE:
    return ChangeStyle(h, index, static_cast<DWORD>(value));
  case GWL_ID:
    w->Id = static_cast<UINT_PTR>(value);
    return old;
  case GWL_USERDATA:
    w->UserData = value;
    return old;
  case GWL_HINSTANCE:
    w->Instance = reinterpret_cast<HINSTANCE>(value);
    return old;
  case GWL_HWNDPARENT:
    if (!w->IsChild()) w->Owner = WindowOf(reinterpret_cast<HWND>(value));
    return old;
  default:
    if (!ValidExtra(*w, index, extraSize)) return 0;
    WriteExtra(*w, index, extraSize, value);
    return old;
  }
}

} // namespace

ATOM RegisterClassA(const WNDCLASSA* wc) {
  if (!wc) return 0;
  const WNDCLASSEXA e = ExtendedClass(*wc);
  return RegisterClassExA(&e);
}

ATOM RegisterClassExA(const WNDCLASSEXA* wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXA)) return 0;
  const TWindowClass* c = RegisterWindowClass(*wc);
  return c ? c->Atom : 0;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
  const TWindowClass* c = FindWindowClass(className);
  return Bool(c && UnregisterWindowClass(c->Name));
}

BOOL GetClassInfoExA(HINSTANCE, LPCSTR className, WNDCLASSEXA* wc) {
  const TWindowClass* c = FindWindowClass(className);
  if (!c || !wc) return FALSE;
  wc->style = c->Style;
  wc->lpfnWndProc = c->Proc;
  wc->cbClsExtra = c->ClassExtra;
  wc->cbWndExtra = c->WindowExtra;
  wc->hInstance = c->Instance;
  wc->hIcon = c->Icon;
  wc->hCursor = c->Cursor;
  wc->hbrBackground = c->Background;
  wc->lpszMenuName = nullptr;
  wc->lpszClassName = c->Name.c_str();
  wc->hIconSm = nullptr;
  return TRUE;
}

BOOL GetClassInfoA(HINSTANCE instance, LPCSTR className, WNDCLASSA* wc) {
  WNDCLASSEXA e;
  if (!wc || !GetClassInfoExA(instance, className, &e)) return FALSE;
  *wc = WNDCLASSA{e.style, e.lpfnWndProc, e.cbClsExtra,    e.cbWndExtra,   e.hInstance,
                  e.hIcon, e.hCursor,     e.hbrBackground, e.lpszMenuName, e.lpszClassName};
  return TRUE;
}

int GetClassNameA(HWND h, char* name, int size) {
  const TWindow* w = Real(h);
  return w ? CopyText(w->Class->Name, name, size) : 0;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  CREATESTRUCTA cs;
  cs.lpCreateParams = param;
  cs.hInstance = instance;
  cs.hMenu = menu;
  cs.hwndParent = parent;
  cs.cx = width;
  cs.cy = height;
  cs.x = x;
  cs.y = y;
  cs.style = static_cast<LONG>(style);
  cs.lpszName = windowName;
  cs.lpszClass = className;
  cs.dwExStyle = exStyle;
  return CreateWindowFrom(cs);
}

BOOL DestroyWindow(HWND h) { return Bool(DestroyWindowTree(h)); }
BOOL IsWindow(HWND h) { return Bool(WindowOf(h) != nullptr); }
HWND GetDesktopWindow() { return User().Desktop->Handle; }

HWND GetParent(HWND h) {
  const TWindow* w = Real(h);
  if (!w) return nullptr;
  if (w->IsChild()) return w->Parent->Handle;
  return (w->Style & WS_POPUP) && w->Owner ? w->Owner->Handle : nullptr;
}

HWND SetParent(HWND child, HWND parent) { return ChangeParent(child, parent); }

HWND GetWindow(HWND h, UINT relation) {
  const TWindow* w = WindowOf(h);
  if (!w) return nullptr;
  if (relation == GW_CHILD) return w->Children.empty() ? nullptr : w->Children.front()->Handle;
  if (relation == GW_OWNER) return w->Owner ? w->Owner->Handle : nullptr;
  if (!w->Parent) return nullptr;
  return SiblingOf(*w, relation);
}

HWND GetTopWindow(HWND h) { return GetWindow(h ? h : GetDesktopWindow(), GW_CHILD); }

BOOL IsChild(HWND parent, HWND h) {
  const TWindow* p = Real(parent);
  const TWindow* w = Real(h);
  if (!p || !w) return FALSE;
  for (; w && w->IsChild(); w = w->Parent)
    if (w->Parent == p) return TRUE;
  return FALSE;
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
  if (!parent) return EnumWindows(proc, lParam);
  const TWindow* p = Real(parent);
  if (!p || !proc) return FALSE;
  std::vector<HWND> all;
  ForEachDescendant(p, [&](HWND h) { all.push_back(h); });
  for (HWND h : all)
    if (WindowOf(h) && !proc(h, lParam)) break;
  return TRUE;
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  if (!proc) return FALSE;
  for (HWND h : ChildHandles(User().Desktop))
    if (WindowOf(h) && !proc(h, lParam)) return FALSE;
  return TRUE;
}

BOOL SetWindowPos(HWND h, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  const bool activate = !(flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW));
  if (!PlaceWindow(h, insertAfter, x, y, cx, cy, flags)) return FALSE;
  const TWindow* w = Real(h);
  if (activate && w && !w->IsChild() && (w->Style & WS_VISIBLE)) SetActiveWindow(h);
  return TRUE;
}

BOOL MoveWindow(HWND h, int x, int y, int width, int height, BOOL repaint) {
  return Bool(PlaceWindow(h, nullptr, x, y, width, height,
                          SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW)));
}

BOOL BringWindowToTop(HWND h) {
  return SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL ShowWindow(HWND h, int command) { return Bool(ShowWindowAs(h, command)); }
BOOL IsWindowVisible(HWND h) {
  const TWindow* w = WindowOf(h);
  return Bool(w && IsVisibleTree(w));
}
BOOL EnableWindow(HWND h, BOOL enable) { return Bool(EnableWindowTree(h, enable != FALSE)); }
BOOL IsWindowEnabled(HWND h) {
  const TWindow* w = WindowOf(h);
  return Bool(w && !(w->Style & WS_DISABLED));
}
BOOL IsIconic(HWND h) {
  const TWindow* w = Real(h);
  return Bool(w && (w->Style & WS_MINIMIZE));
}
BOOL IsZoomed(HWND h) {
  const TWindow* w = Real(h);
  return Bool(w && (w->Style & WS_MAXIMIZE));
}

BOOL GetWindowRect(HWND h, LPRECT rect) {
  const TWindow* w = WindowOf(h);
  if (!w || !rect) return FALSE;
  *rect = ScreenRectOf(w);
  return TRUE;
}

BOOL GetClientRect(HWND h, LPRECT rect) {
  const TWindow* w = WindowOf(h);
  if (!w || !rect) return FALSE;
  *rect = Rect(0, 0, w->Client.Width(), w->Client.Height());
  return TRUE;
}

BOOL ClientToScreen(HWND h, LPPOINT point) {
  const TWindow* w = WindowOf(h);
  if (!w || !point) return FALSE;
  const TPoint o = ClientScreenOrigin(w);
  point->X += o.X;
  point->Y += o.Y;
  return TRUE;
}

BOOL ScreenToClient(HWND h, LPPOINT point) {
  const TWindow* w = WindowOf(h);
  if (!w || !point) return FALSE;
  const TPoint o = ClientScreenOrigin(w);
  point->X -= o.X;
  point->Y -= o.Y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  const TWindow* a = from ? WindowOf(from) : User().Desktop;
  const TWindow* b = to ? WindowOf(to) : User().Desktop;
  if (!a || !b) return 0;
  const TPoint oa = ClientScreenOrigin(a), ob = ClientScreenOrigin(b);
  const int dx = oa.X - ob.X, dy = oa.Y - ob.Y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].X += dx;
    points[i].Y += dy;
  }
  return static_cast<int>(static_cast<DWORD>(static_cast<WORD>(dx)) |
                          static_cast<DWORD>(static_cast<WORD>(dy)) << 16);
}

HWND WindowFromPoint(POINT point) { return WindowUnderPoint(point, nullptr); }
HWND ChildWindowFromPoint(HWND parent, POINT point) { return ChildAtPoint(parent, point, CWP_ALL); }
HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags) {
  return ChildAtPoint(parent, point, flags);
}

BOOL SetWindowTextA(HWND h, LPCSTR text) {
  if (!Real(h)) return FALSE;
  return Bool(SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) != 0);
}

int GetWindowTextA(HWND h, char* text, int size) {
  if (!Real(h) || !text || size <= 0) return 0;
  text[0] = '\0';
  return static_cast<int>(
      SendMessageA(h, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthA(HWND h) {
  return Real(h) ? static_cast<int>(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

LONG_PTR GetWindowLongA(HWND h, int index) { return GetLong(h, index, sizeof(LONG)); }
LONG_PTR SetWindowLongA(HWND h, int index, LONG_PTR value) {
  return SetLong(h, index, value, sizeof(LONG));
}
LONG_PTR GetWindowLongPtrA(HWND h, int index) { return GetLong(h, index, sizeof(LONG_PTR)); }
LONG_PTR SetWindowLongPtrA(HWND h, int index, LONG_PTR value) {
  return SetLong(h, index, value, sizeof(LONG_PTR));
}

LRESULT CallWindowProcA(WNDPROC proc, HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  return CallProc(proc, h, message, wParam, lParam);
}

LRESULT DefWindowProcA(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultWindowProc(h, message, wParam, lParam);
}
