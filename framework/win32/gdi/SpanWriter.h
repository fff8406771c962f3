#pragma once

#include "framework/rtl/Geometry.h"
#include "framework/win32/gdi/Raster.h"
#include "framework/win32/gdi/Region.h"

#include <cstdint>
#include <memory>
#include <vector>

inline constexpr int Rop2CopyPen = 13;
inline constexpr int Rop2Nop = 11;

// A tile of colours repeated over the surface (hatch and pattern brushes). Pixels whose
// Opaque entry is 0 are left alone; an empty Opaque list means every pixel is drawn.
struct TPattern {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels; // 0x00RRGGBB
  std::vector<std::uint8_t> Opaque;
};

// What a span is painted with: one colour, or a pattern aligned so that its (0, 0) lies on
// Origin (device pixels), combined with the surface by a binary raster operation.
struct TPaint {
  std::uint32_t Colour = 0; // 0x00RRGGBB
  std::shared_ptr<const TPattern> Pattern;
  TPoint Origin;
  int Rop2 = Rop2CopyPen;
};

// Writes horizontal spans and pixels given in device pixels onto a surface, through a clip
// region given in surface pixels and lying within the surface. Device (0, 0) lies at Origin on
// the surface. Every primitive ends up here, so clipping and raster operations are applied in
// one place.
class TSpanWriter {
public:
  TSpanWriter(TRaster& surface, const TRegion& clip, TPoint origin, bool monochrome);

  // Paints [x0, x1) of row y.
  void FillSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, const TPaint& paint);
  // Paints the rectangle r of device pixels.
  void FillRect(const TRect& r, const TPaint& paint);
  void Pixel(std::int64_t x, std::int64_t y, const TPaint& paint);
  bool Visible(std::int64_t x, std::int64_t y) const;

  // The clip box in device pixels: nothing outside it can be drawn.
  const TRect& DeviceClipBox() const { return deviceBox_; }
  TRaster& Surface() { return surface_; }
  const TRegion& SurfaceClip() const { return clip_; }
  TPoint Origin() const { return origin_; }
  bool Monochrome() const { return monochrome_; }

private:
  void PaintRun(std::uint32_t* row, int x0, int x1, int deviceY, const TPaint& paint);
  void FillSolidBox(TRect device, std::uint32_t colour);
  std::uint32_t Land(std::uint32_t rgb) const;

  TRaster& surface_;
  const TRegion& clip_;
  TPoint origin_;
  bool monochrome_;
  bool rectangular_; // the clip is its box: pixels need no band search
  TRect deviceBox_;
};
