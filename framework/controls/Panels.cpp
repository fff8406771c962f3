#include "framework/controls/Panels.h"

#include "framework/controls/Forms.h"

#include <array>

namespace {

void InflateRect(TRect& R, int DX, int DY) {
  R.Left -= DX, R.Right += DX;
  R.Top -= DY, R.Bottom += DY;
}

void PolylineIn(TCanvas* Canvas, TColor Color, std::initializer_list<TPoint> Points) {
  Canvas->Pen()->SetColor(Color);
  Canvas->Polyline(std::span<const TPoint>(Points.begin(), Points.size()));
}

void BevelColors(TPanelBevel Bevel, TColor Face, TColor& Top, TColor& Bottom) {
  Top = Bevel == bvLowered ? clBtnShadow : clBtnHighlight;
  Bottom = Bevel == bvLowered ? clBtnHighlight : clBtnShadow;
  if (Bevel == bvSpace) Top = Bottom = Face;
}

void CheckAtLeast(int Value, int Least, const char* What) {
  if (Value < Least)
    throw ERangeError(String(What) + " must be at least " + std::to_string(Least) + ", not " +
                      std::to_string(Value));
}

} // namespace

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
  Canvas->Pen()->SetWidth(1);
  Canvas->Pen()->SetStyle(psSolid);
  --Rect.Bottom, --Rect.Right;
  for (; Width > 0; --Width) {
    const TPoint topLeft{Rect.Left, Rect.Top}, topRight{Rect.Right, Rect.Top};
    const TPoint bottomLeft{Rect.Left, Rect.Bottom}, bottomRight{Rect.Right, Rect.Bottom};
    PolylineIn(Canvas, TopColor, {bottomLeft, topLeft, topRight});
    PolylineIn(Canvas, BottomColor, {topRight, bottomRight, TPoint{Rect.Left - 1, Rect.Bottom}});
    InflateRect(Rect, -1, -1);
  }
  ++Rect.Bottom, ++Rect.Right;
}

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption,
                                csOpaque,          csDoubleClicks, csReplicatable};
  FWidth = 185;
  FHeight = 41;
  FColor = clBtnFace;
  FParentColor = false;
  FBrush->SetColor(FColor);
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TPanelBevel Value) {
  if (FBevelInner == Value) return;
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelOuter(TPanelBevel Value) {
  if (FBevelOuter == Value) return;
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(TBevelWidth Value) {
  CheckAtLeast(Value, 1, "BevelWidth");
  if (FBevelWidth == Value) return;
  FBevelWidth = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(TBorderWidth Value) {
  CheckAtLeast(Value, 0, "BorderWidth");
  TWinControl::SetBorderWidth(Value);
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (Value != bsNone && Value != bsSingle)
    throw ERangeError("A panel's BorderStyle is bsNone or bsSingle");
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomPanel::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (FBorderStyle == bsSingle) AddBorderStyle(Params);
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

int TCustomPanel::FrameWidth() const {
  int width = FBorderWidth;
  if (FBevelOuter != bvNone) width += FBevelWidth;
  if (FBevelInner != bvNone) width += FBevelWidth;
  return width;
}

void TCustomPanel::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  const int bevels = FrameWidth() - FBorderWidth;
  InflateRect(Rect, -bevels, -bevels);
}

void TCustomPanel::Paint() {
  static constexpr UINT Alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  TColor top = clNone, bottom = clNone;
  if (FBevelOuter != bvNone) {
    BevelColors(FBevelOuter, FColor, top, bottom);
    Frame3D(canvas, r, top, bottom, FBevelWidth);
  }
  Frame3D(canvas, r, FColor, FColor, FBorderWidth);
  if (FBevelInner != bvNone) {
    BevelColors(FBevelInner, FColor, top, bottom);
    Frame3D(canvas, r, top, bottom, FBevelWidth);
  }
  canvas->Brush()->SetColor(FColor);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->FillRect(r);
  canvas->Brush()->SetStyle(bsClear);
  canvas->Font()->Assign(Font());
  const int fontHeight = canvas->TextHeight("W");
  r.Top = (r.Bottom + r.Top - fontHeight) / 2;
  r.Bottom = r.Top + fontHeight;
  CanvasDrawText(canvas, GetText(), r, DT_EXPANDTABS | DT_VCENTER | Alignments[FAlignment]);
}

// Without FullRepaint a resize repaints only the frame bands at the old and new edges.
void TCustomPanel::WMSize(TMessage& Message) {
  const TRect before = FLastClient;
  TCustomControl::WMSize(Message);
  FLastClient = ClientRect();
  if (FFullRepaint || !GetText().empty()) return Invalidate();
  InvalidateFrame(before);
  InvalidateFrame(FLastClient);
}

void TCustomPanel::InvalidateFrame(const TRect& Client) {
  const int band = FrameWidth() + 1;
  if (band <= 1 || Client.IsEmpty()) return;
  const TRect right = Rect(Client.Right - band, 0, Client.Right, Client.Bottom);
  const TRect lower = Rect(0, Client.Bottom - band, Client.Right, Client.Bottom);
  InvalidateRect(&right);
  InvalidateRect(&lower);
}

void TCustomPanel::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  FControlStyle.Include(csReplicatable);
  FWidth = 50;
  FHeight = 50;
}

void TBevel::SetShape(TBevelShape Value) {
  if (FShape == Value) return;
  FShape = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetStyle(psSolid);
  const TColor first = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
  const TColor second = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
  const auto box = [&](TColor c1, TColor c2, int l, int t, int r, int b) {
    PolylineIn(canvas, c1, {TPoint{l, b}, TPoint{l, t}, TPoint{r, t}});
    PolylineIn(canvas, c2, {TPoint{r, t}, TPoint{r, b}, TPoint{l, b}});
  };
  const auto line = [&](TColor c, int x1, int y1, int x2, int y2) {
    PolylineIn(canvas, c, {TPoint{x1, y1}, TPoint{x2, y2}});
  };
  const int w = FWidth, h = FHeight;
  switch (FShape) {
  case bsBox:
    return box(first, second, 0, 0, w - 1, h - 1);
  case bsFrame:
    box(second, second, 1, 1, w - 1, h - 1);
    return box(first, first, 0, 0, w - 2, h - 2);
  case bsTopLine:
    line(first, 0, 0, w, 0);
    return line(second, 0, 1, w, 1);
  case bsBottomLine:
    line(first, 0, h - 2, w, h - 2);
    return line(second, 0, h - 1, w, h - 1);
  case bsLeftLine:
    line(first, 0, 0, 0, h);
    return line(second, 1, 0, 1, h);
  case bsRightLine:
    line(first, w - 2, 0, w - 2, h);
    return line(second, w - 1, 0, w - 1, h);
  case bsSpacer:
    return;
  }
}

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents,
                                csSetCaption,      csDoubleClicks, csReplicatable};
  FWidth = 185;
  FHeight = 105;
}

