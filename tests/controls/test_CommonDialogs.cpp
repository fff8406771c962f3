#include "tests/SheetPath.h"
#include "tests/TempPath.h"
#include "tests/controls/ControlTestSupport.h"

#include "framework/classes/FormFile.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/ColorDialogForm.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/CommonDialogs.h"
#include "framework/controls/Edits.h"
#include "framework/controls/FileDialogForm.h"
#include "framework/controls/FontDialogForm.h"
#include "framework/controls/Image.h"
#include "framework/controls/Labels.h"
#include "framework/controls/ListBoxes.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Panels.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"
#include "framework/graphics/Bitmap.h"

#include <filesystem>
#include <fstream>

using namespace controltest;

namespace {

template <class C> C* Named(TCustomForm* Form, const String& Name) {
  auto* control = dynamic_cast<C*>(Form->FindComponent(Name));
  if (!control) throw Exception("The dialog has no " + Name);
  return control;
}

std::vector<String> Lines(TStrings* Items) {
  std::vector<String> lines;
  for (int i = 0; i < Items->Count(); ++i) lines.push_back(Items->Strings(i));
  return lines;
}

class DialogTest : public ControlTest {
protected:
  // Replaces an edit's whole text as a user does: click, select all, type.
  void Retype(TCustomEdit* Edit, const String& Text) {
    User.Click(Edit);
    User.PressKey(VK_END);
    User.PressKey(VK_HOME, TShiftState{ssShift});
    User.PressKey(VK_DELETE);
    User.Type(Text);
  }
  void ClickItem(TListBox* List, const String& Item, TShiftState Shift = {}) {
    const int index = List->Items()->IndexOf(Item);
    ASSERT_GE(index, 0) << Item;
    const TRect r = List->ItemRect(index);
    if (Shift.Contains(ssCtrl)) User.KeyDown(VK_CONTROL);
    User.Click(List, TPoint{r.Left + 5, (r.Top + r.Bottom) / 2});
    if (Shift.Contains(ssCtrl)) User.KeyUp(VK_CONTROL);
  }
  void DoubleClickItem(TListBox* List, const String& Item) {
    const int index = List->Items()->IndexOf(Item);
    ASSERT_GE(index, 0) << Item;
    const TRect r = List->ItemRect(index);
    User.DoubleClick(List, TPoint{r.Left + 5, (r.Top + r.Bottom) / 2});
  }
  // Picks a combo box item with the keyboard: Alt and its label's accelerator, then keys.
  void ChooseWithKeys(TComboBox* Combo, char Accelerator, int Index) {
    User.PressKey(Accelerator, TShiftState{ssAlt});
    ASSERT_TRUE(Combo->Focused());
    User.PressKey(VK_HOME);
    for (int i = 0; i < Index; ++i) User.PressKey(VK_DOWN);
  }
};

class FileDialogTest : public DialogTest {
protected:
  std::filesystem::path Root = TempPath("lum-file-dialog");
  String Dir = Root.string();

  void SetUp() override {
    std::filesystem::remove_all(Root);
    std::filesystem::create_directories(Root / "sub");
    for (const char* name : {"b.txt", "a.txt", "notes.log", "sub/c.txt", ".hidden"})
      std::ofstream(Root / name) << name;
    TBitmap picture;
    picture.SetSize(20, 10);
    picture.SaveToFile(Dir + "/pic.bmp");
  }
  void TearDown() override {
    DialogTest::TearDown();
    std::filesystem::remove_all(Root);
  }
};

TEST_F(FileDialogTest, ListsFoldersAndTheFilesOfTheChosenPatternAndReturnsTheClickedFile) {
  const int formsBefore = Screen()->FormCount();
  TOpenDialog dialog(nullptr);
  dialog.SetFilter("Text|*.txt|All|*.*");
  dialog.SetInitialDir(Dir);
  dialog.SetTitle("Pick a text");
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_EQ(form->Caption(), "Pick a text");
    auto* files = Named<TListBox>(form, "FileList");
    EXPECT_EQ(Lines(Named<TListBox>(form, "FolderList")->Items()),
              (std::vector<String>{"..", "sub"}));
    EXPECT_EQ(Lines(files->Items()), (std::vector<String>{"a.txt", "b.txt"}));
    EXPECT_EQ(Named<TLabel>(form, "FolderLabel")->Caption(), Dir);
    EXPECT_FALSE(Named<TCheckBox>(form, "ReadOnlyCheck")->Visible()); // ofHideReadOnly
    ChooseWithKeys(Named<TComboBox>(form, "FilterCombo"), 'T', 1);
    EXPECT_EQ(Lines(files->Items()),
              (std::vector<String>{"a.txt", "b.txt", "notes.log", "pic.bmp"}));
    ClickItem(files, "notes.log");
    EXPECT_EQ(Named<TEdit>(form, "FileNameEdit")->Text(), "notes.log");
    User.SaveSnapshot(form, SheetPath("open_dialog.png"));
    User.Click(Named<TButton>(form, "OkButton"));
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), Dir + "/notes.log");
  EXPECT_EQ(Lines(dialog.Files()), (std::vector<String>{Dir + "/notes.log"}));
  EXPECT_EQ(dialog.FilterIndex(), 2);
  EXPECT_EQ(Screen()->FormCount(), formsBefore); // the form is gone

  User.WhenModal([&](TCustomForm*) { User.Escape(); });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), Dir + "/notes.log");
}

