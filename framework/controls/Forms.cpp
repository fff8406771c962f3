#include "framework/controls/Forms.h"

#include "framework/controls/Application.h"
#include "framework/controls/Screen.h"
#include "framework/graphics/GraphicsObject.h"

#include <array>

namespace {

constexpr std::array<TIdentMapEntry, 11> ModalResultNames{{
    {mrNone, "mrNone"},
    {mrOk, "mrOk"},
    {mrCancel, "mrCancel"},
    {mrAbort, "mrAbort"},
    {mrRetry, "mrRetry"},
    {mrIgnore, "mrIgnore"},
    {mrYes, "mrYes"},
    {mrNo, "mrNo"},
    {mrAll, "mrAll"},
    {mrNoToAll, "mrNoToAll"},
    {mrYesToAll, "mrYesToAll"},
}};

// Counts focus changes, so a focus message can tell whether its handler moved the focus.
int FocusCount = 0;

} // namespace

TIdentMap ModalResultIdents() { return ModalResultNames; }

TCustomForm::TCustomForm(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
  FControlStyle =
      TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FVisible = false;
  FParentColor = false;
  FParentFont = false;
  FColor = clBtnFace;
  FBrush->SetColor(FColor);
  FLeft = 100, FTop = 100, FWidth = 320, FHeight = 240;
  FFormState.Include(fsCreating);
  Screen()->AddForm(this);
}

TCustomForm::~TCustomForm() {
  if (!ComponentState().Contains(csDestroying)) Destroying();
  Screen()->RemoveForm(this);
  if (Application()->MainForm() == this) Application()->FormGone(this);
  FActiveControl = FFocusedControl = nullptr;
  DestroyComponents();
  if (HandleAllocated()) DestroyHandle();
  FCanvas->SetControl(nullptr);
}

void TCustomForm::AfterConstruction() {
  if (FCreated) return;
  FCreated = true;
  FFormState.Exclude(fsCreating);
  if (FOnCreate) FOnCreate(this);
}

bool TCustomForm::WantChildKey(TControl*, TMessage&) { return false; }
void TCustomForm::DestroyWindowHandle() {
  if (FMenu) FMenu->SetWindowHandle(nullptr);
  TWinControl::DestroyWindowHandle();
}

void TCustomForm::BeforeDestruction() {
  if (FMenu && HandleAllocated()) FMenu->SetWindowHandle(nullptr);
  TWinControl::BeforeDestruction();
  if (FOnDestroy) FOnDestroy(this);
}

void TCustomForm::Release() { PostMessageA(Handle(), CM_RELEASE, 0, 0); }

void TCustomForm::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
  TWinControl::GetChildren(Proc, Root);
  if (Root != this) return;
  for (int i = 0; i < ComponentCount(); ++i)
    if (!Components(i)->HasParent()) Proc(Components(i));
}

void TCustomForm::Loaded() {
  TWinControl::Loaded();
  if (FMenu && HandleAllocated()) FMenu->SetWindowHandle(Handle());
  if (FClientWidth > 0) SetClientWidth(FClientWidth);
  if (FClientHeight > 0) SetClientHeight(FClientHeight);
  FClientWidth = FClientHeight = 0;
  if (FActiveControl && !FActiveControl->CanFocus() && !FActiveControl->Visible())
    FActiveControl = nullptr;
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FMenu) FMenu = nullptr;
  if (AComponent == FActiveControl) FActiveControl = nullptr;
  if (AComponent == FFocusedControl) FFocusedControl = nullptr;
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (FMenu == Value) return;
  if (FMenu) {
    FMenu->RemoveFreeNotification(this);
    FMenu->SetWindowHandle(nullptr);
  }
  FMenu = Value;
  if (Value) Value->FreeNotification(this);
  if (!HandleAllocated() || ComponentState().Contains(csLoading)) return;
  const int height = ClientHeight();
  if (Value) Value->SetWindowHandle(Handle());
  SetClientHeight(height);
}

