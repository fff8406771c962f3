#include "framework/rtl/Maths.h"

#include "framework/rtl/Exceptions.h"

#include <chrono>
#include <cmath>
#include <limits>

namespace {

// An integer result must lie strictly inside Int64's range: 2^63 itself does not fit.
constexpr Extended Int64Bound = 9223372036854775808.0L;

Int64 ToInt64(Extended whole) {
  if (std::isnan(whole)) throw EInvalidOp(RtlMessages::InvalidOp);
  if (whole >= Int64Bound || whole < -Int64Bound) throw ERangeError(RtlMessages::RangeError);
  return static_cast<Int64>(whole);
}

Extended Checked(Extended result) {
  if (std::isnan(result)) throw EInvalidOp(RtlMessages::InvalidOp);
  if (std::isinf(result)) throw EOverflow(RtlMessages::Overflow);
  return result;
}

void RequireFinite(Extended x) {
  if (!std::isfinite(x)) throw EInvalidOp(RtlMessages::InvalidOp);
}

void RequireInRange(Extended x, Extended lo, Extended hi) {
  if (!(x >= lo && x <= hi)) throw EInvalidOp(RtlMessages::InvalidOp);
}

Extended LogOf(Extended x, Extended (*log)(Extended)) {
  if (x == 0) throw EZeroDivide(RtlMessages::ZeroDivide);
  if (!(x > 0)) throw EInvalidOp(RtlMessages::InvalidOp);
  return log(x);
}

// The result of an arithmetic step whose exact value is non-zero when ExactNonZero says so.
Extended CheckedResult(Extended a, Extended b, Extended result, bool ExactNonZero) {
  if (std::isnan(a) || std::isnan(b) || std::isnan(result))
    throw EInvalidOp(RtlMessages::InvalidOp);
  if (std::isinf(result) && std::isfinite(a) && std::isfinite(b))
    throw EOverflow(RtlMessages::Overflow);
  if (ExactNonZero && std::fabs(result) < std::numeric_limits<Extended>::min())
    throw EUnderflow(RtlMessages::Underflow);
  return result;
}

} // namespace

Extended FloatAdd(Extended a, Extended b) {
  const Extended r = a + b;
  return CheckedResult(a, b, r, r != 0);
}

Extended FloatSub(Extended a, Extended b) {
  const Extended r = a - b;
  return CheckedResult(a, b, r, r != 0);
}

Extended FloatMul(Extended a, Extended b) {
  return CheckedResult(a, b, a * b, a != 0 && b != 0 && std::isfinite(a) && std::isfinite(b));
}

Extended FloatDiv(Extended a, Extended b) {
  if (b == 0) {
    if (a == 0 || std::isnan(a)) throw EInvalidOp(RtlMessages::InvalidOp);
    throw EZeroDivide(RtlMessages::ZeroDivide);
  }
  return CheckedResult(a, b, a / b, a != 0 && std::isfinite(a) && std::isfinite(b));
}

Cardinal RandSeed = 0;

Int64 Round(Extended x) { return ToInt64(std::nearbyint(x)); }
Int64 Trunc(Extended x) { return ToInt64(std::trunc(x)); }
Extended Int(Extended x) { return std::trunc(x); }
Extended Frac(Extended x) { return x - std::trunc(x); }

Extended Power(Extended base, Extended exponent) {
  if (exponent == 0) return 1;
  if (base == 0) {
    if (exponent < 0) throw EZeroDivide(RtlMessages::ZeroDivide);
    return 0;
  }
  if (base < 0 && exponent != std::trunc(exponent)) throw EInvalidOp(RtlMessages::InvalidOp);
  return Checked(std::pow(base, exponent));
}

Extended IntPower(Extended base, Integer exponent) {
  return Power(base, static_cast<Extended>(exponent));
}

Extended Sqrt(Extended x) {
  if (x < 0) throw EInvalidOp(RtlMessages::InvalidOp);
  return std::sqrt(x);
}

Extended Ln(Extended x) {
  return LogOf(x, [](Extended v) { return std::log(v); });
}
Extended Log10(Extended x) {
  return LogOf(x, [](Extended v) { return std::log10(v); });
}
Extended Log2(Extended x) {
  return LogOf(x, [](Extended v) { return std::log2(v); });
}
Extended LogN(Extended base, Extended x) {
  const Extended logBase = Ln(base);
  if (logBase == 0) throw EZeroDivide(RtlMessages::ZeroDivide);
  return Ln(x) / logBase;
}
Extended Exp(Extended x) { return Checked(std::exp(x)); }

Extended Sin(Extended x) {
  RequireFinite(x);
  return std::sin(x);
}
Extended Cos(Extended x) {
  RequireFinite(x);
  return std::cos(x);
}
Extended Tan(Extended x) {
  RequireFinite(x);
  return std::tan(x);
}
Extended Cotan(Extended x) {
  const Extended t = Tan(x);
  if (t == 0) throw EZeroDivide(RtlMessages::ZeroDivide);
  return 1 / t;
}
Extended ArcSin(Extended x) {
  RequireInRange(x, -1, 1);
  return std::asin(x);
}
Extended ArcCos(Extended x) {
  RequireInRange(x, -1, 1);
  return std::acos(x);
}
Extended ArcTan(Extended x) { return std::atan(x); }
Extended ArcTan2(Extended y, Extended x) { return std::atan2(y, x); }
Extended Sinh(Extended x) { return Checked(std::sinh(x)); }
Extended Cosh(Extended x) { return Checked(std::cosh(x)); }
Extended Tanh(Extended x) { return std::tanh(x); }
Extended ArcSinh(Extended x) { return std::asinh(x); }
Extended ArcCosh(Extended x) {
  if (!(x >= 1)) throw EInvalidOp(RtlMessages::InvalidOp);
  return std::acosh(x);
}
Extended ArcTanh(Extended x) {
  if (x == 1 || x == -1) throw EZeroDivide(RtlMessages::ZeroDivide);
  RequireInRange(x, -1, 1);
  return std::atanh(x);
}
Extended DegToRad(Extended degrees) { return degrees * (Pi / 180); }
Extended RadToDeg(Extended radians) { return radians * (180 / Pi); }

namespace {
Cardinal NextRandom() {
  RandSeed = RandSeed * 0x08088405u + 1u;
  return RandSeed;
}
} // namespace

void Randomize() {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  RandSeed = static_cast<Cardinal>(ticks);
}

Extended Random() { return static_cast<Extended>(NextRandom()) / 4294967296.0L; }

Integer Random(Integer range) {
  const std::uint64_t r = NextRandom();
  if (range <= 0) return 0;
  return static_cast<Integer>((r * static_cast<std::uint64_t>(range)) >> 32);
}
