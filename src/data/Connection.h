#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/KeyRowset.h"
#include "data/StatementWatch.h"

struct sqlite3;

namespace tarnwick {

class Dataset;

// The connection to one database, reached through a connection descriptor: the connection
// string is "FILE NAME=" + descriptor path (console text), or the initialisation string a
// descriptor would hold ("Provider=...;Data Source=...;", see InitString), kept in memory. The
// descriptor's provider must be "Microsoft.Jet.OLEDB.4.0", which means our engine on the
// descriptor's data-source file. Opening never creates a file. Every statement commits on its own
// and is on disk when it returns; a clean close leaves no side files. A database that we cannot
// write (the file or its folder) is opened read-only, with its journal mode as it is and no side
// files at all; writes then fail with the engine's read-only error.
class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  void SetConnectionString(std::string connectionString);
  const std::string& ConnectionString() const { return connectionString_; }

  // Opens the database the descriptor names; throws TarnwickError with a clear message
  // (missing descriptor, other provider, missing file, not a database). Open when already
  // open does nothing.
  void Open();
  // Closes the datasets of this connection, then the connection. Closing a closed
  // connection does nothing.
  void Close();
  bool Connected() const { return db_ != nullptr; }
  // True while the open database is read-only.
  bool ReadOnly() const;
  // Opens the connection when it is closed (queries, tables and name lists use this).
  void EnsureOpen();

  // Tables and views in catalogue order, without the engine's or our own internal tables.
  std::vector<std::string> TableNames();
  // The same names as the engine keeps them (UTF-8): names console text cannot spell whole.
  std::vector<std::string> EngineTableNames();
  // Stored procedures in catalogue order.
  std::vector<std::string> ProcedureNames();
  // The primary-key rowset of every table.
  KeyRowset PrimaryKeys();

  // Groups many statements into one commit (the import's row copying).
  void BeginTransaction();
  void Commit();
  void Rollback();
  bool InTransaction() const;

  // The engine handle, opening first; for the datasets of this connection.
  sqlite3* Handle();

  // The watch over this connection's statements (nullptr: none); it must outlive the
  // connection or be taken away first. Its Tick runs every few thousand engine steps.
  void SetWatch(StatementWatch* watch);
  // The console's statements, for the watch: BeginStatement also forgets the last stop.
  void BeginStatement();
  void EndStatement();
  // Why the watch stopped the statement that ran last, or nothing when it did not stop one.
  const std::optional<std::string>& StopReason() const { return stopReason_; }
  // True once the watch wants the whole run ended.
  bool RunStopRequested() const { return watch_ != nullptr && watch_->RunStopRequested(); }

 private:
  friend class Dataset;
  void Attach(Dataset* dataset);
  void Detach(Dataset* dataset);
  void InstallWatch();
  static int OnEngineProgress(void* connection) noexcept;

  std::string connectionString_;
  sqlite3* db_ = nullptr;
  std::vector<Dataset*> datasets_;
  StatementWatch* watch_ = nullptr;
  std::optional<std::string> stopReason_;
};

}  // namespace tarnwick
