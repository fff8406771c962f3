#include "framework/controls/MaskEdit.h"

#include "framework/win32/user/Clipboard.h"

namespace {

std::size_t ByteOfCell(const std::vector<String>& cells, std::size_t cell) {
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < cell && i < cells.size(); ++i) bytes += cells[i].size();
  return bytes;
}

std::size_t CellOfByte(const std::vector<String>& cells, std::size_t byte) {
  std::size_t bytes = 0, cell = 0;
  while (cell < cells.size() && bytes + cells[cell].size() <= byte) bytes += cells[cell++].size();
  return cell;
}

bool IsLeadOrAscii(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

std::size_t Utf8Length(unsigned char lead) {
  return lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
}

} // namespace

void TCustomMaskEdit::SetEditMask(const String& Value) {
  const String value = Text();
  FEditMask = Value;
  FMask = TEditMask(Value);
  SetText(value);
}

void TCustomMaskEdit::SetEditText(const String& Value) {
  if (!IsMasked()) return TControl::SetText(Value);
  TControl::SetText(TEditMask::Join(FMask.CellsOf(Value)));
}

String TCustomMaskEdit::Text() const {
  if (!IsMasked()) return GetText();
  return FMask.TextFromCells(Cells());
}

void TCustomMaskEdit::SetText(const String& Value) {
  if (!IsMasked()) return TControl::SetText(Value);
  TControl::SetText(TEditMask::Join(FMask.CellsFromText(Value)));
}

void TCustomMaskEdit::ValidateEdit() {
  if (!IsMasked()) return;
  if (const auto bad = FMask.FirstInvalid(Cells())) ValidateError(*bad);
}

void TCustomMaskEdit::ValidateError(std::size_t Position) {
  MessageBeep(0);
  if (HandleAllocated()) SetCaretCell(Cells(), Position);
  throw EDBEditError(SMaskEditErr);
}

void TCustomMaskEdit::Reset() {
  if (!IsMasked() || !Modified()) return;
  SetEditText(FOldValue);
  SetModified(false);
}

// Taking the focus back after a failed validation is no new entry.
void TCustomMaskEdit::DoEnter() {
  if (FRefocusing) return;
  FOldValue = EditText();
  TCustomEdit::DoEnter();
}

void TCustomMaskEdit::CMExit(TMessage& Message) {
  if (IsMasked() && !ComponentState().Contains(csDesigning)) {
    try {
      ValidateEdit();
    } catch (...) {
      const int caret = SelStart();
      FRefocusing = true;
      SetFocus();
      FRefocusing = false;
      SetSelStart(caret);
      throw;
    }
  }
  TCustomEdit::CMExit(Message);
}

void TCustomMaskEdit::Dispatch(TMessage& Message) {
  if (IsMasked() && !ReadOnly()) {
    switch (Message.Msg) {
    case CM_WANTSPECIALKEY:
      Message.Result = Message.WParam == VK_ESCAPE && Modified() ? 1 : 0;
      if (Message.Result) return;
      break;
    case WM_PASTE:
      return Paste();
    case WM_CUT:
      return Cut();
    case WM_CLEAR:
      return DeleteCells(false);
    default:
      break;
    }
  }
  TCustomEdit::Dispatch(Message);
}

std::pair<std::size_t, std::size_t> TCustomMaskEdit::SelectedCells() {
  const std::vector<String> cells = Cells();
  const auto start = static_cast<std::size_t>(SelStart());
  const auto end = start + static_cast<std::size_t>(SelLength());
  return {CellOfByte(cells, start), CellOfByte(cells, end)};
}

void TCustomMaskEdit::SetCaretCell(const std::vector<String>& Cells, std::size_t Cell) {
  const auto at = static_cast<LPARAM>(ByteOfCell(Cells, Cell));
  SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(at), at);
}

void TCustomMaskEdit::PutCells(const std::vector<String>& Cells, std::size_t Caret) {
  const String text = TEditMask::Join(Cells);
  if (text != EditText()) {
    TControl::SetText(text);
    SetModified(true);
  }
  SetCaretCell(Cells, Caret);
}

