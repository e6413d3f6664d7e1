#include "jet/JetParser.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "jet/JetMessages.h"
#include "jet/JetParserCore.h"
#include "jet/JetSyntaxErrors.h"

namespace tarnwick {

namespace {

using msg::MessageId;

constexpr int kDeepestNesting = 1000;

}  // namespace

void JetParser::Nesting::Deeper() {
  if (parser_.depth_ >= kDeepestNesting) {
    parser_.Refuse(Refusal(MessageId::NestedTooDeeply), parser_.Offset());
  }
  ++parser_.depth_;
  ++levels_;
}

JetParser::JetParser(std::string_view sql) : sql_(sql) {
  JetLexer lexer(sql);
  tokens_.reserve(sql.size() / 4 + 8);
  for (lexer.SkipBlanks(); !lexer.AtEnd(); lexer.SkipBlanks()) {
    JetToken token = lexer.Next();
    if (!IsTrivia(token)) tokens_.push_back(token);
  }
  end_ = tokens_.size();
  // PARAMETERS ...; statement is one statement: its end is the second ';'.
  int semicolons = !tokens_.empty() && IsKeyword(tokens_[0], JetKeyword::Parameters) ? 2 : 1;
  for (std::size_t i = 0; i < tokens_.size(); ++i) {
    if (IsPunct(tokens_[i], ";") && --semicolons == 0) {
      end_ = i;
      break;
    }
  }
  place_.Begin(std::span<const JetToken>(tokens_.data(), end_));
}

bool JetParser::MoreStatements() const {
  return std::any_of(tokens_.begin() + static_cast<std::ptrdiff_t>(end_), tokens_.end(),
                     [](const JetToken& token) { return !IsPunct(token, ";"); });
}

void JetParser::ExpectKeyword(JetKeyword keyword) {
  if (!AcceptKeyword(keyword)) Fail();
}

void JetParser::ExpectPunct(std::string_view punct) {
  if (!AcceptPunct(punct)) Fail();
}

bool JetParser::PeekName(std::size_t ahead) const {
  if (position_ + ahead >= end_) return false;
  const JetToken& token = tokens_[position_ + ahead];
  if (!IsNameToken(token)) return false;
  return token.kind != JetTokenKind::Word || !HasRole(token.keyword, kReserved);
}

syntax::Name JetParser::ExpectName() {
  if (!PeekName()) Fail();
  const JetToken& token = Peek();
  if (!token.terminated) Fail();
  Advance();
  return {JetNameValue(token), token.offset};
}

syntax::Name JetParser::ExpectColumnName() {
  Name name = ExpectName();
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
  Refuse(JetSyntaxErrorAt(statement, position_, place_), Offset());
}

void JetParser::Refuse(msg::Diagnostic diagnostic, std::size_t offset) const {
  throw JetError(std::move(diagnostic), offset);
}

syntax::StatementPtr JetParser::Statement() {
  if (AtEnd()) return std::make_unique<syntax::Statement>(syntax::StatementKind::Passthrough);
  if (PeekKeyword(JetKeyword::With)) {
    Refuse(Refusal(MessageId::NotJetSql, {std::string(Peek().text)})
               .WithHint(HintOf(msg::HintId::JetFormOf, {std::string(Peek().text)})),
           Offset());
  }
  syntax::StatementPtr statement = StatementForm();
  if (statement->kind == syntax::StatementKind::Passthrough) return statement;
  if (!AtEnd()) Fail();
  return statement;
}

syntax::StatementPtr JetParser::StatementForm() {
  if (PeekQuery()) {
    const auto kind = syntax::StatementKind::Select;
    auto statement = std::make_unique<syntax::QueryStatement>(kind);
    statement->query = Query();
    if (statement->query->parts[0].into) statement->kind = syntax::StatementKind::SelectInto;
    return statement;
  }
  using Form = syntax::StatementPtr (JetParser::*)();
  struct StatementWord {
    JetKeyword keyword;
    Form form;
  };
  static constexpr StatementWord kForms[] = {
      {JetKeyword::Insert, &JetParser::Insert},
      {JetKeyword::Update, &JetParser::Update},
      {JetKeyword::Delete, &JetParser::Delete},
      {JetKeyword::Create, &JetParser::Create},
      {JetKeyword::Drop, &JetParser::Drop},
      {JetKeyword::Alter, &JetParser::Alter},
      {JetKeyword::Transform, &JetParser::Transform},
      {JetKeyword::Parameters, &JetParser::Parameters},
      {JetKeyword::Execute, &JetParser::Execute},
      {JetKeyword::Exec, &JetParser::Execute},
  };
  for (const StatementWord& word : kForms) {
    if (!AcceptKeyword(word.keyword)) continue;
    return (this->*word.form)();
  }
  return std::make_unique<syntax::Statement>(syntax::StatementKind::Passthrough);
}

JetParse ParseJetStatement(std::string_view utf8Sql) {
  JetParser parser(utf8Sql);
  JetParse parse;
  try {
    parse.statement = parser.Statement();
  } catch (const JetError&) {
    // A statement in the engine's own SQL: the engine reads it, not Jet.
    if (!parser.UsesEngineForm()) throw;
  }
  if (parser.UsesEngineForm()) {
    parse.statement = std::make_unique<syntax::Statement>(syntax::StatementKind::Passthrough);
  }
  // A statement left to the engine is cut by the engine, which knows where its ';'s belong
  // (CREATE TRIGGER ... BEGIN ...; END).
  parse.moreStatements =
      parse.statement->kind != syntax::StatementKind::Passthrough && parser.MoreStatements();
  return parse;
}

}  // namespace tarnwick
