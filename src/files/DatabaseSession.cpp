#include "files/DatabaseSession.h"

#include <exception>

#include "data/Connection.h"
#include "data/JetFile.h"
#include "files/DatabaseFiles.h"
#include "files/DatabaseUi.h"
#include "text/Cp932.h"
#include "text/ResultPane.h"

namespace tarnwick {

DatabaseSession::DatabaseSession(Connection& connection, Query& query, Table& table,
                                 ResultPane& pane, DatabaseUi& ui)
    : connection_(connection),
      query_(query),
      table_(table),
      pane_(pane),
      ui_(ui),
      connectionPane_(&pane) {}

void DatabaseSession::ApplyNames(const DatabaseNames& names) {
  DbDir = names.DbDir;
  MdbName = names.MdbName;
  UdlName = names.UdlName;
}

void DatabaseSession::DeriveNames(std::string_view path) { ApplyNames(DeriveDatabaseNames(path)); }

void DatabaseSession::RecreateDatabase(ForeignFile foreign) {
  BusyPointer busy(ui_);
  tarnwick::RecreateDatabase(connection_, Names(), foreign);
}

void DatabaseSession::SetDbConnected(bool connect, ConnectReport report) {
  refusedFile_.reset();
  if (!connect) {
    connection_.Close();
    ui_.SetConnectCaption(Sjis("DBの接続(&A)"));
    connectionPane_->AppendLine(Sjis("データベースを切断しました"));
    connectionPane_->AppendLine("");
    return;
  }
  try {
    connection_.Open();
  } catch (const std::exception& failure) {
    // The engine's message is not shown in the pane; the failure line says enough there. A
    // Jet file is another matter: the message says what it is and how to bring it in.
    lastConnectError_ = failure.what();
    const auto* jetFile = dynamic_cast<const JetFileRefused*>(&failure);
    if (jetFile != nullptr) refusedFile_ = jetFile->Path();
    connection_.Close();
    ui_.SetConnectCaption(Sjis("DBの接続(&A)"));
    connectionPane_->AppendLine(MdbName + Sjis("への接続に失敗しました"));
    if (jetFile != nullptr || report == ConnectReport::WithReason) {
      connectionPane_->AppendLine(lastConnectError_);
    }
    connectionPane_->AppendLine("");
    return;
  }
  lastConnectError_.clear();
  ui_.SetConnectCaption(Sjis("DBの切断(&A)"));
  connectionPane_->AppendLine(MdbName + Sjis(" ファイルに接続しました"));
  // Said in the result pane, also where the connect lines go elsewhere (the runner).
  if (connection_.ReadOnly()) pane_.AppendLine(Sjis("読み取り専用で開きました"));
  connectionPane_->AppendLine("");
}

void DatabaseSession::ToggleConnection() { SetDbConnected(!connection_.Connected()); }

}  // namespace tarnwick
