#pragma once

#include "displays/PublishedBlocks.h"
#include "framework/win32/Windows.h"

#include <vector>

LUM_ENUM(TTLumHistogramType, ctBars, ctFramedBars, ctPyramids, ctFramedPyramids, ctCircles,
         ctRectangles, ctLines, ctLinesWithCircles, ctLinesWithRect, ctXYPlot);
LUM_ENUM(TTSkalierungsart, saAutoXY, saAutoX, saAutoY, saManually);

// One value pair of the chart, X then Y.
struct TLumHistogramwert {
  float X = 0;
  float Y = 0;
};
using TTLumHistogramwerte = std::vector<TLumHistogramwert>;

// True for an interval count of 2 to 200; otherwise false after telling the user so in an
// information box.
bool IntervalCountAccepted(Word Value);

// The n + 1 interval edges lo + step·k (k = 0 … n, step = (hi − lo) / n) in extended
// precision, stored as doubles.
std::vector<double> BinEdges(float Lo, float Hi, int Intervals);
// The bin of X for edges of n intervals: 0 below the first edge, 1 … n inside (the last one
// closed at the top), n + 1 above the last edge; −1 for a value that is no number.
int BinOf(float X, const std::vector<double>& Edges);
// The bin table of n intervals over lo … hi: centre X and sum of the Y values of each of
// the n + 2 bins, summed in list order.
TTLumHistogramwerte BinValues(const TTLumHistogramwerte& Values, float Lo, float Hi, int Intervals);
// Pixels per interval: Trunc(Span / (Intervals + 2)).
int IntervalPixels(int Span, int Intervals);
// The pixel offset of Value from the axis: nearest of (Intervals · Pixels) / (Max − Min) ·
// (Value − Min). EIntOverflow when it does not fit an Integer.
int ScaledOffset(double Value, double Min, double Max, int Intervals, int Pixels);
// As ScaledOffset, limited to a million pixels either way, for figures that may lie far off.
int ClampedOffset(double Value, double Min, double Max, int Intervals, int Pixels);

// A chart of (X, Y) pairs: a histogram of the Y sums over equal X intervals, in bars,
// pyramids, markers or lines, with the values below and above the range in one error
// interval at each end; or a scatter plot with its range ellipse and mean lines.
class TLumHistogram : public TGraphicControl {
  LUM_CLASS(TLumHistogram, TGraphicControl)
public:
  explicit TLumHistogram(TComponent* AOwner);

  LUM_PUBLISHED(TTLumHistogramType, HistogramType, FHistogramType, SeTLumHistogramTyp,
                Default(ctBars))
  LUM_PUBLISHED(Integer, XAxisPosition, GetXAchsenPosition(), SetXAchsenPosition, NoDefault)
  LUM_PUBLISHED(Integer, YAxisPosition, FYAxisPosition, SetYAchsenPosition, NoDefault)
  LUM_PUBLISHED(TTSkalierungsart, ScaleType, FScaleType, SetSkalierungsart, Default(saAutoXY))
  LUM_PUBLISHED(TColor, Color, FColor, TControl::SetColor, Default(clWindow), Idents(ColorIdents()),
                Stored(IsColorStored))
  LUM_PUBLISHED(TColor, BarColor, FBarColor, SetBalkenfarbe, Default(TColor(65535)),
                Idents(ColorIdents()))
  LUM_PUBLISHED(TColor, ErrorColor, FErrorColor, SetFehlerfarbe, Default(clRed),
                Idents(ColorIdents()))
  LUM_PUBLISHED(TColor, GridColor, FGridColor, SetGitterfarbe, Default(clGray),
                Idents(ColorIdents()))
  LUM_PUBLISHED(bool, HorizontalGrid, FHorizontalGrid, SetHorizGitter, Default(false))
  LUM_PUBLISHED(bool, VerticalGrid, FVerticalGrid, SetVertGitter, Default(false))
  LUM_PUBLISHED(Word, NumberOfHorizontalIntervals, FHorizontalIntervals, SetAnzahlHorizIntervalle,
                NoDefault)
  LUM_PUBLISHED(Word, NumberOfVerticalIntervals, FVerticalIntervals, SetAnzahlVertIntervalle,
                Default(10))
  LUM_PUBLISHED(bool, ShowHorizontalLabels, FShowHorizontalLabels, SetZeigeHorizLabels,
                Default(true))
  LUM_PUBLISHED(bool, ShowVerticalLabels, FShowVerticalLabels, SetZeigeVertLabels, Default(true))
  LUM_PUBLISHED(String, NameXAxis, FNameXAxis, SetBezXAchse, NoDefault)
  LUM_PUBLISHED(String, NameYAxis, FNameYAxis, SetBezYAchse, NoDefault)
  LUM_PUBLISHED(double, MinXValue, FMinXValue, SetMinXWert, NoDefault)
  LUM_PUBLISHED(double, MaxXValue, FMaxXValue, SetMaxXWert, NoDefault)
  LUM_PUBLISHED(double, MinYValue, FMinYValue, SetMinYWert, NoDefault)
  LUM_PUBLISHED(double, MaxYValue, FMaxYValue, SetMaxYWert, NoDefault)
  LUM_PUBLISHED(Word, DigitCount, FDigitCount, SetStellen, Default(4))
  LUM_PUBLISHED(bool, Transparent, FTransparent, SetTransparent, Default(false))

