#pragma once

#include "framework/controls/Forms.h"
#include "framework/controls/HintWindow.h"

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;

// The running program: its message loop, main form, exception report and hints.
class TApplication : public TComponent {
  LUM_CLASS(TApplication, TComponent)
public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize() {}
  // Creates a form owned by the application; the first one becomes the main form.
  template <class F> void CreateForm(F*& Reference) {
    Reference = new F(this);
    if (!FMainForm) FMainForm = Reference;
    Reference->AfterConstruction();
  }
  TCustomForm* MainForm() const { return FMainForm; }
  void SetMainForm(TCustomForm* Form) { FMainForm = Form; }
  // Shows the main form and handles messages until the program ends.
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Lets a program (or the next test) run the loop again after Terminate.
  void ResetTerminated() { FTerminated = false; }
  // Handles every message waiting, then returns.
  void ProcessMessages();
  // Handles one message, or idles and waits for the next when none is waiting.
  void HandleMessage();
  void RunModalLoop(TCustomForm* Form);
  // Reports an exception a handler let escape: OnException, or a message box; the program
  // goes on. Display errors (a scripted session that ran out of answers) propagate.
  void HandleException(TObject* Sender);
  void ShowException(const std::exception& E);
  int MessageBox(const String& Text, const String& Caption, UINT Flags);

  String Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  String Hint() const { return FHint; }
  // The hint for a status line; OnHint hears of every change.
  void SetHint(const String& Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  int HintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  void CancelHint();
  THintWindow* HintWindow() const { return FHintWindow.get(); }
  TControl* MouseControl() const { return FMouseControl; }

  const TExceptionEvent& OnException() const { return FOnException; }
  void SetOnException(TExceptionEvent Value) { FOnException = std::move(Value); }
  const TIdleEvent& OnIdle() const { return FOnIdle; }
  void SetOnIdle(TIdleEvent Value) { FOnIdle = std::move(Value); }
  const TNotifyEvent& OnHint() const { return FOnHint; }
  void SetOnHint(TNotifyEvent Value) { FOnHint = std::move(Value); }

  // Kept by the forms.
  std::vector<TCustomForm*> DisableOtherForms(TCustomForm* Modal);
  void EnableForms(const std::vector<TCustomForm*>& Forms);
  void FormGone(TCustomForm* Form);

private:
  bool ProcessMessage();
  bool IsKeyMsg(MSG& Msg);
  void Idle();
  void TrackMouse();
  void HintMouseMessage(TControl* Control, const TMessage& Message);
  void ControlDestroyed(TControl* Control);
  void HintChanged(TControl* Control);
  void StartHintTimer(UINT Interval);
  void StopHintTimer();
  void HintTimerExpired();
  void ActivateHint();
  LRESULT HintTimerProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

  TCustomForm* FMainForm = nullptr;
  bool FTerminated = false;
  String FTitle;
  String FHint;
  bool FShowHint = true;
  int FHintPause = 500;
  int FHintHidePause = 2500;
  std::unique_ptr<THintWindow> FHintWindow;
  TControl* FHintControl = nullptr;
  TControl* FMouseControl = nullptr;
  HWND FTimerWindow = nullptr;
  bool FHintTimerRunning = false;
  TExceptionEvent FOnException;
  TIdleEvent FOnIdle;
  TNotifyEvent FOnHint;
};

// The one application.
TApplication* Application();
