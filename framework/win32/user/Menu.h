#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/user/UserState.h"

#include <vector>

// Menus: a menu bar (CreateMenu) or a popup menu (CreatePopupMenu) holding items, each a
// command, a separator or the parent of a submenu. Handles are looked up on every use, so a
// handle of a destroyed menu names nothing.

struct TMenuItemRecord {
  UINT Type = MFT_STRING; // MFT_ bits
  UINT State = 0;         // MFS_ bits
  UINT Id = 0;
  HMENU SubMenu = nullptr;
  HBITMAP CheckedBitmap = nullptr;
  HBITMAP UncheckedBitmap = nullptr;
  HBITMAP Bitmap = nullptr; // hbmpItem, or the MFT_BITMAP picture
  ULONG_PTR Data = 0;
  String Text;
  // Layout: the size the item asks for, and where it lies (popup: the menu window's client
  // coordinates; bar: relative to the bar's top-left corner).
  bool Measured = false;
  TPoint Size;
  TRect Rect;

  bool IsSeparator() const { return (Type & MFT_SEPARATOR) != 0; }
  bool IsOwnerDrawn() const { return (Type & MFT_OWNERDRAW) != 0; }
  bool IsDisabled() const { return (State & MFS_GRAYED) != 0; }
  // The text before a tab, and the shortcut text after it.
  String Label() const;
  String ShortCutText() const;
};

struct TMenuRecord {
  HMENU Handle = nullptr;
  bool Popup = false;
  std::vector<TMenuItemRecord> Items;
  HWND Window = nullptr;    // a bar: the window it belongs to; a popup: its window while open
  int Selected = -1;        // the highlighted item
  bool DroppedDown = false; // a bar: the selected item's popup is open
  bool LaidOut = false;
  TPoint Size; // a popup's window size, a bar's size after layout
  DWORD ContextHelpId = 0;

  // An item with MFT_RIGHTORDER makes the menu right-to-left: a bar's items run from its
  // right edge, a popup's text is right-aligned with glyphs on the right, submenus open to
  // the left and the Left and Right keys swap.
  bool RightToLeft() const;
};

HMENU NewMenu(bool popup);
// DestroyMenu: the menu and its submenus; an open one closes first.
bool DestroyMenuTree(HMENU menu);
TMenuRecord* MenuOf(HMENU menu);

// An item found by position or (searching submenus too) by command.
struct TItemRef {
  TMenuRecord* Menu = nullptr;
  int Index = -1;
  explicit operator bool() const { return Menu != nullptr; }
  TMenuItemRecord& Item() const { return Menu->Items[static_cast<std::size_t>(Index)]; }
};
TItemRef FindMenuItem(HMENU menu, UINT item, bool byPosition);

// Inserts before position (appends past the end); false for a menu that names nothing.
bool InsertItemRecord(HMENU menu, int position, TMenuItemRecord item);
// RemoveMenu (keeps the submenu) and DeleteMenu (destroys it).
bool RemoveItemRecord(HMENU menu, UINT item, UINT flags, bool destroySubMenu);
// The item changed: it is measured again, and an open window showing it is laid out again.
void ItemChanged(TMenuRecord& menu, int index);
void MenuContentChanged(TMenuRecord& menu);

// MENUITEMINFOA in and out, as SetMenuItemInfo and GetMenuItemInfo take them.
void ApplyItemInfo(TMenuItemRecord& item, const MENUITEMINFOA& info);
void ReadItemInfo(const TMenuItemRecord& item, MENUITEMINFOA& info);
// The MF_ flags of AppendMenu, InsertMenu and ModifyMenu made into an item.
TMenuItemRecord ItemFromFlags(UINT flags, UINT_PTR idOrSubMenu, const char* content);

// A top-level window's menu bar (kept where Win32 keeps it, in the window's id).
HMENU WindowMenu(const TWindow& w);
// SetMenu: attaches a bar (or none), and the frame is computed again.
bool AttachMenu(HWND window, HMENU menu);
// The id of a top-level window created with a menu: the menu, when it names one.
UINT_PTR MenuForNewWindow(HMENU menu, HWND window);
// A window going away destroys its bar.
void ForgetWindowMenu(TWindow& w);
