#include "tests/design/DesignTestClasses.h"

#include "framework/classes/Registry.h"
#include "framework/design/Registry.h"

#include <gtest/gtest.h>

using namespace designtest;

namespace {

// Editors that only differ by class, to see which registration won.
#define TEST_EDITOR(Name_)                                                                         \
  class Name_ : public TIntegerProperty {                                                          \
    LUM_CLASS(Name_, TIntegerProperty)                                                             \
  public:                                                                                          \
    using TIntegerProperty::TIntegerProperty;                                                      \
  }
TEST_EDITOR(TAnyIntEditor);
TEST_EDITOR(TGadgetIntEditor);
TEST_EDITOR(TChildIntEditor);
TEST_EDITOR(TNamedCountEditor);
TEST_EDITOR(TLaterGadgetIntEditor);

class TGadgetEditor : public TComponentEditor {
  LUM_CLASS(TGadgetEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
};
class TOtherGadgetEditor : public TGadgetEditor {
  LUM_CLASS(TOtherGadgetEditor, TGadgetEditor)
public:
  using TGadgetEditor::TGadgetEditor;
};

class RegistryTest : public ::testing::Test {
protected:
  void TearDown() override { ResetRegistrationsToStandard(); }
  static TClass EditorOf(TClass Object, const char* Prop) {
    return PropertyEditorClassFor(Object->FindProperty(Prop), Object).Class;
  }
};

} // namespace

TEST_F(RegistryTest, FrameworkPagesComeFirstAndNewPagesAppendInOrder) {
  const std::vector<String> standard{"Standard", "Additional", "Data Access", "Data Controls",
                                     "Dialogs"};
  EXPECT_EQ(PalettePages(), standard);
  EXPECT_EQ(PaletteClasses("Standard").front()->ClassName(), "TMainMenu");
  EXPECT_EQ(PalettePageOf(GetClass("TColorDialog")), "Dialogs");
  EXPECT_EQ(PalettePageOf(GetClass("TDBGrid")), "Data Controls");

  RegisterComponents("Gadgets", {TGadgetChild::StaticClass(), TGadget::StaticClass()});
  RegisterComponents("gadgets", {TGadget::StaticClass(), TGadgetGrandChild::StaticClass()});
  EXPECT_EQ(PalettePages().back(), "Gadgets");
  EXPECT_EQ(PalettePages().size(), standard.size() + 1);
  const std::vector<TClass> order{TGadgetChild::StaticClass(), TGadget::StaticClass(),
                                  TGadgetGrandChild::StaticClass()};
  EXPECT_EQ(PaletteClasses("GADGETS"), order);
  EXPECT_EQ(GetClass("TGadgetGrandChild"), TGadgetGrandChild::StaticClass());
  EXPECT_TRUE(PaletteClasses("No such page").empty());
}

TEST_F(RegistryTest, MostSpecificClassWinsThenNameThenLaterRegistration) {
  const TTypeInfo* integer = lum::TypeInfoOf<Integer>();
  RegisterPropertyEditor(integer, nullptr, "", PropertyEditorClassOf<TAnyIntEditor>());
  RegisterPropertyEditor(integer, TGadget::StaticClass(), "",
                         PropertyEditorClassOf<TGadgetIntEditor>());
  RegisterPropertyEditor(integer, TGadgetChild::StaticClass(), "",
                         PropertyEditorClassOf<TChildIntEditor>());
  RegisterPropertyEditor(integer, TGadget::StaticClass(), "cOUNT",
                         PropertyEditorClassOf<TNamedCountEditor>());

  EXPECT_EQ(EditorOf(TComponent::StaticClass(), "Tag"), TAnyIntEditor::StaticClass());
  EXPECT_EQ(EditorOf(TGadget::StaticClass(), "Tag"), TGadgetIntEditor::StaticClass());
  EXPECT_EQ(EditorOf(TGadget::StaticClass(), "Count"), TNamedCountEditor::StaticClass());
  // A more derived component class beats a name on its base class.
  EXPECT_EQ(EditorOf(TGadgetGrandChild::StaticClass(), "Count"), TChildIntEditor::StaticClass());
  // Other integer types are not Integer.
  EXPECT_EQ(EditorOf(TGadget::StaticClass(), "Level"), TIntegerProperty::StaticClass());

  RegisterPropertyEditor(integer, TGadget::StaticClass(), "",
                         PropertyEditorClassOf<TLaterGadgetIntEditor>());
  EXPECT_EQ(EditorOf(TGadget::StaticClass(), "Tag"), TLaterGadgetIntEditor::StaticClass());
}

TEST_F(RegistryTest, ClassTypesMatchDescendantsAndTheExactTypeWins) {
  RegisterPropertyEditor(lum::TypeInfoOf<TPersistent*>(), TGadget::StaticClass(), "",
                         PropertyEditorClassOf<TStringProperty>());
  EXPECT_EQ(EditorOf(TGadget::StaticClass(), "Notes"), TStringProperty::StaticClass());
  // The framework's TFont registration is exact; the TPersistent one is on a more specific
  // component class, which ranks first.
  EXPECT_EQ(EditorOf(TGadget::StaticClass(), "Font"), TStringProperty::StaticClass());
  RegisterPropertyEditor(lum::TypeInfoOf<TFont*>(), TGadget::StaticClass(), "",
                         PropertyEditorClassOf<TClassProperty>());
  RegisterPropertyEditor(lum::TypeInfoOf<TPersistent*>(), TGadget::StaticClass(), "",
                         PropertyEditorClassOf<TStringProperty>());
  EXPECT_EQ(EditorOf(TGadget::StaticClass(), "Font"), TClassProperty::StaticClass());
}

TEST_F(RegistryTest, StandardEditorsByKindAndType) {
  const TClass g = TGadget::StaticClass();
  EXPECT_EQ(EditorOf(g, "Count"), TIntegerProperty::StaticClass());
  EXPECT_EQ(EditorOf(g, "Mark"), TCharProperty::StaticClass());
  EXPECT_EQ(EditorOf(g, "Shape"), TEnumProperty::StaticClass());
  EXPECT_EQ(EditorOf(g, "Parts"), TSetProperty::StaticClass());
  EXPECT_EQ(EditorOf(g, "Ratio"), TFloatProperty::StaticClass());
  EXPECT_EQ(EditorOf(g, "Title"), TStringProperty::StaticClass());
  EXPECT_EQ(EditorOf(g, "Name"), TComponentNameProperty::StaticClass());
  EXPECT_EQ(EditorOf(g, "Shade")->ClassName(), "TColorProperty");
  EXPECT_EQ(EditorOf(g, "Font")->ClassName(), "TFontProperty");
  EXPECT_EQ(EditorOf(g, "Notes")->ClassName(), "TStringsProperty");
  EXPECT_EQ(EditorOf(g, "Buddy"), TComponentProperty::StaticClass());
  EXPECT_EQ(EditorOf(g, "OnClick"), TMethodProperty::StaticClass());
  EXPECT_EQ(EditorOf(TFont::StaticClass(), "Name")->ClassName(), "TFontNameProperty");
}

TEST_F(RegistryTest, ComponentEditorOfTheNearestRegisteredClass) {
  TGadgetBox box(nullptr);
  auto* child = new TGadgetGrandChild(&box);
  TRecordingDesigner designer(&box);
  EXPECT_EQ(GetComponentEditor(child, &designer)->ClassType(), TDefaultEditor::StaticClass());

  RegisterComponentEditor<TGadget, TGadgetEditor>();
  EXPECT_EQ(GetComponentEditor(child, &designer)->ClassType(), TGadgetEditor::StaticClass());
  RegisterComponentEditor<TGadget, TOtherGadgetEditor>();
  auto editor = GetComponentEditor(child, &designer);
  EXPECT_EQ(editor->ClassType(), TOtherGadgetEditor::StaticClass());
  EXPECT_EQ(editor->Component(), child);
  EXPECT_EQ(&editor->Designer(), &designer);
}

TEST_F(RegistryTest, CategoriesMatchNamesIgnoringCaseOnDescendantsOnly) {
  RegisterPropertiesInCategory(TGadgetCategory::StaticClass(), TGadgetChild::StaticClass(),
                               {"count", "NoSuchProperty", "On*"});
  const TPropertyCategory* category = PropertyCategory(TGadgetCategory::StaticClass());
  ASSERT_NE(category, nullptr);
  EXPECT_EQ(category->Name(), "Gadgets");
  EXPECT_EQ(category->Description(), "What gadgets have");
  EXPECT_EQ(PropertyCategories().back(), category);

  EXPECT_TRUE(IsPropertyInCategory(TGadgetCategory::StaticClass(), TGadgetGrandChild::StaticClass(),
                                   "Count"));
  EXPECT_TRUE(
      IsPropertyInCategory(TGadgetCategory::StaticClass(), TGadgetChild::StaticClass(), "OnClick"));
  EXPECT_FALSE(
      IsPropertyInCategory(TGadgetCategory::StaticClass(), TGadget::StaticClass(), "Count"));
  EXPECT_FALSE(
      IsPropertyInCategory(TGadgetCategory::StaticClass(), TGadgetChild::StaticClass(), "Title"));
  EXPECT_FALSE(IsPropertyInCategory(TGadgetCategory::StaticClass(), TGadgetChild::StaticClass(),
                                    "NoSuchProperty"));

  // A property may be in several categories: the framework's Input files OnClick too.
  const auto of = PropertyCategoriesOf(TGadgetChild::StaticClass(),
                                       TGadgetChild::StaticClass()->FindProperty("OnClick"));
  ASSERT_EQ(of.size(), 2u);
  EXPECT_EQ(of[0]->Name(), "Input");
  EXPECT_EQ(of[1], category);
}

TEST_F(RegistryTest, CategoriesByPropertyType) {
  RegisterPropertiesInCategory(TGadgetCategory::StaticClass(), lum::TypeInfoOf<TPersistent*>());
  EXPECT_TRUE(IsPropertyInCategory(TGadgetCategory::StaticClass(), TGadget::StaticClass(), "Font"));
  EXPECT_TRUE(
      IsPropertyInCategory(TGadgetCategory::StaticClass(), TGadget::StaticClass(), "Buddy"));
  EXPECT_FALSE(
      IsPropertyInCategory(TGadgetCategory::StaticClass(), TGadget::StaticClass(), "Count"));
}

TEST_F(RegistryTest, BadRegistrationsRaise) {
  EXPECT_THROW(RegisterComponents("", {TGadget::StaticClass()}), EDesignError);
  EXPECT_THROW(RegisterComponents("Gadgets", {TFont::StaticClass()}), EDesignError);
  EXPECT_THROW(RegisterComponents("Gadgets", {nullptr}), EDesignError);
  EXPECT_THROW(RegisterComponentEditor(nullptr, ComponentEditorClassOf<TGadgetEditor>()),
               EDesignError);
  EXPECT_THROW(RegisterPropertyEditor(nullptr, nullptr, "", PropertyEditorClassOf<TAnyIntEditor>()),
               EDesignError);
  EXPECT_THROW(RegisterPropertiesInCategory(TGadget::StaticClass(), {"Count"}), EDesignError);
}
