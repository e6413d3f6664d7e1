#pragma once
// The syntax tree of one Jet SQL statement, as the parser builds it. The binder then fills in
// the fields marked "bound": what each name refers to and each expression's Jet type.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jet/JetSchema.h"
#include "jet/JetType.h"

namespace tarnwick {

struct JetFunction;
struct JetQuery;

enum class JetOp : unsigned char {
  Power,           // ^
  Negate,          // unary -
  UnaryPlus,       // unary +
  Multiply,        // *
  Divide,          // /
  IntDivide,       // '\'
  Modulo,          // Mod
  Add,             // +
  Subtract,        // -
  Concat,          // &
  Equal,           // =
  NotEqual,        // <>
  Less,            // <
  Greater,         // >
  LessOrEqual,     // <=
  GreaterOrEqual,  // >=
  Not,
  And,
  Or,
  Xor,
  Eqv,
  Imp,
};

constexpr bool IsComparison(JetOp op) {
  return op == JetOp::Equal || op == JetOp::NotEqual || op == JetOp::Less || op == JetOp::Greater ||
         op == JetOp::LessOrEqual || op == JetOp::GreaterOrEqual;
}

enum class JetExprKind : unsigned char {
  Number,      // text: the number as written
  Text,        // text: the value, quotes removed
  Date,        // text: the value as "YYYY-MM-DD HH:MM:SS"
  Null,        // NULL
  Blob,        // text: the engine's literal of bytes as written, x'0A1B'
  Parameter,   // ?: a value bound when the statement runs
  Name,        // [qualifier.]text; bound to a column, a select-list alias or a constant
  Star,        // * or qualifier.*: in a select list, or as the argument of Count
  Unary,       // op, args[0]
  Binary,      // op, args[0] and args[1]
  Like,        // args[0] Like args[1]; negated for Not Like
  Between,     // args[0] Between args[1] And args[2]
  InList,      // args[0] In (args[1], ...)
  InQuery,     // args[0] In (query)
  IsNull,      // args[0] Is [Not] Null
  Call,        // text(args...): a function of the library, an aggregate or an engine function
  Subquery,    // (query): one value
  Exists,      // Exists (query)
  Quantified,  // args[0] op Any|Some|All (query): quantifierAll for All
};

// What a name stands for, once bound.
enum class JetNameBinding : unsigned char {
  Unbound,
  Column,     // a column of a source in scope (scopeDepth outward, source index)
  Alias,      // a select-list item named by AS (ORDER BY only)
  Constant,   // True, False, Yes, No, On, Off where no column has that name: boolValue
  Parameter,  // a parameter the statement declares (PARAMETERS, a procedure's): aliasIndex
};

struct JetExpr;
using JetExprPtr = std::unique_ptr<JetExpr>;

struct JetExpr {
  JetExprKind kind;
  std::size_t offset = 0;  // where it starts in the statement's text
  JetOp op = JetOp::Add;
  bool negated = false;
  bool quantifierAll = false;  // Quantified: All rather than Any or Some
  std::string text;
  std::string qualifier;
  std::vector<JetExprPtr> args;
  std::unique_ptr<JetQuery> query;

  // Bound.
  JetTypeInfo type;
  JetNameBinding binding = JetNameBinding::Unbound;
  bool boolValue = false;
  std::string sourceAlias;                // Column: the name the generated SQL qualifies it with
  std::string columnName;                 // Column: the column's name as the catalogue has it
  std::size_t aliasIndex = 0;             // Alias: the select item; Parameter: its position
  const JetFunction* function = nullptr;  // Call: the library's function, if it is one
  bool aggregate = false;                 // Call: an aggregate of any kind

  JetExpr(JetExprKind k, std::size_t at) : kind(k), offset(at) {}
};

struct JetSelectItem {
  JetExprPtr expr;
  std::optional<std::string> alias;  // AS name
  std::string written;               // the expression as the statement writes it
};

enum class JetJoinKind : unsigned char { Inner, Left, Right };

// One element of FROM: a table or view, a derived table, or a join of two elements.
struct JetSource {
  enum class Kind : unsigned char { Table, Derived, Join } kind = Kind::Table;
  std::size_t offset = 0;
  std::string name;   // Table: as written
  std::string alias;  // as written; empty when none
  std::unique_ptr<JetQuery> derived;
  JetJoinKind join = JetJoinKind::Inner;
  std::unique_ptr<JetSource> left;
  std::unique_ptr<JetSource> right;
  JetExprPtr on;

  // Bound (Table and Derived): the name the generated SQL uses for it, and its columns.
  std::string boundName;   // Table: the catalogue's name
  std::string boundAlias;  // the qualifier of its columns in the generated SQL
  std::vector<JetSchemaColumn> columns;
};

// One SELECT without UNION or ORDER BY.
struct JetSelect {
  std::size_t offset = 0;
  bool distinct = false;
  bool distinctRow = false;  // DISTINCTROW: whole rows of the joined tables that supply columns
  JetExprPtr top;            // TOP n: a number
  bool topPercent = false;   // TOP n PERCENT
  std::string into;          // SELECT ... INTO table: the table made (first SELECT only)
  std::vector<JetSelectItem> items;
  std::vector<JetSource> from;  // comma-separated elements
  JetExprPtr where;
  std::vector<JetExprPtr> groupBy;
  JetExprPtr having;
};

struct JetOrderItem {
  JetExprPtr expr;
  bool descending = false;
  std::string written;  // the term as the statement writes it
};

// A result column as the statement delivers it.
struct JetResultColumn {
  std::string name;  // empty: nameless (the data access layer names it)
  JetTypeInfo type;
};

// SELECT ... [UNION [ALL] SELECT ...] [ORDER BY ...].
struct JetQuery {
  std::vector<JetSelect> parts;
  std::vector<bool> unionAll;  // between parts[i] and parts[i + 1]
  std::vector<JetOrderItem> orderBy;

