#include "tests/displays/DisplayTestSupport.h"

#include "displays/LumStat.h"
#include "framework/classes/FormFile.h"

#include <cmath>
#include <limits>

using namespace displaytest;

namespace {

const COLORREF White = ColorToRGB(clWindow);
const COLORREF Yellow = ColorToRGB(TColor(65535));
const COLORREF Red = ColorToRGB(clRed);
const COLORREF Black = ColorToRGB(clBlack);
const COLORREF Blue = ColorToRGB(clBlue);

TEST(HistogramBins, TheBoundaryRuleSortsEdgesIntoTheUpperIntervalAndTheMaximumIntoTheLast) {
  const std::vector<double> edges = BinEdges(0.0f, 10.0f, 10);
  ASSERT_EQ(edges.size(), 11u);
  const std::pair<float, int> cases[] = {
      {-0.5f, 0},  {0.0f, 1},   {2.99f, 3},   {3.0f, 4},
      {9.99f, 10}, {10.0f, 10}, {10.01f, 11}, {std::numeric_limits<float>::quiet_NaN(), -1}};
  for (const auto& [value, bin] : cases) EXPECT_EQ(BinOf(value, edges), bin) << value;
}

TEST(HistogramBins, BinsSumTheirValuesAndAreCentredHalfAnIntervalBelowTheirUpperEdge) {
  const TTLumHistogramwerte values{{0, 1}, {10, 2}, {5, 3}, {5.5f, -1}, {-3, 7}, {12, 4}};
  const TTLumHistogramwerte bins = BinValues(values, 0, 10, 10);
  ASSERT_EQ(bins.size(), 12u);
  for (std::size_t i = 0; i < bins.size(); ++i) EXPECT_FLOAT_EQ(bins[i].X, i - 0.5f) << i;
  const float sums[12] = {7, 1, 0, 0, 0, 0, 2, 0, 0, 0, 2, 4};
  for (std::size_t i = 0; i < bins.size(); ++i) EXPECT_FLOAT_EQ(bins[i].Y, sums[i]) << i;
}

TEST(HistogramMapping, OffsetsRoundHalvesToEvenAndOverflowRaises) {
  EXPECT_EQ(IntervalPixels(200, 10), 16);
  EXPECT_EQ(ScaledOffset(5, 0, 10, 10, 16), 80);
  EXPECT_EQ(ScaledOffset(0.25, 0, 10, 10, 2), 0); // 0.5 to even
  EXPECT_EQ(ScaledOffset(0.75, 0, 10, 10, 2), 2); // 1.5 to even
  EXPECT_THROW(ScaledOffset(1e30, 0, 10, 10, 16), EIntOverflow);
  EXPECT_EQ(ClampedOffset(1e30, 0, 10, 10, 16), 1000000);
  EXPECT_EQ(ClampedOffset(-1e30, 0, 10, 10, 16), -1000000);
}

using HistogramTest = DisplayTest;

// Three pairs over 0 … 10: bins 1, 6 and 10 hold 1, 3 and 2; the default 250 × 200 chart
// has 16-pixel columns right of x 50 and 12-pixel rows above y 150.
TLumHistogram* ThreeBars(TLumHistogram* Chart) {
  Chart->AddValue(0, 1);
  Chart->AddValue(10, 2);
  Chart->AddValue(5, 3);
  return Chart;
}

TEST_F(HistogramTest, BarsStandOnTheXAxisAtTheirBinCentresAndTheTicksFallBetween) {
  auto* chart = ThreeBars(ShowNew<TLumHistogram>());
  const TShot shot = Shoot(chart);
  EXPECT_EQ(chart->XAxisPosition(), 150);
  // Bin 6: centre x 50 + 6·16 = 146, sum 3 at y 150 − 40·3 = 30; bar 140 … 151, 30 … 149.
  shot.Expect({{140, 100, Yellow},
               {151, 100, Yellow},
               {139, 100, White},
               {152, 100, White},
               {146, 30, Yellow},
               {146, 29, White},
               {146, 149, Yellow}});
  // Bin 10 (sum 2, top y 70) and bin 1 (sum 1, top y 110).
  shot.Expect({{210, 70, Yellow}, {210, 69, White}, {66, 110, Yellow}, {66, 109, White}});
  // Empty bins draw nothing; the axes are black, X ticks at 58 + 16·i run 148 … 151.
  shot.Expect({{98, 140, White},
               {20, 150, Black},
               {50, 20, Black},
               {74, 148, Black},
               {74, 151, Black},
               {74, 147, White}});
  // Y ticks at 150 − 12·j from x 48 to 51.
  shot.Expect({{48, 138, Black}, {51, 138, Black}, {52, 138, White}});
}

TEST_F(HistogramTest, AFixedRangeSendsValuesOutsideItToTheErrorBinsInTheErrorColour) {
  auto* chart = ShowNew<TLumHistogram>();
  chart->SetScaleType(saAutoY);
  chart->SetMinXValue(2);
  chart->SetMaxXValue(8);
  ThreeBars(chart);
  const TShot shot = Shoot(chart);
  ASSERT_EQ(chart->Bins().size(), 12u);
  EXPECT_FLOAT_EQ(chart->Bins()[0].Y, 1);
  EXPECT_FLOAT_EQ(chart->Bins()[11].Y, 2);
  // The plot range is 2 … 8 over 160 pixels: bin 11 is centred on 8.3, at x 218.
  EXPECT_EQ(chart->XPixel(2), 50);
  EXPECT_EQ(chart->XPixel(8.3), 218);
  EXPECT_EQ(shot.At(218, 100), Red);
  EXPECT_EQ(shot.At(chart->XPixel(5.3), 100), Yellow);
}

TEST_F(HistogramTest, MarkerTypesDrawEveryBinAndLinesJoinThemInTheBinColours) {
  auto* chart = ThreeBars(ShowNew<TLumHistogram>());
  chart->SetHistogramType(ctLinesWithRect);
  const TShot shot = Shoot(chart);
  // A black-framed 8 × 8 marker on every bin, empty ones on the X axis.
  shot.Expect({{98 - 4, 146, Black}, {98, 148, Yellow}, {146, 30, Yellow}, {142, 30, Black}});
  // The first segment runs from bin 0 (x 50, y 150) to bin 1 (x 66, y 110) in ErrorColor.
  EXPECT_EQ(shot.At(56, 135), Red);
}

TEST_F(HistogramTest, AnEmptyChartShowsMarkersOnTheAxisAndNoBars) {
  auto* chart = ShowNew<TLumHistogram>();
  chart->SetHistogramType(ctCircles);
  const TShot circles = Shoot(chart);
  circles.Expect({{98, 150 - 4, Black}, {98, 148, Yellow}});
  chart->SetHistogramType(ctBars);
  const TShot bars = Shoot(chart);
  EXPECT_EQ(bars.Count(Rect(51, 0, 250, 149), TColor(65535)), 0);
  EXPECT_FLOAT_EQ(chart->GetMinValue(true).X, 1.0f);
}

TEST_F(HistogramTest, ScatterPlotDrawsPairsTheRangeEllipseAndTheMeanLines) {
  auto* chart = ShowNew<TLumHistogram>();
  chart->SetHistogramType(ctXYPlot);
  chart->AddValue(2, 2);
  chart->AddValue(4, 6);
  chart->AddValue(12, 5);
  const TShot shot = Shoot(chart);
  // Range 0 … 10 over 160 × 120 pixels: (2, 2) at (82, 126), (12, 5) at (242, 90), red.
  shot.Expect({{82, 126, Yellow}, {80, 124, Black}, {242, 90, Red}});
  // Means (6, 4.33): a blue column at x 146 and a blue row at y 98.
  shot.Expect({{146, 60, Blue}, {120, 98, Blue}});
  // The range ellipse passes through (50, 90), (210, 90) and (130, 30).
  EXPECT_GT(shot.Count(Rect(127, 28, 134, 33), clBlack), 0);
}

TEST_F(HistogramTest, AScatterPointFarOutsideTheRangeIsClampedInsteadOfRaisingOnEveryPaint) {
  auto* chart = ShowNew<TLumHistogram>();
  chart->SetHistogramType(ctXYPlot);
  chart->AddValue(1e30f, 5);
  chart->AddValue(-1e30f, -1e30f);
  chart->AddValue(5, 5);
  const TShot shot = Shoot(chart);
  EXPECT_TRUE(User.Messages().empty());
  EXPECT_EQ(shot.At(130, 90), Yellow);
}

TEST_F(HistogramTest, ScatterSquaresCoverEachOtherInTheOrderOfThePairs) {
  auto* chart = ShowNew<TLumHistogram>();
  chart->SetHistogramType(ctXYPlot);
  // (5, 5) at (130, 90) and (5.125, 5) two pixels right: its frame crosses the first's fill.
  // Rows 89 and 53 and column 209 lie clear of the mean lines and the range ellipse.
  const auto plot = [&](std::initializer_list<std::pair<float, float>> Pairs) {
    chart->InitValues();
    for (const auto& [x, y] : Pairs) chart->AddValue(x, y);
    return Shoot(chart);
  };
  EXPECT_EQ(plot({{5, 5}, {5.125f, 5}, {5, 5}}).At(130, 89), Yellow);
  EXPECT_EQ(plot({{5, 5}, {5, 5}, {5.125f, 5}}).At(130, 89), Black);
  // At one place the colour of the last pair counts: 10.01 lies beyond the range, 10 not;
  // (10, 8) at (210, 54).
  EXPECT_EQ(plot({{10, 8}, {10.01f, 8}}).At(209, 53), Red);
  EXPECT_EQ(plot({{10.01f, 8}, {10, 8}}).At(209, 53), Yellow);
  // Far outside the client area, and back at a place taken before.
  EXPECT_EQ(plot({{5, 5}, {-40, 5}, {5.125f, 5}, {-40, 5}}).At(130, 89), Black);
}

TEST_F(HistogramTest, AHundredThousandScatterPointsForTheSheet) {
  auto* chart = ShowNew<TLumHistogram>(400, 300);
  chart->SetHistogramType(ctXYPlot);
  double sumY = 0;
  for (int i = 0; i < 100000; ++i) {
    const auto x = static_cast<float>(std::sin(i * 0.37) * 5), y = static_cast<float>(i % 7);
    chart->AddValue(x, y);
    sumY += y;
  }
  const TShot shot = Shoot(chart);
  // The mean row is drawn over the squares (the mean column lies under the y axis).
  EXPECT_EQ(shot.At(396, chart->YPixel(sumY / 100000)), Blue);
  const TRect row2 =
      Rect(chart->XPixel(0.5), chart->YPixel(2) - 1, chart->XPixel(4.5), chart->YPixel(2) + 1);
  EXPECT_GT(shot.Count(row2, TColor(65535)), 0);
  EXPECT_GT(shot.Count(row2, clBlack), 0);
  Sheet("LumStat-scatter.png");
}

TEST_F(HistogramTest, IntervalCountsOutside2To200AreRefusedWithTheMessage) {
  auto* chart = ShowNew<TLumHistogram>();
  chart->SetNumberOfHorizontalIntervals(1);
  chart->SetNumberOfVerticalIntervals(201);
  EXPECT_EQ(chart->NumberOfHorizontalIntervals(), 10);
  EXPECT_EQ(chart->NumberOfVerticalIntervals(), 10);
  ASSERT_EQ(User.Messages().size(), 2u);
  EXPECT_EQ(User.Messages()[0].Text, "Wert sollte zwischen 2 und 200 liegen.");
  EXPECT_EQ(User.Messages()[0].Type, mtInformation);
  EXPECT_EQ(User.Messages()[0].Buttons, std::vector<String>{"OK"});
  chart->SetNumberOfHorizontalIntervals(2);
  chart->SetNumberOfVerticalIntervals(200);
  EXPECT_EQ(chart->NumberOfHorizontalIntervals(), 2);
  EXPECT_EQ(chart->NumberOfVerticalIntervals(), 200);
  EXPECT_EQ(User.Messages().size(), 2u);
  chart->SetDigitCount(0);
  chart->SetDigitCount(11);
  EXPECT_EQ(chart->DigitCount(), 4);
}

TEST_F(HistogramTest, TheXAxisKeepsItsDistanceToTheBottomEdgeWhenResized) {
  auto* chart = ShowNew<TLumHistogram>();
  chart->SetXAxisPosition(170);
  chart->SetHeight(300);
  EXPECT_EQ(chart->XAxisPosition(), 270);
}

TEST_F(HistogramTest, LabelsHangBelowTheXAxisLeftOfTheirTicksAndEndLeftOfTheYAxis) {
  auto* chart = ThreeBars(ShowNew<TLumHistogram>());
  const TShot shot = Shoot(chart);
  // X labels are turned text ending 4 pixels under the axis, left of the tick at x 58.
  EXPECT_GT(shot.CountDark(Rect(45, 154, 58, 199)), 10);
  EXPECT_EQ(shot.CountDark(Rect(52, 152, 250, 154)), 0);
  // Y labels end 4 pixels left of the Y axis on their tick rows.
  EXPECT_GT(shot.CountDark(Rect(10, 125, 46, 138)), 5);
  EXPECT_EQ(shot.CountDark(Rect(46, 60, 48, 137)), 0);
  chart->SetShowHorizontalLabels(false);
  chart->SetShowVerticalLabels(false);
  const TShot bare = Shoot(chart);
  EXPECT_EQ(bare.CountDark(Rect(52, 152, 250, 200)), 0);
  EXPECT_EQ(bare.CountDark(Rect(0, 0, 48, 148)), 0);
}

TEST_F(HistogramTest, AFormFileKeepsTheSettingsAndRefusesABadIntervalCount) {
  auto* chart = ShowNew<TLumHistogram>();
  chart->SetName("Chart");
  chart->SetHistogramType(ctFramedPyramids);
  chart->SetScaleType(saManually);
  chart->SetMaxYValue(25.5);
  chart->SetNameXAxis("Zeit");
  chart->SetNumberOfHorizontalIntervals(20);
  chart->SetXAxisPosition(120);
  const String text = WriteFormText(Form());
  TForm* copy = NewForm();
  ReadFormText(text, copy);
  auto* read = dynamic_cast<TLumHistogram*>(copy->FindComponent("Chart"));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->HistogramType(), ctFramedPyramids);
  EXPECT_EQ(WriteFormText(copy), text);

