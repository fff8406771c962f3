#include "translation/LumLingua.h"

#include "framework/classes/Registry.h"
#include "framework/classes/StringList.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Forms.h"
#include "framework/db/Query.h"
#include "framework/db/Session.h"
#include "framework/rtl/FileSystem.h"
#include "framework/rtl/Strings.h"
#include "framework/win32/WinUser.h"
#include "translation/Newkwd.h"
#include "translation/Newlang.h"
#include "translation/Upcookie.h"

#include <algorithm>
#include <array>

namespace {

const bool LinguaRegistered = (RegisterClass<TLumLingua>(), true);

constexpr const char* CheckText = "Click on ...";
constexpr int LanguageNameLength = 20, TextFieldLength = 255;
constexpr const char* AliasMessage = "You need to choose the alias wich points on\r\n"
                                     "tables LANGLIST, LANGWORD and LANG.\r\n\r\n"
                                     "If this alias does not exist, you need to create it !!!";
const TTypeKinds StringKinds{tkString, tkLString};

// Table n (from 1): the name it is opened as, the index it is opened on, and how it is made.
struct TTableFile {
  const char* TableName;
  const char* OpenIndex;
  const char* File;
  const char* FieldList;
  const char* IndexName;
  const char* IndexFields;
};
constexpr std::array<TTableFile, 3> TableFiles{{
    {"LANGLIST", "Lang_Name", "Langlist",
     "Lang_ID AUTOINC, Lang_Name CHAR(20), PRIMARY KEY (Lang_ID)", "Lang_Name", "(Lang_Name)"},
    {"LANGWORD", "Word_Name", "LangWord",
     "Word_ID AUTOINC, Word_Name CHAR(255), PRIMARY KEY (Word_ID)", "Word_Name", "(Word_Name)"},
    {"LANG", "", "Lang",
     "Word_ID SMALLINT, Lang_ID SMALLINT, Word_Trans CHAR(255), PRIMARY KEY (Word_ID, Lang_ID)",
     "idxLangWord", "(Word_ID, Lang_ID)"},
}};

int CharacterCount(const String& S) {
  return static_cast<int>(std::count_if(
      S.begin(), S.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void CheckLength(const String& What, const String& Text, int Limit) {
  const int length = CharacterCount(Text);
  if (length > Limit)
    throw EDatabaseError(What + " of " + IntToStr(length) + " characters is too long (at most " +
                         IntToStr(Limit) + "): \"" + Text + "\"");
}

bool BeginsWithCookie(const String& Value, const String& Cookie) {
  return Value.size() >= Cookie.size() && SameText(Value.substr(0, Cookie.size()), Cookie);
}

// Assigns the fields of the record being inserted or edited and posts it; a failure drops
// the pending record and passes on.
template <class F> void Store(TTable& Table, F Assign) {
  try {
    Assign();
    Table.Post();
  } catch (...) {
    Table.Cancel();
    throw;
  }
}

template <class F> struct TScopeExit {
  F Action;
  ~TScopeExit() { Action(); }
};
template <class F> TScopeExit(F) -> TScopeExit<F>;

} // namespace

String StoredWordName(const String& AWord) {
  return !AWord.empty() && AWord.back() == ' ' ? AWord + "#" : AWord;
}

String StoredTranslation(const String& Translation) {
  if (Translation.empty()) return Translation;
  const char last = Translation.back();
  return last == ' ' || last == '#' ? Translation + "#" : Translation;
}

String ReadTranslation(const String& Stored) {
  return !Stored.empty() && Stored.back() == '#' ? Stored.substr(0, Stored.size() - 1) : Stored;
}

bool HasCookie(const String& Value, const String& Cookie) {
  return Value.size() > Cookie.size() && BeginsWithCookie(Value, Cookie);
}

TLumLingua::TLumLingua(TComponent* AOwner) : TComponent(AOwner) {
  FWindow =
      AllocateHWnd([this](HWND h, UINT m, WPARAM w, LPARAM l) { return WndProc(h, m, w, l); });
  Post(LinguaCollectMessage);
  SetCookie("##");
  FCheck = CheckText;
  FLangList = std::make_unique<TTable>(nullptr);
  FLangWord = std::make_unique<TTable>(nullptr);
  FLang = std::make_unique<TTable>(nullptr);
  FLangList->SetTableName(TableFiles[0].TableName);
  FLangWord->SetTableName(TableFiles[1].TableName);
  FLang->SetTableName(TableFiles[2].TableName);
  FInstances.push_back(this);
}

TLumLingua::~TLumLingua() {
  std::erase(FInstances, this);
  DeallocateHWnd(FWindow);
  FLangList->Close();
  FLangWord->Close();
  FLang->Close();
  ClearPending();
  if (FPromptForm) FPromptForm->Free();
}

void TLumLingua::SetCheck(const String&) { FCheck = CheckText; }

// While the form is read, its texts already carry the cookie that is read.
void TLumLingua::SetCookie(const String& Value) {
  if (Value == FCookie) return;
  FPreviousCookie = FCookie;
  FCookie = Value;
  const bool reading = ComponentState().Contains(csLoading) || ComponentState().Contains(csReading);
  if (!FPreviousCookie.empty() && !reading && OwnerForm()) RewriteCookie(FPreviousCookie, Value);
}

void TLumLingua::RewriteCookie(const String& Old, const String& New) {
  const TStringCallback oldStrings = std::exchange(FStringCallback, [&](String& S) {
    if (HasCookie(S, Old)) S = New + S.substr(Old.size());
  });
  const TPropertyCallback oldProps =
      std::exchange(FPropertyCallback, [this](TComponent* Comp, const TPropInfo* Prop) {
        UpdateStrProperty(Comp, Prop);
      });
  TScopeExit restore{[&] {
    FStringCallback = oldStrings;
    FPropertyCallback = oldProps;
  }};
  WalkForm([this](TComponent* Comp) { ScanProperties(Comp, StringKinds); });
}

void TLumLingua::WalkForm(const std::function<void(TComponent*)>& Action) {
  TCustomForm* form = OwnerForm();
  if (!form) return;
  Action(form);
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (!dynamic_cast<TLumLingua*>(form->Components(i))) Action(form->Components(i));
}

TCustomForm* TLumLingua::OwnerForm() const {
  return GetParentForm(dynamic_cast<const TControl*>(Owner()));
}

void TLumLingua::Post(UINT Msg) { PostMessageA(FWindow, Msg, 0, 0); }

LRESULT TLumLingua::WndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  try {
    // A form still being read is collected when it has been (Loaded posts again).
    if (Msg == LinguaCollectMessage) {
      if (!Designing() && !ComponentState().Contains(csLoading)) AddComponents();
      return 0;
    }
    // While a prompt is open the components wait; the prompt's end posts the refresh again.
    if (Msg == LinguaRefreshMessage && !FBusy && !FPromptOpen && !FRefreshing) {
      RefreshTranslation();
      return 0;
    }
  } catch (...) {
    Application()->HandleException(this);
    return 0;
  }
  return DefWindowProcA(Window, Msg, WParam, LParam);
}

void TLumLingua::Loaded() {
  TComponent::Loaded();
  if (!Designing()) Post(LinguaCollectMessage);
}

void TLumLingua::AddComponents() {
  if (!Owner()) throw Exception("Form nil");
  AddPending(Owner());
  for (int i = 0; i < Owner()->ComponentCount(); ++i) AddPending(Owner()->Components(i));
  if (!FBusy) Post(LinguaRefreshMessage);
}

void TLumLingua::AddPending(TComponent* Comp) {
  FPending.push_back(Comp);
  Comp->FreeNotification(this);
}

void TLumLingua::ClearPending() {
  for (TComponent* comp : FPending)
    if (comp && comp != this) RemoveFreeNotification(comp);
  FPending.clear();
}

// A component that goes while it waits is forgotten (its entry stays empty until the
// refresh, which may be walking the list).
void TLumLingua::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove)
    std::replace(FPending.begin(), FPending.end(), AComponent, static_cast<TComponent*>(nullptr));
}

