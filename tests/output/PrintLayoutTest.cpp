#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/Cp932.h"
#include "data/TarnwickError.h"
#include "output/PrintLayout.h"

namespace tarnwick {
namespace {

// A page of 2100 x 2970 dots at 10 dots per millimetre, the printable area 50 dots in from
// the left and 35 from the top: left 150, top 115, right 1900, bottom 2735.
PrintDeviceMeasures TenDotsPerMillimetre() {
  PrintDeviceMeasures device;
  device.printableWidthDots = 2000;
  device.printableHeightDots = 2900;
  device.printableWidthMm = 200;
  device.printableHeightMm = 290;
  device.paperWidthDots = 2100;
  device.paperHeightDots = 2970;
  device.printableOffsetXDots = 50;
  device.printableOffsetYDots = 35;
  return device;
}
constexpr int kLeft = 150;
constexpr int kTop = 115;
constexpr int kRight = 1900;
constexpr int kHeight = 30;
constexpr int kPitch = 45;
constexpr int kFirstRow = kTop + 2 * kHeight;
constexpr int kRowsPerPage = 57;  // rows at 175, 220, ... 2695; the next one, 2740, is below

// A fixed-pitch font: 10 dots a byte, so a two-byte character takes 20.
PrinterFontMeasures TenDotFont() {
  return {[](std::string_view text) { return static_cast<int>(10 * text.size()); }, kHeight};
}

std::vector<PrintedPage> LayOut(const std::vector<std::string>& lines) {
  return LayOutPrint(lines, TenDotsPerMillimetre(), TenDotFont(),
                     [] { return std::string("2024/03/05 07:08"); });
}

// The page's printed rows, top to bottom, each as its text, after checking that every row
// starts at the left edge and its characters follow one another without gaps.
struct Row {
  int y;
  std::string text;
  bool operator==(const Row&) const = default;
};
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
    EXPECT_LE(character.x + static_cast<int>(10 * character.text.size()), kRight);
    nextX = character.x + static_cast<int>(10 * character.text.size());
    rows.back().text += character.text;
  }
  return rows;
}

std::vector<std::string> NumberedLines(int count) {
  std::vector<std::string> lines;
  for (int number = 1; number <= count; ++number) lines.push_back("L" + std::to_string(number));
  return lines;
}

TEST(PageGeometry, MarginsFromThePaperEdgesRoundedHalfToEven) {
  const PageGeometry geometry = ComputePageGeometry(TenDotsPerMillimetre(), kHeight);
  EXPECT_EQ(geometry.left, kLeft);
  EXPECT_EQ(geometry.top, kTop);
  EXPECT_EQ(geometry.right, kRight);
  EXPECT_EQ(geometry.bottom, 2735);
  EXPECT_EQ(geometry.linePitch, kPitch);

  // 2.625 dots per mm across: 20 mm = 52.5 -> 52, 15 mm = 39.375 -> 39.
  // 2.375 dots per mm down: 15 mm = 35.625 -> 36, 20 mm = 47.5 -> 48.
  PrintDeviceMeasures halves{210, 190, 80, 80, 220, 200, 3, 2};
  PageGeometry rounded = ComputePageGeometry(halves, 11);
  EXPECT_EQ(rounded.left, 52 - 3);
  EXPECT_EQ(rounded.top, 36 - 2);
  EXPECT_EQ(rounded.right, 220 - (3 + 39));
  EXPECT_EQ(rounded.bottom, 200 - (2 + 48));
  EXPECT_EQ(rounded.linePitch, 16);                          // 16.5
  EXPECT_EQ(ComputePageGeometry(halves, 13).linePitch, 20);  // 19.5

  PrintDeviceMeasures noSize = TenDotsPerMillimetre();
  noSize.printableWidthMm = 0;
  EXPECT_THROW(ComputePageGeometry(noSize, kHeight), TarnwickError);
}

