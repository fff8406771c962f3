#pragma once

#include "framework/rtl/Types.h"
#include "framework/win32/gdi/FontEngine.h"

#include <cstddef>
#include <string_view>
#include <unordered_map>
#include <vector>

// One line of an edit control: the bytes [Start, End) shown, Next where the following line
// starts (past the CR LF of a hard break, equal to End after a wrap).
struct TEditLine {
  std::size_t Start = 0;
  std::size_t End = 0;
  std::size_t Next = 0;
  int Width = 0;
};

// How an edit control's text falls into lines, and where its characters lie along them.
// A single-line layout is one line; a multi-line one breaks at CR LF and, with a wrap
// width, before the word that would cross it (inside a word longer than the width).
class TEditLayout {
public:
  struct TOptions {
    const TGdiFont* Font = nullptr;
    bool MultiLine = false;
    int WrapWidth = 0;         // 0: no wrapping
    char32_t PasswordChar = 0; // shown instead of every character when not 0
  };

  // The text is read where it lies, also by the queries below: lay out again after a change.
  void Build(const String& text, const TOptions& options);
  // After the bytes [pos, pos + removed) were replaced by `inserted` bytes: lays out again
  // from the line before the change until the lines meet the old ones again.
  void Update(std::size_t pos, std::size_t removed, std::size_t inserted);

  const std::vector<TEditLine>& Lines() const { return lines_; }
  int LineCount() const { return static_cast<int>(lines_.size()); }
  // The line a position lies on (a position at a wrap lies on the line that follows).
  int LineOf(std::size_t pos) const;
  // The distance of a position from the start of its line.
  int XOf(int line, std::size_t pos) const;
  // The character boundary of the line nearest to x (from the start of the line).
  std::size_t PosAtX(int line, int x) const;
  int MaxWidth() const;
  int LineHeight() const;
  // The width of one character placed at x (tabs reach the next stop).
  int CharWidth(std::size_t pos, std::size_t next, int x) const;
  std::size_t NextCharacter(std::size_t pos) const;

private:
  TEditLine LayOutLine(std::size_t start) const;
  bool HasLineAfter(const TEditLine& line) const;

  const String* text_ = nullptr;
  TOptions options_;
  std::vector<TEditLine> lines_;
  mutable std::unordered_map<char32_t, int> widths_;
  const TGdiFont* widthsFont_ = nullptr;
};
