// The settings file beside the executable: its format, its values and their defaults.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <climits>
#include <filesystem>
#include <optional>

#include "files/IniFile.h"
#include "files/Settings.h"
#include "support/TempDir.h"
#include "support/ThrownMessage.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/ProgramFolders.h"

namespace tarnwick {
namespace {

using test::TempDir;

// Sets (or unsets) an environment variable for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { Set(old_); }

 private:
  void Set(const std::optional<std::string>& value) {
    value ? setenv(name_, value->c_str(), 1) : unsetenv(name_);
  }
  const char* name_;
  std::optional<std::string> old_;
};

// Every value of the settings in one line (UTF-8): folder|descriptor|database|size|switches.
std::string Summary(const Settings& s) {
  return SjisToUtf8(s.DbDir + "|" + s.UdlName + "|" + s.MdbName) + "|" +
         std::to_string(s.FontSize) + "|" + (s.ClearText ? "clear" : "") +
         (s.WordWrap ? "wrap" : "") + (s.Highlight ? "" : "plain") +
         (s.KeepHistory ? "" : "forget");
}

TEST(Settings, WithoutAFileTheDatabaseLiesBesideTheExecutableOrInTheUserDataFolder) {
  TempDir home;
  const std::string folder = home.Path().string() + "/";
  const Settings settings = LoadSettings(home.File("Tarnwick.ini"), folder);
  EXPECT_FALSE(settings.fileFound);
  EXPECT_EQ(Summary(settings), folder + "|default.udl|default.mdb|9|");

  // A folder that cannot be written (even by a privileged user): its parent is a file. A
  // relative XDG_DATA_HOME is not a valid setting and is passed over.
  WriteWholeFile(home.File("plain-file"), "x");
  const std::string unwritable = home.File("plain-file") + "/bin/";
  const std::string local = home.File(".local/share/tarnwick/");
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      {home.File("data"), home.File("data") + "/tarnwick/"},
      {std::nullopt, local},
      {"relative/data", local}};
  ScopedEnv homeDir("HOME", home.Path().string());
  for (const auto& [dataHome, expected] : cases) {
    ScopedEnv env("XDG_DATA_HOME", dataHome);
    EXPECT_EQ(LoadSettings(unwritable + "Tarnwick.ini", unwritable).DbDir, expected);
    EXPECT_TRUE(std::filesystem::is_directory(expected)) << expected;
  }
  // An installed program (its shared files' folder exists) keeps it there too, though its
  // own folder may be writable (to the administrator).
  const std::string bin = home.File("usr/bin") + "/";
  std::filesystem::create_directories(bin);
  std::filesystem::create_directories(SharedFilesDir(bin));
  ScopedEnv noDataHome("XDG_DATA_HOME", std::nullopt);
  EXPECT_EQ(LoadSettings(bin + "Tarnwick.ini", bin).DbDir, local);
}

