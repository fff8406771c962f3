#include "surfaces/LumEffekt.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Dialogs.h"
#include "framework/rtl/Strings.h"
#include "surfaces/LumEffektEditor.h"

#include <algorithm>

namespace {

const bool EffectRegistered = (RegisterClass<TLumEffect>(), true);

// Blend steps of the gradient patterns.
constexpr int Steps = 256;

std::uint32_t Opaque(TColor Colour) {
  const auto c = static_cast<std::uint32_t>(ColorToRGB(Colour));
  return 0xFF000000u | (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
}

void Line(TCanvas* Canvas, int X1, int Y1, int X2, int Y2) {
  Canvas->MoveTo(X1, Y1);
  Canvas->LineTo(X2, Y2);
}

// The blend step of a three-colour pattern pixel: there and back again.
int ThereAndBack(int I) { return I < Steps ? I + 1 : 2 * Steps - I; }

} // namespace

// The form's paint handler while a painter hooks it: the previous handler first, then the
// painter's decorations as long as the painter lives. A painter that goes before its form
// clears Effect, and the hook only passes the paint on from then.
class TEffectPaintHook {
public:
  TLumEffect* Effect = nullptr;
  TNotifyEvent Previous;
};

namespace {

struct TEffectPaintCall {
  std::shared_ptr<TEffectPaintHook> Hook;
  void operator()(TObject* Sender) const {
    const std::shared_ptr<TEffectPaintHook> hook = Hook; // the handler may replace this call
    if (hook->Previous) hook->Previous(Sender);
    if (hook->Effect) hook->Effect->PaintEffects();
  }
};

} // namespace

TColor EffectBlend(TColor Color1, TColor Color2, int I) {
  const auto a = static_cast<std::uint32_t>(ColorToRGB(Color1));
  const auto b = static_cast<std::uint32_t>(ColorToRGB(Color2));
  std::uint32_t blend = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t x = a >> shift & 0xFFu, y = b >> shift & 0xFFu;
    const auto mixed =
        (x * static_cast<std::uint32_t>(Steps - I) + y * static_cast<std::uint32_t>(I)) / Steps;
    blend |= mixed << shift;
  }
  return static_cast<TColor>(blend);
}

void BuildEffectPattern(TBitmap* Pattern, TEffectStyle Style, TColor Color1, TColor Color2) {
  const auto blend = [&](int I) { return Opaque(EffectBlend(Color1, Color2, I)); };
  TRaster raster;
  switch (Style) {
  case esNone:
    raster = TRaster(1, 1, Opaque(clBtnFace));
    break;
  case es2ColorsVertical:
  case es3ColorsVertical:
    raster = TRaster(1, Style == es2ColorsVertical ? Steps : 2 * Steps);
    for (int y = 0; y < raster.Height; ++y) raster.At(0, y) = blend(ThereAndBack(y));
    break;
  case es2ColorsHorizontal:
  case es3ColorsHorizontal:
    raster = TRaster(Style == es2ColorsHorizontal ? Steps : 2 * Steps, 1);
    for (int x = 0; x < raster.Width; ++x) raster.At(x, 0) = blend(ThereAndBack(x));
    break;
  case es2ColorsDiagonal1:
  case es2ColorsDiagonal2:
    raster = TRaster(Steps, Steps);
    for (int b = 0; b < Steps; ++b)
      for (int a = 0; a < Steps; ++a)
        raster.At(Style == es2ColorsDiagonal1 ? a : Steps - 1 - a, b) = blend((a + b) / 2 + 1);
    break;
  case esPictureStretch:
  case esPictureTile:
    return;
  }
  Pattern->AssignRaster(raster, pfDevice);
}

TRect EffectArea(const TRect& Control, const TEffectGeometry& G) {
  return Rect(Control.Left - G.EffectWidth, Control.Top - G.EffectHeight,
              Control.Right + G.EffectWidth, Control.Bottom + G.EffectHeight);
}

TRect EffectCover(const TRect& Control, const TEffectGeometry& G) {
  const int b = G.BorderWidth;
  return Rect(Control.Left - G.EffectWidth - b, Control.Top - G.EffectHeight - b,
              Control.Right + G.EffectWidth + b + G.ShadowWidth + 1,
              Control.Bottom + G.EffectHeight + b + G.ShadowWidth + 1);
}

