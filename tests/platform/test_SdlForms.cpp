#include "demo/GalleryForm.h"
#include "framework/controls/Application.h"
#include "framework/controls/CommonDialogs.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Screen.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "framework/platform/sdl/SdlDisplay.h"
#include "framework/win32/gdi/PngCodec.h"
#include "tests/SheetPath.h"
#include "tests/TempPath.h"
#include "tests/platform/RealWindowTest.h"
#include "tests/platform/SdlTestSupport.h"
#include "valueentry/Lumvaled.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace {

// A small dialog-like form: a default button, a plain one and a disabled one.
struct TSampleForm {
  TForm* Form = nullptr;
  TButton* Ok = nullptr;
  TButton* Other = nullptr;
};

TButton* SampleButton(TForm* Form, const char* Caption, int Left) {
  auto* button = new TButton(Form);
  button->SetBounds(Left, 20, 80, 25);
  button->SetCaption(Caption);
  button->SetParent(Form);
  return button;
}

TSampleForm MakeSampleForm(const char* Caption) {
  TSampleForm sample;
  sample.Form = CreateForm<TForm>(Application());
  sample.Form->SetBounds(60, 60, 320, 140);
  sample.Form->SetCaption(Caption);
  sample.Ok = SampleButton(sample.Form, "OK", 16);
  sample.Ok->SetDefault(true);
  sample.Other = SampleButton(sample.Form, "&Other", 112);
  SampleButton(sample.Form, "Disabled", 208)->SetEnabled(false);
  return sample;
}

class SdlFormTest : public TRealWindowTest {
protected:
  void TearDown() override {
    for (TForm* form : Forms) form->Free();
    Forms.clear();
    TRealWindowTest::TearDown();
  }

  TSampleForm Open(const char* Caption) {
    TSampleForm sample = MakeSampleForm(Caption);
    Forms.push_back(sample.Form);
    sample.Form->Show();
    EXPECT_TRUE(PumpUntil([this] { return Display->PresentCount() > 0; }));
    return sample;
  }

  std::vector<TForm*> Forms;
};

TEST_F(SdlFormTest, AClickOnTheRealWindowReachesTheButtonsOnClick) {
  TSampleForm sample = Open("Sdl Form Click");
  int okClicks = 0, otherClicks = 0;
  sample.Ok->SetOnClick([&](TObject*) { ++okClicks; });
  sample.Other->SetOnClick([&](TObject*) { ++otherClicks; });
  XWindowNamed("Sdl Form Click");
  const TPoint p = sample.Other->ClientToScreen({40, 12});
  RunOnDisplay("xdotool mousemove " + std::to_string(p.X) + " " + std::to_string(p.Y) + " click 1");
  ASSERT_TRUE(PumpUntil([&] { return otherClicks > 0; }));
  EXPECT_EQ(otherClicks, 1);
  EXPECT_EQ(okClicks, 0);
  EXPECT_EQ(sample.Form->ActiveControl(), sample.Other) << "the click focused the button";
}

TEST_F(SdlFormTest, TypedKeysReachTheFormsKeyPressAndTheFocusedControl) {
  TSampleForm sample = Open("Sdl Form Keys");
  String pressed, keys;
  sample.Form->SetKeyPreview(true);
  sample.Form->SetOnKeyPress([&](TObject*, char& Key) { pressed += Key; });
  sample.Other->SetOnKeyDown([&](TObject*, Word& Key, TShiftState) {
    if (Key != VK_SHIFT) keys += static_cast<char>(Key);
  });
  sample.Other->SetFocus();
  RunOnDisplay("xdotool windowfocus --sync " + XWindowNamed("Sdl Form Keys") + " type 'Hi!'");
  ASSERT_TRUE(PumpUntil([&] { return pressed.size() >= 3; }));
  EXPECT_EQ(pressed, "Hi!");
  EXPECT_EQ(keys, "HI1");
}

TEST_F(SdlFormTest, TheValueEntryPageCleansWhatIsTypedAndWarnsInGerman) {
  auto* gallery = CreateForm<TGalleryForm>(Application());
  Forms.push_back(gallery);
  const int index = gallery->PageIndexOf("Value entry");
  ASSERT_GE(index, 0);
  gallery->ShowPage(index);
  gallery->Show();
  ASSERT_TRUE(PumpUntil([this] { return Display->PresentCount() > 0; }));
  TComponent* page = gallery->Page(index);
  auto* decimal = dynamic_cast<TLumValidateEdit*>(page->FindComponent("Entry1"));
  auto* whole = dynamic_cast<TLumValidateEdit*>(page->FindComponent("Entry5"));
  ASSERT_TRUE(decimal && whole);
  // Each warning is answered by a real Return key once its box is up.
  std::vector<String> shown;
  const auto previous = OnMessageShown();
  OnMessageShown() = [&](const TShownMessage& Message, TForm*) {
    shown.push_back(Message.Text);
    RunOnDisplay("sh -c 'sleep 0.3; xdotool key Return' >/dev/null 2>&1 &");
  };
  const std::string window = XWindowNamed(gallery->Caption());
  decimal->SetFocus();
  decimal->SelectAll();
  RunOnDisplay("xdotool windowfocus --sync " + window + " type '1,5'");
  EXPECT_TRUE(PumpUntil([&] { return decimal->Text() == "1.5"; })) << decimal->Text();
  whole->SetFocus();
  whole->SelectAll();
  RunOnDisplay("xdotool windowfocus --sync " + window + " type '12a'");
  EXPECT_TRUE(PumpUntil([&] { return whole->Text() == "12" && !shown.empty(); })) << whole->Text();
  OnMessageShown() = previous;
  EXPECT_EQ(shown, std::vector<String>{"Eingabefehler! Ungültige Zeicheneingabe!"});
  EXPECT_EQ(Screen()->ActiveControl(), whole->Edit());
}

