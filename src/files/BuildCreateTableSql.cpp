#include "files/BuildCreateTableSql.h"

#include <algorithm>

#include "data/Dataset.h"
#include "data/FieldTypeName.h"
#include "data/KeyRowset.h"
#include "data/SqlName.h"
#include "text/AsciiCase.h"
#include "text/Cp932.h"

namespace tarnwick {
namespace {

// Column names match without regard to letter case, as the engine matches them.
int FieldPosition(const Table& source, const std::string& name) {
  for (int i = 0; i < source.FieldCount(); ++i) {
    if (EqualsIgnoringAsciiCase(source.FieldAt(i).Name(), name)) return i;
  }
  return -1;
}

std::string NameList(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) {
    if (!list.empty()) list += ", ";
    list += SqlName(name);
  }
  return list;
}

// The type name of a field's kind; the kinds the type-name table does not name (a whole number
// wider than LONG, a GUID) by their Jet names, so that the table can be made.
std::string_view ImportTypeName(TFieldType kind) {
  if (kind == ftLargeint) return "BIGINT";
  if (kind == ftGuid) return "GUID";
  return FieldTypeName(kind);
}

std::string ForeignKeyClause(const SourceRelationship& relationship) {
  std::string clause = ", FOREIGN KEY (" + NameList(relationship.columns) + ") REFERENCES " +
                       SqlName(relationship.referencedTable) + " (" +
                       NameList(relationship.referencedColumns) + ")";
  if (relationship.cascadeUpdates) clause += " ON UPDATE CASCADE";
  if (relationship.cascadeDeletes) clause += " ON DELETE CASCADE";
  return clause;
}

}  // namespace

std::vector<int> KeyPositions(const Table& source, KeyRowset& keys) {
  std::vector<std::pair<std::int64_t, int>> byOrdinal;
  for (keys.First(); !keys.Eof(); keys.Next()) {
    const int position = FieldPosition(source, keys.Current().columnName);
    if (position >= 0) byOrdinal.emplace_back(keys.Current().ordinal, position);
  }
  std::stable_sort(byOrdinal.begin(), byOrdinal.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<int> positions;
  for (const auto& [ordinal, position] : byOrdinal) {
    if (std::find(positions.begin(), positions.end(), position) == positions.end()) {
      positions.push_back(position);
    }
  }
  return positions;
}

namespace {

// The statement after the table's name: " (" + the fields, the key and the foreign keys + ");".
std::string ColumnsAndKeys(const Table& source, KeyRowset& keys,
                           const std::vector<SourceRelationship>& foreignKeys) {
  const std::vector<int> key = KeyPositions(source, keys);
  std::string sql = " (";
  for (int i = 0; i < source.FieldCount(); ++i) {
    const Field& field = source.FieldAt(i);
    sql += SqlName(field.Name());
    sql += ' ';
    sql += field.DeclaredType().empty() ? ImportTypeName(field.Kind()) : field.DeclaredType();
    if (key.size() == 1 && key.front() == i) sql += " Primary Key";
    if (i + 1 < source.FieldCount()) sql += ", ";
  }
  if (key.size() > 1) {
    sql += ", Primary Key (";
    for (std::size_t k = 0; k < key.size(); ++k) {
      if (k > 0) sql += ", ";
      sql += SqlName(source.FieldAt(key[k]).Name());
    }
    sql += ')';
  }
  for (const SourceRelationship& relationship : foreignKeys) sql += ForeignKeyClause(relationship);
  sql += ");";
  return sql;
}

// A name (UTF-8) as a statement of the front end carries it: as SqlName writes it when console
// text spells it and gives back the same characters (U+301C, for one, comes back as U+FF5E),
// else in brackets (in double quotes when it holds a ']').
std::string EngineSqlName(const std::string& utf8Name) {
  if (const auto sjis = Utf8ToSjisExactly(utf8Name); sjis && SjisToUtf8(*sjis) == utf8Name) {
    return SjisToUtf8(SqlName(*sjis));
  }
  if (utf8Name.find(']') != std::string::npos) return QuotedName(utf8Name);
  return "[" + utf8Name + "]";
}

}  // namespace

std::string BuildCreateTableSql(const Table& source, KeyRowset& keys,
                                const std::vector<SourceRelationship>& foreignKeys) {
  return "CREATE TABLE " + SqlName(source.TableName()) + ColumnsAndKeys(source, keys, foreignKeys);
}

std::string BuildEngineCreateTableSql(const Table& source, KeyRowset& keys,
                                      const std::vector<SourceRelationship>& foreignKeys) {
  return "CREATE TABLE " + EngineSqlName(source.EngineName()) +
         SjisToUtf8(ColumnsAndKeys(source, keys, foreignKeys));
}

}  // namespace tarnwick
