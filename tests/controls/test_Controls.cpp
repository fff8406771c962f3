#include "tests/SheetPath.h"
#include "tests/controls/ControlTestSupport.h"

#include "framework/controls/Timer.h"

using namespace controltest;

namespace {

// Windowless controls paint over their parent and under windowed siblings. One repainted:
// the windowless ones it overlaps paint again over it in their order, windowed siblings stay
// on top, and controls away from it are left alone.
TEST_F(ControlTest, WindowlessControlsPaintUnderWindowedOnesAndRepaintOnlyWhatOverlaps) {
  TForm* form = NewForm();
  auto* under = Place(form, new TPatch(form, clBlue), 20, 20);
  auto* over = Place(form, new TPatch(form, clLime), 40, 30); // covers under's lower right
  Place(form, new TSwatch(form, clRed), 0, 35);               // windowed, over under's left
  auto* away = Place(form, new TPatch(form, clYellow), 200, 100);
  form->Show();
  User.ProcessMessages();
  EXPECT_EQ(PixelAt(form, under, {5, 18}), clRed);
  EXPECT_EQ(PixelAt(form, under, {25, 15}), clLime);
  EXPECT_EQ(PixelAt(form, form, {150, 150}), ColorToRGB(clBtnFace));
  User.SaveSnapshot(form, SheetPath("controls_layers.png"));
  const int overPaints = over->Paints, awayPaints = away->Paints;
  under->Repaint();
  EXPECT_EQ(over->Paints, overPaints + 1);
  EXPECT_EQ(away->Paints, awayPaints);
  EXPECT_EQ(PixelAt(form, under, {5, 5}), clBlue);
  EXPECT_EQ(PixelAt(form, under, {25, 15}), clLime);
  EXPECT_EQ(PixelAt(form, under, {5, 18}), clRed);
  EXPECT_EQ(PixelAt(form, away, {5, 5}), clYellow);
}

TEST_F(ControlTest, ClicksReachTheControlUnderThePointWindowedOrNot) {
  TForm* form = NewForm();
  auto* swatch = Place(form, new TSwatch(form), 10, 10);
  auto* patch = Place(form, new TPatch(form), 100, 10);
  int formClicks = 0;
  form->SetOnClick([&](TObject*) { ++formClicks; });
  form->Show();
  swatch->Log.clear(); // it took the focus as the form showed

  User.Click(swatch, {7, 8});
  EXPECT_EQ(swatch->Log, (std::vector<String>{"down 7,8", "click"}));
  User.Click(patch, {3, 4});
  EXPECT_EQ(patch->Clicks, 1);
  EXPECT_EQ(patch->LastDown, (TPoint{3, 4}));
  User.Click(form, {250, 150});
  EXPECT_EQ(formClicks, 1);

  // Pressed on the patch and released elsewhere: the patch keeps the mouse but sees no click.
  User.Press(patch, {3, 4});
  User.Release(form, {250, 150});
  EXPECT_EQ(patch->Clicks, 1);
  EXPECT_EQ(formClicks, 1);

  // A disabled windowless control lets the click through to its parent.
  patch->SetEnabled(false);
  User.Advance(GetDoubleClickTime() + 1);
  User.Click(patch, {3, 4});
  EXPECT_EQ(patch->Clicks, 1);
  EXPECT_EQ(formClicks, 2);
}

TEST_F(ControlTest, AlignLaysOutSidesThenClientAndFollowsResizes) {
  TForm* form = NewForm(400, 300);
  form->Show();
  const int cw = form->ClientWidth(), ch = form->ClientHeight();
  auto* top = Place(form, new TSwatch(form), 0, 0);
  top->SetHeight(30);
  top->SetAlign(alTop);
  auto* bottom = Place(form, new TSwatch(form), 0, 0);
  bottom->SetHeight(20);
  bottom->SetAlign(alBottom);
  auto* left = Place(form, new TPatch(form), 0, 0);
  left->SetWidth(50);
  left->SetAlign(alLeft);
  auto* client = Place(form, new TSwatch(form), 0, 0);
  client->SetAlign(alClient);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, cw, 30));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, ch - 20, cw, ch));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 50, ch - 20));
  EXPECT_EQ(client->BoundsRect(), Rect(50, 30, cw, ch - 20));

  // Two controls on one side keep their order by position; a border narrows the room.
  auto* second = Place(form, new TSwatch(form), 0, 100);
  second->SetHeight(10);
  second->SetAlign(alTop);
  EXPECT_EQ(second->Top(), 30);
  form->SetBorderWidth(5);
  EXPECT_EQ(top->BoundsRect(), Rect(5, 5, cw - 5, 35));

  form->SetWidth(form->Width() + 100);
  EXPECT_EQ(client->Width(), cw + 100 - 5 - 50 - 5);
  top->SetVisible(false);
  EXPECT_EQ(second->Top(), 5);
}

