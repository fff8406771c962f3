#pragma once

#include "framework/classes/Object.h"
#include "framework/rtl/Types.h"

#include <utility>
#include <vector>

inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
inline constexpr const char* SListCapacityError = "List capacity out of bounds (%d)";
inline constexpr const char* SListCountError = "List count out of bounds (%d)";

// The most entries a list can hold.
inline constexpr Integer MaxListSize = 134217727;

// The capacity a full list grows to: by a quarter above 64, by 16 above 8, else by 4.
Integer GrownCapacity(Integer capacity);

// The framework's quicksort over the positions l..r: the pivot is the entry in the middle,
// compare(i, p) compares entry i with the pivot entry p, exchange(i, j) swaps two entries.
// The scans never leave l..r, even for a comparison that is not a consistent order, and
// the recursion takes the smaller part, so its depth stays logarithmic.
template <typename Compare, typename Exchange>
void QuickSortRange(Integer l, Integer r, Compare compare, Exchange exchange) {
  while (l < r) {
    Integer i = l;
    Integer j = r;
    Integer p = l + (r - l) / 2;
    while (i <= j) {
      while (i < r && compare(i, p) < 0) ++i;
      while (j > l && compare(j, p) > 0) --j;
      if (i > j) break;
      exchange(i, j);
      if (p == i) {
        p = j;
      } else if (p == j) {
        p = i;
      }
      ++i;
      --j;
    }
    if (j - l < r - i) {
      QuickSortRange(l, j, compare, exchange);
      l = i;
    } else {
      QuickSortRange(i, r, compare, exchange);
      r = j;
    }
  }
}

using TListSortCompare = int (*)(void* item1, void* item2);

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// The framework's list of untyped pointers. It does not own what the pointers point to;
// a descendant that does overrides Notify and clears itself in its own destructor.
class TList : public TObject {
  LUM_CLASS(TList, TObject)

public:
  TList() = default;
  ~TList() override;

  // Raises EListError with the message formatted with data ("%d").
  [[noreturn]] static void Error(const String& message, Integer data);

  Integer Add(void* item);
  void Insert(Integer index, void* item);
  void Delete(Integer index);
  // Deletes the first entry equal to item; its former index, or -1.
  Integer Remove(void* item);
  // Takes the first entry equal to item out of the list; the item, or nullptr.
  void* Extract(void* item);
  virtual void Clear();
  // Deletes every nullptr entry.
  void Pack();

  Integer IndexOf(void* item) const;
  void* First() const;
  void* Last() const;

  void Exchange(Integer index1, Integer index2);
  void Move(Integer curIndex, Integer newIndex);
  void Sort(TListSortCompare compare);
  // Grows the capacity when the list is full.
  TList* Expand();

  void* Items(Integer index) const;
  void SetItems(Integer index, void* item);
  Integer Count() const { return count_; }
  // Shrinking deletes the entries beyond the new count; growing appends nullptr entries.
  void SetCount(Integer count);
  Integer Capacity() const { return static_cast<Integer>(slots_.size()); }
  void SetCapacity(Integer capacity);

protected:
  virtual void Grow();
  virtual void Notify(void* item, TListNotification action);

private:
  void CheckIndex(Integer index) const;

  std::vector<void*> slots_; // one slot per unit of capacity; unused slots hold nullptr
  Integer count_ = 0;
};
