#pragma once

#include "framework/controls/Forms.h"

class TBevel;
class TBitBtn;
class TEdit;
class TLabel;

// Asks for the name of a new language. Its captions carry the translation cookie.
class TfmNewLanguage : public TForm {
  LUM_CLASS(TfmNewLanguage, TForm)
public:
  explicit TfmNewLanguage(TComponent* AOwner);

  TBevel* Bevel1 = nullptr;
  TLabel* Label1 = nullptr;
  TEdit* EdLanguage = nullptr;
  TBitBtn* OKBtn = nullptr;
  TBitBtn* CancelBtn = nullptr;
  TBitBtn* HelpBtn = nullptr;

private:
  void OKBtnClick();
};