// The US international layout, with Compose on the right Alt key, while this lives: typed
// keys then have keys of their own (keys xdotool maps for the moment get lost).
class TInternationalKeyboard {
public:
  TInternationalKeyboard() {
    RunOnDisplay("setxkbmap -layout us -variant intl -option compose:ralt");
  }
  ~TInternationalKeyboard() { RunOnDisplay("setxkbmap -layout us -option"); }
  TInternationalKeyboard(const TInternationalKeyboard&) = delete;
  TInternationalKeyboard& operator=(const TInternationalKeyboard&) = delete;
};

// The input method opens on the first key, a dead key here, which must still start its
// sequence; then a character outside Latin-1 and a compose sequence.
TEST_F(SdlFormTest, ComposedAndUtf8TextReachTheEditThroughTheInputMethodOpenedOnTheFirstKey) {
  TSampleForm sample = MakeSampleForm("Sdl Form Compose");
  Forms.push_back(sample.Form);
  auto* edit = new TEdit(sample.Form);
  edit->SetBounds(16, 60, 200, 22);
  edit->SetParent(sample.Form);
  sample.Form->Show();
  ASSERT_TRUE(PumpUntil([this] { return Display->PresentCount() > 0; }));
  edit->SetFocus();
  const TInternationalKeyboard keyboard;
  const DWORD settled = Display->Now() + 300;
  PumpUntil([&] { return static_cast<std::int32_t>(Display->Now() - settled) >= 0; });
  EXPECT_FALSE(Display->TextInputOpened()) << "the input method opened before any key";
  const std::string window = XWindowNamed("Sdl Form Compose");
  RunOnDisplay("xdotool windowfocus --sync " + window + " key dead_acute e");
  RunOnDisplay("xdotool type 'x€'");
  RunOnDisplay("xdotool key Multi_key o c");
  const String expected = "éx€©";
  ASSERT_TRUE(PumpUntil([&] { return edit->Text().size() >= expected.size(); })) << edit->Text();
  EXPECT_EQ(edit->Text(), expected);
  EXPECT_TRUE(Display->TextInputOpened());
}

TEST_F(SdlFormTest, TheRealWindowLooksLikeTheHeadlessSnapshotOfTheSameForm) {
  Open("Sdl Form Look");
  const TRaster real = ScreenshotOfXWindow(XWindowNamed("Sdl Form Look"));
  WritePngFile(real, SheetPath("sdl_form.png"));
  TearDown();

  TScriptedUser user;
  TSampleForm sample = MakeSampleForm("Sdl Form Look");
  sample.Form->Show();
  const std::unique_ptr<TBitmap> headless = user.Snapshot(sample.Form);
  const TRaster expected = headless->ToRaster();
  sample.Form->Free();
  ASSERT_EQ(real.Width, expected.Width);
  ASSERT_EQ(real.Height, expected.Height);
  EXPECT_EQ(DifferingPixels(real, expected), 0) << "see " << SheetPath("sdl_form.png");
}

// The open dialog in a real window: a real user types a name into it and presses Return.
TEST_F(SdlFormTest, TheOpenDialogIsAnsweredInARealWindow) {
  const std::filesystem::path dir = TempPath("lum-sdl-open-dialog");
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "chosen.txt") << "x";
  TOpenDialog dialog(nullptr);
  dialog.SetTitle("Sdl Open Dialog");
  dialog.SetInitialDir(dir.string());
  dialog.SetOptions(TOpenOptions{ofFileMustExist});
  // Should the typing go wrong, the dialog is cancelled rather than waiting for ever.
  TTimer guard(nullptr);
  guard.SetInterval(15000);
  guard.SetOnTimer([](TObject*) {
    if (TCustomForm* form = Screen()->ActiveForm()) form->SetModalResult(mrCancel);
  });
  RunOnDisplay("sh -c 'id=$(xdotool search --sync --name \"^Sdl Open Dialog$\" | head -n 1); "
               "sleep 0.3; xdotool windowfocus --sync $id type chosen.txt; "
               "xdotool key --window $id Return' >/dev/null 2>&1 &");
  const bool chosen = dialog.Execute();
  std::filesystem::remove_all(dir);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(dialog.FileName(), dir.string() + "/chosen.txt");
}

} // namespace
