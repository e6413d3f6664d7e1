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

std::string JetSqlWriter::InsertQuery(const std::string& table,
                                      const std::vector<std::string>& columns,
                                      const std::vector<const JetTypeInfo*>& types,
                                      const JetQuery& query,
                                      const std::vector<std::string>& leftOut) {
  std::string text = "INSERT INTO " + EngineName(table) + " (";
  std::vector<std::string> all = columns;
  all.insert(all.end(), leftOut.begin(), leftOut.end());
  for (std::size_t i = 0; i < all.size(); ++i) text += (i > 0 ? ", " : "") + EngineName(all[i]);
  // The query's columns, each converted, by position: SELECT jet_store(q."1", ...) FROM (...)
  std::vector<std::string> names;
  for (std::size_t i = 0; i < types.size(); ++i) names.push_back(std::to_string(i + 1));
  text += ") SELECT ";
  for (std::size_t i = 0; i < types.size(); ++i) {
    if (i > 0) text += ", ";
    JetExpr column(JetExprKind::Name, 0);
    column.binding = JetNameBinding::Column;
    column.sourceAlias = "__jet_rows";
    column.columnName = names[i];
    column.type = query.columns[i].type;
    text += Stored(column, *types[i], columns[i]);
  }
  for (std::size_t i = 0; i < leftOut.size(); ++i) text += ", 0";
  return text + " FROM (" + Query(query, &names) + ") AS \"__jet_rows\"";
}

std::string JetSqlWriter::Insert(const JetStatement& statement) {
  const std::vector<std::string> yesNo = LeftOutYesNo(statement);
  std::vector<const JetTypeInfo*> types;
  for (const std::string& column : statement.columns) {
    types.push_back(&ColumnNamed(statement.target, column).type);
  }
  if (statement.query) {
    return InsertQuery(statement.target.name, statement.columns, types, *statement.query, yesNo);
  }
  std::string text = "INSERT INTO " + EngineName(statement.target.name) + " (";
  std::vector<std::string> columns = statement.columns;
  columns.insert(columns.end(), yesNo.begin(), yesNo.end());
  for (std::size_t i = 0; i < columns.size(); ++i) {
    text += (i > 0 ? ", " : "") + EngineName(columns[i]);
  }
  text += ") VALUES (";
  for (std::size_t i = 0; i < statement.values.size(); ++i) {
    text += (i > 0 ? ", " : "") + Stored(*statement.values[i], *types[i], statement.columns[i]);
  }
  for (std::size_t i = 0; i < yesNo.size(); ++i) text += ", 0";
  return text + ")";
}

// A plain UPDATE of one table. Through a join, the changed table's rows are those the join
// holds, each taking its values from its row of the join (the first, should it match
// several): the join names the table __jet_row, so that it can find the row being changed.
std::string JetSqlWriter::Update(const JetStatement& statement) {
  const bool joined = statement.source->kind == JetSource::Kind::Join;
  if (joined) joinedTarget_ = statement.targetSource;
  const std::string table = EngineName(statement.target.name);
  std::string join;
  if (joined) {
    join = " FROM " + Source(*statement.source);
    if (statement.where) join += " WHERE (" + Condition(*statement.where) + ")";
  }
  const std::string thisRow = (statement.where ? " AND " : " WHERE ") + EngineName(kJoinedRowName) +
                              ".rowid = " + table + ".rowid";
  std::string text = "UPDATE " + table;
  if (!joined && !statement.source->alias.empty()) {
    text += " AS " + EngineName(statement.source->boundAlias);
  }
  text += " SET ";
  for (std::size_t i = 0; i < statement.assignments.size(); ++i) {
    const auto& [column, value] = statement.assignments[i];
    if (i > 0) text += ", ";
    const std::string stored =
        Stored(*value, ColumnNamed(statement.target, column->columnName).type, column->columnName);
    text += EngineName(column->columnName) + " = " +
            (joined ? "(SELECT " + stored + join + thisRow + " LIMIT 1)" : stored);
  }
  joinedTarget_ = nullptr;
  if (joined)
    return text + " WHERE rowid IN (SELECT " + EngineName(kJoinedRowName) + ".rowid" + join + ")";
  if (statement.where) text += " WHERE " + Condition(*statement.where);
  return text;
}

