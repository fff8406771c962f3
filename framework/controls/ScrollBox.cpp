#include "framework/controls/ScrollBox.h"

#include <algorithm>

TControlScrollBar::TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind)
    : FControl(AControl), FKind(AKind) {}

void TControlScrollBar::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TControlScrollBar*>(Source);
  if (!other) return TPersistent::Assign(Source);
  FIncrement = other->FIncrement;
  FMargin = other->FMargin;
  FTracking = other->FTracking;
  FVisible = other->FVisible;
  FRange = other->FRange;
  FControl->UpdateScrollBars();
  SetPosition(other->FPosition);
}

void TControlScrollBar::SetIncrement(TScrollBarInc Value) {
  if (Value < 1) throw ERangeError("Increment must be at least 1, not " + std::to_string(Value));
  FIncrement = Value;
}

void TControlScrollBar::SetRange(Integer Value) {
  if (Value < 0) throw ERangeError("Range must not be negative, not " + std::to_string(Value));
  FControl->FAutoScroll = false;
  FRange = Value;
  FControl->UpdateScrollBars();
}

void TControlScrollBar::DoSetRange(int Value) {
  FRange = std::max(Value, 0);
  FControl->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool Value) {
  FVisible = Value;
  FControl->UpdateScrollBars();
}

bool TControlScrollBar::IsRangeStored() const { return !FControl->AutoScroll(); }

bool TControlScrollBar::IsScrollBarVisible() const {
  const DWORD style = FKind == sbHorizontal ? WS_HSCROLL : WS_VSCROLL;
  return FVisible && FControl->HandleAllocated() &&
         (static_cast<DWORD>(GetWindowLongA(FControl->Handle(), GWL_STYLE)) & style) != 0;
}

int TControlScrollBar::ControlSize(bool WithOwnBar, bool AssumeOther) const {
  const HWND window = FControl->Handle();
  const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  const bool vertical = FKind == sbVertical;
  const bool otherShown = (style & (vertical ? WS_HSCROLL : WS_VSCROLL)) != 0;
  const int otherSize = GetSystemMetrics(vertical ? SM_CYHSCROLL : SM_CXVSCROLL);
  int adjust = 0;
  if (!WithOwnBar) {
    if (AssumeOther && !otherShown) adjust = -otherSize;
    if (!AssumeOther && otherShown) adjust = otherSize;
  }
  RECT client{};
  GetClientRect(window, &client);
  return (vertical ? client.Height() : client.Width()) + adjust;
}

bool TControlScrollBar::NeedsScrollBarVisible() const { return FRange > ControlSize(false, false); }

void TControlScrollBar::Update(bool WithOwnBar, bool AssumeOther) {
  const int size = ControlSize(WithOwnBar, AssumeOther);
  FCalcRange = FVisible ? std::max(FRange - size, 0) : 0;
  SCROLLINFO info;
  info.fMask = SIF_ALL;
  info.nMin = 0;
  info.nMax = FCalcRange > 0 ? FRange : 0;
  info.nPage = static_cast<UINT>(std::max(size + 1, 0));
  info.nPos = FPosition;
  info.nTrackPos = FPosition;
  SetScrollInfo(FControl->Handle(), Bar(), &info, TRUE);
  SetPosition(FPosition);
}

void TControlScrollBar::SetPosition(Integer Value) {
  if (FControl->ComponentState().Contains(csReading)) {
    FPosition = std::max(Value, 0);
    return;
  }
  // Without a window the range is not known yet; the window clamps the position later.
  const bool known = FControl->HandleAllocated();
  Value = known ? std::clamp(Value, 0, FCalcRange) : std::max(Value, 0);
  if (Value != FPosition) {
    const int old = FPosition;
    FPosition = Value;
    if (FKind == sbHorizontal)
      FControl->ScrollBy(old - Value, 0);
    else
      FControl->ScrollBy(0, old - Value);
  }
  if (known && GetScrollPos(FControl->Handle(), Bar()) != FPosition)
    SetScrollPos(FControl->Handle(), Bar(), FPosition, TRUE);
}

// The children's far edge along the bar; those aligned to the far side add their size.
void TControlScrollBar::CalcAutoRange() {
  int range = 0, alignMargin = 0;
  const bool horizontal = FKind == sbHorizontal;
  for (int i = 0; i < FControl->ControlCount(); ++i) {
    const TControl* c = FControl->Controls(i);
    if (!c->Visible()) continue;
    const TAlign near = horizontal ? alLeft : alTop, far = horizontal ? alRight : alBottom;
    if (c->Align() == alNone || c->Align() == near)
      range = std::max(range,
                       FPosition + (horizontal ? c->Left() + c->Width() : c->Top() + c->Height()));
    else if (c->Align() == far)
      alignMargin += horizontal ? c->Width() : c->Height();
  }
  DoSetRange(range + alignMargin + FMargin);
}

void TControlScrollBar::ScrollMessage(const TMessage& Message) {
  const int pos = static_cast<SHORT>(Message.WParamHi());
  switch (static_cast<int>(Message.WParamLo())) {
  case SB_LINEUP:
    return SetPosition(FPosition - FIncrement);
  case SB_LINEDOWN:
    return SetPosition(FPosition + FIncrement);
  case SB_PAGEUP:
    return SetPosition(FPosition - ControlSize(true, false));
  case SB_PAGEDOWN:
    return SetPosition(FPosition + ControlSize(true, false));
  case SB_THUMBPOSITION:
    return SetPosition(pos);
  case SB_THUMBTRACK:
    if (FTracking) SetPosition(pos);
    return;
  case SB_TOP:
    return SetPosition(0);
  case SB_BOTTOM:
    return SetPosition(FCalcRange);
  default:
    return;
  }
}

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner), FHorzScrollBar(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, sbVertical)) {}

