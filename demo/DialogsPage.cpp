#include "demo/DialogsPage.h"

#include "framework/controls/CommonDialogs.h"
#include "framework/controls/Image.h"
#include "framework/controls/Labels.h"
#include "framework/controls/Shapes.h"
#include "framework/controls/StdCtrls.h"
#include "framework/rtl/Strings.h"

namespace {

constexpr int RowHeight = 36, ButtonWidth = 130, ReportLeft = 160;

TLabel* AddReport(TWinControl* Parent, const String& Caption, int Top) {
  auto* label = new TLabel(Parent);
  label->SetAutoSize(false);
  label->SetBounds(ReportLeft, Top + 5, 270, 16);
  label->SetCaption(Caption);
  label->SetParent(Parent);
  return label;
}

// A button that runs the dialog and, when it answers OK, reports the choice.
void AddDialogRow(TWinControl* Parent, const String& Caption, int Row, TCommonDialog* Dialog,
                  std::function<void()> Report) {
  auto* button = new TButton(Parent);
  button->SetBounds(16, 16 + Row * RowHeight, ButtonWidth, 25);
  button->SetCaption(Caption);
  button->SetParent(Parent);
  button->SetOnClick([Dialog, Report = std::move(Report)](TObject*) {
    if (Dialog->Execute()) Report();
  });
}

String Described(TFont* Font) {
  String style;
  if (Font->Style().Contains(fsBold)) style += " bold";
  if (Font->Style().Contains(fsItalic)) style += " italic";
  if (Font->Style().Contains(fsUnderline)) style += " underlined";
  if (Font->Style().Contains(fsStrikeOut)) style += " struck out";
  return Font->Name() + ", " + IntToStr(Font->Size()) + " pt" + style;
}

void AddFileRows(TWinControl* Parent) {
  auto* open = new TOpenDialog(Parent);
  open->SetFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*");
  open->SetOptions(TOpenOptions{ofFileMustExist, ofHideReadOnly});
  TLabel* opened = AddReport(Parent, "No file opened yet.", 16);
  AddDialogRow(Parent, "&Open file...", 0, open,
               [open, opened] { opened->SetCaption("Opened " + open->FileName()); });
  auto* save = new TSaveDialog(Parent);
  save->SetFilter(open->Filter());
  save->SetDefaultExt("txt");
  save->SetOptions(TOpenOptions{ofOverwritePrompt, ofHideReadOnly});
  TLabel* saved = AddReport(Parent, "No file name chosen yet.", 16 + RowHeight);
  AddDialogRow(Parent, "&Save file as...", 1, save,
               [save, saved] { saved->SetCaption("Save as " + save->FileName()); });
}

void AddPictureRow(TWinControl* Parent) {
  auto* dialog = new TOpenPictureDialog(Parent);
  TLabel* report = AddReport(Parent, "No picture opened yet.", 16 + 2 * RowHeight);
  auto* image = new TImage(Parent);
  image->SetBounds(ReportLeft + 280, 16, 96, 96);
  image->SetStretch(true);
  image->SetProportional(true);
  image->SetParent(Parent);
  AddDialogRow(Parent, "Open &picture...", 2, dialog, [dialog, report, image] {
    image->Picture()->LoadFromFile(dialog->FileName());
    report->SetCaption(dialog->FileName() + " (" + IntToStr(image->Picture()->Width()) + " x " +
                       IntToStr(image->Picture()->Height()) + ")");
  });
}

void AddFontAndColorRows(TWinControl* Parent) {
  auto* sample = AddReport(Parent, "The quick brown fox", 16 + 3 * RowHeight);
  sample->SetHeight(30);
  auto* fontDialog = new TFontDialog(Parent);
  fontDialog->SetOptions(TFontDialogOptions{fdEffects, fdApplyButton});
  fontDialog->Font()->Assign(sample->Font());
  fontDialog->SetOnApply(
      [fontDialog, sample](TObject*, HWND) { sample->SetFont(fontDialog->Font()); });
  TLabel* fontReport = AddReport(Parent, Described(sample->Font()), 16 + 4 * RowHeight);
  AddDialogRow(Parent, "&Font...", 3, fontDialog, [fontDialog, sample, fontReport] {
    sample->SetFont(fontDialog->Font());
    fontReport->SetCaption(Described(fontDialog->Font()));
  });
  auto* colorDialog = new TColorDialog(Parent);
  colorDialog->SetColor(clTeal);
  auto* swatch = new TShape(Parent);
  swatch->SetBounds(ReportLeft, 16 + 5 * RowHeight, 40, 25);
  swatch->Brush()->SetColor(colorDialog->Color());
  swatch->SetParent(Parent);
  TLabel* colorReport = AddReport(Parent, "", 16 + 5 * RowHeight);
  colorReport->SetLeft(ReportLeft + 50);
  const auto showColor = [colorDialog, swatch, colorReport] {
    swatch->Brush()->SetColor(colorDialog->Color());
    colorReport->SetCaption("Colour $" + IntToHex(colorDialog->Color(), 6));
  };
  showColor();
  AddDialogRow(Parent, "&Color...", 5, colorDialog, showColor);
}

} // namespace

void FillDialogs(TWinControl* Parent) {
  AddFileRows(Parent);
  AddPictureRow(Parent);
  AddFontAndColorRows(Parent);
}
