#pragma once
// The names of the current database: its directory, its file name and the file name of its
// connection descriptor, all console text (Shift-JIS).
#include <string>
#include <string_view>

namespace tarnwick {

struct DatabaseNames {
  std::string DbDir;    // directory part including its final '/', or empty (working directory)
  std::string MdbName;  // file name of the database
  std::string UdlName;  // file name of its connection descriptor

  std::string DatabasePath() const { return DbDir + MdbName; }
  std::string DescriptorPath() const { return DbDir + UdlName; }
  // What the main connection is given: "FILE NAME=" + descriptor path.
  std::string ConnectionString() const { return "FILE NAME=" + DescriptorPath(); }
};

// True when the extension of the path's file-name part (from its last '.', the dot
// included), in ASCII upper case, is ".MDB".
bool HasDatabaseExtension(std::string_view path);

// Splits a database path into directory and file name and names its descriptor: a name with
// the database extension keeps all but its last three characters and gets "udl" (a.mdb gives
// a.udl, A.MDB gives A.udl). Any other name has its extension, if any, replaced by ".udl"
// (data.db gives data.udl, data gives data.udl), so that the descriptor never lands on a name
// shorter than the extension or on the database itself, except for a database that is named
// like a descriptor; DescriptorIsDatabase tells that case.
DatabaseNames DeriveDatabaseNames(std::string_view path);

// True when the descriptor would replace the database file (a database named "x.udl").
bool DescriptorIsDatabase(const DatabaseNames& names);

// The path of a new database of ours beside a Jet file that is imported into it: the same
// name with "_tarnwick" before the extension (the extension kept when it is .mdb, else .mdb),
// and a number after it when that file exists already ("a_tarnwick2.mdb"), so that no
// existing file is ever replaced.
std::string ImportedDatabasePath(std::string_view jetPath);

}  // namespace tarnwick
