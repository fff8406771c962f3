#pragma once

#include "framework/controls/Forms.h"
#include "framework/controls/GraphicControl.h"
#include "framework/controls/Labels.h"
#include "framework/controls/StdCtrls.h"
#include "framework/print/Metafile.h"

#include <vector>

// Shows one recorded page as a white sheet on a grey ground: scaled to fit the control when
// Zoom is 0, otherwise at Zoom percent of its size on paper (100: actual size on the screen).
class TPrintPreview : public TGraphicControl {
  LUM_CLASS(TPrintPreview, TGraphicControl)
public:
  explicit TPrintPreview(TComponent* AOwner);

  void SetPages(std::vector<TMetaPage> Pages, const TDeviceCaps& Caps);
  const std::vector<TMetaPage>& Pages() const { return FPages; }
  const TDeviceCaps& Caps() const { return FCaps; }
  int PageCount() const { return static_cast<int>(FPages.size()); }
  int PageIndex() const { return FPageIndex; }
  // Kept within the pages.
  void SetPageIndex(int Value);
  int Zoom() const { return FZoom; }
  // 0 fits the page; otherwise 10 to 400 percent.
  void SetZoom(int Value);
  // Screen pixels per printer pixel at the current zoom.
  double Scale();
  // Where the sheet lies in the control.
  TRect SheetRect();

protected:
  void Paint() override;

private:
  std::vector<TMetaPage> FPages;
  TDeviceCaps FCaps;
  int FPageIndex = 0;
  int FZoom = 0;
};

// A print-preview window: page back and forward, zoom out and in, fit, print and close over
// the pages of a document. Print sends them to the printer's current destination.
class TPrintPreviewForm : public TForm {
  LUM_CLASS(TPrintPreviewForm, TForm)
public:
  TPrintPreviewForm(TComponent* AOwner, std::vector<TMetaPage> Pages, const TDeviceCaps& Caps);

  TPrintPreview* Preview() const { return FPreview; }
  TLabel* PageLabel() const { return FPageLabel; }
  void ShowPageNumber();

private:
  TButton* AddButton(const String& Name, const String& Caption, int Left, int Width,
                     TNotifyEvent OnClick);
  void PrintClick(TObject* Sender);

  TPrintPreview* FPreview = nullptr;
  TLabel* FPageLabel = nullptr;
};

// Shows the pages in a preview window until it is closed.
void ShowPrintPreview(std::vector<TMetaPage> Pages, const TDeviceCaps& Caps);
