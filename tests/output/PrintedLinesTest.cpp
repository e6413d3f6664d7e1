#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/Cp932.h"
#include "output/HeaderTime.h"
#include "output/PrintedLines.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;

TEST(LogLines, CutsAtLineBreaksAndDropsTheEmptyPieceAfterTheLastOne) {
  EXPECT_EQ(LogLines(""), Lines{});
  EXPECT_EQ(LogLines("\r\n"), Lines{""});
  EXPECT_EQ(LogLines("\r\n\r\nOK\r\n"), (Lines{"", "", "OK"}));
  EXPECT_EQ(LogLines("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(LogLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(LogLines("a\nb\rc\r\r\n"), (Lines{"a", "b", "c", ""}));
  const std::string longLine(5000, 'x');
  EXPECT_EQ(LogLines(longLine + "\r\n"), Lines{longLine});
}

TEST(PrintCharacters, KeepsTwoByteCharactersWholeAndALeadByteAtTheEndAlone) {
  using Pieces = std::vector<std::string_view>;
  const std::string kanji = Sjis("漢");
  EXPECT_EQ(PrintCharacters("a" + kanji + "b"), (Pieces{"a", kanji, "b"}));
  // 0x80 to 0x9F and 0xE0 to 0xFC start two bytes; 0xA0 to 0xDF (half-width kana) do not.
  EXPECT_EQ(PrintCharacters("\x80\x41\xFC\x40\xB1\xA0"),
            (Pieces{"\x80\x41", "\xFC\x40", "\xB1", "\xA0"}));
  // The second byte of a pair is never a start, even when its value could be one.
  EXPECT_EQ(PrintCharacters("\x88\x9F\x41"), (Pieces{"\x88\x9F", "A"}));
  EXPECT_EQ(PrintCharacters("a\x88"), (Pieces{"a", "\x88"}));
  EXPECT_EQ(PrintCharacters(""), Pieces{});
}

TEST(HeaderTime, IsYearMonthDayHourMinuteWithLeadingZeros) {
  std::tm time{};
  time.tm_year = 2024 - 1900;
  time.tm_mon = 2;
  time.tm_mday = 5;
  time.tm_hour = 7;
  time.tm_min = 8;
  time.tm_sec = 59;
  EXPECT_EQ(FormatHeaderTime(time), "2024/03/05 07:08");
  time = {};
  time.tm_year = 1999 - 1900;
  time.tm_mon = 11;
  time.tm_mday = 31;
  time.tm_hour = 23;
  time.tm_min = 59;
  EXPECT_EQ(FormatHeaderTime(time), "1999/12/31 23:59");
  EXPECT_EQ(CurrentHeaderTime().size(), 16u);
}

}  // namespace
}  // namespace tarnwick