void TLumLingua::RefreshTranslation() {
  if (FPending.empty()) return;
  FRefreshing = true;
  TScopeExit done{[this] {
    FRefreshing = false;
    ClearPending();
  }};
  for (std::size_t i = 0; i < FPending.size(); ++i)
    if (FPending[i]) TranslateComponent(FPending[i]);
}

void TLumLingua::WakeWaiting() {
  for (TLumLingua* lingua : FInstances)
    if (!lingua->FPending.empty() && !lingua->FBusy) lingua->Post(LinguaRefreshMessage);
}

void TLumLingua::ScanProperties(TComponent* Comp, TTypeKinds Kinds) {
  if (Comp->Name().empty()) return;
  for (const TPropInfo* prop : GetPropList(Comp, Kinds))
    if (FPropertyCallback) FPropertyCallback(Comp, prop);
}

void TLumLingua::UpdateStrProperty(TComponent* Comp, const TPropInfo* Prop) {
  String value = GetStrProp(Comp, Prop);
  const String old = value;
  if (FStringCallback) FStringCallback(value);
  if (!FCheckMode && value != old) SetStrProp(Comp, Prop, value);
}

void TLumLingua::InternalTranslateProperty(TComponent* Comp, const TPropInfo* Prop) {
  if (FLanguage.empty()) return;
  UpdateStrProperty(Comp, Prop);
}

