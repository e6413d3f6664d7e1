#include "jet/JetFrontEnd.h"

#include "jet/JetBinder.h"
#include "jet/JetGenerator.h"
#include "jet/JetParser.h"

namespace tarnwick {

JetCompiled CompileJet(std::string_view utf8Sql, JetSchema& catalogue) {
  JetParse parse = ParseJetStatement(utf8Sql);
  JetCompiled compiled;
  compiled.moreStatements = parse.moreStatements;
  JetStatement& statement = parse.statement;
  if (statement.kind == JetStatementKind::Passthrough || compiled.moreStatements) {
    return compiled;
  }
  BindJetStatement(statement, catalogue);
  compiled.passthrough = false;
  compiled.changesDefinitions =
      statement.kind != JetStatementKind::Select && statement.kind != JetStatementKind::Insert &&
      statement.kind != JetStatementKind::Update && statement.kind != JetStatementKind::Delete;
  compiled.engineSql = GenerateEngineSql(statement);
  if (statement.kind == JetStatementKind::Select) {
    compiled.returnsRows = true;
    compiled.columns = std::move(statement.query->columns);
  }
  return compiled;
}

}  // namespace tarnwick
