#include "plugins/LoadPlugIns.h"

#include <dirent.h>
#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

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

void ScanFolder(const std::string& nativeFolder, PlugInList& plugIns) {
  std::unique_ptr<DIR, FolderCloser> folder(::opendir(nativeFolder.c_str()));
  if (folder == nullptr) return;
  void* entry = nullptr;
  while (const dirent* item = ::readdir(folder.get())) {
    if (!IsPlugInFileName(item->d_name)) continue;
    const std::string path = nativeFolder + "/" + item->d_name;
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
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
