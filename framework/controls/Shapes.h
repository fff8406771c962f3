#pragma once

#include "framework/controls/GraphicControl.h"

LUM_ENUM(TShapeType, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle);

// A figure drawn with Pen and Brush; the square kinds and the circle are centred in the
// control at the smaller side's size. Changing the pen or the brush redraws it.
class TShape : public TGraphicControl {
  LUM_CLASS(TShape, TGraphicControl)
public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;

  LUM_PUBLISH_ANCHORS_CONSTRAINTS
  LUM_PUBLISH_DOCKING
  LUM_PUBLISHED(TBrushObject, Brush, FBrush.get(), SetBrush, NoDefault)
  LUM_PUBLISHED(TPenObject, Pen, FPen.get(), SetPen, NoDefault)
  LUM_PUBLISHED(TShapeType, Shape, FShape, SetShape, Default(stRectangle))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))

  // Copies the pen's or brush's properties.
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  void SetShape(TShapeType Value);

protected:
  void Paint() override;

private:
  void StyleChanged(TObject* Sender);

  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  TShapeType FShape = stRectangle;
};
