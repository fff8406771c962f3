#include "tests/TempPath.h"
#include "tests/controls/ControlTestSupport.h"

#include "framework/classes/FormFile.h"
#include "framework/classes/Registry.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/Edits.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Panels.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "framework/design/FormDesigner.h"
#include "framework/design/ObjectInspector.h"
#include "framework/design/PropertyGrid.h"
#include "framework/design/Registry.h"
#include "framework/rtl/Strings.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

String FileText(const std::filesystem::path& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class TThrowingEditor : public TComponentEditor {
  LUM_CLASS(TThrowingEditor, TComponentEditor)
public:
  using TComponentEditor::TComponentEditor;
  int GetVerbCount() override { return 1; }
  String GetVerb(int) override { return "Break"; }
  void ExecuteVerb(int) override { throw EDesignError("The editor broke"); }
};

class FormDesignerTest : public controltest::ControlTest {
protected:
  std::filesystem::path Dir = TempPath("lum-designer");
  TFormDesigner* Designer = nullptr;

  void SetUp() override {
    std::filesystem::remove_all(Dir);
    std::filesystem::create_directories(Dir);
    Designer = OpenDesigner();
  }
  void TearDown() override {
    ControlTest::TearDown();
    ResetRegistrationsToStandard();
    std::filesystem::remove_all(Dir);
  }
  TFormDesigner* OpenDesigner() {
    auto* d = CreateForm<TFormDesigner>(Application());
    Forms.push_back(d);
    d->Show();
    User.ProcessMessages();
    return d;
  }
  TForm* Form() { return Designer->DesignedForm(); }
  template <class C> C* Named(const String& Name) {
    return dynamic_cast<C*>(Form()->FindComponent(Name));
  }
  TComponent* PlaceWithMouse(TClass Class, TPoint At) {
    TSpeedButton* button = Designer->PaletteButton(Class);
    Designer->Palette()->SetActivePage(static_cast<TTabSheet*>(button->Parent()));
    User.Click(button);
    EXPECT_EQ(Designer->Placing(), Class);
    User.Click(Form(), At);
    return Designer->Selection().front();
  }
  // Types a value into the inspector's line as a user does: click its value, replace, Enter.
  void TypeValue(const String& Path, const String& Text) {
    TPropertyGrid* grid = Designer->Inspector()->PropertiesGrid();
    const int line = grid->FindLine(Path);
    ASSERT_GE(line, 0) << Path;
    grid->SetTopRow(std::min(line, std::max(0, grid->LineCount() - grid->VisibleRowCount())));
    const TRect r = grid->ValueRect(line);
    User.Click(grid, TPoint{r.Left + 10, (r.Top + r.Bottom) / 2});
    ASSERT_TRUE(grid->ValueEdit()->Visible() || grid->ValueList()->Visible()) << Path;
    User.PressKey(VK_END);
    User.PressKey(VK_HOME, TShiftState{ssShift});
    User.Type(Text);
    User.Enter();
  }
};

} // namespace

