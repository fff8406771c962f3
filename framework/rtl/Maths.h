#pragma once

#include "framework/rtl/Types.h"

// Floating-point routines with the framework's error behaviour: an invalid argument
// raises EInvalidOp, a pole EZeroDivide, a result beyond the integer range ERangeError…
// rather than quietly giving NaN or infinity.

inline constexpr double Pi = 3.14159265358979323846;

Int64 Round(Extended x); // halves to even
Int64 Trunc(Extended x); // towards zero
Extended Int(Extended x);
Extended Frac(Extended x);

// Checked arithmetic as the processor reports it to the framework: an invalid operation
// (a NaN, infinity minus infinity, 0 / 0, 0 times infinity) raises EInvalidOp, a division by
// zero EZeroDivide, a finite result beyond the range EOverflow, and a non-zero result too
// small for a normal number (denormal or lost to zero) EUnderflow.
Extended FloatAdd(Extended a, Extended b);
Extended FloatSub(Extended a, Extended b);
Extended FloatMul(Extended a, Extended b);
Extended FloatDiv(Extended a, Extended b);

Extended Power(Extended base, Extended exponent);
Extended IntPower(Extended base, Integer exponent);
Extended Sqrt(Extended x);
Extended Ln(Extended x);
Extended Log10(Extended x);
Extended Log2(Extended x);
Extended LogN(Extended base, Extended x);
Extended Exp(Extended x);

Extended Sin(Extended x);
Extended Cos(Extended x);
Extended Tan(Extended x);
Extended Cotan(Extended x);
Extended ArcSin(Extended x);
Extended ArcCos(Extended x);
Extended ArcTan(Extended x);
Extended ArcTan2(Extended y, Extended x);
Extended Sinh(Extended x);
Extended Cosh(Extended x);
Extended Tanh(Extended x);
Extended ArcSinh(Extended x);
Extended ArcCosh(Extended x);
Extended ArcTanh(Extended x);
Extended DegToRad(Extended degrees);
Extended RadToDeg(Extended radians);

// The framework's generator: a 32-bit linear congruential sequence from RandSeed, so a
// given seed always gives the same numbers.
extern Cardinal RandSeed;
void Randomize();              // seeds from the clock
Extended Random();             // 0 <= r < 1
Integer Random(Integer range); // 0 <= r < range (0 when range <= 0)
