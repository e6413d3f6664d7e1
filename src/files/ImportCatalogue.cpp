#include "files/ImportCatalogue.h"

#include <algorithm>

#include "data/Connection.h"
#include "data/SqlName.h"

namespace tarnwick {

ImportCatalogue::ImportCatalogue(Connection& other)
    : uniqueIndexes_(other.UniqueIndexes()),
      relationships_(other.Relationships()),
      savedQueries_(other.SavedQueries()) {}

bool ImportCatalogue::RefersToUnplaced(const std::string& table,
                                       const std::vector<std::string>& unplaced) const {
  return std::any_of(relationships_.begin(), relationships_.end(), [&](const auto& relationship) {
    return relationship.tableName == table && relationship.referencedTable != table &&
           std::find(unplaced.begin(), unplaced.end(), relationship.referencedTable) !=
               unplaced.end();
  });
}

std::vector<std::string> ImportCatalogue::ImportOrder(const std::vector<std::string>& names) const {
  std::vector<std::string> unplaced = names;
  std::vector<std::string> order;
  while (!unplaced.empty()) {
    auto next = std::find_if(unplaced.begin(), unplaced.end(), [&](const std::string& table) {
      return !RefersToUnplaced(table, unplaced);
    });
    if (next == unplaced.end()) next = unplaced.begin();  // a circle: catalogue order breaks it
    order.push_back(*next);
    unplaced.erase(next);
  }
  return order;
}

std::vector<SourceRelationship> ImportCatalogue::ForeignKeysOf(
    const std::string& table, const std::set<std::string>& imported) const {
  std::vector<SourceRelationship> foreignKeys;
  for (const SourceRelationship& relationship : relationships_) {
    if (relationship.tableName == table && (relationship.referencedTable == table ||
                                            imported.contains(relationship.referencedTable))) {
      foreignKeys.push_back(relationship);
    }
  }
  return foreignKeys;
}

std::vector<std::string> ImportCatalogue::UniqueIndexStatements(const std::string& table) const {
  std::vector<std::string> statements;
  for (const SourceIndex& index : uniqueIndexes_) {
    if (index.tableName != table) continue;
    std::string columns;
    for (std::size_t i = 0; i < index.columns.size(); ++i) {
      if (i > 0) columns += ", ";
      columns += SqlName(index.columns[i]);
      if (i < index.descending.size() && index.descending[i]) columns += " DESC";
    }
    statements.push_back("CREATE UNIQUE INDEX " + SqlName(table + "_" + index.indexName) + " ON " +
                         SqlName(table) + " (" + columns + ");");
  }
  return statements;
}

}  // namespace tarnwick
