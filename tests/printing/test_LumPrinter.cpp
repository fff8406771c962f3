#include "PrintTestSupport.h"

#include "../SheetPath.h"
#include "framework/graphics/Bitmap.h"
#include "framework/win32/WinHandles.h"
#include "framework/win32/gdi/GdiFont.h"
#include "framework/win32/gdi/GdiObjects.h"
#include "printing/LumPrinter.h"

using namespace printtest;

namespace {

// Where a recorded text's cell starts on the printer canvas (the record keeps its base line).
TPoint TextTopLeft(const TMetaRecord& Text) {
  const TGdiFont font(Text.Font);
  return TPoint{Text.Origin.X, Text.Origin.Y - font.Metrics().tmAscent};
}

const TMetaRecord* FindText(const TMetaPage& Page, const String& Text) {
  for (const TMetaRecord& r : Page.Records)
    if (r.Op == TMetaOp::Text && r.Text == Text) return &r;
  return nullptr;
}

class LumPrinterTest : public PrintTest {
protected:
  TForm* Form = nullptr;
  TLumPrinter* Lum = nullptr;

  void SetUp() override {
    PrintTest::SetUp();
    Form = NewForm(500, 500);
    Lum = new TLumPrinter(Form);
    Printer()->SetRecordOnly(true);
  }
  TImage* NewImage(int Width, int Height) {
    auto* image = new TImage(Form);
    image->SetBounds(0, 0, Width, Height);
    image->SetParent(Form);
    return image;
  }
  // A report as an application writes one: header, footer, page number, columns.
  void DefineReport() {
    Lum->SetTitle("Bericht");
    Lum->SetAlignment(taLeftJustify);
    Lum->SetHeaderDimensions(5, 2, 95, 8, hfsRectangle, 220);
    Lum->SetHeaderInformation(1, 7, 3.5f, "Quartalsbericht");
    Lum->SetFooterDimensions(5, 92, 95, 97, hfsLineUp, 0);
    Lum->SetFooterInformation(1, 7, 93, "LumTools");
    Lum->SetAlignment(taRightJustify);
    Lum->SetPageNumberInformation(93, 93, "Seite %d");
    Lum->SetAlignment(taLeftJustify);
    Lum->CreateColumn(1, 10, 30);
    Lum->CreateColumn(2, 40, 20);
  }
  void WriteRows(int Rows) {
    for (int i = 1; i <= Rows; ++i) {
      Lum->SetAlignment(taLeftJustify);
      Lum->WriteLineColumn(1, -1, "Zeile " + std::to_string(i));
      Lum->SetAlignment(taRightJustify);
      Lum->WriteLineColumn(2, -2, std::to_string(i * 17));
    }
  }
};

} // namespace

TEST(LumPrinterRules, PixelsPerPercentAreWholeAndAtLeastOne) {
  EXPECT_EQ(PixelsPerPercentOf(4961), 50);
  EXPECT_EQ(PercentToPixels(PixelsPerPercentOf(4961), 50), 2500);
  EXPECT_EQ(PixelsPerPercentOf(7016), 70);
  EXPECT_EQ(PixelsPerPercentOf(30), 1) << "under 50 pixels: still 1, no division by zero";
  EXPECT_EQ(PercentToPixels(70, 0.5f), 35);
  EXPECT_EQ(PercentToPixels(3, 33.3f), 99);
  EXPECT_THROW(PercentToPixels(70, 1e30f), EIntOverflow);
}

TEST(LumPrinterRules, TextAnchorClampsAtThePrintingOffset) {
  EXPECT_EQ(TextAnchor(1000, 300, taLeftJustify, 94), 1000);
  EXPECT_EQ(TextAnchor(1000, 300, taRightJustify, 94), 700);
  EXPECT_EQ(TextAnchor(1000, 301, taCenter, 94), 850);
  EXPECT_EQ(TextAnchor(100, 3000, taRightJustify, 94), 94) << "wider than its anchor";
  EXPECT_EQ(TextAnchor(100, 3000, taCenter, 94), 94);
}

TEST_F(LumPrinterTest, ConstructionLeavesThePrinterAloneAndCopiesTheFormsFont) {
  TPrinter* mine = SetPrinter(nullptr);
  Form->Font()->SetName("Courier New");
  auto* lum = new TLumPrinter(Form);
  EXPECT_EQ(SetPrinter(mine), nullptr) << "the constructor reached the printer";
  EXPECT_EQ(lum->Font()->Name(), "Courier New");
  EXPECT_EQ(lum->HeaderFont()->Name(), "Courier New");
}

