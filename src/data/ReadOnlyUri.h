#pragma once
#include <string>

namespace tarnwick {

// A URI that opens the file (system path) read-only. When no log of another writer lies
// beside it, the file is taken as unchanging: the engine then neither locks it nor creates its
// shared-memory file.
std::string ReadOnlyUri(const std::string& nativePath);

}  // namespace tarnwick
