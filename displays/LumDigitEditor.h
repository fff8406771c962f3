#pragma once

#include "displays/LumDigit.h"
#include "framework/controls/Forms.h"
#include "framework/design/DesignEditors.h"

class TCheckBox;
class TPanel;
class TRadioGroup;
class TSpinEdit;
class TTimer;
namespace LumList {
class TLumList;
}

// Copies what the editor edits, in the order it does: DigitBitmap, DigitCount, Decimals,
// Value, DigitStyle, DigitScrolling. The style comes after the value, so it stays as given.
void TransferDigitSettings(TLumDigit* From, TLumDigit* To);
// The settings back from the editor's preview after Accept. A date or time display keeps its
// stored value: the preview shows today or the running clock, not a value to keep.
void AcceptDigitSettings(TLumDigit* Preview, TLumDigit* Digit);
// The window's caption when the designer's verb opens it: "Form1.LumDigit1 - LumDigit Editor".
String DigitVerbCaption(TLumDigit* Digit);
// Opens the editor window on Digit's settings, under Caption when one is given, and takes
// them back on Accept; true then.
bool EditDigit(TLumDigit* Digit, const String& Caption = "");

// The digit display's editor window: a live preview in the top panel DigitPanel, and below it
// the glyph strips in DBListe (the four built-in ones and, once shown, "Owner": the strip the
// display came with), the radio group DigitStyle, the spin edits DigitCount and Decimals,
// the check box DigitScrolling, the buttons AcceptButton and CancelButton. Timer1 keeps a
// time display's preview on the current time.
class TLumDigitFenster : public TForm {
  LUM_CLASS(TLumDigitFenster, TForm)
public:
  explicit TLumDigitFenster(TComponent* AOwner);

  TLumDigit* Preview() const { return FPreview; }
  TTimer* Timer1() const { return FTimer1; }

protected:
  void DoShow() override;

private:
  void BuildStrips(TWinControl* Parent);
  void BuildSettings(TWinControl* Parent);
  TSpinEdit* AddSpin(TWinControl* Parent, const String& Name, int Left, int Max);
  void AddOwnerStrip();
  void LoadControls();
  void ChooseStrip();
  // Value first, then style: the value's type would otherwise switch the style back.
  void ChooseStyle(TDigitStyle Style);
  void ShowToday();

  TPanel* FDigitPanel = nullptr;
  TLumDigit* FPreview = nullptr;
  LumList::TLumList* FDBListe = nullptr;
  TRadioGroup* FDigitStyle = nullptr;
  TSpinEdit* FDigitCount = nullptr;
  TSpinEdit* FDecimals = nullptr;
  TCheckBox* FDigitScrolling = nullptr;
  TTimer* FTimer1 = nullptr;
  // The numeric value a change of style goes back to.
  Variant FKeptValue = Integer(0);
  bool FLoading = false;
};

// The designer's editor of a digit display: the verb "&Edit LumDigit" opens the editor window.
class TLumDigitEditor : public TComponentEditor {
  LUM_CLASS(TLumDigitEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  void ExecuteVerb(int Index) override;
  String GetVerb(int Index) override;
  int GetVerbCount() override { return 1; }
};
