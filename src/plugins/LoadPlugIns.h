#pragma once
// Finding and loading the plug-in libraries at start-up.
#include <string>

#include "plugins/PlugInList.h"

namespace tarnwick {

// Loads every plug-in library of the process's working directory and gathers the functions
// they offer (see LoadPlugInsFrom).
PlugInList LoadPlugIns();

// Loads every entry of the folder (a native path) whose name ends in ".dll", in any mix of
// upper and lower case, in the order the file system lists them. Each is loaded by its path
// in that folder (never through the loader's search path, where a library of the same name
// could be found instead) and stays loaded until the process ends. An entry that does not
// load or lacks one of the two entry points (see PlugInContract.h) is passed over; so is a
// count of 0 or less. Only regular files owned by the user (or by the system) that neither
// their group nor others may write are loaded; links, FIFOs, devices and any other file are
// passed over silently, without being opened for longer than the check. Any failure, in the listing
// or inside a plug-in's entry point, ends the scan at once without a message, keeping the functions
// gathered so far.
PlugInList LoadPlugInsFrom(const std::string& nativeFolder);

}  // namespace tarnwick
