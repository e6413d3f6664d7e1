#pragma once
// A Jet (Microsoft Access) database file read through mdbtools' library: the catalogue, keys,
// indexes, relationships and saved queries, and the rows of its tables. Read-only: the file
// is opened for reading and nothing is ever written to it. Every read is bounded by the
// file's size, and what the library cannot be trusted to check (deleted and moved rows, long
// values, the values' bytes) is read and checked here.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/KeyRowset.h"
#include "data/RowSource.h"
#include "data/SourceCatalogue.h"

namespace tarnwick {

class JetDatabase {
 public:
  // Opens the file at a console-text path. Throws TarnwickError naming the file when it cannot
  // be read: missing or unreadable, locked by a program writing it, protected by a password,
  // damaged, or of a format the library cannot read.
  static std::unique_ptr<JetDatabase> Open(const std::string& sjisPath);
  ~JetDatabase();
  JetDatabase(const JetDatabase&) = delete;
  JetDatabase& operator=(const JetDatabase&) = delete;

  const std::string& Path() const;

  // The user's tables in catalogue order (no system or linked tables).
  std::vector<std::string> TableNames();
  // One row per primary-key column of every table, ordinal from 1.
  std::vector<KeyRow> PrimaryKeyRows();
  std::vector<SourceIndex> UniqueIndexes();
  // The relationships the file enforces between two of the user's tables.
  std::vector<SourceRelationship> Relationships();
  // Saved queries, hidden ones (the "~sq_" queries behind forms and reports) left out.
  std::vector<SavedQuery> SavedQueries();

  // The last number an AutoNumber column of the table handed out; nothing for a table without
  // one.
  std::optional<std::int64_t> AutoNumberCounter(std::string_view sjisTable);
  std::int64_t RowCount(std::string_view sjisTable);
  // The rows of one of the user's tables. Throws TarnwickError when it is no such table or
  // its definition cannot be read.
  std::unique_ptr<RowSource> OpenTable(std::string_view sjisTable);

  struct Impl;

 private:
  explicit JetDatabase(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace tarnwick
