#include "framework/design/PropertyGrid.h"

#include "framework/controls/Application.h"
#include "framework/controls/ComboBoxes.h"
#include "framework/controls/Edits.h"
#include "framework/controls/StdCtrls.h"
#include "framework/design/Registry.h"
#include "framework/rtl/Strings.h"

#include <algorithm>
#include <map>

namespace {

constexpr int SignSize = 9;
constexpr int EllipsisWidth = 18;

String ValueOf(TPropertyEditor& Editor) {
  try {
    return Editor.AllEqual() ? Editor.GetValue() : String();
  } catch (const std::exception& e) {
    return String("(") + e.what() + ")";
  }
}

} // namespace

bool TPropertyNode::Expandable() {
  return !Editor || Editor->GetAttributes().Contains(paSubProperties);
}

TPropertyGrid::TPropertyGrid(TComponent* AOwner) : TCustomGrid(AOwner) {
  SetColCount(2);
  SetFixedCols(0);
  SetFixedRows(0);
  SetRowCount(1);
  SetDefaultRowHeight(21);
  SetOptions(TGridOptions{goVertLine, goHorzLine, goThumbTracking});
  SetScrollBars(ssVertical);
  FValueEdit = new TEdit(this);
  FValueEdit->SetName("ValueEdit");
  FValueList = new TComboBox(this);
  FValueList->SetName("ValueList");
  FEllipsis = new TButton(this);
  FEllipsis->SetName("EllipsisButton");
  FEllipsis->SetCaption("...");
  for (TWinControl* c : std::initializer_list<TWinControl*>{FValueEdit, FValueList, FEllipsis}) {
    c->SetVisible(false);
    c->SetParent(this);
  }
  const TKeyEvent keys = [this](TObject*, Word& Key, TShiftState) { ValueKeyDown(Key); };
  FValueEdit->SetOnKeyDown(keys);
  FValueList->SetOnKeyDown(keys);
  const TNotifyEvent commit = [this](TObject*) {
    if (!FCommitting) CommitValue();
  };
  FValueEdit->SetOnExit(commit);
  FValueList->SetOnExit(commit);
  FValueList->SetOnClick(commit);
  // A value picked from the list (not one being typed) is stored at once.
  FValueList->SetOnChange([this](TObject*) {
    const int i = FValueList->ItemIndex();
    if (!FCommitting && i >= 0 && FValueList->Items()->Strings(i) == FValueList->Text())
      CommitValue();
  });
  FEllipsis->SetOnClick([this](TObject*) { RunDialog(); });
}

TPropertyGrid::~TPropertyGrid() = default;

void TPropertyGrid::ShowProperties(const std::vector<TPersistent*>& Selection, TTypeKinds Filter,
                                   IDesigner* Designer, bool ByCategory) {
  ClearProperties();
  std::vector<std::unique_ptr<TPropertyEditor>> editors;
  GetComponentProperties(Selection, Filter, Designer, [&](std::unique_ptr<TPropertyEditor> p) {
    editors.push_back(std::move(p));
  });
  std::stable_sort(editors.begin(), editors.end(), [](const auto& a, const auto& b) {
    return CompareText(a->GetName(), b->GetName()) < 0;
  });
  if (!ByCategory) {
    for (auto& e : editors) {
      auto node = std::make_unique<TPropertyNode>();
      node->Editor = std::move(e);
      FRoots.push_back(std::move(node));
    }
  } else {
    std::map<String, TPropertyNode*> headings;
    const auto heading = [&](const String& Name) {
      TPropertyNode*& h = headings[Name];
      if (!h) {
        FRoots.push_back(std::make_unique<TPropertyNode>());
        h = FRoots.back().get();
        h->Category = Name;
        h->Expanded = h->ChildrenMade = true;
      }
      return h;
    };
    const TClass objectClass = Selection.front()->ClassType();
    for (auto& e : editors) {
      std::vector<String> names;
      for (const TPropertyCategory* c : PropertyCategoriesOf(objectClass, e->GetPropInfo()))
        names.push_back(c->Name());
      if (names.empty()) names.push_back(TMiscellaneousCategory().Name());
      const TPropInfo* prop = e->GetPropInfo();
      for (size_t i = 0; i < names.size(); ++i) {
        auto node = std::make_unique<TPropertyNode>();
        node->Editor = i == 0 ? std::move(e) : CreatePropertyEditor(Designer, Selection, prop);
        node->Level = 1;
        node->Parent = heading(names[i]);
        node->Parent->Children.push_back(std::move(node));
      }
    }
    std::sort(FRoots.begin(), FRoots.end(), [](const auto& a, const auto& b) {
      return CompareText(a->Category, b->Category) < 0;
    });
  }
  RebuildLines();
}

