#include "framework/design/FormDesigner.h"

#include "framework/classes/FormFile.h"
#include "framework/classes/Registry.h"
#include "framework/controls/Application.h"
#include "framework/controls/Buttons.h"
#include "framework/controls/CommonDialogs.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Menus.h"
#include "framework/controls/PageControl.h"
#include "framework/controls/Panels.h"
#include "framework/controls/ScrollBox.h"
#include "framework/design/ObjectInspector.h"
#include "framework/design/Registry.h"
#include "framework/design/StringsEditor.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Strings.h"
#include "framework/win32/gdi/Resources.h"

#include <algorithm>

namespace {

constexpr int HandleSize = 6;
constexpr int GridStep = 8;
constexpr int MarkSize = 28;

void FreeForm(TForm* Form) {
  if (Form) Form->Free();
}
using TOwnedForm = std::unique_ptr<TForm, void (*)(TForm*)>;

// A form to design, hidden in the surface until it is read: a form file's client size makes
// the form's window, and it must be made as a child of the surface.
TOwnedForm NewDesignForm(TWinControl* Surface) {
  TOwnedForm form(new TForm(nullptr), FreeForm);
  form->SetDesigning(true);
  form->SetParent(Surface);
  return form;
}

// The palette picture of a class: its resource, or a framed square with its initials.
std::unique_ptr<TBitmap> PaletteGlyph(TClass ComponentClass) {
  auto bitmap = std::make_unique<TBitmap>();
  const String resource = UpperCase(ComponentClass->ClassName());
  if (FindResourceData(resource)) {
    bitmap->LoadFromResourceName(nullptr, resource);
    return bitmap;
  }
  bitmap->SetWidth(24);
  bitmap->SetHeight(24);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(TRect{0, 0, 24, 24});
  canvas->Pen()->SetColor(clGray);
  canvas->Rectangle(1, 1, 23, 23);
  const String name = ComponentClass->ClassName();
  const String initials = name.substr(name.size() > 1 && name[0] == 'T' ? 1 : 0, 2);
  canvas->Font()->SetSize(7);
  canvas->TextOut((24 - canvas->TextWidth(initials)) / 2, 6, initials);
  return bitmap;
}

// The designed form is visible only because it is being designed: its own Visible line, the
// root's before its first component, does not go into the file.
String WithoutDesignVisibility(String Text) {
  const size_t firstChild = Text.find("\n  object ");
  const size_t visible = Text.find("\n  Visible = True\n");
  if (visible != String::npos && visible < firstChild)
    Text.erase(visible + 1, String("  Visible = True\n").size());
  return Text;
}

TPoint PointOf(const TMessage& Message) {
  return TPoint{static_cast<short>(Message.LParamLo()), static_cast<short>(Message.LParamHi())};
}

TShiftState ShiftOf(const TMessage& Message) {
  TShiftState shift;
  if (Message.WParam & MK_SHIFT) shift.Include(ssShift);
  if (Message.WParam & MK_CONTROL) shift.Include(ssCtrl);
  return shift;
}

} // namespace

// A grab handle at a corner or edge of the selected control; dragging it sizes the control.
class TDesignHandle : public TCustomControl {
  LUM_CLASS(TDesignHandle, TCustomControl)
public:
  TDesignHandle(TFormDesigner* ADesigner, int AIndex, bool AActive)
      : TCustomControl(ADesigner), FDesigner(ADesigner), FIndex(AIndex), FActive(AActive) {
    FControlStyle.Include(csCaptureMouse);
  }
  int Index() const { return FIndex; }

protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(FActive ? clBlack : clGray);
    Canvas()->FillRect(ClientRect());
  }
  void MouseMove(TShiftState Shift, int X, int Y) override {
    if (FActive && Shift.Contains(ssLeft)) FDesigner->HandleDragged(FIndex, OnForm(X, Y), false);
  }
  void MouseUp(TMouseButton Button, TShiftState, int X, int Y) override {
    if (FActive && Button == mbLeft) FDesigner->HandleDragged(FIndex, OnForm(X, Y), true);
  }

