#include "framework/win32/user/UserState.h"

#include "framework/win32/user/Backend.h"
#include "framework/win32/user/Metrics.h"
#include "framework/win32/user/Paint.h"
#include "framework/win32/user/WindowTree.h"

// Never destroyed: forms still alive when the program ends are destroyed by the application's
// own static teardown, which must find the window engine in place.
TUserState& TUserState::Instance() {
  static auto& state = *new TUserState;
  return state;
}

TUserState::TUserState() { CreateDesktop(); }

void TUserState::CreateDesktop() {
  auto desktop = std::make_unique<TWindow>();
  desktop->Handle = NewHandle();
  desktop->Style = WS_VISIBLE | WS_CLIPCHILDREN;
  desktop->Rect = Rect(0, 0, ScreenWidth(), ScreenHeight());
  desktop->Client = desktop->Rect;
  Desktop = desktop.get();
  Windows.emplace(reinterpret_cast<std::uintptr_t>(desktop->Handle), std::move(desktop));
}

void TUserState::Reset() {
  while (!Desktop->Children.empty()) {
    const HWND top = Desktop->Children.front()->Handle;
    if (!DestroyWindowTree(top)) break;
  }
  for (auto& [id, w] : Windows) ReleaseWindowDcs(*w);
  Windows.clear();
  Classes.clear();
  Posted.clear();
  RawInput.clear();
  Input.clear();
  Timers.clear();
  QuitPosted = false;
  QuitCode = 0;
  LastMessageTime = 0;
  LastMessagePos = TPoint{};
  Focus = Active = Capture = nullptr;
  KeyState.fill(0);
  AsyncKeys.fill(0);
  Cursor = TPoint{};
  ButtonsDown = 0;
  LastClickWindow = nullptr;
  LastClickButton = -1;
  LastClickTime = 0;
  LastClickWasDouble = false;
  ResetNonClientMetrics();
  CreateDesktop();
}

TWindow* TUserState::Find(HWND handle) const {
  const auto it = Windows.find(reinterpret_cast<std::uintptr_t>(handle));
  return it == Windows.end() ? nullptr : it->second.get();
}
