#include "files/DatabaseFiles.h"

#include "data/Connection.h"
#include "data/JetFile.h"
#include "data/Udl.h"
#include "files/TemplateDatabase.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"

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
  const std::string databasePath = names.DatabasePath();
  // A learner's Access file is never replaced by an empty database of ours.
  if (IsJetFile(databasePath)) {
    throw TarnwickError(Sjis("ファイル \"") + databasePath +
                        Sjis("\" は Jet (Microsoft Access) のデータベースファイルのため、空のデータ"
                             "ベースで置き換えません (ファイルは変更していません)。別の名前を選んで"
                             "ください"));
  }
  connection.Close();
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
