#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "data/Field.h"
#include "jet/JetFrontEnd.h"

struct sqlite3_stmt;

namespace tarnwick {

class Connection;
class RowSource;
struct JetValuesTemplate;

// A cursor over the rows of one statement on one connection: the common part of the query
// and the table objects. Fields keep a fixed order; their names are never empty and never
// repeat (a nameless column is "COLUMN%d", a repeated name "%s_%d", counting from 1 until free).
class Dataset {
 public:
  explicit Dataset(Connection& connection);
  virtual ~Dataset();
  Dataset(const Dataset&) = delete;
  Dataset& operator=(const Dataset&) = delete;

  void Close();  // no effect when closed
  bool Active() const { return stmt_ != nullptr || rows_ != nullptr; }

  void First();
  void Next();
  bool Eof() const { return eof_; }

  int FieldCount() const { return static_cast<int>(fields_.size()); }
  Field& FieldAt(int index) { return fields_[static_cast<std::size_t>(index)]; }
  const Field& FieldAt(int index) const { return fields_[static_cast<std::size_t>(index)]; }

 protected:
  // Prepares and starts a row-returning statement (UTF-8 SQL) and stands on its first row.
  // Throws TarnwickError with the engine's message, or "CommandText は結果セットを返しません。"
  // when the statement yields no set of rows. `columns`: the result columns' names and types
  // as the front end works them out; without them each column takes its declared type.
  void OpenStatement(std::string_view utf8Sql,
                     const std::vector<JetResultColumn>* columns = nullptr);
  [[noreturn]] static void NoResultSet();
  // Opens on rows that do not come from the engine (a table of a Jet file). No row is read
  // yet: First() reads the first, so that a failure to read rows is the reading's failure.
  void OpenRows(std::unique_ptr<RowSource> rows);
  // Releases what a derived dataset holds besides its row statement; Close calls it first.
  virtual void CloseExtras() {}
  Connection& connection_;
  sqlite3_stmt* stmt_ = nullptr;
  std::unique_ptr<RowSource> rows_;
  std::deque<Field> fields_;  // stable addresses
  bool eof_ = true;

 private:
  friend class Connection;
  void Step();
  void RequireActive() const;
  void BuildFields(const std::vector<JetResultColumn>* columns);
  void BuildRowSourceFields();
  // Lets the fields read the current row, or nothing (past the last row).
  void PointFieldsAt(sqlite3_stmt* row);
  void PointFieldsAtHeldRow(bool onRow);
};

// The query object: a statement text (console text, Shift-JIS) run without a result or
// opened as a result set.
class Query : public Dataset {
 public:
  using Dataset::Dataset;
  void SetSql(std::string sjisSql) { sql_ = std::move(sjisSql); }
  const std::string& Sql() const { return sql_; }
  // Runs the statement; throws TarnwickError with the engine's message. A text that holds
  // no statement, or more than one, is an error too.
  void ExecSql();
  // Runs a statement given as UTF-8 instead of the statement text, as ExecSql runs that: for
  // statements the program makes with names console text cannot spell (the import's).
  void ExecUtf8Sql(const std::string& utf8Sql);
  void Open();
  // True when the statement gives rows (a query, TRANSFORM, EXECUTE of a query...), as the
  // front end (or, for the engine's own SQL, the engine) reads it; false also for a statement
  // that is refused, which ExecSql then reports.
  bool ReturnsRows();

 private:
  bool ExecValues(const JetValuesTemplate& values);
  void OpenAgainIfChanged();
  void OpenCompiled();
  // The statement compiled against the database as it is now; ReturnsRows keeps what it
  // compiled for the run that follows.
  JetCompiled Compiled(const std::string& utf8Sql);
  void ExecEngineSql(const std::string& utf8Sql);
  std::string StatementHint(const std::string& utf8Sql);
  void WithStatementHint(const std::string& utf8Sql, const std::function<void()>& run);
  std::string sql_;
  struct KeptCompile {
    std::string utf8Sql;
    unsigned generation;
    JetCompiled compiled;
  };
  std::optional<KeptCompile> kept_;
};

// The table object: all rows of one table, a row count, and appending rows.
class Table : public Dataset {
 public:
  using Dataset::Dataset;
  ~Table() override;
  void SetTableName(std::string sjisName);
  // The table by the engine's own name (UTF-8), which console text may not be able to spell;
  // TableName then gives it as console text, with '?' for such characters.
  void SetEngineTableName(std::string utf8Name);
  const std::string& TableName() const { return tableName_; }
  const std::string& EngineName() const { return engineName_; }
  // Opens all rows and stands on the first. On a Jet file the fields are ready at once and
  // First() reads the first row.
  void Open();
  std::int64_t RecordCount();
  // Starts a new row: every field reads NULL until assigned.
  void Append();
  // Stores the appended row; throws TarnwickError with the engine's message.
  void Post();

 private:
  void CloseExtras() override;
  std::string EngineTableName() const;
  std::string tableName_;
  std::string engineName_;
  sqlite3_stmt* insert_ = nullptr;
  bool appending_ = false;
  friend class Dataset;
};

}  // namespace tarnwick
