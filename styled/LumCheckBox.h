#pragma once

#include "framework/controls/Labels.h"
#include "framework/controls/WinControl.h"

LUM_ENUM(TLumCheckBoxPosition, lcbpLeftTop, lcbpLeftCenter, lcbpLeftBottom, lcbpRightTop,
         lcbpRightCenter, lcbpRightBottom, lcbpCenterTop, lcbpCenterBottom);
LUM_ENUM(TLumCheckBoxSize, lcbsSmall, lcbsNormal, lcbsLarge, lcbsLargest);
LUM_ENUM(TLumCheckBoxStyle, lcbsSunken, lcbsRaised, lcbsBump, lcbsEtched);
LUM_ENUM(TLumFocusStyle, lfsNormal, lfsLine, lfsFill);
LUM_ENUM(TLumHookStyle, lhsHook, lhsCross, lhsFill);

// The box's edge length in pixels: 11, 13, 15 or 17.
int CheckBoxEdge(TLumCheckBoxSize Size);
// The box in a client rectangle R, placed by Position.
TRect CheckBoxRect(const TRect& R, TLumCheckBoxPosition Position, TLumCheckBoxSize Size);
// The caption's area: the client rectangle R beside, above or below the box B.
TRect CheckBoxTextRect(const TRect& R, const TRect& B, TLumCheckBoxPosition Position);

// The windowed stand-in of a check box: no size, no look of its own; it holds the check
// box's place in the tab order and takes the focus and the keys for it.
class TLumDummyControl : public TWinControl {
  LUM_CLASS(TLumDummyControl, TWinControl)
public:
  explicit TLumDummyControl(TComponent* AOwner);
};

// A check box drawn by the library: a box with a chosen edge, size and place around the
// caption, a tick, cross or filled mark, and a focus marker. Its companion control takes
// the focus; Space toggles it like a click.
class TLumCheckBox : public TCustomLabel {
  LUM_CLASS(TLumCheckBox, TCustomLabel)
public:
  explicit TLumCheckBox(TComponent* AOwner);
  ~TLumCheckBox() override;

