#include "PrintTestSupport.h"

#include "../SheetPath.h"
#include "framework/graphics/Bitmap.h"
#include "framework/print/RasterPlayer.h"
#include "tests/rtl/ErrorTesting.h"

using namespace printtest;

namespace {

// A page with every kind of record: text, a line, a framed and filled rectangle, an ellipse
// and a picture drawn twice.
void DrawSamplePage(TCanvas* Canvas, TBitmap* Picture) {
  Canvas->Font()->SetName("Arial");
  Canvas->Font()->SetSize(14);
  Canvas->Brush()->SetStyle(bsClear);
  Canvas->TextOut(200, 200, "First line of the sample");
  Canvas->TextOut(200, 400, "Second line, further down");
  Canvas->Pen()->SetWidth(6);
  Canvas->MoveTo(200, 700);
  Canvas->LineTo(3000, 700);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(0xC0C0C0);
  Canvas->Rectangle(200, 900, 1800, 1800);
  Canvas->Ellipse(2200, 900, 3800, 1800);
  Canvas->StretchDraw(TRect{200, 2200, 1400, 3400}, Picture);
  Canvas->StretchDraw(TRect{1600, 2200, 2800, 3400}, Picture);
}

std::unique_ptr<TBitmap> Checkerboard() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetWidth(8);
  bitmap->SetHeight(8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) bitmap->Canvas()->SetPixels(x, y, (x + y) % 2 ? clBlack : clRed);
  return bitmap;
}

} // namespace

TEST_F(PrintTest, PdfFileDestinationAnswersA4WithFourMillimetreMarginsAt600Dpi) {
  TPrinter* printer = Printer();
  ASSERT_EQ(printer->Printers()->Count(), 1) << "no CUPS server: only the PDF file";
  EXPECT_EQ(printer->Printers()->Strings(0), "PDF file");
  EXPECT_EQ(printer->PrinterIndex(), 0);
  HDC dc = printer->Handle();
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 600);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 600);
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 4961);
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 7016);
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETX), 94);
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALOFFSETY), 94);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 4961 - 2 * 94);
  EXPECT_EQ(printer->PageWidth(), 4961 - 2 * 94);
  EXPECT_EQ(printer->PageHeight(), 7016 - 2 * 94);
  POINT size{}, offset{};
  EXPECT_EQ(Escape(dc, GETPHYSPAGESIZE, 0, nullptr, &size), 1);
  EXPECT_EQ(Escape(dc, GETPRINTINGOFFSET, 0, nullptr, &offset), 1);
  EXPECT_EQ(size.X, 4961);
  EXPECT_EQ(size.Y, 7016);
  EXPECT_EQ(offset.X, 94);
  EXPECT_EQ(Escape(printer->Canvas()->Handle(), 99, 0, nullptr, &size), 0);

  printer->SetOrientation(poLandscape);
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALWIDTH), 7016);
  EXPECT_EQ(GetDeviceCaps(dc, PHYSICALHEIGHT), 4961);
  EXPECT_EQ(printer->PageWidth(), 7016 - 2 * 94);
}

TEST_F(PrintTest, PrinterFontsAreSizedForThePrintersResolution) {
  TCanvas* canvas = Printer()->Canvas();
  canvas->Font()->SetSize(12);
  EXPECT_EQ(canvas->Font()->Height(), -100); // 12 pt at 600 dpi
  TFont screenFont;
  screenFont.SetSize(10);
  canvas->Font()->Assign(&screenFont);
  EXPECT_EQ(canvas->Font()->Size(), 10);
  EXPECT_EQ(canvas->Font()->Height(), -83);
  TEXTMETRICA metrics{};
  GetTextMetricsA(canvas->Handle(), &metrics);
  EXPECT_NEAR(metrics.tmHeight, 96, 4);
}

TEST_F(PrintTest, CallsOutOfOrderRaiseTheFrameworksMessages) {
  TPrinter* printer = Printer();
  printer->SetFileName(PathIn("order.pdf"));
  ExpectError<EPrinter>([&] { printer->NewPage(); }, "Printing not in progress");
  EXPECT_THROW(printer->EndDoc(), EPrinter);
  EXPECT_THROW(printer->Abort(), EPrinter);
  printer->BeginDoc();
  ExpectError<EPrinter>([&] { printer->BeginDoc(); }, "Printing in progress");
  EXPECT_THROW(printer->SetOrientation(poLandscape), EPrinter);
  EXPECT_EQ(printer->Orientation(), poPortrait);
  printer->Abort();
  EXPECT_TRUE(printer->Aborted());
  EXPECT_FALSE(printer->Printing());
  EXPECT_FALSE(std::filesystem::exists(PathIn("order.pdf"))) << "an aborted document is no file";
}

