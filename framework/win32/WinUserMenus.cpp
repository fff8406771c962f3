#include "framework/win32/WinUser.h"

#include "framework/win32/user/Menu.h"
#include "framework/win32/user/MenuLayout.h"
#include "framework/win32/user/MenuTracking.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>
#include <cstring>

namespace {

BOOL Bool(bool b) { return b ? TRUE : FALSE; }
constexpr UINT Failed = 0xFFFFFFFFu;

TItemRef Find(HMENU menu, UINT item, UINT flags) {
  return FindMenuItem(menu, item, (flags & MF_BYPOSITION) != 0);
}

// Where an insertion by command or position goes: the menu that holds the item, and the
// index before which the new item comes (past the end appends).
bool InsertionPoint(HMENU menu, UINT position, bool byPosition, HMENU& into, int& index) {
  if (byPosition || position == Failed) {
    TMenuRecord* record = MenuOf(menu);
    if (!record) return false;
    into = menu;
    index = position >= record->Items.size() ? static_cast<int>(record->Items.size())
                                             : static_cast<int>(position);
    return true;
  }
  const TItemRef ref = FindMenuItem(menu, position, false);
  if (!ref) return false;
  into = ref.Menu->Handle;
  index = ref.Index;
  return true;
}

UINT StateFlags(const TMenuItemRecord& item) {
  UINT flags =
      (item.State & (MF_CHECKED | MF_HILITE | MF_DEFAULT)) |
      (item.Type & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_MENUBREAK | MF_MENUBARBREAK));
  if (item.State & MFS_GRAYED) flags |= MF_GRAYED | MF_DISABLED;
  if (item.SubMenu) flags |= MF_POPUP;
  return flags;
}

} // namespace

HMENU CreateMenu() { return NewMenu(false); }
HMENU CreatePopupMenu() { return NewMenu(true); }
BOOL DestroyMenu(HMENU menu) { return Bool(DestroyMenuTree(menu)); }
BOOL IsMenu(HMENU menu) { return Bool(MenuOf(menu) != nullptr); }

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idNewItem, LPCSTR content) {
  return InsertMenuA(menu, Failed, flags | MF_BYPOSITION, idNewItem, content);
}

BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR content) {
  HMENU into = nullptr;
  int index = 0;
  if (!InsertionPoint(menu, position, (flags & MF_BYPOSITION) != 0, into, index)) return FALSE;
  return Bool(InsertItemRecord(into, index, ItemFromFlags(flags, idNewItem, content)));
}

BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR idNewItem, LPCSTR content) {
  const TItemRef ref = Find(menu, position, flags);
  if (!ref) return FALSE;
  TMenuItemRecord replacement = ItemFromFlags(flags, idNewItem, content);
  const HMENU oldSub = ref.Item().SubMenu;
  ref.Item() = std::move(replacement);
  ItemChanged(*ref.Menu, ref.Index);
  if (oldSub && oldSub != ref.Item().SubMenu) DestroyMenuTree(oldSub);
  return TRUE;
}

BOOL InsertMenuItemA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info) {
  if (!info || info->cbSize != sizeof(MENUITEMINFOA)) return FALSE;
  HMENU into = nullptr;
  int index = 0;
  if (!InsertionPoint(menu, item, byPosition != FALSE, into, index)) return FALSE;
  TMenuItemRecord record;
  ApplyItemInfo(record, *info);
  return Bool(InsertItemRecord(into, index, std::move(record)));
}

BOOL SetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPCMENUITEMINFOA info) {
  if (!info || info->cbSize != sizeof(MENUITEMINFOA)) return FALSE;
  const TItemRef ref = FindMenuItem(menu, item, byPosition != FALSE);
  if (!ref) return FALSE;
  ApplyItemInfo(ref.Item(), *info);
  ItemChanged(*ref.Menu, ref.Index);
  return TRUE;
}

