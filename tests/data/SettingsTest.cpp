// The settings file beside the executable: its format, its values and their defaults.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>

#include "ThrownMessage.h"
#include "data/Cp932.h"
#include "data/FileAccess.h"
#include "data/IniFile.h"
#include "data/Settings.h"
#include "support/TempDir.h"

namespace tarnwick {
namespace {

using test::TempDir;

// Sets (or unsets) an environment variable for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

struct SettingsFile {
  TempDir dir;
  std::string Folder() const { return dir.Path().string() + "/"; }
  Settings Load(std::string_view utf8Text) {
    const std::string path = dir.File("Tarnwick.ini");
    WriteWholeFile(path, utf8Text);
    return LoadSettings(path, Folder());
  }
};

TEST(Settings, WithoutAFileTheDatabaseLiesBesideTheExecutable) {
  TempDir exe;
  const std::string folder = exe.Path().string() + "/";
  const Settings settings = LoadSettings(exe.File("Tarnwick.ini"), folder);
  EXPECT_FALSE(settings.fileFound);
  EXPECT_EQ(settings.DbDir, folder);
  EXPECT_EQ(settings.UdlName, "default.udl");
  EXPECT_EQ(settings.MdbName, "default.mdb");
  EXPECT_EQ(settings.FontSize, 9);
  EXPECT_FALSE(settings.ClearText);
  EXPECT_FALSE(settings.WordWrap);
}

TEST(Settings, WithoutAFileAnUnwritableExecutableFolderGivesThePerUserDataFolder) {
  TempDir home;
  WriteWholeFile(home.File("plain-file"), "x");
  // A folder that cannot be written (even by a privileged user): its parent is a file.
  const std::string unwritable = home.File("plain-file") + "/bin/";
  {
    ScopedEnv dataHome("XDG_DATA_HOME", home.File("data"));
    const Settings settings = LoadSettings(unwritable + "Tarnwick.ini", unwritable);
    EXPECT_EQ(settings.DbDir, home.File("data") + "/tarnwick/");
    EXPECT_TRUE(std::filesystem::is_directory(home.File("data") + "/tarnwick"));
  }
  {
    ScopedEnv dataHome("XDG_DATA_HOME", std::nullopt);
    ScopedEnv homeDir("HOME", home.Path().string());
    const Settings settings = LoadSettings(unwritable + "Tarnwick.ini", unwritable);
    EXPECT_EQ(settings.DbDir, home.File(".local/share/tarnwick/"));
    EXPECT_TRUE(std::filesystem::is_directory(home.File(".local/share/tarnwick")));
  }
  {
    // A relative XDG_DATA_HOME is not a valid setting and is passed over.
    ScopedEnv dataHome("XDG_DATA_HOME", "relative/data");
    ScopedEnv homeDir("HOME", home.Path().string());
    EXPECT_EQ(LoadSettings(unwritable + "Tarnwick.ini", unwritable).DbDir,
              home.File(".local/share/tarnwick/"));
  }
}

TEST(Settings, AnEmptyFileLeavesTheDatabaseInTheWorkingDirectory) {
  SettingsFile file;
  const Settings settings = file.Load("");
  EXPECT_TRUE(settings.fileFound);
  EXPECT_EQ(settings.DbDir, "");
  EXPECT_EQ(settings.UdlName, "default.udl");
  EXPECT_EQ(settings.MdbName, "default.mdb");
  EXPECT_EQ(settings.FontSize, 9);
  EXPECT_FALSE(settings.ClearText);
  EXPECT_FALSE(settings.WordWrap);
}

TEST(Settings, SavePathGetsItsSeparatorAndNamesAreTakenAsWritten) {
  SettingsFile file;
  Settings settings =
      file.Load("[SYSTEM]\r\nSAVEPATH = /srv/data\r\nUDLFILE=shop.udl\r\nMDBFILE = shop.mdb \r\n");
  EXPECT_EQ(settings.DbDir, "/srv/data/");
  EXPECT_EQ(settings.UdlName, "shop.udl");
  EXPECT_EQ(settings.MdbName, "shop.mdb");

  EXPECT_EQ(file.Load("[SYSTEM]\nSAVEPATH=/srv/data/\n").DbDir, "/srv/data/");
  EXPECT_EQ(file.Load("[SYSTEM]\nSAVEPATH=\n").DbDir, "");
  // A backslash is no separator on this system.
  EXPECT_EQ(file.Load("[SYSTEM]\nSAVEPATH=C:\\data\\\n").DbDir, "C:\\data\\/");
  // The file is UTF-8; the values become console text.
  settings = file.Load("[SYSTEM]\nSAVEPATH=/データ\nMDBFILE=売上.mdb\n");
  EXPECT_EQ(settings.DbDir, Sjis("/データ/"));
  EXPECT_EQ(settings.MdbName, Sjis("売上.mdb"));
}

TEST(Settings, ValuesExpandEnvironmentReferences) {
  SettingsFile file;
  ScopedEnv base("TARNWICK_TEST_BASE", "/home/a");
  ScopedEnv unset("TARNWICK_TEST_UNSET", std::nullopt);
  Settings settings =
      file.Load("[SYSTEM]\nSAVEPATH=%TARNWICK_TEST_BASE%/db\nMDBFILE=%TARNWICK_TEST_UNSET%x.mdb\n");
  EXPECT_EQ(settings.DbDir, "/home/a/db/");
  EXPECT_EQ(settings.MdbName, "x.mdb");
  EXPECT_EQ(file.Load("[SYSTEM]\nSAVEPATH=%TARNWICK_TEST_UNSET%/x\n").DbDir, "/x/");
}

TEST(Settings, IntegersAndSwitches) {
  SettingsFile file;
  Settings settings = file.Load("[GUI]\nFONTSIZE=0x0C\nCLEARTEXT=1\nWORDWRAP=-5\n");
  EXPECT_EQ(settings.FontSize, 12);
  EXPECT_TRUE(settings.ClearText);
  EXPECT_TRUE(settings.WordWrap);

  settings = file.Load("[GUI]\nFONTSIZE=$10\nCLEARTEXT=true\nWORDWRAP=0\n");
  EXPECT_EQ(settings.FontSize, 16);
  EXPECT_FALSE(settings.ClearText);
  EXPECT_FALSE(settings.WordWrap);

  settings = file.Load("[GUI]\nFONTSIZE=12pt\nCLEARTEXT=yes\n");
  EXPECT_EQ(settings.FontSize, 9);
  EXPECT_FALSE(settings.ClearText);

  // No range check: a size of 0 or below is passed on.
  EXPECT_EQ(file.Load("[GUI]\nFONTSIZE=-3\n").FontSize, -3);
  EXPECT_EQ(file.Load("[GUI]\nFONTSIZE=\n").FontSize, 9);
}

TEST(Settings, SectionsAndKeysMatchWithoutRegardToCase) {
  SettingsFile file;
  const Settings settings = file.Load("[ gui ]\nfontsize=14\n[System]\nMdbFile=a.mdb\n");
  EXPECT_EQ(settings.FontSize, 14);
  EXPECT_EQ(settings.MdbName, "a.mdb");
}

TEST(IniFile, LinesCommentsSectionsAndRepeatedEntries) {
  const IniFile ini(
      "  MDBFILE=before-any-section\r"
      "; [SYSTEM]\r\n"
      "\t[SYSTEM]  \n"
      "no equals sign\n"
      "  ; MDBFILE=commented\n"
      "MDBFILE = first = with equals \r\n"
      "MDBFILE=second\n"
      "[GUI]\n"
      "FONTSIZE=11\n"
      "[system]\n"
      "UDLFILE=later.udl");
  EXPECT_EQ(ini.ReadString("SYSTEM", "MDBFILE"), "first = with equals");
  EXPECT_EQ(ini.ReadString("SYSTEM", "UDLFILE"), "later.udl");
  EXPECT_EQ(ini.ReadString("GUI", "MDBFILE"), std::nullopt);
  EXPECT_EQ(ini.ReadInteger("GUI", "FONTSIZE", 9), 11);
  EXPECT_EQ(ini.ReadInteger("GUI", "MISSING", 9), 9);
  EXPECT_FALSE(ini.ReadSwitch("GUI", "MISSING"));
}

TEST(IniFile, IntegerForms) {
  EXPECT_EQ(ParseIniInteger("42"), 42);
  EXPECT_EQ(ParseIniInteger("+7"), 7);
  EXPECT_EQ(ParseIniInteger("-5"), -5);
  EXPECT_EQ(ParseIniInteger("0x1f"), 31);
  EXPECT_EQ(ParseIniInteger("0X1F"), 31);
  EXPECT_EQ(ParseIniInteger("$ff"), 255);
  EXPECT_EQ(ParseIniInteger("-$10"), -16);
  EXPECT_EQ(ParseIniInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseIniInteger("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseIniInteger("2147483648"), std::nullopt);
  EXPECT_EQ(ParseIniInteger("99999999999999999999999"), std::nullopt);
  EXPECT_EQ(ParseIniInteger(""), std::nullopt);
  EXPECT_EQ(ParseIniInteger("-"), std::nullopt);
  EXPECT_EQ(ParseIniInteger("0x"), std::nullopt);
  EXPECT_EQ(ParseIniInteger("$"), std::nullopt);
  EXPECT_EQ(ParseIniInteger("12a"), std::nullopt);
  EXPECT_EQ(ParseIniInteger("1 2"), std::nullopt);
  EXPECT_EQ(ParseIniInteger("--1"), std::nullopt);
  EXPECT_EQ(ParseIniInteger("0x-1"), std::nullopt);
}

TEST(Settings, AFileThatCannotBeReadIsAFailure) {
  TempDir exe;
  // Opening succeeds, reading fails: even a privileged user cannot read this file whole.
  const std::string message =
      test::ThrownMessage([&] { LoadSettings("/proc/self/mem", exe.Path().string() + "/"); });
  EXPECT_NE(SjisToUtf8(message).find("ファイル \"/proc/self/mem\". "), std::string::npos)
      << SjisToUtf8(message);
  EXPECT_TRUE(SjisToUtf8(message).ends_with(" は開けません")) << SjisToUtf8(message);
}

TEST(ExpandEnvironment, ReferencesUnpairedPercentsAndValuesNotRescanned) {
  ScopedEnv drive("TARNWICK_TEST_DRIVE", "C:");
  ScopedEnv path("TARNWICK_TEST_PATH", "\\Users\\a");
  ScopedEnv percent("TARNWICK_TEST_PERCENT", "%TARNWICK_TEST_DRIVE%");
  ScopedEnv unset("TARNWICK_TEST_UNSET", std::nullopt);
  EXPECT_EQ(ExpandEnvironment("%TARNWICK_TEST_DRIVE%%TARNWICK_TEST_PATH%\\db"), "C:\\Users\\a\\db");
  EXPECT_EQ(ExpandEnvironment("50%"), "50");
  EXPECT_EQ(ExpandEnvironment("a%TARNWICK_TEST_UNSET%b"), "ab");
  EXPECT_EQ(ExpandEnvironment("a%%b"), "ab");
  EXPECT_EQ(ExpandEnvironment("x%TARNWICK_TEST_PERCENT%y"), "x%TARNWICK_TEST_DRIVE%y");
  EXPECT_EQ(ExpandEnvironment("a%TARNWICK_TEST_UNSET%c%d"), "acd");
  EXPECT_EQ(ExpandEnvironment(""), "");
  EXPECT_EQ(ExpandEnvironment("no references"), "no references");
}

}  // namespace
}  // namespace tarnwick
