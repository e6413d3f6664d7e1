#include "jet/JetFrontEnd.h"

#include <cstdio>

#include "jet/JetBinder.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetParser.h"

namespace tarnwick {

namespace {

// Jet's limit on the columns of one result.
constexpr std::size_t kMostColumns = 255;

JetExprPtr Literal(JetExprKind kind, JetType type, std::string text) {
  auto expr = std::make_unique<JetExpr>(kind, 0);
  expr->type.type = type;
  expr->text = std::move(text);
  return expr;
}

// A pivot value the rows hold, as a literal of the pivot's type.
JetExprPtr PivotLiteral(const JetValue& value, JetType pivot) {
  switch (value.kind) {
    case JetValue::Kind::Null:
      return Literal(JetExprKind::Null, JetType::Null, {});
    case JetValue::Kind::Integer:
      return Literal(JetExprKind::Number, JetType::Long, std::to_string(value.integer));
    case JetValue::Kind::Real: {
      char text[32];
      std::snprintf(text, sizeof text, "%.17g", value.real);
      return Literal(JetExprKind::Number, JetType::Double, text);
    }
    case JetValue::Kind::Text:
      break;
  }
  if (pivot == JetType::DateTime) return Literal(JetExprKind::Date, JetType::DateTime, value.text);
  return Literal(JetExprKind::Text, JetType::Text, value.text);
}

// A pivot value's column is named by the value as the grid shows it; NULL's is "<>".
std::string PivotColumnName(const JetExpr& value, std::size_t index) {
  switch (value.kind) {
    case JetExprKind::Null:
      return "<>";
    case JetExprKind::Number:
    case JetExprKind::Text:
      return value.text;
    case JetExprKind::Name:  // True, False, ...: the grid's -1 and 0, as the rows' values show
      if (value.binding != JetNameBinding::Constant) break;
      return value.boolValue ? "-1" : "0";
    case JetExprKind::Unary:  // -5
      if (value.op != JetOp::Negate || value.args[0]->kind != JetExprKind::Number) break;
      return "-" + value.args[0]->text;
    case JetExprKind::Date: {
      std::string text = value.text;  // "YYYY-MM-DD HH:MM:SS"
      for (char& c : text) {
        if (c == '-') c = '/';
      }
      if (text.ends_with(" 00:00:00")) text.resize(text.size() - 9);
      return text;
    }
    default:
      break;
  }
  return "Expr" + std::to_string(1000 + index);
}

// A crosstab's columns after its row headings: one for each pivot value, those of the IN
// list or else every value the rows hold.
void PivotColumns(JetStatement& statement, JetSchema& catalogue) {
  JetCrosstab& crosstab = *statement.crosstab;
  if (crosstab.pivotIn.empty()) {
    for (const JetValue& value : catalogue.ColumnValues(GeneratePivotValuesSql(statement))) {
      crosstab.columns.push_back(PivotLiteral(value, crosstab.pivot->type.type));
    }
  } else {
    crosstab.columns = std::move(crosstab.pivotIn);
  }
  std::vector<JetResultColumn>& columns = statement.query->columns;
  if (columns.size() + crosstab.columns.size() > kMostColumns) {
    throw JetError(jet_message::TooManyCrosstabColumns(columns.size() + crosstab.columns.size()),
                   crosstab.pivot->offset);
  }
  for (std::size_t i = 0; i < crosstab.columns.size(); ++i) {
    columns.push_back({PivotColumnName(*crosstab.columns[i], i), crosstab.value->type});
  }
}

bool ReturnsRows(JetStatementKind kind) {
  return kind == JetStatementKind::Select || kind == JetStatementKind::Crosstab;
}

bool ChangesRowsOnly(JetStatementKind kind) {
  return ReturnsRows(kind) || kind == JetStatementKind::Insert ||
         kind == JetStatementKind::Update || kind == JetStatementKind::Delete;
}

}  // namespace

bool JetMayReturnRows(std::string_view utf8Sql) {
  for (JetLexer lexer(utf8Sql); !lexer.AtEnd();) {
    const JetToken token = lexer.Next();
    if (IsTrivia(token)) continue;
    for (std::string_view word : {"INSERT", "UPDATE", "DELETE", "CREATE", "DROP", "ALTER"}) {
      if (IsKeyword(token, word)) return false;
    }
    return true;
  }
  return false;
}

JetCompiled CompileJet(std::string_view utf8Sql, JetSchema& catalogue) {
  JetParse parse = ParseJetStatement(utf8Sql);
  JetCompiled compiled;
  compiled.moreStatements = parse.moreStatements;
  JetStatement& statement = parse.statement;
  if (statement.kind == JetStatementKind::Passthrough || compiled.moreStatements) {
    return compiled;
  }
  BindJetStatement(statement, catalogue);
  JetStatement& effective =
      statement.kind == JetStatementKind::Execute ? *statement.body : statement;
  if (effective.kind == JetStatementKind::Crosstab) PivotColumns(effective, catalogue);
  compiled.passthrough = false;
  compiled.changesDefinitions = !ChangesRowsOnly(effective.kind);
  JetEngineStatements engine = GenerateEngineSql(statement);
  compiled.engineSql = std::move(engine.sql);
  compiled.steps = std::move(engine.steps);
  if (statement.referenced && !compiled.steps.empty()) {
    compiled.rebuildsReferencedTable = statement.target.name;
  }
  if (ReturnsRows(effective.kind)) {
    compiled.returnsRows = true;
    compiled.columns = std::move(effective.query->columns);
  }
  return compiled;
}

}  // namespace tarnwick
