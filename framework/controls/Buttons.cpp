#include "framework/controls/Buttons.h"

#include "framework/rtl/Checked.h"

#include <algorithm>

namespace {

std::uint32_t PixelOf(COLORREF C) {
  return 0xFF000000u | (GetRValue(C) << 16) | (GetGValue(C) << 8) | GetBValue(C);
}

TRect Moved(TRect R, int Dx, int Dy) {
  return Rect(R.Left + Dx, R.Top + Dy, R.Right + Dx, R.Bottom + Dy);
}
TRect Inflated(TRect R, int D) { return Rect(R.Left - D, R.Top - D, R.Right + D, R.Bottom + D); }

COLORREF RgbOfPixel(std::uint32_t P) { return RGB((P >> 16) & 0xFF, (P >> 8) & 0xFF, P & 0xFF); }

// Light pixels (white, silver) vanish from an embossed image, as highlights do.
bool IsInk(std::uint32_t P, std::uint32_t Transparent) {
  if ((P | 0xFF000000u) == Transparent) return false;
  return ((P >> 16) & 0xFF) < 0xC0 || ((P >> 8) & 0xFF) < 0xC0 || (P & 0xFF) < 0xC0;
}

// The disabled look of an image: its dark pixels as a shape in the button shadow colour with
// a highlight copy one pixel down and right, on the transparent colour.
TRaster EmbossRaster(const TRaster& Up, std::uint32_t& Transparent) {
  const std::uint32_t hi = PixelOf(ColorToRGB(clBtnHighlight));
  const std::uint32_t sh = PixelOf(ColorToRGB(clBtnShadow));
  std::uint32_t back = Transparent;
  if (back == hi || back == sh) back = PixelOf(RGB(255, 0, 255));
  TRaster out(Up.Width, Up.Height, back);
  for (int y = 0; y < Up.Height; ++y)
    for (int x = 0; x < Up.Width; ++x)
      if (IsInk(Up.At(x, y), Transparent) && x + 1 < Up.Width && y + 1 < Up.Height)
        out.At(x + 1, y + 1) = hi;
  for (int y = 0; y < Up.Height; ++y)
    for (int x = 0; x < Up.Width; ++x)
      if (IsInk(Up.At(x, y), Transparent)) out.At(x, y) = sh;
  Transparent = back;
  return out;
}

TRaster Cut(const TRaster& Strip, int Left, int Width) {
  TRaster out(Width, Strip.Height);
  for (int y = 0; y < Strip.Height; ++y)
    for (int x = 0; x < Width; ++x) out.At(x, y) = Strip.At(Left + x, y) | 0xFF000000u;
  return out;
}

std::unique_ptr<TBitmap> TransparentBitmap(const TRaster& Pixels, std::uint32_t Transparent) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->AssignRaster(Pixels, pfDevice);
  bitmap->SetTransparentColor(static_cast<TColor>(RgbOfPixel(Transparent)));
  bitmap->SetTransparent(true);
  return bitmap;
}

} // namespace

TButtonGlyph::TButtonGlyph() : FOriginal(std::make_unique<TBitmap>()) {
  FOriginal->SetOnChange([this](TObject* Sender) { OriginalChanged(Sender); });
}

void TButtonGlyph::SetGlyph(TBitmap* Value) {
  FOriginal->Assign(Value);
  if (Value && Value->Height() > 0 && Value->Width() % Value->Height() == 0) {
    const int count = Value->Width() / Value->Height();
    SetNumGlyphs(count >= 1 && count <= 4 ? count : 1);
  }
  OriginalChanged(nullptr);
}

void TButtonGlyph::SetNumGlyphs(TNumGlyphs Value) {
  if (Value < 1 || Value > 4)
    throw ERangeError("NumGlyphs must lie between 1 and 4, not " + std::to_string(Value));
  if (Value == FNumGlyphs) return;
  FNumGlyphs = Value;
  OriginalChanged(nullptr);
}

void TButtonGlyph::OriginalChanged(TObject*) {
  Invalidate();
  if (OnChange) OnChange(nullptr);
}

void TButtonGlyph::Invalidate() {
  for (auto& image : FImages) image.reset();
}

TPoint TButtonGlyph::GlyphSize() const {
  if (FOriginal->Empty()) return TPoint{0, 0};
  return TPoint{FOriginal->Width() / FNumGlyphs, FOriginal->Height()};
}

