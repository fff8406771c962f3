#pragma once

#include "framework/controls/GraphicControl.h"

// The four filled quarter sectors of the light effect, in drawing order.
struct TLedSector {
  TRect Box;
  TPoint Start, End;
};
struct TLedLight {
  TLedSector Highlight; // white, upper left
  TLedSector HighlightCut;
  TLedSector Shadow; // grey, lower right
  TLedSector ShadowCut;
};
// The sectors for a lamp Width by Height pixels.
TLedLight LedLight(int Width, int Height);

// A round or elliptical lamp with a rim; with Lichteffekt a white crescent at the upper
// left and a grey one at the lower right make it look domed. Switched on and off by Color.
class TLumLED : public TGraphicControl {
  LUM_CLASS(TLumLED, TGraphicControl)
public:
  explicit TLumLED(TComponent* AOwner);

  LUM_PUBLISHED(Integer, Width, FWidth, TControl::SetWidth, Default(25), Stored(IsBoundsStored))
  LUM_PUBLISHED(Integer, Height, FHeight, TControl::SetHeight, Default(25), Stored(IsBoundsStored))
  LUM_PUBLISHED(TColor, Color, FLampColor, SetFarbe, Default(clGreen), Idents(ColorIdents()))
  LUM_PUBLISHED(TColor, Randfarbe, FRandfarbe, SetRandfarbe, Default(clBlack),
                Idents(ColorIdents()))
  LUM_PUBLISHED(Byte, Randbreite, FRandbreite, SetRandbreite, Default(1))
  LUM_PUBLISHED(bool, Lichteffekt, FLichteffekt, SetLichteffekt, Default(false))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
  LUM_PUBLISHED(TDragDropEvent, OnDragDrop, FOnDragDrop, TControl::SetOnDragDrop, NoDefault)
  LUM_PUBLISHED(TDragOverEvent, OnDragOver, FOnDragOver, TControl::SetOnDragOver, NoDefault)
  LUM_PUBLISHED(TEndDragEvent, OnEndDrag, FOnEndDrag, TControl::SetOnEndDrag, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseDown, FOnMouseDown, TControl::SetOnMouseDown, NoDefault)
  LUM_PUBLISHED(TMouseMoveEvent, OnMouseMove, FOnMouseMove, TControl::SetOnMouseMove, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseUp, FOnMouseUp, TControl::SetOnMouseUp, NoDefault)

  void SetFarbe(TColor Value);
  void SetRandfarbe(TColor Value);
  void SetRandbreite(Byte Value);
  void SetLichteffekt(bool Value);

protected:
  void Paint() override;

private:
  template <class T> void Change(T& Field, T Value);
  void Sector(const TLedSector& S, TColor Colour);

  TColor FLampColor = clGreen;
  TColor FRandfarbe = clBlack;
  Byte FRandbreite = 1;
  bool FLichteffekt = false;
};
