#include "runner/RunnerDatabase.h"

#include "data/Connection.h"
#include "data/DatabaseFiles.h"
#include "data/TarnwickError.h"
#include "runner/RunnerScripts.h"

namespace tarnwick::runner {

std::string DefaultDatabasePath() { return "default.mdb"; }

// Unlike the window's command line, the runner does not require the .mdb extension: it is
// told the database file explicitly, so any name is taken as the database.
DatabaseNames ChooseDatabase(const std::optional<std::string>& utf8DatabasePath) {
  const std::string path = ConsolePath(utf8DatabasePath.value_or(DefaultDatabasePath()));
  DatabaseNames names = DeriveDatabaseNames(path);
  if (names.MdbName.empty()) throw TarnwickError(path + ": the database path names a folder");
  if (DescriptorIsDatabase(names)) {
    throw TarnwickError(path + ": the descriptor " + names.UdlName +
                        " would replace the database; choose another file name");
  }
  return names;
}

void OpenDatabase(Connection& connection, const DatabaseNames& names, bool recreate) {
  if (recreate) {
    RecreateDatabase(connection, names);
  } else {
    DesignateDatabase(connection, names);
  }
  connection.Open();
}

}  // namespace tarnwick::runner
