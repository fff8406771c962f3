#include "framework/platform/headless/ScriptedUser.h"

#include "framework/controls/Application.h"
#include "framework/controls/Screen.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Strings.h"
#include "framework/win32/gdi/PngCodec.h"

#include <algorithm>

namespace {

unsigned Modifiers(TShiftState Shift) {
  return (Shift.Contains(ssShift) ? HeadlessShift : 0) |
         (Shift.Contains(ssCtrl) ? HeadlessControl : 0) | (Shift.Contains(ssAlt) ? HeadlessAlt : 0);
}

String Plain(const String& Caption) {
  String s;
  for (const char c : Caption)
    if (c != '&') s += c;
  return s;
}

} // namespace

TScriptedUser::TScriptedUser(int ScreenWidth, int ScreenHeight)
    : FDisplay(ScreenWidth, ScreenHeight) {
  Application()->ResetTerminated();
  FDisplay.SetMessagePump([] {
    Application()->ProcessMessages();
    return !Application()->Terminated();
  });
  FDisplay.WhenNoStepLeft([this] { AnswerWithoutScript(); });
  OnMessageShown() = [this](const TShownMessage& Message, TForm* Dialog) {
    FMessages.push_back(Message);
    FOpenMessageForms.push_back(Dialog);
  };
}

TScriptedUser::~TScriptedUser() {
  OnMessageShown() = nullptr;
  Application()->CancelHint();
}

TPoint TScriptedUser::ScreenPoint(TControl* Control, TPoint At) {
  return Control->ClientToScreen(At);
}

void TScriptedUser::Click(TControl* Control, TPoint At, THeadlessButton Button) {
  const TPoint p = ScreenPoint(Control, At);
  FDisplay.MouseMove(p.X, p.Y);
  FDisplay.Click(p.X, p.Y, Button);
  ProcessMessages();
}

void TScriptedUser::Click(TControl* Control) {
  Click(Control, TPoint{Control->Width() / 2, Control->Height() / 2});
}

void TScriptedUser::DoubleClick(TControl* Control, TPoint At) {
  const TPoint p = ScreenPoint(Control, At);
  FDisplay.MouseMove(p.X, p.Y);
  FDisplay.DoubleClick(p.X, p.Y);
  ProcessMessages();
}

void TScriptedUser::Press(TControl* Control, TPoint At, THeadlessButton Button) {
  const TPoint p = ScreenPoint(Control, At);
  FDisplay.MouseMove(p.X, p.Y);
  FDisplay.MouseDown(p.X, p.Y, Button);
  ProcessMessages();
}

void TScriptedUser::Release(TControl* Control, TPoint At, THeadlessButton Button) {
  const TPoint p = ScreenPoint(Control, At);
  FDisplay.MouseMove(p.X, p.Y);
  FDisplay.MouseUp(p.X, p.Y, Button);
  ProcessMessages();
}

void TScriptedUser::MoveTo(TControl* Control, TPoint At) {
  const TPoint p = ScreenPoint(Control, At);
  FDisplay.MouseMove(p.X, p.Y);
  ProcessMessages();
}

void TScriptedUser::Drag(TControl* From, TPoint FromAt, TControl* To, TPoint ToAt) {
  const TPoint a = ScreenPoint(From, FromAt), b = ScreenPoint(To, ToAt);
  FDisplay.MouseMove(a.X, a.Y);
  FDisplay.MouseDown(a.X, a.Y);
  ProcessMessages();
  constexpr int Steps = 4;
  for (int i = 1; i <= Steps; ++i) {
    FDisplay.MouseMove(a.X + (b.X - a.X) * i / Steps, a.Y + (b.Y - a.Y) * i / Steps);
    ProcessMessages();
  }
  FDisplay.MouseUp(b.X, b.Y);
  ProcessMessages();
}

void TScriptedUser::Wheel(TControl* Control, TPoint At, int Delta) {
  const TPoint p = ScreenPoint(Control, At);
  FDisplay.MouseMove(p.X, p.Y);
  FDisplay.Wheel(p.X, p.Y, Delta);
  ProcessMessages();
}

void TScriptedUser::KeyDown(int VirtualKey, TShiftState Shift) {
  FDisplay.KeyDown(VirtualKey, Modifiers(Shift));
  ProcessMessages();
}

void TScriptedUser::KeyUp(int VirtualKey, TShiftState Shift) {
  FDisplay.KeyUp(VirtualKey, Modifiers(Shift));
  ProcessMessages();
}

void TScriptedUser::PressKey(int VirtualKey, TShiftState Shift) {
  FDisplay.PressKey(VirtualKey, Modifiers(Shift));
  ProcessMessages();
}

void TScriptedUser::Type(const String& Text) {
  FDisplay.TypeText(Text);
  ProcessMessages();
}

void TScriptedUser::Advance(DWORD Milliseconds) { FDisplay.Advance(Milliseconds); }

void TScriptedUser::ProcessMessages() { Application()->ProcessMessages(); }

TCustomForm* TScriptedUser::WaitingForm() const {
  for (int i = 0; i < Screen()->FormCount(); ++i) {
    TCustomForm* form = Screen()->Forms(i);
    if (form->FormState().Contains(fsModal)) return form;
  }
  return Screen()->ActiveForm();
}

void TScriptedUser::WhenModal(std::function<void(TCustomForm* Form)> Answer) {
  FDisplay.WhenWaiting([this, Answer = std::move(Answer)] {
    TCustomForm* form = WaitingForm();
    if (!form) throw EDisplayError("A modal answer was given, but no modal window is open");
    Answer(form);
  });
}

void TScriptedUser::AnswerMessage(const String& ButtonCaption) {
  WhenModal([this, ButtonCaption](TCustomForm* Form) {
    for (int i = 0; i < Form->ComponentCount(); ++i)
      if (auto* b = dynamic_cast<TButton*>(Form->Components(i));
          b && SameText(Plain(b->Caption()), ButtonCaption)) {
        Click(b);
        return;
      }
    throw EDisplayError("The message box \"" + Form->Caption() + "\" has no button \"" +
                        ButtonCaption + "\"");
  });
}

void TScriptedUser::AnswerWithoutScript() {
  TCustomForm* form = WaitingForm();
  const auto open = std::find(FOpenMessageForms.begin(), FOpenMessageForms.end(), form);
  if (!form || !form->FormState().Contains(fsModal))
    throw EDisplayError("The message loop waits for input, but the scripted user has no step left");
  if (open == FOpenMessageForms.end())
    throw EDisplayError("No scripted answer is left for the modal window \"" + form->Caption() +
                        "\"");
  FOpenMessageForms.erase(open);
  PressKey(VK_RETURN);
}

std::unique_ptr<TBitmap> TScriptedUser::Snapshot(TCustomForm* Form) {
  ProcessMessages();
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->AssignRaster(FDisplay.Snapshot(Form->Handle()), pf24bit);
  return bitmap;
}

void TScriptedUser::SaveSnapshot(TCustomForm* Form, const String& PngPath) {
  ProcessMessages();
  WritePngFile(FDisplay.Snapshot(Form->Handle()), PngPath);
}
