#include "framework/controls/Edits.h"

#include "framework/rtl/Strings.h"
#include "framework/win32/WinGdiText.h"

#include <algorithm>

namespace {

DWORD CaseStyle(TEditCharCase c) {
  switch (c) {
  case ecUpperCase:
    return ES_UPPERCASE;
  case ecLowerCase:
    return ES_LOWERCASE;
  default:
    return 0;
  }
}

DWORD AlignmentStyle(TAlignment a) {
  switch (a) {
  case taRightJustify:
    return ES_RIGHT;
  case taCenter:
    return ES_CENTER;
  default:
    return ES_LEFT;
  }
}

DWORD ScrollStyleBits(TScrollStyle s) {
  switch (s) {
  case ssHorizontal:
    return WS_HSCROLL;
  case ssVertical:
    return WS_VSCROLL;
  case ssBoth:
    return WS_HSCROLL | WS_VSCROLL;
  default:
    return 0;
  }
}

String Cased(const String& s, TEditCharCase c) {
  if (c == ecUpperCase) return AnsiUpperCase(s);
  if (c == ecLowerCase) return AnsiLowerCase(s);
  return s;
}

} // namespace

// --- TCustomEdit -----------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csClickEvents, csSetCaption, csDoubleClicks, csFixedHeight};
  FWidth = 121;
  FHeight = 25;
  FTabStop = true;
  FColor = clWindow;
  FParentColor = false;
  FBrush->SetColor(FColor);
  AdjustHeight();
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, "EDIT");
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | CaseStyle(FCharCase);
  if (FBorderStyle == bsSingle) AddBorderStyle(Params);
  if (FPasswordChar != '\0') Params.Style |= ES_PASSWORD;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
}

void TCustomEdit::CreateWnd() {
  FCreating = true;
  try {
    TWinControl::CreateWnd();
  } catch (...) {
    FCreating = false;
    throw;
  }
  FCreating = false;
  const HWND h = Handle();
  SendMessageA(h, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FPasswordChar != '\0')
    SendMessageA(h, EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
  SendMessageA(h, EM_SETMODIFY, FModified ? 1 : 0, 0);
  SendMessageA(h, EM_SETSEL, static_cast<WPARAM>(FSelStart),
               static_cast<LPARAM>(FSelStart + FSelLength));
}

void TCustomEdit::DestroyWnd() {
  FModified = Modified();
  FSelStart = SelStart();
  FSelLength = SelLength();
  TWinControl::DestroyWnd();
}

void TCustomEdit::StyleChanged() {
  if (HandleAllocated()) RecreateWnd();
}

bool TCustomEdit::IsMultiLine() const {
  return HandleAllocated() &&
         (GetWindowLongA(const_cast<TCustomEdit*>(this)->Handle(), GWL_STYLE) & ES_MULTILINE);
}

void TCustomEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) return CNCommand(Message);
  TWinControl::Dispatch(Message);
}

void TCustomEdit::CNCommand(TMessage& Message) {
  if (Message.WParamHi() == EN_CHANGE && !FCreating) Change();
}

void TCustomEdit::Change() {
  Changed();
  if (FOnChange) FOnChange(this);
}

// The window tells of changes made to a one-line edit; without a window, and for a memo
// whose window stays silent about WM_SETTEXT, the change is told here.
void TCustomEdit::CMTextChanged(TMessage& Message) {
  TWinControl::CMTextChanged(Message);
  if (!HandleAllocated() || IsMultiLine()) Change();
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
  TWinControl::CMFontChanged(Message);
  AdjustHeight();
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect && !FControlState.Contains(csLButtonDown) && !IsMultiLine()) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::AdjustHeight() {
  if (!FAutoSize || FBorderStyle != bsSingle || dynamic_cast<TCustomMemo*>(this)) return;
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ saved = SelectObject(dc, FFont->Handle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, saved);
  ReleaseDC(nullptr, dc);
  SetHeight(static_cast<int>(metrics.tmHeight) + 8);
}

void TCustomEdit::SetMaxLength(int Value) {
  if (Value < 0) throw EInvalidOperation("MaxLength must not be negative: " + IntToStr(Value));
  FMaxLength = Value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(Value), 0);
}

void TCustomEdit::SetPasswordChar(char Value) {
  if (FPasswordChar == Value) return;
  FPasswordChar = Value;
  if (!HandleAllocated()) return;
  SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(Value), 0);
  Invalidate();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  const String cased = Cased(GetText(), Value);
  StyleChanged();
  SetText(cased);
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, Value ? 1 : 0, 0);
}

void TCustomEdit::SetAutoSize(bool Value) {
  if (FAutoSize == Value) return;
  FAutoSize = Value;
  AdjustHeight();
}

void TCustomEdit::SetHideSelection(bool Value) {
  if (FHideSelection == Value) return;
  FHideSelection = Value;
  StyleChanged();
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  StyleChanged();
  AdjustHeight();
}

int TCustomEdit::SelStart() {
  if (!HandleAllocated()) return FSelStart;
  DWORD start = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

int TCustomEdit::SelLength() {
  if (!HandleAllocated()) return FSelLength;
  DWORD start = 0, end = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int Value) {
  const int start = std::clamp(Value, 0, GetTextLen());
  if (!HandleAllocated()) {
    FSelStart = start;
    FSelLength = 0;
    return;
  }
  SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start);
}

