#pragma once
#include <string>
#include <string_view>

#include "data/Connection.h"

namespace tarnwick {

// What the settings file "Tarnwick.ini" beside the executable sets. Texts are console text.
struct Settings {
  bool fileFound = false;  // fonts and switches apply only when the file exists
  std::string DbDir;       // ends in '/' or is empty (the working directory)
  std::string UdlName = "default.udl";
  std::string MdbName = "default.mdb";
  int FontSize = 9;  // points, both panes
  bool ClearText = false;
  bool WordWrap = false;  // on: the result pane does not wrap
  bool Highlight = true;  // syntax colours in the SQL pane; [GUI] HIGHLIGHT=0 turns them off
  // The statement history kept between runs in the per-user data folder; [GUI] HISTORY=0
  // keeps it for the run only.
  bool KeepHistory = true;
  // [SQL] DIALECT: JET (the default) reads statements as Jet SQL; ENGINE passes them to the
  // engine unchanged. Any other value is the default.
  SqlDialect Dialect = SqlDialect::Jet;
};

// The name of the settings file.
inline constexpr std::string_view kSettingsFileName = "Tarnwick.ini";

// Where the settings file is looked for: beside the executable, else in the installation's
// shared files ("share/tarnwick/"); without either, the path beside the executable.
std::string SettingsPath(std::string_view exeDir);

// Reads the settings file once (never writes it). The file's text is decoded as a script
// file's is (UTF-8 with or without its mark, UTF-16, else Shift-JIS); its values are turned
// into console text. Without a file the database lies in exeDir, or in the per-user data folder
// when the program is installed or exeDir is not writable. Throws
// TarnwickError(FileOpenMessage: "ファイル "%s" は開けません。%s。") when the file exists but
// cannot be read, and names the line when its text holds a NUL or a character that cannot be
// converted.
Settings LoadSettings(std::string_view settingsPath, std::string_view exeDir);

// Only the SQL the statements are read in ([SQL] DIALECT), which needs no database folder.
SqlDialect LoadDialect(std::string_view settingsPath);

// Replaces each %NAME% by the environment variable's value (unset or empty name: nothing);
// an unpaired '%' is dropped; substituted values are not scanned again. Text and values are
// the system's text (UTF-8).
std::string ExpandEnvironment(std::string_view text);

}  // namespace tarnwick
