#include "lists/LumItemsfenster.h"

#include "core/Lumherk.h"
#include "framework/classes/Registry.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/CommonDialogs.h"
#include "framework/controls/DialogParts.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Labels.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"

#include <algorithm>
#include <array>

using namespace LumList;

namespace {

const bool WindowRegistered = (RegisterClass<TLumItemsfenster>(), true);

constexpr std::array<TSelectedStyle, 4> SelectedStyleItems{psStandard, psBoldText, psCheckbox,
                                                           psOwnerDraw};

constexpr int PropertyLeft = 444;

// Characters of Text before byte Position, after its last line break.
int ColumnAt(const String& Text, std::size_t Position) {
  const std::size_t lineStart = Text.rfind('\n', Position == 0 ? 0 : Position - 1);
  std::size_t i = lineStart == String::npos || Position == 0 ? 0 : lineStart + 1;
  int column = 1;
  for (; i < Position && i < Text.size(); ++i)
    if ((static_cast<unsigned char>(Text[i]) & 0xC0) != 0x80) ++column;
  return column;
}

} // namespace

void TransferListSettings(TLumList* From, TLumList* To) {
  To->Items()->Assign(From->Items());
  To->Font()->Assign(From->Font());
  To->SetBackground(From->Background());
  To->SetBackGroundStyle(From->BackGroundStyle());
  To->SetUseTabStops(From->UseTabStops());
  To->SetTabStops(From->TabStops());
  To->SetSelectedStyle(From->SelectedStyle());
  To->SetBitmapStyle(From->BitmapStyle());
  To->SetItemHeightStyle(From->ItemHeightStyle());
  To->SetHorzScrollBar(From->HorzScrollBar());
  To->SetHorzExtent(From->HorzExtent());
  To->SetAnyColors(From->AnyColors());
  To->SetAnyFonts(From->AnyFonts());
  To->SetMultiSelect(From->MultiSelect());
  To->SetColor(From->Color());
  To->SetHelpContext(From->HelpContext());
  To->SetHint(From->Hint());
}

TSelectedStyle SelectedStyleOfItem(int Item) {
  return SelectedStyleItems.at(static_cast<std::size_t>(Item));
}

int ItemOfSelectedStyle(TSelectedStyle Style) {
  for (std::size_t i = 0; i < SelectedStyleItems.size(); ++i)
    if (SelectedStyleItems[i] == Style) return static_cast<int>(i);
  return -1;
}

bool EditLumList(TLumList* List, const String& Caption) {
  return RunItemsEditor<TLumItemsfenster>(List, Caption, TransferListSettings);
}

TLumItemsfenster::TLumItemsfenster(TComponent* AOwner)
    : TLumItemsfensterBase(AOwner, "LumList Editor", 705, 456) {
  MakePreview();
  BuildShared();
  BuildListControls();
  BuildStyles();
  BuildTail(406, 384, "TabStops only with psStandard (separate with ; )");
}

TLumItemsfenster::~TLumItemsfenster() = default;

void TLumItemsfenster::MakePreview() {
  FVorschau = PlaceNamed<TLumList>(this, this, "Vorschau", Bounds(8, 52, 330, 396));
  FVorschau->SetOnClick([this](TObject*) { ItemClicked(); });
  // The drag starts as the mouse moves with the button down, so a click still selects.
  FVorschau->SetOnMouseDown([this](TObject*, TMouseButton Button, TShiftState, int X, int Y) {
    if (Button == mbLeft) RecordDragged(FVorschau->ItemAtPos(TPoint{X, Y}, true));
  });
  FVorschau->SetOnMouseMove([this](TObject*, TShiftState Shift, int, int) {
    if (Shift.Contains(ssLeft) && DraggedIndex() >= 0 && !FVorschau->Dragging())
      FVorschau->BeginDrag(true);
  });
  FVorschau->SetOnDragOver(
      [this](TObject*, TObject* Source, int X, int Y, TDragState, bool& Accept) {
        const int item = FVorschau->ItemAtPos(TPoint{X, Y}, true);
        Accept = Source == FVorschau && item >= 0 && item != DraggedIndex();
      });
  FVorschau->SetOnDragDrop([this](TObject*, TObject*, int X, int Y) {
    DropDragged(FVorschau->ItemAtPos(TPoint{X, Y}, true));
  });
}

