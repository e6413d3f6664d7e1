#pragma once
// Whole-file reading and writing for console text paths, with the program's messages.
#include <string>
#include <string_view>

namespace tarnwick {

// "ファイル "<path>" を作成できません。<reason>。" in Shift-JIS, errno's reason in words and,
// where the learner can do something about it, a hint line (see msg::CannotCreateFile).
std::string FileCreateMessage(std::string_view sjisPath, int error);
// "ファイル "<path>" は開けません。<reason>。" (see msg::CannotOpenFile).
std::string FileOpenMessage(std::string_view sjisPath, int error);

// Reads all bytes of a file; throws TarnwickError(FileOpenMessage) when it cannot be opened.
// With `roomToGrow`, the string has room for twice the file's bytes, so that the text can be
// made longer in place (pages it never grows into take no memory).
std::string ReadWholeFile(std::string_view sjisPath, bool roomToGrow = false);

// Creates or replaces a file with exactly these bytes; throws TarnwickError(FileCreateMessage).
void WriteWholeFile(std::string_view sjisPath, std::string_view bytes);

// The same for a system path (UTF-8), which console text may not be able to spell: a path
// from the command line. Messages name the file as console text shows it.
std::string ReadWholeNativeFile(const std::string& nativePath, bool roomToGrow = false);
void WriteWholeNativeFile(const std::string& nativePath, std::string_view bytes);

bool FileExists(std::string_view sjisPath);
// Deletes a file; returns false (and leaves errno) when it cannot.
bool DeleteFile(std::string_view sjisPath);

}  // namespace tarnwick
