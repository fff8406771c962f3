#pragma once

#include "framework/design/DesignEditors.h"

// The designer's editors of the translation component: value lists of the known databases
// and of the languages, the check run, and the verbs.

class TDatabaseNameProperty : public TStringProperty {
  LUM_CLASS(TDatabaseNameProperty, TStringProperty)
public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override;
  void GetValues(const TGetStrProc& Proc) override;
};

class TLanguageProperty : public TStringProperty {
  LUM_CLASS(TLanguageProperty, TStringProperty)
public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override;
  void GetValues(const TGetStrProc& Proc) override;
};

// Editing runs a check: every marked text is looked up without changing the form.
class TCheckProperty : public TStringProperty {
  LUM_CLASS(TCheckProperty, TStringProperty)
public:
  using TStringProperty::TStringProperty;
  TPropertyAttributes GetAttributes() override;
  void Edit() override;
};

// "Add language", "Update cookie", "Create Database"; a double click answers "Next version ...".
class TLumLinguaEditor : public TComponentEditor {
  LUM_CLASS(TLumLinguaEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  void Edit() override;
  void ExecuteVerb(int Index) override;
  String GetVerb(int Index) override;
  int GetVerbCount() override { return 3; }
};
