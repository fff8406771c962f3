#include "lists/LumList.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Messages.h"
#include "lists/LumItemsfenster.h"

#include <algorithm>
#include <utility>

namespace LumList {

namespace {

const bool LumListRegistered = (RegisterClass<TLumList>(), true);

constexpr TBitmapPlacement PlacementOf(TBitmapStyle Style) {
  return StyleRule<TBitmapPlacement::Pattern>(Style);
}
static_assert(PlacementOf(bsRight) == TBitmapPlacement::Right &&
              PlacementOf(bsCenter) == TBitmapPlacement::Center &&
              PlacementOf(bsStretch) == TBitmapPlacement::Stretch &&
              PlacementOf(bsPattern) == TBitmapPlacement::Pattern);

constexpr TBackgroundPlacement PlacementOf(TBackGroundStyle Style) {
  return StyleRule<TBackgroundPlacement::Pattern>(Style);
}
static_assert(PlacementOf(bgsCenter) == TBackgroundPlacement::Center &&
              PlacementOf(bgsStretch) == TBackgroundPlacement::Stretch &&
              PlacementOf(bgsPattern) == TBackgroundPlacement::Pattern);

constexpr THeightRule RuleOf(TItemHeightStyle Style) {
  return StyleRule<THeightRule::FontBitmap>(Style);
}
static_assert(RuleOf(ihFont) == THeightRule::Font && RuleOf(ihBitmap) == THeightRule::Bitmap &&
              RuleOf(ihFontBitmap) == THeightRule::FontBitmap);

} // namespace

// TLumListStrings

TLumListStrings::TLumListStrings(TLumList* AListBox)
    : TLumItemStrings(AListBox, AListBox->FItems.get()), FListBox(AListBox) {}

TLumListEintrag* TLumListStrings::GetLumListEintrag(Integer Index) const {
  return static_cast<TLumListEintrag*>(Eintrag(Index));
}

std::unique_ptr<TLumEintrag> TLumListStrings::NewEintrag() const {
  return std::make_unique<TLumListEintrag>();
}

int TLumListStrings::OwnerItemIndex() { return FListBox->ItemIndex(); }

void TLumListStrings::SetOwnerItemIndex(int Value) { FListBox->SetItemIndex(Value); }

void TLumListStrings::RestoreSelection(int Remembered) {
  FListBox->SetItemIndex(std::max(Remembered, 0));
}

void TLumListStrings::RequestRebuild() {
  if (FBulkDepth > 0 || UpdateCount() > 0)
    FRebuildPending = true;
  else
    FListBox->Rebuild();
}

// A bulk run measures each row as it is inserted and all of them once at its end.
void TLumListStrings::EndBulk() {
  if (--FBulkDepth > 0) return;
  FRebuildPending = false;
  FListBox->Rebuild();
}

void TLumListStrings::UpdateEnded() {
  if (!std::exchange(FRebuildPending, false)) return;
  FListBox->Rebuild();
}

void TLumListStrings::OwnerChanged() {
  if (FListBox->FOnChange) FListBox->FOnChange(FListBox);
}

// TLumList

TLumList::TLumList(TComponent* AOwner)
    : TCustomListBox(AOwner), FTabStops(std::make_unique<TStringList>()),
      FBackground(std::make_unique<TPicture>()) {
  FStyle = lbOwnerDrawVariable;
  FLumItems = std::make_unique<TLumListStrings>(this);
  FBackground->SetOnChange([this](TObject*) { Invalidate(); });
}

TLumList::~TLumList() {
  // The window goes first: its last messages may still ask for the items.
  if (HandleAllocated()) DestroyWindowHandle();
}

// The rows keep their window: each is given its item's height again.
void TLumList::Edit_aufrufen() { EditLumList(this); }

void TLumList::Rebuild() {
  if (!HandleAllocated()) return;
  FItems->BeginUpdate();
  for (int i = 0; i < FLumItems->Count(); ++i) {
    int height = FItemHeight;
    MeasureItem(i, height);
    SendMessageA(Handle(), LB_SETITEMHEIGHT, static_cast<WPARAM>(i), std::max(height, 1));
  }
  FItems->EndUpdate();
}

void TLumList::CreateParams(TCreateParams& Params) {
  TCustomListBox::CreateParams(Params);
  if (FUseTabStops) Params.Style |= LBS_USETABSTOPS;
}

void TLumList::CreateWnd() {
  TCustomListBox::CreateWnd();
  SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, FHorzExtent, 0);
  ShowHorzScrollBar();
}

