#pragma once
#include <string>
#include <vector>

#include "data/SourceCatalogue.h"

namespace tarnwick {

class Table;
class KeyRowset;

// The positions (from 0) of the source table's key fields in key order, each found from the
// column name that a row of the filtered key rowset carries. A key row that names no field of
// the table gives no entry, and a field appears once.
std::vector<int> KeyPositions(const Table& source, KeyRowset& keys);

// The CREATE TABLE statement that makes a table like the open source table in the current
// database: each field with the type its source declares (a Jet file's "TEXT(50)",
// "CURRENCY"...) or else the type name of its kind, the key from the filtered key rowset, and
// one FOREIGN KEY clause per relationship given.
// A key of one field is marked " Primary Key" after that field, as in
// "CREATE TABLE Items (ID COUNTER Primary Key, Name CHAR);"; a key of several fields becomes
// one "Primary Key (...)" clause at the end, since a table has only one key. Names that are
// not plain identifiers are bracketed.
std::string BuildCreateTableSql(const Table& source, KeyRowset& keys,
                                const std::vector<SourceRelationship>& foreignKeys = {});

// The same statement as the Jet front end takes it (UTF-8), with the table under the name the
// engine keeps (see Table::EngineName), which console text may not be able to spell.
std::string BuildEngineCreateTableSql(const Table& source, KeyRowset& keys,
                                      const std::vector<SourceRelationship>& foreignKeys = {});

}  // namespace tarnwick
