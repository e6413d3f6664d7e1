#pragma once
// What the front end needs to know of the open database: its tables and views, and each
// column's Jet type as its declaration gives it. The data access layer implements it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jetlib/JetType.h"

namespace tarnwick {

struct JetSchemaColumn {
  std::string name;
  JetTypeInfo type;
  bool hasDefault = false;  // the table declares a default value for it
  bool notNull = false;
};

// An index of a table: one the user made, or the one the engine keeps for a key.
struct JetSchemaIndex {
  std::string name;  // empty for a key's own index
  bool unique = false;
  bool primaryKey = false;
  std::vector<std::string> columns;
};

struct JetSchemaTable {
  std::string name;  // as the catalogue has it
  bool isView = false;
  bool temporary = false;
  std::vector<JetSchemaColumn> columns;
  std::vector<JetSchemaIndex> indexes;  // the primary key's and unique constraints' included
  // The engine's statements that made it: the table's own, then those of its indexes and
  // triggers that the program did not make itself (what a rebuild must make again).
  std::string definition;
  std::vector<std::string> otherDefinitions;
  // COUNTER: the column the program numbers itself (rather than by the engine's row number).
  std::string counterColumn;
  // The column that is the engine's row number (INTEGER PRIMARY KEY), if one is.
  std::string rowIdColumn;
  // The engine numbers that column itself (AUTOINCREMENT), keeping its last number apart.
  bool autoIncrement = false;
  // The table has no row numbers of the engine's (WITHOUT ROWID).
  bool withoutRowId = false;
};

// A stored procedure: its parameters and statement as written.
struct JetProcedure {
  std::string name;
  std::string parameters;  // "a LONG, b TEXT(10)"; empty when none
  std::string statement;
};

// One value of a column, as the engine delivers it.
struct JetValue {
  enum class Kind : unsigned char { Null, Integer, Real, Text } kind = Kind::Null;
  std::int64_t integer = 0;
  double real = 0;
  std::string text;  // UTF-8
};

class JetSchema {
 public:
  virtual ~JetSchema() = default;
  // The table or view of that name, compared as the engine compares names; nullptr when the
  // database has none. The pointer stays valid until the catalogue changes.
  virtual const JetSchemaTable* FindTable(std::string_view name) = 0;
  // The tables whose foreign keys refer to the table of that name (itself left out).
  virtual std::vector<std::string> ReferringTables(std::string_view name) = 0;
  // The stored procedure of that name; nothing when there is none.
  virtual std::optional<JetProcedure> FindProcedure(std::string_view name) = 0;
  // The values of the one column that a query of the engine's (UTF-8) gives, in order; for
  // the columns of a crosstab. Throws the engine's failure.
  virtual std::vector<JetValue> ColumnValues(std::string_view engineSql) = 0;
  // The names of the tables and views, for the closest one to a misspelt name.
  virtual std::vector<std::string> TableNames() { return {}; }
};

}  // namespace tarnwick
