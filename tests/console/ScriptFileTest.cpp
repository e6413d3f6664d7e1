#include <gtest/gtest.h>

#include <string>

#include "console/ScriptFile.h"
#include "data/Cp932.h"
#include "data/FileAccess.h"
#include "data/TarnwickError.h"
#include "support/TempDir.h"

namespace tarnwick {
namespace {

TEST(ScriptFile, EveryLineEndsInCrLfWhateverItsEnding) {
  EXPECT_EQ(ScriptTextFromBytes(""), "");
  EXPECT_EQ(ScriptTextFromBytes("SELECT 1"), "SELECT 1\r\n");
  EXPECT_EQ(ScriptTextFromBytes("a;\r\nb;\r\n"), "a;\r\nb;\r\n");
  EXPECT_EQ(ScriptTextFromBytes("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd\r\n");
  EXPECT_EQ(ScriptTextFromBytes("a\n\rb"), "a\r\n\r\nb\r\n");  // LF CR: two line ends
  EXPECT_EQ(ScriptTextFromBytes("\r\n"), "\r\n");
  EXPECT_EQ(ScriptTextFromBytes("a\r\r\n"), "a\r\n\r\n");
}

TEST(ScriptFile, TextEndsAtTheFirstNulAndBytesStayAsTheyAre) {
  EXPECT_EQ(ScriptTextFromBytes(std::string("a;\nb\0c;\n", 9)), "a;\r\nb\r\n");
  EXPECT_EQ(ScriptTextFromBytes(std::string("\0a", 2)), "");
  EXPECT_EQ(ScriptTextFromBytes("\xEF\xBB\xBFSELECT 1;\x83\x41"),
            "\xEF\xBB\xBFSELECT 1;\x83\x41\r\n");
}

TEST(ScriptFile, ReadsAFileOrReportsItCannotBeOpened) {
  test::TempDir dir;
  const std::string path = dir.File("script.sql");
  WriteWholeFile(path, "-- c\nSELECT 1;");
  EXPECT_EQ(ReadScriptFile(path), "-- c\r\nSELECT 1;\r\n");

  const std::string missing = dir.File("missing.sql");
  try {
    ReadScriptFile(missing);
    FAIL() << "no failure";
  } catch (const TarnwickError& error) {
    const std::string message = error.what();
    EXPECT_TRUE(message.starts_with(Sjis("ファイル \"") + missing + "\". ")) << message;
  }
}

}  // namespace
}  // namespace tarnwick