TEST_F(FormDesignerTest, AFormBuiltWithMouseKeysInspectorAndVerbReopensToTheSameFile) {
  auto* button = dynamic_cast<TButton*>(PlaceWithMouse(TButton::StaticClass(), TPoint{40, 40}));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Name(), "Button1");
  EXPECT_EQ(button->Owner(), Form());
  EXPECT_TRUE(button->ComponentState().Contains(csDesigning));
  EXPECT_EQ(button->Left(), 40);
  EXPECT_EQ(button->Top(), 40);
  EXPECT_EQ(Designer->Placing(), nullptr);

  User.Drag(button, TPoint{5, 5}, Form(), TPoint{75, 95});
  EXPECT_EQ(button->Left(), 70);
  EXPECT_EQ(button->Top(), 90);
  const int height = button->Height();
  User.PressKey(VK_RIGHT);
  User.PressKey(VK_DOWN, TShiftState{ssShift});
  EXPECT_EQ(button->Left(), 71);

  TypeValue("Caption", "Press me");
  EXPECT_EQ(button->Caption(), "Press me");
  TypeValue("Width", "abc");
  ASSERT_FALSE(User.Messages().empty());
  EXPECT_EQ(User.Messages().back().Text, "'abc' is not a valid integer value.");
  TypeValue("Width", "120");
  EXPECT_EQ(button->Width(), 120);
  User.PressKey('Z', TShiftState{ssCtrl}); // the last change, made in the inspector, undone
  button = dynamic_cast<TButton*>(Form()->FindComponent("Button1"));
  ASSERT_NE(button, nullptr);
  EXPECT_NE(button->Width(), 120);
  EXPECT_EQ(button->Caption(), "Press me");
  TypeValue("Width", "120");

  auto* pages = dynamic_cast<TPageControl*>(PlaceWithMouse(TPageControl::StaticClass(), {40, 150}));
  ASSERT_NE(pages, nullptr);
  EXPECT_EQ(pages->Name(), "PageControl1");
  User.Display().WhenWaiting([&] {
    User.PressKey(VK_DOWN);
    User.Enter();
  });
  User.Click(pages, TPoint{20, 20}, THeadlessButton::Right);
  ASSERT_EQ(pages->PageCount(), 1);
  EXPECT_EQ(pages->Pages(0)->Name(), "TabSheet1");
  EXPECT_EQ(pages->Pages(0)->Owner(), Form());

  const std::filesystem::path file = Dir / "built.dfm";
  ASSERT_TRUE(Designer->SaveFile(file.string()));
  EXPECT_FALSE(Designer->IsModified());
  const String saved = FileText(file);
  EXPECT_NE(saved.find("Caption = 'Press me'"), String::npos) << saved;
  EXPECT_EQ(saved.find("Visible"), String::npos) << "the form is visible only while designed";
  EXPECT_NE(saved.find("Left = 71"), String::npos) << saved;
  EXPECT_NE(saved.find("Height = " + IntToStr(height + 1)), String::npos) << saved;
  EXPECT_NE(saved.find("object TabSheet1: TTabSheet"), String::npos) << saved;

  TFormDesigner* second = OpenDesigner();
  ASSERT_TRUE(second->OpenFile(file.string()));
  EXPECT_EQ(second->FormText(), saved);
  ASSERT_TRUE(second->SaveFile((Dir / "again.dfm").string()));
  EXPECT_EQ(FileText(Dir / "again.dfm"), saved);
}

TEST_F(FormDesignerTest, ShiftSelectsSeveralDeleteAndUndoBringsThemBack) {
  auto* a = PlaceWithMouse(TEdit::StaticClass(), {20, 20});
  auto* b = PlaceWithMouse(TLabel::StaticClass(), {20, 80});
  User.Click(static_cast<TControl*>(a));
  User.KeyDown(VK_SHIFT);
  User.Click(static_cast<TControl*>(b), TPoint{2, 2}, THeadlessButton::Left);
  User.KeyUp(VK_SHIFT);
  ASSERT_EQ(Designer->Selection().size(), 2u);
  EXPECT_EQ(Designer->Inspector()->Selection().size(), 2u);
  EXPECT_EQ(Designer->Inspector()->PropertiesGrid()->FindLine("Name"), -1);

  const String before = Designer->FormText();
  User.PressKey(VK_DELETE);
  EXPECT_EQ(Named<TEdit>("Edit1"), nullptr);
  EXPECT_EQ(Named<TLabel>("Label1"), nullptr);
  User.PressKey('Z', TShiftState{ssCtrl});
  EXPECT_EQ(Designer->FormText(), before);
  EXPECT_NE(Named<TEdit>("Edit1"), nullptr);
}

