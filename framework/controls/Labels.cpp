#include "framework/controls/Labels.h"

#include <cctype>

namespace {

void OffsetRect(TRect& R, int DX, int DY) {
  R.Left += DX, R.Right += DX;
  R.Top += DY, R.Bottom += DY;
}

} // namespace

bool IsAccel(Word Key, const String& Caption) {
  for (std::size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != '&') continue;
    if (Caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const auto mark = static_cast<unsigned char>(Caption[i + 1]);
    return Key < 256 && std::toupper(mark) == std::toupper(static_cast<unsigned char>(Key));
  }
  return false;
}

int CanvasDrawText(TCanvas* Canvas, const String& Text, TRect& Rect, UINT Flags) {
  const HDC dc = Canvas->Handle();
  SelectObject(dc, Canvas->Font()->Handle());
  SetTextColor(dc, ColorToRGB(Canvas->Font()->Color()));
  const bool opaque = Canvas->Brush()->Style() == bsSolid;
  SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
  if (opaque) SetBkColor(dc, ColorToRGB(Canvas->Brush()->Color()));
  return DrawTextA(dc, Text.c_str(), static_cast<int>(Text.size()), &Rect, Flags);
}

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle = FControlStyle + TControlStyle{csOpaque, csReplicatable};
  FWidth = 65;
  FHeight = 17;
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (FShowAccelChar == Value) return;
  FShowAccelChar = Value;
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Transparent() == Value) return;
  if (Value)
    FControlStyle.Exclude(csOpaque);
  else
    FControlStyle.Include(csOpaque);
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::DoDrawText(TRect& Rect, int Flags) {
  String text = GetLabelText();
  const bool onlyAccelMark = FShowAccelChar && text == "&";
  if ((Flags & DT_CALCRECT) && (text.empty() || onlyAccelMark)) text += ' ';
  UINT flags = static_cast<UINT>(Flags);
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(Font());
  if (FEnabled) {
    CanvasDrawText(canvas, text, Rect, flags);
    return;
  }
  TRect raised = Rect;
  OffsetRect(raised, 1, 1);
  canvas->Font()->SetColor(clBtnHighlight);
  CanvasDrawText(canvas, text, raised, flags);
  canvas->Font()->SetColor(clBtnShadow);
  CanvasDrawText(canvas, text, Rect, flags);
}

void TCustomLabel::Paint() {
  static constexpr UINT Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  TCanvas* canvas = Canvas();
  const TRect client = ClientRect();
  if (!Transparent()) {
    canvas->Brush()->SetColor(FColor);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(client);
  }
  canvas->Brush()->SetStyle(bsClear);
  TRect r = client;
  const int style =
      static_cast<int>(DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | Alignments[FAlignment]);
  if (FLayout != tlTop) {
    TRect calc = r;
    DoDrawText(calc, style | static_cast<int>(DT_CALCRECT));
    const int room = FHeight - calc.Bottom;
    OffsetRect(r, 0, FLayout == tlBottom ? room : room / 2);
  }
  DoDrawText(r, style);
}

void TCustomLabel::AdjustBounds() {
  if (ComponentState().Contains(csReading) || ComponentState().Contains(csLoading) || !FAutoSize)
    return;
  TRect r = ClientRect();
  const HDC dc = GetDC(nullptr);
  auto* canvas = static_cast<TControlCanvas*>(Canvas());
  canvas->PaintOn(dc, [&] {
    DoDrawText(r, static_cast<int>(DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0)));
  });
  ReleaseDC(nullptr, dc);
  int left = FLeft;
  if (FAlignment == taRightJustify) left += FWidth - r.Right;
  SetBounds(left, FTop, r.Right, r.Bottom);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TCustomLabel::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGCHAR) return CMDialogChar(Message);
  TGraphicControl::Dispatch(Message);
}

void TCustomLabel::CMTextChanged(TMessage&) {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& Message) {
  TGraphicControl::CMFontChanged(Message);
  AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message) {
  if (!FFocusControl || !FEnabled || !FShowAccelChar) return;
  if (!IsAccel(static_cast<Word>(Message.WParam), GetText())) return;
  if (!FFocusControl->CanFocus()) return;
  FFocusControl->SetFocus();
  Message.Result = 1;
}
