#include "framework/controls/Shapes.h"

#include <algorithm>

namespace {

bool IsSquareKind(TShapeType Shape) {
  return Shape == stSquare || Shape == stRoundSquare || Shape == stCircle;
}

} // namespace

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  FControlStyle.Include(csReplicatable);
  FWidth = 65;
  FHeight = 65;
  FPen->SetOnChange([this](TObject* Sender) { StyleChanged(Sender); });
  FBrush->SetOnChange([this](TObject* Sender) { StyleChanged(Sender); });
}

TShape::~TShape() {
  FPen->SetOnChange(nullptr);
  FBrush->SetOnChange(nullptr);
}

void TShape::SetShape(TShapeType Value) {
  if (Value == FShape) return;
  FShape = Value;
  Invalidate();
}

void TShape::StyleChanged(TObject*) { Invalidate(); }

void TShape::Paint() {
  TCanvas* c = Canvas();
  c->Pen()->Assign(FPen.get());
  c->Brush()->Assign(FBrush.get());
  const int penWidth = FPen->Width();
  int x = penWidth / 2;
  int y = x;
  int w = Width() - penWidth + 1;
  int h = Height() - penWidth + 1;
  if (penWidth == 0) {
    --w;
    --h;
  }
  const int side = std::min(w, h);
  if (IsSquareKind(FShape)) {
    x += (w - side) / 2;
    y += (h - side) / 2;
    w = side;
    h = side;
  }
  switch (FShape) {
  case stRectangle:
  case stSquare:
    return c->Rectangle(x, y, x + w, y + h);
  case stRoundRect:
  case stRoundSquare:
    return c->RoundRect(x, y, x + w, y + h, side / 4, side / 4);
  case stEllipse:
  case stCircle:
    return c->Ellipse(x, y, x + w, y + h);
  }
}
