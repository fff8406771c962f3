#pragma once

#include "framework/controls/GraphicControl.h"

// A windowless area its owner draws on in OnPaint, with the control's font and a brush of
// its colour selected.
class TPaintBox : public TGraphicControl {
  LUM_CLASS(TPaintBox, TGraphicControl)
public:
  explicit TPaintBox(TComponent* AOwner);

  LUM_PUBLISH_ANCHORS_CONSTRAINTS
  LUM_PUBLISH_DOCKING
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clBtnFace),
                Idents(ColorIdents()), Stored(IsColorStored))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnPaint, FOnPaint, SetOnPaint, NoDefault)

  void SetOnPaint(TNotifyEvent Value) { FOnPaint = std::move(Value); }

protected:
  void Paint() override;

private:
  TNotifyEvent FOnPaint;
};
