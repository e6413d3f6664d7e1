#pragma once
#include <functional>
#include <string_view>

namespace tarnwick {

// Cuts a script (Shift-JIS, CR LF; it ends at its first NUL byte) into statements and hands
// each one, in order, to onStatement: the bytes from the end of the last statement up to and
// including the next ';' outside literals and comments, then the remainder after the last ';'
// when there is one. A literal is '...' or "..."; a doubled quote stays inside it, and "--",
// "/*", "*/" and ';' inside it are text. A "--" comment runs to the next CR LF, a "/*" comment
// to the next "*/"; either one that is never closed runs to the end of the script. A statement
// that begins with PARAMETERS (Jet's declaration of its parameters) runs to its second ';'.
// processEvents (may be empty) is called after every 1000 examined bytes; bytes passed over
// inside a comment and the second quote of a doubled quote do not count. When onStatement
// returns false, or throws, the split ends at once: nothing after that statement is handed on.
void SplitScript(std::string_view script, const std::function<void()>& processEvents,
                 const std::function<bool(std::string_view)>& onStatement);

}  // namespace tarnwick
