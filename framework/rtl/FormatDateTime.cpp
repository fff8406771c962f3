#include "framework/rtl/FormatDateTime.h"

#include "framework/rtl/DateTime.h"

#include <algorithm>
#include <string_view>

namespace {

// How deep formats may nest (a "c" expands ShortDateFormat, which cannot expand further).
constexpr int MaxNesting = 2;

char ToUpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsUpperAsciiLetter(char c) { return c >= 'A' && c <= 'Z'; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char a, char b) { return ToUpperAscii(a) == ToUpperAscii(b); });
}

// Length of the run of `letter` (in either case) starting at pos.
std::size_t RunLength(std::string_view format, std::size_t pos) {
  const char letter = ToUpperAscii(format[pos]);
  std::size_t end = pos;
  while (end < format.size() && ToUpperAscii(format[end]) == letter) ++end;
  return end - pos;
}

bool IsAmPmMarker(std::string_view text) {
  return StartsWithNoCase(text, "AM/PM") || StartsWithNoCase(text, "A/P") ||
         StartsWithNoCase(text, "AMPM");
}

// Whether an hour at this point shows on the 12-hour clock: the next "a" outside quotes,
// before any further hour, starts an am/pm marker.
bool AmPmFollows(std::string_view rest) {
  char quote = '\0';
  for (std::size_t pos = 0; pos < rest.size(); ++pos) {
    const char c = rest[pos];
    if (quote != '\0') {
      if (c == quote) quote = '\0';
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == 'h' || c == 'H') {
      return false;
    } else if (c == 'a' || c == 'A') {
      return IsAmPmMarker(rest.substr(pos));
    }
  }
  return false;
}

String ZeroPadded(int value, std::size_t digits) {
  String text = std::to_string(value);
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  return text;
}

struct DateTimeParts {
  Word year = 0, month = 0, day = 0;
  Word hour = 0, min = 0, sec = 0, msec = 0;
  int dayOfWeek = 0; // 1 = Sunday
};

DateTimeParts Decode(TDateTime value) {
  DateTimeParts parts;
  DecodeDate(value, parts.year, parts.month, parts.day);
  DecodeTime(value, parts.hour, parts.min, parts.sec, parts.msec);
  parts.dayOfWeek = DayOfWeek(value);
  return parts;
}

class DateTimeFormatter {
public:
  DateTimeFormatter(TDateTime value, const TFormatSettings& settings)
      : parts_(Decode(value)), settings_(settings) {}

  String Format(std::string_view format) {
    Append(format, 0);
    return std::move(out_);
  }

private:
  // Position in one (possibly nested) format, with what earlier letters of that format
  // decided: whether "m" means minutes and whether hours use the 12-hour clock.
  struct Scan {
    std::string_view format;
    std::size_t pos = 0;
    int depth = 0;
    char lastLetter = ' ';
    bool twelveHour = false;
  };

  void Append(std::string_view format, int depth) {
    if (depth >= MaxNesting) return;
    Scan scan{format, 0, depth};
    while (scan.pos < format.size()) AppendNext(scan);
  }

  void AppendNext(Scan& scan) {
    const char starter = scan.format[scan.pos];
    char token = ToUpperAscii(starter);
    if (IsUpperAsciiLetter(token)) {
      if (token == 'M' && scan.lastLetter == 'H') token = 'N';
      scan.lastLetter = token;
    }
    switch (token) {
    case 'Y':
      return AppendYear(TakeRun(scan));
    case 'M':
      return AppendMonth(TakeRun(scan));
    case 'D':
      return AppendDay(TakeRun(scan), scan.depth);
    case 'H':
      return AppendHour(scan);
    case 'N':
      return AppendNumber(parts_.min, std::min<std::size_t>(TakeRun(scan), 2));
    case 'S':
      return AppendNumber(parts_.sec, std::min<std::size_t>(TakeRun(scan), 2));
    case 'Z':
      return AppendNumber(parts_.msec, std::min<std::size_t>(TakeRun(scan), 3));
    case 'T':
      return Append(TakeRun(scan) == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat,
                    scan.depth + 1);
    case 'C':
      TakeRun(scan);
      return AppendDateAndTime(scan.depth);
    case 'A':
      return AppendAmPm(scan);
    case '/':
      return AppendSeparator(settings_.DateSeparator, scan);
    case ':':
      return AppendSeparator(settings_.TimeSeparator, scan);
    case '"':
    case '\'':
      return AppendQuoted(scan);
    default:
      out_ += starter;
      ++scan.pos;
    }
  }

  static std::size_t TakeRun(Scan& scan) {
    const std::size_t count = RunLength(scan.format, scan.pos);
    scan.pos += count;
    return count;
  }

