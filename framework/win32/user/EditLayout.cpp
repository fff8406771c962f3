#include "framework/win32/user/EditLayout.h"

#include "framework/win32/gdi/Utf8.h"

#include <algorithm>

namespace {

constexpr int TabCharacters = 8;

bool IsCrLf(const String& text, std::size_t pos) {
  return pos + 1 < text.size() && text[pos] == '\r' && text[pos + 1] == '\n';
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

void TEditLayout::Build(const String& text, const TOptions& options) {
  text_ = &text;
  options_ = options;
  if (widthsFont_ != options.Font) {
    widths_.clear();
    widthsFont_ = options.Font;
  }
  lines_.clear();
  TEditLine line = LayOutLine(0);
  lines_.push_back(line);
  while (HasLineAfter(line)) {
    line = LayOutLine(line.Next);
    lines_.push_back(line);
  }
}

void TEditLayout::Update(std::size_t pos, std::size_t removed, std::size_t inserted) {
  if (!options_.MultiLine || lines_.empty()) return Build(*text_, options_);
  const int first = std::max(0, LineOf(std::min(pos, lines_.back().Next)) - 1);
  const std::vector<TEditLine> old = lines_;
  const std::size_t changeEnd = pos + inserted;
  auto shifted = [&](std::size_t p) { return p - removed + inserted; };
  lines_.resize(static_cast<std::size_t>(first));
  std::size_t oldIndex = static_cast<std::size_t>(first);
  TEditLine line = LayOutLine(old[oldIndex].Start);
  for (;;) {
    lines_.push_back(line);
    if (!HasLineAfter(line)) return;
    if (line.Next > changeEnd) {
      // The old lines that started after the change, moved by the change.
      while (oldIndex < old.size() &&
             (old[oldIndex].Start < pos + removed || shifted(old[oldIndex].Start) < line.Next))
        ++oldIndex;
      if (oldIndex < old.size() && shifted(old[oldIndex].Start) == line.Next) break;
    }
    line = LayOutLine(line.Next);
  }
  for (; oldIndex < old.size(); ++oldIndex) {
    TEditLine moved = old[oldIndex];
    moved.Start = shifted(moved.Start);
    moved.End = shifted(moved.End);
    moved.Next = shifted(moved.Next);
    lines_.push_back(moved);
  }
}

int TEditLayout::LineOf(std::size_t pos) const {
  const auto it = std::upper_bound(lines_.begin(), lines_.end(), pos,
                                   [](std::size_t p, const TEditLine& l) { return p < l.Start; });
  return std::max(0, static_cast<int>(it - lines_.begin()) - 1);
}

int TEditLayout::XOf(int line, std::size_t pos) const {
  if (line < 0 || line >= LineCount()) return 0;
  const TEditLine& l = lines_[static_cast<std::size_t>(line)];
  int x = 0;
  for (std::size_t p = l.Start; p < std::min(pos, l.End);) {
    const std::size_t next = NextCharacter(p);
    x += CharWidth(p, next, x);
    p = next;
  }
  return x;
}

std::size_t TEditLayout::PosAtX(int line, int x) const {
  if (line < 0 || line >= LineCount()) return 0;
  const TEditLine& l = lines_[static_cast<std::size_t>(line)];
  int at = 0;
  for (std::size_t p = l.Start; p < l.End;) {
    const std::size_t next = NextCharacter(p);
    const int w = CharWidth(p, next, at);
    if (x < at + (w + 1) / 2) return p;
    at += w;
    p = next;
  }
  return l.End;
}

int TEditLayout::MaxWidth() const {
  int widest = 0;
  for (const TEditLine& l : lines_) widest = std::max(widest, l.Width);
  return widest;
}

int TEditLayout::LineHeight() const {
  return options_.Font ? std::max(1, static_cast<int>(options_.Font->Metrics().tmHeight)) : 1;
}

int TEditLayout::CharWidth(std::size_t pos, std::size_t next, int x) const {
  if (!options_.Font) return 0;
  const String& text = *text_;
  char32_t code = options_.PasswordChar;
  if (!code) {
    std::size_t at = pos;
    code = NextCodePoint(text, at);
  }
  if (code == '\t' && options_.MultiLine) {
    const int stop =
        std::max(1, TabCharacters * static_cast<int>(options_.Font->Metrics().tmAveCharWidth));
    return stop - x % stop;
  }
  const auto it = widths_.find(code);
  if (it != widths_.end()) return it->second;
  String one;
  if (options_.PasswordChar) {
    AppendUtf8(one, code);
  } else {
    one = text.substr(pos, next - pos);
  }
  const int width = options_.Font->TextWidth(one);
  widths_.emplace(code, width);
  return width;
}

std::size_t TEditLayout::NextCharacter(std::size_t pos) const {
  const String& text = *text_;
  if (pos >= text.size()) return text.size();
  if (IsCrLf(text, pos)) return pos + 2;
  NextCodePoint(text, pos);
  return pos;
}

TEditLine TEditLayout::LayOutLine(std::size_t start) const {
  const String& text = *text_;
  TEditLine line{start, start, start, 0};
  std::size_t breakAfterBlank = 0; // where a wrap may go: after blanks, before a word
  int widthAtBreak = 0;
  int x = 0;
  std::size_t p = start;
  while (p < text.size()) {
    if (options_.MultiLine && IsCrLf(text, p)) {
      line.End = p;
      line.Next = p + 2;
      line.Width = x;
      return line;
    }
    const std::size_t next = NextCharacter(p);
    const int w = CharWidth(p, next, x);
    const bool blank = IsBlank(text[p]);
    if (options_.WrapWidth > 0 && !blank && x + w > options_.WrapWidth && p > start) {
      const std::size_t at = breakAfterBlank > start ? breakAfterBlank : p;
      line.End = line.Next = at;
      line.Width = breakAfterBlank > start ? widthAtBreak : x;
      return line;
    }
    x += w;
    p = next;
    if (blank && (p >= text.size() || !IsBlank(text[p]))) {
      breakAfterBlank = p;
      widthAtBreak = x;
    }
  }
  line.End = line.Next = text.size();
  line.Width = x;
  return line;
}

bool TEditLayout::HasLineAfter(const TEditLine& line) const {
  return line.Next < text_->size() || line.Next != line.End;
}
