// Changes of a table that the engine's ALTER TABLE cannot make: the table is made again from
// its definition as the engine keeps it, with one column or constraint added, changed or
// dropped and everything else as it was written. Its rows are copied over in their order,
// each keeping its row number, every value of a changed column converted as INSERT converts
// it: a row that does not convert refuses the whole change, and nothing of it stays. Indexes
// and triggers are made again; the counter goes on where it was.
#include <algorithm>

#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetSqlText.h"
#include "jet/JetSqlWriter.h"
#include "jet/JetTableDefinition.h"
#include "jet/JetTypeNames.h"

namespace tarnwick {

namespace {

constexpr std::string_view kRows = "__jet_rows";
constexpr std::string_view kSequence = "__jet_sequence";

bool HasKeyword(std::string_view text, std::string_view keyword) {
  const std::vector<JetToken> tokens = TokenizeJet(text);
  return std::any_of(tokens.begin(), tokens.end(),
                     [&](const JetToken& token) { return IsKeyword(token, keyword); });
}

bool Names(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& other) { return SameJetName(other, name); });
}

// The columns of a primary key the change adds.
std::vector<std::string> AddedKey(const JetStatement& statement) {
  for (const JetTableConstraint& constraint : statement.constraints) {
    if (constraint.kind == JetTableConstraint::Kind::PrimaryKey) return constraint.columns;
  }
  return {};
}

std::vector<std::string> ExistingKey(const JetSchemaTable& table) {
  for (const JetSchemaIndex& index : table.indexes) {
    if (index.primaryKey) return index.columns;
  }
  return {};
}

}  // namespace

