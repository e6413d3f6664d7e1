#include "files/DatabaseFiles.h"

#include <cerrno>
#include <filesystem>

#include "data/Connection.h"
#include "data/EngineFilePaths.h"
#include "data/JetFile.h"
#include "data/Udl.h"
#include "files/EmptyDatabase.h"
#include "files/EngineFile.h"
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

// Writes these bytes under the database's name: a new file, or over one that may go.
void WriteDatabaseBytes(const std::string& databasePath, std::string_view bytes) {
  for (const char* suffix : kEngineSideFiles) DeleteIfExists(databasePath + suffix);
  WriteWholeFile(databasePath, bytes);
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
    WriteDatabaseBytes(databasePath, TemplateDatabase());
  } else if (IsEngineDatabaseFile(NativePath(databasePath))) {
    EmptyDatabaseFile(databasePath);
  } else if (foreign == ForeignFile::Replace) {
    WriteDatabaseBytes(databasePath, TemplateDatabase());
  } else {
    throw TarnwickError(msg::NotADatabaseNotReplaced(SjisToUtf8(databasePath)));
  }
  WriteWholeFile(names.DescriptorPath(), descriptor);
  connection.SetConnectionString(names.ConnectionString());
}

void WriteSampleCopy(const std::string& samplePath, const std::string& copyPath) {
  if (!IsEngineDatabaseFile(NativePath(samplePath))) {
    throw TarnwickError(FileExists(samplePath)
                            ? msg::NotADatabaseFile(SjisToUtf8(samplePath))
                            : msg::SampleDatabaseMissing(SjisToUtf8(samplePath)));
  }
  if (IsJetFile(copyPath)) throw TarnwickError(msg::JetFileNotReplaced(SjisToUtf8(copyPath)));
  // An empty file is an empty database to the engine, which then takes the sample's pages.
  if (!FileExists(copyPath) || IsEmptyFile(copyPath)) {
    WriteDatabaseBytes(copyPath, {});
  } else if (!IsEngineDatabaseFile(NativePath(copyPath))) {
    throw TarnwickError(msg::NotADatabaseNotReplaced(SjisToUtf8(copyPath)));
  }
  if (!CanWriteDatabase(NativePath(copyPath))) {
    throw TarnwickError(FileCreateMessage(copyPath, EACCES));
  }
  EngineFile copy(NativePath(copyPath), kEmptyBusyTimeoutMilliseconds,
                  msg::SampleCopyFileInUse(SjisToUtf8(copyPath)));
  copy.CopyFrom(NativePath(samplePath));
}

void DesignateDatabase(Connection& connection, const DatabaseNames& names) {
  WriteUdlFile(names.DescriptorPath(), names.DatabasePath());
  connection.SetConnectionString(names.ConnectionString());
}

}  // namespace tarnwick
