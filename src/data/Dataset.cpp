#include "data/Dataset.h"

#include <sqlite3.h>

#include <vector>

#include "data/ColumnKind.h"
#include "data/Connection.h"
#include "data/EngineError.h"
#include "data/FieldNames.h"
#include "data/RowSource.h"
#include "data/Statement.h"
#include "text/Cp932.h"
#include "text/TarnwickError.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {

Dataset::Dataset(Connection& connection) : connection_(connection) { connection_.Attach(this); }

Dataset::~Dataset() {
  Close();
  connection_.Detach(this);
}

void Dataset::Close() {
  CloseExtras();
  fields_.clear();
  sqlite3_finalize(stmt_);  // a null statement is fine
  stmt_ = nullptr;
  rows_.reset();
  eof_ = true;
}

void Dataset::OpenStatement(std::string_view utf8Sql, const std::vector<JetResultColumn>* columns) {
  Close();
  StatementPtr stmt = PrepareSingleStatement(connection_.Handle(), utf8Sql);
  if (sqlite3_column_count(stmt.get()) == 0) NoResultSet();
  stmt_ = stmt.release();
  try {
    Step();
    BuildFields(columns);
  } catch (...) {
    Close();
    throw;
  }
}

void Dataset::NoResultSet() { throw TarnwickError(msg::QueryReturnsNoRows()); }

void Dataset::OpenRows(std::unique_ptr<RowSource> rows) {
  Close();
  rows_ = std::move(rows);
  BuildRowSourceFields();
}

void Dataset::First() {
  RequireActive();
  if (rows_ != nullptr) {
    rows_->Rewind();
  } else {
    sqlite3_reset(stmt_);  // its code repeats the last step's failure, already reported
  }
  Step();
}

void Dataset::Next() {
  RequireActive();
  if (!eof_) Step();
}

void Dataset::Step() {
  if (rows_ != nullptr) {
    try {
      eof_ = !rows_->Fetch();
    } catch (...) {
      eof_ = true;
      PointFieldsAtHeldRow(false);
      throw;
    }
    PointFieldsAtHeldRow(!eof_);
    return;
  }
  const bool wasEof = eof_;
  const int rc = sqlite3_step(stmt_);
  eof_ = rc != SQLITE_ROW;
  if (eof_ != wasEof) PointFieldsAt(eof_ ? nullptr : stmt_);
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) throw EngineError(sqlite3_db_handle(stmt_), stmt_);
}

void Dataset::RequireActive() const {
  if (!Active()) throw TarnwickError(msg::DatasetNotOpen());
}

void Dataset::BuildFields(const std::vector<JetResultColumn>* columns) {
  const int count = sqlite3_column_count(stmt_);
  std::vector<std::string> engineNames;  // the engine's names (UTF-8)
  std::vector<std::string> names;        // the names to show, in console text
  engineNames.reserve(static_cast<std::size_t>(count));
  names.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const char* column = sqlite3_column_name(stmt_, i);
    engineNames.emplace_back(column == nullptr ? "" : column);
    const bool known = columns != nullptr && static_cast<std::size_t>(i) < columns->size();
    names.push_back(
        Utf8ToSjis(known ? (*columns)[static_cast<std::size_t>(i)].name : engineNames.back()));
  }
  std::vector<std::string> unique = UniqueFieldNames(names);
  for (int i = 0; i < count; ++i) {
    const auto position = static_cast<std::size_t>(i);
    const TFieldType kind = columns != nullptr && position < columns->size()
                                ? FieldKindOf((*columns)[position].type)
                                : ColumnKind(stmt_, i);
    Field& field = fields_.emplace_back(std::move(unique[position]), kind);
    field.column_ = std::move(engineNames[position]);
    field.index_ = i;
    field.stmt_ = eof_ ? nullptr : stmt_;
  }
}

void Dataset::BuildRowSourceFields() {
  std::vector<std::string> names;
  for (const SourceColumn& column : rows_->Columns()) names.push_back(column.name);
  std::vector<std::string> unique = UniqueFieldNames(names);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const SourceColumn& column = rows_->Columns()[i];
    Field& field = fields_.emplace_back(std::move(unique[i]), column.kind, column.declaredType);
    field.index_ = static_cast<int>(i);
  }
}

void Dataset::PointFieldsAt(sqlite3_stmt* row) {
  for (Field& field : fields_) field.stmt_ = row;
}

void Dataset::PointFieldsAtHeldRow(bool onRow) {
  const std::vector<HeldValue>& cells = rows_->Cells();
  for (Field& field : fields_) {
    const auto index = static_cast<std::size_t>(field.index_);
    field.held_ = onRow && index < cells.size() ? &cells[index] : nullptr;
  }
}

}  // namespace tarnwick
