#pragma once

#include "framework/controls/ComboBoxes.h"
#include "lists/LumItems.h"

namespace LumComboBox {

LUM_ENUM(TBitmapStyle, bscLeft, bscRight, bscCenter, bscStretch);
LUM_ENUM(TItemHeightStyle, ihcFix, ihcFont, ihcBitmap, ihcFontBitmap);
LUM_ENUM(TBackGroundStyle, bgscNone, bgscCenter, bgscStretch, bgscPattern);
LUM_ENUM(TImeMode, imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata,
         imKata, imChinese, imSHanguel, imHanguel);
using TImeName = String;

class TLumComboBox;

// The record of a combo box item.
class TLumComboBoxEintrag : public TLumEintrag {
  LUM_CLASS(TLumComboBoxEintrag, TLumEintrag)
public:
  TLumComboBoxEintrag() = default;
};

// An entry of the collection (text and record) and the array of them.
using TLumComboBoxItem = TLumItem;
using TLumComboBoxListe = TLumItemListe;

// The items of a TLumComboBox. Where it differs from its list box twin: the selection before
// an insertion stays (none stays none); a changed height re-measures that item alone
// (CB_SETITEMHEIGHT) and repaints, a changed colour repaints; bulk runs leave the host alone
// and re-measure every item at their end.
class TLumComboBoxStrings : public TLumItemStrings {
  LUM_CLASS(TLumComboBoxStrings, TLumItemStrings)
public:
  explicit TLumComboBoxStrings(TLumComboBox* AComboBox);

  virtual TLumComboBoxEintrag* GetLumComboBoxEintrag(Integer Index) const;
  virtual void PutLumComboBoxEintrag(Integer Index, TLumComboBoxEintrag* E) {
    PutEintrag(Index, E);
  }

  TLumComboBox* ComboBox() const { return FComboBox; }

protected:
  String DataPrefix() const override { return "LumComboBox"; }
  std::unique_ptr<TLumEintrag> NewEintrag() const override;
  int OwnerItemIndex() override;
  void SetOwnerItemIndex(int Value) override;
  void RestoreSelection(int Remembered) override;
  void ItemHeightChanged(Integer Index) override;
  void ItemReplaced(Integer Index) override;
  void ItemColorChanged() override;
  void BeginBulk() override {}
  void EndBulk() override;

private:
  TLumComboBox* FComboBox;
};

// A combo box whose items carry their own colour, font, bitmap, hint and help context,
// painted by the control in every style: the bitmap at the left, right, centre or stretched,
// the selected item highlighted or in inverted bold, on a background picture that also shows
// behind the edit field; the item under the mouse in the open list gives the control its hint
// and help context.
class TLumComboBox : public TCustomComboBox {
  LUM_CLASS(TLumComboBox, TCustomComboBox)
public:
  explicit TLumComboBox(TComponent* AOwner);
  ~TLumComboBox() override;

  void Clear() override;
  // Opens the item editor window on this combo box; Accept changes it.
  void Edit_aufrufen();
  // The item under a point in the control's coordinates: the rows of the list counted from
  // its top index; below them the item count, or -1 when Existing; -1 outside the control
  // and its open list.
  int ItemAtPos(TPoint Pos, bool Existing);
  // Takes over the hint and help context of item Index, or of the item under the mouse
  // cursor when Index is below 0, and lets the hint window show it.
  void UpdateHint(int Index);

