// Binding the definitions: CREATE TABLE, ALTER TABLE, CREATE/DROP INDEX, DROP TABLE, with
// Jet's rules for keys, counters and relationships.
#include <algorithm>

#include "jet/JetBinderCore.h"
#include "jet/JetBoundWalk.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetNameHints.h"
#include "jet/JetTableDefinition.h"

namespace tarnwick {

namespace {

using ConstraintKind = syntax::Constraint::Kind;
using msg::MessageId;
using syntax::StatementKind;

JetTypeInfo TypeOf(const syntax::TypeName& type) {
  return JetTypeInfoOf(type.word, type.size.value_or(0), type.scale.value_or(0));
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

bool HasNamedIndex(const JetSchemaTable& table, std::string_view name) {
  return std::any_of(table.indexes.begin(), table.indexes.end(), [&](const JetSchemaIndex& index) {
    return !index.name.empty() && SameJetName(index.name, name);
  });
}

// A constraint of the table's own definition, of that name.
bool HasNamedConstraint(const JetSchemaTable& table, std::string_view name) {
  const std::optional<JetTableDefinition> definition = SplitTableDefinition(table.definition);
  return definition && FindDefinitionItem(*definition, name, false) != nullptr;
}

// The table's keys as its constraints declare them, for a table being made or changed.
void AddKeyOf(JetSchemaTable& table, const syntax::Constraint& constraint) {
  if (constraint.kind != ConstraintKind::PrimaryKey && constraint.kind != ConstraintKind::Unique) {
    return;
  }
  if (constraint.kind == ConstraintKind::PrimaryKey && PrimaryKey(table) != nullptr) {
    throw JetError(Refusal(MessageId::PrimaryKeyExists), constraint.offset);
  }
  std::vector<std::string> columns;
  for (const syntax::Name& column : constraint.columns) columns.push_back(column.text);
  table.indexes.push_back(
      {constraint.name, true, constraint.kind == ConstraintKind::PrimaryKey, std::move(columns)});
}

}  // namespace

bound::ColumnDef JetBinder::ColumnDefinition(const syntax::ColumnDef& column) {
  bound::ColumnDef result;
  result.name = column.name.text;
  result.word = column.type.word;
  result.size = column.type.size;
  result.scale = column.type.scale;
  result.type = TypeOf(column.type);
  result.notNull = column.notNull;
  result.falseByDefault = result.type.type == JetType::Boolean && !column.defaultValue;
  result.ignoringCase = IsTextType(result.type.type);
  return result;
}

// Every constraint's columns exist; a foreign key refers to a key; a CHECK reads the columns.
bound::Constraint JetBinder::Constraint(const syntax::Constraint& constraint,
                                        const JetSchemaTable& table, const Scope& scope) {
  bound::Constraint result;
  result.kind = constraint.kind;
  result.name = constraint.name;
  for (const syntax::Name& column : constraint.columns) {
    result.columns.push_back(ColumnOf(table, column));
  }
  result.actions = constraint.actions;
  result.descending = constraint.descending;
  if (constraint.check) {
    result.check = Expr(*constraint.check, Context{&scope, false});
    // A CHECK names its table's columns alone.
    ForEachColumn(*result.check, [](bound::Column& column) { column.source.clear(); });
  }
  if (constraint.kind == ConstraintKind::ForeignKey) ForeignKey(result, constraint, table);
  return result;
}

void JetBinder::ForeignKey(bound::Constraint& constraint, const syntax::Constraint& written,
                           const JetSchemaTable& table) {
  const syntax::Name& referenced = written.referencesTable;
  const bool self = SameJetName(referenced.text, table.name);
  const JetSchemaTable& parent = self ? table : Table(referenced.text, referenced.offset);
  constraint.referencesTable = parent.name;
  const auto withoutKey = [&] {
    return JetError(Refusal(MessageId::ReferenceWithoutKey, {parent.name}), referenced.offset);
  };
  std::vector<syntax::Name> columns = written.referencesColumns;
  if (columns.empty()) {
    const JetSchemaIndex* key = PrimaryKey(parent);
    if (key == nullptr) throw withoutKey();
    for (const std::string& column : key->columns) columns.push_back({column, referenced.offset});
  }
  for (const syntax::Name& column : columns) {
    constraint.referencesColumns.push_back(ColumnOf(parent, column));
  }
  if (constraint.referencesColumns.size() != constraint.columns.size()) {
    throw JetError(Refusal(MessageId::ReferenceColumnCount), written.offset);
  }
  const bool keyed =
      std::any_of(parent.indexes.begin(), parent.indexes.end(), [&](const JetSchemaIndex& index) {
        return index.unique && SameColumnSet(index.columns, constraint.referencesColumns);
      });
  if (!keyed || parent.isView) throw withoutKey();
}

// The columns of a table being made (or a column being added or changed): their types, one
// counter at most, their constraints. `table` takes the columns and keys.
void JetBinder::Definitions(const syntax::TableStatement& statement, JetSchemaTable& table,
                            bound::TableDefinition& bound) {
  int counters = HasCounter(table) ? 1 : 0;
  for (const syntax::ColumnDef& column : statement.columns) {
    bound::ColumnDef definition = ColumnDefinition(column);
    counters += definition.type.autoNumber;
    if (counters > 1) throw JetError(Refusal(MessageId::TwoCounters), column.offset);
    if (FindColumn(table, column.name.text) == nullptr) {
      table.columns.push_back(
          {column.name.text, definition.type, column.defaultValue != nullptr, column.notNull});
    }
    if (column.defaultValue) {
      definition.defaultValue =
          Stored(Expr(*column.defaultValue, Context{}), column.defaultValue.get(), definition.type);
    }
    bound.columns.push_back(std::move(definition));
  }
  // A constraint written with a column is the table's, before those written after the columns.
  std::vector<const syntax::Constraint*> constraints;
  for (const syntax::ColumnDef& column : statement.columns) {
    for (const syntax::Constraint& constraint : column.constraints) {
      constraints.push_back(&constraint);
    }
  }
  for (const syntax::Constraint& constraint : statement.constraints) {
    constraints.push_back(&constraint);
  }
  for (const syntax::Constraint* constraint : constraints) AddKeyOf(table, *constraint);
  InScope own;
  own.qualifier = table.name;
  own.table = table.name;
  own.written = table.name;
  own.columns = table.columns;
  Scope scope;
  scope.sources.push_back(&Keep(std::move(own)));
  for (const syntax::Constraint* constraint : constraints) {
    bound.constraints.push_back(Constraint(*constraint, table, scope));
  }
}

std::unique_ptr<bound::Statement> JetBinder::CreateTable(const syntax::TableStatement& create) {
  auto result = std::make_unique<bound::CreateTable>();
  JetSchemaTable table;
  table.name = create.table.text;
  Definitions(create, table, result->definition);
  result->table = create.table.text;
  result->temporary = create.temporary;
  result->ifNotExists = create.ifNotExists;
  return result;
}

bound::Rebuild JetBinder::RebuildOf(const syntax::TableStatement& alter,
                                    const JetSchemaTable& table) {
  bound::Rebuild rebuild;
  rebuild.table = &table;
  rebuild.offset = alter.table.offset;
  for (const JetSchemaColumn& column : table.columns) {
    rebuild.copies.emplace_back(
        column.name,
        std::make_unique<bound::Column>(column.type, std::string(bound::kRows), column.name));
  }
  return rebuild;
}

// ADD [COLUMN], DROP [COLUMN], ALTER [COLUMN] and ADD CONSTRAINT of a table (never a view).
std::unique_ptr<bound::Statement> JetBinder::AlterTable(const syntax::TableStatement& alter) {
  const JetSchemaTable& table = Table(alter.table.text, alter.table.offset);
  if (table.isView) {
    throw JetError(Refusal(MessageId::UnknownTable, {alter.table.text}), alter.table.offset);
  }
  auto result = std::make_unique<bound::AlterTable>(alter.kind);
  result->table = &table;
  if (!catalogue_.ReferringTables(table.name).empty()) result->referencedTable = table.name;
  bound::Rebuild& rebuild = result->rebuild = RebuildOf(alter, table);
  if (alter.kind == StatementKind::AlterTableDrop) {
    rebuild.change = bound::Rebuild::Change::DropColumn;
    rebuild.name = ColumnOf(table, alter.dropName);
    return result;
  }
  JetSchemaTable changed = table;
  if (alter.kind == StatementKind::AlterColumn) {
    rebuild.change = bound::Rebuild::Change::AlterColumn;
    rebuild.name = ColumnOf(table, alter.columns[0].name);
    // The column's own counter is the one being changed.
    for (JetSchemaColumn& column : changed.columns) {
      if (column.name == rebuild.name) column.type.autoNumber = false;
    }
  } else {
    rebuild.change = alter.kind == StatementKind::AddConstraint
                         ? bound::Rebuild::Change::AddConstraint
                         : bound::Rebuild::Change::AddColumn;
  }
  bound::TableDefinition definition;
  Definitions(alter, changed, definition);
  if (!definition.columns.empty()) {
    rebuild.column = std::move(definition.columns[0]);
    if (alter.kind == StatementKind::AlterColumn) rebuild.column->name = rebuild.name;
  }
  rebuild.constraints = std::move(definition.constraints);
  if (alter.kind == StatementKind::AlterColumn) {
    for (auto& [name, copy] : rebuild.copies) {
      if (!SameJetName(name, rebuild.name)) continue;
      const JetTypeInfo old = copy->type;
      copy = Stored(ReadColumn(old, std::string(bound::kRows), name), nullptr, rebuild.column->type,
                    name);
    }
  }
  return result;
}

std::unique_ptr<bound::Statement> JetBinder::CreateIndex(
    const syntax::CreateIndexStatement& create) {
  using Option = syntax::CreateIndexStatement::Option;
  const JetSchemaTable& table = Table(create.table.text, create.table.offset);
  auto result = std::make_unique<bound::CreateIndex>();
  result->index = create.index.text;
  result->table = &table;
  result->unique = create.unique;
  result->option = create.option;
  result->optionOffset = create.optionOffset;
  for (const syntax::CreateIndexStatement::Column& column : create.columns) {
    result->columns.push_back({ColumnOf(table, column.name), column.descending});
  }
  result->nullRefused = Refusal(MessageId::NullNotAllowed, {table.name, result->columns[0].name});
  if (create.option != Option::Primary) return result;
  if (PrimaryKey(table) != nullptr) {
    throw JetError(Refusal(MessageId::PrimaryKeyExists), create.optionOffset);
  }
  if (!catalogue_.ReferringTables(table.name).empty()) result->referencedTable = table.name;
  // The table's key, made with the table again.
  result->rebuild.table = &table;
  result->rebuild.offset = create.optionOffset;
  result->rebuild.change = bound::Rebuild::Change::AddConstraint;
  bound::Constraint key;
  key.kind = ConstraintKind::PrimaryKey;
  key.name = create.index.text;
  for (const auto& column : result->columns) key.columns.push_back(column.name);
  result->rebuild.constraints.push_back(std::move(key));
  for (const JetSchemaColumn& column : table.columns) {
    result->rebuild.copies.emplace_back(
        column.name,
        std::make_unique<bound::Column>(column.type, std::string(bound::kRows), column.name));
  }
  return result;
}

// DROP INDEX i ON t: an index the user made, or a key made by CREATE INDEX ... WITH PRIMARY or
// a named constraint, which the table is made again without.
std::unique_ptr<bound::Statement> JetBinder::DropIndex(const syntax::DropStatement& drop) {
  auto result = std::make_unique<bound::Drop>(StatementKind::DropIndex);
  result->name = drop.name.text;
  result->ifExists = drop.ifExists;
  if (!drop.table) return result;  // the engine's DROP INDEX i
  result->ofTable = true;
  const JetSchemaTable& table = Table(drop.table->text, drop.table->offset);
  const bool constraint = HasNamedConstraint(table, drop.name.text);
  if (!HasNamedIndex(table, drop.name.text) && !constraint && !drop.ifExists) {
    throw JetError(Refusal(MessageId::UnknownIndex, {drop.name.text}), drop.name.offset);
  }
  if (!constraint) return result;
  if (!catalogue_.ReferringTables(table.name).empty()) result->referencedTable = table.name;
  bound::Rebuild rebuild;
  rebuild.table = &table;
  rebuild.offset = drop.name.offset;
  rebuild.change = bound::Rebuild::Change::DropConstraint;
  rebuild.name = drop.name.text;
  for (const JetSchemaColumn& column : table.columns) {
    rebuild.copies.emplace_back(
        column.name,
        std::make_unique<bound::Column>(column.type, std::string(bound::kRows), column.name));
  }
  result->rebuild = std::move(rebuild);
  return result;
}

// ALTER TABLE t DROP CONSTRAINT c: a constraint of the table's definition, or an index.
std::unique_ptr<bound::Statement> JetBinder::DropConstraint(const syntax::TableStatement& alter) {
  const JetSchemaTable& table = Table(alter.table.text, alter.table.offset);
  const std::string& name = alter.dropName.text;
  const bool constraint = HasNamedConstraint(table, name);
  if (!constraint && !HasNamedIndex(table, name)) {
    throw JetError(Refusal(MessageId::UnknownConstraint, {name, table.name}),
                   alter.dropName.offset);
  }
  auto result = std::make_unique<bound::Drop>(StatementKind::DropIndex);
  result->name = name;
  result->ofTable = true;
  if (!constraint) return result;
  if (!catalogue_.ReferringTables(table.name).empty()) result->referencedTable = table.name;
  bound::Rebuild rebuild = RebuildOf(alter, table);
  rebuild.change = bound::Rebuild::Change::DropConstraint;
  rebuild.name = name;
  result->rebuild = std::move(rebuild);
  return result;
}

// A table that another table's foreign key refers to cannot be dropped.
std::unique_ptr<bound::Statement> JetBinder::DropTable(const syntax::DropStatement& drop) {
  auto result = std::make_unique<bound::Drop>(StatementKind::DropTable);
  result->name = drop.name.text;
  result->ifExists = drop.ifExists;
  const JetSchemaTable* table = catalogue_.FindTable(drop.name.text);
  if (table == nullptr) {
    if (drop.ifExists) return result;
    throw JetError(Refusal(MessageId::UnknownTable, {drop.name.text})
                       .WithHint(MisspeltTableHint(drop.name.text, catalogue_)),
                   drop.name.offset);
  }
  const std::vector<std::string> referring = catalogue_.ReferringTables(table->name);
  if (!referring.empty()) {
    msg::Diagnostic refusal = Refusal(MessageId::TableInRelationship, {table->name});
    refusal.names = referring;
    throw JetError(std::move(refusal), drop.name.offset);
  }
  result->table = table->name;
  result->forgetsCounter = !table->counterColumn.empty();
  return result;
}

}  // namespace tarnwick
