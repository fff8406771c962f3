#include "framework/win32/user/Metrics.h"

#include "framework/win32/gdi/FontEngine.h"
#include "framework/win32/user/Backend.h"

namespace {

NONCLIENTMETRICSA ClassicMetrics() {
  NONCLIENTMETRICSA m;
  m.iBorderWidth = 1;
  m.iScrollWidth = 16;
  m.iScrollHeight = 16;
  m.iCaptionWidth = 18;
  m.iCaptionHeight = 18;
  m.lfCaptionFont = MakeLogFont("MS Sans Serif", -11, FW_BOLD);
  m.iSmCaptionWidth = 12;
  m.iSmCaptionHeight = 15;
  m.lfSmCaptionFont = MakeLogFont("MS Sans Serif", -11, FW_BOLD);
  m.iMenuWidth = 18;
  m.iMenuHeight = 18;
  m.lfMenuFont = MakeLogFont("MS Sans Serif", -11);
  m.lfStatusFont = MakeLogFont("MS Sans Serif", -11);
  m.lfMessageFont = MakeLogFont("MS Sans Serif", -11);
  return m;
}

NONCLIENTMETRICSA& Current() {
  static NONCLIENTMETRICSA metrics = ClassicMetrics();
  return metrics;
}

bool Plausible(int size) { return size >= 1 && size <= 512; }

} // namespace

const NONCLIENTMETRICSA& NonClientMetrics() { return Current(); }

bool SetNonClientMetrics(const NONCLIENTMETRICSA& m) {
  if (m.cbSize != sizeof(NONCLIENTMETRICSA)) return false;
  for (const int size :
       {m.iBorderWidth, m.iScrollWidth, m.iScrollHeight, m.iCaptionWidth, m.iCaptionHeight,
        m.iSmCaptionWidth, m.iSmCaptionHeight, m.iMenuWidth, m.iMenuHeight})
    if (!Plausible(size)) return false;
  Current() = m;
  return true;
}

void ResetNonClientMetrics() { Current() = ClassicMetrics(); }

UINT DoubleClickTime() { return 500; }

namespace {
UINT& BlinkTime() {
  static UINT milliseconds = 530;
  return milliseconds;
}
} // namespace

UINT CaretBlinkTime() { return BlinkTime(); }
void SetCaretBlinkTimeTo(UINT milliseconds) { BlinkTime() = milliseconds; }

int SystemMetric(int index) {
  const NONCLIENTMETRICSA& m = Current();
  switch (index) {
  case SM_CXSCREEN:
  case SM_CXFULLSCREEN:
  case SM_CXVIRTUALSCREEN:
    return ScreenWidth();
  case SM_CYSCREEN:
  case SM_CYVIRTUALSCREEN:
    return ScreenHeight();
  case SM_CYFULLSCREEN:
    return ScreenHeight() - m.iCaptionHeight - 1;
  case SM_CXVSCROLL:
  case SM_CXHSCROLL:
  case SM_CXHTHUMB:
    return m.iScrollWidth;
  case SM_CYHSCROLL:
  case SM_CYVSCROLL:
  case SM_CYVTHUMB:
    return m.iScrollHeight;
  case SM_CYCAPTION:
    return m.iCaptionHeight + 1;
  case SM_CYSMCAPTION:
    return m.iSmCaptionHeight + 1;
  case SM_CXSIZE:
    return m.iCaptionWidth;
  case SM_CYSIZE:
    return m.iCaptionHeight;
  case SM_CYMENU:
    return m.iMenuHeight + 1;
  case SM_CXMENUSIZE:
    return m.iMenuWidth;
  case SM_CYMENUSIZE:
    return m.iMenuHeight;
  case SM_CXBORDER:
  case SM_CYBORDER:
    return 1;
  case SM_CXDLGFRAME:
  case SM_CYDLGFRAME:
    return 3;
  case SM_CXFRAME:
  case SM_CYFRAME:
    return m.iBorderWidth + 3;
  case SM_CXEDGE:
  case SM_CYEDGE:
    return 2;
  case SM_CXICON:
  case SM_CYICON:
  case SM_CXCURSOR:
  case SM_CYCURSOR:
    return 32;
  case SM_CXMENUCHECK:
  case SM_CYMENUCHECK:
    return 13;
  case SM_CXSMICON:
  case SM_CYSMICON:
    return 16;
  case SM_CXDOUBLECLK:
  case SM_CYDOUBLECLK:
    return 4;
  case SM_CXMIN:
  case SM_CXMINTRACK:
    return 112;
  case SM_CYMIN:
  case SM_CYMINTRACK:
    return 27;
  case SM_CXMAXIMIZED:
    return ScreenWidth() + 8;
  case SM_CYMAXIMIZED:
    return ScreenHeight() + 8;
  case SM_MOUSEWHEELPRESENT:
  case SM_CMONITORS:
    return 1;
  default:
    return 0;
  }
}
