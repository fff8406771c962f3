#pragma once

#include "framework/win32/gdi/GdiHandles.h"
#include "framework/win32/gdi/Region.h"
#include "framework/win32/user/Menu.h"

// Drawing menus in the classic look: the menu colour, the selected item in the highlight
// colours, check marks and radio dots, item bitmaps, disabled text embossed, shortcut texts
// right-aligned, submenu arrows; owner-drawn items by WM_DRAWITEM to the owner window with
// the ODS_ state of the item.

// Paints an open popup's window through a DC of its client area.
void PaintPopupMenu(TMenuRecord& menu, HWND owner, THandleId dc);
// Paints a window's bar: the surface DC's (0, 0) is the window's top-left corner.
void PaintMenuBar(TWindow& w, THandleId dc);
// Paints the bar of a visible window now, through a DC of its own.
void PaintWindowMenuBar(HWND window);
// Draws one item (after a change of selection).
void PaintMenuItem(TMenuRecord& menu, int index, HWND owner, THandleId dc, TPoint offset);
