#include "framework/rtl/Format.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/FormatFloat.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <utility>

namespace {

// Widths, precisions and indexes above this are taken as a malformed format.
constexpr Int64 MaxCount = 1 << 20;
constexpr int DefaultFloatPrecision = 15;
constexpr int DefaultDecimals = 2;
constexpr int FixedPrecision = 18;
constexpr int ExponentDigits = 3;

String UnsignedText(std::uint64_t value, int base) {
  char buffer[24];
  const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value, base);
  String text(std::begin(buffer), result.ptr);
  for (char& c : text)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

String ZeroPadded(String digits, int minDigits) {
  if (static_cast<int>(digits.size()) < minDigits)
    digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
  return digits;
}

// %u and %x show a value that fits Integer as the 32-bit unsigned number, as the
// framework does for Integer arguments; wider values as 64-bit.
std::uint64_t AsUnsigned(Int64 value) {
  if (std::in_range<Integer>(value)) return static_cast<Cardinal>(static_cast<Integer>(value));
  return static_cast<std::uint64_t>(value);
}

// Cuts text to at most maxBytes without splitting a UTF-8 sequence.
String Truncated(const String& text, int maxBytes) {
  std::size_t cut = static_cast<std::size_t>(maxBytes);
  if (cut >= text.size()) return text;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return text.substr(0, cut);
}

struct Specifier {
  bool left = false;
  int width = 0;
  int precision = -1;
  char type = '\0';
};

class Formatter {
public:
  Formatter(const String& format, std::initializer_list<TVarRec> args)
      : format_(format), args_(args) {}

  String Run() {
    String out;
    std::size_t i = 0;
    while (i < format_.size()) {
      const std::size_t percent = format_.find('%', i);
      out += format_.substr(i, percent - i);
      if (percent == String::npos) break;
      i = percent + 1;
      if (i < format_.size() && format_[i] == '%') {
        out += '%';
        ++i;
      } else {
        const Specifier specifier = ReadSpecifier(i);
        out += Padded(Convert(specifier), specifier);
      }
    }
    return out;
  }

private:
  [[noreturn]] void Invalid() const {
    throw EConvertError("Format '" + format_ + "' invalid or incompatible with argument");
  }

  const TVarRec::Value& NextArg() {
    if (next_ >= args_.size()) throw EConvertError("No argument for format '" + format_ + "'");
    return args_.begin()[next_++].value();
  }

  template <typename T> const T& NextArgOf() {
    const T* value = std::get_if<T>(&NextArg());
    if (value == nullptr) Invalid();
    return *value;
  }

  // A number in digits or "*" (taken from the next argument) at i, if there is one.
  std::optional<Int64> ReadCount(std::size_t& i) {
    if (i < format_.size() && format_[i] == '*') {
      ++i;
      const Int64 value = NextArgOf<Int64>();
      if (value > MaxCount || value < -MaxCount) Invalid();
      return value;
    }
    if (i >= format_.size() || format_[i] < '0' || format_[i] > '9') return std::nullopt;
    Int64 value = 0;
    for (; i < format_.size() && format_[i] >= '0' && format_[i] <= '9'; ++i) {
      value = value * 10 + (format_[i] - '0');
      if (value > MaxCount) Invalid();
    }
    return value;
  }

  // Reads [index ":"] ["-"] [width] ["." precision] type, starting after the "%".
  Specifier ReadSpecifier(std::size_t& i) {
    Specifier specifier;
    std::optional<Int64> count = ReadCount(i);
    if (count && i < format_.size() && format_[i] == ':') {
      if (*count < 0) Invalid();
      next_ = static_cast<std::size_t>(*count);
      ++i;
      count.reset();
    }
    if (!count && i < format_.size() && format_[i] == '-') {
      specifier.left = true;
      ++i;
      count = ReadCount(i);
    }
    if (count) {
      specifier.left = specifier.left || *count < 0;
      specifier.width = static_cast<int>(*count < 0 ? -*count : *count);
    }
    if (i < format_.size() && format_[i] == '.') {
      ++i;
      const Int64 precision = ReadCount(i).value_or(0);
      specifier.precision = precision < 0 ? -1 : static_cast<int>(precision);
    }
    if (i >= format_.size()) Invalid();
    const char type = format_[i++];
    specifier.type = (type >= 'a' && type <= 'z') ? static_cast<char>(type - 'a' + 'A') : type;
    return specifier;
  }

  String Convert(const Specifier& specifier) {
    switch (specifier.type) {
    case 'D':
      return DecimalText(NextArgOf<Int64>(), specifier.precision);
    case 'U':
      return ZeroPadded(UnsignedText(AsUnsigned(NextArgOf<Int64>()), 10), specifier.precision);
    case 'X':
      return ZeroPadded(UnsignedText(AsUnsigned(NextArgOf<Int64>()), 16), specifier.precision);
    case 'S':
      return StringText(specifier.precision);
    case 'P':
      return PointerText();
    case 'E':
    case 'F':
    case 'G':
    case 'N':
    case 'M':
      return FloatText(specifier);
    default:
      Invalid();
    }
  }

  static String DecimalText(Int64 value, int precision) {
    const std::uint64_t magnitude = value < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(value)
                                              : static_cast<std::uint64_t>(value);
    const String digits = ZeroPadded(UnsignedText(magnitude, 10), precision);
    return value < 0 ? "-" + digits : digits;
  }

  String StringText(int precision) {
    const TVarRec::Value& arg = NextArg();
    String text;
    if (const String* s = std::get_if<String>(&arg)) {
      text = *s;
    } else if (const char* c = std::get_if<char>(&arg)) {
      text = String(1, *c);
    } else {
      Invalid();
    }
    return precision < 0 ? text : Truncated(text, precision);
  }

  String PointerText() {
    const auto address = reinterpret_cast<std::uintptr_t>(NextArgOf<const void*>());
    return ZeroPadded(UnsignedText(address, 16), 2 * sizeof(void*));
  }

  String FloatText(const Specifier& specifier) {
    const Extended value = NextArgOf<Extended>();
    const int decimals = specifier.precision < 0 ? DefaultDecimals : specifier.precision;
    const int precision = specifier.precision < 0 ? DefaultFloatPrecision : specifier.precision;
    switch (specifier.type) {
    case 'E':
      return FloatToStrF(value, ffExponent, precision, ExponentDigits);
    case 'G':
      return FloatToStrF(value, ffGeneral, precision, ExponentDigits);
    case 'N':
      return FloatToStrF(value, ffNumber, FixedPrecision, decimals);
    case 'M':
      return FloatToStrF(value, ffCurrency, FixedPrecision, decimals);
    default:
      return FloatToStrF(value, ffFixed, FixedPrecision, decimals);
    }
  }

  static String Padded(const String& text, const Specifier& specifier) {
    if (static_cast<int>(text.size()) >= specifier.width) return text;
    const String padding(static_cast<std::size_t>(specifier.width) - text.size(), ' ');
    return specifier.left ? text + padding : padding + text;
  }

  const String& format_;
  std::initializer_list<TVarRec> args_;
  std::size_t next_ = 0;
};

} // namespace

String Format(const String& format, std::initializer_list<TVarRec> args) {
  return Formatter(format, args).Run();
}
