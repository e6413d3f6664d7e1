#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// The compacted copy that earlier versions wrote beside a database while compacting it: the
// same path followed by ".cache" (console text or the system's path alike).
inline std::string CompactCopyPath(std::string_view databasePath) {
  return std::string(databasePath) + ".cache";
}

// What one compaction did.
struct CompactOutcome {
  std::string removedCopy;  // a copy left by an earlier version, deleted (console text)
  bool compacted = false;   // the engine rebuilt the file (false: nothing to reclaim,
                            // or a database that we cannot write)
};

// How long compaction waits for another program that is writing to the database.
inline constexpr int kCompactBusyTimeoutMilliseconds = 5000;

// Compacts a database file in place with the engine's own operation (VACUUM), under the
// engine's locks and journal: it is atomic, and safe against other programs that have the
// database open, which go on reading and writing it. A copy left beside the database by an
// earlier version is deleted first. Nothing is rebuilt when the engine reports no free pages,
// or when we cannot write the database or its folder (a read-only database stays as it is).
// Throws TarnwickError, with the database as it was, when the file is missing or no database,
// or when another program holds its write lock past the busy timeout ("... は他のプログラムが
// 使用中のため最適化できません").
CompactOutcome CompactDatabaseFile(std::string_view sjisDatabasePath,
                                   int busyTimeoutMilliseconds = kCompactBusyTimeoutMilliseconds);

}  // namespace tarnwick
