#pragma once

#include "framework/classes/TypeInfo.h"
#include "framework/db/Table.h"
#include "framework/win32/user/HiddenWindow.h"

#include <functional>
#include <memory>
#include <vector>

class TCustomForm;
class TfmNewKeyword;

using TFileName = String;

// The messages the component posts to its hidden window.
inline constexpr UINT LinguaRefreshMessage = 0xB3E8;
inline constexpr UINT LinguaCollectMessage = 0xB3E9;

// The storage trims trailing blanks: a text ending in a blank is stored with "#" appended.
// A stored translation loses one final "#" when read; so that a real final "#" ("C#")
// survives, new translations ending in "#" get one appended too.
String StoredWordName(const String& AWord);
String StoredTranslation(const String& Translation);
String ReadTranslation(const String& Stored);
// Whether Value is longer than Cookie and begins with it, letter case ignored.
bool HasCookie(const String& Value, const String& Cookie);

// A string property of a component and its value when the item was made.
class TPropertyItem : public TObject {
  LUM_CLASS(TPropertyItem, TObject)
public:
  TPropertyItem(TComponent* AComponent, const String& APropName, const String& AValue)
      : Component(AComponent), PropName(APropName), Value(AValue) {}
  TComponent* Component;
  String PropName;
  String Value;
};

// Translates the marked texts of a form at run time: every published string property of
// the form and its components that begins with the cookie ("##") is replaced by the
// translation of the rest into the current language, from a database of three tables
// (LANGLIST, LANGWORD, LANG). A missing text can be entered on the spot in a prompt.
class TLumLingua : public TComponent {
  LUM_CLASS(TLumLingua, TComponent)
public:
  using TStringCallback = std::function<void(String& S)>;
  using TPropertyCallback = std::function<void(TComponent* Comp, const TPropInfo* Prop)>;

  explicit TLumLingua(TComponent* AOwner);
  ~TLumLingua() override;

  LUM_PUBLISHED(String, Check, FCheck, SetCheck, NoDefault)
  LUM_PUBLISHED(String, Cookie, FCookie, SetCookie, NoDefault)
  LUM_PUBLISHED(bool, CreatebyFail, FCreatebyFail, Field, Default(false))
  LUM_PUBLISHED(TFileName, DatabaseName, FDatabaseName, SetDatabaseName, NoDefault)
  LUM_PUBLISHED(String, Language, FLanguage, SetLanguage, NoDefault)
  LUM_PUBLISHED(bool, NewWordPrompt, FNewWordPrompt, Field, Default(true))
  LUM_PUBLISHED(TNotifyEvent, OnTranslate, FOnTranslate, Field, NoDefault)
  void SetCheck(const String& Value);
  // Rewrites the marked texts of the form from the old cookie to the new one.
  void SetCookie(const String& Value);
  // Opens the three tables of the alias (creating missing ones with CreatebyFail) and
  // selects a language; a database error shows the alias message and keeps the old name.
  void SetDatabaseName(const TFileName& Alias);
  // "Can't locate : X" for a language the open database lacks. Before the database is
  // open the name is kept and looked up once it opens.
  void SetLanguage(const String& Name);

  void Translate();
  void TranslateForm(TComponent* Form);
  void TranslateComponent(TComponent* Comp);
  void TranslateProperty(TComponent* Comp, const String& PropName);
  void AddCookie2Property(TComponent* Comp, const String& PropName);
  String GetWord(const String& S);
  String GetWordWithCookie(const String& S);
  void InsertNewLanguage(const String& Name);
  // Stores Translation (as it is to read back) for Word in the current language.
  void InsertNewWord(const String& AWord, const String& Translation);
  bool EditNewWord(const String& AWord);
  bool EditNewLanguage();
  void EditUpdateCookie();
  void Reset();
  bool AllTranslated() const { return FAllTranslated; }
  bool Translatefound() const { return FPromptShown; }

  // The deferred work: the components waiting, collecting them, translating them.
  void RefreshTranslation();
  void AddComponents();
  void ScanProperties(TComponent* Comp, TTypeKinds Kinds);
  void UpdateStrProperty(TComponent* Comp, const TPropInfo* Prop);
  // Creates table n (1 LANGLIST, 2 LANGWORD, 3 LANG) with its index for the alias.
  void Erzeuge_Tabelle(const String& Alias, int N);

  void SetStringCallback(TStringCallback Value) { FStringCallback = std::move(Value); }
  void SetPropertyCallback(TPropertyCallback Value) { FPropertyCallback = std::move(Value); }
  bool CheckMode() const { return FCheckMode; }
  void SetCheckMode(bool Value) { FCheckMode = Value; }
  bool DatabaseOpen() const { return FLangList->Active(); }
  Integer LanguageID() const { return FLanguageID; }
  const std::vector<TComponent*>& PendingList() const { return FPending; }
  TTable* LangListTable() const { return FLangList.get(); }
  TTable* LangWordTable() const { return FLangWord.get(); }
  TTable* LangTable() const { return FLang.get(); }
  TfmNewKeyword* PromptForm() const { return FPromptForm; }
  // The shared flags: a prompt was cancelled (no instance prompts until Reset), a prompt is
  // open somewhere.
  static bool PromptingCancelled() { return FPromptingCancelled; }
  static bool PromptOpen() { return FPromptOpen; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // After the form file was read: the collect message again, for the loaded form.
  void Loaded() override;

private:
  LRESULT WndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  TCustomForm* OwnerForm() const;
  void Post(UINT Msg);
  void AddPending(TComponent* Comp);
  void ClearPending();
  void TranslateDialog(TComponent* Dialog);
  void InternalTranslateProperty(TComponent* Comp, const TPropInfo* Prop);
  void TranslateString(String& S);
  String LookUp(const String& S);
  void OpenTables(const String& Alias);
  void OpenTable(TTable& Table, const String& Alias, int N);
  void SelectLanguage(const String& Name);
  // Name when the open database has it, else its first language in name order.
  String KnownLanguage(const String& Name);
  void RecreatePromptForm();
  void RewriteCookie(const String& Old, const String& New);
  void WalkForm(const std::function<void(TComponent*)>& Action);
  std::vector<std::unique_ptr<TPropertyItem>> CollectPropertyItems();
  // Posts the refresh to every instance whose components wait (after a prompt closed).
  static void WakeWaiting();

  String FCheck;
  String FCookie;
  String FPreviousCookie;
  bool FCreatebyFail = false;
  TFileName FDatabaseName;
  String FLanguage;
  bool FNewWordPrompt = true;
  TNotifyEvent FOnTranslate;
  Integer FLanguageID = 0;
  std::unique_ptr<TTable> FLangList, FLangWord, FLang;
  std::vector<TComponent*> FPending;
  bool FRefreshing = false;
  TStringCallback FStringCallback;
  TPropertyCallback FPropertyCallback;
  bool FCheckMode = false;
  bool FBusy = false;
  TfmNewKeyword* FPromptForm = nullptr;
  HWND FWindow = nullptr;
  bool FAllTranslated = true;
  bool FPromptShown = false;

  inline static bool FPromptingCancelled = false;
  inline static bool FPromptOpen = false;
  inline static std::vector<TLumLingua*> FInstances;
};
