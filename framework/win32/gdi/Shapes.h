#pragma once

#include "framework/rtl/Geometry.h"
#include "framework/win32/gdi/Lines.h"
#include "framework/win32/gdi/SpanWriter.h"

#include <functional>
#include <vector>

// Pixels x in [Left, Right] of one row; empty when Left > Right.
struct TRowSpan {
  long long Left = 1;
  long long Right = 0;
  bool Empty() const { return Left > Right; }
};

// A box [Left, Right) x [Top, Bottom) with corners rounded by quarter ellipses of the given
// full width and height: a rectangle with 0, an ellipse with the box's own size. A pixel is
// inside when its centre is; the rows are symmetric about both axes of the box.
class TRoundBox {
public:
  TRoundBox(long long left, long long top, long long right, long long bottom, double cornerWidth,
            double cornerHeight);
  TRowSpan Row(long long y) const;
  long long Left() const { return left_; }
  long long Top() const { return top_; }
  long long Right() const { return right_; }
  long long Bottom() const { return bottom_; }
  // The same figure grown (negative: shrunk) by d on every side, corners following.
  TRoundBox Grown(long long near, long long far) const;

private:
  long long left_, top_, right_, bottom_;
  double cornerWidth_, cornerHeight_;
};

// Which pixels of an outline or interior a figure keeps (pie and chord sectors).
class TPixelFilter {
public:
  virtual ~TPixelFilter() = default;
  virtual bool Keeps(long long x, long long y) const = 0;
  // Calls run(first, last) for each run of kept pixels of [left, right] in row y, left to
  // right; by default pixel by pixel through Keeps.
  virtual void ForEachRun(long long y, long long left, long long right,
                          const std::function<void(long long, long long)>& run) const;
};

// The pen of a closed figure: width 1 draws the outermost pixels of the figure; wider pens
// draw a band of that width centred on them (inside the box for PS_INSIDEFRAME).
struct TFigurePen {
  const TPaint* Paint = nullptr; // null: no outline
  int Width = 1;
  bool InsideFrame = false;
  // A styled one-pixel outline is dashed counter-clockwise from StartAngle (radians, 0 east);
  // its gap pixels take Gap when one is given.
  TPenDash Dash = TPenDash::Solid;
  const TPaint* Gap = nullptr;
  double StartAngle = 0;
};

// Paints a rounded box: outline with the pen, interior with the brush (either may be null),
// each kept by its filter when one is given (null: every pixel).
void DrawRoundFigure(TSpanWriter& out, const TRoundBox& box, const TFigurePen& pen,
                     const TPaint* brush, const TPixelFilter* outlineFilter,
                     const TPixelFilter* interiorFilter);

// The angular sweep of an arc about a centre, counter-clockwise on screen from the direction
// of `start` to that of `end`; equal directions sweep the whole turn. A pixel is in the sweep
// when the angle of its centre is.
class TSweep : public TPixelFilter {
public:
  TSweep(double cx, double cy, TPoint start, TPoint end);
  bool Contains(double x, double y) const;
  bool Keeps(long long x, long long y) const override {
    return Contains(static_cast<double>(x), static_cast<double>(y));
  }
  // The same pixels as Keeps, row by row: angles are measured only next to the two radials,
  // everywhere else the side of each radial decides.
  void ForEachRun(long long y, long long left, long long right,
                  const std::function<void(long long, long long)>& run) const override;

private:
  // A radial's direction, y upwards.
  struct TRay {
    double X, Y, Length;
  };
  // Where in [left, right] of the row at height py the side of the ray is not certain.
  TRowSpan Unsure(const TRay& ray, double py, long long left, long long right) const;
  // Whether the pixel centre at (px, py), relative to the centre and clearly off both radials,
  // lies in the sweep.
  bool Between(double px, double py) const;

  double cx_, cy_, startAngle_, sweep_;
  TRay start_, end_;
};

// Where the ray from the centre of the box's ellipse towards p meets the ellipse, in pixels.
TPoint EllipsePoint(const TRoundBox& box, TPoint p);

enum class TFillRule { Alternate = 1, Winding = 2 };

// Fills polygons (several closed outlines together) by the rule: a pixel is filled when its
// position is inside, pixels on right and bottom edges excluded.
void FillPolygons(TSpanWriter& out, const std::vector<std::vector<TPoint>>& polygons,
                  TFillRule rule, const TPaint& brush);
