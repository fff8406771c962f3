#include "framework/controls/Control.h"

#include "framework/classes/Filer.h"
#include "framework/controls/Menus.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/GraphicsObject.h"

#include <array>
#include <cstdlib>

namespace {

constexpr std::array<TIdentMapEntry, 23> CursorNames{{
    {crDefault, "crDefault"},     {crNone, "crNone"},           {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},     {crNo, "crNo"},
    {crAppStart, "crAppStart"},   {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},     {crSize, "crSize"},
}};

TControl* CapturedControl = nullptr;

// A drag in progress: pending until the mouse moves past the threshold, then active.
struct TDragProgress {
  TControl* Control = nullptr;
  TDragObject* Object = nullptr;
  std::unique_ptr<TDragObject> OwnObject;
  TControl* Target = nullptr;
  bool Accepted = false;
  bool Active = false;
  TPoint Start;
  int Threshold = 5;
  HWND CaptureWindow = nullptr;
};
TDragProgress Drag;

constexpr int DefaultDragThreshold = 5;

LRESULT SendDragMessage(TControl* Target, TDragMessage Kind, TPoint Pos) {
  if (!Target) return 0;
  TDragRec rec{Pos, Drag.Object, Target};
  return Target->Perform(CM_DRAG, Kind, reinterpret_cast<LPARAM>(&rec));
}

void DragTo(TPoint Pos);
void FinishDrag(bool Drop);

LRESULT DragCaptureProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
  case WM_MOUSEMOVE:
  case WM_LBUTTONUP:
  case WM_RBUTTONUP: {
    POINT p{static_cast<SHORT>(LParam & 0xFFFF), static_cast<SHORT>((LParam >> 16) & 0xFFFF)};
    ::ClientToScreen(Window, &p);
    if (Msg == WM_MOUSEMOVE)
      DragTo(p);
    else {
      DragTo(p);
      FinishDrag(true);
    }
    return 0;
  }
  case WM_KEYDOWN:
    if (WParam == VK_ESCAPE) FinishDrag(false);
    return 0;
  case WM_CAPTURECHANGED:
    if (reinterpret_cast<HWND>(LParam) != Window && Drag.Control) FinishDrag(false);
    return 0;
  default:
    return DefWindowProcA(Window, Msg, WParam, LParam);
  }
}

void ActivateDrag() {
  Drag.Active = true;
  TDragObject* object = nullptr;
  Drag.Control->DoStartDrag(object);
  if (!object) {
    Drag.OwnObject = std::make_unique<TDragControlObject>(Drag.Control);
    object = Drag.OwnObject.get();
  }
  Drag.Object = object;
}

void DragTo(TPoint Pos) {
  if (!Drag.Control) return;
  if (!Drag.Active) {
    if (std::abs(Pos.X - Drag.Start.X) < Drag.Threshold &&
        std::abs(Pos.Y - Drag.Start.Y) < Drag.Threshold)
      return;
    ActivateDrag();
  }
  TControl* target = FindDragTarget(Pos, false);
  if (target != Drag.Target) {
    SendDragMessage(Drag.Target, dmDragLeave, Pos);
    Drag.Target = target;
    Drag.Accepted = SendDragMessage(target, dmDragEnter, Pos) != 0;
  }
  Drag.Accepted = SendDragMessage(target, dmDragMove, Pos) != 0;
  const TPoint local = target ? target->ScreenToClient(Pos) : Pos;
  if (ControlHooks().DragCursor)
    ControlHooks().DragCursor(Drag.Object->GetDragCursor(Drag.Accepted, local.X, local.Y));
}