TEST_F(FileDialogTest, FoldersOpenByDoubleClickAndTypedPathsMasksAndFolders) {
  TOpenDialog dialog(nullptr);
  dialog.SetFilter("All|*.*");
  dialog.SetFileName(Dir + "/a.txt"); // without InitialDir the name's folder is shown
  User.WhenModal([&](TCustomForm* form) {
    auto* files = Named<TListBox>(form, "FileList");
    auto* name = Named<TEdit>(form, "FileNameEdit");
    EXPECT_EQ(name->Text(), "a.txt");
    DoubleClickItem(Named<TListBox>(form, "FolderList"), "sub");
    EXPECT_EQ(Named<TLabel>(form, "FolderLabel")->Caption(), Dir + "/sub");
    EXPECT_EQ(Lines(files->Items()), (std::vector<String>{"c.txt"}));
    Retype(name, "..");
    User.Enter();
    EXPECT_EQ(Named<TLabel>(form, "FolderLabel")->Caption(), Dir);
    EXPECT_EQ(name->Text(), "");
    Retype(name, "*.log");
    User.Enter();
    EXPECT_EQ(Lines(files->Items()), (std::vector<String>{"notes.log"}));
    Retype(name, "sub/../b.txt");
    User.Enter();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), Dir + "/b.txt");
}

TEST_F(FileDialogTest, AMissingFileIsRefusedWithTheSystemsWarningAndTheDialogStaysOpen) {
  TOpenDialog dialog(nullptr);
  dialog.SetInitialDir(Dir);
  dialog.SetOptions(TOpenOptions{ofFileMustExist, ofHideReadOnly});
  User.WhenModal([&](TCustomForm* form) {
    auto* name = Named<TEdit>(form, "FileNameEdit");
    Retype(name, "missing.txt");
    User.Enter(); // the warning gets its OK by default
    ASSERT_EQ(User.Messages().size(), 1u);
    EXPECT_EQ(User.Messages()[0].Text,
              "missing.txt\nFile not found.\nPlease verify the correct file name was given.");
    Retype(name, "nowhere/x.txt");
    User.Enter();
    ASSERT_EQ(User.Messages().size(), 2u);
    EXPECT_EQ(User.Messages()[1].Text,
              Dir + "/nowhere\nPath does not exist.\nPlease verify the correct path was given.");
    EXPECT_TRUE(form->Visible());
    Retype(name, "a.txt");
    User.Enter();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), Dir + "/a.txt");
}

TEST_F(FileDialogTest, SavingOverAnExistingFileAsksFirstAndTheDefaultExtensionIsAdded) {
  TSaveDialog dialog(nullptr);
  dialog.SetInitialDir(Dir);
  dialog.SetDefaultExt("txt");
  dialog.SetOptions(TOpenOptions{ofOverwritePrompt, ofHideReadOnly});
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_EQ(form->Caption(), "Save As");
    EXPECT_EQ(Named<TButton>(form, "OkButton")->Caption(), "&Save");
    Retype(Named<TEdit>(form, "FileNameEdit"), "a");
    User.AnswerMessage("No");
    User.Enter();
    ASSERT_EQ(User.Messages().size(), 1u);
    EXPECT_EQ(User.Messages()[0].Text, Dir + "/a.txt already exists.\nDo you want to replace it?");
    EXPECT_EQ(User.Messages()[0].Buttons, (std::vector<String>{"Yes", "No"}));
    Retype(Named<TEdit>(form, "FileNameEdit"), "fresh");
    User.Enter();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), Dir + "/fresh.txt");

  User.WhenModal([&](TCustomForm* form) {
    Retype(Named<TEdit>(form, "FileNameEdit"), "b.txt");
    User.AnswerMessage("Yes");
    User.Enter();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), Dir + "/b.txt");
}

