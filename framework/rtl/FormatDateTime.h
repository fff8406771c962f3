#pragma once

#include "framework/rtl/FormatSettings.h"

// The framework's FormatDateTime: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy
// h hh n nn s ss z zzz t tt am/pm a/p ampm, "/" and ":" as the settings' separators,
// '…' and "…" literals; "m" right after "h"/"hh" means minutes.
String FormatDateTime(const String& format, TDateTime value);
String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& settings);

String DateToStr(TDateTime value); // ShortDateFormat
String TimeToStr(TDateTime value); // LongTimeFormat
String DateTimeToStr(TDateTime value);
String DateToStr(TDateTime value, const TFormatSettings& settings);
String TimeToStr(TDateTime value, const TFormatSettings& settings);
String DateTimeToStr(TDateTime value, const TFormatSettings& settings);
