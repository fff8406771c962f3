#pragma once

#include "framework/controls/GraphicControl.h"
#include "framework/controls/ItemStrings.h"

#include <vector>

// What an owner-drawn item is in (the ODS_ flags, bit for bit).
LUM_ENUM(TOwnerDrawStateItem, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault,
         odHotLight, odInactive, odNoAccel, odNoFocusRect, odReserved1, odReserved2,
         odComboBoxEdit);
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;

using TDrawItemEvent =
    std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

LUM_ENUM(TListBoxStyle, lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable);

// A list box over the system class "ListBox": standard or owner-drawn items with fixed or
// variable heights, single, multiple or extended selection, columns and tab stops.
class TCustomListBox : public TWinControl {
  LUM_CLASS(TCustomListBox, TWinControl)
public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value);
  int ItemIndex();
  void SetItemIndex(int Value);
  int TopIndex();
  void SetTopIndex(int Value);
  // The owner-drawn height; a standard list answers its window's row height.
  int ItemHeight() const;
  virtual void SetItemHeight(int Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value);
  bool Selected(int Index);
  void SetSelected(int Index, bool Value);
  int SelCount();
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value);
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value);
  int TabWidth() const { return FTabWidth; }
  void SetTabWidth(int Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TCanvas* Canvas() const { return FCanvas.get(); }

  // The item under a client point; outside every item -1 when Existing, else Count.
  int ItemAtPos(TPoint Pos, bool Existing);
  // The item's rectangle; for Index = Count the one below the last item.
  TRect ItemRect(int Index);
  virtual void Clear();
  void SelectAll();
  void ClearSelection();

  const TDrawItemEvent& OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent Value) { FOnDrawItem = std::move(Value); }
  const TMeasureItemEvent& OnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(TMeasureItemEvent Value) { FOnMeasureItem = std::move(Value); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;
  void WMSize(TMessage& Message) override;
  virtual void CNCommand(TMessage& Message);
  virtual void CNDrawItem(TMessage& Message);
  virtual void CNMeasureItem(TMessage& Message);
  virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);

  std::unique_ptr<TItemStrings> FItems;
  TListBoxStyle FStyle = lbStandard;
  int FItemHeight = 16;

private:
  void SaveEntries();
  void RestoreEntries();
  void SetColumnWidth();

  int FSavedItemIndex = -1;
  int FSavedTopIndex = 0;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  bool FIntegralHeight = false;
  int FColumns = 0;
  int FTabWidth = 0;
  TBorderStyle FBorderStyle = bsSingle;
  std::unique_ptr<TControlCanvas> FCanvas;
  TDrawItemEvent FOnDrawItem;
  TMeasureItemEvent FOnMeasureItem;
};

class TListBox : public TCustomListBox {
  LUM_CLASS(TListBox, TCustomListBox)
public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISH_IME
  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TBorderStyle, BorderStyle, TCustomListBox::BorderStyle(),
                TCustomListBox::SetBorderStyle, Default(bsSingle))
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clWindow), Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(Integer, Columns, TCustomListBox::Columns(), TCustomListBox::SetColumns, Default(0))
  LUM_PUBLISHED(bool, Ctl3D, TWinControl::Ctl3D(), TWinControl::SetCtl3D, NoDefault,
                Stored(IsCtl3DStored))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(bool, ExtendedSelect, TCustomListBox::ExtendedSelect(),
                TCustomListBox::SetExtendedSelect, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(bool, IntegralHeight, TCustomListBox::IntegralHeight(),
                TCustomListBox::SetIntegralHeight, Default(false))
  LUM_PUBLISHED(Integer, ItemHeight, TCustomListBox::ItemHeight(), TCustomListBox::SetItemHeight,
                NoDefault)
  LUM_PUBLISHED(TStrings*, Items, FItems, TCustomListBox::SetItems, NoDefault)
  LUM_PUBLISHED(bool, MultiSelect, TCustomListBox::MultiSelect(), TCustomListBox::SetMultiSelect,
                Default(false))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(false))
  LUM_PUBLISHED(bool, ParentCtl3D, TWinControl::ParentCtl3D(), TWinControl::SetParentCtl3D,
                Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(bool, Sorted, TCustomListBox::Sorted(), TCustomListBox::SetSorted, Default(false))
  LUM_PUBLISHED(TListBoxStyle, Style, FStyle, TCustomListBox::SetStyle, Default(lbStandard))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(true))
  LUM_PUBLISHED(Integer, TabWidth, TCustomListBox::TabWidth(), TCustomListBox::SetTabWidth,
                Default(0))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
  LUM_PUBLISHED(TDrawItemEvent, OnDrawItem, TCustomListBox::OnDrawItem(),
                TCustomListBox::SetOnDrawItem, NoDefault)
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
};
