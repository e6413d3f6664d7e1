#include "files/Settings.h"

#include <unistd.h>

#include "files/IniFile.h"
#include "text/AsciiCase.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/ProgramFolders.h"
#include "text/TextDecoding.h"

namespace tarnwick {
namespace {

// A text value with its environment references expanded, as console text.
std::string ReadText(const IniFile& ini, std::string_view key, std::string_view defaultValue) {
  std::string value = ini.ReadString("SYSTEM", key).value_or(std::string(defaultValue));
  return Utf8ToSjis(ExpandEnvironment(value));
}

// Without a settings file the database lies beside the executable. An installed program
// keeps it in the per-user data folder instead: its folder is not the user's to write, even
// when the administrator, who could, runs it. So does a program whose folder is not writable.
std::string DefaultDatabaseDir(std::string_view exeDir) {
  if (!IsInstalledProgram(exeDir) && access(NativePath(exeDir).c_str(), W_OK) == 0) {
    return std::string(exeDir);
  }
  return UserDataDir();
}

SqlDialect DialectOf(const IniFile& ini) {
  const std::string dialect = ini.ReadString("SQL", "DIALECT").value_or("JET");
  return EqualsIgnoringAsciiCase(dialect, "ENGINE") ? SqlDialect::Engine : SqlDialect::Jet;
}

}  // namespace

std::string SettingsPath(std::string_view exeDir) {
  return LocateProgramFile(exeDir, {kSettingsFileName});
}

Settings LoadSettings(std::string_view settingsPath, std::string_view exeDir) {
  Settings settings;
  if (!FileExists(settingsPath)) {
    settings.DbDir = DefaultDatabaseDir(exeDir);
    return settings;
  }
  const IniFile ini(DecodeText(ReadWholeFile(settingsPath), settingsPath, TextTarget::Utf8));
  settings.fileFound = true;
  settings.DbDir = ReadText(ini, "SAVEPATH", "");
  if (!settings.DbDir.empty() && settings.DbDir.back() != '/') settings.DbDir += '/';
  settings.UdlName = ReadText(ini, "UDLFILE", settings.UdlName);
  settings.MdbName = ReadText(ini, "MDBFILE", settings.MdbName);
  settings.FontSize = ini.ReadInteger("GUI", "FONTSIZE", settings.FontSize);
  settings.ClearText = ini.ReadSwitch("GUI", "CLEARTEXT");
  settings.WordWrap = ini.ReadSwitch("GUI", "WORDWRAP");
  settings.Highlight = ini.ReadInteger("GUI", "HIGHLIGHT", 1) != 0;
  settings.KeepHistory = ini.ReadInteger("GUI", "HISTORY", 1) != 0;
  settings.Dialect = DialectOf(ini);
  return settings;
}

SqlDialect LoadDialect(std::string_view settingsPath) {
  if (!FileExists(settingsPath)) return SqlDialect::Jet;
  return DialectOf(
      IniFile(DecodeText(ReadWholeFile(settingsPath), settingsPath, TextTarget::Utf8)));
}

}  // namespace tarnwick
