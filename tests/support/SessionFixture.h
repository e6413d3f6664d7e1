#pragma once
// A database session over a temporary folder: the main connection, query and table, a
// StringPane as result pane and a FakeDatabaseUi. Nothing exists on disk until a test makes it.
#include <string>
#include <string_view>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "files/DatabaseSession.h"
#include "support/FakeDatabaseUi.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"
#include "text/Cp932.h"
#include "text/ResultPane.h"

namespace tarnwick::test {

struct SessionFixture {
  TempDir dir;
  Connection connection;
  Query query{connection};
  Table table{connection};
  StringPane pane;
  FakeDatabaseUi ui;
  DatabaseSession session{connection, query, table, pane, ui};

  SessionFixture() {
    session.DbDir = Folder();
    session.MdbName = "default.mdb";
    session.UdlName = "default.udl";
  }
  ~SessionFixture() { connection.Close(); }

  // The temporary folder as DbDir: ending in '/'.
  std::string Folder() const { return dir.Path().string() + "/"; }
  std::string File(const std::string& name) const { return dir.File(name); }
  // The pane's text in UTF-8.
  std::string Pane() const { return SjisToUtf8(pane.Text()); }
  // A statement (UTF-8) run on the main connection, and the first value of a query on it.
  void Exec(std::string_view utf8Sql) { test::Exec(connection, utf8Sql); }
  std::string Scalar(std::string_view utf8Sql) { return test::Scalar(connection, utf8Sql); }
  void EngineExec(std::string_view utf8Sql) { test::EngineExec(connection, utf8Sql); }
  std::string EngineScalar(std::string_view utf8Sql) {
    return test::EngineScalar(connection, utf8Sql);
  }
};

}  // namespace tarnwick::test
