#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"

#include "framework/controls/Buttons.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Image.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Shapes.h"

using namespace controltest;

namespace {

class PageControlTest : public ControlTest {
protected:
  TForm* Form = nullptr;
  TPageControl* Pages = nullptr;
  TTabSheet* Sheets[3] = {};
  TSwatch* Contents[3] = {};
  std::vector<String> Log;

  void SetUp() override {
    Form = NewForm(360, 260);
    Pages = Place(Form, new TPageControl(Form), Bounds(10, 10, 300, 200));
    const TColor fills[] = {clRed, clLime, clBlue};
    const char* captions[] = {"First", "Second", "Third"};
    for (int i = 0; i < 3; ++i) {
      Sheets[i] = new TTabSheet(Form);
      Sheets[i]->SetPageControl(Pages);
      Sheets[i]->SetCaption(captions[i]);
      Contents[i] = Place(Sheets[i], new TSwatch(Form, fills[i]), 20, 20);
    }
    Pages->SetOnChanging([this](TObject*, bool&) { Log.push_back("changing"); });
    Pages->SetOnChange(
        [this](TObject*) { Log.push_back("change to " + Pages->ActivePage()->Caption()); });
    Form->Show();
  }
  void ClickTab(int Index) {
    const TRect r = Pages->TabRect(Index);
    User.Click(Pages, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  }
  TColor ContentPixel() {
    return PixelAt(Form, Pages, {Pages->DisplayRect().Left + 25, Pages->DisplayRect().Top + 25});
  }
};

TEST_F(PageControlTest, TheFocusMarkGoesWhenTheFocusMovesOntoAPage) {
  auto* edit = Place(Sheets[0], new TEdit(Form), 20, 80);
  edit->SetFocus();
  const TRaster unfocused = User.Snapshot(Form)->ToRaster();
  Pages->SetFocus();
  EXPECT_NE(User.Snapshot(Form)->ToRaster().Pixels, unfocused.Pixels) << "the tab shows its mark";
  edit->SetFocus();
  EXPECT_EQ(User.Snapshot(Form)->ToRaster().Pixels, unfocused.Pixels) << "the mark stayed";
}

TEST_F(PageControlTest, OnlyTheActiveSheetShowsInsideTheDisplayArea) {
  EXPECT_EQ(Pages->PageCount(), 3);
  EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
  EXPECT_EQ(Pages->ActivePageIndex(), 0);
  EXPECT_TRUE(Sheets[0]->Visible());
  EXPECT_FALSE(Sheets[1]->Visible());
  const TRect display = Pages->DisplayRect();
  EXPECT_EQ(Sheets[0]->BoundsRect(), display);
  EXPECT_GT(display.Top, Pages->TabRect(0).Bottom);
  EXPECT_EQ(ContentPixel(), ColorToRGB(clRed));

  // Set in code: no events.
  Pages->SetActivePageIndex(2);
  EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
  EXPECT_FALSE(Sheets[0]->Visible());
  EXPECT_EQ(Sheets[2]->BoundsRect(), display);
  EXPECT_EQ(ContentPixel(), ColorToRGB(clBlue));
  EXPECT_TRUE(Log.empty());
  Pages->SetActivePageIndex(7);
  EXPECT_EQ(Pages->ActivePage(), nullptr);
  EXPECT_THROW(Pages->Pages(3), EListError);
}

TEST_F(PageControlTest, ClickOnATabSwitchesPages) {
  ClickTab(1);
  EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
  EXPECT_EQ(ContentPixel(), ColorToRGB(clLime));
  EXPECT_EQ(Log, (std::vector<String>{"changing", "change to Second"}));
  EXPECT_TRUE(Pages->Focused());
  ClickTab(1); // already active
  EXPECT_EQ(Log.size(), 2u);
  // A click on the display area changes nothing.
  User.Click(Pages, {Pages->DisplayRect().Left + 5, Pages->DisplayRect().Bottom - 2});
  EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
}

TEST_F(PageControlTest, CtrlTabAndArrowsSwitchPagesAndSkipHiddenTabs) {
  Contents[0]->SetFocus();
  User.PressKey(VK_TAB, {ssCtrl});
  EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
  EXPECT_EQ(ContentPixel(), ColorToRGB(clLime));
  EXPECT_TRUE(Pages->Focused()) << "the focus left the hidden page";
  User.PressKey(VK_TAB, {ssCtrl});
  User.PressKey(VK_TAB, {ssCtrl}); // wraps around
  EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
  User.PressKey(VK_TAB, {ssCtrl, ssShift});
  EXPECT_EQ(Pages->ActivePage(), Sheets[2]);

  User.PressKey(VK_LEFT);
  EXPECT_EQ(Pages->ActivePage(), Sheets[1]);
  User.PressKey(VK_RIGHT);
  User.PressKey(VK_RIGHT); // the last tab stays
  EXPECT_EQ(Pages->ActivePage(), Sheets[2]);

  Sheets[1]->SetTabVisible(false);
  EXPECT_EQ(Sheets[1]->TabIndex(), -1);
  EXPECT_EQ(Sheets[2]->TabIndex(), 1);
  User.PressKey(VK_TAB, {ssCtrl, ssShift});
  EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
  User.PressKey(VK_TAB, {ssCtrl});
  EXPECT_EQ(Pages->ActivePage(), Sheets[2]);

  // A plain Tab still moves the focus.
  User.Tab();
  EXPECT_FALSE(Pages->Focused());
}

TEST_F(PageControlTest, OnChangingCanRefuse) {
  bool allow = false;
  Pages->SetOnChanging([&](TObject*, bool& AllowChange) { AllowChange = allow; });
  ClickTab(2);
  User.PressKey(VK_TAB, {ssCtrl});
  EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
  EXPECT_EQ(ContentPixel(), ColorToRGB(clRed));
  EXPECT_TRUE(Log.empty());
  allow = true;
  ClickTab(2);
  EXPECT_EQ(Pages->ActivePage(), Sheets[2]);
  EXPECT_EQ(Log, (std::vector<String>{"change to Third"}));
}

TEST_F(PageControlTest, PagesMoveAndGo) {
  Sheets[2]->SetPageIndex(0);
  EXPECT_EQ(Pages->Pages(0), Sheets[2]);
  EXPECT_EQ(Sheets[0]->PageIndex(), 1);
  EXPECT_THROW(Sheets[0]->SetPageIndex(3), EListError);
  EXPECT_EQ(Sheets[0]->PageIndex(), 1);
  // Tabs follow the order: the first tab is now Third's.
  ClickTab(0);
  EXPECT_EQ(Pages->ActivePage(), Sheets[2]);

  Sheets[2]->Free(); // the active page goes: the next one shows
  EXPECT_EQ(Pages->PageCount(), 2);
  EXPECT_EQ(Pages->ActivePage(), Sheets[0]);
  EXPECT_TRUE(Sheets[0]->Visible());
  Sheets[1]->SetPageControl(nullptr);
  EXPECT_EQ(Pages->PageCount(), 1);
  EXPECT_EQ(Sheets[1]->PageControl(), nullptr);
  Sheets[1]->Free();
}

TEST_F(PageControlTest, OneFormWithEveryControl) {
  Pages->SetBounds(10, 10, 330, 160);
  Form->SetBounds(50, 50, 520, 330);
  Form->SetCaption("Buttons, graphics and pages");
  const TBitBtnKind kinds[] = {bkOK,    bkCancel, bkHelp,  bkYes,    bkNo,
                               bkClose, bkAbort,  bkRetry, bkIgnore, bkAll};
  for (int i = 0; i < 10; ++i)
    Place(Form, new TBitBtn(Form), 10 + 80 * (i % 5), 180 + 32 * (i / 5))->SetKind(kinds[i]);
  auto* disabled = Place(Form, new TBitBtn(Form), 10, 244);
  disabled->SetKind(bkOK);
  disabled->SetCaption("Disabled");
  disabled->SetEnabled(false);
  auto* top = Place(Form, new TBitBtn(Form), 90, 244);
  top->SetKind(bkRetry);
  top->SetLayout(blGlyphTop);
  top->SetHeight(44);
  for (int i = 0; i < 3; ++i) {
    auto* s = Titled(Place(Form, new TSpeedButton(Form), 180 + 24 * i, 244),
                     String(1, static_cast<char>('A' + i)));
    s->SetGroupIndex(1);
    s->SetDown(i == 1);
  }
  auto* flat = Titled(Place(Form, new TSpeedButton(Form), Bounds(260, 244, 40, 22)), "Flat");
  flat->SetFlat(true);
  const TShapeType shapes[] = {stRectangle,   stSquare,  stRoundRect,
                               stRoundSquare, stEllipse, stCircle};
  for (int i = 0; i < 6; ++i) {
    auto* s = Place(Form, new TShape(Form), Bounds(350 + 55 * (i % 2), 10 + 50 * (i / 2), 50, 40));
    s->SetShape(shapes[i]);
    s->Brush()->SetColor(i % 2 ? clAqua : clYellow);
  }
  auto* image = Place(Sheets[0], new TImage(Form), Bounds(80, 20, 100, 60));
  image->SetStretch(true);
  image->SetProportional(true);
  image->Canvas()->Brush()->SetColor(clWhite);
  image->Canvas()->FillRect(Rect(0, 0, 100, 60));
  image->Canvas()->Ellipse(10, 10, 90, 50);
  auto* box = Place(Sheets[0], new TPaintBox(Form), Bounds(200, 20, 90, 60));
  box->SetOnPaint([box](TObject*) {
    TCanvas* c = box->Canvas();
    c->Brush()->SetColor(clNavy);
    c->FillRect(Rect(0, 0, 90, 60));
    c->Font()->SetColor(clWhite);
    c->TextOut(8, 20, "Paint box");
  });
  User.SaveSnapshot(Form, SheetPath("buttons_graphics_pages.png"));
  EXPECT_EQ(PixelAt(Form, box, {1, 1}), ColorToRGB(clNavy));
}

} // namespace
