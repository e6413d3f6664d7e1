#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include "data/Dataset.h"
#include "data/Udl.h"
#include "files/TemplateDatabase.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"

namespace tarnwick::test {

std::string MakeDatabase(const std::string& databasePath, const std::string& udlPath) {
  WriteWholeFile(databasePath, TemplateDatabase());
  WriteUdlFile(udlPath, databasePath);
  return "FILE NAME=" + udlPath;
}

std::string MakeDatabaseWith(const std::string& databasePath,
                             const std::vector<std::string>& utf8Statements, SqlDialect dialect) {
  const std::string udl = databasePath + ".maker.udl";
  Connection connection;
  connection.SetConnectionString(MakeDatabase(databasePath, udl));
  connection.SetDialect(dialect);
  Query query(connection);
  for (const std::string& statement : utf8Statements) {
    query.SetSql(Sjis(statement));
    query.ExecSql();
  }
  connection.Close();
  DeleteFile(udl);
  return databasePath;
}

void Exec(Connection& connection, std::string_view utf8Sql) {
  Query query(connection);
  query.SetSql(Sjis(utf8Sql));
  try {
    query.ExecSql();
  } catch (const TarnwickError& error) {
    ADD_FAILURE() << "statement failed: " << utf8Sql << "\n" << SjisToUtf8(error.what());
  }
}

std::string Scalar(Connection& connection, std::string_view utf8Sql) {
  Query query(connection);
  query.SetSql(Sjis(utf8Sql));
  query.Open();
  return query.Eof() ? std::string() : SjisToUtf8(query.FieldAt(0).AsString());
}

void EngineExec(Connection& connection, std::string_view utf8Sql) {
  const EngineDialectWhile engine(connection);
  Exec(connection, utf8Sql);
}

std::string EngineScalar(Connection& connection, std::string_view utf8Sql) {
  const EngineDialectWhile engine(connection);
  return Scalar(connection, utf8Sql);
}

}  // namespace tarnwick::test