void FinishDrag(bool Drop) {
  if (!Drag.Control) return;
  TDragProgress state = std::move(Drag);
  Drag = TDragProgress{};
  POINT pos{};
  GetCursorPos(&pos);
  if (state.CaptureWindow) {
    if (GetCapture() == state.CaptureWindow) ReleaseCapture();
    DeallocateHWnd(state.CaptureWindow);
  }
  if (!state.Active) return;
  TControl* target = state.Target;
  const bool dropped = Drop && target && state.Accepted;
  if (target && !dropped) {
    TDragRec rec{pos, state.Object, target};
    target->Perform(CM_DRAG, dmDragLeave, reinterpret_cast<LPARAM>(&rec));
  }
  TPoint local = target ? target->ScreenToClient(pos) : TPoint{};
  if (dropped) {
    TDragRec rec{pos, state.Object, target};
    target->Perform(CM_DRAG, dmDragDrop, reinterpret_cast<LPARAM>(&rec));
  }
  if (!dropped) local = TPoint{};
  if (ControlHooks().DragCursor) ControlHooks().DragCursor(crDefault);
  state.Control->DoEndDrag(dropped ? target : nullptr, local.X, local.Y);
}

} // namespace

TIdentMap CursorIdents() { return CursorNames; }

TShiftState ShiftStateOfKeys(WPARAM Keys) {
  TShiftState s;
  if (Keys & MK_SHIFT) s.Include(ssShift);
  if (Keys & MK_CONTROL) s.Include(ssCtrl);
  if (Keys & MK_LBUTTON) s.Include(ssLeft);
  if (Keys & MK_RBUTTON) s.Include(ssRight);
  if (Keys & MK_MBUTTON) s.Include(ssMiddle);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyboardShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (GetKeyState(VK_MENU) < 0) s.Include(ssAlt);
  return s;
}

TShiftState KeyDataToShiftState(LPARAM KeyData) {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0) s.Include(ssCtrl);
  if (KeyData & AltMask) s.Include(ssAlt);
  return s;
}

TCursor TDragObject::GetDragCursor(bool Accepted, int, int) { return Accepted ? crDrag : crNoDrop; }

TCursor TDragControlObject::GetDragCursor(bool Accepted, int, int) {
  return Accepted ? FControl->DragCursor() : crNoDrop;
}

TControlHooks& ControlHooks() {
  static TControlHooks hooks;
  return hooks;
}

bool NewStyleControls = true;

void TSizeConstraints::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TSizeConstraints*>(Source);
  if (!source) return TPersistent::Assign(Source);
  FMaxHeight = source->FMaxHeight, FMaxWidth = source->FMaxWidth;
  FMinHeight = source->FMinHeight, FMinWidth = source->FMinWidth;
  if (FOnChange) FOnChange(this);
}

int TSizeConstraints::Constrain(int Size, int Min, int Max) {
  if (Max > 0 && Size > Max) Size = Max;
  if (Min > 0 && Size < Min) Size = Min;
  return Size;
}