  // Bound: the result columns, in order.
  std::vector<JetResultColumn> columns;
};

// PRIMARY KEY (...), UNIQUE (...), FOREIGN KEY (...) REFERENCES t [(...)] or CHECK (...) of
// CREATE TABLE and ALTER TABLE ... ADD CONSTRAINT. A constraint written with a column stands
// here too, its column named.
struct JetTableConstraint {
  enum class Kind : unsigned char { PrimaryKey, Unique, ForeignKey, Check } kind;
  std::string name;  // CONSTRAINT name; empty when none
  std::vector<std::string> columns;
  std::string referencesTable;
  std::vector<std::string> referencesColumns;
  std::string referenceActions;  // " ON UPDATE CASCADE ON DELETE SET NULL", as the engine reads it
  JetExprPtr check;
  bool descending = false;  // a column's PRIMARY KEY DESC
};

// A column in CREATE TABLE or ALTER TABLE ... ADD / ALTER COLUMN.
struct JetColumnDef {
  std::size_t offset = 0;
  std::string name;
  std::string typeName;      // the type's words, upper case, single spaces between them
  std::optional<int> size;   // COUNTER(start, step): the start
  std::optional<int> scale;  // COUNTER(start, step): the step
  bool notNull = false;
  JetExprPtr defaultValue;
  // PRIMARY KEY, UNIQUE, REFERENCES and CHECK written with the column.
  std::vector<JetTableConstraint> constraints;
};

// A parameter that PARAMETERS or a procedure declares.
struct JetParameter {
  std::string name;
  std::string typeName;  // as written, with its size: "TEXT(10)"
  JetTypeInfo type;      // bound
  JetExprPtr value;      // EXECUTE's value; nullptr: none given
};

// TRANSFORM value SELECT ... PIVOT expression [IN (values)].
struct JetCrosstab {
  JetExprPtr value;  // the aggregate that fills the cells
  JetExprPtr pivot;
  std::vector<JetExprPtr> pivotIn;  // the IN list; empty: every value the rows hold
  // Bound: the pivot values, each a literal (Null for the rows whose pivot value is NULL).
  std::vector<JetExprPtr> columns;
};

struct JetIndexColumn {
  std::string name;
  bool descending = false;
};

enum class JetStatementKind : unsigned char {
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

// CREATE INDEX ... WITH PRIMARY | DISALLOW NULL | IGNORE NULL.
enum class JetIndexOption : unsigned char { None, Primary, DisallowNull, IgnoreNull };

struct JetStatement {
  JetStatementKind kind = JetStatementKind::Passthrough;
  std::unique_ptr<JetQuery> query;  // Select, SelectInto, CreateView, Insert ... SELECT, Crosstab
  std::string table;                // the statement's table (or index, view, procedure)
  std::string indexTable;           // CreateIndex, DropIndex: the table
  bool temporary = false;           // CREATE TEMP TABLE
  bool ifNotExists = false;
  bool unique = false;  // CREATE UNIQUE INDEX
  JetIndexOption indexOption = JetIndexOption::None;
  std::vector<std::string> columns;  // INSERT's column list; CREATE VIEW's names
  std::vector<JetExprPtr> values;    // INSERT ... VALUES
  std::vector<std::pair<JetExprPtr, JetExprPtr>> assignments;  // UPDATE ... SET column = value
  std::unique_ptr<JetSource> source;            // UPDATE's table or join; DELETE's FROM
  std::string deleteTable;                      // DELETE t.* FROM ...: t; empty for DELETE [*] FROM
  JetExprPtr where;                             // UPDATE, DELETE
  std::vector<JetColumnDef> columnDefs;         // CREATE TABLE; ALTER TABLE ADD, ALTER (one)
  std::vector<JetTableConstraint> constraints;  // CREATE TABLE; ADD CONSTRAINT (one)
  std::vector<JetIndexColumn> indexColumns;     // CREATE INDEX
  std::string dropName;                         // ALTER TABLE ... DROP column | CONSTRAINT c
  std::vector<JetParameter> parameters;         // PARAMETERS; CREATE PROCEDURE's
  std::unique_ptr<JetStatement> body;           // CREATE PROCEDURE: the statement
  std::string bodyText;                         // CREATE PROCEDURE: the statement as written
  std::string parametersText;                   // CREATE PROCEDURE: the parameters as written
  std::vector<JetExprPtr> arguments;            // EXECUTE's values
  std::unique_ptr<JetCrosstab> crosstab;

  // Bound: the target table (Insert, Update, Delete, CreateIndex, AlterTable*, DropTable) and,
  // for UPDATE and DELETE through a join, the target's source in it.
  JetSchemaTable target;
  JetSource* targetSource = nullptr;
  bool referenced = false;  // other tables' foreign keys refer to the target
};

}  // namespace tarnwick
