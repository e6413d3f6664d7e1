// Changes of a table that the engine's ALTER TABLE cannot make: the table is made again from
// its definition as the engine keeps it, with one column or constraint added, changed or
// dropped and everything else as it was written. Its rows are copied over in their order,
// each keeping its row number, every value of a changed column converted as INSERT converts
// it: a row that does not convert refuses the whole change, and nothing of it stays. Indexes
// and triggers are made again; the counter goes on where it was.
#include <algorithm>

#include "jet/JetLexer.h"
#include "jet/JetSqlText.h"
#include "jet/JetSqlWriter.h"
#include "jet/JetTableDefinition.h"
#include "jetlib/JetTypeNames.h"

namespace tarnwick {

namespace {

using Change = bound::Rebuild::Change;
using ConstraintKind = syntax::Constraint::Kind;

constexpr std::string_view kSequence = "__jet_sequence";

bool Names(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& other) { return SameJetName(other, name); });
}

std::vector<std::string> KeyOf(const JetSchemaTable& table) {
  for (const JetSchemaIndex& index : table.indexes) {
    if (index.primaryKey) return index.columns;
  }
  return {};
}

// The columns of a primary key the change adds.
std::vector<std::string> AddedKey(const bound::Rebuild& rebuild) {
  for (const bound::Constraint& constraint : rebuild.constraints) {
    if (constraint.kind == ConstraintKind::PrimaryKey) return constraint.columns;
  }
  return {};
}

const JetSchemaColumn* ColumnNamed(const JetSchemaTable& table, std::string_view name) {
  const auto found =
      std::find_if(table.columns.begin(), table.columns.end(),
                   [&](const JetSchemaColumn& column) { return column.name == name; });
  return found == table.columns.end() ? nullptr : &*found;
}

}  // namespace

// The table as it is made again: its columns' and constraints' items, and the columns whose
// values come over.
struct JetSqlWriter::Remade {
  std::vector<std::string> columns;
  std::vector<std::string> constraints;
  std::vector<std::string> copied;
  const bound::ColumnDef* counter = nullptr;  // a counter the change makes
};

std::string JetSqlWriter::Rebuild(const bound::Rebuild& rebuild) {
  const JetSchemaTable& table = *rebuild.table;
  const std::optional<JetTableDefinition> definition = SplitTableDefinition(table.definition);
  if (!definition) {
    refusal_ = JetEngineStep::Refusal{
        msg::Diagnostic{msg::MessageId::DefinitionNotChangeable, {table.name}}, rebuild.offset};
    return {};
  }
  const Remade remade = RemadeItems(rebuild, *definition);
  const std::string name = EngineName(table.name);
  const bool rowNumbers = !table.withoutRowId;
  Step("CREATE TEMP TABLE " + EngineName(bound::kRows) + " AS SELECT " +
       (rowNumbers ? "rowid AS \"__jet_rowid\", " : "") + "* FROM " + name);
  if (table.autoIncrement) {
    Step("CREATE TEMP TABLE " + EngineName(kSequence) +
         " AS SELECT seq FROM sqlite_sequence WHERE name = " + EngineText(table.name));
  }
  Step("DROP TABLE " + name);
  std::string create = table.temporary ? "CREATE TEMP TABLE " : "CREATE TABLE ";
  create += name + " (";
  std::vector<std::string> items = remade.columns;
  items.insert(items.end(), remade.constraints.begin(), remade.constraints.end());
  for (std::size_t i = 0; i < items.size(); ++i) create += (i > 0 ? ", " : "") + items[i];
  Step(create + ")" + definition->tail);
  RebuildCounter(rebuild, remade.counter, remade.copied);
  Step(CopyRows(rebuild, remade.copied, rowNumbers));
  Step("DROP TABLE temp." + EngineName(bound::kRows));
  if (table.autoIncrement) {
    Step("UPDATE sqlite_sequence SET seq = max(seq, (SELECT seq FROM temp." +
         EngineName(kSequence) + ")) WHERE name = " + EngineText(table.name));
    Step("DROP TABLE temp." + EngineName(kSequence));
  }
  for (const std::string& other : table.otherDefinitions) Step(other);
  // Every row that refers to another, or that others refer to, still finds it.
  Step("SELECT 1 FROM pragma_foreign_key_check WHERE \"table\" = " + EngineText(table.name) +
           " COLLATE NOCASE OR \"parent\" = " + EngineText(table.name) + " COLLATE NOCASE LIMIT 1",
       msg::Diagnostic{msg::MessageId::RowsBreakRelationship, {table.name}}, rebuild.offset);
  return {};  // every statement is a step
}

