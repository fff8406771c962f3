#include "framework/controls/Application.h"

#include "framework/controls/Dialogs.h"
#include "framework/controls/Screen.h"
#include "framework/win32/user/Backend.h"

#include <algorithm>

namespace {

constexpr UINT_PTR HintTimerId = 1;
constexpr int HintOffset = 16;

} // namespace

TApplication* Application() {
  static TApplication application(nullptr);
  return &application;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
  ControlHooks().MouseMessage = [this](TControl* c, const TMessage& m) { HintMouseMessage(c, m); };
  ControlHooks().Destroyed = [this](TControl* c) { ControlDestroyed(c); };
  ControlHooks().HandleException = [this](TObject* sender) { HandleException(sender); };
  ControlHooks().HintChanged = [this](TControl* c) { HintChanged(c); };
  ControlHooks().DragCursor = [](TCursor c) { ::SetCursor(CursorHandle(c)); };
}

TApplication::~TApplication() {
  ControlHooks() = TControlHooks{};
  DestroyComponents();
}

void TApplication::Run() {
  if (FMainForm) FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

void TApplication::Terminate() {
  FTerminated = true;
  PostQuitMessage(0);
}

bool TApplication::IsKeyMsg(MSG& Msg) {
  if (Msg.message < WM_KEYFIRST || Msg.message > WM_KEYLAST) return false;
  HWND target = GetCapture();
  if (target && !FindControl(target)) return false;
  if (!target) {
    target = Msg.hwnd;
    while (target && !FindControl(target)) target = GetParent(target);
    if (!target) return false;
  }
  return SendMessageA(target, CN_BASE + Msg.message, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::ProcessMessage() {
  MSG msg{};
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    FTerminated = true;
    return true;
  }
  if (!IsKeyMsg(msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  while (ProcessMessage()) {
  }
  TrackMouse();
}

void TApplication::HandleMessage() {
  if (!ProcessMessage()) Idle();
}

void TApplication::Idle() {
  TrackMouse();
  bool done = true;
  if (FOnIdle) FOnIdle(this, done);
  FreeDeviceContexts();
  if (done) WaitMessage();
}

void TApplication::RunModalLoop(TCustomForm* Form) {
  try {
    do {
      HandleMessage();
      Form->RunModalStep();
    } while (Form->ModalResult() == mrNone);
  } catch (const EDisplayError& e) {
    throw EDisplayError("The modal window \"" + Form->Caption() + "\" is waiting: " + e.Message());
  }
}

// The control under the mouse hears CM_MOUSEENTER when the mouse comes and CM_MOUSELEAVE
// when it goes.
void TApplication::TrackMouse() {
  POINT p{};
  GetCursorPos(&p);
  TControl* control = FindDragTarget(p, true);
  if (control == FMouseControl) return;
  TControl* previous = FMouseControl;
  FMouseControl = control;
  if (previous) previous->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(previous));
  if (control) control->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(control));
  if (control != FHintControl) CancelHint();
}

void TApplication::HandleException(TObject*) {
  try {
    throw;
  } catch (const EDisplayError&) {
    throw;
  } catch (const std::exception& e) {
    if (FOnException)
      FOnException(this, e);
    else
      ShowException(e);
  }
}

void TApplication::ShowException(const std::exception& E) {
  String text = E.what();
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const String& Text, const String& Caption, UINT Flags) {
  return ShowMessageBox(Text, Caption, Flags);
}

std::vector<TCustomForm*> TApplication::DisableOtherForms(TCustomForm* Modal) {
  std::vector<TCustomForm*> disabled;
  for (int i = 0; i < Screen()->FormCount(); ++i) {
    TCustomForm* form = Screen()->Forms(i);
    if (form == Modal || !form->HandleAllocated() || !IsWindowVisible(form->Handle()) ||
        !IsWindowEnabled(form->Handle()))
      continue;
    EnableWindow(form->Handle(), FALSE);
    disabled.push_back(form);
  }
  return disabled;
}

void TApplication::EnableForms(const std::vector<TCustomForm*>& Forms) {
  for (TCustomForm* form : Forms)
    for (int i = 0; i < Screen()->FormCount(); ++i)
      if (Screen()->Forms(i) == form && form->HandleAllocated()) EnableWindow(form->Handle(), TRUE);
}

void TApplication::FormGone(TCustomForm* Form) {
  if (FMainForm == Form) FMainForm = nullptr;
}

void TApplication::ControlDestroyed(TControl* Control) {
  if (FMouseControl == Control) FMouseControl = nullptr;
  if (FHintControl == Control) {
    FHintControl = nullptr;
    CancelHint();
  }
}

void TApplication::SetShowHint(bool Value) {
  FShowHint = Value;
  if (!Value) CancelHint();
}

void TApplication::HintMouseMessage(TControl* Control, const TMessage& Message) {
  if (Message.Msg != WM_MOUSEMOVE) {
    if (Message.Msg >= WM_LBUTTONDOWN && Message.Msg <= WM_MBUTTONDBLCLK) CancelHint();
    return;
  }
  if (!FShowHint || !Control->ShowHint() || Control->Hint().empty()) {
    if (FHintControl && FHintControl != Control) CancelHint();
    return;
  }
  if (Control == FHintControl) return;
  CancelHint();
  FHintControl = Control;
  StartHintTimer(static_cast<UINT>(FHintPause));
}

void TApplication::HintChanged(TControl* Control) {
  if (Control != FHintControl || !FHintWindow || !FHintWindow->Active()) return;
  if (Control->Hint().empty())
    CancelHint();
  else
    ActivateHint();
}

void TApplication::StartHintTimer(UINT Interval) {
  if (!FTimerWindow)
    FTimerWindow = AllocateHWnd(
        [this](HWND h, UINT m, WPARAM w, LPARAM l) { return HintTimerProc(h, m, w, l); });
  SetTimer(FTimerWindow, HintTimerId, std::max<UINT>(Interval, USER_TIMER_MINIMUM), nullptr);
  FHintTimerRunning = true;
}

void TApplication::StopHintTimer() {
  if (FTimerWindow && FHintTimerRunning) KillTimer(FTimerWindow, HintTimerId);
  FHintTimerRunning = false;
}

LRESULT TApplication::HintTimerProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_TIMER && WParam == HintTimerId) {
    HintTimerExpired();
    return 0;
  }
  return DefWindowProcA(Window, Msg, WParam, LParam);
}

void TApplication::HintTimerExpired() {
  StopHintTimer();
  if (FHintWindow && FHintWindow->Active()) {
    CancelHint();
    return;
  }
  if (FHintControl) ActivateHint();
}

void TApplication::ActivateHint() {
  TControl* control = FHintControl;
  String text = control->Hint();
  if (control->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&text)) != 0) return;
  if (!FHintWindow) FHintWindow = std::make_unique<THintWindow>(nullptr);
  POINT p{};
  GetCursorPos(&p);
  TRect r = FHintWindow->CalcHintRect(Screen()->Width() / 2, text);
  r = Bounds(p.X, p.Y + HintOffset, r.Width(), r.Height());
  FHint = text;
  FHintWindow->ActivateHint(r, text);
  if (FOnHint) FOnHint(this);
  StartHintTimer(static_cast<UINT>(FHintHidePause));
}

void TApplication::SetHint(const String& Value) {
  if (FHint == Value) return;
  FHint = Value;
  if (FOnHint) FOnHint(this);
}

void TApplication::CancelHint() {
  StopHintTimer();
  FHintControl = nullptr;
  if (FHintWindow) FHintWindow->ReleaseHandle();
}
