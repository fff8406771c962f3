#include "framework/rtl/DateTime.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FormatDateTime.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <locale.h>
#include <optional>
#include <vector>

namespace {

const TFormatSettings English = TFormatSettings::English();
// Tuesday 2024-03-05 14:07:09.045
const TDateTime Afternoon = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);

struct FormatCase {
  const char* format;
  TDateTime value;
  const char* expected;
};

bool LocaleExists(const char* name) {
  locale_t locale = newlocale(LC_TIME_MASK, name, nullptr);
  if (locale != nullptr) freelocale(locale);
  return locale != nullptr;
}

// Sets an environment variable (nullptr: unsets it) for the scope.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_ ? old_->c_str() : nullptr); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
  void Set(const char* value) { value ? setenv(name_, value, 1) : unsetenv(name_); }

  const char* name_;
  std::optional<String> old_;
};

} // namespace

TEST(FormatDateTimePatterns, EnglishSettings) {
  const TDateTime midnight = EncodeDate(2024, 3, 5);
  const TDateTime early = midnight + EncodeTime(0, 30, 0, 0);
  const TDateTime noon = midnight + EncodeTime(12, 0, 5, 0);
  for (const FormatCase& c : std::vector<FormatCase>{
           {"dd.mm.yyyy", Afternoon, "05.03.2024"},
           {"hh:nn:ss", Afternoon, "14:07:09"},
           {"DD.MM.YYYY HH:NN:SS", Afternoon, "05.03.2024 14:07:09"},
           {"yyyy-mm-dd hh:mm", Afternoon, "2024-03-05 14:07"},
           {"h:m mm", Afternoon, "14:7 03"},
           {"mmm mmmm mmmmm", Afternoon, "Mar March March"},
           {"ddd, dddd", Afternoon, "Tue, Tuesday"},
           {"z zz zzz zzzz", Afternoon, "45 45 045 045"},
           {"s ss n", midnight + EncodeTime(0, 5, 3, 0), "3 03 5"},
           {"h:nn am/pm", Afternoon, "2:07 pm"},
           {"H:NN AM/PM", Afternoon, "2:07 PM"},
           {"hh a/p", Afternoon, "02 p"},
           {"h ampm", Afternoon, "2 PM"},
           {"ampm h", Afternoon, "PM 2"},
           {"h 'a' am/pm", Afternoon, "2 a pm"},
           {"h am/pm", early, "12 am"},
           {"h am/pm", noon, "12 pm"},
           {"h", early, "0"},
           {"c", Afternoon, "3/5/2024 2:07:09 PM"},
           {"", Afternoon, "3/5/2024 2:07:09 PM"},
           {"c", midnight, "3/5/2024"},
           {"ddddd", Afternoon, "3/5/2024"},
           {"dddddd", Afternoon, "Tuesday, March 5, 2024"},
           {"t", Afternoon, "2:07 PM"},
           {"tt", Afternoon, "2:07:09 PM"},
           {"'hh' \"mm:\" hh", Afternoon, "hh mm: 14"},
           {"'unterminated", Afternoon, "unterminated"},
           {"yyyy-mm-dd hh:nn", -1.25, "1899-12-29 06:00"},
           {"yyyy/m/d", EncodeDate(1, 1, 1), "0001/1/1"},
       })
    EXPECT_EQ(FormatDateTime(c.format, c.value, English), c.expected) << c.format;
}

TEST(FormatDateTimePatterns, SeparatorsComeFromTheSettings) {
  TFormatSettings settings = English;
  settings.DateSeparator = '.';
  settings.TimeSeparator = '-';
  EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", Afternoon, settings), "05.03.2024 14-07");
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy", Afternoon, settings), "05.03.2024");
  EXPECT_EQ(FormatDateTime("hh:nn:ss", Afternoon, settings), "14-07-09");
  EXPECT_EQ(FormatDateTime("'/:'", Afternoon, settings), "/:");
  settings.TimeSeparator = '\0';
  EXPECT_EQ(FormatDateTime("hh:nn", Afternoon, settings), "1407");
}

TEST(FormatDateTimePatterns, NestedFormatsStopAfterOneLevel) {
  TFormatSettings settings = English;
  settings.ShortDateFormat = "c|dddddd";
  settings.LongDateFormat = "ddddd";
  settings.LongTimeFormat = "tt";
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5), settings), "|");
  EXPECT_EQ(FormatDateTime("ddddd", EncodeDate(2024, 3, 5), settings), "|");
}

TEST(FormatDateTimePatterns, InvalidValueRaises) {
  EXPECT_THROW(FormatDateTime("c", std::numeric_limits<double>::quiet_NaN(), English),
               EConvertError);
  EXPECT_THROW(FormatDateTime("yyyy", 1e20, English), EConvertError);
}

TEST(FormatDateTimeStrings, UseTheGivenOrTheProcessSettings) {
  TFormatSettings german = English;
  german.ShortDateFormat = "dd.mm.yyyy";
  german.LongTimeFormat = "hh:nn:ss";
  EXPECT_EQ(DateToStr(Afternoon, german), "05.03.2024");
  EXPECT_EQ(TimeToStr(Afternoon, german), "14:07:09");
  EXPECT_EQ(DateTimeToStr(Afternoon, german), "05.03.2024 14:07:09");

  const TFormatSettings saved = FormatSettings();
  FormatSettings() = german;
  EXPECT_EQ(DateToStr(Afternoon), "05.03.2024");
  EXPECT_EQ(TimeToStr(Afternoon), "14:07:09");
  EXPECT_EQ(DateTimeToStr(Afternoon), "05.03.2024 14:07:09");
  EXPECT_EQ(FormatDateTime("ddddd t", Afternoon), "05.03.2024 2:07 PM");
  FormatSettings() = saved;
}

