#include "framework/classes/FormFile.h"

#include "framework/classes/Filer.h"
#include "framework/classes/Parser.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/Strings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr std::size_t StringLineLength = 64;
constexpr std::size_t BinaryBytesPerLine = 32;
constexpr int MaxTextNesting = 256;

// Length of the valid UTF-8 sequence starting at s[i] (0 when it is none).
std::size_t Utf8SequenceLength(const String& s, std::size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  std::size_t n;
  std::uint32_t cp;
  if (b >= 0xC2 && b <= 0xDF) {
    n = 2, cp = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3, cp = b & 0x0F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4, cp = b & 0x07;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = cp << 6 | (c & 0x3F);
  }
  const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
  if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

// One string in the text syntax, split into pieces of about 64 bytes.
std::vector<String> QuoteString(const String& s) {
  std::vector<String> pieces;
  String piece;
  bool inQuote = false;
  std::size_t sourceBytes = 0;
  const auto closeQuote = [&] {
    if (inQuote) piece += '\'';
    inQuote = false;
  };
  for (std::size_t i = 0; i < s.size();) {
    if (sourceBytes >= StringLineLength) {
      closeQuote();
      pieces.push_back(std::move(piece));
      piece.clear();
      sourceBytes = 0;
    }
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 1;
    if (b >= ' ' && b < 0x7F) {
      if (!inQuote) piece += '\'';
      inQuote = true;
      piece += s[i];
      if (b == '\'') piece += '\'';
    } else if (b >= 0x80 && (n = Utf8SequenceLength(s, i)) > 0) {
      if (!inQuote) piece += '\'';
      inQuote = true;
      piece.append(s, i, n);
    } else {
      n = 1;
      closeQuote();
      piece += '#' + IntToStr(b);
    }
    i += n;
    sourceBytes += n;
  }
  closeQuote();
  if (piece.empty()) piece = "''";
  pieces.push_back(std::move(piece));
  return pieces;
}

String FloatText(double v) {
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
  String text(buffer, r.ptr);
  if (text.find_first_of(".e") == String::npos) text += ".0";
  return text;
}

// The shortest text that reads back to the same value, with the letter of its kind.
template <class T> String SuffixedFloatText(T v, char ASuffix) {
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
  return String(buffer, r.ptr) + ASuffix;
}

// The two hexadecimal digits of every byte.
struct THexPairs {
  char Digits[256][2];
  constexpr THexPairs() : Digits{} {
    constexpr char digits[] = "0123456789ABCDEF";
    for (int b = 0; b < 256; ++b) {
      Digits[b][0] = digits[b >> 4];
      Digits[b][1] = digits[b & 15];
    }
  }
  const char* operator[](std::uint8_t b) const { return Digits[b]; }
};
constexpr THexPairs HexPairs;

class TBinaryToText {
public:
  // With an output stream the text goes to it in pieces as it is made; else Convert answers it.
  explicit TBinaryToText(TStream* AInput, TStream* AOutput = nullptr)
      : FReader(AInput), FOutput(AOutput) {}

  String Convert() {
    // Binary data takes two digits a byte and an indented line each 32 bytes.
    FOut.reserve(FOutput ? PieceSize * 2 : static_cast<std::size_t>(FReader.Stream()->Size()) * 3);
    FReader.ReadSignature();
    ConvertObject(0);
    Flush();
    return std::move(FOut);
  }

private:
  static constexpr std::size_t PieceSize = std::size_t{64} * 1024;

  void Flush() {
    if (!FOutput) return;
    FOutput->WriteBuffer(FOut.data(), static_cast<Int64>(FOut.size()));
    FOut.clear();
  }
  void FlushWhenFull() {
    if (FOut.size() >= PieceSize) Flush();
  }

  void Indent(int n) { FOut.append(static_cast<std::size_t>(n), ' '); }

  void ConvertObject(int indent) {
    if (++FDepth > MaxTextNesting) throw EReadError("Invalid stream format");
    TFilerFlags flags;
    int childPos;
    FReader.ReadPrefix(flags, childPos);
    const String className = FReader.ReadStr();
    const String name = FReader.ReadStr();
    Indent(indent);
    FOut += flags.Contains(ffInherited) ? "inherited "
            : flags.Contains(ffInline)  ? "inline "
                                        : "object ";
    if (!name.empty()) FOut += name + ": ";
    FOut += className;
    if (flags.Contains(ffChildPos)) FOut += " [" + IntToStr(childPos) + "]";
    FOut += '\n';
    while (!FReader.EndOfList()) ConvertProperty(indent + 2);
    FReader.ReadListEnd();
    while (!FReader.EndOfList()) ConvertObject(indent + 2);
    FReader.ReadListEnd();
    Indent(indent);
    FOut += "end\n";
    --FDepth;
  }

  void ConvertProperty(int indent) {
    const String name = FReader.ReadStr();
    if (name.empty()) throw EReadError("Invalid stream format");
    Indent(indent);
    FOut += name;
    FOut += " =";
    ConvertValue(indent + 2);
    FOut += '\n';
    FlushWhenFull();
  }

  // A long string goes on lines of its own below the property; a list item starts on its
  // own line already.
  void ConvertString(const String& s, int indent, bool atLineStart) {
    const std::vector<String> pieces = QuoteString(s);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
      if (i == 0 && (atLineStart || pieces.size() == 1)) {
        if (!atLineStart) FOut += ' ';
      } else {
        FOut += '\n';
        Indent(indent);
      }
      FOut += pieces[i];
      if (i + 1 < pieces.size()) FOut += " +";
    }
  }

  // Lines of BinaryBytesPerLine bytes in hexadecimal, the bytes taken from the stream a block
  // of whole lines at a time.
  void ConvertBinary(int indent) {
    Int64 left = FReader.ReadLength();
    std::uint8_t block[BinaryBytesPerLine * 256];
    FOut += '{';
    while (left > 0) {
      const auto count = static_cast<std::size_t>(std::min<Int64>(left, sizeof block));
      FReader.Read(block, static_cast<Int64>(count));
      AppendHexLines(block, count, indent);
      FlushWhenFull();
      left -= static_cast<Int64>(count);
    }
    FOut += '}';
  }

  void AppendHexLines(const std::uint8_t* data, std::size_t count, int indent) {
    const std::size_t lines = (count + BinaryBytesPerLine - 1) / BinaryBytesPerLine;
    const std::size_t at = FOut.size();
    FOut.resize(at + lines * (1 + static_cast<std::size_t>(indent)) + 2 * count);
    char* out = FOut.data() + at;
    for (std::size_t line = 0; line < count; line += BinaryBytesPerLine) {
      *out++ = '\n';
      out = std::fill_n(out, indent, ' ');
      const std::size_t end = std::min(count, line + BinaryBytesPerLine);
      for (std::size_t i = line; i < end; ++i, out += 2) std::memcpy(out, HexPairs[data[i]], 2);
    }
  }

  void ConvertCollection(int indent) {
    FOut += '<';
    while (!FReader.EndOfList()) {
      FOut += '\n';
      Indent(indent);
      FOut += "item";
      const TValueType v = FReader.NextValue();
      if (v == vaInt8 || v == vaInt16 || v == vaInt32 || v == vaInt64)
        FOut += " [" + IntToStr(FReader.ReadInt64()) + "]";
      FOut += '\n';
      FReader.ReadListBegin();
      while (!FReader.EndOfList()) ConvertProperty(indent + 2);
      FReader.ReadListEnd();
      Indent(indent);
      FOut += "end";
    }
    FReader.ReadListEnd();
    FOut += '>';
  }

  void ConvertList(int indent) {
    FOut += '(';
    while (!FReader.EndOfList()) {
      FOut += '\n';
      Indent(indent);
      ConvertValue(indent + 2, true);
    }
    FReader.ReadListEnd();
    FOut += ')';
  }

  // Singles, currencies (in ten-thousandths) and dates carry their kind as a letter: 2.5s.
  void ConvertTypedFloat(TValueType v) {
    FReader.Stream()->Seek(-1, soFromCurrent);
    if (v == vaSingle)
      FOut += SuffixedFloatText(FReader.ReadSingle(), 's');
    else if (v == vaCurrency)
      FOut += IntToStr(FReader.ReadCurrency().Scaled) + 'c';
    else
      FOut += SuffixedFloatText(FReader.ReadDate(), 'd');
  }

  void ConvertValue(int indent, bool atLineStart = false) {
    if (++FDepth > MaxTextNesting) throw EReadError("Invalid stream format");
    const TValueType v = FReader.ReadValue();
    if (!atLineStart && v != vaString && v != vaLString && v != vaUTF8String) FOut += ' ';
    switch (v) {
    case vaList:
      ConvertList(indent);
      break;
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      FOut += IntToStr(FReader.ReadIntegerPayload(v));
      break;
    case vaExtended:
    case vaDouble:
      FOut += FloatText(FReader.ReadFloatPayload(v));
      break;
    case vaSingle:
    case vaCurrency:
    case vaDate:
      ConvertTypedFloat(v);
      break;
    case vaString:
    case vaLString:
    case vaUTF8String:
      ConvertString(FReader.ReadStringPayload(v), indent, atLineStart);
      break;
    case vaIdent:
      FOut += FReader.ReadStr();
      break;
    case vaFalse:
      FOut += "False";
      break;
    case vaTrue:
      FOut += "True";
      break;
    case vaNil:
      FOut += "nil";
      break;
    case vaNull:
      FOut += "Null";
      break;
    case vaBinary:
      ConvertBinary(indent);
      break;
    case vaSet: {
      FOut += '[';
      bool first = true;
      for (String name = FReader.ReadStr(); !name.empty(); name = FReader.ReadStr()) {
        if (!first) FOut += ", ";
        FOut += name;
        first = false;
      }
      FOut += ']';
      break;
    }
    case vaCollection:
      ConvertCollection(indent);
      break;
    default:
      throw EReadError("Invalid property value");
    }
    --FDepth;
  }

  TReader FReader;
  TStream* FOutput;
  String FOut;
  int FDepth = 0;
};

