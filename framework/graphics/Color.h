#pragma once

#include "framework/classes/TypeInfo.h"
#include "framework/rtl/Types.h"
#include "framework/win32/Windows.h"

// A colour: 0 to 0xFFFFFF is red, green and blue with red in the low byte; a value with the
// high bit set names a system colour by its COLOR_ index in the low byte.
using TColor = Integer;

namespace lum {
constexpr TColor SysColor(int Index) { return static_cast<TColor>(0x80000000u | Index); }
} // namespace lum

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clLtGray = 0xC0C0C0;
inline constexpr TColor clDkGray = 0x808080;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

inline constexpr TColor clScrollBar = lum::SysColor(COLOR_SCROLLBAR);
inline constexpr TColor clBackground = lum::SysColor(COLOR_BACKGROUND);
inline constexpr TColor clActiveCaption = lum::SysColor(COLOR_ACTIVECAPTION);
inline constexpr TColor clInactiveCaption = lum::SysColor(COLOR_INACTIVECAPTION);
inline constexpr TColor clMenu = lum::SysColor(COLOR_MENU);
inline constexpr TColor clWindow = lum::SysColor(COLOR_WINDOW);
inline constexpr TColor clWindowFrame = lum::SysColor(COLOR_WINDOWFRAME);
inline constexpr TColor clMenuText = lum::SysColor(COLOR_MENUTEXT);
inline constexpr TColor clWindowText = lum::SysColor(COLOR_WINDOWTEXT);
inline constexpr TColor clCaptionText = lum::SysColor(COLOR_CAPTIONTEXT);
inline constexpr TColor clActiveBorder = lum::SysColor(COLOR_ACTIVEBORDER);
inline constexpr TColor clInactiveBorder = lum::SysColor(COLOR_INACTIVEBORDER);
inline constexpr TColor clAppWorkSpace = lum::SysColor(COLOR_APPWORKSPACE);
inline constexpr TColor clHighlight = lum::SysColor(COLOR_HIGHLIGHT);
inline constexpr TColor clHighlightText = lum::SysColor(COLOR_HIGHLIGHTTEXT);
inline constexpr TColor clBtnFace = lum::SysColor(COLOR_BTNFACE);
inline constexpr TColor clBtnShadow = lum::SysColor(COLOR_BTNSHADOW);
inline constexpr TColor clGrayText = lum::SysColor(COLOR_GRAYTEXT);
inline constexpr TColor clBtnText = lum::SysColor(COLOR_BTNTEXT);
inline constexpr TColor clInactiveCaptionText = lum::SysColor(COLOR_INACTIVECAPTIONTEXT);
inline constexpr TColor clBtnHighlight = lum::SysColor(COLOR_BTNHIGHLIGHT);
inline constexpr TColor cl3DDkShadow = lum::SysColor(COLOR_3DDKSHADOW);
inline constexpr TColor cl3DLight = lum::SysColor(COLOR_3DLIGHT);
inline constexpr TColor clInfoText = lum::SysColor(COLOR_INFOTEXT);
inline constexpr TColor clInfoBk = lum::SysColor(COLOR_INFOBK);

// The COLORREF of a colour: system colours through GetSysColor, the others as they are.
COLORREF ColorToRGB(TColor Color);

// Colour names as form files store them: "clRed" for a colour with a name (letter case
// ignored when reading), else "$" and eight hex digits. StringToColor also takes decimal
// and "$" hex numbers and raises EConvertError for anything else.
// The names for colour properties' Idents(ColorIdents()) option.
TIdentMap ColorIdents();
bool ColorToIdent(TColor Color, String& Ident);
bool IdentToColor(const String& Ident, TColor& Color);
String ColorToString(TColor Color);
TColor StringToColor(const String& S);
