#include "framework/win32/user/MenuTracking.h"

#include "framework/win32/user/Backend.h"
#include "framework/win32/user/DefaultProc.h"
#include "framework/win32/user/Focus.h"
#include "framework/win32/user/Input.h"
#include "framework/win32/user/MenuLayout.h"
#include "framework/win32/user/MenuPaint.h"
#include "framework/win32/user/MessageQueue.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/WindowClasses.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr const char* PopupClassName = "#32768";
constexpr int NoItem = -1;

struct TLevel {
  HMENU Menu = nullptr;
  HWND Window = nullptr;
};

struct TTracking {
  bool Active = false;
  HWND Owner = nullptr;
  HMENU Bar = nullptr; // the bar tracked; null for TrackPopupMenu
  std::vector<TLevel> Levels;
  UINT Flags = 0;
  bool PopupMode = false;
  UINT Chosen = 0;
  HWND Tracker = nullptr;
  bool Running = false; // a TrackPopupMenu loop waits for the end
};

TTracking& T() {
  static TTracking tracking;
  return tracking;
}

UINT ItemIdOf(const TMenuItemRecord& item) {
  return item.SubMenu && !item.Id ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(item.SubMenu))
                                  : item.Id;
}

bool Selectable(const TMenuItemRecord& item) { return !item.IsSeparator(); }

// --- Drawing what changed --------------------------------------------------------------

void RepaintPopup(const TLevel& level) {
  if (TWindow* w = WindowOf(level.Window)) {
    RedrawRegion(*w, nullptr, RDW_INVALIDATE);
    UpdateNow(level.Window, false);
  }
}

// --- Notifications -----------------------------------------------------------------------

void SendMenuSelect(HMENU menu, int index) {
  const TTracking& t = T();
  const TMenuRecord* record = MenuOf(menu);
  if (!t.Owner || !record || index < 0 || index >= static_cast<int>(record->Items.size())) return;
  const TMenuItemRecord& item = record->Items[static_cast<std::size_t>(index)];
  UINT flags = MF_HILITE | (item.State & (MF_CHECKED | MFS_GRAYED | MF_DEFAULT)) |
               (item.Type & (MF_OWNERDRAW | MF_SEPARATOR | MF_BITMAP));
  WPARAM id = ItemIdOf(item);
  if (item.SubMenu) {
    flags |= MF_POPUP;
    id = static_cast<WPARAM>(index);
  }
  SendTo(t.Owner, WM_MENUSELECT,
         static_cast<WPARAM>(MAKELPARAM(static_cast<int>(id), static_cast<int>(flags))),
         reinterpret_cast<LPARAM>(menu));
}

void SendMenuClosed() {
  if (T().Owner) SendTo(T().Owner, WM_MENUSELECT, static_cast<WPARAM>(MAKELPARAM(0, 0xFFFF)), 0);
}

// --- Levels ------------------------------------------------------------------------------

void CloseLevelsFrom(std::size_t first) {
  TTracking& t = T();
  while (t.Levels.size() > first) {
    const TLevel level = t.Levels.back();
    t.Levels.pop_back();
    if (TMenuRecord* record = MenuOf(level.Menu)) {
      record->Window = nullptr;
      record->Selected = NoItem;
    }
    if (WindowOf(level.Window)) DestroyWindowTree(level.Window);
    if (t.Owner && MenuOf(level.Menu))
      SendTo(t.Owner, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(level.Menu), 0);
  }
  if (TMenuRecord* bar = MenuOf(t.Bar); bar && t.Levels.empty() && bar->DroppedDown) {
    bar->DroppedDown = false;
    PaintWindowMenuBar(t.Owner);
  }
}

// How a popup is placed against its anchor: below a bar item, beside an item of the popup
// before it, or at a point with TrackPopupMenu's alignment.
enum class TOpening { Below, Beside, AtPoint };

TRect KeptOnScreen(TRect r, const TRect& anchor, bool sideways) {
  const int sw = ScreenWidth(), sh = ScreenHeight();
  if (r.Right > sw) {
    const int x = sideways ? anchor.Left - r.Width() : sw - r.Width();
    r = Bounds(std::max(0, x), r.Top, r.Width(), r.Height());
  } else if (r.Left < 0) {
    const int x = sideways ? anchor.Right : 0;
    r = Bounds(std::min(x, std::max(0, sw - r.Width())), r.Top, r.Width(), r.Height());
  }
  if (r.Bottom > sh) {
    const int y = sideways ? sh - r.Height() : anchor.Top - r.Height();
    r = Bounds(r.Left, std::max(0, y), r.Width(), r.Height());
  }
  return r;
}

