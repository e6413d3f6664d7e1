// Expressions, with Jet's precedence (highest first): ^; unary -; * /; \; Mod; + -; &;
// comparisons, Like, Between, In, Is; Not; And; Or; Xor; Eqv; Imp.
#include <charconv>
#include <optional>

#include "jet/JetDateLiteral.h"
#include "jet/JetMessages.h"
#include "jet/JetParserCore.h"
#include "jetlib/JetFunctions.h"

namespace tarnwick {

namespace {

using msg::HintId;
using msg::MessageId;
using syntax::ExprKind;
using syntax::ExprPtr;

ExprPtr MakeOperation(JetOp op, std::size_t offset, ExprPtr left, ExprPtr right) {
  if (!right) return std::make_unique<syntax::UnaryExpr>(offset, op, std::move(left));
  return std::make_unique<syntax::BinaryExpr>(offset, op, std::move(left), std::move(right));
}

constexpr JetOp kComparisons[] = {JetOp::Equal,   JetOp::NotEqual,    JetOp::Less,
                                  JetOp::Greater, JetOp::LessOrEqual, JetOp::GreaterOrEqual};

// Operators of other SQL dialects, refused where an operator may stand.
constexpr std::string_view kOtherOperators[] = {"!=", "==", "||", "%"};

// A number as written, read once: its value and whether it is whole.
std::unique_ptr<syntax::NumberLiteral> Number(std::string_view text, std::size_t offset) {
  auto number = std::make_unique<syntax::NumberLiteral>(offset);
  number->written = std::string(text);
  number->whole = text.find_first_of(".eE") == std::string_view::npos;
  const char* end = text.data() + text.size();
  if (number->whole) {
    std::int64_t value = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error == std::errc() && stop == end) {
      number->integer = value;
      number->value = static_cast<double>(value);  // rounded as reading the digits would
      return number;
    }
  }
  double value = 0;
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error == std::errc() && stop == end) number->value = value;
  return number;
}

msg::Diagnostic NotJetSql(std::string_view word) {
  return Refusal(MessageId::NotJetSql, {std::string(word)})
      .WithHint(HintOf(HintId::JetFormOf, {std::string(word)}));
}

}  // namespace

ExprPtr JetParser::Expression() {
  // A value alone before "," or ")" (a row of INSERT's values, a function's arguments) passes
  // no operator level: it is read at once, as the levels would read it.
  if (LoneOperand()) return UnaryLevel();
  return BinaryLevel(&JetParser::Eqv, {{JetKeyword::Imp, {}, JetOp::Imp}});
}

bool JetParser::LoneOperand() const {
  const JetToken& token = Peek();
  switch (token.kind) {
    case JetTokenKind::Number:
    case JetTokenKind::String:
    case JetTokenKind::DoubleQuoted:
    case JetTokenKind::Date:
    case JetTokenKind::BracketName:
      break;
    case JetTokenKind::Word:
      if (token.keyword != JetKeyword::None) return false;
      break;
    default:
      return false;
  }
  return PeekPunct(",", 1) || PeekPunct(")", 1);
}

// operand { operator operand }, left to right; operators are keywords or punctuation.
ExprPtr JetParser::BinaryLevel(ExprPtr (JetParser::*operand)(),
                               std::initializer_list<BinaryOperator> operators) {
  ExprPtr left = (this->*operand)();
  std::optional<Nesting> chain;
  for (;;) {
    const JetToken& token = Peek();
    if (token.kind != JetTokenKind::Punct && token.keyword == JetKeyword::None) return left;
    for (std::string_view other : kOtherOperators) {
      if (IsPunct(token, other)) Refuse(NotJetSql(other), token.offset);
    }
    const JetOp* found = nullptr;
    for (const BinaryOperator& each : operators) {
      if (IsKeyword(token, each.keyword) || (!each.punct.empty() && IsPunct(token, each.punct))) {
        found = &each.op;
      }
    }
    if (found == nullptr) return left;
    const std::size_t offset = token.offset;
    if (chain) {
      chain->Deeper();
    } else {
      chain.emplace(*this);
    }
    Advance();
    left = MakeOperation(*found, offset, std::move(left), (this->*operand)());
  }
}

