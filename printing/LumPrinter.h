#pragma once

#include "framework/classes/Component.h"
#include "framework/controls/Control.h"
#include "framework/controls/Image.h"
#include "framework/controls/Printers.h"
#include "framework/graphics/Brush.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Pen.h"

#include <array>
#include <memory>
#include <vector>

using Single = float;

LUM_ENUM(THeaderFooterStyle, hfsNone, hfsLineUp, hfsLineDown, hfsLineUpDown, hfsRectangle,
         hfsEllipse);
LUM_ENUM(TPrinterMode, pmPrinter, pmImage);
LUM_ENUM(TDokumentStatus, dsBeginDoc, dsEndDoc, dsAbort);
LUM_ENUM(TTextBase, tbTop, tbBaseLine, tbBottom);

using TImageObject = TImage*;

// One text line of a header or footer block, or the page number: position in percent.
struct TLumPrintLine {
  String Text;
  Single X = 0;
  Single Y = 0;
  TAlignment Alignment = taLeftJustify;
};

// A header or footer: a frame or shaded area with up to five lines.
struct TLumHeaderFooter {
  Single Left = 0, Top = 0, Right = 0, Bottom = 0;
  std::unique_ptr<TPen> Pen = std::make_unique<TPen>();
  THeaderFooterStyle Style = hfsRectangle;
  Word Shade = 0; // grey level; 0 means white
  std::array<TLumPrintLine, 5> Lines;
};

// The device's page in pixels, as CalculateMeasurements finds it.
struct TLumPageMetrics {
  int OffsetX = 0, OffsetY = 0;
  int PhysicalWidth = 0, PhysicalHeight = 0;
  int RightMargin = 0, BottomMargin = 0;
  Single VerticalScale = 100.0f, HorizontalScale = 100.0f;
  int VerticalPixelsPerPercent = 2, HorizontalPixelsPerPercent = 2;
};

// Pixels per percent of a sheet this many pixels long: Round(length / 100), at least 1.
int PixelsPerPercentOf(int length);
// Trunc(pixelsPerPercent × percent), the product first rounded to Single.
int PercentToPixels(int pixelsPerPercent, Single percent);
// Where a text of this width starts for an anchor position and alignment, never left of the
// printable area's edge at offset.
int TextAnchor(int position, int width, TAlignment alignment, int offset);

// Lays out printed pages in percent of the sheet: text lines with a running write position,
// tab columns, word-wrapped rectangles, lines, shapes and pictures, with automatic page breaks
// and a header, a footer and a page number on every page. Prints on the system's printer
// (pmPrinter) or draws on an image on a form (pmImage), as a preview.
class TLumPrinter : public TComponent {
  LUM_CLASS(TLumPrinter, TComponent)
public:
  explicit TLumPrinter(TComponent* AOwner);
  ~TLumPrinter() override;

  LUM_PUBLISHED(TAlignment, Alignment, FAlignment, Field, NoDefault)
  LUM_PUBLISHED(TFontObject, Font, FFont.get(), SetFont, NoDefault)
  LUM_PUBLISHED(TFontObject, HeaderFont, FHeaderFont.get(), SetHeaderFont, NoDefault)
  LUM_PUBLISHED(TFontObject, FooterFont, FFooterFont.get(), SetFooterFont, NoDefault)
  LUM_PUBLISHED(TFontObject, PageNumberFont, FPageNumberFont.get(), SetPageNumberFont, NoDefault)
  LUM_PUBLISHED(Single, Tab, FTab, Field, NoDefault)
  LUM_PUBLISHED(Single, TabWriteRect, FTabWriteRect, Field, NoDefault)
  LUM_PUBLISHED(bool, AutoPaging, FAutoPaging, Field, NoDefault)
  LUM_PUBLISHED(TPenObject, Pen, CurrentPen(), SetPen, NoDefault)
  LUM_PUBLISHED(TBrushObject, Brush, CurrentBrush(), SetBrush, NoDefault)
  LUM_PUBLISHED(TDokumentStatus, DokumentStatus, FDokumentStatus, SetDokumentStatus, NoDefault)
  LUM_PUBLISHED(Single, YPosition, FYPosition, Field, NoDefault)
  LUM_PUBLISHED(TPrinterOrientation, Orientation, FOrientation, SetOrientation, NoDefault)
  LUM_PUBLISHED(bool, FontHeight_Promille, FFontHeightPromille, SetFonts_in_Promille, NoDefault)
  LUM_PUBLISHED(String, Title, FTitle, Field, NoDefault)
  LUM_PUBLISHED(TPrinterMode, PrinterMode, FPrinterMode, SetPrinterMode, NoDefault)
  LUM_PUBLISHED(TImageObject, Image, FImage, SetImage, NoDefault)
  LUM_PUBLISHED(TTextBase, TextBase, FTextBase, SetTextBase, NoDefault)

  // Copy the font (nil is ignored); Font is applied to the canvas at once when there is one.
  void SetFont(TFont* Value);
  void SetHeaderFont(TFont* Value);
  void SetFooterFont(TFont* Value);
  void SetPageNumberFont(TFont* Value);
  // The output canvas's pen and brush; setting copies (nil is ignored).
  void SetPen(TPen* Value);
  void SetBrush(TBrush* Value);
  // Starts, finishes or aborts a document.
  void SetDokumentStatus(TDokumentStatus Value);
  // Read only: the printer's page number while it prints a document, otherwise 0.
  Integer PageNumber() const;
  void SetOrientation(TPrinterOrientation Value);
  void SetFonts_in_Promille(bool Value) { FFontHeightPromille = Value; }
  // Refused with a message while a document is open.
  void SetPrinterMode(TPrinterMode Value);
  void SetImage(TImage* Value);
  // Stored always; applied to the canvas while a document is open.
  void SetTextBase(TTextBase Value);

