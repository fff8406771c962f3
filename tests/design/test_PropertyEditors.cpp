#include "tests/controls/ControlTestSupport.h"
#include "tests/design/DesignTestClasses.h"

#include "framework/controls/Edits.h"
#include "framework/controls/Labels.h"
#include "framework/controls/StdCtrls.h"
#include "framework/design/Registry.h"
#include "framework/design/StringsEditor.h"

#include <map>

using namespace designtest;

namespace {

class PropertyEditorTest : public controltest::ControlTest {
protected:
  TGadgetBox Box{nullptr};
  TRecordingDesigner Designer{&Box};
  TGadget* Gadget = NewGadget("Gadget1");

  TGadget* NewGadget(const String& Name) {
    auto* g = new TGadget(&Box);
    g->SetName(Name);
    return g;
  }
  std::unique_ptr<TPropertyEditor> Editor(const String& Prop, std::vector<TPersistent*> Of = {}) {
    if (Of.empty()) Of = {Gadget};
    return CreatePropertyEditor(&Designer, Of, GetPropInfo(Of.front(), Prop));
  }
  static std::vector<String> Values(TPropertyEditor& E) {
    std::vector<String> v;
    E.GetValues([&](const String& s) { v.push_back(s); });
    return v;
  }
  static std::map<String, std::unique_ptr<TPropertyEditor>> Subs(TPropertyEditor& E) {
    std::map<String, std::unique_ptr<TPropertyEditor>> subs;
    E.GetProperties([&](std::unique_ptr<TPropertyEditor> p) { subs[p->GetName()] = std::move(p); });
    return subs;
  }
  static String Message(const std::function<void()>& Action) {
    try {
      Action();
    } catch (const std::exception& e) {
      return e.what();
    }
    return "";
  }
};

} // namespace

TEST_F(PropertyEditorTest, IntegersConvertAndCheckTheirRangeKeepingTheOldValue) {
  auto count = Editor("Count");
  count->SetValue(" 42 ");
  EXPECT_EQ(Gadget->Count(), 42);
  EXPECT_EQ(count->GetValue(), "42");
  EXPECT_EQ(Designer.Modifications, 1);
  EXPECT_EQ(Message([&] { count->SetValue("abc"); }), "'abc' is not a valid integer value");
  EXPECT_EQ(Gadget->Count(), 42);

  auto level = Editor("Level");
  EXPECT_EQ(Message([&] { level->SetValue("300"); }), "Value must be between 0 and 255");
  EXPECT_EQ(Gadget->Level(), 0);
  EXPECT_EQ(Designer.Modifications, 1);
}

TEST_F(PropertyEditorTest, CharsFloatsAndStrings) {
  auto mark = Editor("Mark");
  EXPECT_EQ(mark->GetValue(), "x");
  mark->SetValue("#9");
  EXPECT_EQ(Gadget->Mark(), '\t');
  EXPECT_EQ(mark->GetValue(), "#9");
  EXPECT_THROW(mark->SetValue("ab"), EPropertyError);

  auto ratio = Editor("Ratio");
  ratio->SetValue("2.25");
  EXPECT_DOUBLE_EQ(Gadget->Ratio(), 2.25);
  EXPECT_EQ(ratio->GetValue(), "2.25");
  EXPECT_EQ(Message([&] { ratio->SetValue("2,5"); }), "'2,5' is not a valid floating point value");

  auto title = Editor("Title");
  title->SetValue(" Grüße ");
  EXPECT_EQ(Gadget->Title(), " Grüße ");
  EXPECT_EQ(Editor("Name")->GetAttributes(), TPropertyAttributes{});
  EXPECT_THROW(Editor("Name")->SetValue("not a name"), EComponentError);
  EXPECT_EQ(Gadget->Name(), "Gadget1");
}