LRESULT PopupWindowProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam);

void RegisterPopupClass() {
  if (FindRegisteredClass(PopupClassName)) return;
  WNDCLASSEXA wc;
  wc.style = CS_SAVEBITS | CS_DBLCLKS;
  wc.lpfnWndProc = PopupWindowProc;
  wc.lpszClassName = PopupClassName;
  RegisterWindowClass(wc);
}

HWND MakeMenuWindow(const TRect& r, bool visible) {
  RegisterPopupClass();
  CREATESTRUCTA cs;
  cs.lpszClass = PopupClassName;
  cs.style = static_cast<LONG>(WS_POPUP);
  cs.dwExStyle = WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  cs.x = r.Left;
  cs.y = r.Top;
  cs.cx = r.Width();
  cs.cy = r.Height();
  const HWND h = CreateWindowFrom(cs);
  if (h && visible)
    PlaceWindow(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  return h;
}

// Opens a popup level for menu; anchor is the screen rectangle it opens from (an item of
// the bar or of the level before, or a point).
bool OpenLevel(HMENU menu, int parentIndex, const TRect& anchor, TOpening opening, UINT align) {
  TTracking& t = T();
  if (!MenuOf(menu)) return false;
  SendTo(t.Owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
         MAKELPARAM(std::max(parentIndex, 0), 0));
  TMenuRecord* record = MenuOf(menu);
  if (!record || !t.Active) return false;
  LayoutPopup(*record, t.Owner);
  const TPoint size = record->Size;
  const bool sideways = opening == TOpening::Beside;
  // Right-to-left, a drop-down meets its bar item's right edge and submenus open leftwards.
  const bool rightToLeft = opening != TOpening::AtPoint && record->RightToLeft();
  int x = sideways ? (rightToLeft ? anchor.Left + 3 - size.X : anchor.Right - 3)
                   : (rightToLeft ? anchor.Right - size.X : anchor.Left);
  int y = sideways ? anchor.Top - MenuGeometry::PopupBorder : anchor.Bottom;
  if (align & TPM_RIGHTALIGN) x -= size.X;
  if (align & TPM_CENTERALIGN) x -= size.X / 2;
  if (align & TPM_BOTTOMALIGN) y -= size.Y;
  if (align & TPM_VCENTERALIGN) y -= size.Y / 2;
  const TRect r = KeptOnScreen(Bounds(x, y, size.X, size.Y), anchor, sideways);
  record->Selected = NoItem;
  const HWND window = MakeMenuWindow(r, false);
  if (!window || !(record = MenuOf(menu))) return false;
  record->Window = window;
  t.Levels.push_back(TLevel{menu, window});
  PlaceWindow(window, HWND_TOP, 0, 0, 0, 0,
              SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  UpdateNow(window, false);
  return true;
}

TRect ItemScreenRect(const TLevel& level, int index) {
  const TMenuRecord* record = MenuOf(level.Menu);
  const TWindow* w = WindowOf(level.Window);
  if (!record || !w || index < 0 || index >= static_cast<int>(record->Items.size())) return {};
  const TPoint o = ClientScreenOrigin(w);
  const TRect& r = record->Items[static_cast<std::size_t>(index)].Rect;
  return Rect(r.Left + o.X, r.Top + o.Y, r.Right + o.X, r.Bottom + o.Y);
}

TRect BarItemScreenRect(HWND window, int index) {
  const TWindow* w = WindowOf(window);
  const TMenuRecord* bar = w ? MenuOf(WindowMenu(*w)) : nullptr;
  if (!bar || index < 0 || index >= static_cast<int>(bar->Items.size())) return {};
  const TRect barRect = MenuBarRect(*w);
  const TPoint o = WindowScreenOrigin(w);
  const TRect& r = bar->Items[static_cast<std::size_t>(index)].Rect;
  return Bounds(r.Left + barRect.Left + o.X, r.Top + barRect.Top + o.Y, r.Width(), r.Height());
}

// Selects an item of an open level; levels below it close, and with open the item's
// submenu opens (with its first item selected when asked).
void SelectInLevel(std::size_t levelIndex, int index, bool open, bool selectFirst);

int FirstSelectable(const TMenuRecord& menu, int from, int step) {
  const int n = static_cast<int>(menu.Items.size());
  for (int k = 0; k < n; ++k) {
    const int i = ((from + step * k) % n + n) % n;
    if (Selectable(menu.Items[static_cast<std::size_t>(i)])) return i;
  }
  return NoItem;
}

void OpenSubMenuOf(std::size_t levelIndex, int index, bool selectFirst) {
  TTracking& t = T();
  const TLevel level = t.Levels[levelIndex];
  TMenuRecord* record = MenuOf(level.Menu);
  if (!record || index < 0 || index >= static_cast<int>(record->Items.size())) return;
  const TMenuItemRecord& item = record->Items[static_cast<std::size_t>(index)];
  if (!item.SubMenu || item.IsDisabled()) return;
  const HMENU sub = item.SubMenu;
  if (!OpenLevel(sub, index, ItemScreenRect(level, index), TOpening::Beside, 0)) return;
  if (TMenuRecord* opened = MenuOf(sub); opened && selectFirst)
    SelectInLevel(t.Levels.size() - 1, FirstSelectable(*opened, 0, 1), false, false);
}

void SelectInLevel(std::size_t levelIndex, int index, bool open, bool selectFirst) {
  TTracking& t = T();
  if (levelIndex >= t.Levels.size()) return;
  TMenuRecord* record = MenuOf(t.Levels[levelIndex].Menu);
  if (!record) return;
  if (record->Selected != index || t.Levels.size() > levelIndex + 1)
    CloseLevelsFrom(levelIndex + 1);
  if (record->Selected != index) {
    record->Selected = index;
    RepaintPopup(t.Levels[levelIndex]);
    SendMenuSelect(record->Handle, index);
  }
  if (open && levelIndex < T().Levels.size() && T().Levels.size() == levelIndex + 1)
    OpenSubMenuOf(levelIndex, index, selectFirst);
}

void SelectBarItem(int index, bool open, bool selectFirst) {
  TTracking& t = T();
  TMenuRecord* bar = MenuOf(t.Bar);
  if (!bar) return;
  CloseLevelsFrom(0);
  bar->Selected = index;
  bar->DroppedDown = false;
  PaintWindowMenuBar(t.Owner);
  SendMenuSelect(t.Bar, index);
  if (!open || index < 0 || !T().Active) return;
  bar = MenuOf(t.Bar);
  if (!bar || index >= static_cast<int>(bar->Items.size())) return;
  const TMenuItemRecord& item = bar->Items[static_cast<std::size_t>(index)];
  if (!item.SubMenu || item.IsDisabled()) return;
  const HMENU sub = item.SubMenu;
  bar->DroppedDown = true;
  PaintWindowMenuBar(t.Owner);
  if (!OpenLevel(sub, index, BarItemScreenRect(t.Owner, index), TOpening::Below, 0)) return;
  if (TMenuRecord* opened = MenuOf(sub); opened && selectFirst)
    SelectInLevel(0, FirstSelectable(*opened, 0, 1), false, false);
}

// --- Start and end -----------------------------------------------------------------------

LRESULT TrackerProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam);

bool Begin(HWND owner, HMENU bar, bool popupMode, UINT flags) {
  TTracking& t = T();
  if (t.Active) EndMenuTracking();
  t = TTracking{};
  t.Active = true;
  t.Owner = owner;
  t.Bar = bar;
  t.PopupMode = popupMode;
  t.Flags = flags;
  SetCaptureTo(nullptr);
  SendTo(owner, WM_ENTERMENULOOP, popupMode ? 1 : 0, 0);
  if (bar) SendTo(owner, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
  if (!T().Active) return false;
  const HWND tracker = MakeMenuWindow(Bounds(0, 0, 0, 0), false);
  if (!tracker) {
    T().Active = false;
    return false;
  }
  if (TWindow* w = WindowOf(tracker)) w->Proc = TrackerProc;
  T().Tracker = tracker;
  SetCaptureTo(tracker);
  return true;
}

void Finish(bool chosen, UINT id) {
  TTracking& t = T();
  if (!t.Active) return;
  t.Active = false;
  CloseLevelsFrom(0);
  if (TMenuRecord* bar = MenuOf(t.Bar)) {
    bar->Selected = NoItem;
    bar->DroppedDown = false;
    PaintWindowMenuBar(t.Owner);
  }
  const HWND tracker = t.Tracker;
  t.Tracker = nullptr;
  if (User().Capture == tracker) ReleaseCaptureNow();
  if (WindowOf(tracker)) DestroyWindowTree(tracker);
  const HWND owner = t.Owner;
  SendMenuClosed();
  if (WindowOf(owner)) SendTo(owner, WM_EXITMENULOOP, t.PopupMode ? 1 : 0, 0);
  if (chosen) {
    t.Chosen = id;
    if (!(t.Flags & (TPM_RETURNCMD | TPM_NONOTIFY)) && WindowOf(owner))
      PostTo(owner, WM_COMMAND, static_cast<WPARAM>(id & 0xFFFF), 0);
  }
  t.Owner = nullptr;
}

// An item chosen: a submenu opens, a command ends the tracking.
void Choose(std::size_t levelIndex, int index) {
  TTracking& t = T();
  TMenuRecord* record = MenuOf(t.Levels[levelIndex].Menu);
  if (!record || index < 0 || index >= static_cast<int>(record->Items.size())) return;
  const TMenuItemRecord& item = record->Items[static_cast<std::size_t>(index)];
  if (!Selectable(item) || item.IsDisabled()) return;
  if (item.SubMenu) {
    SelectInLevel(levelIndex, index, true, true);
    return;
  }
  Finish(true, item.Id);
}

// --- Mouse -------------------------------------------------------------------------------

struct THit {
  int Level = -1; // -1: the bar, -2: nothing
  int Index = NoItem;
};

THit HitAt(TPoint screen) {
  const TTracking& t = T();
  for (int l = static_cast<int>(t.Levels.size()) - 1; l >= 0; --l) {
    const TLevel& level = t.Levels[static_cast<std::size_t>(l)];
    const TWindow* w = WindowOf(level.Window);
    const TMenuRecord* record = MenuOf(level.Menu);
    if (!w || !record || !ScreenRectOf(w).Contains(screen)) continue;
    const TPoint o = ClientScreenOrigin(w);
    const int i = ItemAtPoint(*record, TPoint{screen.X - o.X, screen.Y - o.Y});
    return THit{l, i >= 0 && Selectable(record->Items[static_cast<std::size_t>(i)]) ? i : NoItem};
  }
  const TWindow* owner = WindowOf(t.Owner);
  const TMenuRecord* bar = MenuOf(t.Bar);
  if (owner && bar) {
    const TRect barRect = MenuBarRect(*owner);
    const TPoint o = WindowScreenOrigin(owner);
    const TPoint p{screen.X - o.X - barRect.Left, screen.Y - o.Y - barRect.Top};
    if (Bounds(0, 0, barRect.Width(), barRect.Height()).Contains(p))
      return THit{-1, ItemAtPoint(*bar, p)};
  }
  return THit{-2, NoItem};
}

void MouseMoved(TPoint screen) {
  TTracking& t = T();
  const THit hit = HitAt(screen);
  if (hit.Level >= 0) {
    SelectInLevel(static_cast<std::size_t>(hit.Level), hit.Index, true, false);
    return;
  }
  TMenuRecord* bar = MenuOf(t.Bar);
  if (hit.Level == -1 && bar && hit.Index >= 0 && hit.Index != bar->Selected &&
      (bar->DroppedDown || (User().ButtonsDown & 1)))
    SelectBarItem(hit.Index, true, false);
  if (hit.Level == -2 && !t.Levels.empty()) {
    const std::size_t last = t.Levels.size() - 1;
    if (TMenuRecord* deepest = MenuOf(t.Levels[last].Menu); deepest && deepest->Selected >= 0) {
      deepest->Selected = NoItem;
      RepaintPopup(t.Levels[last]);
    }
  }
}

void MousePressed(TPoint screen) {
  TTracking& t = T();
  const THit hit = HitAt(screen);
  if (hit.Level == -2) {
    Finish(false, 0);
    return;
  }
  if (hit.Level != -1) return;
  TMenuRecord* bar = MenuOf(t.Bar);
  if (!bar) return;
  if (hit.Index < 0) {
    Finish(false, 0);
  } else if (hit.Index == bar->Selected && bar->DroppedDown) {
    Finish(false, 0);
  } else {
    SelectBarItem(hit.Index, true, false);
  }
}

void MouseReleased(TPoint screen) {
  const THit hit = HitAt(screen);
  if (hit.Level >= 0 && hit.Index >= 0) Choose(static_cast<std::size_t>(hit.Level), hit.Index);
}

// --- Keyboard ----------------------------------------------------------------------------

// The items whose accelerator is c (the character after a single '&').
std::vector<int> ItemsWithAccelerator(const TMenuRecord& menu, char c) {
  std::vector<int> found;
  const int wanted = std::toupper(static_cast<unsigned char>(c));
  for (std::size_t i = 0; i < menu.Items.size(); ++i) {
    const String label = menu.Items[i].Label();
    for (std::size_t k = 0; k + 1 < label.size(); ++k) {
      if (label[k] != '&') continue;
      if (label[k + 1] == '&') {
        ++k;
        continue;
      }
      if (std::toupper(static_cast<unsigned char>(label[k + 1])) == wanted)
        found.push_back(static_cast<int>(i));
      break;
    }
  }
  return found;
}

void MoveBar(int step) {
  TTracking& t = T();
  TMenuRecord* bar = MenuOf(t.Bar);
  if (!bar || bar->Items.empty()) return;
  const bool open = bar->DroppedDown || !t.Levels.empty();
  SelectBarItem(FirstSelectable(*bar, bar->Selected + step, step), open, true);
}

void MoveInDeepest(int step) {
  TTracking& t = T();
  const std::size_t last = t.Levels.size() - 1;
  TMenuRecord* record = MenuOf(t.Levels[last].Menu);
  if (!record || record->Items.empty()) return;
  const int from = record->Selected < 0 ? (step > 0 ? 0 : -1) : record->Selected + step;
  SelectInLevel(last, FirstSelectable(*record, from, step), false, false);
}

void EscapePressed() {
  TTracking& t = T();
  if (t.Levels.empty()) {
    Finish(false, 0);
  } else if (t.Levels.size() == 1 && t.PopupMode) {
    Finish(false, 0);
  } else {
    CloseLevelsFrom(t.Levels.size() - 1);
  }
}

// Right-to-left menus swap the Left and Right keys, as their items are mirrored.
bool TrackedRightToLeft() {
  const TTracking& t = T();
  const TMenuRecord* record = MenuOf(t.Levels.empty() ? t.Bar : t.Levels.back().Menu);
  return record && record->RightToLeft();
}

void BackPressed() {
  TTracking& t = T();
  if (t.Levels.size() > 1) {
    CloseLevelsFrom(t.Levels.size() - 1);
  } else if (t.Bar) {
    MoveBar(-1);
  }
}

void ForwardPressed() {
  TTracking& t = T();
  if (!t.Levels.empty()) {
    const std::size_t last = t.Levels.size() - 1;
    const TMenuRecord* record = MenuOf(t.Levels[last].Menu);
    if (record && record->Selected >= 0 &&
        record->Items[static_cast<std::size_t>(record->Selected)].SubMenu) {
      OpenSubMenuOf(last, record->Selected, true);
      return;
    }
  }
  if (t.Bar) MoveBar(1);
}

void VerticalPressed(int step) {
  TTracking& t = T();
  if (!t.Levels.empty()) {
    MoveInDeepest(step);
  } else if (TMenuRecord* bar = MenuOf(t.Bar); bar && bar->Selected >= 0) {
    SelectBarItem(bar->Selected, true, true);
  }
}

void ReturnPressed() {
  TTracking& t = T();
  if (!t.Levels.empty()) {
    const std::size_t last = t.Levels.size() - 1;
    if (const TMenuRecord* record = MenuOf(t.Levels[last].Menu)) Choose(last, record->Selected);
  } else if (TMenuRecord* bar = MenuOf(t.Bar); bar && bar->Selected >= 0) {
    SelectBarItem(bar->Selected, true, true);
  }
}

void KeyPressed(int vk) {
  switch (vk) {
  case VK_ESCAPE:
    EscapePressed();
    break;
  case VK_MENU:
  case VK_F10:
    Finish(false, 0);
    break;
  case VK_LEFT:
  case VK_RIGHT:
    if ((vk == VK_RIGHT) != TrackedRightToLeft())
      ForwardPressed();
    else
      BackPressed();
    break;
  case VK_UP:
    VerticalPressed(-1);
    break;
  case VK_DOWN:
    VerticalPressed(1);
    break;
  case VK_RETURN:
    ReturnPressed();
    break;
  default:
    break;
  }
}

// WM_MENUCHAR: the owner's answer for a character no item has as accelerator.
void AskOwnerAboutCharacter(HMENU menu, bool popup, char c, int level) {
  TTracking& t = T();
  const LRESULT answer =
      SendTo(t.Owner, WM_MENUCHAR,
             static_cast<WPARAM>(MAKELPARAM(static_cast<unsigned char>(c), popup ? MF_POPUP : 0)),
             reinterpret_cast<LPARAM>(menu));
  const int index = LOWORD(static_cast<std::uintptr_t>(answer));
  switch (HIWORD(static_cast<std::uintptr_t>(answer))) {
  case MNC_CLOSE:
    Finish(false, 0);
    break;
  case MNC_EXECUTE:
  case MNC_SELECT:
    if (level < 0) {
      SelectBarItem(index, HIWORD(static_cast<std::uintptr_t>(answer)) == MNC_EXECUTE, true);
    } else if (HIWORD(static_cast<std::uintptr_t>(answer)) == MNC_EXECUTE) {
      Choose(static_cast<std::size_t>(level), index);
    } else {
      SelectInLevel(static_cast<std::size_t>(level), index, false, false);
    }
    break;
  default:
    break;
  }
}

void CharacterTyped(char c) {
  TTracking& t = T();
  if (static_cast<unsigned char>(c) < ' ') return;
  const int level = static_cast<int>(t.Levels.size()) - 1;
  TMenuRecord* record = MenuOf(level >= 0 ? t.Levels.back().Menu : t.Bar);
  if (!record) return;
  const std::vector<int> found = ItemsWithAccelerator(*record, c);
  if (found.empty()) {
    AskOwnerAboutCharacter(record->Handle, level >= 0, c, level);
    return;
  }
  if (found.size() > 1) {
    const auto next = std::upper_bound(found.begin(), found.end(), record->Selected);
    const int index = next == found.end() ? found.front() : *next;
    if (level < 0)
      SelectBarItem(index, false, false);
    else
      SelectInLevel(static_cast<std::size_t>(level), index, false, false);
    return;
  }
  if (level < 0)
    SelectBarItem(found.front(), true, true);
  else
    Choose(static_cast<std::size_t>(level), found.front());
}

TPoint ScreenPointOf(HWND tracker, LPARAM lParam) {
  const TWindow* w = WindowOf(tracker);
  const TPoint o = w ? ClientScreenOrigin(w) : TPoint{};
  return TPoint{GET_X_LPARAM(lParam) + o.X, GET_Y_LPARAM(lParam) + o.Y};
}

LRESULT TrackerProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_MOUSEMOVE:
    MouseMoved(ScreenPointOf(h, lParam));
    return 0;
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDOWN:
  case WM_RBUTTONDBLCLK:
    MousePressed(ScreenPointOf(h, lParam));
    return 0;
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
    MouseReleased(ScreenPointOf(h, lParam));
    return 0;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    KeyPressed(static_cast<int>(wParam));
    return 0;
  case WM_CHAR:
  case WM_SYSCHAR:
    CharacterTyped(static_cast<char>(wParam));
    return 0;
  case WM_CAPTURECHANGED:
    if (T().Active && T().Tracker == h && reinterpret_cast<HWND>(lParam) != h) Finish(false, 0);
    return 0;
  case WM_MOUSEACTIVATE:
    return MA_NOACTIVATE;
  default:
    return DefaultWindowProc(h, message, wParam, lParam);
  }
}

