// CREATE TABLE, ALTER TABLE, CREATE INDEX, CREATE VIEW and DROP in the engine's SQL. Each
// column keeps its Jet type name as the first word of its declared type, so that the file
// reports its kinds to us and to any tool, followed where needed by the word that gives it
// the storage its Jet type promises ("MEMO TEXT", "LONG INT"). Keys, unique constraints,
// relationships and checks are written after the columns, each with its name, so that a later
// change of the table finds them. A COUNTER column is numbered by triggers of the program's
// own: it may stand beside any key, start and step where it is told, and holds the same
// number twice unless a key or unique index says otherwise.
#include <algorithm>

#include "jet/JetLexer.h"
#include "jet/JetSqlText.h"
#include "jet/JetSqlWriter.h"
#include "jet/JetViewTypes.h"
#include "jetlib/JetTypeNames.h"

namespace tarnwick {

namespace {

using ConstraintKind = syntax::Constraint::Kind;

std::string NameList(const std::vector<std::string>& names) {
  std::string text = "(";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += ", ";
    text += EngineName(names[i]);
  }
  return text + ")";
}

// The declared type with its storage word and size: "STRING TEXT(50)", "DOUBLE", "COUNTER INT".
std::string DeclaredType(const bound::ColumnDef& column) {
  if (!column.word) return {};
  if (IsAutoNumberType(*column.word)) return "COUNTER INT";
  std::string type(JetTypeWordText(*column.word));
  const std::string_view word = AffinityWordFor(*column.word);
  if (!word.empty()) type += " " + std::string(word);
  if (column.size) {
    type += "(" + std::to_string(*column.size);
    if (column.scale) type += "," + std::to_string(*column.scale);
    type += ")";
  }
  return type;
}

// How each action of a reference is written, in the order of ReferenceAction::Does.
constexpr std::string_view kActionTexts[] = {"CASCADE", "RESTRICT", "NO ACTION", "SET NULL",
                                             "SET DEFAULT"};

std::string_view ActionText(const syntax::ReferenceAction& action) {
  return kActionTexts[static_cast<std::size_t>(action.does)];
}

bool Names(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [&](const std::string& other) { return SameJetName(other, name); });
}

// The triggers of a WITH DISALLOW NULL index.
std::string DisallowNullTrigger(std::string_view index, std::string_view when) {
  return EngineName("__tarnwick_index_" + std::string(index) + "_" + std::string(when));
}

}  // namespace

// `key`: 0 outside the primary key, 1 in it, 2 its only column. A key's columns hold no NULL
// (a counter gets its number only once its row is in); declared exactly INTEGER, the only key
// column would become the engine's row number, which turns an inserted NULL into a new number
// instead of refusing it, so it is written INT, which stores the same.
std::string JetSqlWriter::ColumnDefinition(const bound::ColumnDef& column, int key) {
  std::string type = DeclaredType(column);
  if (key == 2 && type == "INTEGER") type = "INT";
  std::string text = EngineName(column.name) + " " + type;
  if (column.notNull || (key > 0 && !column.type.autoNumber)) text += " NOT NULL";
  if (column.defaultValue) {
    text += " DEFAULT (" + Value(*column.defaultValue) + ")";
  } else if (column.falseByDefault) {
    text += " DEFAULT 0";
  }
  if (column.ignoringCase) text += " COLLATE NOCASE";
  return text;
}

std::string JetSqlWriter::TableConstraint(const bound::Constraint& constraint) {
  std::string text;
  if (!constraint.name.empty()) text += "CONSTRAINT " + EngineName(constraint.name) + " ";
  switch (constraint.kind) {
    case ConstraintKind::PrimaryKey:
      text += "PRIMARY KEY " + NameList(constraint.columns);
      if (constraint.descending) text.insert(text.size() - 1, " DESC");
      return text;
    case ConstraintKind::Unique:
      return text + "UNIQUE " + NameList(constraint.columns);
    case ConstraintKind::ForeignKey:
      text += "FOREIGN KEY " + NameList(constraint.columns) + " REFERENCES " +
              EngineName(constraint.referencesTable) + " " + NameList(constraint.referencesColumns);
      for (const syntax::ReferenceAction& action : constraint.actions) {
        text += action.on == syntax::ReferenceAction::On::Update ? " ON UPDATE " : " ON DELETE ";
        text += ActionText(action);
      }
      return text;
    case ConstraintKind::Check:
      break;
  }
  return text + "CHECK (" + Condition(*constraint.check) + ")";
}

