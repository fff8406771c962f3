#include "framework/win32/gdi/DeviceContext.h"

#include "framework/win32/gdi/Rop.h"
#include "framework/win32/gdi/SysColors.h"

#include <algorithm>

namespace {

constexpr long long DeviceLimit = 1LL << 27;

int ClampToDevice(long long v) {
  return static_cast<int>(std::clamp(v, -DeviceLimit, DeviceLimit));
}

// Hatch rows, top to bottom; bit 0x80 is the leftmost pixel.
constexpr std::uint8_t HatchRows[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}, // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}, // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}, // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}, // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}, // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}, // HS_DIAGCROSS
};

std::shared_ptr<const TPattern> HatchPattern(int hatch, std::uint32_t ink, std::uint32_t paper,
                                             bool opaque) {
  auto p = std::make_shared<TPattern>();
  p->Width = p->Height = 8;
  p->Pixels.resize(64);
  if (!opaque) p->Opaque.resize(64);
  const auto& rows = HatchRows[std::clamp(hatch, 0, 5)];
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool set = rows[y] >> (7 - x) & 1u;
      p->Pixels[static_cast<std::size_t>(y * 8 + x)] = set ? ink : paper;
      if (!opaque) p->Opaque[static_cast<std::size_t>(y * 8 + x)] = set ? 1 : 0;
    }
  }
  return p;
}

std::shared_ptr<const TPattern> BitmapPattern(const TGdiBrush& brush, std::uint32_t text,
                                              std::uint32_t bk) {
  auto p = std::make_shared<TPattern>();
  p->Width = brush.PatternBits.Width;
  p->Height = brush.PatternBits.Height;
  p->Pixels.reserve(brush.PatternBits.Pixels.size());
  for (std::uint32_t px : brush.PatternBits.Pixels) {
    const std::uint32_t rgb = px & 0x00FFFFFFu;
    p->Pixels.push_back(brush.PatternMonochrome ? (rgb ? bk : text) : rgb);
  }
  return p;
}

} // namespace

THandleId CreateSurfaceDc(TRaster* surface, TPoint origin, TRegion systemClip) {
  return TGdiHandles::Instance().AddDc(
      std::make_unique<TDeviceContext>(surface, origin, std::move(systemClip)));
}

std::uint32_t ColorRefToPixel(std::uint32_t c) {
  return (c & 0xFFu) << 16 | (c & 0xFF00u) | (c >> 16 & 0xFFu);
}

std::uint32_t PixelToColorRef(std::uint32_t p) { return ColorRefToPixel(p & 0x00FFFFFFu); }

TDeviceContext::TDeviceContext() {
  TGdiHandles& h = TGdiHandles::Instance();
  state_.Pen = h.Stock(7);   // BLACK_PEN
  state_.Brush = h.Stock(0); // WHITE_BRUSH
  state_.Font = h.DefaultFont();
  state_.Bitmap = h.DefaultBitmap();
}

TDeviceContext::TDeviceContext(TRaster* surface, TPoint origin, TRegion systemClip)
    : TDeviceContext() {
  state_.Bitmap = 0;
  external_ = surface;
  origin_ = origin;
  systemClip_ = std::move(systemClip);
}

TRaster* TDeviceContext::Surface() const {
  if (external_) return external_;
  auto* bitmap = TGdiHandles::Instance().FindAs<TGdiBitmap>(state_.Bitmap);
  return bitmap ? &bitmap->Raster : nullptr;
}

bool TDeviceContext::Monochrome() const {
  if (external_) return false;
  auto* bitmap = TGdiHandles::Instance().FindAs<TGdiBitmap>(state_.Bitmap);
  return bitmap && bitmap->BitsPixel == 1;
}

TPoint TDeviceContext::ToDevice(TPoint p) const {
  return {
      ClampToDevice(static_cast<long long>(p.X) - state_.WindowOrigin.X + state_.ViewportOrigin.X),
      ClampToDevice(static_cast<long long>(p.Y) - state_.WindowOrigin.Y + state_.ViewportOrigin.Y)};
}

TPoint TDeviceContext::ToLogical(TPoint p) const {
  return {
      ClampToDevice(static_cast<long long>(p.X) + state_.WindowOrigin.X - state_.ViewportOrigin.X),
      ClampToDevice(static_cast<long long>(p.Y) + state_.WindowOrigin.Y - state_.ViewportOrigin.Y)};
}

TRect TDeviceContext::ToDevice(const TRect& r) const {
  const TPoint a = ToDevice(TPoint{r.Left, r.Top});
  const TPoint b = ToDevice(TPoint{r.Right, r.Bottom});
  return TRect{a.X, a.Y, b.X, b.Y};
}