TEST_F(FileDialogTest, SeveralFilesAreChosenWithControlClicks) {
  TOpenDialog dialog(nullptr);
  dialog.SetFilter("Text|*.txt");
  dialog.SetInitialDir(Dir);
  dialog.SetOptions(TOpenOptions{ofAllowMultiSelect, ofFileMustExist});
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_TRUE(Named<TCheckBox>(form, "ReadOnlyCheck")->Visible());
    auto* files = Named<TListBox>(form, "FileList");
    ClickItem(files, "a.txt");
    ClickItem(files, "b.txt", TShiftState{ssCtrl});
    EXPECT_EQ(Named<TEdit>(form, "FileNameEdit")->Text(), "\"a.txt\" \"b.txt\"");
    User.Click(Named<TCheckBox>(form, "ReadOnlyCheck"));
    User.Click(Named<TButton>(form, "OkButton"));
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(Lines(dialog.Files()), (std::vector<String>{Dir + "/a.txt", Dir + "/b.txt"}));
  EXPECT_EQ(dialog.FileName(), Dir + "/a.txt");
  EXPECT_TRUE(dialog.Options().Contains(ofReadOnly));
}

TEST_F(FileDialogTest, AFolderThatCannotBeReadIsReportedAndTheDialogStaysUsable) {
  TOpenDialog dialog(nullptr);
  dialog.SetInitialDir(Dir);
  User.WhenModal([&](TCustomForm* form) {
    std::filesystem::remove_all(Root / "sub"); // gone after it was listed
    DoubleClickItem(Named<TListBox>(form, "FolderList"), "sub");
    ASSERT_EQ(User.Messages().size(), 1u);
    EXPECT_EQ(User.Messages()[0].Type, mtError);
    EXPECT_EQ(User.Messages()[0].Text,
              "Cannot read folder \"" + Dir + "/sub\". No such file or directory");
    EXPECT_EQ(Named<TLabel>(form, "FolderLabel")->Caption(), Dir);
    ClickItem(Named<TListBox>(form, "FileList"), "b.txt");
    User.Enter();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), Dir + "/b.txt");

  dialog.SetInitialDir(Dir + "/vanished");
  User.AnswerMessage("OK"); // the error comes before the dialog
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_EQ(Lines(Named<TListBox>(form, "FolderList")->Items()), (std::vector<String>{".."}));
    DoubleClickItem(Named<TListBox>(form, "FolderList"), "..");
    EXPECT_EQ(Named<TLabel>(form, "FolderLabel")->Caption(), Dir);
    User.Escape();
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(User.Messages().size(), 2u);
}

TEST_F(FileDialogTest, ThePictureDialogPreviewsTheChosenPictureWithItsSize) {
  TOpenPictureDialog dialog(nullptr);
  EXPECT_EQ(dialog.Filter().substr(0, 8), "All (*.b");
  EXPECT_NE(dialog.Filter().find("|Bitmaps (*.bmp)|*.bmp"), String::npos);
  dialog.SetInitialDir(Dir);
  User.WhenModal([&](TCustomForm* form) {
    auto* size = Named<TLabel>(form, "PreviewLabel");
    EXPECT_EQ(size->Caption(), "(None)");
    ChooseWithKeys(Named<TComboBox>(form, "FilterCombo"), 'T', 0);
    EXPECT_EQ(Lines(Named<TListBox>(form, "FileList")->Items()), (std::vector<String>{"pic.bmp"}));
    ClickItem(Named<TListBox>(form, "FileList"), "pic.bmp");
    EXPECT_EQ(size->Caption(), "20 x 10");
    EXPECT_EQ(Named<TImage>(form, "PreviewImage")->Picture()->Width(), 20);
    User.SaveSnapshot(form, SheetPath("open_picture_dialog.png"));
    User.Enter();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), Dir + "/pic.bmp");
}

