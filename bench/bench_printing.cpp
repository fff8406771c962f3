#include "framework/controls/Printers.h"
#include "framework/print/RasterPlayer.h"
#include "framework/win32/gdi/FontEngine.h"
#include "printing/LumPrinter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

// Printing a long report: recording its pages, writing them as one PDF, and playing a page
// back as the preview draws it.

namespace {

constexpr int Pages = 100;
constexpr int LinesPerPage = 60;

void UseFontsAndNoCups() {
  static const bool done = [] {
    SetFontSources(PackagedFontFiles());
    UseCupsServer("/nonexistent/lum-bench-cups.sock");
    return true;
  }();
  static_cast<void>(done);
}

// Pages of 60 lines in two columns, each with a header block, a footer line and its number.
void WriteReport(TLumPrinter& Report) {
  Report.Font()->SetName("Arial");
  Report.Font()->SetSize(9);
  Report.SetHeaderDimensions(5, 2, 95, 6, hfsRectangle, 220);
  Report.SetHeaderInformation(1, 7, 3, "Benchmark report");
  Report.SetFooterDimensions(5, 95, 95, 98, hfsLineUp, 0);
  Report.SetFooterInformation(1, 7, 95.5f, "LumTools");
  Report.SetAlignment(taRightJustify);
  Report.SetPageNumberInformation(93, 95.5f, "Page %d");
  Report.CreateColumn(1, 8, 40);
  Report.CreateColumn(2, 50, 40);
  Report.SetDokumentStatus(dsBeginDoc);
  Report.SetDetailTopBottom(8, 94);
  for (int page = 1; page <= Pages; ++page) {
    for (int line = 1; line <= LinesPerPage; ++line) {
      Report.SetAlignment(taLeftJustify);
      Report.WriteLineColumn(1, -1,
                             "Line " + std::to_string(line) + " of page " + std::to_string(page));
      Report.SetAlignment(taRightJustify);
      Report.WriteLineColumn(2, -2, std::to_string(page * 1000 + line) + ".00");
    }
    if (page < Pages) Report.NewPage();
  }
  Report.SetDokumentStatus(dsEndDoc);
}

void BM_HundredPageReportToPdf(benchmark::State& state) {
  UseFontsAndNoCups();
  const std::string path =
      (std::filesystem::temp_directory_path() / ("lum-bench-" + std::to_string(getpid()) + ".pdf"))
          .string();
  Printer()->SetFileName(path);
  for (auto _ : state) {
    TLumPrinter report(nullptr);
    WriteReport(report);
  }
  state.counters["pages"] = static_cast<double>(Printer()->Pages().size());
  state.counters["KB"] = static_cast<double>(std::filesystem::file_size(path)) / 1024.0;
  std::filesystem::remove(path);
}
BENCHMARK(BM_HundredPageReportToPdf)->Unit(benchmark::kMillisecond);

void BM_ReportPagePreviewAt96Dpi(benchmark::State& state) {
  UseFontsAndNoCups();
  Printer()->SetRecordOnly(true);
  {
    TLumPrinter report(nullptr);
    WriteReport(report);
  }
  Printer()->SetRecordOnly(false);
  const std::vector<TMetaPage>& pages = Printer()->Pages();
  const TDeviceCaps caps = Printer()->Caps();
  // The preview's sheet: a white page at 96 dpi that each page is played onto.
  const int width = caps.PhysicalWidth * 96 / caps.LogPixelsX;
  const int height = caps.PhysicalHeight * 96 / caps.LogPixelsY;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP sheet = CreateBitmap(width, height, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, sheet);
  const TRect whole{0, 0, width, height};
  std::size_t next = 0;
  for (auto _ : state) {
    FillRect(dc, &whole, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PlayPage(pages[next], caps, dc, 96.0 / caps.LogPixelsX);
    next = (next + 1) % pages.size();
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(sheet);
  state.counters["pages/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReportPagePreviewAt96Dpi)->Unit(benchmark::kMillisecond);

} // namespace
