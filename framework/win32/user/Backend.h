#pragma once

#include "framework/rtl/Exceptions.h"
#include "framework/win32/gdi/Raster.h"
#include "framework/win32/user/UserDefs.h"

#include <optional>

LUM_DECLARE_EXCEPTION(EDisplayError, Exception);

// What the window engine needs of a display: a clock, a way to wait for input, a place to
// show top-level surfaces and a cursor. A backend feeds input through UserInput.h.
class TDisplayBackend {
public:
  virtual ~TDisplayBackend() = default;

  // Milliseconds on the display's clock.
  virtual DWORD Now() const = 0;
  // Blocks until input may have arrived or the clock reached `until` (none: no timer due).
  virtual void WaitForEvent(std::optional<DWORD> until) = 0;
  // Shows a top-level window's surface at its screen rectangle.
  virtual void Present(HWND window, const TRaster& surface, const TRect& screenRect) = 0;
  virtual void WindowDestroyed(HWND window) = 0;
  // IDC_ARROW, IDC_IBEAM …
  virtual void SetCursorShape(int cursor) = 0;
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  // True when the display reports typed text itself (as raw characters): TranslateMessage
  // then makes characters only for keys that type no text (Enter, Tab, Ctrl+letter …).
  virtual bool DeliversText() const { return false; }
};

// The backend in use; null before one is installed. The engine then runs on a clock that
// stands at 0 and refuses to wait.
TDisplayBackend* DisplayBackend();
void SetDisplayBackend(TDisplayBackend* backend);

DWORD BackendNow();
int ScreenWidth();
int ScreenHeight();
