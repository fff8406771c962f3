#include "framework/classes/StringList.h"

#include "framework/classes/Filer.h"
#include "framework/classes/Streams.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"
#include "framework/rtl/Strings.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool NeedsQuotes(const String& s) {
  return s.empty() ||
         std::any_of(s.begin(), s.end(), [](char c) { return IsBlank(c) || c == '"' || c == ','; });
}

String Quoted(const String& s) {
  String out = "\"";
  for (char c : s) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

// Reads the quoted text starting at the opening quote at p; a doubled quote stands for one.
// Without a closing quote the text runs to the end.
String ExtractQuoted(const String& text, std::size_t& p) {
  String out;
  ++p;
  while (p < text.size()) {
    if (text[p] != '"') {
      out += text[p++];
    } else if (p + 1 < text.size() && text[p + 1] == '"') {
      out += '"';
      p += 2;
    } else {
      ++p;
      break;
    }
  }
  return out;
}

std::size_t SkipBlanks(const String& text, std::size_t p) {
  while (p < text.size() && IsBlank(text[p])) ++p;
  return p;
}

std::vector<String> SplitCommaText(const String& text) {
  std::vector<String> items;
  std::size_t p = SkipBlanks(text, 0);
  while (p < text.size()) {
    if (text[p] == '"') {
      items.push_back(ExtractQuoted(text, p));
    } else {
      const std::size_t start = p;
      while (p < text.size() && !IsBlank(text[p]) && text[p] != ',') ++p;
      items.push_back(text.substr(start, p - start));
    }
    p = SkipBlanks(text, p);
    if (p < text.size() && text[p] == ',') p = SkipBlanks(text, p + 1);
  }
  return items;
}

// Calls addLine with each line, without its CR, LF or CR LF end.
template <typename AddLine> void ForEachLine(const String& text, AddLine addLine) {
  std::size_t p = 0;
  while (p < text.size()) {
    std::size_t end = text.find_first_of("\r\n", p);
    if (end == String::npos) end = text.size();
    addLine(text.substr(p, end - p));
    p = end;
    if (p < text.size() && text[p] == '\r') ++p;
    if (p < text.size() && text[p] == '\n') ++p;
  }
}

String WithoutByteOrderMark(String text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
  return text;
}

} // namespace

// ---- TStrings ----

TStrings::~TStrings() = default;

void TStrings::Error(const String& message, Integer data) const {
  throw EListError(Format(message, {data}));
}

Integer TStrings::Add(const String& s) {
  const Integer index = GetCount();
  Insert(index, s);
  return index;
}

