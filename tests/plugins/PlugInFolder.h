#pragma once
// A temporary folder filled with copies of the test plug-in libraries, and a look into the
// copies the scan has loaded.
#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/TempDir.h"

namespace tarnwick::test {

class PlugInFolder {
 public:
  // Copies the fixture library "<fixture>.dll" into the folder under the given file name.
  void AddLibrary(const std::string& fixture, const std::string& fileName) const {
    std::filesystem::copy_file(std::filesystem::path(TARNWICK_PLUGIN_FIXTURES) / (fixture + ".dll"),
                               folder_.Path() / fileName);
  }
  void AddFile(const std::string& fileName, const std::string& contents) const {
    std::ofstream(folder_.Path() / fileName, std::ios::binary) << contents;
  }
  void AddFolder(const std::string& name) const {
    std::filesystem::create_directory(folder_.Path() / name);
  }

  std::string Path() const { return folder_.Path().string(); }

  // True when the copy under this file name is loaded in the process.
  bool IsLoaded(const std::string& fileName) const {
    void* library = Open(fileName);
    if (library != nullptr) ::dlclose(library);
    return library != nullptr;
  }

  // An exported symbol of a loaded copy, or nullptr when the copy is not loaded.
  template <typename T>
  T* Symbol(const std::string& fileName, const char* symbol) const {
    void* library = Open(fileName);
    if (library == nullptr) return nullptr;
    T* address = reinterpret_cast<T*>(::dlsym(library, symbol));
    ::dlclose(library);  // the scan's own reference keeps it loaded
    return address;
  }

 private:
  void* Open(const std::string& fileName) const {
    return ::dlopen(folder_.File(fileName).c_str(), RTLD_NOW | RTLD_NOLOAD);
  }

  TempDir folder_;
};

}  // namespace tarnwick::test
