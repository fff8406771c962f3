#include "framework/win32/user/MenuPaint.h"

#include "framework/win32/gdi/Blit.h"
#include "framework/win32/gdi/Edges.h"
#include "framework/win32/gdi/Primitives.h"
#include "framework/win32/gdi/TextRender.h"
#include "framework/win32/user/ControlPaint.h"
#include "framework/win32/user/MenuLayout.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

#include <algorithm>

namespace {

using namespace MenuGeometry;
namespace CP = ControlPaint;

constexpr int ColorMenu = 4, ColorMenuText = 7;
constexpr std::uint32_t SrcCopy = 0x00CC0020;

TRect Offset(const TRect& r, TPoint by) {
  return Rect(r.Left + by.X, r.Top + by.Y, r.Right + by.X, r.Bottom + by.Y);
}

const TGdiBitmap* BitmapOf(HBITMAP bitmap) {
  return TGdiHandles::Instance().FindAs<TGdiBitmap>(reinterpret_cast<THandleId>(bitmap));
}

void Blit(TDeviceContext& dc, const TGdiBitmap& bitmap, TPoint at) {
  const TBlitSource source{&bitmap.Raster, TPoint{}, bitmap.BitsPixel == 1, 0xFFFFFF};
  const int w = bitmap.Raster.Width, h = bitmap.Raster.Height;
  StretchBlit(dc, TBlitArea{at.X, at.Y, w, h}, source, TBlitArea{0, 0, w, h}, SrcCopy);
}

// The mark of a checked item: the system check mark, or a round dot for radio items, in
// the given colour, centred in the box.
void DrawCheck(TDeviceContext& dc, const TRect& box, bool radio, std::uint32_t colour) {
  const int cx = box.Left + box.Width() / 2, cy = box.Top + box.Height() / 2;
  if (radio) {
    constexpr int rows[] = {2, 4, 5, 5, 5, 4, 2};
    for (int dy = -3; dy <= 3; ++dy)
      for (int dx = -rows[dy + 3] / 2; dx < (rows[dy + 3] + 1) / 2; ++dx)
        SetPixelColour(dc, TPoint{cx + dx, cy + dy}, colour);
    return;
  }
  const auto mark = CheckMarkBitmap();
  const int w = mark->Raster.Width, h = mark->Raster.Height;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if ((mark->Raster.At(x, y) & 0xFFFFFF) == 0)
        SetPixelColour(dc, TPoint{cx - w / 2 + x, cy - h / 2 + y}, colour);
}

// The submenu arrow, at the right pointing right, or right-to-left at the left pointing left.
void DrawArrow(TDeviceContext& dc, const TRect& r, bool rightToLeft, std::uint32_t colour) {
  const int x = rightToLeft ? r.Left + ArrowColumn / 2 + 1 : r.Right - ArrowColumn / 2 - 2;
  const int step = rightToLeft ? -1 : 1, cy = r.Top + r.Height() / 2;
  for (int i = 0; i < 4; ++i)
    for (int y = cy - 3 + i; y <= cy + 3 - i; ++y)
      SetPixelColour(dc, TPoint{x + step * i, y}, colour);
}

void DrawSeparator(TDeviceContext& dc, const TRect& r) {
  TRect line = Rect(r.Left + 1, r.Top + r.Height() / 2 - 1, r.Right - 1, r.Bottom);
  DrawEdgeLines(dc, line, EdgeFlags::SunkenOuter | EdgeFlags::RaisedInner, EdgeFlags::Top);
}

void DrawGlyph(TDeviceContext& dc, const TMenuRecord& menu, const TMenuItemRecord& item,
               const TRect& r, std::uint32_t ink) {
  const bool checked = (item.State & MFS_CHECKED) != 0;
  const int width = GlyphColumnWidth(menu);
  const int left = menu.RightToLeft() ? r.Right - GlyphMargin - width : r.Left + GlyphMargin;
  const TRect column = Bounds(left, r.Top, width, r.Height());
  if (const TGdiBitmap* bitmap = BitmapOf(item.Bitmap)) {
    const TPoint at{column.Left + (column.Width() - bitmap->Raster.Width) / 2,
                    r.Top + (r.Height() - bitmap->Raster.Height) / 2};
    Blit(dc, *bitmap, at);
    if (checked) {
      TRect frame = Rect(at.X - 1, at.Y - 1, at.X + bitmap->Raster.Width + 1,
                         at.Y + bitmap->Raster.Height + 1);
      DrawEdgeLines(dc, frame, EdgeFlags::SunkenOuter,
                    EdgeFlags::Left | EdgeFlags::Top | EdgeFlags::Right | EdgeFlags::Bottom);
    }
    return;
  }
  const TGdiBitmap* own = BitmapOf(checked ? item.CheckedBitmap : item.UncheckedBitmap);
  if (own) {
    Blit(dc, *own,
         TPoint{column.Left + (column.Width() - own->Raster.Width) / 2,
                r.Top + (r.Height() - own->Raster.Height) / 2});
  } else if (checked) {
    DrawCheck(dc, column, (item.Type & MFT_RADIOCHECK) != 0, ink);
  }
}

// The label, and the shortcut text at the far edge (the right, or right-to-left the left).
void DrawLabel(TDeviceContext& dc, const TMenuItemRecord& item, TRect r, std::uint32_t format,
               bool embossed, bool rightToLeft) {
  const String label = item.Label(), shortCut = item.ShortCutText();
  dc.State().BkMode = TTextState::Transparent;
  dc.State().Font = MenuFontId((item.State & MFS_DEFAULT) != 0);
  const std::uint32_t labelFormat = rightToLeft ? format | DT_RIGHT | DT_RTLREADING : format;
  const std::uint32_t shortCutFormat = rightToLeft ? format : format | DT_RIGHT;
  const auto draw = [&](const String& text, TRect at, std::uint32_t f) {
    if (embossed)
      CP::DrawDisabledText(dc, text, at, f);
    else
      CP::DrawText(dc, text, at, f);
  };
  draw(label, r, labelFormat);
  if (!shortCut.empty()) draw(shortCut, r, shortCutFormat);
}

void DrawPopupItem(TDeviceContext& dc, const TMenuRecord& menu, const TMenuItemRecord& item,
                   const TRect& r, bool selected) {
  CP::FillSys(dc, r, selected && !item.IsSeparator() ? CP::ColorHighlight : ColorMenu);
  if (item.IsSeparator()) {
    DrawSeparator(dc, r);
    return;
  }
  const bool disabled = item.IsDisabled();
  const std::uint32_t ink = disabled   ? CP::SysColor(CP::ColorGrayText)
                            : selected ? CP::SysColor(CP::ColorHighlightText)
                                       : CP::SysColor(ColorMenuText);
  if (item.Type & MFT_BITMAP) {
    if (const TGdiBitmap* bitmap = BitmapOf(item.Bitmap))
      Blit(dc, *bitmap, TPoint{r.Left, r.Top + (r.Height() - bitmap->Raster.Height) / 2});
    return;
  }
  DrawGlyph(dc, menu, item, r, ink);
  dc.State().TextColour = ink;
  const bool rightToLeft = menu.RightToLeft();
  const TRect text =
      rightToLeft ? Rect(r.Left + ArrowColumn, r.Top, r.Right - PopupTextOffset(menu), r.Bottom)
                  : Rect(r.Left + PopupTextOffset(menu), r.Top, r.Right - ArrowColumn, r.Bottom);
  DrawLabel(dc, item, text, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS, disabled && !selected,
            rightToLeft);
  if (item.SubMenu) DrawArrow(dc, r, rightToLeft, ink);
}

void DrawBarItem(TDeviceContext& dc, const TMenuRecord& menu, const TMenuItemRecord& item,
                 const TRect& r, bool selected) {
  CP::FillSys(dc, r, ColorMenu);
  const bool disabled = item.IsDisabled();
  dc.State().TextColour = CP::SysColor(ColorMenuText);
  TRect text = r;
  if (selected) {
    TRect edge = r;
    const unsigned sides = EdgeFlags::Left | EdgeFlags::Top | EdgeFlags::Right | EdgeFlags::Bottom;
    DrawEdgeLines(dc, edge, menu.DroppedDown ? EdgeFlags::SunkenOuter : EdgeFlags::RaisedInner,
                  sides);
    if (menu.DroppedDown) text = Offset(text, TPoint{1, 1});
  }
  if (const TGdiBitmap* bitmap = (item.Type & MFT_BITMAP) ? BitmapOf(item.Bitmap) : nullptr) {
    Blit(dc, *bitmap,
         TPoint{text.Left + 1, text.Top + (text.Height() - bitmap->Raster.Height) / 2});
    return;
  }
  DrawLabel(dc, item, text, DT_SINGLELINE | DT_VCENTER | DT_CENTER, disabled, false);
}

UINT OwnerDrawState(const TMenuRecord& menu, const TMenuItemRecord& item, bool selected) {
  UINT state = 0;
  if (selected) state |= ODS_SELECTED;
  if (item.State & MFS_GRAYED) state |= ODS_GRAYED | ODS_DISABLED;
  if (item.State & MFS_CHECKED) state |= ODS_CHECKED;
  if (item.State & MFS_DEFAULT) state |= ODS_DEFAULT;
  if (!menu.Popup && selected && !menu.DroppedDown) state |= ODS_HOTLIGHT;
  return state;
}

void SendDrawItem(const TMenuRecord& menu, const TMenuItemRecord& item, HWND owner, THandleId dc,
                  const TRect& r, bool selected) {
  DRAWITEMSTRUCT d;
  d.CtlType = ODT_MENU;
  d.itemID = item.SubMenu && !item.Id ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(item.SubMenu))
                                      : item.Id;
  d.itemAction = ODA_DRAWENTIRE;
  d.itemState = OwnerDrawState(menu, item, selected);
  d.hwndItem = reinterpret_cast<HWND>(menu.Handle);
  d.hDC = CP::AsHdc(dc);
  d.rcItem = r;
  d.itemData = item.Data;
  if (owner) SendTo(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d));
}

