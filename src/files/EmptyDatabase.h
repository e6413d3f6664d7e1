#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// True when the file (a system path) begins as every database of our engine does.
bool IsEngineDatabaseFile(const std::string& nativePath);
// True when it is moreover a database of ours: one made from our template, whose header
// carries the template's application id (kept by every emptying).
bool IsConsoleDatabaseFile(const std::string& nativePath);

// How long emptying waits for another program that is writing to the database.
inline constexpr int kEmptyBusyTimeoutMilliseconds = 5000;

// Empties a database of our engine in place, through the engine, so that other programs that
// have it open go on with the emptied database instead of a deleted file: takes the write lock,
// drops every view and table (with their indexes and triggers) in one transaction, gives the
// database the template's user version and application id, then compacts it. Throws
// TarnwickError, with the database as it was, when another program holds the write lock past
// the busy timeout ("... は他のプログラムが使用中のため初期化できません") or the engine fails.
void EmptyDatabaseFile(std::string_view sjisDatabasePath,
                       int busyTimeoutMilliseconds = kEmptyBusyTimeoutMilliseconds);

}  // namespace tarnwick