void TLumList::ShowHorzScrollBar() { ShowScrollBar(Handle(), SB_HORZ, FHorzScrollBar); }

void TLumList::SetUseTabStops(bool Value) {
  if (FUseTabStops == Value) return;
  FUseTabStops = Value;
  Invalidate();
}

void TLumList::SetSelectedStyle(TSelectedStyle Value) {
  if (FSelectedStyle == Value) return;
  FSelectedStyle = Value;
  Rebuild();
  Invalidate();
}

void TLumList::SetBitmapStyle(TBitmapStyle Value) {
  if (FBitmapStyle == Value) return;
  FBitmapStyle = Value;
  Rebuild();
  Invalidate();
}

void TLumList::SetItemHeightStyle(TItemHeightStyle Value) {
  if (FItemHeightStyle == Value) return;
  FItemHeightStyle = Value;
  Rebuild();
  Invalidate();
}

void TLumList::SetTabStops(const String& Value) {
  ParseTabStops(Value, FTabStops.get());
  Invalidate();
}

void TLumList::SetAnyColors(bool Value) {
  if (FAnyColors == Value) return;
  FAnyColors = Value;
  Repaint();
}

void TLumList::SetAnyFonts(bool Value) {
  if (FAnyFonts == Value) return;
  FAnyFonts = Value;
  Rebuild();
  Repaint();
}

void TLumList::SetHorzExtent(Word Value) {
  if (FHorzExtent == Value) return;
  FHorzExtent = Value;
  if (HandleAllocated()) SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, Value, 0);
}

void TLumList::SetHorzScrollBar(bool Value) {
  if (FHorzScrollBar == Value) return;
  FHorzScrollBar = Value;
  if (HandleAllocated()) ShowHorzScrollBar();
}

void TLumList::SetBackGroundStyle(TBackGroundStyle Value) {
  if (FBackGroundStyle == Value) return;
  FBackGroundStyle = Value;
  Invalidate();
}

bool TLumList::HasBackground() const {
  return FBackGroundStyle != bgsNone && FBackground->Graphic() != nullptr;
}

void TLumList::MeasureItem(int Index, int& Height) {
  TCustomListBox::MeasureItem(Index, Height);
  if (FSelectedStyle == psOwnerDraw) return;
  if (Index < 0 || Index >= FLumItems->Count()) {
    Height = std::max(Height, static_cast<int>(FontMetrics(Font()).tmHeight));
    return;
  }
  TLumEintrag* item = FLumItems->GetLumListEintrag(Index);
  Height = RichItemHeight(RuleOf(FItemHeightStyle), Height, Font(),
                          FAnyFonts ? item->Font.Peek() : Font(), item->Bitmap.Peek(), FWidth);
}

void TLumList::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  const TColor fontColor = Canvas()->Font()->Color();
  if (Index >= FLumItems->Count()) return;
  switch (FSelectedStyle) {
  case psStandard:
    PaintItem(TItemMode::Standard, Index, Rect, State);
    break;
  case psBoldText:
    PaintItem(TItemMode::Bold, Index, Rect, State);
    break;
  case psCheckbox:
    PaintItem(TItemMode::CheckBox, Index, Rect, State);
    break;
  case psOwnerDraw:
    TCustomListBox::DrawItem(Index, Rect, State);
    break;
  }
  Canvas()->Font()->SetColor(fontColor);
}

