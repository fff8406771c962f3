#pragma once

#include "framework/db/Query.h"
#include "framework/db/Session.h"
#include "framework/db/Table.h"
#include "framework/rtl/FileSystem.h"
#include "tests/controls/ControlTestSupport.h"
#include "translation/LumLingua.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace linguatest {

// A headless display, and a directory of its own that is the current one, with its own
// alias file; the default session starts afresh and the shared prompt flags are cleared.
class LinguaTest : public controltest::ControlTest {
protected:
  void SetUp() override {
    String pattern = (std::filesystem::temp_directory_path() / "lumlingua-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    Root = pattern;
    OldDir = GetCurrentDir();
    ASSERT_TRUE(SetCurrentDir(Root));
    setenv("LUMTOOLS_ALIASES", (Root + "/config/aliases").c_str(), 1);
    Session->Close();
  }
  void TearDown() override {
    ControlTest::TearDown();
    TLumLingua(nullptr).Reset();
    User.ProcessMessages();
    Session->Close();
    unsetenv("LUMTOOLS_ALIASES");
    SetCurrentDir(OldDir);
    std::filesystem::remove_all(Root);
  }

  void Exec(const String& Sql) {
    TQuery query(nullptr);
    query.SetDatabaseName(Alias);
    query.SQL()->SetText(Sql);
    query.ExecSQL();
  }
  // The three tables under the alias, made without the component, with the languages
  // Deutsch (1) and English (2) and a few words.
  void Seed(const String& Directory = "LumLinguaDB") {
    std::filesystem::create_directories(Root + "/" + Directory);
    Session->AddStandardAlias(Alias, Root + "/" + Directory, "Paradox");
    Exec("CREATE TABLE LANGLIST (Lang_ID AUTOINC, Lang_Name CHAR(20), PRIMARY KEY (Lang_ID))");
    Exec("CREATE INDEX Lang_Name ON LANGLIST (Lang_Name)");
    Exec("CREATE TABLE LANGWORD (Word_ID AUTOINC, Word_Name CHAR(255), PRIMARY KEY (Word_ID))");
    Exec("CREATE INDEX Word_Name ON LANGWORD (Word_Name)");
    Exec("CREATE TABLE LANG (Word_ID SMALLINT, Lang_ID SMALLINT, Word_Trans CHAR(255), "
         "PRIMARY KEY (Word_ID, Lang_ID))");
    Exec("CREATE INDEX idxLangWord ON LANG (Word_ID, Lang_ID)");
    Insert("LANGLIST", {{"Lang_Name", "Deutsch"}});
    Insert("LANGLIST", {{"Lang_Name", "English"}});
    AddWord("Cancel", {"Abbrechen", "Cancel"});
    AddWord("Open", {"Öffnen", "Open"});
    AddWord("Don't save", {"Nicht speichern", "Don't save"});
    AddWord("can´t", {"kann nicht", "can´t"});
    AddWord("Größe", {"Größe", "Size"});
  }
  void Insert(const String& Table, std::vector<std::pair<String, String>> Values) {
    TTable table(nullptr);
    table.SetDatabaseName(Alias);
    table.SetTableName(Table);
    table.Open();
    table.Append();
    for (const auto& [field, value] : Values) table.FieldByName(field)->SetAsString(value);
    table.Post();
  }
  // The word and its stored translations for language 1, 2, … (empty: none).
  void AddWord(const String& Word, std::vector<String> Translations) {
    Insert("LANGWORD", {{"Word_Name", Word}});
    const int id = ++Words;
    for (std::size_t i = 0; i < Translations.size(); ++i)
      if (!Translations[i].empty())
        Insert("LANG", {{"Word_ID", std::to_string(id)},
                        {"Lang_ID", std::to_string(i + 1)},
                        {"Word_Trans", Translations[i]}});
  }
  // What LANG holds for the word in the language (nullopt: no row).
  std::optional<String> Stored(const String& Word, int LangId) {
    TTable words(nullptr), lang(nullptr);
    words.SetDatabaseName(Alias);
    words.SetTableName("LANGWORD");
    words.SetIndexName("Word_Name");
    words.Open();
    if (!words.FindKey({Variant(Word)})) return std::nullopt;
    lang.SetDatabaseName(Alias);
    lang.SetTableName("LANG");
    lang.Open();
    if (!lang.FindKey({Variant(words.FieldByName("Word_ID")->AsInteger()), Variant(LangId)}))
      return std::nullopt;
    return lang.FieldByName("Word_Trans")->AsString();
  }
  int RowCount(const String& Table) {
    TTable table(nullptr);
    table.SetDatabaseName(Alias);
    table.SetTableName(Table);
    table.Open();
    return table.RecordCount();
  }
  // A translation component on the form, opened on the seeded database in that language.
  TLumLingua* Lingua(TComponent* Owner, const String& Language = "Deutsch") {
    auto* lingua = new TLumLingua(Owner);
    lingua->SetName("LumLingua" + std::to_string(++Linguas));
    lingua->SetDatabaseName(Alias);
    lingua->SetLanguage(Language);
    return lingua;
  }
  std::vector<String> MessageTexts() const {
    std::vector<String> texts;
    for (const auto& m : User.Messages()) texts.push_back(m.Text);
    return texts;
  }

  String Root;
  String OldDir;
  String Alias = "LumLingua";
  int Words = 0;
  int Linguas = 0;
};

} // namespace linguatest
