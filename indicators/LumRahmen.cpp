#include "indicators/LumRahmen.h"

#include "framework/classes/Registry.h"

#include <algorithm>

namespace {

const bool FrameRegistered = (RegisterClass<TLumFrame>(), true);

} // namespace

TLumFrame::TLumFrame(TComponent* AOwner) : TCustomPanel(AOwner) {
  const TComponentState state = ComponentState();
  if (!state.Contains(csDesigning) || state.Contains(csLoading)) return;
  SetBorderWidth(8);
  SetColor(clTeal);
  FCornerBrightColor = clYellow;
  FCornerDarkColor = clOlive;
}

void TLumFrame::SetCornerBrightColor(TColor Value) {
  if (Value == FCornerBrightColor) return;
  FCornerBrightColor = Value;
  Invalidate();
}

void TLumFrame::SetCornerDarkColor(TColor Value) {
  if (Value == FCornerDarkColor) return;
  FCornerDarkColor = Value;
  Invalidate();
}

void TLumFrame::Segment(int X1, int Y1, int X2, int Y2) {
  Canvas()->MoveTo(X1, Y1);
  Canvas()->LineTo(X2, Y2);
}

void TLumFrame::Box(int X1, int Y1, int X2, int Y2) {
  Canvas()->Rectangle(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
}

void TLumFrame::PenColour(TColor Colour) { Canvas()->Pen()->SetColor(Colour); }

void TLumFrame::PaintBorderLines(int W, int H) {
  PenColour(clBlack);
  Segment(0, 0, 0, H);
  PenColour(clSilver);
  Segment(1, 0, 1, H);
  PenColour(clBlack);
  Segment(4, 0, 4, H);
  PenColour(clSilver);
  Segment(W - 4, 0, W - 4, H);
  PenColour(clBlack);
  Segment(W - 1, 0, W - 1, H);

  Segment(0, 0, W, 0);
  PenColour(clSilver);
  Segment(0, 1, W, 1);
  PenColour(clBlack);
  Segment(0, 4, W, 4);
  PenColour(clSilver);
  Segment(0, H - 4, W, H - 4);
  PenColour(clBlack);
  Segment(0, H - 1, W, H - 1);
}

void TLumFrame::PaintCornerLines(int W, int H) {
  const TColor bright = FCornerBrightColor;
  PenColour(bright);
  Segment(1, 1, 1, 15);
  Segment(1, 1, 15, 1);
  Segment(1, H - 1, 1, H - 16);
  PenColour(clBlack);
  Segment(W - 2, H - 1, W - 15, H - 1);
  Segment(W - 1, H - 1, W - 1, H - 15);
  PenColour(bright);
  Segment(W - 15, H - 1, W - 16, H - 1);
  Segment(W - 1, H - 15, W - 1, H - 16);
  Segment(W - 15, 1, W - 1, 1);
  PenColour(clBlack);
  Canvas()->Brush()->SetColor(clBlack);
  Segment(5, 5, 5, 12);
  Segment(5, 5, 12, 5);
  Segment(5, H - 5, 5, H - 12);
  Segment(5, H - 5, 12, H - 5);
  PenColour(bright);
  Segment(6, H - 5, 11, H - 5);
  Segment(W - 5, H - 5, W - 5, H - 12);
  Segment(W - 5, H - 5, W - 12, H - 5);
  PenColour(clBlack);
  Segment(W - 11, 5, W - 5, 5);
  PenColour(bright);
  Segment(W - 5, 5, W - 5, 13);
  PenColour(clBlack);
  Segment(1, 15, 4, 12);
  Segment(2, H - 13, 3, H - 12);
  Segment(4, H - 11, 4, H - 11);
  Segment(15, 1, 12, 4);
  PenColour(bright);
  Segment(2, H - 14, 5, H - 11);
  PenColour(clBlack);
  Segment(11, H - 5, 15, H - 1);
  PenColour(bright);
  Segment(W - 15, H - 1, W - 10, H - 6);
  Segment(W - 1, H - 15, W - 6, H - 10);
  PenColour(clBlack);
  Segment(W - 1, 16, W - 5, 12);
  Segment(W - 14, 2, W - 12, 4);
}

void TLumFrame::PaintCornerFills(int W, int H) {
  Canvas()->Brush()->SetColor(FCornerDarkColor);
  PenColour(FCornerDarkColor);
  // Top left.
  Box(2, 2, 5, 12);
  Box(2, 2, 12, 5);
  Segment(12, 2, 14, 2);
  Segment(12, 3, 13, 3);
  Segment(2, 12, 2, 14);
  Segment(3, 12, 3, 13);
  // Bottom left.
  Box(2, H - 1, 12, H - 4);
  Box(2, H - 2, 5, H - 11);
  Segment(2, H - 13, 3, H - 12);
  Segment(2, H - 12, 4, H - 12);
  Segment(4, H - 11, 4, H - 11);
  Segment(12, H - 3, 13, H - 2);
  Segment(14, H - 1, 14, H - 1);
  Segment(12, H - 2, 14, H - 2);
  // Bottom right.
  Box(W - 1, H - 1, W - 11, H - 4);
  Box(W - 1, H - 1, W - 4, H - 11);
  Segment(W - 3, H - 12, W - 1, H - 12);
  Segment(W - 2, H - 13, W - 1, H - 13);
  Segment(W - 12, H - 3, W - 12, H - 1);
  Segment(W - 13, H - 2, W - 13, H - 1);
  // Top right.
  Box(W - 11, 2, W - 1, 5);
  Box(W - 1, 13, W - 4, 2);
  Segment(W - 12, 2, W - 12, 4);
  Segment(W - 13, 2, W - 13, 1);
  Segment(W - 2, 13, W - 4, 13);
  Segment(W - 2, 14, W - 1, 14);
}

void TLumFrame::PaintOuterCornerEdges(int W, int H) {
  PenColour(clBlack);
  Segment(0, 0, 0, 10);
  Segment(0, H - 1, 13, H - 1);
  Segment(0, H - 1, 0, H - 14);
  Segment(W - 1, 0, W - 14, 0);
  Segment(W - 1, 0, W - 1, 13);
  Segment(W - 1, H - 1, W - 14, H - 1);
  Segment(W - 1, H - 1, W - 1, H - 14);
}

void TLumFrame::Paint() {
  const int w = FWidth, h = FHeight;
  Canvas()->Brush()->SetColor(FColor);
  Canvas()->Rectangle(0, 0, w, h);
  PaintBorderLines(w, h);
  PaintCornerLines(w, h);
  PaintCornerFills(w, h);
  PaintOuterCornerEdges(w, h);
}
