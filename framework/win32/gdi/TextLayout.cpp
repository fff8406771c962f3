#include "framework/win32/gdi/TextLayout.h"

#include "framework/rtl/Checked.h"
#include "framework/win32/gdi/Utf8.h"

#include <algorithm>

namespace {

using TextRender::Saturate;

constexpr std::uint32_t TabStopBits = 0xFF00;
constexpr int DefaultTabCharacters = 8;
constexpr char32_t LineBreak = 0x2028; // stands for CR, LF or CR LF while laying out

// A character of the text, with the bytes it came from.
struct TItem {
  char32_t Code = 0;
  std::size_t Begin = 0; // first byte in the source, the prefix '&' included
  std::size_t End = 0;
  bool Marked = false; // preceded by a single '&'
};

struct TLine {
  std::vector<TItem> Items;
  std::vector<int> Positions; // pen before each item, and after the last
  int Marked = -1;            // index of the underlined item
  bool Cut = false;           // an ellipsis replaced [CutBegin, CutEnd) of the source
  std::size_t CutBegin = 0;
  std::size_t CutEnd = 0;
  std::size_t SourceEnd = 0; // the byte after the line's last character

  int Width() const { return Positions.empty() ? 0 : Positions.back(); }
};

struct TFormat {
  std::uint32_t Flags = 0;
  int TabWidth = 0;
  std::int64_t RectWidth = 0;

  bool Has(std::uint32_t flag) const { return (Flags & flag) != 0; }
};

TFormat ReadFormat(const TGdiFont& font, std::uint32_t format, const TRect& rect) {
  TFormat result;
  int tabCharacters = DefaultTabCharacters;
  if ((format & DT_TABSTOP) != 0) {
    tabCharacters = static_cast<int>((format & TabStopBits) >> 8);
    if (tabCharacters == 0) tabCharacters = DefaultTabCharacters;
    format &= ~TabStopBits;
  }
  result.Flags = format;
  result.TabWidth = tabCharacters * font.Metrics().tmAveCharWidth;
  result.RectWidth = static_cast<std::int64_t>(rect.Right) - rect.Left;
  return result;
}

// Decodes the text, resolving '&' marks and turning line ends into LineBreak items.
std::vector<TItem> ReadItems(std::string_view text, const TFormat& format) {
  std::vector<TItem> items;
  const bool prefixes = !format.Has(DT_NOPREFIX);
  const bool breaks = !format.Has(DT_SINGLELINE);
  std::size_t pos = 0;
  while (pos < text.size()) {
    TItem item;
    item.Begin = pos;
    char32_t code = NextCodePoint(text, pos);
    if (prefixes && code == U'&') {
      if (pos >= text.size()) break; // a lone '&' at the end shows nothing
      code = NextCodePoint(text, pos);
      item.Marked = code != U'&';
    }
    if (breaks && (code == U'\r' || code == U'\n')) {
      if (code == U'\r' && pos < text.size() && text[pos] == '\n') ++pos;
      code = LineBreak;
      item.Marked = false;
    }
    item.Code = code;
    item.End = pos;
    items.push_back(item);
  }
  return items;
}

class TLayoutEngine {
public:
  TLayoutEngine(const TGdiFont& font, const TFormat& format)
      : Glyphs(font.Glyphs()), Format(format) {}

  std::vector<TLine> Lines(const std::vector<TItem>& items, std::size_t sourceEnd);

private:
  int Advance(const TItem& item, int pen) {
    if (item.Code == U'\t' && Format.Has(DT_EXPANDTABS))
      return Format.TabWidth - pen % Format.TabWidth;
    return Glyphs.Advance(item.Code);
  }
  void Measure(TLine& line);
  void BreakParagraph(std::vector<TItem>::const_iterator begin,
                      std::vector<TItem>::const_iterator end, std::size_t sourceEnd,
                      std::vector<TLine>& lines);
  std::size_t LineLength(const std::vector<TItem>& items, std::size_t start, std::size_t& next);
  void Ellipsize(TLine& line, bool last);
  void CutAt(TLine& line, std::size_t keep, std::size_t tail);

