// Binding the statements other than the definitions: INSERT, UPDATE and DELETE (through a
// join too), SELECT ... INTO, TRANSFORM, PARAMETERS and the procedures.
#include <algorithm>

#include "jet/JetBinderCore.h"
#include "jet/JetExprMatch.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetParser.h"
#include "jet/JetTypeNames.h"

namespace tarnwick {

namespace {

// A subquery that aggregates, anywhere in the expression: Jet cannot update with its value.
bool HasAggregateSubquery(const JetExpr& expr) {
  if (expr.query) {
    for (const JetSelect& part : expr.query->parts) {
      if (IsGrouped(part)) return true;
    }
  }
  return std::any_of(expr.args.begin(), expr.args.end(),
                     [](const JetExprPtr& arg) { return HasAggregateSubquery(*arg); });
}

JetSource* SourceNamed(JetSource& source, std::string_view alias) {
  if (source.kind == JetSource::Kind::Join) {
    if (JetSource* found = SourceNamed(*source.left, alias)) return found;
    return SourceNamed(*source.right, alias);
  }
  return SameJetName(source.boundAlias, alias) ? &source : nullptr;
}

}  // namespace

void JetBinder::Statement(JetStatement& statement) {
  Parameters(statement);
  switch (statement.kind) {
    case JetStatementKind::Select:
      Query(*statement.query, nullptr);
      return;
    case JetStatementKind::SelectInto:
      SelectInto(statement);
      return;
    case JetStatementKind::Crosstab:
      Crosstab(statement);
      return;
    case JetStatementKind::CreateView:
      Query(*statement.query, nullptr);
      if (statement.columns.empty()) return;
      if (statement.columns.size() != statement.query->columns.size()) {
        throw JetError(jet_message::ViewColumnCount(), 0);
      }
      for (std::size_t i = 0; i < statement.columns.size(); ++i) {
        statement.query->columns[i].name = statement.columns[i];
      }
      return;
    case JetStatementKind::Insert:
      Insert(statement);
      return;
    case JetStatementKind::Update:
      Update(statement);
      return;
    case JetStatementKind::Delete:
      Delete(statement);
      return;
    case JetStatementKind::CreateTable:
      CreateTable(statement);
      return;
    case JetStatementKind::AlterTableAdd:
    case JetStatementKind::AlterTableDrop:
    case JetStatementKind::AlterColumn:
    case JetStatementKind::AddConstraint:
      AlterTable(statement);
      return;
    case JetStatementKind::DropConstraint:
      DropConstraint(statement);
      return;
    case JetStatementKind::CreateIndex:
      CreateIndex(statement);
      return;
    case JetStatementKind::DropIndex:
      DropIndex(statement);
      return;
    case JetStatementKind::DropTable:
      DropTable(statement);
      return;
    case JetStatementKind::CreateProcedure:
      CreateProcedure(statement);
      return;
    case JetStatementKind::DropProcedure:
      DropProcedure(statement);
      return;
    case JetStatementKind::Execute:
      Execute(statement);
      return;
    case JetStatementKind::DropView:
    case JetStatementKind::Passthrough:
      return;
  }
}

// The declared parameters' types; the names the statement's expressions may use.
void JetBinder::Parameters(JetStatement& statement) {
  if (statement.parameters.empty()) return;
  for (std::size_t i = 0; i < statement.parameters.size(); ++i) {
    JetParameter& parameter = statement.parameters[i];
    for (std::size_t j = 0; j < i; ++j) {
      if (SameJetName(statement.parameters[j].name, parameter.name)) {
        throw JetError(jet_message::ParameterTwice(parameter.name), 0);
      }
    }
    parameter.type = JetTypeInfoOfDeclaration(parameter.typeName);
    parameter.type.autoNumber = false;
    if (parameter.value) Expr(*parameter.value, Context{});
  }
  parameters_ = &statement.parameters;
}

void JetBinder::Insert(JetStatement& statement) {
  statement.target = Table(statement.table, 0);
  if (statement.columns.empty()) {
    for (const JetSchemaColumn& column : statement.target.columns) {
      statement.columns.push_back(column.name);
    }
  }
  for (std::size_t i = 0; i < statement.columns.size(); ++i) {
    const std::string written = statement.columns[i];
    statement.columns[i] = ColumnOf(statement.target, written);
    for (std::size_t j = 0; j < i; ++j) {
      if (statement.columns[j] == statement.columns[i]) {
        throw JetError(jet_message::InsertColumnTwice(written), 0);
      }
    }
  }
  if (statement.query) {
    Query(*statement.query, nullptr);
    if (statement.query->columns.size() != statement.columns.size()) {
      throw JetError(jet_message::InsertValueCount(), 0);
    }
    return;
  }
  if (statement.values.size() != statement.columns.size()) {
    throw JetError(jet_message::InsertValueCount(),
                   statement.values.empty() ? 0 : statement.values[0]->offset);
  }
  for (JetExprPtr& value : statement.values) Expr(*value, Context{});
}

void JetBinder::TargetSources(JetStatement& statement, Scope& scope) {
  Sources(*statement.source, scope);
}

void JetBinder::TargetIs(JetStatement& statement, JetSource& source) {
  if (source.kind != JetSource::Kind::Table) throw JetError(jet_message::NotUpdatable(), 0);
  statement.target = Table(source.boundName, source.offset);
  statement.targetSource = &source;
}

// UPDATE t SET ... or UPDATE a INNER JOIN b ON ... SET a.x = b.y: the table whose columns are
// set is the one changed.
void JetBinder::Update(JetStatement& statement) {
  Scope scope;
  TargetSources(statement, scope);
  const Context rows{&scope, false, nullptr};
  JetSource* target = nullptr;
  for (auto& [column, value] : statement.assignments) {
    Expr(*column, rows);
    if (column->binding != JetNameBinding::Column) {
      throw JetError(jet_message::UnknownColumn(column->text), column->offset);
    }
    JetSource* source = SourceNamed(*statement.source, column->sourceAlias);
    if (target != nullptr && source != target) {
      throw JetError(jet_message::UpdateOfTwoTables(), column->offset);
    }
    target = source;
    if (column->type.autoNumber) {
      throw JetError(jet_message::ColumnNotUpdatable(column->columnName), column->offset);
    }
    Expr(*value, rows);
    if (HasAggregateSubquery(*value)) {
      throw JetError(jet_message::UpdateFromSummary(), value->offset);
    }
  }
  TargetIs(statement, *target);
  if (statement.where) Expr(*statement.where, rows);
}

// DELETE FROM t, DELETE * FROM t, DELETE t.* FROM t INNER JOIN u ON ...
void JetBinder::Delete(JetStatement& statement) {
  Scope scope;
  TargetSources(statement, scope);
  JetSource* target = nullptr;
  if (!statement.deleteTable.empty()) {
    target = SourceNamed(*statement.source, statement.deleteTable);
    if (target == nullptr) {
      throw JetError(jet_message::UnknownSourceOfStar(statement.deleteTable), 0);
    }
  } else if (statement.source->kind == JetSource::Kind::Join) {
    throw JetError(jet_message::DeleteNeedsTable(), statement.source->offset);
  } else {
    target = statement.source.get();
  }
  TargetIs(statement, *target);
  if (statement.where) Expr(*statement.where, Context{&scope, false, nullptr});
}

// SELECT ... INTO t: a new table with the result's columns.
void JetBinder::SelectInto(JetStatement& statement) {
  JetQuery& query = *statement.query;
  statement.table = query.parts[0].into;
  intoSelect_ = &query.parts[0];
  if (catalogue_.FindTable(statement.table) != nullptr) {
    throw JetError(jet_message::TableExists(statement.table), query.parts[0].offset);
  }
  Query(query, nullptr);
  for (std::size_t i = 0; i < query.columns.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (SameJetName(query.columns[i].name, query.columns[j].name)) {
        throw JetError(jet_message::InsertColumnTwice(query.columns[i].name), 0);
      }
    }
  }
}

