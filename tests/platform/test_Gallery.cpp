#include "demo/GalleryForm.h"
#include "demo/GalleryOptions.h"
#include "demo/GalleryPages.h"
#include "demo/GalleryRender.h"
#include "framework/controls/Application.h"
#include "framework/controls/ColorDialogForm.h"
#include "framework/controls/Labels.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/StdCtrls.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "framework/win32/gdi/PngCodec.h"
#include "tests/TestPaths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

TGalleryOptions GalleryOptionsOf(std::vector<String> Args) { return ParseGalleryOptions(Args); }

String GalleryOptionError(std::vector<String> Args) {
  try {
    ParseGalleryOptions(Args);
  } catch (const EGalleryOptionError& e) {
    return e.Message();
  }
  return "no error";
}

TEST(GalleryOptions, ReadTheOptionsAndNameWhatIsWrong) {
  const TGalleryOptions options =
      GalleryOptionsOf({"--png", "pictures", "--page", GalleryPages()[0].Name});
  EXPECT_EQ(options.PngDir, "pictures");
  EXPECT_EQ(options.Page, GalleryPages()[0].Name);
  EXPECT_FALSE(options.Help);
  EXPECT_TRUE(GalleryOptionsOf({"--help"}).Help);
  EXPECT_FALSE(GalleryOptionsOf({}).PngDir.has_value());

  EXPECT_EQ(GalleryOptionError({"--png"}), "The option --png needs a value");
  EXPECT_EQ(GalleryOptionError({"--page", ""}), "The option --page needs a value");
  EXPECT_EQ(GalleryOptionError({"--colour"}),
            "Unknown option \"--colour\" (--help lists the options)");
  EXPECT_NE(GalleryOptionError({"--page", "Nowhere"}).find("\"Standard controls\""), String::npos);
  EXPECT_NE(GalleryOptionError({"--startup-time", "--png", "x"}), "no error");
}

TEST(GalleryOptions, APageIsNamedInAnyLetterCaseOrByItsFileName) {
  EXPECT_EQ(GalleryOptionsOf({"--page", "value ENTRY"}).Page, "Value entry");
  EXPECT_EQ(GalleryOptionsOf({"--page", "value-entry"}).Page, "Value entry");
  EXPECT_EQ(GalleryOptionsOf({"--page", "standard-controls.png"}).Page, "Standard controls");
  EXPECT_NE(GalleryOptionError({"--page", "value-"}), "no error");
}

TEST(GalleryOptions, PageFilesAreLowerCaseWithDashes) {
  EXPECT_EQ(PageFileName("Standard controls"), "standard-controls.png");
  EXPECT_EQ(PageFileName("  Grids & calendar! "), "grids-calendar.png");
  EXPECT_EQ(PageFileName("../.."), "page.png") << "no path can be made of a page name";
  std::set<String> files;
  for (const TGalleryPageInfo& page : GalleryPages()) files.insert(PageFileName(page.Name));
  EXPECT_EQ(files.size(), GalleryPages().size()) << "two pages would write one file";
}

// Every page becomes a picture of the form with its own tab selected: the selected tab stands
// two pixels above the others, its highlight line along the page control's top row.
TEST(GalleryRendering, EveryPageBecomesAPictureOfTheFormWithItsOwnTabSelected) {
  const std::filesystem::path dir = std::filesystem::path(LUM_BUILD_DIR) / "out" / "gallery_test";
  std::filesystem::remove_all(dir);
  const std::vector<String> written = RenderGalleryPages(dir.string(), "");
  TScriptedUser user;
  auto* form = CreateForm<TGalleryForm>(Application());
  form->Show();
  RECT window{};
  GetWindowRect(form->Handle(), &window);
  const TPoint origin = form->Tabs()->ClientToScreen({0, 0});
  std::vector<int> tabCentres;
  for (int i = 0; i < form->PageCount(); ++i) {
    const TRect tab = form->Tabs()->TabRect(i);
    tabCentres.push_back(origin.X - window.Left + (tab.Left + tab.Right) / 2);
  }
  const int top = origin.Y - window.Top;
  form->Free();
  constexpr std::uint32_t highlight = 0xFFFFFF; // clBtnHighlight; the raster holds RGB
  ASSERT_EQ(written.size(), GalleryPages().size());
  ASSERT_EQ(written.size(), tabCentres.size());
  for (std::size_t shown = 0; shown < written.size(); ++shown) {
    SCOPED_TRACE(written[shown]);
    EXPECT_EQ(std::filesystem::path(written[shown]).filename(),
              PageFileName(GalleryPages()[shown].Name));
    const TRaster picture = ReadPngFile(written[shown]);
    EXPECT_EQ(picture.Width, 800);
    EXPECT_EQ(picture.Height, 340);
    std::set<std::uint32_t> colours;
    for (int y = 0; y < picture.Height; y += 3)
      for (int x = 0; x < picture.Width; x += 3) colours.insert(picture.At(x, y));
    EXPECT_GT(colours.size(), 8u) << "little more than a background";
    for (std::size_t tab = 0; tab < tabCentres.size(); ++tab)
      EXPECT_EQ((picture.At(tabCentres[tab], top) & 0xFFFFFF) == highlight, tab == shown)
          << "tab " << tab;
  }
  EXPECT_EQ(RenderGalleryPages(dir.string(), GalleryPages()[0].Name).size(), 1u);
}

