#pragma once

#include "framework/rtl/Types.h"

// The framework's FormatFloat: up to three sections separated by ";" (positive, negative,
// zero), digit placeholders "0" and "#", "." decimal point, "," thousands separator,
// "E+00"/"E-00"/"e+00"/"e-00" scientific form, text in '…' or "…" quotes copied as it is.
// The decimal separator is always "." and the thousands separator ",".
// Rounding is half away from zero on the exact binary value, so 2.5 gives "3" but 1.005
// (stored as 1.00499999…) gives "1.00" with "0.00". At most 15 significant digits are
// produced; further places are filled with zeros.
String FormatFloat(const String& format, Extended value);

// A finite value in decimal: value = 0.Digits × 10^Exponent. Digits has no leading or
// trailing zeros and is empty when the value rounds to zero.
struct TFloatRec {
  int Exponent = 0;
  bool Negative = false;
  String Digits;
};

// Rounds value (half away from zero) to at most precision significant digits and at most
// decimals digits after the decimal point. Raises EInvalidOp for NaN and infinity.
TFloatRec FloatToDecimal(Extended value, int precision, int decimals);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };

// The framework's FloatToStrF. precision is the number of significant digits (1..18);
// digits is the minimum exponent width for ffGeneral/ffExponent (0..4) and the number of
// decimals for the others (0..18). ffCurrency writes "$1,234.50" and "($1,234.50)".
// NaN and infinity give "NAN", "INF" and "-INF".
String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits);
