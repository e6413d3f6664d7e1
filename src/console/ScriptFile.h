#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// A script file's bytes as a script text: cut into lines at CR LF, CR or LF, ended at the
// first NUL, and joined again with every line followed by CR LF. No byte is converted.
std::string ScriptTextFromBytes(std::string_view bytes);

// Reads a script file (console-text path) and returns its script text; throws
// TarnwickError("ファイル "%s". %s は開けません") when it cannot be opened.
std::string ReadScriptFile(std::string_view sjisPath);

}  // namespace tarnwick
