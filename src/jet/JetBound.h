#pragma once
// The bound tree of one Jet statement, as the binder makes it from the syntax tree: every name
// resolved (the table, column or parameter it names, as the engine's statement names it), every
// call and operator resolved to the form the engine computes it in (JetOperators' rules and the
// function table), every expression's Jet type known, and every conversion Jet makes written
// out. A generator prints it as one engine's SQL and looks nothing up.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "jet/JetNode.h"
#include "jet/JetSchema.h"
#include "jet/JetSyntax.h"
#include "jetlib/JetOperators.h"
#include "jetlib/JetType.h"
#include "text/messages/Diagnostic.h"

namespace tarnwick::bound {

struct Query;

enum class ExprKind : unsigned char {
  Literal,        // a value written in the statement, or one of Jet's constants
  Column,         // a column of a table, a derived table or the rows being copied
  ValueOf,        // the value of another expression: an ORDER BY alias, a declared parameter
  Arithmetic,     // the engine's + - * over numbers of known types, left to right
  TextJoin,       // + of two texts
  Call,           // a function of the library or the engine (operators included)
  Concatenation,  // a & b & ...: the library's concat, NULL as empty text
  Comparison,     // a op b
  Logic,          // a And b And ..., a Or b Or ... of truth values
  Not,            // Not of a truth value
  Negate,         // - of a number of a known type
  AsValue,        // + of one operand: its value
  Like,           // value Like pattern
  Between,        // value Between low And high
  In,             // value In (list) or In (query)
  IsNull,         // value Is [Not] Null
  Exists,         // Exists (query)
  Subquery,       // (query): one value
  Quantified,     // left op Any|All (query)
  Convert,        // one of Jet's conversions, written out
};

struct Expr : JetNode {
  Expr(ExprKind k, JetTypeInfo t) : kind(k), type(t) {}