int TCustomForm::ClientWidth() {
  if (ComponentState().Contains(csLoading) && FClientWidth > 0) return FClientWidth;
  return TControl::ClientWidth();
}

int TCustomForm::ClientHeight() {
  if (ComponentState().Contains(csLoading) && FClientHeight > 0) return FClientHeight;
  return TControl::ClientHeight();
}

void TCustomForm::SetClientWidth(int Value) {
  if (ComponentState().Contains(csLoading)) {
    FClientWidth = Value;
    return;
  }
  TControl::SetClientWidth(Value);
}

void TCustomForm::SetClientHeight(int Value) {
  if (ComponentState().Contains(csLoading)) {
    FClientHeight = Value;
    return;
  }
  TControl::SetClientHeight(Value);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  FFormStyle = Value;
  RecreateWnd();
}

void TCustomForm::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  if (!FParent && !ParentWindow()) {
    Params.WndParent = nullptr;
    Params.Style &= ~static_cast<DWORD>(WS_CHILD | WS_GROUP | WS_TABSTOP);
  }
  Params.WindowClass.style = CS_DBLCLKS;
  switch (FBorderStyle) {
  case bsNone:
    if (!FParent && !ParentWindow()) Params.Style |= WS_POPUP;
    break;
  case bsSingle:
  case bsToolWindow:
    Params.Style |= WS_CAPTION | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    break;
  case bsSizeable:
  case bsSizeToolWin:
    Params.Style |= WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    break;
  case bsDialog:
    Params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
    Params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    break;
  }
  if (FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin)
    Params.ExStyle |= WS_EX_TOOLWINDOW;
  if (FFormStyle == fsStayOnTop) Params.ExStyle |= WS_EX_TOPMOST;
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  if (FMenu) FMenu->SetWindowHandle(Handle());
  if (FClientWidth > 0 && !ComponentState().Contains(csLoading)) SetClientWidth(FClientWidth);
}

void TCustomForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
  case WM_ACTIVATE:
    SetActive((Message.WParam & 0xFFFF) != WA_INACTIVE);
    return;
  case WM_CLOSE:
    Close();
    return;
  case CM_ACTIVATE:
    if (!ComponentState().Contains(csReading)) Activate();
    return;
  case CM_DEACTIVATE:
    if (!ComponentState().Contains(csReading)) Deactivate();
    return;
  case CM_RELEASE:
    Free();
    return;
  case CM_BIDIMODECHANGED:
    TWinControl::Dispatch(Message);
    if (FMenu) FMenu->ParentBiDiModeChanged(this);
    return;
  case WM_COMMAND:
  case WM_INITMENUPOPUP:
  case WM_MENUSELECT:
  case WM_MEASUREITEM:
  case WM_DRAWITEM:
    if (FMenu && FMenu->WindowMessage(Message)) {
      Message.Result = Message.Msg == WM_MEASUREITEM || Message.Msg == WM_DRAWITEM ? 1 : 0;
      return;
    }
    TWinControl::Dispatch(Message);
    return;
  default:
    TWinControl::Dispatch(Message);
  }
}

void TCustomForm::SetActive(bool Value) {
  FActive = Value;
  if (!Value) return;
  if (!FActiveControl && !ComponentState().Contains(csDesigning))
    SetActiveControl(FindNextControl(nullptr, true, true, false));
  SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
  const HWND target = FActiveControl ? FActiveControl->Handle() : Handle();
  if (target) ::SetFocus(target);
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (FActiveControl == Control) return;
  if (Control && !ComponentState().Contains(csLoading) &&
      (Control == this || GetParentForm(Control) != this ||
       (!Control->CanFocus() && !ComponentState().Contains(csDesigning))))
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  FActiveControl = Control;
  if (!ComponentState().Contains(csLoading) && FActive) SetWindowFocus();
}

