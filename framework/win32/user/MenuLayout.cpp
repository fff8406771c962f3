#include "framework/win32/user/MenuLayout.h"

#include "framework/win32/gdi/GdiFont.h"
#include "framework/win32/gdi/TextLayout.h"
#include "framework/win32/user/ControlPaint.h"
#include "framework/win32/user/Metrics.h"
#include "framework/win32/user/NonClient.h"
#include "framework/win32/user/WindowProcs.h"

#include <algorithm>
#include <cstring>

namespace {

using namespace MenuGeometry;

struct TMenuFonts {
  LOGFONTA MadeFrom{};
  THandleId Regular = 0;
  THandleId Bold = 0;
};

void MakeFonts(TMenuFonts& fonts, const LOGFONTA& wanted) {
  TGdiHandles& table = TGdiHandles::Instance();
  if (fonts.Regular) table.Delete(fonts.Regular);
  if (fonts.Bold) table.Delete(fonts.Bold);
  LOGFONTA bold = wanted;
  bold.lfWeight = FW_BOLD;
  fonts.Regular = table.Add(std::make_unique<TGdiFontObject>(wanted));
  fonts.Bold = table.Add(std::make_unique<TGdiFontObject>(bold));
  fonts.MadeFrom = wanted;
}

int ItemTextHeight() { return ControlPaint::LineHeight(MenuFontId(false)); }

int BitmapWidth(HBITMAP bitmap) {
  const auto* b = TGdiHandles::Instance().FindAs<TGdiBitmap>(reinterpret_cast<THandleId>(bitmap));
  return b ? b->Raster.Width : 0;
}

int BitmapHeight(HBITMAP bitmap) {
  const auto* b = TGdiHandles::Instance().FindAs<TGdiBitmap>(reinterpret_cast<THandleId>(bitmap));
  return b ? b->Raster.Height : 0;
}

// WM_MEASUREITEM for an owner-drawn item; Win32 adds twice the average character width.
TPoint MeasureOwnerDrawn(const TMenuItemRecord& item, HWND owner) {
  MEASUREITEMSTRUCT m;
  m.CtlType = ODT_MENU;
  m.itemID = item.SubMenu && !item.Id ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(item.SubMenu))
                                      : item.Id;
  m.itemHeight = static_cast<UINT>(ItemTextHeight());
  m.itemData = item.Data;
  if (owner) SendTo(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&m));
  const int extra = 2 * ControlPaint::AverageCharWidth(MenuFontId(false));
  return TPoint{static_cast<int>(m.itemWidth) + extra, static_cast<int>(m.itemHeight)};
}

// A popup item's own parts: its text width in .X (the shortcut measured apart), its height.
TPoint MeasurePopupItem(const TMenuItemRecord& item) {
  const int menuHeight = NonClientMetrics().iMenuHeight;
  if (item.IsSeparator()) return TPoint{0, std::max(3, menuHeight / 2)};
  if (item.Type & MFT_BITMAP)
    return TPoint{BitmapWidth(item.Bitmap), std::max(menuHeight, BitmapHeight(item.Bitmap) + 2)};
  const THandleId font = MenuFontId((item.State & MFS_DEFAULT) != 0);
  int height = std::max(menuHeight, ItemTextHeight() + 2);
  if (item.Bitmap) height = std::max(height, BitmapHeight(item.Bitmap) + 2);
  return TPoint{MenuTextWidth(font, item.Label()), height};
}

TPoint MeasureBarItem(const TMenuItemRecord& item, HWND owner) {
  const int menuHeight = NonClientMetrics().iMenuHeight;
  if (item.IsOwnerDrawn()) return TPoint{MeasureOwnerDrawn(item, owner).X, menuHeight};
  if (item.Type & MFT_BITMAP) return TPoint{BitmapWidth(item.Bitmap) + 2, menuHeight};
  const THandleId font = MenuFontId((item.State & MFS_DEFAULT) != 0);
  return TPoint{MenuTextWidth(font, item.Label()) + 2 * BarItemPadding, menuHeight};
}

void MeasureItems(TMenuRecord& menu, HWND owner) {
  for (TMenuItemRecord& item : menu.Items) {
    if (item.Measured) continue;
    if (!menu.Popup)
      item.Size = MeasureBarItem(item, owner);
    else if (item.IsOwnerDrawn())
      item.Size = MeasureOwnerDrawn(item, owner);
    else
      item.Size = MeasurePopupItem(item);
    item.Measured = true;
  }
}

int ShortCutColumnWidth(const TMenuRecord& menu, std::size_t from, std::size_t to) {
  int widest = 0;
  for (std::size_t i = from; i < to; ++i) {
    const TMenuItemRecord& item = menu.Items[i];
    if (!item.IsOwnerDrawn() && !item.IsSeparator())
      widest = std::max(widest, MenuTextWidth(MenuFontId(false), item.ShortCutText()));
  }
  return widest ? widest + ShortCutGap : 0;
}

