#pragma once
// What the front end needs to know of the open database: its tables and views, and each
// column's Jet type as its declaration gives it. The data access layer implements it.
#include <string>
#include <string_view>
#include <vector>

#include "jet/JetType.h"

namespace tarnwick {

// A Jet type with what its declaration adds.
struct JetTypeInfo {
  JetType type = JetType::Variant;
  int size = 0;   // TEXT(n), BINARY(n): the most characters or bytes; DECIMAL(p, s): p; 0: none
  int scale = 0;  // DECIMAL(p, s): s
  bool autoNumber = false;   // COUNTER: numbered by the engine as rows are added
  bool jetDeclared = false;  // declared with a Jet type name: values are converted on write

  bool operator==(const JetTypeInfo&) const = default;
};

struct JetSchemaColumn {
  std::string name;
  JetTypeInfo type;
  bool hasDefault = false;  // the table declares a default value for it
};

struct JetSchemaTable {
  std::string name;  // as the catalogue has it
  bool isView = false;
  std::vector<JetSchemaColumn> columns;
};

class JetSchema {
 public:
  virtual ~JetSchema() = default;
  // The table or view of that name, compared as the engine compares names; nullptr when the
  // database has none. The pointer stays valid until the catalogue changes.
  virtual const JetSchemaTable* FindTable(std::string_view name) = 0;
  // The names of the tables and views, for the closest one to a misspelt name.
  virtual std::vector<std::string> TableNames() { return {}; }
};

}  // namespace tarnwick
