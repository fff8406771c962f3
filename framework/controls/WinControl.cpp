#include "framework/controls/WinControl.h"

#include "framework/controls/Forms.h"
#include "framework/controls/GraphicControl.h"
#include "framework/graphics/GraphicsObject.h"
#include "framework/win32/user/WindowProcs.h"

#include <algorithm>
#include <unordered_map>

namespace {

TWinControl* CreationControl = nullptr;
UINT_PTR NextChildId = 100;

bool Meets(const TRect& a, const TRect& b) { return !Intersection(a, b).IsEmpty(); }

std::unordered_map<HWND, TWinControl*>& ControlsByHandle() {
  static std::unordered_map<HWND, TWinControl*> map;
  return map;
}

// The procedure of every class the framework registers: the window's first message hands
// it to the control being created, which takes the window over.
LRESULT InitWndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

template <class T> T* Remove(std::vector<T*>& List, T* Item) {
  const auto it = std::find(List.begin(), List.end(), Item);
  if (it == List.end()) return nullptr;
  List.erase(it);
  return Item;
}

HWND ReflectedHandle(const TMessage& M) {
  switch (M.Msg) {
  case WM_COMMAND:
  case WM_HSCROLL:
  case WM_VSCROLL:
    return reinterpret_cast<HWND>(M.LParam);
  case WM_DRAWITEM:
    return reinterpret_cast<const DRAWITEMSTRUCT*>(M.LParam)->hwndItem;
  case WM_DELETEITEM:
    return reinterpret_cast<const DELETEITEMSTRUCT*>(M.LParam)->hwndItem;
  default:
    return nullptr;
  }
}

} // namespace

namespace {
LRESULT InitWndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TWinControl* control = CreationControl;
  if (!control) return DefWindowProcA(Window, Msg, WParam, LParam);
  CreationControl = nullptr;
  return control->AttachHandle(Window, Msg, WParam, LParam);
}
} // namespace

TWinControl* FindControl(HWND Handle) {
  const auto it = ControlsByHandle().find(Handle);
  return it == ControlsByHandle().end() ? nullptr : it->second;
}

TCustomForm* GetParentForm(const TControl* Control) {
  if (!Control) return nullptr;
  while (Control->Parent()) Control = Control->Parent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(Control));
}

TCustomForm* ValidParentForm(const TControl* Control) {
  TCustomForm* form = GetParentForm(Control);
  if (!form) throw EInvalidOperation("Control '" + Control->Name() + "' has no parent window");
  return form;
}

TWinControl::TWinControl(TComponent* AOwner)
    : TControl(AOwner), FBrush(std::make_unique<TBrush>()) {
  FObjectInstance = MakeProcInstance(
      [this](HWND h, UINT m, WPARAM w, LPARAM l) { return MainWndProc(h, m, w, l); });
  FBrush->SetColor(FColor);
}

TWinControl::~TWinControl() {
  SetComponentStateItem(csDestroying, true);
  if (FParent) FParent->RemoveControl(this);
  if (FHandle) DestroyWindowHandle();
  while (!FControls.empty()) FControls.back()->SetParent(nullptr);
  while (!FWinControls.empty()) FWinControls.back()->SetParent(nullptr);
  FreeProcInstance(FObjectInstance);
}

LRESULT TWinControl::AttachHandle(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  FHandle = Window;
  ControlsByHandle()[Window] = this;
  SetWindowLongA(Window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(FObjectInstance));
  return CallWindowProcA(FObjectInstance, Window, Msg, WParam, LParam);
}

LRESULT TWinControl::MainWndProc(HWND, UINT Msg, WPARAM WParam, LPARAM LParam) {
  static int depth = 0;
  TMessage m{Msg, WParam, LParam, 0};
  ++depth;
  try {
    WindowProc(m);
  } catch (...) {
    --depth;
    if (!ControlHooks().HandleException) throw;
    ControlHooks().HandleException(this);
    return m.Result;
  }
  if (--depth == 0) FreeDeviceContexts();
  return m.Result;
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return FHandle;
}

