#include "lists/LumItems.h"

#include "framework/classes/Filer.h"
#include "framework/classes/Streams.h"
#include "framework/controls/WinControl.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Strings.h"
#include "framework/win32/WinGdiText.h"

#include <algorithm>
#include <cmath>

// TLumEintrag

TLumEintrag::TLumEintrag() = default;

TLumEintrag::~TLumEintrag() = default;

// TLumItemStrings

TLumItemStrings::TLumItemStrings(TWinControl* AControl, TItemStrings* AHost)
    : FControl(AControl), FHost(AHost) {}

TLumItemStrings::~TLumItemStrings() {
  FOnChange = nullptr;
  FOnChanging = nullptr;
  ReleaseAll();
}

void TLumItemStrings::ReleaseAll() {
  FList.Clear();
  FGivenBitmap.reset();
  FCount = 0;
  FCapacity = 0;
}

void TLumItemStrings::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= FCount) Error(SListIndexError, Index);
}

TLumEintrag* TLumItemStrings::Eintrag(Integer Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].Eintrag.get();
}

void TLumItemStrings::Changing() {
  if (FOnChanging) FOnChanging(this);
}

void TLumItemStrings::Changed() {
  if (FOnChange) FOnChange(this);
  OwnerChanged();
}

void TLumItemStrings::SetUpdateState(bool Updating) {
  if (Updating) {
    Changing();
    FHost->BeginUpdate();
  } else {
    UpdateEnded();
    FHost->EndUpdate();
    Changed();
  }
}

void TLumItemStrings::InBulk(const std::function<void()>& Action) {
  Updating([&] {
    BeginBulk();
    try {
      Action();
    } catch (...) {
      EndBulk();
      throw;
    }
    EndBulk();
  });
}

String TLumItemStrings::Get(Integer Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].Text;
}

void TLumItemStrings::SetCapacity(Integer NewCapacity) {
  if (NewCapacity < FCount || NewCapacity > LumMaxListSize) Error(SListCapacityError, NewCapacity);
  FCapacity = NewCapacity;
}

void TLumItemStrings::Grow() {
  const Integer delta = FCapacity > 64 ? FCapacity / 4 : (FCapacity > 8 ? 16 : 4);
  SetCapacity(std::min(FCapacity + delta, LumMaxListSize));
}

namespace {

// Equal fonts: assigning either to a new font gives the same font.
bool SameFont(TFont& A, TFont& B) {
  return A.Height() == B.Height() && A.Color() == B.Color() && A.Charset() == B.Charset() &&
         A.Pitch() == B.Pitch() && A.Style() == B.Style() &&
         A.PixelsPerInch() == B.PixelsPerInch() && A.Name() == B.Name();
}

// Copy, unless it already is a copy of Value.
template <class T> void CopyUnlessSame(std::shared_ptr<T>& Copy, T& Value, bool Same) {
  if (Copy && Same) return;
  auto copy = std::make_shared<T>();
  copy->Assign(&Value);
  Copy = std::move(copy);
}

} // namespace

std::shared_ptr<TFont> TLumItemStrings::DefaultFont() const {
  TFont* font = FControl->Font();
  CopyUnlessSame(FDefaultFont, *font, FDefaultFont && SameFont(*FDefaultFont, *font));
  return FDefaultFont;
}

std::unique_ptr<TLumEintrag> TLumItemStrings::NewDefaultEintrag() const {
  std::unique_ptr<TLumEintrag> e = NewEintrag();
  e->Bitmap.Share(FEmptyBitmap, true);
  e->Color = FControl->Color();
  e->Font.Share(DefaultFont());
  e->HelpContext = FControl->HelpContext();
  e->Hint = FControl->Hint();
  return e;
}

void TLumItemStrings::AssignBitmap(TLumEintrag& E, TBitmap* Value) {
  if (E.Bitmap.Own() || !Value) {
    E.Bitmap->Assign(Value);
    return;
  }
  CopyUnlessSame(FGivenBitmap, *Value, FGivenBitmap && SameBitmapImage(*FGivenBitmap, *Value));
  E.Bitmap.Share(FGivenBitmap);
}

