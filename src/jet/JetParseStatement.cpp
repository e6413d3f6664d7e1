// INSERT, UPDATE, DELETE and the definitions: CREATE/DROP/ALTER TABLE, CREATE/DROP INDEX,
// CREATE/DROP VIEW. Other CREATE, DROP and ALTER forms are left to the engine.
#include <cctype>

#include "jet/JetParserCore.h"

namespace tarnwick {

namespace {

// Words that end a column's type and begin one of its constraints.
constexpr std::string_view kConstraintWords[] = {"NOT",     "NULL",  "PRIMARY",    "UNIQUE",
                                                 "DEFAULT", "CHECK", "CONSTRAINT", "REFERENCES"};

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

}  // namespace

std::vector<std::string> JetParser::NameList() {
  std::vector<std::string> names;
  ExpectPunct("(");
  do {
    names.push_back(ExpectName());
  } while (AcceptPunct(","));
  ExpectPunct(")");
  return names;
}

// INSERT INTO t [(columns)] VALUES (...)[, (...)] | INSERT INTO t [(columns)] SELECT ...
void JetParser::Insert(JetStatement& statement) {
  statement.kind = JetStatementKind::Insert;
  ExpectKeyword("INTO");
  statement.table = ExpectName();
  if (PeekPunct("(") && !PeekQuery()) {
    Advance();
    do {
      statement.columns.push_back(ExpectColumnName());
    } while (AcceptPunct(","));
    ExpectPunct(")");
  }
  if (PeekQuery()) {
    statement.query = Query();
    return;
  }
  ExpectKeyword("VALUES");
  do {
    ExpectPunct("(");
    std::vector<JetExprPtr>& row = statement.rows.emplace_back();
    do {
      row.push_back(Expression());
    } while (AcceptPunct(","));
    ExpectPunct(")");
  } while (AcceptPunct(","));
}

// UPDATE t SET c = value, ... [WHERE condition]
void JetParser::Update(JetStatement& statement) {
  statement.kind = JetStatementKind::Update;
  statement.table = ExpectName();
  ExpectKeyword("SET");
  do {
    std::string column = ExpectColumnName();
    ExpectPunct("=");
    statement.assignments.emplace_back(std::move(column), Expression());
  } while (AcceptPunct(","));
  if (AcceptKeyword("WHERE")) statement.where = Expression();
}

// DELETE FROM t [WHERE condition]
void JetParser::Delete(JetStatement& statement) {
  statement.kind = JetStatementKind::Delete;
  ExpectKeyword("FROM");
  statement.table = ExpectName();
  if (AcceptKeyword("WHERE")) statement.where = Expression();
}

void JetParser::Create(JetStatement& statement) {
  if (PeekKeyword("TABLE") || PeekKeyword("TEMP") || PeekKeyword("TEMPORARY")) {
    CreateTable(statement);
  } else if (PeekKeyword("INDEX") || PeekKeyword("UNIQUE")) {
    CreateIndex(statement);
  } else if (PeekKeyword("VIEW")) {
    CreateView(statement);
  }
}

// CREATE [TEMP] TABLE [IF NOT EXISTS] t (column, ..., [constraint, ...])
void JetParser::CreateTable(JetStatement& statement) {
  statement.kind = JetStatementKind::CreateTable;
  statement.temporary = AcceptKeyword("TEMP") || AcceptKeyword("TEMPORARY");
  ExpectKeyword("TABLE");
  if (AcceptKeyword("IF")) {
    ExpectKeyword("NOT");
    ExpectKeyword("EXISTS");
    statement.ifNotExists = true;
  }
  statement.table = ExpectName();
  ExpectPunct("(");
  do {
    if (PeekTableConstraint()) {
      statement.constraints.push_back(TableConstraint());
    } else {
      statement.columnDefs.push_back(ColumnDefinition());
    }
  } while (AcceptPunct(","));
  ExpectPunct(")");
}

bool JetParser::PeekTableConstraint() const {
  return PeekKeyword("CONSTRAINT") || PeekKeyword("PRIMARY") || PeekKeyword("UNIQUE") ||
         PeekKeyword("FOREIGN") || PeekKeyword("CHECK");
}

JetTableConstraint JetParser::TableConstraint() {
  JetTableConstraint constraint{JetTableConstraint::Kind::PrimaryKey, {}, {}, {}, {}, {}, {}};
  if (AcceptKeyword("CONSTRAINT")) constraint.name = ExpectName();
  if (AcceptKeyword("PRIMARY")) {
    ExpectKeyword("KEY");
    constraint.columns = NameList();
  } else if (AcceptKeyword("UNIQUE")) {
    constraint.kind = JetTableConstraint::Kind::Unique;
    constraint.columns = NameList();
  } else if (AcceptKeyword("FOREIGN")) {
    constraint.kind = JetTableConstraint::Kind::ForeignKey;
    ExpectKeyword("KEY");
    constraint.columns = NameList();
    ExpectKeyword("REFERENCES");
    constraint.referencesTable = ExpectName();
    if (PeekPunct("(")) constraint.referencesColumns = NameList();
    constraint.referenceActions = ReferenceActions();
  } else {
    constraint.kind = JetTableConstraint::Kind::Check;
    ExpectKeyword("CHECK");
    ExpectPunct("(");
    constraint.check = Expression();
    ExpectPunct(")");
  }
  return constraint;
}

// name [type words [(size[, scale])]] [constraints]
JetColumnDef JetParser::ColumnDefinition() {
  JetColumnDef column;
  column.offset = Offset();
  column.name = ExpectName();
  while (Peek().kind == JetTokenKind::Word) {
    bool constraintWord = false;
    for (std::string_view word : kConstraintWords) constraintWord |= PeekKeyword(word);
    if (constraintWord) break;
    if (!column.typeName.empty()) column.typeName += ' ';
    column.typeName += UpperAscii(Peek().text);
    Advance();
  }
  if (!column.typeName.empty() && AcceptPunct("(")) {
    column.size = ExpectCount();
    if (AcceptPunct(",")) column.scale = ExpectCount();
    ExpectPunct(")");
  }
  while (!PeekPunct(",") && !PeekPunct(")") && !AtEnd()) ColumnConstraint(column);
  return column;
}

void JetParser::ColumnConstraint(JetColumnDef& column) {
  if (AcceptKeyword("CONSTRAINT")) ExpectName();
  if (AcceptKeyword("NOT")) {
    ExpectKeyword("NULL");
    column.notNull = true;
  } else if (AcceptKeyword("NULL")) {
  } else if (AcceptKeyword("PRIMARY")) {
    ExpectKeyword("KEY");
    column.primaryKey = true;
    if (!AcceptKeyword("ASC")) column.descendingKey = AcceptKeyword("DESC");
    column.autoIncrementWritten = AcceptKeyword("AUTOINCREMENT");
  } else if (AcceptKeyword("UNIQUE")) {
    column.unique = true;
  } else if (AcceptKeyword("DEFAULT")) {
    column.defaultValue = DefaultValue();
  } else if (AcceptKeyword("CHECK")) {
    ExpectPunct("(");
    column.check = Expression();
    ExpectPunct(")");
  } else if (AcceptKeyword("REFERENCES")) {
    column.referencesTable = ExpectName();
    if (PeekPunct("(")) column.referencesColumns = NameList();
    column.referenceActions = ReferenceActions();
  } else {
    Fail();
  }
}

// What a relationship does to the rows that refer to a changed or deleted row: CASCADE,
// SET NULL, SET DEFAULT, NO ACTION or RESTRICT.
std::string JetParser::ReferenceActions() {
  std::string actions;
  while (PeekKeyword("ON") && (PeekKeyword("UPDATE", 1) || PeekKeyword("DELETE", 1))) {
    Advance();
    actions += PeekKeyword("UPDATE") ? " ON UPDATE " : " ON DELETE ";
    Advance();
    if (AcceptKeyword("CASCADE")) {
      actions += "CASCADE";
    } else if (AcceptKeyword("RESTRICT")) {
      actions += "RESTRICT";
    } else if (AcceptKeyword("NO")) {
      ExpectKeyword("ACTION");
      actions += "NO ACTION";
    } else {
      ExpectKeyword("SET");
      if (AcceptKeyword("NULL")) {
        actions += "SET NULL";
      } else {
        ExpectKeyword("DEFAULT");
        actions += "SET DEFAULT";
      }
    }
  }
  return actions;
}

// A literal with an optional sign, or an expression in parentheses.
JetExprPtr JetParser::DefaultValue() {
  if (PeekPunct("(") || PeekPunct("-") || PeekPunct("+")) return UnaryLevel();
  return Primary();
}

// CREATE [UNIQUE] INDEX i ON t (column [ASC|DESC], ...)
void JetParser::CreateIndex(JetStatement& statement) {
  statement.kind = JetStatementKind::CreateIndex;
  statement.unique = AcceptKeyword("UNIQUE");
  ExpectKeyword("INDEX");
  statement.table = ExpectName();
  ExpectKeyword("ON");
  statement.indexTable = ExpectName();
  ExpectPunct("(");
  do {
    JetIndexColumn column;
    column.name = ExpectName();
    if (!AcceptKeyword("ASC")) column.descending = AcceptKeyword("DESC");
    statement.indexColumns.push_back(std::move(column));
  } while (AcceptPunct(","));
  ExpectPunct(")");
}

// CREATE VIEW v [(names)] AS SELECT ...
void JetParser::CreateView(JetStatement& statement) {
  statement.kind = JetStatementKind::CreateView;
  ExpectKeyword("VIEW");
  statement.table = ExpectName();
  if (PeekPunct("(")) statement.columns = NameList();
  ExpectKeyword("AS");
  if (!PeekQuery()) Fail();
  statement.query = Query();
}

// DROP TABLE t | DROP INDEX i | DROP VIEW v, each optionally IF EXISTS (the engine's form).
void JetParser::Drop(JetStatement& statement) {
  if (AcceptKeyword("TABLE")) {
    statement.kind = JetStatementKind::DropTable;
  } else if (AcceptKeyword("INDEX")) {
    statement.kind = JetStatementKind::DropIndex;
  } else if (AcceptKeyword("VIEW")) {
    statement.kind = JetStatementKind::DropView;
  } else {
    return;
  }
  if (AcceptKeyword("IF")) {
    ExpectKeyword("EXISTS");
    statement.ifNotExists = true;
  }
  statement.table = ExpectName();
}

// ALTER TABLE t ADD [COLUMN] definition | ALTER TABLE t DROP [COLUMN] c
void JetParser::Alter(JetStatement& statement) {
  if (!PeekKeyword("TABLE") || !PeekName(1)) return;
  const std::size_t start = position_;
  Advance();
  std::string table = ExpectName();
  if (AcceptKeyword("ADD") && !PeekKeyword("CONSTRAINT") && !PeekTableConstraint()) {
    statement.kind = JetStatementKind::AlterTableAdd;
    AcceptKeyword("COLUMN");
    statement.columnDefs.push_back(ColumnDefinition());
  } else if (AcceptKeyword("DROP") && !PeekKeyword("CONSTRAINT")) {
    statement.kind = JetStatementKind::AlterTableDrop;
    AcceptKeyword("COLUMN");
    statement.dropColumn = ExpectName();
  } else {
    position_ = start;  // another form: left to the engine
    return;
  }
  statement.table = std::move(table);
}

}  // namespace tarnwick
