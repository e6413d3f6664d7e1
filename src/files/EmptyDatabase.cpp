#include "files/EmptyDatabase.h"

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "files/CompactFile.h"
#include "files/EngineFile.h"
#include "files/TemplateDatabase.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {
namespace {

constexpr std::string_view kEngineHeader{"SQLite format 3\0", 16};
constexpr std::size_t kApplicationIdOffset = 68;

// The first bytes of a file (a system path), fewer when it is shorter; none when it cannot be
// read.
std::string FileHead(const std::string& nativePath, std::size_t size) {
  std::string head(size, '\0');
  std::FILE* file = std::fopen(nativePath.c_str(), "rb");
  if (file == nullptr) return {};
  head.resize(std::fread(head.data(), 1, head.size(), file));
  std::fclose(file);
  return head;
}

// A 32-bit big-endian value of the template's header (user version at 60, application id at 68).
std::uint32_t TemplateHeaderValue(std::size_t offset) {
  const std::string_view bytes = TemplateDatabase();
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
  }
  return value;
}

// The user's views and tables, views first: the engine's own tables stay.
constexpr const char* kDropStatements =
    "SELECT 'DROP ' || upper(type) || ' IF EXISTS \"' || replace(name, '\"', '\"\"') || '\"' "
    "FROM sqlite_master WHERE type IN ('view', 'table') AND name NOT LIKE 'sqlite\\_%' "
    "ESCAPE '\\' ORDER BY type = 'table', rowid";

}  // namespace

bool IsEngineDatabaseFile(const std::string& nativePath) {
  return FileHead(nativePath, kEngineHeader.size()) == kEngineHeader;
}

bool IsConsoleDatabaseFile(const std::string& nativePath) {
  const std::string head = FileHead(nativePath, kApplicationIdOffset + 4);
  const std::string_view templateHead = TemplateDatabase();
  return head.size() == kApplicationIdOffset + 4 && head.starts_with(kEngineHeader) &&
         head.compare(kApplicationIdOffset, 4, templateHead, kApplicationIdOffset, 4) == 0;
}

void EmptyDatabaseFile(std::string_view sjisDatabasePath, int busyTimeoutMilliseconds) {
  // Opened for writing, a database we cannot write would open read-only and leave side files
  // that nobody can write; it is refused before the engine sees it.
  if (access(NativePath(sjisDatabasePath).c_str(), W_OK) != 0) {
    throw TarnwickError(FileCreateMessage(sjisDatabasePath, errno));
  }
  {
    EngineFile database(NativePath(sjisDatabasePath), busyTimeoutMilliseconds,
                        msg::ResetFileInUse(SjisToUtf8(sjisDatabasePath)));
    database.Exec("BEGIN IMMEDIATE");
    for (const std::string& drop : database.Column(kDropStatements)) database.Exec(drop);
    database.Exec("PRAGMA user_version = " + std::to_string(TemplateHeaderValue(60)));
    database.Exec("PRAGMA application_id = " +
                  std::to_string(TemplateHeaderValue(kApplicationIdOffset)));
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
