#pragma once

#include "framework/controls/GraphicControl.h"

LUM_ENUM(TProgressBarOrientation, pbHorizontal, pbVertical);

// The progress bar of the common controls: a sunken strip filled from Min towards Max in
// blocks of the highlight colour (or smoothly), left to right or bottom to top.
class TProgressBar : public TCustomControl {
  LUM_CLASS(TProgressBar, TCustomControl)
public:
  explicit TProgressBar(TComponent* AOwner);

  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(Integer, Min, FMin, SetMin, Default(0))
  LUM_PUBLISHED(Integer, Max, FMax, SetMax, Default(100))
  LUM_PUBLISHED(TProgressBarOrientation, Orientation, FOrientation, SetOrientation,
                Default(pbHorizontal))
  LUM_PUBLISHED(Integer, Position, FPosition, SetPosition, Default(0))
  LUM_PUBLISHED(bool, Smooth, FSmooth, SetSmooth, Default(false))
  LUM_PUBLISHED(Integer, Step, FStep, Field, Default(10))
  LUM_PUBLISHED(bool, ParentShowHint, FParentShowHint, TControl::SetParentShowHint, Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))

  // A new Min or Max keeps Position inside the range.
  void SetMin(Integer Value);
  void SetMax(Integer Value);
  // Clamped to Min … Max.
  void SetPosition(Integer Value);
  void SetOrientation(TProgressBarOrientation Value);
  void SetSmooth(bool Value);
  // Position + Step; past Max it starts over at Min (below Min, at Max).
  void StepIt();
  // Position + Delta, clamped.
  void StepBy(Integer Delta);

protected:
  void Paint() override;

private:
  void SetRange(Integer AMin, Integer AMax);

  Integer FMin = 0;
  Integer FMax = 100;
  Integer FPosition = 0;
  Integer FStep = 10;
  TProgressBarOrientation FOrientation = pbHorizontal;
  bool FSmooth = false;
};

// The filled length of a bar Length pixels long at Position in Min … Max.
int ProgressBarFill(int Length, Integer Min, Integer Max, Integer Position);
