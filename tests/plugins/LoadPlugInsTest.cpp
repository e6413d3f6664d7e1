#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "PlugInFolder.h"
#include "plugins/LoadPlugIns.h"
#include "plugins/PlugInContract.h"

namespace tarnwick {
namespace {

using test::PlugInFolder;

std::vector<std::string> Names(const PlugInList& plugIns) {
  std::vector<std::string> names;
  for (const PlugInFunction& function : plugIns) names.push_back(function.name);
  return names;
}

// The folder's entries in the order the file system lists them.
std::vector<std::string> ListingOrder(const std::string& folder) {
  std::vector<std::string> names;
  DIR* listing = ::opendir(folder.c_str());
  while (const dirent* item = ::readdir(listing)) names.push_back(item->d_name);
  ::closedir(listing);
  return names;
}

TEST(LoadPlugIns, AsksEveryIndexInOrderAndPassesOverTheOnesThatYieldNothing) {
  PlugInFolder folder;
  folder.AddLibrary("skip_one", "skip_one.dll");

  const PlugInList plugIns = LoadPlugInsFrom(folder.Path());

  ASSERT_EQ(Names(plugIns), (std::vector<std::string>{"First", "Third"}));
  EXPECT_EQ(plugIns[0].entry, folder.Symbol<void>("skip_one.dll", "FirstFunction"));
  EXPECT_EQ(plugIns[1].entry, folder.Symbol<void>("skip_one.dll", "ThirdFunction"));
  ASSERT_EQ(*folder.Symbol<int>("skip_one.dll", "asked_count"), 3);
  const int* asked = folder.Symbol<int>("skip_one.dll", "asked_indexes");
  EXPECT_EQ((std::vector<int>{asked[0], asked[1], asked[2]}), (std::vector<int>{0, 1, 2}));
}

TEST(LoadPlugIns, ALibraryWithoutGetFunctionsGivesNothingAndIsNotAskedForItsCount) {
  PlugInFolder folder;
  folder.AddLibrary("only_count", "only_count.dll");

  EXPECT_TRUE(LoadPlugInsFrom(folder.Path()).empty());
  // Loaded, and left loaded, but never asked.
  ASSERT_TRUE(folder.IsLoaded("only_count.dll"));
  EXPECT_EQ(*folder.Symbol<int>("only_count.dll", "get_count_calls"), 0);
}

TEST(LoadPlugIns, ACountOfZeroOrLessAsksForNoFunction) {
  PlugInFolder folder;
  folder.AddLibrary("count_zero", "count_zero.dll");
  folder.AddLibrary("count_negative", "count_negative.dll");

  EXPECT_TRUE(LoadPlugInsFrom(folder.Path()).empty());
  EXPECT_EQ(*folder.Symbol<int>("count_zero.dll", "get_functions_calls"), 0);
  EXPECT_EQ(*folder.Symbol<int>("count_negative.dll", "get_functions_calls"), 0);
}

TEST(LoadPlugIns, KeepsTheNameBufferAndTheEntryBetweenCalls) {
  PlugInFolder folder;
  folder.AddLibrary("reuse", "reuse.dll");

  const PlugInList plugIns = LoadPlugInsFrom(folder.Path());

  // Index 1 overwrote two bytes without a terminator, index 2 wrote nothing, index 3 filled
  // all 255 bytes without a terminator: the name is read up to the buffer's end.
  EXPECT_EQ(Names(plugIns), (std::vector<std::string>{"LongName", "AbngName", "AbngName",
                                                      std::string(kPlugInNameBufferSize, 'Z')}));
  void* reuseFunction = folder.Symbol<void>("reuse.dll", "ReuseFunction");
  ASSERT_NE(reuseFunction, nullptr);
  for (const PlugInFunction& function : plugIns) EXPECT_EQ(function.entry, reuseFunction);
  char** buffers = folder.Symbol<char*>("reuse.dll", "name_buffers");
  ASSERT_NE(buffers[0], nullptr);
  for (int index = 1; index < 4; ++index) EXPECT_EQ(buffers[index], buffers[0]) << index;
}

TEST(LoadPlugIns, KeepsTheSameNameFromTwoLibraries) {
  PlugInFolder folder;
  folder.AddLibrary("hello", "one.dll");
  folder.AddLibrary("hello", "two.dll");

  const PlugInList plugIns = LoadPlugInsFrom(folder.Path());

  ASSERT_EQ(Names(plugIns), (std::vector<std::string>{"Hello", "Hello"}));
  EXPECT_NE(plugIns[0].entry, plugIns[1].entry);  // each library's own function
}

TEST(LoadPlugIns, LoadsTheFolderLibraryNotOneOfTheSameNameOnTheLoaderSearchPath) {
  PlugInFolder folder;
  folder.AddLibrary("hello", "same.dll");

  EXPECT_EQ(Names(LoadPlugInsFrom(folder.Path())), std::vector<std::string>{"Hello"});
  EXPECT_TRUE(folder.IsLoaded("same.dll"));

  // The bare name would have reached the other library of that name.
  void* searched = ::dlopen("same.dll", RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(searched, nullptr) << "the search-path library is not on the test's search path";
  auto getFunctions = reinterpret_cast<GetFunctionsFunction>(::dlsym(searched, "GetFunctions"));
  char buffer[kPlugInNameBufferSize] = {};
  char* name = buffer;
  void* entry = nullptr;
  ASSERT_NE(getFunctions(0, &name, &entry), 0);
  EXPECT_STREQ(buffer, "FromSearchPath");
  ::dlclose(searched);
}

TEST(LoadPlugIns, FindsNothingWithoutFilesEndingInDll) {
  PlugInFolder empty;
  EXPECT_TRUE(LoadPlugInsFrom(empty.Path()).empty());
  EXPECT_TRUE(LoadPlugInsFrom(empty.Path() + "/missing").empty());

  PlugInFolder others;
  others.AddLibrary("hello", "hello.dll.bak");
  others.AddLibrary("hello", "hellodll");
  others.AddLibrary("hello", "hello.so");
  EXPECT_TRUE(LoadPlugInsFrom(others.Path()).empty());
  EXPECT_FALSE(others.IsLoaded("hello.dll.bak"));
}

TEST(LoadPlugIns, PassesOverWhatIsNotALibraryAndMatchesDllInAnyCase) {
  PlugInFolder folder;
  folder.AddFile("notes.dll", "not a library\r\n");
  folder.AddFile("empty.dll", "");
  folder.AddFolder("folder.dll");
  folder.AddLibrary("hello", "REAL.DLL");

  EXPECT_EQ(Names(LoadPlugInsFrom(folder.Path())), std::vector<std::string>{"Hello"});
}

TEST(LoadPlugIns, AFailureInsideAPlugInEndsTheScanSilentlyKeepingWhatWasGathered) {
  PlugInFolder folder;
  folder.AddLibrary("throws", "throws.dll");
  folder.AddLibrary("hello", "hello.dll");
  std::vector<std::string> order = ListingOrder(folder.Path());
  const bool helloFirst = std::find(order.begin(), order.end(), "hello.dll") <
                          std::find(order.begin(), order.end(), "throws.dll");

  const PlugInList plugIns = LoadPlugInsFrom(folder.Path());

  if (helloFirst) {
    EXPECT_EQ(Names(plugIns), (std::vector<std::string>{"Hello", "BeforeFailure"}));
  } else {
    EXPECT_EQ(Names(plugIns), std::vector<std::string>{"BeforeFailure"});
    EXPECT_FALSE(folder.IsLoaded("hello.dll")) << "the scan went on after the failure";
  }
  EXPECT_EQ(*folder.Symbol<int>("throws.dll", "index_two_calls"), 0);
}

// Changes the working directory for the life of the object.
class WorkingDirectory {
 public:
  explicit WorkingDirectory(const std::string& folder)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~WorkingDirectory() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

TEST(LoadPlugIns, ScansTheWorkingDirectory) {
  PlugInFolder folder;
  folder.AddLibrary("skip_one", "skip_one.dll");
  PlugInList plugIns;
  {
    WorkingDirectory inFolder(folder.Path());
    plugIns = LoadPlugIns();
  }
  EXPECT_EQ(Names(plugIns), (std::vector<std::string>{"First", "Third"}));
}

}  // namespace
}  // namespace tarnwick
