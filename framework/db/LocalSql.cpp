#include "framework/db/LocalSql.h"

#include "framework/rtl/Strings.h"

#include <cctype>

namespace {

struct TToken {
  enum TKind { Word, Quoted, Number, Symbol, End } Kind = End;
  String Text;
};

class TSyntaxError : public EDatabaseError {
public:
  using EDatabaseError::EDatabaseError;
};

bool IsWordChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// A double-quoted name starting at AAt (a doubled quote inside stands for one); AAt moves
// past it.
String QuotedName(const String& ASql, std::size_t& AAt) {
  String name;
  for (std::size_t i = AAt + 1; i < ASql.size(); ++i) {
    if (ASql[i] != '"') {
      name += ASql[i];
    } else if (i + 1 < ASql.size() && ASql[i + 1] == '"') {
      name += '"';
      ++i;
    } else {
      AAt = i + 1;
      return name;
    }
  }
  throw TSyntaxError("Unterminated quoted name in SQL");
}

std::vector<TToken> Tokenize(const String& ASql) {
  std::vector<TToken> tokens;
  std::size_t i = 0;
  while (i < ASql.size()) {
    const char c = ASql[i];
    if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '"') {
      tokens.push_back({TToken::Quoted, QuotedName(ASql, i)});
    } else if (IsWordChar(c)) {
      const std::size_t start = i;
      while (i < ASql.size() && IsWordChar(ASql[i])) ++i;
      const String word = ASql.substr(start, i - start);
      const bool number = std::isdigit(static_cast<unsigned char>(word[0]));
      tokens.push_back({number ? TToken::Number : TToken::Word, word});
    } else {
      tokens.push_back({TToken::Symbol, String(1, c)});
      ++i;
    }
  }
  tokens.push_back({TToken::End, ""});
  return tokens;
}

class TParser {
public:
  explicit TParser(std::vector<TToken> ATokens) : FTokens(std::move(ATokens)) {}

  bool AcceptWord(const char* AWord) {
    if (Peek().Kind != TToken::Word || !SameText(Peek().Text, AWord)) return false;
    ++FPos;
    return true;
  }
  bool AcceptSymbol(char ASymbol) {
    if (Peek().Kind != TToken::Symbol || Peek().Text[0] != ASymbol) return false;
    ++FPos;
    return true;
  }
  void ExpectWord(const char* AWord) {
    if (!AcceptWord(AWord)) Fail(String("expected ") + AWord);
  }
  void ExpectSymbol(char ASymbol) {
    if (!AcceptSymbol(ASymbol)) Fail(String("expected '") + ASymbol + "'");
  }
  String Name() {
    const TToken& t = Peek();
    if (t.Kind != TToken::Word && t.Kind != TToken::Quoted) Fail("expected a name");
    ++FPos;
    return t.Text;
  }
  std::vector<String> NameList() {
    ExpectSymbol('(');
    std::vector<String> names{Name()};
    while (AcceptSymbol(',')) names.push_back(Name());
    ExpectSymbol(')');
    return names;
  }
  // The table: a quoted path (which makes the statement ours) or a name.
  void Target(TLocalStatement& AStatement, bool& AQuoted) {
    AQuoted = Peek().Kind == TToken::Quoted;
    const String target = Name();
    if (AQuoted)
      SplitTablePath(target, AStatement.Directory, AStatement.Table.Name);
    else
      AStatement.Table.Name = target;
    if (AStatement.Table.Name.empty()) Fail("the path names no table");
  }
  // A type: a word with an optional list of numbers in parentheses.
  String TypeText() {
    String text = Name();
    if (!AcceptSymbol('(')) return text;
    text += "(";
    do {
      if (Peek().Kind != TToken::Number) Fail("expected a number");
      text += Peek().Text;
      ++FPos;
      if (Peek().Kind == TToken::Symbol && Peek().Text == ",") text += ",";
    } while (AcceptSymbol(','));
    ExpectSymbol(')');
    return text + ")";
  }
  void End() {
    AcceptSymbol(';');
    if (Peek().Kind != TToken::End) Fail("unexpected '" + Peek().Text + "'");
  }
  [[noreturn]] void Fail(const String& AWhat) const {
    throw TSyntaxError("SQL syntax error near '" + Peek().Text + "': " + AWhat);
  }
  const TToken& Peek() const { return FTokens[FPos]; }

private:
  std::vector<TToken> FTokens;
  std::size_t FPos = 0;
};

