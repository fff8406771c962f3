#include "framework/rtl/FormatSettings.h"

#include <cstdlib>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

namespace {

constexpr std::string_view DefaultAmPmFormat = "%I:%M:%S %p";

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsAsciiPunctuation(char c) {
  return c > ' ' && c < 0x7f && !IsAsciiLetter(c) && !(c >= '0' && c <= '9');
}

bool IsSeparator(char c) { return IsAsciiPunctuation(c) && c != '"' && c != '\''; }

// Writes a pattern, keeping literal letters and quotes from being read as pattern letters.
class PatternWriter {
public:
  void Token(std::string_view token) {
    CloseQuote();
    pattern_ += token;
  }

  void Literal(char c) {
    if (c == '"') {
      CloseQuote();
      pattern_ += "'\"'";
    } else if (IsAsciiLetter(c) || c == '\'') {
      OpenQuote();
      pattern_ += c;
    } else {
      CloseQuote();
      pattern_ += c;
    }
  }

  String Finish() {
    CloseQuote();
    return pattern_;
  }

private:
  void OpenQuote() {
    if (!quoted_) pattern_ += '"';
    quoted_ = true;
  }

  void CloseQuote() {
    if (quoted_) pattern_ += '"';
    quoted_ = false;
  }

  String pattern_;
  bool quoted_ = false;
};

// One strftime conversion: "%" [flags] [width] [E|O] letter.
struct Conversion {
  bool unpadded = false;
  char letter = '\0';
  std::size_t length = 0;
};

std::optional<Conversion> ParseConversion(std::string_view format, std::size_t start) {
  Conversion conversion;
  std::size_t pos = start + 1;
  while (pos < format.size() && String("-_0^#").find(format[pos]) != String::npos)
    conversion.unpadded = conversion.unpadded || format[pos++] != '0';
  while (pos < format.size() && format[pos] >= '0' && format[pos] <= '9') ++pos;
  if (pos < format.size() && (format[pos] == 'E' || format[pos] == 'O')) ++pos;
  if (pos >= format.size()) return std::nullopt;
  conversion.letter = format[pos];
  conversion.length = pos + 1 - start;
  return conversion;
}

std::string_view CompositeExpansion(char letter, std::string_view ampmFormat) {
  switch (letter) {
  case 'D':
    return "%m/%d/%y";
  case 'F':
    return "%Y-%m-%d";
  case 'T':
    return "%H:%M:%S";
  case 'R':
    return "%H:%M";
  case 'r':
    return ampmFormat;
  default:
    return {};
  }
}

std::string_view TokenOf(const Conversion& conversion) {
  const bool unpadded = conversion.unpadded;
  switch (conversion.letter) {
  case 'd':
    return unpadded ? "d" : "dd";
  case 'e':
    return "d";
  case 'm':
    return unpadded ? "m" : "mm";
  case 'y':
    return "yy";
  case 'Y':
    return "yyyy";
  case 'b':
  case 'h':
    return "mmm";
  case 'B':
    return "mmmm";
  case 'a':
    return "ddd";
  case 'A':
    return "dddd";
  case 'H':
  case 'I':
    return unpadded ? "h" : "hh";
  case 'k':
  case 'l':
    return "h";
  case 'M':
    return unpadded ? "n" : "nn";
  case 'S':
    return unpadded ? "s" : "ss";
  case 'p':
  case 'P':
    return "AMPM";
  default:
    return {};
  }
}

char LiteralOf(char letter) {
  switch (letter) {
  case '%':
    return '%';
  case 'n':
    return '\n';
  case 't':
    return '\t';
  default:
    return '\0';
  }
}

void WriteStrftime(std::string_view format, std::string_view ampmFormat, PatternWriter& writer) {
  std::size_t pos = 0;
  while (pos < format.size()) {
    if (format[pos] != '%') {
      writer.Literal(format[pos++]);
      continue;
    }
    const std::optional<Conversion> conversion = ParseConversion(format, pos);
    if (!conversion) return;
    pos += conversion->length;
    if (const auto expansion = CompositeExpansion(conversion->letter, ampmFormat);
        !expansion.empty())
      WriteStrftime(expansion, DefaultAmPmFormat, writer);
    else if (const auto token = TokenOf(*conversion); !token.empty())
      writer.Token(token);
    else if (const char literal = LiteralOf(conversion->letter); literal != '\0')
      writer.Literal(literal);
  }
}

String ConvertStrftime(std::string_view format, std::string_view ampmFormat) {
  PatternWriter writer;
  WriteStrftime(format, ampmFormat, writer);
  return writer.Finish();
}

// The first punctuation outside quotes: the separator the pattern's fields use.
char FirstSeparator(const String& pattern, char fallback) {
  char quote = '\0';
  for (const char c : pattern) {
    if (quote != '\0') {
      if (c == quote) quote = '\0';
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (IsSeparator(c)) {
      return c;
    }
  }
  return fallback;
}

bool IsNonAscii(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Where the first seconds field outside quotes starts; npos when there is none.
std::size_t FindSeconds(const String& pattern) {
  char quote = '\0';
  for (std::size_t pos = 0; pos < pattern.size(); ++pos) {
    const char c = pattern[pos];
    if (quote != '\0') {
      if (c == quote) quote = '\0';
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == 's' || c == 'S') {
      return pos;
    }
  }
  return String::npos;
}

// The time pattern without its seconds field and the separator in front of it (or, as in
// "hh時nn分ss秒", the unit text after it).
String WithoutSeconds(const String& pattern) {
  const std::size_t pos = FindSeconds(pattern);
  if (pos == String::npos) return pattern;
  std::size_t end = pos;
  while (end < pattern.size() && (pattern[end] == 's' || pattern[end] == 'S')) ++end;
  std::size_t begin = pos;
  if (pos > 0 && IsSeparator(pattern[pos - 1]))
    --begin;
  else
    while (end < pattern.size() && IsNonAscii(pattern[end])) ++end;
  return pattern.substr(0, begin) + pattern.substr(end);
}

struct LocaleDeleter {
  void operator()(locale_t locale) const { freelocale(locale); }
};
using LocaleHandle = std::unique_ptr<std::remove_pointer_t<locale_t>, LocaleDeleter>;

struct IconvDeleter {
  void operator()(iconv_t converter) const { iconv_close(converter); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvDeleter>;

bool IsUtf8Compatible(std::string_view codeset) {
  return codeset == "UTF-8" || codeset == "ANSI_X3.4-1968";
}

// Converts text in the locale's codeset to UTF-8; nullopt when it cannot be converted.
std::optional<String> ToUtf8(const String& text, const char* codeset) {
  if (IsUtf8Compatible(codeset)) return text;
  iconv_t raw = iconv_open("UTF-8", codeset);
  if (raw == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  const IconvHandle converter(raw);
  std::vector<char> input(text.begin(), text.end());
  std::vector<char> output(text.size() * 4 + 4);
  char* in = input.data();
  char* out = output.data();
  std::size_t inLeft = input.size();
  std::size_t outLeft = output.size();
  if (iconv(converter.get(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
    return std::nullopt;
  return String(output.data(), out);
}

class LocaleReader {
public:
  explicit LocaleReader(locale_t locale)
      : locale_(locale), codeset_(nl_langinfo_l(CODESET, locale)) {}

  // The item's text in UTF-8; empty when the locale leaves it empty or it cannot be converted.
  String Text(nl_item item) const {
    return ToUtf8(nl_langinfo_l(item, locale_), codeset_).value_or(String());
  }

  template <std::size_t N> void ReadNames(nl_item first, std::array<String, N>& names) const {
    for (std::size_t i = 0; i < N; ++i) {
      String name = Text(static_cast<nl_item>(first + static_cast<nl_item>(i)));
      if (!name.empty()) names[i] = std::move(name);
    }
  }

private:
  locale_t locale_;
  const char* codeset_;
};

void ReadDateFormats(const LocaleReader& reader, TFormatSettings& settings) {
  const String pattern = ConvertStrftime(reader.Text(D_FMT), DefaultAmPmFormat);
  if (pattern.empty()) return;
  settings.ShortDateFormat = pattern;
  settings.LongDateFormat = pattern; // POSIX locales define no long date format
  settings.DateSeparator = FirstSeparator(pattern, settings.DateSeparator);
}

void ReadTimeFormats(const LocaleReader& reader, TFormatSettings& settings) {
  String ampmFormat = reader.Text(T_FMT_AMPM);
  if (ampmFormat.empty()) ampmFormat = DefaultAmPmFormat;
  const String pattern = ConvertStrftime(reader.Text(T_FMT), ampmFormat);
  if (pattern.empty()) return;
  settings.LongTimeFormat = pattern;
  settings.ShortTimeFormat = WithoutSeconds(pattern);
  settings.TimeSeparator = FirstSeparator(pattern, settings.TimeSeparator);
}

// Keeps the English strings where the locale has none (many 24-hour locales).
void ReadAmPm(const LocaleReader& reader, TFormatSettings& settings) {
  if (String am = reader.Text(AM_STR); !am.empty()) settings.TimeAMString = std::move(am);
  if (String pm = reader.Text(PM_STR); !pm.empty()) settings.TimePMString = std::move(pm);
}

TFormatSettings SettingsOfLocale(locale_t locale) {
  const LocaleReader reader(locale);
  TFormatSettings settings = TFormatSettings::English();
  ReadDateFormats(reader, settings);
  ReadTimeFormats(reader, settings);
  ReadAmPm(reader, settings);
  reader.ReadNames(MON_1, settings.LongMonthNames);
  reader.ReadNames(ABMON_1, settings.ShortMonthNames);
  reader.ReadNames(DAY_1, settings.LongDayNames);
  reader.ReadNames(ABDAY_1, settings.ShortDayNames);
  return settings;
}

const char* NonEmptyEnv(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

// The locale name that "" stands for: LC_ALL, then LC_TIME, then LANG.
String EffectiveLocaleName(const char* localeName) {
  if (localeName != nullptr && *localeName != '\0') return localeName;
  for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"})
    if (const char* value = NonEmptyEnv(variable)) return value;
  return "C";
}

bool IsClassicLocale(std::string_view name) {
  return name == "C" || name == "POSIX" || name.starts_with("C.") || name.starts_with("C@");
}

} // namespace

TFormatSettings TFormatSettings::English() {
  TFormatSettings settings;
  settings.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  settings.LongMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                             "July",    "August",   "September", "October", "November", "December"};
  settings.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  settings.LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                           "Thursday", "Friday", "Saturday"};
  return settings;
}

TFormatSettings TFormatSettings::FromLocale(const char* localeName) {
  const String name = EffectiveLocaleName(localeName);
  if (IsClassicLocale(name)) return English();
  // LC_CTYPE supplies the codeset the names are encoded in.
  const LocaleHandle locale(newlocale(LC_TIME_MASK | LC_CTYPE_MASK, name.c_str(), nullptr));
  if (!locale) return English();
  return SettingsOfLocale(locale.get());
}

String StrftimeToDateTimeFormat(const String& strftimeFormat) {
  return ConvertStrftime(strftimeFormat, DefaultAmPmFormat);
}

TFormatSettings& FormatSettings() {
  static TFormatSettings settings = TFormatSettings::FromLocale("");
  return settings;
}
