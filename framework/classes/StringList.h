#pragma once

#include "framework/classes/List.h"
#include "framework/classes/Persistent.h"
#include "framework/rtl/Types.h"

class TStream;

#include <functional>
#include <type_traits>
#include <vector>

inline constexpr const char* SSortedListError = "Operation not allowed on sorted list";
inline constexpr const char* SDuplicateString = "String list does not allow duplicates";

// The line break Text writes after every line, as the framework does. Reading splits at
// CR LF, at LF and at CR alone.
inline constexpr const char* sLineBreak = "\r\n";

// The framework's abstract list of strings, each with an associated object. A descendant
// implements Get, GetCount, Insert, Delete and Clear; everything else is built on them and
// may be overridden where the descendant knows better.
class TStrings : public TPersistent {
  LUM_CLASS(TStrings, TPersistent)

public:
  ~TStrings() override;

  virtual Integer Add(const String& s);
  virtual Integer AddObject(const String& s, TObject* object);
  void Append(const String& s);
  virtual void AddStrings(TStrings* strings); // nullptr adds nothing
  // From any TStrings: the texts and objects; other sources as TPersistent does.
  void Assign(TPersistent* source) override;
  virtual void Clear() = 0;
  virtual void Delete(Integer index) = 0;
  virtual void Insert(Integer index, const String& s) = 0;
  void InsertObject(Integer index, const String& s, TObject* object);
  virtual void Exchange(Integer index1, Integer index2);
  // Moves the string and its object; both indexes must name existing lines.
  virtual void Move(Integer curIndex, Integer newIndex);

  // Same count and the same texts, letter case significant; objects are not compared.
  // False for nullptr.
  bool Equals(TStrings* strings) const;
  // Letter case ignored (AnsiCompareText); -1 when absent.
  virtual Integer IndexOf(const String& s) const;
  virtual Integer IndexOfName(const String& name) const;
  virtual Integer IndexOfObject(TObject* object) const;

  // Change notifications are held back from the first BeginUpdate to the last EndUpdate.
  void BeginUpdate();
  void EndUpdate();

  // The text from the stream's position to its end, as SetText reads it; a leading UTF-8
  // byte order mark is skipped.
  virtual void LoadFromStream(TStream* stream);
  virtual void LoadFromFile(const String& fileName);
  // Text at the stream's position.
  virtual void SaveToStream(TStream* stream);
  // Replaces the file whole (a temporary file renamed over it), never half of it.
  virtual void SaveToFile(const String& fileName);

  Integer Count() const { return GetCount(); }
  Integer Capacity() const { return GetCapacity(); }
  virtual void SetCapacity(Integer capacity);
  String Strings(Integer index) const { return Get(index); }
  void SetStrings(Integer index, const String& s) { Put(index, s); }
  TObject* Objects(Integer index) const { return GetObject(index); }
  void SetObjects(Integer index, TObject* object) { PutObject(index, object); }

  // Lines of the form name=value: the part before the first "=" of line index ("" when the
  // line has none); the part after it of the first line with that name ("" when absent).
  String Names(Integer index) const;
  String Values(const String& name) const;
  // Sets the value of the first line with that name, adding a line when there is none;
  // an empty value deletes the line.
  void SetValues(const String& name, const String& value);

  // Every line followed by sLineBreak.
  String Text() const { return GetTextStr(); }
  void SetText(const String& text) { SetTextStr(text); }
  // Lines separated by commas; a line that is empty or holds a blank, a control character,
  // a comma or a double quote is double-quoted, its quotes doubled. Reading splits at
  // commas and blanks outside quotes.
  String CommaText() const;
  void SetCommaText(const String& text);

protected:
  // The lines as the list value "Strings", stored when there are lines or when they differ
  // from the ancestor's.
  void DefineProperties(TFiler* filer) override;
  // Raises EListError with the message formatted with data ("%d").
  [[noreturn]] void Error(const String& message, Integer data) const;
  virtual String Get(Integer index) const = 0;
  virtual Integer GetCount() const = 0;
  virtual Integer GetCapacity() const;
  virtual TObject* GetObject(Integer index) const;
  virtual void Put(Integer index, const String& s);
  virtual void PutObject(Integer index, TObject* object);
  virtual String GetTextStr() const;
  virtual void SetTextStr(const String& text);
  virtual void SetUpdateState(bool updating);
  Integer UpdateCount() const { return updateCount_; }

