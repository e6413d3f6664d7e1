#pragma once
// Whole-file reading and writing for console text paths, with the program's messages.
#include <string>
#include <string_view>

namespace tarnwick {

// "ファイル "<path>". <reason> を作成できません", errno's reason in words.
std::string FileCreateMessage(std::string_view sjisPath, int error);
// "ファイル "<path>". <reason> は開けません".
std::string FileOpenMessage(std::string_view sjisPath, int error);

// Reads all bytes of a file; throws TarnwickError(FileOpenMessage) when it cannot be opened.
// With `roomToGrow`, the string has room for twice the file's bytes, so that the text can be
// made longer in place (pages it never grows into take no memory).
std::string ReadWholeFile(std::string_view sjisPath, bool roomToGrow = false);

// Creates or replaces a file with exactly these bytes; throws TarnwickError(FileCreateMessage).
void WriteWholeFile(std::string_view sjisPath, std::string_view bytes);

bool FileExists(std::string_view sjisPath);
// Deletes a file; returns false (and leaves errno) when it cannot.
bool DeleteFile(std::string_view sjisPath);

}  // namespace tarnwick
