#include "data/Connection.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "data/Dataset.h"
#include "data/EngineCatalogue.h"
#include "data/EngineError.h"
#include "data/EngineFilePaths.h"
#include "data/JetFile.h"
#include "data/ReadOnlyUri.h"
#include "data/Statement.h"
#include "data/Udl.h"
#include "data/ValuesStatements.h"
#include "data/mdb/JetDatabase.h"
#include "jetlib/JetFunctions.h"
#include "text/AsciiCase.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {

namespace {

constexpr std::string_view kFileNameKey = "FILE NAME=";
constexpr std::string_view kProviderKey = "Provider=";
constexpr int kBusyTimeoutMilliseconds = 2000;
// How many steps of the engine's virtual machine pass between two ticks of the watch: a few
// thousand take some tens of microseconds, so a stop is quick and the ticks cost nothing
// that shows.
constexpr int kStepsPerTick = 5000;

struct HandleCloser {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using HandlePtr = std::unique_ptr<sqlite3, HandleCloser>;

std::string DescriptorPath(const std::string& connectionString) {
  if (!StartsWithIgnoringAsciiCase(connectionString, kFileNameKey)) {
    throw TarnwickError(msg::ConnectionStringWithoutFileName(SjisToUtf8(connectionString)));
  }
  return connectionString.substr(kFileNameKey.size());
}

TarnwickError CannotOpen(std::string_view sjisPath, const msg::Message& reason) {
  return TarnwickError(msg::CannotOpenDatabaseFile(SjisToUtf8(sjisPath), reason));
}

TarnwickError NotADatabase(std::string_view sjisPath) {
  return TarnwickError(msg::NotADatabaseFile(SjisToUtf8(sjisPath)));
}

// Reads the catalogue once: a file that is not a database of our engine fails here, before
// anything has been written to it. An empty file would become a database on the first write,
// so it is refused as well.
void VerifyDatabase(sqlite3* db, std::string_view sjisPath) {
  std::int64_t pages = 0;
  try {
    QueryInteger(db, "SELECT count(*) FROM sqlite_master");
    pages = QueryInteger(db, "PRAGMA page_count");
  } catch (const TarnwickError&) {
    if (sqlite3_errcode(db) == SQLITE_NOTADB) throw NotADatabase(sjisPath);
    throw CannotOpen(sjisPath, EngineMessage(db));
  }
  if (pages == 0) throw NotADatabase(sjisPath);
}

// Write-ahead logging with normal syncing: every committed statement is in the log file when
// it returns, so it outlives the program being killed, at far less cost than a full sync.
void Configure(sqlite3* db, std::string_view sjisPath) {
  try {
    if (!sqlite3_db_readonly(db, "main")) ExecuteInternal(db, "PRAGMA journal_mode=WAL");
    ExecuteInternal(db, "PRAGMA synchronous=NORMAL");
    ExecuteInternal(db, "PRAGMA foreign_keys=ON");
    RegisterJetFunctions(db);
  } catch (const TarnwickError& error) {
    throw CannotOpen(sjisPath, msg::Message::Parse(SjisToUtf8(error.what())));
  }
}

// Settings of the engine for the whole program, made before its first connection: nothing here
// asks the engine how much memory it uses, so it keeps no count, which spares a global lock on
// every allocation. Once the engine has started the call is refused, which does no harm.
void ConfigureEngineOnce() {
  static const int refused = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  (void)refused;
}

// A side file that an earlier read-only use left without write permission would make a
// writable database fail every write: it gets the database's permission again. (A side file
// in use stays the same file; only its mode changes.)
void RestoreSideFilePermissions(const std::string& nativePath) {
  struct stat database {};
  if (stat(nativePath.c_str(), &database) != 0) return;
  for (const char* suffix : {"-shm", "-wal"}) {
    const std::string side = nativePath + suffix;
    if (access(side.c_str(), F_OK) == 0 && access(side.c_str(), W_OK) != 0) {
      chmod(side.c_str(), database.st_mode & 0666);
    }
  }
}

// Opens an existing database file; never creates one. `readOnly` opens it as one we cannot
// write, even when we could.
sqlite3* OpenDatabaseFile(const std::string& sjisPath, bool readOnly) {
  ConfigureEngineOnce();
  if (sjisPath.empty() || !FileExists(sjisPath)) {
    throw TarnwickError(msg::DatabaseFileNotFound(SjisToUtf8(sjisPath)));
  }
  const std::string nativePath = NativePath(sjisPath);
  const bool writable = !readOnly && CanWriteDatabase(nativePath);
  if (writable) RestoreSideFilePermissions(nativePath);
  const std::string name = writable ? EngineFileName(nativePath) : ReadOnlyUri(nativePath);
  // A connection and its datasets are used by one thread at a time, so the engine need not
  // lock the connection around every call (several per row when rows are read or stored).
  // URIs are understood so that the import can attach its source read-only; a path that
  // begins with "file:" is given as "./file:..." (EngineFileName).
  const int flags = (writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY) | SQLITE_OPEN_URI |
                    SQLITE_OPEN_NOMUTEX;
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(name.c_str(), &raw, flags, nullptr);
  HandlePtr db(raw);
  if (rc != SQLITE_OK) {
    throw CannotOpen(sjisPath, raw ? EngineMessage(raw) : EngineMessage(rc));
  }
  sqlite3_busy_timeout(raw, kBusyTimeoutMilliseconds);
  VerifyDatabase(raw, sjisPath);
  Configure(raw, sjisPath);
  return db.release();
}

}  // namespace

Connection::Connection(JetFiles jetFiles) : jetFiles_(jetFiles) {}

Connection::~Connection() { Close(); }

void Connection::SetConnectionString(std::string connectionString) {
  connectionString_ = std::move(connectionString);
}

void Connection::Open() {
  if (Connected()) return;
  // An initialisation string names the database itself; any other connection string names
  // the descriptor that holds one.
  const bool initString = StartsWithIgnoringAsciiCase(connectionString_, kProviderKey);
  const std::string descriptor = initString ? std::string() : DescriptorPath(connectionString_);
  const UdlContents contents =
      initString ? ParseInitString(connectionString_) : ReadUdlFile(descriptor);
  if (contents.provider != kJetProvider) {
    throw TarnwickError(
        msg::ProviderNotSupported(SjisToUtf8(descriptor), SjisToUtf8(contents.provider)));
  }
  // A Jet file is told by its first bytes before our engine looks at it.
  if (IsJetFile(contents.dataSource)) {
    if (jetFiles_ == JetFiles::Refused) throw JetFileRefused(contents.dataSource);
    jet_ = JetDatabase::Open(contents.dataSource);
    return;
  }
  db_ = OpenDatabaseFile(contents.dataSource, jetFiles_ == JetFiles::ReadOnly);
  catalogue_ = std::make_unique<EngineCatalogue>(db_);
  preparedValues_ = std::make_unique<ValuesStatements>();
  InstallWatch();
}

void Connection::Close() {
  if (!Connected()) return;
  const std::vector<Dataset*> datasets = datasets_;
  for (Dataset* dataset : datasets) dataset->Close();
  // Their statements go before the connection.
  catalogue_.reset();
  preparedValues_.reset();
  jet_.reset();
  // The last connection to close removes the log and shared-memory side files.
  sqlite3_close_v2(db_);  // a null handle is fine
  db_ = nullptr;
}

void Connection::EnsureOpen() {
  if (!Connected()) Open();
}

sqlite3* Connection::Handle() {
  EnsureOpen();
  if (jet_ != nullptr) {
    throw TarnwickError(msg::JetFileReadOnly(SjisToUtf8(jet_->Path())));
  }
  return db_;
}

EngineCatalogue& Connection::Catalogue() {
  Handle();
  return *catalogue_;
}

ValuesStatements& Connection::PreparedValues() {
  Handle();
  return *preparedValues_;
}

JetDatabase& Connection::Jet() {
  EnsureOpen();
  if (jet_ == nullptr) throw TarnwickError(msg::NotAJetFile());
  return *jet_;
}

void Connection::BeginTransaction() { ExecuteInternal(Handle(), "BEGIN IMMEDIATE"); }

void Connection::Commit() { ExecuteInternal(Handle(), "COMMIT"); }

void Connection::DeferForeignKeyChecks() {
  ExecuteInternal(Handle(), "PRAGMA defer_foreign_keys = ON");
}

void Connection::Rollback() {
  // Used on failure paths: without an open transaction there is nothing to undo.
  if (InTransaction()) ExecuteInternal(db_, "ROLLBACK");
}

bool Connection::ReadOnly() const {
  return db_ != nullptr && sqlite3_db_readonly(db_, "main") == 1;
}

bool Connection::InTransaction() const {
  return db_ != nullptr && sqlite3_get_autocommit(db_) == 0;
}

void Connection::SetWatch(StatementWatch* watch) {
  watch_ = watch;
  InstallWatch();
}

void Connection::InstallWatch() {
  if (db_ == nullptr) return;
  if (watch_ == nullptr) {
    sqlite3_progress_handler(db_, 0, nullptr, nullptr);
  } else {
    sqlite3_progress_handler(db_, kStepsPerTick, &Connection::OnEngineProgress, this);
  }
}

int Connection::OnEngineProgress(void* self) noexcept {
  auto* connection = static_cast<Connection*>(self);
  if (connection->watch_ == nullptr) return 0;
  try {
    std::optional<std::string> reason = connection->watch_->Tick();
    if (!reason) return 0;
    // A non-zero answer makes the engine interrupt the statement and roll it back.
    connection->stopReason_ = std::move(reason);
    return 1;
  } catch (...) {
    // Nothing may unwind through the engine; a failing tick lets the statement go on.
    return 0;
  }
}

void Connection::BeginStatement() {
  stopReason_.reset();
  if (watch_ != nullptr) watch_->StatementStarted();
}

void Connection::EndStatement() {
  if (watch_ != nullptr) watch_->StatementEnded();
}

void Connection::Attach(Dataset* dataset) { datasets_.push_back(dataset); }

void Connection::Detach(Dataset* dataset) { std::erase(datasets_, dataset); }

}  // namespace tarnwick
