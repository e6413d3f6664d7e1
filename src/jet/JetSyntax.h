#pragma once
// The syntax tree of one Jet SQL statement, as the parser reads it: only what was written, each
// kind of expression and statement a class of its own, literals read into their values once.
// The binder reads it and makes a bound tree of its own (JetBound.h).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jet/JetNode.h"
#include "jetlib/JetOperators.h"
#include "jetlib/JetTypeNames.h"

namespace tarnwick::syntax {

struct Query;

// A name as written, and where.
struct Name {
  std::string text;
  std::size_t offset = 0;
};

enum class ExprKind : unsigned char {
  Number,
  Text,
  Date,
  Null,
  Blob,
  Parameter,
  Name,
  Star,
  Unary,
  Binary,
  Like,
  Between,
  InList,
  InQuery,
  IsNull,
  Call,
  Subquery,
  Exists,
  Quantified,
};

struct Expr : JetNode {
  Expr(ExprKind k, std::size_t at) : kind(k), offset(at) {}

  const ExprKind kind;
  const std::size_t offset;  // where it starts in the statement's text
};
using ExprPtr = std::unique_ptr<Expr>;

// 12, 3.5, .5, 1e-3: the value, and the text as written (the engine's statement repeats it).
struct NumberLiteral : Expr {
  explicit NumberLiteral(std::size_t at) : Expr(ExprKind::Number, at) {}
  std::string written;
  bool whole = false;                   // digits only: no point, no exponent
  std::optional<std::int64_t> integer;  // a whole number within 64 bits
  std::optional<double> value;          // nothing beyond a double's range
};

// 'text', "text", #date# (its value "YYYY-MM-DD HH:MM:SS"), x'0A1B' (the bytes as written).
struct ValueLiteral : Expr {
  ValueLiteral(ExprKind k, std::size_t at, std::string v) : Expr(k, at), value(std::move(v)) {}
  std::string value;
};

// NULL, and ?: a value bound when the statement runs.
struct Marker : Expr {
  using Expr::Expr;
};

// [qualifier.]name: a column, a select-list alias, a parameter or one of Jet's constants.
struct NameRef : Expr {
  NameRef(std::size_t at, std::string q, std::string n)
      : Expr(ExprKind::Name, at), qualifier(std::move(q)), name(std::move(n)) {}
  std::string qualifier;
  std::string name;
};

// * or qualifier.*: in a select list.
struct StarRef : Expr {
  StarRef(std::size_t at, std::string q) : Expr(ExprKind::Star, at), qualifier(std::move(q)) {}
  std::string qualifier;
};

struct UnaryExpr : Expr {
  UnaryExpr(std::size_t at, JetOp o, ExprPtr a)
      : Expr(ExprKind::Unary, at), op(o), operand(std::move(a)) {}
  JetOp op;
  ExprPtr operand;
};

struct BinaryExpr : Expr {
  BinaryExpr(std::size_t at, JetOp o, ExprPtr l, ExprPtr r)
      : Expr(ExprKind::Binary, at), op(o), left(std::move(l)), right(std::move(r)) {}
  JetOp op;
  ExprPtr left;
  ExprPtr right;
};

// value [Not] Like pattern, value [Not] Between low And high, value [Not] In (...),
// value Is [Not] Null: `operands` in that order (In: the value, then the list).
struct PredicateExpr : Expr {
  PredicateExpr(ExprKind k, std::size_t at) : Expr(k, at) {}
  std::vector<ExprPtr> operands;
  bool negated = false;
  std::unique_ptr<Query> query;  // InQuery
};

// name(args...), name(*): a function of the library.
struct CallExpr : Expr {
  CallExpr(std::size_t at, std::string n) : Expr(ExprKind::Call, at), name(std::move(n)) {}
  std::string name;
  std::vector<ExprPtr> args;
  bool star = false;  // Count(*): its one argument is the star
  std::size_t starOffset = 0;
  std::size_t ArgumentCount() const { return star ? 1 : args.size(); }
};

// (query), Exists (query), left op Any|Some|All (query).
struct QueryExpr : Expr {
  QueryExpr(ExprKind k, std::size_t at) : Expr(k, at) {}
  std::unique_ptr<Query> query;
  JetOp op = JetOp::Equal;  // Quantified
  bool all = false;         // Quantified: All rather than Any or Some
  ExprPtr left;             // Quantified
};

struct SelectItem {
  ExprPtr expr;
  std::optional<std::string> alias;  // AS name
  std::string written;               // the expression as the statement writes it
};

enum class JoinKind : unsigned char { Inner, Left, Right };

// One element of FROM: a table or view, a derived table, or a join of two elements.
struct Source {
  enum class Kind : unsigned char { Table, Derived, Join } kind = Kind::Table;
  std::size_t offset = 0;
  std::string name;   // Table: as written
  std::string alias;  // as written; empty when none
  std::unique_ptr<Query> derived;
  JoinKind join = JoinKind::Inner;
  std::unique_ptr<Source> left;
  std::unique_ptr<Source> right;
  ExprPtr on;
};

struct Top {
  std::unique_ptr<NumberLiteral> count;
  bool percent = false;
};

// One SELECT without UNION or ORDER BY.
struct Select {
  std::size_t offset = 0;
  bool distinct = false;
  bool distinctRow = false;  // DISTINCTROW: whole rows of the joined tables that supply columns
  std::optional<Top> top;
  std::optional<Name> into;  // SELECT ... INTO table
  std::vector<SelectItem> items;
  std::vector<Source> from;  // comma-separated elements
  ExprPtr where;
  std::vector<ExprPtr> groupBy;
  ExprPtr having;
};

struct OrderItem {
  ExprPtr expr;
  bool descending = false;
  std::string written;  // the term as the statement writes it
};

// SELECT ... [UNION [ALL] SELECT ...] [ORDER BY ...].
struct Query {
  std::vector<Select> parts;
  std::vector<bool> unionAll;  // between parts[i] and parts[i + 1]
  std::vector<OrderItem> orderBy;
};

// What a relationship does to the rows that refer to a changed or deleted row.
struct ReferenceAction {
  enum class On : unsigned char { Update, Delete } on;
  enum class Does : unsigned char { Cascade, Restrict, NoAction, SetNull, SetDefault } does;
};

// PRIMARY KEY (...), UNIQUE (...), FOREIGN KEY (...) REFERENCES t [(...)] or CHECK (...) of
// CREATE TABLE and ALTER TABLE ... ADD CONSTRAINT; one written with a column names it.
struct Constraint {
  enum class Kind : unsigned char { PrimaryKey, Unique, ForeignKey, Check };
  Kind kind = Kind::PrimaryKey;
  std::size_t offset = 0;
  std::string name;  // CONSTRAINT name; empty when none
  std::vector<Name> columns;
  Name referencesTable;
  std::vector<Name> referencesColumns;
  std::vector<ReferenceAction> actions;
  ExprPtr check;
  bool descending = false;  // a column's PRIMARY KEY DESC
};

// A type as a declaration writes it: its words, and its size.
struct TypeName {
  JetTypeWord word = JetTypeWord::Variant;
  std::optional<int> size;   // COUNTER(start, step): the start
  std::optional<int> scale;  // COUNTER(start, step): the step
};

// A column in CREATE TABLE or ALTER TABLE ... ADD / ALTER COLUMN.
struct ColumnDef {
  std::size_t offset = 0;
  Name name;
  TypeName type;
  bool notNull = false;
  ExprPtr defaultValue;
  std::vector<Constraint> constraints;  // PRIMARY KEY, UNIQUE, REFERENCES, CHECK of the column
};

// A parameter that PARAMETERS or a procedure declares.
struct ParameterDecl {
  Name name;
  TypeName type;
};

enum class StatementKind : unsigned char {
  Select,
  SelectInto,
  Crosstab,
  Insert,
  Update,
  Delete,
  CreateTable,
  AlterTableAdd,
  AlterTableDrop,
  AlterColumn,
  AddConstraint,
  DropConstraint,
  DropTable,
  CreateIndex,
  DropIndex,
  CreateView,
  DropView,
  CreateProcedure,
  DropProcedure,
  Execute,
  Passthrough,  // a form the front end does not read: the engine gets it unchanged
};

struct Statement : JetNode {
  explicit Statement(StatementKind k) : kind(k) {}

