#include "files/DatabaseFiles.h"

#include <filesystem>

#include "data/Connection.h"
#include "data/JetFile.h"
#include "data/Udl.h"
#include "files/EmptyDatabase.h"
#include "files/TemplateDatabase.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {
namespace {

// The engine keeps a write-ahead log and its index beside the database file (a rollback
// journal after an interrupted write). Left behind by a crash, they would be replayed onto
// the fresh template and bring old pages back.
constexpr const char* kEngineSideFiles[] = {"-wal", "-shm", "-journal"};

void DeleteIfExists(const std::string& path) {
  // A failed deletion shows when the template is written over the file.
  if (FileExists(path)) DeleteFile(path);
}

// Writes the template under the database's name: a new file, or over one that may go.
void WriteTemplate(const std::string& databasePath) {
  for (const char* suffix : kEngineSideFiles) DeleteIfExists(databasePath + suffix);
  WriteWholeFile(databasePath, TemplateDatabase());
}

bool IsEmptyFile(const std::string& path) {
  std::error_code error;
  return std::filesystem::file_size(NativePath(path), error) == 0 && !error;
}

}  // namespace

void RecreateDatabase(Connection& connection, const DatabaseNames& names, ForeignFile foreign) {
  const std::string databasePath = names.DatabasePath();
  // A learner's Access file is never replaced by an empty database of ours.
  if (IsJetFile(databasePath)) {
    throw TarnwickError(msg::JetFileNotReplaced(SjisToUtf8(databasePath)));
  }
  connection.Close();
  // A path that no descriptor can name is refused before the database is touched.
  const std::string descriptor = UdlFileBytes(databasePath);
  if (!FileExists(databasePath) || IsEmptyFile(databasePath)) {
    WriteTemplate(databasePath);
  } else if (IsEngineDatabaseFile(NativePath(databasePath))) {
    EmptyDatabaseFile(databasePath);
  } else if (foreign == ForeignFile::Replace) {
    WriteTemplate(databasePath);
  } else {
    throw TarnwickError(msg::NotADatabaseNotReplaced(SjisToUtf8(databasePath)));
  }
  WriteWholeFile(names.DescriptorPath(), descriptor);
  connection.SetConnectionString(names.ConnectionString());
}

void DesignateDatabase(Connection& connection, const DatabaseNames& names) {
  WriteUdlFile(names.DescriptorPath(), names.DatabasePath());
  connection.SetConnectionString(names.ConnectionString());
}

}  // namespace tarnwick