BOOL GetMenuItemInfoA(HMENU menu, UINT item, BOOL byPosition, LPMENUITEMINFOA info) {
  if (!info || info->cbSize != sizeof(MENUITEMINFOA)) return FALSE;
  const TItemRef ref = FindMenuItem(menu, item, byPosition != FALSE);
  if (!ref) return FALSE;
  ReadItemInfo(ref.Item(), *info);
  return TRUE;
}

BOOL RemoveMenu(HMENU menu, UINT position, UINT flags) {
  return Bool(RemoveItemRecord(menu, position, flags, false));
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
  return Bool(RemoveItemRecord(menu, position, flags, true));
}

DWORD CheckMenuItem(HMENU menu, UINT idCheckItem, UINT check) {
  const TItemRef ref = Find(menu, idCheckItem, check);
  if (!ref) return Failed;
  TMenuItemRecord& item = ref.Item();
  const DWORD old = item.State & MF_CHECKED;
  item.State = (item.State & ~MF_CHECKED) | (check & MF_CHECKED);
  if (old != (check & MF_CHECKED)) ItemChanged(*ref.Menu, ref.Index);
  return old;
}

BOOL CheckMenuRadioItem(HMENU menu, UINT first, UINT last, UINT check, UINT flags) {
  const TItemRef from = Find(menu, first, flags), to = Find(menu, last, flags);
  const TItemRef chosen = Find(menu, check, flags);
  if (!from || !to || !chosen || from.Menu != to.Menu || chosen.Menu != from.Menu) return FALSE;
  const int low = std::min(from.Index, to.Index), high = std::max(from.Index, to.Index);
  for (int i = low; i <= high; ++i) {
    TMenuItemRecord& item = from.Menu->Items[static_cast<std::size_t>(i)];
    if (i == chosen.Index) {
      item.State |= MF_CHECKED;
      item.Type |= MFT_RADIOCHECK;
    } else {
      item.State &= ~MF_CHECKED;
    }
  }
  MenuContentChanged(*from.Menu);
  return TRUE;
}

BOOL EnableMenuItem(HMENU menu, UINT idEnableItem, UINT enable) {
  const TItemRef ref = Find(menu, idEnableItem, enable);
  if (!ref) return static_cast<BOOL>(-1);
  TMenuItemRecord& item = ref.Item();
  const UINT old = item.State & MFS_GRAYED;
  const UINT wanted = (enable & (MF_GRAYED | MF_DISABLED)) ? MFS_GRAYED : 0;
  item.State = (item.State & ~MFS_GRAYED) | wanted;
  if (old != wanted) ItemChanged(*ref.Menu, ref.Index);
  return static_cast<BOOL>(old ? (MF_GRAYED | MF_DISABLED) & old : MF_ENABLED);
}

BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT byPosition) {
  TMenuRecord* record = MenuOf(menu);
  if (!record) return FALSE;
  TItemRef ref;
  if (item != Failed) {
    ref = FindMenuItem(menu, item, byPosition != 0);
    if (!ref || ref.Menu != record) return FALSE;
  }
  for (std::size_t i = 0; i < record->Items.size(); ++i) {
    TMenuItemRecord& it = record->Items[i];
    const bool wanted = ref && static_cast<int>(i) == ref.Index;
    it.State = wanted ? (it.State | MFS_DEFAULT) : (it.State & ~MFS_DEFAULT);
    it.Measured = false;
  }
  MenuContentChanged(*record);
  return TRUE;
}

UINT GetMenuDefaultItem(HMENU menu, UINT byPosition, UINT) {
  const TMenuRecord* record = MenuOf(menu);
  if (!record) return Failed;
  for (std::size_t i = 0; i < record->Items.size(); ++i)
    if (record->Items[i].State & MFS_DEFAULT)
      return byPosition ? static_cast<UINT>(i) : record->Items[i].Id;
  return Failed;
}

