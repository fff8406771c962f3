// The translation component's database: three table files created through quoted paths
// with backslashes, then used through tables opened by their upper-case names.
#include "DbTestSupport.h"

#include "framework/classes/StringList.h"

namespace {

using dbtest::DbTest;

struct TTableFile {
  const char* File;
  const char* FieldList;
  const char* IndexName;
  const char* IndexFields;
};
const TTableFile TableFiles[] = {
    {"Langlist", "Lang_ID AUTOINC, Lang_Name CHAR(20), PRIMARY KEY (Lang_ID)", "Lang_Name",
     "(Lang_Name)"},
    {"LangWord", "Word_ID AUTOINC, Word_Name CHAR(255), PRIMARY KEY (Word_ID)", "Word_Name",
     "(Word_Name)"},
    {"Lang",
     "Word_ID SMALLINT, Lang_ID SMALLINT, Word_Trans CHAR(255), PRIMARY KEY (Word_ID, Lang_ID)",
     "idxLangWord", "(Word_ID, Lang_ID)"}};

class TranslationTables : public DbTest {
protected:
  // What creating the tables does: an alias for the directory, saved, then two statements
  // per table file.
  void CreateDatabase() {
    MakeDir("LumLinguaDB");
    if (!Session->IsAlias("LumLingua")) {
      Session->AddStandardAlias("LumLingua", Root + "\\LumLinguaDB", "Paradox");
      Session->SaveConfigFile();
    }
    for (const TTableFile& t : TableFiles) {
      const String path = Root + "\\LumLinguaDB\\" + t.File;
      Exec("LumLingua", "CREATE TABLE \"" + path + "\" (" + t.FieldList + ")");
      Exec("LumLingua",
           String("CREATE INDEX ") + t.IndexName + " ON \"" + path + "\" " + t.IndexFields);
    }
  }
  void Open(TTable& ATable, const char* AName, const char* AIndex) {
    SetTable(ATable, "LumLingua", AName);
    ATable.SetIndexName(AIndex);
    ATable.Open();
  }
  int InsertLanguage(TTable& ALangList, const String& AName) {
    ALangList.Insert();
    ALangList.FieldByName("Lang_Name")->SetAsString(AName);
    ALangList.Post();
    return ALangList.FieldByName("Lang_ID")->AsInteger();
  }
};

TEST_F(TranslationTables, OpeningMissingTablesRaisesADatabaseError) {
  Session->AddStandardAlias("LumLingua", MakeDir("LumLinguaDB"), "Paradox");
  TTable langList(nullptr);
  SetTable(langList, "LumLingua", "LANGLIST");
  EXPECT_THROW(langList.Open(), EDatabaseError);
  EXPECT_FALSE(langList.Active());
  EXPECT_EQ(langList.State(), dsInactive);
}

TEST_F(TranslationTables, CreatedTablesHaveTheirDeclaredFieldsAndIndexes) {
  CreateDatabase();
  TTable lang(nullptr), langWord(nullptr);
  Open(lang, "LANG", "");
  Open(langWord, "LANGWORD", "Word_Name");
  ASSERT_EQ(lang.FieldCount(), 3);
  EXPECT_EQ(lang.Fields(0)->DataType(), ftSmallint);
  EXPECT_EQ(lang.Fields(1)->FieldName(), "Lang_ID");
  EXPECT_EQ(lang.Fields(2)->DataType(), ftString);
  EXPECT_EQ(lang.Fields(2)->Size(), 255);
  EXPECT_NE(dynamic_cast<TAutoIncField*>(langWord.FieldByName("Word_ID")), nullptr);
  TStringList indexes;
  lang.GetIndexNames(&indexes);
  EXPECT_EQ(indexes.CommaText(), "idxLangWord");
  // The files live in the alias directory, whatever the letter case of the opened name.
  EXPECT_TRUE(std::filesystem::exists(Root + "/LumLinguaDB/lumtools.sqlite"));
  EXPECT_THROW(CreateDatabase(), EDatabaseError); // the tables exist already
}

TEST_F(TranslationTables, InsertedLanguagesGetIncreasingIdsAndComeInNameOrder) {
  CreateDatabase();
  TTable langList(nullptr);
  Open(langList, "LANGLIST", "Lang_Name");
  EXPECT_TRUE(langList.IsEmpty());
  EXPECT_EQ(InsertLanguage(langList, "English"), 1);
  EXPECT_EQ(InsertLanguage(langList, "Deutsch"), 2);
  EXPECT_EQ(langList.FieldByName("Lang_Name")->AsString(), "Deutsch"); // stays on the new one
  langList.First();
  EXPECT_EQ(langList.FieldByName("Lang_Name")->AsString(), "Deutsch");
  EXPECT_EQ(langList.RecordCount(), 2);
  // Deleting the last language does not give its id to the next one.
  langList.Last();
  langList.Delete();
  EXPECT_EQ(InsertLanguage(langList, "Français"), 3);
}

TEST_F(TranslationTables, KeySearchFindsAWordAndItsTranslation) {
  CreateDatabase();
  TTable langList(nullptr), langWord(nullptr), lang(nullptr);
  Open(langList, "LANGLIST", "Lang_Name");
  Open(langWord, "LANGWORD", "Word_Name");
  Open(lang, "LANG", "");
  const int german = InsertLanguage(langList, "Deutsch");
  for (const char* word : {"Open", "Cancel", "Close"}) {
    langWord.Insert();
    langWord.FieldByName("Word_Name")->SetAsString(word);
    langWord.Post();
  }
  langWord.First();

  langWord.SetKey();
  EXPECT_EQ(langWord.State(), dsSetKey);
  langWord.FieldByName("Word_Name")->SetAsString("Cancel");
  ASSERT_TRUE(langWord.GotoKey());
  EXPECT_EQ(langWord.State(), dsBrowse);
  const int cancel = langWord.FieldByName("Word_ID")->AsInteger();
  EXPECT_EQ(cancel, 2);

  lang.Insert();
  lang.FieldByName("Word_ID")->SetAsInteger(cancel);
  lang.FieldByName("Lang_ID")->SetAsInteger(german);
  lang.FieldByName("Word_Trans")->SetAsString("Abbrechen");
  lang.Post();

  lang.SetKey();
  lang.FieldByName("Word_ID")->SetAsInteger(cancel);
  lang.FieldByName("Lang_ID")->SetAsInteger(german);
  ASSERT_TRUE(lang.GotoKey());
  EXPECT_EQ(lang.FieldByName("Word_Trans")->AsString(), "Abbrechen");

  // Not found: false, and the cursor stays where it was.
  langWord.First();
  langWord.Next();
  const String before = langWord.FieldByName("Word_Name")->AsString();
  langWord.SetKey();
  langWord.FieldByName("Word_Name")->SetAsString("Missing");
  EXPECT_FALSE(langWord.GotoKey());
  EXPECT_EQ(langWord.FieldByName("Word_Name")->AsString(), before);
  EXPECT_EQ(langWord.State(), dsBrowse);
}

TEST_F(TranslationTables, TranslationsSurviveReopeningThroughTheSavedAlias) {
  CreateDatabase();
  {
    TTable langList(nullptr);
    Open(langList, "LANGLIST", "Lang_Name");
    InsertLanguage(langList, "Deutsch");
  }
  Session->Close(); // a new run of the program: the alias comes from the saved file
  TTable langList(nullptr);
  Open(langList, "langlist", "lang_name");
  ASSERT_EQ(langList.RecordCount(), 1);
  EXPECT_EQ(langList.FieldByName("lang_name")->AsString(), "Deutsch");
}

} // namespace