TEST_F(ControlTest, RecreateWndKeepsTextBoundsChildrenAndFocus) {
  TForm* form = NewForm();
  auto* host = Place(form, new TSwatch(form), Bounds(10, 10, 120, 80));
  auto* inner = Place(host, new TSwatch(form, clLime), 5, 5);
  host->SetText("caption kept");
  form->Show();
  host->SetFocus();
  const HWND before = host->Handle();
  ASSERT_EQ(GetFocus(), before);

  host->RecreateWnd();
  EXPECT_NE(host->Handle(), before);
  EXPECT_FALSE(IsWindow(before));
  EXPECT_EQ(host->GetText(), "caption kept");
  EXPECT_EQ(host->BoundsRect(), Rect(10, 10, 130, 90));
  EXPECT_TRUE(inner->HandleAllocated());
  EXPECT_EQ(GetParent(inner->Handle()), host->Handle());
  EXPECT_EQ(GetFocus(), host->Handle());
  EXPECT_EQ(PixelAt(form, inner, {2, 2}), clLime);
}

TEST_F(ControlTest, AReplacedWindowProcSeesEveryMessageFirst) {
  TForm* form = NewForm();
  auto* swatch = Place(form, new TSwatch(form), 10, 10);
  std::vector<UINT> seen;
  std::size_t logBeforeClick = 0;
  const TWndMethod original = swatch->WindowProc;
  swatch->WindowProc = [&](TMessage& M) {
    seen.push_back(M.Msg);
    if (M.Msg == WM_LBUTTONUP) logBeforeClick = swatch->Log.size();
    original(M);
  };
  form->Show();
  swatch->Log.clear();
  User.Click(swatch, {1, 1});
  const auto saw = [&](UINT msg) { return std::count(seen.begin(), seen.end(), msg) > 0; };
  EXPECT_TRUE(saw(WM_PAINT));
  EXPECT_TRUE(saw(WM_LBUTTONDOWN));
  EXPECT_TRUE(saw(WM_LBUTTONUP));
  EXPECT_EQ(logBeforeClick, 1u); // the button-up came here before the control clicked
  swatch->Perform(CM_TEXTCHANGED);
  EXPECT_EQ(seen.back(), CM_TEXTCHANGED);

  // A message can be eaten on the way.
  swatch->WindowProc = [original](TMessage& M) {
    if (M.Msg != WM_LBUTTONDOWN) original(M);
  };
  User.Advance(GetDoubleClickTime() + 1);
  User.Click(swatch, {2, 2});
  EXPECT_EQ(swatch->Log.back(), "click");
  EXPECT_EQ(std::count(swatch->Log.begin(), swatch->Log.end(), "down 2,2"), 0);
  swatch->WindowProc = original;
}

TEST_F(ControlTest, TimersFireOnTheVirtualClockInOrder) {
  TForm* form = NewForm();
  std::vector<String> ticks;
  auto* fast = new TTimer(form);
  fast->SetInterval(100);
  fast->SetOnTimer([&](TObject*) { ticks.push_back("fast"); });
  auto* slow = new TTimer(form);
  slow->SetInterval(250);
  slow->SetOnTimer([&](TObject*) { ticks.push_back("slow"); });
  User.Advance(99);
  EXPECT_TRUE(ticks.empty());
  User.Advance(201);
  EXPECT_EQ(ticks, (std::vector<String>{"fast", "fast", "slow", "fast"}));
  fast->SetEnabled(false);
  ticks.clear();
  User.Advance(300);
  EXPECT_EQ(ticks, (std::vector<String>{"slow"}));
}

TEST_F(ControlTest, TabMovesFocusInTabOrderAndEntersAndExitsOnce) {
  TForm* form = NewForm();
  auto* a = Place(form, new TSwatch(form), 10, 10);
  auto* b = Place(form, new TSwatch(form), 60, 10);
  auto* c = Place(form, new TSwatch(form), 110, 10);
  auto* skipped = Place(form, new TSwatch(form), 160, 10);
  a->SetName("A"), b->SetName("B"), c->SetName("C");
  skipped->SetTabStop(false);
  c->SetTabOrder(0); // order: C, A, B, skipped
  form->Show();
  EXPECT_EQ(form->ActiveControl(), c);
  EXPECT_EQ(GetFocus(), c->Handle());
  EXPECT_EQ(c->Log, (std::vector<String>{"enter C"}));

  User.Tab();
  EXPECT_TRUE(a->Focused());
  User.Tab();
  EXPECT_TRUE(b->Focused());
  User.Tab(); // past the one without a tab stop, round to the first
  EXPECT_TRUE(c->Focused());
  User.Tab(true);
  EXPECT_TRUE(b->Focused());
  EXPECT_EQ(a->Log, (std::vector<String>{"enter A", "exit A"}));
  EXPECT_EQ(c->Log, (std::vector<String>{"enter C", "exit C", "enter C", "exit C"}));

  a->SetEnabled(false);
  User.Tab();
  EXPECT_TRUE(c->Focused());
  User.Tab();
  EXPECT_TRUE(b->Focused());
}

