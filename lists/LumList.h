#pragma once

#include "framework/controls/ListBoxes.h"
#include "lists/LumItems.h"

namespace LumList {

LUM_ENUM(TSelectedStyle, psStandard, psCheckbox, psBoldText, psOwnerDraw);
LUM_ENUM(TBitmapStyle, bsLeft, bsRight, bsCenter, bsStretch, bsPattern);
LUM_ENUM(TItemHeightStyle, ihFixFont, ihFont, ihBitmap, ihFontBitmap);
LUM_ENUM(TBackGroundStyle, bgsNone, bgsCenter, bgsStretch, bgsPattern);

class TLumList;

// The record of a list box item.
class TLumListEintrag : public TLumEintrag {
  LUM_CLASS(TLumListEintrag, TLumEintrag)
public:
  TLumListEintrag() = default;
};

// An entry of the collection (text and record) and the array of them.
using TLumListItem = TLumItem;
using TLumListListe = TLumItemListe;

// The items of a TLumList. Where it differs from its combo box twin: the first item is
// selected after an insertion into a list without selection; a changed height, a changed
// colour and every bulk run rebuild the host list (all rows measured again, once at the end
// of an update bracket or bulk run); Changed also fires the list box's OnChange.
class TLumListStrings : public TLumItemStrings {
  LUM_CLASS(TLumListStrings, TLumItemStrings)
public:
  explicit TLumListStrings(TLumList* AListBox);

  virtual TLumListEintrag* GetLumListEintrag(Integer Index) const;
  virtual void PutLumListEintrag(Integer Index, TLumListEintrag* E) { PutEintrag(Index, E); }

  TLumList* ListBox() const { return FListBox; }

protected:
  String DataPrefix() const override { return "LumList"; }
  std::unique_ptr<TLumEintrag> NewEintrag() const override;
  int OwnerItemIndex() override;
  void SetOwnerItemIndex(int Value) override;
  void RestoreSelection(int Remembered) override;
  void ItemHeightChanged(Integer) override { RequestRebuild(); }
  void ItemReplaced(Integer) override {}
  void ItemColorChanged() override { RequestRebuild(); }
  void BeginBulk() override { ++FBulkDepth; }
  void EndBulk() override;
  void UpdateEnded() override;
  void OwnerChanged() override;

private:
  // Rebuilds now, or at the end of the update bracket or bulk run that is open.
  void RequestRebuild();

  TLumList* FListBox;
  int FBulkDepth = 0;
  bool FRebuildPending = false;
};

// A list box whose items carry their own background colour, font, bitmap, hint and help
// context. It paints every item itself: highlighted, in bold or with a check box when
// selected (or leaves the drawing to OnDrawItem), with the bitmap at the left, right, centre,
// stretched or tiled, on a background picture, with tab stops; the mouse over an item shows
// that item's hint and help context.
class TLumList : public TCustomListBox {
  LUM_CLASS(TLumList, TCustomListBox)
public:
  explicit TLumList(TComponent* AOwner);
  ~TLumList() override;

  void Clear() override { FLumItems->Clear(); }
  // Opens the item editor window on this list; Accept changes it.
  void Edit_aufrufen();

  void SetItems(TLumListStrings* Value) { FLumItems->Assign(Value); }
  bool GetSorted() const { return FLumItems->Sorted(); }
  void SetSorted(bool Value) { FLumItems->SetSorted(Value); }
  void SetUseTabStops(bool Value);
  void SetSelectedStyle(TSelectedStyle Value);
  void SetBitmapStyle(TBitmapStyle Value);
  void SetItemHeightStyle(TItemHeightStyle Value);
  String GetTabStops() const { return JoinTabStops(FTabStops.get()); }
  void SetTabStops(const String& Value);
  void SetAnyColors(bool Value);
  void SetAnyFonts(bool Value);
  void SetHorzExtent(Word Value);
  void SetHorzScrollBar(bool Value);
  void SetBackground(TPicture* Value) { FBackground->Assign(Value); }
  void SetBackGroundStyle(TBackGroundStyle Value);