TBitmap* TButtonGlyph::ImageFor(TButtonState State) {
  if (FOriginal->Empty() || GlyphSize().X == 0) return nullptr;
  if (State == bsDown && FNumGlyphs < 3) State = bsUp;
  if (State == bsExclusive && FNumGlyphs < 4) State = bsUp;
  auto& image = FImages[State];
  if (image) return image.get();
  const TColor transparent = FOriginal->TransparentColor();
  if (State == bsDisabled && FNumGlyphs == 1)
    image = EmbossImage(transparent);
  else
    image = CutImage(State, transparent);
  return image.get();
}

std::unique_ptr<TBitmap> TButtonGlyph::CutImage(int Index, TColor Transparent) {
  const int width = GlyphSize().X;
  return TransparentBitmap(Cut(FOriginal->ToRaster(), Index * width, width),
                           PixelOf(ColorToRGB(Transparent)));
}

std::unique_ptr<TBitmap> TButtonGlyph::EmbossImage(TColor Transparent) {
  std::uint32_t back = PixelOf(ColorToRGB(Transparent));
  const TRaster up = Cut(FOriginal->ToRaster(), 0, GlyphSize().X);
  const TRaster embossed = EmbossRaster(up, back);
  return TransparentBitmap(embossed, back);
}

TGlyphLayout TButtonGlyph::CalcLayout(TCanvas* Canvas, const TRect& Client, TPoint Offset,
                                      const String& Caption, TButtonLayout Layout, int Margin,
                                      int Spacing) {
  const TPoint clientSize{Client.Width(), Client.Height()};
  const TPoint glyphSize = GlyphSize();
  TRect textBounds;
  if (!Caption.empty()) {
    textBounds = Rect(0, 0, clientSize.X, 0);
    Canvas->TextExtent(Caption); // selects the font
    DrawTextA(Canvas->Handle(), Caption.c_str(), static_cast<int>(Caption.size()), &textBounds,
              DT_CALCRECT);
  }
  const TPoint textSize{textBounds.Width(), textBounds.Height()};
  const bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
  TPoint glyphPos, textPos;
  if (horizontal) {
    glyphPos.Y = (clientSize.Y - glyphSize.Y + 1) / 2;
    textPos.Y = (clientSize.Y - textSize.Y + 1) / 2;
  } else {
    glyphPos.X = (clientSize.X - glyphSize.X + 1) / 2;
    textPos.X = (clientSize.X - textSize.X + 1) / 2;
  }
  if (textSize.X == 0 || glyphSize.X == 0) Spacing = 0;
  const int room = horizontal ? clientSize.X : clientSize.Y;
  const int glyphExtent = horizontal ? glyphSize.X : glyphSize.Y;
  const int textExtent = horizontal ? textSize.X : textSize.Y;
  if (Margin == -1) {
    if (Spacing == -1) {
      Margin = (room - glyphExtent - textExtent) / 3;
      Spacing = Margin;
    } else {
      Margin = (room - (glyphExtent + Spacing + textExtent) + 1) / 2;
    }
  } else if (Spacing == -1) {
    Spacing = (room - (Margin + glyphExtent) - textExtent) / 2;
  }
  switch (Layout) {
  case blGlyphLeft:
    glyphPos.X = Margin;
    textPos.X = glyphPos.X + glyphSize.X + Spacing;
    break;
  case blGlyphRight:
    glyphPos.X = clientSize.X - Margin - glyphSize.X;
    textPos.X = glyphPos.X - Spacing - textSize.X;
    break;
  case blGlyphTop:
    glyphPos.Y = Margin;
    textPos.Y = glyphPos.Y + glyphSize.Y + Spacing;
    break;
  case blGlyphBottom:
    glyphPos.Y = clientSize.Y - Margin - glyphSize.Y;
    textPos.Y = glyphPos.Y - Spacing - textSize.Y;
    break;
  }
  TGlyphLayout result;
  result.GlyphPos = TPoint{glyphPos.X + Client.Left + Offset.X, glyphPos.Y + Client.Top + Offset.Y};
  result.TextBounds = Bounds(textPos.X + Client.Left + Offset.X, textPos.Y + Client.Top + Offset.Y,
                             textSize.X, textSize.Y);
  return result;
}