private:
  TPoint OnForm(int X, int Y) {
    return FDesigner->DesignedForm()->ScreenToClient(ClientToScreen(TPoint{X, Y}));
  }
  TFormDesigner* FDesigner;
  int FIndex;
  bool FActive;
};

// A component that is no control, shown on the designed form as a small labelled square.
class TNonVisualMark : public TCustomControl {
  LUM_CLASS(TNonVisualMark, TCustomControl)
public:
  TNonVisualMark(TFormDesigner* ADesigner, TComponent* AComponent)
      : TCustomControl(ADesigner), FDesigner(ADesigner), FComponent(AComponent) {
    FWidth = FHeight = MarkSize;
  }
  TComponent* MarkedComponent() const { return FComponent; }

protected:
  void Paint() override {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetColor(clBtnFace);
    canvas->FillRect(ClientRect());
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Rectangle(0, 0, Width(), Height());
    const String initials = FComponent->ClassName().substr(1, 2);
    canvas->TextOut((Width() - canvas->TextWidth(initials)) / 2, 7, initials);
  }
  void MouseDown(TMouseButton Button, TShiftState Shift, int, int) override {
    FDesigner->Select(FComponent, Shift.Contains(ssShift));
    if (Button == mbLeft && Shift.Contains(ssDouble)) FDesigner->EditComponent(FComponent);
  }

private:
  TFormDesigner* FDesigner;
  TComponent* FComponent;
};

TFormDesigner::TFormDesigner(TComponent* AOwner)
    : TForm(AOwner), FDesignedOwner(nullptr, FreeForm) {
  SetText("LumTools designer");
  SetBounds(20, 20, 980, 640);
  BuildMenu();
  BuildPalette();
  FInspector = new TObjectInspector(this, this);
  FInspector->SetBorderStyle(bsNone);
  FInspector->SetAlign(alRight);
  FInspector->SetWidth(280);
  FInspector->SetParent(this);
  FInspector->SetVisible(true);
  FSurface = new TScrollBox(this);
  FSurface->SetName("Surface");
  FSurface->SetAlign(alClient);
  FSurface->SetColor(clAppWorkSpace);
  FSurface->SetParent(this);
  FVerbMenu = new TPopupMenu(this);
  FVerbMenu->SetName("VerbMenu");
  NewForm();
}

TFormDesigner::~TFormDesigner() {
  FSelection.clear();
  for (TDesignHandle* h : FHandles) h->Free();
  for (TNonVisualMark* m : FMarks) m->Free();
}

void TFormDesigner::BuildMenu() {
  FMenu = new TMainMenu(this);
  const auto add = [this](TMenuItem* Parent, const String& Caption, TShortCut Key,
                          TNotifyEvent OnClick) {
    auto* item = new TMenuItem(this);
    item->SetCaption(Caption);
    item->SetShortCut(Key);
    item->SetOnClick(std::move(OnClick));
    Parent->Add(item);
    return item;
  };
  TMenuItem* file = add(FMenu->Items(), "&File", 0, nullptr);
  add(file, "&New", ShortCut('N', {ssCtrl}), [this](TObject*) { NewForm(); });
  add(file, "&Open...", ShortCut('O', {ssCtrl}), [this](TObject*) {
    auto* dialog = new TOpenDialog(this);
    dialog->SetFilter("Form files (*.dfm)|*.dfm|All files (*.*)|*.*");
    if (dialog->Execute()) OpenFile(dialog->FileName());
    dialog->Free();
  });
  add(file, "&Save", ShortCut('S', {ssCtrl}), [this](TObject*) {
    if (!FFileName.empty()) SaveFile(FFileName);
  });
  add(file, "Save &As...", 0, [this](TObject*) {
    auto* dialog = new TSaveDialog(this);
    dialog->SetFilter("Form files (*.dfm)|*.dfm");
    dialog->SetDefaultExt("dfm");
    if (dialog->Execute()) SaveFile(dialog->FileName());
    dialog->Free();
  });
  add(file, "-", 0, nullptr);
  add(file, "E&xit", ShortCut('Q', {ssCtrl}), [this](TObject*) { Close(); });
  TMenuItem* edit = add(FMenu->Items(), "&Edit", 0, nullptr);
  add(edit, "&Undo", ShortCut('Z', {ssCtrl}), [this](TObject*) { Undo(); });
  add(edit, "Cu&t", ShortCut('X', {ssCtrl}), [this](TObject*) { CutSelection(); });
  add(edit, "&Copy", ShortCut('C', {ssCtrl}), [this](TObject*) { CopySelection(); });
  add(edit, "&Paste", ShortCut('V', {ssCtrl}), [this](TObject*) { Paste(); });
  add(edit, "&Delete", 0, [this](TObject*) { DeleteSelection(); });
  add(edit, "Select &All", ShortCut('A', {ssCtrl}), [this](TObject*) { SelectAll(); });
  TMenuItem* view = add(FMenu->Items(), "&View", 0, nullptr);
  add(view, "View as &Text", 0, [this](TObject*) { ViewAsText(); });
  SetMenu(FMenu);
}

