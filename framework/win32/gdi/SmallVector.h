#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <type_traits>

// A growable array of plain values that keeps its first N in place and goes to the heap only
// beyond them, so the small lists region arithmetic makes cost no allocation.
template <class T, std::size_t N> class TSmallVector {
  static_assert(std::is_trivially_copyable_v<T> && N > 0);

public:
  TSmallVector() = default;
  TSmallVector(const TSmallVector& other) { Append(other.begin(), other.end()); }
  TSmallVector(TSmallVector&& other) noexcept { Take(other); }
  TSmallVector& operator=(const TSmallVector& other) {
    if (this != &other) {
      size_ = 0;
      Append(other.begin(), other.end());
    }
    return *this;
  }
  TSmallVector& operator=(TSmallVector&& other) noexcept {
    if (this != &other) {
      heap_.reset();
      capacity_ = N;
      Take(other);
    }
    return *this;
  }

  T* data() { return heap_ ? heap_.get() : inline_; }
  const T* data() const { return heap_ ? heap_.get() : inline_; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  T* begin() { return data(); }
  T* end() { return data() + size_; }
  const T* begin() const { return data(); }
  const T* end() const { return data() + size_; }
  T& operator[](std::size_t i) { return data()[i]; }
  const T& operator[](std::size_t i) const { return data()[i]; }
  T& front() { return data()[0]; }
  const T& front() const { return data()[0]; }
  T& back() { return data()[size_ - 1]; }
  const T& back() const { return data()[size_ - 1]; }

  void clear() { size_ = 0; }
  void push_back(const T& value) {
    if (size_ == capacity_) Grow(size_ + 1);
    data()[size_++] = value;
  }
  // Keeps the first `count` values, or adds default ones up to it.
  void resize(std::size_t count) {
    if (count > capacity_) Grow(count);
    std::fill(data() + std::min(size_, count), data() + count, T{});
    size_ = count;
  }
  void Append(const T* first, const T* last) {
    const auto count = static_cast<std::size_t>(last - first);
    if (size_ + count > capacity_) Grow(size_ + count);
    if (count) std::memcpy(data() + size_, first, count * sizeof(T));
    size_ += count;
  }

  friend bool operator==(const TSmallVector& a, const TSmallVector& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }

private:
  void Grow(std::size_t needed) {
    const std::size_t capacity = std::max(needed, capacity_ * 2);
    auto fresh = std::make_unique_for_overwrite<T[]>(capacity);
    if (size_) std::memcpy(fresh.get(), data(), size_ * sizeof(T));
    heap_ = std::move(fresh);
    capacity_ = capacity;
  }
  void Take(TSmallVector& other) {
    size_ = other.size_;
    if (other.heap_) {
      heap_ = std::move(other.heap_);
      capacity_ = other.capacity_;
    } else if (size_) {
      std::memcpy(inline_, other.inline_, size_ * sizeof(T));
    }
    other.size_ = 0;
    other.capacity_ = N;
  }

  std::unique_ptr<T[]> heap_;
  std::size_t size_ = 0;
  std::size_t capacity_ = N;
  T inline_[N];
};