  LUM_PUBLISHED(bool, Checked, FChecked, SetChecked, Default(false))
  LUM_PUBLISHED(TLumCheckBoxPosition, CheckBoxPosition, FCheckBoxPosition, SetCheckBoxPosition,
                Default(lcbpLeftTop))
  LUM_PUBLISHED(TLumCheckBoxSize, CheckBoxSize, FCheckBoxSize, SetCheckBoxSize, Default(lcbsNormal))
  LUM_PUBLISHED(TLumCheckBoxStyle, CheckBoxStyle, FCheckBoxStyle, SetCheckBoxStyle,
                Default(lcbsSunken))
  LUM_PUBLISHED(bool, CheckBoxTransparent, FCheckBoxTransparent, SetCheckBoxTransparent,
                Default(false))
  LUM_PUBLISHED(TColor, FocusColor, FFocusColor, SetFocusColor, Default(clBlack),
                Idents(ColorIdents()))
  LUM_PUBLISHED(TLumFocusStyle, FocusStyle, FFocusStyle, SetFocusStyle, Default(lfsNormal))
  LUM_PUBLISHED(TLumHookStyle, HookStyle, FHookStyle, SetHookStyle, Default(lhsHook))
  LUM_PUBLISHED(TColor, HookColor, FHookColor, SetHookColor, Default(clBtnText),
                Idents(ColorIdents()))
  LUM_PUBLISHED(Integer, TabOrder, FCompanion->TabOrder(), SetTabOrder, NoDefault)
  LUM_PUBLISHED(bool, TabStop, FCompanion->TabStop(), SetTabStop, Default(true))

  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TAlignment, Alignment, TCustomLabel::Alignment(), TCustomLabel::SetAlignment,
                Default(taLeftJustify))
  LUM_PUBLISH_ANCHORS_CONSTRAINTS
  LUM_PUBLISH_BIDI_MODE
  LUM_PUBLISHED(String, Caption, GetText(), TControl::SetText, NoDefault)
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, NoDefault, Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(TCursor, DragCursor, FDragCursor, TControl::SetDragCursor, Default(crDrag),
                Idents(CursorIdents()))
  LUM_PUBLISHED(TDragKind, DragKind, FDragKind, TControl::SetDragKind, Default(dkDrag))
  LUM_PUBLISHED(TDragMode, DragMode, FDragMode, TControl::SetDragMode, Default(dmManual))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ParentShowHint, FParentShowHint, TControl::SetParentShowHint, Default(true))
  LUM_PUBLISHED(TComponent*, PopupMenu, FPopupMenu, TControl::SetPopupMenu, NoDefault)
  LUM_PUBLISHED(bool, ShowAccelChar, TCustomLabel::ShowAccelChar(), TCustomLabel::SetShowAccelChar,
                Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(bool, Transparent, TCustomLabel::Transparent(), TCustomLabel::SetTransparent,
                Default(false))
  LUM_PUBLISHED(TTextLayout, Layout, TCustomLabel::Layout(), TCustomLabel::SetLayout,
                Default(tlTop))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(bool, WordWrap, TCustomLabel::WordWrap(), TCustomLabel::SetWordWrap, Default(false))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
  LUM_PUBLISHED(TDragDropEvent, OnDragDrop, FOnDragDrop, TControl::SetOnDragDrop, NoDefault)
  LUM_PUBLISHED(TDragOverEvent, OnDragOver, FOnDragOver, TControl::SetOnDragOver, NoDefault)
  LUM_PUBLISHED(TEndDragEvent, OnEndDock, FOnEndDock, TControl::SetOnEndDock, NoDefault)
  LUM_PUBLISHED(TEndDragEvent, OnEndDrag, FOnEndDrag, TControl::SetOnEndDrag, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseDown, FOnMouseDown, TControl::SetOnMouseDown, NoDefault)
  LUM_PUBLISHED(TMouseMoveEvent, OnMouseMove, FOnMouseMove, TControl::SetOnMouseMove, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseUp, FOnMouseUp, TControl::SetOnMouseUp, NoDefault)
  LUM_PUBLISHED(TStartDockEvent, OnStartDock, FOnStartDock, TControl::SetOnStartDock, NoDefault)
  LUM_PUBLISHED(TStartDragEvent, OnStartDrag, FOnStartDrag, TControl::SetOnStartDrag, NoDefault)

  void SetChecked(bool Value);
  void SetCheckBoxPosition(TLumCheckBoxPosition Value);
  void SetCheckBoxSize(TLumCheckBoxSize Value);
  void SetCheckBoxStyle(TLumCheckBoxStyle Value);
  void SetCheckBoxTransparent(bool Value);
  void SetFocusColor(TColor Value);
  void SetFocusStyle(TLumFocusStyle Value);
  void SetHookStyle(TLumHookStyle Value);
  void SetHookColor(TColor Value);
  // -1 … 32767, else ERangeError; kept for Loaded as well.
  void SetTabOrder(Integer Value);
  void SetTabStop(bool Value);

  // The control that takes the focus and the keys in the check box's place.
  TLumDummyControl* Companion() const { return FCompanion; }
  // While the companion has the focus.
  bool IsFocused() const { return FFocused; }

protected:
  void Paint() override;
  void Loaded() override;
  // A mouse click: toggles, focuses the companion, repaints, then OnClick.
  void Click() override;
  // The companion follows the check box's Enabled and Visible.
  void CMEnabledChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;

private:
  template <class T> void Change(T& Field, const T& Value);
  // The companion's window procedure: Space toggles, then every message goes on.
  void KeyboardFilter(TMessage& Message);
  void FocusEnter(TObject* Sender);
  void FocusExit(TObject* Sender);
  void PaintBox(const TRect& B);
  void PaintMark(const TRect& B);
  void PaintFocus(const TRect& F);
  void PaintCaption(TRect T);

  bool FChecked = false;
  TLumCheckBoxPosition FCheckBoxPosition = lcbpLeftTop;
  TLumCheckBoxSize FCheckBoxSize = lcbsNormal;
  TLumCheckBoxStyle FCheckBoxStyle = lcbsSunken;
  bool FCheckBoxTransparent = false;
  TColor FFocusColor = clBlack;
  TLumFocusStyle FFocusStyle = lfsNormal;
  TLumHookStyle FHookStyle = lhsHook;
  TColor FHookColor = clBtnText;
  bool FFocused = false;
  Integer FStoredTabOrder = 0;
  TLumDummyControl* FCompanion = nullptr;
};
