#include "jet/JetSqlText.h"

namespace tarnwick {

namespace {

std::string Delimited(std::string_view text, char quote) {
  std::string result;
  result.reserve(text.size() + 2);
  result += quote;
  for (const char c : text) {
    result += c;
    if (c == quote) result += quote;
  }
  result += quote;
  return result;
}

}  // namespace

std::string EngineName(std::string_view name) { return Delimited(name, '"'); }

std::string EngineText(std::string_view value) { return Delimited(value, '\''); }

}  // namespace tarnwick
