#pragma once

#include "framework/controls/WinControl.h"

#include <memory>

LUM_ENUM(TScrollBarKind, sbHorizontal, sbVertical);
using TScrollBarInc = SmallInt;

class TScrollingWinControl;

// One of a scrolling control's own window scroll bars: Range is the extent of the scrolled
// area, Position how far it is scrolled (0 … Range - the visible size). A change of Position
// moves the control's children.
class TControlScrollBar : public TPersistent {
  LUM_CLASS(TControlScrollBar, TPersistent)
public:
  TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind);

  LUM_PUBLISHED(TScrollBarInc, Increment, FIncrement, SetIncrement, Default(8))
  LUM_PUBLISHED(Word, Margin, FMargin, SetMargin, Default(0))
  LUM_PUBLISHED(Integer, Range, FRange, SetRange, Default(0), Stored(IsRangeStored))
  LUM_PUBLISHED(Integer, Position, FPosition, SetPosition, Default(0))
  LUM_PUBLISHED(bool, Tracking, FTracking, Field, Default(false))
  LUM_PUBLISHED(bool, Visible, FVisible, SetVisible, Default(true))

  void SetIncrement(TScrollBarInc Value);
  void SetMargin(Word Value) { FMargin = Value; }
  void SetRange(Integer Value);
  void SetPosition(Integer Value);
  void SetVisible(bool Value);
  void Assign(TPersistent* Source) override;

  TScrollBarKind Kind() const { return FKind; }
  // The largest position the range allows now.
  int MaxPosition() const { return FCalcRange; }
  bool IsScrollBarVisible() const;
  // Position while the bar is visible, 0 otherwise.
  int ScrollPos() const { return FVisible ? FPosition : 0; }
  bool IsRangeStored() const;

private:
  friend class TScrollingWinControl;
  int Bar() const { return FKind == sbHorizontal ? SB_HORZ : SB_VERT; }
  // The visible extent along the bar; AssumeOther counts the other bar as shown, and
  // WithOwnBar leaves this bar's own width where it is.
  int ControlSize(bool WithOwnBar, bool AssumeOther) const;
  bool NeedsScrollBarVisible() const;
  void Update(bool WithOwnBar, bool AssumeOther);
  void CalcAutoRange();
  void DoSetRange(int Value);
  void ScrollMessage(const TMessage& Message);

  TScrollingWinControl* FControl;
  TScrollBarKind FKind;
  TScrollBarInc FIncrement = 8;
  Word FMargin = 0;
  int FRange = 0;
  int FCalcRange = 0;
  int FPosition = 0;
  bool FTracking = false;
  bool FVisible = true;
};

// A control whose window scroll bars scroll its children; with AutoScroll the ranges follow
// the children's extent.
class TScrollingWinControl : public TWinControl {
  LUM_CLASS(TScrollingWinControl, TWinControl)
public:
  explicit TScrollingWinControl(TComponent* AOwner);
  ~TScrollingWinControl() override;

  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);
  TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
  void SetHorzScrollBar(TControlScrollBar* Value) { FHorzScrollBar->Assign(Value); }
  TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }
  void SetVertScrollBar(TControlScrollBar* Value) { FVertScrollBar->Assign(Value); }

  // Moves every child by DeltaX, DeltaY and repaints.
  void ScrollBy(int DeltaX, int DeltaY);
  // Scrolls so that the control (a child at any depth) shows, with the bars' margins.
  void ScrollInView(TControl* AControl);
  // ScrollInView unless either is loading; the focus moving to a child calls it.
  void AutoScrollInView(TControl* AControl);
  void DisableAutoRange() { ++FAutoRangeCount; }
  void EnableAutoRange();
  void UpdateScrollBars();

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  void Dispatch(TMessage& Message) override;
  void WMSize(TMessage& Message) override;
  void CMFocusChanged(TMessage& Message) override;
  virtual void CalcAutoRange();

private:
  friend class TControlScrollBar;

  std::unique_ptr<TControlScrollBar> FHorzScrollBar;
  std::unique_ptr<TControlScrollBar> FVertScrollBar;
  bool FAutoScroll = true;
  int FAutoRangeCount = 0;
  bool FUpdatingScrollBars = false;
};

class TScrollBox : public TScrollingWinControl {
  LUM_CLASS(TScrollBox, TScrollingWinControl)
public:
  explicit TScrollBox(TComponent* AOwner);

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(bool, AutoScroll, TScrollingWinControl::AutoScroll(),
                TScrollingWinControl::SetAutoScroll, Default(true))
  LUM_PUBLISHED(TBorderStyle, BorderStyle, FBorderStyle, SetBorderStyle, Default(bsSingle))
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, NoDefault, Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(bool, Ctl3D, TWinControl::Ctl3D(), TWinControl::SetCtl3D, NoDefault,
                Stored(IsCtl3DStored))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(TControlScrollBar*, HorzScrollBar, TScrollingWinControl::HorzScrollBar(),
                TScrollingWinControl::SetHorzScrollBar, NoDefault)
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(true))
  LUM_PUBLISHED(bool, ParentCtl3D, TWinControl::ParentCtl3D(), TWinControl::SetParentCtl3D,
                Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(false))
  LUM_PUBLISHED(TControlScrollBar*, VertScrollBar, TScrollingWinControl::VertScrollBar(),
                TScrollingWinControl::SetVertScrollBar, NoDefault)
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnResize, FOnResize, TControl::SetOnResize, NoDefault)

  // bsNone or bsSingle (a sunken client edge); a change recreates the window.
  void SetBorderStyle(TBorderStyle Value);

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  TBorderStyle FBorderStyle = bsSingle;
};
