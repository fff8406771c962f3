#pragma once

#include "framework/controls/Forms.h"
#include "framework/design/DesignIntf.h"

#include <memory>
#include <set>
#include <vector>

class TPageControl;
class TScrollBox;
class TSpeedButton;
class TPopupMenu;
class TMainMenu;
class TObjectInspector;
class TBitmap;
class TDesignHandle;
class TNonVisualMark;

// The form designer: a palette with a tab per registered page, the designed form (a form in
// csDesigning, inside a scroll box) and the object inspector beside it. Components are placed
// by a click on the palette and one on the form; they are selected, moved and sized with the
// mouse and the arrow keys (Ctrl: by 8, Shift: size), Shift adds to the selection; Delete,
// cut, copy and paste (as form-file text) and undo of the last change work on the
// selection; a right click offers the component editor's verbs, a double click runs its Edit.
class TFormDesigner : public TForm, public IDesigner {
  LUM_CLASS(TFormDesigner, TForm)
public:
  explicit TFormDesigner(TComponent* AOwner);
  ~TFormDesigner() override;

  // A new empty form, or the form of a file (text form-file syntax). A file that does not
  // read is reported with the reader's message and the form shown stays as it was.
  void NewForm();
  bool OpenFile(const String& FileName);
  // Writes through a temporary file; a failure is reported and false returned.
  bool SaveFile(const String& FileName);
  bool LoadText(const String& Text);
  // The form file's text (the designed form's own visibility left out).
  String FormText();
  void ViewAsText();
  const String& FileName() const { return FFileName; }
  bool IsModified() const { return FModified; }

  TForm* DesignedForm() const { return FDesigned; }
  TObjectInspector* Inspector() const { return FInspector; }
  TPageControl* Palette() const { return FPalette; }
  TSpeedButton* PaletteButton(TClass ComponentClass) const;
  TClass Placing() const { return FPlacing; }
  void SetPlacing(TClass ComponentClass);
  TPopupMenu* VerbMenu() const { return FVerbMenu; }

  const std::vector<TComponent*>& Selection() const { return FSelection; }
  void Select(TComponent* Component, bool Add = false);
  void SelectAll();
  // A new component of the class at a point of the form's client area, inside the container
  // there; named after its class.
  TComponent* PlaceComponent(TClass ComponentClass, TPoint At);
  void MoveSelection(int DX, int DY);
  void SizeSelection(int DX, int DY);
  void DeleteSelection();
  String CopySelection();
  void CutSelection();
  void Paste();
  bool CanUndo() const { return !FUndoText.empty(); }
  void Undo();
  // Runs the component editor's verb or Edit; what it throws is reported, the designer goes on.
  void ExecuteVerb(TComponent* Component, int Index);
  void EditComponent(TComponent* Component);
  // The designer's clipboard of form-file text.
  static String& Clipboard();

  // IDesigner
  TComponent* GetRoot() override;
  void Modified() override;
  void ShowMethod(const String& Name) override;
  void SelectComponent(TPersistent* Instance) override;

  // Called by the grab handles while they are dragged (a point of the form's client area).
  void HandleDragged(int Handle, TPoint At, bool Done);

private:
  void BuildMenu();
  void BuildPalette();
  void ReplaceDesigned(std::unique_ptr<TForm, void (*)(TForm*)> Form);
  void HookNew();
  void Hook(TControl* Control);
  bool DesignMessage(TControl* Control, TMessage& Message);
  void MouseAt(UINT Msg, TPoint At, TShiftState Shift);
  void DesignKey(Word Key, TShiftState Shift);
  TComponent* ComponentAt(TPoint At);
  TWinControl* ContainerAt(TPoint At);
  void SelectionChanged();
  void UpdateHandles();
  void ShowVerbs(TComponent* Component, TPoint Screen);
  void Report(const std::exception& E);
  void LayOutNonVisual();
  TRect BoundsOnForm(TControl* Control);

  TObjectInspector* FInspector = nullptr;
  TPageControl* FPalette = nullptr;
  TScrollBox* FSurface = nullptr;
  TPopupMenu* FVerbMenu = nullptr;
  TMainMenu* FMenu = nullptr;
  std::unique_ptr<TForm, void (*)(TForm*)> FDesignedOwner;
  TForm* FDesigned = nullptr;
  std::vector<std::pair<TClass, TSpeedButton*>> FPaletteButtons;
  std::vector<std::unique_ptr<TBitmap>> FGlyphs;
  std::set<TControl*> FHooked;
  std::vector<TNonVisualMark*> FMarks;
  std::vector<TComponent*> FSelection;
  std::vector<TDesignHandle*> FHandles;
  TClass FPlacing = nullptr;
  String FFileName;
  // The form's text as of the last change, and before it (what Undo brings back).
  String FCommittedText;
  String FUndoText;
  bool FModified = false;
  bool FDragging = false;
  bool FDragMoved = false;
  TPoint FDragFrom;
  std::vector<std::pair<TControl*, TRect>> FDragStart;
};
