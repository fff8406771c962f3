#include "tests/SheetPath.h"
#include "tests/translation/LinguaTestSupport.h"

#include "framework/controls/Buttons.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/Edits.h"
#include "framework/controls/StdCtrls.h"
#include "framework/design/Registry.h"
#include "translation/LumLinguaEditors.h"
#include "translation/Newkwd.h"
#include "translation/Newlang.h"
#include "translation/Upcookie.h"

using namespace linguatest;

namespace {

class TCountingDesigner : public IDesigner {
public:
  explicit TCountingDesigner(TComponent* ARoot) : Root(ARoot) {}
  TComponent* GetRoot() override { return Root; }
  void Modified() override { ++Modifications; }
  TComponent* Root;
  int Modifications = 0;
};

// The registrations the library's Register makes for the translation component.
void RegisterLinguaEditors() {
  const TTypeInfo* text = lum::TypeInfoOf<String>();
  const TClass lingua = TLumLingua::StaticClass();
  RegisterPropertyEditor(text, lingua, "Language", PropertyEditorClassOf<TLanguageProperty>());
  RegisterPropertyEditor(text, lingua, "DatabaseName",
                         PropertyEditorClassOf<TDatabaseNameProperty>());
  RegisterPropertyEditor(text, lingua, "Check", PropertyEditorClassOf<TCheckProperty>());
  RegisterComponentEditor<TLumLingua, TLumLinguaEditor>();
}

class LinguaEditors : public LinguaTest {
protected:
  TForm* Form = nullptr;
  TLumLingua* Component = nullptr;
  TCountingDesigner* Designer = nullptr;

  void SetUp() override {
    LinguaTest::SetUp();
    RegisterLinguaEditors();
    Form = NewForm(300, 200);
    Form->SetName("Form1");
    Form->SetCaption("Main");
    Form->SetDesigning(true);
    Designer = new TCountingDesigner(Form);
  }
  void TearDown() override {
    delete Designer;
    ResetRegistrationsToStandard();
    LinguaTest::TearDown();
  }
  std::unique_ptr<TPropertyEditor> Editor(const String& Prop) {
    return CreatePropertyEditor(Designer, {Component}, GetPropInfo(Component, Prop));
  }
  static std::vector<String> Values(TPropertyEditor& E) {
    std::vector<String> v;
    E.GetValues([&](const String& s) { v.push_back(s); });
    return v;
  }
};

TEST_F(LinguaEditors, PropertyEditorsListLanguagesAndDatabasesAndRunTheCheck) {
  Seed();
  Session->AddStandardAlias("Other", Root, "Paradox");
  Component = Lingua(Form);
  auto language = Editor("Language");
  ASSERT_TRUE(dynamic_cast<TLanguageProperty*>(language.get()));
  EXPECT_EQ(language->GetAttributes().Bits(), 41u);
  EXPECT_EQ(Values(*language), (std::vector<String>{"Deutsch", "English"}));
  language->SetValue("English");
  EXPECT_EQ(Component->LanguageID(), 2);
  EXPECT_EQ(Designer->Modifications, 1);

  auto database = Editor("DatabaseName");
  ASSERT_TRUE(dynamic_cast<TDatabaseNameProperty*>(database.get()));
  EXPECT_EQ(database->GetAttributes().Bits(), 41u);
  EXPECT_EQ(Values(*database), (std::vector<String>{"LumLingua", "Other"}));

  auto check = Editor("Check");
  ASSERT_TRUE(dynamic_cast<TCheckProperty*>(check.get()));
  EXPECT_EQ(check->GetAttributes().Bits(), 4u);
  auto* edit = controltest::Place(Form, new TEdit(Form), 8, 8);
  edit->SetName("Edit1");
  edit->SetText("##Missing");
  User.WhenModal([&](TCustomForm* Prompt) {
    EXPECT_EQ(dynamic_cast<TfmNewKeyword*>(Prompt)->EdKeyword->Text(), "Missing");
    User.Click(dynamic_cast<TfmNewKeyword*>(Prompt)->SkipBtn);
  });
  check->Edit();
  EXPECT_EQ(MessageTexts().back(), "Check is Ok");
  EXPECT_EQ(edit->Text(), "##Missing") << "the check changes nothing";
  EXPECT_FALSE(Component->CheckMode());
}

TEST_F(LinguaEditors, TheVerbsAddALanguageAndCreateTheDatabase) {
  Component = new TLumLingua(Form);
  Component->SetName("LumLingua1");
  auto editor = GetComponentEditor(Component, Designer);
  ASSERT_TRUE(dynamic_cast<TLumLinguaEditor*>(editor.get()));
  ASSERT_EQ(editor->GetVerbCount(), 3);
  EXPECT_EQ(editor->GetVerb(0), "Add language");
  EXPECT_EQ(editor->GetVerb(1), "Update cookie");
  EXPECT_EQ(editor->GetVerb(2), "Create Database");
  editor->Edit();
  EXPECT_EQ(MessageTexts().back(), "Next version ...");

  User.WhenModal([&](TCustomForm*) {
    User.Type("English");
    User.Enter();
  });
  editor->ExecuteVerb(2);
  EXPECT_EQ(Component->DatabaseName(), "LumLinguaAlias");
  EXPECT_FALSE(Component->CreatebyFail()) << "back to what it was";
  EXPECT_TRUE(std::filesystem::exists(Root + "/LumLinguaDB"));
  EXPECT_EQ(Component->Language(), "English");

  User.WhenModal([&](TCustomForm* Dialog) {
    auto* window = dynamic_cast<TfmNewLanguage*>(Dialog);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->EdLanguage->MaxLength(), 20);
    User.Type("English");
    User.Click(window->OKBtn);
  });
  editor->ExecuteVerb(0);
  EXPECT_EQ(MessageTexts().back(), "Language English already exist !!!");
  User.WhenModal([&](TCustomForm*) {
    User.Type("Deutsch");
    User.Enter();
  });
  editor->ExecuteVerb(0);
  EXPECT_EQ(Component->Language(), "Deutsch");
  EXPECT_EQ(Component->LanguageID(), 2);
  EXPECT_EQ(Designer->Modifications, 3);
}

