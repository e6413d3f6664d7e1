#include <sqlite3.h>

#include <functional>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/EngineCatalogue.h"
#include "data/EngineError.h"
#include "data/EngineSteps.h"
#include "data/Statement.h"
#include "data/ValuesStatements.h"
#include "jet/JetFrontEnd.h"
#include "jet/JetMessages.h"
#include "jet/JetStatementHints.h"
#include "jet/JetValuesTemplate.h"
#include "text/Cp932.h"

namespace tarnwick {

namespace {

// Runs of a statement whose definitions another connection keeps changing under it.
constexpr int kMostAttempts = 3;

// The statement through the Jet front end, against the database as it is now.
JetCompiled Compile(Connection& connection, const std::string& utf8Sql) {
  EngineCatalogue& catalogue = connection.Catalogue();
  catalogue.Refresh();
  JetCompiled compiled = CompileJet(utf8Sql, catalogue);
  if (compiled.moreStatements) throw MoreThanOneStatement();
  return compiled;
}

// Leaves a kept statement ready for its next run, however this one ends.
struct ResetAfterRun {
  sqlite3_stmt* stmt;
  ~ResetAfterRun() {
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
  }
};

void BindValues(sqlite3* db, sqlite3_stmt* stmt, const std::vector<JetLiteralValue>& values) {
  int position = 1;
  for (const JetLiteralValue& value : values) {
    int rc = SQLITE_OK;
    switch (value.kind) {
      case JetLiteralValue::Kind::Integer:
        rc = sqlite3_bind_int64(stmt, position, value.integer);
        break;
      case JetLiteralValue::Kind::Real:
        rc = sqlite3_bind_double(stmt, position, value.real);
        break;
      case JetLiteralValue::Kind::Text:
        rc = sqlite3_bind_text64(stmt, position, value.text.data(), value.text.size(),
                                 SQLITE_STATIC, SQLITE_UTF8);
        break;
    }
    if (rc != SQLITE_OK) throw EngineError(db);
    ++position;
  }
}

}  // namespace

// INSERT ... VALUES with literal values: the statement compiled and prepared for its template
// once, then run with each statement's values. False when the template does not compile (the
// statement itself then reports why) or was made for definitions that have changed.
bool Query::ExecValues(const JetValuesTemplate& values) {
  EngineCatalogue& catalogue = connection_.Catalogue();
  catalogue.Refresh();
  ValuesStatements& prepared = connection_.PreparedValues();
  sqlite3* db = connection_.Handle();
  sqlite3_stmt* stmt = prepared.Find(values.text, catalogue.Generation());
  if (stmt == nullptr) {
    JetCompiled compiled;
    try {
      compiled = Compile(connection_, values.text);
    } catch (const JetError&) {
      return false;
    }
    if (compiled.passthrough || !compiled.steps.empty()) return false;
    stmt = prepared.Add(values.text, catalogue.Generation(),
                        PrepareForDefinitions(db, compiled.engineSql));
  }
  const ResetAfterRun reset{stmt};
  BindValues(db, stmt, values.values);
  if (!RunUnlessDefinitionsChanged(db, stmt)) {
    catalogue.DefinitionsChanged();
    return false;
  }
  catalogue.AfterStatement(stmt, false);
  return true;
}

// The hint the statement's own text gives (a "name" in double quotes, a date without #...#);
// empty when it gives none or the catalogue cannot be read.
std::string Query::StatementHint(const std::string& utf8Sql) {
  if (!connection_.Connected()) return {};
  try {
    return msg::RenderHint(JetStatementHint(utf8Sql, connection_.Catalogue()));
  } catch (const TarnwickError&) {
    return {};
  }
}

// A failure of the statement with that hint, when the failure has none of its own.
void Query::WithStatementHint(const std::string& utf8Sql, const std::function<void()>& run) {
  try {
    run();
  } catch (const TarnwickError& error) {
    const std::string hint = error.HasHint() ? std::string() : StatementHint(utf8Sql);
    if (hint.empty()) throw;
    throw error.WithHint(hint);
  }
}

void Query::ExecSql() {
  const std::string utf8Sql = SjisToUtf8(sql_);
  WithStatementHint(utf8Sql, [&] { ExecUtf8Sql(utf8Sql); });
}

// Runs the statement as the front end compiles it. Should another connection change the
// database's definitions in between, nothing has run: it is compiled again and run against
// the definitions as they are now.
void Query::ExecUtf8Sql(const std::string& utf8Sql) {
  Close();
  if (connection_.Dialect() == SqlDialect::Engine) return ExecEngineSql(utf8Sql);
  if (const std::optional<JetValuesTemplate> values = JetInsertValuesTemplate(utf8Sql)) {
    if (ExecValues(*values)) return;
  }
  sqlite3* db = connection_.Handle();
  EngineCatalogue& catalogue = connection_.Catalogue();
  for (int attempt = 1;; ++attempt) {
    JetCompiled compiled;
    StatementPtr stmt;
    try {
      compiled = Compiled(utf8Sql);
      if (!compiled.steps.empty()) {
        RunWithSteps(connection_, compiled);
        catalogue.DefinitionsChanged();
        return;
      }
      stmt = PrepareForDefinitions(db, compiled.passthrough ? utf8Sql : compiled.engineSql);
    } catch (const TarnwickError&) {
      if (attempt < kMostAttempts && catalogue.Recheck()) continue;
      throw;
    }
    if (RunUnlessDefinitionsChanged(db, stmt.get())) {
      catalogue.AfterStatement(stmt.get(), compiled.changesDefinitions);
      return;
    }
    if (attempt == kMostAttempts) throw EngineError(db, stmt.get());
    catalogue.DefinitionsChanged();
  }
}

// A query whose definitions another connection changed between its compiling and its first
// row is compiled and opened again, against the definitions as they are now.
void Query::Open() {
  WithStatementHint(SjisToUtf8(sql_), [this] { OpenAgainIfChanged(); });
}

void Query::OpenAgainIfChanged() {
  EngineCatalogue& catalogue = connection_.Catalogue();
  try {
    OpenCompiled();
  } catch (const TarnwickError&) {
    if (!catalogue.Recheck()) throw;
    OpenCompiled();
    return;
  }
  if (catalogue.PreparedAgain(stmt_)) OpenCompiled();
}

// The engine's own SQL, unchanged.
void Query::ExecEngineSql(const std::string& utf8Sql) {
  sqlite3* db = connection_.Handle();
  StatementPtr stmt = PrepareSingleStatement(db, utf8Sql);
  RunToCompletion(db, stmt.get());
  connection_.Catalogue().AfterStatement(stmt.get(), true);
}

JetCompiled Query::Compiled(const std::string& utf8Sql) {
  if (kept_ && kept_->utf8Sql == utf8Sql) {
    EngineCatalogue& catalogue = connection_.Catalogue();
    catalogue.Refresh();
    KeptCompile kept = std::move(*kept_);
    kept_.reset();
    if (kept.generation == catalogue.Generation()) return std::move(kept.compiled);
  }
  kept_.reset();
  return Compile(connection_, utf8Sql);
}

bool Query::ReturnsRows() {
  kept_.reset();
  const std::string utf8Sql = SjisToUtf8(sql_);
  try {
    if (connection_.Dialect() == SqlDialect::Jet) {
      if (!JetMayReturnRows(utf8Sql)) return false;
      JetCompiled compiled = Compile(connection_, utf8Sql);
      if (!compiled.passthrough) {
        const bool rows = compiled.returnsRows;
        kept_ = KeptCompile{utf8Sql, connection_.Catalogue().Generation(), std::move(compiled)};
        return rows;
      }
    }
    // The engine's own SQL: the engine tells.
    return EngineGivesRows(connection_.Handle(), utf8Sql);
  } catch (const TarnwickError&) {
    return false;
  }
}

void Query::OpenCompiled() {
  const std::string utf8Sql = SjisToUtf8(sql_);
  if (connection_.Dialect() == SqlDialect::Engine) {
    OpenStatement(utf8Sql);
    connection_.Catalogue().AfterStatement(stmt_, true);
    return;
  }
  const JetCompiled compiled = Compiled(utf8Sql);
  if (!compiled.passthrough && !compiled.returnsRows) NoResultSet();
  if (compiled.passthrough) {
    OpenStatement(utf8Sql);
  } else {
    OpenStatement(compiled.engineSql, compiled.returnsRows ? &compiled.columns : nullptr);
  }
  if (compiled.changesDefinitions) connection_.Catalogue().AfterStatement(stmt_, true);
}

}  // namespace tarnwick
