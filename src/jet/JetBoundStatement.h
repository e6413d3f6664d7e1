#pragma once
// The bound statements: what each statement does, resolved against the catalogue, for a
// generator to print (JetBound.h has their expressions and queries).
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jet/JetBound.h"

namespace tarnwick::bound {

using syntax::StatementKind;

struct Statement : JetNode {
  explicit Statement(StatementKind k) : kind(k) {}

  StatementKind kind;
  // The values of the statement's parameters, which its expressions refer to (ValueOf).
  std::vector<ExprPtr> parameterValues;
  // The table it changes is one other tables' foreign keys refer to.
  std::string referencedTable;
};

// SELECT, and CREATE VIEW.
struct QueryStatement : Statement {
  using Statement::Statement;
  std::unique_ptr<Query> query;
  std::string view;  // CREATE VIEW: its name
};

// Rows into a table: INSERT, and the rows of SELECT ... INTO.
struct Insert : Statement {
  using Statement::Statement;
  std::string table;
  std::vector<std::string> columns;
  // YESNO columns the statement leaves out whose table gives no default: they get False.
  std::vector<std::string> falseColumns;
  std::vector<ExprPtr> values;   // VALUES, each converted for its column
  std::unique_ptr<Query> query;  // SELECT: its rows, read as kRows
  std::vector<ExprPtr> copies;   // SELECT: each of its columns converted for its column
};

// SELECT ... INTO t: the table made with the result's columns, then filled.
struct SelectInto : Insert {
  SelectInto() : Insert(StatementKind::SelectInto) {}
  std::vector<ColumnDef> definitions;
};

struct Assignment {
  std::string column;
  ExprPtr value;  // converted for the column
};

// UPDATE and DELETE. Through a join, the changed table's rows are those the join holds; the
// join names the changed table kJoinedRow.
struct Change : Statement {
  using Statement::Statement;
  std::string table;
  std::string alias;  // not through a join: as written
  std::vector<Assignment> assignments;
  ExprPtr where;
  std::unique_ptr<Source> join;
};
inline constexpr std::string_view kJoinedRow = "__jet_row";

// TRANSFORM: the row headings' query, and a column for each pivot value.
struct Crosstab : Statement {
  Crosstab() : Statement(StatementKind::Crosstab) {}
  std::unique_ptr<Query> query;  // one SELECT: the headings; its columns the headings' and cells'
  ExprPtr value;                 // the cells' aggregate
  ExprPtr pivot;
  bool pivotIgnoringCase = false;  // its values are told apart without regard to case
  struct Cell {
    ExprPtr condition;  // the rows of the cell's pivot value (while binding: the IN list's value)
    std::string name;
  };
  std::vector<Cell> cells;
  bool ordered = false;  // ORDER BY given; else by the headings
  std::size_t pivotOffset = 0;
};

// The columns and constraints of a table being made or changed.
struct TableDefinition {
  std::vector<ColumnDef> columns;
  std::vector<Constraint> constraints;  // those written with a column first
};

struct CreateTable : Statement {
  CreateTable() : Statement(StatementKind::CreateTable) {}
  std::string table;
  bool temporary = false;
  bool ifNotExists = false;
  TableDefinition definition;
};

// ALTER TABLE: the change, by the engine's ALTER TABLE where it can make it, else by making
// the table again (`rebuild`).
struct AlterTable : Statement {
  using Statement::Statement;
  const JetSchemaTable* table = nullptr;
  Rebuild rebuild;
};

struct CreateIndex : Statement {
  CreateIndex() : Statement(StatementKind::CreateIndex) {}
  std::string index;
  const JetSchemaTable* table = nullptr;
  bool unique = false;
  struct Column {
    std::string name;
    bool descending = false;
  };
  std::vector<Column> columns;
  syntax::CreateIndexStatement::Option option = syntax::CreateIndexStatement::Option::None;
  msg::Diagnostic nullRefused{msg::MessageId::NullNotAllowed};  // DISALLOW NULL
  std::size_t optionOffset = 0;
  Rebuild rebuild;  // WITH PRIMARY: the table made again with the key
};

// DROP TABLE, VIEW and INDEX; DROP INDEX of a key or constraint, by making the table again.
struct Drop : Statement {
  using Statement::Statement;
  std::string name;   // as written
  std::string table;  // DROP TABLE: the catalogue's name of the table, if it is there
  bool ifExists = false;
  bool ofTable = false;         // DROP INDEX i ON t, DROP CONSTRAINT: also its triggers go
  bool forgetsCounter = false;  // DROP TABLE of a table that numbers a counter
  std::optional<Rebuild> rebuild;
};

struct Procedure : Statement {
  using Statement::Statement;
  std::string name;
  std::string parameters;  // CREATE PROCEDURE: as written
  std::string statement;
};

}  // namespace tarnwick::bound
