#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "plugins/LoadPlugIns.h"
#include "plugins/PlugInContract.h"
#include "support/TempDir.h"

namespace tarnwick {
namespace {

using Names = std::vector<std::string>;

Names NamesOf(const PlugInList& plugIns) {
  Names names;
  for (const PlugInFunction& function : plugIns) names.push_back(function.name);
  return names;
}

// A temporary folder filled with copies of the fixture libraries, and a look into the copies
// the scan has loaded.
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
  std::string Path() const { return folder_.Path().string(); }

  bool IsLoaded(const std::string& fileName) const {
    return Symbol<void>(fileName, "GetCount") != nullptr;
  }

  // An exported symbol of a loaded copy, or nullptr when the copy is not loaded.
  template <typename T>
  T* Symbol(const std::string& fileName, const char* symbol) const {
    void* library = ::dlopen(folder_.File(fileName).c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (library == nullptr) return nullptr;
    T* address = reinterpret_cast<T*>(::dlsym(library, symbol));
    ::dlclose(library);  // the scan's own reference keeps it loaded
    return address;
  }

 private:
  test::TempDir folder_;
};

TEST(LoadPlugIns, AsksEveryIndexInOrderKeepingTheNameBufferAndTheEntryBetweenCalls) {
  PlugInFolder folder;
  folder.AddLibrary("contract", "contract.dll");

  const PlugInList plugIns = LoadPlugInsFrom(folder.Path());

  // Index 1 yields nothing; index 2 overwrote two bytes without a terminator, index 3 wrote
  // nothing, index 4 filled all 255 bytes without one: the name is read up to the buffer's end.
  EXPECT_EQ(NamesOf(plugIns),
            (Names{"LongName", "AbngName", "AbngName", std::string(kPlugInNameBufferSize, 'Z')}));
  void* first = folder.Symbol<void>("contract.dll", "FirstFunction");
  void* last = folder.Symbol<void>("contract.dll", "LastFunction");
  std::vector<void*> entries;
  for (const PlugInFunction& function : plugIns) entries.push_back(function.entry);
  EXPECT_EQ(entries, (std::vector<void*>{first, first, first, last}));
  ASSERT_EQ(*folder.Symbol<int>("contract.dll", "asked_count"), 5);
  const int* asked = folder.Symbol<int>("contract.dll", "asked_indexes");
  char** buffers = folder.Symbol<char*>("contract.dll", "name_buffers");
  for (int index = 0; index < 5; ++index) {
    EXPECT_EQ(asked[index], index);
    EXPECT_EQ(buffers[index], buffers[0]) << index;
  }
}

TEST(LoadPlugIns, LoadsEachDllByItsPathAndPassesOverWhatOffersNoFunction) {
  PlugInFolder folder;
  folder.AddLibrary("hello", "same.dll");  // a library of this name is on the search path
  folder.AddLibrary("hello", "OTHER.DLL");
  folder.AddLibrary("only_count", "only_count.dll");  // no GetFunctions
  folder.AddLibrary("count_zero", "count_zero.dll");
  folder.AddLibrary("count_negative", "count_negative.dll");
  for (const char* name : {"hello.dll.bak", "hellodll", "hello.so"}) {
    folder.AddLibrary("hello", name);
  }
  folder.AddFile("notes.dll", "not a library\r\n");
  folder.AddFile("empty.dll", "");
  std::filesystem::create_directory(folder.Path() + "/folder.dll");

  const PlugInList plugIns = LoadPlugInsFrom(folder.Path());

  // The same name from two libraries stays twice, each with its library's own function.
  ASSERT_EQ(NamesOf(plugIns), (Names{"Hello", "Hello"}));
  EXPECT_NE(plugIns[0].entry, plugIns[1].entry);
  EXPECT_TRUE(folder.IsLoaded("same.dll"));
  EXPECT_TRUE(folder.IsLoaded("OTHER.DLL"));
  EXPECT_FALSE(folder.IsLoaded("hello.dll.bak"));
  // Loaded, and left loaded, but not asked for its count, or for no function.
  ASSERT_TRUE(folder.IsLoaded("only_count.dll"));
  EXPECT_EQ(*folder.Symbol<int>("only_count.dll", "get_count_calls"), 0);
  EXPECT_EQ(*folder.Symbol<int>("count_zero.dll", "get_functions_calls"), 0);
  EXPECT_EQ(*folder.Symbol<int>("count_negative.dll", "get_functions_calls"), 0);

  // The bare name would have reached the other library of that name.
  void* searched = ::dlopen("same.dll", RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(searched, nullptr) << "the search-path library is not on the test's search path";
  EXPECT_NE(::dlsym(searched, "HelloFunction"), folder.Symbol<void>("same.dll", "HelloFunction"));
  ::dlclose(searched);
  EXPECT_TRUE(LoadPlugInsFrom(folder.Path() + "/missing").empty());
}

// Only a regular file that the user (or the system) owns and nobody else may write is loaded;
// anything else is passed over silently, and a FIFO does not hold up the scan.
TEST(LoadPlugIns, LoadsOnlyRegularFilesThatNobodyElseCanChange) {
  PlugInFolder folder;
  folder.AddLibrary("hello", "mine.dll");
  folder.AddLibrary("hello", "group.dll");
  folder.AddLibrary("hello", "world.dll");
  folder.AddLibrary("hello", "stranger.dll");
  std::filesystem::create_symlink(folder.Path() + "/mine.dll", folder.Path() + "/link.dll");
  ASSERT_EQ(::mkfifo((folder.Path() + "/fifo.dll").c_str(), 0600), 0);
  const std::pair<const char*, mode_t> modes[] = {
      {"mine.dll", 0755}, {"group.dll", 0775}, {"world.dll", 0757}, {"stranger.dll", 0755}};
  for (const auto& [name, mode] : modes) {
    ASSERT_EQ(::chmod((folder.Path() + "/" + name).c_str(), mode), 0);
  }
  // A file of another user can be made only by a privileged test; elsewhere it stays ours.
  const bool stranger =
      ::geteuid() == 0 && ::chown((folder.Path() + "/stranger.dll").c_str(), 65534, 65534) == 0;

  ::alarm(30);  // a scan that waited on the FIFO would end the test here
  const PlugInList plugIns = LoadPlugInsFrom(folder.Path());
  ::alarm(0);
  EXPECT_EQ(NamesOf(plugIns), Names(stranger ? 1 : 2, "Hello"));
  EXPECT_TRUE(folder.IsLoaded("mine.dll"));
  for (const char* skipped : {"group.dll", "world.dll"}) EXPECT_FALSE(folder.IsLoaded(skipped));
  EXPECT_EQ(folder.IsLoaded("stranger.dll"), !stranger);
}

TEST(LoadPlugIns, AFailureInsideAPlugInEndsTheScanSilentlyKeepingWhatWasGathered) {
  PlugInFolder folder;
  folder.AddLibrary("throws", "throws.dll");
  const Names others = {"a.dll", "one.dll", "two.dll", "x.dll", "z.dll"};
  for (const std::string& name : others) folder.AddLibrary("hello", name);

  const Names names = NamesOf(LoadPlugInsFrom(folder.Path()));

  // The copies listed before throws.dll are gathered; those listed after it are never loaded.
  Names expected;
  for (const std::string& name : others) {
    if (folder.IsLoaded(name)) expected.push_back("Hello");
  }
  expected.push_back("Counted");
  EXPECT_EQ(names, expected);
  EXPECT_EQ(*folder.Symbol<int>("throws.dll", "get_functions_calls"), 2);  // index 2 not asked
}

}  // namespace
}  // namespace tarnwick
