#pragma once

// Menus: the MF_, MFT_, MFS_, MIIM_ and TPM_ codes, the menu messages and MENUITEMINFOA,
// valued as their Win32 counterparts.

struct HBITMAP__;
using HBITMAP = HBITMAP__*;
using ULONG_PTR = std::uintptr_t;

inline constexpr UINT MF_INSERT = 0x0, MF_CHANGE = 0x80, MF_APPEND = 0x100, MF_DELETE = 0x200,
                      MF_REMOVE = 0x1000, MF_BYCOMMAND = 0x0, MF_BYPOSITION = 0x400,
                      MF_SEPARATOR = 0x800, MF_ENABLED = 0x0, MF_GRAYED = 0x1, MF_DISABLED = 0x2,
                      MF_UNCHECKED = 0x0, MF_CHECKED = 0x8, MF_USECHECKBITMAPS = 0x200,
                      MF_STRING = 0x0, MF_BITMAP = 0x4, MF_OWNERDRAW = 0x100, MF_POPUP = 0x10,
                      MF_MENUBARBREAK = 0x20, MF_MENUBREAK = 0x40, MF_UNHILITE = 0x0,
                      MF_HILITE = 0x80, MF_DEFAULT = 0x1000, MF_SYSMENU = 0x2000, MF_HELP = 0x4000,
                      MF_RIGHTJUSTIFY = 0x4000, MF_MOUSESELECT = 0x8000;
inline constexpr UINT MFT_STRING = MF_STRING, MFT_BITMAP = MF_BITMAP,
                      MFT_MENUBARBREAK = MF_MENUBARBREAK, MFT_MENUBREAK = MF_MENUBREAK,
                      MFT_OWNERDRAW = MF_OWNERDRAW, MFT_RADIOCHECK = 0x200,
                      MFT_SEPARATOR = MF_SEPARATOR, MFT_RIGHTORDER = 0x2000,
                      MFT_RIGHTJUSTIFY = MF_RIGHTJUSTIFY;
inline constexpr UINT MFS_GRAYED = 0x3, MFS_DISABLED = MFS_GRAYED, MFS_CHECKED = MF_CHECKED,
                      MFS_HILITE = MF_HILITE, MFS_ENABLED = MF_ENABLED,
                      MFS_UNCHECKED = MF_UNCHECKED, MFS_UNHILITE = MF_UNHILITE,
                      MFS_DEFAULT = MF_DEFAULT;
inline constexpr UINT MIIM_STATE = 0x1, MIIM_ID = 0x2, MIIM_SUBMENU = 0x4, MIIM_CHECKMARKS = 0x8,
                      MIIM_TYPE = 0x10, MIIM_DATA = 0x20, MIIM_STRING = 0x40, MIIM_BITMAP = 0x80,
                      MIIM_FTYPE = 0x100;
inline constexpr UINT TPM_LEFTBUTTON = 0x0, TPM_RIGHTBUTTON = 0x2, TPM_LEFTALIGN = 0x0,
                      TPM_CENTERALIGN = 0x4, TPM_RIGHTALIGN = 0x8, TPM_TOPALIGN = 0x0,
                      TPM_VCENTERALIGN = 0x10, TPM_BOTTOMALIGN = 0x20, TPM_NONOTIFY = 0x80,
                      TPM_RETURNCMD = 0x100;
inline constexpr UINT WM_CONTEXTMENU = 0x007B, WM_INITMENU = 0x0116, WM_INITMENUPOPUP = 0x0117,
                      WM_MENUSELECT = 0x011F, WM_MENUCHAR = 0x0120, WM_UNINITMENUPOPUP = 0x0125,
                      WM_ENTERMENULOOP = 0x0211, WM_EXITMENULOOP = 0x0212;
inline constexpr LRESULT MNC_IGNORE = 0, MNC_CLOSE = 1, MNC_EXECUTE = 2, MNC_SELECT = 3;
inline constexpr UINT ODS_HOTLIGHT = 0x40, ODS_INACTIVE = 0x80, ODS_NOACCEL = 0x100;
inline constexpr int SM_CXMENUCHECK = 71, SM_CYMENUCHECK = 72;

struct MENUITEMINFOA {
  UINT cbSize = sizeof(MENUITEMINFOA);
  UINT fMask = 0;
  UINT fType = 0;
  UINT fState = 0;
  UINT wID = 0;
  HMENU hSubMenu = nullptr;
  HBITMAP hbmpChecked = nullptr;
  HBITMAP hbmpUnchecked = nullptr;
  ULONG_PTR dwItemData = 0;
  char* dwTypeData = nullptr;
  UINT cch = 0;
  HBITMAP hbmpItem = nullptr;
};
using LPMENUITEMINFOA = MENUITEMINFOA*;
using LPCMENUITEMINFOA = const MENUITEMINFOA*;
