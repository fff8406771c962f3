#include "surfaces/LumImage.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Dialogs.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/FileSystem.h"
#include "framework/rtl/Maths.h"
#include "framework/rtl/Strings.h"

#include <algorithm>
#include <cmath>

namespace {

const bool ImageRegistered = (RegisterClass<TLumImage, TLumScrollText>(), true);

int Nearest(double V) { return static_cast<int>(Round(V)); }

TRect Sized(int Left, int Top, int Width, int Height) {
  return Rect(Left, Top, Left + Width, Top + Height);
}

// The picture scaled to fit Area keeping its proportions, at Area's top-left corner.
TRect Fitted(TRect Area, int Gw, int Gh, double Sx, double Sy) {
  if (Sx < Sy)
    Area.Bottom = Area.Top + Nearest(Gh * Sx);
  else
    Area.Right = Area.Left + Nearest(Gw * Sy);
  return Area;
}

std::vector<TRect> Pattern(const TRect& A, int Gw, int Gh) {
  std::vector<TRect> tiles;
  for (int c = 1; c <= A.Width() / Gw + 1; ++c)
    for (int k = 1; k <= A.Height() / Gh + 1; ++k)
      tiles.push_back(Sized(A.Left + (c - 1) * Gw, A.Top + (k - 1) * Gh, Gw, Gh));
  return tiles;
}

// Whole scaled copies, as many as fit, centred as a group along the longer side.
std::vector<TRect> PatternOptimal(const TRect& A, int Gw, int Gh, double Sx, double Sy) {
  std::vector<TRect> tiles;
  if (Sx < Sy) {
    const int th = Nearest(Gh * Sx);
    const auto n = static_cast<int>(Trunc(Sy / Sx));
    const int d = A.Height() - Nearest(n * Sx * Gh);
    if (th <= 0) return tiles;
    for (int i = 1; i <= n; ++i) {
      const int bottom = A.Top + i * th + d / 2;
      tiles.push_back(Rect(A.Left, bottom - th, A.Right, bottom));
    }
    return tiles;
  }
  const int tw = Nearest(Gw * Sy);
  const auto n = static_cast<int>(Trunc(Sx / Sy));
  const int d = A.Width() - Nearest(n * Sy * Gw);
  if (tw <= 0) return tiles;
  for (int i = 1; i <= n; ++i) {
    const int right = A.Left + i * tw + d / 2;
    tiles.push_back(Rect(right - tw, A.Top, right, A.Bottom));
  }
  return tiles;
}

// Scaled copies side by side from the top or left edge; the last one runs past the edge.
std::vector<TRect> PatternStretch(const TRect& A, int Gw, int Gh, double Sx, double Sy) {
  std::vector<TRect> tiles;
  if (Sx < Sy) {
    const int th = Nearest(Gh * Sx);
    const auto n = static_cast<int>(Trunc(Sy / Sx));
    if (th <= 0) return tiles;
    for (int i = 0; i <= n; ++i)
      tiles.push_back(Rect(A.Left, A.Top + i * th, A.Right, A.Top + (i + 1) * th));
    return tiles;
  }
  const int tw = Nearest(Gw * Sy);
  const auto n = static_cast<int>(Trunc(Sx / Sy));
  if (tw <= 0) return tiles;
  for (int i = 0; i <= n; ++i)
    tiles.push_back(Rect(A.Left + i * tw, A.Top, A.Left + (i + 1) * tw, A.Bottom));
  return tiles;
}

} // namespace

std::vector<TRect> ImagePlacement(TLumImageTyp Type, const TRect& Area, int ClientWidth,
                                  int ClientHeight, int GraphicWidth, int GraphicHeight) {
  const int gw = GraphicWidth, gh = GraphicHeight;
  if (gw <= 0 || gh <= 0) return {};
  const double sx = static_cast<double>(Area.Width()) / gw;
  const double sy = static_cast<double>(Area.Height()) / gh;
  switch (Type) {
  case btNormal:
    return {Sized(Area.Left, Area.Top, gw, gh)};
  case btCenter:
    return {Sized((ClientWidth - gw) / 2, (ClientHeight - gh) / 2, gw, gh)};
  case btStretch:
    return {Area};
  case btOptimal:
    return {Fitted(Area, gw, gh, sx, sy)};
  case btCenterOptimal: {
    TRect r = Fitted(Area, gw, gh, sx, sy);
    const int dx = (Area.Width() - r.Width()) / 2, dy = (Area.Height() - r.Height()) / 2;
    return {Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy)};
  }
  case btPattern:
    return Pattern(Area, gw, gh);
  case btPatternOptimal:
    return PatternOptimal(Area, gw, gh, sx, sy);
  case btPatternStretch:
    return PatternStretch(Area, gw, gh, sx, sy);
  }
  return {};
}

Word ClampedFrameWidth(Word Value, int Width, int Height) {
  int w = Value;
  if (w > Width / 2) w = Width / 2;
  if (w > Height / 2) w = Height / 2;
  return static_cast<Word>(std::max(w, 1));
}

TLumImage::TLumImage(TComponent* AOwner)
    : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  FWidth = 30;
  FHeight = 30;
  FPicture->SetOnChange([this](TObject*) { Invalidate(); });
}

TLumImage::~TLumImage() = default;

template <class T> void TLumImage::Change(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  Invalidate();
}

void TLumImage::SetBildTyp(TLumImageTyp Value) { Change(FImageType, Value); }
void TLumImage::SetRahmen(bool Value) { Change(FFrame, Value); }
void TLumImage::SetRahmenfarbe(TColor Value) { Change(FFrameColor, Value); }
void TLumImage::SetRahmenstaerke(Word Value) {
  Change(FFrameWidth, ClampedFrameWidth(Value, FWidth, FHeight));
}

