#include "displays/LumStat.h"

#include "core/Lumherk.h"
#include "framework/classes/Registry.h"
#include "framework/controls/Dialogs.h"
#include "framework/rtl/Checked.h"
#include "framework/rtl/Maths.h"
#include "framework/win32/WinPrint.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

using namespace Lumherk;

namespace {

const bool HistogramRegistered = (RegisterClass<TLumHistogram>(), true);

const char* const IntervalCountMessage = "Wert sollte zwischen 2 und 200 liegen.";
// The macron (0xAF in the ANSI code page), printed over the "x" of the mean captions.
const char* const Macron = "\xC2\xAF";
constexpr double FigureReach = 1e6;
constexpr UINT AlignLeftTop = 0, AlignRightTop = 2, AlignRightBottom = 10;

LOGFONTA LabelFontRecord() {
  LOGFONTA font;
  font.lfHeight = 13;
  font.lfWidth = 5;
  font.lfWeight = 400;
  font.lfQuality = 2;
  font.lfPitchAndFamily = 18;
  std::strcpy(font.lfFaceName, "Times New Roman");
  return font;
}

// A rectangle given by two corners in any order, as GDI fills it.
TRect Ordered(int X1, int Y1, int X2, int Y2) {
  return Rect(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
}

// The raster pixel (0x00RRGGBB) of a plain colour; 0 when the colour is a palette entry.
std::uint32_t PlainPixel(TColor Colour, bool& Plain) {
  const COLORREF rgb = static_cast<COLORREF>(ColorToRGB(Colour));
  Plain = Plain && (rgb >> 24) == 0;
  return std::uint32_t(GetRValue(rgb)) << 16 | std::uint32_t(GetGValue(rgb)) << 8 | GetBValue(rgb);
}

// Whether the device context paints logical pixels 1:1 onto a 32-bit picture.
bool PaintsRawPixels(HDC Dc) {
  if (!Dc || RecorderOf(Dc) || GetMapMode(Dc) != MM_TEXT) return false;
  if (GetObjectType(Dc) != OBJ_MEMDC) return GetObjectType(Dc) == OBJ_DC;
  BITMAP bitmap{};
  return GetObject(GetCurrentObject(Dc, OBJ_BITMAP), sizeof bitmap, &bitmap) != 0 &&
         bitmap.bmBitsPixel == 32;
}

// A 32-bit copy of an area of a device context's picture, drawn on in memory and put back
// through the context's clipping.
class TPixelPatch {
public:
  TPixelPatch(HDC Target, const TRect& Area) : FTarget(Target), FArea(Area) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = Area.Width();
    info.bmiHeader.biHeight = -Area.Height();
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    FBitmap = CreateDIBSection(Target, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    FBits = static_cast<std::uint32_t*>(bits);
    if (!FBitmap) return;
    FDc = CreateCompatibleDC(Target);
    FPrevious = SelectObject(FDc, FBitmap);
    BitBlt(FDc, 0, 0, Area.Width(), Area.Height(), Target, Area.Left, Area.Top, SRCCOPY);
  }
  ~TPixelPatch() {
    if (FDc) {
      SelectObject(FDc, FPrevious);
      DeleteDC(FDc);
    }
    if (FBitmap) DeleteObject(FBitmap);
  }
  TPixelPatch(const TPixelPatch&) = delete;
  TPixelPatch& operator=(const TPixelPatch&) = delete;

  bool Valid() const { return FBits && FDc; }
  // Fills [Left, Right) x [Top, Bottom), in the target's coordinates, within the area.
  void Fill(int Left, int Top, int Right, int Bottom, std::uint32_t Pixel) {
    const int x0 = std::max(Left, FArea.Left) - FArea.Left;
    const int x1 = std::min(Right, FArea.Right) - FArea.Left;
    const int y0 = std::max(Top, FArea.Top) - FArea.Top;
    const int y1 = std::min(Bottom, FArea.Bottom) - FArea.Top;
    if (x0 >= x1) return;
    for (int y = y0; y < y1; ++y) {
      std::uint32_t* row = FBits + static_cast<std::ptrdiff_t>(y) * FArea.Width();
      std::fill(row + x0, row + x1, Pixel);
    }
  }
  void Put() {
    BitBlt(FTarget, FArea.Left, FArea.Top, FArea.Width(), FArea.Height(), FDc, 0, 0, SRCCOPY);
  }

private:
  HDC FTarget;
  TRect FArea;
  HBITMAP FBitmap = nullptr;
  HDC FDc = nullptr;
  HGDIOBJ FPrevious = nullptr;
  std::uint32_t* FBits = nullptr;
};

// The value at tick I of N between Lo and Hi.
double TickValue(double Lo, double Hi, int N, int I) {
  return static_cast<double>(Lo + static_cast<long double>(Hi - Lo) / N * I);
}

} // namespace

bool IntervalCountAccepted(Word Value) {
  if (Value >= 2 && Value <= 200) return true;
  MessageDlg(IntervalCountMessage, mtInformation, TMsgDlgButtons{mbOK}, 0);
  return false;
}

std::vector<double> BinEdges(float Lo, float Hi, int Intervals) {
  const long double step = (static_cast<long double>(Hi) - Lo) / Intervals;
  std::vector<double> edges(static_cast<size_t>(Intervals) + 1);
  for (int k = 0; k <= Intervals; ++k)
    edges[static_cast<size_t>(k)] = static_cast<double>(Lo + step * k);
  return edges;
}

int BinOf(float X, const std::vector<double>& Edges) {
  if (std::isnan(X)) return -1;
  const int n = static_cast<int>(Edges.size()) - 1;
  const int above =
      static_cast<int>(std::upper_bound(Edges.begin(), Edges.end(), double(X)) - Edges.begin());
  if (above == n + 1 && double(X) == Edges.back()) return n;
  return above;
}

TTLumHistogramwerte BinValues(const TTLumHistogramwerte& Values, float Lo, float Hi,
                              int Intervals) {
  const std::vector<double> edges = BinEdges(Lo, Hi, Intervals);
  std::vector<double> sums(static_cast<size_t>(Intervals) + 2, 0.0);
  for (const TLumHistogramwert& value : Values) {
    const int bin = BinOf(value.X, edges);
    if (bin >= 0) sums[static_cast<size_t>(bin)] += value.Y;
  }
  const long double step = (static_cast<long double>(Hi) - Lo) / Intervals;
  TTLumHistogramwerte bins(sums.size());
  for (size_t i = 0; i < bins.size(); ++i) {
    bins[i].X = static_cast<float>(Lo + step * (static_cast<long double>(i) - 0.5L));
    bins[i].Y = static_cast<float>(sums[i]);
  }
  return bins;
}

int IntervalPixels(int Span, int Intervals) { return Span / (Intervals + 2); }

int ScaledOffset(double Value, double Min, double Max, int Intervals, int Pixels) {
  const double offset = static_cast<double>(Intervals) * Pixels / (Max - Min) * (Value - Min);
  if (!(std::fabs(offset) < 2147483647.0)) throw EIntOverflow(RtlMessages::IntOverflow);
  return static_cast<int>(Round(offset));
}

int ClampedOffset(double Value, double Min, double Max, int Intervals, int Pixels) {
  const double offset = static_cast<double>(Intervals) * Pixels / (Max - Min) * (Value - Min);
  if (std::isnan(offset)) return 0;
  // Halves to even, as Round does, without its long-double work: this runs for every pair.
  return static_cast<int>(std::nearbyint(std::clamp(offset, -FigureReach, FigureReach)));
}

TLumHistogram::TLumHistogram(TComponent* AOwner)
    : TGraphicControl(AOwner), FLabelFont(LabelFontRecord()) {
  FWidth = 250;
  FHeight = 200;
  FOnResize = [](TObject*) {};
  InitValues();
}

template <class T> void TLumHistogram::Change(T& Field, const T& Value) {
  if (Field == Value) return;
  Field = Value;
  Invalidate();
}

void TLumHistogram::SeTLumHistogramTyp(TTLumHistogramType Value) { Change(FHistogramType, Value); }

void TLumHistogram::SetXAchsenPosition(Integer Value) {
  if (Value == GetXAchsenPosition()) return;
  FXAxisDistance = CheckedSub(FHeight, Value);
  Invalidate();
}

void TLumHistogram::SetYAchsenPosition(Integer Value) { Change(FYAxisPosition, Value); }

void TLumHistogram::SetSkalierungsart(TTSkalierungsart Value) { Change(FScaleType, Value); }

void TLumHistogram::SetBalkenfarbe(TColor Value) { Change(FBarColor, Value); }

void TLumHistogram::SetFehlerfarbe(TColor Value) { Change(FErrorColor, Value); }

void TLumHistogram::SetGitterfarbe(TColor Value) {
  if (Value == FGridColor) return;
  FGridColor = Value;
  if (FHorizontalGrid || FVerticalGrid) Invalidate();
}

void TLumHistogram::SetHorizGitter(bool Value) { Change(FHorizontalGrid, Value); }

void TLumHistogram::SetVertGitter(bool Value) { Change(FVerticalGrid, Value); }

void TLumHistogram::SetAnzahlHorizIntervalle(Word Value) {
  if (Value == FHorizontalIntervals || !IntervalCountAccepted(Value)) return;
  FHorizontalIntervals = Value;
  Invalidate();
}

void TLumHistogram::SetAnzahlVertIntervalle(Word Value) {
  if (Value == FVerticalIntervals || !IntervalCountAccepted(Value)) return;
  FVerticalIntervals = Value;
  Invalidate();
}

void TLumHistogram::SetZeigeHorizLabels(bool Value) { Change(FShowHorizontalLabels, Value); }

void TLumHistogram::SetZeigeVertLabels(bool Value) { Change(FShowVerticalLabels, Value); }

void TLumHistogram::SetBezXAchse(const String& Value) { Change(FNameXAxis, Value); }

void TLumHistogram::SetBezYAchse(const String& Value) { Change(FNameYAxis, Value); }

void TLumHistogram::SetRangeValue(double& Field, double Value, bool InUse) {
  if (Value == Field) return;
  Field = Value;
  if (InUse) Invalidate();
}

void TLumHistogram::SetMinXWert(double Value) { SetRangeValue(FMinXValue, Value, !ScalesX()); }
void TLumHistogram::SetMaxXWert(double Value) { SetRangeValue(FMaxXValue, Value, !ScalesX()); }
void TLumHistogram::SetMinYWert(double Value) { SetRangeValue(FMinYValue, Value, !ScalesY()); }
void TLumHistogram::SetMaxYWert(double Value) { SetRangeValue(FMaxYValue, Value, !ScalesY()); }

void TLumHistogram::SetStellen(Word Value) {
  if (Value == FDigitCount || Value == 0 || Value > 10) return;
  FDigitCount = Value;
  if (FShowHorizontalLabels || FShowVerticalLabels) Invalidate();
}

void TLumHistogram::SetTransparent(bool Value) { Change(FTransparent, Value); }

void TLumHistogram::InitValues() { FValues.clear(); }

void TLumHistogram::AddValue(float X, float Y) { FValues.push_back({X, Y}); }

TLumHistogramwert TLumHistogram::GetMaxValue(bool FromValues) const {
  return Extreme(FromValues, true);
}

TLumHistogramwert TLumHistogram::GetMinValue(bool FromValues) const {
  return Extreme(FromValues, false);
}

TLumHistogramwert TLumHistogram::Extreme(bool FromValues, bool Largest) const {
  TLumHistogramwert result = Largest ? TLumHistogramwert{float(FMaxXValue), float(FMaxYValue)}
                                     : TLumHistogramwert{float(FMinXValue), float(FMinYValue)};
  if (FHistogramType == ctXYPlot) return result;
  if (FromValues && FValues.empty()) return {1.0f, 1.0f};
  if (!FromValues && FBins.size() < 2) return result;
  const TTLumHistogramwerte& pairs = FromValues ? FValues : FBins;
  // The overflow bin's centre does not count for X.
  const size_t xCount = FromValues ? pairs.size() : pairs.size() - 1;
  auto better = [Largest](float A, float B) { return Largest ? A > B : A < B; };
  if (ScalesX()) {
    result.X = pairs[0].X;
    for (size_t i = 1; i < xCount; ++i)
      if (better(pairs[i].X, result.X)) result.X = pairs[i].X;
  }
  if (ScalesY()) {
    result.Y = pairs[0].Y;
    for (const TLumHistogramwert& pair : pairs)
      if (better(pair.Y, result.Y)) result.Y = pair.Y;
  }
  return result;
}

int TLumHistogram::XPixel(double X) const {
  return CheckedAdd(FYAxisPosition,
                    ScaledOffset(X, FPlotMinX, FPlotMaxX, FHorizontalIntervals, FHorizontalPixels));
}

int TLumHistogram::YPixel(double Y) const {
  return CheckedSub(GetXAchsenPosition(),
                    ScaledOffset(Y, FPlotMinY, FPlotMaxY, FVerticalIntervals, FVerticalPixels));
}

int TLumHistogram::XFigurePixel(double X) const {
  return FYAxisPosition +
         ClampedOffset(X, FPlotMinX, FPlotMaxX, FHorizontalIntervals, FHorizontalPixels);
}

int TLumHistogram::YFigurePixel(double Y) const {
  return GetXAchsenPosition() -
         ClampedOffset(Y, FPlotMinY, FPlotMaxY, FVerticalIntervals, FVerticalPixels);
}

void TLumHistogram::ComputeRanges() {
  FHorizontalPixels = IntervalPixels(FWidth - FYAxisPosition, FHorizontalIntervals);
  FVerticalPixels = IntervalPixels(GetXAchsenPosition(), FVerticalIntervals);
  FRawMinX = GetMinValue(true).X;
  FRawMaxX = GetMaxValue(true).X;
  if (FRawMaxX == FRawMinX) FRawMaxX += 1.0f;
  FBins = BinValues(FValues, FRawMinX, FRawMaxX, FHorizontalIntervals);
  const TLumHistogramwert low = GetMinValue(false);
  const TLumHistogramwert high = GetMaxValue(false);
  FPlotMinX = low.X;
  FPlotMinY = low.Y;
  FPlotMaxX = high.X == low.X ? high.X + 1.0f : high.X;
  FPlotMaxY = high.Y == low.Y ? high.Y + 1.0f : high.Y;
}

void TLumHistogram::Paint() {
  ComputeRanges();
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetColor(FColor);
  if (!FTransparent) canvas->FillRect(ClientRect());
  canvas->Brush()->SetStyle(bsClear);
  PaintGrid();
  if (FHistogramType == ctXYPlot)
    PaintScatter();
  else
    PaintBins();
  PaintAxes();
  PaintLabels();
}

void TLumHistogram::PaintGrid() {
  TCanvas* canvas = Canvas();
  canvas->Pen()->SetColor(FGridColor);
  if (FHorizontalGrid)
    for (int j = 0; j <= FVerticalIntervals; ++j) {
      const int y = YPixel(TickValue(FPlotMinY, FPlotMaxY, FVerticalIntervals, j));
      canvas->MoveTo(0, y);
      canvas->LineTo(FWidth, y);
    }
  if (FVerticalGrid)
    for (int i = 0; i <= FHorizontalIntervals; ++i) {
      const int x = XPixel(TickValue(FRawMinX, FRawMaxX, FHorizontalIntervals, i));
      canvas->MoveTo(x, 0);
      canvas->LineTo(x, FHeight);
    }
}

void TLumHistogram::PaintBins() {
  for (int i = 0; i < static_cast<int>(FBins.size()); ++i) PaintBinFigure(i);
}

void TLumHistogram::PaintBinFigure(int Index) {
  TCanvas* canvas = Canvas();
  const TLumHistogramwert& bin = FBins[static_cast<size_t>(Index)];
  const int x = XFigurePixel(bin.X);
  const int y = YFigurePixel(bin.Y);
  const int y0 = YFigurePixel(0.0);
  const int half = FHorizontalPixels / 2;
  const bool inRange = Index > 0 && Index < FHorizontalIntervals + 1;
  const TColor colour = inRange ? FBarColor : FErrorColor;
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(colour);
  canvas->Pen()->SetColor(colour);
  switch (FHistogramType) {
  case ctBars:
  case ctFramedBars:
    if (bin.Y != 0) {
      const TRect bar = Ordered(x - half + 2, y0, x + half - 2, y);
      canvas->FillRect(bar);
      if (FHistogramType == ctFramedBars) {
        canvas->Pen()->SetColor(clBlack);
        canvas->Rectangle(bar);
      }
    }
    break;
  case ctPyramids:
  case ctFramedPyramids:
    if (bin.Y != 0) {
      if (FHistogramType == ctFramedPyramids) canvas->Pen()->SetColor(clBlack);
      const TPoint corners[] = {{x - half + 2, y0}, {x, y}, {x + half - 2, y0}};
      canvas->Polygon(corners);
    }
    break;
  case ctLines:
  case ctLinesWithCircles:
  case ctLinesWithRect:
    if (Index == 0) canvas->MoveTo(x, y);
    if (Index == 1) canvas->Pen()->SetColor(FErrorColor);
    canvas->LineTo(x, y);
    if (Index == 1) canvas->Pen()->SetColor(FBarColor);
    break;
  case ctCircles:
  case ctRectangles:
  case ctXYPlot:
    break;
  }
  if (FHistogramType == ctCircles || FHistogramType == ctLinesWithCircles) {
    canvas->Pen()->SetColor(clBlack);
    canvas->Ellipse(x - 4, y - 4, x + 4, y + 4);
  } else if (FHistogramType == ctRectangles || FHistogramType == ctLinesWithRect) {
    canvas->Pen()->SetColor(clBlack);
    canvas->Rectangle(x - 4, y - 4, x + 4, y + 4);
  }
  canvas->Brush()->SetStyle(bsClear);
}

std::vector<TLumHistogram::TScatterSquare> TLumHistogram::ScatterSquares() const {
  std::vector<TScatterSquare> squares;
  squares.reserve(FValues.size());
  for (const TLumHistogramwert& value : FValues) {
    const bool inRange = FMinXValue <= value.X && value.X <= FMaxXValue && FMinYValue <= value.Y &&
                         value.Y <= FMaxYValue;
    squares.push_back({XFigurePixel(value.X), YFigurePixel(value.Y), inRange});
  }
  if (squares.empty()) return squares;
  // One mark per place, set from the last square back. The places span all squares, or the
  // client area with a square's reach around it when that would be too many; squares outside
  // the places are all kept.
  TRect places = Rect(squares[0].X, squares[0].Y, squares[0].X + 1, squares[0].Y + 1);
  for (const TScatterSquare& s : squares)
    places = Rect(std::min(places.Left, s.X), std::min(places.Top, s.Y),
                  std::max(places.Right, s.X + 1), std::max(places.Bottom, s.Y + 1));
  constexpr long long MostPlaces = 1 << 24;
  if (static_cast<long long>(places.Width()) * places.Height() > MostPlaces)
    places = Rect(-2, -2, FWidth + 2, FHeight + 2);
  std::vector<bool> taken(static_cast<size_t>(places.Width()) * places.Height());
  auto lastAtItsPlace = [&](const TScatterSquare& s) {
    if (!places.Contains(TPoint{s.X, s.Y})) return true;
    const size_t place =
        static_cast<size_t>(s.Y - places.Top) * places.Width() + (s.X - places.Left);
    if (taken[place]) return false;
    taken[place] = true;
    return true;
  };
  std::vector<TScatterSquare> kept;
  for (auto it = squares.rbegin(); it != squares.rend(); ++it)
    if (lastAtItsPlace(*it)) kept.push_back(*it);
  std::reverse(kept.begin(), kept.end());
  return kept;
}

void TLumHistogram::PaintScatter() {
  TCanvas* canvas = Canvas();
  double sumX = 0, sumY = 0;
  for (const TLumHistogramwert& value : FValues) {
    sumX += value.X;
    sumY += value.Y;
  }
  // Each pair is a black-framed square filled solid; the brush stays solid through the loop.
  if (!FValues.empty()) {
    canvas->Pen()->SetColor(clBlack);
    canvas->Brush()->SetStyle(bsSolid);
  }
  const std::vector<TScatterSquare> squares = ScatterSquares();
  if (!PaintSquarePixels(squares))
    for (const TScatterSquare& square : squares) {
      canvas->Brush()->SetColor(square.InRange ? FBarColor : FErrorColor);
      canvas->Rectangle(square.X - 2, square.Y - 2, square.X + 2, square.Y + 2);
    }
  canvas->Brush()->SetStyle(bsClear);
  canvas->Ellipse(Ordered(XFigurePixel(FMinXValue), YFigurePixel(FMinYValue),
                          XFigurePixel(FMaxXValue), YFigurePixel(FMaxYValue)));
  if (FValues.size() >= 2) {
    sumX /= static_cast<double>(FValues.size());
    sumY /= static_cast<double>(FValues.size());
    canvas->Pen()->SetColor(clBlue);
    const int y = YFigurePixel(sumY);
    canvas->MoveTo(0, y);
    canvas->LineTo(FWidth, y);
    const int x = XFigurePixel(sumX);
    canvas->MoveTo(x, 0);
    canvas->LineTo(x, FHeight);
  }
  PaintMeanCaptions(sumX, sumY);
}

bool TLumHistogram::PaintSquarePixels(const std::vector<TScatterSquare>& Squares) {
  TCanvas* canvas = Canvas();
  const HDC dc = canvas->Handle();
  bool plain = canvas->Pen()->Mode() == pmCopy;
  const std::uint32_t frame = PlainPixel(clBlack, plain);
  const std::uint32_t fill[] = {PlainPixel(FErrorColor, plain), PlainPixel(FBarColor, plain)};
  if (!plain || !PaintsRawPixels(dc)) return false;
  if (Squares.empty()) return true;
  TRect reach = Rect(Squares[0].X, Squares[0].Y, Squares[0].X, Squares[0].Y);
  for (const TScatterSquare& s : Squares)
    reach = Rect(std::min(reach.Left, s.X), std::min(reach.Top, s.Y), std::max(reach.Right, s.X),
                 std::max(reach.Bottom, s.Y));
  RECT clip{};
  GetClipBox(dc, &clip);
  const TRect area = Rect(
      std::max<int>(reach.Left - 2, clip.Left), std::max<int>(reach.Top - 2, clip.Top),
      std::min<int>(reach.Right + 2, clip.Right), std::min<int>(reach.Bottom + 2, clip.Bottom));
  if (area.IsEmpty()) return true;
  TPixelPatch patch(dc, area);
  if (!patch.Valid()) return false;
  // Each square as Rectangle draws it: a one-pixel frame round a 2 x 2 fill.
  for (const TScatterSquare& s : Squares) {
    patch.Fill(s.X - 2, s.Y - 2, s.X + 2, s.Y - 1, frame);
    patch.Fill(s.X - 2, s.Y + 1, s.X + 2, s.Y + 2, frame);
    patch.Fill(s.X - 2, s.Y - 1, s.X - 1, s.Y + 1, frame);
    patch.Fill(s.X + 1, s.Y - 1, s.X + 2, s.Y + 1, frame);
    patch.Fill(s.X - 1, s.Y - 1, s.X + 1, s.Y + 1, fill[s.InRange]);
  }
  patch.Put();
  return true;
}

HFONT TLumHistogram::SelectLabelFont(Integer Escapement) {
  FLabelFont.lfEscapement = Escapement;
  // The canvas realises its own font first, so that its text calls keep the one selected here.
  Canvas()->TextHeight("x");
  return static_cast<HFONT>(SelectObject(Canvas()->Handle(), CreateFontIndirectA(&FLabelFont)));
}

void TLumHistogram::PaintMeanCaptions(double MeanX, double MeanY) {
  TCanvas* canvas = Canvas();
  const HDC dc = canvas->Handle();
  const HFONT previous = SelectLabelFont(0);
  SetTextAlign(dc, AlignRightTop);
  const int y = YFigurePixel(MeanY) + 4;
  canvas->TextOut(FWidth - 2, y, Macron);
  canvas->TextOut(FWidth - 2, y, "x");
  SetTextAlign(dc, AlignLeftTop);
  const int x = XFigurePixel(MeanX) + 4;
  canvas->TextOut(x, 4, Macron);
  canvas->TextOut(x, 4, "x");
  DeleteObject(SelectObject(dc, previous));
}

void TLumHistogram::PaintAxes() {
  TCanvas* canvas = Canvas();
  const int ax = GetXAchsenPosition();
  const int ay = FYAxisPosition;
  canvas->Pen()->SetColor(clBlack);
  canvas->MoveTo(0, ax);
  canvas->LineTo(FWidth, ax);
  canvas->MoveTo(ay, 0);
  canvas->LineTo(ay, FHeight);
  for (int i = 0; i <= FHorizontalIntervals; ++i) {
    const int x = XPixel(TickValue(FRawMinX, FRawMaxX, FHorizontalIntervals, i));
    canvas->MoveTo(x, ax - 2);
    canvas->LineTo(x, ax + 2);
  }
  for (int j = 0; j <= FVerticalIntervals; ++j) {
    const int y = YPixel(TickValue(FPlotMinY, FPlotMaxY, FVerticalIntervals, j));
    canvas->MoveTo(ay - 2, y);
    canvas->LineTo(ay + 2, y);
  }
}

void TLumHistogram::PaintLabels() {
  TCanvas* canvas = Canvas();
  const HDC dc = canvas->Handle();
  const int ax = GetXAchsenPosition();
  const HFONT kept = SelectLabelFont(0);
  auto replaceFont = [&](Integer Escapement) { DeleteObject(SelectLabelFont(Escapement)); };
  if (FShowHorizontalLabels) {
    SetTextAlign(dc, AlignRightBottom);
    replaceFont(900);
    for (int i = 0; i <= FHorizontalIntervals; ++i) {
      const double v = TickValue(FRawMinX, FRawMaxX, FHorizontalIntervals, i);
      canvas->TextOut(XPixel(v), ax + 4, Optimal_S_N(v, FDigitCount));
    }
    replaceFont(0);
    SetTextAlign(dc, AlignLeftTop);
    canvas->TextOut(1, ax + 4, FNameXAxis);
  }
  if (FShowVerticalLabels) {
    replaceFont(0);
    SetTextAlign(dc, AlignRightBottom);
    for (int j = 0; j <= FVerticalIntervals; ++j) {
      const double v = TickValue(FPlotMinY, FPlotMaxY, FVerticalIntervals, j);
      canvas->TextOut(FYAxisPosition - 4, YPixel(v), Optimal_S_N(v, FDigitCount));
    }
    SetTextAlign(dc, AlignRightTop);
    canvas->TextOut(FYAxisPosition - 4, 1, FNameYAxis);
  }
  SetTextAlign(dc, AlignLeftTop);
  DeleteObject(SelectObject(dc, kept));
}