TEST_F(PropertyEditorTest, EnumerationsOfferTheirNamesAndEditCyclesThem) {
  auto shape = Editor("Shape");
  EXPECT_TRUE(shape->GetAttributes().Contains(paValueList));
  EXPECT_EQ(Values(*shape), (std::vector<String>{"gsRound", "gsSquare", "gsStar"}));
  shape->SetValue("GSSTAR");
  EXPECT_EQ(Gadget->Shape(), gsStar);
  shape->Edit();
  EXPECT_EQ(Gadget->Shape(), gsRound);
  EXPECT_THROW(shape->SetValue("gsOval"), EPropertyError);
  EXPECT_EQ(Gadget->Shape(), gsRound);
}

TEST_F(PropertyEditorTest, SetsShowBracketsAndOneBooleanPerElement) {
  auto parts = Editor("Parts");
  EXPECT_TRUE(parts->GetAttributes().Contains(paSubProperties));
  EXPECT_EQ(parts->GetValue(), "[]");
  auto subs = Subs(*parts);
  ASSERT_EQ(subs.size(), 3u);
  subs["gpLid"]->SetValue("True");
  subs["gpSpout"]->SetValue("True");
  EXPECT_EQ(parts->GetValue(), "[gpLid,gpSpout]");
  EXPECT_EQ(subs["gpHandle"]->GetValue(), "False");
  subs["gpLid"]->SetValue("False");
  EXPECT_EQ(Gadget->Parts(), TGadgetParts{gpSpout});
  EXPECT_THROW(subs["gpLid"]->SetValue("Maybe"), EPropertyError);
}

TEST_F(PropertyEditorTest, ColoursByNameOrNumber) {
  auto shade = Editor("Shade");
  EXPECT_TRUE(shade->GetAttributes().Contains(paDialog));
  EXPECT_EQ(shade->GetValue(), "clBlack");
  const auto names = Values(*shade);
  EXPECT_NE(std::find(names.begin(), names.end(), "clBtnFace"), names.end());
  shade->SetValue("clRed");
  EXPECT_EQ(Gadget->Shade(), clRed);
  shade->SetValue("$00102030");
  EXPECT_EQ(Gadget->Shade(), 0x102030);
  EXPECT_EQ(shade->GetValue(), "$00102030");
  EXPECT_THROW(shade->SetValue("clNoSuch"), EConvertError);
  EXPECT_EQ(Gadget->Shade(), 0x102030);
}

TEST_F(PropertyEditorTest, ComponentReferencesListTheFormsComponentsOfTheirClass) {
  auto* other = NewGadget("Gadget2");
  new TGadgetBox(&Box); // of another class: not offered
  auto buddy = Editor("Buddy");
  EXPECT_EQ(Values(*buddy), (std::vector<String>{"Gadget1", "Gadget2"}));
  buddy->SetValue("gadget2");
  EXPECT_EQ(Gadget->Buddy(), other);
  EXPECT_EQ(buddy->GetValue(), "Gadget2");
  EXPECT_THROW(buddy->SetValue("Nobody"), EPropertyError);
  EXPECT_EQ(Gadget->Buddy(), other);
  buddy->SetValue("");
  EXPECT_EQ(Gadget->Buddy(), nullptr);
}

TEST_F(PropertyEditorTest, EventsNameTheRootsHandlers) {
  auto click = Editor("OnClick");
  click->Edit(); // binds the usual name, Gadget1Click, which the box has
  EXPECT_EQ(click->GetValue(), "Gadget1Click");
  EXPECT_EQ(Designer.Shown, "Gadget1Click");
  Gadget->OnClick()(Gadget);
  EXPECT_EQ(Box.Clicks, 1);
  auto change = Editor("OnChange");
  EXPECT_EQ(Values(*change), std::vector<String>{"Gadget1Click"});
  EXPECT_THROW(change->SetValue("NoSuchHandler"), EPropertyConvertError);
  EXPECT_THROW(change->SetValue("1bad"), EPropertyError);
  change->SetValue("SomeChange");
  EXPECT_EQ(change->GetValue(), "SomeChange");
  click->SetValue("");
  EXPECT_FALSE(Gadget->OnClick());
}