TRect TButtonGlyph::Draw(TCanvas* Canvas, const TRect& Client, TPoint Offset, const String& Caption,
                         TButtonLayout Layout, int Margin, int Spacing, TButtonState State) {
  const TGlyphLayout layout = CalcLayout(Canvas, Client, Offset, Caption, Layout, Margin, Spacing);
  if (TBitmap* image = ImageFor(State)) Canvas->Draw(layout.GlyphPos.X, layout.GlyphPos.Y, image);
  DrawCaption(Canvas, Caption, layout.TextBounds, State);
  return layout.TextBounds;
}

void TButtonGlyph::DrawCaption(TCanvas* Canvas, const String& Caption, TRect Bounds,
                               TButtonState State) {
  if (Caption.empty()) return;
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->TextExtent(Caption); // selects the font
  const HDC dc = Canvas->Handle();
  SetBkMode(dc, TRANSPARENT);
  const int length = static_cast<int>(Caption.size());
  constexpr UINT flags = DT_CENTER | DT_VCENTER;
  if (State == bsDisabled) {
    TRect shifted = Moved(Bounds, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawTextA(dc, Caption.c_str(), length, &shifted, flags);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
  } else {
    SetTextColor(dc, ColorToRGB(Canvas->Font()->Color()));
  }
  DrawTextA(dc, Caption.c_str(), length, &Bounds, flags);
}

namespace {

constexpr int StdGlyphSize = 16;
constexpr TColor StdGlyphBack = clOlive;

void StrokeWith(TCanvas* C, TColor Color, int Width) {
  C->Pen()->SetColor(Color);
  C->Pen()->SetWidth(Width);
  C->Brush()->SetStyle(bsClear);
}

void Stroke(TCanvas* C, std::initializer_list<TPoint> Points) {
  C->Polyline(std::span<const TPoint>(Points.begin(), Points.size()));
}

void FillPolygon(TCanvas* C, TColor Color, std::initializer_list<TPoint> Points) {
  C->Pen()->SetColor(Color);
  C->Pen()->SetWidth(1);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Color);
  C->Polygon(std::span<const TPoint>(Points.begin(), Points.size()));
}

void DrawCheck(TCanvas* C, int Dx) {
  StrokeWith(C, clGreen, 3);
  Stroke(C, {{2 + Dx, 8}, {6 + Dx, 12}, {13 + Dx, 3}});
}

void DrawSmallCheck(TCanvas* C, int Dx) {
  StrokeWith(C, clGreen, 2);
  Stroke(C, {{1 + Dx, 8}, {3 + Dx, 12}, {8 + Dx, 3}});
}

void DrawCross(TCanvas* C, TColor Color) {
  StrokeWith(C, Color, 3);
  Stroke(C, {{3, 3}, {13, 13}});
  Stroke(C, {{13, 3}, {3, 13}});
}

void DrawQuestionMark(TCanvas* C) {
  StrokeWith(C, clNavy, 3);
  C->Arc(4, 1, 12, 9, 8, 9, 4, 5);
  Stroke(C, {{8, 8}, {8, 11}});
  FillPolygon(C, clNavy, {{7, 13}, {9, 13}, {9, 15}, {7, 15}});
}

void DrawNoSign(TCanvas* C) {
  StrokeWith(C, clRed, 2);
  C->Ellipse(1, 1, 15, 15);
  Stroke(C, {{4, 4}, {12, 12}});
}

void DrawDoor(TCanvas* C) {
  C->Pen()->SetColor(clBlack);
  C->Pen()->SetWidth(1);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clTeal);
  C->Rectangle(3, 1, 13, 15);
  C->Brush()->SetColor(clYellow);
  C->FillRect(Rect(10, 8, 12, 10));
}

void DrawStopSign(TCanvas* C) {
  C->Pen()->SetColor(clMaroon);
  C->Pen()->SetWidth(1);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(clRed);
  C->Ellipse(1, 1, 15, 15);
  StrokeWith(C, clWhite, 2);
  Stroke(C, {{5, 5}, {11, 11}});
  Stroke(C, {{11, 5}, {5, 11}});
}

void DrawCircularArrow(TCanvas* C) {
  StrokeWith(C, clGreen, 2);
  C->Arc(2, 2, 14, 14, 14, 5, 14, 11);
  FillPolygon(C, clGreen, {{9, 1}, {15, 1}, {15, 7}});
}

void DrawJumpOver(TCanvas* C) {
  StrokeWith(C, clBlack, 2);
  Stroke(C, {{8, 9}, {8, 15}});
  StrokeWith(C, clBlue, 2);
  C->Arc(1, 3, 15, 17, 15, 10, 1, 10);
  FillPolygon(C, clBlue, {{11, 9}, {15, 9}, {13, 13}});
}