TEST_F(LinguaEditors, UpdateCookieMarksTheChosenPropertiesThenChecksThem) {
  Seed();
  Component = Lingua(Form);
  auto* open = controltest::Place(Form, new TButton(Form), 8, 8);
  open->SetName("Button1");
  open->SetCaption("Open");
  auto* marked = controltest::Place(Form, new TButton(Form), 8, 40);
  marked->SetName("Button2");
  marked->SetCaption("##Cancel");
  auto* edit = controltest::Place(Form, new TEdit(Form), 8, 72);
  edit->SetName("Edit1");
  edit->SetText("Hello");
  auto editor = GetComponentEditor(Component, Designer);
  User.WhenModal([&](TCustomForm* Dialog) {
    auto* window = dynamic_cast<TfmUpdateCookie*>(Dialog);
    ASSERT_TRUE(window);
    auto find = [&](const String& Caption) -> TCheckBox* {
      for (TCheckBox* c : window->Checks())
        if (c->Caption() == Caption) return c;
      ADD_FAILURE() << "no check box " << Caption;
      return window->Checks().front();
    };
    EXPECT_TRUE(find("Form1.Caption = Main")->Checked());
    EXPECT_TRUE(find("Button1.Caption = Open")->Checked());
    EXPECT_FALSE(find("Button1.Hint = ")->Checked()) << "empty";
    EXPECT_FALSE(find("Button2.Caption = ##Cancel")->Enabled()) << "marked already";
    EXPECT_FALSE(find("Edit1.Text = Hello")->Checked());
    for (TCheckBox* c : window->Checks()) {
      const String& caption = c->Caption();
      EXPECT_NE(caption.substr(caption.find('.') + 1, 7), "Name = ") << caption;
    }
    User.ProcessMessages();
    User.SaveSnapshot(window, SheetPath("lingua_update_cookie.png"));
    User.Click(find("Form1.Caption = Main"));
    find("Edit1.Text = Hello")->SetChecked(true);
    User.Click(window->OKBtn);
    User.WhenModal([&](TCustomForm* Prompt) {
      EXPECT_EQ(dynamic_cast<TfmNewKeyword*>(Prompt)->EdKeyword->Text(), "Hello");
      User.Click(dynamic_cast<TfmNewKeyword*>(Prompt)->CancelBtn);
    });
  });
  editor->ExecuteVerb(1);
  EXPECT_EQ(MessageTexts().back(), "Check is ok");
  EXPECT_EQ(Form->Caption(), "Main");
  EXPECT_EQ(open->Caption(), "##Open") << "marked, not translated by the check";
  EXPECT_EQ(marked->Caption(), "##Cancel");
  EXPECT_EQ(edit->Text(), "##Hello");
  EXPECT_FALSE(Component->CheckMode());
}

} // namespace
