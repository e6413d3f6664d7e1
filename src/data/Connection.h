#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/KeyRowset.h"
#include "data/SourceCatalogue.h"
#include "data/StatementWatch.h"
#include "jet/JetSchema.h"

struct sqlite3;

namespace tarnwick {

class Dataset;
class EngineCatalogue;
class JetDatabase;
class ValuesStatements;

// The SQL the console's statements are written in: Jet's, read by the front end (the default),
// or the engine's own, which goes to the engine unchanged.
enum class SqlDialect { Jet, Engine };

// What a connection does with a Jet (Microsoft Access) file, told by its first bytes: refuse
// it (JetFileRefused, the file untouched), or read it for an import. A connection that reads
// for an import opens a file of our engine read-only as well, so that the source keeps its
// journal mode and gets no side files.
enum class JetFiles { Refused, ReadOnly };

// The connection to one database, reached through a connection descriptor: the connection
// string is "FILE NAME=" + descriptor path (console text), or the initialisation string a
// descriptor would hold ("Provider=...;Data Source=...;", see InitString), kept in memory. The
// descriptor's provider must be "Microsoft.Jet.OLEDB.4.0", which means our engine on the
// descriptor's data-source file. Opening never creates a file. Every statement commits on its own
// and is on disk when it returns; a clean close leaves no side files. A database that we cannot
// write (the file or its folder) is opened read-only, with its journal mode as it is and no side
// files at all; writes then fail with the engine's read-only error. Jet's function library is
// registered on every connection to our engine.
// A connection that reads a Jet file is read-only: its catalogue, keys, tables (through the
// table object) and the extra catalogue below serve the import; statements are refused.
class Connection {
 public:
  explicit Connection(JetFiles jetFiles = JetFiles::Refused);
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
  bool Connected() const { return db_ != nullptr || jet_ != nullptr; }
  // Open on a Jet file (read-only).
  bool IsJetSource() const { return jet_ != nullptr; }
  // The Jet file, opening first; throws TarnwickError when the connection is not on one.
  JetDatabase& Jet();
  // True while the open database of our engine is read-only.
  bool ReadOnly() const;
  // Opens the connection when it is closed (queries, tables and name lists use this).
  void EnsureOpen();

  // Tables and views in catalogue order, without the engine's or our own internal tables.
  std::vector<std::string> TableNames();
  // The same names as the engine keeps them (UTF-8): names console text cannot spell whole.
  std::vector<std::string> EngineTableNames();
  // Stored procedures in catalogue order: names (console text), and with what they hold.
  std::vector<std::string> ProcedureNames();
  std::vector<JetProcedure> Procedures();
  // The primary-key rowset of every table.
  KeyRowset PrimaryKeys();
  // The last number a table's auto-numbered column handed out; nothing when it has none.
  std::optional<std::int64_t> AutoNumberCounter(std::string_view sjisTable);
  // What the import carries over besides tables and keys. A database of our engine gives its
  // unique indexes and relationships, but no saved queries (its views are tables).
  std::vector<SourceIndex> UniqueIndexes();
  std::vector<SourceRelationship> Relationships();
  std::vector<SavedQuery> SavedQueries();

  void SetDialect(SqlDialect dialect) { dialect_ = dialect; }
  SqlDialect Dialect() const { return dialect_; }

  // Groups many statements into one commit (the import's row copying).
  void BeginTransaction();
  void Commit();
  void Rollback();
  bool InTransaction() const;
  // Checks foreign keys when the current transaction commits rather than row by row, so that
  // rows referring to rows of the same table may come in any order.
  void DeferForeignKeyChecks();

  // The engine handle, opening first; for the datasets of this connection. Throws
  // TarnwickError on a Jet file, which takes no statements.
  sqlite3* Handle();
  // The database's tables and views as the Jet front end sees them, opening first; throws as
  // Handle does.
  EngineCatalogue& Catalogue();
  // The prepared INSERT ... VALUES templates of this connection, opening first; throws as
  // Handle does.
  ValuesStatements& PreparedValues();

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

  JetFiles jetFiles_;
  SqlDialect dialect_ = SqlDialect::Jet;
  std::string connectionString_;
  sqlite3* db_ = nullptr;
  std::unique_ptr<EngineCatalogue> catalogue_;
  std::unique_ptr<ValuesStatements> preparedValues_;
  std::unique_ptr<JetDatabase> jet_;
  std::vector<Dataset*> datasets_;
  StatementWatch* watch_ = nullptr;
  std::optional<std::string> stopReason_;
};

}  // namespace tarnwick