TEST_F(LumPrinterTest, PrinterModeMeasuresTheSheetAndPlacesLinesAsThePartSays) {
  Lum->SetDokumentStatus(dsBeginDoc);
  ASSERT_TRUE(Printer()->Printing());
  const TLumPageMetrics& m = Lum->Metrics();
  EXPECT_EQ(m.OffsetX, 94);
  EXPECT_EQ(m.PhysicalHeight, 7016);
  EXPECT_EQ(m.VerticalPixelsPerPercent, 70);
  EXPECT_EQ(m.HorizontalPixelsPerPercent, 50);
  EXPECT_EQ(m.RightMargin, 94);
  EXPECT_EQ(m.BottomMargin, 94);
  EXPECT_EQ(Lum->PageNumber(), 1);

  Lum->SetDetailTopBottom(10, 90);
  Lum->WriteLine(0, -1, "first");
  Lum->WriteLine(30, -2, "same line");
  Lum->WriteLine(-5, 20, "left edge");
  Lum->WriteLine(12, 0, "top edge");
  Lum->SetAlignment(taRightJustify);
  Lum->WriteLine(1, 40, "right-aligned text much wider than its anchor");
  Lum->SetAlignment(taLeftJustify);
  const TMetaPage& page = Printer()->Pages()[0];
  const TMetaRecord* first = FindText(page, "first");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(TextTopLeft(*first), (TPoint{0, 700 - 94})) << "at 10 % exactly";
  EXPECT_EQ(TextTopLeft(*FindText(page, "same line")), (TPoint{1500 - 94, 700 - 94}));
  EXPECT_EQ(TextTopLeft(*FindText(page, "left edge")), (TPoint{0, 1400 - 94}));
  EXPECT_EQ(TextTopLeft(*FindText(page, "top edge")), (TPoint{600 - 94, 0}));
  EXPECT_EQ(TextTopLeft(*FindText(page, "right-aligned text much wider than its anchor")).X, 0);
  EXPECT_FLOAT_EQ(Lum->YPosition(), 40.0f);
  Lum->SetYPosition(95);
  EXPECT_EQ(Lum->GetLinesRest(), 0) << "already past the detail bottom";
  Lum->SetDokumentStatus(dsAbort);
  EXPECT_FALSE(Printer()->Printing());
}

TEST_F(LumPrinterTest, AutomaticPagingStartsTheNextPageAtTheDetailTop) {
  DefineReport();
  Lum->SetDokumentStatus(dsBeginDoc);
  Lum->SetDetailTopBottom(10, 90);
  const Single lineHeight = Lum->GetLineHeightProzent();
  const Word perPage = Lum->GetLinesRest();
  EXPECT_EQ(perPage, static_cast<Word>((90 - (10 - lineHeight)) / lineHeight));
  WriteRows(perPage + 1);
  EXPECT_EQ(Lum->PageNumber(), 2);
  Lum->SetDokumentStatus(dsEndDoc);
  const auto& pages = Printer()->Pages();
  ASSERT_EQ(pages.size(), 2u);
  const TMetaRecord* next = FindText(pages[1], "Zeile " + std::to_string(perPage + 1));
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(TextTopLeft(*next).Y, Lum->ProzentToPixelsVertical(10 + lineHeight) - 94);
  EXPECT_NE(FindText(pages[0], "Seite 1"), nullptr);
  EXPECT_NE(FindText(pages[1], "Seite 2"), nullptr);
  EXPECT_NE(FindText(pages[1], "Quartalsbericht"), nullptr);
  EXPECT_NE(FindText(pages[1], "LumTools"), nullptr);
  const TMetaRecord* number = FindText(pages[0], "Seite 1");
  EXPECT_LE(number->Origin.X + TGdiFont(number->Font).TextWidth("Seite 1"), 93 * 50 - 94 + 1)
      << "right-aligned at its position";
}

TEST_F(LumPrinterTest, BlockAndLineRulesHoldAndBadNumbersRaiseRangeErrors) {
  const TLumPrintLine before = Lum->Block(1).Lines[4];
  Lum->SetHeaderInformation(6, 1, 1, "ignored");
  EXPECT_EQ(Lum->Block(1).Lines[4].Text, before.Text);
  EXPECT_THROW(Lum->SetHeaderInformation(0, 1, 1, "x"), ERangeError);
  EXPECT_THROW(Lum->CreateColumn(21, 1, 1), ERangeError);
  EXPECT_THROW(Lum->WriteLineColumn(0, 1, "x"), ERangeError);
  EXPECT_THROW(Lum->SetFooterDimensions(0, 0, 1, 1, hfsRectangle, 256), ERangeError);
  EXPECT_THROW(Lum->WriteHeader(3), ERangeError);
  Lum->SetHeaderInformation(2, 1, 1, String(300, 'x'));
  EXPECT_EQ(Lum->Block(1).Lines[1].Text.size(), 240u);
}