void TCustomForm::SetFocus() {
  if (FActive) return;
  if (!FVisible || !FEnabled)
    throw EInvalidOperation("Cannot focus a disabled or invisible window");
  SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* Control) {
  const bool wasActive = FActive;
  SetActiveControl(Control);
  if (!wasActive) SetFocus();
}

void TCustomForm::DefocusControl(TWinControl* Control, bool Removing) {
  if (Removing && Control->ContainsControl(FFocusedControl)) FFocusedControl = Control->Parent();
  if (Control->ContainsControl(FActiveControl)) FActiveControl = nullptr;
  if (Removing && Control->ContainsControl(Screen()->ActiveControl()))
    Screen()->FormActivated(Screen()->ActiveForm(), nullptr);
}

bool TCustomForm::SendFocusMessage(HWND Window, UINT Msg) {
  const int count = FocusCount;
  SendMessageA(Window, Msg, 0, 0);
  return FocusCount == count;
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (ComponentState().Contains(csDestroying)) return false;
  ++FocusCount;
  FActiveControl = Control != this ? Control : nullptr;
  Screen()->FormActivated(this, Control);
  if (Control->ControlState().Contains(csFocusing)) return false;
  Control->SetControlState(Control->ControlState() + TControlState{csFocusing});
  const auto done = [Control] {
    Control->SetControlState(Control->ControlState() - TControlState{csFocusing});
  };
  try {
    if (Screen()->FocusedForm() != this) {
      if (TCustomForm* previous = Screen()->FocusedForm()) {
        Screen()->SetFocusedForm(nullptr);
        if (!SendFocusMessage(previous->Handle(), CM_DEACTIVATE)) return done(), false;
      }
      Screen()->SetFocusedForm(this);
      if (!SendFocusMessage(Handle(), CM_ACTIVATE)) return done(), false;
    }
    if (!FFocusedControl) FFocusedControl = this;
    if (FFocusedControl != Control) {
      while (FFocusedControl && !FFocusedControl->ContainsControl(Control)) {
        const HWND leaving = FFocusedControl->Handle();
        FFocusedControl = FFocusedControl->Parent();
        if (!SendFocusMessage(leaving, CM_EXIT)) return done(), false;
      }
      while (FFocusedControl != Control) {
        TWinControl* step = Control;
        while (step->Parent() != FFocusedControl) step = step->Parent();
        FFocusedControl = step;
        if (!SendFocusMessage(step->Handle(), CM_ENTER)) return done(), false;
      }
      Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
    }
  } catch (...) {
    done();
    throw;
  }
  done();
  return true;
}

void TCustomForm::CMDialogKey(TMessage& Message) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (Message.WParam) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) >= 0) {
        SelectNext(FActiveControl, GetKeyState(VK_SHIFT) >= 0, true);
        Message.Result = 1;
        return;
      }
      break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      if (FActiveControl && FActiveControl->Parent()) {
        FActiveControl->Parent()->SelectNext(
            FActiveControl, Message.WParam == VK_RIGHT || Message.WParam == VK_DOWN, false);
        Message.Result = 1;
      }
      return;
    default:
      break;
    }
  }
  TWinControl::CMDialogKey(Message);
}

void TCustomForm::VisibleChanging() {
  if (FFormState.Contains(fsShowing))
    throw EInvalidOperation("Cannot change Visible in OnShow or OnHide");
}

void TCustomForm::PlaceOnScreen() {
  if (FPlaced) return;
  FPlaced = true;
  TCustomForm* centre = nullptr;
  if (FPosition == poMainFormCenter) centre = Application()->MainForm();
  if (FPosition == poOwnerFormCenter) centre = dynamic_cast<TCustomForm*>(Owner());
  if (centre == this) centre = nullptr;
  int x = FLeft, y = FTop;
  if (centre) {
    x = centre->Left() + (centre->Width() - FWidth) / 2;
    y = centre->Top() + (centre->Height() - FHeight) / 2;
  } else if (FPosition == poScreenCenter || FPosition == poDesktopCenter ||
             FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) {
    x = (Screen()->Width() - FWidth) / 2;
    y = (Screen()->Height() - FHeight) / 2;
  } else {
    return;
  }
  SetBounds(std::max(x, 0), std::max(y, 0), FWidth, FHeight);
}