void DrawItemAt(TMenuRecord& menu, std::size_t index, HWND owner, THandleId dcId, TPoint offset) {
  TDeviceContext* dc = TGdiHandles::Instance().FindDc(dcId);
  if (!dc || index >= menu.Items.size()) return;
  const TMenuItemRecord item = menu.Items[index];
  const bool selected = menu.Selected == static_cast<int>(index);
  const TRect r = Offset(item.Rect, offset);
  if (item.IsOwnerDrawn()) {
    const int saved = dc->SaveState();
    dc->State().Font = MenuFontId(false);
    CP::FillSys(*dc, r, ColorMenu);
    SendDrawItem(menu, item, owner, dcId, r, selected);
    if ((dc = TGdiHandles::Instance().FindDc(dcId))) dc->RestoreState(saved);
    return;
  }
  if (menu.Popup)
    DrawPopupItem(*dc, menu, item, r, selected);
  else
    DrawBarItem(*dc, menu, item, r, selected);
}

} // namespace

void PaintMenuItem(TMenuRecord& menu, int index, HWND owner, THandleId dc, TPoint offset) {
  if (index >= 0) DrawItemAt(menu, static_cast<std::size_t>(index), owner, dc, offset);
}

void PaintPopupMenu(TMenuRecord& menu, HWND owner, THandleId dcId) {
  TDeviceContext* dc = TGdiHandles::Instance().FindDc(dcId);
  if (!dc) return;
  TRect frame = Rect(0, 0, menu.Size.X, menu.Size.Y);
  DrawEdgeLines(*dc, frame, EdgeFlags::RaisedOuter | EdgeFlags::RaisedInner,
                EdgeFlags::Left | EdgeFlags::Top | EdgeFlags::Right | EdgeFlags::Bottom |
                    EdgeFlags::Adjust);
  CP::FillSys(*dc, frame, ColorMenu);
  const HMENU handle = menu.Handle;
  for (std::size_t i = 0; MenuOf(handle) == &menu && i < menu.Items.size(); ++i)
    DrawItemAt(menu, i, owner, dcId, TPoint{});
}

void PaintMenuBar(TWindow& w, THandleId dcId) {
  TMenuRecord* menu = MenuOf(WindowMenu(w));
  TDeviceContext* dc = TGdiHandles::Instance().FindDc(dcId);
  if (!menu || !dc) return;
  const TRect bar = MenuBarRect(w);
  CP::FillSys(*dc, bar, ColorMenu);
  const HMENU handle = menu->Handle;
  const TPoint at{bar.Left, bar.Top};
  for (std::size_t i = 0; MenuOf(handle) == menu && i < menu->Items.size(); ++i)
    DrawItemAt(*menu, i, w.Handle, dcId, at);
}

void PaintWindowMenuBar(HWND window) {
  TWindow* w = WindowOf(window);
  if (!w || !IsVisibleTree(w) || !MenuOf(WindowMenu(*w))) return;
  const THandleId dc = MakeWindowDc(*w, DCX_WINDOW, nullptr);
  if (!dc) return;
  PaintMenuBar(*w, dc);
  if (TWindow* again = WindowOf(window)) ReleaseWindowDc(*again, dc);
}
