// The choice of database at start-up: the database named on the command line, or the one the
// settings name, created or its descriptor written as the files on disk require.
#include "data/Connection.h"
#include "data/JetFile.h"
#include "data/Udl.h"
#include "files/DatabaseFiles.h"
#include "files/DatabaseSession.h"
#include "files/EmptyDatabase.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/ResultPane.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {
namespace {

// A database file of our engine that is not one of ours, under another name than .mdb: what a
// file manager hands over for any SQLite file. An .mdb file is the database the user named,
// whoever made it.
bool IsOtherProgramsDatabase(const std::string& path) {
  const std::string nativePath = NativePath(path);
  return !HasDatabaseExtension(path) && IsEngineDatabaseFile(nativePath) &&
         !IsConsoleDatabaseFile(nativePath);
}

// The first argument names the database to use: an .mdb file, a Jet file whatever its name (it
// is refused with the offer to import it), or a database of ours under another name.
bool NamesStartupDatabase(const std::string& path) {
  return HasDatabaseExtension(path) || IsJetFile(path) || IsConsoleDatabaseFile(NativePath(path));
}

}  // namespace

bool DatabaseSession::ChooseAtStartup(const std::vector<std::string>& arguments) {
  if (!arguments.empty() && NamesStartupDatabase(arguments.front())) {
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
  // Another program's database is not made the current one: the settings' database is, and
  // the file is offered for import.
  if (!arguments.empty() && IsOtherProgramsDatabase(arguments.front())) {
    const std::string& path = arguments.front();
    pane_.AppendLine(msg::OtherProgramsDatabaseRefused(
                         SjisToUtf8(path), SjisToUtf8(DeriveDatabaseNames(path).MdbName))
                         .Sjis());
    pane_.AppendLine("");
    refusedFile_ = path;
  }
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
