#pragma once

// Fonts and text on device contexts: the gdi32 and user32 text calls of the Win32 face.

#include "framework/win32/Windows.h"
#include "framework/win32/gdi/LogFont.h"

using LPSTR = char*;

// Stock fonts (GetStockObject). A new DC starts with SYSTEM_FONT.
inline constexpr int OEM_FIXED_FONT = 10, ANSI_FIXED_FONT = 11, ANSI_VAR_FONT = 12,
                     SYSTEM_FONT = 13, DEVICE_DEFAULT_FONT = 14, SYSTEM_FIXED_FONT = 16,
                     DEFAULT_GUI_FONT = 17;

struct DRAWTEXTPARAMS {
  UINT cbSize = sizeof(DRAWTEXTPARAMS);
  int iTabLength = 0; // in average character widths
  int iLeftMargin = 0;
  int iRightMargin = 0;
  UINT uiLengthDrawn = 0;
};
using LPDRAWTEXTPARAMS = DRAWTEXTPARAMS*;

HFONT CreateFontIndirectA(const LOGFONTA* logFont);
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision,
                  DWORD clipPrecision, DWORD quality, DWORD pitchAndFamily, LPCSTR faceName);

// Text calls. Counts are bytes of UTF-8 text; a negative count or a null text with a
// positive count fails. Coordinates are logical; the clip region, text colour, background
// mode and colour, text alignment and current position of the DC apply.
BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count);
BOOL ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* dx);
BOOL GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, SIZE* size);
BOOL GetTextExtentPointA(HDC dc, LPCSTR text, int count, SIZE* size);
// Counted in characters: *fit how many fit within maxExtent (when fit is given), dx[i] the
// extent after character i (dx must hold count entries), *size the whole extent.
BOOL GetTextExtentExPointA(HDC dc, LPCSTR text, int count, int maxExtent, INT* fit, INT* dx,
                           SIZE* size);
BOOL GetTextMetricsA(HDC dc, TEXTMETRICA* metrics);
// The face name of the selected font: copies at most size - 1 bytes and a terminating zero
// and returns the bytes copied; with no buffer returns the length including the zero.
int GetTextFaceA(HDC dc, int size, LPSTR name);
LONG TabbedTextOutA(HDC dc, int x, int y, LPCSTR text, int count, int tabPositions,
                    const INT* tabStops, int tabOrigin);
DWORD GetTabbedTextExtentA(HDC dc, LPCSTR text, int count, int tabPositions, const INT* tabStops);
// Space added after every character by TextOutA, ExtTextOutA without advances and the
// extents; returns the previous value (0x80000000 for a bad DC).
int SetTextCharacterExtra(HDC dc, int extra);
int GetTextCharacterExtra(HDC dc);

// count -1: the text ends at its zero byte.
int DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format);
int DrawTextExA(HDC dc, LPSTR text, int count, LPRECT rect, UINT format, LPDRAWTEXTPARAMS params);

// The font handle's record into *out (GetObject answers fonts through this).
int GetFontObject(HGDIOBJ font, int size, LPVOID out);