  const ExprKind kind;
  JetTypeInfo type;
};
using ExprPtr = std::unique_ptr<Expr>;

struct Literal : Expr {
  enum class Form : unsigned char { Number, Text, Date, Null, Blob, Truth, Parameter };
  Literal(Form f, JetTypeInfo t, std::string v)
      : Expr(ExprKind::Literal, t), form(f), text(std::move(v)) {}
  Form form;
  std::string text;    // Number, Blob: as written; Text, Date: the value; Truth: "-1" or "0"
  bool whole = false;  // Number: a whole number (no point, no exponent)
};

struct Column : Expr {
  Column(JetTypeInfo t, std::string s, std::string n)
      : Expr(ExprKind::Column, t), source(std::move(s)), name(std::move(n)) {}
  std::string source;  // what the engine's statement qualifies it with; empty: nothing
  std::string name;
};

struct ValueOf : Expr {
  ValueOf(JetTypeInfo t, const Expr* of, bool item = false)
      : Expr(ExprKind::ValueOf, t), target(of), ofItem(item) {}
  const Expr* target;
  bool ofItem;  // a select item's, which ORDER BY names or numbers
};

// The operands of an operation, in order.
struct Operation : Expr {
  using Expr::Expr;
  std::vector<ExprPtr> operands;
};

struct Arithmetic : Operation {
  explicit Arithmetic(JetTypeInfo t) : Operation(ExprKind::Arithmetic, t) {}
  std::vector<JetOp> ops;  // between operands[i] and operands[i + 1]
};

struct Call : Operation {
  Call(JetTypeInfo t, std::string_view f) : Operation(ExprKind::Call, t), function(f) {}
  std::string_view function;  // the engine's name
  bool star = false;          // Count(*)
  bool aggregate = false;     // counts only its own rows of a crosstab's cell
};

// Comparison, Between and In (list: the value, then the list's values): their operands as
// they are compared (dates through their key), text without regard to case where it is.
struct Compared : Operation {
  Compared(ExprKind k) : Operation(k, TypeOnly(JetType::Boolean)) {}
  JetOp op = JetOp::Equal;  // Comparison
  bool ignoringCase = false;
  bool negated = false;          // Between, In
  std::unique_ptr<Query> query;  // In (query)
};

struct Logic : Operation {
  Logic(JetTypeInfo t, JetOp o) : Operation(ExprKind::Logic, t), op(o) {}
  JetOp op;  // And, Or
};

struct LikeMatch : Operation {
  explicit LikeMatch(JetTypeInfo t) : Operation(ExprKind::Like, t) {}
  bool engines = false;  // the engine's LIKE; else the library's
  bool negated = false;
};

struct IsNullTest : Operation {
  IsNullTest() : Operation(ExprKind::IsNull, TypeOnly(JetType::Boolean)) {}
  bool negated = false;
};

// Exists, Subquery and Quantified.
struct QueryValue : Expr {
  QueryValue(ExprKind k, JetTypeInfo t) : Expr(k, t) {}
  std::unique_ptr<Query> query;
  bool all = false;    // Quantified: All rather than Any
  ExprPtr comparison;  // Quantified: left op the subquery's value, read as kQuantifiedValue
};

// The name the engine reads a query's rows by where a statement takes values from them: the
// rows of INSERT ... SELECT, of a table being made again, of a quantified comparison's
// subquery (whose one column is kQuantifiedValue).
inline constexpr std::string_view kRows = "__jet_rows";
inline constexpr std::string_view kQuantifiedValue = "__jet_value";

struct Convert : Expr {
  enum class To : unsigned char {
    DateKey,   // a date as its number of days, to compare and sort by
    Currency,  // rounded to four places
    NoCase,    // texts compared without regard to case
    Truth,     // a YESNO column read as a truth value (files of older versions hold True as 1)
    Stored,    // a value on its way into a column of `stored` (jet_store)
  };
  Convert(To t, JetTypeInfo type, ExprPtr v)
      : Expr(ExprKind::Convert, type), to(t), value(std::move(v)) {}
  To to;
  ExprPtr value;
  JetType stored = JetType::Variant;  // Stored: the column's type
  int size = 0;                       // Stored: TEXT(n), BINARY(n): n; DECIMAL(p, s): p * 100 + s
  std::optional<std::string> column;  // Stored: the column's name, for the message
};

struct Source {
  syntax::Source::Kind kind = syntax::Source::Kind::Table;
  std::string table;  // Table: the catalogue's name
  std::string alias;  // written after AS; empty: none
  std::unique_ptr<Query> derived;
  syntax::JoinKind join = syntax::JoinKind::Inner;
  std::unique_ptr<Source> left;
  std::unique_ptr<Source> right;
  ExprPtr on;
};

struct Item {
  ExprPtr expr;
  bool ignoringCase = false;  // DISTINCT and UNION compare whole rows: texts without case
};

struct Top {
  std::string count;  // as written
  bool percent = false;
};

struct Select {
  bool distinct = false;
  std::vector<Item> items;
  std::vector<Source> from;
  ExprPtr where;
  std::vector<Item> groupBy;
  ExprPtr having;
  // DISTINCTROW: the sources whose rows the result keeps apart (by their row numbers); empty
  // where it changes nothing.
  std::vector<std::string> distinctRows;
  std::optional<Top> top;
};

struct OrderItem {
  ExprPtr key;               // a single SELECT: what it sorts by
  std::size_t position = 0;  // a UNION: the result column (1-based)
  bool ignoringCase = false;
  bool descending = false;
};

// A result column as the statement delivers it.
struct ResultColumn {
  std::string name;  // empty: nameless (the data access layer names it)
  JetTypeInfo type;
};

struct Query {
  std::vector<Select> parts;
  std::vector<bool> unionAll;
  std::vector<OrderItem> orderBy;
  std::vector<ResultColumn> columns;
};

// A column as the engine's definition of a table writes it.
struct ColumnDef {
  std::string name;
  std::optional<JetTypeWord> word;  // nothing: no type
  std::optional<int> size;
  std::optional<int> scale;
  JetTypeInfo type;
  bool notNull = false;
  ExprPtr defaultValue;         // converted as a value stored in the column
  bool falseByDefault = false;  // a YESNO column without a default: False
  bool ignoringCase = false;    // a text column: its values compare without regard to case
};

struct Constraint {
  syntax::Constraint::Kind kind = syntax::Constraint::Kind::PrimaryKey;
  std::string name;
  std::vector<std::string> columns;
  std::string referencesTable;
  std::vector<std::string> referencesColumns;
  std::vector<syntax::ReferenceAction> actions;
  ExprPtr check;  // its columns unqualified
  bool descending = false;
};

// A table made again for a change the engine's ALTER TABLE cannot make.
struct Rebuild {
  const JetSchemaTable* table = nullptr;
  enum class Change : unsigned char {
    AddColumn,
    AlterColumn,
    DropColumn,
    AddConstraint,
    DropConstraint
  };
  Change change = Change::AddColumn;
  std::string name;                     // the column or constraint dropped
  std::optional<ColumnDef> column;      // the column added or changed
  std::vector<Constraint> constraints;  // the constraint added
  // The value each column of the old table brings over, by name (the changed one converted).
  std::vector<std::pair<std::string, ExprPtr>> copies;
  std::size_t offset = 0;  // the change's place, for a refusal of the rows
};

}  // namespace tarnwick::bound
