#include "framework/controls/PageControl.h"

#include "framework/controls/Forms.h"

#include <algorithm>

namespace {

constexpr int TabPadding = 6; // left and right of a caption
constexpr int RowTop = 2;     // room above the tabs for the raised active tab
constexpr int DisplayMargin = 4;

String IndexError(int Index) { return "List index out of bounds (" + std::to_string(Index) + ")"; }

void Line(TCanvas* C, TColor Color, std::initializer_list<TPoint> Points) {
  C->Pen()->SetColor(Color);
  C->Polyline(std::span<const TPoint>(Points.begin(), Points.size()));
}

} // namespace

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls};
  FColor = clBtnFace;
  FParentColor = false;
  FBrush->SetColor(FColor);
  FVisible = false;
  FAlign = alClient;
}

TTabSheet::~TTabSheet() {
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetParent(TWinControl* AParent) {
  auto* pageControl = dynamic_cast<TPageControl*>(AParent);
  if (FPageControl && FPageControl != pageControl) FPageControl->RemovePage(this);
  TWinControl::SetParent(AParent);
  if (pageControl && FPageControl != pageControl) pageControl->InsertPage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (Value == FPageControl) return;
  SetParent(Value);
}

int TTabSheet::GetPageIndex() const {
  if (!FPageControl) return -1;
  const auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (!FPageControl) return;
  if (Value < 0 || Value >= FPageControl->PageCount()) throw EListError(IndexError(Value));
  FPageControl->MovePage(this, Value);
}

void TTabSheet::SetTabVisible(bool Value) {
  if (Value == FTabVisible) return;
  FTabVisible = Value;
  if (FPageControl) FPageControl->TabsChanged();
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  const auto tabs = FPageControl->VisibleTabs();
  return static_cast<int>(std::find(tabs.begin(), tabs.end(), this) - tabs.begin());
}

void TTabSheet::CMTextChanged(TMessage& Message) {
  TWinControl::CMTextChanged(Message);
  if (FPageControl) FPageControl->TabsChanged();
}

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csDoubleClicks};
  FWidth = 289;
  FHeight = 193;
  FTabStop = true;
  FColor = clBtnFace;
  FParentColor = false;
  FBrush->SetColor(FColor);
}

TPageControl::~TPageControl() {
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int Index) const {
  if (Index < 0 || Index >= PageCount()) throw EListError(IndexError(Index));
  return FPages[static_cast<std::size_t>(Index)];
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  Page->SetVisible(false);
  if (!FActivePage) ChangeActivePage(Page);
  TabsChanged();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  TTabSheet* next = FActivePage == Page ? FindNextPage(Page, true, false) : FActivePage;
  if (next == Page) next = nullptr;
  FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
  Page->FPageControl = nullptr;
  if (FActivePage == Page) {
    FActivePage = nullptr;
    ChangeActivePage(next);
  }
  TabsChanged();
}

void TPageControl::MovePage(TTabSheet* Page, int Index) {
  FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
  FPages.insert(FPages.begin() + Index, Page);
  TabsChanged();
}

void TPageControl::TabsChanged() {
  if (!ComponentState().Contains(csDestroying)) Invalidate();
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
  std::vector<TTabSheet*> tabs;
  for (TTabSheet* page : FPages)
    if (page->TabVisible()) tabs.push_back(page);
  return tabs;
}

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->PageControl() != this) return;
  ChangeActivePage(Page);
  Invalidate();
}

int TPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->GetPageIndex() : -1; }

void TPageControl::SetActivePageIndex(int Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? FPages[static_cast<std::size_t>(Value)]
                                                  : nullptr);
}

// Focus inside the old page moves to the page control, so it never stays on a hidden control.
void TPageControl::ChangeActivePage(TTabSheet* Page) {
  if (Page == FActivePage) return;
  TCustomForm* form = GetParentForm(this);
  if (form && FActivePage && FActivePage->ContainsControl(form->ActiveControl()) && CanFocus())
    form->SetActiveControl(this);
  if (Page) {
    Page->BringToFront();
    Page->SetVisible(true);
  }
  if (FActivePage) FActivePage->SetVisible(false);
  FActivePage = Page;
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward,
                                      bool CheckTabVisible) const {
  if (FPages.empty()) return nullptr;
  const int count = PageCount();
  int start = CurPage ? CurPage->GetPageIndex() : -1;
  if (start < 0 || start >= count) start = GoForward ? count - 1 : 0;
  int i = start;
  do {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TTabSheet* page = FPages[static_cast<std::size_t>(i)];
    if (!CheckTabVisible || page->TabVisible()) return page;
  } while (i != start);
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward) {
  UserSelects(FindNextPage(FActivePage, GoForward, true));
}

bool TPageControl::CanChange() {
  bool allow = true;
  if (FOnChanging) FOnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  if (FOnChange) FOnChange(this);
}

void TPageControl::UserSelects(TTabSheet* Page) {
  if (!Page || Page == FActivePage || !CanChange()) return;
  SetActivePage(Page);
  Change();
}

// Text extent in the control's font, measured without the control's window.
TPoint TPageControl::MeasureText(const String& Text) {
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, Font()->Handle());
  SIZE size{};
  const String sample = Text.empty() ? String("Wg") : Text;
  GetTextExtentPoint32A(dc, sample.c_str(), static_cast<int>(sample.size()), &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return TPoint{Text.empty() ? 0 : size.cx, size.cy};
}