TEST(FileDialogParts, FiltersAndMasks) {
  const auto choices = ParseFilter("Text|*.txt;*.log|All|*.*");
  ASSERT_EQ(choices.size(), 2u);
  EXPECT_EQ(choices[0].Description, "Text");
  EXPECT_EQ(choices[0].Masks, "*.txt;*.log");
  EXPECT_EQ(choices[1].Masks, "*.*");
  EXPECT_TRUE(MatchesMasks("READ.TXT", "*.txt;*.log"));
  EXPECT_TRUE(MatchesMasks("a.log", "*.txt; *.log"));
  EXPECT_FALSE(MatchesMasks("a.bmp", "*.txt;*.log"));
  EXPECT_TRUE(MatchesMasks("Makefile", "*.*"));
  EXPECT_TRUE(MatchesMasks("a1.txt", "a?.txt"));
  EXPECT_TRUE(ParseFilter("").empty());
}

class FontDialogTest : public DialogTest {};

TEST_F(FontDialogTest, FaceStyleSizeAndEffectsAreChosenWithASample) {
  TFontDialog dialog(nullptr);
  dialog.Font()->SetName("Liberation Sans");
  dialog.Font()->SetSize(10);
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_EQ(form->Caption(), "Font");
    auto* faces = Named<TListBox>(form, "FaceList");
    EXPECT_GE(faces->Items()->IndexOf("Liberation Serif"), 0);
    EXPECT_EQ(Named<TEdit>(form, "FaceEdit")->Text(), "Liberation Sans");
    EXPECT_EQ(Named<TEdit>(form, "StyleEdit")->Text(), "Regular");
    EXPECT_EQ(Named<TEdit>(form, "SizeEdit")->Text(), "10");
    EXPECT_FALSE(Named<TButton>(form, "ApplyButton")->Visible());
    Retype(Named<TEdit>(form, "FaceEdit"), "liberation se"); // the list follows the typing
    EXPECT_EQ(faces->ItemIndex(), faces->Items()->IndexOf("Liberation Serif"));
    ClickItem(faces, "Liberation Serif"); // the selected item is scrolled into view
    EXPECT_EQ(Named<TEdit>(form, "FaceEdit")->Text(), "Liberation Serif");
    ClickItem(Named<TListBox>(form, "StyleList"), "Bold Italic");
    Retype(Named<TEdit>(form, "SizeEdit"), "16");
    EXPECT_EQ(Named<TListBox>(form, "SizeList")->ItemIndex(),
              Named<TListBox>(form, "SizeList")->Items()->IndexOf("16"));
    User.Click(Named<TCheckBox>(form, "UnderlineCheck"));
    ChooseWithKeys(Named<TComboBox>(form, "ColorCombo"), 'C', 9); // Red
    User.SaveSnapshot(form, SheetPath("font_dialog.png"));
    User.Click(Named<TButton>(form, "OkButton"));
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Font()->Name(), "Liberation Serif");
  EXPECT_EQ(dialog.Font()->Size(), 16);
  EXPECT_EQ(dialog.Font()->Style(), (TFontStyles{fsBold, fsItalic, fsUnderline}));
  EXPECT_EQ(dialog.Font()->Color(), clRed);
}

TEST_F(FontDialogTest, SizesOutsideTheLimitsAndUnknownStylesAreRefused) {
  TFontDialog dialog(nullptr);
  dialog.SetOptions(TFontDialogOptions{fdLimitSize});
  dialog.SetMinFontSize(8);
  dialog.SetMaxFontSize(12);
  dialog.Font()->SetSize(9);
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_FALSE(Named<TGroupBox>(form, "EffectsGroup")->Visible());
    EXPECT_EQ(Lines(Named<TListBox>(form, "SizeList")->Items()),
              (std::vector<String>{"8", "9", "10", "11", "12"}));
    auto* size = Named<TEdit>(form, "SizeEdit");
    Retype(size, "20");
    User.Enter();
    Retype(size, "big");
    User.Enter();
    Retype(size, "12");
    Retype(Named<TEdit>(form, "StyleEdit"), "Wavy");
    User.Enter();
    ASSERT_EQ(User.Messages().size(), 3u);
    EXPECT_EQ(User.Messages()[0].Text, "Size must be between 8 and 12 points.");
    EXPECT_EQ(User.Messages()[1].Text, "Size must be a number.");
    EXPECT_EQ(User.Messages()[2].Text,
              "There is no style of this font by that name.\nChoose a style from the list of "
              "styles.");
    EXPECT_TRUE(Named<TEdit>(form, "StyleEdit")->Focused());
    Retype(Named<TEdit>(form, "StyleEdit"), "Bold");
    User.Enter();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Font()->Size(), 12);
  EXPECT_EQ(dialog.Font()->Style(), TFontStyles{fsBold});
}