LRESULT PopupWindowProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: {
    PAINTSTRUCT ps;
    const THandleId dc = BeginPaintOn(h, ps);
    for (const TLevel& level : T().Levels)
      if (level.Window == h)
        if (TMenuRecord* record = MenuOf(level.Menu)) PaintPopupMenu(*record, T().Owner, dc);
    if (WindowOf(h)) EndPaintOn(h, ps);
    return 0;
  }
  case WM_ERASEBKGND:
    return 1;
  case WM_MOUSEACTIVATE:
    return MA_NOACTIVATE;
  default:
    return DefaultWindowProc(h, message, wParam, lParam);
  }
}

// --- Default window procedure's part -----------------------------------------------------

struct TMenuKeys {
  bool AltPending = false;
  bool F10Pending = false;
};

TMenuKeys& Keys() {
  static TMenuKeys keys;
  return keys;
}

constexpr LPARAM AltDownBit = 1 << 29;
constexpr LPARAM RepeatBit = 1 << 30;

HWND RootOf(HWND window) {
  TWindow* w = WindowOf(window);
  TWindow* top = w ? TopLevelOf(w) : nullptr;
  return top ? top->Handle : nullptr;
}

bool ShiftDown() { return (User().KeyState[VK_SHIFT] & 0x80) != 0; }

