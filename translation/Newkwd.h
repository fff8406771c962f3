#pragma once

#include "framework/controls/Forms.h"

class TBevel;
class TBitBtn;
class TEdit;
class TLabel;
class TMemo;
class TSpeedButton;

// The translation with exactly the leading and trailing blanks of the source text, line
// breaks removed.
String Space_trimmen(const String& Keyword, const String& Translation);

// The new-word prompt: the language, the source text and its translation, to accept, skip
// or cancel. Its captions carry the translation cookie.
class TfmNewKeyword : public TForm {
  LUM_CLASS(TfmNewKeyword, TForm)
public:
  explicit TfmNewKeyword(TComponent* AOwner);

  // Adjusts the blanks of the translation to those of the source text.
  void SpaceTrimmen();

  TBevel* Bevel1 = nullptr;
  TLabel* Label3 = nullptr;
  TEdit* EdLanguage = nullptr;
  TLabel* Label1 = nullptr;
  TMemo* EdKeyword = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TLabel* Label2 = nullptr;
  TMemo* EdTranslation = nullptr;
  TSpeedButton* SpeedButton2 = nullptr;
  TBitBtn* OKBtn = nullptr;
  TBitBtn* SkipBtn = nullptr;
  TBitBtn* CancelBtn = nullptr;

private:
  void BuildTexts();
  void BuildButtons();
  void OKBtnClick();
};

// The captions' font of the translation dialogs: MS Sans Serif, 11 pixels, bold, black.
void SetLinguaDialogFont(TCustomForm* Form);