ExprPtr JetParser::Eqv() {
  return BinaryLevel(&JetParser::Xor, {{JetKeyword::Eqv, {}, JetOp::Eqv}});
}
ExprPtr JetParser::Xor() {
  return BinaryLevel(&JetParser::Or, {{JetKeyword::Xor, {}, JetOp::Xor}});
}
ExprPtr JetParser::Or() { return BinaryLevel(&JetParser::And, {{JetKeyword::Or, {}, JetOp::Or}}); }
ExprPtr JetParser::And() {
  return BinaryLevel(&JetParser::NotLevel, {{JetKeyword::And, {}, JetOp::And}});
}

ExprPtr JetParser::NotLevel() {
  if (!PeekKeyword(JetKeyword::Not)) return Comparison();
  const Nesting nesting(*this);
  const std::size_t offset = Offset();
  Advance();
  return MakeOperation(JetOp::Not, offset, NotLevel(), nullptr);
}

ExprPtr JetParser::Comparison() {
  ExprPtr left = Concatenation();
  while (ExprPtr extended = Predicate(left)) left = std::move(extended);
  return left;
}

ExprPtr JetParser::Predicate(ExprPtr& left) {
  const JetToken& next = Peek();
  if (next.kind != JetTokenKind::Punct && next.keyword == JetKeyword::None) return nullptr;
  const std::size_t offset = next.offset;
  for (const JetOp comparison : kComparisons) {
    if (AcceptPunct(JetOperatorText(comparison))) {
      if (ExprPtr quantified = Quantified(comparison, offset, left)) return quantified;
      return MakeOperation(comparison, offset, std::move(left), Concatenation());
    }
  }
  const bool negated = PeekKeyword(JetKeyword::Not) &&
                       (PeekKeyword(JetKeyword::Like, 1) || PeekKeyword(JetKeyword::Between, 1) ||
                        PeekKeyword(JetKeyword::In, 1));
  if (negated) Advance();
  std::unique_ptr<syntax::PredicateExpr> expr;
  if (AcceptKeyword(JetKeyword::Like)) {
    expr = std::make_unique<syntax::PredicateExpr>(ExprKind::Like, offset);
    expr->operands.push_back(std::move(left));
    expr->operands.push_back(Concatenation());
  } else if (AcceptKeyword(JetKeyword::Between)) {
    expr = std::make_unique<syntax::PredicateExpr>(ExprKind::Between, offset);
    expr->operands.push_back(std::move(left));
    expr->operands.push_back(Concatenation());
    ExpectKeyword(JetKeyword::And);
    expr->operands.push_back(Concatenation());
  } else if (AcceptKeyword(JetKeyword::In)) {
    return InPredicate(left, offset, negated);
  } else if (!negated && AcceptKeyword(JetKeyword::Is)) {
    expr = std::make_unique<syntax::PredicateExpr>(ExprKind::IsNull, offset);
    expr->negated = AcceptKeyword(JetKeyword::Not);
    ExpectKeyword(JetKeyword::Null);
    expr->operands.push_back(std::move(left));
    return expr;
  } else {
    return nullptr;
  }
  expr->negated = negated;
  return expr;
}

// x In (value, ...) or x In (SELECT ...).
ExprPtr JetParser::InPredicate(ExprPtr& left, std::size_t offset, bool negated) {
  ExpectPunct("(");
  // In ((SELECT ...), 2) is a list whose first value is a subquery's.
  const bool subquery = PeekKeyword(JetKeyword::Select);
  auto expr = std::make_unique<syntax::PredicateExpr>(
      subquery ? ExprKind::InQuery : ExprKind::InList, offset);
  expr->negated = negated;
  expr->operands.push_back(std::move(left));
  if (subquery) {
    expr->query = Query();
  } else {
    do {
      expr->operands.push_back(Expression());
    } while (AcceptPunct(","));
  }
  ExpectPunct(")");
  return expr;
}

