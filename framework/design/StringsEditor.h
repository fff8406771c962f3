#pragma once

#include "framework/controls/Forms.h"

class TMemo;
class TLabel;
class TStrings;

// The string list editor: the lines in a memo with a line count, OK and Cancel.
class TStringsEditorForm : public TForm {
  LUM_CLASS(TStringsEditorForm, TForm)
public:
  explicit TStringsEditorForm(TComponent* AOwner);
  TMemo* Memo() const { return FMemo; }
  void UpdateLineCount();

private:
  TMemo* FMemo;
  TLabel* FLineCount;
};

// Shows the editor on Lines; with OK the lines take the memo's text. True on OK.
bool EditStrings(TStrings* Lines, const String& Caption);