void TLumLingua::TranslateString(String& S) {
  if (HasCookie(S, FCookie)) S = GetWord(S.substr(FCookie.size()));
}

void TLumLingua::Translate() {
  TCustomForm* form = OwnerForm();
  if (!FLanguage.empty() && form) TranslateForm(form);
  if (!Designing() && FOnTranslate) FOnTranslate(this);
}

void TLumLingua::TranslateForm(TComponent* Form) {
  if (FLanguage.empty()) return;
  TranslateComponent(Form);
  for (int i = 0; i < Form->ComponentCount(); ++i) TranslateComponent(Form->Components(i));
}

// The library's own dialogs never ask for their own words: what is missing loses its cookie.
void TLumLingua::TranslateDialog(TComponent* Dialog) {
  const bool prompt = std::exchange(FNewWordPrompt, false);
  TScopeExit restore{[&] { FNewWordPrompt = prompt; }};
  TranslateForm(Dialog);
}

void TLumLingua::TranslateComponent(TComponent* Comp) {
  if (FLanguage.empty()) return;
  const TStringCallback oldStrings =
      std::exchange(FStringCallback, [this](String& S) { TranslateString(S); });
  const TPropertyCallback oldProps =
      std::exchange(FPropertyCallback, [this](TComponent* C, const TPropInfo* Prop) {
        InternalTranslateProperty(C, Prop);
      });
  TScopeExit restore{[&] {
    FStringCallback = oldStrings;
    FPropertyCallback = oldProps;
  }};
  ScanProperties(Comp, StringKinds);
}

void TLumLingua::TranslateProperty(TComponent* Comp, const String& PropName) {
  if (FLanguage.empty()) return;
  const TPropInfo* prop = GetPropInfo(Comp, PropName, StringKinds);
  if (!prop) return;
  const TStringCallback oldStrings =
      std::exchange(FStringCallback, [this](String& S) { TranslateString(S); });
  TScopeExit restore{[&] { FStringCallback = oldStrings; }};
  InternalTranslateProperty(Comp, prop);
}

void TLumLingua::AddCookie2Property(TComponent* Comp, const String& PropName) {
  const TPropInfo* prop = GetPropInfo(Comp, PropName, StringKinds);
  if (!prop) return;
  const String value = GetStrProp(Comp, prop);
  if (!HasCookie(value, FCookie)) SetStrProp(Comp, prop, FCookie + value);
}

String TLumLingua::LookUp(const String& S) {
  if (!DatabaseOpen()) throw EDatabaseError("The translation database is not open");
  FLangWord->SetKey();
  FLangWord->FieldByName("Word_Name")->SetAsString(StoredWordName(S));
  if (!FLangWord->GotoKey()) throw Exception("Can't locate : " + S);
  FLang->SetKey();
  FLang->FieldByName("Word_ID")->SetAsInteger(FLangWord->FieldByName("Word_ID")->AsInteger());
  FLang->FieldByName("Lang_ID")->SetAsInteger(FLanguageID);
  if (!FLang->GotoKey()) throw Exception("Can't locate word in table LANG");
  return ReadTranslation(FLang->FieldByName("Word_Trans")->AsString());
}

// Without an open database and a language nobody is asked: the text stays as it is.
String TLumLingua::GetWord(const String& S) {
  try {
    return LookUp(S);
  } catch (const Exception&) {
    const bool ask = FNewWordPrompt && !FPromptingCancelled && DatabaseOpen() && FLanguageID != 0;
    if (ask && EditNewWord(S)) return GetWord(S);
    return S;
  }
}

String TLumLingua::GetWordWithCookie(const String& S) {
  if (!HasCookie(S, FCookie)) throw Exception("No cookie found");
  return GetWord(S.substr(FCookie.size()));
}

