// The files that go with the program (help, settings): beside the executable first, then in
// an installation's shared files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/Settings.h"
#include "support/TempDir.h"
#include "text/FileAccess.h"
#include "text/ProgramFolders.h"

namespace tarnwick {
namespace {

TEST(ProgramFiles, BesideTheExecutableFirstThenTheSharedFilesHtmlHelpBeforeChm) {
  struct Case {
    std::vector<std::string> present;  // "bin/NAME" or "share/NAME"
    std::string found;
  };
  const Case cases[] = {
      {{"bin/tarnwick.chm", "bin/tarnwick-help.html", "share/tarnwick-help.html"},
       "bin/tarnwick-help.html"},
      {{"bin/tarnwick.chm", "share/tarnwick-help.html"}, "bin/tarnwick.chm"},
      {{"share/tarnwick.chm", "share/tarnwick-help.html"}, "share/tarnwick-help.html"},
      {{"share/tarnwick.chm"}, "share/tarnwick.chm"},
      {{}, "bin/tarnwick-help.html"},
  };
  for (const Case& c : cases) {
    test::TempDir prefix;
    const std::string bin = prefix.File("bin") + "/";
    const std::string share = SharedFilesDir(bin);
    ASSERT_EQ(share.find(".."), std::string::npos) << share;
    ASSERT_FALSE(share.starts_with(bin)) << share;
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(share);
    const auto place = [&](const std::string& entry) {
      return (entry.starts_with("bin/") ? bin : share) + entry.substr(entry.find('/') + 1);
    };
    for (const std::string& entry : c.present) WriteWholeFile(place(entry), "x");
    SCOPED_TRACE(c.found);
    EXPECT_EQ(LocateProgramFile(bin, {"tarnwick-help.html", "tarnwick.chm"}), place(c.found));
  }
}

TEST(ProgramFiles, SettingsOfAnInstallationAreReadFromItsSharedFiles) {
  test::TempDir prefix;
  const std::string bin = prefix.File("bin") + "/";
  std::filesystem::create_directories(bin);
  EXPECT_EQ(SettingsPath(bin), bin + "Tarnwick.ini");
  std::filesystem::create_directories(SharedFilesDir(bin));
  WriteWholeFile(SharedFilesDir(bin) + "Tarnwick.ini", "[GUI]\nFONTSIZE=14\n");
  const Settings settings = LoadSettings(SettingsPath(bin), bin);
  EXPECT_TRUE(settings.fileFound);
  EXPECT_EQ(settings.FontSize, 14);
}

}  // namespace
}  // namespace tarnwick
