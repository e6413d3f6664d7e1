#pragma once
// The prepared statements of INSERT ... VALUES templates on one connection: a script that fills
// a table compiles and prepares its statement once and binds each row's values.
#include <string>
#include <unordered_map>

#include "data/Statement.h"

namespace tarnwick {

class ValuesStatements {
 public:
  // The statement prepared for the template text while the catalogue was at `generation`;
  // nullptr when there is none (or it was made for an older catalogue).
  sqlite3_stmt* Find(const std::string& text, unsigned generation);
  sqlite3_stmt* Add(const std::string& text, unsigned generation, StatementPtr stmt);

 private:
  static constexpr std::size_t kMostKept = 64;
  std::unordered_map<std::string, StatementPtr> statements_;
  unsigned generation_ = 0;
};

}  // namespace tarnwick
