#pragma once
// Another program on the same database: a child process with a connection of its own.
#include <sys/types.h>

#include <string>

namespace tarnwick::test {

// A child process that opens the database file (a system path) with the engine, runs the
// statements (UTF-8, e.g. "BEGIN IMMEDIATE" to hold the write lock) and keeps its connection
// open until the object is destroyed; the child then ends without committing.
class OtherProgram {
 public:
  OtherProgram(const std::string& databasePath, const std::string& utf8Statements);
  ~OtherProgram();
  OtherProgram(const OtherProgram&) = delete;
  OtherProgram& operator=(const OtherProgram&) = delete;
  // Whether the child's statements succeeded.
  bool Ready() const { return ready_; }

 private:
  pid_t child_ = -1;
  int release_ = -1;  // closing it lets the child end
  bool ready_ = false;
};

}  // namespace tarnwick::test
