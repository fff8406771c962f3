#include "lists/LumItemsfensterBase.h"

#include "core/Lumherk.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/CommonDialogs.h"
#include "framework/controls/DialogParts.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Image.h"
#include "framework/controls/Labels.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/Shapes.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"
#include "framework/graphics/Picture.h"
#include "valueentry/Lumzln1.h"

namespace {

struct TPictureKind {
  const char* Title;
  const char* Extension;
};

constexpr TPictureKind PictureKinds[] = {{"Bitmaps", "bmp"},
                                         {"Symbole", "ico"},
                                         {"Erweiterte Metadateien", "emf"},
                                         {"Metadateien", "wmf"}};

// The property column and the command column.
constexpr int CommandLeft = 346, PropertyLeft = 444;

} // namespace

String ItemPictureFilter() {
  String all, kinds;
  for (const TPictureKind& kind : PictureKinds) {
    if (!TPicture::GraphicClassOf(kind.Extension)) continue;
    const String mask = String("*.") + kind.Extension;
    all += (all.empty() ? "" : ";") + mask;
    kinds += "|" + String(kind.Title) + " (" + mask + ")|" + mask;
  }
  return "Alle Dateien (" + all + ")|" + all + kinds;
}

String ItemTextOf(const String& FieldText) {
  if (FieldText.ends_with("\r\n")) return FieldText.substr(0, FieldText.size() - 2);
  return FieldText;
}

void MoveDraggedItem(TLumItemStrings* Items, int Dragged, int Target) {
  Items->BeginUpdate();
  try {
    const int step = Dragged < Target ? 1 : -1;
    for (int i = Dragged; i != Target; i += step) Items->Exchange(i, i + step);
  } catch (...) {
    Items->EndUpdate();
    throw;
  }
  Items->EndUpdate();
}

std::unique_ptr<TBitmap> LoadItemBitmap(const String& FileName) {
  TPicture picture;
  picture.LoadFromFile(FileName);
  auto bitmap = std::make_unique<TBitmap>();
  if (auto* source = dynamic_cast<TBitmap*>(picture.Graphic())) {
    bitmap->Assign(source);
    return bitmap;
  }
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(picture.Width(), picture.Height());
  bitmap->Canvas()->Brush()->SetColor(clWindow);
  bitmap->Canvas()->FillRect(TRect(0, 0, picture.Width(), picture.Height()));
  bitmap->Canvas()->Draw(0, 0, picture.Graphic());
  return bitmap;
}

String ItemsEditorCaption(TComponent* Control, const String& WindowCaption) {
  const String owner = Control->Owner() ? Control->Owner()->Name() : String();
  return owner + "." + Control->Name() + " - " + WindowCaption;
}

TLumItemsfensterBase::TLumItemsfensterBase(TComponent* AOwner, const String& Caption,
                                           int ClientWidth, int ClientHeight)
    : TForm(AOwner) {
  SetUpDialogForm(this, Caption, ClientWidth, ClientHeight);
  SetShowHint(true);
  Edit = PlaceNamed<TMemo>(this, this, "Edit", Bounds(8, 8, 330, 36));
  Edit->SetWordWrap(false);
  Edit->SetScrollBars(ssHorizontal);
  Edit->SetWantReturns(false);
  Edit->SetWantTabs(true);
  ColorDialog = new TColorDialog(this);
  ColorDialog->SetName("ColorDialog");
  FontDialog = new TFontDialog(this);
  FontDialog->SetName("FontDialog");
  OpenPicDialog = new TOpenPictureDialog(this);
  OpenPicDialog->SetName("OpenPicDialog");
  OpenPicDialog->SetFilter(ItemPictureFilter());
  HintDialog = new TLumZeilenDialog(this);
  HintDialog->SetName("HintDialog");
  HintDialog->SetLabeltext("Hint");
  HintDialog->SetUeberschrift("Hint für diesen Item eingeben");
  HintDialog->SetOktext("&Ok");
  HintDialog->SetAbbrechentext("&Abbrechen");
  HintDialog->SetKommazuPunkt(false);
}

TButton* TLumItemsfensterBase::AddButton(const String& Name, const String& Caption, TRect Bounds) {
  auto* button = PlaceNamed<TButton>(this, this, Name, Bounds);
  button->SetCaption(Caption);
  return button;
}

TCheckBox* TLumItemsfensterBase::AddCheck(const String& Name, const String& Caption, TRect Bounds) {
  auto* check = PlaceNamed<TCheckBox>(this, this, Name, Bounds);
  check->SetCaption(Caption);
  return check;
}

TRadioGroup* TLumItemsfensterBase::AddStyleGroup(const String& Name, const String& Caption,
                                                 std::initializer_list<const char*> Items,
                                                 int Columns, TRect Bounds,
                                                 std::function<void(int Item)> Choose) {
  auto* group = PlaceNamed<TRadioGroup>(this, this, Name, Bounds);
  group->SetCaption(Caption);
  group->SetColumns(Columns);
  for (const char* item : Items) group->Items()->Add(item);
  group->SetOnClick([group, Choose = std::move(Choose)](TObject*) {
    if (group->ItemIndex() >= 0) Choose(group->ItemIndex());
  });
  return group;
}

