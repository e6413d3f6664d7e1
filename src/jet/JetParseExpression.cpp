// Expressions, with Jet's precedence (highest first): ^; unary -; * /; \; Mod; + -; &;
// comparisons, Like, Between, In, Is; Not; And; Or; Xor; Eqv; Imp.
#include <optional>

#include "jet/JetDateLiteral.h"
#include "jet/JetMessages.h"
#include "jet/JetParserCore.h"

namespace tarnwick {

namespace {

JetExprPtr MakeExpr(JetExprKind kind, std::size_t offset) {
  return std::make_unique<JetExpr>(kind, offset);
}

JetExprPtr MakeOperation(JetOp op, std::size_t offset, JetExprPtr left, JetExprPtr right) {
  JetExprPtr expr = MakeExpr(right ? JetExprKind::Binary : JetExprKind::Unary, offset);
  expr->op = op;
  expr->args.push_back(std::move(left));
  if (right) expr->args.push_back(std::move(right));
  return expr;
}

struct ComparisonOperator {
  std::string_view punct;
  JetOp op;
};
constexpr ComparisonOperator kComparisons[] = {
    {"=", JetOp::Equal},   {"<>", JetOp::NotEqual},    {"<", JetOp::Less},
    {">", JetOp::Greater}, {"<=", JetOp::LessOrEqual}, {">=", JetOp::GreaterOrEqual},
};

// Operators of other SQL dialects, refused where an operator may stand.
constexpr std::string_view kOtherOperators[] = {"!=", "==", "||", "%"};

}  // namespace

JetExprPtr JetParser::Expression() { return BinaryLevel(&JetParser::Eqv, {{"IMP", JetOp::Imp}}); }

// operand { operator operand }, left to right; operators are keywords or punctuation.
JetExprPtr JetParser::BinaryLevel(
    JetExprPtr (JetParser::*operand)(),
    std::initializer_list<std::pair<std::string_view, JetOp>> operators) {
  JetExprPtr left = (this->*operand)();
  std::optional<Nesting> chain;
  for (;;) {
    const JetToken& token = Peek();
    for (std::string_view other : kOtherOperators) {
      if (IsPunct(token, other)) throw JetError(jet_message::NotJetSql(other), token.offset);
    }
    const JetOp* found = nullptr;
    for (const auto& [spelling, op] : operators) {
      if (IsKeyword(token, spelling) || IsPunct(token, spelling)) found = &op;
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

JetExprPtr JetParser::Eqv() { return BinaryLevel(&JetParser::Xor, {{"EQV", JetOp::Eqv}}); }
JetExprPtr JetParser::Xor() { return BinaryLevel(&JetParser::Or, {{"XOR", JetOp::Xor}}); }
JetExprPtr JetParser::Or() { return BinaryLevel(&JetParser::And, {{"OR", JetOp::Or}}); }
JetExprPtr JetParser::And() { return BinaryLevel(&JetParser::NotLevel, {{"AND", JetOp::And}}); }

JetExprPtr JetParser::NotLevel() {
  if (!PeekKeyword("NOT")) return Comparison();
  const Nesting nesting(*this);
  const std::size_t offset = Offset();
  Advance();
  return MakeOperation(JetOp::Not, offset, NotLevel(), nullptr);
}

JetExprPtr JetParser::Comparison() {
  JetExprPtr left = Concatenation();
  while (JetExprPtr extended = Predicate(left)) left = std::move(extended);
  return left;
}

JetExprPtr JetParser::Predicate(JetExprPtr& left) {
  const std::size_t offset = Offset();
  for (const ComparisonOperator& comparison : kComparisons) {
    if (AcceptPunct(comparison.punct)) {
      if (JetExprPtr quantified = Quantified(comparison.op, offset, left)) return quantified;
      return MakeOperation(comparison.op, offset, std::move(left), Concatenation());
    }
  }
  const bool negated = PeekKeyword("NOT") && (PeekKeyword("LIKE", 1) || PeekKeyword("BETWEEN", 1) ||
                                              PeekKeyword("IN", 1));
  if (negated) Advance();
  JetExprPtr expr;
  if (AcceptKeyword("LIKE")) {
    expr = MakeExpr(JetExprKind::Like, offset);
    expr->args.push_back(std::move(left));
    expr->args.push_back(Concatenation());
  } else if (AcceptKeyword("BETWEEN")) {
    expr = MakeExpr(JetExprKind::Between, offset);
    expr->args.push_back(std::move(left));
    expr->args.push_back(Concatenation());
    ExpectKeyword("AND");
    expr->args.push_back(Concatenation());
  } else if (AcceptKeyword("IN")) {
    ExpectPunct("(");
    // In ((SELECT ...), 2) is a list whose first value is a subquery's.
    const bool subquery = PeekKeyword("SELECT");
    expr = MakeExpr(subquery ? JetExprKind::InQuery : JetExprKind::InList, offset);
    expr->args.push_back(std::move(left));
    if (subquery) {
      expr->query = Query();
    } else {
      do {
        expr->args.push_back(Expression());
      } while (AcceptPunct(","));
    }
    ExpectPunct(")");
  } else if (!negated && AcceptKeyword("IS")) {
    expr = MakeExpr(JetExprKind::IsNull, offset);
    expr->negated = AcceptKeyword("NOT");
    ExpectKeyword("NULL");
    expr->args.push_back(std::move(left));
    return expr;
  } else {
    return nullptr;
  }
  expr->negated = negated;
  return expr;
}

// x op Any (SELECT ...), x op Some (SELECT ...), x op All (SELECT ...).
JetExprPtr JetParser::Quantified(JetOp op, std::size_t offset, JetExprPtr& left) {
  const bool all = PeekKeyword("ALL");
  if (!(all || PeekKeyword("ANY") || PeekKeyword("SOME")) || !PeekPunct("(", 1)) return nullptr;
  Advance();
  Advance();
  if (!PeekQuery()) Fail();
  JetExprPtr expr = MakeExpr(JetExprKind::Quantified, offset);
  expr->op = op;
  expr->quantifierAll = all;
  expr->args.push_back(std::move(left));
  expr->query = Query();
  ExpectPunct(")");
  return expr;
}

JetExprPtr JetParser::Concatenation() {
  return BinaryLevel(&JetParser::Additive, {{"&", JetOp::Concat}});
}

JetExprPtr JetParser::Additive() {
  return BinaryLevel(&JetParser::ModLevel, {{"+", JetOp::Add}, {"-", JetOp::Subtract}});
}

JetExprPtr JetParser::ModLevel() {
  return BinaryLevel(&JetParser::IntDivision, {{"MOD", JetOp::Modulo}});
}

JetExprPtr JetParser::IntDivision() {
  return BinaryLevel(&JetParser::Multiplicative, {{"\\", JetOp::IntDivide}});
}

JetExprPtr JetParser::Multiplicative() {
  return BinaryLevel(&JetParser::UnaryLevel, {{"*", JetOp::Multiply}, {"/", JetOp::Divide}});
}

JetExprPtr JetParser::UnaryLevel() {
  const Nesting nesting(*this);
  const std::size_t offset = Offset();
  if (AcceptPunct("-")) return MakeOperation(JetOp::Negate, offset, UnaryLevel(), nullptr);
  if (AcceptPunct("+")) return MakeOperation(JetOp::UnaryPlus, offset, UnaryLevel(), nullptr);
  return Power();
}

JetExprPtr JetParser::Power() {
  JetExprPtr left = Primary();
  while (PeekPunct("^")) {
    const std::size_t offset = Offset();
    Advance();
    left = MakeOperation(JetOp::Power, offset, std::move(left), PowerOperand());
  }
  return left;
}

// The exponent may carry its own sign: 2 ^ -1.
JetExprPtr JetParser::PowerOperand() {
  const Nesting nesting(*this);
  const std::size_t offset = Offset();
  if (AcceptPunct("-")) return MakeOperation(JetOp::Negate, offset, PowerOperand(), nullptr);
  if (AcceptPunct("+")) return MakeOperation(JetOp::UnaryPlus, offset, PowerOperand(), nullptr);
  return Primary();
}

JetExprPtr JetParser::Primary() {
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
        return MakeExpr(JetExprKind::Parameter, token.offset);
      }
      Fail();
  }
  const std::size_t offset = token.offset;
  if (AcceptKeyword("NULL")) return MakeExpr(JetExprKind::Null, offset);
  // Not where an operand stands takes the rest of the expression at its own level: 1 + Not 0.
  if (PeekKeyword("NOT")) return NotLevel();
  if (PeekKeyword("CASE")) throw JetError(jet_message::NotJetSql(Peek().text), offset);
  if (PeekKeyword("EXISTS") && PeekPunct("(", 1)) {
    Advance();
    Advance();
    JetExprPtr expr = MakeExpr(JetExprKind::Exists, offset);
    if (!PeekQuery()) Fail();
    expr->query = Query();
    ExpectPunct(")");
    return expr;
  }
  return NameOrCall();
}

JetExprPtr JetParser::Literal() {
  const JetToken& token = Peek();
  if (!token.terminated) Fail();
  JetExprPtr expr;
  if (token.kind == JetTokenKind::Number) {
    expr = MakeExpr(JetExprKind::Number, token.offset);
    expr->text = std::string(token.text);
  } else if (token.kind == JetTokenKind::Blob) {
    expr = MakeExpr(JetExprKind::Blob, token.offset);
    expr->text = std::string(token.text);
  } else if (token.kind == JetTokenKind::Date) {
    std::optional<std::string> value =
        JetDateLiteralValue(token.text.substr(1, token.text.size() - 2));
    if (!value) throw JetError(jet_message::InvalidDate(token.text), token.offset);
    expr = MakeExpr(JetExprKind::Date, token.offset);
    expr->text = std::move(*value);
  } else {
    expr = MakeExpr(JetExprKind::Text, token.offset);
    expr->text = JetNameValue(token);
  }
  Advance();
  return expr;
}

// A column (name, table.name, [table].[name], table!name), table.* or a function call. A
// reserved word may name a function (Left, Right) when "(" follows it.
JetExprPtr JetParser::NameOrCall() {
  const JetToken& token = Peek();
  const std::size_t offset = token.offset;
  if (token.kind == JetTokenKind::Word && PeekPunct("(", 1)) {
    std::string name(token.text);
    Advance();
    return Call(std::move(name), offset);
  }
  // On, Jet's constant, is also the keyword of a join, where no value can stand.
  const bool on = IsKeyword(token, "ON");
  if (on) Advance();
  std::string name = on ? std::string(token.text) : ExpectName();
  JetExprPtr expr = MakeExpr(JetExprKind::Name, offset);
  while (PeekPunct(".") || PeekPunct("!")) {
    Advance();
    if (AcceptPunct("*")) {
      expr->kind = JetExprKind::Star;
      expr->qualifier = std::move(name);
      return expr;
    }
    expr->qualifier = std::move(name);
    name = ExpectName();
  }
  expr->text = std::move(name);
  return expr;
}

JetExprPtr JetParser::Call(std::string name, std::size_t offset) {
  // CAST(x AS type) is not even a call Jet could read.
  if (SameJetName(name, "CAST")) throw JetError(jet_message::NotJetFunction(name), offset);
  JetExprPtr expr = MakeExpr(JetExprKind::Call, offset);
  expr->text = std::move(name);
  ExpectPunct("(");
  if (PeekKeyword("DISTINCT")) throw JetError(jet_message::CountDistinct(), Offset());
  if (AcceptPunct(")")) return expr;
  if (PeekPunct("*") && PeekPunct(")", 1)) {
    expr->args.push_back(MakeExpr(JetExprKind::Star, Offset()));
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
JetExprPtr JetParser::ColumnReference() {
  JetExprPtr expr = MakeExpr(JetExprKind::Name, Offset());
  expr->text = ExpectName();
  while (AcceptPunct(".") || AcceptPunct("!")) {
    expr->qualifier = std::move(expr->text);
    expr->text = ExpectName();
  }
  return expr;
}

// ( expression ) or ( SELECT ... ), a value of a subquery.
JetExprPtr JetParser::Parenthesized() {
  const std::size_t offset = Offset();
  ExpectPunct("(");
  JetExprPtr expr;
  if (PeekQuery()) {
    expr = MakeExpr(JetExprKind::Subquery, offset);
    expr->query = Query();
  } else {
    expr = Expression();
  }
  ExpectPunct(")");
  return expr;
}

}  // namespace tarnwick