void SysKeyDown(HWND window, WPARAM key, LPARAM lParam) {
  TMenuKeys& k = Keys();
  if (lParam & AltDownBit) {
    k.AltPending =
        key == VK_MENU && !(lParam & RepeatBit) ? true : (key == VK_MENU && k.AltPending);
    k.F10Pending = false;
    return;
  }
  k.AltPending = false;
  if (key != VK_F10) return;
  if (ShiftDown()) {
    SendTo(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), -1);
    k.F10Pending = false;
  } else {
    k.F10Pending = true;
  }
}

void SysKeyUp(HWND window, WPARAM key) {
  TMenuKeys& k = Keys();
  const bool enter = (key == VK_MENU && k.AltPending) || (key == VK_F10 && k.F10Pending);
  k = TMenuKeys{};
  if (enter)
    if (const HWND root = RootOf(window)) SendTo(root, WM_SYSCOMMAND, SC_KEYMENU, 0);
}

void ContextMenuDefault(HWND window, WPARAM wParam, LPARAM lParam) {
  const TWindow* w = WindowOf(window);
  if (w && w->IsChild() && w->Parent) SendTo(w->Parent->Handle, WM_CONTEXTMENU, wParam, lParam);
}

} // namespace

bool MenuTracking() { return T().Active; }

