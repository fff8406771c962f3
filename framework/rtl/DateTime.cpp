#include "framework/rtl/DateTime.h"

#include "framework/rtl/Exceptions.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace {

constexpr const char* DateEncodeError = "Invalid argument to date encode";
constexpr const char* TimeEncodeError = "Invalid argument to time encode";

constexpr int MSecsPerDay = 24 * 60 * 60 * 1000;
// Days from 0001-01-01 (day 1) to 1899-12-30 (day 0 of TDateTime).
constexpr int DateDelta = 693594;
constexpr int MinDay = 1 - DateDelta; // 0001-01-01
constexpr int MaxDay = 2958465;       // 9999-12-31
constexpr int DaysPer400Years = 146097;
constexpr int DaysPer100Years = 36524;
constexpr int DaysPer4Years = 1461;

constexpr std::array<std::array<Word, 12>, 2> MonthDays = {{
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
}};

const std::array<Word, 12>& MonthTable(Word year) { return MonthDays[IsLeapYear(year) ? 1 : 0]; }

bool IsValidDate(Word year, Word month, Word day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= MonthTable(year)[month - 1];
}

String DescribeValue(TDateTime value) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.17g", value);
  return text.data();
}

// The day number (integer part) of a value; raises EConvertError outside 0001..9999.
int CheckedDay(TDateTime value) {
  const double day = std::trunc(value);
  if (!std::isfinite(value) || day < MinDay || day > MaxDay)
    throw EConvertError("Invalid date/time value " + DescribeValue(value) +
                        ": outside the years 1 to 9999");
  return static_cast<int>(day);
}

// Milliseconds since midnight; the time of a negative value is its fraction's magnitude.
int MSecsOfDay(TDateTime value) {
  CheckedDay(value);
  const double fraction = std::fabs(value - std::trunc(value));
  const auto msecs = static_cast<int>(std::lround(fraction * MSecsPerDay));
  return msecs < MSecsPerDay ? msecs : MSecsPerDay - 1;
}

struct CivilDate {
  Word year;
  Word month;
  Word day;
};

// Splits a count of days since 0001-01-01 (0-based) into years of the Gregorian cycle.
CivilDate CivilFromDays(int days) {
  int year = 1 + 400 * (days / DaysPer400Years);
  days %= DaysPer400Years;
  int centuries = days / DaysPer100Years;
  if (centuries == 4) centuries = 3; // last day of a leap century
  days -= centuries * DaysPer100Years;
  year += 100 * centuries + 4 * (days / DaysPer4Years);
  days %= DaysPer4Years;
  int years = days / 365;
  if (years == 4) years = 3; // last day of a leap year
  days -= years * 365;
  year += years;
  CivilDate result{static_cast<Word>(year), 1, 1};
  const auto& monthDays = MonthTable(result.year);
  while (days >= monthDays[result.month - 1]) days -= monthDays[result.month++ - 1];
  result.day = static_cast<Word>(days + 1);
  return result;
}

struct LocalClock {
  std::tm parts{};
  Word msec = 0;
};

LocalClock ReadLocalClock() {
  std::timespec now{};
  std::timespec_get(&now, TIME_UTC);
  LocalClock clock;
  if (localtime_r(&now.tv_sec, &clock.parts) == nullptr)
    throw EConvertError("Cannot convert the system clock to local time");
  clock.msec = static_cast<Word>(now.tv_nsec / 1000000);
  return clock;
}

TDateTime DateOfClock(const LocalClock& clock) {
  return EncodeDate(static_cast<Word>(clock.parts.tm_year + 1900),
                    static_cast<Word>(clock.parts.tm_mon + 1),
                    static_cast<Word>(clock.parts.tm_mday));
}

TDateTime TimeOfClock(const LocalClock& clock) {
  const int sec = clock.parts.tm_sec < 60 ? clock.parts.tm_sec : 59; // leap second
  return EncodeTime(static_cast<Word>(clock.parts.tm_hour), static_cast<Word>(clock.parts.tm_min),
                    static_cast<Word>(sec), clock.msec);
}

} // namespace

TDateTime Now() {
  const LocalClock clock = ReadLocalClock();
  return DateOfClock(clock) + TimeOfClock(clock);
}

TDateTime Date() { return DateOfClock(ReadLocalClock()); }

TDateTime Time() { return TimeOfClock(ReadLocalClock()); }

bool IsLeapYear(Word year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

Word DaysInMonth(Word year, Word month) {
  if (month < 1 || month > 12) throw EConvertError("Invalid month " + std::to_string(month));
  return MonthTable(year)[month - 1];
}

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& result) {
  if (!IsValidDate(year, month, day)) return false;
  int days = day;
  for (int m = 1; m < month; ++m) days += MonthTable(year)[m - 1];
  const int y = year - 1;
  result = y * 365 + y / 4 - y / 100 + y / 400 + days - DateDelta;
  return true;
}

bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& result) {
  if (hour >= 24 || min >= 60 || sec >= 60 || msec >= 1000) return false;
  const int msecs = ((hour * 60 + min) * 60 + sec) * 1000 + msec;
  result = static_cast<double>(msecs) / MSecsPerDay;
  return true;
}

TDateTime EncodeDate(Word year, Word month, Word day) {
  TDateTime result = 0;
  if (!TryEncodeDate(year, month, day, result)) throw EConvertError(DateEncodeError);
  return result;
}

TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec) {
  TDateTime result = 0;
  if (!TryEncodeTime(hour, min, sec, msec, result)) throw EConvertError(TimeEncodeError);
  return result;
}

void DecodeDate(TDateTime value, Word& year, Word& month, Word& day) {
  const CivilDate date = CivilFromDays(CheckedDay(value) + DateDelta - 1);
  year = date.year;
  month = date.month;
  day = date.day;
}

void DecodeTime(TDateTime value, Word& hour, Word& min, Word& sec, Word& msec) {
  const int msecs = MSecsOfDay(value);
  hour = static_cast<Word>(msecs / 3600000);
  min = static_cast<Word>(msecs / 60000 % 60);
  sec = static_cast<Word>(msecs / 1000 % 60);
  msec = static_cast<Word>(msecs % 1000);
}

int DayOfWeek(TDateTime value) { return (CheckedDay(value) + DateDelta) % 7 + 1; }
