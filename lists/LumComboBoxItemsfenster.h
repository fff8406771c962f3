#pragma once

#include "framework/design/DesignEditors.h"
#include "lists/LumComboBox.h"
#include "lists/LumItemsfensterBase.h"

// Copies what the combo box editor edits, in its order: Items with their records, Font,
// Background, BackGroundStyle, UseTabStops, TabStops, BitmapStyle, ItemHeightStyle,
// AnyColors, AnyFonts, BoldStyle, Color, HelpContext, Hint.
void TransferComboBoxSettings(TLumComboBox* From, TLumComboBox* To);
// Opens the combo box editor window on ComboBox's settings, under Caption when it is not
// empty, and carries them back on Accept.
bool EditLumComboBox(TLumComboBox* ComboBox, const String& Caption = String());

// The combo box's item editor: the items and their look built on a preview combo box (a
// simple one, its list always open), with the bold style on top of what both editors
// share. Items are reordered by pressing the button on one and releasing it on another.
class TLumComboBoxItemsfenster : public TLumItemsfensterBase {
  LUM_CLASS(TLumComboBoxItemsfenster, TLumItemsfensterBase)
public:
  explicit TLumComboBoxItemsfenster(TComponent* AOwner);
  ~TLumComboBoxItemsfenster() override;

  TLumComboBox* Vorschau() const { return FVorschau; }

  TButton* BitBtn1 = nullptr;
  TCheckBox* BoldStyle = nullptr;

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
  void BuildComboControls();
  // The item under the mouse cursor in the preview, or -1.
  int ItemUnderCursor();

  TLumComboBox* FVorschau = nullptr;
};

// The designer's editor of a TLumComboBox: one verb, "&Edit LumComboBox".
class TLumComboBoxEditor : public TComponentEditor {
  LUM_CLASS(TLumComboBoxEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  void ExecuteVerb(int Index) override;
  String GetVerb(int Index) override;
  int GetVerbCount() override { return 1; }
};