void TFormDesigner::BuildPalette() {
  FPalette = new TPageControl(this);
  FPalette->SetName("Palette");
  FPalette->SetAlign(alTop);
  FPalette->SetHeight(66);
  FPalette->SetParent(this);
  for (const String& page : PalettePages()) {
    auto* sheet = new TTabSheet(this);
    sheet->SetCaption(page);
    sheet->SetPageControl(FPalette);
    int left = 4;
    for (TClass c : PaletteClasses(page)) {
      auto* button = new TSpeedButton(this);
      button->SetName("Palette" + c->ClassName());
      button->SetBounds(left, 4, 30, 30);
      button->SetGroupIndex(1);
      button->SetAllowAllUp(true);
      button->SetFlat(true);
      button->SetHint(c->ClassName());
      button->SetShowHint(true);
      FGlyphs.push_back(PaletteGlyph(c));
      button->SetGlyph(FGlyphs.back().get());
      button->SetOnClick([this, c, button](TObject*) { SetPlacing(button->Down() ? c : nullptr); });
      button->SetParent(sheet);
      FPaletteButtons.emplace_back(c, button);
      left += 32;
    }
  }
  FPalette->SetActivePageIndex(0);
}

TSpeedButton* TFormDesigner::PaletteButton(TClass ComponentClass) const {
  for (const auto& [c, button] : FPaletteButtons)
    if (c == ComponentClass) return button;
  return nullptr;
}

void TFormDesigner::SetPlacing(TClass ComponentClass) {
  FPlacing = ComponentClass;
  for (const auto& [c, button] : FPaletteButtons)
    if (button->Down() != (c == ComponentClass)) button->SetDown(c == ComponentClass);
}

// Files and text

void TFormDesigner::NewForm() {
  TOwnedForm form = NewDesignForm(FSurface);
  form->SetName("Form1");
  form->SetText("Form1");
  form->SetBounds(8, 8, 480, 360);
  ReplaceDesigned(std::move(form));
  FFileName.clear();
  FUndoText.clear();
  FModified = false;
}

bool TFormDesigner::LoadText(const String& Text) {
  TOwnedForm form = NewDesignForm(FSurface);
  try {
    ReadFormText(Text, form.get());
  } catch (const std::exception& e) {
    Report(e);
    return false;
  }
  ReplaceDesigned(std::move(form));
  return true;
}

bool TFormDesigner::OpenFile(const String& FileName) {
  TOwnedForm form = NewDesignForm(FSurface);
  try {
    ReadFormFile(FileName, form.get());
  } catch (const std::exception& e) {
    Report(e);
    return false;
  }
  ReplaceDesigned(std::move(form));
  FFileName = FileName;
  FUndoText.clear();
  FModified = false;
  return true;
}

