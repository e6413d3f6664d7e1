#include <gtest/gtest.h>

#include "text/Cp932.h"

namespace tarnwick {
namespace {

TEST(Cp932Test, AsciiPassesThroughAndJapaneseTakesItsShiftJisBytes) {
  const std::string ascii = std::string("SELECT * FROM t;\r\n\t\x01\x7F", 23) + '\0' + "end";
  EXPECT_TRUE(IsAscii(ascii));
  EXPECT_TRUE(IsAscii(""));
  EXPECT_FALSE(IsAscii("a\x80"));
  // UTF-8 and its Shift-JIS bytes: kanji two bytes, half-width katakana one.
  const std::pair<std::string, std::string> cases[] = {
      {ascii, ascii},
      {"a漢ｱz", "a\x8A\xBF\xB1z"},
      {"表示", "\x95\x5C\x8E\xA6"},  // a trail byte that equals '\' is still part of its kanji
  };
  for (const auto& [utf8, sjis] : cases) {
    SCOPED_TRACE(utf8);
    EXPECT_EQ(Utf8ToSjis(utf8), sjis);
    EXPECT_EQ(SjisToUtf8(sjis), utf8);
    EXPECT_EQ(Utf16ToSjis(SjisToUtf16(sjis)), sjis);
  }
  EXPECT_EQ(SjisToUtf16("A\x8A\xBF\xB1"), u"A漢ｱ");
}

TEST(Cp932Test, WhatCannotBeConvertedBecomesOneReplacementEach) {
  // To Shift-JIS: one '?' per unmappable character or invalid UTF-8 sequence; the rest stays.
  const std::pair<std::string, std::string> toSjis[] = {{"a😀b", "a?b"},
                                                        {"😀😀", "??"},
                                                        {"é漢", "?\x8A\xBF"},
                                                        {"a\xFFz", "a?z"},
                                                        {"a\x80z漢", "a?z\x8A\xBF"},
                                                        {"漢\xE6\xBC", "\x8A\xBF?"},
                                                        {"\xE6\xBC'x'", "?'x'"}};
  for (const auto& [utf8, sjis] : toSjis) EXPECT_EQ(Utf8ToSjis(utf8), sjis) << utf8;
  EXPECT_EQ(Utf16ToSjis(u"a\U0001F600b"), "a?b");  // a surrogate pair is one character
  EXPECT_EQ(Utf16ToSjis(std::u16string(u"x") + char16_t(0xD800) + u"y"), "x?y");

  // From Shift-JIS: U+FFFD for a lead byte without a trail (the next byte survives), a lead
  // byte at the end, bytes that never start a character, an unassigned double-byte code.
  const std::string r = "\xEF\xBF\xBD";
  const std::pair<std::string, std::string> fromSjis[] = {{"\x81\"x\"", r + "\"x\""},
                                                          {"\x8A\xBF\x82", "漢" + r},
                                                          {"a\xA0z", "a" + r + "z"},
                                                          {"\xFD\xFE\xFF", r + r + r},
                                                          {"\x85\x40z", r + "z"}};
  for (const auto& [sjis, utf8] : fromSjis) EXPECT_EQ(SjisToUtf8(sjis), utf8) << utf8;
  EXPECT_EQ(SjisToUtf16("\x85\x40z"), u"\uFFFDz");

  std::string utf8, expected;
  for (int i = 0; i < 5000; ++i) utf8 += "ｱ漢a😀", expected += "ｱ漢a?";
  EXPECT_EQ(SjisToUtf8(Utf8ToSjis(utf8)), expected);
}

}  // namespace
}  // namespace tarnwick