void TCustomEdit::SetSelLength(int Value) {
  const int start = SelStart();
  const int end = std::clamp(start + std::max(Value, 0), start, GetTextLen());
  if (!HandleAllocated()) {
    FSelLength = end - start;
    return;
  }
  SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), end);
}

String TCustomEdit::SelText() {
  const String text = GetText();
  const auto start = std::min<std::size_t>(static_cast<std::size_t>(SelStart()), text.size());
  return text.substr(start, static_cast<std::size_t>(SelLength()));
}

void TCustomEdit::SetSelText(const String& Value) {
  if (HandleAllocated()) {
    SendMessageA(Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
    return;
  }
  String text = GetText();
  const auto start = std::min<std::size_t>(static_cast<std::size_t>(FSelStart), text.size());
  text.replace(start, static_cast<std::size_t>(FSelLength), Cased(Value, FCharCase));
  SetText(text);
  FSelStart = static_cast<int>(start + Value.size());
  FSelLength = 0;
}

bool TCustomEdit::Modified() {
  if (!HandleAllocated()) return FModified;
  return SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool Value) {
  FModified = Value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETMODIFY, Value ? 1 : 0, 0);
}

void TCustomEdit::Clear() { SetText(""); }

void TCustomEdit::ClearSelection() {
  if (HandleAllocated()) {
    SendMessageA(Handle(), WM_CLEAR, 0, 0);
  } else {
    SetSelText("");
  }
}

void TCustomEdit::CopyToClipboard() { SendMessageA(Handle(), WM_COPY, 0, 0); }
void TCustomEdit::CutToClipboard() { SendMessageA(Handle(), WM_CUT, 0, 0); }
void TCustomEdit::PasteFromClipboard() { SendMessageA(Handle(), WM_PASTE, 0, 0); }
void TCustomEdit::Undo() {
  if (HandleAllocated()) SendMessageA(Handle(), WM_UNDO, 0, 0);
}
void TCustomEdit::ClearUndo() {
  if (HandleAllocated()) SendMessageA(Handle(), EM_EMPTYUNDOBUFFER, 0, 0);
}
bool TCustomEdit::CanUndo() {
  return HandleAllocated() && SendMessageA(Handle(), EM_CANUNDO, 0, 0) != 0;
}

void TCustomEdit::SelectAll() {
  if (!HandleAllocated()) {
    FSelStart = 0;
    FSelLength = GetTextLen();
    return;
  }
  SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

// --- TEdit -----------------------------------------------------------------------------

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}

// --- TMemoStrings ----------------------------------------------------------------------

std::vector<String> TMemoStrings::Split() const {
  const String text = FMemo->GetText();
  std::vector<String> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t brk = text.find("\r\n", start);
    if (brk == String::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, brk - start));
    start = brk + 2;
  }
  return lines;
}

void TMemoStrings::Join(const std::vector<String>& Lines) {
  String text;
  for (const String& line : Lines) text += line + sLineBreak;
  FMemo->SetText(text);
}

void TMemoStrings::CheckIndex(Integer Index, Integer Count) const {
  if (Index < 0 || Index >= Count)
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

String TMemoStrings::Get(Integer Index) const {
  const std::vector<String> lines = Split();
  CheckIndex(Index, static_cast<Integer>(lines.size()));
  return lines[static_cast<std::size_t>(Index)];
}

Integer TMemoStrings::GetCount() const { return static_cast<Integer>(Split().size()); }

void TMemoStrings::Put(Integer Index, const String& S) {
  std::vector<String> lines = Split();
  CheckIndex(Index, static_cast<Integer>(lines.size()));
  lines[static_cast<std::size_t>(Index)] = S;
  Join(lines);
}

void TMemoStrings::Insert(Integer Index, const String& S) {
  std::vector<String> lines = Split();
  CheckIndex(Index, static_cast<Integer>(lines.size()) + 1);
  lines.insert(lines.begin() + Index, S);
  Join(lines);
}

void TMemoStrings::Delete(Integer Index) {
  std::vector<String> lines = Split();
  CheckIndex(Index, static_cast<Integer>(lines.size()));
  lines.erase(lines.begin() + Index);
  Join(lines);
}

void TMemoStrings::Clear() { FMemo->SetText(""); }

String TMemoStrings::GetTextStr() const { return FMemo->GetText(); }

void TMemoStrings::SetTextStr(const String& Text) { FMemo->SetText(Text); }

// --- TCustomMemo -----------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
  FWidth = 185;
  FHeight = 89;
  SetAutoSize(false);
  FControlStyle.Exclude(csFixedHeight);
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style |= ES_MULTILINE | AlignmentStyle(FAlignment) | ScrollStyleBits(FScrollBars);
  if (FWordWrap) Params.Style &= ~ES_AUTOHSCROLL;
}

void TCustomMemo::Dispatch(TMessage& Message) {
  if (Message.Msg != WM_GETDLGCODE) return TCustomEdit::Dispatch(Message);
  TCustomEdit::Dispatch(Message);
  if (FWantTabs) {
    Message.Result |= DLGC_WANTTAB;
  } else {
    Message.Result &= ~DLGC_WANTTAB;
  }
  if (!FWantReturns) Message.Result &= ~DLGC_WANTALLKEYS;
}

void TCustomMemo::KeyPress(char& Key) {
  TCustomEdit::KeyPress(Key);
  if ((Key == '\r' && !FWantReturns) || (Key == '\t' && !FWantTabs)) Key = '\0';
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  StyleChanged();
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  StyleChanged();
}

void TCustomMemo::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  StyleChanged();
}