TEST(FormatSettingsLocale, ClassicUnknownAndBrokenLocalesAreEnglish) {
  EXPECT_EQ(English.LongMonthNames[11], "December");
  EXPECT_EQ(English.ShortDayNames[0], "Sun");
  for (const char* name : {"C", "POSIX", "C.UTF-8", "C.utf8", "xx_NOWHERE.UTF-8", "../../etc"})
    EXPECT_TRUE(TFormatSettings::FromLocale(name) == English) << name;
  const ScopedEnv all("LC_ALL", "xx_NOWHERE.UTF-8");
  EXPECT_TRUE(TFormatSettings::FromLocale("") == English);
}

TEST(FormatSettingsLocale, StrftimeConversion) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"%d.%m.%Y", "dd.mm.yyyy"},
      {"%D", "mm/dd/yy"},
      {"%F", "yyyy-mm-dd"},
      {"%H:%M:%S", "hh:nn:ss"},
      {"%T", "hh:nn:ss"},
      {"%r", "hh:nn:ss AMPM"},
      {"%R", "hh:nn"},
      {"%e.%-m.%Y", "d.m.yyyy"},
      {"%-d.%-H.%-M.%-S", "d.h.n.s"},
      {"%k %l %P", "h h AMPM"},
      {"%a %A %b %h %B", "ddd dddd mmm mmm mmmm"},
      {"%Ey %OH %_d", "yy hh d"},
      {"%Hh%M Uhr", "hh\"h\"nn \"Uhr\""},
      {"%Y年%m月%d日", "yyyy年mm月dd日"},
      {"%Z %j 100%%", "  100%"},
      {"it's \"%Y\"", "\"it's\" '\"'yyyy'\"'"},
      {"%Y %", "yyyy "},
  };
  for (const auto& [strftimeFormat, pattern] : cases)
    EXPECT_EQ(StrftimeToDateTimeFormat(strftimeFormat), pattern) << strftimeFormat;
}

TEST(FormatSettingsLocale, ConvertedPatternsFormatLikeStrftime) {
  std::tm parts{};
  parts.tm_year = 2024 - 1900;
  parts.tm_mon = 2;
  parts.tm_mday = 5;
  parts.tm_wday = 2;
  parts.tm_hour = 14;
  parts.tm_min = 7;
  parts.tm_sec = 9;
  const locale_t classic = newlocale(LC_ALL_MASK, "C", nullptr);
  ASSERT_NE(classic, nullptr);
  for (const char* format : {"%d.%m.%Y", "%D", "%F %T", "%r", "%I:%M %p", "%a, %d %b %Y",
                             "%A %B %-d at %R", "Year %y: %H.%M.%S", "%%%d%%"}) {
    std::array<char, 128> expected{};
    ASSERT_GT(strftime_l(expected.data(), expected.size(), format, &parts, classic), 0U);
    EXPECT_EQ(FormatDateTime(StrftimeToDateTimeFormat(format), Afternoon, English), expected.data())
        << format;
  }
  freelocale(classic);
}

TEST(FormatSettingsLocale, InstalledLocalesAreConverted) {
  struct LocaleCase {
    const char* name;
    const char* shortDate;
    const char* shortTime;
    const char* longTime;
    char dateSeparator, timeSeparator;
  };
  int tested = 0;
  for (const LocaleCase& c : std::vector<LocaleCase>{
           {"de_DE.UTF-8", "dd.mm.yyyy", "hh:nn", "hh:nn:ss", '.', ':'},
           {"en_US.UTF-8", "mm/dd/yyyy", "hh:nn AMPM", "hh:nn:ss AMPM", '/', ':'},
           {"fi_FI.UTF-8", "dd.mm.yyyy", "hh.nn", "hh.nn.ss", '.', '.'},
           {"ja_JP.UTF-8", "yyyy年mm月dd日", "hh時nn分", "hh時nn分ss秒", '/', ':'},
       }) {
    if (!LocaleExists(c.name)) continue;
    ++tested;
    const TFormatSettings settings = TFormatSettings::FromLocale(c.name);
    EXPECT_EQ(settings.ShortDateFormat, c.shortDate) << c.name;
    EXPECT_EQ(settings.ShortTimeFormat, c.shortTime) << c.name;
    EXPECT_EQ(settings.LongTimeFormat, c.longTime) << c.name;
    EXPECT_EQ(settings.DateSeparator, c.dateSeparator) << c.name;
    EXPECT_EQ(settings.TimeSeparator, c.timeSeparator) << c.name;
  }
  if (tested == 0) GTEST_SKIP() << "none of the locales is installed";
}

TEST(FormatSettingsLocale, GermanNamesAndEnvironmentWhenInstalled) {
  if (!LocaleExists("de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  const TFormatSettings german = TFormatSettings::FromLocale("de_DE.UTF-8");
  EXPECT_EQ(german.TimeAMString, "AM");
  EXPECT_EQ(FormatDateTime("dddd, d. mmmm yyyy (ddd, mmm)", Afternoon, german),
            "Dienstag, 5. März 2024 (Di, Mär)");

  const ScopedEnv all("LC_ALL", nullptr);
  const ScopedEnv time("LC_TIME", "de_DE.UTF-8");
  const ScopedEnv lang("LANG", "C");
  EXPECT_TRUE(TFormatSettings::FromLocale("") == german);
}

TEST(FormatSettingsLocale, Latin1LocaleNamesAreUtf8WhenInstalled) {
  if (!LocaleExists("de_DE.ISO-8859-1")) GTEST_SKIP() << "de_DE.ISO-8859-1 is not installed";
  EXPECT_EQ(TFormatSettings::FromLocale("de_DE.ISO-8859-1").LongMonthNames[2], "März");
}
