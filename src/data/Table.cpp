#include <sqlite3.h>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/EngineCatalogue.h"
#include "data/EngineError.h"
#include "data/SqlName.h"
#include "data/Statement.h"
#include "data/mdb/JetDatabase.h"
#include "text/Cp932.h"

namespace tarnwick {

Table::~Table() { Close(); }

void Table::SetTableName(std::string sjisName) {
  engineName_ = SjisToUtf8(sjisName);
  tableName_ = std::move(sjisName);
}

void Table::SetEngineTableName(std::string utf8Name) {
  tableName_ = Utf8ToSjis(utf8Name);
  engineName_ = std::move(utf8Name);
}

std::string Table::EngineTableName() const { return QuotedName(engineName_); }

// The columns take the Jet types the catalogue gives them.
void Table::Open() {
  connection_.EnsureOpen();
  if (connection_.IsJetSource()) {
    OpenRows(connection_.Jet().OpenTable(tableName_));
    return;
  }
  EngineCatalogue& catalogue = connection_.Catalogue();
  catalogue.Refresh();
  const JetSchemaTable* table = catalogue.FindTable(SjisToUtf8(tableName_));
  std::vector<JetResultColumn> columns;
  if (table != nullptr) {
    for (const JetSchemaColumn& column : table->columns)
      columns.push_back({column.name, column.type});
  }
  OpenStatement("SELECT * FROM " + EngineTableName(), table != nullptr ? &columns : nullptr);
}

std::int64_t Table::RecordCount() {
  connection_.EnsureOpen();
  if (connection_.IsJetSource()) return connection_.Jet().RowCount(tableName_);
  return QueryInteger(connection_.Handle(), "SELECT count(*) FROM " + EngineTableName());
}

void Table::Append() {
  connection_.Handle();  // refuses a read-only Jet file before anything is begun
  if (!Active()) Open();
  if (appending_) {
    // A row that was given values is stored before the next one starts, never dropped.
    for (const Field& field : fields_) {
      if (field.assigned_) {
        Post();
        break;
      }
    }
  }
  for (Field& field : fields_) field.BeginAppend();
  appending_ = true;
}

void Table::Post() {
  if (!appending_) return;
  sqlite3* db = connection_.Handle();
  if (insert_ == nullptr) {
    std::string columns;
    std::string parameters;
    for (const Field& field : fields_) {
      if (!columns.empty()) {
        columns += ", ";
        parameters += ", ";
      }
      columns += QuotedName(field.column_);
      parameters += '?';
    }
    insert_ = PrepareSingleStatement(db, "INSERT INTO " + EngineTableName() + " (" + columns +
                                             ") VALUES (" + parameters + ")")
                  .release();
  }
  int position = 1;
  for (const Field& field : fields_) field.BindPending(insert_, position++);
  const int rc = sqlite3_step(insert_);
  if (rc != SQLITE_DONE) {
    const TarnwickError failure = EngineError(db, insert_);
    sqlite3_reset(insert_);  // every parameter is bound again before the next run
    throw failure;
  }
  sqlite3_reset(insert_);
  for (Field& field : fields_) field.EndAppend();
  appending_ = false;
}

void Table::CloseExtras() {
  sqlite3_finalize(insert_);
  insert_ = nullptr;
  appending_ = false;
}

}  // namespace tarnwick
