#include "data/mdb/MdbLibrary.h"

#include <dlfcn.h>

#include <stdexcept>
#include <string>

#include "text/Cp932.h"
#include "text/TarnwickError.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {

namespace {

constexpr const char* kLibraryNames[] = {"libmdb.so.3", "libmdb.so"};

template <typename Function>
void Resolve(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  if (function == nullptr) throw std::runtime_error(name);
}

MdbFunctions Load() {
  void* library = nullptr;
  for (const char* name : kLibraryNames) {
    library = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (library != nullptr) break;
  }
  if (library == nullptr) {
    throw TarnwickError(msg::MdbLibraryMissing());
  }
  // Stays loaded for the rest of the run, as its functions are kept.
  MdbFunctions functions{};
  try {
    Resolve(library, "mdb_open", functions.open);
    Resolve(library, "mdb_close", functions.close);
    Resolve(library, "mdb_read_pg", functions.readPage);
    Resolve(library, "mdb_read_table", functions.readTable);
    Resolve(library, "mdb_read_columns", functions.readColumns);
    Resolve(library, "mdb_read_indices", functions.readIndices);
    Resolve(library, "mdb_free_tabledef", functions.freeTable);
    Resolve(library, "mdb_rewind_table", functions.rewindTable);
    Resolve(library, "mdb_read_next_dpg", functions.readNextDataPage);
    Resolve(library, "mdb_find_row", functions.findRow);
    Resolve(library, "mdb_find_pg_row", functions.findPageRow);
    Resolve(library, "mdb_crack_row", functions.crackRow);
  } catch (const std::runtime_error& missing) {
    throw TarnwickError(msg::MdbLibraryFunctionMissing(missing.what()));
  }
  return functions;
}

}  // namespace

const MdbFunctions& Libmdb() {
  static const MdbFunctions functions = Load();  // a failed load is tried again next time
  return functions;
}

}  // namespace tarnwick