std::vector<TRect> EffectTiles(const TRect& Area, int Pw, int Ph) {
  std::vector<TRect> tiles;
  if (Pw <= 0 || Ph <= 0) return tiles;
  const int w = Area.Width(), h = Area.Height();
  for (int c = 0; c * Pw <= w; ++c)
    for (int r = 0; r * Ph <= h; ++r) {
      const int x = c * Pw, y = r * Ph;
      const TRect tile = Rect(Area.Left + x, Area.Top + y, Area.Left + x + std::min(Pw, w - x),
                              Area.Top + y + std::min(Ph, h - y));
      if (!tile.IsEmpty()) tiles.push_back(tile);
    }
  return tiles;
}

TLumEffect::TLumEffect(TComponent* AOwner)
    : TComponent(AOwner), FValidComponents(std::make_unique<TStringList>()),
      FSnapshot(std::make_unique<TStringList>()), FPattern(std::make_unique<TBitmap>()),
      FPicture(std::make_unique<TPicture>()) {
  FValidComponents->SetOnChanging([this](TObject* Sender) { ListChanging(Sender); });
  FValidComponents->SetOnChange([this](TObject* Sender) { ListChanged(Sender); });
  FPicture->SetOnChange([this](TObject* Sender) { PictureChange(Sender); });
  RebuildPattern();
  FForm = dynamic_cast<TCustomForm*>(AOwner);
  if (!FForm) {
    ShowMessage("This component can\u00B4t work correctly!");
    return;
  }
  FHook = std::make_shared<TEffectPaintHook>();
  FHook->Effect = this;
  FHook->Previous = FForm->OnPaint();
  FForm->SetOnPaint(TEffectPaintCall{FHook});
}

TLumEffect::~TLumEffect() {
  if (!FHook) return;
  FHook->Effect = nullptr;
  if (!FForm || FForm->ComponentState().Contains(csDestroying)) return;
  const auto* call = FForm->OnPaint().target<TEffectPaintCall>();
  if (call && call->Hook == FHook) FForm->SetOnPaint(FHook->Previous);
}

void TLumEffect::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FForm) FForm = nullptr;
}

bool TLumEffect::Active() const {
  const TComponentState state = ComponentState();
  return FForm && !state.Contains(csDesigning) && !state.Contains(csLoading);
}

TEffectGeometry TLumEffect::Geometry() const {
  return {FEffectWidth, FEffectHeight, FBorderStyle == bsSingle ? FBorderWidth : 0, FShadowWidth};
}

template <class T> void TLumEffect::Change(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  PaintEffects();
}

template <class T> void TLumEffect::ChangePattern(T& Field, T Value) {
  if (Field == Value) return;
  Field = Value;
  RebuildPattern();
  PaintEffects();
}

void TLumEffect::SetEffectStyle(TEffectStyle Value) { ChangePattern(FEffectStyle, Value); }
void TLumEffect::SetEffectColor1(TColor Value) { ChangePattern(FEffectColor1, Value); }
void TLumEffect::SetEffectColor2(TColor Value) { ChangePattern(FEffectColor2, Value); }
void TLumEffect::SetEffectWidth(Integer Value) { Change(FEffectWidth, Value); }
void TLumEffect::SetEffectHeight(Integer Value) { Change(FEffectHeight, Value); }
void TLumEffect::SetBorderStyle(TBorderStyle Value) { Change(FBorderStyle, Value); }
void TLumEffect::SetBorderWidth(Integer Value) { Change(FBorderWidth, Value); }
void TLumEffect::SetBorderColor(TColor Value) { Change(FBorderColor, Value); }
void TLumEffect::SetShadow(bool Value) { Change(FShadow, Value); }
void TLumEffect::SetShadowColor(TColor Value) { Change(FShadowColor, Value); }
void TLumEffect::SetShadowWidth(Integer Value) { Change(FShadowWidth, Value); }

void TLumEffect::SetValidComponents(TStringList* Value) {
  if (Value == FValidComponents.get()) return;
  FValidComponents->Assign(Value);
}

void TLumEffect::SetPicture(TPicture* Value) { FPicture->Assign(Value); }

void TLumEffect::PictureChange(TObject*) { PaintEffects(); }

void TLumEffect::RebuildPattern() {
  BuildEffectPattern(FPattern.get(), FEffectStyle, FEffectColor1, FEffectColor2);
}

bool TLumEffect::Execute() { return EditEffect(this, Name() + " - Effect Editor"); }

void TLumEffect::ListChanging(TObject*) { FSnapshot->Assign(FValidComponents.get()); }

void TLumEffect::ListChanged(TObject*) {
  if (!Active()) return;
  for (int i = 0; i < FSnapshot->Count(); ++i) {
    const String name = FSnapshot->Strings(i);
    if (FValidComponents->IndexOf(name) >= 0) continue;
    for (int c = 0; c < FForm->ComponentCount(); ++c) {
      auto* control = dynamic_cast<TControl*>(FForm->Components(c));
      if (control && SameText(control->Name(), name)) InvalidateCover(control);
    }
  }
  PaintEffects();
}

