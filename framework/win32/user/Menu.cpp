#include "framework/win32/user/Menu.h"

#include "framework/win32/user/MenuTracking.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace {

struct TMenuTable {
  std::unordered_map<std::uintptr_t, std::unique_ptr<TMenuRecord>> Menus;
  std::uintptr_t Next = 0x50000;
};

// Never destroyed, like the window engine's state (menus die with forms at exit).
TMenuTable& Table() {
  static auto& table = *new TMenuTable;
  return table;
}

std::uintptr_t Key(HMENU menu) { return reinterpret_cast<std::uintptr_t>(menu); }

TItemRef FindByCommand(TMenuRecord& menu, UINT id, int depth) {
  if (depth > 64) return {};
  for (std::size_t i = 0; i < menu.Items.size(); ++i)
    if (!menu.Items[i].SubMenu && menu.Items[i].Id == id) return {&menu, static_cast<int>(i)};
  for (std::size_t i = 0; i < menu.Items.size(); ++i) {
    TMenuRecord* sub = MenuOf(menu.Items[i].SubMenu);
    if (sub && sub != &menu)
      if (TItemRef found = FindByCommand(*sub, id, depth + 1)) return found;
  }
  // Win32 also finds the parent of a submenu by the id it was given.
  for (std::size_t i = 0; i < menu.Items.size(); ++i)
    if (menu.Items[i].Id == id) return {&menu, static_cast<int>(i)};
  return {};
}

} // namespace

String TMenuItemRecord::Label() const { return Text.substr(0, Text.find('\t')); }

String TMenuItemRecord::ShortCutText() const {
  const auto tab = Text.find('\t');
  return tab == String::npos ? String() : Text.substr(tab + 1);
}

bool TMenuRecord::RightToLeft() const {
  return std::any_of(Items.begin(), Items.end(),
                     [](const TMenuItemRecord& item) { return (item.Type & MFT_RIGHTORDER) != 0; });
}

HMENU NewMenu(bool popup) {
  TMenuTable& t = Table();
  auto record = std::make_unique<TMenuRecord>();
  record->Handle = reinterpret_cast<HMENU>(t.Next += 4);
  record->Popup = popup;
  const HMENU handle = record->Handle;
  t.Menus[Key(handle)] = std::move(record);
  return handle;
}

TMenuRecord* MenuOf(HMENU menu) {
  if (!menu) return nullptr;
  const auto it = Table().Menus.find(Key(menu));
  return it == Table().Menus.end() ? nullptr : it->second.get();
}

bool DestroyMenuTree(HMENU menu) {
  TMenuRecord* record = MenuOf(menu);
  if (!record) return false;
  MenuGoing(menu);
  std::vector<HMENU> subMenus;
  for (const TMenuItemRecord& item : record->Items)
    if (item.SubMenu && item.SubMenu != menu) subMenus.push_back(item.SubMenu);
  if (!record->Popup && record->Window)
    if (TWindow* w = WindowOf(record->Window); w && WindowMenu(*w) == menu) w->Id = 0;
  Table().Menus.erase(Key(menu));
  for (HMENU sub : subMenus) DestroyMenuTree(sub);
  return true;
}

TItemRef FindMenuItem(HMENU menu, UINT item, bool byPosition) {
  TMenuRecord* record = MenuOf(menu);
  if (!record) return {};
  if (byPosition)
    return item < record->Items.size() ? TItemRef{record, static_cast<int>(item)} : TItemRef{};
  return FindByCommand(*record, item, 0);
}

bool InsertItemRecord(HMENU menu, int position, TMenuItemRecord item) {
  TMenuRecord* record = MenuOf(menu);
  if (!record) return false;
  const auto count = static_cast<int>(record->Items.size());
  if (position < 0 || position > count) position = count;
  record->Items.insert(record->Items.begin() + position, std::move(item));
  if (record->Selected >= position) ++record->Selected;
  MenuContentChanged(*record);
  return true;
}

bool RemoveItemRecord(HMENU menu, UINT item, UINT flags, bool destroySubMenu) {
  const TItemRef ref = FindMenuItem(menu, item, (flags & MF_BYPOSITION) != 0);
  if (!ref) return false;
  TMenuRecord& owner = *ref.Menu;
  const HMENU sub = ref.Item().SubMenu;
  if (sub) MenuGoing(sub);
  owner.Items.erase(owner.Items.begin() + ref.Index);
  if (owner.Selected == ref.Index)
    owner.Selected = -1;
  else if (owner.Selected > ref.Index)
    --owner.Selected;
  MenuContentChanged(owner);
  if (destroySubMenu && sub) DestroyMenuTree(sub);
  return true;
}

void ItemChanged(TMenuRecord& menu, int index) {
  if (index >= 0 && index < static_cast<int>(menu.Items.size()))
    menu.Items[static_cast<std::size_t>(index)].Measured = false;
  MenuContentChanged(menu);
}

void MenuContentChanged(TMenuRecord& menu) {
  menu.LaidOut = false;
  OpenMenuChanged(menu);
}

