#include "framework/win32/WinHandles.h"
#include "framework/win32/Windows.h"
#include "framework/win32/gdi/Edges.h"
#include "framework/win32/gdi/SysColors.h"

BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || !rect) return FALSE;
  return DrawEdgeLines(*dc, *rect, edge, flags) ? TRUE : FALSE;
}

BOOL DrawFrameControl(HDC hdc, LPRECT rect, UINT type, UINT state) {
  TDeviceContext* dc = DcOf(hdc);
  if (!dc || !rect) return FALSE;
  return DrawFrameControlParts(*dc, *rect, type, state) ? TRUE : FALSE;
}

DWORD GetSysColor(int index) { return SysColorRef(index); }

BOOL SetSysColors(int count, const INT* indices, const COLORREF* colours) {
  if (count < 0 || (count > 0 && (!indices || !colours))) return FALSE;
  for (int i = 0; i < count; ++i)
    if (!IsSysColorIndex(indices[i])) return FALSE;
  for (int i = 0; i < count; ++i) SetSysColorRef(indices[i], colours[i]);
  return TRUE;
}

// System bitmaps by their OBM_ number (the name is a MAKEINTRESOURCE value); OBM_CHECK only.
HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name) {
  if (instance || reinterpret_cast<std::uintptr_t>(name) != static_cast<std::uintptr_t>(OBM_CHECK))
    return nullptr;
  return AddObject<HBITMAP>(CheckMarkBitmap());
}