void TCustomForm::CMShowingChanged(TMessage&) {
  if (Showing()) {
    FFormState.Include(fsShowing);
    try {
      DoShow();
      PlaceOnScreen();
    } catch (...) {
      FFormState.Exclude(fsShowing);
      throw;
    }
    FFormState.Exclude(fsShowing);
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetActiveWindow(Handle());
    return;
  }
  FFormState.Include(fsShowing);
  try {
    DoHide();
  } catch (...) {
    FFormState.Exclude(fsShowing);
    throw;
  }
  FFormState.Exclude(fsShowing);
  ShowWindow(Handle(), SW_HIDE);
  FActive = false;
}

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TCustomForm::Hide() { SetVisible(false); }

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (FOnCloseQuery) FOnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (FOnClose) FOnClose(this, Action);
}

void TCustomForm::Close() {
  if (FFormState.Contains(fsModal)) {
    FModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application()->MainForm() == this)
    Application()->Terminate();
  else if (action == caHide || action == caMinimize)
    Hide();
  else
    Release();
}

void TCustomForm::CloseModal() {
  try {
    TCloseAction action = caNone;
    if (CloseQuery()) {
      action = caHide;
      DoClose(action);
    }
    if (action == caNone)
      FModalResult = mrNone;
    else if (action == caFree)
      Release();
  } catch (...) {
    FModalResult = mrNone;
    Application()->HandleException(this);
  }
}

TModalResult TCustomForm::ShowModal() {
  CancelDrag();
  if (FVisible || !FEnabled || FFormState.Contains(fsModal))
    throw EInvalidOperation("Cannot make a visible window modal");
  if (const HWND captured = GetCapture()) SendMessageA(captured, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  FFormState.Include(fsModal);
  const HWND activeWindow = GetActiveWindow();
  TCustomForm* savedFocus = Screen()->FocusedForm();
  const int savedFocusCount = FocusCount;
  std::vector<TCustomForm*> disabled = Application()->DisableOtherForms(this);
  const auto restore = [&] {
    Application()->EnableForms(disabled);
    Screen()->SetFocusedForm(savedFocus);
    if (activeWindow && IsWindow(activeWindow)) SetActiveWindow(activeWindow);
    FocusCount = savedFocusCount;
    FFormState.Exclude(fsModal);
  };
  TModalResult result = mrNone;
  try {
    Show();
    try {
      SendMessageA(Handle(), CM_ACTIVATE, 0, 0);
      FModalResult = mrNone;
      Application()->RunModalLoop(this);
      result = FModalResult;
      SendMessageA(Handle(), CM_DEACTIVATE, 0, 0);
    } catch (...) {
      Hide();
      throw;
    }
    Hide();
  } catch (...) {
    restore();
    throw;
  }
  restore();
  return result;
}

void TCustomForm::RunModalStep() {
  if (Application()->Terminated())
    FModalResult = mrCancel;
  else if (FModalResult != mrNone)
    CloseModal();
}

void TCustomForm::Activate() {
  if (FOnActivate) FOnActivate(this);
}

void TCustomForm::Deactivate() {
  if (FOnDeactivate) FOnDeactivate(this);
}

void TCustomForm::DoShow() {
  if (FOnShow) FOnShow(this);
}

void TCustomForm::DoHide() {
  if (FOnHide) FOnHide(this);
}

void TCustomForm::Paint() {
  if (FOnPaint) FOnPaint(this);
}

void TCustomForm::WMPaint(TMessage& Message) {
  FControlState.Include(csCustomPaint);
  TWinControl::WMPaint(Message);
  FControlState.Exclude(csCustomPaint);
}

void TCustomForm::PaintWindow(HDC DC) {
  FCanvas->PaintOn(DC, [this] { Paint(); });
}
