#pragma once

#include "framework/classes/StringList.h"
#include "framework/controls/ItemStrings.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Picture.h"
#include "framework/rtl/BlockList.h"

#include <memory>
#include <vector>

// What the rich list box and the rich combo box share: the item record, the item collection
// over the control's host entries with its form-file data, and the rules by which an item is
// measured and painted. Each twin states its differences in its own unit.

using THelpContext = Integer;

// A record's bitmap or font. The collection may let several records share one object (a
// copy of the same picture or font) as long as none of them is handed out: the first access
// through get or -> gives the record an object of its own, equal to the shared one, which it
// keeps from then on. Peek reads without that copy, for painting, measuring and writing, and
// what it returns must not be changed. A record made alone gets a new object when first used.
template <class T> class TItemPart {
public:
  T* get() {
    MakeOwn();
    return FObject.get();
  }
  T* operator->() { return get(); }
  T& operator*() { return *get(); }
  T* Peek() const {
    if (!FObject) FObject = std::make_shared<T>();
    return FObject.get();
  }
  // True once the record has an object of its own, which may have been handed out.
  bool Own() const { return FObject && !FShared; }
  // Shares Object; Fresh says it stands for a new, unchanged object, so the record's own copy
  // is made new rather than assigned from it.
  void Share(std::shared_ptr<T> Object, bool Fresh = false) {
    FObject = std::move(Object);
    FShared = true;
    FFresh = Fresh;
  }

private:
  void MakeOwn() {
    if (Own()) return;
    auto own = std::make_shared<T>();
    if (FObject && !FFresh) own->Assign(FObject.get());
    FObject = std::move(own);
    FShared = false;
  }

  mutable std::shared_ptr<T> FObject;
  bool FShared = false;
  bool FFresh = false;
};

// An item's own look: the picture drawn with it, its background colour, the font of its text,
// its help context and its hint. The record owns its bitmap and font (see TItemPart).
class TLumEintrag : public TObject {
  LUM_CLASS(TLumEintrag, TObject)
public:
  TLumEintrag();
  ~TLumEintrag() override;

  TItemPart<TBitmap> Bitmap;
  TColor Color = clWindow;
  TItemPart<TFont> Font;
  THelpContext HelpContext = 0;
  String Hint;
};

// One entry of the collection: the item text and its record.
struct TLumItem {
  String Text;
  std::unique_ptr<TLumEintrag> Eintrag;
};
using TLumItemListe = TOwningBlockList<TLumItem>;

// The largest number of entries the entry array admits.
inline constexpr Integer LumMaxListSize = 134217728;

// The items of a rich list control: texts with records, kept in step with the control's host
// entries (one per item, in the same order), stored in form files as the defined properties
// "<Prefix>Strings" (texts and record values) and "<Prefix>Bitmaps" (the bitmaps).
class TLumItemStrings : public TStrings {
  LUM_CLASS(TLumItemStrings, TStrings)
public:
  TLumItemStrings(TWinControl* AControl, TItemStrings* AHost);
  ~TLumItemStrings() override;

  void Assign(TPersistent* Source) override;
  Integer Add(const String& S) override;
  void Clear() override;
  void Delete(Integer Index) override;
  void Exchange(Integer Index1, Integer Index2) override;
  Integer IndexOf(const String& S) const override;
  void Insert(Integer Index, const String& S) override;
  void SetCapacity(Integer NewCapacity) override;

  virtual TBitmap* GetBitmap(Integer Index) const;
  virtual TColor GetColor(Integer Index) const;
  virtual TFont* GetFont(Integer Index) const;
  virtual Integer GetHelpContext(Integer Index) const;
  virtual String GetHint(Integer Index) const;
  virtual void SetBitmap(Integer Index, TBitmap* Value);
  virtual void SetColor(Integer Index, TColor Value);
  virtual void SetFont(Integer Index, TFont* Value);
  virtual void SetHelpContext(Integer Index, Integer Value);
  virtual void SetHint(Integer Index, const String& Value);
  // Appends every item of another collection of the same class, records included.
  virtual void AddItems(TLumItemStrings* Source);
  // Binary search of a sorted collection: true when found; Index is the first equal text or
  // where S belongs.
  virtual bool Find(const String& S, Integer& Index) const;
  virtual void Sort();