void DrawKindArt(TCanvas* C, TBitBtnKind Kind) {
  switch (Kind) {
  case bkOK:
  case bkYes:
    return DrawCheck(C, 0);
  case bkAll:
    DrawSmallCheck(C, 0);
    return DrawSmallCheck(C, 7);
  case bkCancel:
    return DrawCross(C, clRed);
  case bkHelp:
    return DrawQuestionMark(C);
  case bkNo:
    return DrawNoSign(C);
  case bkClose:
    return DrawDoor(C);
  case bkAbort:
    return DrawStopSign(C);
  case bkRetry:
    return DrawCircularArrow(C);
  case bkIgnore:
    return DrawJumpOver(C);
  case bkCustom:
    return;
  }
}

// The up image and its embossed disabled image side by side.
TRaster KindStrip(TBitBtnKind Kind) {
  TBitmap art;
  art.SetSize(StdGlyphSize, StdGlyphSize);
  TCanvas* c = art.Canvas();
  c->Brush()->SetColor(StdGlyphBack);
  c->FillRect(Rect(0, 0, StdGlyphSize, StdGlyphSize));
  DrawKindArt(c, Kind);
  const TRaster up = art.ToRaster();
  std::uint32_t back = PixelOf(ColorToRGB(StdGlyphBack));
  const TRaster disabled = EmbossRaster(up, back);
  TRaster strip(2 * StdGlyphSize, StdGlyphSize, PixelOf(ColorToRGB(StdGlyphBack)));
  for (int y = 0; y < StdGlyphSize; ++y)
    for (int x = 0; x < StdGlyphSize; ++x) {
      strip.At(x, y) = up.At(x, y) | 0xFF000000u;
      const std::uint32_t d = disabled.At(x, y);
      strip.At(StdGlyphSize + x, y) = d == back ? PixelOf(ColorToRGB(StdGlyphBack)) : d;
    }
  return strip;
}

} // namespace

std::unique_ptr<TBitmap> NewBitBtnGlyph(TBitBtnKind Kind) {
  auto bitmap = std::make_unique<TBitmap>();
  if (Kind == bkCustom) return bitmap;
  // Pixels only: bitmaps hold engine handles, which must not outlive a test's engine.
  static std::array<TRaster, bkAll + 1> strips;
  TRaster& strip = strips[Kind];
  if (strip.Width == 0) strip = KindStrip(Kind);
  bitmap->AssignRaster(strip, pfDevice);
  return bitmap;
}

String BitBtnCaption(TBitBtnKind Kind) {
  static const char* const captions[] = {"",       "OK",    "Cancel", "&Help",   "&Yes", "&No",
                                         "&Close", "Abort", "&Retry", "&Ignore", "&All"};
  return captions[Kind];
}

TModalResult BitBtnModalResult(TBitBtnKind Kind) {
  static const TModalResult results[] = {mrNone, mrOk,    mrCancel, mrNone,   mrYes, mrNo,
                                         mrNone, mrAbort, mrRetry,  mrIgnore, mrAll};
  return results[Kind];
}

TBitBtn::TBitBtn(TComponent* AOwner)
    : TButton(AOwner), FGlyph(std::make_unique<TButtonGlyph>()),
      FCanvas(std::make_unique<TCanvas>()) {
  FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
}

TBitBtn::~TBitBtn() { FGlyph->OnChange = nullptr; }

void TBitBtn::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  Params.Style = (Params.Style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

void TBitBtn::CreateWnd() {
  TButton::CreateWnd();
  FIsFocused = Default();
}

void TBitBtn::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
  case CN_DRAWITEM:
    DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
    Message.Result = 1;
    return;
  case BM_SETSTYLE: // the default-button look is drawn here; the window stays owner-drawn
    FIsFocused = (Message.WParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    Invalidate();
    return;
  case CM_ENABLEDCHANGED:
  case CM_FONTCHANGED:
    TButton::Dispatch(Message);
    Invalidate();
    return;
  default:
    TButton::Dispatch(Message);
  }
}

void TBitBtn::GlyphChanged(TObject*) { Invalidate(); }

void TBitBtn::SetGlyphBitmap(TBitmap* Value) {
  FGlyph->SetGlyph(Value);
  FModifiedGlyph = true;
  Invalidate();
}

bool TBitBtn::IsCaptionStored() const { return Caption() != BitBtnCaption(GetKind()); }

