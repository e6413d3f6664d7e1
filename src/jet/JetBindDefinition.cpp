// Binding the definitions: CREATE TABLE, ALTER TABLE, CREATE/DROP INDEX, DROP TABLE, with
// Jet's rules for keys, counters and relationships.
#include <algorithm>

#include "jet/JetBinderCore.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetNameHints.h"
#include "jet/JetTableDefinition.h"
#include "jet/JetTypeNames.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick {

namespace {

using ConstraintKind = JetTableConstraint::Kind;

JetTypeInfo TypeOf(const JetColumnDef& column) {
  return JetTypeInfoOf(column.typeName, column.size.value_or(0), column.scale.value_or(0));
}

const JetSchemaIndex* PrimaryKey(const JetSchemaTable& table) {
  const auto found = std::find_if(table.indexes.begin(), table.indexes.end(),
                                  [](const JetSchemaIndex& index) { return index.primaryKey; });
  return found == table.indexes.end() ? nullptr : &*found;
}

bool SameColumnSet(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  if (a.size() != b.size()) return false;
  return std::all_of(a.begin(), a.end(), [&](const std::string& name) {
    return std::any_of(b.begin(), b.end(),
                       [&](const std::string& other) { return SameJetName(name, other); });
  });
}

bool HasCounter(const JetSchemaTable& table) {
  return std::any_of(table.columns.begin(), table.columns.end(),
                     [](const JetSchemaColumn& column) { return column.type.autoNumber; });
}

// The table's keys as its constraints declare them, for a table being made or changed.
void AddKeyOf(JetSchemaTable& table, const JetTableConstraint& constraint) {
  if (constraint.kind != ConstraintKind::PrimaryKey && constraint.kind != ConstraintKind::Unique) {
    return;
  }
  if (constraint.kind == ConstraintKind::PrimaryKey && PrimaryKey(table) != nullptr) {
    throw JetError(jet_message::TwoPrimaryKeys(), 0);
  }
  table.indexes.push_back(
      {constraint.name, true, constraint.kind == ConstraintKind::PrimaryKey, constraint.columns});
}

}  // namespace

// Every constraint's columns exist; a foreign key refers to a key; a CHECK reads the columns.
void JetBinder::Constraint(JetTableConstraint& constraint, const JetSchemaTable& table,
                           const Scope& scope) {
  for (std::string& column : constraint.columns) column = ColumnOf(table, column);
  if (constraint.check) Expr(*constraint.check, Context{&scope, false, nullptr});
  if (constraint.kind == ConstraintKind::ForeignKey) ForeignKey(constraint, table);
}

void JetBinder::ForeignKey(JetTableConstraint& constraint, const JetSchemaTable& table) {
  const bool self = SameJetName(constraint.referencesTable, table.name);
  const JetSchemaTable& parent = self ? table : Table(constraint.referencesTable, 0);
  constraint.referencesTable = parent.name;
  if (constraint.referencesColumns.empty()) {
    const JetSchemaIndex* key = PrimaryKey(parent);
    if (key == nullptr) throw JetError(jet_message::ReferenceWithoutKey(parent.name), 0);
    constraint.referencesColumns = key->columns;
  }
  for (std::string& column : constraint.referencesColumns) column = ColumnOf(parent, column);
  if (constraint.referencesColumns.size() != constraint.columns.size()) {
    throw JetError(jet_message::ReferenceColumnCount(), 0);
  }
  const bool keyed =
      std::any_of(parent.indexes.begin(), parent.indexes.end(), [&](const JetSchemaIndex& index) {
        return index.unique && SameColumnSet(index.columns, constraint.referencesColumns);
      });
  if (!keyed || parent.isView) throw JetError(jet_message::ReferenceWithoutKey(parent.name), 0);
}

// The columns of a table being made (or a column being added or changed): their types, one
// counter at most, their constraints. `source` takes the table's columns for CHECK.
void JetBinder::ColumnDefinitions(JetStatement& statement, JetSource& source) {
  JetSchemaTable& table = statement.target;
  int counters = HasCounter(table) ? 1 : 0;
  for (JetColumnDef& column : statement.columnDefs) {
    const JetTypeInfo type = TypeOf(column);
    counters += type.autoNumber;
    if (counters > 1) throw JetError(jet_message::TwoCounters(), column.offset);
    JetSchemaColumn* existing = nullptr;
    for (JetSchemaColumn& known : table.columns) {
      if (SameJetName(known.name, column.name)) existing = &known;
    }
    // ALTER COLUMN: the column keeps its old type here, which the conversion of its rows reads.
    if (existing == nullptr) {
      table.columns.push_back({column.name, type, column.defaultValue != nullptr, column.notNull});
    }
    if (column.defaultValue) Expr(*column.defaultValue, Context{});
  }
  // A constraint written with a column is the table's, before those written after the columns.
  std::vector<JetTableConstraint> constraints;
  for (JetColumnDef& column : statement.columnDefs) {
    for (JetTableConstraint& constraint : column.constraints) {
      constraints.push_back(std::move(constraint));
    }
    column.constraints.clear();
  }
  for (JetTableConstraint& constraint : statement.constraints) {
    constraints.push_back(std::move(constraint));
  }
  statement.constraints = std::move(constraints);
  for (const JetTableConstraint& constraint : statement.constraints) AddKeyOf(table, constraint);
  source.boundName = table.name;
  source.boundAlias = table.name;
  source.columns = table.columns;
  Scope scope;
  scope.sources.push_back(&source);
  for (JetTableConstraint& constraint : statement.constraints) Constraint(constraint, table, scope);
}

