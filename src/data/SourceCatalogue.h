#pragma once
// What a database to be imported declares beyond its tables' columns and primary keys: unique
// indexes, relationships and saved queries. Names are console text (Shift-JIS).
#include <string>
#include <vector>

#include "text/SavedQueryKind.h"

namespace tarnwick {

// A unique index other than the primary key.
struct SourceIndex {
  std::string tableName;
  std::string indexName;
  std::vector<std::string> columns;
  std::vector<bool> descending;  // one entry per column
};

// A relationship that the source enforces: the columns of `tableName` refer to those of
// `referencedTable`, which a unique index or the primary key covers.
struct SourceRelationship {
  std::string name;
  std::string tableName;
  std::vector<std::string> columns;
  std::string referencedTable;
  std::vector<std::string> referencedColumns;
  bool cascadeUpdates = false;
  bool cascadeDeletes = false;
};

struct SavedQuery {
  std::string name;
  SavedQueryKind kind = SavedQueryKind::Unknown;
  // A select or union query's Jet SQL (UTF-8, without ';'), and the PARAMETERS declaration
  // of a query that asks for values; empty for the other kinds.
  std::string utf8Sql;
  std::string utf8Parameters;
};

}  // namespace tarnwick
