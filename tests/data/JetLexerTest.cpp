#include <gtest/gtest.h>

#include "data/JetLexer.h"

namespace tarnwick {
namespace {

using Kind = JetTokenKind;

std::vector<JetToken> Meaningful(std::string_view text) {
  std::vector<JetToken> tokens;
  for (const JetToken& token : TokenizeJet(text)) {
    if (token.kind != Kind::Whitespace) tokens.push_back(token);
  }
  return tokens;
}

std::vector<std::string_view> Texts(const std::vector<JetToken>& tokens) {
  std::vector<std::string_view> texts;
  for (const JetToken& token : tokens) texts.push_back(token.text);
  return texts;
}

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
}

TEST(JetLexerTest, RecognisesEachLexicalForm) {
  const auto tokens = Meaningful(
      "a1_x 顧客ID 12 3.5 .5 1e-3 'it''s' \"q\"\"n\" [b c] #1/2/3# "
      "-- line\n/* block */ <> <= >= < = ( ,");
  const std::vector<Kind> kinds = {
      Kind::Word,        Kind::Word,         Kind::Number,     Kind::Number,      Kind::Number,
      Kind::Number,      Kind::String,       Kind::QuotedName, Kind::BracketName, Kind::Date,
      Kind::LineComment, Kind::BlockComment, Kind::Punct,      Kind::Punct,       Kind::Punct,
      Kind::Punct,       Kind::Punct,        Kind::Punct,      Kind::Punct};
  ASSERT_EQ(tokens.size(), kinds.size());
  for (std::size_t i = 0; i < kinds.size(); ++i) EXPECT_EQ(tokens[i].kind, kinds[i]) << i;
  EXPECT_EQ(tokens[10].text, "-- line");  // the line break is not part of the comment
  EXPECT_EQ(Texts(Meaningful("a<>b<=c>=d<e")),
            (std::vector<std::string_view>{"a", "<>", "b", "<=", "c", ">=", "d", "<", "e"}));
  // A number followed by letters is a number and a word.
  EXPECT_EQ(Texts(Meaningful("1e 2abc")), (std::vector<std::string_view>{"1", "e", "2", "abc"}));
  // A single '-' or '/' is punctuation.
  EXPECT_EQ(Texts(Meaningful("a-b/c")), (std::vector<std::string_view>{"a", "-", "b", "/", "c"}));
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

TEST(JetLexerTest, NamesAndKeywords) {
  EXPECT_EQ(JetNameValue(TokenizeJet("[my name]")[0]), "my name");
  EXPECT_EQ(JetNameValue(TokenizeJet("\"say \"\"hi\"\"\"")[0]), "say \"hi\"");
  EXPECT_EQ(JetNameValue(TokenizeJet("'O''Brien'")[0]), "O'Brien");
  EXPECT_EQ(JetNameValue(TokenizeJet("顧客")[0]), "顧客");
  EXPECT_TRUE(IsKeyword(TokenizeJet("Create")[0], "CREATE"));
  EXPECT_FALSE(IsKeyword(TokenizeJet("[Create]")[0], "CREATE"));
  EXPECT_TRUE(SameJetName("Items", "ITEMS"));
  EXPECT_FALSE(SameJetName("顧客", "顧"));
  EXPECT_TRUE(IsPunct(TokenizeJet("<>")[0], "<>"));
  EXPECT_TRUE(IsTrivia(TokenizeJet("/* x */")[0]));
  EXPECT_FALSE(IsNameToken(TokenizeJet("12")[0]));
}

}  // namespace
}  // namespace tarnwick