class GalleryFormTest : public ::testing::Test {
protected:
  TScriptedUser User;
  TGalleryForm* Form = nullptr;

  void SetUp() override {
    Form = CreateForm<TGalleryForm>(Application());
    Form->Show();
  }
  void TearDown() override { Form->Free(); }

  TButton* ButtonOnPage(int Page, const String& Caption) {
    TTabSheet* page = Form->Page(Page);
    for (int i = 0; i < page->ControlCount(); ++i)
      if (auto* button = dynamic_cast<TButton*>(page->Controls(i));
          button && button->Caption() == Caption)
        return button;
    return nullptr;
  }
  void ClickTab(int Index) {
    const TRect tab = Form->Tabs()->TabRect(Index);
    User.Click(Form->Tabs(), {(tab.Left + tab.Right) / 2, (tab.Top + tab.Bottom) / 2});
  }
  void ExpectShowing(int Index) {
    EXPECT_EQ(Form->ActivePageIndex(), Index);
    for (int j = 0; j < Form->PageCount(); ++j)
      EXPECT_EQ(Form->Page(j)->Visible(), Index == j) << "page " << j << " with page " << Index;
    EXPECT_EQ(Form->Caption(),
              "LumTools gallery - " + GalleryPages()[static_cast<std::size_t>(Index)].Name);
  }
};

TEST_F(GalleryFormTest, OneTabPerPageInTheTableOrder) {
  ASSERT_EQ(Form->PageCount(), static_cast<int>(GalleryPages().size()));
  for (int i = 0; i < Form->PageCount(); ++i) {
    EXPECT_EQ(Form->Page(i)->Caption(), GalleryPages()[static_cast<std::size_t>(i)].Name);
    EXPECT_GT(Form->Page(i)->ControlCount(), 0) << "the table's filler put nothing on page " << i;
  }
  EXPECT_EQ(Form->Tabs()->BoundsRect(), Form->ClientRect());
  ExpectShowing(0);
}

TEST_F(GalleryFormTest, TabsSwitchPagesByClickAndByCtrlTab) {
  for (int i = Form->PageCount() - 1; i >= 0; --i) {
    ClickTab(i);
    ExpectShowing(i);
  }
  User.PressKey(VK_TAB, TShiftState{ssCtrl});
  ExpectShowing(Form->PageCount() > 1 ? 1 : 0);
  User.PressKey(VK_TAB, TShiftState{ssCtrl, ssShift});
  ExpectShowing(0);
  EXPECT_EQ(Form->PageIndexOf("Standard controls"), 0);
  EXPECT_EQ(Form->PageIndexOf("standard controls"), -1);
  EXPECT_THROW(Form->ShowPage(Form->PageCount()), EListError);
  EXPECT_THROW(Form->ShowPage(-1), EListError);
  ExpectShowing(0);
}

// No push button takes the focus when the gallery opens, so the Default button shows its
// black frame; a click on another button takes it over.
TEST_F(GalleryFormTest, TheDefaultButtonIsFramedUntilAnotherButtonIsFocused) {
  const int page = Form->PageIndexOf("Standard controls");
  TButton* ok = ButtonOnPage(page, "&Default");
  TButton* other = ButtonOnPage(page, "&Button");
  ASSERT_NE(ok, nullptr);
  ASSERT_NE(other, nullptr);
  const auto corner = [this](TControl* Control) {
    RECT window{};
    GetWindowRect(Form->Handle(), &window);
    const TPoint at = Control->ClientToScreen({0, 0});
    return User.Snapshot(Form)->Canvas()->Pixels(at.X - window.Left, at.Y - window.Top);
  };
  const auto black = static_cast<TColor>(ColorToRGB(clWindowFrame));
  EXPECT_EQ(corner(ok), black);
  User.Click(other);
  EXPECT_NE(corner(ok), black);
  EXPECT_EQ(corner(other), black);
  ClickTab(page);
  EXPECT_EQ(corner(ok), black) << "the focus went to the tabs";
}

TEST_F(GalleryFormTest, TheMessageBoxButtonOpensAMessageBox) {
  TButton* button = ButtonOnPage(Form->PageIndexOf("Standard controls"), "&Message box");
  ASSERT_NE(button, nullptr);
  User.Click(button);
  ASSERT_EQ(User.Messages().size(), 1u);
  EXPECT_EQ(User.Messages()[0].Text, "This is a message box of the framework.");
  EXPECT_EQ(User.Messages()[0].Buttons, std::vector<String>{"OK"});
}

TEST_F(GalleryFormTest, TheDialogsPageShowsTheColourChosenInTheColourDialog) {
  const int page = Form->PageIndexOf("Dialogs");
  ClickTab(page);
  TButton* button = ButtonOnPage(page, "&Color...");
  ASSERT_NE(button, nullptr);
  User.WhenModal([&](TCustomForm* dialog) {
    auto* swatches = dynamic_cast<TPaintBox*>(dialog->FindComponent("BasicSwatches"));
    ASSERT_NE(swatches, nullptr);
    const TRect red = SwatchRect(8);
    User.Click(swatches, {red.Left + 10, red.Top + 10});
    User.Enter();
  });
  User.Click(button);
  bool reported = false;
  for (int i = 0; i < Form->Page(page)->ControlCount(); ++i)
    if (auto* label = dynamic_cast<TLabel*>(Form->Page(page)->Controls(i)))
      reported = reported || label->Caption() == "Colour $0000FF";
  EXPECT_TRUE(reported);
}

} // namespace