void TSizeConstraints::SetLimit(TConstraintSize& Limit, TConstraintSize& Other,
                                TConstraintSize Value, bool IsMax) {
  if (Value < 0) throw ERangeError(RtlMessages::RangeError);
  if (Limit == Value) return;
  Limit = Value;
  if (Value > 0 && Other > 0 && (IsMax ? Other > Value : Other < Value)) Other = Value;
  if (FOnChange) FOnChange(this);
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FControlStyle{csCaptureMouse, csClickEvents, csSetCaption,
                                        csDoubleClicks},
      FFont(std::make_unique<TFont>()), FConstraints(std::make_unique<TSizeConstraints>()) {
  WindowProc = [this](TMessage& M) { WndProc(M); };
  FFont->SetOnChange([this](TObject* Sender) { FontChanged(Sender); });
  FConstraints->SetOnChange([this](TObject* Sender) { ConstraintsChanged(Sender); });
}

TControl::~TControl() {
  if (Drag.Control == this) CancelDrag();
  if (CapturedControl == this) SetCaptureControl(nullptr);
  if (ControlHooks().Destroyed) ControlHooks().Destroyed(this);
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
  UpdateAnchorRules();
}

TComponent* TControl::GetParentComponent() const { return FParent; }

void TControl::SetParentComponent(TComponent* Value) {
  if (auto* parent = dynamic_cast<TWinControl*>(Value)) SetParent(parent);
}

void TControl::ReadState(TReader* Reader) {
  FControlState.Include(csReadingState);
  inherited::ReadState(Reader);
  FControlState.Exclude(csReadingState);
  if (FParent) {
    Perform(CM_PARENTCOLORCHANGED);
    Perform(CM_PARENTFONTCHANGED);
    Perform(CM_PARENTSHOWHINTCHANGED);
    Perform(CM_PARENTBIDIMODECHANGED);
  }
}

void TControl::Loaded() {
  inherited::Loaded();
  UpdateAnchorRules();
  RequestAlign();
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = FConstraints->ConstrainWidth(AWidth);
  AHeight = FConstraints->ConstrainHeight(AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  const TRect old = BoundsRect();
  FLeft = ALeft, FTop = ATop, FWidth = AWidth, FHeight = AHeight;
  BoundsChanged(old);
  Perform(WM_WINDOWPOSCHANGED);
  UpdateAnchorRules();
  RequestAlign();
  if (!ComponentState().Contains(csLoading)) Resize();
}

void TControl::SetAnchors(TAnchors Value) {
  if (FAnchors == Value) return;
  FAnchors = Value;
  UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
  if (FAnchorMove || ComponentState().Contains(csLoading)) return;
  FAnchorRules.Valid = FParent != nullptr;
  if (!FParent) return;
  FAnchorRules.Bounds = BoundsRect();
  FAnchorRules.ParentWidth = FParent->Width();
  FAnchorRules.ParentHeight = FParent->Height();
}

namespace {

// One axis of an anchored control: its new start and size when the parent grew by Delta.
void AnchorAxis(bool Near, bool Far, int Delta, int& Start, int& Size) {
  if (Near && Far)
    Size = std::max(0, Size + Delta);
  else if (Far)
    Start += Delta;
  else if (!Near)
    Start += Delta / 2;
}

} // namespace

void TControl::AnchorTo(int ParentWidth, int ParentHeight) {
  if (!FAnchorRules.Valid || FAnchors == DefaultAnchors) return;
  const TRect& r = FAnchorRules.Bounds;
  int left = r.Left, top = r.Top, width = r.Width(), height = r.Height();
  AnchorAxis(FAnchors.Contains(akLeft), FAnchors.Contains(akRight),
             ParentWidth - FAnchorRules.ParentWidth, left, width);
  AnchorAxis(FAnchors.Contains(akTop), FAnchors.Contains(akBottom),
             ParentHeight - FAnchorRules.ParentHeight, top, height);
  FAnchorMove = true;
  try {
    SetBounds(left, top, width, height);
  } catch (...) {
    FAnchorMove = false;
    throw;
  }
  FAnchorMove = false;
}

void TControl::ConstraintsChanged(TObject*) { SetBounds(FLeft, FTop, FWidth, FHeight); }

void TControl::SetBiDiMode(TBiDiMode Value) {
  FParentBiDiMode = false;
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  Perform(CM_BIDIMODECHANGED);
}

void TControl::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  if (FParent && Value) Perform(CM_PARENTBIDIMODECHANGED);
}

void TControl::CMParentBiDiModeChanged(TMessage&) {
  if (!FParentBiDiMode || !FParent) return;
  SetBiDiMode(FParent->BiDiMode());
  FParentBiDiMode = true;
}

void TControl::BoundsChanged(const TRect& OldBounds) {
  if (!FParent || !FParent->HandleAllocated() || !FVisible) return;
  FParent->InvalidateRect(&OldBounds);
  Invalidate();
}

TRect TControl::ClientRect() { return Rect(0, 0, FWidth, FHeight); }

// The client size first: asking for it may create the window, which may resize the control.
void TControl::SetClientWidth(int Value) {
  const int client = ClientWidth();
  SetWidth(FWidth - client + Value);
}

void TControl::SetClientHeight(int Value) {
  const int client = ClientHeight();
  SetHeight(FHeight - client + Value);
}

TPoint TControl::ClientOrigin() {
  if (!FParent) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  const TPoint p = FParent->ClientOrigin();
  return TPoint{p.X + FLeft, p.Y + FTop};
}

TPoint TControl::ClientToScreen(TPoint Point) {
  const TPoint o = ClientOrigin();
  return TPoint{Point.X + o.X, Point.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint Point) {
  const TPoint o = ClientOrigin();
  return TPoint{Point.X - o.X, Point.Y - o.Y};
}

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  VisibleChanging();
  FVisible = Value;
  Perform(CM_VISIBLECHANGED, Value);
  RequestAlign();
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  FAlign = Value;
  RequestAlign();
}

void TControl::RequestAlign() {
  if (FParent && !ComponentState().Contains(csLoading) && !ComponentState().Contains(csReading))
    FParent->Realign();
}

void TControl::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetHint(const String& Value) {
  if (FHint == Value) return;
  FHint = Value;
  if (ControlHooks().HintChanged) ControlHooks().HintChanged(this);
}

void TControl::SetShowHint(bool Value) {
  if (FShowHint == Value && !FParentShowHint) return;
  FShowHint = Value;
  FParentShowHint = false;
  Perform(CM_SHOWHINTCHANGED);
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (FParent && Value) Perform(CM_PARENTSHOWHINTCHANGED);
}

void TControl::SetColor(TColor Value) {
  if (FColor == Value) {
    FParentColor = false;
    return;
  }
  FColor = Value;
  FParentColor = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (FParent && Value) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (FParent && Value) Perform(CM_PARENTFONTCHANGED);
}

void TControl::FontChanged(TObject*) {
  FParentFont = false;
  Perform(CM_FONTCHANGED);
}

void TControl::SetPopupMenu(TComponent* Value) {
  if (FPopupMenu == Value) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
}

String TControl::GetText() const { return GetTextBuf(); }

void TControl::SetText(const String& Value) {
  if (GetText() == Value) return;
  SetTextBuf(Value);
  Perform(CM_TEXTCHANGED);
}

void TControl::SetTextBuf(const String& Value) { FText = Value; }

void TControl::InvalidateRect(const TRect* R) {
  if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
  TRect area = BoundsRect();
  if (R) area = Rect(FLeft + R->Left, FTop + R->Top, FLeft + R->Right, FTop + R->Bottom);
  const bool opaque = FControlStyle.Contains(csOpaque);
  ::InvalidateRect(FParent->Handle(), &area, !opaque);
}

void TControl::Update() {
  if (FParent) FParent->Update();
}

void TControl::Repaint() {
  if (!FVisible || !FParent || !FParent->HandleAllocated()) return;
  Invalidate();
  Update();
}

void TControl::SetZOrder(bool TopMost) {
  if (!FParent) return;
  auto& list = FParent->FControls;
  const auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  if (TopMost)
    list.push_back(this);
  else
    list.insert(list.begin(), this);
  Invalidate();
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  WindowProc(m);
  return m.Result;
}

bool TControl::IsControlShowing() const {
  for (const TControl* c = this; c; c = c->FParent)
    if (!c->FVisible) return false;
  return true;
}

TCustomForm* TControl::ParentForm() const { return GetParentForm(this); }

bool TControl::MouseCapture() const { return CaptureControl() == this; }

void TControl::SetMouseCapture(bool Value) {
  if (MouseCapture() == Value) return;
  SetCaptureControl(Value ? this : nullptr);
}

void TControl::WndProc(TMessage& Message) {
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg < WM_MOUSEWHEEL) DispatchMouse(Message);
  Dispatch(Message);
}