TEST_F(FontDialogTest, ApplyHandsTheChoiceToOnApplyAndCancelKeepsWhatWasApplied) {
  TFontDialog dialog(nullptr);
  dialog.SetOptions(TFontDialogOptions{fdEffects, fdApplyButton});
  dialog.Font()->SetSize(10);
  std::vector<int> applied;
  dialog.SetOnApply([&](TObject* Sender, HWND Wnd) {
    EXPECT_EQ(Sender, &dialog);
    EXPECT_NE(Wnd, nullptr);
    applied.push_back(dialog.Font()->Size());
  });
  User.WhenModal([&](TCustomForm* form) {
    Retype(Named<TEdit>(form, "SizeEdit"), "14");
    User.Click(Named<TButton>(form, "ApplyButton"));
    User.Escape();
  });
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(applied, (std::vector<int>{14}));
  EXPECT_EQ(dialog.Font()->Size(), 14);
}

class ColorDialogTest : public DialogTest {
protected:
  void ClickSwatch(TCustomForm* Form, const String& Grid, int Index) {
    const TRect r = SwatchRect(Index);
    User.Click(Named<TPaintBox>(Form, Grid), TPoint{r.Left + 10, r.Top + 10});
  }
};

TEST_F(ColorDialogTest, ABasicColourIsChosenByClick) {
  TColorDialog dialog(nullptr);
  dialog.SetColor(clBtnFace); // a system colour starts as its RGB value: silver, basic 45
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_EQ(Named<TSpinEdit>(form, "RedEdit")->Value(), 192);
    EXPECT_EQ(PixelAt(form, Named<TPaintBox>(form, "BasicSwatches"), {26 * 1 + 10, 10}),
              TColor{0x80FFFF});
    ClickSwatch(form, "BasicSwatches", 8);
    EXPECT_EQ(Named<TSpinEdit>(form, "RedEdit")->Value(), 255);
    EXPECT_EQ(Named<TSpinEdit>(form, "HueEdit")->Value(), 0);
    EXPECT_EQ(Named<TSpinEdit>(form, "LumEdit")->Value(), 120);
    User.SaveSnapshot(form, SheetPath("color_dialog.png"));
    User.Enter();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Color(), clRed);
  EXPECT_EQ(dialog.CustomColors()->Values("ColorA"), "FFFFFF"); // empty slots are white
}