// The counter's next number and step, and the triggers that number a new row whose counter
// is left NULL and move the counter past a number given by hand. `keep`: a counter the table
// has already goes on where it was.
void JetSqlWriter::CounterSteps(const std::string& table, const bound::ColumnDef& column,
                                bool temporary, bool keep) {
  const std::string name = EngineText(table);
  const std::string counter = EngineName(column.name);
  const std::string counters = EngineName(kCountersTable);
  Step(std::string(kCreateCountersTable));
  Step(std::string(keep ? "INSERT OR IGNORE" : "INSERT OR REPLACE") + " INTO " + counters +
       " VALUES (" + name + ", " + std::to_string(column.size.value_or(1)) + ", " +
       std::to_string(column.scale.value_or(1)) + ")");
  const std::string trigger = std::string(temporary ? "CREATE TEMP TRIGGER " : "CREATE TRIGGER ") +
                              EngineName(std::string(kCounterTriggerPrefix) + table);
  const std::string on =
      " AFTER INSERT ON " + EngineName(table) + " FOR EACH ROW WHEN NEW." + counter;
  const std::string ofTable = " WHERE \"table\" = " + name;
  Step(trigger + on + " IS NULL BEGIN UPDATE " + EngineName(table) + " SET " + counter +
       " = (SELECT \"next\" FROM " + counters + ofTable + ") WHERE rowid = NEW.rowid; UPDATE " +
       counters + " SET \"next\" = \"next\" + \"step\"" + ofTable + "; END");
  Step(trigger.substr(0, trigger.size() - 1) + "_given\"" + on + " IS NOT NULL BEGIN UPDATE " +
       counters + " SET \"next\" = NEW." + counter + " + \"step\"" + ofTable +
       " AND ((\"step\" > 0 AND \"next\" <= NEW." + counter +
       ") OR (\"step\" < 0 AND \"next\" >= NEW." + counter + ")); END");
}

// The columns, then the constraints; the counter's steps follow the table.
std::string JetSqlWriter::CreateTable(const bound::CreateTable& create) {
  const std::vector<bound::Constraint>& constraints = create.definition.constraints;
  const auto key = std::find_if(
      constraints.begin(), constraints.end(),
      [](const bound::Constraint& each) { return each.kind == ConstraintKind::PrimaryKey; });
  std::vector<std::string> items;
  const bound::ColumnDef* counter = nullptr;
  for (const bound::ColumnDef& column : create.definition.columns) {
    const bool inKey = key != constraints.end() && Names(key->columns, column.name);
    items.push_back(ColumnDefinition(column, !inKey ? 0 : key->columns.size() == 1 ? 2 : 1));
    if (column.type.autoNumber) counter = &column;
  }
  for (const bound::Constraint& constraint : constraints) {
    items.push_back(TableConstraint(constraint));
  }
  std::string text = create.temporary ? "CREATE TEMP TABLE " : "CREATE TABLE ";
  if (create.ifNotExists) text += "IF NOT EXISTS ";
  text += EngineName(create.table) + " (";
  for (std::size_t i = 0; i < items.size(); ++i) text += (i > 0 ? ", " : "") + items[i];
  text += ")";
  if (counter == nullptr) return text;
  Step(text);
  CounterSteps(create.table, *counter, create.temporary, false);
  JetEngineStep last = std::move(steps_.back());
  steps_.pop_back();
  return last.sql;
}

