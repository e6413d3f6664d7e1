#pragma once
// A database session over a temporary folder: the main connection, query and table, a
// StringPane as result pane and a FakeDatabaseUi. Nothing exists on disk until a test makes it.
#include <initializer_list>
#include <string>
#include <string_view>

#include "console/ResultPane.h"
#include "data/Connection.h"
#include "data/Cp932.h"
#include "data/DatabaseSession.h"
#include "data/Dataset.h"
#include "data/FileAccess.h"
#include "support/FakeDatabaseUi.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

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
  // Runs one statement (UTF-8) on the main connection.
  void Exec(std::string_view utf8Sql) {
    query.Close();
    query.SetSql(Sjis(utf8Sql));
    query.ExecSql();
  }
  // The first column of the first row of a query on the main connection, in UTF-8.
  std::string Scalar(std::string_view utf8Sql) {
    query.Close();
    query.SetSql(Sjis(utf8Sql));
    query.Open();
    std::string value = query.Eof() ? std::string() : SjisToUtf8(query.FieldAt(0).AsString());
    query.Close();
    return value;
  }
};

// A database file made from the template by the statements given (UTF-8), without a
// descriptor beside it; returns its path.
inline std::string MakeDatabaseWith(const std::string& databasePath,
                                    std::initializer_list<const char*> utf8Statements) {
  const std::string udl = databasePath + ".maker.udl";
  Connection connection;
  connection.SetConnectionString(MakeDatabase(databasePath, udl));
  Query query(connection);
  for (const char* statement : utf8Statements) {
    query.SetSql(Sjis(statement));
    query.ExecSql();
  }
  connection.Close();
  DeleteFile(udl);
  return databasePath;
}

}  // namespace tarnwick::test
