#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/gdi/DeviceContext.h"
#include "framework/win32/gdi/FontEngine.h"
#include "framework/win32/user/UserState.h"

#include <cstdint>
#include <string_view>
#include <typeinfo>
#include <vector>

// Drawing helpers the native control classes share: device contexts by handle, fonts,
// system colours and brushes, text in the classic looks, and the parent's WM_CTLCOLOR answer.
namespace ControlPaint {

// System colour indices (the COLOR_ codes).
inline constexpr int ColorScrollbar = 0, ColorWindow = 5, ColorWindowFrame = 6, ColorWindowText = 8,
                     ColorHighlight = 13, ColorHighlightText = 14, ColorBtnFace = 15,
                     ColorBtnShadow = 16, ColorGrayText = 17, ColorBtnText = 18,
                     ColorBtnHighlight = 20, Color3dDkShadow = 21, Color3dLight = 22;

// The stock SYSTEM_FONT, the font controls draw in until WM_SETFONT gives them another.
inline constexpr int SystemFontIndex = 13;

THandleId SysBrush(int index);
std::uint32_t SysColor(int index);
HDC AsHdc(THandleId id);
THandleId IdOf(HDC dc);
TDeviceContext* DcOf(HDC dc);

// The font a control was given, or the system font for 0 or a handle that names nothing.
THandleId FontOrSystem(THandleId font);
const TGdiFont* FontOf(THandleId font);
// The height of a line of text in the font (tmHeight).
int LineHeight(THandleId font);
int AverageCharWidth(THandleId font);
int TextWidth(THandleId font, std::string_view text);

// A DC for painting a control's client area: BeginPaint's, with the control's font selected.
class TPaintDc {
public:
  TPaintDc(HWND window, THandleId font);
  ~TPaintDc();
  TPaintDc(const TPaintDc&) = delete;
  TPaintDc& operator=(const TPaintDc&) = delete;
  HDC Handle() const { return AsHdc(Id); }
  TDeviceContext& Dc() const { return *Context; }
  explicit operator bool() const { return Context != nullptr; }

private:
  HWND Window;
  PAINTSTRUCT Paint;
  THandleId Id = 0;
  TDeviceContext* Context = nullptr;
};

// Asks the parent for the background brush (WM_CTLCOLORBTN, WM_CTLCOLORSTATIC …); the DC's
// text and background colours are set first to what Win32's default answer sets, and an
// answer of 0 gets the default brush.
THandleId ParentColorBrush(HWND control, HDC dc, UINT message);

void Fill(TDeviceContext& dc, const TRect& r, THandleId brush);
void FillSys(TDeviceContext& dc, const TRect& r, int colorIndex);
void FrameSys(TDeviceContext& dc, const TRect& r, int colorIndex);
void FocusRect(TDeviceContext& dc, const TRect& r);

// DrawText in the DC's font, text colour and background mode (transparent when asked).
int DrawText(TDeviceContext& dc, std::string_view text, TRect& r, std::uint32_t format);
// Disabled text as Win32 draws it: embossed, highlight one pixel down-right, shadow above.
void DrawDisabledText(TDeviceContext& dc, std::string_view text, TRect r, std::uint32_t format);
// TabbedTextOut at (x, y) in the DC's font and colours.
void TabbedText(TDeviceContext& dc, int x, int y, std::string_view text,
                const std::vector<int>& stops);

// The control's data, made on first use (a window that was given another class's data gets
// fresh data of this class). The exact type is checked first: it is one pointer compare.
template <class T> T& DataOf(TWindow& w) {
  TControlData* control = w.Control.get();
  if (control && typeid(*control) == typeid(T)) return static_cast<T&>(*control);
  if (auto* data = dynamic_cast<T*>(control)) return *data;
  w.Control = std::make_unique<T>();
  return static_cast<T&>(*w.Control);
}

// WM_COMMAND to the parent: MAKEWPARAM(id, code), lParam the control.
void NotifyParent(HWND control, WORD code);
// Asks for a repaint of the whole client area, erased.
void Invalidate(HWND control);

} // namespace ControlPaint
