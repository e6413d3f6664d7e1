// The table-driven measuring and converting of UTF-8 text against the system's converter, which
// the console used for every cell before: every character of the plane, the malformed
// sequences a converter must replace, and random mixtures of both.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/Cp932.h"
#include "text/Cp932Table.h"

namespace tarnwick {
namespace {

std::string Hex(std::string_view bytes) {
  std::string hex;
  for (char byte : bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    hex += kDigits[(byte >> 4) & 0xF];
    hex += kDigits[byte & 0xF];
    hex += ' ';
  }
  return hex;
}

// Everything the table gives for one text, against what the converter makes of it.
void ExpectAsTheConverter(const std::string& utf8) {
  const std::string sjis = Utf8ToSjis(utf8);
  const std::string back = SjisToUtf8(sjis);
  std::string tableSjis, tableBack;
  AppendUtf8AsSjis(utf8, tableSjis);
  AppendThroughSjis(utf8, tableBack);
  const Utf8Measure measure = MeasureUtf8(utf8);
  ASSERT_EQ(tableSjis, sjis) << Hex(utf8);
  ASSERT_EQ(tableBack, back) << Hex(utf8);
  ASSERT_EQ(measure.width, sjis.size()) << Hex(utf8);
  ASSERT_EQ(measure.comesBack, back == utf8) << Hex(utf8);
  // What comes back goes to Shift-JIS as the original does (the --sjis transcript).
  std::string again;
  AppendUtf8AsSjis(back, again);
  ASSERT_EQ(again, sjis) << Hex(utf8);
}

TEST(Cp932Table, AgreesWithTheConverterOnEveryCharacterOfThePlane) {
  for (char32_t codePoint = 1; codePoint < 0x10000; ++codePoint) {
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) continue;
    std::string text = "a";
    AppendUtf8(text, codePoint);
    text += "bcdefghij";  // past the eight bytes looked at in one step
    ASSERT_NO_FATAL_FAILURE(ExpectAsTheConverter(text));
  }
  // Two cells for each double-byte character, one for half-width kana, one for each '?'.
  const std::pair<const char*, std::size_t> widths[] = {
      {"", 0}, {"abc", 3}, {"漢字", 4}, {"ｱｲ", 2}, {"a😀b", 3}, {"é", 1}, {"¥", 1}};
  for (const auto& [text, width] : widths) EXPECT_EQ(MeasureUtf8(text).width, width) << text;
  // The few characters that Shift-JIS writes as another come back as that one.
  const std::pair<const char*, const char*> changed[] = {{"¥", "\\"}, {"‾", "~"}, {"〜", "～"},
                                                         {"−", "－"}, {"—", "―"}, {"‖", "∥"}};
  for (const auto& [text, back] : changed) {
    std::string through;
    AppendThroughSjis(text, through);
    EXPECT_EQ(through, back);
    EXPECT_FALSE(MeasureUtf8(text).comesBack) << text;
  }
}

TEST(Cp932Table, ReplacesMalformedSequencesAsTheConverterDoes) {
  const std::vector<std::string> malformed = {"\xC0\x80",
                                              "\xC1\xBF",
                                              "\xE0\x80\x80",
                                              "\xE0\x9F\xBF",
                                              "\xED\xA0\x80",
                                              "\xED\xBF\xBF",
                                              "\xF0\x80\x80\x80",
                                              "\xF4\x90\x80\x80",
                                              "\xF8\x88\x80\x80\x80",
                                              "\xFC\x84\x80\x80\x80\x80",
                                              "\xFE",
                                              "\xFF",
                                              "\x80",
                                              "\xBF\x80",
                                              "\xC2",
                                              "\xE3\x81",
                                              "\xE3\x81"
                                              "A",
                                              "\xF0\x9F\x98",
                                              "\xF0\x9F\x98\x80",
                                              "\xEF\xBF\xBE",
                                              "\xEF\xBF\xBF",
                                              "\xC2\x80"};
  for (const std::string& sequence : malformed) {
    for (const std::string& text : {sequence, "x" + sequence + "漢", "漢字漢字" + sequence + "'"}) {
      ASSERT_NO_FATAL_FAILURE(ExpectAsTheConverter(text));
    }
  }
}

TEST(Cp932Table, AgreesWithTheConverterOnRandomMixtures) {
  // Pieces of valid text of every width, and bytes that break sequences.
  const std::vector<std::string> pieces = {"a",    "abcdefgh", "漢",   "ｱ",    "¥",    "😀", "é",
                                           "\x80", "\xE3",     "\xF0", "\xC3", "\xBF", "'", "\r\n"};
  std::mt19937 random(2024);
  for (int i = 0; i < 20'000; ++i) {
    std::string text;
    const int count = static_cast<int>(random() % 24);
    for (int k = 0; k < count; ++k) text += pieces[random() % pieces.size()];
    ASSERT_NO_FATAL_FAILURE(ExpectAsTheConverter(text));
  }
}

}  // namespace
}  // namespace tarnwick