void TLumItemStrings::AssignFont(TLumEintrag& E, TFont& Value) const {
  if (E.Font.Own()) {
    E.Font->Assign(&Value);
    return;
  }
  CopyUnlessSame(FGivenFont, Value, FGivenFont && SameFont(*FGivenFont, Value));
  E.Font.Share(FGivenFont);
}

// The host entry is inserted after the item, since the host measures the new row by its
// record; when the host refuses it, the item goes again and the indexes stay in step.
void TLumItemStrings::InsertItem(Integer Index, const String& S) {
  Changing();
  const int remembered = OwnerItemIndex();
  std::unique_ptr<TLumEintrag> e = NewDefaultEintrag();
  if (FCount == FCapacity) Grow();
  FList.Insert(static_cast<std::size_t>(Index), TLumItem{S, std::move(e)});
  ++FCount;
  try {
    FHost->Insert(Index, S);
  } catch (...) {
    FList.Delete(static_cast<std::size_t>(Index));
    --FCount;
    throw;
  }
  // An entry after the selection leaves it where it was.
  if (remembered < 0 || remembered >= Index) RestoreSelection(remembered);
  Changed();
}

Integer TLumItemStrings::Add(const String& S) {
  Integer index = FCount;
  if (FSorted && Find(S, index)) {
    if (FDuplicates == dupIgnore) return index;
    if (FDuplicates == dupError) Error(SDuplicateString, 0);
  }
  InsertItem(index, S);
  return index;
}

void TLumItemStrings::Insert(Integer Index, const String& S) {
  if (FSorted) Error(SSortedListError, 0);
  if (Index < 0 || Index > FCount) Error(SListIndexError, Index);
  InsertItem(Index, S);
}

void TLumItemStrings::Delete(Integer Index) {
  CheckIndex(Index);
  Changing();
  FList.Delete(static_cast<std::size_t>(Index));
  --FCount;
  FHost->Delete(Index);
  Changed();
}

void TLumItemStrings::Clear() {
  if (FCount == 0) return;
  Changing();
  ReleaseAll();
  FHost->Clear();
  Changed();
}

void TLumItemStrings::Put(Integer Index, const String& S) {
  if (FSorted) Error(SSortedListError, 0);
  CheckIndex(Index);
  Changing();
  const int remembered = OwnerItemIndex();
  FList[static_cast<std::size_t>(Index)].Text = S;
  FHost->Delete(Index);
  FHost->Insert(Index, S);
  SetOwnerItemIndex(remembered);
  Changed();
}

void TLumItemStrings::ExchangeItems(Integer Index1, Integer Index2) {
  std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
}

void TLumItemStrings::RefreshHostRow(Integer Index) {
  FHost->Delete(Index);
  FHost->Insert(Index, FList[static_cast<std::size_t>(Index)].Text);
}

void TLumItemStrings::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  ExchangeItems(Index1, Index2);
  const int remembered = OwnerItemIndex();
  RefreshHostRow(Index1);
  if (Index2 != Index1) RefreshHostRow(Index2);
  SetOwnerItemIndex(remembered);
  Changed();
}

void TLumItemStrings::RebuildHostRows() {
  const int remembered = OwnerItemIndex();
  FHost->BeginUpdate();
  try {
    FHost->Clear();
    for (Integer i = 0; i < FCount; ++i) FHost->Insert(i, FList[static_cast<std::size_t>(i)].Text);
  } catch (...) {
    FHost->EndUpdate();
    throw;
  }
  FHost->EndUpdate();
  SetOwnerItemIndex(remembered);
}

