#include "tests/SheetPath.h"
#include "tests/TempPath.h"
#include "tests/controls/ControlTestSupport.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/PageControl.h"
#include "framework/design/FormDesigner.h"
#include "framework/design/Registry.h"
#include "framework/design/VCLEditors.h"
#include "framework/rtl/Strings.h"
#include "framework/win32/gdi/Resources.h"
#include "indicators/LumRahmen.h"
#include "lists/LumComboBoxItemsfenster.h"
#include "lists/LumItemsfenster.h"
#include "package/LumToolsPck.h"
#include "package/Lumreg.h"
#include "printing/LumPrinter.h"
#include "surfaces/LumEffektEditor.h"
#include "valueentry/Lumvaled.h"

#include <filesystem>
#include <regex>

namespace {

// The palette page in its order; a class not built into the program is simply not there.
const char* const PageOrder[] = {"TLumValidateEdit", "TLumExtValEdit",     "TLumDBExtValEdit",
                                 "TLumList",         "TLumComboBox",       "TLumCheckBox",
                                 "TLumMainMenu",     "TLumPrinter",        "TLumFrame",
                                 "TLumImage",        "TLumStringGrid",     "TLumDBGrid",
                                 "TLumScrollText",   "TLumDigit",          "TLumHistogram",
                                 "TLumTacho",        "TLumProgressBar",    "TLumLED",
                                 "TLumArrow",        "TLumEffect",         "TLumZeilenDialog",
                                 "TLumMemoDialog",   "TLumLingua",         "TLumYearCalendar",
                                 "TLumCalculator",   "TLumSchiebefixspiel"};

// The designed form's tab order also holds windows that the file does not (helper windows
// of some components), so a control's TabOrder differs between the placed and the read form.
String WithoutTabOrders(const String& Text) {
  return std::regex_replace(Text, std::regex("\n *TabOrder = [0-9]+"), "");
}

class LumToolsRegistrationTest : public controltest::ControlTest {
protected:
  void SetUp() override { LoadLumToolsPck(); }
  void TearDown() override {
    ControlTest::TearDown();
    ResetRegistrationsToStandard();
  }
  static bool InCategory(TClass Class, const String& Name) {
    return IsPropertyInCategory(TLumToolsCategory::StaticClass(), Class, Name);
  }
};

TEST_F(LumToolsRegistrationTest, ThePageHoldsEveryComponentInOrderEachWithItsBitmap) {
  std::vector<String> expected;
  for (const char* name : PageOrder)
    if (GetClass(name)) expected.push_back(name);
  std::vector<String> shown;
  for (TClass c : PaletteClasses("LumTools")) shown.push_back(c->ClassName());
  EXPECT_EQ(shown, expected);
  EXPECT_GE(shown.size(), 22u);
  // Every bitmap is drawn already, also those of classes still to come.
  for (const char* name : PageOrder) {
    TBitmap bitmap;
    ASSERT_NO_THROW(bitmap.LoadFromResourceName(nullptr, UpperCase(name))) << name;
    EXPECT_EQ(bitmap.Width(), 24) << name;
    EXPECT_EQ(bitmap.Height(), 24) << name;
  }
  EXPECT_TRUE(FindResourceData("TLUMGIFBUTTON"));
  // Loading again adds nothing.
  const std::size_t categories = PropertyCategories().size();
  LoadLumToolsPck();
  EXPECT_EQ(PaletteClasses("LumTools").size(), expected.size());
  EXPECT_EQ(PropertyCategories().size(), categories);
  EXPECT_STREQ(LumToolsPckDescription, "Lum-Tools");
}

TEST_F(LumToolsRegistrationTest, EditorsAreBoundToTheirComponents) {
  EXPECT_EQ(ComponentEditorClassFor(TLumList::StaticClass()).Class, TLumListEditor::StaticClass());
  EXPECT_EQ(ComponentEditorClassFor(TLumComboBox::StaticClass()).Class,
            TLumComboBoxEditor::StaticClass());
  EXPECT_EQ(ComponentEditorClassFor(TLumEffect::StaticClass()).Class,
            TLumEffectEditor::StaticClass());
  EXPECT_EQ(ComponentEditorClassFor(TLumPrinter::StaticClass()).Class,
            TDefaultEditor::StaticClass());
  TForm* form = NewForm();
  const std::pair<TComponent*, const char*> verbs[] = {
      {new TLumList(form), "&Edit LumList"},
      {new TLumComboBox(form), "&Edit LumComboBox"},
      {new TLumEffect(form), "Edit &Effect"}};
  for (const auto& [component, verb] : verbs) {
    auto editor = GetComponentEditor(component, nullptr);
    EXPECT_EQ(editor->GetVerbCount(), 1);
    EXPECT_EQ(editor->GetVerb(0), verb);
    EXPECT_EQ(editor->GetVerb(1), "");
    editor->ExecuteVerb(1); // does nothing, opens no window
  }
  const TClass printer = TLumPrinter::StaticClass();
  EXPECT_EQ(PropertyEditorClassFor(printer->FindProperty("PageNumberFont"), printer).Class,
            TFontProperty::StaticClass());
  EXPECT_EQ(PropertyEditorClassFor(printer->FindProperty("Pen"), printer).Class,
            TClassProperty::StaticClass());
}

TEST_F(LumToolsRegistrationTest, TheCategoryFilesTheListedNamesIgnoringCase) {
  const TPropertyCategory* category = PropertyCategory(TLumToolsCategory::StaticClass());
  ASSERT_NE(category, nullptr);
  EXPECT_EQ(category->Name(), "LumTools");
  EXPECT_EQ(category->Description(), "Extended properties from LumTools");
  // "Printermode" and "BackgroundStyle" as listed select PrinterMode and BackGroundStyle.
  EXPECT_TRUE(InCategory(TLumPrinter::StaticClass(), "PrinterMode"));
  EXPECT_TRUE(InCategory(TLumList::StaticClass(), "BackGroundStyle"));
  EXPECT_TRUE(InCategory(TLumComboBox::StaticClass(), "BoldStyle"));
  // Only what a class's own list names, whole names only.
  EXPECT_FALSE(InCategory(TLumList::StaticClass(), "Sorted"));
  EXPECT_FALSE(InCategory(TLumList::StaticClass(), "BoldStyle"));
  EXPECT_FALSE(InCategory(TLumComboBox::StaticClass(), "HorzScrollBar"));
  EXPECT_FALSE(InCategory(TLumPrinter::StaticClass(), "Name"));
  EXPECT_FALSE(InCategory(TLumFrame::StaticClass(), "Transparent"));
  int filed = 0;
  for (const TPropInfo* p : GetPropList(TLumPrinter::StaticClass()))
    if (InCategory(TLumPrinter::StaticClass(), p->Name)) ++filed;
  EXPECT_EQ(filed, 18);
  // The descendant of a listed class has its properties filed too.
  EXPECT_TRUE(InCategory(TLumDBExtValEdit::StaticClass(), "UnitWidth"));
}

class LumToolsDesignerTest : public LumToolsRegistrationTest {
protected:
  std::filesystem::path Dir = TempPath("lum-package-designer");
  void SetUp() override {
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    LumToolsRegistrationTest::SetUp();
  }
  void TearDown() override {
    LumToolsRegistrationTest::TearDown();
    std::filesystem::remove_all(Dir);
  }
  TFormDesigner* Open() {
    TFormDesigner* designer = OpenLumToolsDesigner(Application());
    Forms.push_back(designer);
    designer->Show();
    User.ProcessMessages();
    return designer;
  }
};

TEST_F(LumToolsDesignerTest, AFormOfEveryComponentIsSavedAndReadBackTheSame) {
  TFormDesigner* designer = Open();
  EXPECT_EQ(designer->Palette()->ActivePage()->Caption(), "LumTools");
  const std::vector<TClass> classes = PaletteClasses("LumTools");
  designer->DesignedForm()->SetBounds(8, 8, 700, 460);
  for (std::size_t i = 0; i < classes.size(); ++i) {
    TSpeedButton* button = designer->PaletteButton(classes[i]);
    ASSERT_NE(button, nullptr) << classes[i]->ClassName();
    TBitmap resource;
    resource.LoadFromResourceName(nullptr, UpperCase(classes[i]->ClassName()));
    EXPECT_EQ(button->Glyph()->Canvas()->Pixels(12, 12), resource.Canvas()->Pixels(12, 12));
    const int column = static_cast<int>(i % 5), row = static_cast<int>(i / 5);
    designer->PlaceComponent(classes[i], TPoint{8 + column * 136, 8 + row * 74});
  }
  User.ProcessMessages();
  User.SaveSnapshot(designer, SheetPath("LumToolsDesigner.png"));
  const std::filesystem::path file = Dir / "every.dfm";
  ASSERT_TRUE(designer->SaveFile(file.string()));
  const String saved = WithoutTabOrders(designer->FormText());
  for (TClass c : classes)
    EXPECT_NE(saved.find(": " + c->ClassName() + "\n"), String::npos) << c->ClassName();

  TFormDesigner* second = Open();
  ASSERT_TRUE(second->OpenFile(file.string()));
  EXPECT_EQ(WithoutTabOrders(second->FormText()), saved);
  ASSERT_EQ(second->DesignedForm()->ComponentCount(), static_cast<int>(classes.size()));
  for (int i = 0; i < designer->DesignedForm()->ComponentCount(); ++i) {
    TComponent* placed = designer->DesignedForm()->Components(i);
    TComponent* read = second->DesignedForm()->FindComponent(placed->Name());
    ASSERT_NE(read, nullptr) << placed->Name();
    EXPECT_EQ(read->ClassType(), placed->ClassType()) << placed->Name();
  }
}

TEST_F(LumToolsDesignerTest, EachEditorOpensFromItsComponentsVerb) {
  TFormDesigner* designer = Open();
  auto* list = dynamic_cast<TLumList*>(designer->PlaceComponent(TLumList::StaticClass(), {10, 10}));
  auto* combo =
      dynamic_cast<TLumComboBox*>(designer->PlaceComponent(TLumComboBox::StaticClass(), {10, 200}));
  auto* effect =
      dynamic_cast<TLumEffect*>(designer->PlaceComponent(TLumEffect::StaticClass(), {300, 10}));
  ASSERT_TRUE(list && combo && effect);
  const auto viaVerbMenu = [&](TControl* On, std::function<void(TCustomForm*)> Answer) {
    User.Display().WhenWaiting([this, Answer] {
      User.WhenModal(Answer);
      User.PressKey(VK_DOWN);
      User.Enter();
    });
    User.Click(On, TPoint{5, 5}, THeadlessButton::Right);
  };
  viaVerbMenu(list, [&](TCustomForm* form) {
    EXPECT_EQ(form->Caption(), "Form1.LumList1 - LumList Editor");
    auto* window = dynamic_cast<TLumItemsfenster*>(form);
    ASSERT_NE(window, nullptr);
    window->Edit->SetText("Eintrag");
    User.Click(window->InsertBtn);
    User.Click(window->OkButton);
  });
  ASSERT_EQ(list->Items()->Count(), 1);
  EXPECT_EQ(list->Items()->Strings(0), "Eintrag");
  EXPECT_NE(designer->FormText().find("LumListStrings"), String::npos);

  // The combo box's edit field takes the mouse; its verb runs as the designer runs it.
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_EQ(form->Caption(), "Form1.LumComboBox1 - LumComboBox Editor");
    auto* window = dynamic_cast<TLumComboBoxItemsfenster*>(form);
    ASSERT_NE(window, nullptr);
    window->Edit->SetText("Zeile");
    User.Click(window->InsertBtn);
    User.Click(window->OkButton);
  });
  designer->ExecuteVerb(combo, 0);
  EXPECT_EQ(combo->Items()->Count(), 1);

  // The effect is no control: its verb runs as the designer runs it.
  effect->SetEffectHeight(3);
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_EQ(form->Caption(), "Form1.LumEffect1 - Effect Editor");
    User.Click(dynamic_cast<TControl*>(form->FindComponent("ButtonCancel")));
  });
  designer->ExecuteVerb(effect, 0);
  EXPECT_EQ(effect->EffectHeight(), 3);
}

} // namespace
