// INSERT, UPDATE and DELETE: every value stored is first converted to its column's type as
// Jet converts it, and refused when it does not convert.
#include <algorithm>
#include <cstdint>
#include <string>

#include "jet/JetLexer.h"
#include "jet/JetSqlText.h"
#include "jet/JetSqlWriter.h"
#include "jet/JetTypeNames.h"
#include "jet/functions/JetFunctions.h"

namespace tarnwick {

namespace {

const JetSchemaColumn& ColumnNamed(const JetSchemaTable& table, const std::string& name) {
  return *std::find_if(table.columns.begin(), table.columns.end(),
                       [&](const JetSchemaColumn& column) { return column.name == name; });
}

// YESNO columns that an INSERT leaves out and whose table gives no default: they hold False,
// as Jet's do, also in tables made before the default was declared.
std::vector<std::string> LeftOutYesNo(const JetStatement& statement) {
  std::vector<std::string> columns;
  for (const JetSchemaColumn& column : statement.target.columns) {
    if (column.type.type != JetType::Boolean || column.hasDefault) continue;
    if (std::find(statement.columns.begin(), statement.columns.end(), column.name) ==
        statement.columns.end()) {
      columns.push_back(column.name);
    }
  }
  return columns;
}

// The size argument jet_store takes: TEXT(n) and BINARY(n) n, DECIMAL(p, s) p * 100 + s.
int StoreSize(const JetTypeInfo& type) {
  if (type.type == JetType::Decimal) return type.size > 0 ? type.size * 100 + type.scale : 0;
  return type.size;
}

// The characters of a UTF-8 text.
std::size_t CharacterCount(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// An integer literal's value within [low, high].
bool WholeWithin(const std::string& text, bool negative, std::int64_t low, std::int64_t high) {
  if (text.find_first_not_of("0123456789") != std::string::npos || text.size() > 18) return false;
  const std::int64_t value = std::stoll(text) * (negative ? -1 : 1);
  return value >= low && value <= high;
}

// A literal that converting to the column's type gives back as it is: it goes into the
// statement unchanged, which spares the engine one call for every value of a long script.
bool StoresUnchanged(const JetExpr& value, const JetTypeInfo& column) {
  const JetExpr* literal = &value;
  const bool negative = value.kind == JetExprKind::Unary && value.op == JetOp::Negate;
  if (negative) literal = value.args[0].get();
  const std::string& text = literal->text;
  switch (literal->kind) {
    case JetExprKind::Null:
      return !negative && column.type != JetType::Boolean;
    case JetExprKind::Text:
      return !negative && (column.type == JetType::Memo ||
                           (column.type == JetType::Text &&
                            CharacterCount(text) <= static_cast<std::size_t>(column.size)));
    case JetExprKind::Date:
      return !negative && column.type == JetType::DateTime;
    case JetExprKind::Name:
      // True and False: -1 and 0 in every type that holds them.
      return !negative && literal->binding == JetNameBinding::Constant &&
             (column.type == JetType::Boolean || column.type == JetType::Short ||
              column.type == JetType::Long || column.type == JetType::BigInt);
    case JetExprKind::Number:
      break;
    default:
      return false;
  }
  switch (column.type) {
    case JetType::Byte:
      return WholeWithin(text, negative, 0, 255);
    case JetType::Short:
      return WholeWithin(text, negative, -32768, 32767);
    case JetType::Long:
      return WholeWithin(text, negative, INT32_MIN, INT32_MAX);
    case JetType::BigInt:
      return WholeWithin(text, negative, INT64_MIN + 1, INT64_MAX);
    case JetType::Double:
      return true;
    case JetType::Currency: {
      // Up to four decimals and well within the range: the value the engine reads is the one
      // that rounding to four decimals gives.
      const std::size_t point = text.find('.');
      const std::string whole = text.substr(0, point);
      return text.find_first_of("eE") == std::string::npos &&
             (point == std::string::npos || text.size() - point - 1 <= 4) &&
             WholeWithin(whole.empty() ? "0" : whole, negative, -99999999999, 99999999999);
    }
    default:
      return false;
  }
}

}  // namespace

std::string JetSqlWriter::Stored(const JetExpr& value, const JetTypeInfo& column,
                                 std::string_view columnName) {
  const std::string_view storeType = StoreTypeName(column);
  std::string text = Value(value);
  if (storeType.empty() || StoresUnchanged(value, column)) return text;
  std::string call = std::string(kJetStore) + "(" + text + ", " + EngineText(storeType);
  const int size = StoreSize(column);
  if (size > 0 || !columnName.empty()) call += ", " + std::to_string(size);
  if (!columnName.empty()) call += ", " + EngineText(columnName);
  return call + ")";
}

std::string JetSqlWriter::Insert(const JetStatement& statement) {
  const std::vector<std::string> yesNo = LeftOutYesNo(statement);
  std::string text = "INSERT INTO " + EngineName(statement.target.name) + " (";
  std::vector<std::string> columns = statement.columns;
  columns.insert(columns.end(), yesNo.begin(), yesNo.end());
  for (std::size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) text += ", ";
    text += EngineName(columns[i]);
  }
  text += ") ";
  std::vector<const JetTypeInfo*> types;
  for (const std::string& column : statement.columns) {
    types.push_back(&ColumnNamed(statement.target, column).type);
  }
  const auto appendLeftOut = [&] {
    for (std::size_t i = 0; i < yesNo.size(); ++i) text += ", 0";
  };
  if (statement.query) {
    // The query's columns, each converted, by position: SELECT jet_store(q."1", ...) FROM (...)
    std::vector<std::string> names;
    for (std::size_t i = 0; i < types.size(); ++i) names.push_back(std::to_string(i + 1));
    text += "SELECT ";
    for (std::size_t i = 0; i < types.size(); ++i) {
      if (i > 0) text += ", ";
      JetExpr column(JetExprKind::Name, 0);
      column.binding = JetNameBinding::Column;
      column.sourceAlias = "__jet_rows";
      column.columnName = names[i];
      column.type = statement.query->columns[i].type;
      text += Stored(column, *types[i], statement.columns[i]);
    }
    appendLeftOut();
    return text + " FROM (" + Query(*statement.query, &names) + ") AS \"__jet_rows\"";
  }
  text += "VALUES ";
  for (std::size_t r = 0; r < statement.rows.size(); ++r) {
    text += r == 0 ? "(" : ", (";
    const std::vector<JetExprPtr>& row = statement.rows[r];
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i > 0) text += ", ";
      text += Stored(*row[i], *types[i], statement.columns[i]);
    }
    appendLeftOut();
    text += ')';
  }
  return text;
}