  TGlyphCache& Glyphs;
  const TFormat& Format;
};

void TLayoutEngine::Measure(TLine& line) {
  line.Positions.assign(1, 0);
  line.Marked = -1;
  int pen = 0;
  for (std::size_t i = 0; i < line.Items.size(); ++i) {
    pen = CheckedAdd(pen, Advance(line.Items[i], pen));
    line.Positions.push_back(pen);
    if (line.Items[i].Marked) line.Marked = static_cast<int>(i);
  }
}

bool IsBlank(const TItem& item) { return item.Code == U' '; }

// How many items from start fill a line of the rectangle's width, breaking at blanks; next
// receives where the following line starts (blanks at the break are dropped).
std::size_t TLayoutEngine::LineLength(const std::vector<TItem>& items, std::size_t start,
                                      std::size_t& next) {
  std::size_t lastBreak = 0;
  bool canBreak = false;
  int pen = 0;
  auto skipBlanks = [&](std::size_t from) {
    while (from < items.size() && IsBlank(items[from])) ++from;
    return from;
  };
  for (std::size_t i = start; i < items.size(); ++i) {
    const int advance = Advance(items[i], pen);
    if (!IsBlank(items[i]) && i > start && std::int64_t{pen} + advance > Format.RectWidth) {
      if (canBreak) {
        next = skipBlanks(lastBreak);
        return lastBreak - start;
      }
      if (Format.Has(DT_EDITCONTROL)) {
        next = i;
        return i - start;
      }
      std::size_t wordEnd = i;
      while (wordEnd < items.size() && !IsBlank(items[wordEnd])) ++wordEnd;
      next = skipBlanks(wordEnd);
      return wordEnd - start;
    }
    if (IsBlank(items[i]) && i > start && !IsBlank(items[i - 1])) {
      lastBreak = i;
      canBreak = true;
    }
    pen = CheckedAdd(pen, advance);
  }
  next = items.size();
  return items.size() - start;
}

void TLayoutEngine::BreakParagraph(std::vector<TItem>::const_iterator begin,
                                   std::vector<TItem>::const_iterator end, std::size_t sourceEnd,
                                   std::vector<TLine>& lines) {
  const std::vector<TItem> paragraph(begin, end);
  const bool wrap = Format.Has(DT_WORDBREAK) && !Format.Has(DT_SINGLELINE);
  std::size_t start = 0;
  do {
    std::size_t next = paragraph.size();
    const std::size_t length = wrap ? LineLength(paragraph, start, next) : paragraph.size();
    TLine line;
    line.Items.assign(paragraph.begin() + static_cast<std::ptrdiff_t>(start),
                      paragraph.begin() + static_cast<std::ptrdiff_t>(start + length));
    Measure(line);
    const std::size_t lineEnd =
        start + length < paragraph.size() ? paragraph[start + length].Begin : sourceEnd;
    line.SourceEnd = lineEnd;
    lines.push_back(std::move(line));
    start = next;
  } while (start < paragraph.size());
}

std::vector<TLine> TLayoutEngine::Lines(const std::vector<TItem>& items, std::size_t sourceEnd) {
  std::vector<TLine> lines;
  auto begin = items.begin();
  while (true) {
    const auto end =
        std::find_if(begin, items.end(), [](const TItem& item) { return item.Code == LineBreak; });
    BreakParagraph(begin, end, end == items.end() ? sourceEnd : end->Begin, lines);
    if (end == items.end()) break;
    begin = end + 1;
  }
  for (std::size_t i = 0; i < lines.size(); ++i) Ellipsize(lines[i], i + 1 == lines.size());
  return lines;
}

// Keeps items [0, keep) and from tail on, with "..." between them.
void TLayoutEngine::CutAt(TLine& line, std::size_t keep, std::size_t tail) {
  const std::size_t lineEnd = line.SourceEnd;
  line.Cut = true;
  line.CutBegin = keep < line.Items.size() ? line.Items[keep].Begin : lineEnd;
  line.CutEnd = tail < line.Items.size() ? line.Items[tail].Begin : lineEnd;
  std::vector<TItem> items(line.Items.begin(),
                           line.Items.begin() + static_cast<std::ptrdiff_t>(keep));
  for (int dot = 0; dot < 3; ++dot)
    items.push_back(TItem{U'.', line.CutBegin, line.CutBegin, false});
  items.insert(items.end(), line.Items.begin() + static_cast<std::ptrdiff_t>(tail),
               line.Items.end());
  line.Items = std::move(items);
  Measure(line);
}

// A line too wide for the rectangle gets an ellipsis: with DT_PATH_ELLIPSIS before its last
// path component, with DT_WORD_ELLIPSIS at its end, with DT_END_ELLIPSIS at its end when it
// ends the text or lines are not wrapped (a wrapped word too long is cut by the clipping).
void TLayoutEngine::Ellipsize(TLine& line, bool last) {
  const bool wrapped = Format.Has(DT_WORDBREAK) && !Format.Has(DT_SINGLELINE);
  const bool end =
      Format.Has(DT_WORD_ELLIPSIS) || (Format.Has(DT_END_ELLIPSIS) && (last || !wrapped));
  const bool path = Format.Has(DT_PATH_ELLIPSIS);
  if ((!end && !path) || line.Width() <= Format.RectWidth) return;
  const int dots = 3 * Glyphs.Advance(U'.');
  const std::size_t count = line.Items.size();
  if (path) {
    std::size_t separator = count;
    for (std::size_t i = count; i-- > 0;)
      if (line.Items[i].Code == U'\\' || line.Items[i].Code == U'/') {
        separator = i;
        break;
      }
    if (separator < count) {
      const int tailWidth = line.Width() - line.Positions[separator];
      for (std::size_t keep = separator; keep-- > 0;)
        if (std::int64_t{line.Positions[keep]} + dots + tailWidth <= Format.RectWidth) {
          CutAt(line, keep, separator);
          return;
        }
    }
  }
  std::size_t keep = count;
  while (keep > 0 && std::int64_t{line.Positions[keep]} + dots > Format.RectWidth) --keep;
  CutAt(line, keep, count);
}

// The characters [0, count) of the items as UTF-8.
String ItemText(const std::vector<TItem>& items, std::size_t count) {
  String text;
  for (std::size_t i = 0; i < count; ++i) AppendUtf8(text, items[i].Code);
  return text;
}

String ModifiedText(std::string_view text, const std::vector<TLine>& lines) {
  String modified;
  std::size_t copied = 0;
  for (const TLine& line : lines) {
    if (!line.Cut) continue;
    modified.append(text.substr(copied, line.CutBegin - copied));
    modified += "...";
    copied = line.CutEnd;
  }
  modified.append(text.substr(copied));
  return modified;
}

struct TPlacedLines {
  std::vector<TLine> Lines;
  std::vector<TPoint> Origins; // top-left of each line's cell
  TTextLayout Summary;
};

int LineX(const TFormat& format, const TRect& rect, int width) {
  const std::int64_t left = rect.Left;
  if (format.Has(DT_CENTER)) return Saturate(left + (format.RectWidth - width) / 2);
  if (format.Has(DT_RIGHT)) return Saturate(std::int64_t{rect.Right} - width);
  return rect.Left;
}

int FirstLineY(const TFormat& format, const TRect& rect, int lineHeight) {
  if (!format.Has(DT_SINGLELINE)) return rect.Top;
  const std::int64_t top = rect.Top;
  const std::int64_t height = std::int64_t{rect.Bottom} - rect.Top;
  if (format.Has(DT_VCENTER)) return Saturate(top + (height - lineHeight) / 2);
  if (format.Has(DT_BOTTOM)) return Saturate(std::int64_t{rect.Bottom} - lineHeight);
  return rect.Top;
}

// The lines placed in the rectangle; their texts and the modified text go into the summary
// only when asked for (drawing needs neither).
TPlacedLines Place(const TGdiFont& font, std::string_view text, const TRect& rect,
                   std::uint32_t flags, bool withTexts) {
  TPlacedLines placed;
  const TFormat format = ReadFormat(font, flags, rect);
  const TEXTMETRICA& tm = font.Metrics();
  TTextLayout& summary = placed.Summary;
  summary.LineHeight = tm.tmHeight + (format.Has(DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
  summary.Extent = rect;
  if (withTexts) summary.Modified = String(text);
  if (text.empty()) return placed;
  TLayoutEngine engine(font, format);
  placed.Lines = engine.Lines(ReadItems(text, format), text.size());
  const int top = FirstLineY(format, rect, summary.LineHeight);
  int widest = 0;
  for (std::size_t i = 0; i < placed.Lines.size(); ++i) {
    const TLine& line = placed.Lines[i];
    const TPoint origin = Point(LineX(format, rect, line.Width()),
                                Saturate(top + static_cast<std::int64_t>(i) * summary.LineHeight));
    placed.Origins.push_back(origin);
    widest = std::max(widest, line.Width());
    if (!withTexts) continue;
    TLaidLine laid{ItemText(line.Items, line.Items.size()), origin.X, origin.Y, line.Width(), -1};
    if (line.Marked >= 0)
      laid.Underlined =
          static_cast<int>(ItemText(line.Items, static_cast<std::size_t>(line.Marked)).size());
    summary.Lines.push_back(std::move(laid));
  }
  const std::int64_t linesHeight =
      static_cast<std::int64_t>(placed.Lines.size()) * summary.LineHeight;
  summary.Height = Saturate(std::int64_t{top} - rect.Top + linesHeight);
  summary.Extent.Right = Saturate(std::int64_t{rect.Left} + widest);
  summary.Extent.Bottom = Saturate(rect.Top + linesHeight);
  if (withTexts) summary.Modified = ModifiedText(text, placed.Lines);
  return placed;
}

void DrawLine(TRaster& surface, std::span<const TRect> visible, const TGdiFont& font,
              const TTextState& state, const TFormat& format, const TLine& line, TPoint origin) {
  const TEXTMETRICA& tm = font.Metrics();
  const TFontLines& lines = font.Lines();
  const double baseX = origin.X;
  const double baseY = origin.Y + tm.tmAscent;
  const std::uint32_t ink = TextRender::PixelOf(state.TextColor);
  const bool prefixOnly = format.Has(DT_PREFIXONLY);
  if (state.BkMode == TTextState::Opaque && !prefixOnly)
    TextRender::FillTextBox(surface, visible, font, baseX, baseY, 0, -tm.tmAscent, line.Width(),
                            tm.tmDescent, TextRender::PixelOf(state.BkColor));
  if (!prefixOnly) {
    std::vector<char32_t> codes;
    std::vector<int> advances;
    codes.reserve(line.Items.size());
    advances.reserve(line.Items.size());
    for (std::size_t i = 0; i < line.Items.size(); ++i) {
      codes.push_back(line.Items[i].Code == U'\t' ? U' ' : line.Items[i].Code);
      advances.push_back(line.Positions[i + 1] - line.Positions[i]);
    }
    TextRender::DrawGlyphs(surface, visible, font, baseX, baseY, codes, advances, ink);
    if (font.LogFont().lfUnderline != 0)
      TextRender::FillTextBox(surface, visible, font, baseX, baseY, 0, lines.UnderlineTop,
                              line.Width(), lines.UnderlineTop + lines.UnderlineThickness, ink);
    if (font.LogFont().lfStrikeOut != 0)
      TextRender::FillTextBox(surface, visible, font, baseX, baseY, 0, lines.StrikeOutTop,
                              line.Width(), lines.StrikeOutTop + lines.StrikeOutThickness, ink);
  }
  if (line.Marked >= 0 && !format.Has(DT_HIDEPREFIX)) {
    const auto marked = static_cast<std::size_t>(line.Marked);
    TextRender::FillTextBox(surface, visible, font, baseX, baseY, line.Positions[marked],
                            lines.UnderlineTop, line.Positions[marked + 1],
                            lines.UnderlineTop + lines.UnderlineThickness, ink);
  }
}

} // namespace

TTextLayout LayoutDrawText(const TGdiFont& font, std::string_view text, const TRect& rect,
                           std::uint32_t format) {
  return Place(font, text, rect, format, true).Summary;
}

namespace Gdi {

int DrawText(const TTextTarget& target, const TGdiFont& font, const TTextState& state,
             std::string_view text, TRect& rect, std::uint32_t format, String* modified) {
  if (text.empty()) return 0;
  const TFormat flags = ReadFormat(font, format, rect);
  const TPlacedLines placed = Place(font, text, rect, format, flags.Has(DT_MODIFYSTRING));
  if (modified != nullptr && flags.Has(DT_MODIFYSTRING)) *modified = placed.Summary.Modified;
  if (flags.Has(DT_CALCRECT)) {
    rect = placed.Summary.Extent;
    return placed.Summary.Height;
  }
  if (target.Surface != nullptr) {
    const std::vector<TRect> visible =
        TextRender::VisibleRects(target, flags.Has(DT_NOCLIP) ? nullptr : &rect);
    for (std::size_t i = 0; i < placed.Lines.size(); ++i) {
      const TPoint origin = placed.Origins[i];
      if (flags.Has(DT_EDITCONTROL) && i > 0 && origin.Y + placed.Summary.LineHeight > rect.Bottom)
        break;
      DrawLine(*target.Surface, visible, font, state, flags, placed.Lines[i], origin);
    }
  }
  return placed.Summary.Height;
}

} // namespace Gdi
