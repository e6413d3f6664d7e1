#pragma once
// What the import takes from the other database besides each table's columns, key and rows:
// the order of its tables, their foreign keys and unique indexes, its saved queries.
#include <set>
#include <string>
#include <vector>

#include "data/SourceCatalogue.h"

namespace tarnwick {

class Connection;

class ImportCatalogue {
 public:
  // Reads it through the other database's connection (Jet files declare it; our engine's
  // files give nothing here). Throws TarnwickError when it cannot be read.
  explicit ImportCatalogue(Connection& other);

  // The tables in the order they are imported: each after the tables it refers to, so that
  // its rows find the rows they refer to; otherwise, and among tables that refer to each
  // other in a circle, in catalogue order.
  std::vector<std::string> ImportOrder(const std::vector<std::string>& names) const;

  // The relationships of a table that become its foreign keys: those whose referenced table
  // was imported before it (or is the table itself).
  std::vector<SourceRelationship> ForeignKeysOf(const std::string& table,
                                                const std::set<std::string>& imported) const;

  // The statements that make a table's unique indexes, named table + "_" + index since an
  // index name is the database's and not the table's in our engine.
  std::vector<std::string> UniqueIndexStatements(const std::string& table) const;

  const std::vector<SavedQuery>& SavedQueries() const { return savedQueries_; }

 private:
  bool RefersToUnplaced(const std::string& table, const std::vector<std::string>& unplaced) const;

  std::vector<SourceIndex> uniqueIndexes_;
  std::vector<SourceRelationship> relationships_;
  std::vector<SavedQuery> savedQueries_;
};

}  // namespace tarnwick