  // Every row measured again and the list repainted.
  void Rebuild();

  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TBorderStyle, BorderStyle, TCustomListBox::BorderStyle(),
                TCustomListBox::SetBorderStyle, Default(bsSingle))
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clWindow), Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(Integer, Columns, TCustomListBox::Columns(), TCustomListBox::SetColumns, Default(0))
  LUM_PUBLISHED(bool, Ctl3D, TWinControl::Ctl3D(), TWinControl::SetCtl3D, NoDefault,
                Stored(IsCtl3DStored))
  LUM_PUBLISHED(TCursor, DragCursor, FDragCursor, TControl::SetDragCursor, Default(crDrag),
                Idents(CursorIdents()))
  LUM_PUBLISHED(TDragMode, DragMode, FDragMode, TControl::SetDragMode, Default(dmManual))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(bool, ExtendedSelect, TCustomListBox::ExtendedSelect(),
                TCustomListBox::SetExtendedSelect, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, IntegralHeight, TCustomListBox::IntegralHeight(),
                TCustomListBox::SetIntegralHeight, Default(false))
  LUM_PUBLISHED(bool, MultiSelect, TCustomListBox::MultiSelect(), TCustomListBox::SetMultiSelect,
                Default(false))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(false))
  LUM_PUBLISHED(bool, ParentCtl3D, TWinControl::ParentCtl3D(), TWinControl::SetParentCtl3D,
                Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ParentShowHint, FParentShowHint, TControl::SetParentShowHint, Default(true))
  LUM_PUBLISHED(TComponent*, PopupMenu, FPopupMenu, TControl::SetPopupMenu, NoDefault)
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(true))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
  LUM_PUBLISHED(TDragDropEvent, OnDragDrop, FOnDragDrop, TControl::SetOnDragDrop, NoDefault)
  LUM_PUBLISHED(TDragOverEvent, OnDragOver, FOnDragOver, TControl::SetOnDragOver, NoDefault)
  LUM_PUBLISHED(TDrawItemEvent, OnDrawItem, TCustomListBox::OnDrawItem(),
                TCustomListBox::SetOnDrawItem, NoDefault)
  LUM_PUBLISHED(TEndDragEvent, OnEndDrag, FOnEndDrag, TControl::SetOnEndDrag, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
  LUM_PUBLISHED(TKeyEvent, OnKeyDown, TWinControl::OnKeyDown(), TWinControl::SetOnKeyDown,
                NoDefault)
  LUM_PUBLISHED(TKeyPressEvent, OnKeyPress, TWinControl::OnKeyPress(), TWinControl::SetOnKeyPress,
                NoDefault)
  LUM_PUBLISHED(TKeyEvent, OnKeyUp, TWinControl::OnKeyUp(), TWinControl::SetOnKeyUp, NoDefault)
  LUM_PUBLISHED(TMeasureItemEvent, OnMeasureItem, TCustomListBox::OnMeasureItem(),
                TCustomListBox::SetOnMeasureItem, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseDown, FOnMouseDown, TControl::SetOnMouseDown, NoDefault)
  LUM_PUBLISHED(TMouseMoveEvent, OnMouseMove, FOnMouseMove, TControl::SetOnMouseMove, NoDefault)
  LUM_PUBLISHED(TMouseEvent, OnMouseUp, FOnMouseUp, TControl::SetOnMouseUp, NoDefault)

  LUM_PUBLISHED(TLumListStrings*, Items, FLumItems, SetItems, NoDefault)
  LUM_PUBLISHED(bool, Sorted, GetSorted(), SetSorted, NoDefault)
  LUM_PUBLISHED(bool, UseTabStops, FUseTabStops, SetUseTabStops, Default(true))
  LUM_PUBLISHED(TSelectedStyle, SelectedStyle, FSelectedStyle, SetSelectedStyle,
                Default(psStandard))
  LUM_PUBLISHED(TBitmapStyle, BitmapStyle, FBitmapStyle, SetBitmapStyle, Default(bsLeft))
  LUM_PUBLISHED(TItemHeightStyle, ItemHeightStyle, FItemHeightStyle, SetItemHeightStyle,
                Default(ihFixFont))
  LUM_PUBLISHED(String, TabStops, GetTabStops(), SetTabStops, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnChange, FOnChange, Field, NoDefault)
  LUM_PUBLISHED(bool, AnyColors, FAnyColors, SetAnyColors, Default(true))
  LUM_PUBLISHED(bool, AnyFonts, FAnyFonts, SetAnyFonts, Default(true))
  LUM_PUBLISHED(Word, HorzExtent, FHorzExtent, SetHorzExtent, Default(Word{0}))
  LUM_PUBLISHED(bool, HorzScrollBar, FHorzScrollBar, SetHorzScrollBar, Default(false))
  LUM_PUBLISHED(TPicture*, Background, FBackground, SetBackground, NoDefault)
  LUM_PUBLISHED(TBackGroundStyle, BackGroundStyle, FBackGroundStyle, SetBackGroundStyle, NoDefault)

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
  void MeasureItem(int Index, int& Height) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void WMEraseBkgnd(TMessage& Message) override;
  void WMPaint(TMessage& Message) override;
  // Paints the background picture under Area of the client area.
  void PaintBackground(TCanvas* Canvas, const TRect& Area);

private:
  enum class TItemMode { Standard, Bold, CheckBox };

  bool HasBackground() const;
  void PaintItem(TItemMode Mode, int Index, const TRect& R, TOwnerDrawState State);
  void ShowHorzScrollBar();

  std::unique_ptr<TLumListStrings> FLumItems;
  std::unique_ptr<TStringList> FTabStops;
  std::unique_ptr<TPicture> FBackground;
  bool FUseTabStops = true;
  TSelectedStyle FSelectedStyle = psStandard;
  TBitmapStyle FBitmapStyle = bsLeft;
  TItemHeightStyle FItemHeightStyle = ihFixFont;
  TNotifyEvent FOnChange;
  bool FAnyColors = true;
  bool FAnyFonts = true;
  Word FHorzExtent = 0;
  bool FHorzScrollBar = false;
  TBackGroundStyle FBackGroundStyle = bgsNone;

  friend class TLumListStrings;
};

} // namespace LumList

using LumList::TLumList;
using LumList::TLumListEintrag;
using LumList::TLumListItem;
using LumList::TLumListListe;
using LumList::TLumListStrings;
