#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

// A sequence of trivially copyable entries kept in blocks of at most BlockSize. Inserting or
// deleting moves the entries after it in one block (one memmove) and renumbers the blocks
// after that one, so it costs O(BlockSize + Count / BlockSize) however long the sequence is;
// indexing finds its block by a binary search over the block starts.
template <typename T, std::size_t BlockSize = 512> class TBlockList {
  static_assert(std::is_trivially_copyable_v<T>);
  static_assert(BlockSize >= 4);

public:
  std::size_t Count() const { return count_; }
  bool Empty() const { return count_ == 0; }

  T& operator[](std::size_t i) { return Locate(i); }
  const T& operator[](std::size_t i) const { return const_cast<TBlockList&>(*this).Locate(i); }

  // Inserts before index i (i == Count appends). Throws std::bad_alloc and changes nothing
  // when a block cannot be had.
  void Insert(std::size_t i, const T& value) {
    const TPlace at = PlaceFor(i);
    TBlock& b = *blocks_[at.Block];
    std::memmove(&b.Entries[at.Offset + 1], &b.Entries[at.Offset],
                 (b.Count - at.Offset) * sizeof(T));
    b.Entries[at.Offset] = value;
    ++b.Count;
    ++count_;
    Shift(at.Block + 1, 1);
  }
  void Add(const T& value) { Insert(count_, value); }

  void Delete(std::size_t i) {
    const std::size_t k = BlockOf(i);
    TBlock& b = *blocks_[k];
    const std::size_t offset = i - starts_[k];
    std::memmove(&b.Entries[offset], &b.Entries[offset + 1], (b.Count - offset - 1) * sizeof(T));
    --b.Count;
    --count_;
    Shift(k + 1, -1);
    if (b.Count == 0) return RemoveBlock(k);
    if (k + 1 < blocks_.size()) MergeIfSmall(k);
    if (k > 0) MergeIfSmall(k - 1);
  }

  void Clear() {
    blocks_.clear();
    starts_.clear();
    count_ = 0;
  }

  // Calls action(entry) for the entries first .. last - 1 in order.
  template <typename Action> void ForEach(std::size_t first, std::size_t last, Action action) {
    if (first >= last) return;
    for (std::size_t k = BlockOf(first); k < blocks_.size() && starts_[k] < last; ++k) {
      TBlock& b = *blocks_[k];
      const std::size_t from = first > starts_[k] ? first - starts_[k] : 0;
      const std::size_t to = std::min(b.Count, last - starts_[k]);
      for (std::size_t j = from; j < to; ++j) action(b.Entries[j]);
    }
  }
  template <typename Action>
  void ForEach(std::size_t first, std::size_t last, Action action) const {
    const_cast<TBlockList&>(*this).ForEach(first, last, [&](const T& e) { action(e); });
  }

  // In a sequence ordered by less: the index of the first entry that key sorts before, as
  // std::upper_bound gives it (Count when there is none).
  template <typename Key, typename Less> std::size_t UpperBound(const Key& key, Less less) const {
    const auto after =
        std::partition_point(blocks_.begin(), blocks_.end(), [&](const std::unique_ptr<TBlock>& b) {
          return !less(key, b->Entries[0]);
        });
    if (after == blocks_.begin()) return 0;
    const std::size_t k = static_cast<std::size_t>(after - blocks_.begin()) - 1;
    const TBlock& b = *blocks_[k];
    const T* at = std::upper_bound(b.Entries.data(), b.Entries.data() + b.Count, key, less);
    return starts_[k] + static_cast<std::size_t>(at - b.Entries.data());
  }

private:
  struct TBlock {
    std::size_t Count = 0;
    std::array<T, BlockSize> Entries;
  };
  struct TPlace {
    std::size_t Block;
    std::size_t Offset;
  };

  // The last block starting at or before i.
  std::size_t BlockOf(std::size_t i) const {
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), i);
    return static_cast<std::size_t>(after - starts_.begin()) - 1;
  }
  T& Locate(std::size_t i) {
    const std::size_t k = BlockOf(i);
    return blocks_[k]->Entries[i - starts_[k]];
  }
  void Shift(std::size_t fromBlock, std::ptrdiff_t by) {
    for (std::size_t k = fromBlock; k < starts_.size(); ++k)
      starts_[k] = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(starts_[k]) + by);
  }

  // Room for one more block, taken before anything changes.
  std::unique_ptr<TBlock> NewBlock() {
    blocks_.reserve(blocks_.size() + 1);
    starts_.reserve(starts_.size() + 1);
    return std::unique_ptr<TBlock>(new TBlock);
  }
  void InsertBlock(std::size_t k, std::size_t start, std::unique_ptr<TBlock> block) {
    blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(k), std::move(block));
    starts_.insert(starts_.begin() + static_cast<std::ptrdiff_t>(k), start);
  }
  void RemoveBlock(std::size_t k) {
    blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(k));
    starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(k));
  }
  // Block k takes in block k + 1 when both together fill at most half a block.
  void MergeIfSmall(std::size_t k) {
    TBlock& a = *blocks_[k];
    const TBlock& b = *blocks_[k + 1];
    if (a.Count + b.Count > BlockSize / 2) return;
    std::memcpy(&a.Entries[a.Count], b.Entries.data(), b.Count * sizeof(T));
    a.Count += b.Count;
    RemoveBlock(k + 1);
  }

  // The block and offset an insertion before index i goes to, with room made there: a full
  // block gets a new one beside it at its ends and is split in the middle.
  TPlace PlaceFor(std::size_t i) {
    if (blocks_.empty()) {
      InsertBlock(0, 0, NewBlock());
      return {0, 0};
    }
    std::size_t k = i == count_ ? blocks_.size() - 1 : BlockOf(i);
    std::size_t offset = i - starts_[k];
    if (offset == 0 && k > 0 && blocks_[k - 1]->Count < BlockSize) {
      --k;
      offset = blocks_[k]->Count;
    }
    if (blocks_[k]->Count < BlockSize) return {k, offset};
    std::unique_ptr<TBlock> block = NewBlock();
    if (offset == BlockSize) {
      InsertBlock(k + 1, i, std::move(block));
      return {k + 1, 0};
    }
    if (offset == 0) {
      InsertBlock(k, i, std::move(block));
      return {k, 0};
    }
    constexpr std::size_t half = BlockSize / 2;
    std::memcpy(block->Entries.data(), &blocks_[k]->Entries[half], (BlockSize - half) * sizeof(T));
    block->Count = BlockSize - half;
    blocks_[k]->Count = half;
    InsertBlock(k + 1, starts_[k] + half, std::move(block));
    if (offset <= half) return {k, offset};
    return {k + 1, offset - half};
  }

  std::vector<std::unique_ptr<TBlock>> blocks_;
  std::vector<std::size_t> starts_; // the index of each block's first entry
  std::size_t count_ = 0;
};

