#include "text/ProgramFolders.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/ProgramInfo.h"
#include "text/TarnwickError.h"

namespace tarnwick {
namespace {

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

}  // namespace

std::string ExecutableDir() {
  std::error_code error;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return Utf8ToSjis(WithSlash(exe.parent_path().string()));
}

std::string SharedFilesDir(std::string_view exeDir) {
  if (exeDir.empty()) return {};
  const std::filesystem::path folder(std::string(exeDir) + SharedFilesFromProgramDir());
  return WithSlash(folder.lexically_normal().string());
}

bool IsInstalledProgram(std::string_view exeDir) {
  std::error_code error;
  return !exeDir.empty() &&
         std::filesystem::is_directory(NativePath(SharedFilesDir(exeDir)), error);
}

std::string LocateProgramFile(std::string_view exeDir,
                              std::initializer_list<std::string_view> names) {
  for (const std::string& folder : {std::string(exeDir), SharedFilesDir(exeDir)}) {
    for (std::string_view name : names) {
      std::string path = folder + std::string(name);
      if (FileExists(path)) return path;
    }
  }
  return std::string(exeDir) + std::string(*names.begin());
}

std::string HelpFilePath(std::string_view exeDir) {
  return LocateProgramFile(exeDir, {"tarnwick-help.html", "tarnwick.chm"});
}

std::string UserDataDir() {
  std::string base;
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && dataHome[0] == '/') {
    base = dataHome;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home != nullptr ? home : "") + "/.local/share";
  }
  std::string folder = WithSlash(WithSlash(base) + "tarnwick");
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) throw TarnwickError(FileCreateMessage(Utf8ToSjis(folder), error.value()));
  return Utf8ToSjis(folder);
}

}  // namespace tarnwick
