#pragma once

#include "framework/controls/Application.h"
#include "framework/controls/Forms.h"
#include "lists/LumItems.h"

#include <memory>

class TButton;
class TCheckBox;
class TColorDialog;
class TEdit;
class TFontDialog;
class TImage;
class TLabel;
class TLumZeilenDialog;
class TMemo;
class TOpenPictureDialog;
class TRadioGroup;
class TShape;
class TSpinEdit;

// The open dialog's filter of the item editors: of "Alle Dateien", "Bitmaps", "Symbole",
// "Erweiterte Metadateien" and "Metadateien" only the kinds a picture can load.
String ItemPictureFilter();
// The text typed for an item: the field's text without one trailing line break.
String ItemTextOf(const String& FieldText);
// Moves item Dragged with its record onto the place of item Target: just after it when it
// came from above, just before it when it came from below; the others keep their order.
void MoveDraggedItem(TLumItemStrings* Items, int Dragged, int Target);
// A picture file of any kind a picture loads, as a bitmap of its size (a bitmap file as it
// is, other kinds drawn on the window colour).
std::unique_ptr<TBitmap> LoadItemBitmap(const String& FileName);
// The caption the designer's verb gives an editor window: owner, component and own caption.
String ItemsEditorCaption(TComponent* Control, const String& WindowCaption);

// What the two item editor windows share: the item text field above a preview control that
// holds the working copy, the item commands, the item's own look (hint, font, colour,
// bitmap, help context), the item height and bitmap styles, the colour and font flags and
// the tab stops. Each twin builds the preview and the controls of its own.
class TLumItemsfensterBase : public TForm {
  LUM_CLASS(TLumItemsfensterBase, TForm)
public:
  // Shows the current item's row, the item count and the current item's look.
  void Prop_zeigen();
  // The item the commands act on, as of the last Prop_zeigen (-1: none).
  int CurrentIndex() const { return FCurrent; }
  int DraggedIndex() const { return FDragged; }

  TMemo* Edit = nullptr;
  TButton* InsertBtn = nullptr;
  TButton* DeleteBtn = nullptr;
  TButton* ChangeBtn = nullptr;
  TButton* LoeschBtn = nullptr;
  TButton* OkButton = nullptr;
  TButton* AbbruchButton = nullptr;
  TLabel* ZeilenLabel1 = nullptr;
  TLabel* ZeilenLabel2 = nullptr;
  TLabel* Gesamtzeilenlabel1 = nullptr;
  TLabel* Gesamtzeilenlabel2 = nullptr;
  TButton* HintBtn = nullptr;
  TButton* FontBtn = nullptr;
  TButton* ColorBtn = nullptr;
  TShape* ColorShape = nullptr;
  TButton* BitmapBtn = nullptr;
  TImage* BitmapVorschau = nullptr;
  TLabel* Helplabel = nullptr;
  TSpinEdit* HelpEdit = nullptr;
  TRadioGroup* IHStyle = nullptr;
  TRadioGroup* BStyle = nullptr;
  TCheckBox* AnyColors = nullptr;
  TCheckBox* AnyFonts = nullptr;
  TCheckBox* UT = nullptr;
  TEdit* TSEdit = nullptr;
  TLabel* TSLabel = nullptr;
  TColorDialog* ColorDialog = nullptr;
  TFontDialog* FontDialog = nullptr;
  TOpenPictureDialog* OpenPicDialog = nullptr;
  TLumZeilenDialog* HintDialog = nullptr;

protected:
  // Makes the text field and the dialogs; the twin then makes its preview below the field,
  // calls BuildShared, makes its own controls and calls BuildTail (so the tab order runs
  // down the window).
  TLumItemsfensterBase(TComponent* AOwner, const String& Caption, int ClientWidth,
                       int ClientHeight);
  // The item commands, the row labels and the item's look.
  void BuildShared();
  // The tab stop row at TabStopsTop, and the accept and cancel buttons from ButtonsTop.
  void BuildTail(int TabStopsTop, int ButtonsTop, const String& TabStopsHint);

  // The twin's preview.
  virtual TWinControl* Preview() const = 0;
  virtual TLumItemStrings* PreviewItems() const = 0;
  virtual int PreviewItemIndex() const = 0;
  virtual void SetPreviewItemIndex(int Index) = 0;
  virtual void ClearPreview() = 0;
  // Sets the twin's radio groups, check boxes and fields from the preview (window shown).
  virtual void ShowSettings() = 0;
  virtual void SetAnyColors(bool Value) = 0;
  virtual void SetAnyFonts(bool Value) = 0;
  virtual void SetUseTabStops(bool Value) = 0;
  virtual void SetTabStops(const String& Value) = 0;

  void DoShow() override;
  TButton* AddButton(const String& Name, const String& Caption, TRect Bounds);
  TCheckBox* AddCheck(const String& Name, const String& Caption, TRect Bounds);
  // A radio group whose click hands the chosen line to Choose.
  TRadioGroup* AddStyleGroup(const String& Name, const String& Caption,
                             std::initializer_list<const char*> Items, int Columns, TRect Bounds,
                             std::function<void(int Item)> Choose);
  // Sets UT, TSEdit (and its enabling), AnyColors and AnyFonts.
  void ShowFlags(bool Colors, bool Fonts, bool UseTabStops, const String& TabStops);
  // The preview clicked: its item in the text field and the look shown.
  void ItemClicked();
  void RecordDragged(int Index) { FDragged = Index; }
  // Drops the dragged item on Target when that is another existing item.
  void DropDragged(int Target);
  // Loads the picture the open dialog is answered with into the item's bitmap.
  void ChooseBitmap();
  void DeleteBitmap();

private:
  void BuildItemCommands();
  void BuildItemLook();
  void InsertItem();
  void ChangeItem();
  void ChooseColor();
  void ChooseFont();
  void ChooseHint();
  void RepaintPreview() { Preview()->Repaint(); }

  int FCurrent = -1;
  int FDragged = -1;
};

// Runs an item editor window of class W over Control: the control's settings go to the
// window's preview, and back only on Accept. The mouse over the preview's items lent it their
// hints and help contexts, so the control keeps its own.
template <class W, class C>
bool RunItemsEditor(C* Control, const String& Caption, void (*Transfer)(C* From, C* To)) {
  W* window = CreateForm<W>(Application());
  const std::unique_ptr<TCustomForm, void (*)(TCustomForm*)> owned(
      window, [](TCustomForm* Form) { Form->Free(); });
  if (!Caption.empty()) window->SetCaption(Caption);
  C* preview = window->Vorschau();
  Transfer(Control, preview);
  if (window->ShowModal() != mrOk) return false;
  preview->SetHint(Control->Hint());
  preview->SetHelpContext(Control->HelpContext());
  Transfer(preview, Control);
  return true;
}
