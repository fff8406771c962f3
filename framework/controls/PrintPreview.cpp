#include "framework/controls/PrintPreview.h"

#include "framework/controls/Application.h"
#include "framework/controls/Panels.h"
#include "framework/controls/Printers.h"
#include "framework/print/RasterPlayer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int Ground = 8; // grey margin around the sheet
constexpr int MinZoom = 10, MaxZoom = 400, ZoomStep = 25;
constexpr int ScreenDpi = 96;
constexpr int BarHeight = 34;
constexpr TColor GroundColour = 0x808080;

} // namespace

TPrintPreview::TPrintPreview(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 300, 400);
}

void TPrintPreview::SetPages(std::vector<TMetaPage> Pages, const TDeviceCaps& Caps) {
  FPages = std::move(Pages);
  FCaps = Caps;
  FPageIndex = 0;
  Invalidate();
}

void TPrintPreview::SetPageIndex(int Value) {
  Value = std::clamp(Value, 0, std::max(0, PageCount() - 1));
  if (Value == FPageIndex) return;
  FPageIndex = Value;
  Invalidate();
}

void TPrintPreview::SetZoom(int Value) {
  Value = Value == 0 ? 0 : std::clamp(Value, MinZoom, MaxZoom);
  if (Value == FZoom) return;
  FZoom = Value;
  Invalidate();
}

double TPrintPreview::Scale() {
  if (FCaps.PhysicalWidth <= 0 || FCaps.PhysicalHeight <= 0 || FCaps.LogPixelsX <= 0) return 0;
  if (FZoom > 0) return FZoom / 100.0 * ScreenDpi / FCaps.LogPixelsX;
  const double across =
      static_cast<double>(std::max(1, Width() - 2 * Ground)) / FCaps.PhysicalWidth;
  const double down =
      static_cast<double>(std::max(1, Height() - 2 * Ground)) / FCaps.PhysicalHeight;
  return std::min(across, down);
}

TRect TPrintPreview::SheetRect() {
  const double scale = Scale();
  const int w = static_cast<int>(std::lround(FCaps.PhysicalWidth * scale));
  const int h = static_cast<int>(std::lround(FCaps.PhysicalHeight * scale));
  const int left = std::max(Ground, (Width() - w) / 2);
  const int top = std::max(Ground, (Height() - h) / 2);
  return TRect{left, top, left + w, top + h};
}

void TPrintPreview::Paint() {
  TCanvas* canvas = Canvas();
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(GroundColour);
  canvas->FillRect(TRect{0, 0, Width(), Height()});
  if (FPages.empty() || Scale() <= 0) return;
  const TRect sheet = SheetRect();
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect(sheet);
  HDC dc = canvas->Handle();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, sheet.Left, sheet.Top, sheet.Right, sheet.Bottom);
  POINT origin{};
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.X + sheet.Left, origin.Y + sheet.Top, nullptr);
  PlayPage(FPages[static_cast<std::size_t>(FPageIndex)], FCaps, dc, Scale());
  RestoreDC(dc, saved);
  canvas->Refresh();
}

TPrintPreviewForm::TPrintPreviewForm(TComponent* AOwner, std::vector<TMetaPage> Pages,
                                     const TDeviceCaps& Caps)
    : TForm(AOwner) {
  SetText("Print preview");
  SetBounds(40, 40, 640, 720);
  auto* bar = new TPanel(this);
  bar->SetAlign(alTop);
  bar->SetHeight(BarHeight);
  bar->SetParent(this);
  int left = 6;
  auto next = [&](int width) {
    const int at = left;
    left += width + 4;
    return at;
  };
  AddButton("PriorPage", "<", next(32), 32, [this](TObject*) {
    FPreview->SetPageIndex(FPreview->PageIndex() - 1);
    ShowPageNumber();
  })->SetParent(bar);
  AddButton("NextPage", ">", next(32), 32, [this](TObject*) {
    FPreview->SetPageIndex(FPreview->PageIndex() + 1);
    ShowPageNumber();
  })->SetParent(bar);
  AddButton("ZoomOut", "-", next(32), 32, [this](TObject*) {
    const int zoom = FPreview->Zoom() == 0 ? 100 : FPreview->Zoom();
    FPreview->SetZoom(zoom - ZoomStep);
  })->SetParent(bar);
  AddButton("ZoomIn", "+", next(32), 32, [this](TObject*) {
    const int zoom = FPreview->Zoom() == 0 ? 100 : FPreview->Zoom();
    FPreview->SetZoom(zoom + ZoomStep);
  })->SetParent(bar);
  AddButton("Fit", "&Fit", next(48), 48, [this](TObject*) {
    FPreview->SetZoom(0);
  })->SetParent(bar);
  AddButton("Print", "&Print", next(64), 64, [this](TObject* Sender) {
    PrintClick(Sender);
  })->SetParent(bar);
  AddButton("ClosePreview", "&Close", next(64), 64, [this](TObject*) { Close(); })->SetParent(bar);
  FPageLabel = new TLabel(this);
  FPageLabel->SetBounds(next(0) + 8, 10, 120, 16);
  FPageLabel->SetParent(bar);
  FPreview = new TPrintPreview(this);
  FPreview->SetAlign(alClient);
  FPreview->SetParent(this);
  FPreview->SetPages(std::move(Pages), Caps);
  ShowPageNumber();
}

TButton* TPrintPreviewForm::AddButton(const String& Name, const String& Caption, int Left,
                                      int Width, TNotifyEvent OnClick) {
  auto* button = new TButton(this);
  button->SetName(Name);
  button->SetText(Caption);
  button->SetBounds(Left, 5, Width, 24);
  button->SetOnClick(std::move(OnClick));
  return button;
}

void TPrintPreviewForm::ShowPageNumber() {
  FPageLabel->SetCaption("Page " + std::to_string(FPreview->PageIndex() + 1) + " of " +
                         std::to_string(FPreview->PageCount()));
}

void TPrintPreviewForm::PrintClick(TObject*) {
  Printer()->PrintPages(FPreview->Pages(), FPreview->Caps());
}

void ShowPrintPreview(std::vector<TMetaPage> Pages, const TDeviceCaps& Caps) {
  auto* form = new TPrintPreviewForm(Application(), std::move(Pages), Caps);
  form->AfterConstruction();
  try {
    form->ShowModal();
  } catch (...) {
    form->Free();
    throw;
  }
  form->Free();
}
