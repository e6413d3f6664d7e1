#include "support/OtherProgram.h"

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarnwick::test {

OtherProgram::OtherProgram(const std::string& databasePath, const std::string& utf8Statements) {
  int ready[2], release[2];
  if (pipe(ready) != 0 || pipe(release) != 0) return;
  child_ = fork();
  if (child_ == 0) {
    close(ready[0]);
    close(release[1]);
    sqlite3* db = nullptr;
    char answer = 'n';
    if (sqlite3_open_v2(databasePath.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
        sqlite3_exec(db, utf8Statements.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK) {
      answer = 'y';
    }
    (void)!write(ready[1], &answer, 1);
    char none;
    (void)!read(release[0], &none, 1);  // returns when the parent closes its end
    _exit(0);
  }
  close(ready[1]);
  close(release[0]);
  release_ = release[1];
  char answer = 'n';
  ready_ = read(ready[0], &answer, 1) == 1 && answer == 'y';
  close(ready[0]);
}

OtherProgram::~OtherProgram() {
  if (release_ >= 0) close(release_);
  if (child_ > 0) waitpid(child_, nullptr, 0);
}

}  // namespace tarnwick::test
