#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "output/HeaderTime.h"
#include "output/PrintLayout.h"
#include "output/PrintedLines.h"
#include "text/Cp932.h"
#include "text/TarnwickError.h"

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;

// A page of 2100 x 2970 dots at 10 dots per millimetre, the printable area 50 dots in from
// the left and 35 from the top: left 150, top 115, right 1900, bottom 2735.
const PrintDeviceMeasures kTenDotsPerMm{2000, 2900, 200, 290, 2100, 2970, 50, 35};
constexpr int kLeft = 150;
constexpr int kTop = 115;
constexpr int kRight = 1900;
constexpr int kHeight = 30;
constexpr int kPitch = 45;
constexpr int kFirstRow = kTop + 2 * kHeight;
constexpr int kRowsPerPage = 57;  // rows at 175, 220, ... 2695; the next one, 2740, is below

// Lays out with a fixed-pitch font of 10 dots a byte (a two-byte character takes 20); the
// header time of each page is "time <page number>".
std::vector<PrintedPage> LayOut(const Lines& lines, int textHeight = kHeight) {
  int headersDrawn = 0;
  return LayOutPrint(
      lines, kTenDotsPerMm,
      {[](std::string_view text) { return static_cast<int>(10 * text.size()); }, textHeight},
      [&] { return "time " + std::to_string(++headersDrawn); });
}

// A printed row: its top and its text.
struct Row {
  int y;
  std::string text;
  bool operator==(const Row&) const = default;
};

// The page's printed rows, top to bottom, after checking that every row starts at the left
// edge and its characters follow one another without gaps and end within the right limit.
std::vector<Row> Rows(const PrintedPage& page) {
  std::vector<Row> rows;
  int nextX = 0;
  for (const PrintText& character : page.characters) {
    if (rows.empty() || rows.back().y != character.y) {
      if (!rows.empty()) {
        EXPECT_GT(character.y, rows.back().y);
      }
      rows.push_back({character.y, ""});
      nextX = kLeft;
    }
    EXPECT_EQ(character.x, nextX) << "in \"" << rows.back().text << "\"";
    nextX = character.x + static_cast<int>(10 * character.text.size());
    EXPECT_LE(nextX, kRight);
    rows.back().text += character.text;
  }
  return rows;
}

Lines NumberedLines(int count) {
  Lines lines;
  for (int number = 1; number <= count; ++number) lines.push_back("L" + std::to_string(number));
  return lines;
}

TEST(PageGeometry, MarginsFromThePaperEdgesRoundedHalfToEven) {
  const PageGeometry geometry = ComputePageGeometry(kTenDotsPerMm, kHeight);
  EXPECT_EQ((std::array{geometry.left, geometry.top, geometry.right, geometry.bottom}),
            (std::array{kLeft, kTop, kRight, 2735}));
  EXPECT_EQ(geometry.linePitch, kPitch);

  // 2.625 dots per mm across: 20 mm = 52.5 -> 52, 15 mm = 39.375 -> 39.
  // 2.375 dots per mm down: 15 mm = 35.625 -> 36, 20 mm = 47.5 -> 48.
  const PrintDeviceMeasures halves{210, 190, 80, 80, 220, 200, 3, 2};
  const PageGeometry rounded = ComputePageGeometry(halves, 11);
  EXPECT_EQ((std::array{rounded.left, rounded.top, rounded.right, rounded.bottom}),
            (std::array{52 - 3, 36 - 2, 220 - (3 + 39), 200 - (2 + 48)}));
  EXPECT_EQ(rounded.linePitch, 16);                          // 16.5
  EXPECT_EQ(ComputePageGeometry(halves, 13).linePitch, 20);  // 19.5

  PrintDeviceMeasures noSize = kTenDotsPerMm;
  noSize.printableWidthMm = 0;
  EXPECT_THROW(ComputePageGeometry(noSize, kHeight), TarnwickError);
}

