#include "displays/LumTacho.h"

#include "core/Lumherk.h"
#include "displays/LumStat.h"
#include "framework/classes/Registry.h"
#include "framework/rtl/Maths.h"

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace Lumherk;

namespace {

const bool TachoRegistered = (RegisterClass<TLumTacho>(), true);

constexpr double HalfTurn = std::numbers::pi;

int Nearest(double V) { return static_cast<int>(Round(V)); }

} // namespace

TTachoGeometry TachoGeometry(int Width, int Height, int PinRadius) {
  TTachoGeometry dial;
  dial.Centre = TPoint{Width / 2, Height - 10 - PinRadius};
  dial.Radius = std::min(Width / 2 - 10, Height - PinRadius - 20);
  return dial;
}

double ValueAngle(double V, double Min, double Max) {
  if (Max == Min) return 0;
  return (V - Min) / (Max - Min) * HalfTurn;
}

TPoint RadialPoint(TPoint Centre, double R, double Angle) {
  return TPoint{Nearest(Centre.X - R * std::cos(Angle)), Nearest(Centre.Y - R * std::sin(Angle))};
}

TPoint DialPoint(const TTachoGeometry& Dial, double Fraction, double Angle) {
  return RadialPoint(Dial.Centre, Fraction * Dial.Radius, Angle);
}

std::vector<TRingSpan> RingSectorSpans(TPoint Centre, int Outer, int Inner, double Angle) {
  std::vector<TRingSpan> spans;
  const double cot = Angle >= HalfTurn ? 0 : std::cos(Angle) / std::sin(Angle);
  const bool wholeHalf = Angle >= HalfTurn;
  const double outer2 = double(Outer) * Outer, inner2 = double(Inner) * Inner;
  for (int dy = Outer; dy >= 1; --dy) {
    const double rest = outer2 - double(dy) * dy;
    const double ho = std::sqrt(rest);
    const double hi = dy < Inner ? std::sqrt(inner2 - double(dy) * dy) : 0;
    // Pixels at most at the pointer's direction lie left of its radial.
    const int limit =
        wholeHalf ? Centre.X + Outer : static_cast<int>(std::floor(Centre.X - dy * cot + 1e-9));
    const int y = Centre.Y - dy;
    const int left = static_cast<int>(std::ceil(Centre.X - ho));
    const int right = static_cast<int>(std::floor(Centre.X + ho));
    auto add = [&](int From, int To) {
      To = std::min(To, limit);
      if (From <= To) spans.push_back({y, From, To});
    };
    if (dy >= Inner) {
      add(left, right);
    } else {
      add(left, static_cast<int>(std::floor(Centre.X - hi)));
      add(static_cast<int>(std::ceil(Centre.X + hi)), right);
    }
  }
  return spans;
}

UINT TachoLabelAlignment(TLabelposition Position, int I, int N) {
  const bool outside = Position == lpAussen;
  if (N % 2 == 0 && I == N / 2) return outside ? 14 : 6;
  if (I < N / 2) return outside ? 10 : 0;
  return outside ? 8 : 2;
}

TLumTacho::TLumTacho(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 250;
  FHeight = 200;
}

template <class T> void TLumTacho::Change(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Invalidate();
}

void TLumTacho::SetSkala(TLumTachoSkala Value) { Change(FScale, Value); }
void TLumTacho::SetSkalaNK(Byte Value) { Change(FScaleDecimals, Value); }
void TLumTacho::SetLabelposition(TLabelposition Value) { Change(FLabelPosition, Value); }
void TLumTacho::SetZeigerfarbe(TColor Value) { Change(FPointerColor, Value); }
void TLumTacho::SetZeigerbreite(Integer Value) { Change(FPointerWidth, Value); }
void TLumTacho::SetZeigerform(TZeigerform Value) { Change(FPointerType, Value); }
void TLumTacho::SetPinfarbe(TColor Value) { Change(FPinColor, Value); }
void TLumTacho::SetPinRadius(Integer Value) { Change(FPinRadius, Value); }
void TLumTacho::SetSkalafarbe(TColor Value) { Change(FScaleColor, Value); }
void TLumTacho::SetTransparenz(bool Value) { Change(FTransparent, Value); }

void TLumTacho::SetAnzahlIntervalle(Word Value) {
  if (Value == FNumberOfIntervals || !IntervalCountAccepted(Value)) return;
  Change(FNumberOfIntervals, Value);
}

void TLumTacho::SetMinWert(double Value) {
  if (Value == FMinValue) return;
  FMinValue = Value;
  if (FMaxValue < FMinValue) FMaxValue = FMinValue + 1.0;
  if (FPosition < FMinValue) FPosition = FMinValue;
  Invalidate();
}

void TLumTacho::SetMaxWert(double Value) {
  if (Value == FMaxValue) return;
  FMaxValue = Value;
  if (FMaxValue < FMinValue) FMinValue = FMaxValue - 1.0;
  if (FPosition > FMaxValue) FPosition = FMaxValue;
  Invalidate();
}

void TLumTacho::SetPosition(double Value) {
  const double clamped = std::min(std::max(Value, FMinValue), FMaxValue);
  Change(FPosition, clamped);
}

