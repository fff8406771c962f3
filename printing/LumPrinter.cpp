#include "printing/LumPrinter.h"

#include "framework/controls/Dialogs.h"
#include "framework/controls/Forms.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Checked.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Maths.h"

#include <cmath>

namespace {

constexpr const char* NoOutputChange =
    "Wechsel des Ausgabekontextes ist während der Ausgabe nicht möglich!";
constexpr const char* NoImage = "TLumPrinter: the image mode has no Image to draw on";
constexpr int MaxAnchor = 65535;
constexpr int MaxTabStop = 255;

int TruncToInt(double value) {
  if (!std::isfinite(value) || value < INT32_MIN || value > INT32_MAX)
    throw EIntOverflow(RtlMessages::IntOverflow);
  return static_cast<int>(Trunc(value));
}

UINT TextAlignOf(TTextBase base) {
  switch (base) {
  case tbBaseLine:
    return TA_BASELINE;
  case tbBottom:
    return TA_BOTTOM;
  default:
    return TA_TOP;
  }
}

} // namespace

int PixelsPerPercentOf(int length) {
  return std::max<int>(1, static_cast<int>(Round(length / 100.0)));
}

int PercentToPixels(int pixelsPerPercent, Single percent) {
  const Single product = static_cast<Single>(pixelsPerPercent) * percent;
  return TruncToInt(product);
}

int TextAnchor(int position, int width, TAlignment alignment, int offset) {
  long long anchor = position;
  if (alignment == taRightJustify)
    anchor -= width;
  else if (alignment == taCenter)
    anchor -= width / 2;
  return static_cast<int>(std::max<long long>(anchor, offset));
}

TLumPrinter::TLumPrinter(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TFont>()), FHeaderFont(std::make_unique<TFont>()),
      FFooterFont(std::make_unique<TFont>()), FPageNumberFont(std::make_unique<TFont>()) {
  if (auto* form = dynamic_cast<TCustomForm*>(AOwner)) FFont->Assign(form->Font());
  FHeaderFont->Assign(FFont.get());
  FFooterFont->Assign(FFont.get());
  FPageNumberFont->Assign(FFont.get());
}

TLumPrinter::~TLumPrinter() = default;

// Output

TCanvas* TLumPrinter::CanvasOrNull() const {
  if (FPrinterMode == pmPrinter) return Printer()->Canvas();
  return FImage ? FImage->Canvas() : nullptr;
}

TCanvas* TLumPrinter::Canvas() {
  TCanvas* canvas = CanvasOrNull();
  if (!canvas) throw EPrinter(NoImage);
  return canvas;
}

TPen* TLumPrinter::CurrentPen() const {
  TCanvas* canvas = CanvasOrNull();
  return canvas ? canvas->Pen() : FSparePen.get();
}

TBrush* TLumPrinter::CurrentBrush() const {
  TCanvas* canvas = CanvasOrNull();
  return canvas ? canvas->Brush() : FSpareBrush.get();
}

void TLumPrinter::SetPen(TPen* Value) {
  if (Value) CurrentPen()->Assign(Value);
}

void TLumPrinter::SetBrush(TBrush* Value) {
  if (Value) CurrentBrush()->Assign(Value);
}

bool TLumPrinter::PrinterPrinting() const {
  return FPrinterMode == pmPrinter && Printer()->Printing();
}

Integer TLumPrinter::PageNumber() const { return PrinterPrinting() ? Printer()->PageNumber() : 0; }

void TLumPrinter::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImage) FImage = nullptr;
}

// Fonts

void TLumPrinter::SetFont(TFont* Value) {
  if (!Value) return;
  FFont->Assign(Value);
  if (CanvasOrNull()) SetFontInformation(FFont.get());
}

void TLumPrinter::SetHeaderFont(TFont* Value) {
  if (Value) FHeaderFont->Assign(Value);
}

void TLumPrinter::SetFooterFont(TFont* Value) {
  if (Value) FFooterFont->Assign(Value);
}

void TLumPrinter::SetPageNumberFont(TFont* Value) {
  if (Value) FPageNumberFont->Assign(Value);
}

void TLumPrinter::SetFontInformation(TFont* F) {
  if (Designing() || !F) return;
  TCanvas* canvas = Canvas();
  canvas->Font()->Assign(F);
  if (FFontHeightPromille)
    canvas->Font()->SetHeight(
        static_cast<Integer>(Round(F->Height() * FMetrics.VerticalPixelsPerPercent / 10.0)));
  CalculateMeasurements();
}