void JetBinder::CreateTable(JetStatement& statement) {
  statement.target = JetSchemaTable{};
  statement.target.name = statement.table;
  JetSource source;
  ColumnDefinitions(statement, source);
}

// ADD [COLUMN], DROP [COLUMN], ALTER [COLUMN] and ADD CONSTRAINT of a table (never a view).
void JetBinder::AlterTable(JetStatement& statement) {
  statement.target = Table(statement.table, 0);
  JetSchemaTable& table = statement.target;
  if (table.isView) throw JetError(jet_message::UnknownTable(statement.table), 0);
  statement.referenced = !catalogue_.ReferringTables(table.name).empty();
  JetSource source;
  switch (statement.kind) {
    case JetStatementKind::AlterTableDrop:
      statement.dropName = ColumnOf(table, statement.dropName);
      return;
    case JetStatementKind::AlterColumn:
      statement.columnDefs[0].name = ColumnOf(table, statement.columnDefs[0].name);
      // The column's own counter is the one being changed.
      for (JetSchemaColumn& column : table.columns) {
        if (column.name == statement.columnDefs[0].name) column.type.autoNumber = false;
      }
      break;
    default:
      break;
  }
  ColumnDefinitions(statement, source);
}

void JetBinder::CreateIndex(JetStatement& statement) {
  statement.target = Table(statement.indexTable, 0);
  for (JetIndexColumn& column : statement.indexColumns) {
    column.name = ColumnOf(statement.target, column.name);
  }
  if (statement.indexOption == JetIndexOption::Primary) {
    if (PrimaryKey(statement.target) != nullptr) throw JetError(jet_message::TwoPrimaryKeys(), 0);
    statement.referenced = !catalogue_.ReferringTables(statement.target.name).empty();
  }
}

// DROP INDEX i ON t: an index the user made, or a key made by CREATE INDEX ... WITH PRIMARY or
// a named constraint.
void JetBinder::DropIndex(JetStatement& statement) {
  if (statement.indexTable.empty()) return;  // the engine's DROP INDEX i
  statement.target = Table(statement.indexTable, 0);
  const JetSchemaTable& table = statement.target;
  const bool index =
      std::any_of(table.indexes.begin(), table.indexes.end(), [&](const JetSchemaIndex& known) {
        return !known.name.empty() && SameJetName(known.name, statement.table);
      });
  const std::optional<JetTableDefinition> definition = SplitTableDefinition(table.definition);
  const bool constraint =
      definition && FindDefinitionItem(*definition, statement.table, false) != nullptr;
  if (!index && !constraint && !statement.ifNotExists) {
    throw JetError(jet_message::UnknownIndex(statement.table), 0);
  }
  statement.referenced = constraint && !catalogue_.ReferringTables(table.name).empty();
}

void JetBinder::DropConstraint(JetStatement& statement) {
  statement.target = Table(statement.table, 0);
  const JetSchemaTable& table = statement.target;
  const std::optional<JetTableDefinition> definition = SplitTableDefinition(table.definition);
  const bool constraint =
      definition && FindDefinitionItem(*definition, statement.dropName, false) != nullptr;
  const bool index =
      std::any_of(table.indexes.begin(), table.indexes.end(), [&](const JetSchemaIndex& known) {
        return !known.name.empty() && SameJetName(known.name, statement.dropName);
      });
  if (!constraint && !index) {
    throw JetError(jet_message::UnknownConstraint(statement.dropName, table.name), 0);
  }
  statement.referenced = constraint && !catalogue_.ReferringTables(table.name).empty();
}

// A table that another table's foreign key refers to cannot be dropped.
void JetBinder::DropTable(JetStatement& statement) {
  const JetSchemaTable* table = catalogue_.FindTable(statement.table);
  if (table == nullptr) {
    if (statement.ifNotExists) return;
    throw JetError(
        msg::UnknownTable(statement.table).WithHint(MisspeltTableHint(statement.table, catalogue_)),
        0);
  }
  statement.target = *table;
  const std::vector<std::string> referring = catalogue_.ReferringTables(table->name);
  if (!referring.empty()) {
    throw JetError(jet_message::TableInRelationship(table->name, referring), 0);
  }
}

}  // namespace tarnwick