class TTextToBinary {
public:
  TTextToBinary(std::string_view AText, TStream* AOutput) : FParser(AText), FWriter(AOutput) {}

  void Convert() {
    FWriter.WriteSignature();
    ConvertObject();
    FParser.CheckToken(toEOF);
  }

private:
  struct TDepth {
    explicit TDepth(TTextToBinary& AOwner) : Owner(AOwner) {
      if (++Owner.FDepth > MaxTextNesting) Owner.FParser.Error("Nesting too deep");
    }
    ~TDepth() { --Owner.FDepth; }
    TDepth(const TDepth&) = delete;
    TDepth& operator=(const TDepth&) = delete;
    TTextToBinary& Owner;
  };

  bool AtObjectStart() const {
    return FParser.TokenSymbolIs("object") || FParser.TokenSymbolIs("inherited") ||
           FParser.TokenSymbolIs("inline");
  }

  void ConvertHeader() {
    TFilerFlags flags;
    if (FParser.TokenSymbolIs("inherited"))
      flags.Include(ffInherited);
    else if (FParser.TokenSymbolIs("inline"))
      flags.Include(ffInline);
    else
      FParser.CheckTokenSymbol("object");
    FParser.NextToken();
    FParser.CheckToken(toSymbol);
    String name = FParser.TokenString();
    String className;
    FParser.NextToken();
    if (FParser.Token() == ':') {
      FParser.NextToken();
      FParser.CheckToken(toSymbol);
      className = FParser.TokenString();
      FParser.NextToken();
    } else {
      className = std::move(name);
      name.clear();
    }
    int childPos = 0;
    if (FParser.Token() == '[') {
      FParser.NextToken();
      FParser.CheckToken(toInteger);
      if (FParser.TokenInt() < INT32_MIN || FParser.TokenInt() > INT32_MAX)
        FParser.Error("Invalid child position");
      childPos = static_cast<int>(FParser.TokenInt());
      flags.Include(ffChildPos);
      FParser.NextToken();
      FParser.CheckToken(']');
      FParser.NextToken();
    }
    FWriter.WritePrefix(flags, childPos);
    FWriter.WriteStr(className);
    FWriter.WriteStr(name);
  }

