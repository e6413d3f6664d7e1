#include "jet/JetValuesTemplate.h"

#include "jet/JetMessages.h"
#include "jet/JetParser.h"

namespace tarnwick {

namespace {

// The value of a literal as the parser read it; nothing for a number beyond a double's range.
std::optional<JetLiteralValue> LiteralValue(const syntax::Expr& expr) {
  const bool negative = expr.kind == syntax::ExprKind::Unary;
  const syntax::Expr& literal = negative ? *expr.As<syntax::UnaryExpr>().operand : expr;
  JetLiteralValue value;
  if (literal.kind != syntax::ExprKind::Number) {
    value.kind = JetLiteralValue::Kind::Text;
    value.text = literal.As<syntax::ValueLiteral>().value;
    return value;
  }
  const auto& number = literal.As<syntax::NumberLiteral>();
  if (number.integer) {
    value.integer = negative ? -*number.integer : *number.integer;
    return value;
  }
  if (!number.value) return std::nullopt;
  value.kind = JetLiteralValue::Kind::Real;
  value.real = negative ? -*number.value : *number.value;
  return value;
}

}  // namespace

std::optional<JetValuesTemplate> JetInsertValuesTemplate(std::string_view sql) {
  JetParse parse;
  try {
    parse = ParseJetStatement(sql);
  } catch (const JetError&) {
    return std::nullopt;  // the statement itself reports why
  }
  if (parse.moreStatements || parse.statement->kind != syntax::StatementKind::Insert) {
    return std::nullopt;
  }
  const auto& insert = parse.statement->As<syntax::InsertStatement>();
  JetValuesTemplate result;
  result.text.reserve(sql.size());
  result.values.reserve(insert.literalValues.size());
  std::size_t copied = 0;  // the source text up to here is in result.text
  for (const syntax::InsertStatement::LiteralValue& literal : insert.literalValues) {
    std::optional<JetLiteralValue> value = LiteralValue(*insert.values[literal.index]);
    if (!value) continue;
    result.text.append(sql.substr(copied, literal.begin - copied)).append("?");
    copied = literal.end;
    result.values.push_back(std::move(*value));
  }
  if (result.values.empty()) return std::nullopt;
  result.text.append(sql.substr(copied));
  return result;
}

}  // namespace tarnwick
