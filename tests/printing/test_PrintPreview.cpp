#include "PrintTestSupport.h"

#include "../SheetPath.h"
#include "framework/controls/PrintPreview.h"

using namespace printtest;

namespace {

// Three pages, each with its number in large letters.
std::vector<TMetaPage> ThreePages() {
  TPrinter* printer = Printer();
  printer->SetRecordOnly(true);
  printer->BeginDoc();
  for (int page = 1; page <= 3; ++page) {
    if (page > 1) printer->NewPage();
    printer->Canvas()->Font()->SetSize(40);
    printer->Canvas()->Rectangle(300, 300, 4500, 6500);
    printer->Canvas()->TextOut(400, 400, "Page " + std::to_string(page));
  }
  printer->EndDoc();
  return printer->Pages();
}

TButton* ButtonOf(TForm* Form, const String& Name) {
  return dynamic_cast<TButton*>(Form->FindComponent(Name));
}

} // namespace

TEST_F(PrintTest, PreviewFormPagesAndZoomsOverTheRecordedPages) {
  auto* form = new TPrintPreviewForm(Application(), ThreePages(), Printer()->Caps());
  form->AfterConstruction();
  Forms.push_back(form);
  form->Show();
  TPrintPreview* preview = form->Preview();
  EXPECT_EQ(preview->PageCount(), 3);
  EXPECT_EQ(form->PageLabel()->Caption(), "Page 1 of 3");
  User.Click(ButtonOf(form, "PriorPage"));
  EXPECT_EQ(preview->PageIndex(), 0) << "no page before the first";
  User.Click(ButtonOf(form, "NextPage"));
  User.Click(ButtonOf(form, "NextPage"));
  User.Click(ButtonOf(form, "NextPage"));
  EXPECT_EQ(preview->PageIndex(), 2);
  EXPECT_EQ(form->PageLabel()->Caption(), "Page 3 of 3");

  const TRect fitted = preview->SheetRect();
  EXPECT_LE(fitted.Height(), preview->Height());
  User.Click(ButtonOf(form, "ZoomIn"));
  EXPECT_EQ(preview->Zoom(), 125);
  EXPECT_GT(preview->SheetRect().Width(), fitted.Width());
  User.Click(ButtonOf(form, "Fit"));
  EXPECT_EQ(preview->Zoom(), 0);

  const TRect sheet = preview->SheetRect();
  EXPECT_EQ(PixelAt(form, preview, TPoint{2, 2}), static_cast<TColor>(0x808080)) << "the ground";
  EXPECT_EQ(PixelAt(form, preview, TPoint{sheet.Left + 3, sheet.Top + 3}), clWhite);
  User.SaveSnapshot(form, SheetPath("print-preview-form.png"));

  Printer()->SetRecordOnly(false);
  Printer()->SetFileName(PathIn("from-preview.pdf"));
  User.Click(ButtonOf(form, "Print"));
  EXPECT_TRUE(std::filesystem::exists(PathIn("from-preview.pdf")));
}
