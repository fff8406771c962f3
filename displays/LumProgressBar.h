#pragma once

#include "displays/PublishedBlocks.h"
#include "framework/classes/Sets.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/Panels.h"

LUM_ENUM(TFrameStyle, fsNone, fsLowered, fsRaised);
LUM_ENUM(TSide, sdLeft, sdTop, sdRight, sdBottom);
using TSides = TSet<TSide>;
using TSegmentRange = Byte; // 1 to 100
using TProgressChangeEvent = std::function<void(TObject* Sender, double Position)>;

inline const TSides AllSides{sdLeft, sdTop, sdRight, sdBottom};

// One ring: left and top sides in TopLeft, right and bottom in BottomRight; each drawn side
// moves its edge inward by one. Answers the rectangle inside the ring.
TRect DrawSides(TCanvas* Canvas, TRect Rect, TColor TopLeft, TColor BottomRight, TSides Sides);
// Width rings of DrawSides with a one-pixel pen.
TRect DrawBevel(TCanvas* Canvas, TRect Rect, TColor TopLeft, TColor BottomRight, int Width,
                TSides Sides);
// A 3D frame of two rings (none for fsNone); answers the rectangle inside it.
TRect DrawFrame(TCanvas* Canvas, TRect Rect, TFrameStyle Style);
// Position as percent of Min … Max; 0 when the range is empty.
double ProgressPercent(double Position, double Min, double Max);
// The lit part of a continuous bar in R at Percent (limited to 0 … 100).
TRect ContinuousBarRect(const TRect& R, double Percent, bool Vertical);

// How a row of LED segments fills a bar Length pixels long.
struct TLedLayout {
  int Count = 1;  // segments, 1 to min(100, Length)
  int Width = 1;  // pixels per segment, at least 1
  int Margin = 0; // pixels left free at each end
};
// The segments for Length pixels when Segments are asked for: at most 10 below 81 pixels,
// then as many more as the rest holds.
TLedLayout LedLayout(int Length, int Segments);
// Segment I (from 1) in R: from the left, or from the bottom when vertical.
TRect SegmentRect(const TRect& R, const TLedLayout& Layout, int I, bool Vertical);
// The segments lit at Percent, 0 … Count.
int LitSegments(double Percent, int Count);

// A windowless progress bar for floating-point positions: frames, a flat border, and a
// continuous bar whose centred text changes colour where the bar ends, or a row of LED
// segments; the text is the position with a unit.
class TLumCustomProgressBar : public TGraphicControl {
  LUM_CLASS(TLumCustomProgressBar, TGraphicControl)
public:
  explicit TLumCustomProgressBar(TComponent* AOwner);

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  void SetBackColor(TColor Value);
  void SetBarColor(TColor Value);
  void SetSmooth(bool Value);
  void SetBevelWidth(TBevelWidth Value);
  void SetBorderColor(TColor Value);
  void SetBorderInner(TFrameStyle Value);
  void SetBorderOuter(TFrameStyle Value);
  void SetBorderWidth(TBorderWidth Value);
  void SetDecimals(Byte Value);
  void SetNumSegments(TSegmentRange Value);
  void SetOrientation(TProgressBarOrientation Value);
  void SetMin(double Value);
  void SetMax(double Value);
  void SetPosition(double Value);
  void SetShowText(bool Value);
  void SetTextUnit(const String& Value);

  // The text the bar shows: Position with Decimals, a blank and TextUnit; empty without text.
  String BarText() const;

protected:
  void Paint() override;
  void CMHitTest(TMessage& Message) override;
  // Runs when Min changes: raises OnChange.
  virtual void PositionChanged();

