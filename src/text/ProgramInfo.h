#pragma once
// What the build knows about the program: its version and where an installation keeps its
// shared files.
#include <string>
#include <string_view>

namespace tarnwick {

// The program's version, "MAJOR.MINOR.PATCH" (the project's version in CMakeLists.txt).
const char* ProgramVersion();

// The folder of the installed shared files (help, settings) relative to the folder of the
// installed programs, ending in '/': "../share/tarnwick/" for the usual layout.
const char* SharedFilesFromProgramDir();

// The maker's ownership notice: the second line of the window's banner and of --version.
inline constexpr std::string_view kOwnershipNotice =
    "Copyright (C) The Tarnwick developers. All rights reserved.";

// What --version prints (UTF-8, LF line ends): the program's name and version, then the
// ownership notice.
std::string VersionText(std::string_view programName);

}  // namespace tarnwick
