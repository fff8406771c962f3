#include "framework/classes/List.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Format.h"

#include <algorithm>

Integer GrownCapacity(Integer capacity) {
  Integer delta = 4;
  if (capacity > 64) {
    delta = capacity / 4;
  } else if (capacity > 8) {
    delta = 16;
  }
  return capacity + delta;
}

TList::~TList() { Clear(); }

void TList::Error(const String& message, Integer data) {
  throw EListError(Format(message, {data}));
}

void TList::CheckIndex(Integer index) const {
  if (index < 0 || index >= count_) Error(SListIndexError, index);
}

Integer TList::Add(void* item) {
  const Integer index = count_;
  if (index == Capacity()) Grow();
  slots_[index] = item;
  ++count_;
  if (item != nullptr) Notify(item, lnAdded);
  return index;
}

void TList::Insert(Integer index, void* item) {
  if (index < 0 || index > count_) Error(SListIndexError, index);
  if (count_ == Capacity()) Grow();
  std::copy_backward(slots_.begin() + index, slots_.begin() + count_, slots_.begin() + count_ + 1);
  slots_[index] = item;
  ++count_;
  if (item != nullptr) Notify(item, lnAdded);
}

void TList::Delete(Integer index) {
  CheckIndex(index);
  void* item = slots_[index];
  std::copy(slots_.begin() + index + 1, slots_.begin() + count_, slots_.begin() + index);
  --count_;
  slots_[count_] = nullptr;
  if (item != nullptr) Notify(item, lnDeleted);
}

Integer TList::Remove(void* item) {
  const Integer index = IndexOf(item);
  if (index >= 0) Delete(index);
  return index;
}

void* TList::Extract(void* item) {
  const Integer index = IndexOf(item);
  if (index < 0) return nullptr;
  slots_[index] = nullptr;
  Delete(index);
  if (item != nullptr) Notify(item, lnExtracted);
  return item;
}

void TList::Clear() {
  SetCount(0);
  SetCapacity(0);
}

void TList::Pack() {
  for (Integer i = count_ - 1; i >= 0; --i) {
    if (slots_[i] == nullptr) Delete(i);
  }
}

Integer TList::IndexOf(void* item) const {
  const auto end = slots_.begin() + count_;
  const auto found = std::find(slots_.begin(), end, item);
  return found == end ? -1 : static_cast<Integer>(found - slots_.begin());
}

void* TList::First() const { return Items(0); }

void* TList::Last() const { return Items(count_ - 1); }

void TList::Exchange(Integer index1, Integer index2) {
  CheckIndex(index1);
  CheckIndex(index2);
  std::swap(slots_[index1], slots_[index2]);
}

void TList::Move(Integer curIndex, Integer newIndex) {
  if (curIndex == newIndex) return;
  CheckIndex(newIndex);
  CheckIndex(curIndex);
  const auto from = slots_.begin() + curIndex;
  const auto to = slots_.begin() + newIndex;
  if (curIndex < newIndex) {
    std::rotate(from, from + 1, to + 1);
  } else {
    std::rotate(to, from, from + 1);
  }
}

void TList::Sort(TListSortCompare compare) {
  if (count_ < 2) return;
  QuickSortRange(
      0, count_ - 1, [&](Integer i, Integer p) { return compare(slots_[i], slots_[p]); },
      [&](Integer i, Integer j) { std::swap(slots_[i], slots_[j]); });
}

TList* TList::Expand() {
  if (count_ == Capacity()) Grow();
  return this;
}

void* TList::Items(Integer index) const {
  CheckIndex(index);
  return slots_[index];
}

void TList::SetItems(Integer index, void* item) {
  CheckIndex(index);
  void* old = slots_[index];
  if (old == item) return;
  slots_[index] = item;
  if (old != nullptr) Notify(old, lnDeleted);
  if (item != nullptr) Notify(item, lnAdded);
}

void TList::SetCount(Integer count) {
  if (count < 0 || count > MaxListSize) Error(SListCountError, count);
  if (count > Capacity()) SetCapacity(count);
  if (count > count_) {
    count_ = count; // the slots beyond the old count already hold nullptr
    return;
  }
  for (Integer i = count_ - 1; i >= count; --i) Delete(i);
}

void TList::SetCapacity(Integer capacity) {
  if (capacity < count_ || capacity > MaxListSize) Error(SListCapacityError, capacity);
  const auto size = static_cast<std::size_t>(capacity);
  if (size > slots_.size()) {
    slots_.reserve(size); // exactly what was asked for, not the vector's own growth
    slots_.resize(size, nullptr);
  } else {
    slots_.resize(size);
    slots_.shrink_to_fit();
  }
}

void TList::Grow() { SetCapacity(GrownCapacity(Capacity())); }

void TList::Notify(void*, TListNotification) {}
