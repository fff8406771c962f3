#include "framework/win32/WinUser.h"

#include "framework/win32/user/ScrollBars.h"

int SetScrollInfo(HWND h, int bar, LPCSCROLLINFO info, BOOL redraw) {
  return info ? SetScrollInfoOn(h, bar, *info, redraw != FALSE) : 0;
}

BOOL GetScrollInfo(HWND h, int bar, LPSCROLLINFO info) {
  return info && GetScrollInfoOf(h, bar, *info) ? TRUE : FALSE;
}

int SetScrollPos(HWND h, int bar, int pos, BOOL redraw) {
  return SetScrollPosOn(h, bar, pos, redraw != FALSE);
}

int GetScrollPos(HWND h, int bar) { return ScrollPosOf(h, bar); }

BOOL SetScrollRange(HWND h, int bar, int min, int max, BOOL redraw) {
  return SetScrollRangeOn(h, bar, min, max, redraw != FALSE) ? TRUE : FALSE;
}

BOOL GetScrollRange(HWND h, int bar, LPINT min, LPINT max) {
  return ScrollRangeOf(h, bar, min, max) ? TRUE : FALSE;
}

BOOL ShowScrollBar(HWND h, int bar, BOOL show) {
  return ShowScrollBarOn(h, bar, show != FALSE) ? TRUE : FALSE;
}

BOOL EnableScrollBar(HWND h, UINT bar, UINT arrows) {
  return EnableScrollBarOn(h, static_cast<int>(bar), arrows) ? TRUE : FALSE;
}
