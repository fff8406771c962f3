#include "surfaces/LumEffektEditor.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/ComCtrls.h"
#include "framework/controls/CommonDialogs.h"
#include "framework/controls/DialogParts.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Image.h"
#include "framework/controls/Labels.h"
#include "framework/controls/ListBoxes.h"
#include "framework/controls/Panels.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/Shapes.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"

#include <array>
#include <memory>

namespace {

const bool EditorRegistered = (RegisterClass<TLumEffectEditorDialog>(), true);

constexpr int EditorWidth = 554, EditorHeight = 329;

constexpr std::array<TEffectStyle, 9> ItemStyles{esNone,
                                                 es2ColorsVertical,
                                                 es2ColorsHorizontal,
                                                 es3ColorsVertical,
                                                 es3ColorsHorizontal,
                                                 es2ColorsDiagonal1,
                                                 es2ColorsDiagonal2,
                                                 esPictureStretch,
                                                 esPictureTile};

constexpr const char* PictureFilter =
    "Alle Dateien (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|"
    "JPEG Bilddatei (*.jpg)|*.jpg|JPEG Bilddatei (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|"
    "Symbole (*.ico)|*.ico|Erweiterte Metadateien (*.emf)|*.emf|Metadateien (*.wmf)|*.wmf";

TButton* AddButton(TCustomForm* Form, TWinControl* Parent, const String& Name,
                   const String& Caption, TRect Bounds) {
  auto* button = PlaceNamed<TButton>(Form, Parent, Name, Bounds);
  button->SetCaption(Caption);
  return button;
}

struct TFormDeleter {
  void operator()(TCustomForm* Form) const { Form->Free(); }
};

} // namespace

TEffectStyle EffectStyleOfItem(int Item) { return ItemStyles.at(static_cast<std::size_t>(Item)); }

int ItemOfEffectStyle(TEffectStyle Style) {
  for (std::size_t i = 0; i < ItemStyles.size(); ++i)
    if (ItemStyles[i] == Style) return static_cast<int>(i);
  return -1;
}

void TransferEffectSettings(TLumEffect* From, TLumEffect* To) {
  To->SetPicture(From->Picture());
  To->SetEffectColor1(From->EffectColor1());
  To->SetEffectColor2(From->EffectColor2());
  To->SetShadowColor(From->ShadowColor());
  To->SetEffectHeight(From->EffectHeight());
  To->SetEffectWidth(From->EffectWidth());
  To->SetShadow(From->Shadow());
  To->SetShadowWidth(From->ShadowWidth());
  To->SetBorderWidth(From->BorderWidth());
  To->SetEffectStyle(From->EffectStyle());
  To->SetBorderStyle(From->BorderStyle());
}

String EffectVerbCaption(TLumEffect* Effect) {
  const String owner = Effect->Owner() ? Effect->Owner()->Name() : String();
  return owner + "." + Effect->Name() + " - Effect Editor";
}

bool EditEffect(TLumEffect* Effect, const String& Caption) {
  std::unique_ptr<TLumEffectEditorDialog, TFormDeleter> dialog(
      CreateForm<TLumEffectEditorDialog>(Application()));
  TransferEffectSettings(Effect, dialog->Effect());
  dialog->SetCaption(Caption);
  dialog->LoadControls();
  if (dialog->ShowModal() != mrOk) return false;
  TransferEffectSettings(dialog->Effect(), Effect);
  return true;
}

TLumEffectEditorDialog::TLumEffectEditorDialog(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "Effect Editor", EditorWidth, EditorHeight);
  FColorDialog = new TColorDialog(this);
  FColorDialog->SetName("ColorDialog");
  FPictureDialog = new TOpenPictureDialog(this);
  FPictureDialog->SetName("PictureDialog");
  FPictureDialog->SetFilter(PictureFilter);
  BuildTestGroup();
  BuildProperties();
  FEffect = new TLumEffect(this);
  FEffect->SetName("LumEffect1");
  for (const char* name : {"Button1", "Edit1", "ListBox1", "ProgressBar1"})
    FEffect->ValidComponents()->Add(name);
}

