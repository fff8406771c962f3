#pragma once

#include "framework/rtl/Types.h"

#include <cstdint>
#include <initializer_list>

// A set of up to 64 values of an enumeration, as the framework's "set of": TSet<TFontStyle>.
template <class E> class TSet {
public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> AValues) {
    for (E v : AValues) Include(v);
  }
  static constexpr TSet FromBits(std::uint64_t ABits) {
    TSet s;
    s.FBits = ABits;
    return s;
  }

  constexpr std::uint64_t Bits() const { return FBits; }
  constexpr bool Contains(E AValue) const { return (FBits & Bit(AValue)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TSet& Include(E AValue) {
    FBits |= Bit(AValue);
    return *this;
  }
  constexpr TSet& Exclude(E AValue) {
    FBits &= ~Bit(AValue);
    return *this;
  }

  friend constexpr TSet operator+(TSet a, TSet b) { return FromBits(a.FBits | b.FBits); }
  friend constexpr TSet operator-(TSet a, TSet b) { return FromBits(a.FBits & ~b.FBits); }
  friend constexpr TSet operator*(TSet a, TSet b) { return FromBits(a.FBits & b.FBits); }
  friend constexpr bool operator==(TSet a, TSet b) = default;

private:
  static constexpr std::uint64_t Bit(E AValue) {
    return std::uint64_t{1} << static_cast<unsigned>(AValue);
  }
  std::uint64_t FBits = 0;
};