TEST_F(ControlTest, AHandlerThatMovesTheFocusOnExitKeepsIt) {
  TForm* form = NewForm();
  auto* stubborn = Place(form, new TSwatch(form), 10, 10);
  auto* other = Place(form, new TSwatch(form), 60, 10);
  stubborn->SetName("Stubborn"), other->SetName("Other");
  bool refuse = true;
  stubborn->SetOnExit([&](TObject*) {
    if (refuse) stubborn->SetFocus();
  });
  form->Show();
  ASSERT_TRUE(stubborn->Focused());
  User.Tab();
  EXPECT_TRUE(stubborn->Focused());
  EXPECT_EQ(form->ActiveControl(), stubborn);
  EXPECT_TRUE(other->Log.empty());
  refuse = false;
  User.Tab();
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(other->Log, (std::vector<String>{"enter Other"}));
}

TEST_F(ControlTest, ParentFontAndColourFlowDownUntilAChildSetsItsOwn) {
  TForm* form = NewForm();
  auto* follower = Place(form, new TSwatch(form), 10, 10);
  auto* own = Place(form, new TSwatch(form), 60, 10);
  own->Font()->SetName("Courier New");
  own->SetColor(clYellow);
  form->Font()->SetHeight(-20);
  form->SetColor(clAqua);
  EXPECT_EQ(follower->Font()->Height(), -20);
  EXPECT_EQ(follower->Color(), clAqua);
  EXPECT_TRUE(follower->ParentFont());
  EXPECT_NE(own->Font()->Height(), -20);
  EXPECT_EQ(own->Color(), clYellow);
  own->SetParentColor(true);
  EXPECT_EQ(own->Color(), clAqua);
}

TEST_F(ControlTest, TheControlUnderTheMouseHearsEnterAndLeave) {
  TForm* form = NewForm();
  auto* patch = Place(form, new TPatch(form), 10, 10);
  std::vector<UINT> heard;
  const TWndMethod original = patch->WindowProc;
  patch->WindowProc = [&](TMessage& M) {
    if (M.Msg == CM_MOUSEENTER || M.Msg == CM_MOUSELEAVE) heard.push_back(M.Msg);
    original(M);
  };
  form->Show();
  User.MoveTo(patch, {2, 2});
  User.MoveTo(patch, {3, 3});
  User.MoveTo(form, {200, 150});
  EXPECT_EQ(heard, (std::vector<UINT>{CM_MOUSEENTER, CM_MOUSELEAVE}));
  patch->WindowProc = original;
}

TEST_F(ControlTest, DragAndDropAsksTheTargetAndTellsTheSource) {
  TForm* form = NewForm();
  auto* source = Place(form, new TPatch(form), 10, 10);
  auto* target = Place(form, new TSwatch(form), 100, 10);
  source->SetDragMode(dmAutomatic);
  std::vector<TDragState> overs;
  TObject* dropped = nullptr;
  TPoint droppedAt;
  TObject* endTarget = reinterpret_cast<TObject*>(1);
  target->SetOnDragOver([&](TObject*, TObject* Source, int, int, TDragState State, bool& Accept) {
    overs.push_back(State);
    Accept = Source == source;
  });
  target->SetOnDragDrop([&](TObject*, TObject* Source, int X, int Y) {
    dropped = Source;
    droppedAt = TPoint{X, Y};
  });
  source->SetOnEndDrag([&](TObject*, TObject* Target, int, int) { endTarget = Target; });
  form->Show();
  User.Drag(source, {5, 5}, target, {12, 14});
  EXPECT_EQ(dropped, source);
  EXPECT_EQ(droppedAt, (TPoint{12, 14}));
  EXPECT_EQ(endTarget, target);
  ASSERT_FALSE(overs.empty());
  EXPECT_EQ(overs.front(), dsDragEnter);
  EXPECT_FALSE(source->Dragging());

  // Dropped where nobody accepts: the source hears of no target.
  User.Drag(source, {5, 5}, form, {250, 150});
  EXPECT_EQ(endTarget, nullptr);
}

TEST_F(ControlTest, HintShowsAfterThePauseAndFollowsAChangedHint) {
  TForm* form = NewForm();
  auto* patch = Place(form, new TPatch(form), 10, 10);
  patch->SetHint("first");
  patch->SetShowHint(true);
  form->Show();
  User.MoveTo(patch, {2, 2});
  User.Advance(Application()->HintPause() - 10);
  EXPECT_TRUE(!Application()->HintWindow() || !Application()->HintWindow()->Active());
  User.Advance(20);
  ASSERT_NE(Application()->HintWindow(), nullptr);
  EXPECT_TRUE(Application()->HintWindow()->Active());
  EXPECT_EQ(Application()->HintWindow()->GetText(), "first");
  EXPECT_TRUE(IsWindowVisible(Application()->HintWindow()->Handle()));
  patch->SetHint("second");
  EXPECT_EQ(Application()->HintWindow()->GetText(), "second");
  User.MoveTo(form, {250, 150});
  EXPECT_FALSE(Application()->HintWindow()->Active());
}

} // namespace
