#include "demo/GalleryForm.h"
#include "demo/GalleryOptions.h"
#include "demo/GalleryPages.h"
#include "demo/GalleryRender.h"
#include "framework/controls/Application.h"
#include "framework/platform/headless/ScriptedUser.h"
#include "framework/win32/gdi/PngCodec.h"

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

TEST(GalleryOptions, PageFilesAreLowerCaseWithDashes) {
  EXPECT_EQ(PageFileName("Standard controls"), "standard-controls.png");
  EXPECT_EQ(PageFileName("  Grids & calendar! "), "grids-calendar.png");
  EXPECT_EQ(PageFileName("../.."), "page.png") << "no path can be made of a page name";
  std::set<String> files;
  for (const TGalleryPageInfo& page : GalleryPages()) files.insert(PageFileName(page.Name));
  EXPECT_EQ(files.size(), GalleryPages().size()) << "two pages would write one file";
}

TEST(GalleryRendering, EveryPageBecomesAPictureOfTheForm) {
  const std::filesystem::path dir = std::filesystem::path(LUM_BUILD_DIR) / "out" / "gallery_test";
  std::filesystem::remove_all(dir);
  const std::vector<String> written = RenderGalleryPages(dir.string(), "");
  ASSERT_EQ(written.size(), GalleryPages().size());
  for (std::size_t i = 0; i < written.size(); ++i) {
    EXPECT_EQ(std::filesystem::path(written[i]).filename(), PageFileName(GalleryPages()[i].Name));
    const TRaster picture = ReadPngFile(written[i]);
    EXPECT_EQ(picture.Width, 560);
    EXPECT_EQ(picture.Height, 340);
    std::set<std::uint32_t> colours;
    for (int y = 0; y < picture.Height; y += 3)
      for (int x = 0; x < picture.Width; x += 3) colours.insert(picture.At(x, y));
    EXPECT_GT(colours.size(), 8u) << written[i] << " shows little more than a background";
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
    TGalleryPage* page = Form->Page(Page);
    for (int i = 0; i < page->ControlCount(); ++i)
      if (auto* button = dynamic_cast<TButton*>(page->Controls(i));
          button && button->Caption() == Caption)
        return button;
    return nullptr;
  }
};

TEST_F(GalleryFormTest, TheSwitcherShowsOnePageAtATime) {
  ASSERT_EQ(Form->PageCount(), static_cast<int>(GalleryPages().size()));
  for (int i = Form->PageCount() - 1; i >= 0; --i) {
    User.Click(Form->PageButton(i));
    EXPECT_EQ(Form->ActivePageIndex(), i);
    for (int j = 0; j < Form->PageCount(); ++j)
      EXPECT_EQ(Form->Page(j)->Visible(), i == j) << "page " << j << " with page " << i << " on";
    EXPECT_EQ(Form->Caption(),
              "LumTools gallery - " + GalleryPages()[static_cast<std::size_t>(i)].Name);
  }
  EXPECT_EQ(Form->PageIndexOf("Standard controls"), 0);
  EXPECT_EQ(Form->PageIndexOf("standard controls"), -1);
  EXPECT_THROW(Form->ShowPage(Form->PageCount()), EListError);
  EXPECT_EQ(Form->ActivePageIndex(), 0) << "a bad index changes nothing";
}

TEST_F(GalleryFormTest, TheMessageBoxButtonOpensAMessageBox) {
  TButton* button = ButtonOnPage(Form->PageIndexOf("Standard controls"), "&Message box");
  ASSERT_NE(button, nullptr);
  User.Click(button);
  ASSERT_EQ(User.Messages().size(), 1u);
  EXPECT_EQ(User.Messages()[0].Text, "This is a message box of the framework.");
  EXPECT_EQ(User.Messages()[0].Buttons, std::vector<String>{"OK"});
}

} // namespace
