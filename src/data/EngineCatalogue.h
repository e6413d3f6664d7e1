#pragma once
// The front end's view of the open database: its tables and views with each column's Jet
// type, read from the engine's catalogue and kept until the database's definitions change.
#include <map>
#include <string>
#include <string_view>

#include "data/Statement.h"
#include "jet/JetCatalogue.h"

struct sqlite3;

namespace tarnwick {

class EngineCatalogue : public JetCatalogue {
 public:
  explicit EngineCatalogue(sqlite3* db) : db_(db) {}

  // Forgets what it has read when a definition changed since (on this connection or another).
  // Called before each statement is compiled.
  void Refresh();

  const JetTableInfo* FindTable(std::string_view name) override;

 private:
  std::int64_t Version(StatementPtr& query, std::string_view sql);
  bool ReadTable(std::string_view name, JetTableInfo& table);
  void ReadColumns(JetTableInfo& table);

  sqlite3* db_;
  std::int64_t mainVersion_ = -1;
  std::int64_t tempVersion_ = -1;
  // Keyed by the name in upper case ASCII, as names compare.
  std::map<std::string, JetTableInfo, std::less<>> tables_;
  StatementPtr mainVersionQuery_;
  StatementPtr tempVersionQuery_;
};

}  // namespace tarnwick