  void ConvertObject() {
    const TDepth depth(*this);
    ConvertHeader();
    while (!FParser.TokenSymbolIs("end") && !AtObjectStart()) ConvertProperty();
    FWriter.WriteListEnd();
    while (!FParser.TokenSymbolIs("end")) {
      if (FParser.Token() == toEOF) FParser.Expected("'end'");
      ConvertObject();
    }
    FWriter.WriteListEnd();
    FParser.NextToken();
  }

  void ConvertProperty() {
    FParser.CheckToken(toSymbol);
    String name = FParser.TokenComponentIdent();
    if (name.size() > 255) FParser.Error("Property name too long");
    FParser.NextToken();
    FParser.CheckToken('=');
    FParser.NextToken();
    FWriter.WriteStr(name);
    ConvertValue();
  }

  void ConvertStringValue() {
    String s = FParser.TokenString();
    FParser.NextToken();
    while (FParser.Token() == '+') {
      FParser.NextToken();
      FParser.CheckToken(toString);
      s += FParser.TokenString();
      FParser.NextToken();
    }
    FWriter.WriteString(s);
  }

  void ConvertSet() {
    FParser.NextToken();
    FWriter.WriteValue(vaSet);
    while (FParser.Token() != ']') {
      FParser.CheckToken(toSymbol);
      FWriter.WriteStr(FParser.TokenString());
      FParser.NextToken();
      if (FParser.Token() == ']') break;
      FParser.CheckToken(',');
      FParser.NextToken();
    }
    FWriter.WriteStr("");
    FParser.NextToken();
  }

