#pragma once
// The lexical forms of Jet SQL over UTF-8 text. Every byte of the input belongs to exactly
// one token and each token keeps its source text, so joining the tokens' texts gives the
// input back byte for byte; rewriters change only the tokens they mean to change.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "jet/JetKeywords.h"

namespace tarnwick {

enum class JetTokenKind {
  Whitespace,    // spaces, tabs, line breaks and other control bytes
  Word,          // keywords and plain names; any byte from 0x80 up counts as a letter
  Number,        // 12, 3.5, .5, 1e-3
  String,        // '...' with '' standing for one apostrophe
  DoubleQuoted,  // "..." with "" standing for one quote: text in Jet, a name where one must stand
  BracketName,   // [...]
  Date,          // #...#
  Blob,          // x'0A1B': the engine's literal of bytes
  LineComment,   // -- up to the end of the line (the line break is not part of it)
  BlockComment,  // /* ... */
  Punct,         // one punctuation character, or one of the operators <> <= >= != == ||
};

struct JetToken {
  JetTokenKind kind;
  std::size_t offset;     // where the token starts in the source text
  std::string_view text;  // the token's exact source text
  // False for a literal, name, date or block comment that runs to the end of the text
  // without its closing character.
  bool terminated = true;
  JetKeyword keyword = JetKeyword::None;  // the keyword a word is

  std::size_t End() const { return offset + text.size(); }
};

// Cuts text into tokens, one at a time. Never fails: whatever cannot be anything else is a
// one-byte punctuation token, and an unclosed form runs to the end of the text.
class JetLexer {
 public:
  explicit JetLexer(std::string_view text) : text_(text) {}
  bool AtEnd() const { return pos_ >= text_.size(); }
  JetToken Next();
  // Passes any blanks at the current place without making a token of them.
  void SkipBlanks();

 private:
  JetToken Make(JetTokenKind kind, std::size_t start, bool terminated = true);
  JetToken Enclosed(JetTokenKind kind, char close, bool doubledCloseEscapes);
  JetToken BlockComment();
  JetToken Number();
  JetToken Word();
  template <bool (*predicate)(unsigned char)>
  void SkipWhile();

  std::string_view text_;
  std::size_t pos_ = 0;
};

// All tokens of text, in order.
std::vector<JetToken> TokenizeJet(std::string_view text);

// Whitespace and comments: tokens that carry no meaning for the statement.
inline bool IsTrivia(const JetToken& token) {
  return token.kind == JetTokenKind::Whitespace || token.kind == JetTokenKind::LineComment ||
         token.kind == JetTokenKind::BlockComment;
}

// True when token is the keyword.
inline bool IsKeyword(const JetToken& token, JetKeyword keyword) {
  return token.keyword == keyword && keyword != JetKeyword::None;
}

// True when token is the punctuation or operator text punct. (The parser asks this of
// every token many times over: punctuation is at most two bytes, compared without memcmp.)
inline bool IsPunct(const JetToken& token, std::string_view punct) {
  if (token.kind != JetTokenKind::Punct || token.text.size() != punct.size()) return false;
  if (punct.size() > 2) return token.text == punct;
  return token.text[0] == punct[0] && (punct.size() == 1 || token.text[1] == punct[1]);
}

// What a token stands for: a word as written; a [name] or a '...' or "..." text without its
// delimiters (a doubled quote inside a quoted text is one quote).
std::string JetNameValue(const JetToken& token);

// True for tokens that can name a table or column: words, [names] and "names".
inline bool IsNameToken(const JetToken& token) {
  return token.kind == JetTokenKind::Word || token.kind == JetTokenKind::BracketName ||
         token.kind == JetTokenKind::DoubleQuoted;
}

// True for the two text literal forms, '...' and "...".
inline bool IsTextToken(const JetToken& token) {
  return token.kind == JetTokenKind::String || token.kind == JetTokenKind::DoubleQuoted;
}

// Compares two names as the engine does: ASCII letters without regard to case, all other
// bytes exactly.
bool SameJetName(std::string_view a, std::string_view b);

}  // namespace tarnwick