TEST_F(FormDesignerTest, CopyAndPasteGoThroughFormFileText) {
  auto* panel = static_cast<TPanel*>(PlaceWithMouse(TPanel::StaticClass(), {20, 20}));
  PlaceWithMouse(TButton::StaticClass(), {40, 40}); // inside the panel
  EXPECT_EQ(Named<TButton>("Button1")->Parent(), panel);
  PlaceWithMouse(TTimer::StaticClass(), {300, 20});
  Designer->Select(panel);
  const String text = Designer->CopySelection();
  EXPECT_NE(text.find("object Panel1: TPanel"), String::npos) << text;
  EXPECT_NE(text.find("object Button1: TButton"), String::npos) << text;
  EXPECT_EQ(text.find("Timer1"), String::npos) << text;

  Designer->Paste();
  auto* pasted = Named<TPanel>("Panel2");
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(pasted->Parent(), Form());
  ASSERT_NE(Named<TButton>("Button2"), nullptr);
  EXPECT_EQ(Named<TButton>("Button2")->Parent(), pasted);
  EXPECT_TRUE(pasted->ComponentState().Contains(csDesigning));
  EXPECT_EQ(Designer->Selection(), std::vector<TComponent*>{pasted});
}

TEST_F(FormDesignerTest, AFileThatDoesNotReadIsReportedAndTheFormStays) {
  PlaceWithMouse(TButton::StaticClass(), {20, 20});
  const String before = Designer->FormText();
  const std::filesystem::path bad = Dir / "bad.dfm";
  std::ofstream(bad) << "object Form1: TForm\n  Caption = 'Broken\nend\n";
  EXPECT_FALSE(Designer->OpenFile(bad.string()));
  ASSERT_FALSE(User.Messages().empty());
  EXPECT_NE(User.Messages().back().Text.find("Line 2"), String::npos)
      << User.Messages().back().Text;
  EXPECT_EQ(Designer->FormText(), before);

  std::ofstream(bad) << "object Form1: TForm\n  object X: TNoSuchThing\n  end\nend\n";
  EXPECT_FALSE(Designer->OpenFile(bad.string()));
  EXPECT_NE(User.Messages().back().Text.find("TNoSuchThing"), String::npos);
  EXPECT_EQ(Designer->FormText(), before);

  EXPECT_FALSE(Designer->SaveFile((Dir / "no such dir" / "f.dfm").string()));
  EXPECT_FALSE(std::filesystem::exists(Dir / "no such dir"));
}

TEST_F(FormDesignerTest, AComponentEditorThatThrowsIsReportedAndTheDesignerGoesOn) {
  RegisterComponentEditor<TPanel, TThrowingEditor>();
  auto* panel = static_cast<TPanel*>(PlaceWithMouse(TPanel::StaticClass(), {20, 20}));
  User.DoubleClick(panel, TPoint{10, 10});
  ASSERT_FALSE(User.Messages().empty());
  EXPECT_EQ(User.Messages().back().Text, "The editor broke.");
  auto* button = PlaceWithMouse(TButton::StaticClass(), {200, 200});
  EXPECT_EQ(button->Name(), "Button1");
}

TEST_F(FormDesignerTest, DoubleClickGoesToTheClickEventAndTheInspectorFollowsTheSelector) {
  auto* button = static_cast<TButton*>(PlaceWithMouse(TButton::StaticClass(), {20, 20}));
  User.DoubleClick(button, TPoint{5, 5});
  TObjectInspector* inspector = Designer->Inspector();
  EXPECT_EQ(inspector->Tabs()->ActivePageIndex(), 1);
  TPropertyGrid* events = inspector->EventsGrid();
  EXPECT_EQ(events->Row(), events->FindLine("OnClick"));

  TComboBox* selector = inspector->Selector();
  EXPECT_EQ(selector->Text(), "Button1: TButton");
  selector->SetFocus();
  User.PressKey(VK_HOME);
  EXPECT_EQ(Designer->Selection(), std::vector<TComponent*>{Form()});

  inspector->ShowEventsTab(false);
  User.Click(inspector->CategoryCheck());
  EXPECT_TRUE(inspector->ByCategory());
  TPropertyGrid* props = inspector->PropertiesGrid();
  EXPECT_GE(props->FindLine("Layout.Width"), 0);
  EXPECT_GE(props->FindLine("Visual.Caption"), 0);
  const int font = props->FindLine("Visual.Font");
  ASSERT_GE(font, 0);
  EXPECT_EQ(props->FindLine("Visual.Font.Size"), -1);
  props->SetTopRow(std::min(font, props->LineCount() - props->VisibleRowCount()));
  const TRect sign = props->SignRect(font);
  User.Click(props, TPoint{sign.Left + 3, sign.Top + 3});
  EXPECT_GE(props->FindLine("Visual.Font.Size"), 0);
}