void TLumPrinter::SaveCurrentFont() {
  TFont* font = Canvas()->Font();
  FSavedFont->SetPixelsPerInch(font->PixelsPerInch());
  FSavedFont->Assign(font);
  FSavedAlignment = FAlignment;
  FSavedTab = FTab;
  FSavedAutoPaging = FAutoPaging;
}

void TLumPrinter::RestoreCurrentFont() {
  Canvas()->Font()->Assign(FSavedFont.get());
  FAlignment = FSavedAlignment;
  FTab = FSavedTab;
  FAutoPaging = FSavedAutoPaging;
  CalculateMeasurements();
}

void TLumPrinter::Font_aendern() { SetFontInformation(FFont.get()); }

void TLumPrinter::Schrift_waehlen(Integer Size, TFontStyles Style, TAlignment Alignment) {
  FFont->SetSize(Size);
  FFont->SetStyle(Style);
  FAlignment = Alignment;
  SetFontInformation(FFont.get());
}

// Settings

void TLumPrinter::SetOrientation(TPrinterOrientation Value) {
  if (Value == FOrientation) return;
  FOrientation = Value;
  if (FPrinterMode == pmPrinter) Printer()->SetOrientation(Value);
  CalculateMeasurements();
}

void TLumPrinter::SetPrinterMode(TPrinterMode Value) {
  if (FDokumentStatus == dsBeginDoc) {
    ShowMessage(NoOutputChange);
    return;
  }
  FPrinterMode = Value;
}

void TLumPrinter::SetImage(TImage* Value) {
  if (FDokumentStatus == dsBeginDoc) {
    ShowMessage(NoOutputChange);
    return;
  }
  if (Value == FImage) return;
  if (FImage) FImage->RemoveFreeNotification(this);
  FImage = Value;
  if (FImage) FImage->FreeNotification(this);
  if (FImage && FPrinterMode == pmImage) CalculateMeasurements();
}

void TLumPrinter::SetTextBase(TTextBase Value) {
  FTextBase = Value;
  if (FDokumentStatus == dsBeginDoc) ApplyTextBase();
}

void TLumPrinter::ApplyTextBase() { SetTextAlign(Canvas()->Handle(), TextAlignOf(FTextBase)); }

// Documents

void TLumPrinter::SetDokumentStatus(TDokumentStatus Value) {
  if (Value == FDokumentStatus) return;
  const TDokumentStatus before = FDokumentStatus;
  FDokumentStatus = Value;
  try {
    switch (Value) {
    case dsBeginDoc:
      BeginDocument();
      break;
    case dsEndDoc:
      EndDocument();
      break;
    case dsAbort:
      if (PrinterPrinting()) Printer()->Abort();
      break;
    }
  } catch (...) {
    if (Value == dsBeginDoc) FDokumentStatus = before;
    throw;
  }
}

void TLumPrinter::BeginDocument() {
  if (FPrinterMode == pmPrinter) {
    if (Printer()->Printing()) return;
    Printer()->SetTitle(FTitle);
    Printer()->BeginDoc();
  } else if (!FImage) {
    throw EPrinter(NoImage);
  }
  ApplyTextBase();
  CalculateMeasurements();
  SetFontInformation(FFont.get());
  if (FPrinterMode == pmImage) {
    FImagePages.clear();
    Canvas()->Brush()->SetStyle(bsSolid);
    Rectangle(0, 0, 100, 100);
    Canvas()->Brush()->SetStyle(bsClear);
  }
}

void TLumPrinter::EndDocument() {
  if (FPrinterMode == pmPrinter && !Printer()->Printing()) return;
  if (FPrinterMode == pmImage && !FImage) return;
  WriteHeader(1);
  WriteHeader(2);
  WritePageNumber();
  if (FPrinterMode == pmPrinter)
    Printer()->EndDoc();
  else
    KeepImagePage();
}

void TLumPrinter::KeepImagePage() {
  auto page = std::make_unique<TBitmap>();
  page->Assign(FImage->Picture()->Bitmap());
  FImagePages.push_back(std::move(page));
}

TBitmap* TLumPrinter::ImagePages(int Index) const {
  if (Index < 0 || Index >= ImagePageCount()) throw ERangeError(RtlMessages::RangeError);
  return FImagePages[static_cast<std::size_t>(Index)].get();
}

void TLumPrinter::NewPage() {
  WriteHeader(1);
  WriteHeader(2);
  WritePageNumber();
  FYPosition = FDetailTop;
  if (FPrinterMode == pmPrinter)
    Printer()->NewPage();
  else
    KeepImagePage();
}

// Measurement