bool TFormDesigner::SaveFile(const String& FileName) {
  try {
    const String text = FormText();
    ReplaceFileContents(FileName,
                        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  } catch (const std::exception& e) {
    Report(e);
    return false;
  }
  FFileName = FileName;
  FModified = false;
  return true;
}

String TFormDesigner::FormText() { return WithoutDesignVisibility(WriteFormText(FDesigned)); }

void TFormDesigner::ViewAsText() {
  TStringList lines;
  lines.SetText(FormText());
  if (!EditStrings(&lines, FDesigned->Name() + " as text")) return;
  const String before = FormText();
  if (lines.Text() == before) return;
  if (!LoadText(lines.Text())) return;
  FUndoText = before;
  FModified = true;
}

void TFormDesigner::ReplaceDesigned(TOwnedForm Form) {
  Select(nullptr);
  for (TNonVisualMark* m : FMarks) m->Free();
  FMarks.clear();
  FHooked.clear();
  // Hidden first, the old form's windows go without repainting what is under each.
  if (FDesigned) FDesigned->SetVisible(false);
  FDesignedOwner = std::move(Form);
  FDesigned = FDesignedOwner.get();
  FDesigned->SetParent(FSurface);
  FDesigned->SetVisible(true);
  HookNew();
  Select(FDesigned);
  FCommittedText = FormText();
}

// Input of the designed form

void TFormDesigner::HookNew() {
  Hook(FDesigned);
  for (int i = 0; i < FDesigned->ComponentCount(); ++i) {
    TComponent* c = FDesigned->Components(i);
    if (auto* control = dynamic_cast<TControl*>(c)) {
      Hook(control);
    } else if (std::none_of(FMarks.begin(), FMarks.end(),
                            [&](TNonVisualMark* m) { return m->MarkedComponent() == c; })) {
      auto* mark = new TNonVisualMark(this, c);
      mark->SetParent(FDesigned);
      FMarks.push_back(mark);
    }
  }
  LayOutNonVisual();
}

void TFormDesigner::LayOutNonVisual() {
  int left = 4;
  for (TNonVisualMark* m : FMarks) {
    m->SetBounds(left, FDesigned->ClientHeight() - MarkSize - 4, MarkSize, MarkSize);
    m->BringToFront();
    left += MarkSize + 4;
  }
}

void TFormDesigner::Hook(TControl* Control) {
  if (!FHooked.insert(Control).second) return;
  TWndMethod original = Control->WindowProc;
  Control->WindowProc = [this, Control, original](TMessage& Message) {
    if (!DesignMessage(Control, Message)) original(Message);
  };
}

bool TFormDesigner::DesignMessage(TControl* Control, TMessage& Message) {
  switch (Message.Msg) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
  case WM_LBUTTONUP:
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_MOUSEMOVE: {
    const TPoint at = FDesigned->ScreenToClient(Control->ClientToScreen(PointOf(Message)));
    try {
      MouseAt(Message.Msg, at, ShiftOf(Message));
    } catch (const std::exception& e) {
      Report(e);
    }
    return true;
  }
  case WM_KEYDOWN: {
    TShiftState shift;
    if (GetKeyState(VK_SHIFT) < 0) shift.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) shift.Include(ssCtrl);
    DesignKey(static_cast<Word>(Message.WParam), shift);
    return true;
  }
  case WM_CHAR:
  case WM_CONTEXTMENU:
  case WM_RBUTTONDBLCLK:
    return true;
  default:
    return false;
  }
}

TRect TFormDesigner::BoundsOnForm(TControl* Control) {
  const TPoint topLeft = FDesigned->ScreenToClient(
      Control->Parent()->ClientToScreen(TPoint{Control->Left(), Control->Top()}));
  return TRect{topLeft.X, topLeft.Y, topLeft.X + Control->Width(), topLeft.Y + Control->Height()};
}

