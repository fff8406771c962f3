#pragma once

#include "framework/controls/Panels.h"

// A container panel drawn as a picture frame: a triple-line border in black and silver with
// ornamental corners in a light and a dark colour. BorderWidth keeps the controls placed
// inside clear of the border; the caption is not drawn.
class TLumFrame : public TCustomPanel {
  LUM_CLASS(TLumFrame, TCustomPanel)
public:
  // Dropped on a form in the designer, a new frame starts teal with yellow and olive corners
  // and a border width of 8; otherwise both corner colours start black.
  explicit TLumFrame(TComponent* AOwner);

  LUM_PUBLISHED(TColor, CornerBrightColor, FCornerBrightColor, SetCornerBrightColor, NoDefault,
                Idents(ColorIdents()))
  LUM_PUBLISHED(TColor, CornerDarkColor, FCornerDarkColor, SetCornerDarkColor, NoDefault,
                Idents(ColorIdents()))

  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TBorderStyle, BorderStyle, TCustomPanel::BorderStyle(),
                TCustomPanel::SetBorderStyle, Default(bsNone))
  LUM_PUBLISHED(TBorderWidth, BorderWidth, FBorderWidth, TCustomPanel::SetBorderWidth, Default(0))
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clBtnFace),
                Idents(ColorIdents()), Stored(IsColorStored))
  LUM_PUBLISHED(bool, Ctl3D, TWinControl::Ctl3D(), TWinControl::SetCtl3D, NoDefault,
                Stored(IsCtl3DStored))
  LUM_PUBLISHED(TCursor, DragCursor, FDragCursor, TControl::SetDragCursor, Default(crDrag),
                Idents(CursorIdents()))
  LUM_PUBLISHED(TDragMode, DragMode, FDragMode, TControl::SetDragMode, Default(dmManual))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(false))
  LUM_PUBLISHED(bool, ParentCtl3D, TWinControl::ParentCtl3D(), TWinControl::SetParentCtl3D,
                Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ParentShowHint, FParentShowHint, TControl::SetParentShowHint, Default(true))
  LUM_PUBLISHED(TComponent*, PopupMenu, FPopupMenu, TControl::SetPopupMenu, NoDefault)
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(false))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
  LUM_PUBLISHED(TDragDropEvent, OnDragDrop, FOnDragDrop, TControl::SetOnDragDrop, NoDefault)
  LUM_PUBLISHED(TDragOverEvent, OnDragOver, FOnDragOver, TControl::SetOnDragOver, NoDefault)
  LUM_PUBLISHED(TEndDragEvent, OnEndDrag, FOnEndDrag, TControl::SetOnEndDrag, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseDown, FOnMouseDown, TControl::SetOnMouseDown, NoDefault)
  LUM_PUBLISHED(TMouseMoveEvent, OnMouseMove, FOnMouseMove, TControl::SetOnMouseMove, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseUp, FOnMouseUp, TControl::SetOnMouseUp, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnResize, FOnResize, TControl::SetOnResize, NoDefault)
  LUM_PUBLISHED(TStartDragEvent, OnStartDrag, FOnStartDrag, TControl::SetOnStartDrag, NoDefault)

  void SetCornerBrightColor(TColor Value);
  void SetCornerDarkColor(TColor Value);

protected:
  void Paint() override;

private:
  void Segment(int X1, int Y1, int X2, int Y2);
  void Box(int X1, int Y1, int X2, int Y2);
  void PenColour(TColor Colour);
  void PaintBorderLines(int W, int H);
  void PaintCornerLines(int W, int H);
  void PaintCornerFills(int W, int H);
  void PaintOuterCornerEdges(int W, int H);

  TColor FCornerBrightColor = clBlack;
  TColor FCornerDarkColor = clBlack;
};
