#pragma once

#include "framework/win32/user/Menu.h"

// Menu tracking: a bar item or TrackPopupMenu opens a chain of popup windows, which never
// take activation from their owner. While a menu is tracked, an invisible window of the
// tracking holds the mouse capture and receives the keys; the owner window hears
// WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT, WM_MENUCHAR,
// WM_UNINITMENUPOPUP and WM_EXITMENULOOP as Win32 sends them, and a chosen command as a
// posted WM_COMMAND (TrackPopupMenu with TPM_RETURNCMD answers it instead).

bool MenuTracking();
// The window that takes keyboard input while a menu is tracked; null when none is.
HWND MenuKeyTarget();

// A press on a window's bar at a screen point opens the item there.
void TrackBarByMouse(HWND window, TPoint screen);
// SC_KEYMENU: without a character the bar's first item is selected (keyboard mode); with
// one the item of that accelerator opens.
void TrackBarByKey(HWND window, char accelerator);
// TrackPopupMenu(Ex): runs until the menu closes; the command chosen, or 0. exclude (screen
// coordinates) is a rectangle the popup must not cover.
UINT TrackPopup(HMENU menu, UINT flags, TPoint at, HWND owner, const TRect* exclude);
// EndMenu.
void EndMenuTracking();

// The screen rectangle of an item of a window's bar or of an open popup (GetMenuItemRect).
bool MenuItemScreenRect(HWND window, HMENU menu, int index, TRect& out);
// HiliteMenuItem on a bar: draws the item selected or not.
bool HiliteBarItem(HWND window, HMENU menu, int index, bool hilite);
// Repaints a window's bar (DrawMenuBar).
void RepaintMenuBar(HWND window);

// Called by the menu module: a menu is going away, or an open menu changed.
void MenuGoing(HMENU menu);
void OpenMenuChanged(TMenuRecord& menu);
// Called as a window goes away: tracking it owns ends.
void MenuOwnerGone(HWND window);

// DefWindowProc's menu keys and clicks: Alt and F10 enter the bar, Alt+letter opens an item,
// Shift+F10 and the right button ask for a context menu. True when the message was taken.
bool DefaultMenuMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