JetSqlWriter::Remade JetSqlWriter::RemadeItems(const bound::Rebuild& rebuild,
                                               const JetTableDefinition& definition) {
  const JetSchemaTable& table = *rebuild.table;
  const bool dropping =
      rebuild.change == Change::DropColumn || rebuild.change == Change::DropConstraint;
  const bound::ColumnDef* changed =
      rebuild.change == Change::AlterColumn ? &*rebuild.column : nullptr;
  const std::vector<std::string> addedKey = AddedKey(rebuild);
  const std::vector<std::string> key = addedKey.empty() ? KeyOf(table) : addedKey;
  // The key is written with its column, not among the table's constraints.
  const bool keyWithColumn =
      std::none_of(definition.items.begin(), definition.items.end(),
                   [](const JetDefinitionItem& item) { return item.primaryKey; });
  Remade remade;
  for (const JetDefinitionItem& item : definition.items) {
    const bool named = SameJetName(item.name, rebuild.name);
    if (!item.isColumn) {
      if (!(dropping && named && !rebuild.name.empty())) remade.constraints.push_back(item.text);
      continue;
    }
    if (dropping && named) continue;
    remade.copied.push_back(item.name);
    if (changed != nullptr && SameJetName(item.name, changed->name)) {
      const int role = !Names(key, item.name) ? 0 : key.size() == 1 ? 2 : 1;
      remade.columns.push_back(ColumnDefinition(*changed, role));
      if (keyWithColumn && Names(KeyOf(table), item.name)) {
        remade.constraints.push_back("PRIMARY KEY (" + EngineName(changed->name) + ")");
      }
      if (changed->type.autoNumber) remade.counter = changed;
      continue;
    }
    // A key the change adds holds no NULL.
    const JetSchemaColumn* column = ColumnNamed(table, item.name);
    const bool keyColumn = Names(addedKey, item.name) && !(column != nullptr && column->notNull);
    remade.columns.push_back(item.text + (keyColumn ? " NOT NULL" : ""));
  }
  if (rebuild.change == Change::AddColumn) {
    const bound::ColumnDef& added = *rebuild.column;
    remade.columns.push_back(ColumnDefinition(added, Names(key, added.name) ? 1 : 0));
    if (added.type.autoNumber) remade.counter = &added;
  }
  for (const bound::Constraint& constraint : rebuild.constraints) {
    remade.constraints.push_back(TableConstraint(constraint));
  }
  return remade;
}

// The counter: a new one starts where it is told; the table's own goes on where it was.
void JetSqlWriter::RebuildCounter(const bound::Rebuild& rebuild, const bound::ColumnDef* counter,
                                  const std::vector<std::string>& copied) {
  const JetSchemaTable& table = *rebuild.table;
  const bool changedCounter = rebuild.change == Change::AlterColumn &&
                              SameJetName(rebuild.column->name, table.counterColumn);
  const bool counterKept =
      !table.counterColumn.empty() && Names(copied, table.counterColumn) && !changedCounter;
  if (counter != nullptr) {
    CounterSteps(table.name, *counter, table.temporary, false);
  } else if (counterKept) {
    bound::ColumnDef own;
    own.name = table.counterColumn;
    CounterSteps(table.name, own, table.temporary, true);
  } else if (!table.counterColumn.empty()) {
    Step("DELETE FROM " + EngineName(kCountersTable) +
         " WHERE \"table\" = " + EngineText(table.name));
  }
}

// The rows, in their order, with their row numbers where the table has no column for them.
std::string JetSqlWriter::CopyRows(const bound::Rebuild& rebuild,
                                   const std::vector<std::string>& copied, bool rowNumbers) {
  const JetSchemaTable& table = *rebuild.table;
  const bool ownRowNumbers = rowNumbers && table.rowIdColumn.empty();
  std::string insert =
      "INSERT INTO " + EngineName(table.name) + " (" + (ownRowNumbers ? "rowid" : "");
  std::string values = ownRowNumbers ? "\"__jet_rowid\"" : "";
  for (std::size_t i = 0; i < copied.size(); ++i) {
    const bool first = i == 0 && !ownRowNumbers;
    insert += (first ? "" : ", ") + EngineName(copied[i]);
    const auto copy = std::find_if(rebuild.copies.begin(), rebuild.copies.end(),
                                   [&](const auto& each) { return each.first == copied[i]; });
    values += first ? "" : ", ";
    values += copy != rebuild.copies.end() ? Value(*copy->second)
                                           : EngineName(bound::kRows) + "." + EngineName(copied[i]);
  }
  return insert + ") SELECT " + values + " FROM temp." + EngineName(bound::kRows) + " AS " +
         EngineName(bound::kRows) + (rowNumbers ? " ORDER BY \"__jet_rowid\"" : "");
}

}  // namespace tarnwick
