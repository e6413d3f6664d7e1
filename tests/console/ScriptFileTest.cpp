#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "console/ScriptFile.h"

namespace tarnwick {
namespace {

TEST(ScriptFile, EveryLineEndsInCrLfAndTheTextEndsAtTheFirstNul) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"SELECT 1", "SELECT 1\r\n"},
      {"a;\r\nb;\r\n", "a;\r\nb;\r\n"},
      {"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd\r\n"},
      {"a\n\rb", "a\r\n\r\nb\r\n"},  // LF CR: two line ends
      {"\r\n", "\r\n"},
      {"a\r\r\n", "a\r\n\r\n"},
      {std::string("a;\nb\0c;\n", 9), "a;\r\nb\r\n"},
      {std::string("\0a", 2), ""},
      // Bytes stay as they are.
      {"\xEF\xBB\xBFSELECT 1;\x83\x41", "\xEF\xBB\xBFSELECT 1;\x83\x41\r\n"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(ScriptTextFromBytes(bytes), text) << bytes;
}

}  // namespace
}  // namespace tarnwick
