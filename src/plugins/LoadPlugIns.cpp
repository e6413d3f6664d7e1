#include "plugins/LoadPlugIns.h"

#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "plugins/PlugInContract.h"

namespace tarnwick {

namespace {

// "*.dll" as the plug-in folder matches it: any name, the empty one too, ending in ".dll"
// in any case.
bool IsPlugInFileName(std::string_view name) {
  constexpr std::string_view kSuffix = ".dll";
  if (name.size() < kSuffix.size()) return false;
  const std::string_view end = name.substr(name.size() - kSuffix.size());
  for (std::size_t i = 0; i < kSuffix.size(); ++i) {
    const char lower = (end[i] >= 'A' && end[i] <= 'Z') ? static_cast<char>(end[i] + 32) : end[i];
    if (lower != kSuffix[i]) return false;
  }
  return true;
}

struct FolderCloser {
  void operator()(DIR* folder) const { ::closedir(folder); }
};

// Gathers what one loaded library offers. The name buffer is the library's own, made once
// and reused for every index without being cleared; the entry variable is the scan's.
void GatherFunctions(void* library, void*& entry, PlugInList& plugIns) {
  auto getCount = reinterpret_cast<GetCountFunction>(::dlsym(library, kGetCountName));
  auto getFunctions = reinterpret_cast<GetFunctionsFunction>(::dlsym(library, kGetFunctionsName));
  if (getCount == nullptr || getFunctions == nullptr) return;

  const std::int32_t count = getCount();
  std::array<char, kPlugInNameBufferSize> nameBuffer{};
  for (std::int32_t index = 0; index < count; ++index) {
    char* name = nameBuffer.data();
    if (getFunctions(index, &name, &entry) == 0) continue;
    // The name ends at its terminator, or at the buffer's end if the plug-in wrote none.
    plugIns.push_back(
        {std::string(nameBuffer.data(), ::strnlen(nameBuffer.data(), nameBuffer.size())), entry});
  }
}

// A plug-in runs with the user's rights, so only a file that nobody else could have put there
// or changed is loaded: a regular file (no link, no FIFO, no device) owned by the user or by
// the system, that neither its group nor others may write. It is opened without following a
// link and without waiting (a FIFO would block the start-up), and checked on the open file.
// Gives the open descriptor, or -1 for a file to pass over.
int OpenTrustedLibrary(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat info {};
  const bool trusted = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                       (info.st_uid == ::geteuid() || info.st_uid == 0) &&
                       (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
  if (trusted) return fd;
  ::close(fd);
  return -1;
}

// Loads the checked file through its open descriptor, so that the file loaded is the file
// checked even if its name is given to another file in between; by its path where the system
// offers no names for open descriptors. The loader knows a library by the name it was loaded
// under, so the descriptor of a loaded library stays open as long as the library stays loaded,
// which is until the process ends: no later library can come under the same name.
void* LoadTrustedLibrary(int fd, const std::string& path) {
  const std::string byDescriptor = "/proc/self/fd/" + std::to_string(fd);
  const bool named = ::access(byDescriptor.c_str(), F_OK) == 0;
  void* library = ::dlopen(named ? byDescriptor.c_str() : path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr || !named) ::close(fd);
  return library;
}

void ScanFolder(const std::string& nativeFolder, PlugInList& plugIns) {
  std::unique_ptr<DIR, FolderCloser> folder(::opendir(nativeFolder.c_str()));
  if (folder == nullptr) return;
  void* entry = nullptr;
  while (const dirent* item = ::readdir(folder.get())) {
    if (!IsPlugInFileName(item->d_name)) continue;
    const std::string path = nativeFolder + "/" + item->d_name;
    const int fd = OpenTrustedLibrary(path);
    if (fd < 0) continue;
    void* library = LoadTrustedLibrary(fd, path);
    if (library == nullptr) continue;
    GatherFunctions(library, entry, plugIns);
  }
}

}  // namespace

PlugInList LoadPlugIns() {
  std::unique_ptr<char, decltype(&std::free)> folder(::getcwd(nullptr, 0), &std::free);
  if (folder == nullptr) return {};
  return LoadPlugInsFrom(folder.get());
}

PlugInList LoadPlugInsFrom(const std::string& nativeFolder) {
  PlugInList plugIns;
  try {
    ScanFolder(nativeFolder, plugIns);
  } catch (...) {
    // Whatever failed, in the listing or inside a plug-in, ends the scan; what was gathered
    // so far stays.
  }
  return plugIns;
}

}  // namespace tarnwick
