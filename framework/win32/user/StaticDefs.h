#pragma once

// The "Static" class: SS_ styles, STM_ messages and STN_ notifications of Win32.

inline constexpr DWORD SS_LEFT = 0x0, SS_CENTER = 0x1, SS_RIGHT = 0x2, SS_ICON = 0x3,
                       SS_BLACKRECT = 0x4, SS_GRAYRECT = 0x5, SS_WHITERECT = 0x6,
                       SS_BLACKFRAME = 0x7, SS_GRAYFRAME = 0x8, SS_WHITEFRAME = 0x9,
                       SS_USERITEM = 0xA, SS_SIMPLE = 0xB, SS_LEFTNOWORDWRAP = 0xC,
                       SS_OWNERDRAW = 0xD, SS_BITMAP = 0xE, SS_ENHMETAFILE = 0xF,
                       SS_ETCHEDHORZ = 0x10, SS_ETCHEDVERT = 0x11, SS_ETCHEDFRAME = 0x12,
                       SS_TYPEMASK = 0x1F, SS_NOPREFIX = 0x80, SS_NOTIFY = 0x100,
                       SS_CENTERIMAGE = 0x200, SS_RIGHTJUST = 0x400, SS_SUNKEN = 0x1000,
                       SS_ENDELLIPSIS = 0x4000, SS_PATHELLIPSIS = 0x8000, SS_WORDELLIPSIS = 0xC000;

inline constexpr UINT STM_SETICON = 0x0170, STM_GETICON = 0x0171, STM_SETIMAGE = 0x0172,
                      STM_GETIMAGE = 0x0173;
inline constexpr WORD STN_CLICKED = 0, STN_DBLCLK = 1, STN_ENABLE = 2, STN_DISABLE = 3;
// Image kinds of STM_SETIMAGE / BM_SETIMAGE.
inline constexpr WPARAM IMAGE_BITMAP = 0, IMAGE_ICON = 1;