TEST_F(PropertyEditorTest, ClassPropertiesOpenTheirObjectsProperties) {
  auto font = Editor("Font");
  EXPECT_EQ(font->GetValue(), "(TFont)");
  auto subs = Subs(*font);
  ASSERT_TRUE(subs.count("Size") && subs.count("Style") && subs.count("Name"));
  subs["Size"]->SetValue("14");
  EXPECT_EQ(Gadget->Font()->Size(), 14);
  auto styles = Subs(*subs["Style"]);
  styles["fsBold"]->SetValue("True");
  EXPECT_TRUE(Gadget->Font()->Style().Contains(fsBold));
  EXPECT_FALSE(Values(*subs["Name"]).empty());
}

TEST_F(PropertyEditorTest, SeveralComponentsShareTheEditorsThatAllowIt) {
  auto* second = NewGadget("Gadget2");
  second->SetCount(5);
  std::vector<String> names;
  GetComponentProperties(
      {Gadget, second}, tkAny, &Designer,
      [&](std::unique_ptr<TPropertyEditor> p) { names.push_back(p->GetName()); });
  EXPECT_EQ(std::find(names.begin(), names.end(), "Name"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "Count"), names.end());

  auto count = Editor("Count", {Gadget, second});
  EXPECT_FALSE(count->AllEqual());
  count->SetValue("7");
  EXPECT_TRUE(count->AllEqual());
  EXPECT_EQ(Gadget->Count(), 7);
  EXPECT_EQ(second->Count(), 7);
  EXPECT_EQ(count->PropCount(), 2);
  EXPECT_EQ(count->GetComponent(1), second);
}

TEST_F(PropertyEditorTest, StringListsAreEditedInTheMemoDialog) {
  Gadget->Notes()->Add("first");
  auto notes = Editor("Notes");
  EXPECT_TRUE(notes->GetAttributes().Contains(paDialog));
  String shownCount;
  User.WhenModal([&](TCustomForm* form) {
    auto* memo = static_cast<TMemo*>(form->FindComponent("Memo"));
    User.Click(memo);
    User.PressKey(VK_END, TShiftState{ssCtrl}); // on the empty line after "first"
    User.Type("second");
    shownCount = static_cast<TLabel*>(form->FindComponent("LineCount"))->Caption();
    User.Click(static_cast<TControl*>(form->FindComponent("OKButton")));
  });
  notes->Edit();
  ASSERT_EQ(Gadget->Notes()->Count(), 2);
  EXPECT_EQ(Gadget->Notes()->Strings(1), "second");
  EXPECT_EQ(shownCount, "2 lines");
  EXPECT_EQ(Designer.Modifications, 1);

  User.WhenModal([&](TCustomForm* form) {
    static_cast<TMemo*>(form->FindComponent("Memo"))->Lines()->Clear();
    User.Click(static_cast<TControl*>(form->FindComponent("CancelButton")));
  });
  notes->Edit();
  EXPECT_EQ(Gadget->Notes()->Count(), 2);
}

TEST_F(PropertyEditorTest, ColourAndFontDialogsSetTheChoice) {
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_EQ(form->ClassName(), "TColorDialogForm");
    User.Click(static_cast<TControl*>(form->FindComponent("OkButton")));
  });
  Gadget->SetShade(clTeal);
  Editor("Shade")->Edit();
  EXPECT_EQ(Gadget->Shade(), clTeal);
  EXPECT_EQ(Designer.Modifications, 1);

  User.WhenModal([&](TCustomForm* form) {
    auto* size = static_cast<TEdit*>(form->FindComponent("SizeEdit"));
    size->SetText("20");
    User.Click(static_cast<TControl*>(form->FindComponent("OkButton")));
  });
  Editor("Font")->Edit();
  EXPECT_EQ(Gadget->Font()->Size(), 20);
}

TEST_F(PropertyEditorTest, DefaultEditorGoesToTheChangeHandlerBeforeTheClickHandler) {
  GetComponentEditor(Gadget, &Designer)->Edit();
  EXPECT_EQ(Designer.Shown, "Gadget1Change");
  EXPECT_EQ(Editor("OnChange")->GetValue(), "Gadget1Change");
  EXPECT_EQ(Editor("OnClick")->GetValue(), "");
}
