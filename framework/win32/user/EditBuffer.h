#pragma once

#include "framework/rtl/Types.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

enum class TEditCase { Normal, Upper, Lower };

// How a replacement enters the one-level undo: merged into the typing or deleting before it
// when it continues that, as a record of its own, or not at all (the undo is emptied).
enum class TUndoMode { Typing, Deleting, Record, None };

// The text of an edit control without a window: UTF-8 bytes, a selection from an anchor to
// the caret (byte positions, always on character boundaries; CR LF counts as one character),
// a length limit in bytes, character case, overwrite mode and a one-level undo that undoes
// the last change, an undo included.
class TEditBuffer {
public:
  static constexpr std::size_t DefaultLimit = 0x7FFF;

  const String& Text() const { return text_; }
  // Counts the changes of the text.
  std::uint64_t Version() const { return version_; }
  // Where the last change replaced how many bytes by how many.
  struct TChange {
    std::size_t Pos = 0;
    std::size_t Removed = 0;
    std::size_t Inserted = 0;
  };
  const TChange& LastChange() const { return lastChange_; }
  std::size_t Length() const { return text_.size(); }
  std::size_t Anchor() const { return anchor_; }
  std::size_t Caret() const { return caret_; }
  std::size_t SelStart() const { return anchor_ < caret_ ? anchor_ : caret_; }
  std::size_t SelEnd() const { return anchor_ < caret_ ? caret_ : anchor_; }
  bool HasSelection() const { return anchor_ != caret_; }
  String SelectedText() const { return text_.substr(SelStart(), SelEnd() - SelStart()); }

  // Replaces everything (no limit, case applied), empties the undo, caret to the start.
  void SetText(std::string_view text);
  // Both ends clamped to the text and moved back to the start of the character they fall in.
  void Select(std::size_t anchor, std::size_t caret);
  void MoveCaret(std::size_t to, bool extend) { Select(extend ? anchor_ : to, to); }

  // Replaces the selection with as much of the text as the limit leaves room for, in whole
  // characters, with the case applied; the caret ends after it. False when the limit cut
  // the text.
  bool ReplaceSelection(std::string_view text, TUndoMode undo);
  // A typed character: replaces the selection, or in overwrite mode the character at the
  // caret (never a line break). False when the limit refused it.
  bool TypeCharacter(std::string_view character);
  // Backspace and Delete: the selection, else the character before / after the caret.
  bool DeleteBackward();
  bool DeleteForward();

  bool CanUndo() const { return undoValid_; }
  // Restores what the last change replaced and selects it; the undo then redoes.
  bool Undo();
  void EmptyUndo() { undoValid_ = false; }

  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  std::size_t Limit() const { return limit_; }
  void SetLimit(std::size_t limit) { limit_ = limit; }
  TEditCase CharCase() const { return case_; }
  void SetCharCase(TEditCase c) { case_ = c; }
  bool Overwrite() const { return overwrite_; }
  void SetOverwrite(bool overwrite) { overwrite_ = overwrite; }

  // Character boundaries around a position (which must be one).
  std::size_t NextBoundary(std::size_t pos) const;
  std::size_t PreviousBoundary(std::size_t pos) const;
  // The start of the character a byte position falls in.
  std::size_t SnapToBoundary(std::size_t pos) const;
  // Ctrl+Right: past the word and the blanks after it; Ctrl+Left: to the start of the word.
  std::size_t NextWordStart(std::size_t pos) const;
  std::size_t PreviousWordStart(std::size_t pos) const;
  // The word (or run of blanks) a position lies in, as [first, second).
  std::pair<std::size_t, std::size_t> WordAt(std::size_t pos) const;

private:
  struct TUndoRecord {
    std::size_t Pos = 0;
    std::size_t Inserted = 0;
    String Removed;
    TUndoMode Mode = TUndoMode::Record;
  };

  String Cased(std::string_view text) const;
  std::size_t FitToLimit(std::string_view text, std::size_t replaced) const;
  void Remember(std::size_t pos, std::size_t inserted, const String& removed, TUndoMode mode);
  bool IsBlankAt(std::size_t pos) const;
  bool IsBreakAt(std::size_t pos) const;
  void Change(std::size_t pos, std::size_t length, const String& insert);

  String text_;
  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
  std::size_t limit_ = DefaultLimit;
  TEditCase case_ = TEditCase::Normal;
  bool overwrite_ = false;
  bool modified_ = false;
  std::uint64_t version_ = 0;
  TChange lastChange_;
  bool undoValid_ = false;
  TUndoRecord undo_;
};
