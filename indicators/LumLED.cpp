#include "indicators/LumLED.h"

#include "framework/classes/Registry.h"
#include "framework/rtl/Maths.h"

namespace {

const bool LedRegistered = (RegisterClass<TLumLED>(), true);

int Nearest(double V) { return static_cast<int>(Round(V)); }

} // namespace

TLedLight LedLight(int Width, int Height) {
  const int w8 = Nearest(Width / 8.0), h8 = Nearest(Height / 8.0);
  const int w4 = Nearest(Width / 4.0), h4 = Nearest(Height / 4.0);
  const int w2 = Nearest(Width / 2.0), h2 = Nearest(Height / 2.0);
  const TRect outer = Rect(w8, h8, Width - w8, Height - h8);
  const TRect inner = Rect(w4, h4, Width - w4, Height - h4);
  return {{outer, {w2 - 1, 1}, {1, h2 - 1}},
          {inner, {w2, 1}, {1, h2}},
          {outer, {w2 + 1, Height}, {Width, h2 + 1}},
          {inner, {w2, Height}, {Width, h2}}};
}

TLumLED::TLumLED(TComponent* AOwner) : TGraphicControl(AOwner) {
  FWidth = 25;
  FHeight = 25;
}

template <class T> void TLumLED::Change(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Invalidate();
}

void TLumLED::SetFarbe(TColor Value) { Change(FLampColor, Value); }
void TLumLED::SetRandfarbe(TColor Value) { Change(FRandfarbe, Value); }
void TLumLED::SetRandbreite(Byte Value) { Change(FRandbreite, Value); }
void TLumLED::SetLichteffekt(bool Value) { Change(FLichteffekt, Value); }

void TLumLED::Sector(const TLedSector& S, TColor Colour) {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(Colour);
  canvas->Pen()->SetColor(Colour);
  canvas->Pie(S.Box.Left, S.Box.Top, S.Box.Right, S.Box.Bottom, S.Start.X, S.Start.Y, S.End.X,
              S.End.Y);
}

void TLumLED::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Pen()->SetStyle(psSolid);
  canvas->Brush()->SetColor(FLampColor);
  canvas->Pen()->SetColor(FRandfarbe);
  canvas->Pen()->SetWidth(FRandbreite);
  canvas->Ellipse(1, 1, FWidth, FHeight);
  if (!FLichteffekt) return;
  const TLedLight light = LedLight(FWidth, FHeight);
  Sector(light.Highlight, clWhite);
  Sector(light.HighlightCut, FLampColor);
  Sector(light.Shadow, clGray);
  Sector(light.ShadowCut, FLampColor);
}