// ADD COLUMN, DROP COLUMN and ADD CONSTRAINT: the engine's own ALTER TABLE where it can make
// the change (a column without constraints added, a plain column dropped, a unique index),
// else the table made again.
std::string JetSqlWriter::AlterTable(const bound::AlterTable& alter) {
  using Change = bound::Rebuild::Change;
  const bound::Rebuild& rebuild = alter.rebuild;
  const JetSchemaTable& table = *alter.table;
  const std::string name = EngineName(table.name);
  if (rebuild.change == Change::DropColumn && rebuild.name != table.counterColumn) {
    return "ALTER TABLE " + name + " DROP COLUMN " + EngineName(rebuild.name);
  }
  if (rebuild.change == Change::AddColumn && rebuild.constraints.empty() &&
      !rebuild.column->notNull && !rebuild.column->type.autoNumber) {
    return "ALTER TABLE " + name + " ADD COLUMN " + ColumnDefinition(*rebuild.column, 0);
  }
  if (rebuild.change == Change::AddConstraint &&
      rebuild.constraints[0].kind == ConstraintKind::Unique) {
    const bound::Constraint& constraint = rebuild.constraints[0];
    std::string index = constraint.name;
    for (const std::string& column : constraint.columns) {
      if (constraint.name.empty()) index += (index.empty() ? table.name : "") + "_" + column;
    }
    return "CREATE UNIQUE INDEX " + EngineName(index) + " ON " + name + " " +
           NameList(constraint.columns);
  }
  return Rebuild(rebuild);
}

std::string JetSqlWriter::CreateIndex(const bound::CreateIndex& create) {
  using Option = syntax::CreateIndexStatement::Option;
  if (create.option == Option::Primary) return Rebuild(create.rebuild);
  const std::string table = EngineName(create.table->name);
  std::string text = create.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
  text += EngineName(create.index) + " ON " + table + " (";
  std::string newWithout;  // NEW.a IS NULL OR NEW.b IS NULL
  std::string without;     // a IS NULL OR b IS NULL
  std::string with;        // a IS NOT NULL AND b IS NOT NULL
  for (std::size_t i = 0; i < create.columns.size(); ++i) {
    const std::string name = EngineName(create.columns[i].name);
    text += (i > 0 ? ", " : "") + name + (create.columns[i].descending ? " DESC" : "");
    newWithout += (i > 0 ? " OR NEW." : "NEW.") + name + " IS NULL";
    without += (i > 0 ? " OR " : "") + name + " IS NULL";
    with += (i > 0 ? " AND " : "") + name + " IS NOT NULL";
  }
  text += ")";
  if (create.option == Option::IgnoreNull) return text + " WHERE " + with;
  if (create.option != Option::DisallowNull) return text;
  // Rows without a value in the index's columns are refused, those there and those to come.
  const std::string message = msg::Render(create.nullRefused).Utf8();
  Step("SELECT 1 FROM " + table + " WHERE " + without + " LIMIT 1", create.nullRefused,
       create.optionOffset);
  for (std::string_view when : {"INSERT", "UPDATE"}) {
    Step("CREATE TRIGGER " + DisallowNullTrigger(create.index, when) + " BEFORE " +
         std::string(when) + " ON " + table + " FOR EACH ROW WHEN " + newWithout +
         " BEGIN SELECT RAISE(ABORT, " + EngineText(message) + "); END");
  }
  return text;
}

// DROP TABLE and DROP VIEW. A table that numbers a counter leaves its counter behind with it.
std::string JetSqlWriter::Drop(const bound::Drop& drop) {
  const bool table = drop.kind == syntax::StatementKind::DropTable;
  if (drop.forgetsCounter) {
    Step("DELETE FROM " + EngineName(kCountersTable) +
         " WHERE \"table\" = " + EngineText(drop.table));
  }
  return std::string(table ? "DROP TABLE " : "DROP VIEW ") + (drop.ifExists ? "IF EXISTS " : "") +
         EngineName(drop.name);
}

// DROP INDEX i [ON t], ALTER TABLE t DROP CONSTRAINT c: an index, or a key or constraint of the
// table's own definition.
std::string JetSqlWriter::DropIndex(const bound::Drop& drop) {
  if (drop.rebuild) return Rebuild(*drop.rebuild);
  if (drop.ofTable) {
    for (std::string_view when : {"INSERT", "UPDATE"}) {
      Step("DROP TRIGGER IF EXISTS " + DisallowNullTrigger(drop.name, when));
    }
  }
  return "DROP INDEX " + std::string(drop.ifExists ? "IF EXISTS " : "") + EngineName(drop.name);
}

std::string JetSqlWriter::CreateView(const bound::QueryStatement& view) {
  std::vector<JetTypeInfo> types;
  for (const bound::ResultColumn& column : view.query->columns) types.push_back(column.type);
  return "CREATE VIEW " + EngineName(view.view) + " " + JetViewTypeNote(types) + " AS " +
         Query(*view.query);
}

}  // namespace tarnwick
