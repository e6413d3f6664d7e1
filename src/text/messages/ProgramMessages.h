#pragma once
// Messages of the console and of tarnwick-run about the run itself: a run stopped, a statement
// over its time limit, an open transaction undone, and the runner's command line.
#include <cstddef>
#include <string>
#include <string_view>

#include "text/messages/Message.h"

namespace tarnwick::msg {

Message RunStopped();
Message StatementTimedOut(std::string_view seconds);
Message OpenTransactionRolledBack();
// A query's grid that would pass the limits of what can be shown (`megabytes` of text or
// `cells` cells), or that memory ran short for, after `rows` rows were read.
Message GridTooLarge(std::size_t rows, std::size_t cells, std::size_t megabytes);
Message GridOutOfMemory(std::size_t rows);

// tarnwick-run.
std::string StandardInputName();
Message DatabasePathIsFolder(std::string_view path);
Message DescriptorWouldReplaceDatabase(std::string_view path, std::string_view descriptor);
Message PathNotShiftJis(std::string_view path);
Message DatabaseDoesNotExist(std::string_view path);
Message TranscriptNotWritten();

}  // namespace tarnwick::msg
