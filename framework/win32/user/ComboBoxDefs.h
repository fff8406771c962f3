#pragma once

#include "framework/win32/user/UserDefs.h"

// The "ComboBox" class: CBS_ styles, CB_ messages and results, CBN_ notifications of Win32.

inline constexpr DWORD CBS_SIMPLE = 0x1, CBS_DROPDOWN = 0x2, CBS_DROPDOWNLIST = 0x3,
                       CBS_OWNERDRAWFIXED = 0x10, CBS_OWNERDRAWVARIABLE = 0x20,
                       CBS_AUTOHSCROLL = 0x40, CBS_OEMCONVERT = 0x80, CBS_SORT = 0x100,
                       CBS_HASSTRINGS = 0x200, CBS_NOINTEGRALHEIGHT = 0x400,
                       CBS_DISABLENOSCROLL = 0x800, CBS_UPPERCASE = 0x2000, CBS_LOWERCASE = 0x4000;

inline constexpr UINT CB_GETEDITSEL = 0x0140, CB_LIMITTEXT = 0x0141, CB_SETEDITSEL = 0x0142,
                      CB_ADDSTRING = 0x0143, CB_DELETESTRING = 0x0144, CB_DIR = 0x0145,
                      CB_GETCOUNT = 0x0146, CB_GETCURSEL = 0x0147, CB_GETLBTEXT = 0x0148,
                      CB_GETLBTEXTLEN = 0x0149, CB_INSERTSTRING = 0x014A, CB_RESETCONTENT = 0x014B,
                      CB_FINDSTRING = 0x014C, CB_SELECTSTRING = 0x014D, CB_SETCURSEL = 0x014E,
                      CB_SHOWDROPDOWN = 0x014F, CB_GETITEMDATA = 0x0150, CB_SETITEMDATA = 0x0151,
                      CB_GETDROPPEDCONTROLRECT = 0x0152, CB_SETITEMHEIGHT = 0x0153,
                      CB_GETITEMHEIGHT = 0x0154, CB_SETEXTENDEDUI = 0x0155,
                      CB_GETEXTENDEDUI = 0x0156, CB_GETDROPPEDSTATE = 0x0157,
                      CB_FINDSTRINGEXACT = 0x0158, CB_GETTOPINDEX = 0x015B, CB_SETTOPINDEX = 0x015C,
                      CB_GETDROPPEDWIDTH = 0x015F, CB_SETDROPPEDWIDTH = 0x0160;

inline constexpr LRESULT CB_OKAY = 0, CB_ERR = -1, CB_ERRSPACE = -2;

inline constexpr WORD CBN_ERRSPACE = static_cast<WORD>(-1), CBN_SELCHANGE = 1, CBN_DBLCLK = 2,
                      CBN_SETFOCUS = 3, CBN_KILLFOCUS = 4, CBN_EDITCHANGE = 5, CBN_EDITUPDATE = 6,
                      CBN_DROPDOWN = 7, CBN_CLOSEUP = 8, CBN_SELENDOK = 9, CBN_SELENDCANCEL = 10;

// DrawFrameControl's combo box button (DFC_SCROLL).
inline constexpr UINT DFCS_SCROLLCOMBOBOX = 0x5;
// The class of a combo box's list window.
inline constexpr const char* ComboListClassName = "ComboLBox";