const TRegion& TDeviceContext::SurfaceClip() {
  if (clipCache_) return *clipCache_;
  TRegion clip = DeviceClip();
  clip.Offset(SurfaceOrigin().X, SurfaceOrigin().Y);
  clipCache_ = std::move(clip);
  return *clipCache_;
}

// Cut to the smallest rectangle first, so a large system clip is only walked where it matters.
TRegion TDeviceContext::DeviceClip(const TRect* within) const {
  const TRaster* surface = Surface();
  if (!surface) return TRegion{};
  const TPoint o = SurfaceOrigin();
  TRect area{-o.X, -o.Y, surface->Width - o.X, surface->Height - o.Y};
  if (within) area = Intersection(area, *within);
  if (state_.ClipRegion) area = Intersection(area, state_.ClipRegion->Box());
  if (external_) area = Intersection(area, systemClip_.Box());
  if (area.IsEmpty()) return TRegion{};
  TRegion clip(area);
  if (external_) clip = TRegion::Combine(clip, systemClip_, TRegionOp::And);
  if (state_.ClipRegion) clip = TRegion::Combine(clip, *state_.ClipRegion, TRegionOp::And);
  return clip;
}

TSpanWriter TDeviceContext::Writer() {
  static TRaster none;
  TRaster* surface = Surface();
  if (!surface) {
    static const TRegion empty;
    return TSpanWriter(none, empty, TPoint{}, false);
  }
  return TSpanWriter(*surface, SurfaceClip(), SurfaceOrigin(), Monochrome());
}

std::optional<TPaint> TDeviceContext::PenPaint() const {
  auto* pen = TGdiHandles::Instance().FindAs<TGdiPen>(state_.Pen);
  if (!pen || pen->Style == TPenDash::Null) return std::nullopt;
  TPaint paint;
  paint.Colour = ColorRefToPixel(pen->UsesDcColour ? state_.DcPenColour : pen->Colour);
  paint.Rop2 = state_.Rop2;
  return paint;
}

std::optional<TPaint> TDeviceContext::GapPaint() const {
  if (state_.BkMode != 2) return std::nullopt;
  TPaint paint;
  paint.Colour = ColorRefToPixel(state_.BkColour);
  paint.Rop2 = state_.Rop2;
  return paint;
}

int TDeviceContext::PenWidth() const {
  auto* pen = TGdiHandles::Instance().FindAs<TGdiPen>(state_.Pen);
  return pen ? std::clamp(pen->Width, 1, static_cast<int>(DeviceLimit)) : 1;
}

TPenDash TDeviceContext::PenStyle() const {
  auto* pen = TGdiHandles::Instance().FindAs<TGdiPen>(state_.Pen);
  return pen ? pen->Style : TPenDash::Null;
}

std::optional<TPaint> TDeviceContext::BrushPaint() const {
  return BrushPaint(state_.Brush, state_.Rop2);
}

std::optional<TPaint> TDeviceContext::BrushPaint(THandleId id, int rop2) const {
  auto* brush = TGdiHandles::Instance().FindAs<TGdiBrush>(id);
  if (!brush || brush->Style == TGdiBrushStyle::Null) return std::nullopt;
  std::uint32_t colour = brush->Colour;
  if (brush->SysColourIndex >= 0) colour = SysColorRef(brush->SysColourIndex);
  if (brush->UsesDcColour) colour = state_.DcBrushColour;
  TPaint paint;
  paint.Rop2 = rop2;
  paint.Colour = ColorRefToPixel(colour);
  paint.Origin = state_.BrushOrigin;
  const std::uint32_t bk = ColorRefToPixel(state_.BkColour);
  if (brush->Style == TGdiBrushStyle::Hatched)
    paint.Pattern = HatchPattern(brush->Hatch, paint.Colour, bk, state_.BkMode == 2);
  else if (brush->Style == TGdiBrushStyle::Pattern && brush->PatternBits.Width > 0 &&
           brush->PatternBits.Height > 0)
    paint.Pattern = BitmapPattern(*brush, ColorRefToPixel(state_.TextColour), bk);
  return paint;
}

int TDeviceContext::SaveState() {
  saved_.push_back(state_);
  return static_cast<int>(saved_.size());
}

bool TDeviceContext::RestoreState(int level) {
  const int depth = static_cast<int>(saved_.size());
  const int target = level < 0 ? depth + level + 1 : level;
  if (target < 1 || target > depth) return false;
  state_ = saved_[static_cast<std::size_t>(target - 1)];
  saved_.resize(static_cast<std::size_t>(target - 1));
  clipCache_.reset();
  return true;
}

void TDeviceContext::SetSystemClip(TRegion clip) {
  systemClip_ = std::move(clip);
  clipCache_.reset();
}