void TLumPrinter::CalculateMeasurements() {
  TLumPageMetrics& m = FMetrics;
  if (FPrinterMode == pmImage) {
    if (!FImage) return;
    m.OffsetX = m.OffsetY = 0;
    m.PhysicalWidth = FImage->Width();
    m.PhysicalHeight = FImage->Height();
  } else {
    HDC dc = Canvas()->Handle();
    POINT point{};
    Escape(dc, GETPRINTINGOFFSET, 0, nullptr, &point);
    m.OffsetX = point.X;
    m.OffsetY = point.Y;
    Escape(dc, GETPHYSPAGESIZE, 0, nullptr, &point);
    m.PhysicalWidth = point.X;
    m.PhysicalHeight = point.Y;
  }
  m.VerticalScale = m.HorizontalScale = 100.0f;
  m.VerticalPixelsPerPercent = PixelsPerPercentOf(m.PhysicalHeight);
  m.HorizontalPixelsPerPercent = PixelsPerPercentOf(m.PhysicalWidth);
  if (FPrinterMode == pmPrinter) {
    m.RightMargin = m.PhysicalWidth - m.OffsetX - Printer()->PageWidth();
    m.BottomMargin = m.PhysicalHeight - m.OffsetY - Printer()->PageHeight();
  } else {
    m.RightMargin = m.OffsetX;
    m.BottomMargin = m.OffsetY;
  }
}

Integer TLumPrinter::ProzentToPixelsHorizontal(Single P) const {
  return PercentToPixels(FMetrics.HorizontalPixelsPerPercent, P);
}

Integer TLumPrinter::ProzentToPixelsVertical(Single P) const {
  return PercentToPixels(FMetrics.VerticalPixelsPerPercent, P);
}

Single TLumPrinter::PixelsToProzentHorizontal(Integer N) const {
  return static_cast<Single>(N) / static_cast<Single>(FMetrics.HorizontalPixelsPerPercent);
}

Single TLumPrinter::PixelsToProzentVertical(Integer N) const {
  return static_cast<Single>(N) / static_cast<Single>(FMetrics.VerticalPixelsPerPercent);
}

Integer TLumPrinter::CalculateLineHeight() {
  TEXTMETRICA metrics{};
  GetTextMetricsA(Canvas()->Handle(), &metrics);
  return metrics.tmHeight + metrics.tmExternalLeading;
}

Single TLumPrinter::GetLineHeightProzent() {
  return PixelsToProzentVertical(CalculateLineHeight());
}

Single TLumPrinter::GetTextWidth(const String& Text) {
  return PixelsToProzentHorizontal(Canvas()->TextWidth(Text));
}

Word TLumPrinter::GetLinesInDetailArea() {
  const int height = CalculateLineHeight();
  if (height <= 0) throw EDivByZero(RtlMessages::DivByZero);
  return RangeChecked<Word>(ProzentToPixelsVertical(FDetailBottom - FDetailTop) / height);
}

Word TLumPrinter::GetLinesRest() {
  const double lines = (FDetailBottom - FYPosition) / GetLineHeightProzent();
  if (lines <= 0) return 0;
  return RangeChecked<Word>(TruncToInt(lines));
}

Integer TLumPrinter::GetCharPerLine() {
  const int width = Canvas()->TextWidth("B");
  if (width == 0) throw EDivByZero(RtlMessages::DivByZero);
  const TLumPageMetrics& m = FMetrics;
  return (m.PhysicalWidth - m.OffsetX - m.RightMargin) / width;
}

// Layout

void TLumPrinter::CreateColumn(Word Col, Single Left, Single Width) {
  RangeChecked<Word>(Col, 1, 20);
  FColumns[Col - 1u] = {Left, Width};
}

void TLumPrinter::SetDetailTopBottom(Single Top, Single Bottom) {
  FDetailTop = Top;
  FDetailBottom = Bottom;
  FYPosition = Top - GetLineHeightProzent();
}

void TLumPrinter::SetTopOfPage() { FYPosition = FDetailTop; }

void TLumPrinter::NextLine() { FYPosition += GetLineHeightProzent(); }

void TLumPrinter::NewLines(Word N) {
  for (Word i = 0; i < N; ++i) NextLine();
}

// Header, footer and page number

TLumHeaderFooter& TLumPrinter::BlockOf(Byte Which) {
  RangeChecked<Byte>(Which, 1, 2);
  return Which == 1 ? FHeader : FFooter;
}

const TLumHeaderFooter& TLumPrinter::Block(Byte Which) const {
  return const_cast<TLumPrinter*>(this)->BlockOf(Which);
}