BOOL SetMenuItemBitmaps(HMENU menu, UINT position, UINT flags, HBITMAP unchecked, HBITMAP checked) {
  const TItemRef ref = Find(menu, position, flags);
  if (!ref) return FALSE;
  ref.Item().UncheckedBitmap = unchecked;
  ref.Item().CheckedBitmap = checked;
  ItemChanged(*ref.Menu, ref.Index);
  return TRUE;
}

LONG GetMenuCheckMarkDimensions() {
  return static_cast<LONG>(
      MAKELPARAM(GetSystemMetrics(SM_CXMENUCHECK), GetSystemMetrics(SM_CYMENUCHECK)));
}

int GetMenuItemCount(HMENU menu) {
  const TMenuRecord* record = MenuOf(menu);
  return record ? static_cast<int>(record->Items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
  const TItemRef ref = FindMenuItem(menu, static_cast<UINT>(position), true);
  if (!ref || ref.Item().SubMenu) return Failed;
  return ref.Item().Id;
}

HMENU GetSubMenu(HMENU menu, int position) {
  const TItemRef ref = FindMenuItem(menu, static_cast<UINT>(position), true);
  return ref && MenuOf(ref.Item().SubMenu) ? ref.Item().SubMenu : nullptr;
}

UINT GetMenuState(HMENU menu, UINT id, UINT flags) {
  const TItemRef ref = Find(menu, id, flags);
  if (!ref) return Failed;
  const TMenuItemRecord& item = ref.Item();
  const UINT state = StateFlags(item);
  if (const TMenuRecord* sub = MenuOf(item.SubMenu))
    return (static_cast<UINT>(sub->Items.size()) << 8) | (state & 0xFF);
  return state;
}

int GetMenuStringA(HMENU menu, UINT item, char* text, int size, UINT flags) {
  const TItemRef ref = Find(menu, item, flags);
  if (!ref) return 0;
  const String& s = ref.Item().Text;
  if (!text || size <= 0) return static_cast<int>(s.size());
  const int n = std::min(static_cast<int>(s.size()), size - 1);
  std::memcpy(text, s.data(), static_cast<std::size_t>(n));
  text[n] = '\0';
  return n;
}

BOOL SetMenu(HWND window, HMENU menu) { return Bool(AttachMenu(window, menu)); }

HMENU GetMenu(HWND window) {
  const TWindow* w = WindowOf(window);
  return w ? WindowMenu(*w) : nullptr;
}

BOOL DrawMenuBar(HWND window) {
  TWindow* w = WindowOf(window);
  if (!w || !MenuOf(WindowMenu(*w))) return FALSE;
  RepaintMenuBar(window);
  return TRUE;
}

BOOL HiliteMenuItem(HWND window, HMENU menu, UINT item, UINT hilite) {
  const TItemRef ref = Find(menu, item, hilite);
  if (!ref || ref.Menu->Handle != menu) return FALSE;
  return Bool(HiliteBarItem(window, menu, ref.Index, (hilite & MF_HILITE) != 0));
}

BOOL GetMenuItemRect(HWND window, HMENU menu, UINT item, LPRECT rect) {
  if (!rect) return FALSE;
  return Bool(MenuItemScreenRect(window, menu, static_cast<int>(item), *rect));
}

int MenuItemFromPoint(HWND window, HMENU menu, POINT screen) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    TRect r;
    if (MenuItemScreenRect(window, menu, i, r) && r.Contains(screen)) return i;
  }
  return -1;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND window, const RECT*) {
  return static_cast<BOOL>(TrackPopup(menu, flags, TPoint{x, y}, window, nullptr));
}

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND window, LPTPMPARAMS params) {
  const TRect* exclude =
      params && params->cbSize == sizeof(TPMPARAMS) ? &params->rcExclude : nullptr;
  return static_cast<BOOL>(TrackPopup(menu, flags, TPoint{x, y}, window, exclude));
}

BOOL EndMenu() {
  EndMenuTracking();
  return TRUE;
}
