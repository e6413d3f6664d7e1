#pragma once
// The objects a Jet file lists in its system catalogue (MSysObjects), read with the same row
// scan as every table so that deleted entries stay deleted. Private to the Jet reader.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "data/mdb/JetTableScan.h"

namespace tarnwick {

struct JetCatalogueObject {
  std::int32_t id = 0;
  std::string utf8Name;
  int type = 0;
  std::uint32_t flags = 0;

  unsigned long DefinitionPage() const { return static_cast<std::uint32_t>(id) & 0x00FFFFFF; }
  bool IsTable() const { return type == 1; }
  bool IsUserTable() const { return IsTable() && (flags & 0x80000002U) == 0; }
  bool IsQuery() const { return type == 5; }
};

class JetCatalogue {
 public:
  explicit JetCatalogue(const JetFileHandle& file);

  const std::vector<JetCatalogueObject>& Objects() const { return objects_; }
  std::vector<const JetCatalogueObject*> UserTables() const;
  // A user table by its console-text name, exactly or, failing that, in any letter case.
  const JetCatalogueObject* FindUserTable(std::string_view sjisName) const;
  const JetCatalogueObject* FindTable(std::string_view utf8Name) const;
  // The definition of a table, read once.
  const JetTableDefinition& Definition(const JetCatalogueObject& table);

 private:
  const JetFileHandle& file_;
  std::vector<JetCatalogueObject> objects_;
  std::map<std::int32_t, JetTableDefinition> definitions_;
};

}  // namespace tarnwick