void TLumPrinter::SetBlockDimensions(TLumHeaderFooter& Block, Single Left, Single Top, Single Right,
                                     Single Bottom, THeaderFooterStyle Style, Word Shade) {
  RangeChecked<Word>(Shade, 0, 255);
  Block.Left = Left;
  Block.Top = Top;
  Block.Right = Right;
  Block.Bottom = Bottom;
  Block.Style = Style;
  Block.Shade = Shade;
  Block.Pen->Assign(CurrentPen());
}

void TLumPrinter::SetHeaderDimensions(Single Left, Single Top, Single Right, Single Bottom,
                                      THeaderFooterStyle Style, Word Shade) {
  SetBlockDimensions(FHeader, Left, Top, Right, Bottom, Style, Shade);
}

void TLumPrinter::SetFooterDimensions(Single Left, Single Top, Single Right, Single Bottom,
                                      THeaderFooterStyle Style, Word Shade) {
  SetBlockDimensions(FFooter, Left, Top, Right, Bottom, Style, Shade);
}

void TLumPrinter::SetBlockLine(TLumHeaderFooter& Block, Integer Line, Single X, Single Y,
                               const String& Text) {
  if (Line < 1) throw ERangeError(RtlMessages::RangeError);
  if (Line > 5) return;
  Block.Lines[static_cast<std::size_t>(Line - 1)] =
      TLumPrintLine{Text.substr(0, 240), X, Y, FAlignment};
}

void TLumPrinter::SetHeaderInformation(Integer Line, Single X, Single Y, const String& Text) {
  SetBlockLine(FHeader, Line, X, Y, Text);
}

void TLumPrinter::SetFooterInformation(Integer Line, Single X, Single Y, const String& Text) {
  SetBlockLine(FFooter, Line, X, Y, Text);
}

void TLumPrinter::SetPageNumberInformation(Single X, Single Y, const String& Text) {
  FPageNumberLine = TLumPrintLine{Text.substr(0, 240), X, Y, FAlignment};
}

void TLumPrinter::DrawBlockFrame(const TLumHeaderFooter& Block) {
  TCanvas* canvas = Canvas();
  canvas->Pen()->Assign(Block.Pen.get());
  const BYTE grey = static_cast<BYTE>(Block.Shade > 0 ? Block.Shade : 255);
  canvas->Brush()->SetBitmap(nullptr);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(static_cast<TColor>(RGB(grey, grey, grey)));
  const Single l = Block.Left, t = Block.Top, r = Block.Right, b = Block.Bottom;
  switch (Block.Style) {
  case hfsLineUp:
    DrawLine(l, t, r, t);
    break;
  case hfsLineDown:
    DrawLine(l, b, r, b);
    break;
  case hfsLineUpDown:
    DrawLine(l, t, r, t);
    DrawLine(l, b, r, b);
    break;
  case hfsRectangle:
    Rectangle(l, t, r, b);
    break;
  case hfsEllipse:
    Ellipse(l, t, r, b);
    break;
  case hfsNone:
    break;
  }
}

void TLumPrinter::WriteHeader(Byte Which) {
  const TLumHeaderFooter& block = BlockOf(Which);
  SaveCurrentFont();
  TCanvas* canvas = Canvas();
  TPen pen;
  pen.Assign(canvas->Pen());
  TBrush brush;
  brush.Assign(canvas->Brush());
  if (block.Style != hfsNone) DrawBlockFrame(block);
  SetFontInformation(Which == 1 ? FHeaderFont.get() : FFooterFont.get());
  FTab = 0;
  FAutoPaging = false;
  for (const TLumPrintLine& line : block.Lines) {
    FAlignment = line.Alignment;
    if (!line.Text.empty()) WriteLine(line.X, line.Y, line.Text);
  }
  RestoreCurrentFont();
  canvas->Pen()->Assign(&pen);
  canvas->Brush()->Assign(&brush);
}

void TLumPrinter::WritePageNumber() {
  const int n = FPrinterMode == pmPrinter ? Printer()->PageNumber() : 1;
  const String text = Format(FPageNumberLine.Text, {n});
  SaveCurrentFont();
  FAlignment = FPageNumberLine.Alignment;
  FTab = 0;
  SetFontInformation(FPageNumberFont.get());
  FAutoPaging = false;
  WriteLine(FPageNumberLine.X, FPageNumberLine.Y, text);
  RestoreCurrentFont();
}

// Drawing

TPoint TLumPrinter::ToCanvas(Single X, Single Y) const {
  return TPoint{ProzentToPixelsHorizontal(X) - FMetrics.OffsetX,
                ProzentToPixelsVertical(Y) - FMetrics.OffsetY};
}