void TLumImage::SetPicture(TPicture* Value) {
  FPicture->Assign(Value);
  FFilename.clear();
  Invalidate();
}

void TLumImage::SetDateiname(const String& Value) {
  if (!FileExists(Value)) {
    if (Value.empty()) {
      FFilename.clear();
      FPicture->Assign(nullptr);
      Invalidate();
    } else {
      MessageDlg("Bild nicht gefunden!", mtError, TMsgDlgButtons{mbOK}, 0);
    }
    return;
  }
  if (Value == FFilename) return;
  LoadPicture(Value);
  FFilename = Value;
  Invalidate();
}

void TLumImage::LoadPicture(const String& FileName) {
  if (UpperCase(ExtractFileExt(FileName)) != ".LUM") {
    FPicture->LoadFromFile(FileName);
    return;
  }
  TBitmap bitmap;
  bitmap.LoadFromFile(FileName);
  FPicture->Assign(&bitmap);
}

void TLumImage::Paint() {
  TRect r = ClientRect();
  if (FFrame) {
    const int inset = FFrameWidth - 1;
    r = Rect(r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset);
  }
  TGraphic* graphic = FPicture->Graphic();
  if (graphic && !graphic->Empty())
    for (const TRect& tile :
         ImagePlacement(FImageType, r, FWidth, FHeight, graphic->Width(), graphic->Height()))
      Canvas()->StretchDraw(tile, graphic);
  if (FFrame && FFrameWidth > 0) PaintFrame();
}

void TLumImage::PaintFrame() {
  TCanvas* canvas = Canvas();
  const int h = FFrameWidth / 2;
  const int h2 = FFrameWidth % 2 == 0 ? h : h + 1;
  const TPoint outline[] = {
      {h, h}, {FWidth - h2, h}, {FWidth - h2, FHeight - h2}, {h, FHeight - h2}, {h, h}};
  canvas->Pen()->SetColor(FFrameColor);
  canvas->Pen()->SetWidth(FFrameWidth);
  canvas->Polyline(outline);
  canvas->Pen()->SetColor(clWindowText);
  canvas->Pen()->SetWidth(1);
}

TLumScrollText::TLumScrollText(TComponent* AOwner)
    : TPaintBox(AOwner), FItems(std::make_unique<TStringList>()),
      FTimer(std::make_unique<TTimer>(nullptr)) {
  auto* parent = dynamic_cast<TWinControl*>(AOwner);
  if (!parent) throw EComponentError("TLumScrollText needs a windowed control as its owner");
  SetParent(parent);
  FFont->SetColor(clWhite);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(static_cast<Cardinal>(FInterval));
  FTimer->SetOnTimer([this](TObject*) { ScrollStep(); });
  FItems->SetOnChange([this](TObject*) { Layout(); });
  Layout();
}

TLumScrollText::~TLumScrollText() = default;

void TLumScrollText::SetIntervall(Integer Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  FTimer->SetInterval(static_cast<Cardinal>(std::max(Value, 0)));
}

void TLumScrollText::SetScrollPixelX(Integer Value) {
  if (Value == FScrollPixelX || std::abs(Value) >= FWidth) return;
  FScrollPixelX = Value;
  Layout();
}

void TLumScrollText::SetScrollPixelY(Integer Value) {
  if (Value == FScrollPixelY || std::abs(Value) >= FHeight) return;
  FScrollPixelY = Value;
  Layout();
}

void TLumScrollText::SetStart(bool Value) {
  if (Value == FStart) return;
  FStart = Value;
  FTimer->SetEnabled(Value);
}

void TLumScrollText::SetTransparenz(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

int TLumScrollText::BlockHeight() const { return FItems->Count() * FLineSpacing; }

// Measured on a memory DC in the control's font, so a layout before the parent has a window
// does not make one.
void TLumScrollText::Layout() {
  const HDC dc = CreateCompatibleDC(nullptr);
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font()->Assign(FFont.get());
    FWidest = 1;
    for (int i = 0; i < FItems->Count(); ++i)
      FWidest = std::max(FWidest, canvas.TextWidth(FItems->Strings(i)));
    canvas.SetHandle(nullptr);
  }
  DeleteDC(dc);
  FX = FScrollPixelX < 0 ? FWidth : -FWidest;
  FY = FScrollPixelY < 0 ? FHeight : -BlockHeight();
  if (FScrollPixelX == 0) {
    FX = 0;
    FWidest = FWidth;
  }
  if (FScrollPixelY == 0) FY = (FHeight - BlockHeight()) / 2;
  Repaint();
}

void TLumScrollText::ScrollStep() {
  if (FItems->Count() == 0) return;
  FY += FScrollPixelY;
  if (FScrollPixelY < 0) {
    if (FY + BlockHeight() < 0) FY = FHeight;
  } else if (FY > FHeight) {
    FY = -BlockHeight();
  }
  FX += FScrollPixelX;
  if (FScrollPixelX < 0) {
    if (FX + FWidest < 0) FX = FWidth;
  } else if (FX > FWidth) {
    FX = -FWidest;
  }
  Repaint();
}

void TLumScrollText::Paint() {
  TPaintBox::Paint();
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(FFont.get());
  canvas->Brush()->SetStyle(FTransparent ? bsClear : bsSolid);
  SetBkMode(canvas->Handle(), FTransparent ? TRANSPARENT : OPAQUE);
  for (int i = 0; i < FItems->Count(); ++i) {
    const String& line = FItems->Strings(i);
    const int tw = canvas->TextWidth(line);
    canvas->TextOut(FX + (FWidth - tw) / 2 - (FWidth - FWidest) / 2, FY + FLineSpacing * i, line);
  }
}
