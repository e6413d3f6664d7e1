#include "files/EmptyDatabase.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include "files/CompactFile.h"
#include "files/TemplateDatabase.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"

namespace tarnwick {
namespace {

constexpr std::string_view kEngineHeader{"SQLite format 3\0", 16};

// A 32-bit big-endian value of the template's header (user version at 60, application id at 68).
std::uint32_t TemplateHeaderValue(std::size_t offset) {
  const std::string_view bytes = TemplateDatabase();
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
  }
  return value;
}

// One connection of ours on the database, never creating it, with the statements of emptying.
class EmptyingConnection {
 public:
  EmptyingConnection(std::string_view sjisPath, int busyTimeoutMilliseconds) : sjisPath_(sjisPath) {
    std::string name = NativePath(sjisPath);
    if (name.starts_with("file:")) name.insert(0, "./");
    if (sqlite3_open_v2(name.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) Fail();
    sqlite3_busy_timeout(db_, busyTimeoutMilliseconds);
  }
  ~EmptyingConnection() {
    if (!sqlite3_get_autocommit(db_)) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(db_);
  }
  EmptyingConnection(const EmptyingConnection&) = delete;
  EmptyingConnection& operator=(const EmptyingConnection&) = delete;

  void Exec(const std::string& utf8Sql) {
    if (sqlite3_exec(db_, utf8Sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Fail();
  }

  // The user's views and tables, views first: the engine's own tables stay.
  std::vector<std::string> DropStatements() {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_,
                           "SELECT 'DROP ' || upper(type) || ' IF EXISTS \"' || "
                           "replace(name, '\"', '\"\"') || '\"' FROM sqlite_master "
                           "WHERE type IN ('view', 'table') AND name NOT LIKE 'sqlite\\_%' "
                           "ESCAPE '\\' ORDER BY type = 'table', rowid",
                           -1, &statement, nullptr) != SQLITE_OK) {
      Fail();
    }
    std::vector<std::string> drops;
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
      drops.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    }
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) Fail();
    return drops;
  }

 private:
  [[noreturn]] void Fail() {
    const int code = db_ != nullptr ? sqlite3_errcode(db_) : SQLITE_NOMEM;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
      throw TarnwickError(Sjis("ファイル \"") + std::string(sjisPath_) +
                          Sjis("\" は他のプログラムが使用中のため初期化できません"));
    }
    throw TarnwickError(Utf8ToSjis(db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory"));
  }
  std::string_view sjisPath_;
  sqlite3* db_ = nullptr;
};

}  // namespace

bool IsEngineDatabaseFile(const std::string& nativePath) {
  std::string head(kEngineHeader.size(), '\0');
  std::FILE* file = std::fopen(nativePath.c_str(), "rb");
  if (file == nullptr) return false;
  const std::size_t count = std::fread(head.data(), 1, head.size(), file);
  std::fclose(file);
  return count == head.size() && head == kEngineHeader;
}

void EmptyDatabaseFile(std::string_view sjisDatabasePath, int busyTimeoutMilliseconds) {
  // Opened for writing, a database we cannot write would open read-only and leave side files
  // that nobody can write; it is refused before the engine sees it.
  if (access(NativePath(sjisDatabasePath).c_str(), W_OK) != 0) {
    throw TarnwickError(FileCreateMessage(sjisDatabasePath, errno));
  }
  {
    EmptyingConnection database(sjisDatabasePath, busyTimeoutMilliseconds);
    database.Exec("BEGIN IMMEDIATE");
    for (const std::string& drop : database.DropStatements()) database.Exec(drop);
    database.Exec("PRAGMA user_version = " + std::to_string(TemplateHeaderValue(60)));
    database.Exec("PRAGMA application_id = " + std::to_string(TemplateHeaderValue(68)));
    database.Exec("COMMIT");
  }
  try {
    CompactDatabaseFile(sjisDatabasePath, busyTimeoutMilliseconds);
  } catch (const TarnwickError&) {
    // The database is empty already; compacting it only gives the space back, and the next
    // compaction at exit does that as well.
  }
}

}  // namespace tarnwick
