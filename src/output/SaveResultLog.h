#pragma once
// Saving the result log to a text file.
#include <string_view>

namespace tarnwick {

// Writes the log's bytes (Shift-JIS, CR LF, exactly as the pane holds them: no byte-order
// mark, no line break added or removed) to the file at sjisPath, used as given: no extension
// is added. An existing file is replaced without asking.
//
// A file that cannot be written throws TarnwickError with FileCreateMessage (the path and the
// system's reason), and leaves no file behind: a new file that fails midway is removed, and
// an existing regular file is replaced only once the whole log is on disk (the new text goes
// to a temporary file beside it, which then takes its place, with its permissions), so a
// failure keeps the old file as it was. Where no temporary file can be made beside it (a
// folder the user may not write to), the existing file is overwritten in place.
void SaveResultLog(std::string_view sjisPath, std::string_view sjisLog);

}  // namespace tarnwick
