#pragma once

#include "framework/classes/Object.h"
#include "framework/classes/StringList.h"
#include "framework/graphics/Canvas.h"
#include "framework/print/Metafile.h"
#include "framework/print/PrintDestinations.h"
#include "framework/print/PrintErrors.h"

#include <memory>
#include <vector>

LUM_ENUM(TPrinterOrientation, poPortrait, poLandscape);

// The system's printer: a document of pages drawn on Canvas between BeginDoc and EndDoc goes
// to the destination PrinterIndex names: "PDF file" (written to FileName), or a CUPS queue.
// Each page's drawing is recorded on the printer's device context; EndDoc plays the pages into
// one PDF, which the queue receives as one job named by Title. The recorded pages stay
// readable after EndDoc (Pages), for a preview.
class TPrinter : public TObject {
  LUM_CLASS(TPrinter, TObject)
public:
  TPrinter();
  ~TPrinter() override;

  // "PDF file" first, then every CUPS queue.
  TStrings* Printers();
  // The destination in Printers; setting -1 chooses the default (the CUPS default queue when
  // there is one, otherwise the PDF file). EPrinter for another index outside the list.
  int PrinterIndex();
  void SetPrinterIndex(int Value);
  // Reads the CUPS queues again.
  void Refresh();

  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  // The PDF destination's file: by default the title + ".pdf" in the current folder.
  String FileName() const;
  void SetFileName(const String& Value) { FFileName = Value; }
  TPrinterOrientation Orientation() const { return FOrientation; }
  // Swaps the sheet's sides; EPrinter "Printing in progress" while printing.
  void SetOrientation(TPrinterOrientation Value);
  int Copies() const { return FCopies; }
  void SetCopies(int Value);

  // The printable area in device pixels.
  int PageWidth();
  int PageHeight();
  int PageNumber() const { return FPageNumber; }
  bool Printing() const { return FPrinting; }
  bool Aborted() const { return FAborted; }
  // Fonts on it are sized for the printer's LOGPIXELSY.
  TCanvas* Canvas();
  HDC Handle();
  // The device context's caps for the current destination and orientation.
  TDeviceCaps Caps();

  // EPrinter "Printing in progress" when a document is open, or the destination's refusal.
  void BeginDoc();
  // EPrinter "Printing not in progress" outside a document; the destination's failure.
  void EndDoc();
  void NewPage();
  // Ends the document without sending it; cancels the destination's job.
  void Abort();

  // Documents are recorded only, and sent nowhere (for a preview).
  bool RecordOnly() const { return FRecordOnly; }
  void SetRecordOnly(bool Value) { FRecordOnly = Value; }
  // The pages of the open document, or of the last one.
  const std::vector<TMetaPage>& Pages() const;
  // Sends pages recorded before (with their caps) to the current destination as one job.
  void PrintPages(const std::vector<TMetaPage>& Pages, const TDeviceCaps& PageCaps);

private:
  void LoadQueues();
  TPrintDestination& Destination();
  void UpdateCaps();
  void CheckPrinting(bool Printing) const;

  std::unique_ptr<TStringList> FPrinters;
  bool FQueuesLoaded = false;
  int FPrinterIndex = -1;
  std::unique_ptr<TPrintDestination> FDestination;
  String FTitle;
  String FFileName;
  TPrinterOrientation FOrientation = poPortrait;
  int FCopies = 1;
  int FPageNumber = 0;
  bool FPrinting = false;
  bool FAborted = false;
  bool FRecordOnly = false;
  TMetafileRecorder FRecorder;
  std::vector<TMetaPage> FPages;
  HDC FHandle = nullptr;
  std::unique_ptr<TCanvas> FCanvas;
};

// The application's printer, made when first asked for.
TPrinter* Printer();
// Puts another printer in place and answers the one before (which the caller then owns).
TPrinter* SetPrinter(TPrinter* NewPrinter);