void TLumLingua::InsertNewWord(const String& AWord, const String& Translation) {
  if (!DatabaseOpen()) throw EDatabaseError("The translation database is not open");
  const String word = StoredWordName(AWord), translation = StoredTranslation(Translation);
  CheckLength("The text", word, TextFieldLength);
  CheckLength("The translation", translation, TextFieldLength);
  FLangWord->SetKey();
  FLangWord->FieldByName("Word_Name")->SetAsString(word);
  if (FLangWord->GotoKey()) {
    FLang->SetKey();
    FLang->FieldByName("Word_ID")->SetAsInteger(FLangWord->FieldByName("Word_ID")->AsInteger());
    FLang->FieldByName("Lang_ID")->SetAsInteger(FLanguageID);
    if (FLang->GotoKey()) {
      FLang->Edit();
      Store(*FLang, [&] { FLang->FieldByName("Word_Trans")->SetAsString(translation); });
      return;
    }
  } else {
    FLangWord->Insert();
    Store(*FLangWord, [&] { FLangWord->FieldByName("Word_Name")->SetAsString(word); });
  }
  const Integer wordId = FLangWord->FieldByName("Word_ID")->AsInteger();
  FLang->Insert();
  Store(*FLang, [&] {
    FLang->FieldByName("Word_ID")->SetAsInteger(wordId);
    FLang->FieldByName("Lang_ID")->SetAsInteger(FLanguageID);
    FLang->FieldByName("Word_Trans")->SetAsString(translation);
  });
}

void TLumLingua::InsertNewLanguage(const String& Name) {
  if (!DatabaseOpen()) throw EDatabaseError("The translation database is not open");
  CheckLength("The language name", Name, LanguageNameLength);
  FLangList->SetKey();
  FLangList->FieldByName("Lang_Name")->SetAsString(Name);
  if (FLangList->GotoKey()) throw Exception("Language " + Name + " already exist !!!");
  FLangList->Insert();
  Store(*FLangList, [&] { FLangList->FieldByName("Lang_Name")->SetAsString(Name); });
}

// Another prompt open means this one was reached from inside its modal loop: waiting for
// it to close could never end, so the text is left untranslated.
bool TLumLingua::EditNewWord(const String& AWord) {
  if (FBusy || FPromptOpen) return false;
  FBusy = true;
  FPromptOpen = true;
  TScopeExit done{[this] {
    FBusy = false;
    FPromptOpen = false;
    WakeWaiting();
  }};
  if (!FPromptForm) {
    FPromptForm = CreateForm<TfmNewKeyword>(nullptr);
    TranslateDialog(FPromptForm);
  }
  FPromptForm->EdLanguage->SetText(FLanguage);
  FPromptForm->EdKeyword->SetText(AWord);
  FPromptForm->EdTranslation->SetText(AWord);
  FPromptShown = true;
  const TModalResult result = FPromptForm->ShowModal();
  bool stored = false;
  if (result == mrCancel) FPromptingCancelled = true;
  if (result == mrOk) {
    try {
      InsertNewWord(AWord, FPromptForm->EdTranslation->Text());
      stored = true;
    } catch (const Exception& e) {
      ShowMessage(e.Message());
    }
  }
  if (!stored) FAllTranslated = false;
  return stored;
}

bool TLumLingua::EditNewLanguage() {
  auto* dialog = CreateForm<TfmNewLanguage>(nullptr);
  TScopeExit freeDialog{[dialog] { dialog->Free(); }};
  TranslateDialog(dialog);
  if (dialog->ShowModal() != mrOk) return false;
  const String name = Trim(dialog->EdLanguage->Text());
  try {
    InsertNewLanguage(name);
  } catch (const Exception& e) {
    ShowMessage(e.Message());
    return false;
  }
  SetLanguage(name);
  return true;
}

void TLumLingua::SetLanguage(const String& Name) {
  if (Name.empty() || !DatabaseOpen()) {
    FLanguage = Name;
    FLanguageID = 0;
    return;
  }
  SelectLanguage(Name);
}

// The prompt is made again, translated into the new language, when it is next needed.
void TLumLingua::SelectLanguage(const String& Name) {
  FLangList->SetKey();
  FLangList->FieldByName("Lang_Name")->SetAsString(Name);
  if (!FLangList->GotoKey()) throw Exception("Can't locate : " + Name);
  FLanguageID = FLangList->FieldByName("Lang_ID")->AsInteger();
  FLanguage = FLangList->FieldByName("Lang_Name")->AsString();
  RecreatePromptForm();
}

void TLumLingua::RecreatePromptForm() {
  if (FPromptForm && !FBusy) {
    FPromptForm->Free();
    FPromptForm = nullptr;
  }
}

void TLumLingua::SetDatabaseName(const TFileName& Alias) {
  const String wanted = FLanguage;
  try {
    OpenTables(Alias);
    if (!Alias.empty()) {
      if (FLangList->IsEmpty())
        EditNewLanguage();
      else
        SelectLanguage(KnownLanguage(wanted));
    }
    FDatabaseName = Alias;
  } catch (const EDatabaseError& e) {
    FLangList->Close();
    FLangWord->Close();
    FLang->Close();
    FLanguageID = 0;
    ShowMessage(String(AliasMessage) + "\r\n\r\n" + e.Message());
  }
}