TEST(LayOutPrint, AnEmptyLogPrintsOnePageWithOnlyItsHeader) {
  const std::vector<PrintedPage> pages = LayOut({});
  ASSERT_EQ(pages.size(), 1u);
  const PrintedPage& page = pages[0];
  EXPECT_EQ((Row{page.title.y, page.title.text}), (Row{kTop, "Tarnwick"}));
  EXPECT_EQ(page.title.x, kLeft);
  EXPECT_EQ((Row{page.time.y, page.time.text}), (Row{kTop, "time 1"}));
  EXPECT_EQ(page.time.x, kRight - 60);  // ends at the right limit
  const int ruleY = kTop + kHeight + 2;
  EXPECT_EQ((std::array{page.rule.x1, page.rule.y1, page.rule.x2, page.rule.y2}),
            (std::array{kRight, ruleY, kLeft, ruleY}));
  EXPECT_TRUE(page.characters.empty());
}

TEST(LayOutPrint, LinesWrapBetweenCharactersKeepingTwoByteCharactersWhole) {
  std::string digits;
  for (int i = 0; i < 200; ++i) digits += static_cast<char>('0' + i % 10);
  const std::string kanji = Sjis("漢");
  const std::string a173(173, 'a');
  const std::string a174(174, 'a');
  const struct {
    const char* trace;
    Lines lines;
    std::vector<Row> rows;
  } cases[] = {
      {"a long line, an empty line taking its pitch",
       {digits, "next", "", "after empty"},
       {{kFirstRow, digits.substr(0, 175)},
        {kFirstRow + kPitch, digits.substr(175)},
        {kFirstRow + 2 * kPitch, "next"},
        {kFirstRow + 4 * kPitch, "after empty"}}},
      {"an empty first line", {"", "x"}, {{kFirstRow + kPitch, "x"}}},
      // 174 bytes end at 1890: the next two-byte character would end at 1910.
      {"a two-byte character over the edge",
       {a174 + kanji + "b"},
       {{kFirstRow, a174}, {kFirstRow + kPitch, kanji + "b"}}},
      {"a two-byte character ending at the edge",
       {a173 + kanji + "b"},
       {{kFirstRow, a173 + kanji}, {kFirstRow + kPitch, "b"}}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.trace);
    const std::vector<PrintedPage> pages = LayOut(test.lines);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(Rows(pages[0]), test.rows);
  }
}

TEST(LayOutPrint, RowsBelowTheBottomLimitGoToANewPageWithItsOwnHeader) {
  EXPECT_EQ(LayOut(NumberedLines(kRowsPerPage - 1)).size(), 1u);
  // With a pitch of 30 the row after 86 lines would start right on the bottom limit: still
  // this page, so no page follows.
  EXPECT_EQ(LayOut(NumberedLines(86), 20).size(), 1u);

  std::vector<PrintedPage> pages = LayOut(NumberedLines(kRowsPerPage + 1));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Rows(pages[0]).back(), (Row{kFirstRow + (kRowsPerPage - 1) * kPitch, "L57"}));
  EXPECT_EQ(Rows(pages[1]), (std::vector<Row>{{kFirstRow, "L58"}}));
  EXPECT_EQ((Row{pages[0].time.y, pages[0].time.text}), (Row{kTop, "time 1"}));
  EXPECT_EQ((Row{pages[1].time.y, pages[1].time.text}), (Row{kTop, "time 2"}));
  EXPECT_EQ(pages[1].title.y, kTop);

  // A full last page is followed by one that has only its header.
  pages = LayOut(NumberedLines(kRowsPerPage));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Rows(pages[0]).size(), static_cast<std::size_t>(kRowsPerPage));
  EXPECT_TRUE(pages[1].characters.empty());

  // A line wrapping past the bottom goes on at the top of the next page.
  Lines lines = NumberedLines(kRowsPerPage - 1);
  lines.push_back(std::string(175, 'x') + "tail");
  pages = LayOut(lines);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Rows(pages[0]).back().text, std::string(175, 'x'));
  EXPECT_EQ(Rows(pages[1]), (std::vector<Row>{{kFirstRow, "tail"}}));
}

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
  std::tie(time.tm_year, time.tm_mon, time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec) =
      std::tuple(2024 - 1900, 3 - 1, 5, 17, 8, 59);
  EXPECT_EQ(FormatHeaderTime(time), "2024/03/05 17:08");
  EXPECT_EQ(CurrentHeaderTime().size(), 16u);
}

}  // namespace
}  // namespace tarnwick