bool TLumItemStrings::Find(const String& S, Integer& Index) const {
  bool found = false;
  Integer l = 0, h = FCount - 1;
  while (l <= h) {
    const Integer middle = (l + h) >> 1;
    const int c = AnsiCompareText(FList[static_cast<std::size_t>(middle)].Text, S);
    if (c < 0) {
      l = middle + 1;
    } else {
      h = middle - 1;
      if (c == 0) {
        found = true;
        if (FDuplicates != dupAccept) l = middle;
      }
    }
  }
  Index = l;
  return found;
}

Integer TLumItemStrings::IndexOf(const String& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  Integer index = 0;
  return Find(S, index) ? index : -1;
}

void TLumItemStrings::QuickSort(Integer L, Integer R) {
  Integer i = L;
  do {
    i = L;
    Integer j = R;
    const String pivot = FList[static_cast<std::size_t>((L + R) >> 1)].Text;
    do {
      while (AnsiCompareText(FList[static_cast<std::size_t>(i)].Text, pivot) < 0) ++i;
      while (AnsiCompareText(FList[static_cast<std::size_t>(j)].Text, pivot) > 0) --j;
      if (i <= j) {
        ExchangeItems(i, j);
        ++i;
        --j;
      }
    } while (i <= j);
    if (L < j) QuickSort(L, j);
    L = i;
  } while (i < R);
}

void TLumItemStrings::Sort() {
  if (FSorted || FCount <= 1) return;
  Changing();
  QuickSort(0, FCount - 1);
  RebuildHostRows();
  Changed();
}

void TLumItemStrings::SetSorted(bool Value) {
  if (Value == FSorted) return;
  if (Value) Sort();
  FSorted = Value;
}

TBitmap* TLumItemStrings::GetBitmap(Integer Index) const { return Eintrag(Index)->Bitmap.get(); }
TColor TLumItemStrings::GetColor(Integer Index) const { return Eintrag(Index)->Color; }
TFont* TLumItemStrings::GetFont(Integer Index) const { return Eintrag(Index)->Font.get(); }
Integer TLumItemStrings::GetHelpContext(Integer Index) const { return Eintrag(Index)->HelpContext; }
String TLumItemStrings::GetHint(Integer Index) const { return Eintrag(Index)->Hint; }

void TLumItemStrings::SetColor(Integer Index, TColor Value) {
  TLumEintrag* e = Eintrag(Index);
  Changing();
  e->Color = Value;
  ItemColorChanged();
  Changed();
}

void TLumItemStrings::SetFont(Integer Index, TFont* Value) {
  TLumEintrag* e = Eintrag(Index);
  Changing();
  if (Value && e->Font.Peek()->Height() != Value->Height()) {
    Updating([&] {
      AssignFont(*e, *Value);
      ItemHeightChanged(Index);
    });
  } else if (Value) {
    AssignFont(*e, *Value);
  }
  Changed();
}

void TLumItemStrings::SetBitmap(Integer Index, TBitmap* Value) {
  TLumEintrag* e = Eintrag(Index);
  Changing();
  const int height = Value ? Value->Height() : 0;
  if (e->Bitmap.Peek()->Height() != height) {
    Updating([&] {
      AssignBitmap(*e, Value);
      ItemHeightChanged(Index);
    });
  } else {
    AssignBitmap(*e, Value);
  }
  Changed();
}

void TLumItemStrings::SetHelpContext(Integer Index, Integer Value) {
  TLumEintrag* e = Eintrag(Index);
  Changing();
  e->HelpContext = Value;
  Changed();
}

void TLumItemStrings::SetHint(Integer Index, const String& Value) {
  TLumEintrag* e = Eintrag(Index);
  Changing();
  e->Hint = Value;
  Changed();
}

void TLumItemStrings::PutEintrag(Integer Index, TLumEintrag* E) {
  TLumEintrag* old = Eintrag(Index);
  Changing();
  if (E != old) {
    std::unique_ptr<TLumEintrag> given(E);
    const bool otherHeight = old->Font.Peek()->Height() != E->Font.Peek()->Height() ||
                             old->Bitmap.Peek()->Height() != E->Bitmap.Peek()->Height();
    if (otherHeight) {
      InBulk([&] {
        const String text = FList[static_cast<std::size_t>(Index)].Text;
        Delete(Index);
        InsertItem(Index, text);
        FList[static_cast<std::size_t>(Index)].Eintrag = std::move(given);
        ItemReplaced(Index);
      });
    } else {
      FList[static_cast<std::size_t>(Index)].Eintrag = std::move(given);
    }
  }
  Changed();
}

