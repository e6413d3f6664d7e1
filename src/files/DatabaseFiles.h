#pragma once
// Creating and designating the current database: the template written out, the descriptor
// written beside it, the main connection pointed at the descriptor.
#include "files/DatabaseNames.h"

namespace tarnwick {

class Connection;

// What becomes of an existing file that is no database of our engine when an empty database
// is made under its name: refused with a message, or replaced after the user agreed.
enum class ForeignFile { Refuse, Replace };

// Makes the database empty and rewrites its descriptor; closes the connection first and leaves
// it closed with the connection string set. A database of our engine is emptied in place
// through the engine (EmptyDatabaseFile), so that other programs that have it open lose
// nothing they have not been told about; a missing file, an empty one, and (when `foreign`
// says so) a file that is no database of ours are written from the template byte for byte,
// after the log files the engine may have left beside them are deleted. Throws TarnwickError,
// with the file as it was, for a Jet (Access) file, which is never replaced, for another file
// that is no database of ours and may not be replaced, when another program holds the write
// lock, and when the template or the descriptor cannot be written.
void RecreateDatabase(Connection& connection, const DatabaseNames& names,
                      ForeignFile foreign = ForeignFile::Refuse);

// Makes the file at copyPath a fresh copy of the sample database at samplePath (console
// text): a missing or empty file is created, a database of ours is replaced in place through
// the engine, so that other programs that have it open go on with the copy. Throws
// TarnwickError, with the file as it was, when the sample is missing or no database of ours,
// for a Jet (Access) file or another file that is no database of ours (never replaced), and
// when another program holds the write lock or the file cannot be written.
void WriteSampleCopy(const std::string& samplePath, const std::string& copyPath);

// Writes the descriptor naming the database, whatever exists, and sets the connection string;
// the database file is neither tested nor created. Throws TarnwickError when the descriptor
// cannot be written.
void DesignateDatabase(Connection& connection, const DatabaseNames& names);

}  // namespace tarnwick
