// The definitions: CREATE/DROP/ALTER TABLE, CREATE/DROP INDEX, CREATE/DROP VIEW, CREATE/DROP
// PROCEDURE. Other CREATE, DROP and ALTER forms are left to the engine.
#include "jet/JetMessages.h"
#include "jet/JetParserCore.h"
#include "text/AsciiCase.h"

namespace tarnwick {

namespace {

using msg::HintId;
using msg::MessageId;
using msg::SqlClause;
using syntax::StatementKind;
using syntax::StatementPtr;

StatementPtr Passthrough() {
  return std::make_unique<syntax::Statement>(StatementKind::Passthrough);
}

// A field definition's syntax error at a word, with Jet's form of it as the hint.
msg::Diagnostic FieldDefinitionError(std::string_view word, std::string_view jetForm) {
  return msg::Diagnostic{MessageId::SyntaxError, {std::string(word)}, SqlClause::FieldDefinition}
      .WithHint(HintOf(HintId::JetFormOf, {std::string(jetForm)}));
}

}  // namespace

std::vector<syntax::Name> JetParser::NameList() {
  std::vector<Name> names;
  ExpectPunct("(");
  do {
    names.push_back(ExpectName());
  } while (AcceptPunct(","));
  ExpectPunct(")");
  return names;
}

StatementPtr JetParser::Create() {
  if (PeekKeyword(JetKeyword::Table) || PeekKeyword(JetKeyword::Temp) ||
      PeekKeyword(JetKeyword::Temporary)) {
    return CreateTable();
  }
  if (PeekKeyword(JetKeyword::Index) || PeekKeyword(JetKeyword::Unique)) return CreateIndex();
  if (PeekKeyword(JetKeyword::View)) return CreateView();
  if (PeekKeyword(JetKeyword::Procedure) || PeekKeyword(JetKeyword::Proc)) {
    return CreateProcedure();
  }
  return Passthrough();
}

// CREATE [TEMP] TABLE [IF NOT EXISTS] t (column, ..., [constraint, ...])
StatementPtr JetParser::CreateTable() {
  auto create = std::make_unique<syntax::TableStatement>(StatementKind::CreateTable);
  create->temporary = AcceptKeyword(JetKeyword::Temp) || AcceptKeyword(JetKeyword::Temporary);
  ExpectKeyword(JetKeyword::Table);
  if (AcceptKeyword(JetKeyword::If)) {
    ExpectKeyword(JetKeyword::Not);
    ExpectKeyword(JetKeyword::Exists);
    create->ifNotExists = true;
  }
  create->table = ExpectName();
  if (PeekKeyword(JetKeyword::As)) {
    Refuse(msg::Diagnostic{MessageId::SyntaxError, {"AS"}, SqlClause::CreateTable}.WithHint(
               HintOf(HintId::JetFormOf, {"CREATE TABLE AS"})),
           Offset());
  }
  ExpectPunct("(");
  do {
    if (PeekTableConstraint()) {
      create->constraints.push_back(TableConstraint());
    } else {
      create->columns.push_back(ColumnDefinition());
    }
  } while (AcceptPunct(","));
  ExpectPunct(")");
  return create;
}

bool JetParser::PeekTableConstraint() const { return HasRole(Peek().keyword, kTableConstraint); }

syntax::Constraint JetParser::TableConstraint() {
  syntax::Constraint constraint;
  constraint.offset = Offset();
  if (AcceptKeyword(JetKeyword::Constraint)) constraint.name = ExpectName().text;
  ConstraintBody(constraint, false);
  return constraint;
}

// A constraint of a table names its columns; one written with a column does not.
void JetParser::ConstraintBody(syntax::Constraint& constraint, bool ofColumn) {
  using Kind = syntax::Constraint::Kind;
  if (AcceptKeyword(JetKeyword::Primary)) {
    ExpectKeyword(JetKeyword::Key);
    constraint.kind = Kind::PrimaryKey;
    if (!ofColumn) constraint.columns = NameList();
    if (!AcceptKeyword(JetKeyword::Asc)) constraint.descending = AcceptKeyword(JetKeyword::Desc);
    if (PeekKeyword(JetKeyword::AutoIncrement)) {
      Refuse(FieldDefinitionError("PRIMARY KEY AUTOINCREMENT", "AUTOINCREMENT"), Offset());
    }
  } else if (AcceptKeyword(JetKeyword::Unique)) {
    constraint.kind = Kind::Unique;
    if (!ofColumn) constraint.columns = NameList();
  } else if (PeekKeyword(JetKeyword::Check)) {
    Advance();
    constraint.kind = Kind::Check;
    ExpectPunct("(");
    constraint.check = Expression();
    ExpectPunct(")");
  } else {
    constraint.kind = Kind::ForeignKey;
    if (!ofColumn) {
      ExpectKeyword(JetKeyword::Foreign);
      ExpectKeyword(JetKeyword::Key);
      constraint.columns = NameList();
    }
    ExpectKeyword(JetKeyword::References);
    constraint.referencesTable = ExpectName();
    if (PeekPunct("(")) constraint.referencesColumns = NameList();
    constraint.actions = ReferenceActions();
  }
}

// name type [(size[, scale])] [constraints]
syntax::ColumnDef JetParser::ColumnDefinition() {
  syntax::ColumnDef column;
  column.offset = Offset();
  column.name = ExpectName();
  column.type = ColumnType(column.name);
  while (!PeekPunct(",") && !PeekPunct(")") && !AtEnd()) ColumnConstraint(column);
  return column;
}

// Another dialect's way of numbering rows (AUTO_INCREMENT, IDENTITY, ...) at this word.
void JetParser::RefuseOtherAutoNumber() const {
  Refuse(FieldDefinitionError(JetKeywordOf(Peek().keyword).spelling, "AUTOINCREMENT"), Offset());
}

void JetParser::RefuseOtherAutoNumberHere() const {
  if (HasRole(Peek().keyword, kOtherAutoNumber)) RefuseOtherAutoNumber();
}

// The type's words up to its size or its first constraint; a name Jet does not know is a
// field-definition error, as is a column without a type.
syntax::TypeName JetParser::ColumnType(const Name& column) {
  const std::size_t offset = Offset();
  std::string words;
  std::string firstWord;
  while (Peek().kind == JetTokenKind::Word) {
    if (HasRole(Peek().keyword, kEndsColumnType)) break;
    if (!words.empty()) RefuseOtherAutoNumberHere();
    if (!words.empty()) words += ' ';
    if (firstWord.empty()) firstWord = std::string(Peek().text);
    words += UpperAscii(Peek().text);
    Advance();
  }
  if (words.empty()) {
    if (PeekPunct(",") || PeekPunct(")") || AtEnd() || Peek().kind == JetTokenKind::Word) {
      Refuse(msg::Diagnostic{MessageId::SyntaxError, {column.text}, SqlClause::FieldDefinition}
                 .WithHint(HintOf(HintId::TypeAfterName, {column.text})),
             offset);
    }
    Fail();
  }
  const std::optional<JetTypeWord> word = FindJetTypeWord(words);
  if (!word) {
    Refuse(
        msg::Diagnostic{MessageId::SyntaxError, {firstWord}, SqlClause::FieldDefinition}.WithHint(
            HintOf(HintId::JetFormOrTypeNames, {firstWord})),
        offset);
  }
  syntax::TypeName type;
  type.word = *word;
  if (AcceptPunct("(")) {
    type.size = ExpectCount();
    if (AcceptPunct(",")) type.scale = ExpectCount();
    ExpectPunct(")");
  }
  RefuseOtherAutoNumberHere();
  return type;
}

void JetParser::ColumnConstraint(syntax::ColumnDef& column) {
  std::string name;
  const std::size_t offset = Offset();
  if (AcceptKeyword(JetKeyword::Constraint)) name = ExpectName().text;
  if (AcceptKeyword(JetKeyword::Not)) {
    ExpectKeyword(JetKeyword::Null);
    column.notNull = true;
  } else if (AcceptKeyword(JetKeyword::Null)) {
  } else if (AcceptKeyword(JetKeyword::Default)) {
    column.defaultValue = DefaultValue();
  } else if (PeekKeyword(JetKeyword::Primary) || PeekKeyword(JetKeyword::Unique) ||
             PeekKeyword(JetKeyword::Check) || PeekKeyword(JetKeyword::References)) {
    syntax::Constraint constraint;
    constraint.offset = offset;
    constraint.name = std::move(name);
    constraint.columns = {column.name};
    ConstraintBody(constraint, true);
    column.constraints.push_back(std::move(constraint));
  } else {
    RefuseOtherAutoNumberHere();
    Fail();
  }
}

// What a relationship does to the rows that refer to a changed or deleted row: CASCADE,
// SET NULL, SET DEFAULT, NO ACTION or RESTRICT.
std::vector<syntax::ReferenceAction> JetParser::ReferenceActions() {
  using Action = syntax::ReferenceAction;
  std::vector<Action> actions;
  while (PeekKeyword(JetKeyword::On) &&
         (PeekKeyword(JetKeyword::Update, 1) || PeekKeyword(JetKeyword::Delete, 1))) {
    Advance();
    Action action{PeekKeyword(JetKeyword::Update) ? Action::On::Update : Action::On::Delete,
                  Action::Does::Cascade};
    Advance();
    if (AcceptKeyword(JetKeyword::Cascade)) {
      action.does = Action::Does::Cascade;
    } else if (AcceptKeyword(JetKeyword::Restrict)) {
      action.does = Action::Does::Restrict;
    } else if (AcceptKeyword(JetKeyword::No)) {
      ExpectKeyword(JetKeyword::Action);
      action.does = Action::Does::NoAction;
    } else {
      ExpectKeyword(JetKeyword::Set);
      if (AcceptKeyword(JetKeyword::Null)) {
        action.does = Action::Does::SetNull;
      } else {
        ExpectKeyword(JetKeyword::Default);
        action.does = Action::Does::SetDefault;
      }
    }
    actions.push_back(action);
  }
  return actions;
}

// A literal with an optional sign, or an expression in parentheses.
syntax::ExprPtr JetParser::DefaultValue() {
  if (PeekPunct("(") || PeekPunct("-") || PeekPunct("+")) return UnaryLevel();
  return Primary();
}

// CREATE [UNIQUE] INDEX i ON t (column [ASC|DESC], ...)
//   [WITH PRIMARY | WITH DISALLOW NULL | WITH IGNORE NULL]
StatementPtr JetParser::CreateIndex() {
  using Option = syntax::CreateIndexStatement::Option;
  auto create = std::make_unique<syntax::CreateIndexStatement>();
  create->unique = AcceptKeyword(JetKeyword::Unique);
  ExpectKeyword(JetKeyword::Index);
  create->index = ExpectName();
  ExpectKeyword(JetKeyword::On);
  create->table = ExpectName();
  ExpectPunct("(");
  do {
    syntax::CreateIndexStatement::Column column;
    column.name = ExpectName();
    if (!AcceptKeyword(JetKeyword::Asc)) column.descending = AcceptKeyword(JetKeyword::Desc);
    create->columns.push_back(std::move(column));
  } while (AcceptPunct(","));
  ExpectPunct(")");
  create->optionOffset = Offset();
  if (!AcceptKeyword(JetKeyword::With)) return create;
  if (AcceptKeyword(JetKeyword::Primary)) {
    create->option = Option::Primary;
  } else if (AcceptKeyword(JetKeyword::Disallow)) {
    ExpectKeyword(JetKeyword::Null);
    create->option = Option::DisallowNull;
  } else {
    ExpectKeyword(JetKeyword::Ignore);
    ExpectKeyword(JetKeyword::Null);
    create->option = Option::IgnoreNull;
  }
  return create;
}

// CREATE VIEW v [(names)] AS SELECT ...
StatementPtr JetParser::CreateView() {
  auto create = std::make_unique<syntax::CreateViewStatement>();
  ExpectKeyword(JetKeyword::View);
  create->name = ExpectName();
  if (PeekPunct("(")) create->columns = NameList();
  ExpectKeyword(JetKeyword::As);
  if (!PeekQuery()) Fail();
  create->query = Query();
  return create;
}

// CREATE PROCEDURE p [(]prm type, ...[)] AS statement
StatementPtr JetParser::CreateProcedure() {
  auto create = std::make_unique<syntax::CreateProcedureStatement>();
  Advance();
  create->name = ExpectName();
  const bool parenthesized = AcceptPunct("(");
  if (!PeekKeyword(JetKeyword::As) && !(parenthesized && PeekPunct(")"))) {
    create->declared = ParameterList(&create->parametersText);
  }
  if (parenthesized) ExpectPunct(")");
  ExpectKeyword(JetKeyword::As);
  const std::size_t start = Offset();
  create->body = StatementForm();
  switch (create->body->kind) {
    case StatementKind::Select:
    case StatementKind::SelectInto:
    case StatementKind::Crosstab:
    case StatementKind::Insert:
    case StatementKind::Update:
    case StatementKind::Delete:
      break;
    default:
      Refuse(Refusal(MessageId::ProcedureStatement), start);
  }
  create->bodyText = TextFrom(start);
  return create;
}

// DROP TABLE t | DROP INDEX i [ON t] | DROP VIEW v | DROP PROCEDURE p, each optionally IF EXISTS
// (the engine's form).
StatementPtr JetParser::Drop() {
  StatementKind kind;
  if (AcceptKeyword(JetKeyword::Table)) {
    kind = StatementKind::DropTable;
  } else if (AcceptKeyword(JetKeyword::Index)) {
    kind = StatementKind::DropIndex;
  } else if (AcceptKeyword(JetKeyword::View)) {
    kind = StatementKind::DropView;
  } else if (AcceptKeyword(JetKeyword::Procedure) || AcceptKeyword(JetKeyword::Proc)) {
    kind = StatementKind::DropProcedure;
  } else {
    return Passthrough();
  }
  auto drop = std::make_unique<syntax::DropStatement>(kind);
  if (AcceptKeyword(JetKeyword::If)) {
    ExpectKeyword(JetKeyword::Exists);
    drop->ifExists = true;
  }
  drop->name = ExpectName();
  if (kind == StatementKind::DropIndex && AcceptKeyword(JetKeyword::On)) drop->table = ExpectName();
  return drop;
}

// ALTER TABLE t ADD [COLUMN] definition | ADD [CONSTRAINT name] constraint |
// DROP [COLUMN] c | DROP CONSTRAINT name | ALTER [COLUMN] definition
StatementPtr JetParser::Alter() {
  if (!PeekKeyword(JetKeyword::Table) || !PeekName(1)) return Passthrough();
  const std::size_t start = position_;
  const JetSyntaxPlace place = place_;
  Advance();
  auto alter = std::make_unique<syntax::TableStatement>(StatementKind::Passthrough);
  alter->table = ExpectName();
  AlterAction(*alter);
  if (alter->kind == StatementKind::Passthrough) {
    position_ = start;  // another form: left to the engine
    place_ = place;
  }
  return alter;
}

void JetParser::AlterAction(syntax::TableStatement& alter) {
  if (AcceptKeyword(JetKeyword::Add)) {
    if (PeekTableConstraint()) {
      alter.kind = StatementKind::AddConstraint;
      alter.constraints.push_back(TableConstraint());
    } else {
      alter.kind = StatementKind::AlterTableAdd;
      AcceptKeyword(JetKeyword::Column);
      alter.columns.push_back(ColumnDefinition());
    }
  } else if (AcceptKeyword(JetKeyword::Drop)) {
    if (AcceptKeyword(JetKeyword::Constraint)) {
      alter.kind = StatementKind::DropConstraint;
    } else {
      alter.kind = StatementKind::AlterTableDrop;
      AcceptKeyword(JetKeyword::Column);
    }
    alter.dropName = ExpectName();
  } else if (AcceptKeyword(JetKeyword::Alter)) {
    alter.kind = StatementKind::AlterColumn;
    AcceptKeyword(JetKeyword::Column);
    alter.columns.push_back(ColumnDefinition());
  }
}

}  // namespace tarnwick
