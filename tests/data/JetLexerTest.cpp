// What the translation tests cannot show of the lexer: every byte belongs to one token, and
// a form left open runs to the end of the text.
#include <gtest/gtest.h>

#include "data/JetLexer.h"

namespace tarnwick {
namespace {

TEST(JetLexerTest, TokensCoverTheTextByteForByte) {
  const std::string text =
      "SELECT [a b], \"x\"\"y\", 'it''s' -- note\r\n/* c */ FROM t WHERE d=#2020/1/2# AND "
      "名前<>'値' AND n>=1.5e-3\t;\x01 [open";
  std::string joined;
  std::size_t offset = 0;
  for (const JetToken& token : TokenizeJet(text)) {
    EXPECT_EQ(token.offset, offset);
    EXPECT_EQ(text.substr(token.offset, token.text.size()), token.text);
    joined += token.text;
    offset = token.End();
  }
  EXPECT_EQ(joined, text);
  EXPECT_EQ(TokenizeJet("-- line\nx")[0].text, "-- line");  // the line break is not in it
}

TEST(JetLexerTest, UnclosedFormsRunToTheEnd) {
  for (std::string_view text : {"'abc", "\"abc", "[abc", "#1/2", "/* abc", "'a''"}) {
    const auto tokens = TokenizeJet(text);
    ASSERT_EQ(tokens.size(), 1u) << text;
    EXPECT_EQ(tokens[0].text, text);
    EXPECT_FALSE(tokens[0].terminated) << text;
  }
  EXPECT_TRUE(TokenizeJet("'a'")[0].terminated);
  EXPECT_EQ(JetNameValue(TokenizeJet("[abc")[0]), "abc");
}

}  // namespace
}  // namespace tarnwick