// x op Any (SELECT ...), x op Some (SELECT ...), x op All (SELECT ...).
ExprPtr JetParser::Quantified(JetOp op, std::size_t offset, ExprPtr& left) {
  const bool all = PeekKeyword(JetKeyword::All);
  if (!(all || PeekKeyword(JetKeyword::Any) || PeekKeyword(JetKeyword::Some)) ||
      !PeekPunct("(", 1)) {
    return nullptr;
  }
  Advance();
  Advance();
  if (!PeekQuery()) Fail();
  auto expr = std::make_unique<syntax::QueryExpr>(ExprKind::Quantified, offset);
  expr->op = op;
  expr->all = all;
  expr->left = std::move(left);
  expr->query = Query();
  ExpectPunct(")");
  return expr;
}

ExprPtr JetParser::Concatenation() {
  return BinaryLevel(&JetParser::Additive, {{JetKeyword::None, "&", JetOp::Concat}});
}

ExprPtr JetParser::Additive() {
  return BinaryLevel(&JetParser::ModLevel, {{JetKeyword::None, "+", JetOp::Add},
                                            {JetKeyword::None, "-", JetOp::Subtract}});
}

ExprPtr JetParser::ModLevel() {
  return BinaryLevel(&JetParser::IntDivision, {{JetKeyword::Mod, {}, JetOp::Modulo}});
}

ExprPtr JetParser::IntDivision() {
  return BinaryLevel(&JetParser::Multiplicative, {{JetKeyword::None, "\\", JetOp::IntDivide}});
}

ExprPtr JetParser::Multiplicative() {
  return BinaryLevel(&JetParser::UnaryLevel, {{JetKeyword::None, "*", JetOp::Multiply},
                                              {JetKeyword::None, "/", JetOp::Divide}});
}

ExprPtr JetParser::UnaryLevel() {
  const Nesting nesting(*this);
  const std::size_t offset = Offset();
  if (AcceptPunct("-")) return MakeOperation(JetOp::Negate, offset, UnaryLevel(), nullptr);
  if (AcceptPunct("+")) return MakeOperation(JetOp::UnaryPlus, offset, UnaryLevel(), nullptr);
  return Power();
}

ExprPtr JetParser::Power() {
  ExprPtr left = Primary();
  while (PeekPunct("^")) {
    const std::size_t offset = Offset();
    Advance();
    left = MakeOperation(JetOp::Power, offset, std::move(left), PowerOperand());
  }
  return left;
}

// The exponent may carry its own sign: 2 ^ -1.
ExprPtr JetParser::PowerOperand() {
  const Nesting nesting(*this);
  const std::size_t offset = Offset();
  if (AcceptPunct("-")) return MakeOperation(JetOp::Negate, offset, PowerOperand(), nullptr);
  if (AcceptPunct("+")) return MakeOperation(JetOp::UnaryPlus, offset, PowerOperand(), nullptr);
  return Primary();
}

ExprPtr JetParser::Primary() {
  const Nesting nesting(*this);
  const JetToken& token = Peek();
  switch (token.kind) {
    case JetTokenKind::Number:
    case JetTokenKind::String:
    case JetTokenKind::DoubleQuoted:
    case JetTokenKind::Date:
    case JetTokenKind::Blob:
      return Literal();
    case JetTokenKind::Word:
    case JetTokenKind::BracketName:
      break;
    default:
      if (IsPunct(token, "(")) return Parenthesized();
      if (IsPunct(token, "?")) {
        Advance();
        return std::make_unique<syntax::Marker>(ExprKind::Parameter, token.offset);
      }
      Fail();
  }
  const std::size_t offset = token.offset;
  if (AcceptKeyword(JetKeyword::Null)) {
    return std::make_unique<syntax::Marker>(ExprKind::Null, offset);
  }
  // Not where an operand stands takes the rest of the expression at its own level: 1 + Not 0.
  if (PeekKeyword(JetKeyword::Not)) return NotLevel();
  if (PeekKeyword(JetKeyword::Case)) Refuse(NotJetSql(Peek().text), offset);
  if (PeekKeyword(JetKeyword::Exists) && PeekPunct("(", 1)) return Exists(offset);
  return NameOrCall();
}

ExprPtr JetParser::Exists(std::size_t offset) {
  Advance();
  Advance();
  auto expr = std::make_unique<syntax::QueryExpr>(ExprKind::Exists, offset);
  if (!PeekQuery()) Fail();
  expr->query = Query();
  ExpectPunct(")");
  return expr;
}

