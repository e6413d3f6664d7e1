#include "jet/JetFrontEnd.h"

#include "jet/JetBinder.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetParser.h"

namespace tarnwick {

namespace {

using syntax::StatementKind;

bool ReturnsRows(StatementKind kind) {
  return kind == StatementKind::Select || kind == StatementKind::Crosstab;
}

bool ChangesRowsOnly(StatementKind kind) {
  return ReturnsRows(kind) || kind == StatementKind::Insert || kind == StatementKind::Update ||
         kind == StatementKind::Delete;
}

}  // namespace

bool JetMayReturnRows(std::string_view utf8Sql) {
  for (JetLexer lexer(utf8Sql); !lexer.AtEnd();) {
    const JetToken token = lexer.Next();
    if (IsTrivia(token)) continue;
    return !HasRole(token.keyword, kChangesRows);
  }
  return false;
}

JetCompiled CompileJet(std::string_view utf8Sql, JetSchema& catalogue) {
  const JetParse parse = ParseJetStatement(utf8Sql);
  JetCompiled compiled;
  compiled.moreStatements = parse.moreStatements;
  if (parse.statement->kind == StatementKind::Passthrough || compiled.moreStatements) {
    return compiled;
  }
  std::unique_ptr<bound::Statement> statement = BindJetStatement(*parse.statement, catalogue);
  if (statement->kind == StatementKind::Crosstab) {
    auto& crosstab = statement->As<bound::Crosstab>();
    std::vector<JetValue> values;
    if (crosstab.cells.empty()) values = catalogue.ColumnValues(GeneratePivotValuesSql(crosstab));
    BindPivotColumns(crosstab, values);
  }
  JetEngineStatements engine = GenerateEngineSql(*statement);
  if (engine.refusal) throw JetError(engine.refusal->diagnostic, engine.refusal->offset);
  compiled.passthrough = false;
  compiled.changesDefinitions = !ChangesRowsOnly(statement->kind);
  compiled.engineSql = std::move(engine.sql);
  compiled.steps = std::move(engine.steps);
  if (!statement->referencedTable.empty() && !compiled.steps.empty()) {
    compiled.rebuildsReferencedTable = statement->referencedTable;
  }
  if (ReturnsRows(statement->kind)) {
    compiled.returnsRows = true;
    const bound::Query& query = statement->kind == StatementKind::Crosstab
                                    ? *statement->As<bound::Crosstab>().query
                                    : *statement->As<bound::QueryStatement>().query;
    compiled.columns = query.columns;
  }
  return compiled;
}

}  // namespace tarnwick