// Over a background picture an item without a colour of its own shows the picture: the host
// clears every row before it is drawn, so the picture is painted under the row again.
void TLumList::PaintItem(TItemMode Mode, int Index, const TRect& R, TOwnerDrawState State) {
  TCanvas* canvas = Canvas();
  TLumEintrag* item = FLumItems->GetLumListEintrag(Index);
  const TRichItemLook look{FColor, Font(), FAnyColors, FAnyFonts};
  ApplyItemLook(canvas, look, item);
  if (!HasBackground() || ItemHasOwnColor(look, item))
    canvas->FillRect(R);
  else
    PaintBackground(canvas, R);
  const TRect bitmap = DrawItemBitmap(canvas, PlacementOf(FBitmapStyle), item->Bitmap.Peek(), R);
  const int w = R.Bottom - R.Top;
  if (Mode == TItemMode::CheckBox)
    canvas->Rectangle(R.Left + 2, R.Top + 1, R.Left + w, R.Top + w - 1);
  if (State.Contains(odSelected)) {
    switch (Mode) {
    case TItemMode::Standard:
      HighlightBesideBitmap(canvas, R, bitmap);
      break;
    case TItemMode::Bold: {
      TFontStyles style = canvas->Font()->Style();
      if (style.Contains(fsBold))
        style.Exclude(fsBold);
      else
        style.Include(fsBold);
      canvas->Font()->SetStyle(style);
      break;
    }
    case TItemMode::CheckBox:
      canvas->MoveTo(R.Left + 2, R.Top + 1);
      canvas->LineTo(R.Left + w, R.Top + w - 1);
      canvas->MoveTo(R.Left + w - 1, R.Top + 1);
      canvas->LineTo(R.Left + 1, R.Top + w - 1);
      break;
    }
  }
  const int x = Mode == TItemMode::CheckBox ? R.Left + w + 4 : R.Left + 2;
  DrawItemText(canvas, x, R.Top, FLumItems->Strings(Index), FTabStops.get(), FUseTabStops);
}

void TLumList::PaintBackground(TCanvas* Canvas, const TRect& Area) {
  const TRect client = ClientRect();
  PaintBackgroundPicture(Canvas, FBackground.get(), PlacementOf(FBackGroundStyle), Area,
                         client.Width(), client.Height());
}

void TLumList::WMEraseBkgnd(TMessage& Message) {
  TCustomListBox::WMEraseBkgnd(Message);
  if (!HasBackground()) return;
  const auto dc = reinterpret_cast<HDC>(Message.WParam);
  RECT box{};
  GetClipBox(dc, &box);
  TCanvas canvas;
  canvas.SetHandle(dc);
  PaintBackground(&canvas, box);
  canvas.SetHandle(nullptr);
}

// The host clears the client area below the last row; the picture is painted there again.
void TLumList::WMPaint(TMessage& Message) {
  TCustomListBox::WMPaint(Message);
  if (!HasBackground() || !HandleAllocated()) return;
  const TRect client = ClientRect();
  const int count = FLumItems->Count();
  const int below = count == 0 ? 0 : ItemRect(count - 1).Bottom;
  if (below >= client.Bottom) return;
  const HDC dc = GetDC(Handle());
  TCanvas canvas;
  canvas.SetHandle(dc);
  PaintBackground(&canvas, TRect(client.Left, std::max(below, 0), client.Right, client.Bottom));
  canvas.SetHandle(nullptr);
  ReleaseDC(Handle(), dc);
}

void TLumList::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomListBox::MouseMove(Shift, X, Y);
  const int i = ItemAtPos(TPoint{X, Y}, true);
  if (i < 0) return;
  if (FLumItems->GetHelpContext(i) != FHelpContext) FHelpContext = FLumItems->GetHelpContext(i);
  // A hint on screen takes the new text as it is set.
  if (FLumItems->GetHint(i) != FHint) SetHint(FLumItems->GetHint(i));
}

} // namespace LumList
