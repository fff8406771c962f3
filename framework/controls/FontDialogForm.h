#pragma once

#include "framework/controls/CommonDialogs.h"

class TCheckBox;
class TComboBox;
class TEdit;
class TListBox;
class TPaintBox;

// What the font form needs of its dialog besides the starting font.
struct TFontDialogSettings {
  TFontDialogOptions Options;
  Integer MinFontSize = 0;
  Integer MaxFontSize = 0;
  // The Apply button: the choice so far and the form's window.
  std::function<void(TFont* Current, HWND Wnd)> OnApply;
};

// The font form: a face, a style and a size field each over its list, effects (strike-out,
// underline, colour) with fdEffects, and a sample of the choice. Controls: FaceEdit,
// FaceList, StyleEdit, StyleList, SizeEdit, SizeList, StrikeOutCheck, UnderlineCheck,
// ColorCombo, SamplePaint, OkButton, CancelButton, ApplyButton.
class TFontDialogForm : public TForm {
  LUM_CLASS(TFontDialogForm, TForm)
public:
  TFontDialogForm(TComponent* AOwner, TFont* Start, TFontDialogSettings Settings);
  ~TFontDialogForm() override;

  // The choice, complete once the form closed with OK.
  TFont* ChosenFont() const { return FChosen.get(); }

private:
  void BuildLists();
  void BuildEffects();
  void ShowFont(TFont* Font);
  // Reads the fields into the chosen font; a field that does not make a font is reported
  // and focused, and the answer is false.
  bool ReadChoice();
  void FieldChanged(TEdit* Edit, TListBox* List);
  void ListClicked(TListBox* List, TEdit* Edit);
  void SampleChanged();
  void PaintSample(TObject* Sender);
  void Refuse(const String& Text, TEdit* Field);

  TFontDialogSettings FSettings;
  std::unique_ptr<TFont> FChosen;
  std::unique_ptr<TFont> FSample;
  TEdit* FFaceEdit = nullptr;
  TListBox* FFaceList = nullptr;
  TEdit* FStyleEdit = nullptr;
  TListBox* FStyleList = nullptr;
  TEdit* FSizeEdit = nullptr;
  TListBox* FSizeList = nullptr;
  TCheckBox* FStrikeOutCheck = nullptr;
  TCheckBox* FUnderlineCheck = nullptr;
  TComboBox* FColorCombo = nullptr;
  TPaintBox* FSamplePaint = nullptr;
};

// The style list's names ("Regular", "Italic", "Bold", "Bold Italic") and back.
String FontStyleName(TFontStyles Style);
bool FontStyleOfName(const String& Name, TFontStyles& Style);
