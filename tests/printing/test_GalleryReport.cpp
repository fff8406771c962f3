#include "PrintTestSupport.h"

#include "../SheetPath.h"
#include "demo/PrintingPage.h"
#include "printing/LumPrinter.h"

using namespace printtest;

TEST_F(PrintTest, GalleryReportPrintsToAPdfWithEveryLine) {
  if (!HaveCommand("pdftotext") || !HaveCommand("pdftoppm"))
    GTEST_SKIP() << "poppler-utils is not installed";
  Printer()->SetFileName(PathIn("report.pdf"));
  auto* report = new TLumPrinter(NewForm());
  WriteGalleryReport(report);
  ASSERT_EQ(Printer()->Pages().size(), 3u);
  const std::string text = CommandOutput("pdftotext -layout '" + PathIn("report.pdf") + "' -");
  EXPECT_NE(text.find("Obsthandel Lum: stock report"), std::string::npos);
  EXPECT_NE(text.find("Page 3"), std::string::npos);
  for (int row : {1, 60, 120})
    EXPECT_NE(text.find(std::to_string(row * 37 % 400 + 10) + ".50 EUR"), std::string::npos) << row;
  std::system(
      ("pdftoppm -r 60 -f 1 -l 1 -png '" + PathIn("report.pdf") + "' '" + PathIn("report") + "'")
          .c_str());
  const TRaster page = ReadPngFile(PathIn("report-1.png"));
  WritePngFile(page, SheetPath("gallery-report-pdf-page-1.png"));
  EXPECT_GT(page.Width, 400);
}
