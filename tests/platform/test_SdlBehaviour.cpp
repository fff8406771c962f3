#include "framework/controls/Application.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/Dialogs.h"
#include "framework/controls/Edits.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"
#include "tests/platform/RealWindowTest.h"
#include "tests/platform/SdlTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// What a user meets in a real window: accelerators, focus marks, dialog keys, drop-downs,
// spin arrows and the caret, each driven through the X server.
namespace {

// A control owned by the form that holds Parent, placed on Parent.
template <class C> C* Add(TWinControl* Parent, const TRect& Bounds) {
  TWinControl* form = Parent;
  while (form->Parent()) form = form->Parent();
  auto* control = new C(form);
  control->SetBoundsRect(Bounds);
  control->SetParent(Parent);
  return control;
}

class SdlBehaviourTest : public TRealWindowTest {
protected:
  void TearDown() override {
    if (Form) Form->Free();
    TRealWindowTest::TearDown();
  }

  TForm* MakeForm(const char* Caption) {
    Form = CreateForm<TForm>(Application());
    Form->SetBounds(40, 40, 360, 220);
    Form->SetCaption(Caption);
    return Form;
  }

  // Shows the form and answers with its X window once the first frame is up.
  std::string Show() {
    Form->Show();
    EXPECT_TRUE(PumpUntil([this] { return Display->PresentCount() > 0; }));
    return XWindowNamed(Form->Caption());
  }

  void Key(const std::string& Window, const std::string& Keys) {
    RunOnDisplay("xdotool windowfocus --sync " + Window + " key " + Keys);
  }

  // The application's loop on the real clock for that long.
  void PumpFor(DWORD Milliseconds) {
    const DWORD until = Display->Now() + Milliseconds;
    PumpUntil([&] { return static_cast<std::int32_t>(Display->Now() - until) >= 0; });
  }

  static void ClickAt(const TPoint& p) {
    RunOnDisplay("xdotool mousemove " + std::to_string(p.X) + " " + std::to_string(p.Y) +
                 " click 1");
  }

  // The real window's pixels inside a rectangle of the form's client area, row by row.
  std::vector<std::uint32_t> PixelsIn(const std::string& Window, const TRect& Client) {
    const TRaster shot = ScreenshotOfXWindow(Window);
    const TPoint origin = Form->ClientToScreen({0, 0});
    const TRect frame = Form->BoundsRect();
    std::vector<std::uint32_t> pixels;
    for (int y = Client.Top; y < Client.Bottom; ++y)
      for (int x = Client.Left; x < Client.Right; ++x)
        pixels.push_back(shot.At(origin.X - frame.Left + x, origin.Y - frame.Top + y));
    return pixels;
  }

  // The colours the real window shows inside a rectangle of the form's client area.
  std::set<std::uint32_t> ColoursIn(const std::string& Window, const TRect& Client) {
    const std::vector<std::uint32_t> pixels = PixelsIn(Window, Client);
    return {pixels.begin(), pixels.end()};
  }

  // A drop-down shows and leaves its form active; after a message box the keyboard reaches the
  // form again without anyone refocusing it. Without a window manager SDL itself hands the X
  // input focus to each window it maps, and nobody hands it on when that window goes.
  void ExpectTheDropDownLeavesItsFormActive() {
    TForm* form = MakeForm("Sdl Drop Down Stays");
    auto* combo = Add<TComboBox>(form, Bounds(16, 16, 140, 22));
    for (const char* colour : {"rot", "grün", "blau"}) combo->Items()->Add(colour);
    Show();
    ClickAt(combo->ClientToScreen({combo->Width() - 8, combo->Height() / 2}));
    ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }));
    PumpFor(400);
    EXPECT_TRUE(combo->DroppedDown()) << "the drop-down closed as it took the X focus";
    EXPECT_EQ(GetActiveWindow(), form->Handle()) << "the caption went inactive";
  }

  void ExpectTheKeyboardToComeBackAfterAMessageBox() {
    TForm* form = MakeForm("Sdl Keyboard After Box");
    auto* edit = Add<TEdit>(form, Bounds(16, 16, 160, 22));
    const std::string window = Show();
    edit->SetFocus();
    RunOnDisplay("xdotool windowfocus --sync " + window);
    const auto previous = OnMessageShown();
    OnMessageShown() = [&](const TShownMessage&, TForm*) {
      Application()->ProcessMessages();
      RunOnDisplay("sh -c 'sleep 0.3; xdotool key Return' >/dev/null 2>&1 &");
    };
    ShowMessage("Hello");
    OnMessageShown() = previous;
    PumpFor(300);
    RunOnDisplay("xdotool type abc"); // into whichever window has the X input focus
    EXPECT_TRUE(PumpUntil([&] { return edit->Text() == "abc"; }))
        << "typed text went nowhere; the edit holds \"" << edit->Text() << "\"";
  }

  TForm* Form = nullptr;
};

