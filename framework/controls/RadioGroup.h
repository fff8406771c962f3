#pragma once

#include "framework/classes/StringList.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/Panels.h"

#include <memory>
#include <vector>

class TGroupButton;

// A group box holding one radio button per line of Items, laid out top to bottom in Columns
// columns that fill the box. ItemIndex is the checked line (-1: none); OnClick follows every
// change of it, by the user or in code.
class TCustomRadioGroup : public TCustomGroupBox {
  LUM_CLASS(TCustomRadioGroup, TCustomGroupBox)
public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;

  int Columns() const { return FColumns; }
  // Clamped to 1 … 16.
  void SetColumns(int Value);
  int ItemIndex() const { return FItemIndex; }
  // Clamped to -1 … Items.Count - 1.
  void SetItemIndex(int Value);
  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TRadioButton* Buttons(int Index) const;

  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;

protected:
  // Whether the user may change the selection.
  virtual bool CanModify() { return true; }
  void Loaded() override;
  void ReadState(TReader* Reader) override;
  void WMSize(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;

private:
  friend class TGroupButton;
  void ArrangeButtons();
  void UpdateButtons();
  void SetButtonCount(int Value);
  void ItemsChanged();
  void ButtonClicked(TObject* Sender);

  std::vector<TGroupButton*> FButtons;
  std::unique_ptr<TStringList> FItems;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FReading = false;
  bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
  LUM_CLASS(TRadioGroup, TCustomRadioGroup)
public:
  explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}

  LUM_PUBLISH_LAYOUT_AND_DOCKING
  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(String, Caption, GetText(), TControl::SetText, NoDefault)
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, NoDefault, Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(Integer, Columns, TCustomRadioGroup::Columns(), TCustomRadioGroup::SetColumns,
                Default(1))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(TFont*, Font, FFont, TControl::SetFont, NoDefault, Stored(IsFontStored))
  LUM_PUBLISHED(Integer, ItemIndex, TCustomRadioGroup::ItemIndex(), TCustomRadioGroup::SetItemIndex,
                Default(-1))
  LUM_PUBLISHED(TStrings*, Items, TCustomRadioGroup::Items(), TCustomRadioGroup::SetItems,
                NoDefault)
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(true))
  LUM_PUBLISHED(bool, ParentFont, FParentFont, TControl::SetParentFont, Default(true))
  LUM_PUBLISHED(bool, ShowHint, FShowHint, TControl::SetShowHint, NoDefault,
                Stored(IsShowHintStored))
  LUM_PUBLISHED(TTabOrder, TabOrder, TWinControl::TabOrder(), TWinControl::SetTabOrder, Default(-1))
  LUM_PUBLISHED(bool, TabStop, FTabStop, TWinControl::SetTabStop, Default(false))
  LUM_PUBLISHED(bool, Visible, FVisible, TControl::SetVisible, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnClick, FOnClick, TControl::SetOnClick, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnEnter, TWinControl::OnEnter(), TWinControl::SetOnEnter, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnExit, TWinControl::OnExit(), TWinControl::SetOnExit, NoDefault)
};