// DELETE FROM t [WHERE ...]; through a join, the rows of t that the join holds.
std::string JetSqlWriter::Delete(const JetStatement& statement) {
  std::string text = "DELETE FROM " + EngineName(statement.target.name);
  if (statement.source->kind != JetSource::Kind::Join) {
    if (!statement.source->alias.empty()) text += " AS " + EngineName(statement.source->boundAlias);
    if (statement.where) text += " WHERE " + Condition(*statement.where);
    return text;
  }
  joinedTarget_ = statement.targetSource;
  text += " WHERE rowid IN (SELECT " + EngineName(kJoinedRowName) + ".rowid FROM " +
          Source(*statement.source);
  if (statement.where) text += " WHERE " + Condition(*statement.where);
  joinedTarget_ = nullptr;
  return text + ")";
}

// SELECT ... INTO t: the table made with the Jet types of the result (a counter's numbers
// become LONG values), then filled.
std::string JetSqlWriter::SelectInto(const JetStatement& statement) {
  const JetQuery& query = *statement.query;
  std::string create = "CREATE TABLE " + EngineName(statement.table) + " (";
  std::vector<std::string> columns;
  std::vector<JetTypeInfo> types;
  for (std::size_t i = 0; i < query.columns.size(); ++i) {
    JetTypeInfo type = query.columns[i].type;
    type.autoNumber = false;
    type.jetDeclared = true;
    JetColumnDef column;
    column.name = query.columns[i].name;
    const std::string declaration = JetTypeDeclaration(type);
    const std::size_t open = declaration.find('(');
    column.typeName = declaration.substr(0, open);
    if (type.type == JetType::Text || type.type == JetType::Binary) column.size = type.size;
    if (type.type == JetType::Decimal && type.size > 0) {
      column.size = type.size;
      column.scale = type.scale;
    }
    if (i > 0) create += ", ";
    create += ColumnDefinition(column, 0);
    columns.push_back(column.name);
    types.push_back(
        JetTypeInfoOf(column.typeName, column.size.value_or(0), column.scale.value_or(0)));
  }
  Step(create + ")");
  std::vector<const JetTypeInfo*> typePointers;
  for (const JetTypeInfo& type : types) typePointers.push_back(&type);
  return InsertQuery(statement.table, columns, typePointers, query, {});
}

// A procedure is kept as its parameters and statement as written, in a table of the program's
// own.
std::string JetSqlWriter::CreateProcedure(const JetStatement& statement) {
  Step(std::string(kCreateProceduresTable));
  return "INSERT INTO " + EngineName(kProceduresTable) + " VALUES (" + EngineText(statement.table) +
         ", " + EngineText(statement.parametersText) + ", " + EngineText(statement.bodyText) + ")";
}

std::string JetSqlWriter::DropProcedure(const JetStatement& statement) {
  Step(std::string(kCreateProceduresTable));
  return "DELETE FROM " + EngineName(kProceduresTable) +
         " WHERE \"name\" = " + EngineText(statement.table);
}

void JetSqlWriter::Step(std::string sql, std::string failureWhenRows) {
  steps_.push_back({std::move(sql), std::move(failureWhenRows)});
}

std::string JetSqlWriter::Statement(const JetStatement& statement) {
  if (!statement.parameters.empty()) parameters_ = &statement.parameters;
  switch (statement.kind) {
    case JetStatementKind::Select:
      return Query(*statement.query);
    case JetStatementKind::SelectInto:
      return SelectInto(statement);
    case JetStatementKind::Crosstab:
      return Crosstab(statement);
    case JetStatementKind::Insert:
      return Insert(statement);
    case JetStatementKind::Update:
      return Update(statement);
    case JetStatementKind::Delete:
      return Delete(statement);
    case JetStatementKind::CreateTable:
      return CreateTable(statement);
    case JetStatementKind::AlterTableAdd:
    case JetStatementKind::AlterTableDrop:
    case JetStatementKind::AlterColumn:
    case JetStatementKind::AddConstraint:
      return AlterTable(statement);
    case JetStatementKind::DropConstraint:
      return DropConstraint(statement, statement.dropName);
    case JetStatementKind::DropTable:
      return DropTable(statement);
    case JetStatementKind::DropIndex:
      return DropIndex(statement);
    case JetStatementKind::DropView:
      return Drop(statement, "VIEW");
    case JetStatementKind::CreateIndex:
      return CreateIndex(statement);
    case JetStatementKind::CreateView:
      return CreateView(statement);
    case JetStatementKind::CreateProcedure:
      return CreateProcedure(statement);
    case JetStatementKind::DropProcedure:
      return DropProcedure(statement);
    case JetStatementKind::Execute:
      return Statement(*statement.body);
    case JetStatementKind::Passthrough:
      break;
  }
  return {};
}

}  // namespace tarnwick
