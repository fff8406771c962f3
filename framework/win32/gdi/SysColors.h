#pragma once

#include <cstdint>

// The system colour table: the classic Windows 95 palette, indexed by the COLOR_ codes
// (COLOR_SCROLLBAR 0 … COLOR_MENUBAR 30). Colours are COLORREF values, 0x00BBGGRR.
inline constexpr int SysColorCount = 31;

// The colour of an index, or 0 for an index outside the table.
std::uint32_t SysColorRef(int index);
bool IsSysColorIndex(int index);
// Replaces one entry; false for an index outside the table.
bool SetSysColorRef(int index, std::uint32_t colour);
// Puts the classic palette back (tests that change colours call it).
void ResetSysColors();
