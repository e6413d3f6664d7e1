#include "runner/RunnerDatabase.h"

#include <cerrno>

#include "data/Connection.h"
#include "files/DatabaseFiles.h"
#include "files/DatabaseSession.h"
#include "files/SampleDatabase.h"
#include "files/Settings.h"
#include "runner/RunnerScripts.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/ProgramFolders.h"
#include "text/TarnwickError.h"
#include "text/messages/ProgramMessages.h"

namespace tarnwick::runner {
namespace {

// The database named by --db (or --sample): its descriptor is written beside it, as for a
// database named on the window's command line. With --new, a file of that name that is no
// database of ours is replaced: the user named it for a new database.
void DesignateNamedDatabase(DatabaseSession& session, Connection& connection,
                            const RunnerOptions& options) {
  session.ApplyNames(ChooseDatabase(*options.databasePath));
  if (options.sampleCopy) {
    WriteSampleCopy(SampleDatabasePath(ExecutableDir()), session.DatabasePath());
    DesignateDatabase(connection, session.Names());
  } else if (options.recreateDatabase) {
    session.RecreateDatabase(ForeignFile::Replace);
  } else {
    DesignateDatabase(connection, session.Names());
  }
  session.SetDbConnected(true);
}

// Without --db: the names from the settings beside the program, and the window's default
// branch of the start-up choice.
void ChooseConfiguredDatabase(DatabaseSession& session, const RunnerOptions& options) {
  const std::string exeDir = ExecutableDir();
  const Settings settings = LoadSettings(SettingsPath(exeDir), exeDir);
  session.ApplyNames({settings.DbDir, settings.MdbName, settings.UdlName});
  if (options.recreateDatabase) {
    session.RecreateDatabase();
    session.SetDbConnected(true);
  } else {
    session.ChooseAtStartup({});
  }
}

}  // namespace

// Unlike the window's command line, the runner does not require the .mdb extension: it is
// told the database file explicitly, so any name is taken as the database.
DatabaseNames ChooseDatabase(std::string_view utf8DatabasePath) {
  const std::string path = ConsolePath(utf8DatabasePath);
  DatabaseNames names = DeriveDatabaseNames(path);
  if (names.MdbName.empty()) throw TarnwickError(msg::DatabasePathIsFolder(utf8DatabasePath));
  if (DescriptorIsDatabase(names)) {
    throw TarnwickError(
        msg::DescriptorWouldReplaceDatabase(utf8DatabasePath, SjisToUtf8(names.DescriptorPath())));
  }
  return names;
}

void OpenRunnerDatabase(DatabaseSession& session, Connection& connection,
                        const RunnerOptions& options) {
  if (options.databasePath) {
    DesignateNamedDatabase(session, connection, options);
  } else {
    ChooseConfiguredDatabase(session, options);
  }
  if (!connection.Connected()) throw TarnwickError(session.LastConnectError());
}

SqlDialect ChooseDialect(const RunnerOptions& options) {
  if (options.engineDialect) return *options.engineDialect ? SqlDialect::Engine : SqlDialect::Jet;
  return LoadDialect(SettingsPath(ExecutableDir()));
}

std::string ImportPath(std::string_view utf8Path) {
  const std::string path = ConsolePath(utf8Path);
  if (!FileExists(path)) throw TarnwickError(FileOpenMessage(path, ENOENT));
  return path;
}

}  // namespace tarnwick::runner