String TLumLingua::KnownLanguage(const String& Name) {
  if (!Name.empty()) {
    FLangList->SetKey();
    FLangList->FieldByName("Lang_Name")->SetAsString(Name);
    if (FLangList->GotoKey()) return Name;
  }
  FLangList->First();
  return FLangList->FieldByName("Lang_Name")->AsString();
}

void TLumLingua::OpenTables(const String& Alias) {
  FLangList->Close();
  FLangWord->Close();
  FLang->Close();
  FLanguageID = 0;
  if (Alias.empty()) return;
  OpenTable(*FLangList, Alias, 1);
  FLangList->First();
  OpenTable(*FLangWord, Alias, 2);
  OpenTable(*FLang, Alias, 3);
}

void TLumLingua::OpenTable(TTable& Table, const String& Alias, int N) {
  Table.SetDatabaseName(Alias);
  Table.SetIndexName(TableFiles.at(static_cast<std::size_t>(N - 1)).OpenIndex);
  try {
    Table.Open();
  } catch (const EDatabaseError&) {
    if (!FCreatebyFail) throw;
    Erzeuge_Tabelle(Alias, N);
    Table.Open();
  }
}

// A new alias names the directory "LumLinguaDB" under the current one; an existing alias
// (or directory) keeps its own, and the table goes where it will be opened.
void TLumLingua::Erzeuge_Tabelle(const String& Alias, int N) {
  const TTableFile& file = TableFiles.at(static_cast<std::size_t>(N - 1));
  if (!Session->IsAlias(Alias) && !DirectoryExists(Alias)) {
    const String dir = IncludeTrailingPathDelimiter(GetCurrentDir()) + "LumLinguaDB";
    if (!ForceDirectories(dir)) throw EDatabaseError("Cannot create the directory " + dir);
    Session->AddStandardAlias(Alias, dir, "Paradox");
    Session->SaveConfigFile();
  }
  const String path = IncludeTrailingPathDelimiter(Session->DatabaseDirectory(Alias)) + file.File;
  TQuery query(nullptr);
  query.SetDatabaseName(Alias);
  query.SQL()->SetText("CREATE TABLE \"" + path + "\" (" + file.FieldList + ")");
  query.ExecSQL();
  query.SQL()->SetText(String("CREATE INDEX ") + file.IndexName + " ON \"" + path + "\" " +
                       file.IndexFields);
  query.ExecSQL();
}

void TLumLingua::Reset() {
  FPromptingCancelled = false;
  FAllTranslated = true;
  FPromptShown = false;
}

std::vector<std::unique_ptr<TPropertyItem>> TLumLingua::CollectPropertyItems() {
  std::vector<std::unique_ptr<TPropertyItem>> items;
  const TPropertyCallback oldProps = std::exchange(FPropertyCallback, [&](TComponent* Comp,
                                                                          const TPropInfo* Prop) {
    if (!SameText(Prop->Name, "Name"))
      items.push_back(std::make_unique<TPropertyItem>(Comp, Prop->Name, GetStrProp(Comp, Prop)));
  });
  TScopeExit restore{[&] { FPropertyCallback = oldProps; }};
  WalkForm([this](TComponent* Comp) { ScanProperties(Comp, StringKinds); });
  return items;
}

void TLumLingua::EditUpdateCookie() {
  if (!OwnerForm()) return;
  const auto items = CollectPropertyItems();
  auto* dialog = CreateForm<TfmUpdateCookie>(nullptr);
  bool ok = false;
  {
    TScopeExit freeDialog{[dialog] { dialog->Free(); }};
    TranslateDialog(dialog);
    for (const auto& item : items) {
      TCheckBox* check = dialog->AddPropertyCheck(item->Component->Name() + "." + item->PropName +
                                                  " = " + item->Value);
      if (BeginsWithCookie(item->Value, FCookie))
        check->SetEnabled(false);
      else if (SameText(item->PropName, "Caption") || SameText(item->PropName, "Hint"))
        check->SetChecked(!item->Value.empty());
    }
    ok = dialog->ShowModal() == mrOk;
    if (ok)
      for (std::size_t i = 0; i < items.size(); ++i)
        if (dialog->Checks()[i]->Checked() && dialog->Checks()[i]->Enabled())
          AddCookie2Property(items[i]->Component, items[i]->PropName);
  }
  if (!ok) return;
  FCheckMode = true;
  TScopeExit checkDone{[this] { FCheckMode = false; }};
  Translate();
  ShowMessage("Check is ok");
}
