#pragma once

#include "framework/win32/gdi/Lines.h"
#include "framework/win32/gdi/Raster.h"
#include "framework/win32/gdi/Region.h"

#include <cstdint>

// Kinds of drawing objects, valued as the OBJ_ codes GetObjectType answers.
enum class TGdiKind { Pen = 1, Brush = 2, Font = 6, Bitmap = 7, Region = 8 };

// Base of every object the handle table holds. Further kinds (fonts) derive from it and
// answer their own Kind.
class TGdiObject {
public:
  virtual ~TGdiObject() = default;
  virtual TGdiKind Kind() const = 0;
  bool Stock = false; // stock objects are never deleted
};

// Colours below are COLORREF values, 0x00BBGGRR.
class TGdiPen : public TGdiObject {
public:
  TGdiKind Kind() const override { return TGdiKind::Pen; }
  TPenDash Style = TPenDash::Solid;
  int Width = 1;
  std::uint32_t Colour = 0;
  bool UsesDcColour = false; // DC_PEN
};

enum class TGdiBrushStyle { Solid = 0, Null = 1, Hatched = 2, Pattern = 3 };

class TGdiBrush : public TGdiObject {
public:
  TGdiKind Kind() const override { return TGdiKind::Brush; }
  TGdiBrushStyle Style = TGdiBrushStyle::Solid;
  std::uint32_t Colour = 0;
  int Hatch = 0;             // HS_ code of a hatched brush
  int SysColourIndex = -1;   // brushes of GetSysColorBrush follow the table
  bool UsesDcColour = false; // DC_BRUSH
  TRaster PatternBits;       // pattern brushes keep their own copy of the bitmap
  bool PatternMonochrome = false;
};

class TGdiBitmap : public TGdiObject {
public:
  TGdiKind Kind() const override { return TGdiKind::Bitmap; }
  TRaster Raster;
  int BitsPixel = 32;      // 1 for monochrome bitmaps: every pixel black or white
  bool TopDownDib = false; // a DIB section whose rows run from the top
};

class TGdiRegion : public TGdiObject {
public:
  TGdiKind Kind() const override { return TGdiKind::Region; }
  TRegion Region;
};