void TLumEffect::InvalidateCover(TControl* Control) {
  TWinControl* parent = Control->Parent();
  if (!parent || !parent->HandleAllocated()) return;
  const RECT cover = EffectCover(Control->BoundsRect(), Geometry());
  InvalidateRect(parent->Handle(), &cover, TRUE);
}

void TLumEffect::PaintEffects() {
  if (!Active()) return;
  for (int c = 0; c < FForm->ComponentCount(); ++c) {
    auto* control = dynamic_cast<TControl*>(FForm->Components(c));
    if (!control) continue;
    for (int i = 0; i < FValidComponents->Count(); ++i)
      if (SameText(control->Name(), FValidComponents->Strings(i))) DrawEffect(control);
  }
}

void TLumEffect::DrawEffect(TControl* Control) {
  TWinControl* parent = Control->Parent();
  if (!parent || !parent->HandleAllocated()) return;
  parent->Update();
  const HWND window = parent->Handle();
  const HDC dc = GetDC(window);
  {
    TCanvas canvas;
    canvas.SetHandle(dc);
    const TRect area = EffectArea(Control->BoundsRect(), Geometry());
    if (FBorderStyle == bsSingle) DrawBorder(&canvas, area);
    FillArea(&canvas, area);
    if (FShadow) DrawShadow(&canvas, area);
    canvas.SetHandle(nullptr);
  }
  ReleaseDC(window, dc);
}

void TLumEffect::DrawBorder(TCanvas* Canvas, const TRect& Area) {
  Canvas->Pen()->SetColor(FBorderColor);
  const int l = Area.Left, t = Area.Top, r = Area.Right, b = Area.Bottom;
  for (int k = 1; k <= FBorderWidth; ++k) {
    const TPoint ring[] = {{l - k, t - k},
                           {r + k - 1, t - k},
                           {r + k - 1, b + k - 1},
                           {l - k, b + k - 1},
                           {l - k, t - k}};
    Canvas->Polyline(ring);
  }
}

void TLumEffect::FillArea(TCanvas* Canvas, const TRect& Area) {
  TGraphic* picture = FPicture->Graphic();
  switch (FEffectStyle) {
  case esPictureStretch:
    if (picture && !picture->Empty()) Canvas->StretchDraw(Area, picture);
    return;
  case esPictureTile:
    TileArea(Canvas, Area);
    return;
  default:
    Canvas->StretchDraw(Area, FPattern.get());
  }
}

// The tiles of one row go into a strip first, and the strip is copied row by row: the same
// pixels as a block transfer per tile, with far fewer transfers.
void TLumEffect::TileArea(TCanvas* Canvas, const TRect& Area) {
  TGraphic* picture = FPicture->Graphic();
  if (!picture || picture->Empty() || Area.IsEmpty()) return;
  auto* bitmap = dynamic_cast<TBitmap*>(picture);
  TBitmap copy;
  if (!bitmap) {
    copy.SetSize(picture->Width(), picture->Height());
    copy.Canvas()->Draw(0, 0, picture);
    bitmap = &copy;
  }
  const int pw = bitmap->Width(), ph = bitmap->Height();
  TBitmap strip;
  strip.SetSize(Area.Width(), std::min(ph, Area.Height()));
  const HDC source = bitmap->Canvas()->Handle();
  const HDC row = strip.Canvas()->Handle();
  for (const TRect& tile : EffectTiles(Rect(0, 0, strip.Width(), strip.Height()), pw, ph))
    BitBlt(row, tile.Left, tile.Top, tile.Width(), tile.Height(), source, 0, 0, SRCCOPY);
  const HDC dest = Canvas->Handle();
  for (int y = 0; y < Area.Height(); y += ph)
    BitBlt(dest, Area.Left, Area.Top + y, Area.Width(), std::min(ph, Area.Height() - y), row, 0, 0,
           SRCCOPY);
}

void TLumEffect::DrawShadow(TCanvas* Canvas, const TRect& Area) {
  const int b = FBorderStyle == bsSingle ? FBorderWidth : 0;
  const int l = Area.Left, t = Area.Top, r = Area.Right, bottom = Area.Bottom;
  Canvas->Pen()->SetColor(FShadowColor);
  for (int k = 0; k <= FShadowWidth; ++k) {
    Line(Canvas, l - b + k + 1, bottom + b + k, r + b + k, bottom + b + k);
    Line(Canvas, r + b + k, t - b + k, r + b + k, bottom + b + k + 1);
  }
}
