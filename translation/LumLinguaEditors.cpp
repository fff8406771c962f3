#include "translation/LumLinguaEditors.h"

#include "framework/classes/StringList.h"
#include "framework/controls/Dialogs.h"
#include "framework/db/Session.h"
#include "translation/LumLingua.h"

namespace {

const TPropertyAttributes ValueListAttributes{paValueList, paMultiSelect, paSortList};

TLumLingua* LinguaOf(const TPropertyEditor& Editor) {
  return static_cast<TLumLingua*>(Editor.GetComponent(0));
}

template <class F> struct TScopeExit {
  F Action;
  ~TScopeExit() { Action(); }
};
template <class F> TScopeExit(F) -> TScopeExit<F>;

} // namespace

TPropertyAttributes TDatabaseNameProperty::GetAttributes() { return ValueListAttributes; }

void TDatabaseNameProperty::GetValues(const TGetStrProc& Proc) {
  TStringList names;
  Session->GetDatabaseNames(&names);
  for (int i = 0; i < names.Count(); ++i) Proc(names.Strings(i));
}

TPropertyAttributes TLanguageProperty::GetAttributes() { return ValueListAttributes; }

void TLanguageProperty::GetValues(const TGetStrProc& Proc) {
  TTable* languages = LinguaOf(*this)->LangListTable();
  if (!languages->Active()) return;
  for (languages->First(); !languages->Eof(); languages->Next())
    Proc(languages->FieldByName("Lang_Name")->AsString());
}

TPropertyAttributes TCheckProperty::GetAttributes() { return TPropertyAttributes{paDialog}; }

void TCheckProperty::Edit() {
  TLumLingua* lingua = LinguaOf(*this);
  lingua->SetCheckMode(true);
  TScopeExit done{[lingua] { lingua->SetCheckMode(false); }};
  lingua->Translate();
  ShowMessage("Check is Ok");
}

void TLumLinguaEditor::Edit() { ShowMessage("Next version ..."); }

void TLumLinguaEditor::ExecuteVerb(int Index) {
  auto* lingua = static_cast<TLumLingua*>(Component());
  switch (Index) {
  case 0:
    lingua->EditNewLanguage();
    break;
  case 1:
    lingua->EditUpdateCookie();
    break;
  case 2: {
    const bool createbyFail = lingua->CreatebyFail();
    lingua->SetCreatebyFail(true);
    TScopeExit restore{[&] { lingua->SetCreatebyFail(createbyFail); }};
    lingua->SetDatabaseName("LumLinguaAlias");
    break;
  }
  default:
    return;
  }
  Designer().Modified();
}

String TLumLinguaEditor::GetVerb(int Index) {
  switch (Index) {
  case 0:
    return "Add language";
  case 1:
    return "Update cookie";
  case 2:
    return "Create Database";
  default:
    return "";
  }
}
