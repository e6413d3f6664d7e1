#include "grader/Workspace.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/JetFile.h"
#include "files/DatabaseCopy.h"
#include "files/DatabaseFiles.h"
#include "files/DatabaseSession.h"
#include "files/DatabaseUi.h"
#include "files/TemplateDatabase.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/ResultPane.h"
#include "text/TarnwickError.h"
#include "text/messages/GraderMessages.h"

namespace tarnwick::grader {
namespace {

// The import asks nothing of a window.
class NoWindow : public DatabaseUi {
 public:
  void SetConnectCaption(std::string_view) override {}
  void BeginBusy() override {}
  void EndBusy() override {}
  void ShowError(std::string_view) override {}
};

std::string ImportJetFile(const std::string& sjisJetPath, const std::string& copyPath) {
  WriteWholeFile(copyPath, TemplateDatabase());
  Connection connection;
  Query query(connection);
  Table table(connection);
  StringPane pane;
  NoWindow ui;
  DatabaseSession session(connection, query, table, pane, ui);
  session.SetConnectionMessagePane(pane);
  session.DeriveNames(copyPath);
  DesignateDatabase(connection, session.Names());
  connection.Open();
  pane.Clear();
  const int errors = session.ImportDatabase(sjisJetPath);
  connection.Close();
  return errors > 0 ? pane.Text() : std::string();
}

}  // namespace

Workspace::Workspace() {
  std::error_code error;
  std::string pattern = std::filesystem::temp_directory_path(error).string();
  if (error || !Utf8ToSjisExactly(pattern)) pattern = "/tmp";
  pattern += "/tarnwick-grade-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    throw TarnwickError(msg::WorkFolderNotMade(std::strerror(errno)));
  }
  folder_ = pattern;
}

Workspace::~Workspace() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string CopyClassDatabase(const std::string& classDatabase, const std::string& copyPath) {
  if (const std::optional<std::string> sjis = Utf8ToSjisExactly(classDatabase);
      sjis && IsJetFile(*sjis)) {
    return ImportJetFile(*sjis, copyPath);
  }
  CopyDatabaseFile(classDatabase, copyPath);
  return {};
}

}  // namespace tarnwick::grader
