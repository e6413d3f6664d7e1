#pragma once
// mdbtools' library, loaded when a Jet file is first read rather than linked: a program that
// never reads one does not carry the library and glib (and their memory). Its 1.0 headers,
// used here for the types, need glib's first.
// clang-format off
#include <glib.h>
#include <mdbtools.h>
// clang-format on

namespace tarnwick {

// The library's functions that the Jet reader calls.
struct MdbFunctions {
  decltype(&mdb_open) open;
  decltype(&mdb_close) close;
  decltype(&mdb_read_pg) readPage;
  decltype(&mdb_read_table) readTable;
  decltype(&mdb_read_columns) readColumns;
  decltype(&mdb_read_indices) readIndices;
  decltype(&mdb_free_tabledef) freeTable;
  decltype(&mdb_rewind_table) rewindTable;
  decltype(&mdb_read_next_dpg) readNextDataPage;
  decltype(&mdb_find_row) findRow;
  decltype(&mdb_find_pg_row) findPageRow;
  decltype(&mdb_crack_row) crackRow;
};

// The functions, the library loaded on first use. Throws TarnwickError when it is not
// installed (Debian's package libmdb3).
const MdbFunctions& Libmdb();

}  // namespace tarnwick