TEST_F(SdlBehaviourTest, AltWithALetterClicksTheButtonAndTypesNothing) {
  MakeForm("Sdl Alt Letter");
  auto* edit = Add<TEdit>(Form, Bounds(16, 16, 160, 22));
  edit->SetText("Name");
  auto* button = Add<TButton>(Form, Bounds(16, 60, 80, 25));
  button->SetCaption("&Close");
  int clicks = 0;
  button->SetOnClick([&](TObject*) { ++clicks; });
  const std::string window = Show();
  edit->SetFocus();
  Key(window, "alt+c");
  ASSERT_TRUE(PumpUntil([&] { return clicks > 0; }));
  Application()->ProcessMessages();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(edit->Text(), "Name") << "Alt+C is no text";
}

TEST_F(SdlBehaviourTest, AMessageBoxLeavesTheControlsUnderItDrawnAsTheyWere) {
  MakeForm("Sdl Modal Grey");
  auto* button = Add<TButton>(Form, Bounds(16, 16, 90, 25));
  button->SetCaption("Message box");
  Add<TComboBox>(Form, Bounds(16, 56, 120, 22));
  auto* radio = Add<TRadioButton>(Form, Bounds(16, 90, 120, 20));
  radio->SetCaption("Radio");
  const std::string window = Show();
  const TRect controls = Bounds(16, 16, 140, 94);
  const std::set<std::uint32_t> before = ColoursIn(window, controls);
  std::set<std::uint32_t> during;
  const auto previous = OnMessageShown();
  OnMessageShown() = [&](const TShownMessage&, TForm*) {
    Application()->ProcessMessages();
    during = ColoursIn(window, controls);
    RunOnDisplay("sh -c 'sleep 0.2; xdotool key Return' >/dev/null 2>&1 &");
  };
  ShowMessage("Hello");
  OnMessageShown() = previous;
  Application()->ProcessMessages();
  EXPECT_EQ(during, before) << "grey while the box is open";
  EXPECT_EQ(ColoursIn(window, controls), before) << "grey after the box closed";
}

struct TPages {
  TPageControl* Control;
  TTabSheet* First;
  TTabSheet* Second;
};

TPages TwoPages(TForm* Form) {
  auto* control = Add<TPageControl>(Form, Bounds(8, 8, 300, 160));
  TPages pages{control, new TTabSheet(Form), new TTabSheet(Form)};
  pages.First->SetCaption("First");
  pages.First->SetPageControl(control);
  pages.Second->SetCaption("Second");
  pages.Second->SetPageControl(control);
  control->SetActivePage(pages.First);
  return pages;
}

TEST_F(SdlBehaviourTest, ThePageTabLosesItsFocusMarkWhenAControlOnThePageIsClicked) {
  MakeForm("Sdl Page Focus Mark");
  const TPages pages = TwoPages(Form);
  auto* edit = Add<TEdit>(pages.First, Bounds(10, 10, 120, 22));
  auto* outside = Add<TButton>(Form, Bounds(312, 8, 40, 25));
  const std::string window = Show();
  outside->SetFocus();
  PumpFor(100);
  const TRect tabs = Bounds(8, 8, 300, 24);
  const std::vector<std::uint32_t> unmarked = PixelsIn(window, tabs);
  const TRect firstTab = pages.Control->TabRect(0);
  ClickAt(pages.Control->ClientToScreen({firstTab.Left + 6, firstTab.Top + 6}));
  ASSERT_TRUE(PumpUntil([&] { return pages.Control->Focused(); }));
  PumpFor(100);
  ASSERT_NE(PixelsIn(window, tabs), unmarked) << "the focused tab shows its mark";
  ClickAt(edit->ClientToScreen({20, 8}));
  ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
  PumpFor(100);
  EXPECT_EQ(PixelsIn(window, tabs), unmarked) << "the tab kept its mark";
}

// The server gives a new connection the ids of a closed one: windows of a display opened
// again must not pass for the ones destroyed with the old.
TEST_F(SdlBehaviourTest, WindowsOfAReopenedDisplayAreNotTakenForDestroyedOnes) {
  const auto showAndPump = [this] {
    MakeForm("Sdl Reopened");
    Form->Show();
    EXPECT_TRUE(PumpUntil([this] { return Display->PresentCount() > 0; }));
    PumpFor(100);
  };
  for (int round = 0; round < 2; ++round) {
    showAndPump();
    Form->Free();
    Form = nullptr;
    PumpFor(100);
    Display.reset();
    Display = std::make_unique<TSdlDisplay>();
  }
  EXPECT_NO_THROW(showAndPump());
}

TEST_F(SdlBehaviourTest, CtrlTabSwitchesPagesFromAComboBox) {
  MakeForm("Sdl Combo Ctrl Tab");
  const TPages pages = TwoPages(Form);
  auto* combo = Add<TComboBox>(pages.First, Bounds(10, 10, 120, 22));
  const std::string window = Show();
  combo->SetFocus();
  Key(window, "ctrl+Tab");
  EXPECT_TRUE(PumpUntil([&] { return pages.Control->ActivePage() == pages.Second; }));
}