  TColor FBackColor = clWhite;
  TColor FBarColor = clHighlight;
  bool FSmooth = false;
  TBevelWidth FBevelWidth = 1;
  TColor FBorderColor = clBtnFace;
  TFrameStyle FBorderInner = fsNone;
  TFrameStyle FBorderOuter = fsLowered;
  TBorderWidth FBorderWidth = 0;
  Byte FDecimals = 2;
  TSegmentRange FNumSegments = 20;
  TProgressBarOrientation FOrientation = pbHorizontal;
  double FMin = 0;
  double FMax = 100;
  double FPosition = 0;
  double FStep = 1.0;
  bool FShowText = true;
  String FTextUnit = "%";
  TProgressChangeEvent FOnChange;

private:
  template <class T> void Change(T& Field, const T& Value);
  bool Vertical() const { return FOrientation == pbVertical; }
  void PaintContinuous(const TRect& R, const String& Text);
  void PaintLed(const TRect& R, const String& Text);
};

class TLumProgressBar : public TLumCustomProgressBar {
  LUM_CLASS(TLumProgressBar, TLumCustomProgressBar)
public:
  explicit TLumProgressBar(TComponent* AOwner) : TLumCustomProgressBar(AOwner) {}

  LUM_PUBLISHED(TColor, BackColor, FBackColor, TLumCustomProgressBar::SetBackColor,
                Default(clWhite), Idents(ColorIdents()))
  LUM_PUBLISHED(TColor, BarColor, FBarColor, TLumCustomProgressBar::SetBarColor,
                Default(clHighlight), Idents(ColorIdents()))
  LUM_PUBLISHED(bool, Smooth, FSmooth, TLumCustomProgressBar::SetSmooth, Default(false))
  LUM_PUBLISHED(TBevelWidth, BevelWidth, FBevelWidth, TLumCustomProgressBar::SetBevelWidth,
                Default(1))
  LUM_PUBLISHED(TColor, BorderColor, FBorderColor, TLumCustomProgressBar::SetBorderColor,
                Default(clBtnFace), Idents(ColorIdents()))
  LUM_PUBLISHED(TFrameStyle, BorderInner, FBorderInner, TLumCustomProgressBar::SetBorderInner,
                Default(fsNone))
  LUM_PUBLISHED(TFrameStyle, BorderOuter, FBorderOuter, TLumCustomProgressBar::SetBorderOuter,
                Default(fsLowered))
  LUM_PUBLISHED(TBorderWidth, BorderWidth, FBorderWidth, TLumCustomProgressBar::SetBorderWidth,
                NoDefault)
  LUM_PUBLISHED(Byte, Decimals, FDecimals, TLumCustomProgressBar::SetDecimals, Default(2))
  LUM_PUBLISHED(TSegmentRange, NumSegments, FNumSegments, TLumCustomProgressBar::SetNumSegments,
                Default(20))
  LUM_PUBLISHED(TProgressBarOrientation, Orientation, FOrientation,
                TLumCustomProgressBar::SetOrientation, Default(pbHorizontal))
  LUM_PUBLISHED(double, Min, FMin, TLumCustomProgressBar::SetMin, NoDefault)
  LUM_PUBLISHED(double, Max, FMax, TLumCustomProgressBar::SetMax, NoDefault)
  LUM_PUBLISHED(double, Position, FPosition, TLumCustomProgressBar::SetPosition, NoDefault)
  LUM_PUBLISHED(double, Step, FStep, Field, NoDefault)
  LUM_PUBLISHED(bool, ShowText, FShowText, TLumCustomProgressBar::SetShowText, Default(true))
  LUM_PUBLISHED(String, TextUnit, FTextUnit, TLumCustomProgressBar::SetTextUnit, NoDefault)
  LUM_PUBLISHED(TProgressChangeEvent, OnChange, FOnChange, Field, NoDefault)

  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  // ParentShowHint, PopupMenu, ShowHint, Visible, OnClick, OnDblClick
  LUM_PUBLISHED_HINT_POPUP_VISIBLE_CLICKS
  // OnMouseDown, OnMouseMove, OnMouseUp
  LUM_PUBLISHED_MOUSE_EVENTS

  // Position + Step, lowered to Max; no OnChange.
  void StepIt();
  // SetPosition(Position + Delta), lowered to Max.
  void StepBy(double Delta);
};
