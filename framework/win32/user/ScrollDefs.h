#pragma once

// Scroll bars: the SCROLLINFO record and the SB_, SIF_, ESB_, SBS_ and SBM_ codes of Win32.

struct SCROLLINFO {
  UINT cbSize = sizeof(SCROLLINFO);
  UINT fMask = 0;
  int nMin = 0;
  int nMax = 0;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};
using LPSCROLLINFO = SCROLLINFO*;
using LPCSCROLLINFO = const SCROLLINFO*;

// Which bar: the window's own bars, the scroll bar control itself, both window bars.
inline constexpr int SB_HORZ = 0, SB_VERT = 1, SB_CTL = 2, SB_BOTH = 3;

// WM_HSCROLL / WM_VSCROLL request codes.
inline constexpr int SB_LINEUP = 0, SB_LINELEFT = 0, SB_LINEDOWN = 1, SB_LINERIGHT = 1,
                     SB_PAGEUP = 2, SB_PAGELEFT = 2, SB_PAGEDOWN = 3, SB_PAGERIGHT = 3,
                     SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5, SB_TOP = 6, SB_LEFT = 6,
                     SB_BOTTOM = 7, SB_RIGHT = 7, SB_ENDSCROLL = 8;

inline constexpr UINT SIF_RANGE = 0x1, SIF_PAGE = 0x2, SIF_POS = 0x4, SIF_DISABLENOSCROLL = 0x8,
                      SIF_TRACKPOS = 0x10, SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// EnableScrollBar: which arrows are disabled.
inline constexpr UINT ESB_ENABLE_BOTH = 0x0, ESB_DISABLE_BOTH = 0x3, ESB_DISABLE_LEFT = 0x1,
                      ESB_DISABLE_RIGHT = 0x2, ESB_DISABLE_UP = 0x1, ESB_DISABLE_DOWN = 0x2,
                      ESB_DISABLE_LTUP = 0x1, ESB_DISABLE_RTDN = 0x2;

// Styles of the "ScrollBar" class.
inline constexpr DWORD SBS_HORZ = 0x0, SBS_VERT = 0x1, SBS_TOPALIGN = 0x2, SBS_LEFTALIGN = 0x2,
                       SBS_BOTTOMALIGN = 0x4, SBS_RIGHTALIGN = 0x4, SBS_SIZEBOX = 0x8;

// Messages of the "ScrollBar" class.
inline constexpr UINT SBM_SETPOS = 0x00E0, SBM_GETPOS = 0x00E1, SBM_SETRANGE = 0x00E2,
                      SBM_GETRANGE = 0x00E3, SBM_ENABLE_ARROWS = 0x00E4,
                      SBM_SETRANGEREDRAW = 0x00E6, SBM_SETSCROLLINFO = 0x00E9,
                      SBM_GETSCROLLINFO = 0x00EA;
