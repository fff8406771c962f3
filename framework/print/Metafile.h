#pragma once

#include "framework/rtl/Geometry.h"
#include "framework/rtl/Types.h"
#include "framework/win32/WinPrint.h"
#include "framework/win32/gdi/LogFont.h"
#include "framework/win32/gdi/Raster.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// A printed page as the drawing calls that made it, in device pixels of the printer: what the
// PDF and raster players draw. Colours are COLORREF values (0x00BBGGRR).

struct TMetaPen {
  std::uint32_t Colour = 0;
  int Width = 1;
  int Style = PS_SOLID; // PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT or PS_NULL
};

struct TMetaBrush {
  std::uint32_t Colour = 0xFFFFFF;
  bool Null = false;
};

enum class TMetaOp { Line, Rectangle, Ellipse, Fill, Text, Picture };

// One drawing call. Line: Box is (x1, y1, x2, y2), end point excluded. Rectangle and Ellipse:
// outlined with Pen and filled with Brush, right and bottom exclusive. Fill: Box filled with
// Brush. Text: Text from Origin on its base line in Font and TextColour, inside Clip when set.
// Picture: Pictures[Picture]'s Part stretched into Box.
struct TMetaRecord {
  TMetaOp Op = TMetaOp::Line;
  TRect Box;
  TMetaPen Pen;
  TMetaBrush Brush;
  LOGFONTA Font{};
  std::uint32_t TextColour = 0;
  TPoint Origin;
  String Text;
  std::optional<TRect> Clip;
  int Picture = -1;
  TRect Part;
};

struct TMetaPage {
  std::vector<TMetaRecord> Records;
  // Each picture once per page, however often it is drawn.
  std::vector<std::shared_ptr<const TRaster>> Pictures;
};

// Records the drawing of a recording DC into pages; NewPage starts the next one.
class TMetafileRecorder : public TDcRecorder {
public:
  void Clear() { pages_.clear(); }
  void NewPage() { pages_.emplace_back(); }
  const std::vector<TMetaPage>& Pages() const { return pages_; }
  std::vector<TMetaPage> TakePages() { return std::move(pages_); }

  void LineTo(TDeviceContext& dc, TPoint to) override;
  void Rectangle(TDeviceContext& dc, const TRect& box) override;
  void Ellipse(TDeviceContext& dc, const TRect& box) override;
  void FillRect(TDeviceContext& dc, const TRect& box, std::uintptr_t brush) override;
  void FrameRect(TDeviceContext& dc, const TRect& box, std::uintptr_t brush) override;
  void TextOut(TDeviceContext& dc, TPoint at, UINT options, const TRect* box,
               std::string_view text) override;
  int DrawText(TDeviceContext& dc, std::string_view text, TRect& box, UINT format) override;
  void Picture(TDeviceContext& dc, const TRect& dest, const TRaster& source,
               const TRect& part) override;

private:
  TMetaPage& Page();
  void Add(TMetaRecord record) { Page().Records.push_back(std::move(record)); }
  // A text run from its base-line origin; an opaque background goes in first.
  void AddText(TDeviceContext& dc, TPoint origin, std::string_view text, std::optional<TRect> clip);
  int PictureIndex(const TRaster& source, const TRect& part);

  std::vector<TMetaPage> pages_;
};
