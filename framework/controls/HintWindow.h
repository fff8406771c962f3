#pragma once

#include "framework/controls/GraphicControl.h"

// The small popup that shows a control's hint: the text on the info colours in a thin frame.
class THintWindow : public TCustomControl {
  LUM_CLASS(THintWindow, TCustomControl)
public:
  explicit THintWindow(TComponent* AOwner);
  // Shows the text in the rectangle (screen coordinates).
  void ActivateHint(TRect Rect, const String& AHint);
  void ReleaseHandle();
  // The rectangle the text needs, at the origin, within MaxWidth.
  TRect CalcHintRect(int MaxWidth, const String& AHint);
  bool Active() const { return FActive; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void CMTextChanged(TMessage& Message) override;

private:
  bool FActive = false;
};
