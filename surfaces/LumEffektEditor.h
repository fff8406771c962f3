#pragma once

#include "framework/design/DesignEditors.h"
#include "surfaces/LumEffekt.h"

class TButton;
class TCheckBox;
class TColorDialog;
class TGroupBox;
class TImage;
class TOpenPictureDialog;
class TRadioGroup;
class TShape;
class TSpinEdit;

// The style an item of the editor's EffectStyle radio group stands for (its items are in
// another order than the enumeration), and the item of a style.
TEffectStyle EffectStyleOfItem(int Item);
int ItemOfEffectStyle(TEffectStyle Style);
// Copies what the editor edits, in the order it does (not BorderColor, not ValidComponents).
void TransferEffectSettings(TLumEffect* From, TLumEffect* To);
// The window's caption when the designer's verb "Edit &Effect" opens it (the component
// editor TLumEffectEditor, registered with the designer, calls EditEffect with it).
String EffectVerbCaption(TLumEffect* Effect);
// Opens the editor window on Effect's settings under Caption and takes them back on OK.
bool EditEffect(TLumEffect* Effect, const String& Caption);

// The effect editor window: test controls above, decorated live by the window's own painter,
// and the settings below. Controls: GroupTest with Button1, Edit1, ListBox1, ProgressBar1,
// ButtonOK and ButtonCancel; GroupProperties with ShapeColor1, ButtonColor1, ShapeColor2,
// ButtonColor2, ShapeShadowColor, ButtonShadowColor, SpinEffectHeight, SpinEffectWidth,
// SpinBorderWidth, SpinShadowWidth, CheckShadow, RadioBorderStyle, ImagePicture,
// ButtonPicture, RadioEffectStyle; the dialogs ColorDialog and PictureDialog.
class TLumEffectEditorDialog : public TForm {
  LUM_CLASS(TLumEffectEditorDialog, TForm)
public:
  explicit TLumEffectEditorDialog(TComponent* AOwner);

  // The window's own painter, decorating the test controls.
  TLumEffect* Effect() const { return FEffect; }
  // Shows the painter's settings in the controls.
  void LoadControls();

private:
  void BuildTestGroup();
  void BuildProperties();
  TSpinEdit* AddSpin(const String& Name, const String& Caption, int Left, int Top);
  enum class TEffectColour { Effect1, Effect2, Shadow };
  TShape* AddColourRow(TEffectColour Which, const String& Name, const String& Caption, int Top);
  TColor ColourOf(TEffectColour Which) const;
  // Asks for the colour in the colour dialog, preset with the current one.
  void ChooseColour(TEffectColour Which);
  void ShowColours();
  // Clears the old decorations before a change that may shrink them.
  void ClearTestGroup();
  void SizeChanged();
  void ChoosePicture();

  TLumEffect* FEffect = nullptr;
  TColorDialog* FColorDialog = nullptr;
  TOpenPictureDialog* FPictureDialog = nullptr;
  TGroupBox* FTestGroup = nullptr;
  TGroupBox* FProperties = nullptr;
  TShape* FShapeColor1 = nullptr;
  TShape* FShapeColor2 = nullptr;
  TShape* FShapeShadowColor = nullptr;
  TSpinEdit* FSpinEffectHeight = nullptr;
  TSpinEdit* FSpinEffectWidth = nullptr;
  TSpinEdit* FSpinBorderWidth = nullptr;
  TSpinEdit* FSpinShadowWidth = nullptr;
  TCheckBox* FCheckShadow = nullptr;
  TRadioGroup* FRadioBorderStyle = nullptr;
  TImage* FImagePicture = nullptr;
  TRadioGroup* FRadioEffectStyle = nullptr;
  bool FLoading = false;
};

// The designer's editor of a TLumEffect: one verb, "Edit &Effect", opening the editor window
// under EffectVerbCaption.
class TLumEffectEditor : public TComponentEditor {
  LUM_CLASS(TLumEffectEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  void ExecuteVerb(int Index) override;
  String GetVerb(int Index) override;
  int GetVerbCount() override { return 1; }
};
