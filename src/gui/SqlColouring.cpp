#include "gui/SqlColouring.h"

#include <algorithm>
#include <string>

#include "jet/JetLexer.h"

namespace tarnwick {

namespace {

// The opening characters that continue a form the line before left open, so that the lexer
// reads the line as the rest of that form.
std::string_view Opener(OpenForm form) { return form == OpenForm::BlockComment ? "/*" : ""; }

// What an unterminated token leaves open.
OpenForm OpenFormOf(const JetToken& token) {
  return !token.terminated && token.kind == JetTokenKind::BlockComment ? OpenForm::BlockComment
                                                                       : OpenForm::None;
}

bool FollowedByParenthesis(const std::vector<JetToken>& tokens, std::size_t i) {
  while (++i < tokens.size() && tokens[i].kind == JetTokenKind::Whitespace) {
  }
  return i < tokens.size() && IsPunct(tokens[i], "(");
}

// Keywords after which a name stands that may be followed by its column list in '(':
// CREATE TABLE t (...), INSERT INTO t (...), REFERENCES t (...), CREATE INDEX i ON t (...).
bool AfterTableNameKeyword(const std::vector<JetToken>& tokens, std::size_t i) {
  while (i-- > 0) {
    if (IsTrivia(tokens[i])) continue;
    return HasRole(tokens[i].keyword, kBeforeTableName);
  }
  return false;
}

// Jet SQL's keywords, the data types included; a keyword that names a function as well (LEFT,
// RIGHT) is the function when '(' follows it.
SqlColour WordColour(const std::vector<JetToken>& tokens, std::size_t i) {
  const JetKeyword word = tokens[i].keyword;
  const bool keyword = HasRole(word, kColoured);
  if (FollowedByParenthesis(tokens, i) && (!keyword || HasRole(word, kAlsoFunction)) &&
      !AfterTableNameKeyword(tokens, i)) {
    return SqlColour::Function;
  }
  return keyword ? SqlColour::Keyword : SqlColour::Plain;
}

SqlColour TokenColour(const std::vector<JetToken>& tokens, std::size_t i) {
  const JetToken& token = tokens[i];
  switch (token.kind) {
    case JetTokenKind::Word:
      return WordColour(tokens, i);
    case JetTokenKind::Number:
      return SqlColour::Number;
    case JetTokenKind::String:
      return SqlColour::Text;
    case JetTokenKind::Date:
      return SqlColour::Date;
    case JetTokenKind::LineComment:
    case JetTokenKind::BlockComment:
      return SqlColour::Comment;
    default:
      // Jet reads "..." as a text where no name must stand.
      return token.text.front() == '"' ? SqlColour::Text : SqlColour::Plain;
  }
}

}  // namespace

std::vector<ColourSpan> ColourLine(std::string_view utf8Line, OpenForm carried,
                                   OpenForm& leftOpen) {
  const std::string_view opener = Opener(carried);
  std::string text(opener);
  text += utf8Line;
  const std::vector<JetToken> tokens = TokenizeJet(text);
  std::vector<ColourSpan> spans;
  leftOpen = OpenForm::None;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const JetToken& token = tokens[i];
    const SqlColour colour = TokenColour(tokens, i);
    if (colour != SqlColour::Plain) {
      // The opener is not part of the line: the first span starts at the line's start.
      const std::size_t begin = std::max(token.offset, opener.size());
      if (token.End() > begin) {
        spans.push_back({begin - opener.size(), token.End() - begin, colour});
      }
    }
    if (i + 1 == tokens.size()) leftOpen = OpenFormOf(token);
  }
  return spans;
}

std::span<const std::string_view> SqlKeywords() {
  static const std::vector<std::string> spellings = JetKeywordSpellings(kColoured);
  static const std::vector<std::string_view> keywords(spellings.begin(), spellings.end());
  return keywords;
}

}  // namespace tarnwick
