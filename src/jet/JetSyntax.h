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
  EngineModulo,    // % (the engine's remainder)
  Add,             // +
  Subtract,        // -
  Concat,          // &
  EngineConcat,    // || (the engine's join, NULL makes NULL)
  Equal,           // =
  NotEqual,        // <> (also the engine's !=)
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
  Number,     // text: the number as written
  Text,       // text: the value, quotes removed
  Date,       // text: the value as "YYYY-MM-DD HH:MM:SS"
  Null,       // NULL
  Blob,       // text: the engine's literal of bytes as written, x'0A1B'
  Parameter,  // ?: a value bound when the statement runs
  Name,       // [qualifier.]text; bound to a column, a select-list alias or a constant
  Star,       // * or qualifier.*: in a select list, or as the argument of Count
  Unary,      // op, args[0]
  Binary,     // op, args[0] and args[1]
  Like,       // args[0] Like args[1]; negated for Not Like
  Between,    // args[0] Between args[1] And args[2]
  InList,     // args[0] In (args[1], ...)
  InQuery,    // args[0] In (query)
  IsNull,     // args[0] Is [Not] Null
  Call,       // text(args...): a function of the library, an aggregate or an engine function
  Subquery,   // (query): one value
  Exists,     // Exists (query)
  Case,       // the engine's CASE: args are [operand], then WHEN/THEN pairs, then [ELSE]
};

// What a name stands for, once bound.
enum class JetNameBinding : unsigned char {
  Unbound,
  Column,    // a column of a source in scope (scopeDepth outward, source index)
  Alias,     // a select-list item named by AS (ORDER BY only)
  Constant,  // True, False, Yes, No, On, Off where no column has that name: boolValue
};

struct JetExpr;
using JetExprPtr = std::unique_ptr<JetExpr>;

struct JetExpr {
  JetExprKind kind;
  std::size_t offset = 0;  // where it starts in the statement's text
  JetOp op = JetOp::Add;
  bool negated = false;
  bool hasOperand = false;  // Case: the first arg is the operand of CASE x WHEN ...
  bool hasElse = false;     // Case: the last arg is the ELSE value
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
  std::size_t aliasIndex = 0;             // Alias: the select item
  const JetFunction* function = nullptr;  // Call: the library's function, if it is one
  bool aggregate = false;                 // Call: an aggregate of any kind

  JetExpr(JetExprKind k, std::size_t at) : kind(k), offset(at) {}
};

struct JetSelectItem {
  JetExprPtr expr;
  std::optional<std::string> alias;  // AS name
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
  std::vector<JetSelectItem> items;
  std::vector<JetSource> from;  // comma-separated elements
  JetExprPtr where;
  std::vector<JetExprPtr> groupBy;
  JetExprPtr having;
};

struct JetOrderItem {
  JetExprPtr expr;
  bool descending = false;
};

// A result column as the statement delivers it.
struct JetResultColumn {
  std::string name;  // empty: nameless (the data access layer names it)
  JetTypeInfo type;
};

// SELECT ... [UNION [ALL] SELECT ...] [ORDER BY ...] [LIMIT n [OFFSET m]].
struct JetQuery {
  std::vector<JetSelect> parts;
  std::vector<bool> unionAll;  // between parts[i] and parts[i + 1]
  std::vector<JetOrderItem> orderBy;
  JetExprPtr limit;   // the engine's LIMIT
  JetExprPtr offset;  // the engine's OFFSET

  // Bound: the result columns, in order.
  std::vector<JetResultColumn> columns;
};

// A column in CREATE TABLE or ALTER TABLE ... ADD.
struct JetColumnDef {
  std::size_t offset = 0;
  std::string name;
  std::string typeName;  // the type's words, upper case, single spaces between them
  std::optional<int> size;
  std::optional<int> scale;
  bool notNull = false;
  bool primaryKey = false;
  bool descendingKey = false;
  bool autoIncrementWritten = false;  // the engine's PRIMARY KEY AUTOINCREMENT
  bool unique = false;
  JetExprPtr defaultValue;
  JetExprPtr check;
  std::string referencesTable;  // REFERENCES t [(c)]
  std::vector<std::string> referencesColumns;
  std::string referenceActions;  // " ON UPDATE CASCADE ON DELETE SET NULL", as the engine reads it
};

// PRIMARY KEY (...), UNIQUE (...) or FOREIGN KEY (...) REFERENCES t [(...)] of CREATE TABLE.
struct JetTableConstraint {
  enum class Kind : unsigned char { PrimaryKey, Unique, ForeignKey, Check } kind;
  std::string name;  // CONSTRAINT name; empty when none
  std::vector<std::string> columns;
  std::string referencesTable;
  std::vector<std::string> referencesColumns;
  std::string referenceActions;
  JetExprPtr check;
};

struct JetIndexColumn {
  std::string name;
  bool descending = false;
};

enum class JetStatementKind : unsigned char {
  Select,
  Insert,
  Update,
  Delete,
  CreateTable,
  AlterTableAdd,
  AlterTableDrop,
  DropTable,
  CreateIndex,
  DropIndex,
  CreateView,
  DropView,
  Passthrough,  // a form the front end does not read: the engine gets it unchanged
};

struct JetStatement {
  JetStatementKind kind = JetStatementKind::Passthrough;
  std::unique_ptr<JetQuery> query;  // Select, CreateView, Insert ... SELECT
  std::string table;                // the statement's table (or index, or view, for Drop*)
  std::string indexTable;           // CreateIndex: the table
  bool temporary = false;           // CREATE TEMP TABLE
  bool ifNotExists = false;
  bool unique = false;                        // CREATE UNIQUE INDEX
  std::vector<std::string> columns;           // INSERT's column list; CREATE VIEW's names
  std::vector<std::vector<JetExprPtr>> rows;  // INSERT ... VALUES
  std::vector<std::pair<std::string, JetExprPtr>> assignments;  // UPDATE ... SET
  JetExprPtr where;                                             // UPDATE, DELETE
  std::vector<JetColumnDef> columnDefs;         // CREATE TABLE, ALTER TABLE ADD (one)
  std::vector<JetTableConstraint> constraints;  // CREATE TABLE
  std::vector<JetIndexColumn> indexColumns;     // CREATE INDEX
  std::string dropColumn;                       // ALTER TABLE ... DROP

  // Bound: the target table (Insert, Update, Delete, CreateIndex, AlterTable*).
  JetSchemaTable target;
};

}  // namespace tarnwick
