#include "framework/controls/Timer.h"

#include "framework/controls/Control.h"

namespace {
constexpr UINT_PTR TimerId = 1;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  FWindowHandle =
      AllocateHWnd([this](HWND h, UINT m, WPARAM w, LPARAM l) { return WndProc(h, m, w, l); });
}

TTimer::~TTimer() {
  FEnabled = false;
  UpdateTimer();
  DeallocateHWnd(FWindowHandle);
}

void TTimer::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
  if (FInterval == Value) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
  FOnTimer = std::move(Value);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  KillTimer(FWindowHandle, TimerId);
  if (FInterval != 0 && FEnabled && FOnTimer && !ComponentState().Contains(csDesigning))
    if (!SetTimer(FWindowHandle, TimerId, FInterval, nullptr))
      throw EOutOfResources("Not enough timers available");
}

LRESULT TTimer::WndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg != WM_TIMER) return DefWindowProcA(Window, Msg, WParam, LParam);
  try {
    Timer();
  } catch (...) {
    if (!ControlHooks().HandleException) throw;
    ControlHooks().HandleException(this);
  }
  return 0;
}

void TTimer::Timer() {
  if (FOnTimer) FOnTimer(this);
}
