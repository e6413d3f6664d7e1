#pragma once
// Another database of our engine attached read-only to a connection for the span of an
// object, so that one statement of the engine copies a whole table from it (the import).
#include <string_view>

struct sqlite3;

namespace tarnwick {

class Connection;

class AttachedSource {
 public:
  // Attaches the file that `source` has open to `to`, read-only. When that cannot be done (a
  // Jet file, a transaction open on `to`, a file the engine cannot open a second time) nothing
  // is attached and CopyTable copies nothing.
  AttachedSource(Connection& to, Connection& source);
  ~AttachedSource();
  AttachedSource(const AttachedSource&) = delete;
  AttachedSource& operator=(const AttachedSource&) = delete;

  bool Attached() const { return db_ != nullptr; }

  // Copies every row of the attached database's table `utf8Name` into the table of the same
  // name of the connection's own database, with one statement. False when the name is no
  // table there (a view is read through its own database) or when the engine refuses the
  // copy: the statement is then undone whole, and so is the open transaction when the engine
  // gives that up too (an interruption).
  bool CopyTable(std::string_view utf8Name);

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace tarnwick
