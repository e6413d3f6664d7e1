#pragma once
// Names and texts as the generated engine statements write them.
#include <string>
#include <string_view>

namespace tarnwick {

// An identifier in double quotes, each '"' in it written twice.
std::string EngineName(std::string_view name);

// A text literal in apostrophes, each apostrophe in it written twice.
std::string EngineText(std::string_view value);

}  // namespace tarnwick