TEST_F(PrintTest, PagesAreRecordedAsVectorsWithEachPictureOncePerPage) {
  TPrinter* printer = Printer();
  printer->SetRecordOnly(true);
  auto picture = Checkerboard();
  printer->BeginDoc();
  EXPECT_EQ(printer->PageNumber(), 1);
  DrawSamplePage(printer->Canvas(), picture.get());
  printer->NewPage();
  EXPECT_EQ(printer->PageNumber(), 2);
  printer->Canvas()->TextOut(100, 100, "Page two");
  printer->EndDoc();
  const auto& pages = printer->Pages();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].Pictures.size(), 1u) << "one picture drawn twice is kept once";
  int texts = 0, lines = 0, shapes = 0, pictures = 0;
  for (const TMetaRecord& r : pages[0].Records) {
    texts += r.Op == TMetaOp::Text;
    lines += r.Op == TMetaOp::Line;
    shapes += r.Op == TMetaOp::Rectangle || r.Op == TMetaOp::Ellipse;
    pictures += r.Op == TMetaOp::Picture;
  }
  EXPECT_EQ(texts, 2);
  EXPECT_EQ(lines, 1);
  EXPECT_EQ(shapes, 2);
  EXPECT_EQ(pictures, 2);
  EXPECT_EQ(pages[1].Records.back().Text, "Page two");
  EXPECT_FALSE(std::filesystem::exists(printer->FileName())) << "recorded only, sent nowhere";
}

TEST_F(PrintTest, PdfKeepsTheTextAndAgreesWithTheRasterPlayBack) {
  if (!HaveCommand("pdftotext") || !HaveCommand("pdftoppm"))
    GTEST_SKIP() << "poppler-utils is not installed";
  TPrinter* printer = Printer();
  printer->SetTitle("Sample");
  printer->SetFileName(PathIn("sample.pdf"));
  auto picture = Checkerboard();
  printer->BeginDoc();
  DrawSamplePage(printer->Canvas(), picture.get());
  printer->NewPage();
  printer->Canvas()->TextOut(300, 300, "Zweite Seite mit Umlauten: äöü");
  printer->EndDoc();
  ASSERT_TRUE(std::filesystem::exists(PathIn("sample.pdf")));
  for (const auto& entry : std::filesystem::directory_iterator(Dir))
    EXPECT_EQ(entry.path().extension(), ".pdf") << "no temporary file left: " << entry.path();

  const std::string text = CommandOutput("pdftotext -layout '" + PathIn("sample.pdf") + "' -");
  EXPECT_NE(text.find("First line of the sample"), std::string::npos) << text;
  EXPECT_NE(text.find("Second line, further down"), std::string::npos) << text;
  EXPECT_NE(text.find("Zweite Seite mit Umlauten: äöü"), std::string::npos) << text;
  const std::string info = CommandOutput("pdfinfo '" + PathIn("sample.pdf") + "'");
  EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
  EXPECT_NE(info.find("x 841.92 pts (A4)"), std::string::npos) << info;
  const std::string fonts = CommandOutput("pdffonts '" + PathIn("sample.pdf") + "'");
  EXPECT_NE(fonts.find("LiberationSans"), std::string::npos) << fonts;

  constexpr int Dpi = 72;
  std::system(
      ("pdftoppm -r 72 -f 1 -l 1 -png '" + PathIn("sample.pdf") + "' '" + PathIn("poppler") + "'")
          .c_str());
  const TRaster pdf = ReadPngFile(PathIn("poppler-1.png"));
  const TRaster raster = RenderPage(printer->Pages()[0], printer->Caps(), Dpi);
  ASSERT_NEAR(pdf.Width, raster.Width, 1) << "poppler rounds the sheet up";
  ASSERT_NEAR(pdf.Height, raster.Height, 1);
  WritePngFile(raster, SheetPath("printing-raster-page.png"));
  WritePngFile(pdf, SheetPath("printing-pdf-page.png"));
  EXPECT_LT(MissingInk(raster, pdf), 0.02);
  EXPECT_LT(MissingInk(pdf, raster), 0.02);
}

TEST_F(PrintTest, UnwritablePdfRaisesWithTheReasonAndLeavesNoFile) {
  TPrinter* printer = Printer();
  printer->SetFileName(PathIn("missing/folder/out.pdf"));
  ExpectErrorContaining<EPrinter>([&] { printer->BeginDoc(); }, "No such file or directory");
  EXPECT_FALSE(printer->Printing());

  const String folder = PathIn("vanishing");
  std::filesystem::create_directories(folder);
  printer->SetFileName(folder + "/out.pdf");
  printer->BeginDoc();
  printer->Canvas()->TextOut(100, 100, "lost");
  std::filesystem::remove_all(folder);
  EXPECT_THROW(printer->EndDoc(), EPrinter);
  EXPECT_FALSE(printer->Printing());
  EXPECT_FALSE(std::filesystem::exists(folder));
}

TEST_F(PrintTest, DefaultFileNameIsTheTitleInTheCurrentFolder) {
  TPrinter* printer = Printer();
  printer->SetTitle("Quartalsbericht");
  EXPECT_EQ(printer->FileName(),
            (std::filesystem::current_path() / "Quartalsbericht.pdf").string());
  EXPECT_THROW(printer->SetPrinterIndex(3), EPrinter);
  printer->SetPrinterIndex(-1);
  EXPECT_EQ(printer->PrinterIndex(), 0);
}