TEST_F(LumPrinterTest, TextBaseReachesTheCanvasOnlyWhenADocumentBegins) {
  Lum->SetTextBase(tbBaseLine);
  EXPECT_EQ(GetTextAlign(Printer()->Canvas()->Handle()), static_cast<UINT>(TA_TOP));
  Lum->SetDokumentStatus(dsBeginDoc);
  EXPECT_EQ(GetTextAlign(Printer()->Canvas()->Handle()), static_cast<UINT>(TA_BASELINE));
  Lum->SetTextBase(tbBottom);
  EXPECT_EQ(GetTextAlign(Printer()->Canvas()->Handle()), static_cast<UINT>(TA_BOTTOM));
  Lum->SetDokumentStatus(dsEndDoc);
}

TEST_F(LumPrinterTest, ImageModeWithoutAnImageRaisesOnBeginDoc) {
  Lum->SetPrinterMode(pmImage);
  EXPECT_NO_THROW(Lum->CalculateMeasurements());
  EXPECT_THROW(Lum->SetDokumentStatus(dsBeginDoc), EPrinter);
  EXPECT_EQ(Lum->DokumentStatus(), dsEndDoc);
  EXPECT_FALSE(Printer()->Printing());
}

TEST_F(LumPrinterTest, OutputCannotChangeWhileADocumentIsOpen) {
  Lum->SetDokumentStatus(dsBeginDoc);
  User.AnswerMessage("OK");
  Lum->SetPrinterMode(pmImage);
  EXPECT_EQ(Lum->PrinterMode(), pmPrinter);
  ASSERT_EQ(User.Messages().size(), 1u);
  EXPECT_EQ(User.Messages()[0].Text,
            "Wechsel des Ausgabekontextes ist während der Ausgabe nicht möglich!");
  Lum->SetDokumentStatus(dsEndDoc);
}

TEST_F(LumPrinterTest, ImageModeShadesBlocksAndCountsOnePage) {
  TImage* image = NewImage(400, 400);
  Lum->SetPrinterMode(pmImage);
  Lum->SetImage(image);
  EXPECT_EQ(Lum->Metrics().VerticalPixelsPerPercent, 4);
  Lum->SetHeaderDimensions(10, 10, 90, 30, hfsRectangle, 128);
  Lum->SetFooterDimensions(10, 60, 90, 80, hfsRectangle, 0);
  Lum->SetPageNumberInformation(50, 90, "Seite %d");
  Lum->SetDokumentStatus(dsBeginDoc);
  EXPECT_EQ(Lum->PageNumber(), 0);
  Lum->SetDokumentStatus(dsEndDoc);
  TCanvas* canvas = image->Canvas();
  EXPECT_EQ(canvas->Pixels(200, 80), static_cast<TColor>(0x808080)) << "shade 128: mid-grey";
  EXPECT_EQ(canvas->Pixels(40, 80), clBlack) << "the block's pen frames it";
  EXPECT_EQ(canvas->Pixels(200, 280), clWhite) << "shade 0: white";
  EXPECT_EQ(canvas->Pixels(40, 280), clBlack);
  EXPECT_EQ(Lum->ImagePageCount(), 1);
}

TEST_F(LumPrinterTest, SmallImagesStillMeasure) {
  TImage* image = NewImage(30, 30);
  Lum->SetPrinterMode(pmImage);
  Lum->SetImage(image);
  EXPECT_EQ(Lum->Metrics().HorizontalPixelsPerPercent, 1);
  Lum->SetDokumentStatus(dsBeginDoc);
  EXPECT_NO_THROW(Lum->GetLinesInDetailArea());
  Lum->SetDokumentStatus(dsEndDoc);
}

TEST_F(LumPrinterTest, TheSameReportRunsOnPrinterAndImage) {
  auto run = [this] {
    DefineReport();
    Lum->SetFontHeight_Promille(true);
    Lum->Font()->SetHeight(-14);
    Lum->SetDokumentStatus(dsBeginDoc);
    Lum->SetDetailTopBottom(10, 90);
    Lum->WriteRect(10, 60, 60, 80, "Ein längerer Text, der im Rechteck umbrochen wird.\tMit Tab.");
    Lum->DrawLine(10, 85, 90, 85);
    WriteRows(80);
    Lum->SetDokumentStatus(dsEndDoc);
  };
  run();
  EXPECT_GE(Printer()->Pages().size(), 2u);

  TImage* image = NewImage(420, 594);
  Lum->SetPrinterMode(pmImage);
  Lum->SetImage(image);
  run();
  ASSERT_GE(Lum->ImagePageCount(), 2) << "one picture per page in image mode";
  TBitmap* first = Lum->ImagePages(0);
  EXPECT_EQ(first->Width(), 420);
  WritePngFile(ObjectOf<TGdiBitmap>(first->Handle())->Raster,
               SheetPath("lumprinter-image-mode-page-1.png"));
  EXPECT_EQ(
      first->Canvas()->Pixels(Lum->ProzentToPixelsHorizontal(50), Lum->ProzentToPixelsVertical(5)),
      static_cast<TColor>(0xDCDCDC))
      << "the header block's shade";
  EXPECT_THROW(Lum->ImagePages(Lum->ImagePageCount()), ERangeError);
}
