#include <gtest/gtest.h>

#include "data/Cp932.h"

namespace tarnwick {
namespace {

TEST(Cp932Test, AsciiPassesThroughEveryConversionUnchanged) {
  const std::string ascii = std::string("SELECT * FROM t;\r\n\t\x01\x7F", 23) + '\0' + "end";
  EXPECT_TRUE(IsAscii(ascii));
  EXPECT_EQ(Utf8ToSjis(ascii), ascii);
  EXPECT_EQ(SjisToUtf8(ascii), ascii);
  EXPECT_EQ(Utf16ToSjis(SjisToUtf16(ascii)), ascii);
  EXPECT_EQ(SjisToUtf16("Ab"), u"Ab");
  EXPECT_FALSE(IsAscii("a\x80"));
  EXPECT_TRUE(IsAscii(""));
}

TEST(Cp932Test, JapaneseTextTakesItsShiftJisWidths) {
  EXPECT_EQ(Sjis("漢"), "\x8A\xBF");       // kanji: two bytes
  EXPECT_EQ(Sjis("ｱ"), "\xB1");            // half-width katakana: one byte
  EXPECT_EQ(Sjis("テーブル").size(), 8u);  // full-width: two bytes each
  EXPECT_EQ(Sjis("a漢ｱb"),
            "a\x8A\xBF\xB1"
            "b");
  EXPECT_EQ(SjisToUtf8("a\x8A\xBF\xB1"
                       "b"),
            "a漢ｱb");
  EXPECT_EQ(SjisToUtf16("\x8A\xBF\xB1"), u"漢ｱ");
  EXPECT_EQ(Utf16ToSjis(u"漢ｱ"), "\x8A\xBF\xB1");
  // A trail byte that equals an ASCII character is still part of its kanji.
  EXPECT_EQ(SjisToUtf8(Sjis("表示")), "表示");
}

TEST(Cp932Test, UnmappableCharactersBecomeOneQuestionMarkEach) {
  EXPECT_EQ(Utf8ToSjis("a😀b"), "a?b");
  EXPECT_EQ(Utf8ToSjis("😀😀"), "??");
  EXPECT_EQ(Utf8ToSjis("é漢"), "?\x8A\xBF");
  // Outside the Basic Multilingual Plane a character is a surrogate pair in UTF-16: one mark.
  EXPECT_EQ(Utf16ToSjis(u"a\U0001F600b"), "a?b");
  // An unpaired surrogate is not a character either.
  EXPECT_EQ(Utf16ToSjis(std::u16string(u"x") + char16_t(0xD800) + u"y"), "x?y");
}

TEST(Cp932Test, InvalidUtf8BecomesQuestionMarksWithoutLosingTheRest) {
  EXPECT_EQ(Utf8ToSjis("a\xFF"
                       "b"),
            "a?b");
  EXPECT_EQ(Utf8ToSjis("a\x80"
                       "b漢"),
            "a?b\x8A\xBF");
  // A sequence cut off at the end of the text.
  EXPECT_EQ(Utf8ToSjis("漢\xE6\xBC"), "\x8A\xBF?");
  // A cut sequence followed by ASCII keeps the ASCII.
  EXPECT_EQ(Utf8ToSjis("\xE6\xBC'x'"), "?'x'");
}

TEST(Cp932Test, InvalidShiftJisBecomesReplacementCharacter) {
  const std::string replacement = "\xEF\xBF\xBD";
  // A lead byte followed by a byte that cannot trail: the quote survives.
  EXPECT_EQ(SjisToUtf8("\x81\"x\""), replacement + "\"x\"");
  // A lead byte at the very end.
  EXPECT_EQ(SjisToUtf8(Sjis("漢") + "\x82"), "漢" + replacement);
  // Bytes that never start a character.
  EXPECT_EQ(SjisToUtf8("a\xA0"
                       "b"),
            "a" + replacement + "b");
  EXPECT_EQ(SjisToUtf8("\xFD\xFE\xFF"), replacement + replacement + replacement);
  // An unassigned double-byte code is one character, one replacement.
  EXPECT_EQ(SjisToUtf8("\x85\x40z"), replacement + "z");
  EXPECT_EQ(SjisToUtf16("\x85\x40z"), u"\uFFFDz");
}

TEST(Cp932Test, LongMixedTextConvertsWhole) {
  std::string utf8;
  for (int i = 0; i < 5000; ++i) utf8 += "ｱ漢a😀";
  const std::string sjis = Utf8ToSjis(utf8);
  EXPECT_EQ(sjis.size(), 5000u * 5);
  std::string expected;
  for (int i = 0; i < 5000; ++i) expected += "ｱ漢a?";
  EXPECT_EQ(SjisToUtf8(sjis), expected);
}

}  // namespace
}  // namespace tarnwick