void TLumItemsfensterBase::BuildShared() {
  BuildItemCommands();
  BuildItemLook();
  AnyColors = AddCheck("AnyColors", "AnyColors", Bounds(PropertyLeft, 130, 80, 17));
  AnyColors->SetOnClick([this](TObject*) { SetAnyColors(AnyColors->Checked()); });
  AnyFonts = AddCheck("AnyFonts", "AnyFonts", Bounds(PropertyLeft + 86, 130, 80, 17));
  AnyFonts->SetOnClick([this](TObject*) { SetAnyFonts(AnyFonts->Checked()); });
}

void TLumItemsfensterBase::BuildItemCommands() {
  InsertBtn = AddButton("InsertBtn", "&Insert", Bounds(CommandLeft, 8, 90, 25));
  InsertBtn->SetOnClick([this](TObject*) { InsertItem(); });
  DeleteBtn = AddButton("DeleteBtn", "&Delete", Bounds(CommandLeft, 38, 90, 25));
  DeleteBtn->SetOnClick([this](TObject*) {
    PreviewItems()->Delete(PreviewItemIndex());
    Prop_zeigen();
  });
  ChangeBtn = AddButton("ChangeBtn", "C&hange", Bounds(CommandLeft, 68, 90, 25));
  ChangeBtn->SetOnClick([this](TObject*) { ChangeItem(); });
  LoeschBtn = AddButton("LoeschBtn", "Clear &List", Bounds(CommandLeft, 98, 90, 25));
  LoeschBtn->SetOnClick([this](TObject*) {
    ClearPreview();
    Prop_zeigen();
  });
  ZeilenLabel1 = AddDialogLabel(this, this, "Row:", CommandLeft, 158);
  ZeilenLabel1->SetName("ZeilenLabel1");
  ZeilenLabel2 = AddDialogLabel(this, this, "0", CommandLeft + 54, 158);
  ZeilenLabel2->SetName("ZeilenLabel2");
  Gesamtzeilenlabel1 = AddDialogLabel(this, this, "Rows:", CommandLeft, 176);
  Gesamtzeilenlabel1->SetName("Gesamtzeilenlabel1");
  Gesamtzeilenlabel2 = AddDialogLabel(this, this, "0", CommandLeft + 54, 176);
  Gesamtzeilenlabel2->SetName("Gesamtzeilenlabel2");
}

void TLumItemsfensterBase::BuildItemLook() {
  HintBtn = AddButton("HintBtn", "Hint", Bounds(PropertyLeft, 8, 80, 25));
  HintBtn->SetOnClick([this](TObject*) { ChooseHint(); });
  FontBtn = AddButton("FontBtn", "Font", Bounds(PropertyLeft + 86, 8, 80, 25));
  FontBtn->SetOnClick([this](TObject*) { ChooseFont(); });
  HelpEdit = PlaceNamed<TSpinEdit>(this, this, "HelpEdit", Bounds(PropertyLeft + 172, 24, 81, 22));
  HelpEdit->SetOnExit(
      [this](TObject*) { PreviewItems()->SetHelpContext(FCurrent, HelpEdit->Value()); });
  Helplabel = AddDialogLabel(this, this, "HelpContext:", PropertyLeft + 172, 8, HelpEdit);
  Helplabel->SetName("Helplabel");
  ColorBtn = AddButton("ColorBtn", "Color", Bounds(PropertyLeft, 38, 80, 25));
  ColorBtn->SetOnClick([this](TObject*) { ChooseColor(); });
  ColorShape = PlaceNamed<TShape>(this, this, "ColorShape", Bounds(PropertyLeft + 86, 38, 25, 25));
  BitmapBtn = AddButton("BitmapBtn", "Bitmap", Bounds(PropertyLeft, 68, 80, 25));
  BitmapBtn->SetOnClick([this](TObject*) { ChooseBitmap(); });
  BitmapVorschau =
      PlaceNamed<TImage>(this, this, "BitmapVorschau", Bounds(PropertyLeft + 86, 68, 80, 55));
  BitmapVorschau->SetStretch(true);
}