  void AppendNumber(int value, std::size_t digits) { out_ += ZeroPadded(value, digits); }

  void AppendYear(std::size_t count) {
    if (count <= 2)
      AppendNumber(parts_.year % 100, 2);
    else
      AppendNumber(parts_.year, 4);
  }

  void AppendMonth(std::size_t count) {
    if (count <= 2)
      AppendNumber(parts_.month, count);
    else if (count == 3)
      out_ += settings_.ShortMonthNames[parts_.month - 1];
    else
      out_ += settings_.LongMonthNames[parts_.month - 1];
  }

  void AppendDay(std::size_t count, int depth) {
    if (count <= 2)
      AppendNumber(parts_.day, count);
    else if (count == 3)
      out_ += settings_.ShortDayNames[parts_.dayOfWeek - 1];
    else if (count == 4)
      out_ += settings_.LongDayNames[parts_.dayOfWeek - 1];
    else if (count == 5)
      Append(settings_.ShortDateFormat, depth + 1);
    else
      Append(settings_.LongDateFormat, depth + 1);
  }

  void AppendHour(Scan& scan) {
    const std::size_t count = TakeRun(scan);
    scan.twelveHour = scan.twelveHour || AmPmFollows(scan.format.substr(scan.pos));
    int hour = parts_.hour;
    if (scan.twelveHour) hour = hour == 0 ? 12 : (hour > 12 ? hour - 12 : hour);
    AppendNumber(hour, std::min<std::size_t>(count, 2));
  }

  void AppendDateAndTime(int depth) {
    Append(settings_.ShortDateFormat, depth + 1);
    if (parts_.hour == 0 && parts_.min == 0 && parts_.sec == 0 && parts_.msec == 0) return;
    out_ += ' ';
    Append(settings_.LongTimeFormat, depth + 1);
  }

  // am/pm and a/p copy the pattern's own letters; ampm uses the settings' strings.
  void AppendAmPm(Scan& scan) {
    const std::string_view rest = scan.format.substr(scan.pos);
    const bool pm = parts_.hour >= 12;
    std::size_t length = 1;
    bool marker = true;
    if (StartsWithNoCase(rest, "AM/PM")) {
      out_ += rest.substr(pm ? 3 : 0, 2);
      length = 5;
    } else if (StartsWithNoCase(rest, "A/P")) {
      out_ += rest.substr(pm ? 2 : 0, 1);
      length = 3;
    } else if (StartsWithNoCase(rest, "AMPM")) {
      out_ += pm ? settings_.TimePMString : settings_.TimeAMString;
      length = 4;
    } else {
      marker = false;
      length = AppendDayNameOrLetter(rest);
    }
    scan.twelveHour = scan.twelveHour || marker;
    scan.pos += length;
  }

  // "aaaa" and "aaa" are day names; any other "a" is copied.
  std::size_t AppendDayNameOrLetter(std::string_view rest) {
    if (StartsWithNoCase(rest, "AAAA")) {
      out_ += settings_.LongDayNames[parts_.dayOfWeek - 1];
      return 4;
    }
    if (StartsWithNoCase(rest, "AAA")) {
      out_ += settings_.ShortDayNames[parts_.dayOfWeek - 1];
      return 3;
    }
    out_ += rest.front();
    return 1;
  }

  void AppendSeparator(char separator, Scan& scan) {
    if (separator != '\0') out_ += separator;
    ++scan.pos;
  }

  // Text up to the matching quote (or the end of the format) is copied as it is.
  void AppendQuoted(Scan& scan) {
    const char quote = scan.format[scan.pos];
    const std::size_t start = scan.pos + 1;
    const std::size_t end = std::min(scan.format.find(quote, start), scan.format.size());
    out_ += scan.format.substr(start, end - start);
    scan.pos = std::min(end + 1, scan.format.size());
  }

  DateTimeParts parts_;
  const TFormatSettings& settings_;
  String out_;
};

} // namespace

String FormatDateTime(const String& format, TDateTime value, const TFormatSettings& settings) {
  return DateTimeFormatter(value, settings).Format(format.empty() ? "c" : format);
}

String FormatDateTime(const String& format, TDateTime value) {
  return FormatDateTime(format, value, FormatSettings());
}

String DateToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime(settings.ShortDateFormat, value, settings);
}

String TimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime(settings.LongTimeFormat, value, settings);
}

String DateTimeToStr(TDateTime value, const TFormatSettings& settings) {
  return FormatDateTime("c", value, settings);
}

String DateToStr(TDateTime value) { return DateToStr(value, FormatSettings()); }

String TimeToStr(TDateTime value) { return TimeToStr(value, FormatSettings()); }

String DateTimeToStr(TDateTime value) { return DateTimeToStr(value, FormatSettings()); }
