#include "console/SchemaOutline.h"

#include <algorithm>

#include "data/Connection.h"
#include "data/EngineCatalogue.h"
#include "data/Statement.h"
#include "jet/JetLexer.h"
#include "jetlib/JetTypeNames.h"

namespace tarnwick {

namespace {

bool IsKeyColumn(const JetSchemaTable& table, const std::string& column) {
  return std::ranges::any_of(table.indexes, [&](const JetSchemaIndex& index) {
    return index.primaryKey && std::ranges::find(index.columns, column) != index.columns.end();
  });
}

OutlineTable OutlineOf(const JetSchemaTable& table) {
  OutlineTable outline{table.name, table.isView, {}};
  for (const JetSchemaColumn& column : table.columns) {
    outline.columns.push_back(
        {column.name, JetTypeDeclaration(column.type), IsKeyColumn(table, column.name)});
  }
  return outline;
}

}  // namespace

const OutlineTable* SchemaOutline::Find(std::string_view name) const {
  const auto found = std::ranges::find_if(
      tables, [&](const OutlineTable& table) { return SameJetName(table.name, name); });
  return found == tables.end() ? nullptr : &*found;
}

std::optional<OutlineSource> CurrentOutlineSource(Connection& connection,
                                                  std::string_view databasePath) {
  if (!connection.Connected() || connection.IsJetSource()) return std::nullopt;
  sqlite3* db = connection.Handle();
  // The two schema cookies move on with every change of a definition, in the file and in
  // the temporary tables.
  const std::int64_t version = QueryInteger(db, "PRAGMA main.schema_version") * 65536 +
                               QueryInteger(db, "PRAGMA temp.schema_version");
  return OutlineSource{std::string(databasePath), version};
}

SchemaOutline ReadSchemaOutline(Connection& connection) {
  SchemaOutline outline;
  EngineCatalogue& catalogue = connection.Catalogue();
  catalogue.Recheck();
  for (const std::string& name : catalogue.TableNames()) {
    if (const JetSchemaTable* table = catalogue.FindTable(name)) {
      outline.tables.push_back(OutlineOf(*table));
    }
  }
  return outline;
}

}  // namespace tarnwick
