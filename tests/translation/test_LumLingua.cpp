#include "tests/translation/LinguaTestSupport.h"

#include "framework/controls/Buttons.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Labels.h"
#include "framework/controls/StdCtrls.h"
#include "tests/rtl/ErrorTesting.h"
#include "translation/Newkwd.h"
#include "translation/Newlang.h"

using namespace linguatest;

namespace {

constexpr const char* AliasText = "You need to choose the alias wich points on\r\n"
                                  "tables LANGLIST, LANGWORD and LANG.\r\n\r\n"
                                  "If this alias does not exist, you need to create it !!!";

class LinguaComponent : public LinguaTest {
protected:
  TForm* Form = nullptr;
  TButton* Button = nullptr;
  TLabel* Label = nullptr;
  TEdit* Edit = nullptr;

  // A form with marked captions and hints, as read from a form file.
  void MakeForm() {
    Form = NewForm(400, 200);
    Form->SetName("Form1");
    Form->SetCaption("##Open");
    Button = controltest::Place(Form, new TButton(Form), 8, 8);
    Button->SetName("Button1");
    Button->SetCaption("##Cancel");
    Button->SetHint("##Don't save");
    Label = controltest::Place(Form, new TLabel(Form), 8, 40);
    Label->SetName("Label1");
    Label->SetCaption("##");
    Edit = controltest::Place(Form, new TEdit(Form), 8, 70);
    Edit->SetName("Edit1");
    Edit->SetText("##Größe");
    Edit->SetHint("can´t");
  }
};

TEST_F(LinguaComponent, TranslatesEveryMarkedTextOfTheFormOnceTheLoopRuns) {
  Seed();
  MakeForm();
  auto* unnamed = controltest::Place(Form, new TButton(Form), 8, 100);
  unnamed->SetCaption("##Cancel");
  TLumLingua* lingua = Lingua(Form);
  EXPECT_EQ(lingua->Language(), "Deutsch");
  EXPECT_EQ(lingua->LanguageID(), 1);
  EXPECT_EQ(Button->Caption(), "##Cancel") << "nothing before the message loop";
  int translated = 0;
  lingua->SetOnTranslate([&](TObject*) { ++translated; });
  User.ProcessMessages();
  EXPECT_EQ(Form->Caption(), "Öffnen");
  EXPECT_EQ(Button->Caption(), "Abbrechen");
  EXPECT_EQ(Button->Hint(), "Nicht speichern") << "apostrophes are values, not SQL";
  EXPECT_EQ(Edit->Text(), "Größe");
  EXPECT_EQ(Edit->Hint(), "can´t") << "unmarked";
  EXPECT_EQ(Label->Caption(), "##") << "the cookie alone is no mark";
  EXPECT_EQ(unnamed->Caption(), "##Cancel") << "a component without a name is left alone";
  EXPECT_TRUE(lingua->PendingList().empty());
  EXPECT_EQ(translated, 0) << "the deferred refresh is no Translate";

  // Another language applies to forms made afterwards; this one stays.
  lingua->SetLanguage("English");
  EXPECT_EQ(Button->Caption(), "Abbrechen");
  Button->SetCaption("##Cancel");
  Edit->SetText("##Größe");
  lingua->Translate();
  EXPECT_EQ(Button->Caption(), "Cancel");
  EXPECT_EQ(Edit->Text(), "Size");
  EXPECT_EQ(translated, 1);
  EXPECT_THROW(lingua->SetLanguage("Klingon"), Exception);
  EXPECT_EQ(lingua->Language(), "English");
}

TEST_F(LinguaComponent, CookieMatchIgnoresCaseAndAChangeRewritesTheMarks) {
  Seed();
  MakeForm();
  TLumLingua* lingua = Lingua(Form);
  lingua->SetCookie("##x");
  EXPECT_EQ(Button->Caption(), "##xCancel");
  EXPECT_EQ(Button->Hint(), "##xDon't save");
  EXPECT_EQ(Label->Caption(), "##") << "not longer than the old cookie";
  EXPECT_EQ(lingua->Cookie(), "##x");
  Button->SetCaption("##XCancel");
  User.ProcessMessages();
  EXPECT_EQ(Button->Caption(), "Abbrechen");
  EXPECT_EQ(lingua->GetWordWithCookie("##XOpen"), "Öffnen");
  ExpectError<Exception>([&] { lingua->GetWordWithCookie("##x"); }, "No cookie found");
  lingua->SetCheck("anything");
  EXPECT_EQ(lingua->Check(), "Click on ...");
}

TEST_F(LinguaComponent, TrailingBlanksAndFinalHashesSurviveTheStorage) {
  Seed();
  AddWord("Old #", {"alt#"}); // as rows written before: blank and hash kept
  TLumLingua* lingua = Lingua(nullptr);
  lingua->InsertNewWord("Close ", "Schließen ");
  EXPECT_EQ(Stored("Close #", 1), "Schließen #");
  EXPECT_EQ(lingua->GetWord("Close "), "Schließen ");
  lingua->InsertNewWord("C#", "C#");
  EXPECT_EQ(Stored("C#", 1), "C##") << "a real final hash is kept";
  EXPECT_EQ(lingua->GetWord("C#"), "C#");
  EXPECT_EQ(lingua->GetWord("Old "), "alt") << "existing rows read as before";
  // An existing word gets its translation replaced, for this language only.
  lingua->InsertNewWord("Cancel", "Abbruch");
  EXPECT_EQ(lingua->GetWord("Cancel"), "Abbruch");
  EXPECT_EQ(Stored("Cancel", 2), "Cancel");
  EXPECT_EQ(RowCount("LANGWORD"), 8);
  lingua->Free();
}

TEST_F(LinguaComponent, TooLongTextsAreRefusedNamingThemAndNothingIsKeptHalfway) {
  Seed();
  TLumLingua* lingua = Lingua(nullptr);
  const String longWord(255, 'w');
  try {
    lingua->InsertNewWord(longWord + " ", "x");
    ADD_FAILURE() << "256 characters with the hash";
  } catch (const EDatabaseError& e) {
    EXPECT_NE(e.Message().find("The text of 257 characters is too long (at most 255)"),
              String::npos)
        << e.Message();
  }
  lingua->InsertNewWord(longWord, String(254, 'u') + "ü");
  EXPECT_EQ(lingua->GetWord(longWord), String(254, 'u') + "ü") << "characters, not bytes";
  EXPECT_THROW(lingua->InsertNewWord("Short", String(255, 't') + "#"), EDatabaseError);
  EXPECT_FALSE(Stored("Short", 1).has_value());
  EXPECT_EQ(lingua->LangWordTable()->State(), dsBrowse);
  ExpectErrorContaining<EDatabaseError>([&] { lingua->InsertNewLanguage("Niederländisch-Flämisch"); }, "The language name of 23 characters");
  ExpectError<Exception>([&] { lingua->InsertNewLanguage("English"); },
                         "Language English already exist !!!");
  EXPECT_EQ(RowCount("LANGLIST"), 2);
  EXPECT_EQ(lingua->LangListTable()->State(), dsBrowse);
  lingua->Free();
}

TEST_F(LinguaComponent, MissingTablesShowTheAliasMessageAndTheFormLoadsUntranslated) {
  std::filesystem::create_directories(Root + "/Empty");
  Session->AddStandardAlias("Empty", Root + "/Empty", "Paradox");
  MakeForm();
  auto* lingua = new TLumLingua(Form);
  lingua->SetName("LumLingua1");
  lingua->SetLanguage("Deutsch"); // no database yet: no failure, the name is kept
  EXPECT_EQ(lingua->Language(), "Deutsch");
  lingua->SetDatabaseName("Empty"); // its message box runs the loop: a prompt would fail
  ASSERT_EQ(User.Messages().size(), 1u);
  EXPECT_EQ(User.Messages()[0].Text.substr(0, String(AliasText).size()), AliasText);
  EXPECT_EQ(lingua->DatabaseName(), "");
  User.ProcessMessages();
  EXPECT_EQ(Button->Caption(), "Cancel") << "only the cookie goes";
  EXPECT_TRUE(lingua->AllTranslated());
  EXPECT_FALSE(std::filesystem::exists(Root + "/LumLinguaDB"));

  // Once the database is there, the remembered language is looked up.
  Seed();
  lingua->SetLanguage("English");
  lingua->SetDatabaseName(Alias);
  EXPECT_EQ(lingua->DatabaseName(), Alias);
  EXPECT_EQ(lingua->Language(), "English");
  EXPECT_EQ(lingua->LanguageID(), 2);
}

TEST_F(LinguaComponent, ACorruptDatabaseFileIsNamedAndLeftAsItWas) {
  std::filesystem::create_directories(Root + "/Broken");
  const String file = Root + "/Broken/lumtools.sqlite";
  const String garbage(4096, 'Z');
  std::ofstream(file, std::ios::binary) << garbage;
  Session->AddStandardAlias("Broken", Root + "/Broken", "Paradox");
  MakeForm();
  auto* lingua = new TLumLingua(Form);
  lingua->SetName("LumLingua1");
  lingua->SetCreatebyFail(true);
  lingua->SetLanguage("Deutsch");
  lingua->SetDatabaseName("Broken");
  ASSERT_EQ(User.Messages().size(), 1u);
  EXPECT_NE(User.Messages()[0].Text.find(Root + "/Broken"), String::npos)
      << User.Messages()[0].Text;
  EXPECT_FALSE(lingua->DatabaseOpen());
  User.ProcessMessages();
  EXPECT_EQ(Button->Caption(), "Cancel");
  std::ifstream in(file, std::ios::binary);
  EXPECT_EQ(String(std::istreambuf_iterator<char>(in), {}), garbage);
}

TEST_F(LinguaComponent, CreatebyFailMakesTheDirectoryAliasAndTablesAndAsksForALanguage) {
  MakeForm();
  auto* lingua = new TLumLingua(Form);
  lingua->SetName("LumLingua1");
  lingua->SetCreatebyFail(true);
  User.WhenModal([&](TCustomForm* Dialog) {
    auto* window = dynamic_cast<TfmNewLanguage*>(Dialog);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->Caption(), "##New language") << "no language yet to translate it";
    User.Click(window->OKBtn);
    EXPECT_EQ(MessageTexts().back(), "Language MUST be filled !!!");
    EXPECT_TRUE(window->Visible()) << "stays open";
    EXPECT_EQ(Screen()->ActiveControl(), window->EdLanguage);
    User.Type("Deutsch");
    User.Click(window->OKBtn);
  });
  lingua->SetDatabaseName("Fresh");
  EXPECT_EQ(lingua->DatabaseName(), "Fresh");
  EXPECT_EQ(lingua->Language(), "Deutsch");
  EXPECT_TRUE(std::filesystem::exists(Root + "/LumLinguaDB/lumtools.sqlite"));
  EXPECT_TRUE(Session->IsAlias("Fresh"));
  Session->Close(); // the alias was saved
  EXPECT_TRUE(Session->IsAlias("Fresh"));
  EXPECT_EQ(Session->DatabaseDirectory("Fresh"), Root + "/LumLinguaDB");
  TStringList indexes;
  lingua->LangTable()->GetIndexNames(&indexes);
  EXPECT_EQ(indexes.CommaText(), "idxLangWord");
}

