#include <sqlite3.h>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/Statement.h"
#include "jet/JetTranslate.h"
#include "text/Cp932.h"

namespace tarnwick {

namespace {

// The statement as the engine runs it: UTF-8, in the engine's dialect.
std::string EngineSql(const std::string& sjisSql) { return TranslateJetSql(SjisToUtf8(sjisSql)); }

}  // namespace

void Query::ExecSql() {
  Close();
  sqlite3* db = connection_.Handle();
  StatementPtr stmt = PrepareSingleStatement(db, EngineSql(sql_));
  RunToCompletion(db, stmt.get());
}

void Query::Open() { OpenStatement(EngineSql(sql_)); }

}  // namespace tarnwick
