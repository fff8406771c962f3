#pragma once

#include "framework/win32/gdi/GdiHandles.h"
#include "framework/win32/user/Menu.h"

// Where menu items go: each item is measured (owner-drawn ones by WM_MEASUREITEM to the
// owner window), popup items are stacked in columns, bar items in rows as wide as the bar.

namespace MenuGeometry {
inline constexpr int PopupBorder = 3;    // raised edge and one pixel of the menu colour
inline constexpr int GlyphMargin = 3;    // before the check mark or bitmap column
inline constexpr int TextGap = 4;        // between that column and the text
inline constexpr int ShortCutGap = 16;   // between the text and the shortcut column
inline constexpr int ArrowColumn = 16;   // the submenu arrow's column at the right
inline constexpr int BarItemPadding = 6; // on each side of a bar item's text
} // namespace MenuGeometry

// The menu font of the non-client metrics as a font handle (bold for default items); made
// again when the metrics change.
THandleId MenuFontId(bool bold);
int MenuTextWidth(THandleId font, const String& text);

// Lays out an open popup: record.Size becomes its window size.
void LayoutPopup(TMenuRecord& menu, HWND owner);
// Lays out a bar of the given width; answers its height (its rows and a line below).
int LayoutBar(TMenuRecord& menu, HWND owner, int width);
// The width of the glyph column of a popup (check marks, item bitmaps).
int GlyphColumnWidth(const TMenuRecord& menu);
// The x where a popup's item texts start, from the item's left edge.
int PopupTextOffset(const TMenuRecord& menu);

// The item whose rectangle holds a point (popup client or bar coordinates); -1 for none.
int ItemAtPoint(const TMenuRecord& menu, TPoint p);

// A top-level window's bar in window coordinates (empty without one), and the height it
// takes from the client area when the window is windowWidth wide.
TRect MenuBarRect(const TWindow& w);
int MenuBarHeight(const TWindow& w, int windowWidth);