  void SetItems(TLumComboBoxStrings* Value) { FLumItems->Assign(Value); }
  void SetStyle(TComboBoxStyle Value) override;
  void SetLumSorted(bool Value);
  // Only values above 0 are taken; nothing else happens.
  void SetLumItemHeight(int Value);
  void SetItemHeightStyle(TItemHeightStyle Value);
  void SetAnyFonts(bool Value);
  void SetAnyColors(bool Value);
  void SetBitmapStyle(TBitmapStyle Value);
  void SetBoldStyle(bool Value);
  void SetUseTabStops(bool Value);
  String GetTabStops() const { return JoinTabStops(FTabStops.get()); }
  void SetTabStops(const String& Value);
  void SetBackground(TPicture* Value) { FBackground->Assign(Value); }
  void SetBackGroundStyle(TBackGroundStyle Value);
  // Every item measured again from ItemHeight and its height given to the host.
  void MeasureAllItems();

  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clWindow), Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(bool, Ctl3D, TWinControl::Ctl3D(), TWinControl::SetCtl3D, NoDefault,
                Stored(IsCtl3DStored))
  LUM_PUBLISHED(TDragMode, DragMode, FDragMode, TControl::SetDragMode, Default(dmManual))
  LUM_PUBLISHED(TCursor, DragCursor, FDragCursor, TControl::SetDragCursor, Default(crDrag),
                Idents(CursorIdents()))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(TImeMode, ImeMode, FImeMode, Field, Default(imDontCare))
  LUM_PUBLISHED(TImeName, ImeName, FImeName, Field, NoDefault)
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
  LUM_PUBLISHED(String, Text, GetText(), TControl::SetText, NoDefault)
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
  LUM_PUBLISHED(TEndDragEvent, OnEndDrag, FOnEndDrag, TControl::SetOnEndDrag, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
  LUM_PUBLISHED(TKeyEvent, OnKeyDown, TWinControl::OnKeyDown(), TWinControl::SetOnKeyDown,
                NoDefault)
  LUM_PUBLISHED(TKeyPressEvent, OnKeyPress, TWinControl::OnKeyPress(), TWinControl::SetOnKeyPress,
                NoDefault)
  LUM_PUBLISHED(TKeyEvent, OnKeyUp, TWinControl::OnKeyUp(), TWinControl::SetOnKeyUp, NoDefault)
  LUM_PUBLISHED(TStartDragEvent, OnStartDrag, FOnStartDrag, TControl::SetOnStartDrag, NoDefault)

  LUM_PUBLISHED(TLumComboBoxStrings*, Items, FLumItems, SetItems, NoDefault)
  LUM_PUBLISHED(TComboBoxStyle, Style, FStyle, SetStyle, NoDefault)
  LUM_PUBLISHED(bool, Sorted, FLumSorted, SetLumSorted, Default(false))
  LUM_PUBLISHED(Integer, ItemHeight, TCustomComboBox::ItemHeight(), SetLumItemHeight, NoDefault)
  LUM_PUBLISHED(Integer, MaxLength, TCustomComboBox::MaxLength(), TCustomComboBox::SetMaxLength,
                Default(0))
  LUM_PUBLISHED(Integer, DropDownCount, TCustomComboBox::DropDownCount(),
                TCustomComboBox::SetDropDownCount, Default(8))
  LUM_PUBLISHED(TItemHeightStyle, ItemHeightStyle, FItemHeightStyle, SetItemHeightStyle,
                Default(ihcFix))
  LUM_PUBLISHED(bool, AnyFonts, FAnyFonts, SetAnyFonts, Default(true))
  LUM_PUBLISHED(bool, AnyColors, FAnyColors, SetAnyColors, Default(true))
  LUM_PUBLISHED(TBitmapStyle, BitmapStyle, FBitmapStyle, SetBitmapStyle, Default(bscLeft))
  LUM_PUBLISHED(bool, BoldStyle, FBoldStyle, SetBoldStyle, Default(false))
  LUM_PUBLISHED(bool, UseTabStops, FUseTabStops, SetUseTabStops, Default(true))
  LUM_PUBLISHED(String, TabStops, GetTabStops(), SetTabStops, NoDefault)
  LUM_PUBLISHED(TPicture*, Background, FBackground, SetBackground, NoDefault)
  LUM_PUBLISHED(TBackGroundStyle, BackGroundStyle, FBackGroundStyle, SetBackGroundStyle, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnChange, TCustomComboBox::OnChange(), TCustomComboBox::SetOnChange,
                NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDropDown, TCustomComboBox::OnDropDown(),
                TCustomComboBox::SetOnDropDown, NoDefault)
  LUM_PUBLISHED(TDrawItemEvent, OnDrawItem, TCustomComboBox::OnDrawItem(),
                TCustomComboBox::SetOnDrawItem, NoDefault)
  LUM_PUBLISHED(TMeasureItemEvent, OnMeasureItem, TCustomComboBox::OnMeasureItem(),
                TCustomComboBox::SetOnMeasureItem, NoDefault)

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  void ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc) override;
  void CNCommand(TMessage& Message) override;
  void CNMeasureItem(TMessage& Message) override;
  void DrawItem(int Index, TRect Rect, TOwnerDrawState State) override;
  void MeasureItem(int Index, int& Height) override;
  // Paints the background picture under Area, placed in a client area of that size.
  void PaintBackground(TCanvas* Canvas, const TRect& Area, const TRect& Client);
  // The edit field over the background picture, with the text of item Index (the control's
  // text when Index is below 0).
  void DrawEdit(int Index);

private:
  void ClearEditMargins();
  bool HasBackground() const;
  bool PaintsItems() const;
  void PaintItem(int Index, const TRect& R, TOwnerDrawState State);
  void PaintBelowLastRow();
  // The open list gets DropDownCount rows at most, one at least, of ItemHeight each.
  void SizeDropDown();
  void Reselect();
  void RepaintAll();
  void MeasureItemToHost(Integer Index);
  bool MouseOverControl();

  std::unique_ptr<TLumComboBoxStrings> FLumItems;
  std::unique_ptr<TStringList> FTabStops;
  std::unique_ptr<TPicture> FBackground;
  bool FLumSorted = false;
  TImeMode FImeMode = imDontCare;
  TImeName FImeName;
  bool FAnyColors = true;
  bool FAnyFonts = true;
  TBitmapStyle FBitmapStyle = bscLeft;
  TItemHeightStyle FItemHeightStyle = ihcFix;
  bool FUseTabStops = true;
  bool FBoldStyle = false;
  TBackGroundStyle FBackGroundStyle = bgscNone;

  friend class TLumComboBoxStrings;
};

} // namespace LumComboBox

using LumComboBox::TLumComboBox;
using LumComboBox::TLumComboBoxEintrag;
using LumComboBox::TLumComboBoxItem;
using LumComboBox::TLumComboBoxListe;
using LumComboBox::TLumComboBoxStrings;
