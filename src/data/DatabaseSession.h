#pragma once
#include <string>
#include <string_view>
#include <vector>

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
  std::string DatabasePath() const { return DbDir + MdbName; }
  std::string DescriptorPath() const { return DbDir + UdlName; }
  std::string ConnectionString() const { return "FILE NAME=" + DescriptorPath(); }

  // Sets DbDir, MdbName and UdlName from a chosen database path.
  void DeriveNames(std::string_view path);

  // Replaces the current database by the empty template and rewrites its descriptor.
  void RecreateDatabase();
  // Connects or disconnects, with the pane messages and the connect command's caption.
  void SetDbConnected(bool connect);
  // The connect command: follows the connection's real state.
  void ToggleConnection();
  // New database at a path chosen in the save dialog (ignored unless it ends in .mdb).
  void NewDatabase(std::string_view path);
  // Reset after the user answered Yes.
  void ResetDatabase();
  // Open a database chosen in the open dialog.
  void OpenDatabase(std::string_view path);
  // The start-up choice: the command-line branch when the first argument names an .mdb
  // file (returns true), else the default branch with the names from the settings.
  bool ChooseAtStartup(const std::vector<std::string>& arguments);

  // Takes over every table of another database file.
  void ImportDatabase(std::string_view path);
  // Compacts the current database file (at shutdown).
  void CompactDatabase();

 private:
  Connection& connection_;
  Query& query_;
  Table& table_;
  ResultPane& pane_;
  DatabaseUi& ui_;
};

}  // namespace tarnwick
