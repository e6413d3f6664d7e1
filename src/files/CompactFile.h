#pragma once
#include <functional>
#include <string>
#include <string_view>

namespace tarnwick {

// The steps of compacting a database file, in order.
enum class CompactStep {
  RemoveLeftoverCopy,  // delete a compacted copy that an earlier run left behind
  WriteCopy,           // the engine writes the compacted copy
  SyncCopy,            // the copy's data reaches the disk
  ReplaceSource,       // the copy takes the source's name in one rename
  SyncFolder,          // the new directory entry reaches the disk
};

// Called before each step. The program passes none; a caller may stop the work at any step
// (a failure thrown, or the process ended) to show that the database stays whole.
using CompactStepHook = std::function<void(CompactStep)>;

// The compacted copy of a database: the same path followed by ".cache" (console text or the
// system's path alike).
inline std::string CompactCopyPath(std::string_view databasePath) {
  return std::string(databasePath) + ".cache";
}

// Compacts a database file that no connection of ours holds open: the engine writes a
// compacted copy beside it, and the copy, synced to disk, replaces the source by a rename, so
// that at every moment either the old or the new database is whole under the source's name.
// A copy left from an earlier run is deleted first. The compacted database keeps the source's
// permissions; one reached through a symbolic link is compacted where the link points, and
// the link stays. Throws TarnwickError, with the source
// unchanged and no copy left, when the source is missing, is no database, is in use by
// another program, or cannot be replaced.
void CompactDatabaseFile(std::string_view sjisDatabasePath, const CompactStepHook& beforeStep = {});

}  // namespace tarnwick
