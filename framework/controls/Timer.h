#pragma once

#include "framework/classes/Component.h"
#include "framework/win32/WinUser.h"

// Calls OnTimer every Interval milliseconds while Enabled, from the message loop.
class TTimer : public TComponent {
  LUM_CLASS(TTimer, TComponent)
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  LUM_PUBLISHED(bool, Enabled, FEnabled, SetEnabled, Default(true))
  LUM_PUBLISHED(Cardinal, Interval, FInterval, SetInterval, Default(1000))
  LUM_PUBLISHED(TNotifyEvent, OnTimer, FOnTimer, SetOnTimer, NoDefault)

  void SetEnabled(bool Value);
  void SetInterval(Cardinal Value);
  void SetOnTimer(TNotifyEvent Value);

protected:
  virtual void Timer();

private:
  void UpdateTimer();
  LRESULT WndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

  bool FEnabled = true;
  Cardinal FInterval = 1000;
  TNotifyEvent FOnTimer;
  HWND FWindowHandle = nullptr;
};
