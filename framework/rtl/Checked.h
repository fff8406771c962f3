#pragma once

#include "framework/rtl/Exceptions.h"

#include <concepts>
#include <limits>
#include <utility>

// Checked integer arithmetic: a value that does not fit raises the framework's range or
// overflow error instead of wrapping around.

// Converts v to the narrower type To; raises ERangeError when v lies outside To's range.
template <std::integral To, std::integral From> constexpr To RangeChecked(From v) {
  if (!std::in_range<To>(v)) throw ERangeError(RtlMessages::RangeError);
  return static_cast<To>(v);
}

// Raises ERangeError unless lo <= v <= hi.
template <std::integral T> constexpr T RangeChecked(T v, T lo, T hi) {
  if (v < lo || v > hi) throw ERangeError(RtlMessages::RangeError);
  return v;
}

template <std::integral T> constexpr T CheckedAdd(T a, T b) {
  T r{};
  if (__builtin_add_overflow(a, b, &r)) throw EIntOverflow(RtlMessages::IntOverflow);
  return r;
}

template <std::integral T> constexpr T CheckedSub(T a, T b) {
  T r{};
  if (__builtin_sub_overflow(a, b, &r)) throw EIntOverflow(RtlMessages::IntOverflow);
  return r;
}

template <std::integral T> constexpr T CheckedMul(T a, T b) {
  T r{};
  if (__builtin_mul_overflow(a, b, &r)) throw EIntOverflow(RtlMessages::IntOverflow);
  return r;
}

// Integer division as the framework's div: EDivByZero for 0, EIntOverflow for MIN div -1.
template <std::integral T> constexpr T CheckedDiv(T a, T b) {
  if (b == 0) throw EDivByZero(RtlMessages::DivByZero);
  if constexpr (std::is_signed_v<T>) {
    if (a == std::numeric_limits<T>::min() && b == -1) throw EIntOverflow(RtlMessages::IntOverflow);
  }
  return a / b;
}

template <std::integral T> constexpr T CheckedMod(T a, T b) {
  if (b == 0) throw EDivByZero(RtlMessages::DivByZero);
  if constexpr (std::is_signed_v<T>) {
    if (b == -1) return 0;
  }
  return a % b;
}