  LUM_PUBLISHED(TAlign, Align, FAlign, TControl::SetAlign, Default(alNone))
  LUM_PUBLISHED(TCursor, DragCursor, FDragCursor, TControl::SetDragCursor, Default(crDrag),
                Idents(CursorIdents()))
  LUM_PUBLISHED(TDragMode, DragMode, FDragMode, TControl::SetDragMode, Default(dmManual))
  LUM_PUBLISHED(bool, Enabled, FEnabled, TControl::SetEnabled, Default(true))
  LUM_PUBLISHED(bool, ParentColor, FParentColor, TControl::SetParentColor, Default(true))
  // ParentShowHint, PopupMenu, ShowHint, Visible, OnClick, OnDblClick
  LUM_PUBLISHED_HINT_POPUP_VISIBLE_CLICKS
  LUM_PUBLISHED(TDragDropEvent, OnDragDrop, FOnDragDrop, TControl::SetOnDragDrop, NoDefault)
  LUM_PUBLISHED(TDragOverEvent, OnDragOver, FOnDragOver, TControl::SetOnDragOver, NoDefault)
  // OnMouseDown, OnMouseMove, OnMouseUp
  LUM_PUBLISHED_MOUSE_EVENTS

  void SeTLumHistogramTyp(TTLumHistogramType Value);
  Integer GetXAchsenPosition() const { return FHeight - FXAxisDistance; }
  void SetXAchsenPosition(Integer Value);
  void SetYAchsenPosition(Integer Value);
  void SetSkalierungsart(TTSkalierungsart Value);
  void SetBalkenfarbe(TColor Value);
  void SetFehlerfarbe(TColor Value);
  void SetGitterfarbe(TColor Value);
  void SetHorizGitter(bool Value);
  void SetVertGitter(bool Value);
  void SetAnzahlHorizIntervalle(Word Value);
  void SetAnzahlVertIntervalle(Word Value);
  void SetZeigeHorizLabels(bool Value);
  void SetZeigeVertLabels(bool Value);
  void SetBezXAchse(const String& Value);
  void SetBezYAchse(const String& Value);
  void SetMinXWert(double Value);
  void SetMaxXWert(double Value);
  void SetMinYWert(double Value);
  void SetMaxYWert(double Value);
  void SetStellen(Word Value);
  void SetTransparent(bool Value);

  // Empties the value list; no repaint.
  void InitValues();
  // Adds one pair; no repaint (the caller invalidates after adding).
  void AddValue(float X, float Y);
  // The range of the value list (FromValues) or of the bin table, by ScaleType.
  TLumHistogramwert GetMaxValue(bool FromValues) const;
  TLumHistogramwert GetMinValue(bool FromValues) const;

  const TTLumHistogramwerte& Values() const { return FValues; }
  // The bin table of the last paint.
  const TTLumHistogramwerte& Bins() const { return FBins; }
  // The pixel column of X and row of Y as the last paint mapped them.
  int XPixel(double X) const;
  int YPixel(double Y) const;

protected:
  void Paint() override;

private:
  template <class T> void Change(T& Field, const T& Value);
  bool ScalesX() const { return FScaleType == saAutoXY || FScaleType == saAutoX; }
  bool ScalesY() const { return FScaleType == saAutoXY || FScaleType == saAutoY; }
  TLumHistogramwert Extreme(bool FromValues, bool Largest) const;
  // Only a change of a range that is in use repaints.
  void SetRangeValue(double& Field, double Value, bool InUse);
  int XFigurePixel(double X) const;
  int YFigurePixel(double Y) const;
  void ComputeRanges();
  void PaintGrid();
  void PaintBins();
  void PaintBinFigure(int Index);
  // A scatter point's square: its centre pixel and whether the pair lies in the fixed range.
  struct TScatterSquare {
    int X, Y;
    bool InRange;
  };
  // The squares the scatter plot shows, in drawing order: of several at one place only the last,
  // which covers the others whole.
  std::vector<TScatterSquare> ScatterSquares() const;
  // Draws the squares straight into the pixels of the canvas's picture; false when the
  // canvas cannot be drawn on that way.
  bool PaintSquarePixels(const std::vector<TScatterSquare>& Squares);
  void PaintScatter();
  void PaintMeanCaptions(double MeanX, double MeanY);
  void PaintAxes();
  void PaintLabels();
  HFONT SelectLabelFont(Integer Escapement);

  TTLumHistogramwerte FValues;
  TTLumHistogramwerte FBins;
  float FRawMinX = 0, FRawMaxX = 1;
  float FPlotMinX = 0, FPlotMaxX = 1, FPlotMinY = 0, FPlotMaxY = 1;
  Integer FHorizontalPixels = 0;
  Integer FVerticalPixels = 0;
  Integer FXAxisDistance = 50;
  LOGFONTA FLabelFont;

  TTLumHistogramType FHistogramType = ctBars;
  Integer FYAxisPosition = 50;
  TTSkalierungsart FScaleType = saAutoXY;
  TColor FBarColor = 65535;
  TColor FErrorColor = clRed;
  TColor FGridColor = clGray;
  bool FHorizontalGrid = false;
  bool FVerticalGrid = false;
  Word FHorizontalIntervals = 10;
  Word FVerticalIntervals = 10;
  bool FShowHorizontalLabels = true;
  bool FShowVerticalLabels = true;
  String FNameXAxis = "x";
  String FNameYAxis = "y";
  double FMinXValue = 0, FMaxXValue = 10, FMinYValue = 0, FMaxYValue = 10;
  Word FDigitCount = 4;
  bool FTransparent = false;
};
