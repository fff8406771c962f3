#include "framework/win32/user/EditBuffer.h"

#include "framework/rtl/Strings.h"
#include "framework/win32/gdi/Utf8.h"

#include <algorithm>

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool IsCrLf(std::string_view text, std::size_t pos) {
  return pos + 1 < text.size() && text[pos] == '\r' && text[pos + 1] == '\n';
}

// The next boundary of any UTF-8 text, CR LF taken as one character.
std::size_t StepForward(std::string_view text, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  if (IsCrLf(text, pos)) return pos + 2;
  NextCodePoint(text, pos);
  return pos;
}

} // namespace

void TEditBuffer::SetText(std::string_view text) {
  lastChange_ = TChange{0, text_.size(), 0};
  text_ = Cased(text);
  lastChange_.Inserted = text_.size();
  anchor_ = caret_ = 0;
  undoValid_ = false;
  modified_ = false;
  ++version_;
}

void TEditBuffer::Select(std::size_t anchor, std::size_t caret) {
  anchor_ = SnapToBoundary(std::min(anchor, text_.size()));
  caret_ = SnapToBoundary(std::min(caret, text_.size()));
}

bool TEditBuffer::ReplaceSelection(std::string_view text, TUndoMode undo) {
  const std::size_t start = SelStart(), end = SelEnd();
  const String cased = Cased(text);
  const std::size_t fits = FitToLimit(cased, end - start);
  const String insert = cased.substr(0, fits);
  if (insert.empty() && start == end) return fits == cased.size();
  const String removed = text_.substr(start, end - start);
  Change(start, end - start, insert);
  anchor_ = caret_ = start + insert.size();
  Remember(start, insert.size(), removed, undo);
  return fits == cased.size();
}

bool TEditBuffer::TypeCharacter(std::string_view character) {
  if (overwrite_ && !HasSelection() && caret_ < text_.size() && !IsBreakAt(caret_))
    Select(caret_, NextBoundary(caret_));
  return ReplaceSelection(character, TUndoMode::Typing);
}

bool TEditBuffer::DeleteBackward() {
  if (!HasSelection()) {
    if (caret_ == 0) return false;
    Select(PreviousBoundary(caret_), caret_);
  }
  ReplaceSelection("", TUndoMode::Deleting);
  return true;
}

bool TEditBuffer::DeleteForward() {
  if (!HasSelection()) {
    if (caret_ >= text_.size()) return false;
    Select(caret_, NextBoundary(caret_));
  }
  ReplaceSelection("", TUndoMode::Deleting);
  return true;
}

bool TEditBuffer::Undo() {
  if (!undoValid_) return false;
  const TUndoRecord last = undo_;
  const String current = text_.substr(last.Pos, last.Inserted);
  Change(last.Pos, last.Inserted, last.Removed);
  undo_ = TUndoRecord{last.Pos, last.Removed.size(), current, TUndoMode::Record};
  anchor_ = last.Pos;
  caret_ = last.Pos + last.Removed.size();
  return true;
}

std::size_t TEditBuffer::NextBoundary(std::size_t pos) const { return StepForward(text_, pos); }

std::size_t TEditBuffer::PreviousBoundary(std::size_t pos) const {
  if (pos == 0) return 0;
  pos = std::min(pos, text_.size());
  if (pos >= 2 && IsCrLf(text_, pos - 2)) return pos - 2;
  std::size_t start = pos - 1;
  while (start > 0 && pos - start < 4 && IsContinuation(text_[start])) --start;
  while (NextBoundary(start) < pos) start = NextBoundary(start);
  return start;
}

std::size_t TEditBuffer::SnapToBoundary(std::size_t pos) const {
  pos = std::min(pos, text_.size());
  if (pos == text_.size() || pos == 0) return pos;
  if (text_[pos] == '\n' && text_[pos - 1] == '\r') return pos - 1;
  if (!IsContinuation(text_[pos])) return pos;
  std::size_t start = pos;
  while (start > 0 && pos - start < 3 && IsContinuation(text_[start])) --start;
  return NextBoundary(start) > pos ? start : pos;
}