Integer TStrings::AddObject(const String& s, TObject* object) {
  const Integer index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::Append(const String& s) { Add(s); }

void TStrings::AddStrings(TStrings* strings) {
  if (strings == nullptr) return;
  // A copy first, so that adding a list to itself adds each of its lines once.
  std::vector<std::pair<String, TObject*>> lines;
  const Integer count = strings->Count();
  lines.reserve(static_cast<std::size_t>(count));
  for (Integer i = 0; i < count; ++i) lines.emplace_back(strings->Strings(i), strings->Objects(i));
  Updating([&] {
    for (const auto& [text, object] : lines) AddObject(text, object);
  });
}

void TStrings::Assign(TPersistent* source) {
  if (auto* strings = dynamic_cast<TStrings*>(source)) {
    if (strings == this) return;
    Updating([&] {
      Clear();
      AddStrings(strings);
    });
    return;
  }
  inherited::Assign(source);
}

void TStrings::InsertObject(Integer index, const String& s, TObject* object) {
  Insert(index, s);
  PutObject(index, object);
}

void TStrings::Exchange(Integer index1, Integer index2) {
  Updating([&] {
    const String text = Strings(index1);
    TObject* object = Objects(index1);
    SetStrings(index1, Strings(index2));
    SetObjects(index1, Objects(index2));
    SetStrings(index2, text);
    SetObjects(index2, object);
  });
}

void TStrings::Move(Integer curIndex, Integer newIndex) {
  if (curIndex == newIndex) return;
  const Integer count = GetCount();
  if (curIndex < 0 || curIndex >= count) Error(SListIndexError, curIndex);
  if (newIndex < 0 || newIndex >= count) Error(SListIndexError, newIndex);
  // The copy goes in before the original comes out, so a refused insertion loses nothing.
  Updating([&] {
    const String text = Get(curIndex);
    TObject* object = GetObject(curIndex);
    if (newIndex < curIndex) {
      InsertObject(newIndex, text, object);
      Delete(curIndex + 1);
    } else {
      InsertObject(newIndex + 1, text, object);
      Delete(curIndex);
    }
  });
}

bool TStrings::Equals(TStrings* strings) const {
  const Integer count = GetCount();
  if (strings == nullptr || count != strings->Count()) return false;
  for (Integer i = 0; i < count; ++i) {
    if (Get(i) != strings->Strings(i)) return false;
  }
  return true;
}

Integer TStrings::IndexOf(const String& s) const {
  const Integer count = GetCount();
  for (Integer i = 0; i < count; ++i) {
    if (AnsiCompareText(Get(i), s) == 0) return i;
  }
  return -1;
}

Integer TStrings::IndexOfName(const String& name) const {
  const Integer count = GetCount();
  for (Integer i = 0; i < count; ++i) {
    const String line = Get(i);
    const std::size_t separator = line.find('=');
    if (separator != String::npos && AnsiCompareText(line.substr(0, separator), name) == 0)
      return i;
  }
  return -1;
}

Integer TStrings::IndexOfObject(TObject* object) const {
  const Integer count = GetCount();
  for (Integer i = 0; i < count; ++i) {
    if (GetObject(i) == object) return i;
  }
  return -1;
}

void TStrings::BeginUpdate() {
  if (updateCount_ == 0) SetUpdateState(true);
  ++updateCount_;
}

void TStrings::EndUpdate() {
  if (updateCount_ == 0) return; // an EndUpdate without BeginUpdate
  --updateCount_;
  if (updateCount_ == 0) SetUpdateState(false);
}

void TStrings::LoadFromStream(TStream* stream) {
  const Int64 size = std::max<Int64>(stream->Size() - stream->Position(), 0);
  String text(static_cast<std::size_t>(size), '\0');
  stream->ReadBuffer(text.data(), size);
  SetTextStr(WithoutByteOrderMark(std::move(text)));
}

void TStrings::LoadFromFile(const String& fileName) {
  TMemoryStream stream;
  stream.LoadFromFile(fileName);
  LoadFromStream(&stream);
}

void TStrings::SaveToStream(TStream* stream) {
  const String text = GetTextStr();
  stream->WriteBuffer(text.data(), static_cast<Int64>(text.size()));
}

void TStrings::SaveToFile(const String& fileName) {
  TMemoryStream stream;
  SaveToStream(&stream);
  stream.SaveToFile(fileName);
}

void TStrings::DefineProperties(TFiler* filer) {
  filer->DefineProperty(
      "Strings", [this](TReader* reader) { ReadData(reader); },
      [this](TWriter* writer) { WriteData(writer); }, DiffersFromAncestor(filer));
}

bool TStrings::DiffersFromAncestor(TFiler* filer) {
  TPersistent* ancestor = filer->Ancestor();
  if (ancestor == nullptr) return GetCount() > 0;
  auto* strings = dynamic_cast<TStrings*>(ancestor);
  return strings == nullptr || !Equals(strings);
}

// All lines are read before any is replaced, so a broken stream leaves the list as it was.
void TStrings::ReadData(TReader* reader) {
  std::vector<String> lines;
  reader->ReadListBegin();
  while (!reader->EndOfList()) lines.push_back(reader->ReadString());
  reader->ReadListEnd();
  ReplaceLines(lines);
}

void TStrings::WriteData(TWriter* writer) {
  writer->WriteListBegin();
  const Integer count = GetCount();
  for (Integer i = 0; i < count; ++i) writer->WriteString(Get(i));
  writer->WriteListEnd();
}

void TStrings::SetCapacity(Integer) {}

Integer TStrings::GetCapacity() const { return GetCount(); }

TObject* TStrings::GetObject(Integer) const { return nullptr; }

void TStrings::PutObject(Integer, TObject*) {}

void TStrings::Put(Integer index, const String& s) {
  if (index < 0 || index >= GetCount()) Error(SListIndexError, index);
  TObject* object = GetObject(index);
  InsertObject(index, s, object);
  Delete(index + 1);
}

String TStrings::Names(Integer index) const {
  const String line = Get(index);
  const std::size_t separator = line.find('=');
  return separator == String::npos ? String() : line.substr(0, separator);
}

String TStrings::Values(const String& name) const {
  const Integer index = IndexOfName(name);
  if (index < 0) return String();
  const String line = Get(index);
  return line.substr(line.find('=') + 1);
}

void TStrings::SetValues(const String& name, const String& value) {
  const Integer index = IndexOfName(name);
  if (value.empty()) {
    if (index >= 0) Delete(index);
    return;
  }
  const String line = name + "=" + value;
  if (index < 0) {
    Add(line);
  } else {
    Put(index, line);
  }
}

String TStrings::GetTextStr() const {
  const Integer count = GetCount();
  String text;
  for (Integer i = 0; i < count; ++i) {
    text += Get(i);
    text += sLineBreak;
  }
  return text;
}

// Line by line into room made for them all: no second copy of a long text's lines, and no
// growing of the list on the way in.
void TStrings::SetTextStr(const String& text) {
  Integer lines = 0;
  ForEachLine(text, [&lines](const String&) { ++lines; });
  Updating([&] {
    Clear();
    SetCapacity(lines);
    ForEachLine(text, [this](const String& line) { Add(line); });
  });
}

String TStrings::CommaText() const {
  const Integer count = GetCount();
  String text;
  for (Integer i = 0; i < count; ++i) {
    if (i > 0) text += ',';
    const String line = Get(i);
    text += NeedsQuotes(line) ? Quoted(line) : line;
  }
  return text;
}

void TStrings::SetCommaText(const String& text) { ReplaceLines(SplitCommaText(text)); }

void TStrings::SetUpdateState(bool) {}

void TStrings::ReplaceLines(const std::vector<String>& lines) {
  Updating([&] {
    Clear();
    for (const String& line : lines) Add(line);
  });
}

// ---- TStringList ----

TStringList::~TStringList() {
  onChange_ = nullptr;
  onChanging_ = nullptr;
  ReleaseTexts();
}

void TStringList::ReleaseTexts() {
  for (Integer i = 0; i < count_; ++i) delete items_[i].Text;
}

const String& TStringList::TextOf(Integer index) const {
  static const String empty;
  const String* text = items_[index].Text;
  return text ? *text : empty;
}

String* TStringList::NewText(const String& s) { return s.empty() ? nullptr : new String(s); }

void TStringList::CheckIndex(Integer index) const {
  if (index < 0 || index >= count_) Error(SListIndexError, index);
}

int TStringList::CompareStrings(const String& a, const String& b) const {
  return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

Integer TStringList::Add(const String& s) {
  Integer index = count_;
  if (sorted_ && Find(s, index)) {
    if (duplicates_ == dupIgnore) return index;
    if (duplicates_ == dupError) Error(SDuplicateString, 0);
  }
  InsertItem(index, s);
  return index;
}

void TStringList::Clear() {
  if (count_ == 0) return;
  Changing();
  ReleaseTexts();
  count_ = 0;
  SetCapacity(0);
  Changed();
}

void TStringList::Delete(Integer index) {
  CheckIndex(index);
  Changing();
  delete items_[index].Text;
  std::copy(items_.begin() + index + 1, items_.begin() + count_, items_.begin() + index);
  --count_;
  items_[count_] = TStringItem{};
  Changed();
}

void TStringList::Exchange(Integer index1, Integer index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  Changing();
  ExchangeItems(index1, index2);
  Changed();
}

bool TStringList::Find(const String& s, Integer& index) const {
  bool found = false;
  Integer l = 0;
  Integer h = count_ - 1;
  while (l <= h) {
    const Integer middle = (l + h) >> 1;
    const int order = CompareStrings(TextOf(middle), s);
    if (order < 0) {
      l = middle + 1;
    } else {
      h = middle - 1;
      if (order == 0) found = true; // keep going left: the first equal line
    }
  }
  index = l;
  return found;
}

Integer TStringList::IndexOf(const String& s) const {
  if (sorted_) {
    Integer index = -1;
    return Find(s, index) ? index : -1;
  }
  for (Integer i = 0; i < count_; ++i) {
    if (CompareStrings(TextOf(i), s) == 0) return i;
  }
  return -1;
}

void TStringList::Insert(Integer index, const String& s) {
  if (sorted_) Error(SSortedListError, 0);
  if (index < 0 || index > count_) Error(SListIndexError, index);
  InsertItem(index, s);
}

void TStringList::InsertItem(Integer index, const String& s) {
  Changing();
  std::unique_ptr<String> text(NewText(s));
  if (count_ == Capacity()) SetCapacity(GrownCapacity(Capacity()));
  std::copy_backward(items_.begin() + index, items_.begin() + count_, items_.begin() + count_ + 1);
  items_[index] = TStringItem{text.release(), nullptr};
  ++count_;
  Changed();
}

void TStringList::ExchangeItems(Integer index1, Integer index2) {
  std::swap(items_[index1], items_[index2]);
}

void TStringList::Sort() {
  if (sorted_ || count_ < 2) return;
  Changing();
  SortByOwnComparison();
  Changed();
}

void TStringList::CustomSort(TStringListSortCompare compare) {
  if (sorted_ || count_ < 2) return;
  Changing();
  QuickSortRange(
      0, count_ - 1, [&](Integer i, Integer p) { return compare(this, i, p); },
      [&](Integer i, Integer j) { ExchangeItems(i, j); });
  Changed();
}

// The keys order as CompareStrings does; making one per line first is much cheaper than
// collating two texts in each comparison.
void TStringList::SortByOwnComparison() {
  std::vector<TCollationKey> keys;
  keys.reserve(static_cast<std::size_t>(count_));
  for (Integer i = 0; i < count_; ++i) {
    const String& text = TextOf(i);
    keys.push_back(caseSensitive_ ? AnsiCompareStrKey(text) : AnsiCompareTextKey(text));
  }
  QuickSortRange(
      0, count_ - 1,
      [&](Integer i, Integer p) {
        const auto order = keys[i] <=> keys[p];
        return order < 0 ? -1 : order > 0 ? 1 : 0;
      },
      [&](Integer i, Integer j) {
        ExchangeItems(i, j);
        std::swap(keys[i], keys[j]);
      });
}

void TStringList::SetCapacity(Integer capacity) {
  if (capacity < count_ || capacity > MaxListSize) Error(SListCapacityError, capacity);
  const auto size = static_cast<std::size_t>(capacity);
  if (size > items_.size()) {
    items_.reserve(size);
    items_.resize(size);
  } else {
    items_.resize(size);
    items_.shrink_to_fit();
  }
}

void TStringList::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  if (sorted) Sort();
  sorted_ = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
  if (caseSensitive == caseSensitive_) return;
  caseSensitive_ = caseSensitive;
  if (!sorted_ || count_ < 2) return;
  Changing();
  SortByOwnComparison();
  Changed();
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && onChange_) onChange_(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && onChanging_) onChanging_(this);
}

String TStringList::Get(Integer index) const {
  CheckIndex(index);
  return TextOf(index);
}

TObject* TStringList::GetObject(Integer index) const {
  CheckIndex(index);
  return items_[index].Object;
}

void TStringList::Put(Integer index, const String& s) {
  if (sorted_) Error(SSortedListError, 0);
  CheckIndex(index);
  Changing();
  String*& text = items_[index].Text;
  if (text && !s.empty()) {
    *text = s;
  } else {
    delete text;
    text = NewText(s);
  }
  Changed();
}

void TStringList::PutObject(Integer index, TObject* object) {
  CheckIndex(index);
  Changing();
  items_[index].Object = object;
  Changed();
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) {
    Changing();
  } else {
    Changed();
  }
}
