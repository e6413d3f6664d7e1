#pragma once
// Creating and designating the current database: the template written out, the descriptor
// written beside it, the main connection pointed at the descriptor.
#include "files/DatabaseNames.h"

namespace tarnwick {

class Connection;

// Replaces the database by the empty template and rewrites its descriptor: closes the
// connection, deletes the existing database file (with any log files the engine left
// beside it), writes the template byte for byte, writes the descriptor and sets the
// connection string. Leaves the connection closed. Throws TarnwickError when the template or
// the descriptor cannot be written, and before anything is done when the file is a Jet
// (Access) file, which is never replaced.
void RecreateDatabase(Connection& connection, const DatabaseNames& names);

// Writes the descriptor naming the database, whatever exists, and sets the connection string;
// the database file is neither tested nor created. Throws TarnwickError when the descriptor
// cannot be written.
void DesignateDatabase(Connection& connection, const DatabaseNames& names);

}  // namespace tarnwick
