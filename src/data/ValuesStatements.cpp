#include "data/ValuesStatements.h"

namespace tarnwick {

sqlite3_stmt* ValuesStatements::Find(const std::string& text, unsigned generation) {
  if (generation != generation_) {
    statements_.clear();  // compiled against definitions that have changed since
    generation_ = generation;
    return nullptr;
  }
  const auto found = statements_.find(text);
  return found == statements_.end() ? nullptr : found->second.get();
}

sqlite3_stmt* ValuesStatements::Add(const std::string& text, unsigned generation,
                                    StatementPtr stmt) {
  if (generation != generation_ || statements_.size() >= kMostKept) statements_.clear();
  generation_ = generation;
  return statements_.insert_or_assign(text, std::move(stmt)).first->second.get();
}

}  // namespace tarnwick
