#pragma once
// The script texts that tarnwick-run hands to the console, made from its inputs.
#include <string>
#include <string_view>

#include "runner/RunnerOptions.h"

namespace tarnwick::runner {

// A -c text as the SQL pane would hold it: decoded into Shift-JIS as a script file is (UTF-8
// from a UTF-8 terminal, Shift-JIS from a Shift-JIS one), every LF or CR LF turned into CR LF,
// nothing added at the end. Throws TarnwickError naming "-c" and the line when the text holds
// a character that cannot be converted.
std::string ScriptTextFromCommandText(std::string_view bytes);

// All bytes of standard input.
std::string ReadStandardInput();

// A path from the command line (UTF-8) as console text. Throws TarnwickError when the path
// holds a character that console text cannot carry: it would name another file.
std::string ConsolePath(std::string_view utf8Path);

// True when every character of the UTF-8 text survives the way to console text and back.
bool FitsConsoleText(std::string_view utf8);

// The script text of one input: the -c text converted, the script file or standard input
// read, decoded and cut into CR LF lines; empty for a database to import. Throws
// TarnwickError when a file cannot be read or its text cannot be decoded.
std::string ScriptTextOf(const RunnerInput& input);

}  // namespace tarnwick::runner