std::size_t TEditBuffer::NextWordStart(std::size_t pos) const {
  if (pos < text_.size() && IsBreakAt(pos)) return NextBoundary(pos);
  while (pos < text_.size() && !IsBlankAt(pos)) pos = NextBoundary(pos);
  while (pos < text_.size() && IsBlankAt(pos) && !IsBreakAt(pos)) pos = NextBoundary(pos);
  return pos;
}

std::size_t TEditBuffer::PreviousWordStart(std::size_t pos) const {
  if (pos > 0 && IsBreakAt(PreviousBoundary(pos))) return PreviousBoundary(pos);
  while (pos > 0 && IsBlankAt(PreviousBoundary(pos)) && !IsBreakAt(PreviousBoundary(pos)))
    pos = PreviousBoundary(pos);
  while (pos > 0 && !IsBlankAt(PreviousBoundary(pos))) pos = PreviousBoundary(pos);
  return pos;
}

std::pair<std::size_t, std::size_t> TEditBuffer::WordAt(std::size_t pos) const {
  pos = SnapToBoundary(pos);
  if (pos >= text_.size() || IsBreakAt(pos)) {
    if (pos == 0 || IsBreakAt(PreviousBoundary(pos))) return {pos, pos};
    pos = PreviousBoundary(pos);
  }
  const bool blank = IsBlankAt(pos);
  auto same = [&](std::size_t p) { return IsBlankAt(p) == blank && !IsBreakAt(p); };
  std::size_t first = pos, last = pos;
  while (first > 0 && same(PreviousBoundary(first))) first = PreviousBoundary(first);
  while (last < text_.size() && same(last)) last = NextBoundary(last);
  return {first, last};
}

String TEditBuffer::Cased(std::string_view text) const {
  switch (case_) {
  case TEditCase::Upper:
    return AnsiUpperCase(String(text));
  case TEditCase::Lower:
    return AnsiLowerCase(String(text));
  default:
    return String(text);
  }
}

std::size_t TEditBuffer::FitToLimit(std::string_view text, std::size_t replaced) const {
  const std::size_t kept = text_.size() - replaced;
  const std::size_t room = kept >= limit_ ? 0 : limit_ - kept;
  if (text.size() <= room) return text.size();
  std::size_t fits = 0;
  for (std::size_t next = StepForward(text, 0); next <= room && fits < text.size();
       next = StepForward(text, next))
    fits = next;
  return fits;
}

void TEditBuffer::Remember(std::size_t pos, std::size_t inserted, const String& removed,
                           TUndoMode mode) {
  if (mode == TUndoMode::None) {
    undoValid_ = false;
    return;
  }
  if (undoValid_ && mode == undo_.Mode && mode == TUndoMode::Typing && removed.empty() &&
      pos == undo_.Pos + undo_.Inserted) {
    undo_.Inserted += inserted;
    return;
  }
  if (undoValid_ && mode == undo_.Mode && mode == TUndoMode::Deleting && inserted == 0 &&
      undo_.Inserted == 0) {
    if (pos + removed.size() == undo_.Pos) {
      undo_.Pos = pos;
      undo_.Removed = removed + undo_.Removed;
      return;
    }
    if (pos == undo_.Pos) {
      undo_.Removed += removed;
      return;
    }
  }
  undo_ = TUndoRecord{pos, inserted, removed, mode};
  undoValid_ = true;
}

void TEditBuffer::Change(std::size_t pos, std::size_t length, const String& insert) {
  text_.replace(pos, length, insert);
  lastChange_ = TChange{pos, length, insert.size()};
  modified_ = true;
  ++version_;
}

bool TEditBuffer::IsBlankAt(std::size_t pos) const {
  const char c = text_[pos];
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool TEditBuffer::IsBreakAt(std::size_t pos) const { return IsCrLf(text_, pos); }
