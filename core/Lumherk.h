#pragma once

#include "framework/rtl/Types.h"

// Free routines for text, numbers and bits used throughout the library. Every number
// text written or read here uses "." as the decimal separator and no thousands separator.
namespace Lumherk {

// Value of S_N's width or decimals that means "not given".
inline constexpr Word NotGiven = 100;

void Zeit_ermitteln(String& date, String& time);

String Rightpad(const String& s, Byte length);
String Leftpad(const String& s, Byte length);
String NoBlank(const String& s);
String NoNull(const String& s);
bool Str_Vergleich(const String& a, const String& b);

String Str_Number(Integer value);
String S_N(double value, Word width, Word decimals);
String Optimal_S_N(double value, Word width);
Integer Val_Number(const String& s);
double V_N(const String& s);

String Kleingeschrieben(const String& s);
String Grossgeschrieben(const String& s);
void Pips();

bool TstBit(Word w, Byte bit);
void SetBit(Word& w, Byte bit);
void ClrBit(Word& w, Byte bit);
void InvertBit(Word& w, Byte bit);

} // namespace Lumherk