std::string JetSqlWriter::Rebuild(const JetStatement& statement) {
  const JetSchemaTable& table = statement.target;
  const std::optional<JetTableDefinition> definition = SplitTableDefinition(table.definition);
  if (!definition) throw JetError(jet_message::DefinitionNotChangeable(table.name), 0);
  const bool dropping = statement.kind == JetStatementKind::AlterTableDrop ||
                        statement.kind == JetStatementKind::DropConstraint;
  const JetColumnDef* changed =
      statement.kind == JetStatementKind::AlterColumn ? &statement.columnDefs[0] : nullptr;
  const std::vector<std::string> addedKey = AddedKey(statement);
  const std::vector<std::string> key = addedKey.empty() ? ExistingKey(table) : addedKey;

  std::vector<std::string> columns;      // the items of the columns, in order
  std::vector<std::string> constraints;  // then the constraints
  std::vector<std::string> copied;       // the columns whose values come over
  const JetColumnDef* counter = nullptr;
  for (const JetDefinitionItem& item : definition->items) {
    const bool named = SameJetName(item.name, statement.dropName);
    if (!item.isColumn) {
      if (!(dropping && named && !statement.dropName.empty())) constraints.push_back(item.text);
      continue;
    }
    if (dropping && named) continue;
    copied.push_back(item.name);
    if (changed != nullptr && SameJetName(item.name, changed->name)) {
      const int role = !Names(key, item.name) ? 0 : key.size() == 1 ? 2 : 1;
      columns.push_back(ColumnDefinition(*changed, role));
      if (HasKeyword(item.text, "PRIMARY")) {
        constraints.push_back("PRIMARY KEY (" + EngineName(changed->name) + ")");
      }
      if (IsAutoNumberType(changed->typeName)) counter = changed;
      continue;
    }
    // A key the change adds holds no NULL.
    const bool keyColumn = Names(addedKey, item.name) && !HasKeyword(item.text, "NOT");
    columns.push_back(item.text + (keyColumn ? " NOT NULL" : ""));
  }
  if (statement.kind == JetStatementKind::AlterTableAdd) {
    const JetColumnDef& added = statement.columnDefs[0];
    columns.push_back(ColumnDefinition(added, Names(key, added.name) ? 1 : 0));
    if (IsAutoNumberType(added.typeName)) counter = &added;
  }
  for (const JetTableConstraint& constraint : statement.constraints) {
    constraints.push_back(TableConstraint(constraint));
  }

  const std::string name = EngineName(table.name);
  const bool rowNumbers = !HasKeyword(definition->tail, "WITHOUT");
  const bool sequence = HasKeyword(table.definition, "AUTOINCREMENT");
  const std::string rows = "temp." + EngineName(kRows);
  Step("CREATE TEMP TABLE " + EngineName(kRows) + " AS SELECT " +
       (rowNumbers ? "rowid AS \"__jet_rowid\", " : "") + "* FROM " + name);
  if (sequence) {
    Step("CREATE TEMP TABLE " + EngineName(kSequence) +
         " AS SELECT seq FROM sqlite_sequence WHERE name = " + EngineText(table.name));
  }
  Step("DROP TABLE " + name);
  std::string create = table.temporary ? "CREATE TEMP TABLE " : "CREATE TABLE ";
  create += name + " (";
  columns.insert(columns.end(), constraints.begin(), constraints.end());
  for (std::size_t i = 0; i < columns.size(); ++i) create += (i > 0 ? ", " : "") + columns[i];
  Step(create + ")" + definition->tail);

  // The counter: a new one starts where it is told; the table's own goes on where it was.
  const bool counterKept = !table.counterColumn.empty() && Names(copied, table.counterColumn) &&
                           !(changed != nullptr && SameJetName(changed->name, table.counterColumn));
  if (counter != nullptr) {
    CounterSteps(table.name, *counter, table.temporary, false);
  } else if (counterKept) {
    JetColumnDef own;
    own.name = table.counterColumn;
    CounterSteps(table.name, own, table.temporary, true);
  } else if (!table.counterColumn.empty()) {
    Step("DELETE FROM " + EngineName(kCountersTable) +
         " WHERE \"table\" = " + EngineText(table.name));
  }

  // The rows, in their order, with their row numbers where the table has no column for them.
  const bool ownRowNumbers = rowNumbers && table.rowIdColumn.empty();
  std::string insert = "INSERT INTO " + name + " (" + (ownRowNumbers ? "rowid" : "");
  std::string values = ownRowNumbers ? "\"__jet_rowid\"" : "";
  for (std::size_t i = 0; i < copied.size(); ++i) {
    const bool first = i == 0 && !ownRowNumbers;
    insert += (first ? "" : ", ") + EngineName(copied[i]);
    JetExpr column(JetExprKind::Name, 0);
    column.binding = JetNameBinding::Column;
    column.sourceAlias = kRows;
    column.columnName = copied[i];
    const auto old = std::find_if(table.columns.begin(), table.columns.end(),
                                  [&](const JetSchemaColumn& c) { return c.name == copied[i]; });
    if (old != table.columns.end()) column.type = old->type;
    const bool convert = changed != nullptr && SameJetName(copied[i], changed->name);
    values += (first ? "" : ", ") +
              (convert ? Stored(column,
                                JetTypeInfoOf(changed->typeName, changed->size.value_or(0),
                                              changed->scale.value_or(0)),
                                copied[i])
                       : Name(column));
  }
  Step(insert + ") SELECT " + values + " FROM " + rows + " AS " + EngineName(kRows) +
       (rowNumbers ? " ORDER BY \"__jet_rowid\"" : ""));
  Step("DROP TABLE " + rows);
  if (sequence) {
    Step("UPDATE sqlite_sequence SET seq = max(seq, (SELECT seq FROM temp." +
         EngineName(kSequence) + ")) WHERE name = " + EngineText(table.name));
    Step("DROP TABLE temp." + EngineName(kSequence));
  }
  for (const std::string& other : table.otherDefinitions) Step(other);
  // Every row that refers to another, or that others refer to, still finds it.
  Step("SELECT 1 FROM pragma_foreign_key_check WHERE \"table\" = " + EngineText(table.name) +
           " COLLATE NOCASE OR \"parent\" = " + EngineText(table.name) + " COLLATE NOCASE LIMIT 1",
       jet_message::RowsBreakRelationship(table.name));
  return {};  // every statement is a step
}

}  // namespace tarnwick