TBitBtnKind TBitBtn::GetKind() const {
  if (FKind == bkCustom) return bkCustom;
  const bool defaultKind = FKind == bkOK || FKind == bkYes;
  const bool cancelKind = FKind == bkCancel || FKind == bkNo;
  if (defaultKind != Default() || cancelKind != Cancel() ||
      ModalResult() != BitBtnModalResult(FKind) || FModifiedGlyph)
    return bkCustom;
  return FKind;
}

void TBitBtn::SetKind(TBitBtnKind Value) {
  if (Value == FKind) return;
  if (Value != bkCustom) {
    SetDefault(Value == bkOK || Value == bkYes);
    SetCancel(Value == bkCancel || Value == bkNo);
    if (!ComponentState().Contains(csLoading) || Caption().empty())
      SetCaption(BitBtnCaption(Value));
    SetModalResult(BitBtnModalResult(Value));
    const auto glyph = NewBitBtnGlyph(Value);
    FGlyph->SetGlyph(glyph.get());
    FGlyph->SetNumGlyphs(2);
    FModifiedGlyph = false;
  }
  FKind = Value;
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TBitBtn::SetMargin(int Value) {
  if (Value == FMargin) return;
  FMargin = Value;
  Invalidate();
}

void TBitBtn::SetNumGlyphCount(TNumGlyphs Value) { FGlyph->SetNumGlyphs(Value); }

void TBitBtn::SetStyle(TButtonStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Invalidate();
}

void TBitBtn::SetSpacing(int Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Invalidate();
}

void TBitBtn::Click() {
  if (FKind == bkClose) {
    if (TCustomForm* form = GetParentForm(this)) return form->Close();
  }
  TButton::Click();
}

// The old look: a black frame around a two-pixel bevel; the new one the system push button.
void TBitBtn::DrawFrame(TRect& R, bool IsDown, bool Disabled) {
  TCanvas* c = FCanvas.get();
  if (IsDown) {
    c->Pen()->SetColor(clBtnShadow);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->Rectangle(R);
    R = Inflated(R, -1);
    return;
  }
  if (FStyle == bsWin31) {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(R);
    DrawEdge(c->Handle(), &R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    DrawEdge(c->Handle(), &R, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    return;
  }
  UINT flags = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
  if (Disabled) flags |= DFCS_INACTIVE;
  DrawFrameControl(c->Handle(), &R, DFC_BUTTON, flags);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& Item) {
  TCanvas* c = FCanvas.get();
  c->SetHandle(Item.hDC);
  const TRect client = ClientRect();
  TRect r = client;
  const bool isDown = (Item.itemState & ODS_SELECTED) != 0;
  const bool hasFocus = (Item.itemState & ODS_FOCUS) != 0;
  const TButtonState state = !Enabled() ? bsDisabled : isDown ? bsDown : bsUp;
  if (FIsFocused || hasFocus || FStyle == bsWin31) {
    c->Pen()->SetColor(clWindowFrame);
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsClear);
    c->Rectangle(r);
    r = Inflated(r, -1);
  }
  DrawFrame(r, isDown, (Item.itemState & ODS_DISABLED) != 0);
  if (FIsFocused) r = Inflated(client, -1);
  c->Font()->Assign(Font());
  if (isDown) r = Moved(r, 1, 1);
  FGlyph->Draw(c, r, TPoint{0, 0}, Caption(), FLayout, FMargin, FSpacing, state);
  if (hasFocus) {
    const TRect focus = Inflated(client, -4);
    DrawFocusRect(c->Handle(), &focus);
  }
  c->SetHandle(nullptr);
}

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TButtonGlyph>()) {
  FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
  FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  FWidth = 23;
  FHeight = 22;
  FColor = clBtnFace;
  FParentColor = false;
}

TSpeedButton::~TSpeedButton() { FGlyph->OnChange = nullptr; }

void TSpeedButton::GlyphChanged(TObject*) { Invalidate(); }

void TSpeedButton::SetGlyphBitmap(TBitmap* Value) {
  FGlyph->SetGlyph(Value);
  Invalidate();
}

void TSpeedButton::SetNumGlyphCount(TNumGlyphs Value) { FGlyph->SetNumGlyphs(Value); }

void TSpeedButton::SetLayout(TButtonLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TSpeedButton::SetMargin(int Value) {
  if (Value == FMargin) return;
  FMargin = Value;
  Invalidate();
}

void TSpeedButton::SetSpacing(int Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  Invalidate();
}

void TSpeedButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (Value == FAllowAllUp) return;
  FAllowAllUp = Value;
  UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  UpdateExclusive();
}

// Down stays false without a group, and a group without AllowAllUp keeps one button down.
void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) Value = false;
  if (Value == FDown) return;
  if (FDown && !FAllowAllUp) return;
  FDown = Value;
  FState = Value ? bsExclusive : bsUp;
  Invalidate();
  if (Value) UpdateExclusive();
}