ExprPtr JetParser::Literal() {
  const JetToken& token = Peek();
  if (!token.terminated) Fail();
  ExprPtr expr;
  if (token.kind == JetTokenKind::Number) {
    expr = Number(token.text, token.offset);
  } else if (token.kind == JetTokenKind::Blob) {
    expr = std::make_unique<syntax::ValueLiteral>(ExprKind::Blob, token.offset,
                                                  std::string(token.text));
  } else if (token.kind == JetTokenKind::Date) {
    std::optional<std::string> value =
        JetDateLiteralValue(token.text.substr(1, token.text.size() - 2));
    if (!value) {
      Refuse(Refusal(MessageId::InvalidDate, {std::string(token.text)}), token.offset);
    }
    expr = std::make_unique<syntax::ValueLiteral>(ExprKind::Date, token.offset, std::move(*value));
  } else {
    expr =
        std::make_unique<syntax::ValueLiteral>(ExprKind::Text, token.offset, JetNameValue(token));
  }
  Advance();
  return expr;
}

// A column (name, table.name, [table].[name], table!name), table.* or a function call. A
// reserved word may name a function (Left, Right) when "(" follows it.
ExprPtr JetParser::NameOrCall() {
  const JetToken& token = Peek();
  const std::size_t offset = token.offset;
  if (token.kind == JetTokenKind::Word && PeekPunct("(", 1)) {
    std::string name(token.text);
    Advance();
    return Call(std::move(name), offset);
  }
  // On, Jet's constant, is also the keyword of a join, where no value can stand.
  const bool on = IsKeyword(token, JetKeyword::On);
  std::string name = on ? std::string(token.text) : std::string();
  if (on) {
    Advance();
  } else {
    name = ExpectName().text;
  }
  std::string qualifier;
  while (PeekPunct(".") || PeekPunct("!")) {
    Advance();
    if (AcceptPunct("*")) return std::make_unique<syntax::StarRef>(offset, std::move(name));
    qualifier = std::move(name);
    name = ExpectName().text;
  }
  return std::make_unique<syntax::NameRef>(offset, std::move(qualifier), std::move(name));
}

ExprPtr JetParser::Call(std::string name, std::size_t offset) {
  // CAST(x AS type) is not even a call Jet could read.
  if (SameJetName(name, "CAST")) {
    Refuse(Refusal(MessageId::UnknownFunction, {name})
               .WithHint(HintOf(HintId::JetFormOrClosest, {name}, JetFunctionNames())),
           offset);
  }
  auto expr = std::make_unique<syntax::CallExpr>(offset, std::move(name));
  ExpectPunct("(");
  if (PeekKeyword(JetKeyword::Distinct)) {
    Refuse(Refusal(MessageId::NotJetSql, {"Count(DISTINCT ...)"})
               .WithHint(HintOf(HintId::JetFormOf, {"COUNT(DISTINCT"})),
           Offset());
  }
  if (AcceptPunct(")")) return expr;
  if (PeekPunct("*") && PeekPunct(")", 1)) {
    expr->star = true;
    expr->starOffset = Offset();
    Advance();
  } else {
    do {
      expr->args.push_back(Expression());
    } while (AcceptPunct(","));
  }
  ExpectPunct(")");
  return expr;
}

// c or t.c, as UPDATE's SET names a column.
std::unique_ptr<syntax::NameRef> JetParser::ColumnReference() {
  const std::size_t offset = Offset();
  std::string qualifier;
  std::string name = ExpectName().text;
  while (AcceptPunct(".") || AcceptPunct("!")) {
    qualifier = std::move(name);
    name = ExpectName().text;
  }
  return std::make_unique<syntax::NameRef>(offset, std::move(qualifier), std::move(name));
}

// ( expression ) or ( SELECT ... ), a value of a subquery.
ExprPtr JetParser::Parenthesized() {
  const std::size_t offset = Offset();
  ExpectPunct("(");
  ExprPtr expr;
  if (PeekQuery()) {
    auto subquery = std::make_unique<syntax::QueryExpr>(ExprKind::Subquery, offset);
    subquery->query = Query();
    expr = std::move(subquery);
  } else {
    expr = Expression();
  }
  ExpectPunct(")");
  return expr;
}

}  // namespace tarnwick