void TLumEffectEditorDialog::BuildTestGroup() {
  FTestGroup = PlaceNamed<TGroupBox>(this, this, "GroupTest", Bounds(8, 4, 538, 116));
  FTestGroup->SetCaption("test components");
  AddButton(this, FTestGroup, "Button1", "Button1", Bounds(24, 28, 75, 25));
  PlaceNamed<TEdit>(this, FTestGroup, "Edit1", Bounds(124, 30, 121, 21))->SetText("Edit1");
  auto* list = PlaceNamed<TListBox>(this, FTestGroup, "ListBox1", Bounds(272, 20, 121, 80));
  for (int i = 1; i <= 7; ++i) list->Items()->Add("Item" + std::to_string(i));
  auto* bar = PlaceNamed<TProgressBar>(this, FTestGroup, "ProgressBar1", Bounds(24, 78, 221, 18));
  bar->SetPosition(60);
  auto* ok = AddButton(this, FTestGroup, "ButtonOK", "OK", Bounds(444, 24, 75, 25));
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  auto* cancel = AddButton(this, FTestGroup, "ButtonCancel", "Cancel", Bounds(444, 64, 75, 25));
  cancel->SetModalResult(mrCancel);
  cancel->SetCancel(true);
}

TShape* TLumEffectEditorDialog::AddColourRow(TEffectColour Which, const String& Name,
                                             const String& Caption, int Top) {
  auto* swatch = PlaceNamed<TShape>(this, FProperties, "Shape" + Name, Bounds(16, Top, 25, 25));
  AddButton(this, FProperties, "Button" + Name, Caption, Bounds(48, Top, 96, 25))
      ->SetOnClick([this, Which](TObject*) { ChooseColour(Which); });
  return swatch;
}

TColor TLumEffectEditorDialog::ColourOf(TEffectColour Which) const {
  switch (Which) {
  case TEffectColour::Effect1:
    return FEffect->EffectColor1();
  case TEffectColour::Effect2:
    return FEffect->EffectColor2();
  case TEffectColour::Shadow:
    break;
  }
  return FEffect->ShadowColor();
}

void TLumEffectEditorDialog::ShowColours() {
  FShapeColor1->Brush()->SetColor(FEffect->EffectColor1());
  FShapeColor2->Brush()->SetColor(FEffect->EffectColor2());
  FShapeShadowColor->Brush()->SetColor(FEffect->ShadowColor());
}

void TLumEffectEditorDialog::ChooseColour(TEffectColour Which) {
  FColorDialog->SetColor(ColourOf(Which));
  if (!FColorDialog->Execute()) return;
  const TColor chosen = FColorDialog->Color();
  if (Which == TEffectColour::Effect1) FEffect->SetEffectColor1(chosen);
  if (Which == TEffectColour::Effect2) FEffect->SetEffectColor2(chosen);
  if (Which == TEffectColour::Shadow) FEffect->SetShadowColor(chosen);
  ShowColours();
}

TSpinEdit* TLumEffectEditorDialog::AddSpin(const String& Name, const String& Caption, int Left,
                                           int Top) {
  auto* spin =
      PlaceNamed<TSpinEdit>(this, FProperties, "Spin" + Name, Bounds(Left, Top + 16, 72, 22));
  spin->SetMinValue(0);
  spin->SetMaxValue(100);
  spin->SetOnChange([this](TObject*) { SizeChanged(); });
  AddDialogLabel(this, FProperties, Caption, Left, Top, spin);
  return spin;
}