void TSpeedButton::UpdateExclusive() {
  if (FGroupIndex == 0 || !Parent()) return;
  TMessage message{CM_BUTTONPRESSED, static_cast<WPARAM>(FGroupIndex),
                   reinterpret_cast<LPARAM>(this), 0};
  Parent()->Broadcast(message);
}

void TSpeedButton::CMButtonPressed(TMessage& Message) {
  if (Message.WParam != static_cast<WPARAM>(FGroupIndex)) return;
  auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
  if (sender == this) return;
  if (sender->Down() && FDown) {
    FDown = false;
    FState = bsUp;
    Invalidate();
  }
  FAllowAllUp = sender->AllowAllUp();
}

void TSpeedButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_BUTTONPRESSED) return CMButtonPressed(Message);
  TGraphicControl::Dispatch(Message);
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || !Enabled()) return;
  if (!FDown) {
    FState = bsDown;
    Invalidate();
  }
  FDragging = true;
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!FDragging) return;
  const bool inside = ClientRect().Contains(TPoint{X, Y});
  TButtonState state = FDown ? bsExclusive : bsUp;
  if (inside) state = FDown ? bsExclusive : bsDown;
  if (state == FState) return;
  FState = state;
  Invalidate();
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FDragging) return;
  FDragging = false;
  const bool doClick = ClientRect().Contains(TPoint{X, Y});
  if (FGroupIndex == 0) {
    FState = bsUp;
    FMouseInControl = FMouseInControl && doClick;
    Invalidate();
  } else if (doClick) {
    SetDown(!FDown);
    FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  } else {
    FState = FDown ? bsExclusive : bsUp;
    Invalidate();
  }
  if (doClick) Click();
}

void TSpeedButton::CMMouseEnter(TMessage& Message) {
  TGraphicControl::CMMouseEnter(Message);
  if (FFlat && !FMouseInControl && Enabled() && !CaptureControl()) {
    FMouseInControl = true;
    Invalidate();
  }
}

void TSpeedButton::CMMouseLeave(TMessage& Message) {
  TGraphicControl::CMMouseLeave(Message);
  if (FFlat && FMouseInControl && Enabled() && !FDragging) {
    FMouseInControl = false;
    Invalidate();
  }
}

void TSpeedButton::PaintFace(TRect& PaintRect) {
  TCanvas* c = Canvas();
  const bool pressed = FState == bsDown || FState == bsExclusive;
  if (!FFlat) {
    UINT flags = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (pressed) flags |= DFCS_PUSHED;
    DrawFrameControl(c->Handle(), &PaintRect, DFC_BUTTON, flags);
    return;
  }
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  c->FillRect(PaintRect);
  if (pressed || (FMouseInControl && FState != bsDisabled)) {
    TRect edge = PaintRect;
    DrawEdge(c->Handle(), &edge, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  }
  PaintRect = Inflated(PaintRect, -1);
}

void TSpeedButton::Paint() {
  if (!Enabled()) {
    FState = bsDisabled;
    FDragging = false;
  } else if (FState == bsDisabled) {
    FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
  }
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  TRect paintRect = Rect(0, 0, Width(), Height());
  PaintFace(paintRect);
  TPoint offset{0, 0};
  if (FState == bsDown || FState == bsExclusive) {
    if (FState == bsExclusive && (!FFlat || !FMouseInControl)) {
      TBitmap pattern; // the checked look: face and highlight dots
      pattern.SetSize(8, 8);
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
          pattern.Canvas()->SetPixels(x, y, (x + y) % 2 ? clBtnHighlight : clBtnFace);
      c->Brush()->SetBitmap(&pattern);
      c->FillRect(paintRect);
      c->Brush()->SetBitmap(nullptr);
    }
    offset = TPoint{1, 1};
  }
  FGlyph->Draw(c, paintRect, offset, Caption(), FLayout, FMargin, FSpacing, FState);
}
