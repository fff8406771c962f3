#pragma once

#include "framework/rtl/Types.h"

#include <array>

// The one record that date and time texts are formatted through.
struct TFormatSettings {
  char DateSeparator = '/';
  char TimeSeparator = ':';
  String ShortDateFormat = "M/d/yyyy";
  String LongDateFormat = "dddd, mmmm d, yyyy";
  String ShortTimeFormat = "h:nn AMPM";
  String LongTimeFormat = "h:nn:ss AMPM";
  String TimeAMString = "AM";
  String TimePMString = "PM";
  std::array<String, 12> ShortMonthNames;
  std::array<String, 12> LongMonthNames;
  std::array<String, 7> ShortDayNames; // [0] = Sunday
  std::array<String, 7> LongDayNames;

  static TFormatSettings English();
  // Built from the named locale ("" = the process environment's); English when the
  // locale is unknown or is "C"/"POSIX". POSIX has no long date, so LongDateFormat is
  // the short one; AM/PM stay English where the locale leaves them empty.
  static TFormatSettings FromLocale(const char* localeName);

  bool operator==(const TFormatSettings&) const = default;
};

// Converts a strftime pattern (a locale's D_FMT or T_FMT) to FormatDateTime's pattern
// letters: "%d.%m.%Y" -> "dd.mm.yyyy", "%I:%M:%S %p" -> "hh:nn:ss AMPM". Literal letters
// are quoted; "/" and ":" stay as they are and so format as the settings' separators.
// Conversions without a counterpart (%Z, %j, ...) are dropped.
String StrftimeToDateTimeFormat(const String& strftimeFormat);

// The process-wide settings: built from the environment's locale on first use.
TFormatSettings& FormatSettings();
