#include "files/DatabaseFiles.h"

#include "data/Connection.h"
#include "data/Udl.h"
#include "files/TemplateDatabase.h"
#include "text/FileAccess.h"

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

}  // namespace

void RecreateDatabase(Connection& connection, const DatabaseNames& names) {
  connection.Close();
  const std::string databasePath = names.DatabasePath();
  DeleteIfExists(databasePath);
  for (const char* suffix : kEngineSideFiles) DeleteIfExists(databasePath + suffix);
  WriteWholeFile(databasePath, TemplateDatabase());
  WriteUdlFile(names.DescriptorPath(), databasePath);
  connection.SetConnectionString(names.ConnectionString());
}

void DesignateDatabase(Connection& connection, const DatabaseNames& names) {
  WriteUdlFile(names.DescriptorPath(), names.DatabasePath());
  connection.SetConnectionString(names.ConnectionString());
}

}  // namespace tarnwick
