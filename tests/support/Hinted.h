#pragma once
// A message with its hint's line, as the learner reads it (UTF-8).
#include <string>
#include <string_view>

namespace tarnwick::test {

inline std::string Hinted(std::string_view text, std::string_view hint) {
  return std::string(text) + "\r\nヒント: " + std::string(hint);
}

}  // namespace tarnwick::test