  // The one place where items and their records are made.
  void InsertItem(Integer Index, const String& S);
  void ExchangeItems(Integer Index1, Integer Index2);
  void Grow();
  void QuickSort(Integer L, Integer R);
  void SetSorted(bool Value);

  LUM_PUBLISHED(TDuplicates, Duplicates, FDuplicates, Field, NoDefault)
  LUM_PUBLISHED(bool, Sorted, FSorted, SetSorted, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnChange, FOnChange, Field, NoDefault)
  LUM_PUBLISHED(TNotifyEvent, OnChanging, FOnChanging, Field, NoDefault)

  TWinControl* Control() const { return FControl; }
  // The host entries again from the items, after a reorder, so every row shows its item's
  // text and is measured for its item.
  void RebuildHostRows();

protected:
  void DefineProperties(TFiler* Filer) override;
  String Get(Integer Index) const override;
  Integer GetCapacity() const override { return FCapacity; }
  Integer GetCount() const override { return FCount; }
  void Put(Integer Index, const String& S) override;
  void SetUpdateState(bool Updating) override;
  virtual void Changed();
  virtual void Changing();

  TLumEintrag* Eintrag(Integer Index) const;
  // Hands a record to the collection in place of the one at Index; once the index is valid
  // the collection owns E.
  void PutEintrag(Integer Index, TLumEintrag* E);

  void ReadData(TReader* Reader);
  void WriteData(TWriter* Writer);
  void ReadBitmapData(TStream* Stream);
  void WriteBitmapData(TStream* Stream);

  // Where the twins differ.
  virtual String DataPrefix() const = 0; // "LumList", "LumComboBox"
  virtual std::unique_ptr<TLumEintrag> NewEintrag() const = 0;
  virtual int OwnerItemIndex() = 0;
  virtual void SetOwnerItemIndex(int Value) = 0;
  // The selection after an insertion, from the one before it.
  virtual void RestoreSelection(int Remembered) = 0;
  // An item's height may have changed (its font or bitmap did).
  virtual void ItemHeightChanged(Integer Index) = 0;
  // An item got a record of another height by PutEintrag.
  virtual void ItemReplaced(Integer Index) = 0;
  virtual void ItemColorChanged() = 0;
  virtual void BeginBulk() = 0;
  virtual void EndBulk() = 0;
  // The outermost update bracket is being closed.
  virtual void UpdateEnded() {}
  virtual void OwnerChanged() {}

private:
  struct TReadItem {
    String Text;
    std::unique_ptr<TLumEintrag> Eintrag;
  };

  void CheckIndex(Integer Index) const;
  // A record with the owning control's colour, font, help context and hint.
  std::unique_ptr<TLumEintrag> NewDefaultEintrag() const;
  std::shared_ptr<TFont> DefaultFont() const;
  // Value copied into the record: into its own object once it has one, else by sharing the
  // collection's copy of the last picture or font given that equals Value.
  void AssignBitmap(TLumEintrag& E, TBitmap* Value);
  void AssignFont(TLumEintrag& E, TFont& Value) const;
  void RefreshHostRow(Integer Index);
  bool TextsDiffer(TFiler* Filer) const;
  TReadItem ReadItem(TReader* Reader) const;
  void WriteItem(TWriter* Writer, const TLumItem& Item) const;
  void ReleaseAll();
  // Runs Action inside BeginUpdate and the twin's bulk bracket, both closed also on failure.
  void InBulk(const std::function<void()>& Action);