TEST(LayOutPrint, AnEmptyLogPrintsOnePageWithOnlyItsHeader) {
  const std::vector<PrintedPage> pages = LayOut({});
  ASSERT_EQ(pages.size(), 1u);
  const PrintedPage& page = pages[0];
  EXPECT_EQ(page.title.text, "Tarnwick");
  EXPECT_EQ(page.title.x, kLeft);
  EXPECT_EQ(page.title.y, kTop);
  EXPECT_EQ(page.time.text, "2024/03/05 07:08");
  EXPECT_EQ(page.time.x, kRight - 160);  // ends at the right limit
  EXPECT_EQ(page.time.y, kTop);
  EXPECT_EQ(page.rule.x1, kRight);
  EXPECT_EQ(page.rule.x2, kLeft);
  EXPECT_EQ(page.rule.y1, kTop + kHeight + 2);
  EXPECT_EQ(page.rule.y2, kTop + kHeight + 2);
  EXPECT_TRUE(page.characters.empty());
}

TEST(LayOutPrint, ALongLineContinuesOnTheNextRowBetweenCharacters) {
  std::string longLine;
  for (int i = 0; i < 200; ++i) longLine += static_cast<char>('0' + i % 10);
  const std::vector<PrintedPage> pages = LayOut({longLine, "next", "", "after empty"});
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(Rows(pages[0]), (std::vector<Row>{{kFirstRow, longLine.substr(0, 175)},
                                              {kFirstRow + kPitch, longLine.substr(175)},
                                              {kFirstRow + 2 * kPitch, "next"},
                                              {kFirstRow + 4 * kPitch, "after empty"}}));
  // An empty first line takes its line pitch too.
  EXPECT_EQ(Rows(LayOut({"", "x"})[0]), (std::vector<Row>{{kFirstRow + kPitch, "x"}}));
}

TEST(LayOutPrint, ATwoByteCharacterAtTheEdgeMovesWholeToTheNextRow) {
  const std::string kanji = Sjis("漢");
  // 174 bytes end at 1890: the next two-byte character would end at 1910.
  const std::string over = std::string(174, 'a') + kanji + "b";
  EXPECT_EQ(Rows(LayOut({over})[0]), (std::vector<Row>{{kFirstRow, std::string(174, 'a')},
                                                       {kFirstRow + kPitch, kanji + "b"}}));
  // Ending exactly at the right limit stays on the row.
  const std::string exact = std::string(173, 'a') + kanji + "b";
  EXPECT_EQ(Rows(LayOut({exact})[0]), (std::vector<Row>{{kFirstRow, std::string(173, 'a') + kanji},
                                                        {kFirstRow + kPitch, "b"}}));
  // A lead byte that ends the line is drawn as a character of its own.
  const std::vector<PrintedPage> lone = LayOut({"a\x88"});
  ASSERT_EQ(lone[0].characters.size(), 2u);
  EXPECT_EQ(lone[0].characters[1].text, "\x88");
}

TEST(LayOutPrint, RowsBelowTheBottomLimitGoToANewPageWithItsOwnHeader) {
  int headersDrawn = 0;
  auto layOut = [&](const std::vector<std::string>& lines) {
    return LayOutPrint(lines, TenDotsPerMillimetre(), TenDotFont(),
                       [&] { return "time " + std::to_string(++headersDrawn); });
  };

  EXPECT_EQ(layOut(NumberedLines(kRowsPerPage - 1)).size(), 1u);

  headersDrawn = 0;
  std::vector<PrintedPage> pages = layOut(NumberedLines(kRowsPerPage + 1));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Rows(pages[0]).back(), (Row{kFirstRow + (kRowsPerPage - 1) * kPitch, "L57"}));
  EXPECT_EQ(Rows(pages[1]), (std::vector<Row>{{kFirstRow, "L58"}}));
  EXPECT_EQ(pages[0].time.text, "time 1");
  EXPECT_EQ(pages[1].time.text, "time 2");
  EXPECT_EQ(pages[1].title.y, kTop);

  // A full last page is followed by one that has only its header.
  pages = layOut(NumberedLines(kRowsPerPage));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Rows(pages[0]).size(), static_cast<std::size_t>(kRowsPerPage));
  EXPECT_TRUE(pages[1].characters.empty());

  // A line wrapping past the bottom goes on at the top of the next page.
  std::vector<std::string> lines = NumberedLines(kRowsPerPage - 1);
  lines.push_back(std::string(175, 'x') + "tail");
  pages = layOut(lines);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(Rows(pages[0]).back().text, std::string(175, 'x'));
  EXPECT_EQ(Rows(pages[1]), (std::vector<Row>{{kFirstRow, "tail"}}));
}

}  // namespace
}  // namespace tarnwick
