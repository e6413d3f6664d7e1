#pragma once
#include <string>

namespace tarnwick {

// Copies a database of our engine into a new file, page for page, through the engine: the copy
// holds what the database holds at one moment, changes still in its write-ahead log included,
// even while another program (the window) has it open. The source is only read: neither it
// nor its journal mode changes. Paths are system paths; the target must not exist yet. Throws
// TarnwickError naming the source when it is missing or no database of ours, and with the
// engine's message when the copy cannot be written.
void CopyDatabaseFile(const std::string& nativeSource, const std::string& nativeTarget);

}  // namespace tarnwick