TEST_F(LinguaComponent, ATableMissingUnderAnExistingAliasIsMadeWhereTheAliasPoints) {
  Seed("Elsewhere");
  Exec("DROP TABLE LANG");
  auto* lingua = new TLumLingua(nullptr);
  lingua->SetCreatebyFail(true);
  lingua->SetDatabaseName(Alias);
  EXPECT_TRUE(lingua->DatabaseOpen());
  EXPECT_EQ(lingua->Language(), "Deutsch") << "the first in name order";
  EXPECT_FALSE(std::filesystem::exists(Root + "/LumLinguaDB"));
  EXPECT_EQ(RowCount("LANG"), 0);
  lingua->Free();
}

TEST_F(LinguaComponent, AComponentFreedWhileItWaitsIsDroppedFromTheList) {
  Seed();
  MakeForm();
  TLumLingua* lingua = Lingua(Form);
  lingua->AddComponents(); // the refresh is posted, not handled yet
  const std::size_t waiting = lingua->PendingList().size();
  ASSERT_GE(waiting, 4u);
  Button->Free();
  EXPECT_EQ(std::count(lingua->PendingList().begin(), lingua->PendingList().end(), nullptr), 1);
  User.ProcessMessages();
  EXPECT_EQ(Edit->Text(), "Größe");
  EXPECT_TRUE(lingua->PendingList().empty());
}

TEST_F(LinguaComponent, CollectingWithoutAnOwnerReportsFormNil) {
  TLumLingua lingua(nullptr);
  User.ProcessMessages();
  ASSERT_FALSE(User.Messages().empty());
  EXPECT_EQ(User.Messages().back().Text, "Form nil.") << "as the application shows it";
  ExpectError<Exception>([&] { lingua.AddComponents(); }, "Form nil");
}

} // namespace