void ParseField(TParser& AParser, TTableDef& ATable) {
  if (AParser.AcceptWord("PRIMARY")) {
    AParser.ExpectWord("KEY");
    if (ATable.PrimaryKey()) AParser.Fail("a second primary key");
    ATable.Indexes.insert(ATable.Indexes.begin(), TIndexDef{"", AParser.NameList(), true, true});
    return;
  }
  TFieldDef field;
  field.Name = AParser.Name();
  const String typeText = AParser.TypeText();
  const auto type = ParseFieldTypeName(typeText, field.Size);
  if (!type) AParser.Fail("unknown field type " + typeText);
  field.DataType = *type;
  if (AParser.AcceptWord("NOT")) {
    AParser.ExpectWord("NULL");
    field.Required = true;
  }
  ATable.Fields.push_back(field);
}

TLocalStatement ParseCreateTable(TParser& AParser, bool& AQuoted) {
  TLocalStatement s;
  s.Kind = TLocalStatement::CreateTable;
  AParser.Target(s, AQuoted);
  AParser.ExpectSymbol('(');
  do ParseField(AParser, s.Table);
  while (AParser.AcceptSymbol(','));
  AParser.ExpectSymbol(')');
  AParser.End();
  return s;
}

TLocalStatement ParseCreateIndex(TParser& AParser, bool AUnique, bool& AQuoted) {
  TLocalStatement s;
  s.Kind = TLocalStatement::CreateIndex;
  s.Index.Unique = AUnique;
  s.Index.Name = AParser.Name();
  AParser.ExpectWord("ON");
  AParser.Target(s, AQuoted);
  s.Index.Fields = AParser.NameList();
  AParser.End();
  return s;
}

TLocalStatement ParseDropTable(TParser& AParser, bool& AQuoted) {
  TLocalStatement s;
  s.Kind = TLocalStatement::DropTable;
  AParser.Target(s, AQuoted);
  AParser.End();
  return s;
}

// Which statement the text begins with; nullopt for any other.
std::optional<TLocalStatement> ParseStatement(TParser& AParser, bool& AQuoted) {
  if (AParser.AcceptWord("DROP")) {
    if (!AParser.AcceptWord("TABLE")) return std::nullopt;
    return ParseDropTable(AParser, AQuoted);
  }
  if (!AParser.AcceptWord("CREATE")) return std::nullopt;
  if (AParser.AcceptWord("TABLE")) return ParseCreateTable(AParser, AQuoted);
  const bool unique = AParser.AcceptWord("UNIQUE");
  if (AParser.AcceptWord("INDEX")) return ParseCreateIndex(AParser, unique, AQuoted);
  return std::nullopt;
}

} // namespace

String NormalizePath(const String& APath) {
  String path = APath;
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

void SplitTablePath(const String& APath, String& ADirectory, String& ATable) {
  const String path = NormalizePath(APath);
  const auto slash = path.rfind('/');
  ADirectory = slash == String::npos ? String() : path.substr(0, slash == 0 ? 1 : slash);
  ATable = slash == String::npos ? path : path.substr(slash + 1);
  if (ATable.size() > 3 && SameText(ATable.substr(ATable.size() - 3), ".db"))
    ATable.resize(ATable.size() - 3);
}

std::optional<TLocalStatement> ParseLocalStatement(const String& ASql) {
  bool quoted = false;
  try {
    TParser parser(Tokenize(ASql));
    return ParseStatement(parser, quoted);
  } catch (const TSyntaxError&) {
    if (quoted) throw;
    return std::nullopt;
  }
}