// TRANSFORM value SELECT ... GROUP BY ... PIVOT p: the value is aggregated per group and pivot
// value; the pivot is a value of each row.
void JetBinder::Crosstab(JetStatement& statement) {
  JetQuery& query = *statement.query;
  JetSelect& select = query.parts[0];
  if (query.parts.size() != 1 || select.groupBy.empty()) {
    throw JetError(jet_message::CrosstabNeedsGroupBy(), select.offset);
  }
  JetCrosstab& crosstab = *statement.crosstab;
  Scope scope;
  query.columns = Select(select, scope);
  Expr(*crosstab.value, Context{&scope, true, nullptr});
  if (!ContainsAggregate(*crosstab.value)) {
    throw JetError(jet_message::CrosstabNeedsAggregate(), crosstab.value->offset);
  }
  Expr(*crosstab.pivot, Context{&scope, false, nullptr});
  for (JetExprPtr& value : crosstab.pivotIn) Expr(*value, Context{});
  OrderBy(query, scope);
  // The cell's value too shows only what is grouped or aggregated.
  CheckGrouping(select, &query, scope, crosstab.value.get());
}

// The procedure's statement is bound as it would run, its parameters without values.
void JetBinder::CreateProcedure(JetStatement& statement) {
  if (catalogue_.FindProcedure(statement.table) || catalogue_.FindTable(statement.table)) {
    throw JetError(jet_message::ProcedureExists(statement.table), 0);
  }
  JetStatement& body = *statement.body;
  for (const JetParameter& parameter : statement.parameters) {
    body.parameters.push_back({parameter.name, parameter.typeName, {}, nullptr});
  }
  JetBinder inner(catalogue_);
  inner.storingOnly_ = true;
  inner.Statement(body);
}

void JetBinder::DropProcedure(JetStatement& statement) {
  if (!statement.ifNotExists && !catalogue_.FindProcedure(statement.table)) {
    throw JetError(jet_message::UnknownProcedure(statement.table), 0);
  }
}

// EXECUTE p v1, v2: the procedure's statement with its parameters taking the values in order.
void JetBinder::Execute(JetStatement& statement) {
  const std::optional<JetProcedure> procedure = catalogue_.FindProcedure(statement.table);
  if (!procedure) throw JetError(jet_message::UnknownProcedure(statement.table), 0);
  const std::string text = procedure->parameters.empty() ? procedure->statement
                                                         : "PARAMETERS " + procedure->parameters +
                                                               ";\n" + procedure->statement;
  statement.body = std::make_unique<JetStatement>(std::move(ParseJetStatement(text).statement));
  JetStatement& body = *statement.body;
  if (statement.arguments.size() > body.parameters.size()) {
    throw JetError(jet_message::ExecuteArgumentCount(statement.table), 0);
  }
  for (std::size_t i = 0; i < statement.arguments.size(); ++i) {
    body.parameters[i].value = std::move(statement.arguments[i]);
  }
  JetBinder inner(catalogue_);
  inner.Statement(body);
}

}  // namespace tarnwick
