// INSERT, UPDATE, DELETE, TRANSFORM, PARAMETERS, EXECUTE and the definitions: CREATE/DROP/ALTER
// TABLE, CREATE/DROP INDEX, CREATE/DROP VIEW, CREATE/DROP PROCEDURE. Other CREATE, DROP and
// ALTER forms are left to the engine.
#include <cctype>

#include "jet/JetMessages.h"
#include "jet/JetParserCore.h"
#include "jet/JetTypeNames.h"

namespace tarnwick {

namespace {

// Words that end a column's type and begin one of its constraints.
constexpr std::string_view kConstraintWords[] = {
    "NOT", "NULL", "PRIMARY", "UNIQUE", "DEFAULT", "CHECK", "CONSTRAINT", "REFERENCES", "COLLATE"};

// Ways of numbering rows that other dialects write after a column's type.
constexpr std::string_view kOtherAutoNumbers[] = {"AUTO_INCREMENT", "AUTOINCREMENT", "IDENTITY",
                                                  "SERIAL", "GENERATED"};

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

// INSERT INTO t [(columns)] VALUES (...) | INSERT INTO t [(columns)] SELECT ...
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
  ExpectPunct("(");
  do {
    statement.values.push_back(Expression());
  } while (AcceptPunct(","));
  ExpectPunct(")");
  if (PeekPunct(",")) throw JetError(jet_message::MultiRowValues(), Offset());
}

// UPDATE t SET c = value, ... [WHERE condition]; t may be a join: UPDATE a INNER JOIN b ON ...
void JetParser::Update(JetStatement& statement) {
  statement.kind = JetStatementKind::Update;
  statement.source = std::make_unique<JetSource>(SourceElement());
  ExpectKeyword("SET");
  do {
    JetExprPtr column = ColumnReference();
    ExpectPunct("=");
    statement.assignments.emplace_back(std::move(column), Expression());
  } while (AcceptPunct(","));
  if (AcceptKeyword("WHERE")) statement.where = Expression();
}

// DELETE [* | t.* | columns] FROM source [WHERE condition]
void JetParser::Delete(JetStatement& statement) {
  statement.kind = JetStatementKind::Delete;
  if (!AcceptPunct("*")) {
    // t.* names the table whose rows go; columns named alone change nothing (as in Jet).
    while (!PeekKeyword("FROM") && !AtEnd()) {
      std::string name = ExpectName();
      if (AcceptPunct(".") || AcceptPunct("!")) {
        if (AcceptPunct("*")) {
          statement.deleteTable = std::move(name);
        } else {
          ExpectName();
        }
      }
      if (!AcceptPunct(",")) break;
    }
  }
  ExpectKeyword("FROM");
  statement.source = std::make_unique<JetSource>(SourceElement());
  if (AcceptKeyword("WHERE")) statement.where = Expression();
}

void JetParser::Create(JetStatement& statement) {
  if (PeekKeyword("TABLE") || PeekKeyword("TEMP") || PeekKeyword("TEMPORARY")) {
    CreateTable(statement);
  } else if (PeekKeyword("INDEX") || PeekKeyword("UNIQUE")) {
    CreateIndex(statement);
  } else if (PeekKeyword("VIEW")) {
    CreateView(statement);
  } else if (PeekKeyword("PROCEDURE") || PeekKeyword("PROC")) {
    CreateProcedure(statement);
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
  if (PeekKeyword("AS")) throw JetError(jet_message::CreateTableAsSelect(), Offset());
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
  ConstraintBody(constraint, false);
  return constraint;
}

// A constraint of a table names its columns; one written with a column does not.
void JetParser::ConstraintBody(JetTableConstraint& constraint, bool ofColumn) {
  using Kind = JetTableConstraint::Kind;
  if (AcceptKeyword("PRIMARY")) {
    ExpectKeyword("KEY");
    constraint.kind = Kind::PrimaryKey;
    if (!ofColumn) constraint.columns = NameList();
    if (!AcceptKeyword("ASC")) constraint.descending = AcceptKeyword("DESC");
    if (PeekKeyword("AUTOINCREMENT")) {
      throw JetError(jet_message::NotJetAutoIncrement("PRIMARY KEY AUTOINCREMENT"), Offset());
    }
  } else if (AcceptKeyword("UNIQUE")) {
    constraint.kind = Kind::Unique;
    if (!ofColumn) constraint.columns = NameList();
  } else if (PeekKeyword("CHECK")) {
    Advance();
    constraint.kind = Kind::Check;
    ExpectPunct("(");
    constraint.check = Expression();
    ExpectPunct(")");
  } else {
    constraint.kind = Kind::ForeignKey;
    if (!ofColumn) {
      ExpectKeyword("FOREIGN");
      ExpectKeyword("KEY");
      constraint.columns = NameList();
    }
    ExpectKeyword("REFERENCES");
    constraint.referencesTable = ExpectName();
    if (PeekPunct("(")) constraint.referencesColumns = NameList();
    constraint.referenceActions = ReferenceActions();
  }
}

// name type [(size[, scale])] [constraints]
JetColumnDef JetParser::ColumnDefinition() {
  JetColumnDef column;
  column.offset = Offset();
  column.name = ExpectName();
  ColumnType(column);
  while (!PeekPunct(",") && !PeekPunct(")") && !AtEnd()) ColumnConstraint(column);
  return column;
}

// The type's words up to its size or its first constraint; a name Jet does not know is a
// field-definition error, as is a column without a type.
void JetParser::ColumnType(JetColumnDef& column) {
  const std::size_t offset = Offset();
  std::string firstWord;
  while (Peek().kind == JetTokenKind::Word) {
    bool constraintWord = false;
    for (std::string_view word : kConstraintWords) constraintWord |= PeekKeyword(word);
    if (constraintWord) break;
    for (std::string_view other : kOtherAutoNumbers) {
      if (PeekKeyword(other) && !column.typeName.empty()) {
        throw JetError(jet_message::NotJetAutoIncrement(other), Offset());
      }
    }
    if (!column.typeName.empty()) column.typeName += ' ';
    if (firstWord.empty()) firstWord = std::string(Peek().text);
    column.typeName += UpperAscii(Peek().text);
    Advance();
  }
  if (column.typeName.empty()) {
    if (PeekPunct(",") || PeekPunct(")") || AtEnd() || Peek().kind == JetTokenKind::Word) {
      throw JetError(jet_message::MissingTypeName(column.name), offset);
    }
    Fail();
  }
  if (!IsJetTypeName(column.typeName)) {
    throw JetError(jet_message::UnknownTypeName(firstWord), offset);
  }
  if (AcceptPunct("(")) {
    column.size = ExpectCount();
    if (AcceptPunct(",")) column.scale = ExpectCount();
    ExpectPunct(")");
  }
  for (std::string_view other : kOtherAutoNumbers) {
    if (PeekKeyword(other)) throw JetError(jet_message::NotJetAutoIncrement(other), Offset());
  }
}

void JetParser::ColumnConstraint(JetColumnDef& column) {
  std::string name;
  if (AcceptKeyword("CONSTRAINT")) name = ExpectName();
  if (AcceptKeyword("NOT")) {
    ExpectKeyword("NULL");
    column.notNull = true;
  } else if (AcceptKeyword("NULL")) {
  } else if (AcceptKeyword("DEFAULT")) {
    column.defaultValue = DefaultValue();
  } else if (PeekKeyword("PRIMARY") || PeekKeyword("UNIQUE") || PeekKeyword("CHECK") ||
             PeekKeyword("REFERENCES")) {
    JetTableConstraint constraint{
        JetTableConstraint::Kind::PrimaryKey, std::move(name), {column.name}, {}, {}, {}, {}};
    ConstraintBody(constraint, true);
    column.constraints.push_back(std::move(constraint));
  } else {
    for (std::string_view other : kOtherAutoNumbers) {
      if (PeekKeyword(other)) throw JetError(jet_message::NotJetAutoIncrement(other), Offset());
    }
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
//   [WITH PRIMARY | WITH DISALLOW NULL | WITH IGNORE NULL]
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
  if (!AcceptKeyword("WITH")) return;
  if (AcceptKeyword("PRIMARY")) {
    statement.indexOption = JetIndexOption::Primary;
  } else if (AcceptKeyword("DISALLOW")) {
    ExpectKeyword("NULL");
    statement.indexOption = JetIndexOption::DisallowNull;
  } else {
    ExpectKeyword("IGNORE");
    ExpectKeyword("NULL");
    statement.indexOption = JetIndexOption::IgnoreNull;
  }
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

// name type[(size)], ... as PARAMETERS and CREATE PROCEDURE declare them.
void JetParser::ParameterList(JetStatement& statement) {
  const std::size_t start = Offset();
  do {
    JetParameter& parameter = statement.parameters.emplace_back();
    parameter.name = ExpectName();
    JetColumnDef type;
    type.name = parameter.name;
    ColumnType(type);
    parameter.typeName = type.typeName;
    if (type.size) {
      parameter.typeName += "(" + std::to_string(*type.size);
      if (type.scale) parameter.typeName += "," + std::to_string(*type.scale);
      parameter.typeName += ")";
    }
  } while (AcceptPunct(","));
  statement.parametersText = TextFrom(start);
}

// CREATE PROCEDURE p [(]prm type, ...[)] AS statement
void JetParser::CreateProcedure(JetStatement& statement) {
  statement.kind = JetStatementKind::CreateProcedure;
  Advance();
  statement.table = ExpectName();
  const bool parenthesized = AcceptPunct("(");
  if (!PeekKeyword("AS") && !(parenthesized && PeekPunct(")"))) ParameterList(statement);
  if (parenthesized) ExpectPunct(")");
  ExpectKeyword("AS");
  const std::size_t start = Offset();
  statement.body = std::make_unique<JetStatement>();
  StatementForm(*statement.body);
  using Kind = JetStatementKind;
  const Kind kind = statement.body->kind;
  if (kind != Kind::Select && kind != Kind::Crosstab && kind != Kind::Insert &&
      kind != Kind::Update && kind != Kind::Delete && kind != Kind::SelectInto) {
    throw JetError(jet_message::ProcedureStatement(), start);
  }
  statement.bodyText = TextFrom(start);
}

// EXECUTE p [value, ...]
void JetParser::Execute(JetStatement& statement) {
  statement.kind = JetStatementKind::Execute;
  statement.table = ExpectName();
  if (AtEnd()) return;
  do {
    statement.arguments.push_back(Expression());
  } while (AcceptPunct(","));
}

// PARAMETERS prm type, ...; statement
void JetParser::Parameters(JetStatement& statement) {
  ParameterList(statement);
  ExpectPunct(";");
  std::vector<JetParameter> declared = std::move(statement.parameters);
  StatementForm(statement);
  if (statement.kind == JetStatementKind::Passthrough) Fail();
  statement.parameters = std::move(declared);
}

// TRANSFORM aggregate SELECT ... PIVOT expression [IN (value, ...)]
void JetParser::Transform(JetStatement& statement) {
  statement.kind = JetStatementKind::Crosstab;
  statement.crosstab = std::make_unique<JetCrosstab>();
  statement.crosstab->value = Expression();
  if (!PeekKeyword("SELECT")) Fail();
  statement.query = Query();
  ExpectKeyword("PIVOT");
  // Below the comparisons, so that IN begins the list of column values.
  statement.crosstab->pivot = Concatenation();
  if (!AcceptKeyword("IN")) return;
  ExpectPunct("(");
  do {
    statement.crosstab->pivotIn.push_back(Expression());
  } while (AcceptPunct(","));
  ExpectPunct(")");
}

// DROP TABLE t | DROP INDEX i [ON t] | DROP VIEW v | DROP PROCEDURE p, each optionally IF EXISTS
// (the engine's form).
void JetParser::Drop(JetStatement& statement) {
  if (AcceptKeyword("TABLE")) {
    statement.kind = JetStatementKind::DropTable;
  } else if (AcceptKeyword("INDEX")) {
    statement.kind = JetStatementKind::DropIndex;
  } else if (AcceptKeyword("VIEW")) {
    statement.kind = JetStatementKind::DropView;
  } else if (AcceptKeyword("PROCEDURE") || AcceptKeyword("PROC")) {
    statement.kind = JetStatementKind::DropProcedure;
  } else {
    return;
  }
  if (AcceptKeyword("IF")) {
    ExpectKeyword("EXISTS");
    statement.ifNotExists = true;
  }
  statement.table = ExpectName();
  if (statement.kind == JetStatementKind::DropIndex && AcceptKeyword("ON")) {
    statement.indexTable = ExpectName();
  }
}

// ALTER TABLE t ADD [COLUMN] definition | ADD [CONSTRAINT name] constraint |
// DROP [COLUMN] c | DROP CONSTRAINT name | ALTER [COLUMN] definition
void JetParser::Alter(JetStatement& statement) {
  if (!PeekKeyword("TABLE") || !PeekName(1)) return;
  const std::size_t start = position_;
  Advance();
  std::string table = ExpectName();
  if (AcceptKeyword("ADD")) {
    if (PeekTableConstraint()) {
      statement.kind = JetStatementKind::AddConstraint;
      statement.constraints.push_back(TableConstraint());
    } else {
      statement.kind = JetStatementKind::AlterTableAdd;
      AcceptKeyword("COLUMN");
      statement.columnDefs.push_back(ColumnDefinition());
    }
  } else if (AcceptKeyword("DROP")) {
    if (AcceptKeyword("CONSTRAINT")) {
      statement.kind = JetStatementKind::DropConstraint;
    } else {
      statement.kind = JetStatementKind::AlterTableDrop;
      AcceptKeyword("COLUMN");
    }
    statement.dropName = ExpectName();
  } else if (AcceptKeyword("ALTER")) {
    statement.kind = JetStatementKind::AlterColumn;
    AcceptKeyword("COLUMN");
    statement.columnDefs.push_back(ColumnDefinition());
  } else {
    position_ = start;  // another form: left to the engine
    return;
  }
  statement.table = std::move(table);
}

}  // namespace tarnwick
