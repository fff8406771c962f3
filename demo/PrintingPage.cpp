#include "demo/PrintingPage.h"

#include "framework/controls/Labels.h"
#include "framework/controls/PrintPreview.h"
#include "framework/controls/Printers.h"
#include "framework/controls/StdCtrls.h"
#include "framework/graphics/Bitmap.h"
#include "printing/LumPrinter.h"

#include <cmath>

namespace {

constexpr int Rows = 120;
constexpr const char* Fruits[] = {"Äpfel", "Birnen", "Kirschen", "Pflaumen", "Quitten", "Trauben"};

// A round colour wheel on white: the report's picture.
std::unique_ptr<TBitmap> ReportPicture() {
  auto bitmap = std::make_unique<TBitmap>();
  constexpr int Size = 96;
  bitmap->SetWidth(Size);
  bitmap->SetHeight(Size);
  TCanvas* canvas = bitmap->Canvas();
  for (int y = 0; y < Size; ++y)
    for (int x = 0; x < Size; ++x) {
      const double dx = x - Size / 2.0, dy = y - Size / 2.0;
      const double r = std::hypot(dx, dy) / (Size / 2.0);
      if (r > 1.0) {
        canvas->SetPixels(x, y, clWhite);
        continue;
      }
      const double a = std::atan2(dy, dx);
      auto channel = [&](double phase) {
        return static_cast<int>(127.5 + 127.5 * r * std::cos(a + phase)) & 0xFF;
      };
      canvas->SetPixels(x, y, static_cast<TColor>(RGB(channel(0), channel(2.1), channel(4.2))));
    }
  return bitmap;
}

void DefineBlocks(TLumPrinter* Report) {
  Report->Font()->SetName("Arial");
  Report->Font()->SetSize(10);
  Report->HeaderFont()->SetName("Arial");
  Report->HeaderFont()->SetSize(14);
  Report->HeaderFont()->SetStyle(TFontStyles{fsBold});
  Report->FooterFont()->SetName("Arial");
  Report->FooterFont()->SetSize(8);
  Report->PageNumberFont()->SetName("Arial");
  Report->PageNumberFont()->SetSize(8);
  Report->SetTitle("LumTools report");
  Report->SetAlignment(taLeftJustify);
  Report->SetHeaderDimensions(6, 3, 94, 8, hfsRectangle, 225);
  Report->SetHeaderInformation(1, 8, 4.3f, "Obsthandel Lum: stock report");
  Report->SetFooterDimensions(6, 94, 94, 97, hfsLineUp, 0);
  Report->SetFooterInformation(1, 8, 94.7f, "Printed with TLumPrinter");
  Report->SetAlignment(taRightJustify);
  Report->SetPageNumberInformation(92, 94.7f, "Page %d");
  Report->SetAlignment(taLeftJustify);
  Report->CreateColumn(1, 8, 8);
  Report->CreateColumn(2, 18, 30);
  Report->CreateColumn(3, 50, 16);
  Report->CreateColumn(4, 70, 22);
}

void WriteColumnTitles(TLumPrinter* Report) {
  Report->Schrift_waehlen(10, TFontStyles{fsBold}, taLeftJustify);
  Report->WriteLineColumn(1, -1, "No.");
  Report->WriteLineColumn(2, -2, "Article");
  Report->SetAlignment(taRightJustify);
  Report->WriteLineColumn(3, -2, "Crates");
  Report->WriteLineColumn(4, -2, "Price");
  Report->Schrift_waehlen(10, TFontStyles{}, taLeftJustify);
}

void WriteRow(TLumPrinter* Report, int Row) {
  Report->SetAlignment(taLeftJustify);
  Report->WriteLineColumn(1, -1, std::to_string(Row));
  Report->WriteLineColumn(2, -2, Fruits[Row % std::size(Fruits)]);
  Report->SetAlignment(taRightJustify);
  Report->WriteLineColumn(3, -2, std::to_string(Row * 7 % 90 + 3));
  Report->WriteLineColumn(4, -2, std::to_string(Row * 37 % 400 + 10) + ".50 EUR");
}

} // namespace

void WriteGalleryReport(TLumPrinter* Report) {
  DefineBlocks(Report);
  Report->SetDokumentStatus(dsBeginDoc);
  Report->SetDetailTopBottom(10, 92);
  auto picture = ReportPicture();
  Report->StretchDraw(70, 10, 92, 24, picture.get(), true);
  Report->WriteRect(8, 10, 66, 24,
                    "This report is laid out in percent of the sheet: columns, header and "
                    "footer blocks and the page number are placed by TLumPrinter on every page. "
                    "The same calls draw the preview and the printed PDF.");
  Report->SetYPosition(25);
  WriteColumnTitles(Report);
  Report->DrawLine(8, Report->YPosition() + Report->GetLineHeightProzent() + 0.3f, 92,
                   Report->YPosition() + Report->GetLineHeightProzent() + 0.3f);
  Report->NextLine();
  for (int row = 1; row <= Rows; ++row) WriteRow(Report, row);
  Report->SetDokumentStatus(dsEndDoc);
}

namespace {

// The report recorded only, for a preview.
void RecordReport(TComponent* Owner) {
  TPrinter* printer = Printer();
  printer->SetRecordOnly(true);
  auto* report = new TLumPrinter(Owner);
  try {
    WriteGalleryReport(report);
  } catch (...) {
    printer->SetRecordOnly(false);
    report->Free();
    throw;
  }
  printer->SetRecordOnly(false);
  report->Free();
}

void PrintReport(TComponent* Owner, int Destination, TLabel* Status) {
  TPrinter* printer = Printer();
  try {
    printer->SetPrinterIndex(Destination);
    auto* report = new TLumPrinter(Owner);
    try {
      WriteGalleryReport(report);
    } catch (...) {
      report->Free();
      throw;
    }
    report->Free();
    const String where = printer->PrinterIndex() == 0
                             ? printer->FileName()
                             : printer->Printers()->Strings(printer->PrinterIndex());
    Status->SetCaption("Sent " + std::to_string(printer->Pages().size()) + " pages to " + where);
  } catch (const EPrinter& e) {
    Status->SetCaption(e.Message());
  }
}

TButton* AddButton(TWinControl* Parent, const String& Caption, int Top, TNotifyEvent OnClick) {
  auto* button = new TButton(Parent);
  button->SetBounds(16, Top, 110, 25);
  button->SetText(Caption);
  button->SetOnClick(std::move(OnClick));
  button->SetParent(Parent);
  return button;
}

} // namespace

void FillPrinting(TWinControl* Parent) {
  RecordReport(Parent);
  auto* preview = new TPrintPreview(Parent);
  preview->SetBounds(300, 2, 240, 262);
  preview->SetParent(Parent);
  preview->SetPages(Printer()->Pages(), Printer()->Caps());
  auto* status = new TLabel(Parent);
  status->SetAutoSize(false);
  status->SetWordWrap(true);
  status->SetBounds(16, 124, 270, 60);
  status->SetCaption("A report of " + std::to_string(preview->PageCount()) +
                     " pages with header, footer, page numbers, tab columns and a picture; "
                     "its first page is shown.");
  status->SetParent(Parent);
  AddButton(Parent, "Pre&view...", 16,
            [preview](TObject*) { ShowPrintPreview(preview->Pages(), preview->Caps()); });
  AddButton(Parent, "Print to &PDF", 48,
            [Parent, status](TObject*) { PrintReport(Parent, 0, status); });
  AddButton(Parent, "P&rint", 80, [Parent, status](TObject*) { PrintReport(Parent, -1, status); });
}