// The source's items are taken as they stand before the first is added, so a collection
// appended to itself ends; an item that finds itself already there is left as it is.
void TLumItemStrings::AddItems(TLumItemStrings* Source) {
  std::vector<std::pair<String, const TLumEintrag*>> items;
  items.reserve(static_cast<std::size_t>(Source->Count()));
  for (Integer i = 0; i < Source->Count(); ++i)
    items.emplace_back(Source->Get(i), Source->Eintrag(i));
  InBulk([&] {
    for (const auto& [text, e] : items) {
      const Integer at = Add(text);
      if (Eintrag(at) == e) continue;
      SetBitmap(at, e->Bitmap.Peek());
      SetColor(at, e->Color);
      SetFont(at, e->Font.Peek());
      SetHelpContext(at, e->HelpContext);
      SetHint(at, e->Hint);
    }
  });
}

void TLumItemStrings::Assign(TPersistent* Source) {
  auto* items = dynamic_cast<TLumItemStrings*>(Source);
  if (!items || items->ClassType() != ClassType()) return TStrings::Assign(Source);
  if (items == this) return;
  Updating([&] {
    Clear();
    AddItems(items);
  });
}

// ---- form-file data ----

bool TLumItemStrings::TextsDiffer(TFiler* Filer) const {
  TPersistent* ancestor = Filer->Ancestor();
  if (!ancestor) return FCount > 0;
  auto* items = dynamic_cast<TLumItemStrings*>(ancestor);
  return !items || items->ClassType() != ClassType() || !Equals(items);
}

void TLumItemStrings::DefineProperties(TFiler* Filer) {
  Filer->DefineProperty(
      DataPrefix() + "Strings", [this](TReader* Reader) { ReadData(Reader); },
      [this](TWriter* Writer) { WriteData(Writer); }, TextsDiffer(Filer));
  Filer->DefineBinaryProperty(
      DataPrefix() + "Bitmaps", [this](TStream* Stream) { ReadBitmapData(Stream); },
      [this](TStream* Stream) { WriteBitmapData(Stream); }, Filer->Ancestor() || FCount > 0);
}

void TLumItemStrings::WriteItem(TWriter* Writer, const TLumItem& Item) const {
  const TLumEintrag& e = *Item.Eintrag;
  const TFont& font = *e.Font.Peek();
  Writer->WriteString(Item.Text);
  Writer->WriteInteger(e.Color);
  Writer->WriteInteger(e.HelpContext);
  Writer->WriteString(e.Hint);
  Writer->WriteString(font.Name());
  Writer->WriteInteger(font.Charset());
  Writer->WriteInteger(font.Color());
  Writer->WriteInteger(font.Height());
  Writer->WriteInteger(static_cast<Integer>(font.Pitch()));
  const TFontStyles style = font.Style();
  Writer->WriteBoolean(style.Contains(fsBold));
  Writer->WriteBoolean(style.Contains(fsItalic));
  Writer->WriteBoolean(style.Contains(fsUnderline));
  Writer->WriteBoolean(style.Contains(fsStrikeOut));
}

void TLumItemStrings::WriteData(TWriter* Writer) {
  Writer->WriteListBegin();
  for (Integer i = 0; i < FCount; ++i) WriteItem(Writer, FList[static_cast<std::size_t>(i)]);
  Writer->WriteListEnd();
}

namespace {

Int64 ReadInRange(TReader* Reader, Int64 Low, Int64 High, const char* What) {
  const Int64 v = Reader->ReadInt64();
  if (v < Low || v > High)
    throw ERangeError(String(What) + " " + std::to_string(v) + " is out of range");
  return v;
}

} // namespace