TComponent* TFormDesigner::ComponentAt(TPoint At) {
  TControl* found = FDesigned;
  for (TWinControl* container = FDesigned; container;) {
    TWinControl* next = nullptr;
    for (int i = container->ControlCount() - 1; i >= 0; --i) {
      TControl* c = container->Controls(i);
      if (c->Owner() != FDesigned || !c->Visible() || !BoundsOnForm(c).Contains(At)) continue;
      found = c;
      next = dynamic_cast<TWinControl*>(c);
      break;
    }
    container = next;
  }
  return found;
}

TWinControl* TFormDesigner::ContainerAt(TPoint At) {
  for (TComponent* c = ComponentAt(At); c; c = static_cast<TControl*>(c)->Parent()) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (w && (w == FDesigned || w->ControlStyle().Contains(csAcceptsControls))) return w;
    if (c == FDesigned) break;
  }
  return FDesigned;
}

void TFormDesigner::MouseAt(UINT Msg, TPoint At, TShiftState Shift) {
  if (Msg == WM_LBUTTONDOWN && FPlacing) {
    PlaceComponent(FPlacing, At);
    return;
  }
  TComponent* hit = ComponentAt(At);
  switch (Msg) {
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN: {
    const bool selected = std::find(FSelection.begin(), FSelection.end(), hit) != FSelection.end();
    if (Shift.Contains(ssShift) && Msg == WM_LBUTTONDOWN)
      Select(hit, true);
    else if (!selected)
      Select(hit);
    if (FDesigned->HandleAllocated()) ::SetFocus(FDesigned->Handle());
    if (Msg == WM_RBUTTONDOWN) return ShowVerbs(hit, FDesigned->ClientToScreen(At));
    FDragging = hit != FDesigned;
    FDragMoved = false;
    FDragFrom = At;
    FDragStart.clear();
    for (TComponent* c : FSelection)
      if (auto* control = dynamic_cast<TControl*>(c); control && control != FDesigned)
        FDragStart.emplace_back(control, control->BoundsRect());
    if (FDragging) ::SetCapture(FDesigned->Handle());
    return;
  }
  case WM_MOUSEMOVE: {
    if (!FDragging) return;
    const int dx = At.X - FDragFrom.X, dy = At.Y - FDragFrom.Y;
    if (!FDragMoved && std::abs(dx) < 2 && std::abs(dy) < 2) return;
    FDragMoved = true;
    for (const auto& [control, r] : FDragStart)
      control->SetBounds(r.Left + dx, r.Top + dy, r.Width(), r.Height());
    UpdateHandles();
    return;
  }
  case WM_LBUTTONUP:
    if (!FDragging) return;
    FDragging = false;
    ::ReleaseCapture();
    if (FDragMoved) Modified();
    return;
  case WM_LBUTTONDBLCLK:
    EditComponent(hit);
    return;
  default:
    return;
  }
}

void TFormDesigner::DesignKey(Word Key, TShiftState Shift) {
  const int step = Shift.Contains(ssCtrl) ? GridStep : 1;
  switch (Key) {
  case VK_LEFT:
  case VK_RIGHT:
  case VK_UP:
  case VK_DOWN: {
    const int dx = Key == VK_LEFT ? -step : Key == VK_RIGHT ? step : 0;
    const int dy = Key == VK_UP ? -step : Key == VK_DOWN ? step : 0;
    if (Shift.Contains(ssShift))
      SizeSelection(dx, dy);
    else
      MoveSelection(dx, dy);
    return;
  }
  case VK_DELETE:
    DeleteSelection();
    return;
  case VK_ESCAPE:
    if (FSelection.size() == 1 && FSelection.front() != FDesigned)
      if (auto* c = dynamic_cast<TControl*>(FSelection.front())) Select(c->Parent());
    return;
  default:
    break;
  }
  if (!Shift.Contains(ssCtrl)) return;
  switch (Key) {
  case 'C':
    CopySelection();
    break;
  case 'X':
    CutSelection();
    break;
  case 'V':
    Paste();
    break;
  case 'Z':
    Undo();
    break;
  case 'A':
    SelectAll();
    break;
  default:
    break;
  }
}

