#include "indicators/LumPfeil.h"

#include "framework/classes/Registry.h"
#include "framework/rtl/Maths.h"

#include <cmath>
#include <numbers>

namespace {

const bool ArrowRegistered = (RegisterClass<TLumArrow>(), true);

constexpr double HeadAngle = 0.3490658503988659; // 20 degrees

int Nearest(double V) { return static_cast<int>(Round(V)); }

// The band's angles and its signed length between two points.
struct TArrowAngles {
  double A1 = 0, A2 = 0, L = 0;
};

TArrowAngles AnglesOf(int Dx, int Dy) {
  if (Dy == 0) return {0, std::numbers::pi / 2, static_cast<double>(Dx)};
  if (Dx == 0) return {std::numbers::pi / 2, 0, static_cast<double>(Dy)};
  const double a2 = std::atan(static_cast<double>(Dx) / Dy);
  return {std::atan(static_cast<double>(Dy) / Dx), a2, Dx / std::sin(a2)};
}

TPoint Offset(TPoint P, int Dx, int Dy) { return TPoint{P.X + Dx, P.Y + Dy}; }

} // namespace

std::array<TPoint, 7> ArrowOutline(TPoint S, TPoint T, int Width) {
  const int w = Width / 2;
  const TArrowAngles a = AnglesOf(T.X - S.X, T.Y - S.Y);
  const int p1 = Nearest(w * std::sin(a.A1)), p2 = Nearest(w * std::sin(a.A2));
  const int p3 = Nearest(a.L / 10 * std::sin(a.A2)), p4 = Nearest(a.L / 10 * std::sin(a.A1));
  const int g = a.A2 >= 0 ? 1 : -1;
  const TPoint head{T.X - p3, T.Y - g * p4};
  return {TPoint{S.X + p1, S.Y - g * p2},
          TPoint{S.X - p1, S.Y + g * p2},
          Offset(head, -p1, g * p2),
          Offset(head, -2 * p1, 2 * g * p2),
          T,
          Offset(head, 2 * p1, -2 * g * p2),
          Offset(head, p1, -g * p2)};
}

TArcArrowShape ArcArrowShape(TPoint S, TPoint T, int Width, TLumArrowTyp Type) {
  const int w = Width / 2;
  const int dx = T.X - S.X, dy = T.Y - S.Y;
  const TArrowAngles a = AnglesOf(dx, dy);
  const double r = a.L / 2;
  const int mx = dx / 2, my = dy / 2;
  const TPoint m{S.X + mx, S.Y + my};
  const int e = a.A1 >= 0 ? 1 : -1;
  const int q1 = Nearest(e * w * std::cos(a.A1)), q2 = Nearest(e * w * std::sin(a.A1));
  const double b = Type == ptAntiArc ? a.A1 - HeadAngle : a.A1 + HeadAngle;
  const double cb = e * std::cos(b), sb = e * std::sin(b);
  const auto along = [&](double F) {
    return TPoint{S.X + Nearest(F * cb) + mx, S.Y + Nearest(F * sb) + my};
  };
  const auto box = [&](int K) { return Rect(m.X - K, m.Y - K, m.X + K, m.Y + K); };
  const TPoint innerStart{S.X + q1, S.Y + q2}, outerStart{S.X - q1, S.Y - q2};

  TArcArrowShape shape;
  shape.Inner = {box(Nearest(r) - w), innerStart, along(r - w)};
  shape.Outer = {box(Nearest(r) + w), outerStart, along(r + w)};
  if (Type == ptAntiArc) {
    std::swap(shape.Inner.From, shape.Inner.To);
    std::swap(shape.Outer.From, shape.Outer.To);
  }
  shape.EdgeFrom = outerStart;
  shape.EdgeTo = innerStart;
  shape.Head = {along(r - w), along(r - 2 * w), T, along(r + 2 * w), along(r + w)};
  shape.FillAt = along(r);
  return shape;
}

TRect ArrowBounds(TPoint Start, TPoint Target, int Width, TLumArrowTyp Type) {
  int left = std::min(Start.X, Target.X), top = std::min(Start.Y, Target.Y);
  const int dx = Start.X - Target.X, dy = Start.Y - Target.Y;
  if (Type == ptNormal) {
    left -= Width + 1;
    top -= Width + 1;
    return Rect(left, top, left + std::abs(dx) + 2 * Width + 2, top + std::abs(dy) + 2 * Width + 2);
  }
  const double distance = std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
  const int h = (Nearest(distance) + Width) / 2;
  left += std::abs(dx) / 2 - h;
  top += std::abs(dy) / 2 - h;
  return Rect(left, top, left + 2 * h, top + 2 * h);
}

