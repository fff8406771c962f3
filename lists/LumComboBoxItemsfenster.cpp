#include "lists/LumComboBoxItemsfenster.h"

#include "framework/classes/Registry.h"
#include "framework/controls/Application.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/DialogParts.h"
#include "framework/controls/Edits.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/StdCtrls.h"

using namespace LumComboBox;

namespace {

const bool WindowRegistered = (RegisterClass<TLumComboBoxItemsfenster>(), true);

constexpr int PropertyLeft = 444;

} // namespace

void TransferComboBoxSettings(TLumComboBox* From, TLumComboBox* To) {
  To->Items()->Assign(From->Items());
  To->Font()->Assign(From->Font());
  To->SetBackground(From->Background());
  To->SetBackGroundStyle(From->BackGroundStyle());
  To->SetUseTabStops(From->UseTabStops());
  To->SetTabStops(From->TabStops());
  To->SetBitmapStyle(From->BitmapStyle());
  To->SetItemHeightStyle(From->ItemHeightStyle());
  To->SetAnyColors(From->AnyColors());
  To->SetAnyFonts(From->AnyFonts());
  To->SetBoldStyle(From->BoldStyle());
  To->SetColor(From->Color());
  To->SetHelpContext(From->HelpContext());
  To->SetHint(From->Hint());
}

bool EditLumComboBox(TLumComboBox* ComboBox, const String& Caption) {
  return RunItemsEditor<TLumComboBoxItemsfenster>(ComboBox, Caption, TransferComboBoxSettings);
}

TLumComboBoxItemsfenster::TLumComboBoxItemsfenster(TComponent* AOwner)
    : TLumItemsfensterBase(AOwner, "LumComboBox Editor", 705, 349) {
  MakePreview();
  BuildShared();
  BuildComboControls();
  BuildTail(290, 280, "TabStops only without BoldStyle (separate with ; )");
}

TLumComboBoxItemsfenster::~TLumComboBoxItemsfenster() = default;

void TLumComboBoxItemsfenster::MakePreview() {
  FVorschau = new TLumComboBox(this);
  FVorschau->SetName("Vorschau");
  FVorschau->SetStyle(csSimple);
  FVorschau->SetBounds(8, 52, 330, 230);
  FVorschau->SetParent(this);
  FVorschau->SetOnClick([this](TObject*) {
    ItemClicked();
    Edit->SetFocus();
  });
  FVorschau->SetOnMouseDown([this](TObject*, TMouseButton Button, TShiftState, int, int) {
    if (Button == mbLeft) RecordDragged(ItemUnderCursor());
  });
  FVorschau->SetOnDragDrop(
      [this](TObject*, TObject*, int, int) { DropDragged(ItemUnderCursor()); });
}

int TLumComboBoxItemsfenster::ItemUnderCursor() {
  POINT cursor{};
  GetCursorPos(&cursor);
  return FVorschau->ItemAtPos(FVorschau->ScreenToClient(TPoint{cursor.X, cursor.Y}), true);
}

void TLumComboBoxItemsfenster::BuildComboControls() {
  BitBtn1 = AddButton("BitBtn1", "Delete", Bounds(PropertyLeft, 98, 80, 25));
  BitBtn1->SetOnClick([this](TObject*) { DeleteBitmap(); });
  BoldStyle = AddCheck("BoldStyle", "BoldStyle", Bounds(PropertyLeft, 150, 80, 17));
  BoldStyle->SetOnClick([this](TObject*) { FVorschau->SetBoldStyle(BoldStyle->Checked()); });
  IHStyle =
      AddStyleGroup("IHStyle", "ItemHeightStyle", {"ihFix", "ihFont", "ihBitmap", "ihFontBitmap"},
                    2, Bounds(PropertyLeft, 172, 253, 56), [this](int Item) {
                      FVorschau->SetItemHeightStyle(static_cast<TItemHeightStyle>(Item));
                    });
  BStyle = AddStyleGroup("BStyle", "BitmapStyle", {"bsLeft", "bsRight", "bsCenter", "bsStretch"}, 2,
                         Bounds(PropertyLeft, 230, 253, 56), [this](int Item) {
                           FVorschau->SetBitmapStyle(static_cast<TBitmapStyle>(Item));
                         });
}

TWinControl* TLumComboBoxItemsfenster::Preview() const { return FVorschau; }
TLumItemStrings* TLumComboBoxItemsfenster::PreviewItems() const { return FVorschau->Items(); }
int TLumComboBoxItemsfenster::PreviewItemIndex() const { return FVorschau->ItemIndex(); }
void TLumComboBoxItemsfenster::SetPreviewItemIndex(int Index) { FVorschau->SetItemIndex(Index); }
void TLumComboBoxItemsfenster::ClearPreview() { FVorschau->Clear(); }
void TLumComboBoxItemsfenster::SetAnyColors(bool Value) { FVorschau->SetAnyColors(Value); }
void TLumComboBoxItemsfenster::SetAnyFonts(bool Value) { FVorschau->SetAnyFonts(Value); }
void TLumComboBoxItemsfenster::SetUseTabStops(bool Value) { FVorschau->SetUseTabStops(Value); }
void TLumComboBoxItemsfenster::SetTabStops(const String& Value) { FVorschau->SetTabStops(Value); }

void TLumComboBoxItemsfenster::ShowSettings() {
  IHStyle->SetItemIndex(static_cast<int>(FVorschau->ItemHeightStyle()));
  BStyle->SetItemIndex(static_cast<int>(FVorschau->BitmapStyle()));
  BoldStyle->SetChecked(FVorschau->BoldStyle());
  ShowFlags(FVorschau->AnyColors(), FVorschau->AnyFonts(), FVorschau->UseTabStops(),
            FVorschau->TabStops());
}

void TLumComboBoxEditor::ExecuteVerb(int Index) {
  if (Index != 0) return;
  auto* combo = static_cast<TLumComboBox*>(Component());
  EditLumComboBox(combo, ItemsEditorCaption(combo, "LumComboBox Editor"));
}

String TLumComboBoxEditor::GetVerb(int Index) { return Index == 0 ? "&Edit LumComboBox" : ""; }
