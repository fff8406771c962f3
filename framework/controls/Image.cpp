#include "framework/controls/Image.h"

#include "framework/graphics/Bitmap.h"

namespace {

// The largest size of the picture's proportions that fits the client.
TPoint FitProportionally(int W, int H, int ClientW, int ClientH) {
  const double aspect = static_cast<double>(W) / H;
  if (W > H) {
    W = ClientW;
    H = static_cast<int>(ClientW / aspect);
    if (H > ClientH) {
      H = ClientH;
      W = static_cast<int>(ClientH * aspect);
    }
  } else {
    H = ClientH;
    W = static_cast<int>(ClientH * aspect);
    if (W > ClientW) {
      W = ClientW;
      H = static_cast<int>(ClientW / aspect);
    }
  }
  return TPoint{W, H};
}

} // namespace

TImage::TImage(TComponent* AOwner)
    : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  FControlStyle.Include(csReplicatable);
  FWidth = 105;
  FHeight = 105;
  FPicture->SetOnChange([this](TObject* Sender) { PictureChanged(Sender); });
}

TImage::~TImage() { FPicture->SetOnChange(nullptr); }

TRect TImage::DestRect() {
  int w = FPicture->Width();
  int h = FPicture->Height();
  const int cw = ClientWidth();
  const int ch = ClientHeight();
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      const TPoint fit = FitProportionally(w, h, cw, ch);
      w = fit.X;
      h = fit.Y;
    } else {
      w = cw;
      h = ch;
    }
  }
  if (!FCenter) return Rect(0, 0, w, h);
  const int dx = (cw - w) / 2;
  const int dy = (ch - h) / 2;
  return Rect(dx, dy, dx + w, dy + h);
}

void TImage::Paint() {
  TGraphic* graphic = FPicture->Graphic();
  if (!graphic || graphic->Empty()) return;
  TGraphicControl::Canvas()->StretchDraw(DestRect(), graphic);
}

TCanvas* TImage::Canvas() {
  if (!FPicture->Graphic()) {
    TBitmap bitmap;
    bitmap.SetSize(Width(), Height());
    FPicture->SetGraphic(&bitmap);
  }
  auto* bitmap = dynamic_cast<TBitmap*>(FPicture->Graphic());
  if (!bitmap) throw EInvalidOperation("Can only modify an image if it contains a bitmap");
  return bitmap->Canvas();
}

void TImage::PictureChanged(TObject*) {
  if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
    SetBounds(Left(), Top(), FPicture->Width(), FPicture->Height());
  TGraphic* graphic = FPicture->Graphic();
  if (graphic && graphic->Transparent() != FTransparent) graphic->SetTransparent(FTransparent);
  // Opaque only while the picture covers the whole control.
  const TRect dest = DestRect();
  const bool covers =
      dest.Left <= 0 && dest.Top <= 0 && dest.Right >= Width() && dest.Bottom >= Height();
  if (graphic && !graphic->Transparent() && covers)
    FControlStyle.Include(csOpaque);
  else
    FControlStyle.Exclude(csOpaque);
  Invalidate();
}

void TImage::SetOption(bool& Field, bool Value) {
  if (Field == Value) return;
  Field = Value;
  PictureChanged(nullptr);
}

void TImage::SetAutoSize(bool Value) { SetOption(FAutoSize, Value); }
void TImage::SetCenter(bool Value) { SetOption(FCenter, Value); }
void TImage::SetProportional(bool Value) { SetOption(FProportional, Value); }
void TImage::SetStretch(bool Value) { SetOption(FStretch, Value); }
void TImage::SetTransparent(bool Value) { SetOption(FTransparent, Value); }
