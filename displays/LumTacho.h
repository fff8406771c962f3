#pragma once

#include "displays/PublishedBlocks.h"
#include "framework/win32/Windows.h"

#include <vector>

LUM_ENUM(TLumTachoSkala, tsNone, tsScale, tsLabels, tsScaleLabels);
LUM_ENUM(TLabelposition, lpAussen, lpInnen);
LUM_ENUM(TZeigerform, zfNadel, zfPfeil, zfKreis, zfRing);

// The dial's centre and radius for a control of W × H with a pin of PinRadius.
struct TTachoGeometry {
  TPoint Centre;
  double Radius = 0;
};
TTachoGeometry TachoGeometry(int Width, int Height, int PinRadius);
// The angle of V on the half circle: 0 at Min (left), π at Max (right); 0 when Min = Max.
double ValueAngle(double V, double Min, double Max);
// The point at Fraction of the radius in direction Angle, rounded to whole pixels.
TPoint DialPoint(const TTachoGeometry& Dial, double Fraction, double Angle);
// The point at radius R (pixels) in direction Angle, rounded.
TPoint RadialPoint(TPoint Centre, double R, double Angle);
// Pixels [Left, Right] of row Y.
struct TRingSpan {
  int Y, Left, Right;
};
// The band between radii Inner and Outer above the centre, from angle 0 (left) up to Angle,
// row by row from the top: the pixels whose distance from the centre lies within the radii
// and whose direction lies within the angle.
std::vector<TRingSpan> RingSectorSpans(TPoint Centre, int Outer, int Inner, double Angle);
// The SetTextAlign value of label I of N.
UINT TachoLabelAlignment(TLabelposition Position, int I, int N);

// A half-circle dial gauge: a scale from MinValue (left) over the top to MaxValue (right)
// with ticks and value labels, and a pointer for Position as a needle, an arrow, a filled
// sector or a ring sector, with a round pin at the centre.
class TLumTacho : public TGraphicControl {
  LUM_CLASS(TLumTacho, TGraphicControl)
public:
  explicit TLumTacho(TComponent* AOwner);

  LUM_PUBLISHED(TLumTachoSkala, Scale, FScale, SetSkala, Default(tsScaleLabels))
  LUM_PUBLISHED(Byte, ScaleDecimals, FScaleDecimals, SetSkalaNK, Default(0))
  LUM_PUBLISHED(TLabelposition, LabelPosition, FLabelPosition, SetLabelposition, Default(lpAussen))
  LUM_PUBLISHED(TColor, PointerColor, FPointerColor, SetZeigerfarbe, Default(clRed),
                Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, PointerWidth, FPointerWidth, SetZeigerbreite, Default(4))
  LUM_PUBLISHED(TZeigerform, PointerType, FPointerType, SetZeigerform, Default(zfPfeil))
  LUM_PUBLISHED(TColor, PinColor, FPinColor, SetPinfarbe, Default(clGreen), Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, PinRadius, FPinRadius, SetPinRadius, Default(10))
  LUM_PUBLISHED(TColor, ScaleColor, FScaleColor, SetSkalafarbe, Default(clBlack),
                Idents(ColorIdents()))
  LUM_PUBLISHED(Word, NumberOfIntervals, FNumberOfIntervals, SetAnzahlIntervalle, Default(10))
  LUM_PUBLISHED(double, MinValue, FMinValue, SetMinWert, NoDefault)
  LUM_PUBLISHED(double, MaxValue, FMaxValue, SetMaxWert, NoDefault)
  LUM_PUBLISHED(double, Position, FPosition, SetPosition, NoDefault)
  LUM_PUBLISHED(bool, Transparent, FTransparent, SetTransparenz, Default(false))

  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clWindow), Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(TCursor, DragCursor, FDragCursor, TControl::SetDragCursor, Default(crDrag),
                Idents(CursorIdents()))
  LUM_PUBLISHED(TDragMode, DragMode, FDragMode, TControl::SetDragMode, Default(dmManual))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(true))
  // ParentShowHint, PopupMenu, ShowHint, Visible, OnClick, OnDblClick
  LUM_PUBLISHED_HINT_POPUP_VISIBLE_CLICKS
  LUM_PUBLISHED(TDragDropEvent, OnDragDrop, FOnDragDrop, TControl::SetOnDragDrop, NoDefault)
  LUM_PUBLISHED(TDragOverEvent, OnDragOver, FOnDragOver, TControl::SetOnDragOver, NoDefault)
  // OnMouseDown, OnMouseMove, OnMouseUp
  LUM_PUBLISHED_MOUSE_EVENTS

  void SetSkala(TLumTachoSkala Value);
  void SetSkalaNK(Byte Value);
  void SetLabelposition(TLabelposition Value);
  void SetZeigerfarbe(TColor Value);
  void SetZeigerbreite(Integer Value);
  void SetZeigerform(TZeigerform Value);
  void SetPinfarbe(TColor Value);
  void SetPinRadius(Integer Value);
  void SetSkalafarbe(TColor Value);
  void SetAnzahlIntervalle(Word Value);
  void SetMinWert(double Value);
  void SetMaxWert(double Value);
  void SetPosition(double Value);
  void SetTransparenz(bool Value);

  // The pointer's angle: Position's value angle, half a degree at the minimum.
  double PointerAngle() const;

protected:
  void Paint() override;

private:
  template <class T> void Change(T& Field, T Value);
  void PaintSector(const TTachoGeometry& Dial, double Angle);
  void PaintTicks(const TTachoGeometry& Dial);
  void PaintLabels(const TTachoGeometry& Dial);
  void PaintPointer(const TTachoGeometry& Dial, double Angle);

  double FAnglePerInterval = 0;
  TLumTachoSkala FScale = tsScaleLabels;
  Byte FScaleDecimals = 0;
  TLabelposition FLabelPosition = lpAussen;
  TColor FPointerColor = clRed;
  Integer FPointerWidth = 4;
  TZeigerform FPointerType = zfPfeil;
  TColor FPinColor = clGreen;
  Integer FPinRadius = 10;
  TColor FScaleColor = clBlack;
  Word FNumberOfIntervals = 10;
  double FMinValue = 0;
  double FMaxValue = 10;
  double FPosition = 0;
  bool FTransparent = false;
};