// Places the items from..to as one column at x; answers the column's width.
int PlaceColumn(TMenuRecord& menu, std::size_t from, std::size_t to, int x, int& bottom) {
  const int textStart = PopupTextOffset(menu);
  const int shortCuts = ShortCutColumnWidth(menu, from, to);
  int width = 0;
  for (std::size_t i = from; i < to; ++i) {
    const TMenuItemRecord& item = menu.Items[i];
    const int w =
        item.IsOwnerDrawn() ? item.Size.X : textStart + item.Size.X + shortCuts + ArrowColumn;
    width = std::max(width, w);
  }
  int y = PopupBorder;
  for (std::size_t i = from; i < to; ++i) {
    TMenuItemRecord& item = menu.Items[i];
    item.Rect = Bounds(x, y, width, item.Size.Y);
    y += item.Size.Y;
  }
  bottom = std::max(bottom, y);
  return width;
}

// The bar lies inside the frame and below the caption, outside the client edges.
TRect BarInsets(const TWindow& w) {
  return FrameInsets(w.Style & ~(WS_VSCROLL | WS_HSCROLL),
                     w.ExStyle & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
}

bool StartsColumn(const TMenuItemRecord& item) {
  return (item.Type & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0;
}

// Right-to-left, the items' places mirrored within the width.
void MirrorItems(TMenuRecord& menu, int width) {
  if (!menu.RightToLeft()) return;
  for (TMenuItemRecord& item : menu.Items)
    item.Rect =
        Rect(width - item.Rect.Right, item.Rect.Top, width - item.Rect.Left, item.Rect.Bottom);
}

} // namespace

THandleId MenuFontId(bool bold) {
  static TMenuFonts fonts;
  const LOGFONTA& wanted = NonClientMetrics().lfMenuFont;
  TGdiHandles& table = TGdiHandles::Instance();
  if (!fonts.Regular || !table.Find(fonts.Regular) || !table.Find(fonts.Bold) ||
      std::memcmp(&fonts.MadeFrom, &wanted, sizeof(LOGFONTA)) != 0)
    MakeFonts(fonts, wanted);
  return bold ? fonts.Bold : fonts.Regular;
}

int MenuTextWidth(THandleId font, const String& text) {
  const TGdiFont* f = ControlPaint::FontOf(font);
  if (!f || text.empty()) return 0;
  return LayoutDrawText(*f, text, TRect{}, DT_SINGLELINE | DT_CALCRECT).Extent.Width();
}

int GlyphColumnWidth(const TMenuRecord& menu) {
  int widest = SystemMetric(SM_CXMENUCHECK);
  for (const TMenuItemRecord& item : menu.Items)
    if (item.Bitmap && !(item.Type & MFT_BITMAP))
      widest = std::max(widest, BitmapWidth(item.Bitmap));
  return widest;
}

int PopupTextOffset(const TMenuRecord& menu) {
  return GlyphMargin + GlyphColumnWidth(menu) + TextGap;
}

void LayoutPopup(TMenuRecord& menu, HWND owner) {
  // As on Win32 a popup measures its items each time it opens.
  for (TMenuItemRecord& item : menu.Items) item.Measured = false;
  MeasureItems(menu, owner);
  int x = PopupBorder, bottom = PopupBorder + 1;
  std::size_t from = 0;
  for (std::size_t i = 1; i <= menu.Items.size(); ++i) {
    if (i < menu.Items.size() && !StartsColumn(menu.Items[i])) continue;
    x += PlaceColumn(menu, from, i, x, bottom);
    from = i;
  }
  if (menu.Items.empty()) x += 40;
  menu.Size = TPoint{x + PopupBorder, bottom + PopupBorder};
  MirrorItems(menu, menu.Size.X);
  menu.LaidOut = true;
}

int LayoutBar(TMenuRecord& menu, HWND owner, int width) {
  MeasureItems(menu, owner);
  const int rowHeight = NonClientMetrics().iMenuHeight;
  int x = 0, y = 0;
  for (TMenuItemRecord& item : menu.Items) {
    const bool wrap = x > 0 && (x + item.Size.X > width || StartsColumn(item));
    if (wrap) {
      x = 0;
      y += rowHeight;
    }
    item.Rect = Bounds(x, y, item.Size.X, rowHeight);
    x += item.Size.X;
  }
  menu.Size = TPoint{width, y + rowHeight + 1};
  MirrorItems(menu, width);
  menu.LaidOut = true;
  return menu.Size.Y;
}

int ItemAtPoint(const TMenuRecord& menu, TPoint p) {
  for (std::size_t i = 0; i < menu.Items.size(); ++i)
    if (menu.Items[i].Rect.Contains(p)) return static_cast<int>(i);
  return -1;
}

TRect MenuBarRect(const TWindow& w) {
  TMenuRecord* menu = MenuOf(WindowMenu(w));
  if (!menu) return TRect{};
  const TRect insets = BarInsets(w);
  const int width = std::max(0, w.Rect.Width() - insets.Left - insets.Right);
  if (!menu->LaidOut || menu->Size.X != width) LayoutBar(*menu, w.Handle, width);
  return Bounds(insets.Left, insets.Top, width, menu->Size.Y);
}

int MenuBarHeight(const TWindow& w, int windowWidth) {
  TMenuRecord* menu = MenuOf(WindowMenu(w));
  if (!menu) return 0;
  menu->Window = w.Handle;
  const TRect insets = BarInsets(w);
  return LayoutBar(*menu, w.Handle, std::max(0, windowWidth - insets.Left - insets.Right));
}