TLumItemStrings::TReadItem TLumItemStrings::ReadItem(TReader* Reader) const {
  TReadItem item{Reader->ReadString(), NewDefaultEintrag()};
  TLumEintrag& e = *item.Eintrag;
  e.Color = Reader->ReadInteger();
  e.HelpContext =
      static_cast<Integer>(ReadInRange(Reader, -2147483647, 2147483647, "Help context"));
  e.Hint = Reader->ReadString();
  // The values change a copy of the record's font, which the record then shares.
  TFont font;
  font.Assign(e.Font.Peek());
  font.SetName(Reader->ReadString());
  font.SetCharset(static_cast<TFontCharset>(ReadInRange(Reader, 0, 255, "Character set")));
  font.SetColor(Reader->ReadInteger());
  font.SetHeight(Reader->ReadInteger());
  font.SetPitch(static_cast<TFontPitch>(ReadInRange(Reader, fpDefault, fpFixed, "Font pitch")));
  TFontStyles style;
  const TFontStyle flags[] = {fsBold, fsItalic, fsUnderline, fsStrikeOut};
  for (TFontStyle flag : flags)
    if (Reader->ReadBoolean()) style.Include(flag);
  font.SetStyle(style);
  AssignFont(e, font);
  return item;
}

// Every item is read before the collection changes, so a broken value leaves it as it was.
// Items keep their stored order: a sorted collection merges nothing, and the bitmaps that
// follow meet the items they were written with.
void TLumItemStrings::ReadData(TReader* Reader) {
  Reader->ReadListBegin();
  std::vector<TReadItem> items;
  while (!Reader->EndOfList()) items.push_back(ReadItem(Reader));
  Reader->ReadListEnd();
  InBulk([&] {
    Clear();
    if (static_cast<Integer>(items.size()) > FCapacity)
      SetCapacity(static_cast<Integer>(items.size()));
    for (TReadItem& item : items) {
      InsertItem(FCount, item.Text);
      FList[static_cast<std::size_t>(FCount - 1)].Eintrag = std::move(item.Eintrag);
    }
  });
}

namespace {

constexpr Byte BitmapFollows = 0x59, NoBitmap = 0x4E; // "Y", "N"

} // namespace

// Items sharing one bitmap write the bytes it gave once.
void TLumItemStrings::WriteBitmapData(TStream* Stream) {
  const TBitmap* encoded = nullptr;
  TMemoryStream entry;
  for (Integer i = 0; i < FCount; ++i) {
    TBitmap* bitmap = FList[static_cast<std::size_t>(i)].Eintrag->Bitmap.Peek();
    if (bitmap->Empty()) {
      Stream->WriteBuffer(&NoBitmap, 1);
      continue;
    }
    if (bitmap != encoded) {
      entry.Clear();
      entry.WriteBuffer(&BitmapFollows, 1);
      bitmap->SaveToStream(&entry);
      encoded = bitmap;
    }
    Stream->WriteBuffer(entry.Memory(), entry.Size());
  }
}

namespace {

// True, past them, when Bytes follow at the stream's position; else the position stays.
bool SkipSameBytes(TStream* Stream, const std::vector<std::uint8_t>& Bytes,
                   std::vector<std::uint8_t>& Buffer) {
  if (Bytes.empty()) return false;
  const Int64 at = Stream->Position(), size = static_cast<Int64>(Bytes.size());
  Buffer.resize(Bytes.size());
  if (Stream->Read(Buffer.data(), size) == size && Buffer == Bytes) return true;
  Stream->SetPosition(at);
  return false;
}

// The bytes from From to the stream's position.
std::vector<std::uint8_t> BytesSince(TStream* Stream, Int64 From) {
  const Int64 to = Stream->Position();
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(to - From));
  Stream->SetPosition(From);
  Stream->ReadBuffer(bytes.data(), to - From);
  return bytes;
}

} // namespace