  // Runs action inside BeginUpdate/EndUpdate; the bracket is closed also when it throws.
  template <typename Action> void Updating(Action action) {
    BeginUpdate();
    try {
      action();
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }

private:
  // Replaces every line by these texts inside one update bracket.
  void ReplaceLines(const std::vector<String>& lines);
  bool DiffersFromAncestor(TFiler* filer);
  void ReadData(TReader* reader);
  void WriteData(TWriter* writer);

  Integer updateCount_ = 0;
};

LUM_ENUM(TDuplicates, dupIgnore, dupAccept, dupError);

class TStringList;
// <0, 0 or >0 as line index1 of the list sorts before, with or after line index2.
using TStringListSortCompare = int (*)(TStringList* list, Integer index1, Integer index2);

// The framework's string list: lines with objects in an array growing as TList does,
// optionally kept sorted. The objects belong to the caller and are never freed here.
class TStringList : public TStrings {
  LUM_CLASS(TStringList, TStrings)

public:
  TStringList() = default;
  ~TStringList() override;

  // Sorted: the position Find gives; a duplicate is handled as Duplicates says.
  Integer Add(const String& s) override;
  void Clear() override;
  void Delete(Integer index) override;
  void Exchange(Integer index1, Integer index2) override;
  // Binary search of a sorted list: true when found; index is the first equal line or the
  // position s belongs at.
  virtual bool Find(const String& s, Integer& index) const;
  Integer IndexOf(const String& s) const override;
  void Insert(Integer index, const String& s) override;
  // Sorts an unsorted list (AnsiCompareText, or AnsiCompareStr when CaseSensitive).
  virtual void Sort();
  virtual void CustomSort(TStringListSortCompare compare);
  void SetCapacity(Integer capacity) override;

  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  bool Sorted() const { return sorted_; }
  // Switching on sorts the list; switching off keeps the order.
  void SetSorted(bool sorted);
  bool CaseSensitive() const { return caseSensitive_; }
  // A sorted list is sorted again by the new comparison.
  void SetCaseSensitive(bool caseSensitive);
  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }
  const TNotifyEvent& OnChanging() const { return onChanging_; }
  void SetOnChanging(TNotifyEvent handler) { onChanging_ = std::move(handler); }

protected:
  // AnsiCompareText, or AnsiCompareStr when CaseSensitive.
  int CompareStrings(const String& a, const String& b) const;
  // Outside an update bracket: OnChange / OnChanging.
  virtual void Changed();
  virtual void Changing();
  String Get(Integer index) const override;
  Integer GetCount() const override { return count_; }
  Integer GetCapacity() const override { return static_cast<Integer>(items_.size()); }
  TObject* GetObject(Integer index) const override;
  void Put(Integer index, const String& s) override;
  void PutObject(Integer index, TObject* object) override;
  // Opening a bracket announces Changing, closing it Changed.
  void SetUpdateState(bool updating) override;

private:
  // A plain pair, so that inserting and deleting shift entries as raw memory, as the
  // framework's array does; the list owns Text and deletes it with the entry. An empty line
  // has no Text: it costs no allocation of its own.
  struct TStringItem {
    String* Text = nullptr;
    TObject* Object = nullptr;
  };
  static_assert(std::is_trivially_copyable_v<TStringItem>);

  void ReleaseTexts(); // of the entries 0 .. Count - 1
  const String& TextOf(Integer index) const;
  static String* NewText(const String& s); // nullptr for the empty line
  void CheckIndex(Integer index) const;
  void InsertItem(Integer index, const String& s);
  void ExchangeItems(Integer index1, Integer index2);
  void SortByOwnComparison();

  std::vector<TStringItem> items_; // one per unit of capacity; unused ones stay empty
  Integer count_ = 0;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  TDuplicates duplicates_ = dupIgnore;
  TNotifyEvent onChange_;
  TNotifyEvent onChanging_;
};