  StatementKind kind;
  std::vector<ParameterDecl> parameters;  // PARAMETERS ...; before the statement
};
using StatementPtr = std::unique_ptr<Statement>;

// SELECT ... and SELECT ... INTO.
struct QueryStatement : Statement {
  using Statement::Statement;
  std::unique_ptr<Query> query;
};

// TRANSFORM value SELECT ... PIVOT expression [IN (values)].
struct CrosstabStatement : Statement {
  CrosstabStatement() : Statement(StatementKind::Crosstab) {}
  ExprPtr value;  // the aggregate that fills the cells
  std::unique_ptr<Query> query;
  ExprPtr pivot;
  std::vector<ExprPtr> pivotIn;  // the IN list; empty: every value the rows hold
};

// INSERT INTO t [(columns)] VALUES (...) | INSERT INTO t [(columns)] SELECT ...
struct InsertStatement : Statement {
  InsertStatement() : Statement(StatementKind::Insert) {}
  Name table;
  std::vector<Name> columns;
  std::vector<ExprPtr> values;
  std::unique_ptr<Query> query;
  // The values written as a literal alone (a number with its sign, a text, a date): where
  // each lies in the statement's text.
  struct LiteralValue {
    std::size_t begin;
    std::size_t end;
    std::size_t index;  // which of `values`
  };
  std::vector<LiteralValue> literalValues;
};

struct Assignment {
  std::unique_ptr<NameRef> column;
  ExprPtr value;
};

// UPDATE t SET ... [WHERE ...]; t may be a join.
struct UpdateStatement : Statement {
  UpdateStatement() : Statement(StatementKind::Update) {}
  Source source;
  std::vector<Assignment> assignments;
  ExprPtr where;
};

// DELETE [* | t.* | columns] FROM source [WHERE ...].
struct DeleteStatement : Statement {
  DeleteStatement() : Statement(StatementKind::Delete) {}
  std::optional<Name> table;  // DELETE t.* FROM ...
  Source source;
  ExprPtr where;
};

// CREATE [TEMP] TABLE [IF NOT EXISTS] t (...), and the forms of ALTER TABLE.
struct TableStatement : Statement {
  using Statement::Statement;
  Name table;
  bool temporary = false;
  bool ifNotExists = false;
  std::vector<ColumnDef> columns;       // CREATE TABLE; ALTER TABLE ADD, ALTER (one)
  std::vector<Constraint> constraints;  // CREATE TABLE; ADD CONSTRAINT (one)
  Name dropName;                        // ALTER TABLE ... DROP column | DROP CONSTRAINT c
};

// CREATE [UNIQUE] INDEX i ON t (...) [WITH PRIMARY | DISALLOW NULL | IGNORE NULL].
struct CreateIndexStatement : Statement {
  CreateIndexStatement() : Statement(StatementKind::CreateIndex) {}
  enum class Option : unsigned char { None, Primary, DisallowNull, IgnoreNull };
  struct Column {
    Name name;
    bool descending = false;
  };
  Name index;
  Name table;
  bool unique = false;
  std::vector<Column> columns;
  Option option = Option::None;
  std::size_t optionOffset = 0;
};

// DROP TABLE t | DROP INDEX i [ON t] | DROP VIEW v | DROP PROCEDURE p, each [IF EXISTS].
struct DropStatement : Statement {
  using Statement::Statement;
  Name name;
  std::optional<Name> table;  // DROP INDEX i ON t
  bool ifExists = false;
};

// CREATE VIEW v [(names)] AS SELECT ...
struct CreateViewStatement : Statement {
  CreateViewStatement() : Statement(StatementKind::CreateView) {}
  Name name;
  std::vector<Name> columns;
  std::unique_ptr<Query> query;
};

// CREATE PROCEDURE p [(]parameter type, ...[)] AS statement
struct CreateProcedureStatement : Statement {
  CreateProcedureStatement() : Statement(StatementKind::CreateProcedure) {}
  Name name;
  std::vector<ParameterDecl> declared;
  std::string parametersText;  // as written
  StatementPtr body;
  std::string bodyText;  // as written
};

// EXECUTE p [value, ...]
struct ExecuteStatement : Statement {
  ExecuteStatement() : Statement(StatementKind::Execute) {}
  Name procedure;
  std::vector<ExprPtr> arguments;
};

}  // namespace tarnwick::syntax
