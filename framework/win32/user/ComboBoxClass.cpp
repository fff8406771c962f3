#include "framework/win32/user/ComboBoxClass.h"

#include "framework/win32/gdi/Edges.h"
#include "framework/win32/user/ControlPaint.h"
#include "framework/win32/user/DefaultProc.h"
#include "framework/win32/user/EditDefs.h"
#include "framework/win32/user/Focus.h"
#include "framework/win32/user/Input.h"
#include "framework/win32/user/ListBoxClass.h"
#include "framework/win32/user/Metrics.h"
#include "framework/win32/user/WindowClasses.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>
#include <utility>

namespace {

using namespace ControlPaint;

constexpr int EdgeWidth = 2; // the sunken edge around the field
constexpr UINT_PTR ListId = 1000, EditId = 1001;
constexpr unsigned FrameScroll = 3, ScrollDown = 1, FramePushed = 0x200, FrameFlat = 0x4000,
                   FrameInactive = 0x100;

struct TComboData : TControlData {
  HWND Edit = nullptr;
  HWND List = nullptr;
  WNDPROC EditProc = nullptr;
  THandleId Font = 0;
  int FieldHeight = 0;   // the selection field's item height
  int DroppedHeight = 0; // the height the window was given: field and open list
  int DroppedWidth = 0;
  int Committed = -1; // the selection last announced with CBN_SELCHANGE
  bool Dropped = false;
  bool ButtonDown = false;
  bool Tracking = false; // the press that opened the list is still down
  bool Focused = false;
  bool SettingText = false;
  bool SwallowChar = false;
  bool ExtendedUI = false;
  HWND NextFocus = nullptr; // where the focus goes as the edit loses it
};

TComboData& Data(TWindow& w) { return DataOf<TComboData>(w); }
DWORD Kind(const TWindow& w) { return w.Style & 0x3; }
bool IsSimple(const TWindow& w) { return Kind(w) == CBS_SIMPLE; }
bool IsDropList(const TWindow& w) { return Kind(w) == CBS_DROPDOWNLIST; }
bool OwnerDrawn(const TWindow& w) {
  return (w.Style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}
int Index(WPARAM v) { return static_cast<int>(static_cast<LRESULT>(v)); }

LRESULT ToList(const TComboData& d, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return d.List ? SendTo(d.List, message, wParam, lParam) : LB_ERR;
}

int Selection(const TComboData& d) { return static_cast<int>(ToList(d, LB_GETCURSEL)); }
int Count(const TComboData& d) { return static_cast<int>(ToList(d, LB_GETCOUNT)); }

String ItemText(const TComboData& d, int i) {
  const LRESULT length = ToList(d, LB_GETTEXTLEN, static_cast<WPARAM>(i));
  if (length < 0) return {};
  String text(static_cast<std::size_t>(length) + 1, '\0');
  ToList(d, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// The window's height as it shows: the field inside its edge (CBS_SIMPLE: the given one).
int ClosedHeight(const TComboData& d) { return d.FieldHeight + 2 * EdgeWidth + 2; }

TRect ButtonRect(const TWindow& w) {
  const int width = SystemMetric(SM_CXVSCROLL);
  const int right = w.Client.Width() - EdgeWidth;
  return Rect(right - width, EdgeWidth, right, w.Client.Height() - EdgeWidth);
}

// The field inside the sunken edge: the edit's place, or where a drop-down list's
// selection is drawn.
TRect FieldRect(const TWindow& w, const TComboData& d) {
  if (IsSimple(w))
    return Rect(EdgeWidth, EdgeWidth, w.Client.Width() - EdgeWidth, EdgeWidth + d.FieldHeight + 2);
  return Rect(EdgeWidth, EdgeWidth, ButtonRect(w).Left, w.Client.Height() - EdgeWidth);
}

TRect EdgeRect(const TWindow& w, const TComboData& d) {
  if (!IsSimple(w)) return Rect(0, 0, w.Client.Width(), w.Client.Height());
  return Rect(0, 0, w.Client.Width(), ClosedHeight(d));
}

void Layout(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  TComboData& d = Data(*w);
  const TRect field = FieldRect(*w, d);
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (d.Edit)
    PlaceWindow(d.Edit, nullptr, field.Left + 1, field.Top + 1, field.Width() - 2,
                field.Height() - 2, flags);
  if (IsSimple(*w) && d.List)
    PlaceWindow(d.List, nullptr, 0, ClosedHeight(d), w->Client.Width(),
                std::max(0, w->Client.Height() - ClosedHeight(d)), flags);
}

// A drop-down combo box keeps the height it is given as the height of its open list.
void KeepClosedHeight(TWindow& w, WINDOWPOS& pos) {
  if (IsSimple(w) || (pos.flags & SWP_NOSIZE)) return;
  TComboData& d = Data(w);
  d.DroppedHeight = pos.cy;
  pos.cy = ClosedHeight(d);
}

void Refit(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  const int height = IsSimple(*w) ? w->Rect.Height() : Data(*w).DroppedHeight;
  PlaceWindow(h, nullptr, 0, 0, w->Rect.Width(), height,
              SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  Layout(h);
  Invalidate(h);
}

void SetEditText(HWND h, TComboData& d, const String& text) {
  if (!d.Edit) return;
  d.SettingText = true;
  SendTo(d.Edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (TWindow* w = WindowOf(h)) Data(*w).SettingText = false;
  SendTo(d.Edit, EM_SETSEL, 0, static_cast<LPARAM>(-1));
}

// Selects an item in the list and shows it in the field.
void ShowSelection(HWND h, int i) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  TComboData& d = Data(*w);
  ToList(d, LB_SETCURSEL, static_cast<WPARAM>(i));
  SetEditText(h, d, i >= 0 ? ItemText(d, i) : String());
  Invalidate(h);
}

void AnnounceSelection(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  Data(*w).Committed = Selection(Data(*w));
  NotifyParent(h, CBN_SELCHANGE);
}

TRect ListScreenRect(TWindow& w, const TComboData& d) {
  const TPoint origin = WindowScreenOrigin(&w);
  const int itemHeight = std::max(1, static_cast<int>(ToList(d, LB_GETITEMHEIGHT, 0)));
  int height = std::max(d.DroppedHeight - w.Rect.Height(), itemHeight + 2);
  if (!(w.Style & (CBS_NOINTEGRALHEIGHT | CBS_OWNERDRAWVARIABLE)))
    height = std::max(1, (height - 2) / itemHeight) * itemHeight + 2;
  const int width = std::max(d.DroppedWidth, w.Rect.Width());
  return Bounds(origin.X, origin.Y + w.Rect.Height(), width, height);
}

int ItemOfEditText(const TComboData& d);

void DropDown(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w || IsSimple(*w) || Data(*w).Dropped) return;
  NotifyParent(h, CBN_DROPDOWN);
  w = WindowOf(h);
  if (!w) return;
  TComboData& d = Data(*w);
  if (!d.List) return;
  const TRect r = ListScreenRect(*w, d);
  d.Dropped = true;
  // The list opens on the item the field names, as the text may have been set directly.
  if (d.Edit) ToList(d, LB_SETCURSEL, static_cast<WPARAM>(ItemOfEditText(d)));
  d.Committed = Selection(d);
  PlaceWindow(d.List, HWND_TOP, r.Left, r.Top, r.Width(), r.Height(),
              SWP_SHOWWINDOW | SWP_NOACTIVATE);
  ToList(d, LB_SETTOPINDEX, 0);
  if (d.Committed >= 0) ToList(d, LB_SETCURSEL, static_cast<WPARAM>(d.Committed));
  SetCaptureTo(d.List);
  Invalidate(h);
}

// Closes the open list: CBN_SELENDOK or CBN_SELENDCANCEL, CBN_CLOSEUP, and CBN_SELCHANGE
// when an accepted selection differs from the one announced before.
void CloseUp(HWND h, bool accept) {
  TWindow* w = WindowOf(h);
  if (!w || !Data(*w).Dropped) return;
  TComboData& d = Data(*w);
  d.Dropped = false;
  d.ButtonDown = false;
  const HWND list = d.List;
  d.Tracking = false;
  if (User().Capture == list || User().Capture == h) ReleaseCaptureNow();
  NotifyParent(h, accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
  if (!WindowOf(h)) return;
  if (!accept && Selection(d) != d.Committed) ShowSelection(h, d.Committed);
  PlaceWindow(list, nullptr, 0, 0, 0, 0,
              SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  NotifyParent(h, CBN_CLOSEUP);
  w = WindowOf(h);
  if (!w) return;
  if (accept && Selection(Data(*w)) != Data(*w).Committed) {
    ShowSelection(h, Selection(Data(*w)));
    AnnounceSelection(h);
  }
  Invalidate(h);
}

void ToggleDropDown(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  if (Data(*w).Dropped)
    CloseUp(h, true);
  else
    DropDown(h);
}

// Whole rows the list shows.
int ListPage(const TComboData& d) {
  const TWindow* list = WindowOf(d.List);
  const int itemHeight = std::max(1, static_cast<int>(ToList(d, LB_GETITEMHEIGHT, 0)));
  return list ? std::max(1, list->Client.Height() / itemHeight) : 1;
}

int KeyTarget(const TComboData& d, int key) {
  const int count = Count(d), current = Selection(d), page = ListPage(d);
  switch (key) {
  case VK_UP:
    return std::max(0, current - 1);
  case VK_DOWN:
    return std::min(count - 1, current + 1);
  case VK_PRIOR:
    return std::max(0, current - page);
  case VK_NEXT:
    return std::min(count - 1, current + page);
  case VK_HOME:
    return 0;
  case VK_END:
    return count - 1;
  default:
    return -2;
  }
}

bool MovesSelection(const TWindow& w, int key) {
  if (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT) return true;
  return (key == VK_HOME || key == VK_END) && IsDropList(w);
}

void StepSelection(HWND h, TComboData& d, int key) {
  const int target = KeyTarget(d, key);
  if (target < 0 || target == Selection(d)) return;
  ShowSelection(h, target);
  AnnounceSelection(h);
}

// The keys the combo box itself answers, from its edit or its own focus; true when used.
bool ComboKey(HWND h, int key, bool alt) {
  TWindow* w = WindowOf(h);
  if (!w) return false;
  TComboData& d = Data(*w);
  const bool toggle = alt ? (key == VK_UP || key == VK_DOWN) : (key == VK_F4 && !d.ExtendedUI);
  if (toggle && !IsSimple(*w)) {
    ToggleDropDown(h);
    return true;
  }
  if (d.Dropped && (key == VK_RETURN || key == VK_ESCAPE)) {
    d.SwallowChar = true;
    CloseUp(h, key == VK_RETURN);
    return true;
  }
  if (alt) return false;
  if (d.ExtendedUI && key == VK_DOWN && !d.Dropped && !IsSimple(*w)) {
    DropDown(h);
    return true;
  }
  if (!MovesSelection(*w, key)) return false;
  StepSelection(h, d, key);
  return true;
}

// A drop-down list selects the next item starting with a typed character.
void TypeSelect(HWND h, TComboData& d, char c) {
  const int count = Count(d);
  if (count <= 0 || c == ' ' || static_cast<unsigned char>(c) < 0x20) return;
  const char wanted[2] = {c, '\0'};
  const LRESULT i =
      ToList(d, LB_FINDSTRING, static_cast<WPARAM>(Selection(d)), reinterpret_cast<LPARAM>(wanted));
  if (i < 0 || i == Selection(d)) return;
  ShowSelection(h, static_cast<int>(i));
  AnnounceSelection(h);
}

String EditText(const TComboData& d) {
  const int length = static_cast<int>(SendTo(d.Edit, WM_GETTEXTLENGTH, 0, 0));
  String text(static_cast<std::size_t>(length) + 1, '\0');
  SendTo(d.Edit, WM_GETTEXT, static_cast<WPARAM>(length + 1),
         reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// The item the edit's text names: the one of that text, else the first that starts with it.
int ItemOfEditText(const TComboData& d) {
  const String text = EditText(d);
  if (text.empty()) return -1;
  const auto key = reinterpret_cast<LPARAM>(text.c_str());
  LRESULT i = ToList(d, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), key);
  if (i < 0) i = ToList(d, LB_FINDSTRING, static_cast<WPARAM>(-1), key);
  return static_cast<int>(i);
}

// With the list open, the item that starts with the edit's text is shown selected.
void TrackEditText(TComboData& d) {
  if (!d.Dropped || !d.Edit) return;
  if (const int i = ItemOfEditText(d); i >= 0) ToList(d, LB_SETCURSEL, static_cast<WPARAM>(i));
}

bool WithinCombo(HWND h, HWND other) {
  const TWindow* w = WindowOf(h);
  const TWindow* o = WindowOf(other);
  if (!w || !o) return false;
  return o == w || IsDescendant(w, o) || o->Owner == w;
}

void FocusGained(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w || Data(*w).Focused) return;
  Data(*w).Focused = true;
  Invalidate(h);
  NotifyParent(h, CBN_SETFOCUS);
}

void FocusLost(HWND h, HWND next) {
  TWindow* w = WindowOf(h);
  if (!w || !Data(*w).Focused || WithinCombo(h, next)) return;
  Data(*w).Focused = false;
  CloseUp(h, false);
  if (!WindowOf(h)) return;
  Invalidate(h);
  NotifyParent(h, CBN_KILLFOCUS);
}

LRESULT Command(HWND h, TWindow& w, WPARAM wParam) {
  TComboData& d = Data(w);
  switch (HIWORD(wParam)) {
  case EN_CHANGE:
    if (d.SettingText) break;
    TrackEditText(d);
    NotifyParent(h, CBN_EDITCHANGE);
    break;
  case EN_UPDATE:
    if (!d.SettingText) NotifyParent(h, CBN_EDITUPDATE);
    break;
  case EN_SETFOCUS:
    FocusGained(h);
    break;
  case EN_KILLFOCUS:
    FocusLost(h, d.NextFocus);
    break;
  case LBN_DBLCLK:
    NotifyParent(h, CBN_DBLCLK);
    break;
  default:
    break;
  }
  return 0;
}

// Owner-draw records from the list go to the combo box's parent as the combo box's.
LRESULT RelayDrawItem(HWND h, TWindow& w, LPARAM lParam) {
  DRAWITEMSTRUCT item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
  item.CtlType = ODT_COMBOBOX;
  item.CtlID = static_cast<UINT>(w.Id);
  item.hwndItem = h;
  if (!w.Parent) return 0;
  return SendTo(w.Parent->Handle, WM_DRAWITEM, w.Id, reinterpret_cast<LPARAM>(&item));
}

LRESULT RelayMeasureItem(TWindow& w, LPARAM lParam) {
  auto* original = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  MEASUREITEMSTRUCT item = *original;
  item.CtlType = ODT_COMBOBOX;
  item.CtlID = static_cast<UINT>(w.Id);
  if (w.Parent) SendTo(w.Parent->Handle, WM_MEASUREITEM, w.Id, reinterpret_cast<LPARAM>(&item));
  original->itemHeight = item.itemHeight;
  return 1;
}

LRESULT RelayDeleteItem(HWND h, TWindow& w, LPARAM lParam) {
  DELETEITEMSTRUCT item = *reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
  item.CtlType = ODT_COMBOBOX;
  item.CtlID = static_cast<UINT>(w.Id);
  item.hwndItem = h;
  if (w.Parent) SendTo(w.Parent->Handle, WM_DELETEITEM, w.Id, reinterpret_cast<LPARAM>(&item));
  return 1;
}

int Measure(HWND h, int item, int height) {
  TWindow* w = WindowOf(h);
  if (!w || !w->Parent) return height;
  MEASUREITEMSTRUCT m;
  m.CtlType = ODT_COMBOBOX;
  m.CtlID = static_cast<UINT>(w->Id);
  m.itemID = static_cast<UINT>(item);
  m.itemWidth = static_cast<UINT>(w->Rect.Width());
  m.itemHeight = static_cast<UINT>(height);
  SendTo(w->Parent->Handle, WM_MEASUREITEM, w->Id, reinterpret_cast<LPARAM>(&m));
  return static_cast<int>(m.itemHeight) > 0 ? static_cast<int>(m.itemHeight) : height;
}

void DrawButton(TDeviceContext& dc, const TWindow& w, const TComboData& d) {
  TRect button = ButtonRect(w);
  unsigned state = DFCS_SCROLLCOMBOBOX;
  if (d.ButtonDown && d.Dropped) state |= FramePushed | FrameFlat;
  if (!DrawsEnabled(w)) state |= FrameInactive;
  // The combo box arrow is the scroll-down arrow where the engine has no glyph of its own.
  if (!DrawFrameControlParts(dc, button, FrameScroll, state))
    DrawFrameControlParts(dc, button, FrameScroll, (state & ~0xFFu) | ScrollDown);
}

void DrawOwnerField(HWND h, TWindow& w, TComboData& d, HDC dc, const TRect& r) {
  if (!w.Parent) return;
  const int selection = Selection(d);
  DRAWITEMSTRUCT item;
  item.CtlType = ODT_COMBOBOX;
  item.CtlID = static_cast<UINT>(w.Id);
  item.itemID = static_cast<UINT>(selection);
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = ODS_COMBOBOXEDIT;
  if (d.Focused && !d.Dropped) item.itemState |= ODS_SELECTED | ODS_FOCUS;
  if (!DrawsEnabled(w)) item.itemState |= ODS_DISABLED;
  item.hwndItem = h;
  item.hDC = dc;
  item.rcItem = r;
  item.itemData = selection >= 0 ? static_cast<UINT_PTR>(ToList(d, LB_GETITEMDATA, selection)) : 0;
  SendTo(w.Parent->Handle, WM_DRAWITEM, w.Id, reinterpret_cast<LPARAM>(&item));
}

void DrawPlainField(TDeviceContext& dc, const TWindow& w, const TComboData& d, TRect r,
                    THandleId background) {
  const bool highlight = d.Focused && !d.Dropped;
  const std::uint32_t text = dc.State().TextColour;
  if (highlight) {
    FillSys(dc, r, ColorHighlight);
    dc.State().TextColour = SysColor(ColorHighlightText);
  } else {
    Fill(dc, r, background);
  }
  if (!DrawsEnabled(w)) dc.State().TextColour = SysColor(ColorGrayText);
  dc.State().BkMode = 1;
  const int selection = Selection(d);
  if (selection >= 0) {
    TRect t = Rect(r.Left + 2, r.Top, r.Right - 1, r.Bottom);
    DrawText(dc, ItemText(d, selection), t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  }
  dc.State().TextColour = text;
  if (highlight) FocusRect(dc, r);
}

void Paint(HWND h, TWindow& w) {
  TComboData& d = Data(w);
  TPaintDc paint(h, d.Font);
  if (!paint) return;
  TDeviceContext& dc = paint.Dc();
  const THandleId background =
      ParentColorBrush(h, paint.Handle(), d.Edit ? WM_CTLCOLOREDIT : WM_CTLCOLORLISTBOX);
  Fill(dc, Rect(0, 0, w.Client.Width(), w.Client.Height()), background);
  TRect edge = EdgeRect(w, d);
  DrawEdgeLines(dc, edge, EdgeFlags::SunkenOuter | EdgeFlags::SunkenInner,
                EdgeFlags::Left | EdgeFlags::Top | EdgeFlags::Right | EdgeFlags::Bottom);
  if (!IsSimple(w)) DrawButton(dc, w, d);
  if (!IsDropList(w)) return;
  TRect field = FieldRect(w, d);
  field = Rect(field.Left + 1, field.Top + 1, field.Right - 1, field.Bottom - 1);
  if (OwnerDrawn(w)) {
    Fill(dc, field, background);
    DrawOwnerField(h, w, d, paint.Handle(), field);
  } else {
    DrawPlainField(dc, w, d, field, background);
  }
}

LRESULT ButtonDown(HWND h, TWindow& w, LPARAM lParam) {
  TComboData& d = Data(w);
  const HWND focusTarget = d.Edit ? d.Edit : h;
  if (!WithinCombo(h, User().Focus)) SetFocusTo(focusTarget);
  TWindow* again = WindowOf(h);
  if (!again || IsSimple(*again) || !WithinCombo(h, User().Focus)) return 0;
  const TPoint p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (!IsDropList(*again) && !ButtonRect(*again).Contains(p)) return 0;
  Data(*again).ButtonDown = true;
  DropDown(h);
  // Until the button comes up the combo box has the mouse; then its open list.
  if (TWindow* still = WindowOf(h); still && Data(*still).Dropped) {
    Data(*still).Tracking = true;
    SetCaptureTo(h);
  }
  return 0;
}

// A combo box client point as a point of its open list.
LPARAM ToListPoint(HWND h, const TComboData& d, LPARAM lParam) {
  const TPoint combo = ClientScreenOrigin(WindowOf(h));
  const TPoint list = ClientScreenOrigin(WindowOf(d.List));
  return MAKELPARAM(GET_X_LPARAM(lParam) + combo.X - list.X,
                    GET_Y_LPARAM(lParam) + combo.Y - list.Y);
}

int ItemAt(HWND list, LPARAM lParam);
bool InsideClient(HWND list, LPARAM lParam);

LRESULT TrackMove(HWND h, TWindow& w, LPARAM lParam) {
  TComboData& d = Data(w);
  if (!d.Tracking || !d.Dropped) return 0;
  const LPARAM at = ToListPoint(h, d, lParam);
  const int i = InsideClient(d.List, at) ? ItemAt(d.List, at) : -1;
  if (i >= 0 && i != Selection(d)) ToList(d, LB_SETCURSEL, static_cast<WPARAM>(i));
  return 0;
}

LRESULT TrackRelease(HWND h, TWindow& w, LPARAM lParam) {
  TComboData& d = Data(w);
  if (!d.Tracking) return 0;
  d.Tracking = false;
  d.ButtonDown = false;
  Invalidate(h);
  if (!d.Dropped) return 0;
  const LPARAM at = ToListPoint(h, d, lParam);
  const int i = InsideClient(d.List, at) ? ItemAt(d.List, at) : -1;
  if (i >= 0) {
    ToList(d, LB_SETCURSEL, static_cast<WPARAM>(i));
    CloseUp(h, true);
    return 0;
  }
  SetCaptureTo(d.List);
  return 0;
}

LRESULT SetText(HWND h, TWindow& w, LPARAM lParam) {
  TComboData& d = Data(w);
  const String text = lParam ? reinterpret_cast<const char*>(lParam) : "";
  DefaultWindowProc(h, WM_SETTEXT, 0, lParam);
  if (d.Edit) {
    SetEditText(h, d, text);
    return 1;
  }
  const LRESULT i = ToList(d, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(text.c_str()));
  if (i < 0) return CB_ERR;
  ToList(d, LB_SETCURSEL, static_cast<WPARAM>(i));
  Invalidate(h);
  return 1;
}

String FieldText(TWindow& w) {
  TComboData& d = Data(w);
  if (d.Edit) {
    const int length = static_cast<int>(SendTo(d.Edit, WM_GETTEXTLENGTH, 0, 0));
    String text(static_cast<std::size_t>(length) + 1, '\0');
    SendTo(d.Edit, WM_GETTEXT, static_cast<WPARAM>(length + 1),
           reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
  }
  const int selection = Selection(d);
  return selection >= 0 ? ItemText(d, selection) : String();
}

LRESULT GetText(TWindow& w, WPARAM size, LPARAM buffer) {
  const String text = FieldText(w);
  if (size == 0 || !buffer) return 0;
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size) - 1);
  auto* out = reinterpret_cast<char*>(buffer);
  std::copy_n(text.data(), n, out);
  out[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT SetCurSel(HWND h, TWindow& w, WPARAM wParam) {
  TComboData& d = Data(w);
  const int i = Index(wParam);
  if (i < -1 || i >= Count(d)) return CB_ERR;
  ShowSelection(h, i);
  if (TWindow* again = WindowOf(h)) Data(*again).Committed = i;
  return i < 0 ? CB_ERR : i;
}

LRESULT SetItemHeight(HWND h, TWindow& w, WPARAM wParam, LPARAM lParam) {
  TComboData& d = Data(w);
  const int height = LOWORD(static_cast<std::uintptr_t>(lParam));
  if (Index(wParam) != -1)
    return ToList(d, LB_SETITEMHEIGHT, wParam, lParam) == LB_ERR ? CB_ERR : CB_OKAY;
  if (height <= 0 || height > 255) return CB_ERR;
  d.FieldHeight = height;
  Refit(h);
  return CB_OKAY;
}

LRESULT GetEditSel(const TComboData& d, WPARAM startOut, LPARAM endOut) {
  if (!d.Edit) return CB_ERR;
  DWORD start = 0, end = 0;
  SendTo(d.Edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (startOut) *reinterpret_cast<DWORD*>(startOut) = start;
  if (endOut) *reinterpret_cast<DWORD*>(endOut) = end;
  return MAKELPARAM(static_cast<int>(start), static_cast<int>(end));
}

LRESULT SetEditSel(const TComboData& d, LPARAM lParam) {
  if (!d.Edit) return CB_ERR;
  const auto start = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam)));
  const auto end = static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(lParam)));
  SendTo(d.Edit, EM_SETSEL, static_cast<WPARAM>(static_cast<LRESULT>(start)),
         static_cast<LPARAM>(end));
  return 1;
}

LRESULT DroppedRect(TWindow& w, LPARAM out) {
  if (!out) return CB_ERR;
  TComboData& d = Data(w);
  *reinterpret_cast<TRect*>(out) =
      IsSimple(w) && d.List ? ScreenRectOf(WindowOf(d.List)) : ListScreenRect(w, d);
  return 1;
}

LRESULT ComboMessage(HWND h, TWindow& w, UINT message, WPARAM wParam, LPARAM lParam) {
  TComboData& d = Data(w);
  switch (message) {
  case CB_ADDSTRING:
    return ToList(d, LB_ADDSTRING, 0, lParam);
  case CB_INSERTSTRING:
    return ToList(d, LB_INSERTSTRING, wParam, lParam);
  case CB_DELETESTRING:
    return ToList(d, LB_DELETESTRING, wParam);
  case CB_RESETCONTENT:
    ToList(d, LB_RESETCONTENT);
    d.Committed = -1;
    Invalidate(h);
    return CB_OKAY;
  case CB_GETCOUNT:
    return Count(d);
  case CB_GETCURSEL:
    return Selection(d);
  case CB_SETCURSEL:
    return SetCurSel(h, w, wParam);
  case CB_GETLBTEXT:
    return ToList(d, LB_GETTEXT, wParam, lParam);
  case CB_GETLBTEXTLEN:
    return ToList(d, LB_GETTEXTLEN, wParam);
  case CB_FINDSTRING:
    return ToList(d, LB_FINDSTRING, wParam, lParam);
  case CB_FINDSTRINGEXACT:
    return ToList(d, LB_FINDSTRINGEXACT, wParam, lParam);
  case CB_SELECTSTRING: {
    const LRESULT i = ToList(d, LB_FINDSTRING, wParam, lParam);
    return i < 0 ? CB_ERR : SetCurSel(h, w, static_cast<WPARAM>(i));
  }
  case CB_GETITEMDATA:
    return ToList(d, LB_GETITEMDATA, wParam);
  case CB_SETITEMDATA:
    return ToList(d, LB_SETITEMDATA, wParam, lParam) == LB_ERR ? CB_ERR : 1;
  case CB_SETITEMHEIGHT:
    return SetItemHeight(h, w, wParam, lParam);
  case CB_GETITEMHEIGHT:
    return Index(wParam) == -1 ? d.FieldHeight : ToList(d, LB_GETITEMHEIGHT, wParam);
  case CB_LIMITTEXT:
    if (d.Edit) SendTo(d.Edit, EM_LIMITTEXT, wParam, 0);
    return 1;
  case CB_GETEDITSEL:
    return GetEditSel(d, wParam, lParam);
  case CB_SETEDITSEL:
    return SetEditSel(d, lParam);
  case CB_SHOWDROPDOWN:
    if (wParam)
      DropDown(h);
    else
      CloseUp(h, false);
    return 1;
  case CB_GETDROPPEDSTATE:
    return d.Dropped ? 1 : 0;
  case CB_GETDROPPEDCONTROLRECT:
    return DroppedRect(w, lParam);
  case CB_GETTOPINDEX:
    return ToList(d, LB_GETTOPINDEX);
  case CB_SETTOPINDEX:
    return ToList(d, LB_SETTOPINDEX, wParam) == LB_ERR ? CB_ERR : CB_OKAY;
  case CB_SETEXTENDEDUI:
    d.ExtendedUI = wParam != 0;
    return CB_OKAY;
  case CB_GETEXTENDEDUI:
    return d.ExtendedUI ? 1 : 0;
  case CB_SETDROPPEDWIDTH:
    d.DroppedWidth = std::max(0, Index(wParam));
    return std::max(d.DroppedWidth, w.Rect.Width());
  case CB_GETDROPPEDWIDTH:
    return std::max(d.DroppedWidth, w.Rect.Width());
  default:
    return DefaultWindowProc(h, message, wParam, lParam);
  }
}

HWND MakeChild(HWND parent, const char* cls, DWORD style, DWORD exStyle, UINT_PTR id,
               const char* text) {
  CREATESTRUCTA cs;
  cs.hwndParent = parent;
  cs.hMenu = reinterpret_cast<HMENU>(id);
  cs.style = static_cast<LONG>(style);
  cs.dwExStyle = exStyle;
  cs.lpszClass = cls;
  cs.lpszName = text;
  return CreateWindowFrom(cs);
}

DWORD ListStyle(const TWindow& w) {
  DWORD style = (w.Style & (WS_VSCROLL | WS_HSCROLL)) | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  if (w.Style & CBS_OWNERDRAWFIXED) style |= LBS_OWNERDRAWFIXED;
  if (w.Style & CBS_OWNERDRAWVARIABLE) style |= LBS_OWNERDRAWVARIABLE;
  if (w.Style & CBS_SORT) style |= LBS_SORT;
  if (w.Style & CBS_HASSTRINGS) style |= LBS_HASSTRINGS;
  if (w.Style & CBS_DISABLENOSCROLL) style |= LBS_DISABLENOSCROLL;
  return style | (IsSimple(w) ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_BORDER);
}

LRESULT EditFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

void MakeEdit(HWND h, TWindow& w) {
  DWORD style = WS_CHILD | WS_VISIBLE;
  if (w.Style & CBS_AUTOHSCROLL) style |= ES_AUTOHSCROLL;
  if (w.Style & CBS_UPPERCASE) style |= ES_UPPERCASE;
  if (w.Style & CBS_LOWERCASE) style |= ES_LOWERCASE;
  const String text = w.Text;
  const HWND edit = MakeChild(h, "Edit", style, 0, EditId, text.c_str());
  TWindow* e = WindowOf(edit);
  TWindow* again = WindowOf(h);
  if (!e || !again) return;
  TComboData& d = Data(*again);
  d.Edit = edit;
  d.EditProc = e->Proc;
  e->Proc = EditFilter;
}

void MeasureOwnerDrawn(HWND h, TWindow& w) {
  TComboData& d = Data(w);
  if (!OwnerDrawn(w)) return;
  d.FieldHeight = Measure(h, -1, d.FieldHeight);
  if (!(w.Style & CBS_OWNERDRAWFIXED)) return;
  const int height = Measure(h, 0, static_cast<int>(ToList(d, LB_GETITEMHEIGHT, 0)));
  ToList(d, LB_SETITEMHEIGHT, 0, height);
}

LRESULT Create(HWND h, TWindow& w) {
  TComboData& d = Data(w);
  d.FieldHeight = LineHeight(0) + 2;
  d.DroppedHeight = w.Rect.Height();
  const DWORD exStyle =
      IsSimple(w) ? WS_EX_CLIENTEDGE : WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  const HWND list = MakeChild(h, ComboListClassName, ListStyle(w), exStyle, ListId, "");
  TWindow* again = WindowOf(h);
  if (!again || !list) return -1;
  // The scroll bars asked for are the list's.
  again->Style &= ~(WS_VSCROLL | WS_HSCROLL);
  Data(*again).List = list;
  SetListBoxCombo(list, h);
  if (Kind(*again) != CBS_DROPDOWNLIST) MakeEdit(h, *again);
  again = WindowOf(h);
  if (!again) return -1;
  // As on Win32 the list of a simple combo box is its first child, the edit the next.
  if (IsSimple(*again))
    PlaceWindow(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  MeasureOwnerDrawn(h, *again);
  Refit(h);
  return 0;
}

LRESULT SetFont(HWND h, TWindow& w, WPARAM font, LPARAM redraw) {
  TComboData& d = Data(w);
  d.Font = static_cast<THandleId>(font);
  if (!OwnerDrawn(w)) d.FieldHeight = LineHeight(d.Font) + 2;
  if (d.Edit) SendTo(d.Edit, WM_SETFONT, font, redraw);
  if (d.List) SendTo(d.List, WM_SETFONT, font, redraw);
  Refit(h);
  return 0;
}

LRESULT ComboBoxProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  TWindow* w = WindowOf(h);
  if (!w) return 0;
  TComboData& d = Data(*w);
  switch (message) {
  case WM_CREATE:
    return Create(h, *w);
  case WM_WINDOWPOSCHANGING:
    KeepClosedHeight(*w, *reinterpret_cast<WINDOWPOS*>(lParam));
    return 0;
  case WM_SIZE:
    Layout(h);
    return 0;
  case WM_PAINT:
    Paint(h, *w);
    return 0;
  case WM_ERASEBKGND:
    return 1;
  case WM_SETFONT:
    return SetFont(h, *w, wParam, lParam);
  case WM_GETFONT:
    return static_cast<LRESULT>(d.Font);
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    return ButtonDown(h, *w, lParam);
  case WM_MOUSEMOVE:
    return TrackMove(h, *w, lParam);
  case WM_LBUTTONUP:
    return TrackRelease(h, *w, lParam);
  case WM_CAPTURECHANGED:
    d.Tracking = d.Tracking && reinterpret_cast<HWND>(lParam) == h;
    return 0;
  case WM_SETFOCUS:
    if (d.Edit) {
      SetFocusTo(d.Edit);
      return 0;
    }
    FocusGained(h);
    return 0;
  case WM_KILLFOCUS:
    FocusLost(h, reinterpret_cast<HWND>(wParam));
    return 0;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    if (ComboKey(h, static_cast<int>(wParam), message == WM_SYSKEYDOWN)) return 0;
    return DefaultWindowProc(h, message, wParam, lParam);
  case WM_CHAR:
    if (std::exchange(d.SwallowChar, false)) return 0;
    if (IsDropList(*w)) TypeSelect(h, d, static_cast<char>(wParam));
    return 0;
  case WM_GETDLGCODE:
    return DLGC_WANTARROWS | DLGC_WANTCHARS | (d.Dropped ? DLGC_WANTALLKEYS : 0);
  case WM_COMMAND:
    return Command(h, *w, wParam);
  case WM_DRAWITEM:
    return RelayDrawItem(h, *w, lParam);
  case WM_MEASUREITEM:
    return RelayMeasureItem(*w, lParam);
  case WM_DELETEITEM:
    return RelayDeleteItem(h, *w, lParam);
  case WM_CTLCOLORLISTBOX:
  case WM_CTLCOLOREDIT:
    return static_cast<LRESULT>(ParentColorBrush(h, reinterpret_cast<HDC>(wParam), message));
  case WM_SETTEXT:
    return SetText(h, *w, lParam);
  case WM_GETTEXT:
    return GetText(*w, wParam, lParam);
  case WM_GETTEXTLENGTH:
    return static_cast<LRESULT>(FieldText(*w).size());
  case WM_ENABLE:
    if (d.Edit) EnableWindowTree(d.Edit, wParam != 0);
    Invalidate(h);
    return 0;
  default:
    return ComboMessage(h, *w, message, wParam, lParam);
  }
}

// The combo box an edit belongs to.
HWND ComboOf(HWND edit) {
  const TWindow* w = WindowOf(edit);
  return w && w->Parent ? w->Parent->Handle : nullptr;
}

LRESULT EditFilter(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND combo = ComboOf(edit);
  TWindow* c = WindowOf(combo);
  if (!c) return 0;
  const WNDPROC proc = Data(*c).EditProc;
  switch (message) {
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    if (ComboKey(combo, static_cast<int>(wParam), message == WM_SYSKEYDOWN)) return 0;
    break;
  case WM_CHAR:
    if (std::exchange(Data(*c).SwallowChar, false)) return 0;
    break;
  case WM_KILLFOCUS:
    Data(*c).NextFocus = reinterpret_cast<HWND>(wParam);
    break;
  case WM_GETDLGCODE:
    return CallProc(proc, edit, message, wParam, lParam) |
           (Data(*c).Dropped ? DLGC_WANTALLKEYS : 0);
  default:
    break;
  }
  return CallProc(proc, edit, message, wParam, lParam);
}

// The list under a list-relative point, -1 for none.
int ItemAt(HWND list, LPARAM lParam) {
  const LRESULT hit = SendTo(list, LB_ITEMFROMPOINT, 0, lParam);
  return HIWORD(static_cast<std::uintptr_t>(hit)) ? -1 : LOWORD(static_cast<std::uintptr_t>(hit));
}

bool InsideClient(HWND list, LPARAM lParam) {
  const TWindow* w = WindowOf(list);
  return w && Rect(0, 0, w->Client.Width(), w->Client.Height())
                  .Contains(TPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
}

LRESULT SimpleListMouse(HWND list, HWND combo, UINT message, LPARAM lParam) {
  TWindow* c = WindowOf(combo);
  if (!c) return 0;
  TComboData& d = Data(*c);
  if (message == WM_LBUTTONUP || message == WM_MOUSEMOVE) return 0;
  if (!WithinCombo(combo, User().Focus)) SetFocusTo(d.Edit ? d.Edit : combo);
  if (!WindowOf(combo) || !WithinCombo(combo, User().Focus)) return 0;
  const int i = ItemAt(list, lParam);
  if (i >= 0 && i != Selection(d)) {
    ShowSelection(combo, i);
    AnnounceSelection(combo);
  }
  if (message == WM_LBUTTONDBLCLK && WindowOf(combo)) NotifyParent(combo, CBN_DBLCLK);
  return 0;
}

// The open list has the mouse captured: it follows the mouse, a release on an item takes
// it, a press outside closes the list.
LRESULT DroppedListMouse(HWND list, HWND combo, UINT message, LPARAM lParam) {
  TWindow* c = WindowOf(combo);
  if (!c) return 0;
  TComboData& d = Data(*c);
  const bool inside = InsideClient(list, lParam);
  const int i = inside ? ItemAt(list, lParam) : -1;
  switch (message) {
  case WM_MOUSEMOVE:
    if (i >= 0 && i != Selection(d)) SendTo(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
    return 0;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
    if (!inside) CloseUp(combo, false);
    return 0;
  case WM_LBUTTONUP:
    if (d.ButtonDown) {
      d.ButtonDown = false;
      Invalidate(combo);
    }
    if (i < 0) return 0;
    SendTo(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
    CloseUp(combo, true);
    return 0;
  default:
    return 0;
  }
}

LRESULT ComboListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND combo = ListBoxCombo(list);
  TWindow* c = WindowOf(combo);
  switch (message) {
  case WM_MOUSEACTIVATE:
    return MA_NOACTIVATE;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
  case WM_LBUTTONUP:
  case WM_MOUSEMOVE:
    if (!c) return 0;
    return IsSimple(*c) ? SimpleListMouse(list, combo, message, lParam)
                        : DroppedListMouse(list, combo, message, lParam);
  case WM_CAPTURECHANGED:
    if (c && Data(*c).Dropped && !Data(*c).Tracking && reinterpret_cast<HWND>(lParam) != list)
      CloseUp(combo, false);
    return 0;
  default:
    return ListBoxWindowProc(list, message, wParam, lParam);
  }
}

} // namespace

void RegisterComboBoxClass() {
  WNDCLASSEXA wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ComboBoxProc;
  wc.lpszClassName = "ComboBox";
  RegisterWindowClass(wc);
}

void RegisterComboListClass() {
  WNDCLASSEXA wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ComboListProc;
  wc.lpszClassName = ComboListClassName;
  RegisterWindowClass(wc);
}