void TWinControl::HandleNeeded() {
  if (FHandle) return;
  if (FParent) FParent->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateHandle() {
  if (FHandle) return;
  CreateWnd();
  if (FParent) SetZOrderOfWindow();
  if (FControlState.Contains(csAlignmentNeeded) || !FControls.empty() || !FWinControls.empty())
    Realign();
}

void TWinControl::SetZOrderOfWindow() {
  // Windowed siblings keep their list order on screen: the last one is on top.
  const auto& siblings = FParent->FWinControls;
  const auto it = std::find(siblings.begin(), siblings.end(), this);
  for (auto above = it + (it != siblings.end() ? 1 : 0); above != siblings.end(); ++above)
    if ((*above)->FHandle) {
      SetWindowPos(FHandle, (*above)->FHandle, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return;
    }
  SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::CreateParams(TCreateParams& Params) {
  FBorderFollowsCtl3D = false;
  Params.Caption = FText;
  Params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (FControlStyle.Contains(csAcceptsControls)) {
    Params.Style |= WS_CLIPCHILDREN;
    Params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!ComponentState().Contains(csDesigning) && !FEnabled) Params.Style |= WS_DISABLED;
  if (FTabStop) Params.Style |= WS_TABSTOP;
  Params.X = FLeft;
  Params.Y = FTop;
  Params.Width = FWidth;
  Params.Height = FHeight;
  Params.WndParent = FParent ? FParent->Handle() : FParentWindow;
  Params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  Params.WindowClass.lpfnWndProc = DefWindowProcA;
  Params.WindowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCE(IDC_ARROW));
  Params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& Params, const char* ControlClassName) {
  WNDCLASSA system{};
  if (!GetClassInfoA(nullptr, ControlClassName, &system))
    throw EInvalidOperation(String("Window class ") + ControlClassName + " does not exist");
  system.style &= ~static_cast<UINT>(CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS);
  Params.WindowClass = system;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if (!params.WndParent && (params.Style & WS_CHILD))
    throw EInvalidOperation("Control '" + Name() + "' has no parent window");
  FDefWndProc = params.WindowClass.lpfnWndProc;
  WNDCLASSA registered{};
  const bool known = GetClassInfoA(nullptr, params.WinClassName.c_str(), &registered);
  if (!known || registered.lpfnWndProc != InitWndProc) {
    if (known) UnregisterClassA(params.WinClassName.c_str(), nullptr);
    WNDCLASSA c = params.WindowClass;
    c.lpfnWndProc = InitWndProc;
    c.lpszClassName = params.WinClassName.c_str();
    if (!RegisterClassA(&c))
      throw EInvalidOperation("Cannot register window class " + params.WinClassName);
  }
  CreationControl = this;
  try {
    CreateWindowHandle(params);
  } catch (...) {
    CreationControl = nullptr;
    throw;
  }
  CreationControl = nullptr;
  if (!FHandle) throw EInvalidOperation("Error creating window for '" + Name() + "'");
  FText.clear();
  ApplyWindowBounds();
  SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 1);
}

void TWinControl::CreateWindowHandle(const TCreateParams& Params) {
  const HMENU id = (Params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(NextChildId++) : nullptr;
  CreateWindowExA(Params.ExStyle, Params.WinClassName.c_str(), Params.Caption.c_str(), Params.Style,
                  Params.X, Params.Y, Params.Width, Params.Height, Params.WndParent, id, nullptr,
                  Params.Param);
}

void TWinControl::ApplyWindowBounds() {
  RECT r{};
  GetWindowRect(FHandle, &r);
  if (const HWND parent = GetParent(FHandle)) {
    POINT p{r.Left, r.Top};
    ::ScreenToClient(parent, &p);
    r = Bounds(p.X, p.Y, r.Width(), r.Height());
  }
  FLeft = r.Left, FTop = r.Top, FWidth = r.Width(), FHeight = r.Height();
}

void TWinControl::DestroyHandle() {
  if (!FHandle) return;
  for (TWinControl* child : FWinControls) child->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  FText = GetTextBuf();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  FControlState.Include(csDestroyingHandle);
  const HWND h = FHandle;
  DestroyWindow(h);
  ControlsByHandle().erase(h);
  FHandle = nullptr;
  FShowing = false;
  FControlState.Exclude(csDestroyingHandle);
}

void TWinControl::RecreateWnd() {
  if (FHandle) Perform(CM_RECREATEWND);
}

void TWinControl::CMRecreateWnd(TMessage&) {
  const bool wasFocused = Focused();
  DestroyHandle();
  UpdateControlState();
  if (wasFocused && FHandle) ::SetFocus(FHandle);
}

void TWinControl::UpdateControlState() {
  const TWinControl* root = this;
  for (; root->FParent; root = root->FParent)
    if (!root->FParent->FShowing) return;
  if (dynamic_cast<const TCustomForm*>(root) || root->FParentWindow) UpdateShowing();
}

void TWinControl::UpdateShowing() {
  const bool show = FVisible && !FControlState.Contains(csReadingState);
  if (show) {
    if (!FHandle) CreateHandle();
    for (std::size_t i = 0; i < FWinControls.size(); ++i) FWinControls[i]->UpdateShowing();
  }
  if (FHandle && FShowing != show) {
    FShowing = show;
    try {
      Perform(CM_SHOWINGCHANGED);
    } catch (...) {
      FShowing = !show;
      throw;
    }
  }
}

void TWinControl::CMShowingChanged(TMessage&) {
  const UINT flags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, flags | (FShowing ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void TWinControl::SetParentWindow(HWND Value) {
  if (FParent || FParentWindow == Value) return;
  DestroyHandle();
  FParentWindow = Value;
  UpdateControlState();
}

void TWinControl::SetParent(TWinControl* AParent) {
  if (FParent == AParent) return;
  if (FHandle && FParent) DestroyHandle();
  TControl::SetParent(AParent);
}

void TWinControl::SetParentOnly(TWinControl* AParent) { FParent = AParent; }

int TWinControl::ControlCount() const {
  return static_cast<int>(FControls.size() + FWinControls.size());
}

TControl* TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  const auto n = static_cast<int>(FControls.size());
  return Index < n ? FControls[Index] : FWinControls[Index - n];
}

void TWinControl::InsertControl(TControl* AControl) {
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
  auto* windowed = dynamic_cast<TWinControl*>(AControl);
  if (windowed) {
    FWinControls.push_back(windowed);
    FTabList.push_back(windowed);
  } else {
    FControls.push_back(AControl);
  }
  AControl->SetParentOnly(this);
  if (!AControl->ComponentState().Contains(csReading)) {
    AControl->Perform(CM_PARENTCOLORCHANGED);
    AControl->Perform(CM_PARENTFONTCHANGED);
    AControl->Perform(CM_PARENTSHOWHINTCHANGED);
    AControl->Perform(CM_PARENTBIDIMODECHANGED);
    if (windowed) {
      windowed->Perform(CM_PARENTCTL3DCHANGED);
      windowed->UpdateControlState();
    } else if (FHandle)
      AControl->Invalidate();
    AlignControl(AControl);
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl) {
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  auto* windowed = dynamic_cast<TWinControl*>(AControl);
  if (windowed) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(windowed, true);
    windowed->DestroyHandle();
    Remove(FWinControls, windowed);
    Remove(FTabList, windowed);
  } else {
    if (FHandle && AControl->Visible()) {
      const TRect r = AControl->BoundsRect();
      ::InvalidateRect(FHandle, &r, TRUE);
    }
    Remove(FControls, AControl);
  }
  AControl->SetParentOnly(nullptr);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
  if (!ComponentState().Contains(csDestroying)) Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const {
  for (; Control; Control = Control->Parent())
    if (Control == this) return true;
  return false;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) {
  const auto hits = [&](TControl* c) {
    if (!c->Visible() && !c->ComponentState().Contains(csDesigning)) return false;
    if (!c->Enabled() && !AllowDisabled) return false;
    if (!c->BoundsRect().Contains(Pos)) return false;
    const TPoint local{Pos.X - c->Left(), Pos.Y - c->Top()};
    return c->Perform(CM_HITTEST, 0, PointToLParam(local)) != 0;
  };
  if (AllowWinControls)
    for (auto it = FWinControls.rbegin(); it != FWinControls.rend(); ++it)
      if (hits(*it)) return *it;
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it)
    if (hits(*it)) return *it;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& Message) {
  for (int i = 0; i < ControlCount(); ++i) {
    Controls(i)->WindowProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT Msg) {
  TMessage m{Msg, 0, 0, 0};
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->WindowProc(m);
}

TTabOrder TWinControl::TabOrder() const {
  if (!FParent) return -1;
  const auto& list = FParent->FTabList;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? TTabOrder{-1} : static_cast<TTabOrder>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!FParent) return;
  auto& list = FParent->FTabList;
  if (!Remove(list, this)) return;
  const int count = static_cast<int>(list.size());
  if (Value < 0 || Value > count) Value = count;
  list.insert(list.begin() + Value, this);
}

void TWinControl::SetTabStop(bool Value) {
  if (FTabStop == Value) return;
  FTabStop = Value;
  if (FHandle) {
    const LONG_PTR style = GetWindowLongA(FHandle, GWL_STYLE);
    SetWindowLongA(FHandle, GWL_STYLE, Value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
  }
  Perform(CM_TABSTOPCHANGED);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) {
  for (TWinControl* c : FTabList) {
    List.push_back(c);
    c->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward,
                                          bool CheckTabStop, bool CheckParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int count = static_cast<int>(list.size());
  const auto found = std::find(list.begin(), list.end(), CurControl);
  int start =
      found == list.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(found - list.begin());
  int i = start;
  do {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* c = list[i];
    if (c->CanFocus() && (!CheckTabStop || c->TabStop()) && (!CheckParent || c->FParent == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
    next->SetFocus();
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

bool TWinControl::CanFocus() const {
  const TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (const TControl* c = this; c != form; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (TCustomForm* form = GetParentForm(this))
    form->FocusControl(this);
  else if (FParentWindow)
    ::SetFocus(Handle());
  else
    ValidParentForm(this);
}

void TWinControl::EnableAlign() {
  if (--FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl) {
  if (!FHandle || ComponentState().Contains(csDestroying)) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  if (FAlignLevel != 0) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  TRect r = ClientRect();
  AlignControls(AControl, r);
  FControlState.Exclude(csAlignmentNeeded);
  --FAlignLevel;
}

namespace {

bool InsertBefore(TControl* C1, TControl* C2, TAlign AAlign) {
  switch (AAlign) {
  case alTop:
    return C1->Top() < C2->Top();
  case alBottom:
    return C1->Top() + C1->Height() >= C2->Top() + C2->Height();
  case alLeft:
    return C1->Left() < C2->Left();
  case alRight:
    return C1->Left() + C1->Width() >= C2->Left() + C2->Width();
  default:
    return false;
  }
}

// Places one aligned control at its side of the free rectangle and takes its room away.
void Position(TControl* Control, TAlign AAlign, TRect& R) {
  int width = R.Right - R.Left;
  if (width < 0 || AAlign == alLeft || AAlign == alRight) width = Control->Width();
  int height = R.Bottom - R.Top;
  if (height < 0 || AAlign == alTop || AAlign == alBottom) height = Control->Height();
  int left = R.Left, top = R.Top;
  switch (AAlign) {
  case alTop:
    R.Top += height;
    break;
  case alBottom:
    R.Bottom -= height;
    top = R.Bottom;
    break;
  case alLeft:
    R.Left += width;
    break;
  case alRight:
    R.Right -= width;
    left = R.Right;
    break;
  default:
    break;
  }
  Control->SetBounds(left, top, width, height);
}

} // namespace

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  for (int i = 0; i < ControlCount(); ++i)
    if (Controls(i)->Align() == alNone) Controls(i)->AnchorTo(FWidth, FHeight);
  bool any = false;
  for (int i = 0; i < ControlCount() && !any; ++i) any = Controls(i)->Align() != alNone;
  if (!any) return;
  AdjustClientRect(Rect);
  for (const TAlign side : {alTop, alBottom, alLeft, alRight, alClient}) {
    std::vector<TControl*> list;
    if (AControl && AControl->Visible() && AControl->Align() == side) list.push_back(AControl);
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      if (c == AControl || c->Align() != side || !c->Visible()) continue;
      std::size_t j = 0;
      while (j < list.size() && !InsertBefore(c, list[j], side)) ++j;
      list.insert(list.begin() + static_cast<std::ptrdiff_t>(j), c);
    }
    for (TControl* c : list) Position(c, side, Rect);
  }
}

void TWinControl::AdjustClientRect(TRect& Rect) {
  Rect.Left += FBorderWidth, Rect.Top += FBorderWidth;
  Rect.Right -= FBorderWidth, Rect.Bottom -= FBorderWidth;
}

void TWinControl::SetBorderWidth(int Value) {
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  Realign();
  Invalidate();
}

TRect TWinControl::ClientRect() {
  RECT r{};
  GetClientRect(Handle(), &r);
  return r;
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = FConstraints->ConstrainWidth(AWidth);
  AHeight = FConstraints->ConstrainHeight(AHeight);
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  if (FHandle && !IsIconic(FHandle)) {
    SetWindowPos(FHandle, nullptr, ALeft, ATop, AWidth, AHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    FLeft = ALeft, FTop = ATop, FWidth = AWidth, FHeight = AHeight;
  }
  UpdateAnchorRules();
  RequestAlign();
}

void TWinControl::BoundsChanged(const TRect&) {}

void TWinControl::InvalidateRect(const TRect* R) {
  if (FHandle) ::InvalidateRect(FHandle, R, !FControlStyle.Contains(csOpaque));
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::SetZOrder(bool TopMost) {
  if (FParent) {
    auto& list = FParent->FWinControls;
    if (Remove(list, this)) {
      if (TopMost)
        list.push_back(this);
      else
        list.insert(list.begin(), this);
    }
  }
  if (FHandle)
    SetWindowPos(FHandle, TopMost ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Owner() == Root) Proc(c);
  }
}

String TWinControl::GetTextBuf() const {
  if (!FHandle) return FText;
  const int n = GetWindowTextLengthA(FHandle);
  String s(static_cast<std::size_t>(n) + 1, '\0');
  GetWindowTextA(FHandle, s.data(), n + 1);
  s.resize(static_cast<std::size_t>(n));
  return s;
}

void TWinControl::SetTextBuf(const String& Value) {
  if (FHandle)
    SetWindowTextA(FHandle, Value.c_str());
  else
    FText = Value;
}

void TWinControl::PaintTo(HDC DC, int X, int Y) {
  const int saved = SaveDC(DC);
  POINT old{};
  SetWindowOrgEx(DC, -X, -Y, &old);
  IntersectClipRect(DC, 0, 0, FWidth, FHeight);
  TMessage erase{WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0, 0};
  WindowProc(erase);
  TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  WindowProc(paint);
  for (TWinControl* child : FWinControls)
    if (child->Visible()) child->PaintTo(DC, X + child->Left(), Y + child->Top());
  RestoreDC(DC, saved);
}

void TWinControl::WndProc(TMessage& Message) {
  if (Message.Msg >= WM_MOUSEFIRST && Message.Msg < WM_MOUSEWHEEL && ForwardMouseToChild(Message))
    return;
  if (Message.Msg >= WM_KEYFIRST && Message.Msg <= WM_KEYLAST)
    if (TCustomForm* form = GetParentForm(this); form && form->WantChildKey(this, Message)) return;
  TControl::WndProc(Message);
}

bool TWinControl::ForwardMouseToChild(TMessage& Message) {
  TControl* target = nullptr;
  if (FHandle && GetCapture() == FHandle) {
    TControl* captured = CaptureControl();
    if (captured != this && captured && captured->Parent() == this) target = captured;
  } else {
    target = ControlAtPos(Message.Pos(), false);
  }
  if (!target) return false;
  const TPoint p{Message.Pos().X - target->Left(), Message.Pos().Y - target->Top()};
  Message.Result = target->Perform(Message.Msg, Message.WParam, PointToLParam(p));
  return true;
}

void TWinControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
  case WM_PAINT:
    return WMPaint(Message);
  case WM_ERASEBKGND:
    return WMEraseBkgnd(Message);
  case WM_SIZE:
    return WMSize(Message);
  case WM_MOVE:
    return WMMove(Message);
  case WM_SETFOCUS:
    return WMSetFocus(Message);
  case WM_KILLFOCUS:
    return WMKillFocus(Message);
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    return WMKeyDown(Message);
  case WM_KEYUP:
  case WM_SYSKEYUP:
    return WMKeyUp(Message);
  case WM_CHAR:
    return WMChar(Message);
  case WM_COMMAND:
    return WMCommand(Message);
  case WM_HSCROLL:
  case WM_VSCROLL:
  case WM_DRAWITEM:
  case WM_DELETEITEM:
    return WMReflected(Message);
  case WM_MEASUREITEM:
    return WMMeasureItem(Message);
  case WM_SETCURSOR:
    return WMSetCursor(Message);
  case WM_NCDESTROY:
    return WMNCDestroy(Message);
  case CN_KEYDOWN:
  case CN_SYSKEYDOWN:
    return CNKeyDown(Message);
  case CN_CHAR:
    return CNChar(Message);
  case CN_SYSCHAR:
    return CNSysChar(Message);
  case CM_ENTER:
    return CMEnter(Message);
  case CM_EXIT:
    return CMExit(Message);
  case CM_DIALOGKEY:
    return CMDialogKey(Message);
  case CM_DIALOGCHAR:
    return CMDialogChar(Message);
  case CM_FOCUSCHANGED:
    return CMFocusChanged(Message);
  case CM_SHOWINGCHANGED:
    return CMShowingChanged(Message);
  case CM_RECREATEWND:
    return CMRecreateWnd(Message);
  case CM_SHOWHINTCHANGED:
    return NotifyControls(CM_PARENTSHOWHINTCHANGED);
  case CM_BIDIMODECHANGED:
    return NotifyControls(CM_PARENTBIDIMODECHANGED);
  case CM_CTL3DCHANGED:
    return CMCtl3DChanged(Message);
  case CM_PARENTCTL3DCHANGED:
    return CMParentCtl3DChanged(Message);
  default:
    return TControl::Dispatch(Message);
  }
}

void TWinControl::DefaultHandler(TMessage& Message) {
  if (!FHandle) return TControl::DefaultHandler(Message);
  switch (Message.Msg) {
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORSTATIC: {
    const HWND child = reinterpret_cast<HWND>(Message.LParam);
    if (FindControl(child)) {
      Message.Result = SendMessageA(child, CN_BASE + Message.Msg, Message.WParam, Message.LParam);
      return;
    }
    break;
  }
  case CN_CTLCOLOREDIT:
  case CN_CTLCOLORLISTBOX:
  case CN_CTLCOLORBTN:
  case CN_CTLCOLORSTATIC: {
    const HDC dc = reinterpret_cast<HDC>(Message.WParam);
    SetTextColor(dc, ColorToRGB(FFont->Color()));
    SetBkColor(dc, ColorToRGB(FBrush->Color()));
    Message.Result = reinterpret_cast<LRESULT>(FBrush->Handle());
    return;
  }
  default:
    break;
  }
  Message.Result =
      CallWindowProcA(FDefWndProc, FHandle, Message.Msg, Message.WParam, Message.LParam);
}

bool TWinControl::DoControlMsg(HWND ControlHandle, TMessage& Message) {
  TWinControl* control = FindControl(ControlHandle);
  if (!control) return false;
  Message.Result = control->Perform(CN_BASE + Message.Msg, Message.WParam, Message.LParam);
  return true;
}

void TWinControl::WMCommand(TMessage& Message) {
  if (!DoControlMsg(reinterpret_cast<HWND>(Message.LParam), Message)) DefaultHandler(Message);
}

void TWinControl::WMReflected(TMessage& Message) {
  if (!DoControlMsg(ReflectedHandle(Message), Message)) DefaultHandler(Message);
}

void TWinControl::WMMeasureItem(TMessage& Message) {
  const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(Message.LParam);
  for (TWinControl* c : FWinControls)
    if (c->FHandle && static_cast<UINT>(GetWindowLongA(c->FHandle, GWL_ID)) == item->CtlID) {
      Message.Result = c->Perform(CN_MEASUREITEM, Message.WParam, Message.LParam);
      return;
    }
  DefaultHandler(Message);
}

void TWinControl::WMPaint(TMessage& Message) {
  if (!FControlState.Contains(csCustomPaint) && FControls.empty()) return DefaultHandler(Message);
  PaintHandler(Message);
}

void TWinControl::PaintHandler(TMessage& Message) {
  HDC dc = reinterpret_cast<HDC>(Message.WParam);
  PAINTSTRUCT ps{};
  if (!dc) dc = BeginPaint(FHandle, &ps);
  const int saved = SaveDC(dc);
  // Opaque controls outside the clip box leave the clip as it is: only the others cut it.
  RECT box{};
  int kind = GetClipBox(dc, &box);
  bool covered = false;
  for (TControl* c : FControls)
    if (c->Visible() && c->ControlStyle().Contains(csOpaque)) {
      if (kind != NULLREGION && Meets(c->BoundsRect(), box))
        kind = ExcludeClipRect(dc, c->Left(), c->Top(), c->Left() + c->Width(),
                               c->Top() + c->Height());
      covered = kind == NULLREGION;
    }
  if (!covered) PaintWindow(dc);
  RestoreDC(dc, saved);
  PaintControls(dc, nullptr);
  if (!Message.WParam) EndPaint(FHandle, &ps);
}

void TWinControl::PaintWindow(HDC DC) {
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(DC), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC DC, TControl* First) {
  // The clip box is taken once; controls outside it cost no DC work.
  RECT box{};
  const int kind = GetClipBox(DC, &box);
  if (kind == ERROR || kind == NULLREGION) return;
  auto it = First ? std::find(FControls.begin(), FControls.end(), First) : FControls.begin();
  if (it == FControls.end()) it = FControls.begin();
  for (; it != FControls.end(); ++it) {
    TControl* c = *it;
    const TRect bounds = c->BoundsRect();
    if (!c->Visible() || !Meets(bounds, box) || !RectVisible(DC, &bounds)) continue;
    const int saved = SaveDC(DC);
    POINT org{};
    GetWindowOrgEx(DC, &org);
    SetWindowOrgEx(DC, org.X - c->Left(), org.Y - c->Top(), nullptr);
    IntersectClipRect(DC, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    RestoreDC(DC, saved);
  }
}

void TWinControl::WMEraseBkgnd(TMessage& Message) {
  const RECT r = ClientRect();
  ::FillRect(reinterpret_cast<HDC>(Message.WParam), &r, FBrush->Handle());
  Message.Result = 1;
}

void TWinControl::WMSize(TMessage& Message) {
  ApplyWindowBounds();
  // A size from outside (the user dragging the frame) is held to the constraints.
  if (FConstraints->ConstrainWidth(FWidth) != FWidth ||
      FConstraints->ConstrainHeight(FHeight) != FHeight)
    return SetBounds(FLeft, FTop, FWidth, FHeight);
  DefaultHandler(Message);
  Realign();
  if (!ComponentState().Contains(csLoading)) Resize();
}

void TWinControl::WMMove(TMessage& Message) {
  ApplyWindowBounds();
  DefaultHandler(Message);
}

void TWinControl::WMSetFocus(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && !form->SetFocusedControl(this)) return;
  DefaultHandler(Message);
}

void TWinControl::WMKillFocus(TMessage& Message) { DefaultHandler(Message); }

bool TWinControl::DoKeyDown(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyDown(Message)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    Word key = static_cast<Word>(Message.WParam);
    KeyDown(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyUp(Message)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    Word key = static_cast<Word>(Message.WParam);
    KeyUp(key, KeyDataToShiftState(Message.LParam));
    Message.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TMessage& Message) {
  TCustomForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() && form->DoKeyPress(Message)) return true;
  if (!FControlStyle.Contains(csNoStdEvents)) {
    char key = static_cast<char>(Message.WParam);
    KeyPress(key);
    Message.WParam = static_cast<unsigned char>(key);
    if (key == 0) return true;
  }
  return false;
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (FOnKeyDown) FOnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (FOnKeyUp) FOnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (FOnKeyPress) FOnKeyPress(this, Key);
}

void TWinControl::WMKeyDown(TMessage& Message) {
  if (!DoKeyDown(Message)) DefaultHandler(Message);
}

void TWinControl::WMKeyUp(TMessage& Message) {
  if (!DoKeyUp(Message)) DefaultHandler(Message);
}

void TWinControl::WMChar(TMessage& Message) {
  if (!DoKeyPress(Message)) DefaultHandler(Message);
}

bool TWinControl::IsMenuKey(TMessage& Message) {
  const auto key = static_cast<Word>(Message.WParam);
  const TShiftState shift = KeyDataToShiftState(Message.LParam);
  for (TWinControl* c = this; c; c = c->Parent())
    if (auto* popup = dynamic_cast<TPopupMenu*>(c->PopupMenu());
        popup && popup->IsShortCut(key, shift))
      return true;
  TCustomForm* form = GetParentForm(this);
  return form && form->Menu() && form->Menu()->IsShortCut(key, shift);
}

void TWinControl::WMContextMenu(TMessage& Message) {
  const TPoint at{Message.LParamLo(), Message.LParamHi()};
  if (!(at.X == -1 && at.Y == -1))
    if (TControl* child = ControlAtPos(ScreenToClient(at), false); child && child != this) {
      child->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
      if (auto* popup = dynamic_cast<TPopupMenu*>(child->PopupMenu());
          popup && popup->AutoPopup()) {
        Message.Result = 1;
        return;
      }
    }
  TControl::WMContextMenu(Message);
}

void TWinControl::CNKeyDown(TMessage& Message) {
  Message.Result = 1;
  if (!ComponentState().Contains(csDesigning) && IsMenuKey(Message)) return;
  if (!ComponentState().Contains(csDesigning)) {
    if (Perform(CM_CHILDKEY, Message.WParam, reinterpret_cast<LPARAM>(this)) != 0) return;
    LRESULT mask = 0;
    switch (Message.WParam) {
    case VK_TAB:
      mask = DLGC_WANTTAB;
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      mask = DLGC_WANTARROWS;
      break;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL:
      mask = DLGC_WANTALLKEYS;
      break;
    default:
      break;
    }
    TCustomForm* form = GetParentForm(this);
    if (mask != 0 && Perform(CM_WANTSPECIALKEY, Message.WParam, Message.LParam) == 0 &&
        (Perform(WM_GETDLGCODE) & mask) == 0 && form &&
        form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam) != 0)
      return;
  }
  Message.Result = 0;
}

void TWinControl::CNChar(TMessage& Message) {
  Message.Result = 1;
  if (!ComponentState().Contains(csDesigning)) {
    TCustomForm* form = GetParentForm(this);
    if ((Perform(WM_GETDLGCODE) & DLGC_WANTCHARS) == 0 && form &&
        form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam) != 0)
      return;
  }
  Message.Result = 0;
}

// Alt with a character key: the form offers it to its controls as an accelerator.
void TWinControl::CNSysChar(TMessage& Message) {
  if (ComponentState().Contains(csDesigning) || Message.WParam == VK_SPACE) return;
  if (TCustomForm* form = GetParentForm(this))
    Message.Result = form->Perform(CM_DIALOGCHAR, Message.WParam, Message.LParam);
}

void TWinControl::CMDialogKey(TMessage& Message) { Broadcast(Message); }
void TWinControl::CMDialogChar(TMessage& Message) { Broadcast(Message); }
void TWinControl::CMFocusChanged(TMessage& Message) { Broadcast(Message); }

void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

void TWinControl::DoEnter() {
  if (FOnEnter) FOnEnter(this);
}

void TWinControl::DoExit() {
  if (FOnExit) FOnExit(this);
}

void TWinControl::WMSetCursor(TMessage& Message) {
  const auto hit = static_cast<SHORT>(Message.LParam & 0xFFFF);
  if (reinterpret_cast<HWND>(Message.WParam) == FHandle && hit == HTCLIENT) {
    TCursor cursor = ControlHooks().ScreenCursor ? ControlHooks().ScreenCursor() : crDefault;
    if (cursor == crDefault) {
      POINT p{};
      GetCursorPos(&p);
      TControl* child = ControlAtPos(ScreenToClient(p), false);
      if (child) cursor = child->Cursor();
      if (cursor == crDefault) cursor = FCursor;
    }
    if (cursor != crDefault) {
      ::SetCursor(CursorHandle(cursor));
      Message.Result = 1;
      return;
    }
  }
  DefaultHandler(Message);
}

void TWinControl::WMNCDestroy(TMessage& Message) {
  DefaultHandler(Message);
  if (FHandle) ControlsByHandle().erase(FHandle);
  FHandle = nullptr;
  FShowing = false;
}

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!FEnabled && FParent) {
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
  }
  if (FHandle && !ComponentState().Contains(csDesigning)) EnableWindow(FHandle, FEnabled);
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!FVisible && FParent)
    if (TCustomForm* form = GetParentForm(this)) form->DefocusControl(this, false);
  UpdateControlState();
}

void TWinControl::CMFontChanged(TMessage&) {
  if (FHandle) {
    SendMessageA(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(FFont->Handle()), 0);
    Invalidate();
  }
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage&) {
  FBrush->SetColor(FColor);
  Invalidate();
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMTextChanged(TMessage& Message) { DefaultHandler(Message); }

void TWinControl::SetCtl3D(bool Value) {
  if (FCtl3D == Value) return;
  FCtl3D = Value;
  FParentCtl3D = false;
  Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool Value) {
  if (FParentCtl3D == Value) return;
  FParentCtl3D = Value;
  if (FParent) Perform(CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMCtl3DChanged(TMessage&) {
  if (FBorderFollowsCtl3D) RecreateWnd();
  NotifyControls(CM_PARENTCTL3DCHANGED);
}

void TWinControl::CMParentCtl3DChanged(TMessage&) {
  if (!FParentCtl3D || !FParent) return;
  SetCtl3D(FParent->Ctl3D());
  FParentCtl3D = true;
}

void TWinControl::ReadState(TReader* Reader) {
  TControl::ReadState(Reader);
  if (FParent) Perform(CM_PARENTCTL3DCHANGED);
}

void TWinControl::AddBorderStyle(TCreateParams& Params) {
  FBorderFollowsCtl3D = true;
  if (FCtl3D)
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  else
    Params.Style |= WS_BORDER;
}

HDC TWinControl::GetDeviceContext(HWND& WindowHandle) {
  WindowHandle = Handle();
  return GetDC(WindowHandle);
}

TPoint TWinControl::ClientOrigin() {
  POINT p{};
  ::ClientToScreen(Handle(), &p);
  return p;
}
