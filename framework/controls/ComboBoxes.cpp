#include "framework/controls/ComboBoxes.h"

#include "framework/controls/Forms.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Strings.h"
#include "framework/win32/user/WindowProcs.h"

#include <algorithm>

namespace {

constexpr TItemMessages ComboBoxItemMessages{
    CB_GETCOUNT,  CB_GETLBTEXTLEN, CB_GETLBTEXT,    CB_GETITEMDATA,  CB_SETITEMDATA,
    CB_ADDSTRING, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_FINDSTRINGEXACT};

LRESULT Send(TCustomComboBox* ComboBox, UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
  return SendMessageA(ComboBox->Handle(), Msg, WParam, LParam);
}

LPARAM TextParam(const String& S) { return reinterpret_cast<LPARAM>(S.c_str()); }

DWORD StyleBits(TComboBoxStyle Style) {
  switch (Style) {
  case csDropDown:
    return CBS_DROPDOWN;
  case csSimple:
    return CBS_SIMPLE;
  case csDropDownList:
    return CBS_DROPDOWNLIST;
  case csOwnerDrawFixed:
    return CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED;
  case csOwnerDrawVariable:
    return CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE;
  }
  return CBS_DROPDOWN;
}

} // namespace

// TCustomComboBox

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TItemStrings>(this, ComboBoxItemMessages)),
      FCanvas(std::make_unique<TControlCanvas>()) {
  FControlStyle = TControlStyle{csCaptureMouse, csSetCaption, csDoubleClicks, csFixedHeight};
  FWidth = 145;
  FHeight = 25;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FBrush->SetColor(FColor);
  FCanvas->SetControl(this);
  FItems->SetOnKeptCleared([this] { FSavedItemIndex = -1; });
  FEditInstance = MakeProcInstance(
      [this](HWND h, UINT m, WPARAM w, LPARAM l) { return EditWndProc(h, m, w, l); });
  FListInstance = MakeProcInstance(
      [this](HWND h, UINT m, WPARAM w, LPARAM l) { return ListWndProc(h, m, w, l); });
}

TCustomComboBox::~TCustomComboBox() {
  // The sub-windows call into this control until the window is gone.
  if (HandleAllocated()) DestroyWindowHandle();
  FreeProcInstance(FEditInstance);
  FreeProcInstance(FListInstance);
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "COMBOBOX");
  Params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | StyleBits(FStyle);
  if (Sorted()) Params.Style |= CBS_SORT;
  if (FCharCase == ecUpperCase) Params.Style |= CBS_UPPERCASE;
  if (FCharCase == ecLowerCase) Params.Style |= CBS_LOWERCASE;
  Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomComboBox::CreateWnd() {
  TWinControl::CreateWnd();
  Send(this, CB_LIMITTEXT, static_cast<WPARAM>(FMaxLength));
  RestoreEntries();
  Subclass();
}

// The edit field, and a simple combo box's list before it, take the framework's procedures.
void TCustomComboBox::Subclass() {
  FEditHandle = nullptr;
  FListHandle = nullptr;
  if (FStyle != csDropDown && FStyle != csSimple) return;
  HWND child = GetWindow(Handle(), GW_CHILD);
  if (FStyle == csSimple && child) {
    FListHandle = child;
    FDefListProc = reinterpret_cast<WNDPROC>(GetWindowLongA(child, GWL_WNDPROC));
    SetWindowLongA(child, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(FListInstance));
    child = GetWindow(child, GW_HWNDNEXT);
  }
  if (!child) return;
  FEditHandle = child;
  FDefEditProc = reinterpret_cast<WNDPROC>(GetWindowLongA(child, GWL_WNDPROC));
  SetWindowLongA(child, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(FEditInstance));
}

void TCustomComboBox::DestroyWnd() {
  SaveEntries();
  TWinControl::DestroyWnd();
  FEditHandle = nullptr;
  FListHandle = nullptr;
}

void TCustomComboBox::SaveEntries() {
  FItems->KeepEntries();
  FSavedItemIndex = ItemIndex();
}

