#pragma once
// Saving the result log to a text file.
#include <string_view>

namespace tarnwick {

// Writes the log's bytes (Shift-JIS, CR LF, exactly as the pane holds them: no byte-order
// mark, no line break added or removed) to the file at sjisPath, used as given: no extension
// is added. An existing file is replaced without asking.
//
// A file that cannot be written throws TarnwickError with FileCreateMessage (the path and the
// system's reason) and is left as it was:
// - a file we may not write (the system refuses it, or it is marked read-only: no write
//   permission for anyone) is refused before anything is written;
// - a new file is written whole or not at all (the log is prepared in a temporary file beside
//   it, which then gets the name);
// - an existing regular file is replaced only once the whole log is on disk (a temporary
//   file beside it takes its place, with its permissions); where no temporary file can be
//   made beside it (a folder the user may not write to), it is overwritten in place;
// - a file with several names (hard links) is overwritten in place, so that all its names
//   show the saved log.
void SaveResultLog(std::string_view sjisPath, std::string_view sjisLog);

}  // namespace tarnwick
