#include "framework/win32/user/ListBoxClass.h"

#include "framework/rtl/BlockList.h"
#include "framework/rtl/Strings.h"
#include "framework/win32/gdi/GdiObjects.h"
#include "framework/win32/user/ControlPaint.h"
#include "framework/win32/user/DefaultProc.h"
#include "framework/win32/user/Focus.h"
#include "framework/win32/user/Input.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/ScrollBars.h"
#include "framework/win32/user/WindowClasses.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>
#include <new>

namespace {

using namespace ControlPaint;

constexpr int WheelLines = 3, DefaultTabDialogUnits = 32;

struct TItem {
  String Text;
  UINT_PTR Data = 0;
  bool Selected = false;
  int Height = 0;
};

struct TListBoxData : TControlData {
  TOwningBlockList<TItem> Items; // an insertion moves pointers within one block
  int Top = 0;
  int Selection = -1; // single selection
  int Caret = 0;
  int Anchor = -1;
  int ItemHeight = 16;
  THandleId Font = 0;
  std::vector<int> TabStops; // pixels
  int HorizontalExtent = 0;
  int ColumnWidth = 0; // LBS_MULTICOLUMN
  int HorizontalPos = 0;
  int WheelRest = 0;
  bool Focused = false;
  bool Redraw = true;
  bool Tracking = false;
  bool Resizing = false;
  bool OwnScrollV = false;
  bool OwnScrollH = false;
  bool WhollyInvalid = false; // invalidated whole since the last paint
  bool ScrollStale = false;   // the bars' numbers wait for the next message that shows or uses them
  HWND Combo = nullptr;       // the combo box whose list this is
};

TListBoxData& Data(TWindow& w) { return DataOf<TListBoxData>(w); }

// Who hears of items and notifications: the combo box a list belongs to, else the parent.
HWND NotifyTarget(TWindow& w) {
  if (const HWND combo = Data(w).Combo; combo && WindowOf(combo)) return combo;
  return w.Parent && w.IsChild() ? w.Parent->Handle : nullptr;
}

void Notify(HWND h, WORD code) {
  TWindow* w = WindowOf(h);
  if (!w || !Data(*w).Combo) return NotifyParent(h, code);
  if (const HWND target = NotifyTarget(*w))
    SendTo(target, WM_COMMAND, static_cast<WPARAM>(MAKELPARAM(static_cast<int>(w->Id), code)),
           reinterpret_cast<LPARAM>(h));
}

THandleId BackgroundBrush(HWND h, TWindow& w, HDC dc) {
  const HWND combo = Data(w).Combo;
  if (!combo || !WindowOf(combo)) return ParentColorBrush(h, dc, WM_CTLCOLORLISTBOX);
  const auto answer = static_cast<THandleId>(
      SendTo(combo, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(h)));
  if (answer && TGdiHandles::Instance().FindAs<TGdiBrush>(answer)) return answer;
  return SysBrush(ColorWindow);
}
int Count(const TListBoxData& d) { return static_cast<int>(d.Items.Count()); }
bool Valid(const TListBoxData& d, WPARAM index) {
  return static_cast<LRESULT>(index) >= 0 && static_cast<LRESULT>(index) < Count(d);
}
int Index(WPARAM v) { return static_cast<int>(static_cast<LRESULT>(v)); }

bool OwnerDraw(const TWindow& w) {
  return (w.Style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
}
bool Variable(const TWindow& w) { return (w.Style & LBS_OWNERDRAWVARIABLE) != 0; }
bool HasStrings(const TWindow& w) { return !OwnerDraw(w) || (w.Style & LBS_HASSTRINGS); }
bool Multiple(const TWindow& w) { return (w.Style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
bool Extended(const TWindow& w) { return (w.Style & LBS_EXTENDEDSEL) != 0; }
int ClientHeight(const TWindow& w) { return w.Client.Height(); }
int ClientWidth(const TWindow& w) { return w.Client.Width(); }
bool MultiColumn(const TWindow& w) { return (w.Style & LBS_MULTICOLUMN) && !Variable(w); }

// Multi-column lists: items run down a column of whole rows, then on in the next column.
int RowsPerColumn(const TWindow& w, const TListBoxData& d) {
  return std::max(1, ClientHeight(w) / std::max(1, d.ItemHeight));
}
int ColumnWidth(const TWindow& w, const TListBoxData& d) {
  return d.ColumnWidth > 0 ? d.ColumnWidth : std::max(1, ClientWidth(w));
}
int VisibleColumns(const TWindow& w, const TListBoxData& d) {
  return std::max(1, ClientWidth(w) / ColumnWidth(w, d));
}
int ColumnCount(const TWindow& w, const TListBoxData& d) {
  const int rows = RowsPerColumn(w, d);
  return (Count(d) + rows - 1) / rows;
}

int HeightOf(const TWindow& w, const TListBoxData& d, int i) {
  return Variable(w) && i >= 0 && i < Count(d) ? d.Items[static_cast<std::size_t>(i)].Height
                                               : d.ItemHeight;
}

// The top of an item relative to the client area (negative above the top item).
int ItemTop(const TWindow& w, const TListBoxData& d, int i) {
  if (!Variable(w)) return (i - d.Top) * d.ItemHeight;
  int y = 0;
  for (int k = d.Top; k < i; ++k) y += HeightOf(w, d, k);
  for (int k = i; k < d.Top; ++k) y -= HeightOf(w, d, k);
  return y;
}

TRect ColumnItemRect(const TWindow& w, const TListBoxData& d, int i) {
  const int rows = RowsPerColumn(w, d), width = ColumnWidth(w, d);
  const int left = (i / rows - d.Top / rows) * width, top = (i % rows) * d.ItemHeight;
  return Rect(left, top, left + width, top + d.ItemHeight);
}

TRect ItemRect(const TWindow& w, const TListBoxData& d, int i) {
  if (MultiColumn(w)) return ColumnItemRect(w, d, i);
  const int top = ItemTop(w, d, i);
  const int width = std::max(ClientWidth(w), d.HorizontalExtent);
  return Rect(-d.HorizontalPos, top, width - d.HorizontalPos, top + HeightOf(w, d, i));
}

// Whole items that fit from the top index down.
int PageSize(const TWindow& w, const TListBoxData& d) {
  if (MultiColumn(w)) return RowsPerColumn(w, d) * VisibleColumns(w, d);
  if (!Variable(w)) return std::max(1, ClientHeight(w) / std::max(1, d.ItemHeight));
  int n = 0;
  for (int y = 0, i = d.Top; i < Count(d) && y + HeightOf(w, d, i) <= ClientHeight(w); ++i, ++n)
    y += HeightOf(w, d, i);
  return std::max(1, n);
}

int MaxTop(const TWindow& w, const TListBoxData& d) {
  if (MultiColumn(w))
    return std::max(0, ColumnCount(w, d) - VisibleColumns(w, d)) * RowsPerColumn(w, d);
  if (!Variable(w)) return std::max(0, Count(d) - PageSize(w, d));
  int y = 0, i = Count(d);
  while (i > 0 && y + HeightOf(w, d, i - 1) <= ClientHeight(w)) y += HeightOf(w, d, --i);
  return std::min(i, std::max(0, Count(d) - 1));
}

// A list whose whole client area already waits to be erased and painted needs nothing more,
// so a fill invalidates once.
bool StillWhollyInvalid(const TWindow& w, const TListBoxData& d) {
  const TRect box = w.Update.Box();
  return d.WhollyInvalid && w.EraseNeeded && w.Children.empty() && box.Left <= 0 && box.Top <= 0 &&
         box.Right >= ClientWidth(w) && box.Bottom >= ClientHeight(w);
}

void Repaint(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  TListBoxData& d = Data(*w);
  if (!d.Redraw || StillWhollyInvalid(*w, d)) return;
  Invalidate(h);
  if (TWindow* again = WindowOf(h)) Data(*again).WhollyInvalid = true;
}

// A multi-column list scrolls sideways by whole columns.
void UpdateColumnScrollBar(HWND h, TWindow& w, TListBoxData& d, UINT keep) {
  if (!d.OwnScrollH && !d.OwnScrollV) return;
  SCROLLINFO info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | keep;
  info.nMax = std::max(0, ColumnCount(w, d) - 1);
  info.nPage = static_cast<UINT>(VisibleColumns(w, d));
  info.nPos = d.Top / RowsPerColumn(w, d);
  if (d.OwnScrollV) ShowScrollBarOn(h, SB_VERT, false);
  if (WindowOf(h)) SetScrollInfoOn(h, SB_HORZ, info, true);
}

void UpdateScrollBars(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  TListBoxData& d = Data(*w);
  if (!d.Redraw) return;
  d.ScrollStale = false;
  const UINT keep = (w->Style & LBS_DISABLENOSCROLL) ? SIF_DISABLENOSCROLL : 0;
  if (MultiColumn(*w)) return UpdateColumnScrollBar(h, *w, d, keep);
  if (d.OwnScrollV) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | keep;
    info.nMax = std::max(0, Count(d) - 1);
    info.nPage = static_cast<UINT>(PageSize(*w, d));
    info.nPos = d.Top;
    SetScrollInfoOn(h, SB_VERT, info, true);
  }
  if (TWindow* again = WindowOf(h); again && d.OwnScrollH) {
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | keep;
    info.nMax = std::max(0, d.HorizontalExtent - 1);
    info.nPage = static_cast<UINT>(ClientWidth(*again));
    info.nPos = d.HorizontalPos;
    SetScrollInfoOn(h, SB_HORZ, info, true);
  }
}

// Whether the vertical bar is wanted by the numbers it was last given, and by the items now.
bool BarWanted(const TScrollBarState& s) {
  return s.Min < s.Max - std::max(static_cast<int>(s.Page) - 1, 0);
}
bool BarWanted(const TWindow& w, const TListBoxData& d) { return Count(d) > PageSize(w, d); }

// After an add or delete the bars' numbers wait, so a fill sets them once; a bar that has to
// appear or go does so at once, since the client area changes with it.
void CountChanged(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  TListBoxData& d = Data(*w);
  if (!d.Redraw) return;
  if (MultiColumn(*w) || !d.OwnScrollV || BarWanted(w->ScrollBars[SB_VERT]) != BarWanted(*w, d))
    return UpdateScrollBars(h);
  d.ScrollStale = true;
}

// The messages of a fill, which leave stale bars as they are.
bool KeepsBarsStale(UINT message) {
  switch (message) {
  case LB_ADDSTRING:
  case LB_INSERTSTRING:
  case LB_DELETESTRING:
  case LB_GETCOUNT:
  case LB_GETTEXT:
  case LB_GETTEXTLEN:
  case LB_SETITEMDATA:
  case LB_GETITEMDATA:
  case LB_GETCURSEL:
    return true;
  default:
    return false;
  }
}

void SetTop(HWND h, int top) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  TListBoxData& d = Data(*w);
  top = std::clamp(top, 0, MaxTop(*w, d));
  if (MultiColumn(*w)) top -= top % RowsPerColumn(*w, d);
  if (top == d.Top) return;
  d.Top = top;
  UpdateScrollBars(h);
  Repaint(h);
}

// Scrolls so the item can be seen whole.
void MakeVisible(HWND h, int i) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  TListBoxData& d = Data(*w);
  if (i < 0 || i >= Count(d)) return;
  if (MultiColumn(*w)) {
    const int rows = RowsPerColumn(*w, d), column = i / rows, first = d.Top / rows;
    if (column < first) return SetTop(h, column * rows);
    if (column >= first + VisibleColumns(*w, d))
      SetTop(h, (column - VisibleColumns(*w, d) + 1) * rows);
    return;
  }
  if (i < d.Top) return SetTop(h, i);
  if (!Variable(*w)) {
    if (i >= d.Top + PageSize(*w, d)) SetTop(h, i - PageSize(*w, d) + 1);
    return;
  }
  int top = d.Top;
  while (top < i) {
    int y = 0;
    for (int k = top; k <= i; ++k) y += HeightOf(*w, d, k);
    if (y <= ClientHeight(*w)) break;
    ++top;
  }
  SetTop(h, top);
}

void SendDrawItem(TWindow& w, HDC dc, int i, UINT action, const TRect& r) {
  TListBoxData& d = Data(w);
  const HWND target = NotifyTarget(w);
  if (!target) return;
  DRAWITEMSTRUCT item;
  item.CtlType = ODT_LISTBOX;
  item.CtlID = static_cast<UINT>(w.Id);
  item.itemID = static_cast<UINT>(i);
  item.itemAction = action;
  const TItem& it = d.Items[static_cast<std::size_t>(i)];
  const bool selected = Multiple(w) ? it.Selected : d.Selection == i;
  if (selected && !(w.Style & LBS_NOSEL)) item.itemState |= ODS_SELECTED;
  if (d.Focused && d.Caret == i) item.itemState |= ODS_FOCUS;
  if (!DrawsEnabled(w)) item.itemState |= ODS_DISABLED;
  item.hwndItem = w.Handle;
  item.hDC = dc;
  item.rcItem = r;
  item.itemData = it.Data;
  SendTo(target, WM_DRAWITEM, w.Id, reinterpret_cast<LPARAM>(&item));
}

bool IsSelected(const TWindow& w, const TListBoxData& d, int i) {
  if (w.Style & LBS_NOSEL) return false;
  return Multiple(w) ? d.Items[static_cast<std::size_t>(i)].Selected : d.Selection == i;
}

void DrawPlainItem(TDeviceContext& dc, const TWindow& w, const TListBoxData& d, int i,
                   const TRect& r, THandleId background) {
  const bool selected = IsSelected(w, d, i);
  const std::uint32_t text = dc.State().TextColour;
  if (selected) {
    FillSys(dc, r, ColorHighlight);
    dc.State().TextColour = SysColor(ColorHighlightText);
  } else {
    Fill(dc, r, background);
  }
  if (!DrawsEnabled(w)) dc.State().TextColour = SysColor(ColorGrayText);
  dc.State().BkMode = 1;
  const String& s = d.Items[static_cast<std::size_t>(i)].Text;
  if (w.Style & LBS_USETABSTOPS) {
    TabbedText(dc, r.Left + 1, r.Top, s, d.TabStops);
  } else {
    TRect t = Rect(r.Left + 1, r.Top, r.Right, r.Bottom);
    DrawText(dc, s, t, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  }
  dc.State().TextColour = text;
  if (d.Focused && d.Caret == i) FocusRect(dc, r);
}

void Paint(HWND h, TWindow& w) {
  TListBoxData& d = Data(w);
  TPaintDc paint(h, d.Font);
  if (!paint) return;
  TDeviceContext& dc = paint.Dc();
  const THandleId background = BackgroundBrush(h, w, paint.Handle());
  if (MultiColumn(w)) Fill(dc, Rect(0, 0, ClientWidth(w), ClientHeight(w)), background);
  int bottom = 0;
  for (int i = d.Top; i < Count(d) && (MultiColumn(w) || bottom < ClientHeight(w)); ++i) {
    const TRect r = ItemRect(w, d, i);
    if (r.Left >= ClientWidth(w)) break;
    if (OwnerDraw(w)) {
      Fill(dc, r, background);
      SendDrawItem(w, paint.Handle(), i, ODA_DRAWENTIRE, r);
      if (!WindowOf(h)) return;
    } else {
      DrawPlainItem(dc, w, d, i, r, background);
    }
    bottom = r.Bottom;
  }
  if (bottom < ClientHeight(w) && !MultiColumn(w))
    Fill(dc, Rect(0, bottom, ClientWidth(w), ClientHeight(w)), background);
  if (Count(d) == 0 && d.Focused) FocusRect(dc, Rect(0, 0, ClientWidth(w), d.ItemHeight));
}

// One item again: owner-drawn ones are told at once what changed, the others repaint.
void RedrawItem(HWND h, int i, UINT action) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  TListBoxData& d = Data(*w);
  if (i < 0 || i >= Count(d) || !d.Redraw || !IsVisibleTree(w)) return;
  const TRect r = ItemRect(*w, d, i);
  if (r.Bottom <= 0 || r.Top >= ClientHeight(*w)) return;
  if (!OwnerDraw(*w)) {
    const TRegion area(r);
    RedrawRegion(*w, &area, RDW_INVALIDATE);
    return;
  }
  const THandleId id = MakeWindowDc(*w, 0, nullptr);
  if (TDeviceContext* dc = TGdiHandles::Instance().FindDc(id))
    dc->State().Font = FontOrSystem(d.Font);
  SendDrawItem(*w, AsHdc(id), i, action, r);
  if (TWindow* again = WindowOf(h)) ReleaseWindowDc(*again, id);
}

void SetItemSelected(HWND h, TListBoxData& d, int i, bool on) {
  TItem& it = d.Items[static_cast<std::size_t>(i)];
  if (it.Selected == on) return;
  it.Selected = on;
  RedrawItem(h, i, ODA_SELECT);
}

void SelectSingle(HWND h, TListBoxData& d, int i) {
  if (d.Selection == i) return;
  const int before = d.Selection;
  d.Selection = i;
  RedrawItem(h, before, ODA_SELECT);
  RedrawItem(h, i, ODA_SELECT);
}

void MoveCaret(HWND h, TListBoxData& d, int i) {
  if (d.Caret == i) return;
  const int before = d.Caret;
  d.Caret = i;
  if (d.Focused) {
    RedrawItem(h, before, ODA_FOCUS);
    RedrawItem(h, i, ODA_FOCUS);
  }
}

// Extended selection: the range from the anchor to i selected, the rest as `keep` says.
void SelectRange(HWND h, TListBoxData& d, int from, int to, bool keepOthers) {
  const int low = std::min(from, to), high = std::max(from, to);
  for (int k = 0; k < Count(d); ++k) {
    const bool inRange = k >= low && k <= high;
    if (inRange) {
      SetItemSelected(h, d, k, true);
    } else if (!keepOthers) {
      SetItemSelected(h, d, k, false);
    }
  }
}

void NotifySelChange(HWND h, const TWindow& w) {
  if (w.Style & LBS_NOTIFY) Notify(h, LBN_SELCHANGE);
}

// What a click or drag onto item i does to the selection; `first` for the button press.
void PointSelect(HWND h, TWindow& w, int i, bool first, WPARAM keys) {
  TListBoxData& d = Data(w);
  if (i < 0 || i >= Count(d)) return;
  if (w.Style & LBS_NOSEL) return MoveCaret(h, d, i);
  if (!Multiple(w)) {
    SelectSingle(h, d, i);
  } else if (!Extended(w)) {
    if (first) SetItemSelected(h, d, i, !d.Items[static_cast<std::size_t>(i)].Selected);
  } else if (first && (keys & MK_CONTROL) && !(keys & MK_SHIFT)) {
    SetItemSelected(h, d, i, !d.Items[static_cast<std::size_t>(i)].Selected);
    d.Anchor = i;
  } else {
    if (first && !(keys & MK_SHIFT)) d.Anchor = i;
    SelectRange(h, d, d.Anchor < 0 ? i : d.Anchor, i, (keys & MK_CONTROL) != 0);
  }
  MoveCaret(h, d, i);
  MakeVisible(h, i);
}

int ItemAtColumnPoint(const TWindow& w, const TListBoxData& d, TPoint p) {
  const int rows = RowsPerColumn(w, d);
  const int column = std::max(0, p.X) / ColumnWidth(w, d);
  const int row = std::clamp(p.Y / std::max(1, d.ItemHeight), 0, rows - 1);
  return std::min(Count(d) - 1, d.Top + column * rows + row);
}

int ItemAtY(const TWindow& w, const TListBoxData& d, int y) {
  if (Count(d) == 0) return -1;
  if (y < 0) return std::max(0, d.Top - 1);
  int top = 0;
  for (int i = d.Top; i < Count(d); ++i) {
    const int height = HeightOf(w, d, i);
    if (y < top + height) return i;
    top += height;
  }
  return Count(d) - 1;
}

int ItemAtPoint(const TWindow& w, const TListBoxData& d, TPoint p) {
  if (Count(d) == 0) return -1;
  return MultiColumn(w) ? ItemAtColumnPoint(w, d, p) : ItemAtY(w, d, p.Y);
}

LRESULT ButtonDown(HWND h, TWindow& w, WPARAM keys, LPARAM lParam) {
  SetFocusTo(h);
  TWindow* again = WindowOf(h);
  if (!again || User().Focus != h) return 0;
  TListBoxData& d = Data(*again);
  const int i = ItemAtPoint(*again, d, TPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
  if (i < 0) return 0;
  d.Tracking = true;
  SetCaptureTo(h);
  PointSelect(h, *again, i, true, keys);
  (void)w;
  return 0;
}

LRESULT MouseMove(HWND h, TWindow& w, WPARAM keys, LPARAM lParam) {
  TListBoxData& d = Data(w);
  if (!d.Tracking) return 0;
  const int y = GET_Y_LPARAM(lParam);
  const int i = MultiColumn(w)         ? ItemAtPoint(w, d, TPoint{GET_X_LPARAM(lParam), y})
                : y >= ClientHeight(w) ? std::min(Count(d) - 1, d.Top + PageSize(w, d))
                                       : ItemAtY(w, d, y);
  if (i >= 0 && i != d.Caret && !(Multiple(w) && !Extended(w))) PointSelect(h, w, i, false, keys);
  return 0;
}

LRESULT ButtonUp(HWND h, TWindow& w) {
  TListBoxData& d = Data(w);
  if (!d.Tracking) return 0;
  d.Tracking = false;
  if (User().Capture == h) ReleaseCaptureNow();
  if (TWindow* again = WindowOf(h)) NotifySelChange(h, *again);
  return 0;
}

int KeyTarget(const TWindow& w, const TListBoxData& d, int key) {
  const int last = Count(d) - 1, page = PageSize(w, d);
  if (MultiColumn(w) && (key == VK_LEFT || key == VK_RIGHT)) {
    const int rows = RowsPerColumn(w, d);
    return std::clamp(d.Caret + (key == VK_LEFT ? -rows : rows), 0, last);
  }
  switch (key) {
  case VK_UP:
  case VK_LEFT:
    return std::max(0, d.Caret - 1);
  case VK_DOWN:
  case VK_RIGHT:
    return std::min(last, d.Caret + 1);
  case VK_PRIOR:
    return std::max(0, d.Caret - std::max(1, page - 1));
  case VK_NEXT:
    return std::min(last, d.Caret + std::max(1, page - 1));
  case VK_HOME:
    return 0;
  case VK_END:
    return last;
  default:
    return -1;
  }
}

// The caret moves to i by the keyboard, the selection with it as the style says.
void KeySelect(HWND h, TWindow& w, int i) {
  TListBoxData& d = Data(w);
  const bool shift = KeyStateOf(VK_SHIFT) < 0, control = KeyStateOf(VK_CONTROL) < 0;
  if ((w.Style & LBS_NOSEL) || (Multiple(w) && !Extended(w)) || (Extended(w) && control)) {
    MoveCaret(h, d, i);
    MakeVisible(h, i);
    return;
  }
  if (!Multiple(w)) {
    SelectSingle(h, d, i);
  } else {
    if (!shift || d.Anchor < 0) d.Anchor = i;
    SelectRange(h, d, d.Anchor, i, false);
  }
  MoveCaret(h, d, i);
  MakeVisible(h, i);
  NotifySelChange(h, w);
}

LRESULT KeyDown(HWND h, TWindow& w, WPARAM key) {
  TListBoxData& d = Data(w);
  if ((w.Style & LBS_WANTKEYBOARDINPUT) && w.Parent) {
    const LRESULT answer = SendTo(w.Parent->Handle, WM_VKEYTOITEM,
                                  static_cast<WPARAM>(MAKELPARAM(static_cast<int>(key), d.Caret)),
                                  reinterpret_cast<LPARAM>(h));
    if (answer == -2 || !WindowOf(h)) return 0;
  }
  if (Count(d) == 0) return 0;
  if (key == static_cast<WPARAM>(VK_SPACE) && Multiple(w) && !(w.Style & LBS_NOSEL)) {
    TItem& it = d.Items[static_cast<std::size_t>(d.Caret)];
    if (Extended(w) && KeyStateOf(VK_CONTROL) >= 0) {
      d.Anchor = d.Caret;
      SelectRange(h, d, d.Caret, d.Caret, false);
    } else {
      SetItemSelected(h, d, d.Caret, !it.Selected);
      d.Anchor = d.Caret;
    }
    NotifySelChange(h, w);
    return 0;
  }
  const int target = KeyTarget(w, d, static_cast<int>(key));
  if (target >= 0) KeySelect(h, w, target);
  return 0;
}

bool StartsWithChar(const String& s, char c) {
  return !s.empty() && std::tolower(static_cast<unsigned char>(s[0])) ==
                           std::tolower(static_cast<unsigned char>(c));
}

LRESULT Char(HWND h, TWindow& w, WPARAM ch) {
  TListBoxData& d = Data(w);
  if (!HasStrings(w)) {
    if ((w.Style & LBS_WANTKEYBOARDINPUT) && w.Parent) {
      const LRESULT answer = SendTo(w.Parent->Handle, WM_CHARTOITEM,
                                    static_cast<WPARAM>(MAKELPARAM(static_cast<int>(ch), d.Caret)),
                                    reinterpret_cast<LPARAM>(h));
      if (answer >= 0 && WindowOf(h) && answer < Count(d))
        KeySelect(h, w, static_cast<int>(answer));
    }
    return 0;
  }
  const char c = static_cast<char>(ch);
  if (c == ' ' || Count(d) == 0) return 0;
  for (int step = 1; step <= Count(d); ++step) {
    const int i = (d.Caret + step) % Count(d);
    if (StartsWithChar(d.Items[static_cast<std::size_t>(i)].Text, c)) {
      KeySelect(h, w, i);
      break;
    }
  }
  return 0;
}

LRESULT Scroll(HWND h, TWindow& w, WPARAM wParam) {
  TListBoxData& d = Data(w);
  const int page = PageSize(w, d);
  switch (static_cast<int>(LOWORD(wParam))) {
  case SB_LINEUP:
    SetTop(h, d.Top - 1);
    break;
  case SB_LINEDOWN:
    SetTop(h, d.Top + 1);
    break;
  case SB_PAGEUP:
    SetTop(h, d.Top - std::max(1, page - 1));
    break;
  case SB_PAGEDOWN:
    SetTop(h, d.Top + std::max(1, page - 1));
    break;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION:
    SetTop(h, w.ScrollBars[SB_VERT].TrackPos);
    break;
  case SB_TOP:
    SetTop(h, 0);
    break;
  case SB_BOTTOM:
    SetTop(h, Count(d));
    break;
  default:
    break;
  }
  return 0;
}

void SetHorizontalPos(HWND h, TWindow& w, int pos) {
  TListBoxData& d = Data(w);
  pos = std::clamp(pos, 0, std::max(0, d.HorizontalExtent - ClientWidth(w)));
  if (pos == d.HorizontalPos) return;
  d.HorizontalPos = pos;
  UpdateScrollBars(h);
  Repaint(h);
}

LRESULT ScrollColumns(HWND h, TWindow& w, WPARAM wParam) {
  TListBoxData& d = Data(w);
  const int rows = RowsPerColumn(w, d), page = VisibleColumns(w, d), first = d.Top / rows;
  switch (static_cast<int>(LOWORD(wParam))) {
  case SB_LINELEFT:
    SetTop(h, (first - 1) * rows);
    break;
  case SB_LINERIGHT:
    SetTop(h, (first + 1) * rows);
    break;
  case SB_PAGELEFT:
    SetTop(h, (first - page) * rows);
    break;
  case SB_PAGERIGHT:
    SetTop(h, (first + page) * rows);
    break;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION:
    SetTop(h, w.ScrollBars[SB_HORZ].TrackPos * rows);
    break;
  default:
    break;
  }
  return 0;
}

LRESULT ScrollHorizontally(HWND h, TWindow& w, WPARAM wParam) {
  if (MultiColumn(w)) return ScrollColumns(h, w, wParam);
  TListBoxData& d = Data(w);
  const int line = AverageCharWidth(d.Font), page = ClientWidth(w);
  switch (static_cast<int>(LOWORD(wParam))) {
  case SB_LINELEFT:
    SetHorizontalPos(h, w, d.HorizontalPos - line);
    break;
  case SB_LINERIGHT:
    SetHorizontalPos(h, w, d.HorizontalPos + line);
    break;
  case SB_PAGELEFT:
    SetHorizontalPos(h, w, d.HorizontalPos - page);
    break;
  case SB_PAGERIGHT:
    SetHorizontalPos(h, w, d.HorizontalPos + page);
    break;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION:
    SetHorizontalPos(h, w, w.ScrollBars[SB_HORZ].TrackPos);
    break;
  default:
    break;
  }
  return 0;
}

LRESULT Wheel(HWND h, TWindow& w, WPARAM wParam) {
  TListBoxData& d = Data(w);
  d.WheelRest += GET_WHEEL_DELTA_WPARAM(wParam);
  const int notches = d.WheelRest / WHEEL_DELTA;
  d.WheelRest -= notches * WHEEL_DELTA;
  if (notches) SetTop(h, d.Top - notches * WheelLines);
  return 0;
}

// Shrinks the window to whole items unless LBS_NOINTEGRALHEIGHT.
void FitIntegralHeight(HWND h) {
  TWindow* w = WindowOf(h);
  if (!w) return;
  TListBoxData& d = Data(*w);
  if ((w->Style & LBS_NOINTEGRALHEIGHT) || Variable(*w) || d.Resizing || d.ItemHeight <= 0) return;
  const int rest = ClientHeight(*w) % d.ItemHeight;
  if (rest == 0 || ClientHeight(*w) <= d.ItemHeight) return;
  d.Resizing = true;
  PlaceWindow(h, nullptr, 0, 0, w->Rect.Width(), w->Rect.Height() - rest,
              SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (TWindow* again = WindowOf(h)) Data(*again).Resizing = false;
}

int MeasureItem(TWindow& w, int i, UINT_PTR data) {
  TListBoxData& d = Data(w);
  MEASUREITEMSTRUCT m;
  m.CtlType = ODT_LISTBOX;
  m.CtlID = static_cast<UINT>(w.Id);
  m.itemID = static_cast<UINT>(std::max(i, 0));
  m.itemWidth = static_cast<UINT>(ClientWidth(w));
  m.itemHeight = static_cast<UINT>(d.ItemHeight);
  m.itemData = data;
  if (const HWND target = NotifyTarget(w))
    SendTo(target, WM_MEASUREITEM, w.Id, reinterpret_cast<LPARAM>(&m));
  return static_cast<int>(m.itemHeight);
}

LRESULT Create(HWND h, TWindow& w) {
  TListBoxData& d = Data(w);
  d.OwnScrollV = (w.Style & WS_VSCROLL) != 0;
  d.OwnScrollH = (w.Style & WS_HSCROLL) != 0;
  d.ItemHeight = LineHeight(0);
  if (w.Style & LBS_OWNERDRAWFIXED) d.ItemHeight = MeasureItem(w, 0, 0);
  if (TWindow* again = WindowOf(h)) {
    if (w.Style & LBS_NOSEL) again->Style &= ~(LBS_MULTIPLESEL | LBS_EXTENDEDSEL);
    UpdateScrollBars(h);
    FitIntegralHeight(h);
  }
  return 0;
}

// Case-insensitive comparison as the sorted list orders its strings; only A–Z fold, so the
// order does not depend on the C library's locale.
int CompareNoCase(const String& a, const String& b) {
  const auto fold = [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? u + ('a' - 'A') : u;
  };
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t k = 0; k < n; ++k) {
    const unsigned x = fold(a[k]), y = fold(b[k]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int SortedPosition(const TListBoxData& d, const String& text) {
  return static_cast<int>(d.Items.UpperBound(
      text, [](const String& t, const TItem& item) { return CompareNoCase(t, item.Text) < 0; }));
}

TItem ItemFrom(const TWindow& w, LPARAM lParam) {
  TItem item;
  if (HasStrings(w)) {
    item.Text = lParam ? reinterpret_cast<const char*>(lParam) : "";
  } else {
    item.Data = static_cast<UINT_PTR>(lParam);
  }
  return item;
}

LRESULT Insert(HWND h, TWindow& w, int index, LPARAM lParam, bool sort) {
  TListBoxData& d = Data(w);
  if (index < -1 || index > Count(d)) return LB_ERR;
  try {
    TItem item = ItemFrom(w, lParam);
    if (sort && HasStrings(w) && (w.Style & LBS_SORT)) index = SortedPosition(d, item.Text);
    if (index == -1) index = Count(d);
    item.Height = d.ItemHeight;
    d.Items.Insert(static_cast<std::size_t>(index), std::move(item));
  } catch (const std::bad_alloc&) {
    if (w.Style & LBS_NOTIFY) Notify(h, LBN_ERRSPACE);
    return LB_ERRSPACE;
  }
  if (d.Selection >= index) ++d.Selection;
  if (d.Anchor >= index) ++d.Anchor;
  if (Count(d) > 1 && d.Caret >= index) ++d.Caret;
  if (Variable(w)) {
    const int height = MeasureItem(w, index, d.Items[static_cast<std::size_t>(index)].Data);
    if (TWindow* again = WindowOf(h))
      Data(*again).Items[static_cast<std::size_t>(index)].Height = height;
  }
  CountChanged(h);
  Repaint(h);
  return index;
}

void SendDeleteItem(TWindow& w, int i) {
  TListBoxData& d = Data(w);
  const TItem& it = d.Items[static_cast<std::size_t>(i)];
  const HWND target = NotifyTarget(w);
  if (!target || (!OwnerDraw(w) && it.Data == 0)) return;
  DELETEITEMSTRUCT del;
  del.CtlType = ODT_LISTBOX;
  del.CtlID = static_cast<UINT>(w.Id);
  del.itemID = static_cast<UINT>(i);
  del.hwndItem = w.Handle;
  del.itemData = it.Data;
  SendTo(target, WM_DELETEITEM, w.Id, reinterpret_cast<LPARAM>(&del));
}

LRESULT Delete(HWND h, TWindow& w, WPARAM wParam) {
  TListBoxData& d = Data(w);
  if (!Valid(d, wParam)) return LB_ERR;
  const int index = Index(wParam);
  SendDeleteItem(w, index);
  TWindow* again = WindowOf(h);
  if (!again) return LB_ERR;
  TListBoxData& e = Data(*again);
  if (index >= Count(e)) return LB_ERR;
  e.Items.Delete(static_cast<std::size_t>(index));
  if (e.Selection == index) e.Selection = -1;
  if (e.Selection > index) --e.Selection;
  if (e.Anchor >= index) e.Anchor = std::max(-1, e.Anchor - 1);
  if (e.Caret > index || (e.Caret == index && e.Caret >= Count(e)))
    e.Caret = std::max(0, e.Caret - 1);
  e.Top = std::clamp(e.Top, 0, MaxTop(*again, e));
  CountChanged(h);
  Repaint(h);
  return Count(e);
}

void DeleteAll(HWND h, TWindow& w) {
  while (TWindow* again = WindowOf(h)) {
    TListBoxData& d = Data(*again);
    if (d.Items.Empty()) break;
    SendDeleteItem(*again, Count(d) - 1);
    if (TWindow* still = WindowOf(h)) {
      TListBoxData& e = Data(*still);
      e.Items.Delete(e.Items.Count() - 1);
    }
  }
  (void)w;
}

LRESULT Reset(HWND h, TWindow& w) {
  DeleteAll(h, w);
  TWindow* again = WindowOf(h);
  if (!again) return LB_OKAY;
  TListBoxData& d = Data(*again);
  d.Top = 0;
  d.Selection = -1;
  d.Caret = 0;
  d.Anchor = -1;
  UpdateScrollBars(h);
  Repaint(h);
  return LB_OKAY;
}

LRESULT GetText(const TWindow& w, const TListBoxData& d, WPARAM index, LPARAM buffer) {
  if (!Valid(d, index)) return LB_ERR;
  const TItem& it = d.Items[static_cast<std::size_t>(index)];
  if (!HasStrings(w)) {
    if (buffer) std::memcpy(reinterpret_cast<void*>(buffer), &it.Data, sizeof it.Data);
    return sizeof it.Data;
  }
  if (buffer) std::memcpy(reinterpret_cast<char*>(buffer), it.Text.c_str(), it.Text.size() + 1);
  return static_cast<LRESULT>(it.Text.size());
}

LRESULT SetCurSel(HWND h, TWindow& w, WPARAM wParam) {
  TListBoxData& d = Data(w);
  if (Multiple(w)) return LB_ERR;
  const int index = Index(wParam);
  if (index == -1) {
    SelectSingle(h, d, -1);
    return LB_ERR;
  }
  if (!Valid(d, wParam)) return LB_ERR;
  SelectSingle(h, d, index);
  MoveCaret(h, d, index);
  MakeVisible(h, index);
  return index;
}

LRESULT SetSel(HWND h, TWindow& w, WPARAM on, LPARAM lParam) {
  TListBoxData& d = Data(w);
  if (!Multiple(w)) return LB_ERR;
  const int index = static_cast<int>(lParam);
  if (index == -1) {
    for (int k = 0; k < Count(d); ++k) SetItemSelected(h, d, k, on != 0);
    return LB_OKAY;
  }
  if (index < 0 || index >= Count(d)) return LB_ERR;
  SetItemSelected(h, d, index, on != 0);
  if (on) {
    d.Anchor = index;
    MoveCaret(h, d, index);
  }
  return LB_OKAY;
}

LRESULT GetSelItems(const TWindow& w, const TListBoxData& d, WPARAM max, LPARAM out) {
  if (!Multiple(w)) return LB_ERR;
  auto* indexes = reinterpret_cast<int*>(out);
  LRESULT n = 0;
  if (!indexes) return 0;
  int k = 0;
  d.Items.ForEach(0, d.Items.Count(), [&](const TItem& item) {
    if (item.Selected && n < static_cast<LRESULT>(max)) indexes[n++] = k;
    ++k;
  });
  return n;
}

LRESULT SelCount(const TWindow& w, const TListBoxData& d) {
  if (!Multiple(w)) return LB_ERR;
  LRESULT n = 0;
  d.Items.ForEach(0, d.Items.Count(), [&n](const TItem& item) { n += item.Selected ? 1 : 0; });
  return n;
}

LRESULT Find(const TWindow& w, const TListBoxData& d, WPARAM start, LPARAM lParam, bool exact) {
  if (Count(d) == 0) return LB_ERR;
  int first = Index(start);
  if (first < -1 || first >= Count(d)) first = -1;
  for (int step = 1; step <= Count(d); ++step) {
    const int i = (first + step) % Count(d);
    const TItem& it = d.Items[static_cast<std::size_t>(i)];
    if (!HasStrings(w)) {
      if (it.Data == static_cast<UINT_PTR>(lParam)) return i;
      continue;
    }
    const String wanted = lParam ? reinterpret_cast<const char*>(lParam) : "";
    const String head = exact ? it.Text : it.Text.substr(0, wanted.size());
    if (CompareNoCase(head, wanted) == 0) return i;
  }
  return LB_ERR;
}

LRESULT SelectString(HWND h, TWindow& w, WPARAM start, LPARAM lParam) {
  const LRESULT i = Find(w, Data(w), start, lParam, false);
  if (i == LB_ERR) return LB_ERR;
  if (Multiple(w)) {
    MoveCaret(h, Data(w), static_cast<int>(i));
    MakeVisible(h, static_cast<int>(i));
    return i;
  }
  return SetCurSel(h, w, static_cast<WPARAM>(i));
}

LRESULT SetItemHeight(HWND h, TWindow& w, WPARAM index, LPARAM lParam) {
  TListBoxData& d = Data(w);
  const int height = LOWORD(static_cast<std::uintptr_t>(lParam));
  if (height <= 0 || height > 255) return LB_ERR;
  if (Variable(w)) {
    if (!Valid(d, index)) return LB_ERR;
    d.Items[static_cast<std::size_t>(index)].Height = height;
  } else {
    d.ItemHeight = height;
    FitIntegralHeight(h);
  }
  UpdateScrollBars(h);
  Repaint(h);
  return LB_OKAY;
}

LRESULT GetItemHeight(const TWindow& w, const TListBoxData& d, WPARAM index) {
  if (Variable(w)) return Valid(d, index) ? HeightOf(w, d, Index(index)) : LB_ERR;
  return d.ItemHeight;
}

LRESULT GetItemRect(const TWindow& w, const TListBoxData& d, WPARAM index, LPARAM out) {
  if (!Valid(d, index) || !out) return LB_ERR;
  *reinterpret_cast<TRect*>(out) = ItemRect(w, d, Index(index));
  return 1;
}

LRESULT ItemFromPoint(const TWindow& w, const TListBoxData& d, LPARAM lParam) {
  const TPoint p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (Count(d) == 0) return MAKELPARAM(0, 1);
  const int i = ItemAtPoint(w, d, p);
  const bool outside = p.X < 0 || p.X >= ClientWidth(w) || p.Y < 0 || p.Y >= ClientHeight(w) ||
                       !ItemRect(w, d, i).Contains(p);
  return MAKELPARAM(i, outside ? 1 : 0);
}

LRESULT SetTabStops(HWND h, TWindow& w, WPARAM count, LPARAM stops) {
  TListBoxData& d = Data(w);
  if (!(w.Style & LBS_USETABSTOPS)) return 0;
  const int unit = AverageCharWidth(d.Font);
  d.TabStops.clear();
  const auto* units = reinterpret_cast<const int*>(stops);
  if (count == 0 || !units) {
    d.TabStops.push_back(DefaultTabDialogUnits * unit / 4);
  } else {
    for (WPARAM k = 0; k < count; ++k) d.TabStops.push_back(units[k] * unit / 4);
  }
  Repaint(h);
  return 1;
}

LRESULT SetCaret(HWND h, TWindow& w, WPARAM index) {
  TListBoxData& d = Data(w);
  if (!Valid(d, index)) return LB_ERR;
  MoveCaret(h, d, Index(index));
  MakeVisible(h, Index(index));
  return LB_OKAY;
}

LRESULT SetCount(HWND h, TWindow& w, WPARAM count) {
  TListBoxData& d = Data(w);
  if (!(w.Style & LBS_NODATA) || HasStrings(w)) return LB_ERR;
  if (count > static_cast<WPARAM>(std::numeric_limits<int>::max())) return LB_ERRSPACE;
  try {
    while (d.Items.Count() > count) d.Items.Delete(d.Items.Count() - 1);
    while (d.Items.Count() < count) d.Items.Add(TItem{});
  } catch (const std::bad_alloc&) {
    return LB_ERRSPACE;
  }
  UpdateScrollBars(h);
  Repaint(h);
  return LB_OKAY;
}

LRESULT SelItemRange(HWND h, TWindow& w, bool on, int first, int last) {
  TListBoxData& d = Data(w);
  if (!Multiple(w)) return LB_ERR;
  if (first > last) std::swap(first, last);
  for (int k = std::max(0, first); k <= std::min(last, Count(d) - 1); ++k)
    SetItemSelected(h, d, k, on);
  return LB_OKAY;
}

LRESULT SetFont(HWND h, TWindow& w, WPARAM font, LPARAM redraw) {
  TListBoxData& d = Data(w);
  d.Font = static_cast<THandleId>(font);
  if (!OwnerDraw(w)) d.ItemHeight = LineHeight(d.Font);
  FitIntegralHeight(h);
  UpdateScrollBars(h);
  if (LOWORD(static_cast<std::uintptr_t>(redraw))) Repaint(h);
  return 0;
}

LRESULT SetRedraw(HWND h, TWindow& w, WPARAM on) {
  TListBoxData& d = Data(w);
  d.Redraw = on != 0;
  if (d.Redraw) {
    UpdateScrollBars(h);
    Repaint(h);
  }
  return 0;
}

LRESULT Focus(HWND h, TWindow& w, bool focused) {
  TListBoxData& d = Data(w);
  d.Focused = focused;
  if (Count(d) == 0) {
    Repaint(h);
  } else {
    RedrawItem(h, d.Caret, ODA_FOCUS);
  }
  if (!focused && d.Tracking) ButtonUp(h, w);
  NotifyParent(h, focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
  return 0;
}

LRESULT ListMessage(HWND h, TWindow& w, UINT message, WPARAM wParam, LPARAM lParam) {
  TListBoxData& d = Data(w);
  switch (message) {
  case LB_ADDSTRING:
    return Insert(h, w, -1, lParam, true);
  case LB_INSERTSTRING:
    return Insert(h, w, Index(wParam), lParam, false);
  case LB_DELETESTRING:
    return Delete(h, w, wParam);
  case LB_RESETCONTENT:
    return Reset(h, w);
  case LB_GETCOUNT:
    return Count(d);
  case LB_GETTEXT:
    return GetText(w, d, wParam, lParam);
  case LB_GETTEXTLEN:
    return Valid(d, wParam) ? (HasStrings(w) ? static_cast<LRESULT>(d.Items[wParam].Text.size())
                                             : static_cast<LRESULT>(sizeof(UINT_PTR)))
                            : LB_ERR;
  case LB_SETITEMDATA:
    if (!Valid(d, wParam)) return LB_ERR;
    d.Items[wParam].Data = static_cast<UINT_PTR>(lParam);
    return 1;
  case LB_GETITEMDATA:
    return Valid(d, wParam) ? static_cast<LRESULT>(d.Items[wParam].Data) : LB_ERR;
  case LB_SETCURSEL:
    return SetCurSel(h, w, wParam);
  case LB_GETCURSEL:
    if (Multiple(w)) return Count(d) ? d.Caret : LB_ERR;
    return d.Selection >= 0 ? d.Selection : LB_ERR;
  case LB_SETSEL:
    return SetSel(h, w, wParam, lParam);
  case LB_GETSEL:
    return Valid(d, wParam) ? (IsSelected(w, d, Index(wParam)) ? 1 : 0) : LB_ERR;
  case LB_GETSELCOUNT:
    return SelCount(w, d);
  case LB_GETSELITEMS:
    return GetSelItems(w, d, wParam, lParam);
  case LB_SELITEMRANGE:
    return SelItemRange(h, w, wParam != 0, LOWORD(static_cast<std::uintptr_t>(lParam)),
                        HIWORD(static_cast<std::uintptr_t>(lParam)));
  case LB_SELITEMRANGEEX:
    return Index(wParam) <= static_cast<int>(lParam)
               ? SelItemRange(h, w, true, Index(wParam), static_cast<int>(lParam))
               : SelItemRange(h, w, false, static_cast<int>(lParam), Index(wParam));
  case LB_SETTOPINDEX:
    if (!Valid(d, wParam) && !(wParam == 0 && Count(d) == 0)) return LB_ERR;
    SetTop(h, Index(wParam));
    return LB_OKAY;
  case LB_GETTOPINDEX:
    return d.Top;
  case LB_SETITEMHEIGHT:
    return SetItemHeight(h, w, wParam, lParam);
  case LB_GETITEMHEIGHT:
    return GetItemHeight(w, d, wParam);
  case LB_GETITEMRECT:
    return GetItemRect(w, d, wParam, lParam);
  case LB_ITEMFROMPOINT:
    return ItemFromPoint(w, d, lParam);
  case LB_FINDSTRING:
    return Find(w, d, wParam, lParam, false);
  case LB_FINDSTRINGEXACT:
    return Find(w, d, wParam, lParam, true);
  case LB_SELECTSTRING:
    return SelectString(h, w, wParam, lParam);
  case LB_SETCARETINDEX:
    return SetCaret(h, w, wParam);
  case LB_GETCARETINDEX:
    return d.Caret;
  case LB_SETANCHORINDEX:
    if (!Valid(d, wParam)) return LB_ERR;
    d.Anchor = Index(wParam);
    return LB_OKAY;
  case LB_GETANCHORINDEX:
    return d.Anchor;
  case LB_SETCOUNT:
    return SetCount(h, w, wParam);
  case LB_INITSTORAGE:
    return static_cast<LRESULT>(d.Items.Count() + wParam);
  case LB_SETTABSTOPS:
    return SetTabStops(h, w, wParam, lParam);
  case LB_SETHORIZONTALEXTENT:
    d.HorizontalExtent = std::max(0, Index(wParam));
    SetHorizontalPos(h, w, d.HorizontalPos);
    UpdateScrollBars(h);
    return 0;
  case LB_GETHORIZONTALEXTENT:
    return d.HorizontalExtent;
  case LB_SETCOLUMNWIDTH:
    d.ColumnWidth = std::max(0, Index(wParam));
    UpdateScrollBars(h);
    Repaint(h);
    return LB_OKAY;
  default:
    return DefaultWindowProc(h, message, wParam, lParam);
  }
}

} // namespace

LRESULT ListBoxWindowProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  TWindow* w = WindowOf(h);
  if (!w) return 0;
  TListBoxData& d = Data(*w);
  if (d.ScrollStale && !KeepsBarsStale(message)) UpdateScrollBars(h);
  switch (message) {
  case WM_CREATE:
    return Create(h, *w);
  case WM_SIZE:
    d.WhollyInvalid = false;
    FitIntegralHeight(h);
    UpdateScrollBars(h);
    return 0;
  case WM_PAINT:
    d.WhollyInvalid = false;
    Paint(h, *w);
    return 0;
  case WM_ERASEBKGND:
    return 1;
  case WM_LBUTTONDOWN:
    return ButtonDown(h, *w, wParam, lParam);
  case WM_LBUTTONDBLCLK:
    if (w->Style & LBS_NOTIFY) Notify(h, LBN_DBLCLK);
    return 0;
  case WM_MOUSEMOVE:
    return MouseMove(h, *w, wParam, lParam);
  case WM_LBUTTONUP:
    return ButtonUp(h, *w);
  case WM_CAPTURECHANGED:
    d.Tracking = false;
    return 0;
  case WM_KEYDOWN:
    return KeyDown(h, *w, wParam);
  case WM_CHAR:
    return Char(h, *w, wParam);
  case WM_VSCROLL:
    return Scroll(h, *w, wParam);
  case WM_HSCROLL:
    return ScrollHorizontally(h, *w, wParam);
  case WM_MOUSEWHEEL:
    return Wheel(h, *w, wParam);
  case WM_SETFOCUS:
    return Focus(h, *w, true);
  case WM_KILLFOCUS:
    return Focus(h, *w, false);
  case WM_ENABLE:
    Repaint(h);
    return 0;
  case WM_SETFONT:
    return SetFont(h, *w, wParam, lParam);
  case WM_GETFONT:
    return static_cast<LRESULT>(d.Font);
  case WM_SETREDRAW:
    return SetRedraw(h, *w, wParam);
  case WM_GETDLGCODE:
    return DLGC_WANTARROWS | DLGC_WANTCHARS;
  case WM_DESTROY:
    DeleteAll(h, *w);
    return 0;
  default:
    return ListMessage(h, *w, message, wParam, lParam);
  }
}

void SetListBoxCombo(HWND list, HWND combo) {
  if (TWindow* w = WindowOf(list)) Data(*w).Combo = combo;
}

HWND ListBoxCombo(HWND list) {
  TWindow* w = WindowOf(list);
  return w ? Data(*w).Combo : nullptr;
}

void RegisterListBoxClass() {
  WNDCLASSEXA wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ListBoxWindowProc;
  wc.lpszClassName = "ListBox";
  RegisterWindowClass(wc);
}