void TLumItemsfenster::BuildListControls() {
  Spaltenlabel1 = AddDialogLabel(this, this, "Column:", 346, 140);
  Spaltenlabel1->SetName("Spaltenlabel1");
  Spaltenlabel2 = AddDialogLabel(this, this, "1", 400, 140);
  Spaltenlabel2->SetName("Spaltenlabel2");
  Edit->SetOnClick([this](TObject*) { ShowColumn(); });
  Edit->SetOnChange([this](TObject*) { ShowColumn(); });
  Edit->SetOnKeyUp([this](TObject*, Word&, TShiftState) { ShowColumn(); });
  HEEdit = PlaceNamed<TSpinEdit>(this, this, "HEEdit", Bounds(346, 222, 90, 22));
  HEEdit->SetIncrement(100);
  HEEdit->SetMinValue(0);
  HEEdit->SetMaxValue(65535);
  HEEdit->SetOnChange([this](TObject*) {
    FVorschau->SetHorzExtent(static_cast<Word>(std::clamp(HEEdit->Value(), 0, 65535)));
  });
  HELabel = AddDialogLabel(this, this, "HorzExtent:", 346, 206, HEEdit);
  HELabel->SetName("HELabel");
  BitmapDeleteBtn1 = AddButton("BitmapDeleteBtn1", "Delete", Bounds(PropertyLeft, 98, 80, 25));
  BitmapDeleteBtn1->SetOnClick([this](TObject*) { DeleteBitmap(); });
  BGButton = AddButton("BGButton", "Background", Bounds(PropertyLeft + 172, 68, 81, 25));
  BGButton->SetOnClick([this](TObject*) { ChooseBackground(); });
  MS = AddCheck("MS", "MultiSelect", Bounds(PropertyLeft, 150, 80, 17));
  MS->SetOnClick([this](TObject*) { FVorschau->SetMultiSelect(MS->Checked()); });
  HS = AddCheck("HS", "Horz Scrollbar", Bounds(PropertyLeft + 86, 150, 110, 17));
  HS->SetOnClick([this](TObject*) { FVorschau->SetHorzScrollBar(HS->Checked()); });
}

void TLumItemsfenster::BuildStyles() {
  BGStyle = AddStyleGroup("BGStyle", "BackGroundStyle", {"None", "Center", "Stretch", "Pattern"}, 2,
                          Bounds(PropertyLeft, 172, 253, 56), [this](int Item) {
                            FVorschau->SetBackGroundStyle(static_cast<TBackGroundStyle>(Item));
                          });
  CBStyle = AddStyleGroup(
      "CBStyle", "SelectedStyle", {"psStandard", "psBoldText", "psCheckBox", "psOwnerDraw"}, 2,
      Bounds(PropertyLeft, 230, 253, 56),
      [this](int Item) { FVorschau->SetSelectedStyle(SelectedStyleOfItem(Item)); });
  IHStyle = AddStyleGroup(
      "IHStyle", "ItemHeightStyle", {"ihFixFont", "ihFont", "ihBitmap", "ihFontBitmap"}, 2,
      Bounds(PropertyLeft, 288, 253, 56),
      [this](int Item) { FVorschau->SetItemHeightStyle(static_cast<TItemHeightStyle>(Item)); });
  BStyle = AddStyleGroup(
      "BStyle", "BitmapStyle", {"bsLeft", "bsRight", "bsCenter", "bsStretch", "bsPattern"}, 3,
      Bounds(PropertyLeft, 346, 253, 56),
      [this](int Item) { FVorschau->SetBitmapStyle(static_cast<TBitmapStyle>(Item)); });
}

TWinControl* TLumItemsfenster::Preview() const { return FVorschau; }
TLumItemStrings* TLumItemsfenster::PreviewItems() const { return FVorschau->Items(); }
int TLumItemsfenster::PreviewItemIndex() const { return FVorschau->ItemIndex(); }
void TLumItemsfenster::SetPreviewItemIndex(int Index) { FVorschau->SetItemIndex(Index); }
void TLumItemsfenster::ClearPreview() { FVorschau->Clear(); }
void TLumItemsfenster::SetAnyColors(bool Value) { FVorschau->SetAnyColors(Value); }
void TLumItemsfenster::SetAnyFonts(bool Value) { FVorschau->SetAnyFonts(Value); }
void TLumItemsfenster::SetUseTabStops(bool Value) { FVorschau->SetUseTabStops(Value); }
void TLumItemsfenster::SetTabStops(const String& Value) { FVorschau->SetTabStops(Value); }

void TLumItemsfenster::ShowSettings() {
  BGStyle->SetItemIndex(static_cast<int>(FVorschau->BackGroundStyle()));
  CBStyle->SetItemIndex(ItemOfSelectedStyle(FVorschau->SelectedStyle()));
  IHStyle->SetItemIndex(static_cast<int>(FVorschau->ItemHeightStyle()));
  BStyle->SetItemIndex(static_cast<int>(FVorschau->BitmapStyle()));
  MS->SetChecked(FVorschau->MultiSelect());
  HS->SetChecked(FVorschau->HorzScrollBar());
  HEEdit->SetValue(FVorschau->HorzExtent());
  ShowFlags(FVorschau->AnyColors(), FVorschau->AnyFonts(), FVorschau->UseTabStops(),
            FVorschau->TabStops());
}

void TLumItemsfenster::ShowColumn() {
  const String text = Edit->Text();
  Spaltenlabel2->SetCaption(
      Lumherk::Str_Number(ColumnAt(text, static_cast<std::size_t>(std::max(Edit->SelStart(), 0)))));
}

void TLumItemsfenster::ChooseBackground() {
  if (OpenPicDialog->Execute()) FVorschau->Background()->LoadFromFile(OpenPicDialog->FileName());
}

void TLumListEditor::ExecuteVerb(int Index) {
  if (Index != 0) return;
  auto* list = static_cast<TLumList*>(Component());
  EditLumList(list, ItemsEditorCaption(list, "LumList Editor"));
}

String TLumListEditor::GetVerb(int Index) { return Index == 0 ? "&Edit LumList" : ""; }