TEST_F(ColorDialogTest, CustomColoursArePickedFromTheFieldAndKeptInCustomColors) {
  TColorDialog dialog(nullptr);
  dialog.SetColor(clRed); // luminance 120: the field shows full colours
  dialog.CustomColors()->Add("ColorB=00FF00");
  User.WhenModal([&](TCustomForm* form) {
    auto* custom = Named<TPaintBox>(form, "CustomSwatches");
    EXPECT_EQ(PixelAt(form, custom, {26 + 10, 10}), clLime);
    User.Click(Named<TButton>(form, "DefineButton"));
    EXPECT_EQ(form->ClientWidth(), 480);
    EXPECT_FALSE(Named<TButton>(form, "DefineButton")->Enabled());
    // Hue 120 (cyan) at full saturation, half way across the field's top.
    User.Click(Named<TPaintBox>(form, "PickerField"), TPoint{90, 0});
    EXPECT_EQ(Named<TSpinEdit>(form, "HueEdit")->Value(), 120);
    EXPECT_EQ(Named<TSpinEdit>(form, "SatEdit")->Value(), 240);
    EXPECT_EQ(Named<TSpinEdit>(form, "BlueEdit")->Value(), 255);
    EXPECT_EQ(Named<TSpinEdit>(form, "RedEdit")->Value(), 0);
    ClickSwatch(form, "CustomSwatches", 0); // the slot to fill: takes its colour (white)
    Retype(Named<TSpinEdit>(form, "RedEdit"), "10");
    Retype(Named<TSpinEdit>(form, "GreenEdit"), "20");
    Retype(Named<TSpinEdit>(form, "BlueEdit"), "30");
    User.Click(Named<TButton>(form, "AddButton"));
    EXPECT_EQ(PixelAt(form, custom, {10, 10}), TColor{0x1E140A});
    User.SaveSnapshot(form, SheetPath("color_dialog_full.png"));
    User.Click(Named<TButton>(form, "OkButton"));
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Color(), TColor{0x1E140A});
  EXPECT_EQ(dialog.CustomColors()->Values("ColorA"), "1E140A");
  EXPECT_EQ(dialog.CustomColors()->Values("ColorB"), "00FF00");
  EXPECT_EQ(dialog.CustomColors()->Values("ColorP"), "FFFFFF");

  dialog.SetOptions(TColorDialogOptions{cdPreventFullOpen});
  User.WhenModal([&](TCustomForm* form) {
    EXPECT_FALSE(Named<TButton>(form, "DefineButton")->Enabled());
    EXPECT_EQ(form->ClientWidth(), 224);
    User.Escape();
  });
  EXPECT_FALSE(dialog.Execute());
}

TEST(ColorDialogParts, HueLuminanceAndSaturationFollowTheSystemsScale) {
  const THls red = ColorToHls(clRed);
  EXPECT_EQ(red.Hue, 0);
  EXPECT_EQ(red.Lum, 120);
  EXPECT_EQ(red.Sat, 240);
  const THls blue = ColorToHls(clBlue);
  EXPECT_EQ(blue.Hue, 160);
  const THls grey = ColorToHls(clGray);
  EXPECT_EQ(grey.Sat, 0);
  EXPECT_EQ(grey.Hue, 160);
  EXPECT_EQ(HlsToColor({0, 120, 240}), clRed);
  EXPECT_EQ(HlsToColor({80, 120, 240}), clLime);
  EXPECT_EQ(HlsToColor({0, 240, 0}), clWhite);
  for (const TColor c : BasicColors()) {
    const TColor back = HlsToColor(ColorToHls(c));
    for (int shift : {0, 8, 16})
      EXPECT_LE(std::abs(((back >> shift) & 0xFF) - ((c >> shift) & 0xFF)), 2) << std::hex << c;
  }
  EXPECT_EQ(SwatchAt({27, 23}, 48), 9);
  EXPECT_EQ(SwatchAt({27, 23}, 8), -1);
}

TEST(CommonDialogsStreaming, DialogsAreReadFromFormFilesWithTheirOptions) {
  std::unique_ptr<TComponent> form(ReadFormText(R"(object Form1: TForm
  object OpenDialog1: TOpenDialog
    DefaultExt = 'txt'
    Filter = 'Text|*.txt|All|*.*'
    FilterIndex = 2
    Options = [ofOverwritePrompt, ofHideReadOnly, ofFileMustExist]
  end
  object FontDialog1: TFontDialog
    Font.Name = 'Liberation Mono'
    MinFontSize = 6
    MaxFontSize = 30
    Options = [fdEffects, fdLimitSize]
  end
  object ColorDialog1: TColorDialog
    Color = clNavy
    CustomColors.Strings = (
      'ColorA=FF0000')
  end
end
)"));
  auto* open = dynamic_cast<TOpenDialog*>(form->FindComponent("OpenDialog1"));
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->FilterIndex(), 2);
  EXPECT_EQ(open->Options(), (TOpenOptions{ofOverwritePrompt, ofHideReadOnly, ofFileMustExist}));
  auto* font = dynamic_cast<TFontDialog*>(form->FindComponent("FontDialog1"));
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(font->Font()->Name(), "Liberation Mono");
  EXPECT_EQ(font->MaxFontSize(), 30);
  auto* color = dynamic_cast<TColorDialog*>(form->FindComponent("ColorDialog1"));
  ASSERT_NE(color, nullptr);
  EXPECT_EQ(color->Color(), clNavy);
  EXPECT_EQ(color->CustomColors()->Values("ColorA"), "FF0000");
  const String written = WriteFormText(form.get());
  EXPECT_NE(written.find("Options = [ofOverwritePrompt, ofHideReadOnly, ofFileMustExist]"),
            String::npos)
      << written;
}

} // namespace
