#pragma once
// The front end's view of the open database: its tables and views with each column's Jet
// type, read from the engine's catalogue and kept until the database's definitions change.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "data/Statement.h"
#include "jet/JetSchema.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tarnwick {

// The names of the user's tables and views, in the order they were made, without the
// engine's and the program's own; nothing when the engine cannot answer.
std::vector<std::string> UserTableNames(sqlite3* db);

// The first column of each row of a query of the catalogue that takes one text parameter (or
// none when `parameter` is empty); nothing when the engine cannot answer.
std::vector<std::string> CatalogueNames(sqlite3* db, const char* sql,
                                        const std::string& parameter = {});

class EngineCatalogue : public JetSchema {
 public:
  explicit EngineCatalogue(sqlite3* db) : db_(db) {}

  // Called before each statement is compiled: forgets what it has read when another
  // connection may have changed a definition since. Only then does it ask the engine, which
  // costs a read of the file: most statements follow one of this connection's own.
  void Refresh();
  // Called after a statement ran on this connection. `definitions`: it may have changed a
  // definition (CREATE, ALTER, DROP, or a statement the front end left to the engine).
  void AfterStatement(sqlite3_stmt* stmt, bool definitions);

  const JetSchemaTable* FindTable(std::string_view name) override;
  std::vector<std::string> ReferringTables(std::string_view name) override;
  std::optional<JetProcedure> FindProcedure(std::string_view name) override;
  std::vector<JetValue> ColumnValues(std::string_view engineSql) override;
  std::vector<std::string> TableNames() override { return UserTableNames(db_); }

  // Another connection changed a definition: everything is read again.
  void DefinitionsChanged();
  // Asks the engine whether a definition changed since the catalogue was read, whatever the
  // data version says, and forgets what it read if so. For a statement the front end or the
  // engine refused, which may have met definitions another connection has just changed.
  bool Recheck();

  // True when the engine had to prepare the statement again because another connection had
  // changed a definition since it was compiled: then the catalogue forgets what it had read.
  bool PreparedAgain(sqlite3_stmt* stmt);

  // Counts the times it forgot what it had read: what was compiled against an older
  // generation may no longer fit the database.
  unsigned Generation() const { return generation_; }

 private:
  std::int64_t Version(StatementPtr& query, std::string_view sql);
  unsigned DataVersion() const;
  bool ReadTable(std::string_view name, JetSchemaTable& table);
  void Forget();
  void ReadColumns(JetSchemaTable& table);
  bool WithoutRowId(const JetSchemaTable& table);
  void ReadIndexes(JetSchemaTable& table);
  void ReadOtherDefinitions(JetSchemaTable& table);

  sqlite3* db_;
  std::int64_t mainVersion_ = -1;
  std::int64_t tempVersion_ = -1;
  // The file's data version after the last statement: it moves on with every commit, ours and
  // other connections'. A move that ours do not explain makes the next Refresh ask.
  unsigned dataVersion_ = 0;
  bool checkNeeded_ = true;
  unsigned generation_ = 0;
  // Keyed by the name in upper case ASCII, as names compare.
  std::map<std::string, JetSchemaTable, std::less<>> tables_;
  StatementPtr mainVersionQuery_;
  StatementPtr tempVersionQuery_;
};

}  // namespace tarnwick
