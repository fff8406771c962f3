#include "framework/win32/gdi/SysColors.h"

#include <array>

namespace {

constexpr std::uint32_t Rgb(unsigned r, unsigned g, unsigned b) { return r | g << 8 | b << 16; }

constexpr std::array<std::uint32_t, SysColorCount> ClassicPalette = {
    Rgb(192, 192, 192), // COLOR_SCROLLBAR
    Rgb(0, 128, 128),   // COLOR_BACKGROUND
    Rgb(0, 0, 128),     // COLOR_ACTIVECAPTION
    Rgb(128, 128, 128), // COLOR_INACTIVECAPTION
    Rgb(192, 192, 192), // COLOR_MENU
    Rgb(255, 255, 255), // COLOR_WINDOW
    Rgb(0, 0, 0),       // COLOR_WINDOWFRAME
    Rgb(0, 0, 0),       // COLOR_MENUTEXT
    Rgb(0, 0, 0),       // COLOR_WINDOWTEXT
    Rgb(255, 255, 255), // COLOR_CAPTIONTEXT
    Rgb(192, 192, 192), // COLOR_ACTIVEBORDER
    Rgb(192, 192, 192), // COLOR_INACTIVEBORDER
    Rgb(128, 128, 128), // COLOR_APPWORKSPACE
    Rgb(0, 0, 128),     // COLOR_HIGHLIGHT
    Rgb(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    Rgb(192, 192, 192), // COLOR_BTNFACE
    Rgb(128, 128, 128), // COLOR_BTNSHADOW
    Rgb(128, 128, 128), // COLOR_GRAYTEXT
    Rgb(0, 0, 0),       // COLOR_BTNTEXT
    Rgb(192, 192, 192), // COLOR_INACTIVECAPTIONTEXT
    Rgb(255, 255, 255), // COLOR_BTNHIGHLIGHT
    Rgb(0, 0, 0),       // COLOR_3DDKSHADOW
    Rgb(192, 192, 192), // COLOR_3DLIGHT
    Rgb(0, 0, 0),       // COLOR_INFOTEXT
    Rgb(255, 255, 225), // COLOR_INFOBK
    Rgb(180, 180, 180), // 25, unused
    Rgb(0, 0, 255),     // COLOR_HOTLIGHT
    Rgb(16, 132, 208),  // COLOR_GRADIENTACTIVECAPTION
    Rgb(181, 181, 181), // COLOR_GRADIENTINACTIVECAPTION
    Rgb(0, 0, 128),     // COLOR_MENUHILIGHT
    Rgb(192, 192, 192), // COLOR_MENUBAR
};

std::array<std::uint32_t, SysColorCount>& Table() {
  static std::array<std::uint32_t, SysColorCount> table = ClassicPalette;
  return table;
}

} // namespace

bool IsSysColorIndex(int index) { return index >= 0 && index < SysColorCount; }

std::uint32_t SysColorRef(int index) {
  return IsSysColorIndex(index) ? Table()[static_cast<std::size_t>(index)] : 0;
}

bool SetSysColorRef(int index, std::uint32_t colour) {
  if (!IsSysColorIndex(index)) return false;
  Table()[static_cast<std::size_t>(index)] = colour & 0x00FFFFFFu;
  return true;
}

void ResetSysColors() { Table() = ClassicPalette; }
