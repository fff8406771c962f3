#pragma once

#include "framework/rtl/Types.h"

#include <compare>
#include <string>

// Text routines with the framework's conventions: positions count bytes from 1, and a
// position or count outside the text is clipped, never an error.

String UpperCase(const String& s);     // 'a'..'z' only
String LowerCase(const String& s);     // 'A'..'Z' only
String AnsiUpperCase(const String& s); // also letters beyond ASCII (UTF-8 aware)
String AnsiLowerCase(const String& s);
// <0, 0, >0 in the collation order of the process locale (LC_COLLATE), letter case ignored,
// UTF-8 aware; under "C" or "POSIX" the order of the upper-cased code points. Two texts
// compare equal only when they are equal ignoring case, so the order is total.
int AnsiCompareText(const String& a, const String& b);
// The same with letter case significant: equal only when the texts are equal.
int AnsiCompareStr(const String& a, const String& b);
// A text prepared for sorting: keys order (<=>) as AnsiCompareText or AnsiCompareStr order
// their texts under the locale that was current when the keys were made. Worth it when each
// text takes part in many comparisons.
struct TCollationKey {
  std::wstring Weights; // the locale's collation weights; empty under "C" or "POSIX"
  std::wstring Mapped;  // the code points (case-folded for the Text key), breaking ties
  auto operator<=>(const TCollationKey&) const = default;
  bool operator==(const TCollationKey&) const = default;
};
TCollationKey AnsiCompareTextKey(const String& s);
TCollationKey AnsiCompareStrKey(const String& s);
int CompareText(const String& a, const String& b); // ASCII letters only
bool SameText(const String& a, const String& b);

String Trim(const String& s); // removes leading and trailing characters <= ' '
String TrimLeft(const String& s);
String TrimRight(const String& s);

int Pos(const String& sub, const String& s);             // 0 when not found
String Copy(const String& s, int index, int count);      // index from 1
void Delete(String& s, int index, int count);            // index from 1
void Insert(const String& source, String& s, int index); // before position index
String StringOfChar(char c, int count);

String IntToStr(Int64 value);
String IntToHex(Int64 value, int digits); // two's complement, upper case, at least digits
Integer StrToInt(const String& s);        // EConvertError "'abc' is not a valid integer value"
Int64 StrToInt64(const String& s);
Integer StrToIntDef(const String& s, Integer defaultValue);
bool TryStrToInt(const String& s, Integer& value);
double
StrToFloat(const String& s); // "." only; EConvertError "'x' is not a valid floating point value"
double StrToFloatDef(const String& s, double defaultValue);
bool TryStrToFloat(const String& s, double& value);
String FloatToStr(double value); // general form, 15 significant digits, "."
