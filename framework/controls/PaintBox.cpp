#include "framework/controls/PaintBox.h"

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csReplicatable);
  FWidth = 105;
  FHeight = 105;
}

void TPaintBox::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  c->Brush()->SetColor(Color());
  if (FOnPaint) FOnPaint(this);
}