void TControl::DispatchMouse(TMessage& Message) {
  if (!FControlStyle.Contains(csDoubleClicks) &&
      (Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == WM_RBUTTONDBLCLK ||
       Message.Msg == WM_MBUTTONDBLCLK))
    Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
  if (ControlHooks().MouseMessage) ControlHooks().MouseMessage(this, Message);
  if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) &&
      FDragMode == dmAutomatic && !ComponentState().Contains(csDesigning)) {
    BeginDrag(false);
    Message.Msg = WM_NULL;
    return;
  }
  if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK)
    FControlState.Include(csLButtonDown);
  else if (Message.Msg == WM_LBUTTONUP)
    FControlState.Exclude(csLButtonDown);
}

void TControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
  case WM_NULL:
    return;
  case WM_MOUSEMOVE:
    return WMMouseMove(Message);
  case WM_LBUTTONDOWN:
    return WMButtonDown(Message, mbLeft, false);
  case WM_RBUTTONDOWN:
    return WMButtonDown(Message, mbRight, false);
  case WM_MBUTTONDOWN:
    return WMButtonDown(Message, mbMiddle, false);
  case WM_LBUTTONDBLCLK:
    return WMButtonDown(Message, mbLeft, true);
  case WM_RBUTTONDBLCLK:
    return WMButtonDown(Message, mbRight, true);
  case WM_MBUTTONDBLCLK:
    return WMButtonDown(Message, mbMiddle, true);
  case WM_LBUTTONUP:
    return WMButtonUp(Message, mbLeft);
  case WM_RBUTTONUP:
    return WMButtonUp(Message, mbRight);
  case WM_MBUTTONUP:
    return WMButtonUp(Message, mbMiddle);
  case WM_WINDOWPOSCHANGED:
    return WMWindowPosChanged(Message);
  case CM_ENABLEDCHANGED:
    return CMEnabledChanged(Message);
  case CM_VISIBLECHANGED:
    return CMVisibleChanged(Message);
  case CM_FONTCHANGED:
    return CMFontChanged(Message);
  case CM_COLORCHANGED:
    return CMColorChanged(Message);
  case CM_TEXTCHANGED:
    return CMTextChanged(Message);
  case CM_PARENTFONTCHANGED:
    return CMParentFontChanged(Message);
  case CM_PARENTCOLORCHANGED:
    return CMParentColorChanged(Message);
  case CM_PARENTSHOWHINTCHANGED:
    return CMParentShowHintChanged(Message);
  case CM_PARENTBIDIMODECHANGED:
    return CMParentBiDiModeChanged(Message);
  case CM_HITTEST:
    return CMHitTest(Message);
  case CM_MOUSEENTER:
    return CMMouseEnter(Message);
  case CM_MOUSELEAVE:
    return CMMouseLeave(Message);
  case WM_CONTEXTMENU:
    return WMContextMenu(Message);
  case CM_HINTSHOW:
    return CMHintShow(Message);
  case CM_DRAG:
    return CMDrag(Message);
  case CM_CANCELMODE:
    return CMCancelMode(Message);
  default:
    DefaultHandler(Message);
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
  case WM_GETTEXT: {
    const String text = GetText();
    if (Message.WParam == 0) {
      Message.Result = 0;
      return;
    }
    const std::size_t n = std::min<std::size_t>(text.size(), Message.WParam - 1);
    char* out = reinterpret_cast<char*>(Message.LParam);
    std::copy_n(text.data(), n, out);
    out[n] = 0;
    Message.Result = static_cast<LRESULT>(n);
    return;
  }
  case WM_GETTEXTLENGTH:
    Message.Result = static_cast<LRESULT>(GetText().size());
    return;
  case WM_SETTEXT:
    FText = reinterpret_cast<const char*>(Message.LParam);
    Message.Result = 1;
    return;
  default:
    return;
  }
}

