// CREATE TABLE, ALTER TABLE, CREATE INDEX, CREATE VIEW and DROP in the engine's SQL. Each
// column keeps its Jet type name as the first word of its declared type, so that the file
// reports its kinds to us and to any tool, followed where needed by the word that gives it
// the storage its Jet type promises ("MEMO TEXT", "LONG INT"). Text columns compare without
// regard to case (NOCASE) and YESNO columns are False unless given a value.
#include <algorithm>

#include "jet/JetLexer.h"
#include "jet/JetSqlText.h"
#include "jet/JetSqlWriter.h"
#include "jet/JetTypeNames.h"
#include "jet/JetViewTypes.h"

namespace tarnwick {

namespace {

std::string NameList(const std::vector<std::string>& names) {
  std::string text = "(";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += ", ";
    text += EngineName(names[i]);
  }
  return text + ")";
}

// The declared type with its storage word and size: "STRING TEXT(50)", "DOUBLE".
std::string DeclaredType(const JetColumnDef& column) {
  if (column.typeName.empty()) return {};
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

JetTypeInfo TypeOf(const JetColumnDef& column) {
  return JetTypeInfoOf(column.typeName, column.size.value_or(0), column.scale.value_or(0));
}

// The keys of a CREATE TABLE: which columns hold them, and which column the engine numbers.
class TableKeys {
 public:
  explicit TableKeys(const JetStatement& statement) {
    for (const JetColumnDef& column : statement.columnDefs) columnKeys_ += column.primaryKey;
    for (const JetTableConstraint& constraint : statement.constraints) {
      if (constraint.kind == JetTableConstraint::Kind::PrimaryKey) tableKey_ = &constraint;
    }
    hasKey_ = tableKey_ != nullptr || columnKeys_ > 0;
  }

  bool InTableKey(const JetColumnDef& column) const {
    return tableKey_ != nullptr &&
           std::any_of(tableKey_->columns.begin(), tableKey_->columns.end(),
                       [&](const std::string& name) { return SameJetName(name, column.name); });
  }
  // The table constraint PRIMARY KEY names this column alone.
  bool IsTheTableKey(const JetColumnDef& column) const {
    return columnKeys_ == 0 && tableKey_ != nullptr && tableKey_->columns.size() == 1 &&
           InTableKey(column);
  }
  bool IsSoleKeyColumn(const JetColumnDef& column) const {
    return (column.primaryKey && columnKeys_ == 1 && tableKey_ == nullptr) || IsTheTableKey(column);
  }
  bool IsKeyColumn(const JetColumnDef& column) const {
    return column.primaryKey || InTableKey(column);
  }

  // COUNTER: the engine numbers rows only through an INTEGER PRIMARY KEY with AUTOINCREMENT,
  // so the column becomes one where the table's key allows it; beside another key it stays a
  // plain INTEGER. Gives the type and constraints to write and whether the column is numbered.
  bool AutoNumber(const JetColumnDef& column, std::string& constraints) {
    if (column.primaryKey) {
      // PRIMARY KEY DESC is not the row number; AUTOINCREMENT would be refused there.
      constraints = column.descendingKey ? " PRIMARY KEY DESC" : " PRIMARY KEY AUTOINCREMENT";
      return !column.descendingKey;
    }
    if (!hasKey_) {
      hasKey_ = true;
      constraints = " PRIMARY KEY AUTOINCREMENT";
      return true;
    }
    if (IsTheTableKey(column)) {
      numberedTableKey_ = true;
      return true;
    }
    return false;
  }
  bool NumberedTableKey() const { return numberedTableKey_; }

 private:
  const JetTableConstraint* tableKey_ = nullptr;
  int columnKeys_ = 0;
  bool hasKey_ = false;
  bool numberedTableKey_ = false;
};

}  // namespace

std::string JetSqlWriter::ColumnDefinition(const JetColumnDef& column, std::string type,
                                           const std::string& constraints) {
  std::string text = EngineName(column.name);
  if (!type.empty()) text += " " + type;
  text += constraints;
  if (column.unique) text += " UNIQUE";
  const JetTypeInfo jetType = TypeOf(column);
  if (column.defaultValue) {
    // Converted as any value stored into the column, when a row takes it.
    text += " DEFAULT (" + Stored(*column.defaultValue, jetType) + ")";
  } else if (jetType.type == JetType::Boolean) {
    text += " DEFAULT 0";
  }
  if (column.check) {
    unqualifiedColumns_ = true;
    text += " CHECK (" + Condition(*column.check) + ")";
    unqualifiedColumns_ = false;
  }
  if (!column.referencesTable.empty()) {
    text += " REFERENCES " + EngineName(column.referencesTable);
    if (!column.referencesColumns.empty()) text += " " + NameList(column.referencesColumns);
    text += column.referenceActions;
  }
  if (IsTextType(jetType.type)) text += " COLLATE NOCASE";
  return text;
}

std::string JetSqlWriter::TableConstraint(const JetTableConstraint& constraint,
                                          bool autoIncrementKey) {
  std::string text;
  if (!constraint.name.empty()) text += "CONSTRAINT " + EngineName(constraint.name) + " ";
  switch (constraint.kind) {
    case JetTableConstraint::Kind::PrimaryKey:
      text += "PRIMARY KEY " + NameList(constraint.columns);
      if (autoIncrementKey) text.insert(text.size() - 1, " AUTOINCREMENT");
      return text;
    case JetTableConstraint::Kind::Unique:
      return text + "UNIQUE " + NameList(constraint.columns);
    case JetTableConstraint::Kind::ForeignKey:
      text += "FOREIGN KEY " + NameList(constraint.columns) + " REFERENCES " +
              EngineName(constraint.referencesTable);
      if (!constraint.referencesColumns.empty()) {
        text += " " + NameList(constraint.referencesColumns);
      }
      return text + constraint.referenceActions;
    case JetTableConstraint::Kind::Check:
      break;
  }
  unqualifiedColumns_ = true;
  text += "CHECK (" + Condition(*constraint.check) + ")";
  unqualifiedColumns_ = false;
  return text;
}

std::string JetSqlWriter::CreateTable(const JetStatement& statement) {
  std::string text = statement.temporary ? "CREATE TEMP TABLE " : "CREATE TABLE ";
  if (statement.ifNotExists) text += "IF NOT EXISTS ";
  text += EngineName(statement.table) + " (";
  TableKeys keys(statement);
  for (std::size_t i = 0; i < statement.columnDefs.size(); ++i) {
    const JetColumnDef& column = statement.columnDefs[i];
    std::string type = DeclaredType(column);
    std::string constraints;
    bool numbered = column.autoIncrementWritten;
    if (IsAutoNumberType(column.typeName)) {
      type = "INTEGER";
      numbered = keys.AutoNumber(column, constraints);
    } else {
      if (column.primaryKey) {
        constraints = column.descendingKey ? " PRIMARY KEY DESC" : " PRIMARY KEY";
        if (column.autoIncrementWritten) constraints += " AUTOINCREMENT";
      }
      // Declared exactly INTEGER, the sole key would become the row number, which turns an
      // inserted NULL into a new number instead of refusing it; INT stores the same.
      if (type == "INTEGER" && keys.IsSoleKeyColumn(column) && !numbered) type = "INT";
    }
    if (keys.IsKeyColumn(column) && !column.notNull && !numbered) constraints += " NOT NULL";
    if (column.notNull) constraints += " NOT NULL";
    if (i > 0) text += ", ";
    text += ColumnDefinition(column, type, constraints);
  }
  for (const JetTableConstraint& constraint : statement.constraints) {
    text += ", " +
            TableConstraint(constraint, constraint.kind == JetTableConstraint::Kind::PrimaryKey &&
                                            keys.NumberedTableKey());
  }
  return text + ")";
}

// An added column cannot become the table's key, so COUNTER there is a plain INTEGER that the
// engine does not number.
std::string JetSqlWriter::AlterTableAdd(const JetStatement& statement) {
  const JetColumnDef& column = statement.columnDefs[0];
  const std::string type = IsAutoNumberType(column.typeName) ? "INTEGER" : DeclaredType(column);
  return "ALTER TABLE " + EngineName(statement.target.name) + " ADD COLUMN " +
         ColumnDefinition(column, type, column.notNull ? " NOT NULL" : "");
}

std::string JetSqlWriter::CreateIndex(const JetStatement& statement) {
  std::string text = statement.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
  text += EngineName(statement.table) + " ON " + EngineName(statement.target.name) + " (";
  for (std::size_t i = 0; i < statement.indexColumns.size(); ++i) {
    if (i > 0) text += ", ";
    text += EngineName(statement.indexColumns[i].name);
    if (statement.indexColumns[i].descending) text += " DESC";
  }
  return text + ")";
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
