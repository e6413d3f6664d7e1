#include <sqlite3.h>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/EngineCatalogue.h"
#include "data/Statement.h"
#include "jet/JetFrontEnd.h"
#include "text/Cp932.h"

namespace tarnwick {

namespace {

// The statement through the Jet front end, against the database as it is now.
JetCompiled Compile(Connection& connection, const std::string& utf8Sql) {
  EngineCatalogue& catalogue = connection.Catalogue();
  catalogue.Refresh();
  JetCompiled compiled = CompileJet(utf8Sql, catalogue);
  if (compiled.moreStatements) throw MoreThanOneStatement();
  return compiled;
}

}  // namespace

void Query::ExecSql() {
  Close();
  const std::string utf8Sql = SjisToUtf8(sql_);
  const JetCompiled compiled = Compile(connection_, utf8Sql);
  sqlite3* db = connection_.Handle();
  StatementPtr stmt =
      PrepareSingleStatement(db, compiled.passthrough ? utf8Sql : compiled.engineSql);
  RunToCompletion(db, stmt.get());
}

void Query::Open() {
  const std::string utf8Sql = SjisToUtf8(sql_);
  const JetCompiled compiled = Compile(connection_, utf8Sql);
  if (compiled.passthrough) {
    OpenStatement(utf8Sql);
  } else {
    OpenStatement(compiled.engineSql, compiled.returnsRows ? &compiled.columns : nullptr);
  }
}

}  // namespace tarnwick
