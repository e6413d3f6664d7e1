// The database commands that take a chosen path or a confirmed question: new database, reset,
// open database, the sample database's copy, and a new database made from a Jet file. The window
// shows the dialogs and the question first.
#include "data/Connection.h"
#include "data/JetFile.h"
#include "files/DatabaseFiles.h"
#include "files/DatabaseSession.h"
#include "text/Cp932.h"
#include "text/ResultPane.h"

namespace tarnwick {

void DatabaseSession::NewDatabase(std::string_view path, ForeignFile foreign) {
  if (!HasDatabaseExtension(path)) return;
  DeriveNames(path);
  SetDbConnected(false);
  RecreateDatabase(foreign);
  pane_.AppendLine(UdlName + Sjis(" を新規作成しました"));
  SetDbConnected(true);
}

void DatabaseSession::ResetDatabase(ForeignFile foreign) {
  connection_.Close();
  RecreateDatabase(foreign);
  pane_.AppendLine(Sjis("初期化終了しました"));
  SetDbConnected(true);
}

int DatabaseSession::ImportIntoNewDatabase(std::string_view jetPath) {
  const std::string jetFile(jetPath);  // the names change below
  NewDatabase(ImportedDatabasePath(jetFile));
  if (!connection_.Connected()) return 1;
  return ImportDatabase(jetFile);
}

void DatabaseSession::OpenDatabase(std::string_view path) {
  // A Jet file is refused before anything changes: the current database stays connected, and
  // nothing is written beside the Jet file.
  if (HasDatabaseExtension(path) && IsJetFile(path)) {
    refusedFile_ = std::string(path);
    pane_.AppendLine(JetFileRefused(std::string(path)).what());
    pane_.AppendLine("");
    return;
  }
  SetDbConnected(false);
  if (!HasDatabaseExtension(path)) return;
  ConnectTo(path);
}

void DatabaseSession::OpenSampleCopy(const std::string& samplePath, const std::string& copyPath,
                                     bool fresh) {
  SetDbConnected(false);
  if (fresh) {
    WriteSampleCopy(samplePath, copyPath);
    pane_.AppendLine(Sjis("サンプルデータベースの新しいコピーを作成しました: ") + copyPath);
  }
  ConnectTo(copyPath);
}

void DatabaseSession::ConnectTo(std::string_view path) {
  DeriveNames(path);
  DesignateDatabase(connection_, Names());
  ToggleConnection();
}

}  // namespace tarnwick
