#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/DatabaseFiles.h"
#include "files/DatabaseNames.h"

namespace tarnwick {

class Connection;
class Query;
class Table;
class ResultPane;
class DatabaseUi;

// The current database: its folder and file names, and the operations of the database
// commands over the main connection. Paths are console text (Shift-JIS); DbDir ends in
// '/' or is empty (the working directory). Messages go to the result pane.
class DatabaseSession {
 public:
  DatabaseSession(Connection& connection, Query& query, Table& table, ResultPane& pane,
                  DatabaseUi& ui);

  std::string DbDir, MdbName, UdlName;
  DatabaseNames Names() const { return {DbDir, MdbName, UdlName}; }
  std::string DatabasePath() const { return Names().DatabasePath(); }
  std::string DescriptorPath() const { return Names().DescriptorPath(); }
  std::string ConnectionString() const { return Names().ConnectionString(); }

  // Sets DbDir, MdbName and UdlName.
  void ApplyNames(const DatabaseNames& names);
  // Sets DbDir, MdbName and UdlName from a chosen database path.
  void DeriveNames(std::string_view path);

  // Makes the current database empty and rewrites its descriptor (see the free function
  // RecreateDatabase: a database of ours is emptied in place, a file that is no database of
  // ours is replaced only when `foreign` says so).
  void RecreateDatabase(ForeignFile foreign = ForeignFile::Refuse);
  // Connects or disconnects, with the pane messages and the connect command's caption. A
  // failed connect is one line; WithReason adds the reason after it (a Jet file's always).
  enum class ConnectReport { LineOnly, WithReason };
  void SetDbConnected(bool connect, ConnectReport report = ConnectReport::LineOnly);
  // The connect command: follows the connection's real state.
  void ToggleConnection();
  // New database at a path chosen in the save dialog (ignored unless it ends in .mdb). An
  // existing file that is no database of ours is replaced only with ForeignFile::Replace,
  // which the window passes after the user agreed to replace the file.
  void NewDatabase(std::string_view path, ForeignFile foreign = ForeignFile::Refuse);
  // Reset after the user answered Yes.
  void ResetDatabase(ForeignFile foreign = ForeignFile::Refuse);
  // Open a database chosen in the open dialog.
  void OpenDatabase(std::string_view path);
  // Opens the learner's copy of the sample database at copyPath (a .mdb name); with `fresh`
  // (no copy yet, or the user agreed to replace it) a new copy of samplePath is written there
  // first (WriteSampleCopy).
  void OpenSampleCopy(const std::string& samplePath, const std::string& copyPath, bool fresh);
  // The start-up choice: the command-line branch when the first argument names an .mdb
  // file (returns true), else the default branch with the names from the settings.
  // `arguments` are the command-line arguments after the program's name.
  bool ChooseAtStartup(const std::vector<std::string>& arguments);

  // Takes over every table of another database file. Returns how many error reports it
  // wrote to the pane ("Error! " for a file that cannot be connected, "ERROR! " per table).
  // A failure outside the per-table step (the cache descriptor, the name list, the key
  // rowset, a source table) ends the import after cleaning up and goes on to the caller,
  // whose error box shows it.
  int ImportDatabase(std::string_view path);
  // A new database of ours beside a Jet file (ImportedDatabasePath) becomes the current one
  // and every table of the Jet file is imported into it; the Jet file is only read. Returns
  // the import's count, or 1 when the new database could not be connected.
  int ImportIntoNewDatabase(std::string_view jetPath);
  // The file that the last connect refused where a database of ours was expected (opened, or
  // named at start-up): a Jet file, or a database of our engine that another program made,
  // named at start-up under another extension than .mdb. Either can be imported into a new
  // database of ours. Nothing after any other outcome.
  const std::optional<std::string>& RefusedDatabaseFile() const { return refusedFile_; }

  // Compacts the current database file (at shutdown): closes the main connection, query and
  // table, then replaces the file by its compacted copy atomically. Throws TarnwickError and
  // leaves the file unchanged when the compaction fails. A Jet file is left as it is.
  void CompactDatabase();

  // Where SetDbConnected writes its lines: the result pane unless set otherwise (the
  // command-line runner keeps its transcript free of them).
  void SetConnectionMessagePane(ResultPane& pane) { connectionPane_ = &pane; }
  // The engine's message of the last failed connect, empty after a successful one.
  const std::string& LastConnectError() const { return lastConnectError_; }

 private:
  void ChooseByExistingFiles();
  // Takes the names from a database path, writes its descriptor and connects.
  void ConnectTo(std::string_view path);

  Connection& connection_;
  Query& query_;
  Table& table_;
  ResultPane& pane_;
  DatabaseUi& ui_;
  ResultPane* connectionPane_;
  std::string lastConnectError_;
  std::optional<std::string> refusedFile_;
};

}  // namespace tarnwick
