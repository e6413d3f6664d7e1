#pragma once
// Messages of the console and of tarnwick-run about the run itself: a run stopped, a statement
// over its time limit, an open transaction undone, and the runner's command line.
#include <string>
#include <string_view>

#include "text/messages/Message.h"

namespace tarnwick::msg {

Message RunStopped();
Message StatementTimedOut(std::string_view seconds);
Message OpenTransactionRolledBack();

// tarnwick-run.
std::string StandardInputName();
Message DatabasePathIsFolder(std::string_view path);
Message DescriptorWouldReplaceDatabase(std::string_view path, std::string_view descriptor);
Message PathNotShiftJis(std::string_view path);
Message DatabaseDoesNotExist(std::string_view path);
Message TranscriptNotWritten();

}  // namespace tarnwick::msg
