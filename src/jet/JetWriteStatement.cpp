// INSERT, UPDATE and DELETE, SELECT ... INTO and the procedures in the engine's SQL; every
// value stored is converted as the binder says.
#include "jet/JetSqlText.h"
#include "jet/JetSqlWriter.h"

namespace tarnwick {

namespace {

using syntax::StatementKind;

std::string NameList(const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i) text += (i > 0 ? ", " : "") + EngineName(names[i]);
  return text;
}

}  // namespace

void JetSqlWriter::Step(std::string sql) { steps_.push_back({std::move(sql), std::nullopt}); }

void JetSqlWriter::Step(std::string sql, msg::Diagnostic refusal, std::size_t offset) {
  steps_.push_back({std::move(sql), JetEngineStep::Refusal{std::move(refusal), offset}});
}

std::string JetSqlWriter::Statement(const bound::Statement& statement) {
  switch (statement.kind) {
    case StatementKind::Select:
      return Query(*statement.As<bound::QueryStatement>().query);
    case StatementKind::SelectInto:
      return SelectInto(statement.As<bound::SelectInto>());
    case StatementKind::Crosstab:
      return Crosstab(statement.As<bound::Crosstab>());
    case StatementKind::Insert:
      return Insert(statement.As<bound::Insert>());
    case StatementKind::Update:
    case StatementKind::Delete:
      return Change(statement.As<bound::Change>());
    case StatementKind::CreateTable:
      return CreateTable(statement.As<bound::CreateTable>());
    case StatementKind::AlterTableAdd:
    case StatementKind::AlterTableDrop:
    case StatementKind::AlterColumn:
    case StatementKind::AddConstraint:
      return AlterTable(statement.As<bound::AlterTable>());
    case StatementKind::CreateIndex:
      return CreateIndex(statement.As<bound::CreateIndex>());
    case StatementKind::DropTable:
    case StatementKind::DropView:
      return Drop(statement.As<bound::Drop>());
    case StatementKind::DropIndex:
    case StatementKind::DropConstraint:
      return DropIndex(statement.As<bound::Drop>());
    case StatementKind::CreateView:
      return CreateView(statement.As<bound::QueryStatement>());
    case StatementKind::CreateProcedure:
      return CreateProcedure(statement.As<bound::Procedure>());
    case StatementKind::DropProcedure:
      return DropProcedure(statement.As<bound::Procedure>());
    case StatementKind::Execute:
    case StatementKind::Passthrough:
      break;
  }
  return {};
}

std::string JetSqlWriter::Insert(const bound::Insert& insert) {
  if (insert.query) return InsertRows(insert);
  std::vector<std::string> columns = insert.columns;
  columns.insert(columns.end(), insert.falseColumns.begin(), insert.falseColumns.end());
  std::string text =
      "INSERT INTO " + EngineName(insert.table) + " (" + NameList(columns) + ") VALUES (";
  for (std::size_t i = 0; i < insert.values.size(); ++i) {
    text += (i > 0 ? ", " : "") + Value(*insert.values[i]);
  }
  for (std::size_t i = 0; i < insert.falseColumns.size(); ++i) text += ", 0";
  return text + ")";
}

// INSERT INTO table (columns) SELECT ...: the query's columns, each converted, by position:
// SELECT jet_store("__jet_rows"."1", ...) FROM (...) AS "__jet_rows".
std::string JetSqlWriter::InsertRows(const bound::Insert& insert) {
  std::vector<std::string> columns = insert.columns;
  columns.insert(columns.end(), insert.falseColumns.begin(), insert.falseColumns.end());
  std::string text =
      "INSERT INTO " + EngineName(insert.table) + " (" + NameList(columns) + ") SELECT ";
  std::vector<std::string> names;
  for (std::size_t i = 0; i < insert.copies.size(); ++i) {
    names.push_back(std::to_string(i + 1));
    text += (i > 0 ? ", " : "") + Value(*insert.copies[i]);
  }
  for (std::size_t i = 0; i < insert.falseColumns.size(); ++i) text += ", 0";
  return text + " FROM (" + Query(*insert.query, names) + ") AS " + EngineName(bound::kRows);
}

// SELECT ... INTO t: the table made, then filled.
std::string JetSqlWriter::SelectInto(const bound::SelectInto& into) {
  std::string create = "CREATE TABLE " + EngineName(into.table) + " (";
  for (std::size_t i = 0; i < into.definitions.size(); ++i) {
    create += (i > 0 ? ", " : "") + ColumnDefinition(into.definitions[i], 0);
  }
  Step(create + ")");
  return InsertRows(into);
}

// A plain UPDATE or DELETE of one table. Through a join, the changed table's rows are those
// the join holds, an UPDATE's each taking its values from its row of the join (the first,
// should it match several), found by the row number of the join's kJoinedRow.
std::string JetSqlWriter::Change(const bound::Change& change) {
  const std::string table = EngineName(change.table);
  const bool update = change.kind == StatementKind::Update;
  std::string text = (update ? "UPDATE " : "DELETE FROM ") + table;
  if (!change.join) {
    if (!change.alias.empty()) text += " AS " + EngineName(change.alias);
    if (update) text += " SET ";
    for (std::size_t i = 0; i < change.assignments.size(); ++i) {
      const bound::Assignment& assignment = change.assignments[i];
      text +=
          (i > 0 ? ", " : "") + EngineName(assignment.column) + " = " + Value(*assignment.value);
    }
    if (change.where) text += " WHERE " + Condition(*change.where);
    return text;
  }
  const std::string row = EngineName(bound::kJoinedRow) + ".rowid";
  if (!update) {
    text += " WHERE rowid IN (SELECT " + row + " FROM " + Source(*change.join);
    if (change.where) text += " WHERE " + Condition(*change.where);
    return text + ")";
  }
  std::string join = " FROM " + Source(*change.join);
  if (change.where) join += " WHERE (" + Condition(*change.where) + ")";
  const std::string thisRow = (change.where ? " AND " : " WHERE ") + row + " = " + table + ".rowid";
  text += " SET ";
  for (std::size_t i = 0; i < change.assignments.size(); ++i) {
    const bound::Assignment& assignment = change.assignments[i];
    text += (i > 0 ? ", " : "") + EngineName(assignment.column) + " = (SELECT " +
            Value(*assignment.value) + join + thisRow + " LIMIT 1)";
  }
  return text + " WHERE rowid IN (SELECT " + row + join + ")";
}

// A procedure is kept as its parameters and statement as written, in a table of the program's
// own.
std::string JetSqlWriter::CreateProcedure(const bound::Procedure& procedure) {
  Step(std::string(kCreateProceduresTable));
  return "INSERT INTO " + EngineName(kProceduresTable) + " VALUES (" + EngineText(procedure.name) +
         ", " + EngineText(procedure.parameters) + ", " + EngineText(procedure.statement) + ")";
}

std::string JetSqlWriter::DropProcedure(const bound::Procedure& procedure) {
  Step(std::string(kCreateProceduresTable));
  return "DELETE FROM " + EngineName(kProceduresTable) +
         " WHERE \"name\" = " + EngineText(procedure.name);
}

}  // namespace tarnwick