void TPropertyGrid::ClearProperties() {
  HideValueEditor();
  FLines.clear();
  FRoots.clear();
  SetRowCount(1);
  Invalidate();
}

void TPropertyGrid::AddLines(TPropertyNode* Node) {
  FLines.push_back(Node);
  if (!Node->Expanded) return;
  for (auto& c : Node->Children) AddLines(c.get());
}

void TPropertyGrid::RebuildLines() {
  TPropertyNode* current = Row() < LineCount() ? Line(Row()) : nullptr;
  FLines.clear();
  for (auto& r : FRoots) AddLines(r.get());
  SetRowCount(std::max(1, LineCount()));
  const auto at = std::find(FLines.begin(), FLines.end(), current);
  if (at != FLines.end()) SetRow(static_cast<int>(at - FLines.begin()));
  Invalidate();
  PlaceValueEditor();
}

void TPropertyGrid::MakeChildren(TPropertyNode* Node) {
  if (Node->ChildrenMade) return;
  Node->ChildrenMade = true;
  Node->Editor->GetProperties([&](std::unique_ptr<TPropertyEditor> p) {
    auto child = std::make_unique<TPropertyNode>();
    child->Editor = std::move(p);
    child->Level = Node->Level + 1;
    child->Parent = Node;
    Node->Children.push_back(std::move(child));
  });
}

int TPropertyGrid::FindLine(const String& Path) const {
  for (int i = 0; i < LineCount(); ++i) {
    String path;
    for (const TPropertyNode* n = Line(i); n; n = n->Parent)
      path = n->Name() + (path.empty() ? "" : "." + path);
    if (SameText(path, Path)) return i;
  }
  return -1;
}

String TPropertyGrid::LineValue(int Index) const {
  TPropertyNode* node = Line(Index);
  return node->Editor ? ValueOf(*node->Editor) : String();
}

void TPropertyGrid::SetExpanded(int Index, bool Value) {
  TPropertyNode* node = Line(Index);
  if (!node->Expandable() || node->Expanded == Value) return;
  CommitValue();
  MakeChildren(node);
  node->Expanded = Value;
  RebuildLines();
}

void TPropertyGrid::EditLine(int Index) {
  if (Index < 0 || Index >= LineCount()) return;
  CommitValue();
  SetRow(Index);
  PlaceValueEditor();
  if (TWinControl* c = ActiveValueControl(); c && c->CanFocus()) c->SetFocus();
}

TRect TPropertyGrid::SignRect(int Index) {
  const TRect cell = CellRect(0, Index);
  const int left = cell.Left + IndentOf(Line(Index));
  const int top = (cell.Top + cell.Bottom - SignSize) / 2;
  return TRect{left, top, left + SignSize, top + SignSize};
}

TRect TPropertyGrid::ValueRect(int Index) { return CellRect(1, Index); }

void TPropertyGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState /*AState*/) {
  if (ARow >= LineCount()) return;
  TPropertyNode* node = Line(ARow);
  TCanvas* canvas = Canvas();
  const int textTop = ARect.Top + (ARect.Bottom - ARect.Top - canvas->TextHeight("Wg")) / 2;
  if (ACol == 1) {
    canvas->TextRect(ARect, ARect.Left + 3, textTop, LineValue(ARow));
    return;
  }
  // The text first: TextRect fills the whole cell.
  if (!node->Editor) canvas->Font()->SetStyle(TFontStyles{fsBold});
  canvas->TextRect(ARect, ARect.Left + IndentOf(node) + SignSize + 4, textTop, node->Name());
  canvas->Font()->SetStyle(TFontStyles{});
  if (!node->Expandable()) return;
  const TRect s = SignRect(ARow);
  canvas->Pen()->SetColor(clGray);
  canvas->Rectangle(s.Left, s.Top, s.Right, s.Bottom);
  canvas->Pen()->SetColor(canvas->Font()->Color());
  canvas->MoveTo(s.Left + 2, s.Top + SignSize / 2);
  canvas->LineTo(s.Right - 2, s.Top + SignSize / 2);
  if (!node->Expanded) {
    canvas->MoveTo(s.Left + SignSize / 2, s.Top + 2);
    canvas->LineTo(s.Left + SignSize / 2, s.Bottom - 2);
  }
}

bool TPropertyGrid::SelectCell(int ACol, int ARow) {
  if (!FCommitting) CommitValue();
  return TCustomGrid::SelectCell(ACol, ARow);
}

void TPropertyGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomGrid::MouseDown(Button, Shift, X, Y);
  const TGridCoord cell = MouseCoord(X, Y);
  if (Button != mbLeft || cell.Y < 0 || cell.Y >= LineCount()) return;
  if (cell.X == 0 && SignRect(cell.Y).Contains(TPoint{X, Y})) {
    SetExpanded(cell.Y, !Line(cell.Y)->Expanded);
    return;
  }
  if (cell.X == 1) EditLine(cell.Y);
  PlaceValueEditor();
}

