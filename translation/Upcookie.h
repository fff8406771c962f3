#pragma once

#include "framework/controls/Forms.h"

#include <vector>

class TBitBtn;
class TCheckBox;
class TPanel;
class TScrollBox;

// Lists the string properties of a form, one check box each, to choose those that get the
// translation cookie. Its captions carry the cookie.
class TfmUpdateCookie : public TForm {
  LUM_CLASS(TfmUpdateCookie, TForm)
public:
  explicit TfmUpdateCookie(TComponent* AOwner);

  // A check box under the last one in the scroll box.
  TCheckBox* AddPropertyCheck(const String& Caption);
  const std::vector<TCheckBox*>& Checks() const { return FChecks; }

  TPanel* Panel1 = nullptr; // the buttons, right
  TBitBtn* OKBtn = nullptr;
  TBitBtn* CancelBtn = nullptr;
  TBitBtn* HelpBtn = nullptr;
  TPanel* Panel2 = nullptr; // the client
  TScrollBox* sbxProperties = nullptr;

private:
  std::vector<TCheckBox*> FChecks;
};