void TControl::WMMouseMove(TMessage& Message) {
  DefaultHandler(Message);
  if (!FControlStyle.Contains(csNoStdEvents))
    MouseMove(ShiftStateOfKeys(Message.WParam), Message.Pos().X, Message.Pos().Y);
}

void TControl::WMButtonDown(TMessage& Message, TMouseButton Button, bool Double) {
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
  if (Button == mbLeft && FControlStyle.Contains(csClickEvents)) {
    if (Double)
      DblClick();
    else
      FControlState.Include(csClicked);
  }
  if (FControlStyle.Contains(csNoStdEvents)) return;
  TShiftState shift = ShiftStateOfKeys(Message.WParam);
  if (Double) shift.Include(ssDouble);
  MouseDown(Button, shift, Message.Pos().X, Message.Pos().Y);
}

void TControl::WMButtonUp(TMessage& Message, TMouseButton Button) {
  DefaultHandler(Message);
  if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
  if (Button == mbLeft && FControlState.Contains(csClicked)) {
    FControlState.Exclude(csClicked);
    if (ClientRect().Contains(Message.Pos())) Click();
  }
  if (!FControlStyle.Contains(csNoStdEvents))
    MouseUp(Button, ShiftStateOfKeys(Message.WParam), Message.Pos().X, Message.Pos().Y);
}