void ApplyItemInfo(TMenuItemRecord& item, const MENUITEMINFOA& info) {
  if (info.fMask & MIIM_FTYPE) item.Type = info.fType;
  if (info.fMask & MIIM_TYPE) {
    item.Type = info.fType;
    if (info.fType & MFT_BITMAP)
      item.Bitmap = reinterpret_cast<HBITMAP>(info.dwTypeData);
    else if (!(info.fType & MFT_SEPARATOR) && !(info.fType & MFT_OWNERDRAW))
      item.Text = info.dwTypeData ? info.dwTypeData : "";
    else if (info.fType & MFT_OWNERDRAW)
      item.Data = reinterpret_cast<ULONG_PTR>(info.dwTypeData);
  }
  if (info.fMask & MIIM_STRING) item.Text = info.dwTypeData ? info.dwTypeData : "";
  if (info.fMask & MIIM_STATE) item.State = info.fState;
  if (info.fMask & MIIM_ID) item.Id = info.wID;
  if (info.fMask & MIIM_SUBMENU) item.SubMenu = info.hSubMenu;
  if (info.fMask & MIIM_CHECKMARKS) {
    item.CheckedBitmap = info.hbmpChecked;
    item.UncheckedBitmap = info.hbmpUnchecked;
  }
  if (info.fMask & MIIM_DATA) item.Data = info.dwItemData;
  if (info.fMask & MIIM_BITMAP) item.Bitmap = info.hbmpItem;
  item.Measured = false;
}

void ReadItemInfo(const TMenuItemRecord& item, MENUITEMINFOA& info) {
  if (info.fMask & (MIIM_FTYPE | MIIM_TYPE)) info.fType = item.Type;
  if (info.fMask & (MIIM_STRING | MIIM_TYPE)) {
    if (info.dwTypeData && info.cch > 0) {
      const std::size_t n = std::min<std::size_t>(item.Text.size(), info.cch - 1);
      std::memcpy(info.dwTypeData, item.Text.data(), n);
      info.dwTypeData[n] = '\0';
    }
    info.cch = static_cast<UINT>(item.Text.size());
  }
  if (info.fMask & MIIM_STATE) info.fState = item.State;
  if (info.fMask & MIIM_ID) info.wID = item.Id;
  if (info.fMask & MIIM_SUBMENU) info.hSubMenu = item.SubMenu;
  if (info.fMask & MIIM_CHECKMARKS) {
    info.hbmpChecked = item.CheckedBitmap;
    info.hbmpUnchecked = item.UncheckedBitmap;
  }
  if (info.fMask & MIIM_DATA) info.dwItemData = item.Data;
  if (info.fMask & MIIM_BITMAP) info.hbmpItem = item.Bitmap;
}

TMenuItemRecord ItemFromFlags(UINT flags, UINT_PTR idOrSubMenu, const char* content) {
  TMenuItemRecord item;
  item.Type = flags & (MFT_BITMAP | MFT_MENUBARBREAK | MFT_MENUBREAK | MFT_OWNERDRAW |
                       MFT_SEPARATOR | MFT_RIGHTJUSTIFY);
  item.State = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT);
  if (item.State & (MF_GRAYED | MF_DISABLED)) item.State |= MFS_GRAYED;
  if (flags & MF_POPUP)
    item.SubMenu = reinterpret_cast<HMENU>(idOrSubMenu);
  else
    item.Id = static_cast<UINT>(idOrSubMenu);
  if (item.Type & MFT_BITMAP)
    item.Bitmap = reinterpret_cast<HBITMAP>(const_cast<char*>(content));
  else if (item.Type & MFT_OWNERDRAW)
    item.Data = reinterpret_cast<ULONG_PTR>(content);
  else if (!(item.Type & MFT_SEPARATOR) && content)
    item.Text = content;
  return item;
}

HMENU WindowMenu(const TWindow& w) { return w.IsChild() ? nullptr : reinterpret_cast<HMENU>(w.Id); }

bool AttachMenu(HWND window, HMENU menu) {
  TWindow* w = WindowOf(window);
  if (!w || w->IsChild() || w == User().Desktop) return false;
  TMenuRecord* record = MenuOf(menu);
  if (menu && !record) return false;
  if (TMenuRecord* old = MenuOf(WindowMenu(*w)); old && old != record) {
    MenuGoing(old->Handle);
    old->Window = nullptr;
  }
  w->Id = reinterpret_cast<UINT_PTR>(menu);
  if (record) {
    record->Window = window;
    record->LaidOut = false;
  }
  PlaceWindow(window, nullptr, 0, 0, 0, 0,
              SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

UINT_PTR MenuForNewWindow(HMENU menu, HWND window) {
  TMenuRecord* record = MenuOf(menu);
  if (!record || record->Popup) return 0;
  record->Window = window;
  record->LaidOut = false;
  return reinterpret_cast<UINT_PTR>(menu);
}

void ForgetWindowMenu(TWindow& w) {
  const HMENU menu = WindowMenu(w);
  if (!menu) return;
  w.Id = 0;
  if (TMenuRecord* record = MenuOf(menu); record && record->Window == w.Handle)
    DestroyMenuTree(menu);
}
