// The choice of database at start-up: the database named on the command line, or the one the
// settings name, created or its descriptor written as the files on disk require.
#include "data/Connection.h"
#include "data/JetFile.h"
#include "data/Udl.h"
#include "files/DatabaseFiles.h"
#include "files/DatabaseSession.h"
#include "text/FileAccess.h"

namespace tarnwick {

bool DatabaseSession::ChooseAtStartup(const std::vector<std::string>& arguments) {
  if (!arguments.empty() && HasDatabaseExtension(arguments.front())) {
    DeriveNames(arguments.front());
    const std::string path = DatabasePath();
    // A missing file or a Jet file gets no descriptor beside it: the connection names it in
    // memory, and the failure line says why it cannot be connected.
    if (FileExists(path) && !IsJetFile(path)) {
      DesignateDatabase(connection_, Names());
      ToggleConnection();
    } else {
      connection_.SetConnectionString(InitString(path));
      SetDbConnected(true, ConnectReport::WithReason);
    }
    return true;
  }
  ChooseByExistingFiles();
  connection_.SetConnectionString(ConnectionString());
  SetDbConnected(true);
  return false;
}

// A missing database is made from the template; a database without its descriptor gets one;
// a descriptor of ours that names another file (both files moved) is rewritten. A descriptor
// for another provider is left as it is.
void DatabaseSession::ChooseByExistingFiles() {
  const std::string databasePath = DatabasePath();
  const std::string descriptorPath = DescriptorPath();
  if (!FileExists(databasePath)) {
    RecreateDatabase();
    return;
  }
  if (FileExists(descriptorPath)) {
    const UdlContents contents = ReadUdlFile(descriptorPath);
    if (contents.provider != kJetProvider || contents.dataSource == databasePath) return;
  }
  WriteUdlFile(descriptorPath, databasePath);
}

}  // namespace tarnwick
