#include "jet/JetParser.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "jet/JetMessages.h"
#include "jet/JetParserCore.h"
#include "jet/JetSyntaxErrors.h"

namespace tarnwick {

namespace {

// Sorted, upper case.
constexpr std::string_view kReservedWords[] = {
    "ALL",    "AND",      "AS",          "ASC",    "BETWEEN",   "BY",    "CASE",   "CROSS",
    "DESC",   "DISTINCT", "DISTINCTROW", "ELSE",   "END",       "EQV",   "EXCEPT", "EXISTS",
    "FROM",   "FULL",     "GROUP",       "HAVING", "IMP",       "IN",    "INNER",  "INTERSECT",
    "INTO",   "IS",       "JOIN",        "LEFT",   "LIKE",      "LIMIT", "MOD",    "NOT",
    "NULL",   "OFFSET",   "ON",          "OR",     "ORDER",     "OUTER", "PIVOT",  "RIGHT",
    "SELECT", "SET",      "THEN",        "TOP",    "TRANSFORM", "UNION", "VALUES", "WHEN",
    "WHERE",  "XOR",
};

const JetToken kEndToken{JetTokenKind::Whitespace, 0, {}, true};

constexpr int kDeepestNesting = 1000;

}  // namespace

void JetParser::Nesting::Deeper() {
  if (parser_.depth_ >= kDeepestNesting) {
    throw JetError(jet_message::NestedTooDeeply(), parser_.Offset());
  }
  ++parser_.depth_;
  ++levels_;
}

bool IsJetReservedWord(std::string_view word) {
  if (word.size() > 11) return false;
  char upper[12];
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char c = word[i];
    upper[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return std::binary_search(std::begin(kReservedWords), std::end(kReservedWords),
                            std::string_view(upper, word.size()));
}

JetParser::JetParser(std::string_view sql) : sql_(sql) {
  JetLexer lexer(sql);
  while (!lexer.AtEnd()) {
    JetToken token = lexer.Next();
    if (!IsTrivia(token)) tokens_.push_back(token);
  }
  end_ = tokens_.size();
  // PARAMETERS ...; statement is one statement: its end is the second ';'.
  int semicolons = !tokens_.empty() && IsKeyword(tokens_[0], "PARAMETERS") ? 2 : 1;
  for (std::size_t i = 0; i < tokens_.size(); ++i) {
    if (IsPunct(tokens_[i], ";") && --semicolons == 0) {
      end_ = i;
      break;
    }
  }
}

bool JetParser::MoreStatements() const {
  return std::any_of(tokens_.begin() + static_cast<std::ptrdiff_t>(end_), tokens_.end(),
                     [](const JetToken& token) { return !IsPunct(token, ";"); });
}

const JetToken& JetParser::Peek(std::size_t ahead) const {
  return position_ + ahead < end_ ? tokens_[position_ + ahead] : kEndToken;
}

std::size_t JetParser::Offset() const {
  return position_ < end_ ? tokens_[position_].offset : sql_.size();
}

bool JetParser::PeekKeyword(std::string_view word, std::size_t ahead) const {
  return position_ + ahead < end_ && IsKeyword(tokens_[position_ + ahead], word);
}

bool JetParser::AcceptKeyword(std::string_view word) {
  if (!PeekKeyword(word)) return false;
  Advance();
  return true;
}

void JetParser::ExpectKeyword(std::string_view word) {
  if (!AcceptKeyword(word)) Fail();
}

bool JetParser::PeekPunct(std::string_view punct, std::size_t ahead) const {
  return position_ + ahead < end_ && IsPunct(tokens_[position_ + ahead], punct);
}

bool JetParser::AcceptPunct(std::string_view punct) {
  if (!PeekPunct(punct)) return false;
  Advance();
  return true;
}

void JetParser::ExpectPunct(std::string_view punct) {
  if (!AcceptPunct(punct)) Fail();
}

bool JetParser::PeekName(std::size_t ahead) const {
  if (position_ + ahead >= end_) return false;
  const JetToken& token = tokens_[position_ + ahead];
  if (!IsNameToken(token)) return false;
  return token.kind != JetTokenKind::Word || !IsJetReservedWord(token.text);
}

std::string JetParser::ExpectName() {
  if (!PeekName()) Fail();
  const JetToken& token = Peek();
  if (!token.terminated) Fail();
  Advance();
  return JetNameValue(token);
}

std::string JetParser::ExpectColumnName() {
  std::string name = ExpectName();
  while (AcceptPunct(".")) name = ExpectName();
  return name;
}

int JetParser::ExpectCount() {
  const JetToken& token = Peek();
  int value = 0;
  const auto [end, error] =
      std::from_chars(token.text.data(), token.text.data() + token.text.size(), value);
  if (token.kind != JetTokenKind::Number || error != std::errc() ||
      end != token.text.data() + token.text.size()) {
    Fail();
  }
  Advance();
  return value;
}

std::string JetParser::TextFrom(std::size_t start) const {
  const std::size_t end = position_ < tokens_.size() ? tokens_[position_].offset : sql_.size();
  std::string_view text = sql_.substr(start, end - start);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return std::string(text);
}

void JetParser::Fail() const {
  const std::span<const JetToken> statement(tokens_.data(), end_);
  throw JetError(JetSyntaxErrorAt(statement, position_), Offset());
}

JetStatement JetParser::Statement() {
  JetStatement statement;
  if (AtEnd()) return statement;
  if (PeekKeyword("WITH")) throw JetError(jet_message::NotJetSql(Peek().text), Offset());
  try {
    StatementForm(statement);
  } catch (const EngineForm&) {
    return JetStatement{};
  }
  if (statement.kind == JetStatementKind::Passthrough) return statement;
  if (!AtEnd()) Fail();
  return statement;
}

void JetParser::StatementForm(JetStatement& statement) {
  if (PeekQuery()) {
    statement.query = Query();
    statement.kind = statement.query->parts[0].into.empty() ? JetStatementKind::Select
                                                            : JetStatementKind::SelectInto;
  } else if (AcceptKeyword("INSERT")) {
    Insert(statement);
  } else if (AcceptKeyword("UPDATE")) {
    Update(statement);
  } else if (AcceptKeyword("DELETE")) {
    Delete(statement);
  } else if (AcceptKeyword("CREATE")) {
    Create(statement);
  } else if (AcceptKeyword("DROP")) {
    Drop(statement);
  } else if (AcceptKeyword("ALTER")) {
    Alter(statement);
  } else if (AcceptKeyword("TRANSFORM")) {
    Transform(statement);
  } else if (AcceptKeyword("PARAMETERS")) {
    Parameters(statement);
  } else if (AcceptKeyword("EXECUTE") || AcceptKeyword("EXEC")) {
    Execute(statement);
  }
}

JetParse ParseJetStatement(std::string_view utf8Sql) {
  JetParser parser(utf8Sql);
  JetParse parse;
  parse.statement = parser.Statement();
  // A statement left to the engine is cut by the engine, which knows where its ';'s belong
  // (CREATE TRIGGER ... BEGIN ...; END).
  parse.moreStatements =
      parse.statement.kind != JetStatementKind::Passthrough && parser.MoreStatements();
  return parse;
}

}  // namespace tarnwick
