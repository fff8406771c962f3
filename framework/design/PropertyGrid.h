#pragma once

#include "framework/controls/Grids.h"
#include "framework/design/DesignEditors.h"

#include <memory>
#include <vector>

class TEdit;
class TComboBox;
class TButton;

// One line of the property grid: a property (its editor) or a category heading, with the
// lines below it once expanded.
struct TPropertyNode {
  std::unique_ptr<TPropertyEditor> Editor; // null for a category heading
  String Category;
  int Level = 0;
  bool Expanded = false;
  bool ChildrenMade = false;
  TPropertyNode* Parent = nullptr;
  std::vector<std::unique_ptr<TPropertyNode>> Children;

  String Name() const { return Editor ? Editor->GetName() : Category; }
  bool Expandable();
};

// The object inspector's name/value grid. Sub-properties and categories expand with a click
// on their + sign or a double click on the name; the value of the current line is typed
// into an edit over its cell, chosen from a drop-down for a value list, or edited in a
// dialog with the "..." button; Enter or leaving the line stores it through the editor. A
// value that does not convert is reported and the old value shows again.
class TPropertyGrid : public TCustomGrid {
  LUM_CLASS(TPropertyGrid, TCustomGrid)
public:
  explicit TPropertyGrid(TComponent* AOwner);
  ~TPropertyGrid() override;

  // Shows the properties of the selection of the given kinds, by name or under categories.
  void ShowProperties(const std::vector<TPersistent*>& Selection, TTypeKinds Filter,
                      IDesigner* Designer, bool ByCategory);
  void ClearProperties();

  int LineCount() const { return static_cast<int>(FLines.size()); }
  TPropertyNode* Line(int Index) const { return FLines.at(static_cast<size_t>(Index)); }
  // The line of a path of names, "Font.Style.fsBold" (under categories: "Layout.Left");
  // letter case ignored; -1 when not shown.
  int FindLine(const String& Path) const;
  String LineValue(int Index) const;
  void SetExpanded(int Index, bool Value);
  // Makes the line current with its value editor, as a click on its value does.
  void EditLine(int Index);
  // Stores what the value editor holds; false when the editor refused it.
  bool CommitValue();
  // The values changed elsewhere: redraw, and the value editor shows the new text.
  void RefreshValues();

  TEdit* ValueEdit() const { return FValueEdit; }
  TComboBox* ValueList() const { return FValueList; }
  TButton* EllipsisButton() const { return FEllipsis; }
  // The rectangle of a line's +/- sign and of its value cell, in client coordinates.
  TRect SignRect(int Index);
  TRect ValueRect(int Index);

protected:
  void DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState) override;
  bool SelectCell(int ACol, int ARow) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void Resize() override;

private:
  void RebuildLines();
  void AddLines(TPropertyNode* Node);
  void MakeChildren(TPropertyNode* Node);
  void PlaceValueEditor();
  void HideValueEditor();
  void RunDialog();
  void ValueKeyDown(Word& Key);
  TWinControl* ActiveValueControl() const;
  String ActiveValueText() const;
  void SetActiveValueText(const String& Text);
  void Report(const std::exception& E);
  int IndentOf(const TPropertyNode* Node) const { return 4 + 12 * Node->Level; }

  std::vector<std::unique_ptr<TPropertyNode>> FRoots;
  std::vector<TPropertyNode*> FLines;
  TPropertyNode* FEditing = nullptr;
  String FShownValue;
  TEdit* FValueEdit;
  TComboBox* FValueList;
  TButton* FEllipsis;
  bool FCommitting = false;
};