void TLumItemsfensterBase::BuildTail(int TabStopsTop, int ButtonsTop, const String& TabStopsHint) {
  UT = AddCheck("UT", "Use TabStops", Bounds(PropertyLeft, TabStopsTop + 2, 100, 17));
  UT->SetOnClick([this](TObject*) {
    TSEdit->SetEnabled(UT->Checked());
    SetUseTabStops(UT->Checked());
  });
  TSEdit =
      PlaceNamed<TEdit>(this, this, "TSEdit", Bounds(PropertyLeft + 106, TabStopsTop, 147, 21));
  TSEdit->SetOnChange([this](TObject*) { SetTabStops(TSEdit->Text()); });
  TSLabel = AddDialogLabel(this, this, TabStopsHint, PropertyLeft, TabStopsTop + 26);
  TSLabel->SetName("TSLabel");
  OkButton = AddButton("OkButton", "&Accept", Bounds(CommandLeft, ButtonsTop, 90, 25));
  OkButton->SetModalResult(mrOk);
  AbbruchButton =
      AddButton("AbbruchButton", "&Cancel", Bounds(CommandLeft, ButtonsTop + 32, 90, 25));
  AbbruchButton->SetModalResult(mrCancel);
  AbbruchButton->SetCancel(true);
}

void TLumItemsfensterBase::ShowFlags(bool Colors, bool Fonts, bool UseTabStops,
                                     const String& TabStops) {
  AnyColors->SetChecked(Colors);
  AnyFonts->SetChecked(Fonts);
  UT->SetChecked(UseTabStops);
  TSEdit->SetText(TabStops);
  TSEdit->SetEnabled(UseTabStops);
}

void TLumItemsfensterBase::DoShow() {
  ShowSettings();
  SetPreviewItemIndex(PreviewItems()->Count() - 1);
  if (PreviewItemIndex() >= 0) Edit->SetText(PreviewItems()->Strings(PreviewItemIndex()));
  Prop_zeigen();
  TForm::DoShow();
}

void TLumItemsfensterBase::Prop_zeigen() {
  FCurrent = PreviewItemIndex();
  TLumItemStrings* items = PreviewItems();
  ZeilenLabel2->SetCaption(Lumherk::Str_Number(FCurrent + 1));
  Gesamtzeilenlabel2->SetCaption(Lumherk::Str_Number(items->Count()));
  if (FCurrent < 0) return;
  TBitmap* bitmap = items->GetBitmap(FCurrent);
  if (bitmap->Empty())
    BitmapVorschau->Picture()->Assign(nullptr);
  else
    BitmapVorschau->Picture()->Assign(bitmap);
  ColorShape->Brush()->SetColor(items->GetColor(FCurrent));
  Edit->SetColor(items->GetColor(FCurrent));
  FontBtn->Font()->Assign(items->GetFont(FCurrent));
  Edit->Font()->Assign(items->GetFont(FCurrent));
  Edit->Font()->SetHeight(-11);
  HelpEdit->SetValue(items->GetHelpContext(FCurrent));
}

void TLumItemsfensterBase::InsertItem() {
  PreviewItems()->Insert(std::max(PreviewItemIndex(), 0), ItemTextOf(Edit->Text()));
  Prop_zeigen();
}

void TLumItemsfensterBase::ChangeItem() {
  PreviewItems()->SetStrings(PreviewItemIndex(), ItemTextOf(Edit->Text()));
  Prop_zeigen();
}

void TLumItemsfensterBase::ItemClicked() {
  if (PreviewItemIndex() >= 0) Edit->SetText(PreviewItems()->Strings(PreviewItemIndex()));
  Prop_zeigen();
}

void TLumItemsfensterBase::DropDragged(int Target) {
  const int dragged = FDragged;
  FDragged = -1;
  if (dragged < 0 || Target < 0 || Target == dragged) return;
  MoveDraggedItem(PreviewItems(), dragged, Target);
  SetPreviewItemIndex(Target);
  Prop_zeigen();
}

void TLumItemsfensterBase::ChooseColor() {
  ColorDialog->SetColor(PreviewItems()->GetColor(FCurrent));
  if (!ColorDialog->Execute()) return;
  PreviewItems()->SetColor(FCurrent, ColorDialog->Color());
  RepaintPreview();
  Prop_zeigen();
}

void TLumItemsfensterBase::ChooseFont() {
  FontDialog->Font()->Assign(PreviewItems()->GetFont(FCurrent));
  if (!FontDialog->Execute()) return;
  PreviewItems()->SetFont(FCurrent, FontDialog->Font());
  RepaintPreview();
  Prop_zeigen();
}

void TLumItemsfensterBase::ChooseHint() {
  HintDialog->SetZeilentext(PreviewItems()->GetHint(FCurrent));
  if (HintDialog->Execute()) PreviewItems()->SetHint(FCurrent, HintDialog->Zeilentext());
}

void TLumItemsfensterBase::ChooseBitmap() {
  PreviewItems()->GetBitmap(FCurrent); // no item: the index error before the dialog
  if (!OpenPicDialog->Execute()) return;
  const std::unique_ptr<TBitmap> bitmap = LoadItemBitmap(OpenPicDialog->FileName());
  PreviewItems()->SetBitmap(FCurrent, bitmap.get());
  RepaintPreview();
  Prop_zeigen();
}

void TLumItemsfensterBase::DeleteBitmap() {
  TBitmap empty;
  PreviewItems()->SetBitmap(FCurrent, &empty);
  RepaintPreview();
  Prop_zeigen();
}
