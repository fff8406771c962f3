#include "displays/LumProgressBar.h"

#include "core/Lumherk.h"
#include "framework/classes/Registry.h"
#include "framework/rtl/Maths.h"
#include "framework/win32/Windows.h"

#include <algorithm>
#include <cmath>

using namespace Lumherk;

namespace {

const bool ProgressBarRegistered = (RegisterClass<TLumProgressBar>(), true);

// Points this close to the right edge go to the parent's hit test (a status bar's grip).
constexpr int GripWidth = 12;
constexpr UINT AlignCentreTop = 6, AlignCentreBaseline = 30;

struct TFrameColours {
  TColor OuterTopLeft, OuterBottomRight, InnerTopLeft, InnerBottomRight;
};

TFrameColours FrameColours(TFrameStyle Style) {
  if (Style == fsLowered) return {clBtnShadow, clBtnHighlight, clBtnText, clBtnFace};
  return {clBtnFace, clBtnText, clBtnHighlight, clBtnShadow};
}

void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2) {
  Canvas->MoveTo(X1, Y1);
  Canvas->LineTo(X2, Y2);
}

} // namespace

TRect DrawSides(TCanvas* Canvas, TRect Rect, TColor TopLeft, TColor BottomRight, TSides Sides) {
  const TRect r = Rect;
  Canvas->Pen()->SetColor(TopLeft);
  if (Sides.Contains(sdLeft)) Line(Canvas, r.Left, r.Top, r.Left, r.Bottom);
  if (Sides.Contains(sdTop)) Line(Canvas, r.Left, r.Top, r.Right, r.Top);
  Canvas->Pen()->SetColor(BottomRight);
  if (Sides.Contains(sdRight)) Line(Canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
  if (Sides.Contains(sdBottom)) Line(Canvas, r.Left, r.Bottom - 1, r.Right, r.Bottom - 1);
  if (Sides.Contains(sdLeft)) ++Rect.Left;
  if (Sides.Contains(sdTop)) ++Rect.Top;
  if (Sides.Contains(sdRight)) --Rect.Right;
  if (Sides.Contains(sdBottom)) --Rect.Bottom;
  return Rect;
}

TRect DrawBevel(TCanvas* Canvas, TRect Rect, TColor TopLeft, TColor BottomRight, int Width,
                TSides Sides) {
  Canvas->Pen()->SetWidth(1);
  for (int i = 0; i < Width; ++i) Rect = DrawSides(Canvas, Rect, TopLeft, BottomRight, Sides);
  return Rect;
}

TRect DrawFrame(TCanvas* Canvas, TRect Rect, TFrameStyle Style) {
  if (Style == fsNone) return Rect;
  const TFrameColours c = FrameColours(Style);
  Rect = DrawBevel(Canvas, Rect, c.OuterTopLeft, c.OuterBottomRight, 1, AllSides);
  return DrawBevel(Canvas, Rect, c.InnerTopLeft, c.InnerBottomRight, 1, AllSides);
}

double ProgressPercent(double Position, double Min, double Max) {
  if (Max == Min) return 0;
  return (Position - Min) / (Max - Min) * 100;
}

TRect ContinuousBarRect(const TRect& R, double Percent, bool Vertical) {
  if (!(Percent < 100)) return R;
  const double p = std::max(Percent, 0.0);
  if (Vertical)
    return Rect(R.Left, R.Bottom - static_cast<int>(Round(R.Height() * p / 100)), R.Right,
                R.Bottom);
  return Rect(R.Left, R.Top, R.Left + static_cast<int>(Round(R.Width() * p / 100)), R.Bottom);
}

TLedLayout LedLayout(int Length, int Segments) {
  TLedLayout led;
  int n = Segments;
  if (Length < 81 && n > 10) n = 10;
  const int most = std::clamp(Length, 1, 100);
  led.Count = std::clamp(n, 1, most);
  led.Width = std::max(1, Length / led.Count);
  const int extra = (Length - led.Count * led.Width) / led.Width;
  if (extra > 0) led.Count = std::min(led.Count + extra, most);
  led.Margin = (Length - led.Count * led.Width) / 2;
  return led;
}

TRect SegmentRect(const TRect& R, const TLedLayout& Layout, int I, bool Vertical) {
  if (Vertical) {
    const int o = (Layout.Count - I) * Layout.Width + Layout.Margin;
    return Rect(R.Left, R.Top + o, R.Right, R.Top + o + Layout.Width);
  }
  const int o = (I - 1) * Layout.Width + Layout.Margin;
  return Rect(R.Left + o, R.Top, R.Left + o + Layout.Width, R.Bottom);
}

int LitSegments(double Percent, int Count) {
  const double lit = std::trunc(Percent * Count / 100);
  return static_cast<int>(std::clamp(lit, 0.0, static_cast<double>(Count)));
}

TLumCustomProgressBar::TLumCustomProgressBar(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csOpaque);
  FWidth = 200;
  FHeight = 24;
}