// A TBlockList that owns its entries: each is made on the heap and the list holds its
// pointer, so an insertion moves pointers and the entries never move.
template <typename T, std::size_t BlockSize = 512> class TOwningBlockList {
public:
  TOwningBlockList() = default;
  TOwningBlockList(const TOwningBlockList&) = delete;
  TOwningBlockList& operator=(const TOwningBlockList&) = delete;
  TOwningBlockList(TOwningBlockList&& other) noexcept { Swap(other); }
  TOwningBlockList& operator=(TOwningBlockList&& other) noexcept {
    if (this != &other) {
      Clear();
      Swap(other);
    }
    return *this;
  }
  ~TOwningBlockList() { Clear(); }

  std::size_t Count() const { return list_.Count(); }
  bool Empty() const { return list_.Empty(); }
  T& operator[](std::size_t i) { return *list_[i]; }
  const T& operator[](std::size_t i) const { return *list_[i]; }

  // Nothing changes when it throws.
  T& Insert(std::size_t i, T value) {
    auto entry = std::make_unique<T>(std::move(value));
    list_.Insert(i, entry.get());
    return *entry.release();
  }
  T& Add(T value) { return Insert(list_.Count(), std::move(value)); }
  void Delete(std::size_t i) {
    const std::unique_ptr<T> entry(list_[i]);
    list_.Delete(i);
  }
  void Clear() {
    list_.ForEach(0, list_.Count(), [](T* e) { delete e; });
    list_.Clear();
  }

  template <typename Action> void ForEach(std::size_t first, std::size_t last, Action action) {
    list_.ForEach(first, last, [&](T* e) { action(*e); });
  }
  template <typename Action>
  void ForEach(std::size_t first, std::size_t last, Action action) const {
    list_.ForEach(first, last, [&](const T* e) { action(static_cast<const T&>(*e)); });
  }
  template <typename Key, typename Less> std::size_t UpperBound(const Key& key, Less less) const {
    return list_.UpperBound(key, [&](const Key& k, const T* e) { return less(k, *e); });
  }

private:
  void Swap(TOwningBlockList& other) noexcept { std::swap(list_, other.list_); }

  TBlockList<T*, BlockSize> list_;
};