TEST_F(SdlBehaviourTest, TheDropDownOpensOnTheItemTheTextNames) {
  MakeForm("Sdl Combo Text");
  auto* combo = Add<TComboBox>(Form, Bounds(16, 16, 140, 22));
  for (const char* colour : {"rot", "grün", "blau"}) combo->Items()->Add(colour);
  combo->SetItemIndex(0);
  combo->SetText("grün");
  Show();
  ClickAt(combo->ClientToScreen({combo->Width() - 8, combo->Height() / 2}));
  ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }));
  EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCURSEL, 0, 0), 1) << "grün is highlighted";
  EXPECT_EQ(combo->Text(), "grün");
}

TEST_F(SdlBehaviourTest, WithoutAWindowManagerADropDownLeavesItsFormActive) {
  ExpectTheDropDownLeavesItsFormActive();
}

TEST_F(SdlBehaviourTest, WithoutAWindowManagerTheKeyboardComesBackAfterAMessageBox) {
  ExpectTheKeyboardToComeBackAfterAMessageBox();
}

// The same under openbox, started before the display so SDL sees a window manager.
class SdlUnderOpenboxTest : public SdlBehaviourTest {
protected:
  void SetUp() override {
    ASSERT_TRUE(Server->Running()) << Server->Failure();
    windowManager_ = fork();
    if (windowManager_ == 0) {
      execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
      _exit(127);
    }
    ASSERT_TRUE(WindowManagerRunning()) << "openbox did not start: ./lum test installs it";
    SdlBehaviourTest::SetUp();
  }
  void TearDown() override {
    SdlBehaviourTest::TearDown();
    if (windowManager_ > 0) {
      kill(windowManager_, SIGTERM);
      waitpid(windowManager_, nullptr, 0);
    }
  }

private:
  // Whether a window manager has announced itself on the root window within 5 s.
  static bool WindowManagerRunning() {
    for (int i = 0; i < 50; ++i) {
      try {
        if (RunOnDisplay("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") !=
            std::string::npos)
          return true;
      } catch (const std::exception&) {
      }
      usleep(100000);
    }
    return false;
  }

  pid_t windowManager_ = -1;
};

TEST_F(SdlUnderOpenboxTest, ADropDownLeavesItsFormActive) {
  ExpectTheDropDownLeavesItsFormActive();
}

TEST_F(SdlUnderOpenboxTest, TheKeyboardComesBackAfterAMessageBox) {
  ExpectTheKeyboardToComeBackAfterAMessageBox();
}

// Where the X server has the window: xdotool's "X,Y" of its position.
std::string XPositionOf(const std::string& Window) {
  const std::string shell = RunOnDisplay("xdotool getwindowgeometry --shell " + Window);
  const auto field = [&](const std::string& Name) {
    const auto at = shell.find(Name + "=") + Name.size() + 1;
    return shell.substr(at, shell.find('\n', at) - at);
  };
  return field("X") + "," + field("Y");
}

TEST_F(SdlBehaviourTest, TheCaptionDragsTheRealWindowAndTheDrawnCloseButtonClosesIt) {
  MakeForm("Sdl Frame Drag");
  const std::string window = Show();
  ASSERT_EQ(XPositionOf(window), "40,40");
  RunOnDisplay("xdotool mousemove 150 50 mousedown 1 mousemove 180 70 mousemove 210 90 mouseup 1");
  EXPECT_TRUE(PumpUntil([&] { return Form->Left() == 100 && Form->Top() == 80; }))
      << Form->Left() << "," << Form->Top();
  PumpFor(100);
  EXPECT_EQ(XPositionOf(window), "100,80") << "the X window moved with the form";
  bool closed = false;
  Form->SetOnClose([&](TObject*, TCloseAction&) { closed = true; });
  ClickAt(TPoint{Form->Left() + Form->Width() - 14, Form->Top() + 12});
  EXPECT_TRUE(PumpUntil([&] { return closed && !Form->Visible(); }));
}

TEST_F(SdlBehaviourTest, TheCaretBlinksInTheRealWindow) {
  MakeForm("Sdl Caret Blink");
  auto* edit = Add<TEdit>(Form, Bounds(16, 16, 160, 22));
  const std::string window = Show();
  edit->SetFocus();
  const TRect field = Bounds(18, 18, 156, 18);
  std::set<std::set<std::uint32_t>> looks;
  for (int shot = 0; shot < 8; ++shot) {
    PumpFor(150);
    looks.insert(ColoursIn(window, field));
  }
  EXPECT_EQ(looks.size(), 2u) << "the caret shows and hides: two looks of the field";
}

TEST_F(SdlBehaviourTest, AClickOnASpinArrowFocusesItsEdit) {
  MakeForm("Sdl Spin Focus");
  auto* other = Add<TEdit>(Form, Bounds(16, 16, 120, 22));
  auto* spin = Add<TSpinEdit>(Form, Bounds(16, 60, 80, 22));
  Show();
  other->SetFocus();
  ClickAt(spin->ClientToScreen({spin->ClientWidth() - 6, 4}));
  ASSERT_TRUE(PumpUntil([&] { return spin->Value() == 1; }));
  EXPECT_TRUE(spin->Focused()) << "the next arrow key moves this edit";
}

} // namespace