  void WriteLine(Single X, Single Y, const String& Text);
  void WriteLineColumn(Word Col, Single Y, const String& Text);
  void WriteRect(Single Left, Single Top, Single Right, Single Bottom, const String& Text);
  void DrawLine(Single X1, Single Y1, Single X2, Single Y2);
  void FillRect(Single Left, Single Top, Single Right, Single Bottom);
  void FrameRect(Single Left, Single Top, Single Right, Single Bottom);
  void Rectangle(Single Left, Single Top, Single Right, Single Bottom);
  void Ellipse(Single Left, Single Top, Single Right, Single Bottom);
  void StretchDraw(Single Left, Single Top, Single Right, Single Bottom, TBitmap* Bitmap,
                   bool KeepAspect);
  void CreateColumn(Word Col, Single Left, Single Width);
  void SetHeaderDimensions(Single Left, Single Top, Single Right, Single Bottom,
                           THeaderFooterStyle Style, Word Shade);
  void SetFooterDimensions(Single Left, Single Top, Single Right, Single Bottom,
                           THeaderFooterStyle Style, Word Shade);
  void SetHeaderInformation(Integer Line, Single X, Single Y, const String& Text);
  void SetFooterInformation(Integer Line, Single X, Single Y, const String& Text);
  void SetPageNumberInformation(Single X, Single Y, const String& Text);
  void SetDetailTopBottom(Single Top, Single Bottom);
  void SetTopOfPage();
  void NextLine();
  void NewLines(Word N);
  // Finishes the page: header, footer and page number, then the next page.
  void NewPage();
  void WriteHeader(Byte Which);
  void WritePageNumber();
  Single GetTextWidth(const String& Text);
  Single GetLineHeightProzent();
  Integer CalculateLineHeight();
  Word GetLinesInDetailArea();
  // The lines that still fit on the page; 0 when the position is already past the bottom.
  Word GetLinesRest();
  Integer GetCharPerLine();
  Integer ProzentToPixelsHorizontal(Single P) const;
  Integer ProzentToPixelsVertical(Single P) const;
  Single PixelsToProzentHorizontal(Integer N) const;
  Single PixelsToProzentVertical(Integer N) const;
  void CalculateMeasurements();
  void SetFontInformation(TFont* F);
  void SaveCurrentFont();
  void RestoreCurrentFont();
  void Font_aendern();
  void Schrift_waehlen(Integer Size, TFontStyles Style, TAlignment Alignment);

  // The page metrics and layout state, for a reader of the layout.
  const TLumPageMetrics& Metrics() const { return FMetrics; }
  Single DetailTop() const { return FDetailTop; }
  Single DetailBottom() const { return FDetailBottom; }
  const TLumHeaderFooter& Block(Byte Which) const;
  // The canvas drawn on: the printer's, or the image's in image mode (EPrinter when there
  // is none).
  TCanvas* Canvas();

  // In image mode every page draws over the same image; these are the pages as pictures,
  // one per finished page (NewPage and dsEndDoc copy the image).
  int ImagePageCount() const { return static_cast<int>(FImagePages.size()); }
  TBitmap* ImagePages(int Index) const;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TLumHeaderFooter& BlockOf(Byte Which);
  void SetBlockDimensions(TLumHeaderFooter& Block, Single Left, Single Top, Single Right,
                          Single Bottom, THeaderFooterStyle Style, Word Shade);
  void SetBlockLine(TLumHeaderFooter& Block, Integer Line, Single X, Single Y, const String& Text);
  TCanvas* CanvasOrNull() const;
  TPen* CurrentPen() const;
  TBrush* CurrentBrush() const;
  TRect ToCanvas(Single Left, Single Top, Single Right, Single Bottom) const;
  TPoint ToCanvas(Single X, Single Y) const;
  void DrawBlockFrame(const TLumHeaderFooter& Block);
  void ApplyTextBase();
  void BeginDocument();
  void EndDocument();
  void KeepImagePage();
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  bool PrinterPrinting() const;

  TAlignment FAlignment = taLeftJustify;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TFont> FHeaderFont;
  std::unique_ptr<TFont> FFooterFont;
  std::unique_ptr<TFont> FPageNumberFont;
  Single FTab = 0;
  Single FTabWriteRect = 0;
  bool FAutoPaging = true;
  TDokumentStatus FDokumentStatus = dsEndDoc;
  Single FYPosition = 0;
  TPrinterOrientation FOrientation = poPortrait;
  bool FFontHeightPromille = false;
  String FTitle;
  TPrinterMode FPrinterMode = pmPrinter;
  TImage* FImage = nullptr;
  TTextBase FTextBase = tbTop;

  TLumPageMetrics FMetrics;
  Single FDetailTop = 1.0f;
  Single FDetailBottom = 99.0f;
  std::array<std::pair<Single, Single>, 20> FColumns{};
  TLumHeaderFooter FHeader;
  TLumHeaderFooter FFooter;
  TLumPrintLine FPageNumberLine;
  std::unique_ptr<TPen> FSparePen = std::make_unique<TPen>();
  std::unique_ptr<TBrush> FSpareBrush = std::make_unique<TBrush>();

  std::unique_ptr<TFont> FSavedFont = std::make_unique<TFont>();
  TAlignment FSavedAlignment = taLeftJustify;
  Single FSavedTab = 0;
  bool FSavedAutoPaging = true;

  std::vector<std::unique_ptr<TBitmap>> FImagePages;
};
