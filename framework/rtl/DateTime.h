#pragma once

#include "framework/rtl/Types.h"

// TDateTime counts days since 1899-12-30; the fraction is the time of day.

TDateTime Now();
TDateTime Date(); // today, time 0
TDateTime Time(); // now, date 0

bool IsLeapYear(Word year);
Word DaysInMonth(Word year, Word month);

// Invalid parts raise EConvertError.
TDateTime EncodeDate(Word year, Word month, Word day);
TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec);
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& result);
bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& result);
// A negative value's integer part is the day and its fraction's magnitude the time. The
// time rounds to the nearest millisecond, at most 23:59:59.999. Values outside the
// years 1..9999 (or NaN) raise EConvertError.
void DecodeDate(TDateTime value, Word& year, Word& month, Word& day);
void DecodeTime(TDateTime value, Word& hour, Word& min, Word& sec, Word& msec);

int DayOfWeek(TDateTime value); // 1 = Sunday … 7 = Saturday
