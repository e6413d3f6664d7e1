#pragma once
// Messages of the window's workbench: what it remembers between runs (the window's state and
// the statement history), and commands chosen while a statement runs. Paths are UTF-8.
#include <string_view>

#include "text/messages/Message.h"

namespace tarnwick::msg {

// A command that waits for the running statements.
Message CommandWhileRunning();

// The per-user files, ignored for this run when they cannot be used.
Message StateFileIgnored(std::string_view path);
Message HistoryFileDamaged(std::string_view path);
// `reason`: why it cannot be read or written, a whole message naming the file.
Message HistoryFileUnusable(std::string_view reason);

}  // namespace tarnwick::msg
