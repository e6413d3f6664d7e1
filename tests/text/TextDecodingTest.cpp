// Texts that people wrote in their editors: the encoding recognised, the text converted, and
// what cannot be converted refused on its line before any of it is used.
#include <gtest/gtest.h>

#include <string>

#include "support/ThrownMessage.h"
#include "text/Cp932.h"
#include "text/TextDecoding.h"

namespace tarnwick {
namespace {

using test::ThrownMessage;

std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// Real sentences of the kind learners' scripts hold.
const char* const kSentences[] = {
    "INSERT INTO 社員 VALUES (1, '山田太郎', '営業部');",
    "-- 売上の合計を求める\r\nSELECT 部署, Sum(金額) FROM 売上 GROUP BY 部署;",
    "SELECT * FROM 商品 WHERE 商品名 LIKE 'ﾃｽﾄ*';",
    "UPDATE 在庫 SET 数量 = 数量 - 1 WHERE 品番 = 'Ａ－１';",
};

TEST(DecodeText, RecognisesEachEncodingOfTheSameSentences) {
  for (const char* utf8 : kSentences) {
    SCOPED_TRACE(utf8);
    const std::string sjis = Sjis(utf8);
    // Shift-JIS Japanese is not well-formed UTF-8, so it is read as Shift-JIS, byte for byte.
    EXPECT_FALSE(IsValidUtf8(sjis));
    EXPECT_EQ(DecodeText(sjis, "f", TextTarget::ConsoleText), sjis);
    EXPECT_EQ(DecodeText(sjis, "f", TextTarget::Utf8), utf8);
    // UTF-8, with its mark or without, and UTF-16 of both byte orders.
    for (const std::string& bytes :
         {std::string(utf8), "\xEF\xBB\xBF" + std::string(utf8), Utf16(SjisToUtf16(sjis), false),
          Utf16(SjisToUtf16(sjis), true)}) {
      EXPECT_EQ(DecodeText(bytes, "f", TextTarget::ConsoleText), sjis);
      EXPECT_EQ(DecodeText(bytes, "f", TextTarget::Utf8), utf8);
    }
  }
  // ASCII stays as it is; a mark alone is an empty text.
  EXPECT_EQ(DecodeText("SELECT 1;\r\n", "f", TextTarget::ConsoleText), "SELECT 1;\r\n");
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF", "f", TextTarget::ConsoleText), "");
}

TEST(DecodeText, RefusesANulOrAnUnconvertibleCharacterNamingTheLine) {
  struct Case {
    std::string bytes;
    std::string message;  // UTF-8
  };
  const std::string kEncodingHint =
      "\r\nヒント: Shift-JIS で表せない文字 (絵文字など) は使えません。ファイルなら、その文字"
      "コード (Shift-JIS、UTF-8 など) も確かめてください。";
  const Case cases[] = {
      {std::string("SELECT 1;\r\nSELECT 2;\0DROP TABLE t;", 29),
       "\"s.sql\" の 2 行目に NUL 文字があるため読み込めません。"},
      {Utf16(std::u16string(u"a\r\nb\nc\0d", 8), false),
       "\"s.sql\" の 3 行目に NUL 文字があるため読み込めません。"},
      // An emoji and U+301C have no place in Shift-JIS.
      {"SELECT 1;\nSELECT '😀';\n",
       "\"s.sql\" の 2 行目に変換できない文字があるため読み込めません。" + kEncodingHint},
      {"\xEF\xBB\xBF\r\r\nSELECT 'café';",
       "\"s.sql\" の 3 行目に変換できない文字があるため読み込めません。" + kEncodingHint},
      // A broken sequence after a UTF-8 mark, a Shift-JIS lead byte without its trail byte,
      // an unpaired surrogate and an odd last byte of UTF-16.
      {"\xEF\xBB\xBF"
       "a\n\xC3(\n",
       "\"s.sql\" の 2 行目に変換できない文字があるため読み込めません。" + kEncodingHint},
      {"a\r\n" + Sjis("漢字") + "\r\n\x82\r\n",
       "\"s.sql\" の 3 行目に変換できない文字があるため読み込めません。" + kEncodingHint},
      {Utf16(u"a\r\n\xD800x", true),
       "\"s.sql\" の 2 行目に変換できない文字があるため読み込めません。" + kEncodingHint},
      {Utf16(u"a\nb", false) + "c",
       "\"s.sql\" の 2 行目に変換できない文字があるため読み込めません。" + kEncodingHint},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(
        SjisToUtf8(ThrownMessage([&] { DecodeText(c.bytes, "s.sql", TextTarget::ConsoleText); })),
        c.message);
  }
  // The system's text takes what Shift-JIS cannot, but no NUL.
  EXPECT_EQ(DecodeText("x=😀", "s.sql", TextTarget::Utf8), "x=😀");
  EXPECT_THROW(DecodeText(std::string("x\0", 2), "s.sql", TextTarget::Utf8), TarnwickError);
}

}  // namespace
}  // namespace tarnwick