std::string JetSqlWriter::Update(const JetStatement& statement) {
  std::string text = "UPDATE " + EngineName(statement.target.name) + " SET ";
  for (std::size_t i = 0; i < statement.assignments.size(); ++i) {
    const auto& [column, value] = statement.assignments[i];
    if (i > 0) text += ", ";
    text += EngineName(column) + " = " +
            Stored(*value, ColumnNamed(statement.target, column).type, column);
  }
  if (statement.where) text += " WHERE " + Condition(*statement.where);
  return text;
}

std::string JetSqlWriter::Delete(const JetStatement& statement) {
  std::string text = "DELETE FROM " + EngineName(statement.target.name);
  if (statement.where) text += " WHERE " + Condition(*statement.where);
  return text;
}

std::string JetSqlWriter::Statement(const JetStatement& statement) {
  switch (statement.kind) {
    case JetStatementKind::Select:
      return Query(*statement.query);
    case JetStatementKind::Insert:
      return Insert(statement);
    case JetStatementKind::Update:
      return Update(statement);
    case JetStatementKind::Delete:
      return Delete(statement);
    case JetStatementKind::CreateTable:
      return CreateTable(statement);
    case JetStatementKind::AlterTableAdd:
      return AlterTableAdd(statement);
    case JetStatementKind::AlterTableDrop:
      return "ALTER TABLE " + EngineName(statement.target.name) + " DROP COLUMN " +
             EngineName(statement.dropColumn);
    case JetStatementKind::DropTable:
      return Drop(statement, "TABLE");
    case JetStatementKind::DropIndex:
      return Drop(statement, "INDEX");
    case JetStatementKind::DropView:
      return Drop(statement, "VIEW");
    case JetStatementKind::CreateIndex:
      return CreateIndex(statement);
    case JetStatementKind::CreateView:
      return CreateView(statement);
    case JetStatementKind::Passthrough:
      break;
  }
  return {};
}

}  // namespace tarnwick
