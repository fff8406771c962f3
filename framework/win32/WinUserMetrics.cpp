#include "framework/win32/WinUser.h"

#include "framework/win32/user/Metrics.h"
#include "framework/win32/user/UserState.h"
#include "framework/win32/user/WindowProcs.h"
#include "framework/win32/user/WindowTree.h"

namespace {

NONCLIENTMETRICSA* MetricsRecord(UINT uiParam, LPVOID pv) {
  auto* m = static_cast<NONCLIENTMETRICSA*>(pv);
  if (!m || m->cbSize != sizeof(NONCLIENTMETRICSA)) return nullptr;
  if (uiParam != 0 && uiParam != sizeof(NONCLIENTMETRICSA)) return nullptr;
  return m;
}

// Every window computes its frame again, as after SWP_FRAMECHANGED.
void RefreshFrames() {
  std::vector<HWND> all;
  ForEachDescendant(User().Desktop, [&](HWND h) { all.push_back(h); });
  for (HWND h : all)
    PlaceWindow(h, nullptr, 0, 0, 0, 0,
                SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL SetMetrics(UINT uiParam, LPVOID pv, UINT winIni) {
  const NONCLIENTMETRICSA* m = MetricsRecord(uiParam, pv);
  if (!m || !SetNonClientMetrics(*m)) return FALSE;
  RefreshFrames();
  if (winIni & SPIF_SENDCHANGE)
    for (HWND top : ChildHandles(User().Desktop))
      SendTo(top, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  return TRUE;
}

} // namespace

BOOL SystemParametersInfoA(UINT action, UINT uiParam, LPVOID pv, UINT winIni) {
  switch (action) {
  case SPI_GETNONCLIENTMETRICS: {
    NONCLIENTMETRICSA* m = MetricsRecord(uiParam, pv);
    if (!m) return FALSE;
    *m = NonClientMetrics();
    return TRUE;
  }
  case SPI_SETNONCLIENTMETRICS:
    return SetMetrics(uiParam, pv, winIni);
  case SPI_GETWORKAREA:
    if (!pv) return FALSE;
    *static_cast<RECT*>(pv) =
        Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return TRUE;
  default:
    return FALSE;
  }
}

int GetSystemMetrics(int index) { return SystemMetric(index); }