void TControl::WMWindowPosChanged(TMessage& Message) { DefaultHandler(Message); }

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }

void TControl::CMVisibleChanged(TMessage&) {
  if (!FParent || !FParent->HandleAllocated()) return;
  const TRect r = BoundsRect();
  ::InvalidateRect(FParent->Handle(), &r, !FControlStyle.Contains(csOpaque));
}

void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMTextChanged(TMessage&) { Invalidate(); }

void TControl::CMParentFontChanged(TMessage&) {
  if (!FParentFont || !FParent) return;
  FFont->Assign(FParent->Font());
  FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage&) {
  if (!FParentColor || !FParent) return;
  SetColor(FParent->Color());
  FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!FParentShowHint || !FParent) return;
  if (FShowHint != FParent->ShowHint()) {
    FShowHint = FParent->ShowHint();
    Perform(CM_SHOWHINTCHANGED);
  }
}

void TControl::CMHitTest(TMessage& Message) { Message.Result = HTCLIENT; }
void TControl::CMMouseEnter(TMessage& Message) { DefaultHandler(Message); }
void TControl::CMMouseLeave(TMessage& Message) { DefaultHandler(Message); }
void TControl::CMHintShow(TMessage& Message) { DefaultHandler(Message); }
void TControl::CMCancelMode(TMessage& Message) { DefaultHandler(Message); }

void TControl::CMDrag(TMessage& Message) {
  auto* rec = reinterpret_cast<TDragRec*>(Message.LParam);
  if (!rec) return;
  TObject* source = rec->Source;
  if (auto* c = dynamic_cast<TDragControlObject*>(rec->Source)) source = c->Control();
  const TPoint p = ScreenToClient(rec->Pos);
  switch (static_cast<TDragMessage>(Message.WParam)) {
  case dmDragEnter:
  case dmDragLeave:
  case dmDragMove: {
    bool accept = true;
    const TDragState state = Message.WParam == dmDragEnter   ? dsDragEnter
                             : Message.WParam == dmDragLeave ? dsDragLeave
                                                             : dsDragMove;
    DragOver(source, p.X, p.Y, state, accept);
    Message.Result = accept ? 1 : 0;
    return;
  }
  case dmDragDrop:
    DragDrop(source, p.X, p.Y);
    return;
  default:
    return;
  }
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = static_cast<bool>(FOnDragOver);
  if (FOnDragOver) FOnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (FOnDragDrop) FOnDragDrop(this, Source, X, Y);
}

void TControl::DoStartDrag(TDragObject*& DragObject) {
  if (FOnStartDrag) FOnStartDrag(this, DragObject);
}

void TControl::DoEndDrag(TObject* Target, int X, int Y) {
  if (FOnEndDrag) FOnEndDrag(this, Target, X, Y);
}

bool TControl::Dragging() const { return Drag.Control == this; }

void TControl::BeginDrag(bool Immediate, int Threshold) {
  if (Drag.Control) return;
  Drag.Control = this;
  Drag.Threshold = Threshold < 0 ? DefaultDragThreshold : Threshold;
  POINT p{};
  GetCursorPos(&p);
  Drag.Start = p;
  Drag.CaptureWindow = AllocateHWnd(DragCaptureProc);
  SetCaptureControl(nullptr);
  ::SetCapture(Drag.CaptureWindow);
  if (Immediate) {
    ActivateDrag();
    DragTo(p);
  }
}

void TControl::EndDrag(bool Drop) {
  if (Drag.Control == this) FinishDrag(Drop);
}