void TCustomGroupBox::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_CLIPCHILDREN;
  Params.ExStyle |= WS_EX_CONTROLPARENT;
}

int TCustomGroupBox::CaptionHeight() {
  Canvas()->Font()->Assign(Font());
  return Canvas()->TextHeight("0");
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  Rect.Top += CaptionHeight();
  InflateRect(Rect, -2, -2);
}

// The frame is etched: a shadow ring with a highlight ring one pixel lower right.
void TCustomGroupBox::Paint() {
  TCanvas* canvas = Canvas();
  const int h = CaptionHeight();
  TRect r = Rect(1, h / 2, FWidth, FHeight);
  canvas->Brush()->SetColor(clBtnHighlight);
  canvas->FrameRect(r);
  r = Rect(0, h / 2 - 1, FWidth - 1, FHeight - 1);
  canvas->Brush()->SetColor(clBtnShadow);
  canvas->FrameRect(r);
  const String text = GetText();
  if (text.empty()) return;
  TRect caption = Rect(8, 0, 0, h);
  canvas->Brush()->SetColor(FColor);
  canvas->Brush()->SetStyle(bsSolid);
  CanvasDrawText(canvas, text, caption, DT_SINGLELINE | DT_CALCRECT);
  if (FEnabled) {
    CanvasDrawText(canvas, text, caption, DT_SINGLELINE);
    return;
  }
  canvas->FillRect(caption);
  canvas->Brush()->SetStyle(bsClear);
  TRect raised = Rect(caption.Left + 1, caption.Top + 1, caption.Right + 1, caption.Bottom + 1);
  canvas->Font()->SetColor(clBtnHighlight);
  CanvasDrawText(canvas, text, raised, DT_SINGLELINE);
  canvas->Font()->SetColor(clBtnShadow);
  CanvasDrawText(canvas, text, caption, DT_SINGLELINE);
}

void TCustomGroupBox::CMDialogChar(TMessage& Message) {
  if (!IsAccel(static_cast<Word>(Message.WParam), GetText()) || !CanFocus())
    return TCustomControl::CMDialogChar(Message);
  if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
  Message.Result = 1;
}

void TCustomGroupBox::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  Invalidate();
  Realign();
}

void TCustomGroupBox::CMFontChanged(TMessage& Message) {
  TCustomControl::CMFontChanged(Message);
  Realign();
}