// Selection

void TFormDesigner::Select(TComponent* Component, bool Add) {
  if (!Add) FSelection.clear();
  if (Component) {
    const auto at = std::find(FSelection.begin(), FSelection.end(), Component);
    if (at != FSelection.end() && Add)
      FSelection.erase(at);
    else if (at == FSelection.end())
      FSelection.push_back(Component);
  }
  if (Add && FSelection.size() > 1) std::erase(FSelection, static_cast<TComponent*>(FDesigned));
  SelectionChanged();
}

void TFormDesigner::SelectAll() {
  FSelection.clear();
  for (int i = 0; i < FDesigned->ComponentCount(); ++i)
    FSelection.push_back(FDesigned->Components(i));
  if (FSelection.empty()) FSelection.push_back(FDesigned);
  SelectionChanged();
}

void TFormDesigner::SelectComponent(TPersistent* Instance) {
  Select(dynamic_cast<TComponent*>(Instance));
}

void TFormDesigner::SelectionChanged() {
  UpdateHandles();
  std::vector<TPersistent*> selection(FSelection.begin(), FSelection.end());
  if (FInspector) FInspector->SetSelection(selection);
}

void TFormDesigner::UpdateHandles() {
  for (TDesignHandle* h : FHandles) h->Free();
  FHandles.clear();
  const bool single = FSelection.size() == 1;
  for (TComponent* c : FSelection) {
    auto* control = dynamic_cast<TControl*>(c);
    if (!control || control == FDesigned) continue;
    const TRect r = BoundsOnForm(control);
    const int xs[3] = {r.Left - HandleSize / 2, (r.Left + r.Right - HandleSize) / 2,
                       r.Right - HandleSize / 2};
    const int ys[3] = {r.Top - HandleSize / 2, (r.Top + r.Bottom - HandleSize) / 2,
                       r.Bottom - HandleSize / 2};
    for (int i = 0; i < 9; ++i) {
      if (i == 4 || (!single && (i % 2 == 1))) continue;
      auto* h = new TDesignHandle(this, i, single);
      h->SetBounds(xs[i % 3], ys[i / 3], HandleSize, HandleSize);
      h->SetParent(FDesigned);
      h->BringToFront();
      FHandles.push_back(h);
    }
  }
}

void TFormDesigner::HandleDragged(int Handle, TPoint At, bool Done) {
  if (FSelection.size() != 1) return;
  auto* control = dynamic_cast<TControl*>(FSelection.front());
  if (!control || control == FDesigned) return;
  const TRect onForm = BoundsOnForm(control);
  TRect r = control->BoundsRect();
  const int dx = At.X - (Handle % 3 == 0 ? onForm.Left : onForm.Right);
  const int dy = At.Y - (Handle / 3 == 0 ? onForm.Top : onForm.Bottom);
  if (Handle % 3 == 0) r.Left = std::min(r.Left + dx, r.Right - 1);
  if (Handle % 3 == 2) r.Right = std::max(r.Right + dx, r.Left + 1);
  if (Handle / 3 == 0) r.Top = std::min(r.Top + dy, r.Bottom - 1);
  if (Handle / 3 == 2) r.Bottom = std::max(r.Bottom + dy, r.Top + 1);
  control->SetBoundsRect(r);
  if (!Done) return;
  UpdateHandles();
  Modified();
}

// Changes

