#pragma once

#include "framework/controls/Dialogs.h"
#include "framework/graphics/Bitmap.h"
#include "framework/platform/headless/HeadlessDisplay.h"

#include <deque>
#include <memory>
#include <vector>

// A test-side user of forms on the headless display: mouse and keys at points of controls,
// answers for modal forms and message boxes, and snapshots. Every action runs the
// application's message loop until nothing is waiting.
class TScriptedUser {
public:
  explicit TScriptedUser(int ScreenWidth = 1024, int ScreenHeight = 768);
  ~TScriptedUser();
  TScriptedUser(const TScriptedUser&) = delete;
  TScriptedUser& operator=(const TScriptedUser&) = delete;

  THeadlessDisplay& Display() { return FDisplay; }

  // Points are in the control's client coordinates; without one, its centre.
  void Click(TControl* Control, TPoint At, THeadlessButton Button = THeadlessButton::Left);
  void Click(TControl* Control);
  void DoubleClick(TControl* Control, TPoint At);
  void Press(TControl* Control, TPoint At, THeadlessButton Button = THeadlessButton::Left);
  void Release(TControl* Control, TPoint At, THeadlessButton Button = THeadlessButton::Left);
  void MoveTo(TControl* Control, TPoint At);
  void Drag(TControl* From, TPoint FromAt, TControl* To, TPoint ToAt);
  void Wheel(TControl* Control, TPoint At, int Delta);

  void KeyDown(int VirtualKey, TShiftState Shift = {});
  void KeyUp(int VirtualKey, TShiftState Shift = {});
  void PressKey(int VirtualKey, TShiftState Shift = {});
  void Type(const String& Text);
  void Tab(bool Backwards = false) {
    PressKey(VK_TAB, Backwards ? TShiftState{ssShift} : TShiftState{});
  }
  void Enter() { PressKey(VK_RETURN); }
  void Escape() { PressKey(VK_ESCAPE); }

  // Moves the virtual clock; timers fire in order on the way.
  void Advance(DWORD Milliseconds);
  void ProcessMessages();

  // The next modal form (or message box) that waits gets this answer; it fills fields,
  // clicks buttons or sets a result. A message box without an answer gets its default
  // button; a modal form without one fails with EDisplayError naming it.
  void WhenModal(std::function<void(TCustomForm* Form)> Answer);
  // The next message box is answered with the button of that caption ("OK", "Yes" …).
  void AnswerMessage(const String& ButtonCaption);
  const std::vector<TShownMessage>& Messages() const { return FMessages; }

  // The form as it appears on screen, frame included.
  std::unique_ptr<TBitmap> Snapshot(TCustomForm* Form);
  void SaveSnapshot(TCustomForm* Form, const String& PngPath);

private:
  TPoint ScreenPoint(TControl* Control, TPoint At);
  void AnswerWithoutScript();
  TCustomForm* WaitingForm() const;

  THeadlessDisplay FDisplay;
  std::vector<TShownMessage> FMessages;
  std::vector<TForm*> FOpenMessageForms;
};
