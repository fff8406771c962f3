#pragma once

#include "framework/controls/Edits.h"
#include "framework/controls/ListBoxes.h"
#include "framework/win32/user/ComboBoxDefs.h"

LUM_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList, csOwnerDrawFixed,
         csOwnerDrawVariable);

// A combo box over the system class "ComboBox". The framework subclasses the edit field
// (and the list of a simple combo box), so their keys reach the control's key events.
class TCustomComboBox : public TWinControl {
  LUM_CLASS(TCustomComboBox, TWinControl)
public:
  explicit TCustomComboBox(TComponent* AOwner);
  ~TCustomComboBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  TComboBoxStyle Style() const { return FStyle; }
  virtual void SetStyle(TComboBoxStyle Value);
  int ItemIndex();
  void SetItemIndex(int Value);
  int ItemHeight() const;
  void SetItemHeight(int Value);
  int DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(int Value) { FDropDownCount = Value; }
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool DroppedDown();
  void SetDroppedDown(bool Value);
  int SelStart();
  void SetSelStart(int Value);
  int SelLength();
  void SetSelLength(int Value);
  String SelText();
  void SetSelText(const String& Value);
  void SelectAll();
  virtual void Clear();
  TCanvas* Canvas() const { return FCanvas.get(); }
  HWND EditHandle() const { return FEditHandle; }
  HWND ListHandle() const { return FListHandle; }

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }
  const TNotifyEvent& OnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(TNotifyEvent Value) { FOnDropDown = std::move(Value); }
  const TDrawItemEvent& OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(TDrawItemEvent Value) { FOnDrawItem = std::move(Value); }
  const TMeasureItemEvent& OnMeasureItem() const { return FOnMeasureItem; }
  void SetOnMeasureItem(TMeasureItemEvent Value) { FOnMeasureItem = std::move(Value); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;
  // The edit's and a simple list's messages: key events, focus, then the window's procedure.
  virtual void ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc);
  virtual void CNCommand(TMessage& Message);
  virtual void CNDrawItem(TMessage& Message);
  virtual void CNMeasureItem(TMessage& Message);
  virtual void DrawItem(int Index, TRect Rect, TOwnerDrawState State);
  virtual void MeasureItem(int Index, int& Height);
  virtual void Change();
  virtual void DropDown();
  // The window gets the height the open list is to have: DropDownCount rows at most, one
  // at least.
  void AdjustDropDown();

  std::unique_ptr<TItemStrings> FItems;
  TComboBoxStyle FStyle = csDropDown;
  int FItemHeight = 16;
  HWND FEditHandle = nullptr;
  HWND FListHandle = nullptr;

private:
  LRESULT EditWndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  LRESULT ListWndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  LRESULT SubWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam, WNDPROC Previous);
  void Subclass();
  void SaveEntries();
  void RestoreEntries();

  int FSavedItemIndex = -1;
  int FDropDownCount = 8;
  int FMaxLength = 0;
  TEditCharCase FCharCase = ecNormal;
  std::unique_ptr<TControlCanvas> FCanvas;
  WNDPROC FEditInstance = nullptr;
  WNDPROC FListInstance = nullptr;
  WNDPROC FDefEditProc = nullptr;
  WNDPROC FDefListProc = nullptr;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnDropDown;
  TDrawItemEvent FOnDrawItem;
  TMeasureItemEvent FOnMeasureItem;
};

class TComboBox : public TCustomComboBox {
  LUM_CLASS(TComboBox, TCustomComboBox)
public:
  explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISH_IME
  LUM_PUBLISHED(TComboBoxStyle, Style, FStyle, TCustomComboBox::SetStyle, Default(csDropDown))
  LUM_PUBLISHED(TEditCharCase, CharCase, TCustomComboBox::CharCase(), TCustomComboBox::SetCharCase,
                Default(ecNormal))
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clWindow), Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(Integer, DropDownCount, TCustomComboBox::DropDownCount(),
                TCustomComboBox::SetDropDownCount, Default(8))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(Integer, ItemHeight, TCustomComboBox::ItemHeight(), TCustomComboBox::SetItemHeight,
                NoDefault)
  LUM_PUBLISHED(TStrings*, Items, FItems, TCustomComboBox::SetItems, NoDefault)
  LUM_PUBLISHED(Integer, MaxLength, TCustomComboBox::MaxLength(), TCustomComboBox::SetMaxLength,
                Default(0))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(false))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(bool, Sorted, TCustomComboBox::Sorted(), TCustomComboBox::SetSorted, Default(false))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(true))
  LUM_PUBLISHED(String, Text, GetText(), TControl::SetText, NoDefault)
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnChange, TCustomComboBox::OnChange(), TCustomComboBox::SetOnChange,
                NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDblClick, FOnDblClick, TControl::SetOnDblClick, NoDefault)
  LUM_PUBLISHED(TDrawItemEvent, OnDrawItem, TCustomComboBox::OnDrawItem(),
                TCustomComboBox::SetOnDrawItem, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnDropDown, TCustomComboBox::OnDropDown(),
                TCustomComboBox::SetOnDropDown, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
  LUM_PUBLISHED(TKeyEvent, OnKeyDown, TWinControl::OnKeyDown(), TWinControl::SetOnKeyDown,
                NoDefault)
  LUM_PUBLISHED(TKeyPressEvent, OnKeyPress, TWinControl::OnKeyPress(), TWinControl::SetOnKeyPress,
                NoDefault)
  LUM_PUBLISHED(TKeyEvent, OnKeyUp, TWinControl::OnKeyUp(), TWinControl::SetOnKeyUp, NoDefault)
  LUM_PUBLISHED(TMeasureItemEvent, OnMeasureItem, TCustomComboBox::OnMeasureItem(),
                TCustomComboBox::SetOnMeasureItem, NoDefault)
};