TComponent* TFormDesigner::PlaceComponent(TClass ComponentClass, TPoint At) {
  TWinControl* parent = ContainerAt(At);
  TComponent* c = FindClass(ComponentClass->ClassName())->Create(FDesigned);
  try {
    c->SetName(UniqueName(ComponentClass->ClassName()));
    for (const char* text : {"Caption", "Text"})
      if (const TPropInfo* p = GetPropInfo(c, text, TTypeKinds{tkString, tkLString});
          p && p->SetStr && GetStrProp(c, p).empty())
        SetStrProp(c, p, c->Name());
    if (auto* control = dynamic_cast<TControl*>(c)) {
      const TPoint local = parent->ScreenToClient(FDesigned->ClientToScreen(At));
      control->SetLeft(local.X);
      control->SetTop(local.Y);
      control->SetParent(parent);
    }
  } catch (...) {
    c->Free();
    throw;
  }
  SetPlacing(nullptr);
  HookNew();
  Select(c);
  Modified();
  return c;
}

void TFormDesigner::MoveSelection(int DX, int DY) {
  bool any = false;
  for (TComponent* c : FSelection)
    if (auto* control = dynamic_cast<TControl*>(c); control && control != FDesigned) {
      any = true;
      control->SetBounds(control->Left() + DX, control->Top() + DY, control->Width(),
                         control->Height());
    }
  if (!any) return;
  UpdateHandles();
  Modified();
}

void TFormDesigner::SizeSelection(int DX, int DY) {
  bool any = false;
  for (TComponent* c : FSelection)
    if (auto* control = dynamic_cast<TControl*>(c); control && control != FDesigned) {
      any = true;
      control->SetBounds(control->Left(), control->Top(), std::max(1, control->Width() + DX),
                         std::max(1, control->Height() + DY));
    }
  if (!any) return;
  UpdateHandles();
  Modified();
}

void TFormDesigner::DeleteSelection() {
  std::vector<TComponent*> doomed;
  for (TComponent* c : FSelection)
    if (c != FDesigned) doomed.push_back(c);
  if (doomed.empty()) return;
  Select(nullptr);
  for (TComponent* c : doomed) {
    // A selected control inside another selected one went with it.
    bool gone = true;
    for (int i = 0; i < FDesigned->ComponentCount(); ++i)
      if (FDesigned->Components(i) == c) gone = false;
    if (gone) continue;
    std::erase_if(FMarks, [&](TNonVisualMark* m) {
      if (m->MarkedComponent() != c) return false;
      m->Free();
      return true;
    });
    if (auto* w = dynamic_cast<TWinControl*>(c))
      for (TControl* h : std::vector<TControl*>(FHooked.begin(), FHooked.end()))
        if (w->ContainsControl(h)) FHooked.erase(h);
    FHooked.erase(dynamic_cast<TControl*>(c));
    c->Free();
  }
  LayOutNonVisual();
  Select(FDesigned);
  Modified();
}

String& TFormDesigner::Clipboard() {
  static String text;
  return text;
}

String TFormDesigner::CopySelection() {
  std::vector<TComponent*> chosen;
  for (TComponent* c : FSelection)
    if (c != FDesigned) chosen.push_back(c);
  if (chosen.empty()) return "";
  // The form read again, less everything not chosen (or inside something chosen).
  TOwnedForm scratch(new TForm(nullptr), FreeForm);
  ReadFormText(FormText(), scratch.get());
  const auto isChosen = [&](TComponent* c) {
    return std::any_of(chosen.begin(), chosen.end(),
                       [&](TComponent* k) { return SameText(k->Name(), c->Name()); });
  };
  for (int i = scratch->ComponentCount() - 1; i >= 0; --i) {
    TComponent* c = scratch->Components(i);
    if (!isChosen(c)) continue;
    auto* control = dynamic_cast<TControl*>(c);
    if (!control) continue;
    const TPoint at = scratch->ScreenToClient(control->ClientToScreen(TPoint{0, 0}));
    bool insideChosen = false;
    for (TControl* p = control->Parent(); p && p != scratch.get(); p = p->Parent())
      insideChosen = insideChosen || isChosen(p);
    if (!insideChosen) {
      control->SetParent(scratch.get());
      control->SetLeft(at.X);
      control->SetTop(at.Y);
    }
  }
  for (int i = scratch->ComponentCount() - 1; i >= 0; --i) {
    TComponent* c = scratch->Components(i);
    bool keep = isChosen(c);
    if (auto* control = dynamic_cast<TControl*>(c))
      for (TControl* p = control->Parent(); p && p != scratch.get(); p = p->Parent())
        keep = keep || isChosen(p);
    if (!keep) c->Free();
  }
  Clipboard() = WriteFormText(scratch.get());
  return Clipboard();
}