void TCustomComboBox::RestoreEntries() {
  FItems->RestoreEntries({});
  if (FSavedItemIndex >= 0) {
    // A text set after the item keeps showing, as it would have with a window.
    const String text = GetText();
    Send(this, CB_SETCURSEL, static_cast<WPARAM>(FSavedItemIndex));
    if (FStyle == csDropDown || FStyle == csSimple) Send(this, WM_SETTEXT, 0, TextParam(text));
  }
  FSavedItemIndex = -1;
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  RecreateWnd();
}

int TCustomComboBox::ItemIndex() {
  if (!HandleAllocated()) return FSavedItemIndex;
  return static_cast<int>(Send(this, CB_GETCURSEL));
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (!HandleAllocated()) {
    // Choosing an entry shows it; none clears the text.
    FSavedItemIndex = Value;
    const bool entry = Value >= 0 && Value < FItems->Count();
    SetText(entry ? FItems->Strings(Value) : String());
    return;
  }
  if (ItemIndex() != Value) Send(this, CB_SETCURSEL, static_cast<WPARAM>(Value));
}

int TCustomComboBox::ItemHeight() const {
  if (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable || !HandleAllocated())
    return FItemHeight;
  return static_cast<int>(Send(const_cast<TCustomComboBox*>(this), CB_GETITEMHEIGHT, 0));
}

void TCustomComboBox::SetItemHeight(int Value) {
  if (Value <= 0 || FItemHeight == Value) return;
  FItemHeight = Value;
  RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int Value) {
  Value = std::max(0, Value);
  if (FMaxLength == Value) return;
  FMaxLength = Value;
  if (HandleAllocated()) Send(this, CB_LIMITTEXT, static_cast<WPARAM>(Value));
}

void TCustomComboBox::SetSorted(bool Value) {
  if (Sorted() == Value) return;
  FItems->SetSorted(Value);
  RecreateWnd();
}

void TCustomComboBox::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  RecreateWnd();
}

bool TCustomComboBox::DroppedDown() {
  return HandleAllocated() && Send(this, CB_GETDROPPEDSTATE) != 0;
}

void TCustomComboBox::SetDroppedDown(bool Value) { Send(this, CB_SHOWDROPDOWN, Value ? 1 : 0); }

int TCustomComboBox::SelStart() {
  DWORD start = 0;
  Send(this, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TCustomComboBox::SetSelStart(int Value) {
  Send(this, CB_SETEDITSEL, 0, MAKELPARAM(Value, Value));
}

int TCustomComboBox::SelLength() {
  DWORD start = 0, end = 0;
  Send(this, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end) - static_cast<int>(start);
}

void TCustomComboBox::SetSelLength(int Value) {
  const int start = SelStart();
  Send(this, CB_SETEDITSEL, 0, MAKELPARAM(start, start + Value));
}

String TCustomComboBox::SelText() {
  const String text = GetText();
  const auto start = static_cast<std::size_t>(std::max(0, SelStart()));
  if (start >= text.size()) return {};
  return text.substr(start, static_cast<std::size_t>(std::max(0, SelLength())));
}

void TCustomComboBox::SetSelText(const String& Value) {
  HandleNeeded();
  if (FEditHandle) SendMessageA(FEditHandle, EM_REPLACESEL, 0, TextParam(Value));
}

void TCustomComboBox::SelectAll() { Send(this, CB_SETEDITSEL, 0, MAKELPARAM(0, -1)); }

void TCustomComboBox::Clear() {
  SetText("");
  FItems->Clear();
}

void TCustomComboBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
  case CN_COMMAND:
    return CNCommand(Message);
  case CN_DRAWITEM:
    return CNDrawItem(Message);
  case CN_MEASUREITEM:
    return CNMeasureItem(Message);
  case CM_CANCELMODE:
    if (reinterpret_cast<TControl*>(Message.LParam) != this && HandleAllocated())
      Send(this, CB_SHOWDROPDOWN, 0);
    return;
  default:
    return TWinControl::Dispatch(Message);
  }
}

LRESULT TCustomComboBox::EditWndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return SubWindowProc(Window, Msg, WParam, LParam, FDefEditProc);
}

LRESULT TCustomComboBox::ListWndProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  return SubWindowProc(Window, Msg, WParam, LParam, FDefListProc);
}

