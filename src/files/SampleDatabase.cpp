#include "files/SampleDatabase.h"

#include "text/ProgramFolders.h"

namespace tarnwick {

std::string SampleDatabasePath(std::string_view exeDir) {
  return LocateProgramFile(exeDir, {kSampleDatabaseName});
}

std::string SampleCopyPath() { return UserDataDir() + std::string(kSampleDatabaseName); }

}  // namespace tarnwick
