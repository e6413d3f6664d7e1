#pragma once
// The open database's tables and views with their columns, as the table panel lists them and
// completion offers them. Names and type texts are UTF-8, the engine's own text.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class Connection;

struct OutlineColumn {
  std::string name;
  std::string type;  // Jet's declaration: "LONG", "TEXT(50)", "COUNTER"; empty when unknown
  bool key = false;  // part of the primary key
  bool operator==(const OutlineColumn&) const = default;
};

struct OutlineTable {
  std::string name;
  bool view = false;
  std::vector<OutlineColumn> columns;
  bool operator==(const OutlineTable&) const = default;
};

struct SchemaOutline {
  std::vector<OutlineTable> tables;  // in the order they were made
  // The table or view of that name, compared as the engine compares names.
  const OutlineTable* Find(std::string_view name) const;
  bool operator==(const SchemaOutline&) const = default;
};

// What the outline was read from: the database file and its definitions' version. Another
// database, or a definition changed by any connection, gives another one.
struct OutlineSource {
  std::string databasePath;
  std::int64_t version = -1;
  bool operator==(const OutlineSource&) const = default;
};

// The source of an open connection; nothing when it is closed (it is not opened for this).
// Reads two numbers from the engine and must not be called while a statement of the
// connection runs.
std::optional<OutlineSource> CurrentOutlineSource(Connection& connection,
                                                  std::string_view databasePath);

// Reads the outline of an open connection through its catalogue.
SchemaOutline ReadSchemaOutline(Connection& connection);

}  // namespace tarnwick
