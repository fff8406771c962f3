#pragma once

#include "framework/design/DesignEditors.h"
#include "lists/LumItemsfensterBase.h"
#include "lists/LumList.h"

// Copies what the list box editor edits, in its order: Items with their records, Font,
// Background, BackGroundStyle, UseTabStops, TabStops, SelectedStyle, BitmapStyle,
// ItemHeightStyle, HorzScrollBar, HorzExtent, AnyColors, AnyFonts, MultiSelect, Color,
// HelpContext, Hint.
void TransferListSettings(TLumList* From, TLumList* To);
// The SelectedStyle radio group's lines stand for psStandard, psBoldText, psCheckbox and
// psOwnerDraw, in that order.
LumList::TSelectedStyle SelectedStyleOfItem(int Item);
int ItemOfSelectedStyle(LumList::TSelectedStyle Style);
// Opens the list box editor window on List's settings, under Caption when it is not empty,
// and carries them back on Accept.
bool EditLumList(TLumList* List, const String& Caption = String());

// The list box's item editor: the items and their look built on a preview list, with the
// background picture, the selected style, the column, multi-select, horizontal scroll bar
// and extent on top of what both editors share. Items are reordered by dragging them.
class TLumItemsfenster : public TLumItemsfensterBase {
  LUM_CLASS(TLumItemsfenster, TLumItemsfensterBase)
public:
  explicit TLumItemsfenster(TComponent* AOwner);
  ~TLumItemsfenster() override;

  TLumList* Vorschau() const { return FVorschau; }

  TLabel* Spaltenlabel1 = nullptr;
  TLabel* Spaltenlabel2 = nullptr;
  TButton* BitmapDeleteBtn1 = nullptr;
  TButton* BGButton = nullptr;
  TRadioGroup* BGStyle = nullptr;
  TRadioGroup* CBStyle = nullptr;
  TCheckBox* MS = nullptr;
  TCheckBox* HS = nullptr;
  TLabel* HELabel = nullptr;
  TSpinEdit* HEEdit = nullptr;

protected:
  TWinControl* Preview() const override;
  TLumItemStrings* PreviewItems() const override;
  int PreviewItemIndex() const override;
  void SetPreviewItemIndex(int Index) override;
  void ClearPreview() override;
  void ShowSettings() override;
  void SetAnyColors(bool Value) override;
  void SetAnyFonts(bool Value) override;
  void SetUseTabStops(bool Value) override;
  void SetTabStops(const String& Value) override;

private:
  void MakePreview();
  void BuildListControls();
  void BuildStyles();
  // The column of the text field's caret, counted from 1.
  void ShowColumn();
  void ChooseBackground();

  TLumList* FVorschau = nullptr;
};

// The designer's editor of a TLumList: one verb, "&Edit LumList".
class TLumListEditor : public TComponentEditor {
  LUM_CLASS(TLumListEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  void ExecuteVerb(int Index) override;
  String GetVerb(int Index) override;
  int GetVerbCount() override { return 1; }
};
