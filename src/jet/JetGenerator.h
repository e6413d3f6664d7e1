#pragma once
// Writing the engine's statement for a bound Jet statement: the same meaning, computed with
// Jet's values (the function library's operators where the engine's own differ), Jet's
// conversions on INSERT and UPDATE, and NOCASE comparisons of text.
#include <string>

#include "jet/JetSyntax.h"

namespace tarnwick {

// The engine's statement (UTF-8). A Passthrough statement has none: the caller runs its text.
std::string GenerateEngineSql(const JetStatement& statement);

}  // namespace tarnwick
