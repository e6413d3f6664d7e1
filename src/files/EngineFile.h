#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "text/messages/Message.h"

struct sqlite3;

namespace tarnwick {

// A connection of the file operations' own (compaction, emptying) to a database file: it never
// creates the file, waits for other programs' locks up to the busy timeout, and reports a lock
// held past it with the caller's message, which names the file. Other failures carry the
// engine's message. A transaction still open when it is destroyed is rolled back.
class EngineFile {
 public:
  EngineFile(const std::string& nativePath, int busyTimeoutMilliseconds, msg::Message busyMessage);
  ~EngineFile();
  EngineFile(const EngineFile&) = delete;
  EngineFile& operator=(const EngineFile&) = delete;

  void Exec(const std::string& utf8Sql);
  // The first column of every row of a query, as text.
  std::vector<std::string> Column(const std::string& utf8Sql);
  // Replaces the whole database by the content of another database file, in one step under
  // the engine's locks (its backup): programs that have the database open go on with the new
  // content.
  void CopyFrom(const std::string& sourceNativePath);

 private:
  [[noreturn]] void Fail();
  msg::Message busyMessage_;
  sqlite3* db_ = nullptr;
};

}  // namespace tarnwick