  void ConvertList() {
    FParser.NextToken();
    FWriter.WriteListBegin();
    while (FParser.Token() != ')') {
      if (FParser.Token() == toEOF || FParser.TokenSymbolIs("end") || AtObjectStart())
        FParser.Expected("')'");
      ConvertValue();
    }
    FWriter.WriteListEnd();
    FParser.NextToken();
  }

  void ConvertCollection() {
    FParser.NextToken();
    FWriter.WriteValue(vaCollection);
    while (FParser.Token() != '>') {
      if (!FParser.TokenSymbolIs("item")) FParser.Expected("'>'");
      FParser.NextToken();
      if (FParser.Token() == '[') {
        FParser.NextToken();
        FParser.CheckToken(toInteger);
        FWriter.WriteInteger(FParser.TokenInt());
        FParser.NextToken();
        FParser.CheckToken(']');
        FParser.NextToken();
      }
      FWriter.WriteListBegin();
      while (!FParser.TokenSymbolIs("end")) ConvertProperty();
      FWriter.WriteListEnd();
      FParser.NextToken();
    }
    FWriter.WriteListEnd();
    FParser.NextToken();
  }

  void ConvertFloat() {
    const String& text = FParser.TokenString();
    const char* const first = text.data();
    const char* const last = first + text.size();
    switch (FParser.FloatType()) {
    case 's': {
      float value;
      const auto r = std::from_chars(first, last, value);
      if (r.ec != std::errc() || r.ptr != last) FParser.Error("Invalid single value " + text);
      FWriter.WriteSingle(value);
      break;
    }
    case 'c':
      FWriter.WriteCurrency(Currency{CurrencyUnits(text)});
      break;
    default:
      if (!std::isfinite(FParser.TokenFloat())) FParser.Error("Invalid floating point value");
      if (FParser.FloatType() == 'd')
        FWriter.WriteDate(FParser.TokenFloat());
      else
        FWriter.WriteFloat(FParser.TokenFloat());
    }
  }

  // Ten-thousandths are whole numbers; a fraction rounds half to even, as the framework does.
  Int64 CurrencyUnits(const String& AText) const {
    Int64 units;
    const auto r = std::from_chars(AText.data(), AText.data() + AText.size(), units);
    if (r.ec == std::errc() && r.ptr == AText.data() + AText.size()) return units;
    const double value = FParser.TokenFloat();
    if (!(std::fabs(value) < 9223372036854775808.0))
      FParser.Error("Invalid currency value " + AText);
    return static_cast<Int64>(std::nearbyint(value));
  }