  String bad = text;
  bad.replace(bad.find("NumberOfHorizontalIntervals = 20"), 32,
              "NumberOfHorizontalIntervals = 300");
  TForm* third = NewForm();
  ReadFormText(bad, third);
  EXPECT_EQ(
      dynamic_cast<TLumHistogram*>(third->FindComponent("Chart"))->NumberOfHorizontalIntervals(),
      10);
  EXPECT_EQ(User.Messages().back().Text, "Wert sollte zwischen 2 und 200 liegen.");
}

TEST_F(HistogramTest, EveryChartTypeAtSeveralSizesForTheSheet) {
  auto* chart = ShowNew<TLumHistogram>(300, 220);
  for (int i = 0; i < 400; ++i) {
    const double x = std::sin(i * 0.7) * 3 + std::cos(i * 0.13) * 2;
    chart->AddValue(static_cast<float>(x), static_cast<float>(1 + (i % 3)));
  }
  chart->SetHorizontalGrid(true);
  chart->SetVerticalGrid(true);
  for (int type = ctBars; type <= ctXYPlot; ++type) {
    chart->SetHistogramType(static_cast<TTLumHistogramType>(type));
    if (type == ctXYPlot) chart->SetMinXValue(-5);
    chart->SetBounds(10, 10, type % 2 ? 300 : 180, type % 2 ? 220 : 160);
    const TShot shot = Shoot(chart);
    EXPECT_EQ(shot.At(chart->YAxisPosition(), 5), Black) << type;
    Sheet("LumStat-" + std::to_string(type) + ".png");
  }
}

} // namespace