TEST_F(FormDesignerTest, PaletteHasATabPerPageWithPictures) {
  EXPECT_EQ(Designer->Palette()->PageCount(), static_cast<int>(PalettePages().size()));
  EXPECT_EQ(Designer->Palette()->Pages(3)->Caption(), "Data Controls");
  TSpeedButton* grid = Designer->PaletteButton(GetClass("TDBGrid"));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->Glyph()->Width(), 24);
  EXPECT_EQ(Designer->PaletteButton(TTabSheet::StaticClass()), nullptr);
}

TEST_F(FormDesignerTest, InspectorValueListsDropDownAndDialogsOpenFromTheEllipsis) {
  auto* button = static_cast<TButton*>(PlaceWithMouse(TButton::StaticClass(), {20, 20}));
  TPropertyGrid* grid = Designer->Inspector()->PropertiesGrid();
  grid->EditLine(grid->FindLine("Cursor"));
  EXPECT_TRUE(grid->ValueEdit()->Visible());

  const int bidi = grid->FindLine("BiDiMode");
  ASSERT_GE(bidi, 0);
  grid->EditLine(bidi);
  ASSERT_TRUE(grid->ValueList()->Visible());
  EXPECT_EQ(grid->ValueList()->Items()->IndexOf("bdRightToLeftNoAlign"), 2); // sorted
  User.PressKey(VK_DOWN); // the next value chosen from the list
  EXPECT_EQ(button->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(grid->LineValue(bidi), "bdRightToLeft");

  const int font = grid->FindLine("Font");
  grid->EditLine(font);
  ASSERT_TRUE(grid->EllipsisButton()->Visible());
  User.WhenModal([&](TCustomForm* form) {
    static_cast<TEdit*>(form->FindComponent("SizeEdit"))->SetText("16");
    User.Click(static_cast<TControl*>(form->FindComponent("OkButton")));
  });
  User.Click(grid->EllipsisButton());
  EXPECT_EQ(button->Font()->Size(), 16);
  EXPECT_TRUE(Designer->IsModified());
  EXPECT_NE(Designer->FormText().find("Font.Height = -21"), String::npos) << Designer->FormText();
}

TEST_F(FormDesignerTest, GrabHandleSizesAndViewAsTextEditsTheFormFile) {
  auto* button = static_cast<TButton*>(PlaceWithMouse(TButton::StaticClass(), {40, 40}));
  TControl* corner = nullptr; // the bottom right handle is made last
  for (int i = 0; i < Designer->ComponentCount(); ++i)
    if (Designer->Components(i)->ClassName() == "TDesignHandle")
      corner = static_cast<TControl*>(Designer->Components(i));
  ASSERT_NE(corner, nullptr);
  const int right = button->Left() + button->Width(), bottom = button->Top() + button->Height();
  User.Drag(corner, TPoint{3, 3}, Form(), TPoint{right + 20, bottom + 10});
  EXPECT_EQ(button->Left(), 40);
  EXPECT_EQ(button->Left() + button->Width(), right + 20);
  EXPECT_EQ(button->Top() + button->Height(), bottom + 10);
  User.PressKey('Z', TShiftState{ssCtrl});
  EXPECT_EQ(Named<TButton>("Button1")->Left() + Named<TButton>("Button1")->Width(), right);

  User.WhenModal([&](TCustomForm* form) {
    auto* memo = static_cast<TMemo*>(form->FindComponent("Memo"));
    const int line = memo->Lines()->IndexOf("    Caption = 'Button1'");
    ASSERT_GE(line, 0) << memo->Lines()->Text();
    memo->Lines()->Delete(line);
    memo->Lines()->Insert(line, "    Caption = 'Typed in the text'");
    User.Click(static_cast<TControl*>(form->FindComponent("OKButton")));
  });
  Designer->ViewAsText();
  ASSERT_NE(Named<TButton>("Button1"), nullptr);
  EXPECT_EQ(Named<TButton>("Button1")->Caption(), "Typed in the text");
  EXPECT_TRUE(Designer->CanUndo());
}
