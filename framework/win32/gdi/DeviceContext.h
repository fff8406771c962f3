#pragma once

#include "framework/rtl/Geometry.h"
#include "framework/win32/gdi/GdiHandles.h"
#include "framework/win32/gdi/Raster.h"
#include "framework/win32/gdi/Region.h"
#include "framework/win32/gdi/Shapes.h"
#include "framework/win32/gdi/SpanWriter.h"

#include <cstdint>
#include <optional>
#include <vector>

// Everything SaveDC keeps. Colours are COLORREF values (0x00BBGGRR).
struct TDcState {
  THandleId Pen = 0;
  THandleId Brush = 0;
  THandleId Font = 0; // 0 until a font is selected or the font engine provides a default
  THandleId Bitmap = 0;
  std::uint32_t TextColour = 0x000000;
  std::uint32_t BkColour = 0xFFFFFF;
  int BkMode = 2; // OPAQUE
  unsigned TextAlign = 0;
  int TextCharacterExtra = 0; // SetTextCharacterExtra
  int Rop2 = Rop2CopyPen;
  TFillRule PolyFillMode = TFillRule::Alternate;
  int StretchMode = 1; // BLACKONWHITE; every mode stretches by nearest pixel
  bool ClockwiseArcs = false;
  TPoint CurrentPosition;
  TPoint WindowOrigin;
  TPoint ViewportOrigin;
  TPoint BrushOrigin;
  std::optional<TRegion> ClipRegion; // device pixels; none = the whole surface
  std::uint32_t DcBrushColour = 0xFFFFFF;
  std::uint32_t DcPenColour = 0x000000;
};

// A device context: drawing state over a 32-bit surface. A memory DC draws on the bitmap
// selected into it; a surface DC draws on a raster owned elsewhere (a window's part of a
// top-level surface), at a device origin and inside a system clip region.
class TDeviceContext {
public:
  // A memory DC, starting with the 1 x 1 monochrome bitmap.
  TDeviceContext();
  // A DC over someone else's raster. origin: where the DC's (0, 0) lies in surface pixels;
  // systemClip: what the DC may touch, in device pixels (relative to origin).
  TDeviceContext(TRaster* surface, TPoint origin, TRegion systemClip);

  bool IsMemory() const { return external_ == nullptr; }
  TDcState& State() { return state_; }
  const TDcState& State() const { return state_; }

  // The surface drawn on (null when a memory DC's bitmap went missing).
  TRaster* Surface() const;
  bool Monochrome() const;
  TPoint SurfaceOrigin() const { return IsMemory() ? TPoint{} : origin_; }

  // Logical to device pixels (MM_TEXT), clamped to +-2^27 as the device space is.
  TPoint ToDevice(TPoint logical) const;
  TPoint ToLogical(TPoint device) const;
  TRect ToDevice(const TRect& logical) const;

  // The region drawing is clipped to, in device pixels: clip region, system clip, surface;
  // only within that device rectangle when one is given.
  TRegion DeviceClip(const TRect* within = nullptr) const;
  // A writer for the current surface and clip; its clip lives until the next state change.
  TSpanWriter Writer();

  // Paints of the selected pen and brush, or nothing for PS_NULL / BS_NULL.
  std::optional<TPaint> PenPaint() const;
  std::optional<TPaint> BrushPaint() const;
  std::optional<TPaint> BrushPaint(THandleId brush, int rop2) const;
  // The paint of gap pixels of a styled pen: the background colour when opaque.
  std::optional<TPaint> GapPaint() const;
  // The pen's width, at most the size of the device space.
  int PenWidth() const;
  TPenDash PenStyle() const;

  int SaveState();
  bool RestoreState(int level);
  int SaveDepth() const { return static_cast<int>(saved_.size()); }
  const std::vector<TDcState>& SavedStates() const { return saved_; }

  // The system clip of a surface DC, in device pixels (the window engine moves it).
  void SetSystemClip(TRegion clip);
  void StateChanged() { clipCache_.reset(); }

private:
  const TRegion& SurfaceClip();

  TDcState state_;
  std::vector<TDcState> saved_;
  TRaster* external_ = nullptr;
  TPoint origin_;
  TRegion systemClip_;
  std::optional<TRegion> clipCache_; // surface pixels
};

// Registers a DC over a raster owned elsewhere (what GetDC and BeginPaint hand out) and answers
// its handle value; the raster must outlive the DC.
THandleId CreateSurfaceDc(TRaster* surface, TPoint origin, TRegion systemClip);

std::uint32_t ColorRefToPixel(std::uint32_t colour);
std::uint32_t PixelToColorRef(std::uint32_t pixel);
