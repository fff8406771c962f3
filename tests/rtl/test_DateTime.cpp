#include "framework/rtl/DateTime.h"
#include "framework/rtl/Exceptions.h"
#include "tests/rtl/ErrorTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <limits>
#include <vector>

namespace {

using Parts = std::vector<Word>;

Parts DecodedDate(TDateTime value) {
  Word y = 0, m = 0, d = 0;
  DecodeDate(value, y, m, d);
  return {y, m, d};
}

Parts DecodedTime(TDateTime value) {
  Word h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(value, h, m, s, ms);
  return {h, m, s, ms};
}

template <class F> void ExpectConvertError(F encode, const char* message) {
  ExpectError<EConvertError>([&] { encode(); }, message);
}

} // namespace

TEST(DateTimeCalendar, LeapYearsAndMonthLengths) {
  for (const Word year : {4, 1600, 2000, 2024, 9996}) EXPECT_EQ(DaysInMonth(year, 2), 29) << year;
  for (const Word year : {1, 1900, 2023, 2100}) EXPECT_FALSE(IsLeapYear(year)) << year;
  EXPECT_EQ(DaysInMonth(2023, 4), 30);
  EXPECT_THROW(DaysInMonth(2023, 13), EConvertError);
  EXPECT_THROW(DaysInMonth(2023, 0), EConvertError);
}

TEST(DateTimeEncode, KnownSerialNumbers) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
  EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
  EXPECT_EQ(EncodeTime(18, 0, 0, 0), 0.75);
}

TEST(DateTimeEncode, EveryDayOfYears1To9999RoundTrips) {
  TDateTime expected = EncodeDate(1, 1, 1);
  for (Word year = 1; year <= 9999; ++year)
    for (Word month = 1; month <= 12; ++month)
      for (Word day = 1; day <= DaysInMonth(year, month); ++day) {
        ASSERT_EQ(EncodeDate(year, month, day), expected) << year << '-' << month << '-' << day;
        ASSERT_EQ(DecodedDate(expected), (Parts{year, month, day})) << expected;
        expected += 1;
      }
}

TEST(DateTimeEncode, InvalidPartsRaiseWithDelphiMessage) {
  for (const Parts& date : std::vector<Parts>{{0, 1, 1},
                                              {10000, 1, 1},
                                              {2024, 0, 1},
                                              {2024, 13, 1},
                                              {2024, 1, 0},
                                              {2023, 2, 29},
                                              {1900, 2, 29},
                                              {2024, 4, 31}}) {
    TDateTime untouched = 42;
    EXPECT_FALSE(TryEncodeDate(date[0], date[1], date[2], untouched));
    EXPECT_EQ(untouched, 42);
    ExpectConvertError([&] { EncodeDate(date[0], date[1], date[2]); },
                       "Invalid argument to date encode");
  }
  for (const Parts& time :
       std::vector<Parts>{{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}}) {
    TDateTime untouched = 42;
    EXPECT_FALSE(TryEncodeTime(time[0], time[1], time[2], time[3], untouched));
    EXPECT_EQ(untouched, 42);
    ExpectConvertError([&] { EncodeTime(time[0], time[1], time[2], time[3]); },
                       "Invalid argument to time encode");
  }
}

TEST(DateTimeDecode, EverySecondRoundTripsOnSmallAndLargeDates) {
  for (const TDateTime date : {0.0, EncodeDate(2024, 2, 29), EncodeDate(9999, 12, 31)})
    for (int second = 0; second < 24 * 3600; ++second) {
      const Parts time = {static_cast<Word>(second / 3600), static_cast<Word>(second / 60 % 60),
                          static_cast<Word>(second % 60), static_cast<Word>(second * 7 % 1000)};
      const TDateTime value = date + EncodeTime(time[0], time[1], time[2], time[3]);
      ASSERT_EQ(DecodedTime(value), time) << value;
      ASSERT_EQ(std::floor(value), date) << value;
    }
  EXPECT_EQ(DecodedTime(EncodeTime(23, 59, 59, 999)), (Parts{23, 59, 59, 999}));
}

TEST(DateTimeDecode, NearMidnightNeverReaches24Hours) {
  for (const TDateTime value : {std::nextafter(1.0, 0.0), 45000.99999999999, -0.99999999999})
    EXPECT_EQ(DecodedTime(value), (Parts{23, 59, 59, 999})) << value;
}

TEST(DateTimeDecode, NegativeValuesCountDaysBackAndTimeForward) {
  EXPECT_EQ(DecodedDate(-1.25), (Parts{1899, 12, 29}));
  EXPECT_EQ(DecodedTime(-1.25), (Parts{6, 0, 0, 0}));
  EXPECT_EQ(DecodedDate(-0.5), (Parts{1899, 12, 30}));
  const TDateTime hastings = EncodeDate(1066, 10, 14) - EncodeTime(9, 30, 15, 250);
  EXPECT_EQ(DecodedDate(hastings), (Parts{1066, 10, 14}));
  EXPECT_EQ(DecodedTime(hastings), (Parts{9, 30, 15, 250}));
}

TEST(DateTimeDecode, OutOfRangeValuesRaise) {
  constexpr double inf = std::numeric_limits<double>::infinity();
  for (const double value :
       {std::numeric_limits<double>::quiet_NaN(), inf, -inf, 1e300, -1e300, 2958466.0, -693594.0}) {
    EXPECT_THROW(DecodedDate(value), EConvertError) << value;
    EXPECT_THROW(DecodedTime(value), EConvertError) << value;
    EXPECT_THROW(DayOfWeek(value), EConvertError) << value;
  }
  EXPECT_EQ(DecodedDate(2958465.999), (Parts{9999, 12, 31}));
  EXPECT_EQ(DecodedDate(-693593.999), (Parts{1, 1, 1}));
}

TEST(DateTimeDayOfWeek, KnownWeekdays) {
  EXPECT_EQ(DayOfWeek(0), 7);                        // Saturday 1899-12-30
  EXPECT_EQ(DayOfWeek(1.75), 1);                     // Sunday
  EXPECT_EQ(DayOfWeek(-1.5), 6);                     // Friday 1899-12-29
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);      // Monday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 7, 4)), 5);   // Thursday
  EXPECT_EQ(DayOfWeek(EncodeDate(9999, 12, 31)), 6); // Friday
}

TEST(DateTimeClock, MatchesTheLocalSystemClock) {
  std::time_t before = 0;
  TDateTime today = 0, now = 0, time = 0;
  do {
    before = std::time(nullptr);
    today = Date();
    now = Now();
    time = Time();
  } while (before != std::time(nullptr));
  std::tm local{};
  ASSERT_NE(localtime_r(&before, &local), nullptr);
  EXPECT_EQ(DecodedDate(today),
            (Parts{static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                   static_cast<Word>(local.tm_mday)}));
  EXPECT_EQ(std::floor(now), today);
  const int second = (local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec;
  EXPECT_NEAR((now - today) * 86400, second, 1.0);
  EXPECT_NEAR(time * 86400, second, 1.0);
}