void TFormDesigner::CutSelection() {
  CopySelection();
  DeleteSelection();
}

void TFormDesigner::Paste() {
  if (Clipboard().empty()) return;
  TOwnedForm scratch(new TForm(nullptr), FreeForm);
  try {
    ReadFormText(Clipboard(), scratch.get());
  } catch (const std::exception& e) {
    return Report(e);
  }
  std::vector<TComponent*> moved;
  while (scratch->ComponentCount() > 0) {
    TComponent* c = scratch->Components(0);
    scratch->RemoveComponent(c);
    if (FDesigned->FindComponent(c->Name())) c->SetName(UniqueName(c->ClassName()));
    FDesigned->InsertComponent(c);
    c->SetDesigning(true);
    moved.push_back(c);
  }
  std::vector<TComponent*> topLevel;
  for (TComponent* c : moved) {
    auto* control = dynamic_cast<TControl*>(c);
    if (control && control->Parent() == scratch.get()) control->SetParent(FDesigned);
    if (!control || control->Parent() == FDesigned) topLevel.push_back(c);
  }
  HookNew();
  FSelection = topLevel;
  SelectionChanged();
  Modified();
}

void TFormDesigner::Undo() {
  if (FUndoText.empty()) return;
  const String text = FUndoText;
  FUndoText.clear();
  if (LoadText(text)) FModified = true;
}

// Component editors

void TFormDesigner::ExecuteVerb(TComponent* Component, int Index) {
  try {
    GetComponentEditor(Component, this)->ExecuteVerb(Index);
  } catch (const std::exception& e) {
    Report(e);
  }
  Modified();
  HookNew();
  SelectionChanged();
}

void TFormDesigner::EditComponent(TComponent* Component) {
  try {
    GetComponentEditor(Component, this)->Edit();
  } catch (const std::exception& e) {
    Report(e);
  }
  Modified();
  HookNew();
}

void TFormDesigner::ShowVerbs(TComponent* Component, TPoint Screen) {
  FVerbMenu->Items()->Clear();
  auto editor = GetComponentEditor(Component, this);
  for (int i = 0; i < editor->GetVerbCount(); ++i) {
    auto* item = new TMenuItem(this);
    item->SetCaption(editor->GetVerb(i));
    item->SetOnClick([this, Component, i](TObject*) { ExecuteVerb(Component, i); });
    FVerbMenu->Items()->Add(item);
  }
  if (editor->GetVerbCount() > 0) {
    auto* line = new TMenuItem(this);
    line->SetCaption("-");
    FVerbMenu->Items()->Add(line);
  }
  auto* text = new TMenuItem(this);
  text->SetCaption("View as Text");
  text->SetOnClick([this](TObject*) { ViewAsText(); });
  FVerbMenu->Items()->Add(text);
  FVerbMenu->Popup(Screen.X, Screen.Y);
}

// IDesigner

TComponent* TFormDesigner::GetRoot() { return FDesigned; }

void TFormDesigner::Modified() {
  const String now = FormText();
  if (now != FCommittedText) {
    FUndoText = FCommittedText;
    FCommittedText = now;
    FModified = true;
  }
  UpdateHandles();
  if (FInspector) FInspector->Modified();
  if (FDesigned) FDesigned->Invalidate();
}

void TFormDesigner::ShowMethod(const String& Name) {
  if (FInspector) FInspector->ShowEvent(Name);
}

void TFormDesigner::Report(const std::exception& E) { Application()->ShowException(E); }