TLumArrow::TLumArrow(TComponent* AOwner)
    : TGraphicControl(AOwner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  FControlStyle.Include(csReplicatable);
  FLastPosition = TPoint{FLeft, FTop};
  FPen->SetWidth(2);
  FPen->SetOnChange([this](TObject* Sender) { StyleChanged(Sender); });
  FBrush->SetOnChange([this](TObject* Sender) { StyleChanged(Sender); });
}

void TLumArrow::StyleChanged(TObject*) { Invalidate(); }

template <class T> void TLumArrow::ChangeShape(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Anpassen();
  Invalidate();
}

void TLumArrow::SetArrowTyp(TLumArrowTyp Value) { ChangeShape(FArrowType, Value); }
void TLumArrow::SetArrowWidth(Integer Value) { ChangeShape(FArrowWidth, Value); }
void TLumArrow::SetStartX(Integer Value) { ChangeShape(FStartX, Value); }
void TLumArrow::SetStartY(Integer Value) { ChangeShape(FStartY, Value); }
void TLumArrow::SetTargetX(Integer Value) { ChangeShape(FTargetX, Value); }
void TLumArrow::SetTargetY(Integer Value) { ChangeShape(FTargetY, Value); }

void TLumArrow::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

void TLumArrow::Anpassen() {
  const TRect r =
      ArrowBounds(TPoint{FStartX, FStartY}, TPoint{FTargetX, FTargetY}, FArrowWidth, FArrowType);
  FAdjusting = true;
  SetBounds(r.Left, r.Top, r.Width(), r.Height());
  FAdjusting = false;
  FLastPosition = TPoint{FLeft, FTop};
}

void TLumArrow::Loaded() {
  TGraphicControl::Loaded();
  FLastPosition = TPoint{FLeft, FTop};
}

void TLumArrow::WMWindowPosChanged(TMessage& Message) {
  TGraphicControl::WMWindowPosChanged(Message);
  if (FAdjusting || ComponentState().Contains(csLoading)) return;
  const int dx = FLeft - FLastPosition.X, dy = FTop - FLastPosition.Y;
  FStartX += dx;
  FStartY += dy;
  FTargetX += dx;
  FTargetY += dy;
  FLastPosition = TPoint{FLeft, FTop};
  Anpassen();
}

void TLumArrow::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Pen()->Assign(FPen.get());
  canvas->Brush()->Assign(FBrush.get());
  const TPoint s{FStartX - FLeft, FStartY - FTop}, t{FTargetX - FLeft, FTargetY - FTop};
  if (FArrowType == ptNormal)
    PaintStraight(s, t);
  else
    PaintArc(s, t);
}

void TLumArrow::PaintStraight(TPoint S, TPoint T) {
  TCanvas* canvas = Canvas();
  const std::array<TPoint, 7> outline = ArrowOutline(S, T, FArrowWidth);
  canvas->MoveTo(outline[0].X, outline[0].Y);
  for (std::size_t i = 1; i < outline.size(); ++i) canvas->LineTo(outline[i].X, outline[i].Y);
  canvas->LineTo(outline[0].X, outline[0].Y);
  if (!FTransparent) canvas->FloodFill(FWidth / 2, FHeight / 2, FPen->Color(), fsBorder);
}

void TLumArrow::PaintArc(TPoint S, TPoint T) {
  TCanvas* canvas = Canvas();
  const TArcArrowShape shape = ArcArrowShape(S, T, FArrowWidth, FArrowType);
  for (const TArcArrowShape::TArc& arc : {shape.Inner, shape.Outer})
    canvas->Arc(arc.Box.Left, arc.Box.Top, arc.Box.Right, arc.Box.Bottom, arc.From.X, arc.From.Y,
                arc.To.X, arc.To.Y);
  canvas->MoveTo(shape.EdgeFrom.X, shape.EdgeFrom.Y);
  canvas->LineTo(shape.EdgeTo.X, shape.EdgeTo.Y);
  canvas->MoveTo(shape.Head[0].X, shape.Head[0].Y);
  for (std::size_t i = 1; i < shape.Head.size(); ++i)
    canvas->LineTo(shape.Head[i].X, shape.Head[i].Y);
  if (!FTransparent) canvas->FloodFill(shape.FillAt.X, shape.FillAt.Y, FPen->Color(), fsBorder);
}
