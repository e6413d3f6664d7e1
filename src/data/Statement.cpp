#include "data/Statement.h"

#include <sqlite3.h>

#include "data/EngineError.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// True when the text holds nothing the engine would run: blanks, ';' and comments only.
bool HoldsNoStatement(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsBlank(text[i]) || text[i] == ';') {
      ++i;
    } else if (text.substr(i, 2) == "--") {
      std::size_t lineEnd = text.find('\n', i);
      i = lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
    } else if (text.substr(i, 2) == "/*") {
      std::size_t commentEnd = text.find("*/", i + 2);
      i = commentEnd == std::string_view::npos ? text.size() : commentEnd + 2;
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

void StatementFinalizer::operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }

namespace {

using PrepareFunction = int (*)(sqlite3*, const char*, int, sqlite3_stmt**, const char**);

StatementPtr PrepareOne(sqlite3* db, std::string_view utf8Sql, PrepareFunction prepare) {
  const char* position = utf8Sql.data();
  const char* end = position + utf8Sql.size();
  sqlite3_stmt* raw = nullptr;
  // Empty statements before the first real one (";;") are passed over.
  while (raw == nullptr && position < end) {
    const char* tail = nullptr;
    if (prepare(db, position, static_cast<int>(end - position), &raw, &tail) != SQLITE_OK) {
      throw EngineError(db, std::string_view(position, static_cast<std::size_t>(end - position)));
    }
    if (tail == nullptr || tail <= position) break;
    position = tail;
  }
  StatementPtr stmt(raw);
  if (!stmt) throw TarnwickError(msg::NoStatement());
  if (!HoldsNoStatement(std::string_view(position, static_cast<std::size_t>(end - position)))) {
    throw MoreThanOneStatement();
  }
  return stmt;
}

}  // namespace

StatementPtr PrepareSingleStatement(sqlite3* db, std::string_view utf8Sql) {
  return PrepareOne(db, utf8Sql, sqlite3_prepare_v2);
}

// The engine's first interface to preparing: a statement whose definitions changed fails with
// SQLITE_SCHEMA before it does anything, where the later ones prepare it again silently.
StatementPtr PrepareForDefinitions(sqlite3* db, std::string_view utf8Sql) {
  return PrepareOne(db, utf8Sql, sqlite3_prepare);
}

bool RunUnlessDefinitionsChanged(sqlite3* db, sqlite3_stmt* stmt) {
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
  }
  if (rc == SQLITE_DONE) return true;
  // With the first interface the step's code is general; the reset gives the particular one.
  if (sqlite3_reset(stmt) == SQLITE_SCHEMA) return false;
  throw EngineError(db, stmt);
}

TarnwickError MoreThanOneStatement() { return TarnwickError(msg::MoreThanOneStatement()); }

void RunToCompletion(sqlite3* db, sqlite3_stmt* stmt) {
  int rc;
  while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
  }
  if (rc != SQLITE_DONE) throw EngineError(db, stmt);
}

StatementPtr PrepareWithText(sqlite3* db, std::string_view utf8Sql, std::string_view utf8Text) {
  StatementPtr stmt = PrepareSingleStatement(db, utf8Sql);
  if (sqlite3_bind_text64(stmt.get(), 1, utf8Text.data(), utf8Text.size(), SQLITE_STATIC,
                          SQLITE_UTF8) != SQLITE_OK) {
    throw EngineError(db);
  }
  return stmt;
}

void ExecuteInternal(sqlite3* db, std::string_view utf8Sql) {
  StatementPtr stmt = PrepareSingleStatement(db, utf8Sql);
  RunToCompletion(db, stmt.get());
}

std::int64_t QueryInteger(sqlite3* db, std::string_view utf8Sql) {
  StatementPtr stmt = PrepareSingleStatement(db, utf8Sql);
  if (sqlite3_step(stmt.get()) != SQLITE_ROW) throw EngineError(db);
  return sqlite3_column_int64(stmt.get(), 0);
}

}  // namespace tarnwick