HWND MenuKeyTarget() { return T().Active ? T().Tracker : nullptr; }

void TrackBarByMouse(HWND window, TPoint screen) {
  TWindow* w = WindowOf(window);
  const HMENU bar = w ? WindowMenu(*w) : nullptr;
  if (!MenuOf(bar) || !Begin(window, bar, false, 0)) return;
  const THit hit = HitAt(screen);
  if (hit.Level == -1 && hit.Index >= 0)
    SelectBarItem(hit.Index, true, false);
  else
    Finish(false, 0);
}

void TrackBarByKey(HWND window, char accelerator) {
  const HWND root = RootOf(window);
  TWindow* w = WindowOf(root);
  const HMENU bar = w ? WindowMenu(*w) : nullptr;
  TMenuRecord* record = MenuOf(bar);
  if (!record || record->Items.empty()) return;
  if (accelerator && ItemsWithAccelerator(*record, accelerator).empty()) return;
  if (!Begin(root, bar, false, 0)) return;
  if (accelerator)
    CharacterTyped(accelerator);
  else
    SelectBarItem(FirstSelectable(*record, 0, 1), false, false);
}

UINT TrackPopup(HMENU menu, UINT flags, TPoint at, HWND owner, const TRect* exclude) {
  if (!MenuOf(menu) || !WindowOf(owner) || T().Running) return 0;
  if (!Begin(owner, nullptr, true, flags)) return 0;
  SendTo(owner, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  TRect anchor = Bounds(at.X, at.Y, 0, 0);
  if (exclude && exclude->Contains(at)) anchor = *exclude;
  if (!T().Active || !OpenLevel(menu, 0, anchor, TOpening::AtPoint, flags)) {
    Finish(false, 0);
    return 0;
  }
  T().Running = true;
  while (T().Active) {
    MSG msg;
    if (PeekNext(msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        Finish(false, 0);
        PostQuit(static_cast<int>(msg.wParam));
        break;
      }
      TranslateKey(msg);
      DispatchMsg(msg);
    } else {
      WaitForInput();
    }
  }
  T().Running = false;
  const UINT chosen = T().Chosen;
  T().Chosen = 0;
  return (flags & TPM_RETURNCMD) ? chosen : 1;
}

void EndMenuTracking() { Finish(false, 0); }

bool MenuItemScreenRect(HWND window, HMENU menu, int index, TRect& out) {
  TWindow* w = WindowOf(window);
  if (w && WindowMenu(*w) == menu && MenuOf(menu)) {
    out = BarItemScreenRect(window, index);
    return !out.IsEmpty();
  }
  for (const TLevel& level : T().Levels)
    if (level.Menu == menu) {
      out = ItemScreenRect(level, index);
      return !out.IsEmpty();
    }
  return false;
}

bool HiliteBarItem(HWND window, HMENU menu, int index, bool hilite) {
  TWindow* w = WindowOf(window);
  TMenuRecord* record = MenuOf(menu);
  if (!w || !record || WindowMenu(*w) != menu) return false;
  if (index < 0 || index >= static_cast<int>(record->Items.size())) return false;
  record->Selected = hilite ? index : (record->Selected == index ? NoItem : record->Selected);
  PaintWindowMenuBar(window);
  return true;
}

void RepaintMenuBar(HWND window) {
  TWindow* w = WindowOf(window);
  if (!w || !MenuOf(WindowMenu(*w))) return;
  if (TMenuRecord* bar = MenuOf(WindowMenu(*w)); bar && !bar->LaidOut) {
    PlaceWindow(window, nullptr, 0, 0, 0, 0,
                SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  PaintWindowMenuBar(window);
}

void MenuGoing(HMENU menu) {
  TTracking& t = T();
  if (!t.Active) return;
  if (menu == t.Bar) {
    Finish(false, 0);
    return;
  }
  for (std::size_t i = 0; i < t.Levels.size(); ++i)
    if (t.Levels[i].Menu == menu) {
      if (i == 0 && t.PopupMode) {
        Finish(false, 0);
      } else {
        CloseLevelsFrom(i);
      }
      return;
    }
}

void OpenMenuChanged(TMenuRecord& menu) {
  TTracking& t = T();
  if (!t.Active) return;
  for (std::size_t i = 0; i < t.Levels.size(); ++i) {
    if (t.Levels[i].Menu != menu.Handle) continue;
    CloseLevelsFrom(i + 1);
    if (menu.Selected >= static_cast<int>(menu.Items.size())) menu.Selected = NoItem;
    LayoutPopup(menu, t.Owner);
    if (TWindow* w = WindowOf(t.Levels[i].Window)) {
      PlaceWindow(w->Handle, nullptr, 0, 0, menu.Size.X, menu.Size.Y,
                  SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      RepaintPopup(t.Levels[i]);
    }
    return;
  }
}

void MenuOwnerGone(HWND window) {
  if (T().Active && T().Owner == window) Finish(false, 0);
}

bool DefaultMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  result = 0;
  switch (message) {
  case WM_SYSKEYDOWN:
    SysKeyDown(window, wParam, lParam);
    return true;
  case WM_KEYUP:
  case WM_SYSKEYUP:
    SysKeyUp(window, wParam);
    return true;
  case WM_SYSCHAR:
    Keys().AltPending = false;
    if ((lParam & AltDownBit) && wParam != '\t' && wParam != 0x1B)
      SendTo(window, WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
    return true;
  case WM_SYSCOMMAND:
    // Alt+Space is the window's system menu, not the menu bar's.
    if ((wParam & 0xFFF0) != SC_KEYMENU || lParam == ' ') return false;
    TrackBarByKey(window, static_cast<char>(lParam));
    return true;
  case WM_NCLBUTTONDOWN:
    if (wParam != static_cast<WPARAM>(HTMENU)) return false;
    TrackBarByMouse(window, TPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    return true;
  case WM_RBUTTONUP: {
    const TWindow* w = WindowOf(window);
    const TPoint o = w ? ClientScreenOrigin(w) : TPoint{};
    SendTo(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window),
           MAKELPARAM(GET_X_LPARAM(lParam) + o.X, GET_Y_LPARAM(lParam) + o.Y));
    return true;
  }
  case WM_CONTEXTMENU:
    ContextMenuDefault(window, wParam, lParam);
    return true;
  default:
    return false;
  }
}
