#pragma once

#include "framework/controls/Labels.h"

LUM_ENUM(TPanelBevel, bvNone, bvLowered, bvRaised, bvSpace);
LUM_ENUM(TBevelStyle, bsLowered, bsRaised);
LUM_ENUM(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer);
using TBevelWidth = Integer;
using TBorderWidth = Integer;

// Draws Width one-pixel rings inside Rect, top-left in TopColor and bottom-right in
// BottomColor, and shrinks Rect by them.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);

// A container drawn as a raised or lowered slab: an outer bevel, a border in its colour, an
// inner bevel and a caption in the middle. Children align inside border and bevels.
class TCustomPanel : public TCustomControl {
  LUM_CLASS(TCustomPanel, TCustomControl)
public:
  explicit TCustomPanel(TComponent* AOwner);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TPanelBevel BevelInner() const { return FBevelInner; }
  void SetBevelInner(TPanelBevel Value);
  TPanelBevel BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TPanelBevel Value);
  TBevelWidth BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(TBevelWidth Value);
  // bsNone or bsSingle (a sunken client edge).
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  void SetBorderWidth(TBorderWidth Value);
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void AdjustClientRect(TRect& Rect) override;
  void Paint() override;
  void WMSize(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  // Pixels taken from each side of the client area by border and bevels.
  int FrameWidth() const;

private:
  void InvalidateFrame(const TRect& Client);

  TAlignment FAlignment = taCenter;
  TPanelBevel FBevelInner = bvNone;
  TPanelBevel FBevelOuter = bvRaised;
  TBevelWidth FBevelWidth = 1;
  TBorderStyle FBorderStyle = bsNone;
  bool FFullRepaint = true;
  TRect FLastClient;
};

class TPanel : public TCustomPanel {
  LUM_CLASS(TPanel, TCustomPanel)
public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TAlignment, Alignment, TCustomPanel::Alignment(), TCustomPanel::SetAlignment,
                Default(taCenter))
  LUM_PUBLISHED(TPanelBevel, BevelInner, TCustomPanel::BevelInner(), TCustomPanel::SetBevelInner,
                Default(bvNone))
  LUM_PUBLISHED(TPanelBevel, BevelOuter, TCustomPanel::BevelOuter(), TCustomPanel::SetBevelOuter,
                Default(bvRaised))
  LUM_PUBLISHED(TBevelWidth, BevelWidth, TCustomPanel::BevelWidth(), TCustomPanel::SetBevelWidth,
                Default(1))
  LUM_PUBLISHED(TBorderWidth, BorderWidth, FBorderWidth, TCustomPanel::SetBorderWidth, Default(0))
  LUM_PUBLISHED(TBorderStyle, BorderStyle, TCustomPanel::BorderStyle(),
                TCustomPanel::SetBorderStyle, Default(bsNone))
  LUM_PUBLISHED(String, Caption, GetText(), TControl::SetText, NoDefault)
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clBtnFace),
                Idents(ColorIdents()), Stored(IsColorStored))
  LUM_PUBLISHED(bool, Ctl3D, TWinControl::Ctl3D(), TWinControl::SetCtl3D, NoDefault,
                Stored(IsCtl3DStored))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(bool, FullRepaint, TCustomPanel::FullRepaint(), TCustomPanel::SetFullRepaint,
                Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(false))
  LUM_PUBLISHED(bool, ParentCtl3D, TWinControl::ParentCtl3D(), TWinControl::SetParentCtl3D,
                Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(false))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnResize, FOnResize, TControl::SetOnResize, NoDefault)
};

// A windowless 3D line, box or frame, lowered or raised; bsSpacer draws nothing.
class TBevel : public TGraphicControl {
  LUM_CLASS(TBevel, TGraphicControl)
public:
  explicit TBevel(TComponent* AOwner);

  LUM_PUBLISH_ANCHORS_CONSTRAINTS
  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(bool, ParentShowHint, FParentShowHint, TControl::SetParentShowHint, Default(true))
  LUM_PUBLISHED(TBevelShape, Shape, FShape, SetShape, Default(bsBox))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(TBevelStyle, Style, FStyle, SetStyle, Default(bsLowered))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))

  void SetShape(TBevelShape Value);
  void SetStyle(TBevelStyle Value);

protected:
  void Paint() override;

private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

// An etched frame around its children with the caption in a gap of its top line; the
// children align below the caption. The caption's accelerator focuses the first child.
class TCustomGroupBox : public TCustomControl {
  LUM_CLASS(TCustomGroupBox, TCustomControl)
public:
  explicit TCustomGroupBox(TComponent* AOwner);

protected:
  void CreateParams(TCreateParams& Params) override;
  void AdjustClientRect(TRect& Rect) override;
  void Paint() override;
  void CMDialogChar(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  // The height of a line of the caption's font.
  int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
  LUM_CLASS(TGroupBox, TCustomGroupBox)
public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(String, Caption, GetText(), TControl::SetText, NoDefault)
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, NoDefault, Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(false))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
};