  void ConvertValue() {
    const TDepth depth(*this);
    switch (FParser.Token()) {
    case toString:
      ConvertStringValue();
      return;
    case toInteger:
      FWriter.WriteInteger(FParser.TokenInt());
      break;
    case toFloat:
      ConvertFloat();
      break;
    case toSymbol: {
      const String ident = FParser.TokenComponentIdent();
      if (ident.size() > 255) FParser.Error("Identifier too long");
      FWriter.WriteIdent(ident);
      break;
    }
    case '[':
      ConvertSet();
      return;
    case '(':
      ConvertList();
      return;
    case '{':
      FWriter.WriteBinary(FParser.ReadHexBinary());
      break;
    case '<':
      ConvertCollection();
      return;
    default:
      FParser.Expected("Property value");
    }
    FParser.NextToken();
  }

  TParser FParser;
  TWriter FWriter;
  int FDepth = 0;
};

String StreamText(TStream* Input) {
  String text(static_cast<std::size_t>(Input->Size() - Input->Position()), '\0');
  Input->ReadBuffer(text.data(), static_cast<Int64>(text.size()));
  return text;
}

} // namespace

// The text goes out in pieces; when the input fails, what was appended to the end is taken back.
void ObjectBinaryToText(TStream* Input, TStream* Output) {
  const Int64 start = Output->Position();
  const bool appending = start == Output->Size();
  try {
    TBinaryToText(Input, Output).Convert();
  } catch (...) {
    if (appending) Output->SetSize(start);
    throw;
  }
}

void ObjectTextToBinary(TStream* Input, TStream* Output) {
  const String text = StreamText(Input);
  TTextToBinary(text, Output).Convert();
}

namespace {

TComponent* ReadFormView(std::string_view Text, TComponent* Root) {
  TMemoryStream binary;
  binary.SetCapacity(static_cast<Int64>(Text.size()));
  TTextToBinary(Text, &binary).Convert();
  binary.SetPosition(0);
  TReader reader(&binary);
  return reader.ReadRootComponent(Root);
}

} // namespace

TComponent* ReadFormText(const String& Text, TComponent* Root) { return ReadFormView(Text, Root); }

namespace {

void WriteFormBinary(TMemoryStream* Binary, TComponent* Root) {
  Binary->SetCapacity(Int64{64} * 1024);
  TWriter writer(Binary);
  writer.WriteRootComponent(Root);
  Binary->SetPosition(0);
}

} // namespace

String WriteFormText(TComponent* Root) {
  TMemoryStream binary;
  WriteFormBinary(&binary, Root);
  return TBinaryToText(&binary).Convert();
}

// A memory stream's text is read where it lies.
TComponent* ReadFormStream(TStream* Stream, TComponent* Root) {
  auto* memory = dynamic_cast<TMemoryStream*>(Stream);
  if (!memory) return ReadFormText(StreamText(Stream), Root);
  const Int64 size = memory->Size(), at = std::min(memory->Position(), size);
  const std::string_view text(reinterpret_cast<const char*>(memory->Memory()) + at,
                              static_cast<std::size_t>(size - at));
  memory->SetPosition(size);
  return ReadFormView(text, Root);
}

void WriteFormStream(TStream* Stream, TComponent* Root) {
  TMemoryStream binary;
  WriteFormBinary(&binary, Root);
  ObjectBinaryToText(&binary, Stream);
}

TComponent* ReadFormFile(const String& FileName, TComponent* Root) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(FileName);
  try {
    return ReadFormText(String(bytes.begin(), bytes.end()), Root);
  } catch (EFilerError& e) {
    e.SetMessage("Error reading " + FileName + ": " + e.Message());
    throw;
  }
}

void WriteFormFile(const String& FileName, TComponent* Root) {
  const String text = WriteFormText(Root);
  ReplaceFileContents(FileName,
                      std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}
