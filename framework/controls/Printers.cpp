#include "framework/controls/Printers.h"

#include <algorithm>
#include <filesystem>

namespace {

constexpr const char* NotPrinting = "Printing not in progress";
constexpr const char* InProgress = "Printing in progress";

// Keeps the font's size in points while it is meant for another resolution.
void SizeFontFor(TFont* Font, int PixelsPerInch) {
  if (Font->PixelsPerInch() == PixelsPerInch) return;
  const Integer size = Font->Size();
  Font->SetPixelsPerInch(PixelsPerInch);
  Font->SetSize(size);
}

std::unique_ptr<TPrinter>& ThePrinter() {
  static std::unique_ptr<TPrinter> printer;
  return printer;
}

} // namespace

TPrinter::TPrinter() : FPrinters(std::make_unique<TStringList>()) {}

TPrinter::~TPrinter() {
  if (FPrinting) Abort();
  FCanvas.reset();
  if (FHandle) DeleteRecordingDc(FHandle);
}

void TPrinter::LoadQueues() {
  if (FQueuesLoaded) return;
  FQueuesLoaded = true;
  FPrinters->Clear();
  FPrinters->Add(TPdfFileDestination::DestinationName);
  int defaultIndex = 0;
  for (const TCupsQueue& queue : CupsQueues()) {
    FPrinters->Add(queue.Name);
    if (queue.IsDefault) defaultIndex = FPrinters->Count() - 1;
  }
  if (FPrinterIndex < 0 || FPrinterIndex >= FPrinters->Count()) FPrinterIndex = defaultIndex;
}

TStrings* TPrinter::Printers() {
  LoadQueues();
  return FPrinters.get();
}

int TPrinter::PrinterIndex() {
  LoadQueues();
  return FPrinterIndex;
}

void TPrinter::SetPrinterIndex(int Value) {
  CheckPrinting(false);
  LoadQueues();
  if (Value < -1 || Value >= FPrinters->Count()) throw EPrinter("Printer selected is not valid");
  if (Value == -1) {
    FQueuesLoaded = false;
    FPrinterIndex = -1;
    LoadQueues();
  } else {
    FPrinterIndex = Value;
  }
  FDestination.reset();
  UpdateCaps();
}

void TPrinter::Refresh() {
  CheckPrinting(false);
  const String current = FQueuesLoaded ? FPrinters->Strings(FPrinterIndex) : String();
  FQueuesLoaded = false;
  LoadQueues();
  const int again = FPrinters->IndexOf(current);
  if (again >= 0) FPrinterIndex = again;
  FDestination.reset();
  UpdateCaps();
}

TPrintDestination& TPrinter::Destination() {
  LoadQueues();
  if (!FDestination) {
    if (FPrinterIndex == 0)
      FDestination = std::make_unique<TPdfFileDestination>();
    else
      FDestination = std::make_unique<TCupsDestination>(FPrinters->Strings(FPrinterIndex));
  }
  return *FDestination;
}

String TPrinter::FileName() const {
  if (!FFileName.empty()) return FFileName;
  const String title = FTitle.empty() ? String("Document") : FTitle;
  return (std::filesystem::current_path() / (title + ".pdf")).string();
}

void TPrinter::SetOrientation(TPrinterOrientation Value) {
  if (Value == FOrientation) return;
  CheckPrinting(false);
  FOrientation = Value;
  UpdateCaps();
}

void TPrinter::SetCopies(int Value) {
  CheckPrinting(false);
  FCopies = std::max(1, Value);
}

TDeviceCaps TPrinter::Caps() {
  return CapsOfPaper(Destination().Paper(), FOrientation == poLandscape);
}

void TPrinter::UpdateCaps() {
  if (FHandle) SetRecordingDcCaps(FHandle, Caps());
}

HDC TPrinter::Handle() {
  if (!FHandle) FHandle = CreateRecordingDc(FRecorder, Caps());
  return FHandle;
}

int TPrinter::PageWidth() { return Caps().HorzRes; }

int TPrinter::PageHeight() { return Caps().VertRes; }

TCanvas* TPrinter::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TCanvas>();
    SizeFontFor(FCanvas->Font(), GetDeviceCaps(Handle(), LOGPIXELSY));
    FCanvas->SetHandle(Handle());
  }
  return FCanvas.get();
}

void TPrinter::CheckPrinting(bool Printing) const {
  if (Printing && !FPrinting) throw EPrinter(NotPrinting);
  if (!Printing && FPrinting) throw EPrinter(InProgress);
}

void TPrinter::BeginDoc() {
  CheckPrinting(false);
  TPrintDestination& destination = Destination();
  if (auto* pdf = dynamic_cast<TPdfFileDestination*>(&destination)) pdf->SetFileName(FileName());
  UpdateCaps();
  if (!FRecordOnly) destination.BeginJob(TJobSettings{FTitle, FCopies});
  FPrinting = true;
  FAborted = false;
  FPageNumber = 1;
  FPages.clear();
  FRecorder.Clear();
  FRecorder.NewPage();
  SizeFontFor(Canvas()->Font(), GetDeviceCaps(Handle(), LOGPIXELSY));
  Canvas()->Refresh();
}

void TPrinter::EndDoc() {
  CheckPrinting(true);
  FPrinting = false;
  FPages = FRecorder.TakePages();
  if (!FRecordOnly) Destination().EndJob(FPages, Caps());
}

void TPrinter::NewPage() {
  CheckPrinting(true);
  Canvas()->Refresh();
  FRecorder.NewPage();
  ++FPageNumber;
}

void TPrinter::Abort() {
  CheckPrinting(true);
  FPrinting = false;
  FAborted = true;
  FPages = FRecorder.TakePages();
  if (!FRecordOnly) Destination().AbortJob();
}

const std::vector<TMetaPage>& TPrinter::Pages() const {
  return FPrinting ? FRecorder.Pages() : FPages;
}

void TPrinter::PrintPages(const std::vector<TMetaPage>& Pages, const TDeviceCaps& PageCaps) {
  CheckPrinting(false);
  TPrintDestination& destination = Destination();
  if (auto* pdf = dynamic_cast<TPdfFileDestination*>(&destination)) pdf->SetFileName(FileName());
  destination.BeginJob(TJobSettings{FTitle, FCopies});
  try {
    destination.EndJob(Pages, PageCaps);
  } catch (...) {
    destination.AbortJob();
    throw;
  }
}

TPrinter* Printer() {
  if (!ThePrinter()) ThePrinter() = std::make_unique<TPrinter>();
  return ThePrinter().get();
}

TPrinter* SetPrinter(TPrinter* NewPrinter) {
  TPrinter* old = ThePrinter().release();
  ThePrinter().reset(NewPrinter);
  return old;
}
