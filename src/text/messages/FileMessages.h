#pragma once
// Messages for a file the program cannot create, open, read or replace, with the operating
// system's reason (errno) in Japanese, never in the system's own language.
#include <string>
#include <string_view>

#include "text/messages/Message.h"

namespace tarnwick::msg {

// What the program was doing with the file when the system refused.
enum class FileAction { Create, Open };

// The system's reason as a sentence without its final "。". Every errno value has one.
std::string FileReason(int error, FileAction action);

// "ファイル "<path>" を作成できません。<reason>。" and a hint for the reasons a learner can act
// on. `path`: UTF-8.
Message CannotCreateFile(std::string_view path, int error);
// "ファイル "<path>" は開けません。<reason>。"
Message CannotOpenFile(std::string_view path, int error);

}  // namespace tarnwick::msg