void TCustomMaskEdit::TypeCharacter(const String& Character) {
  std::vector<String> cells = Cells();
  const auto [first, last] = SelectedCells();
  const std::size_t at = FMask.NextInput(first);
  const std::optional<String> accepted =
      at < FMask.Length() ? FMask.Accept(at, Character) : std::nullopt;
  if (!accepted) {
    MessageBeep(0);
    return;
  }
  const std::vector<String> blank = FMask.BlankCells();
  for (std::size_t i = first; i < last; ++i) cells[i] = blank[i];
  cells[at] = *accepted;
  PutCells(cells, FMask.NextInput(at + 1));
}

// Bytes of UTF-8 come one key press each: a character is typed once it is whole.
void TCustomMaskEdit::TypeByte(char Code) {
  if (IsLeadOrAscii(Code)) FPending.clear();
  if (!IsLeadOrAscii(Code) && FPending.empty()) return;
  FPending += Code;
  if (FPending.size() < Utf8Length(static_cast<unsigned char>(FPending[0]))) return;
  const String character = FPending;
  FPending.clear();
  TypeCharacter(character);
}

void TCustomMaskEdit::DeleteCells(bool Backward) {
  std::vector<String> cells = Cells();
  const std::vector<String> blank = FMask.BlankCells();
  auto [first, last] = SelectedCells();
  if (first == last) {
    if (Backward) {
      const std::optional<std::size_t> before = FMask.PreviousInput(first);
      if (!before) return;
      first = *before;
    } else {
      first = FMask.NextInput(first);
      if (first >= cells.size()) return;
    }
    last = first + 1;
  }
  for (std::size_t i = first; i < last; ++i) cells[i] = blank[i];
  PutCells(cells, first);
}

void TCustomMaskEdit::MoveCaret(bool Forward) {
  const std::vector<String> cells = Cells();
  const std::size_t at = CellOfByte(cells, static_cast<std::size_t>(SelStart()));
  if (Forward) {
    const std::size_t next = at < cells.size() ? FMask.NextInput(at + 1) : at;
    return SetCaretCell(cells, std::min(next, cells.size()));
  }
  SetCaretCell(cells, FMask.PreviousInput(at).value_or(FMask.NextInput(0)));
}

void TCustomMaskEdit::Paste() {
  const std::optional<String> text = TextFromClipboard(Handle());
  if (!text) return;
  for (const String& c : Utf8Characters(text->c_str())) TypeCharacter(c);
}

void TCustomMaskEdit::Cut() {
  CopyToClipboard();
  DeleteCells(false);
}

void TCustomMaskEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (!IsMasked() || Key == 0) return;
  const bool shift = Shift.Contains(ssShift), control = Shift.Contains(ssCtrl);
  if (Key == VK_ESCAPE && Modified()) {
    Reset();
  } else if (ReadOnly() || control || (shift && Key != VK_DELETE && Key != VK_INSERT)) {
    return;
  } else if (Key == VK_LEFT || Key == VK_RIGHT) {
    MoveCaret(Key == VK_RIGHT);
  } else if (Key == VK_DELETE) {
    shift ? Cut() : DeleteCells(false);
  } else if (Key == VK_INSERT && shift) {
    Paste();
  } else {
    return;
  }
  Key = 0;
}

void TCustomMaskEdit::KeyPress(char& Key) {
  TCustomEdit::KeyPress(Key);
  if (!IsMasked() || Key == 0 || ReadOnly()) return;
  const auto code = static_cast<unsigned char>(Key);
  if (code == '\b') {
    DeleteCells(true);
  } else if (code == 0x16) {
    Paste();
  } else if (code == 0x18) {
    Cut();
  } else if (code >= 0x20 && code != 0x7F) {
    TypeByte(Key);
  } else {
    return;
  }
  Key = 0;
}
