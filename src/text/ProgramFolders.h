#pragma once
#include <initializer_list>
#include <string>
#include <string_view>

namespace tarnwick {

// The folder of the running executable, ending in '/' (console text).
std::string ExecutableDir();

// The folder of an installation's shared files for programs in exeDir (console text ending
// in '/'): "/usr/bin/" gives "/usr/share/tarnwick/". Empty when exeDir is.
std::string SharedFilesDir(std::string_view exeDir);

// Whether the program in exeDir runs from an installation: its shared files' folder exists.
bool IsInstalledProgram(std::string_view exeDir);

// A file that goes with the program: the first of the names found in exeDir, else the first
// found in the shared files' folder; when none exists, exeDir followed by the first name.
// Names and the result are console text.
std::string LocateProgramFile(std::string_view exeDir,
                              std::initializer_list<std::string_view> names);

// The help document for programs in exeDir (console text): "tarnwick-help.html", else the
// name the Help command has always opened, "tarnwick.chm"; beside the programs, else among
// the shared files (see LocateProgramFile).
std::string HelpFilePath(std::string_view exeDir);

// The per-user data folder "$XDG_DATA_HOME/tarnwick/" (else "~/.local/share/tarnwick/"),
// created when missing; console text ending in '/'. Throws TarnwickError
// (FileCreateMessage: "ファイル "%s" を作成できません。%s。") when it cannot be created.
std::string UserDataDir();

}  // namespace tarnwick