void TPropertyGrid::DblClick() {
  TCustomGrid::DblClick();
  if (Row() >= LineCount()) return;
  if (Col() == 0 || !Line(Row())->Editor)
    SetExpanded(Row(), !Line(Row())->Expanded);
  else
    RunDialog();
}

void TPropertyGrid::Resize() {
  TCustomGrid::Resize();
  const int width = ClientWidth();
  SetColWidths(0, std::max(40, width * 45 / 100));
  SetColWidths(1, std::max(40, width - ColWidths(0) - GridLineWidth()));
  PlaceValueEditor();
}

void TPropertyGrid::HideValueEditor() {
  FEditing = nullptr;
  FValueEdit->SetVisible(false);
  FValueList->SetVisible(false);
  FEllipsis->SetVisible(false);
}

void TPropertyGrid::PlaceValueEditor() {
  HideValueEditor();
  if (Row() >= LineCount() || !Line(Row())->Editor) return;
  TPropertyNode* node = Line(Row());
  TRect r = CellRect(1, Row());
  if (r.Right <= r.Left) return;
  FEditing = node;
  FShownValue = LineValue(Row());
  const TPropertyAttributes attrs = node->Editor->GetAttributes();
  if (attrs.Contains(paDialog)) {
    FEllipsis->SetBounds(r.Right - EllipsisWidth, r.Top, EllipsisWidth, r.Bottom - r.Top);
    FEllipsis->SetVisible(true);
    r.Right -= EllipsisWidth;
  }
  if (attrs.Contains(paValueList)) {
    std::vector<String> values;
    node->Editor->GetValues([&](const String& s) { values.push_back(s); });
    if (attrs.Contains(paSortList))
      std::sort(values.begin(), values.end(),
                [](const String& a, const String& b) { return CompareText(a, b) < 0; });
    FValueList->Items()->BeginUpdate();
    FValueList->Items()->Clear();
    for (const String& v : values) FValueList->Items()->Add(v);
    FValueList->Items()->EndUpdate();
    FValueList->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    const int current = FValueList->Items()->IndexOf(FShownValue);
    FCommitting = true;
    if (current >= 0)
      FValueList->SetItemIndex(current);
    else
      FValueList->SetText(FShownValue);
    FCommitting = false;
    FValueList->SetVisible(true);
  } else if (!attrs.Contains(paReadOnly)) {
    FValueEdit->SetBounds(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
    FValueEdit->SetText(FShownValue);
    FValueEdit->SetVisible(true);
  }
}

TWinControl* TPropertyGrid::ActiveValueControl() const {
  if (FValueList->Visible()) return FValueList;
  if (FValueEdit->Visible()) return FValueEdit;
  return nullptr;
}

String TPropertyGrid::ActiveValueText() const {
  return FValueList->Visible() ? FValueList->Text() : FValueEdit->Text();
}

void TPropertyGrid::SetActiveValueText(const String& Text) {
  if (FValueList->Visible())
    FValueList->SetText(Text);
  else
    FValueEdit->SetText(Text);
}

bool TPropertyGrid::CommitValue() {
  if (!FEditing || !ActiveValueControl() || FCommitting) return true;
  const String text = ActiveValueText();
  if (text == FShownValue) return true;
  FCommitting = true;
  try {
    FEditing->Editor->SetValue(text);
  } catch (const std::exception& e) {
    SetActiveValueText(FShownValue);
    Report(e);
    FCommitting = false;
    return false;
  }
  FCommitting = false;
  RefreshValues();
  return true;
}

void TPropertyGrid::RefreshValues() {
  Invalidate();
  if (!FEditing || FCommitting) return;
  FShownValue = ValueOf(*FEditing->Editor);
  if (ActiveValueControl()) SetActiveValueText(FShownValue);
}

void TPropertyGrid::RunDialog() {
  if (!FEditing || !CommitValue()) return;
  FCommitting = true;
  try {
    FEditing->Editor->Edit();
  } catch (const std::exception& e) {
    FCommitting = false;
    Report(e);
  }
  FCommitting = false;
  RefreshValues();
}

void TPropertyGrid::ValueKeyDown(Word& Key) {
  switch (Key) {
  case VK_RETURN:
    CommitValue();
    Key = 0;
    break;
  case VK_ESCAPE:
    SetActiveValueText(FShownValue);
    Key = 0;
    break;
  case VK_UP:
  case VK_DOWN:
    if (FValueList->Visible()) break;
    if (CommitValue()) EditLine(std::clamp(Row() + (Key == VK_UP ? -1 : 1), 0, LineCount() - 1));
    Key = 0;
    break;
  default:
    break;
  }
}

void TPropertyGrid::Report(const std::exception& E) { Application()->ShowException(E); }
