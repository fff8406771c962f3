#include "framework/controls/ImgList.h"

#include "framework/graphics/Color.h"

#include <algorithm>

namespace {

// How a pixel of a disabled image shows: dark pixels make the embossed shape.
bool IsDark(COLORREF C) {
  const auto r = C & 0xFF, g = C >> 8 & 0xFF, b = C >> 16 & 0xFF;
  return r * 30 + g * 59 + b * 11 < 192 * 100;
}

// A colour of the picture's colour space that no opaque pixel has.
TColor UnusedColor(const std::vector<TColor>& Pixels, const std::vector<bool>& Opaque) {
  for (TColor key = 0xFF00FF;; key = (key + 0x010203) & 0xFFFFFF) {
    bool used = false;
    for (std::size_t i = 0; i < Pixels.size() && !used; ++i) used = Opaque[i] && Pixels[i] == key;
    if (!used) return key;
  }
}

} // namespace

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

TImageList::~TImageList() = default;

void TImageList::SetHeight(int Value) {
  if (Value == FHeight || Value < 1) return;
  FHeight = Value;
  Clear();
}

void TImageList::SetWidth(int Value) {
  if (Value == FWidth || Value < 1) return;
  FWidth = Value;
  Clear();
}

void TImageList::Change() {
  if (OnChange) OnChange(this);
}

int TImageList::AddStrip(TBitmap* Image,
                         const std::function<bool(int X, int Y, TColor C)>& IsOpaque) {
  if (!Image || Image->Width() < FWidth || Image->Height() < FHeight)
    throw EInvalidOperation("Invalid image size");
  const int first = Count();
  TCanvas* source = Image->Canvas();
  for (int n = 0; n < Image->Width() / FWidth; ++n) {
    TImage image;
    image.Pixels.reserve(static_cast<std::size_t>(FWidth * FHeight));
    for (int y = 0; y < FHeight; ++y)
      for (int x = 0; x < FWidth; ++x) {
        const TColor c = source->Pixels(n * FWidth + x, y);
        image.Pixels.push_back(c);
        image.Opaque.push_back(IsOpaque(n * FWidth + x, y, c));
      }
    FImages.push_back(std::move(image));
  }
  Change();
  return first;
}

int TImageList::Add(TBitmap* Image, TBitmap* Mask) {
  TCanvas* mask = Mask && !Mask->Empty() ? Mask->Canvas() : nullptr;
  const int maskWidth = Mask ? Mask->Width() : 0, maskHeight = Mask ? Mask->Height() : 0;
  return AddStrip(Image, [&](int X, int Y, TColor) {
    if (!mask || X >= maskWidth || Y >= maskHeight) return true;
    return (ColorToRGB(mask->Pixels(X, Y)) & 0xFFFFFFu) != 0xFFFFFFu;
  });
}

int TImageList::AddMasked(TBitmap* Image, TColor MaskColor) {
  if (Image && !Image->Empty() && MaskColor == clDefault)
    MaskColor = Image->Canvas()->Pixels(0, Image->Height() - 1);
  const COLORREF key = ColorToRGB(MaskColor);
  return AddStrip(Image, [&](int, int, TColor C) { return ColorToRGB(C) != key; });
}

void TImageList::Delete(int Index) {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  FImages.erase(FImages.begin() + Index);
  Change();
}

void TImageList::Clear() {
  if (FImages.empty()) return;
  FImages.clear();
  Change();
}

TColor TImageList::PixelOf(int Index, int X, int Y) const {
  return FImages.at(static_cast<std::size_t>(Index))
      .Pixels.at(static_cast<std::size_t>(Y * FWidth + X));
}

bool TImageList::OpaqueAt(int Index, int X, int Y) const {
  return FImages.at(static_cast<std::size_t>(Index))
      .Opaque.at(static_cast<std::size_t>(Y * FWidth + X));
}

// Draws the opaque pixels (or, embossing, the dark ones in one colour) through a bitmap
// whose other pixels have a colour the transparent blit leaves out.
void TImageList::DrawShape(TCanvas* Canvas, int X, int Y, const TImage& Image, bool Emboss,
                           TColor Color) {
  std::vector<bool> shown = Image.Opaque;
  std::vector<TColor> pixels = Image.Pixels;
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    if (Emboss) shown[i] = shown[i] && IsDark(ColorToRGB(pixels[i]));
    if (Emboss) pixels[i] = static_cast<TColor>(ColorToRGB(Color));
  }
  const TColor key = UnusedColor(pixels, shown);
  TBitmap composite;
  composite.SetPixelFormat(pf24bit);
  composite.SetSize(FWidth, FHeight);
  TCanvas* c = composite.Canvas();
  for (int y = 0; y < FHeight; ++y)
    for (int x = 0; x < FWidth; ++x) {
      const auto i = static_cast<std::size_t>(y * FWidth + x);
      c->SetPixels(x, y, shown[i] ? pixels[i] : key);
    }
  TransparentBlt(Canvas->Handle(), X, Y, FWidth, FHeight, c->Handle(), 0, 0, FWidth, FHeight,
                 static_cast<UINT>(key));
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled) {
  if (!Canvas || Index < 0 || Index >= Count()) return;
  const TImage& image = FImages[static_cast<std::size_t>(Index)];
  if (Enabled) {
    DrawShape(Canvas, X, Y, image, false, clNone);
    return;
  }
  DrawShape(Canvas, X + 1, Y + 1, image, true, clBtnHighlight);
  DrawShape(Canvas, X, Y, image, true, clBtnShadow);
}
