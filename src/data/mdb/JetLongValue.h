#pragma once
// Memo and OLE values, which a row holds as a 12-byte definition: the value itself follows it
// in the row, or lies in one row of a long-value page, or in a chain of such rows.
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

class JetFileHandle;

// The value's bytes; nothing when the definition or the pages it leads to are damaged (a page
// outside the file, a page that holds no long values, a chain that loops or ends early).
std::optional<std::string> ReadJetLongValue(const JetFileHandle& file, std::string_view definition);

}  // namespace tarnwick