// All bitmaps are decoded before any item takes one, so a broken block changes nothing. An
// image of the same bytes as the one before it decodes to the same bitmap, which the items
// share.
void TLumItemStrings::ReadBitmapData(TStream* Stream) {
  std::vector<std::shared_ptr<TBitmap>> loaded(static_cast<std::size_t>(FCount));
  std::shared_ptr<TBitmap> last;
  std::vector<std::uint8_t> lastBytes, buffer;
  for (Integer i = 0; i < FCount; ++i) {
    Byte tag = 0;
    Stream->ReadBuffer(&tag, 1);
    if (tag != BitmapFollows) continue;
    if (!SkipSameBytes(Stream, lastBytes, buffer)) {
      const Int64 start = Stream->Position();
      auto bitmap = std::make_shared<TBitmap>();
      bitmap->LoadFromStream(Stream);
      if (bitmap->Empty())
        throw EReadError("The bitmap of item " + std::to_string(i) + " is missing");
      lastBytes = BytesSince(Stream, start);
      last = std::move(bitmap);
    }
    loaded[static_cast<std::size_t>(i)] = last;
  }
  InBulk([&] {
    for (Integer i = 0; i < FCount; ++i) {
      const std::shared_ptr<TBitmap>& bitmap = loaded[static_cast<std::size_t>(i)];
      if (!bitmap) continue;
      TItemPart<TBitmap>& part = FList[static_cast<std::size_t>(i)].Eintrag->Bitmap;
      if (part.Own())
        part->Assign(bitmap.get());
      else
        part.Share(bitmap);
    }
  });
}

// ---- measuring ----

namespace {

// One memory DC for measuring fonts, made with the GDI table alive before it, so it goes
// before the table does.
class TMeasureDc {
public:
  TMeasureDc() : FDc(CreateCompatibleDC(nullptr)) {}
  ~TMeasureDc() { DeleteDC(FDc); }
  TMeasureDc(const TMeasureDc&) = delete;
  TMeasureDc& operator=(const TMeasureDc&) = delete;
  HDC Dc() const { return FDc; }

private:
  HDC FDc;
};

int RoundEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }

} // namespace

