// CREATE TABLE, ALTER TABLE, CREATE INDEX, CREATE VIEW and DROP in the engine's SQL. Each
// column keeps its Jet type name as the first word of its declared type, so that the file
// reports its kinds to us and to any tool, followed where needed by the word that gives it
// the storage its Jet type promises ("MEMO TEXT", "LONG INT"). Text columns compare without
// regard to case (NOCASE) and YESNO columns are False unless given a value. Keys, unique
// constraints, relationships and checks are written after the columns, each with its name,
// so that a later change of the table finds them. A COUNTER column is numbered by triggers of
// the program's own: it may stand beside any key, start and step where it is told, and
// holds the same number twice unless a key or unique index says otherwise.
#include <algorithm>

#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetSqlText.h"
#include "jet/JetSqlWriter.h"
#include "jet/JetTableDefinition.h"
#include "jet/JetTypeNames.h"
#include "jet/JetViewTypes.h"

namespace tarnwick {

namespace {

using ConstraintKind = JetTableConstraint::Kind;

std::string NameList(const std::vector<std::string>& names) {
  std::string text = "(";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += ", ";
    text += EngineName(names[i]);
  }
  return text + ")";
}

JetTypeInfo TypeOf(const JetColumnDef& column) {
  return JetTypeInfoOf(column.typeName, column.size.value_or(0), column.scale.value_or(0));
}

// The declared type with its storage word and size: "STRING TEXT(50)", "DOUBLE", "COUNTER INT".
std::string DeclaredType(const JetColumnDef& column) {
  if (IsAutoNumberType(column.typeName)) return "COUNTER INT";
  std::string type = column.typeName;
  const std::string_view word = AffinityWordFor(column.typeName);
  if (!word.empty()) type += " " + std::string(word);
  if (column.size) {
    type += "(" + std::to_string(*column.size);
    if (column.scale) type += "," + std::to_string(*column.scale);
    type += ")";
  }
  return type;
}

const JetTableConstraint* PrimaryKeyOf(const std::vector<JetTableConstraint>& constraints) {
  const auto found = std::find_if(constraints.begin(), constraints.end(),
                                  [](const JetTableConstraint& constraint) {
                                    return constraint.kind == ConstraintKind::PrimaryKey;
                                  });
  return found == constraints.end() ? nullptr : &*found;
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
std::string JetSqlWriter::ColumnDefinition(const JetColumnDef& column, int key) {
  std::string type = DeclaredType(column);
  if (key == 2 && type == "INTEGER") type = "INT";
  std::string text = EngineName(column.name) + " " + type;
  const JetTypeInfo jetType = TypeOf(column);
  if (column.notNull || (key > 0 && !jetType.autoNumber)) text += " NOT NULL";
  if (column.defaultValue) {
    // Converted as any value stored into the column, when a row takes it.
    text += " DEFAULT (" + Stored(*column.defaultValue, jetType) + ")";
  } else if (jetType.type == JetType::Boolean) {
    text += " DEFAULT 0";
  }
  if (IsTextType(jetType.type)) text += " COLLATE NOCASE";
  return text;
}

std::string JetSqlWriter::TableConstraint(const JetTableConstraint& constraint) {
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
      return text + "FOREIGN KEY " + NameList(constraint.columns) + " REFERENCES " +
             EngineName(constraint.referencesTable) + " " + NameList(constraint.referencesColumns) +
             constraint.referenceActions;
    case ConstraintKind::Check:
      break;
  }
  unqualifiedColumns_ = true;
  text += "CHECK (" + Condition(*constraint.check) + ")";
  unqualifiedColumns_ = false;
  return text;
}

// The counter's next number and step, and the triggers that number a new row whose counter
// is left NULL and move the counter past a number given by hand. `keep`: a counter the table
// has already goes on where it was.
void JetSqlWriter::CounterSteps(const std::string& table, const JetColumnDef& column,
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
std::string JetSqlWriter::CreateTableSql(const JetStatement& statement, bool keepCounter,
                                         std::vector<std::string> items) {
  const JetTableConstraint* key = PrimaryKeyOf(statement.constraints);
  const JetColumnDef* counter = nullptr;
  for (const JetColumnDef& column : statement.columnDefs) {
    const bool inKey = key != nullptr && Names(key->columns, column.name);
    const int role = !inKey ? 0 : key->columns.size() == 1 ? 2 : 1;
    items.push_back(ColumnDefinition(column, role));
    if (TypeOf(column).autoNumber) counter = &column;
  }
  for (const JetTableConstraint& constraint : statement.constraints) {
    items.push_back(TableConstraint(constraint));
  }
  const bool temporary = statement.temporary || statement.target.temporary;
  std::string text = temporary ? "CREATE TEMP TABLE " : "CREATE TABLE ";
  if (statement.ifNotExists) text += "IF NOT EXISTS ";
  text += EngineName(statement.target.name) + " (";
  for (std::size_t i = 0; i < items.size(); ++i) text += (i > 0 ? ", " : "") + items[i];
  text += ")";
  if (counter == nullptr) return text;
  Step(text);
  CounterSteps(statement.target.name, *counter, temporary, keepCounter);
  JetEngineStep last = std::move(steps_.back());
  steps_.pop_back();
  return last.sql;
}

std::string JetSqlWriter::CreateTable(const JetStatement& statement) {
  return CreateTableSql(statement, false, {});
}

// ADD COLUMN, DROP COLUMN, ALTER COLUMN and ADD CONSTRAINT: the engine's own ALTER TABLE where
// it can make the change (a column without constraints added, a plain column dropped, a unique
// index), else the table made again.
std::string JetSqlWriter::AlterTable(const JetStatement& statement) {
  const JetSchemaTable& table = statement.target;
  const std::string name = EngineName(table.name);
  switch (statement.kind) {
    case JetStatementKind::AlterTableDrop:
      if (statement.dropName != table.counterColumn) {
        return "ALTER TABLE " + name + " DROP COLUMN " + EngineName(statement.dropName);
      }
      break;
    case JetStatementKind::AlterTableAdd: {
      const JetColumnDef& column = statement.columnDefs[0];
      if (statement.constraints.empty() && !column.notNull && !TypeOf(column).autoNumber) {
        return "ALTER TABLE " + name + " ADD COLUMN " + ColumnDefinition(column, 0);
      }
      break;
    }
    case JetStatementKind::AddConstraint: {
      const JetTableConstraint& constraint = statement.constraints[0];
      if (constraint.kind == ConstraintKind::Unique) {
        std::string index = constraint.name;
        for (const std::string& column : constraint.columns) {
          if (constraint.name.empty()) index += (index.empty() ? table.name : "") + "_" + column;
        }
        return "CREATE UNIQUE INDEX " + EngineName(index) + " ON " + name + " " +
               NameList(constraint.columns);
      }
      break;
    }
    default:
      break;
  }
  return Rebuild(statement);
}

std::string JetSqlWriter::CreateIndex(const JetStatement& statement) {
  const std::string table = EngineName(statement.target.name);
  std::vector<std::string> columns;
  for (const JetIndexColumn& column : statement.indexColumns) columns.push_back(column.name);
  if (statement.indexOption == JetIndexOption::Primary) {
    // The table's key, made with the table again.
    JetStatement key;
    key.kind = JetStatementKind::AddConstraint;
    key.target = statement.target;
    key.referenced = statement.referenced;
    key.constraints.push_back(
        {ConstraintKind::PrimaryKey, statement.table, columns, {}, {}, {}, {}});
    return Rebuild(key);
  }
  std::string text = statement.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
  text += EngineName(statement.table) + " ON " + table + " (";
  std::string newWithout;  // NEW.a IS NULL OR NEW.b IS NULL
  std::string without;     // a IS NULL OR b IS NULL
  std::string with;        // a IS NOT NULL AND b IS NOT NULL
  for (std::size_t i = 0; i < statement.indexColumns.size(); ++i) {
    const JetIndexColumn& column = statement.indexColumns[i];
    const std::string name = EngineName(column.name);
    text += (i > 0 ? ", " : "") + name + (column.descending ? " DESC" : "");
    newWithout += (i > 0 ? " OR NEW." : "NEW.") + name + " IS NULL";
    without += (i > 0 ? " OR " : "") + name + " IS NULL";
    with += (i > 0 ? " AND " : "") + name + " IS NOT NULL";
  }
  text += ")";
  if (statement.indexOption == JetIndexOption::IgnoreNull) return text + " WHERE " + with;
  if (statement.indexOption != JetIndexOption::DisallowNull) return text;
  // Rows without a value in the index's columns are refused, those there and those to come.
  const std::string message = jet_message::IndexDisallowsNull(statement.target.name, columns[0]);
  Step("SELECT 1 FROM " + table + " WHERE " + without + " LIMIT 1", message);
  for (std::string_view when : {"INSERT", "UPDATE"}) {
    Step("CREATE TRIGGER " + DisallowNullTrigger(statement.table, when) + " BEFORE " +
         std::string(when) + " ON " + table + " FOR EACH ROW WHEN " + newWithout +
         " BEGIN SELECT RAISE(ABORT, " + EngineText(message) + "); END");
  }
  return text;
}

// DROP INDEX i ON t: an index, or a key or constraint of the table's own definition.
std::string JetSqlWriter::DropIndex(const JetStatement& statement) {
  if (statement.indexTable.empty()) return Drop(statement, "INDEX");
  return DropConstraint(statement, statement.table);
}

std::string JetSqlWriter::DropConstraint(const JetStatement& statement, const std::string& name) {
  const std::optional<JetTableDefinition> definition =
      SplitTableDefinition(statement.target.definition);
  if (definition && FindDefinitionItem(*definition, name, false) != nullptr) {
    JetStatement change;
    change.kind = JetStatementKind::DropConstraint;
    change.target = statement.target;
    change.referenced = statement.referenced;
    change.dropName = name;
    return Rebuild(change);
  }
  for (std::string_view when : {"INSERT", "UPDATE"}) {
    Step("DROP TRIGGER IF EXISTS " + DisallowNullTrigger(name, when));
  }
  return "DROP INDEX " + std::string(statement.ifNotExists ? "IF EXISTS " : "") + EngineName(name);
}

// A table that numbers a counter leaves its counter behind with it.
std::string JetSqlWriter::DropTable(const JetStatement& statement) {
  if (!statement.target.counterColumn.empty()) {
    Step("DELETE FROM " + EngineName(kCountersTable) +
         " WHERE \"table\" = " + EngineText(statement.target.name));
  }
  return Drop(statement, "TABLE");
}

std::string JetSqlWriter::CreateView(const JetStatement& statement) {
  std::vector<JetTypeInfo> types;
  for (const JetResultColumn& column : statement.query->columns) types.push_back(column.type);
  return "CREATE VIEW " + EngineName(statement.table) + " " + JetViewTypeNote(types) + " AS " +
         Query(*statement.query);
}

std::string JetSqlWriter::Drop(const JetStatement& statement, std::string_view what) {
  std::string text = "DROP " + std::string(what) + " ";
  if (statement.ifNotExists) text += "IF EXISTS ";
  return text + EngineName(statement.table);
}

}  // namespace tarnwick