void TControl::Click() {
  if (FOnClick) FOnClick(this);
}

void TControl::DblClick() {
  if (FOnDblClick) FOnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseDown) FOnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FOnMouseUp) FOnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (FOnMouseMove) FOnMouseMove(this, Shift, X, Y);
}

void TControl::Resize() {
  if (FOnResize) FOnResize(this);
}

TControl* CaptureControl() {
  TWinControl* owner = FindControl(GetCapture());
  if (owner && CapturedControl && CapturedControl->Parent() == owner) return CapturedControl;
  return owner;
}

String GetShortHint(const String& Hint) { return Hint.substr(0, Hint.find('|')); }

String GetLongHint(const String& Hint) {
  const std::size_t bar = Hint.find('|');
  return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

void SetCaptureControl(TControl* Control) {
  CapturedControl = nullptr;
  if (!Control) {
    if (GetCapture() && FindControl(GetCapture())) ReleaseCapture();
    return;
  }
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  if (!windowed) {
    if (!Control->Parent()) return;
    CapturedControl = Control;
    windowed = Control->Parent();
  }
  SetCapture(windowed->Handle());
}

TControl* FindDragTarget(TPoint ScreenPos, bool AllowDisabled) {
  TWinControl* window = nullptr;
  for (HWND h = WindowFromPoint(ScreenPos); h && !window; h = GetParent(h)) window = FindControl(h);
  if (!window) return nullptr;
  TControl* child = window->ControlAtPos(window->ScreenToClient(ScreenPos), AllowDisabled);
  return child ? child : window;
}

TControl* DragControl() { return Drag.Active ? Drag.Control : nullptr; }

void CancelDrag() { FinishDrag(false); }

HCURSOR CursorHandle(TCursor Cursor) {
  int id = IDC_ARROW;
  switch (Cursor) {
  case crIBeam:
    id = IDC_IBEAM;
    break;
  case crCross:
    id = IDC_CROSS;
    break;
  case crHourGlass:
  case crSQLWait:
  case crAppStart:
    id = IDC_WAIT;
    break;
  case crSizeNESW:
    id = IDC_SIZENESW;
    break;
  case crSizeNS:
  case crVSplit:
    id = IDC_SIZENS;
    break;
  case crSizeNWSE:
    id = IDC_SIZENWSE;
    break;
  case crSizeWE:
  case crHSplit:
    id = IDC_SIZEWE;
    break;
  case crSizeAll:
  case crDrag:
  case crMultiDrag:
    id = IDC_SIZEALL;
    break;
  case crUpArrow:
    id = IDC_UPARROW;
    break;
  case crNoDrop:
  case crNo:
    id = IDC_NO;
    break;
  case crHandPoint:
    id = IDC_HAND;
    break;
  default:
    break;
  }
  return LoadCursorA(nullptr, MAKEINTRESOURCE(id));
}

HDC TControl::GetDeviceContext(HWND& WindowHandle) {
  if (!FParent) throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  const HDC dc = FParent->GetDeviceContext(WindowHandle);
  SetViewportOrgEx(dc, FLeft, FTop, nullptr);
  IntersectClipRect(dc, 0, 0, FWidth, FHeight);
  return dc;
}

void TControl::WMContextMenu(TMessage& Message) {
  if (Message.Result != 0 || ComponentState().Contains(csDesigning)) return;
  TPoint at{Message.LParamLo(), Message.LParamHi()};
  const bool fromKeyboard = at.X == -1 && at.Y == -1;
  if (!fromKeyboard && !ClientRect().Contains(ScreenToClient(at))) {
    DefaultHandler(Message);
    return;
  }
  auto* popup = dynamic_cast<TPopupMenu*>(FPopupMenu);
  if (!popup || !popup->AutoPopup()) {
    DefaultHandler(Message);
    return;
  }
  popup->SetPopupComponent(this);
  if (fromKeyboard) at = ClientToScreen(TPoint{0, 0});
  Message.Result = 1;
  popup->Popup(at.X, at.Y);
}