TEXTMETRICA FontMetrics(TFont* Font) {
  static TMeasureDc measure;
  const HGDIOBJ old = SelectObject(measure.Dc(), Font->Handle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(measure.Dc(), &metrics);
  SelectObject(measure.Dc(), old);
  return metrics;
}

int BitmapItemHeight(TBitmap* Bitmap, int ControlWidth) {
  const int height = Bitmap->Height(), width = Bitmap->Width();
  if (static_cast<double>(ControlWidth) / width < 1.0)
    return RoundEven(static_cast<double>(ControlWidth) / width * height);
  return height;
}

int RichItemHeight(THeightRule Rule, int Height, TFont* ControlFont, TFont* ItemFont,
                   TBitmap* Bitmap, int ControlWidth) {
  Height = std::max(Height, static_cast<int>(FontMetrics(ControlFont).tmHeight));
  switch (Rule) {
  case THeightRule::FixFont:
    return Height;
  case THeightRule::Font:
    return FontMetrics(ItemFont).tmHeight;
  case THeightRule::Bitmap:
    return Bitmap->Empty() ? Height : BitmapItemHeight(Bitmap, ControlWidth);
  case THeightRule::FontBitmap: {
    const int font = FontMetrics(ItemFont).tmHeight;
    return Bitmap->Empty() ? font : std::max(font, BitmapItemHeight(Bitmap, ControlWidth));
  }
  }
  return Height;
}

// ---- painting ----

TRect BitmapRect(TBitmapPlacement Placement, TBitmap* Bitmap, const TRect& R) {
  const int bh = Bitmap->Height(), bw = Bitmap->Width();
  if (bh <= 0 || bw <= 0) return TRect(R.Left, R.Top, R.Left, R.Top);
  const double scale = static_cast<double>(R.Bottom - R.Top) / bh;
  const int sw = RoundEven(bw * scale), sh = RoundEven(bh * scale);
  switch (Placement) {
  case TBitmapPlacement::Left:
    return TRect(R.Left, R.Top, R.Left + sw, R.Top + sh);
  case TBitmapPlacement::Right:
    return TRect(R.Right - sw, R.Top, R.Right, R.Top + sh);
  case TBitmapPlacement::Center: {
    const int middle = (R.Right - R.Left) / 2;
    return TRect(middle - sw / 2, R.Top, middle + sw / 2, R.Top + sh);
  }
  case TBitmapPlacement::Stretch:
  case TBitmapPlacement::Pattern:
    break;
  }
  return R;
}

namespace {

TRect DrawBitmapTiles(TCanvas* Canvas, TBitmap* Bitmap, const TRect& R) {
  const int w = R.Bottom - R.Top, bw = Bitmap->Width();
  const int tile = std::min(Bitmap->Height(), w);
  TRect last(R.Left, R.Top, R.Left, R.Top);
  if (tile <= 0) return last;
  for (int column = 0; column <= (R.Right - R.Left) / bw; ++column)
    for (int row = 0; row < w / tile; ++row) {
      last = Bounds(R.Left + column * bw, R.Top + row * tile, bw, tile);
      Canvas->StretchDraw(last, Bitmap);
    }
  return last;
}

} // namespace

TRect DrawItemBitmap(TCanvas* Canvas, TBitmapPlacement Placement, TBitmap* Bitmap, const TRect& R) {
  if (Bitmap->Height() <= 0 || Bitmap->Width() <= 0) return TRect(R.Left, R.Top, R.Left, R.Top);
  if (Placement == TBitmapPlacement::Pattern) return DrawBitmapTiles(Canvas, Bitmap, R);
  const TRect place = BitmapRect(Placement, Bitmap, R);
  Canvas->StretchDraw(place, Bitmap);
  return place;
}

namespace {

[[noreturn]] void InvalidTabStop(const String& Entry) {
  throw Exception(Entry + " is an invalid tab stop");
}

void AddTabStop(const String& Entry, TStringList* Stops) {
  try {
    StrToInt(Entry);
  } catch (const EConvertError&) {
    InvalidTabStop(Entry);
  }
  Stops->Add(Entry);
}

} // namespace

void ParseTabStops(const String& Value, TStringList* Stops) {
  Stops->Clear();
  String entry;
  for (std::size_t i = 0; i < Value.size(); ++i) {
    if (Value[i] == ';' && i > 0) {
      AddTabStop(entry, Stops);
      entry.clear();
    } else {
      entry += Value[i];
    }
  }
  if (!entry.empty()) AddTabStop(entry, Stops);
}

String JoinTabStops(TStringList* Stops) {
  String text;
  for (Integer i = 0; i < Stops->Count(); ++i) {
    if (i > 0) text += ';';
    text += Stops->Strings(i);
  }
  return text;
}

std::vector<int> TabPositions(TStringList* Stops, int AverageCharWidth) {
  std::vector<int> positions;
  positions.reserve(static_cast<std::size_t>(Stops->Count()));
  for (Integer i = 0; i < Stops->Count(); ++i) {
    const String entry = Stops->Strings(i);
    try {
      positions.push_back(StrToInt(entry) * AverageCharWidth);
    } catch (const EConvertError&) {
      InvalidTabStop(entry);
    }
  }
  return positions;
}

void ApplyItemLook(TCanvas* Canvas, const TRichItemLook& Look, TLumEintrag* Item) {
  TFont* font = Look.AnyFonts ? Item->Font.Peek() : Look.ControlFont;
  Canvas->Brush()->SetColor(Look.AnyColors ? Item->Color : Look.ControlColor);
  Canvas->Pen()->SetColor(font->Color());
  Canvas->Font()->Assign(font);
}

bool ItemHasOwnColor(const TRichItemLook& Look, TLumEintrag* Item) {
  return Look.AnyColors && Item->Color != Look.ControlColor;
}

void HighlightBesideBitmap(TCanvas* Canvas, const TRect& R, const TRect& BitmapR) {
  Canvas->Brush()->SetColor(clHighlight);
  Canvas->Font()->SetColor(clHighlightText);
  Canvas->FillRect(TRect(R.Left, R.Top, BitmapR.Left, R.Bottom));
  Canvas->FillRect(TRect(BitmapR.Right, R.Top, R.Right, R.Bottom));
}

void DrawItemText(TCanvas* Canvas, int X, int Y, const String& Text, TStringList* TabStops,
                  bool UseTabStops) {
  const bool tabbed = UseTabStops && TabStops->Count() > 0;
  const std::vector<int> tabs =
      tabbed ? TabPositions(TabStops, FontMetrics(Canvas->Font()).tmAveCharWidth)
             : std::vector<int>{};
  Canvas->Brush()->SetStyle(bsClear);
  if (tabbed) {
    TabbedTextOutA(Canvas->Handle(), X, Y, Text.c_str(), static_cast<int>(Text.size()),
                   static_cast<int>(tabs.size()), tabs.data(), 0);
  } else {
    Canvas->TextOut(X, Y, Text);
  }
  Canvas->Brush()->SetStyle(bsSolid);
}

// ---- background picture ----

namespace {

// The part of the picture placed at Place that lies under Area, drawn unscaled.
void DrawPicturePart(TCanvas* Canvas, TBitmap* Picture, const TRect& Place, const TRect& Area) {
  if (!(Place.Left < Area.Right && Place.Right > Area.Left && Place.Top < Area.Bottom &&
        Place.Bottom > Area.Top))
    return;
  const int pw = Picture->Width(), ph = Picture->Height();
  const TRect source(
      std::clamp(Area.Left - Place.Left, 0, pw), std::clamp(Area.Top - Place.Top, 0, ph),
      std::clamp(Area.Right - Place.Left, 0, pw), std::clamp(Area.Bottom - Place.Top, 0, ph));
  if (source.Right <= source.Left || source.Bottom <= source.Top) return;
  const TRect dest =
      Bounds(Place.Left + source.Left, Place.Top + source.Top, source.Width(), source.Height());
  Canvas->CopyRect(dest, Picture->Canvas(), source);
}

} // namespace

void PaintBackgroundPicture(TCanvas* Canvas, TPicture* Picture, TBackgroundPlacement Placement,
                            const TRect& Area, int ClientWidth, int ClientHeight) {
  if (!Picture->Graphic() || Placement == TBackgroundPlacement::None) return;
  const int pw = Picture->Width(), ph = Picture->Height();
  if (pw < 1 || ph < 1 || ClientWidth < 1 || ClientHeight < 1) return;
  // Pictures of other kinds are drawn through their bitmap form.
  auto* bitmap = dynamic_cast<TBitmap*>(Picture->Graphic());
  TBitmap converted;
  if (!bitmap) {
    converted.Assign(Picture->Graphic());
    bitmap = &converted;
  }
  switch (Placement) {
  case TBackgroundPlacement::Center:
    DrawPicturePart(Canvas, bitmap,
                    TRect((ClientWidth - pw) / 2, (ClientHeight - ph) / 2, (ClientWidth + pw) / 2,
                          (ClientHeight + ph) / 2),
                    Area);
    break;
  case TBackgroundPlacement::Stretch: {
    const TRect source(Area.Left * pw / ClientWidth, Area.Top * ph / ClientHeight,
                       Area.Right * pw / ClientWidth, Area.Bottom * ph / ClientHeight);
    Canvas->CopyRect(Area, bitmap->Canvas(), source);
    break;
  }
  case TBackgroundPlacement::Pattern:
    for (int column = 0; column <= ClientWidth / pw; ++column)
      for (int row = 0; row <= ClientHeight / ph; ++row)
        DrawPicturePart(Canvas, bitmap, Bounds(column * pw, row * ph, pw, ph), Area);
    break;
  case TBackgroundPlacement::None:
    break;
  }
}