TEST(Settings, FileValuesAndTheirDefaults) {
  ScopedEnv base("TARNWICK_TEST_BASE", "/home/a");
  ScopedEnv unset("TARNWICK_TEST_UNSET", std::nullopt);
  const std::pair<const char*, const char*> cases[] = {
      // An empty file leaves the database in the working directory.
      {"", "|default.udl|default.mdb|9|"},
      {"[SYSTEM]\r\nSAVEPATH = /srv/data\r\nUDLFILE=shop.udl\r\nMDBFILE = shop.mdb \r\n",
       "/srv/data/|shop.udl|shop.mdb|9|"},
      {"[SYSTEM]\nSAVEPATH=/srv/data/\n", "/srv/data/|default.udl|default.mdb|9|"},
      // A backslash is no separator on this system.
      {"[SYSTEM]\nSAVEPATH=C:\\data\\\n", "C:\\data\\/|default.udl|default.mdb|9|"},
      // The file is UTF-8; the values become console text.
      {"[SYSTEM]\nSAVEPATH=/データ\nMDBFILE=売上.mdb\n", "/データ/|default.udl|売上.mdb|9|"},
      // A byte-order mark does not hide the first section; a Shift-JIS file reads as well.
      {"\xEF\xBB\xBF[SYSTEM]\nMDBFILE=売上.mdb\n", "|default.udl|売上.mdb|9|"},
      {"[SYSTEM]\nMDBFILE=\x94\x84\x8F\xE3.mdb\n", "|default.udl|売上.mdb|9|"},
      {"[SYSTEM]\nSAVEPATH=%TARNWICK_TEST_BASE%/db\nMDBFILE=%TARNWICK_TEST_UNSET%x.mdb\n",
       "/home/a/db/|default.udl|x.mdb|9|"},
      {"[SYSTEM]\nSAVEPATH=%TARNWICK_TEST_UNSET%/x\n", "/x/|default.udl|default.mdb|9|"},
      // Integers decimal or hexadecimal, switches on when not 0; no range check on the size.
      {"[GUI]\nFONTSIZE=0x0C\nCLEARTEXT=1\nWORDWRAP=-5\n", "|default.udl|default.mdb|12|clearwrap"},
      {"[GUI]\nFONTSIZE=$10\nCLEARTEXT=true\nWORDWRAP=0\n", "|default.udl|default.mdb|16|"},
      {"[GUI]\nFONTSIZE=12pt\nCLEARTEXT=yes\n", "|default.udl|default.mdb|9|"},
      {"[GUI]\nFONTSIZE=-3\n", "|default.udl|default.mdb|-3|"},
      {"[GUI]\nFONTSIZE=\n", "|default.udl|default.mdb|9|"},
      // Syntax colours are on unless HIGHLIGHT is 0.
      {"[GUI]\nHIGHLIGHT=0\n", "|default.udl|default.mdb|9|plain"},
      {"[GUI]\nHIGHLIGHT=0x0\nWORDWRAP=1\n", "|default.udl|default.mdb|9|wrapplain"},
      {"[GUI]\nHIGHLIGHT=1\n", "|default.udl|default.mdb|9|"},
      {"[GUI]\nHIGHLIGHT=off\n", "|default.udl|default.mdb|9|"},
      {"[SYSTEM]\nHIGHLIGHT=0\n", "|default.udl|default.mdb|9|"},
      // The history is kept between runs unless HISTORY is 0.
      {"[GUI]\nHISTORY=0\n", "|default.udl|default.mdb|9|forget"},
      {"[GUI]\nHISTORY=no\n", "|default.udl|default.mdb|9|"},
      // Sections and keys match without regard to case; each key belongs to its section.
      {"[ gui ]\nMdbFile=gui.mdb\nfontsize=14\n[System]\nMdbFile=a.mdb\n",
       "|default.udl|a.mdb|14|"},
      // Lines end at CR, LF or CR LF; comments, lines without '=' and entries before the
      // first section are passed over; a repeated section goes on; the first entry counts.
      {"  MDBFILE=before-any-section\r; [SYSTEM]\r\n\t[SYSTEM]  \nno equals sign\n"
       "  ; MDBFILE=commented\nMDBFILE = first = with equals \r\nMDBFILE=second\n"
       "[GUI]\nFONTSIZE=11\n[system]\nUDLFILE=later.udl",
       "|later.udl|first = with equals|11|"},
  };
  TempDir dir;
  const std::string path = dir.File("Tarnwick.ini");
  for (const auto& [text, summary] : cases) {
    SCOPED_TRACE(text);
    WriteWholeFile(path, text);
    const Settings settings = LoadSettings(path, dir.Path().string() + "/");
    EXPECT_TRUE(settings.fileFound);
    EXPECT_EQ(Summary(settings), summary);
  }
}

TEST(Settings, ATextThatCannotBeDecodedIsRefusedOnItsLine) {
  TempDir dir;
  const std::string path = dir.File("Tarnwick.ini");
  WriteWholeFile(path, std::string("[SYSTEM]\nMDBFILE=a\0.mdb\n", 22));
  EXPECT_EQ(SjisToUtf8(test::ThrownMessage([&] { LoadSettings(path, "/"); })),
            "\"" + path + "\" の 2 行目に NUL 文字があるため読み込めません。");
}

TEST(Settings, AFileThatCannotBeReadIsAFailure) {
  TempDir exe;
  // Opening succeeds, reading fails: even a privileged user cannot read this file whole.
  const std::string message = SjisToUtf8(
      test::ThrownMessage([&] { LoadSettings("/proc/self/mem", exe.Path().string() + "/"); }));
  EXPECT_TRUE(message.starts_with("ファイル \"/proc/self/mem\" は開けません。")) << message;
}

TEST(IniFile, IntegerForms) {
  // Decimal, "0x" and "$" forms are in the settings cases; these are their edges.
  const std::pair<const char*, int> valid[] = {
      {"+7", 7}, {"-$10", -16}, {"0Xff", 255}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}};
  for (const auto& [text, value] : valid) EXPECT_EQ(ParseIniInteger(text), value) << text;
  for (const char* invalid :
       {"2147483648", "99999999999999999999999", "", "-", "0x", "$", "12a", "1 2", "--1", "0x-1"}) {
    EXPECT_EQ(ParseIniInteger(invalid), std::nullopt) << invalid;
  }
}

TEST(ExpandEnvironment, ReferencesUnpairedPercentsAndValuesNotRescanned) {
  ScopedEnv drive("TARNWICK_TEST_DRIVE", "C:");
  ScopedEnv path("TARNWICK_TEST_PATH", "\\Users\\a");
  ScopedEnv percent("TARNWICK_TEST_PERCENT", "%TARNWICK_TEST_DRIVE%");
  ScopedEnv unset("TARNWICK_TEST_UNSET", std::nullopt);
  const std::pair<const char*, const char*> cases[] = {
      {"%TARNWICK_TEST_DRIVE%%TARNWICK_TEST_PATH%\\db", "C:\\Users\\a\\db"},
      {"50%", "50"},
      {"a%TARNWICK_TEST_UNSET%b", "ab"},
      {"a%%b", "ab"},
      {"x%TARNWICK_TEST_PERCENT%y", "x%TARNWICK_TEST_DRIVE%y"},
      {"a%TARNWICK_TEST_UNSET%c%d", "acd"},
      {"", ""},
      {"no references", "no references"}};
  for (const auto& [text, expanded] : cases) EXPECT_EQ(ExpandEnvironment(text), expanded) << text;
}

}  // namespace
}  // namespace tarnwick