template <class T> void TLumCustomProgressBar::Change(T& Field, const T& Value) {
  if (Field == Value) return;
  Field = Value;
  Invalidate();
}

void TLumCustomProgressBar::SetBackColor(TColor Value) { Change(FBackColor, Value); }
void TLumCustomProgressBar::SetSmooth(bool Value) { Change(FSmooth, Value); }
void TLumCustomProgressBar::SetBevelWidth(TBevelWidth Value) { Change(FBevelWidth, Value); }
void TLumCustomProgressBar::SetBorderColor(TColor Value) { Change(FBorderColor, Value); }
void TLumCustomProgressBar::SetBorderInner(TFrameStyle Value) { Change(FBorderInner, Value); }
void TLumCustomProgressBar::SetBorderOuter(TFrameStyle Value) { Change(FBorderOuter, Value); }
void TLumCustomProgressBar::SetBorderWidth(TBorderWidth Value) { Change(FBorderWidth, Value); }
void TLumCustomProgressBar::SetDecimals(Byte Value) { Change(FDecimals, Value); }
void TLumCustomProgressBar::SetOrientation(TProgressBarOrientation Value) {
  Change(FOrientation, Value);
}
void TLumCustomProgressBar::SetShowText(bool Value) { Change(FShowText, Value); }
void TLumCustomProgressBar::SetTextUnit(const String& Value) { Change(FTextUnit, Value); }

void TLumCustomProgressBar::SetNumSegments(TSegmentRange Value) {
  Change(FNumSegments, std::clamp<TSegmentRange>(Value, 1, 100));
}

void TLumCustomProgressBar::SetBarColor(TColor Value) {
  if (Value == FBarColor) return;
  FBarColor = Value;
  FFont->SetColor(Value);
  Invalidate();
}

void TLumCustomProgressBar::SetMin(double Value) {
  if (Value == FMin) return;
  FMin = Value;
  PositionChanged();
  Repaint();
}

void TLumCustomProgressBar::SetMax(double Value) {
  if (Value == FMax) return;
  FMax = Value;
  Repaint();
}

void TLumCustomProgressBar::SetPosition(double Value) {
  if (Value == FPosition) return;
  FPosition = Value;
  Repaint();
}

void TLumCustomProgressBar::PositionChanged() {
  if (FOnChange) FOnChange(this, FPosition);
}

void TLumCustomProgressBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  SetOrientation(FHeight <= FWidth ? pbHorizontal : pbVertical);
}

void TLumCustomProgressBar::CMHitTest(TMessage& Message) {
  TGraphicControl::CMHitTest(Message);
  const TRect client = ClientRect();
  const TPoint at{static_cast<SmallInt>(LOWORD(Message.LParam)),
                  static_cast<SmallInt>(HIWORD(Message.LParam))};
  if (FParent &&
      Rect(client.Right - GripWidth, client.Top, client.Right, client.Bottom).Contains(at))
    Message.Result = FParent->Perform(WM_NCHITTEST, Message.WParam, Message.LParam);
}