void TLumEffectEditorDialog::BuildProperties() {
  FProperties = PlaceNamed<TGroupBox>(this, this, "GroupProperties", Bounds(8, 124, 538, 197));
  FProperties->SetCaption("properties");
  FShapeColor1 = AddColourRow(TEffectColour::Effect1, "Color1", "EffectColor&1", 20);
  FShapeColor2 = AddColourRow(TEffectColour::Effect2, "Color2", "EffectColor&2", 52);
  FShapeShadowColor = AddColourRow(TEffectColour::Shadow, "ShadowColor", "Shadow&Color", 84);
  FSpinEffectHeight = AddSpin("EffectHeight", "Effect&Height", 160, 14);
  FSpinEffectWidth = AddSpin("EffectWidth", "Effect&Width", 248, 14);
  FSpinBorderWidth = AddSpin("BorderWidth", "BorderWidth", 160, 60);
  FSpinShadowWidth = AddSpin("ShadowWidth", "ShadowWidth", 248, 60);

  FCheckShadow = PlaceNamed<TCheckBox>(this, FProperties, "CheckShadow", Bounds(340, 90, 80, 17));
  FCheckShadow->SetCaption("Shadow");
  FCheckShadow->SetOnClick([this](TObject*) {
    if (FLoading) return;
    ClearTestGroup();
    FEffect->SetShadow(FCheckShadow->Checked());
  });

  FRadioBorderStyle =
      PlaceNamed<TRadioGroup>(this, FProperties, "RadioBorderStyle", Bounds(336, 12, 88, 72));
  FRadioBorderStyle->SetCaption("BorderStyle");
  FRadioBorderStyle->Items()->Add("bsNone");
  FRadioBorderStyle->Items()->Add("bsSingle");
  FRadioBorderStyle->SetOnClick([this](TObject*) {
    if (FLoading || FRadioBorderStyle->ItemIndex() < 0) return;
    ClearTestGroup();
    FEffect->SetBorderStyle(FRadioBorderStyle->ItemIndex() == 0 ? bsNone : bsSingle);
  });

  PlaceNamed<TBevel>(this, FProperties, "BevelPicture", Bounds(436, 16, 86, 58));
  FImagePicture = PlaceNamed<TImage>(this, FProperties, "ImagePicture", Bounds(438, 18, 82, 54));
  FImagePicture->SetStretch(true);
  FImagePicture->SetProportional(true);
  FImagePicture->SetCenter(true);
  AddButton(this, FProperties, "ButtonPicture", "Picture", Bounds(436, 80, 86, 25))
      ->SetOnClick([this](TObject*) { ChoosePicture(); });

  FRadioEffectStyle =
      PlaceNamed<TRadioGroup>(this, FProperties, "RadioEffectStyle", Bounds(16, 116, 506, 72));
  FRadioEffectStyle->SetCaption("EffectStyle");
  FRadioEffectStyle->SetColumns(4);
  for (const TEffectStyle style : ItemStyles)
    FRadioEffectStyle->Items()->Add(lum::TypeInfoOf<TEffectStyle>()->EnumNames.at(style));
  FRadioEffectStyle->SetOnClick([this](TObject*) {
    if (FLoading || FRadioEffectStyle->ItemIndex() < 0) return;
    FEffect->SetEffectStyle(EffectStyleOfItem(FRadioEffectStyle->ItemIndex()));
  });
}

void TLumEffectEditorDialog::LoadControls() {
  FLoading = true;
  ShowColours();
  FSpinEffectHeight->SetValue(FEffect->EffectHeight());
  FSpinEffectWidth->SetValue(FEffect->EffectWidth());
  FSpinBorderWidth->SetValue(FEffect->BorderWidth());
  FSpinShadowWidth->SetValue(FEffect->ShadowWidth());
  FCheckShadow->SetChecked(FEffect->Shadow());
  FRadioBorderStyle->SetItemIndex(FEffect->BorderStyle() == bsNone ? 0 : 1);
  FImagePicture->SetPicture(FEffect->Picture());
  FRadioEffectStyle->SetItemIndex(ItemOfEffectStyle(FEffect->EffectStyle()));
  FLoading = false;
}

void TLumEffectEditorDialog::ClearTestGroup() { FTestGroup->Invalidate(); }

void TLumEffectEditorDialog::SizeChanged() {
  if (FLoading) return;
  ClearTestGroup();
  FEffect->SetEffectHeight(FSpinEffectHeight->Value());
  FEffect->SetEffectWidth(FSpinEffectWidth->Value());
  FEffect->SetBorderWidth(FSpinBorderWidth->Value());
  FEffect->SetShadowWidth(FSpinShadowWidth->Value());
}

void TLumEffectEditorDialog::ChoosePicture() {
  if (!FPictureDialog->Execute()) return;
  ClearTestGroup();
  FEffect->Picture()->LoadFromFile(FPictureDialog->FileName());
  FImagePicture->SetPicture(FEffect->Picture());
}

void TLumEffectEditor::ExecuteVerb(int Index) {
  if (Index != 0) return;
  auto* effect = static_cast<TLumEffect*>(Component());
  EditEffect(effect, EffectVerbCaption(effect));
}

String TLumEffectEditor::GetVerb(int Index) { return Index == 0 ? "Edit &Effect" : ""; }
