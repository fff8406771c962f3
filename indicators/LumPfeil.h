#pragma once

#include "framework/controls/GraphicControl.h"

#include <array>

LUM_ENUM(TLumArrowTyp, ptNormal, ptArc, ptAntiArc);

// The outline of a straight arrow from S to T (control coordinates), a band Width pixels
// wide whose head starts a tenth of the length before T: seven points, drawn closed.
std::array<TPoint, 7> ArrowOutline(TPoint S, TPoint T, int Width);

// The pieces of an arc arrow from S to T: a half-circle band around the midpoint bending to
// one side (ptArc) or the other (ptAntiArc), with its head at T.
struct TArcArrowShape {
  struct TArc {
    TRect Box;
    TPoint From, To; // counter-clockwise
  };
  TArc Inner, Outer;
  TPoint EdgeFrom, EdgeTo;    // the band's start edge
  std::array<TPoint, 5> Head; // a polyline
  TPoint FillAt;
};
TArcArrowShape ArcArrowShape(TPoint S, TPoint T, int Width, TLumArrowTyp Type);

// The bounds the control takes around an arrow between two parent points.
TRect ArrowBounds(TPoint Start, TPoint Target, int Width, TLumArrowTyp Type);

// An arrow from a start point to a target point of the parent: straight, or a half-circle
// band to one side or the other. The control sizes itself around the arrow, and moving the
// control moves both points with it.
class TLumArrow : public TGraphicControl {
  LUM_CLASS(TLumArrow, TGraphicControl)
public:
  explicit TLumArrow(TComponent* AOwner);

  LUM_PUBLISHED(TLumArrowTyp, ArrowType, FArrowType, SetArrowTyp, Default(ptNormal))
  LUM_PUBLISHED(Integer, ArrowWidth, FArrowWidth, SetArrowWidth, Default(10))
  LUM_PUBLISHED(Integer, StartX, FStartX, SetStartX, Default(10))
  LUM_PUBLISHED(Integer, StartY, FStartY, SetStartY, Default(10))
  LUM_PUBLISHED(Integer, TargetX, FTargetX, SetTargetX, Default(60))
  LUM_PUBLISHED(Integer, TargetY, FTargetY, SetTargetY, Default(60))
  LUM_PUBLISHED(bool, Transparent, FTransparent, SetTransparent, Default(false))
  LUM_PUBLISHED(TPen*, Pen, FPen.get(), SetPen, NoDefault)
  LUM_PUBLISHED(TBrush*, Brush, FBrush.get(), SetBrush, NoDefault)
  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TCursor, DragCursor, FDragCursor, TControl::SetDragCursor, Default(crDrag),
                Idents(CursorIdents()))
  LUM_PUBLISHED(TDragMode, DragMode, FDragMode, TControl::SetDragMode, Default(dmManual))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(bool, ParentShowHint, FParentShowHint, TControl::SetParentShowHint, Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TDragDropEvent, OnDragDrop, FOnDragDrop, TControl::SetOnDragDrop, NoDefault)
  LUM_PUBLISHED(TDragOverEvent, OnDragOver, FOnDragOver, TControl::SetOnDragOver, NoDefault)
  LUM_PUBLISHED(TEndDragEvent, OnEndDrag, FOnEndDrag, TControl::SetOnEndDrag, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseDown, FOnMouseDown, TControl::SetOnMouseDown, NoDefault)
  LUM_PUBLISHED(TMouseMoveEvent, OnMouseMove, FOnMouseMove, TControl::SetOnMouseMove, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseUp, FOnMouseUp, TControl::SetOnMouseUp, NoDefault)
  LUM_PUBLISHED(TStartDragEvent, OnStartDrag, FOnStartDrag, TControl::SetOnStartDrag, NoDefault)

  void SetArrowTyp(TLumArrowTyp Value);
  void SetArrowWidth(Integer Value);
  void SetStartX(Integer Value);
  void SetStartY(Integer Value);
  void SetTargetX(Integer Value);
  void SetTargetY(Integer Value);
  void SetTransparent(bool Value);
  // Takes over the pen's or brush's settings.
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

  // Places the control around the arrow.
  void Anpassen();

protected:
  void Paint() override;
  void Loaded() override;
  // A move of the control carries both points with it, except while loading: the points
  // read from the form file are where they belong.
  void WMWindowPosChanged(TMessage& Message) override;
  void StyleChanged(TObject* Sender);

private:
  template <class T> void ChangeShape(T& Field, T Value);
  void PaintStraight(TPoint S, TPoint T);
  void PaintArc(TPoint S, TPoint T);

  std::unique_ptr<TPen> FPen;
  std::unique_ptr<TBrush> FBrush;
  TLumArrowTyp FArrowType = ptNormal;
  Integer FArrowWidth = 10;
  Integer FStartX = 10;
  Integer FStartY = 10;
  Integer FTargetX = 60;
  Integer FTargetY = 60;
  TPoint FLastPosition;
  bool FTransparent = false;
  bool FAdjusting = false;
};
