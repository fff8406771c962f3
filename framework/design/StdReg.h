#pragma once

#include "framework/design/DesignEditors.h"

// A page control's verbs: a new page, and the next and previous page.
class TPageControlEditor : public TComponentEditor {
  LUM_CLASS(TPageControlEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  void ExecuteVerb(int Index) override;
  String GetVerb(int Index) override;
  int GetVerbCount() override { return 3; }
};

// The framework's own registrations: its classes on the pages "Standard", "Additional",
// "Data Access", "Data Controls" and "Dialogs", its editors and categories. The registration
// lists run it once, before any other registration.
void RegisterStandardEditors();
