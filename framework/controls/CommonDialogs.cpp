#include "framework/controls/CommonDialogs.h"

#include "framework/controls/Application.h"
#include "framework/controls/ColorDialogForm.h"
#include "framework/controls/FileDialogForm.h"
#include "framework/controls/FontDialogForm.h"
#include "framework/graphics/Picture.h"
#include "framework/rtl/Strings.h"

bool TCommonDialog::RunForm(TForm* Form, const std::function<void()>& Collect) {
  const std::unique_ptr<TForm, void (*)(TForm*)> form(Form, [](TForm* f) { f->Free(); });
  form->AfterConstruction();
  form->SetCtl3D(FCtl3D);
  form->SetHelpContext(FHelpContext);
  if (FOnShow) FOnShow(this);
  const bool ok = form->ShowModal() == mrOk;
  if (FOnClose) FOnClose(this);
  if (ok) Collect();
  return ok;
}

TOpenDialog::TOpenDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

TFileDialogRequest TOpenDialog::Request() const {
  TFileDialogRequest request;
  request.Saving = Saving();
  request.Preview = Preview();
  request.Title = FTitle;
  request.FileName = FFileName;
  request.InitialDir = FInitialDir;
  request.Filter = FFilter;
  request.FilterIndex = FFilterIndex;
  request.DefaultExt = FDefaultExt;
  request.Options = FOptions;
  return request;
}

bool TOpenDialog::Execute() {
  auto* form = new TFileDialogForm(Application(), Request());
  return RunForm(form, [&] {
    FFilterIndex = form->FilterIndex();
    if (form->ReadOnlyChecked())
      FOptions.Include(ofReadOnly);
    else
      FOptions.Exclude(ofReadOnly);
    FFiles->Clear();
    for (const String& file : form->ChosenFiles()) FFiles->Add(file);
    FFileName = form->ChosenFiles().front();
  });
}

TOpenPictureDialog::TOpenPictureDialog(TComponent* AOwner) : TOpenDialog(AOwner) {
  SetFilter(GraphicFilter(TGraphic::StaticClass()));
}

TFontDialog::TFontDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FFont(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

bool TFontDialog::Execute() {
  TFontDialogSettings settings;
  settings.Options = FOptions;
  settings.MinFontSize = FMinFontSize;
  settings.MaxFontSize = FMaxFontSize;
  settings.OnApply = [this](TFont* Current, HWND Wnd) {
    FFont->Assign(Current);
    if (FOnApply) FOnApply(this, Wnd);
  };
  auto* form = new TFontDialogForm(Application(), FFont.get(), settings);
  return RunForm(form, [&] { FFont->Assign(form->ChosenFont()); });
}

namespace {

String CustomColorName(int Index) { return String("Color") + static_cast<char>('A' + Index); }

} // namespace

TColorDialog::TColorDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FCustomColors(std::make_unique<TStringList>()) {}

TColorDialog::~TColorDialog() = default;

bool TColorDialog::Execute() {
  TCustomColorArray custom;
  for (int i = 0; i < CustomColorCount; ++i) {
    Integer value = 0;
    const String text = FCustomColors->Values(CustomColorName(i));
    custom[i] = !text.empty() && TryStrToInt("$" + text, value) ? value : clWhite;
  }
  auto* form = new TColorDialogForm(Application(), FColor, custom, FOptions);
  return RunForm(form, [&] {
    FColor = form->ChosenColor();
    for (int i = 0; i < CustomColorCount; ++i)
      FCustomColors->SetValues(CustomColorName(i), IntToHex(form->CustomColors()[i], 6));
  });
}