int TPageControl::TabHeight() { return MeasureText("").Y + 6; }

TRect TPageControl::TabRect(int TabIndex) {
  const auto tabs = VisibleTabs();
  if (TabIndex < 0 || TabIndex >= static_cast<int>(tabs.size())) return TRect{};
  int x = 2;
  for (int i = 0; i < TabIndex; ++i)
    x += MeasureText(tabs[static_cast<std::size_t>(i)]->Caption()).X + 2 * TabPadding;
  const int width = MeasureText(tabs[static_cast<std::size_t>(TabIndex)]->Caption()).X;
  return Rect(x, RowTop, x + width + 2 * TabPadding, RowTop + TabHeight());
}

int TPageControl::IndexOfTabAt(int X, int Y) {
  const TPoint p{X, Y};
  const int active = FActivePage ? FActivePage->TabIndex() : -1;
  if (active >= 0) {
    const TRect r = TabRect(active);
    if (Rect(r.Left - 2, 0, r.Right + 2, r.Bottom).Contains(p)) return active;
  }
  const int count = static_cast<int>(VisibleTabs().size());
  for (int i = 0; i < count; ++i)
    if (TabRect(i).Contains(p)) return i;
  return -1;
}

TRect TPageControl::DisplayRect() {
  const int bodyTop = RowTop + TabHeight();
  return Rect(DisplayMargin, bodyTop + DisplayMargin,
              std::max(DisplayMargin, Width() - DisplayMargin),
              std::max(bodyTop + DisplayMargin, Height() - DisplayMargin));
}

void TPageControl::AdjustClientRect(TRect& Rect) { Rect = DisplayRect(); }

void TPageControl::PaintTab(const TRect& Tab, int BodyTop, TTabSheet* Page, bool Selected) {
  TCanvas* c = Canvas();
  TRect r = Tab;
  int bottom = BodyTop;
  if (Selected) {
    r = Rect(Tab.Left - 2, 0, Tab.Right + 2, Tab.Bottom);
    bottom = BodyTop + 2;
  }
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(Rect(r.Left, r.Top, r.Right, bottom));
  c->Pen()->SetWidth(1);
  Line(c, clBtnHighlight,
       {{r.Left, bottom}, {r.Left, r.Top + 2}, {r.Left + 2, r.Top}, {r.Right - 2, r.Top}});
  Line(c, cl3DDkShadow,
       {{r.Right - 2, r.Top + 1}, {r.Right - 1, r.Top + 2}, {r.Right - 1, bottom}});
  Line(c, clBtnShadow, {{r.Right - 2, r.Top + 2}, {r.Right - 2, bottom}});
  TRect text = Tab;
  c->Font()->Assign(Font());
  c->Brush()->SetStyle(bsClear);
  c->TextExtent(Page->Caption()); // selects the font
  SetBkMode(c->Handle(), TRANSPARENT);
  SetTextColor(c->Handle(), ColorToRGB(Font()->Color()));
  const String caption = Page->Caption();
  DrawTextA(c->Handle(), caption.c_str(), static_cast<int>(caption.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (Selected && Focused()) {
    const TRect focus = Rect(Tab.Left + 2, Tab.Top + 1, Tab.Right - 2, Tab.Bottom - 1);
    DrawFocusRect(c->Handle(), &focus);
  }
}

void TPageControl::Paint() {
  TCanvas* c = Canvas();
  const int bodyTop = RowTop + TabHeight();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  TRect body = Rect(0, bodyTop, Width(), Height());
  DrawEdge(c->Handle(), &body, EDGE_RAISED, BF_RECT | BF_SOFT);
  const auto tabs = VisibleTabs();
  int active = -1;
  for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
    if (tabs[static_cast<std::size_t>(i)] == FActivePage)
      active = i;
    else
      PaintTab(TabRect(i), bodyTop, tabs[static_cast<std::size_t>(i)], false);
  }
  if (active >= 0) PaintTab(TabRect(active), bodyTop, FActivePage, true);
}

void TPageControl::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTARROWS;
    return;
  }
  // The focus mark follows the window focus, which may move to a child on a page.
  if (Message.Msg == WM_SETFOCUS || Message.Msg == WM_KILLFOCUS) Invalidate();
  TCustomControl::Dispatch(Message);
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    const int index = IndexOfTabAt(X, Y);
    if (index >= 0) {
      if (CanFocus()) SetFocus();
      UserSelects(VisibleTabs()[static_cast<std::size_t>(index)]);
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TPageControl::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (!Shift.Empty() || (Key != VK_LEFT && Key != VK_RIGHT)) return;
  const auto tabs = VisibleTabs();
  const int index = FActivePage ? FActivePage->TabIndex() : -1;
  const int next = index + (Key == VK_RIGHT ? 1 : -1);
  if (index >= 0 && next >= 0 && next < static_cast<int>(tabs.size()))
    UserSelects(tabs[static_cast<std::size_t>(next)]);
  Key = 0;
}

void TPageControl::CMDialogKey(TMessage& Message) {
  // IsChild also finds windows that are no control of ours, as a combo box's edit.
  const bool inside = Focused() || IsChild(Handle(), GetFocus());
  if (inside && Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
    SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogKey(Message);
}

void TPageControl::CMFontChanged(TMessage& Message) {
  TCustomControl::CMFontChanged(Message);
  Realign();
  Invalidate();
}
