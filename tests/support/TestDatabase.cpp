#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include "data/Cp932.h"
#include "data/Dataset.h"
#include "data/FileAccess.h"
#include "data/TarnwickError.h"
#include "data/TemplateDatabase.h"
#include "data/Udl.h"

namespace tarnwick::test {

std::string MakeDatabase(const std::string& databasePath, const std::string& udlPath) {
  WriteWholeFile(databasePath, TemplateDatabase());
  WriteUdlFile(udlPath, databasePath);
  return "FILE NAME=" + udlPath;
}

TestDatabase::TestDatabase()
    : databasePath_(dir_.File("test.mdb")), udlPath_(dir_.File("test.udl")) {
  connection_.SetConnectionString(MakeDatabase(databasePath_, udlPath_));
  connection_.Open();
}

TestDatabase::~TestDatabase() { connection_.Close(); }

std::string TestDatabase::ConnectionString() const { return "FILE NAME=" + udlPath_; }

void TestDatabase::Exec(std::string_view utf8Sql) {
  Query query(connection_);
  query.SetSql(Sjis(utf8Sql));
  try {
    query.ExecSql();
  } catch (const TarnwickError& error) {
    ADD_FAILURE() << "statement failed: " << utf8Sql << "\n" << SjisToUtf8(error.what());
  }
}

std::string TestDatabase::Scalar(std::string_view utf8Sql) {
  Query query(connection_);
  query.SetSql(Sjis(utf8Sql));
  query.Open();
  if (query.Eof()) return {};
  return SjisToUtf8(query.FieldAt(0).AsString());
}

}  // namespace tarnwick::test