LRESULT TCustomComboBox::SubWindowProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam,
                                       WNDPROC Previous) {
  TMessage m{Msg, WParam, LParam, 0};
  try {
    if (Msg == WM_SYSCOMMAND)
      WindowProc(m);
    else
      ComboWndProc(m, Window, Previous);
  } catch (...) {
    if (!ControlHooks().HandleException) throw;
    ControlHooks().HandleException(this);
  }
  return m.Result;
}

void TCustomComboBox::ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc) {
  switch (Message.Msg) {
  case WM_SETFOCUS:
    if (TCustomForm* form = GetParentForm(this); form && !form->SetFocusedControl(this)) return;
    break;
  case WM_KILLFOCUS:
    if (FControlState.Contains(csFocusing)) return;
    break;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN:
    if (ComboWnd != FListHandle && DoKeyDown(Message)) return;
    break;
  case WM_CHAR:
    if (DoKeyPress(Message)) return;
    if ((Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) && DroppedDown()) {
      SetDroppedDown(false);
      return;
    }
    break;
  case WM_KEYUP:
  case WM_SYSKEYUP:
    if (DoKeyUp(Message)) return;
    break;
  case WM_GETDLGCODE:
    if (DroppedDown()) {
      Message.Result = DLGC_WANTALLKEYS;
      return;
    }
    break;
  case CN_KEYDOWN:
  case CN_CHAR:
  case CN_SYSKEYDOWN:
  case CN_SYSCHAR:
    WndProc(Message);
    return;
  default:
    break;
  }
  Message.Result =
      CallWindowProcA(ComboProc, ComboWnd, Message.Msg, Message.WParam, Message.LParam);
  if (Message.Msg == WM_LBUTTONDBLCLK && FControlStyle.Contains(csDoubleClicks)) DblClick();
}

void TCustomComboBox::CNCommand(TMessage& Message) {
  switch (Message.WParamHi()) {
  case CBN_DBLCLK:
    DblClick();
    break;
  case CBN_EDITCHANGE:
    Change();
    break;
  case CBN_DROPDOWN:
    DropDown();
    AdjustDropDown();
    break;
  case CBN_SELCHANGE:
    if (const int i = ItemIndex(); i >= 0) SetText(FItems->Strings(i));
    Click();
    Change();
    break;
  default:
    break;
  }
}

void TCustomComboBox::AdjustDropDown() {
  const int rows = std::clamp(FItems->Count(), 1, std::max(1, FDropDownCount));
  SetWindowPos(Handle(), nullptr, 0, 0, FWidth, ItemHeight() * rows + FHeight + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::CNDrawItem(TMessage& Message) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
  const auto state = TOwnerDrawState::FromBits(item->itemState & 0xFFFF);
  const int index = static_cast<int>(item->itemID);
  FCanvas->SetHandle(item->hDC);
  FCanvas->Font()->Assign(FFont.get());
  FCanvas->Brush()->Assign(FBrush.get());
  if (index >= 0 && state.Contains(odSelected)) {
    FCanvas->Brush()->SetColor(clHighlight);
    FCanvas->Font()->SetColor(clHighlightText);
  }
  if (index >= 0)
    DrawItem(index, item->rcItem, state);
  else
    FCanvas->FillRect(item->rcItem);
  if (state.Contains(odFocused)) DrawFocusRect(item->hDC, &item->rcItem);
  FCanvas->SetHandle(nullptr);
  Message.Result = 1;
}

void TCustomComboBox::CNMeasureItem(TMessage& Message) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
  int height = FItemHeight;
  if (FStyle == csOwnerDrawVariable) MeasureItem(static_cast<int>(item->itemID), height);
  item->itemHeight = static_cast<UINT>(std::max(0, height));
  Message.Result = 1;
}

void TCustomComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
  if (FOnDrawItem) return FOnDrawItem(this, Index, Rect, State);
  FCanvas->FillRect(Rect);
  if (Index < FItems->Count()) FCanvas->TextOut(Rect.Left + 2, Rect.Top, FItems->Strings(Index));
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
  if (FOnMeasureItem) FOnMeasureItem(this, Index, Height);
}

void TCustomComboBox::Change() {
  if (FOnChange) FOnChange(this);
}

void TCustomComboBox::DropDown() {
  if (FOnDropDown) FOnDropDown(this);
}