TScrollingWinControl::~TScrollingWinControl() { DisableAutoRange(); }

void TScrollingWinControl::SetAutoScroll(bool Value) {
  if (FAutoScroll == Value) return;
  FAutoScroll = Value;
  if (Value) {
    CalcAutoRange();
    return;
  }
  FHorzScrollBar->DoSetRange(0);
  FVertScrollBar->DoSetRange(0);
}

void TScrollingWinControl::EnableAutoRange() {
  if (FAutoRangeCount == 0) return;
  if (--FAutoRangeCount == 0 && (FHorzScrollBar->Visible() || FVertScrollBar->Visible()))
    CalcAutoRange();
}

void TScrollingWinControl::CalcAutoRange() {
  if (FAutoRangeCount > 0 || !FAutoScroll) return;
  FHorzScrollBar->CalcAutoRange();
  FVertScrollBar->CalcAutoRange();
}

// The bar that is needed first decides whether the other has to make room for it.
void TScrollingWinControl::UpdateScrollBars() {
  if (FUpdatingScrollBars || !HandleAllocated()) return;
  FUpdatingScrollBars = true;
  try {
    if (FVertScrollBar->NeedsScrollBarVisible()) {
      FHorzScrollBar->Update(false, true);
      FVertScrollBar->Update(true, false);
    } else if (FHorzScrollBar->NeedsScrollBarVisible()) {
      FVertScrollBar->Update(false, true);
      FHorzScrollBar->Update(true, false);
    } else {
      FVertScrollBar->Update(false, false);
      FHorzScrollBar->Update(true, false);
    }
  } catch (...) {
    FUpdatingScrollBars = false;
    throw;
  }
  FUpdatingScrollBars = false;
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  DisableAutoRange();
  DisableAlign();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
  }
  EnableAlign();
  --FAutoRangeCount;
  Invalidate();
}

void TScrollingWinControl::ScrollInView(TControl* AControl) {
  if (!AControl || !ContainsControl(AControl) || AControl == this) return;
  TRect r = AControl->ClientRect();
  r.Left -= FHorzScrollBar->Margin(), r.Right += FHorzScrollBar->Margin();
  r.Top -= FVertScrollBar->Margin(), r.Bottom += FVertScrollBar->Margin();
  const TPoint topLeft = ScreenToClient(AControl->ClientToScreen(TPoint{r.Left, r.Top}));
  const TPoint bottomRight = ScreenToClient(AControl->ClientToScreen(TPoint{r.Right, r.Bottom}));
  r = Rect(topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y);
  const int width = ClientWidth(), height = ClientHeight();
  if (r.Left < 0)
    FHorzScrollBar->SetPosition(FHorzScrollBar->Position() + r.Left);
  else if (r.Right > width)
    FHorzScrollBar->SetPosition(FHorzScrollBar->Position() + std::min(r.Right, r.Left + width) -
                                width);
  if (r.Top < 0)
    FVertScrollBar->SetPosition(FVertScrollBar->Position() + r.Top);
  else if (r.Bottom > height)
    FVertScrollBar->SetPosition(FVertScrollBar->Position() + std::min(r.Bottom, r.Top + height) -
                                height);
}

void TScrollingWinControl::AutoScrollInView(TControl* AControl) {
  if (!AControl || AControl->ComponentState().Contains(csLoading) ||
      ComponentState().Contains(csLoading))
    return;
  ScrollInView(AControl);
}

void TScrollingWinControl::CMFocusChanged(TMessage& Message) {
  auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
  if (focused && focused != this && ContainsControl(focused) && HandleAllocated())
    AutoScrollInView(focused);
  TWinControl::CMFocusChanged(Message);
}

void TScrollingWinControl::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TScrollingWinControl::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollBars();
}

// Aligned children fill the whole scrolled area, not only its visible part.
void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  CalcAutoRange();
  Rect = Bounds(-FHorzScrollBar->Position(), -FVertScrollBar->Position(),
                std::max(FHorzScrollBar->Range(), ClientWidth()),
                std::max(FVertScrollBar->Range(), ClientHeight()));
  TWinControl::AlignControls(AControl, Rect);
}

void TScrollingWinControl::Dispatch(TMessage& Message) {
  const bool ownBar = (Message.Msg == WM_HSCROLL || Message.Msg == WM_VSCROLL) && !Message.LParam;
  if (!ownBar) return TWinControl::Dispatch(Message);
  TControlScrollBar* bar = Message.Msg == WM_HSCROLL ? FHorzScrollBar.get() : FVertScrollBar.get();
  if (bar->Visible()) return bar->ScrollMessage(Message);
  TWinControl::Dispatch(Message);
}

void TScrollingWinControl::WMSize(TMessage& Message) {
  ++FAutoRangeCount;
  try {
    TWinControl::WMSize(Message);
  } catch (...) {
    --FAutoRangeCount;
    throw;
  }
  --FAutoRangeCount;
  const bool updating = FUpdatingScrollBars;
  FUpdatingScrollBars = true;
  CalcAutoRange();
  FUpdatingScrollBars = updating;
  if (FHorzScrollBar->Visible() || FVertScrollBar->Visible()) UpdateScrollBars();
}

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  FControlStyle =
      TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FWidth = 185;
  FHeight = 41;
}

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
  if (Value != bsNone && Value != bsSingle)
    throw ERangeError("A scroll box's BorderStyle is bsNone or bsSingle");
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& Params) {
  TScrollingWinControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) AddBorderStyle(Params);
}