double TLumTacho::PointerAngle() const {
  const double angle = ValueAngle(FPosition, FMinValue, FMaxValue);
  return angle == 0 ? HalfTurn / 360 : angle;
}

void TLumTacho::Paint() {
  TCanvas* canvas = Canvas();
  const HDC dc = canvas->Handle();
  const TTachoGeometry dial = TachoGeometry(FWidth, FHeight, FPinRadius);
  FAnglePerInterval = HalfTurn / FNumberOfIntervals;
  if (FTransparent) {
    SetBkMode(dc, TRANSPARENT);
  } else {
    SetBkMode(dc, OPAQUE);
    canvas->Brush()->SetColor(FColor);
    canvas->FillRect(ClientRect());
    canvas->Brush()->SetStyle(bsClear);
  }
  canvas->Pen()->SetColor(FPointerColor);
  canvas->Brush()->SetColor(FPointerColor);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Pen()->SetWidth(FPointerWidth);
  const double angle = PointerAngle();
  PaintSector(dial, angle);
  canvas->Brush()->SetColor(FColor);
  if (FScale == tsScale || FScale == tsScaleLabels) PaintTicks(dial);
  if (FScale == tsLabels || FScale == tsScaleLabels) PaintLabels(dial);
  SetBkMode(dc, OPAQUE);
  PaintPointer(dial, angle);
}

void TLumTacho::PaintSector(const TTachoGeometry& Dial, double Angle) {
  if (FPointerType != zfKreis && FPointerType != zfRing) return;
  TCanvas* canvas = Canvas();
  const bool outside = FLabelPosition == lpAussen;
  const TPoint c = Dial.Centre;
  auto sector = [&](int R) {
    const TPoint start = RadialPoint(c, R, Angle);
    canvas->Pie(c.X - R, c.Y - R, c.X + R, c.Y + R, start.X, start.Y, c.X - R, c.Y);
  };
  const int outer = Nearest((outside ? 0.6 : 0.9) * Dial.Radius);
  if (FPointerType == zfKreis) {
    sector(outer);
    return;
  }
  const int inner = Nearest((outside ? 0.5 : 0.7) * Dial.Radius);
  canvas->Brush()->SetStyle(bsClear);
  sector(outer);
  sector(inner);
  // The band between the two outlines, filled exactly rather than flooded from a point that
  // can lie outside it.
  canvas->Brush()->SetColor(FPointerColor);
  canvas->Brush()->SetStyle(bsSolid);
  for (const TRingSpan& span : RingSectorSpans(c, outer, inner, Angle))
    canvas->FillRect(Rect(span.Left, span.Y, span.Right + 1, span.Y + 1));
}

void TLumTacho::PaintTicks(const TTachoGeometry& Dial) {
  TCanvas* canvas = Canvas();
  canvas->Pen()->SetColor(FScaleColor);
  canvas->Pen()->SetWidth(2);
  for (int i = 0; i <= FNumberOfIntervals; ++i) {
    const double phi = i * FAnglePerInterval;
    const TPoint from = DialPoint(Dial, 0.9, phi);
    const TPoint to = DialPoint(Dial, 0.7, phi);
    canvas->MoveTo(from.X, from.Y);
    canvas->LineTo(to.X, to.Y);
  }
}

void TLumTacho::PaintLabels(const TTachoGeometry& Dial) {
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(FFont.get());
  // A clear brush keeps the canvas from making the text background opaque again.
  canvas->Brush()->SetStyle(bsClear);
  const HDC dc = canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  const double anchor = FLabelPosition == lpAussen ? 0.9 : 0.65;
  for (int i = 0; i <= FNumberOfIntervals; ++i) {
    const double v = FMinValue + (FMaxValue - FMinValue) / FNumberOfIntervals * i;
    const TPoint at = DialPoint(Dial, anchor, i * FAnglePerInterval);
    SetTextAlign(dc, TachoLabelAlignment(FLabelPosition, i, FNumberOfIntervals));
    canvas->TextOut(at.X, at.Y, S_N(v, 1, FScaleDecimals));
  }
  SetTextAlign(dc, 0);
}

void TLumTacho::PaintPointer(const TTachoGeometry& Dial, double Angle) {
  TCanvas* canvas = Canvas();
  canvas->Pen()->SetColor(FPointerColor);
  canvas->Brush()->SetColor(FPointerColor);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Pen()->SetWidth(FPointerWidth);
  const TPoint tip = DialPoint(Dial, 0.9, Angle);
  canvas->MoveTo(tip.X, tip.Y);
  canvas->LineTo(Dial.Centre.X, Dial.Centre.Y);
  if (FPointerType == zfPfeil) {
    const double delta = FPointerWidth * HalfTurn / 90;
    const TPoint head[] = {tip, DialPoint(Dial, 0.5, Angle - delta),
                           DialPoint(Dial, 0.5, Angle + delta)};
    canvas->Polygon(head);
  }
  canvas->Pen()->SetColor(FPinColor);
  canvas->Brush()->SetColor(FPinColor);
  canvas->Ellipse(Dial.Centre.X - FPinRadius, Dial.Centre.Y - FPinRadius,
                  Dial.Centre.X + FPinRadius, Dial.Centre.Y + FPinRadius);
}