  TWinControl* FControl;
  TItemStrings* FHost;
  TLumItemListe FList; // an insertion moves pointers within one block
  Integer FCount = 0;
  Integer FCapacity = 0; // the entries the collection admits before it grows
  bool FSorted = false;
  TDuplicates FDuplicates = dupIgnore;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
  // The objects records share (see TItemPart).
  std::shared_ptr<TBitmap> FEmptyBitmap = std::make_shared<TBitmap>();
  std::shared_ptr<TBitmap> FGivenBitmap;
  mutable std::shared_ptr<TFont> FDefaultFont;
  mutable std::shared_ptr<TFont> FGivenFont;
};

// ---- measuring and painting, shared by both controls ----

// Where an item's bitmap goes in its row.
enum class TBitmapPlacement { Left, Right, Center, Stretch, Pattern };
// How the background picture covers the client area.
enum class TBackgroundPlacement { None, Center, Stretch, Pattern };
// Which of the item height rules applies.
enum class THeightRule { FixFont, Font, Bitmap, FontBitmap };

// A twin's style as the shared rule: both name the rules in the rule's order (each twin checks
// its own), so a style maps by its place; a value past Last takes the first rule.
template <auto Last, class TStyle> constexpr decltype(Last) StyleRule(TStyle Style) {
  using TRule = decltype(Last);
  const int place = static_cast<int>(Style);
  return place >= 0 && place <= static_cast<int>(Last) ? static_cast<TRule>(place) : TRule{};
}

// The font's text metrics, measured on a memory device context.
TEXTMETRICA FontMetrics(TFont* Font);

// A bitmap's height as drawn in a control of that width: scaled down with its aspect kept
// when it is wider than the control (halves rounded to even).
int BitmapItemHeight(TBitmap* Bitmap, int ControlWidth);
// The item height by rule, from the height the control starts with.
int RichItemHeight(THeightRule Rule, int Height, TFont* ControlFont, TFont* ItemFont,
                   TBitmap* Bitmap, int ControlWidth);

// The bitmap's rectangle in the item rectangle R (the empty rectangle at R's corner when the
// bitmap is empty); Pattern gives the last tile.
TRect BitmapRect(TBitmapPlacement Placement, TBitmap* Bitmap, const TRect& R);
// Draws the bitmap into the item rectangle as the placement says; returns BitmapRect.
TRect DrawItemBitmap(TCanvas* Canvas, TBitmapPlacement Placement, TBitmap* Bitmap, const TRect& R);

// The tab stop list from its text: entries separated by ";" (a ";" in the first place is part
// of the first entry), each an integer. A bad entry raises Exception "<entry> is an invalid
// tab stop", keeping the entries before it.
void ParseTabStops(const String& Value, TStringList* Stops);
String JoinTabStops(TStringList* Stops);
// Tab positions in pixels: each entry times the average character width.
std::vector<int> TabPositions(TStringList* Stops, int AverageCharWidth);

// What the item painter needs of the control.
struct TRichItemLook {
  TColor ControlColor;
  TFont* ControlFont;
  bool AnyColors;
  bool AnyFonts;
};

// Step 1 of the item painter: brush, pen and font from the item or the control.
void ApplyItemLook(TCanvas* Canvas, const TRichItemLook& Look, TLumEintrag* Item);
// True when the item paints its own colour over a background picture.
bool ItemHasOwnColor(const TRichItemLook& Look, TLumEintrag* Item);
// The highlight of a selected item, except under its bitmap's columns.
void HighlightBesideBitmap(TCanvas* Canvas, const TRect& R, const TRect& BitmapR);
// The item text at (X, Y), transparent, tabbed when there are tab positions.
void DrawItemText(TCanvas* Canvas, int X, int Y, const String& Text, TStringList* TabStops,
                  bool UseTabStops);

// Paints the part of the background picture under Area, the picture placed in a client area
// of ClientWidth x ClientHeight.
void PaintBackgroundPicture(TCanvas* Canvas, TPicture* Picture, TBackgroundPlacement Placement,
                            const TRect& Area, int ClientWidth, int ClientHeight);
