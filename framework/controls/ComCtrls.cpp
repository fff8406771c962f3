#include "framework/controls/ComCtrls.h"

#include "framework/classes/Registry.h"

#include <algorithm>

namespace {

const bool ComCtrlsRegistered = (RegisterClass<TProgressBar>(), true);

// Blocks are two thirds as long as the bar is thick, two pixels apart.
constexpr int BlockGap = 2;

} // namespace

int ProgressBarFill(int Length, Integer Min, Integer Max, Integer Position) {
  if (Max <= Min || Length <= 0) return 0;
  const long long done = static_cast<long long>(Position) - Min;
  return static_cast<int>(done * Length / (static_cast<long long>(Max) - Min));
}

TProgressBar::TProgressBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 150;
  FHeight = 16;
}

void TProgressBar::SetRange(Integer AMin, Integer AMax) {
  FMin = AMin;
  FMax = AMax;
  FPosition = std::clamp(FPosition, FMin, std::max(FMin, FMax));
  Invalidate();
}

void TProgressBar::SetMin(Integer Value) {
  if (Value != FMin) SetRange(Value, FMax);
}

void TProgressBar::SetMax(Integer Value) {
  if (Value != FMax) SetRange(FMin, Value);
}

void TProgressBar::SetPosition(Integer Value) {
  const Integer clamped = std::clamp(Value, FMin, std::max(FMin, FMax));
  if (clamped == FPosition) return;
  FPosition = clamped;
  Invalidate();
}

void TProgressBar::SetOrientation(TProgressBarOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  Invalidate();
}

void TProgressBar::SetSmooth(bool Value) {
  if (Value == FSmooth) return;
  FSmooth = Value;
  Invalidate();
}

void TProgressBar::StepIt() {
  const long long next = static_cast<long long>(FPosition) + FStep;
  if (next > FMax)
    SetPosition(FMin);
  else if (next < FMin)
    SetPosition(FMax);
  else
    SetPosition(static_cast<Integer>(next));
}

void TProgressBar::StepBy(Integer Delta) {
  const long long next = static_cast<long long>(FPosition) + Delta;
  SetPosition(static_cast<Integer>(std::clamp<long long>(next, FMin, std::max(FMin, FMax))));
}

void TProgressBar::Paint() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(r);
  canvas->Pen()->SetColor(clBtnShadow);
  canvas->MoveTo(r.Left, r.Bottom - 1);
  canvas->LineTo(r.Left, r.Top);
  canvas->LineTo(r.Right - 1, r.Top);
  canvas->Pen()->SetColor(clBtnHighlight);
  canvas->LineTo(r.Right - 1, r.Bottom - 1);
  canvas->LineTo(r.Left, r.Bottom - 1);
  r = Rect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
  const bool vertical = FOrientation == pbVertical;
  const int length = vertical ? r.Height() : r.Width();
  const int thickness = vertical ? r.Width() : r.Height();
  const int fill = ProgressBarFill(length, FMin, FMax, FPosition);
  const int block = FSmooth ? length : std::max(1, thickness * 2 / 3);
  const int gap = FSmooth ? 0 : BlockGap;
  canvas->Brush()->SetColor(clHighlight);
  for (int start = 0; start < fill; start += block + gap) {
    const int end = std::min(FSmooth ? fill : start + block, length);
    canvas->FillRect(vertical ? Rect(r.Left, r.Bottom - end, r.Right, r.Bottom - start)
                              : Rect(r.Left + start, r.Top, r.Left + end, r.Bottom));
  }
}
