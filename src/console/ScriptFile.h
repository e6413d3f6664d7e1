#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// A script file's bytes as a script text: cut into lines at CR LF, CR or LF, ended at the
// first NUL, and joined again with every line followed by CR LF. No byte is converted.
std::string ScriptTextFromBytes(std::string_view bytes);

// The script text of a file's bytes in whatever encoding it was saved (see DecodeText):
// decoded into console text, then cut into lines as above, within the bytes' own string (no
// second copy of a large script). Throws TarnwickError naming the source and the line when
// the text holds a NUL or a character that cannot be converted.
std::string ScriptTextFromFileBytes(std::string bytes, std::string_view sjisSource);

// Reads a script file (console-text path) and returns its script text; throws
// TarnwickError(FileOpenMessage: "ファイル "%s" は開けません。%s。") when it cannot be opened, and
// as ScriptTextFromFileBytes when its text cannot be decoded.
std::string ReadScriptFile(std::string_view sjisPath);

// The same for a system path (UTF-8), which console text may not be able to spell.
std::string ReadNativeScriptFile(const std::string& nativePath);

}  // namespace tarnwick