TRect TLumPrinter::ToCanvas(Single Left, Single Top, Single Right, Single Bottom) const {
  const TPoint a = ToCanvas(Left, Top), b = ToCanvas(Right, Bottom);
  return TRect{a.X, a.Y, b.X, b.Y};
}

void TLumPrinter::WriteLine(Single X, Single Y, const String& Text) {
  TCanvas* canvas = Canvas();
  const TLumPageMetrics& m = FMetrics;
  int x = m.OffsetX;
  if (X >= 0)
    x = TextAnchor(ProzentToPixelsHorizontal(X), canvas->TextWidth(Text), FAlignment, m.OffsetX);
  RangeChecked(x, 0, MaxAnchor);
  if (FTab > 0) x = CheckedAdd(x, ProzentToPixelsHorizontal(FTab));
  int y = 0;
  if (Y > -0.01f) {
    y = ProzentToPixelsVertical(Y);
    if (y < m.OffsetY) y = m.OffsetY;
    if (y > m.PhysicalHeight) y = m.PhysicalHeight - m.BottomMargin;
    FYPosition = Y;
  } else if (Y == -1.0f) {
    const Single lineHeight = GetLineHeightProzent();
    if (FAutoPaging && FYPosition + lineHeight > FDetailBottom) NewPage();
    y = ProzentToPixelsVertical(FYPosition + lineHeight);
    FYPosition += lineHeight;
  } else if (Y == -2.0f) {
    y = ProzentToPixelsVertical(FYPosition);
  }
  canvas->TextOut(x - m.OffsetX, y - m.OffsetY, Text);
}

void TLumPrinter::WriteLineColumn(Word Col, Single Y, const String& Text) {
  RangeChecked<Word>(Col, 1, 20);
  const auto [left, width] = FColumns[Col - 1u];
  Single x = left;
  if (FAlignment == taRightJustify)
    x = left + width;
  else if (FAlignment == taCenter)
    x = left + width / 2;
  WriteLine(x, Y, Text);
}

void TLumPrinter::WriteRect(Single Left, Single Top, Single Right, Single Bottom,
                            const String& Text) {
  TCanvas* canvas = Canvas();
  TRect rect = ToCanvas(Left, Top, Right, Bottom);
  const auto tabStop = static_cast<UINT>(std::clamp<Int64>(
      Round(static_cast<double>(canvas->Font()->Size()) * FTabWriteRect), 0, MaxTabStop));
  const UINT flags = DT_WORDBREAK | DT_EXPANDTABS | DT_TABSTOP | (tabStop << 8);
  const String buffer = Text; // zero-terminated copy, as DrawText takes it
  DrawTextA(canvas->Handle(), buffer.c_str(), static_cast<int>(buffer.size()), &rect, flags);
}

void TLumPrinter::DrawLine(Single X1, Single Y1, Single X2, Single Y2) {
  TCanvas* canvas = Canvas();
  const TPoint a = ToCanvas(X1, Y1), b = ToCanvas(X2, Y2);
  canvas->MoveTo(a.X, a.Y);
  canvas->LineTo(b.X, b.Y);
}

void TLumPrinter::FillRect(Single Left, Single Top, Single Right, Single Bottom) {
  Canvas()->FillRect(ToCanvas(Left, Top, Right, Bottom));
}

void TLumPrinter::FrameRect(Single Left, Single Top, Single Right, Single Bottom) {
  Canvas()->FrameRect(ToCanvas(Left, Top, Right, Bottom));
}

void TLumPrinter::Rectangle(Single Left, Single Top, Single Right, Single Bottom) {
  Canvas()->Rectangle(ToCanvas(Left, Top, Right, Bottom));
}

void TLumPrinter::Ellipse(Single Left, Single Top, Single Right, Single Bottom) {
  Canvas()->Ellipse(ToCanvas(Left, Top, Right, Bottom));
}

void TLumPrinter::StretchDraw(Single Left, Single Top, Single Right, Single Bottom, TBitmap* Bitmap,
                              bool KeepAspect) {
  if (!Bitmap || Bitmap->Empty()) return;
  TCanvas* canvas = Canvas();
  TRect rect = ToCanvas(Left, Top, Right, Bottom);
  if (KeepAspect) {
    const Single sx = static_cast<Single>(rect.Right - rect.Left) / Bitmap->Width();
    const Single sy = static_cast<Single>(rect.Bottom - rect.Top) / Bitmap->Height();
    if (sx > sy)
      rect.Right = rect.Left + static_cast<int>(Round(Bitmap->Width() * sy));
    else
      rect.Bottom = rect.Top + static_cast<int>(Round(Bitmap->Height() * sx));
  }
  canvas->StretchDraw(rect, Bitmap);
}
