#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "data/Connection.h"
#include "support/TempDir.h"

namespace tarnwick::test {

// Writes the template database and a descriptor naming it; returns the descriptor's
// connection string.
std::string MakeDatabase(const std::string& databasePath, const std::string& udlPath);
// A database file made from the template by the statements given (UTF-8, in the dialect
// given), without a descriptor beside it; returns its path.
std::string MakeDatabaseWith(const std::string& databasePath,
                             const std::vector<std::string>& utf8Statements,
                             SqlDialect dialect = SqlDialect::Jet);
// Runs one statement (UTF-8 text, as written in the test) on the connection; fails the test
// with the engine's message when it throws.
void Exec(Connection& connection, std::string_view utf8Sql);
// The first column of the first row of a query (UTF-8 text), as UTF-8 text.
std::string Scalar(Connection& connection, std::string_view utf8Sql);
// The connection in the engine's own SQL while it lives.
class EngineDialectWhile {
 public:
  explicit EngineDialectWhile(Connection& connection) : connection_(connection) {
    connection_.SetDialect(SqlDialect::Engine);
  }
  ~EngineDialectWhile() { connection_.SetDialect(SqlDialect::Jet); }
  EngineDialectWhile(const EngineDialectWhile&) = delete;
  EngineDialectWhile& operator=(const EngineDialectWhile&) = delete;

 private:
  Connection& connection_;
};

// The same in the engine's own SQL, unchanged by the Jet front end: for a test's own setup
// (several rows in one INSERT, a table of the engine's own) and for looking at what is stored.
void EngineExec(Connection& connection, std::string_view utf8Sql);
std::string EngineScalar(Connection& connection, std::string_view utf8Sql);

// A fresh empty database (the program's template) with its connection descriptor in a
// temporary folder, and a connection to it, open. Paths are plain ASCII, so they are the
// same bytes as console text and as file-system names.
class TestDatabase {
 public:
  TestDatabase() {
    connection_.SetConnectionString(MakeDatabase(dir_.File("test.mdb"), dir_.File("test.udl")));
    connection_.Open();
  }
  ~TestDatabase() { connection_.Close(); }
  TestDatabase(const TestDatabase&) = delete;
  TestDatabase& operator=(const TestDatabase&) = delete;

  const TempDir& Dir() const { return dir_; }
  Connection& Db() { return connection_; }
  void Exec(std::string_view utf8Sql) { test::Exec(connection_, utf8Sql); }
  std::string Scalar(std::string_view utf8Sql) { return test::Scalar(connection_, utf8Sql); }
  void EngineExec(std::string_view utf8Sql) { test::EngineExec(connection_, utf8Sql); }
  std::string EngineScalar(std::string_view utf8Sql) {
    return test::EngineScalar(connection_, utf8Sql);
  }

 private:
  TempDir dir_;
  Connection connection_;
};

}  // namespace tarnwick::test
