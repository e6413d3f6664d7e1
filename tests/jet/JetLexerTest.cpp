// Jet SQL cut into tokens: every byte in exactly one token, each token of its kind with its
// text, an unclosed form running to the end.
#include <gtest/gtest.h>

#include <string>

#include "jet/JetLexer.h"

namespace tarnwick {
namespace {

std::string KindName(JetTokenKind kind) {
  switch (kind) {
    case JetTokenKind::Whitespace:
      return "_";
    case JetTokenKind::Word:
      return "W";
    case JetTokenKind::Number:
      return "N";
    case JetTokenKind::String:
      return "S";
    case JetTokenKind::DoubleQuoted:
      return "Q";
    case JetTokenKind::BracketName:
      return "B";
    case JetTokenKind::Date:
      return "D";
    case JetTokenKind::Blob:
      return "X";
    case JetTokenKind::LineComment:
      return "L";
    case JetTokenKind::BlockComment:
      return "C";
    case JetTokenKind::Punct:
      return "P";
  }
  return "?";
}

// "W(abc) _ N(1)": each token's kind and text (blanks shown as "_" alone); "!" after a
// token that runs to the end unclosed.
std::string Tokens(std::string_view text) {
  std::string out;
  std::string joined;
  for (const JetToken& token : TokenizeJet(text)) {
    joined += token.text;
    if (!out.empty()) out += ' ';
    out += KindName(token.kind);
    if (token.kind != JetTokenKind::Whitespace) out += "(" + std::string(token.text) + ")";
    if (!token.terminated) out += "!";
  }
  EXPECT_EQ(joined, text) << "the tokens give the text back";
  return out;
}

TEST(JetLexer, EachFormIsOneTokenOfItsKind) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"a_1 _b 社員2", "W(a_1) _ W(_b) _ W(社員2)"},
      {"1 1.5 .5 1e3 1.5e+3 2E-1", "N(1) _ N(1.5) _ N(.5) _ N(1e3) _ N(1.5e+3) _ N(2E-1)"},
      {"1e 1.e", "N(1) W(e) _ N(1.) W(e)"},  // an exponent needs its digits
      {"'it''s' \"a\"\"b\" [x y]", "S('it''s') _ Q(\"a\"\"b\") _ B([x y])"},
      {"#2024/1/2# x'0A' X'ff'", "D(#2024/1/2#) _ X(x'0A') _ X(X'ff')"},
      {"a<>b<=c>=d!=e==f||g",
       "W(a) P(<>) W(b) P(<=) W(c) P(>=) W(d) P(!=) W(e) P(==) W(f) P(||) W(g)"},
      {"a-- note\nb", "W(a) L(-- note) _ W(b)"},
      {"a/* x */b", "W(a) C(/* x */) W(b)"},
      {"a\t\r\n\x7f\x01"
       "b",
       "W(a) _ W(b)"},  // control bytes are blanks
      {"(),;.!?&", "P(() P()) P(,) P(;) P(.) P(!) P(?) P(&)"},
      // Unclosed forms take the rest of the text.
      {"'open", "S('open)!"},
      {"[open", "B([open)!"},
      {"#2024/1", "D(#2024/1)!"},
      {"x'0", "X(x'0)!"},
      {"/* open", "C(/* open)!"},
      {"", ""},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Tokens(text), expected) << text;
}

TEST(JetLexer, NamesAndTextsAreReadWithoutTheirDelimiters) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"[社員 名]", "社員 名"}, {"\"a\"\"b\"", "a\"b"}, {"'it''s'", "it's"},
      {"'open", "open"},        {"[a]]", "a"},          {"abc", "abc"},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(JetNameValue(TokenizeJet(text).front()), value) << text;
  }
}

}  // namespace
}  // namespace tarnwick