String TLumCustomProgressBar::BarText() const {
  if (!FShowText) return "";
  return S_N(FPosition, FDecimals, FDecimals) + " " + FTextUnit;
}

void TLumCustomProgressBar::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(FFont.get());
  TRect r = DrawFrame(canvas, ClientRect(), FBorderOuter);
  if (FBorderWidth > 0)
    r = DrawBevel(canvas, r, FBorderColor, FBorderColor, FBorderWidth, AllSides);
  r = DrawFrame(canvas, r, FBorderInner);
  if (FSmooth)
    PaintLed(r, BarText());
  else
    PaintContinuous(r, BarText());
}

void TLumCustomProgressBar::PaintContinuous(const TRect& R, const String& Text) {
  TCanvas* canvas = Canvas();
  const TRect bar = ContinuousBarRect(R, ProgressPercent(FPosition, FMin, FMax), Vertical());
  canvas->Font()->SetColor(FBackColor);
  canvas->Brush()->SetColor(FBarColor);
  canvas->Brush()->SetStyle(bsSolid);
  SetTextAlign(canvas->Handle(), AlignCentreTop);
  const int ty = (R.Height() - canvas->TextHeight("X")) / 2;
  canvas->TextRect(bar, R.Right / 2, R.Top + ty, Text);
  const TRect rest = Vertical() ? Rect(R.Left, R.Top, R.Right, bar.Top)
                                : Rect(bar.Right, R.Top, R.Right, R.Bottom);
  canvas->Font()->SetColor(FBarColor);
  canvas->Brush()->SetColor(FBackColor);
  canvas->TextRect(rest, R.Right / 2, R.Top + ty, Text);
  SetTextAlign(canvas->Handle(), 0);
}

void TLumCustomProgressBar::PaintLed(const TRect& R, const String& Text) {
  TCanvas* canvas = Canvas();
  const TLedLayout led = LedLayout(Vertical() ? R.Height() : R.Width(), FNumSegments);
  FNumSegments = static_cast<TSegmentRange>(led.Count);
  canvas->Pen()->SetStyle(psClear);
  canvas->Brush()->SetColor(FBackColor);
  canvas->Brush()->SetStyle(bsSolid);
  const int m = led.Margin;
  if (Vertical()) {
    canvas->Rectangle(R.Left, R.Top, R.Right + 1, R.Top + m + 1);
    canvas->Rectangle(R.Left, R.Bottom - m - 1, R.Right + 1, R.Bottom + 1);
  } else {
    canvas->Rectangle(R.Left - 1, R.Top, R.Left + m + 1, R.Bottom + 1);
    canvas->Rectangle(R.Right - m - 1, R.Top, R.Right + 1, R.Bottom + 1);
  }
  canvas->Pen()->SetColor(FBackColor);
  canvas->Pen()->SetStyle(psSolid);
  const int lit = LitSegments(ProgressPercent(FPosition, FMin, FMax), led.Count);
  canvas->Brush()->SetColor(FBarColor);
  for (int i = 1; i <= lit; ++i) canvas->Rectangle(SegmentRect(R, led, i, Vertical()));
  canvas->Brush()->SetColor(FBackColor);
  for (int i = lit + 1; i <= led.Count; ++i) canvas->Rectangle(SegmentRect(R, led, i, Vertical()));
  if (!FShowText) return;
  canvas->Brush()->SetStyle(bsClear);
  const HDC dc = canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, AlignCentreBaseline);
  canvas->TextOut(R.Width() / 2, (R.Height() + canvas->TextHeight(Text)) / 2, Text);
  SetTextAlign(dc, 0);
}

void TLumProgressBar::StepIt() {
  FPosition = std::min(FPosition + FStep, FMax);
  Repaint();
}

void TLumProgressBar::StepBy(double Delta) {
  SetPosition(FPosition + Delta);
  FPosition = std::min(FPosition, FMax);
  Repaint();
}
