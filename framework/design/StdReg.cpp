#include "framework/design/StdReg.h"

#include "framework/controls/Buttons.h"
#include "framework/controls/CheckButtons.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/CommonDialogs.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Grids.h"
#include "framework/controls/Image.h"
#include "framework/controls/ImgList.h"
#include "framework/controls/Labels.h"
#include "framework/controls/ListBoxes.h"
#include "framework/controls/MaskEdit.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/PaintBox.h"
#include "framework/controls/Panels.h"
#include "framework/controls/RadioGroup.h"
#include "framework/controls/ScrollBox.h"
#include "framework/controls/Shapes.h"
#include "framework/controls/SpinEdit.h"
#include "framework/controls/StdCtrls.h"
#include "framework/controls/Timer.h"
#include "framework/db/DBCtrls.h"
#include "framework/db/DBGrids.h"
#include "framework/db/DataSource.h"
#include "framework/db/Query.h"
#include "framework/db/Session.h"
#include "framework/db/Table.h"
#include "framework/design/Registry.h"
#include "framework/design/VCLEditors.h"
#include "framework/graphics/Font.h"

void TPageControlEditor::ExecuteVerb(int Index) {
  auto* pages = static_cast<TPageControl*>(Component());
  switch (Index) {
  case 0: {
    TComponent* root = Designer().GetRoot();
    auto* sheet = new TTabSheet(root);
    sheet->SetDesigning(true);
    sheet->SetName(Designer().UniqueName("TTabSheet"));
    sheet->SetCaption(sheet->Name());
    sheet->SetPageControl(pages);
    pages->SetActivePage(sheet);
    break;
  }
  case 1:
  case 2:
    pages->SelectNextPage(Index == 1);
    break;
  default:
    return;
  }
  Designer().Modified();
}

String TPageControlEditor::GetVerb(int Index) {
  switch (Index) {
  case 0:
    return "New Page";
  case 1:
    return "Next Page";
  case 2:
    return "Previous Page";
  default:
    return "";
  }
}

namespace {

void RegisterPalette() {
  RegisterComponents("Standard",
                     {TMainMenu::StaticClass(), TPopupMenu::StaticClass(), TLabel::StaticClass(),
                      TEdit::StaticClass(), TMemo::StaticClass(), TButton::StaticClass(),
                      TCheckBox::StaticClass(), TRadioButton::StaticClass(),
                      TListBox::StaticClass(), TComboBox::StaticClass(), TGroupBox::StaticClass(),
                      TRadioGroup::StaticClass(), TPanel::StaticClass()});
  RegisterComponents("Additional",
                     {TBitBtn::StaticClass(), TSpeedButton::StaticClass(), TMaskEdit::StaticClass(),
                      TStringGrid::StaticClass(), TDrawGrid::StaticClass(), TImage::StaticClass(),
                      TShape::StaticClass(), TBevel::StaticClass(), TScrollBox::StaticClass(),
                      TSpinEdit::StaticClass(), TPageControl::StaticClass(),
                      TPaintBox::StaticClass(), TImageList::StaticClass(), TTimer::StaticClass()});
  RegisterComponents("Data Access", {TDataSource::StaticClass(), TTable::StaticClass(),
                                     TQuery::StaticClass(), TSession::StaticClass()});
  RegisterComponents("Data Controls",
                     {TDBGrid::StaticClass(), TDBEdit::StaticClass(), TDBComboBox::StaticClass()});
  RegisterComponents("Dialogs", {TOpenDialog::StaticClass(), TSaveDialog::StaticClass(),
                                 TOpenPictureDialog::StaticClass(), TFontDialog::StaticClass(),
                                 TColorDialog::StaticClass()});
}

void RegisterEditors() {
  RegisterComponentEditor<TPageControl, TPageControlEditor>();
  RegisterPropertyEditor(ColorTypeInfo(), nullptr, "", PropertyEditorClassOf<TColorProperty>());
  RegisterPropertyEditor(lum::TypeInfoOf<TFont*>(), nullptr, "",
                         PropertyEditorClassOf<TFontProperty>());
  RegisterPropertyEditor(lum::TypeInfoOf<TFontName>(), TFont::StaticClass(), "Name",
                         PropertyEditorClassOf<TFontNameProperty>());
  RegisterPropertyEditor(lum::TypeInfoOf<TStrings*>(), nullptr, "",
                         PropertyEditorClassOf<TStringsProperty>());
  RegisterPropertyEditor(lum::TypeInfoOf<TComponent*>(), nullptr, "",
                         PropertyEditorClassOf<TComponentProperty>());
  RegisterPropertyEditor(lum::TypeInfoOf<String>(), TComponent::StaticClass(), "Name",
                         PropertyEditorClassOf<TComponentNameProperty>());
}

void RegisterCategories() {
  RegisterPropertiesInCategory(TLayoutCategory::StaticClass(),
                               {"Left", "Top", "Width", "Height", "Align", "Anchors", "AutoSize",
                                "Constraints", "ClientWidth", "ClientHeight"});
  RegisterPropertiesInCategory(TVisualCategory::StaticClass(),
                               {"Caption", "Color", "Font", "Visible", "BorderStyle", "Cursor",
                                "ParentColor", "ParentFont", "Ctl3D", "ParentCtl3D", "OnPaint"});
  RegisterPropertiesInCategory(TInputCategory::StaticClass(),
                               {"Enabled", "ReadOnly", "TabOrder", "TabStop", "OnClick",
                                "OnDblClick", "OnKey*", "OnMouse*", "OnEnter", "OnExit"});
  RegisterPropertiesInCategory(
      THelpCategory::StaticClass(),
      {"Hint", "ShowHint", "ParentShowHint", "HelpContext", "HelpType", "HelpKeyword"});
  RegisterPropertiesInCategory(
      TDragNDropCategory::StaticClass(),
      {"DragCursor", "DragKind", "DragMode", "OnDrag*", "OnStartDrag", "OnEndDrag"});
  RegisterPropertiesInCategory(TLinkageCategory::StaticClass(), {"PopupMenu", "FocusControl"});
  RegisterPropertiesInCategory(
      TDatabaseCategory::StaticClass(),
      {"DataSource", "DataField", "DataSet", "DatabaseName", "TableName", "SQL", "Active"});
  RegisterPropertiesInCategory(TLocaleCategory::StaticClass(), {"BiDiMode", "ParentBiDiMode"});
}

} // namespace

void RegisterStandardEditors() {
  RegisterPalette();
  RegisterEditors();
  RegisterCategories();
}
