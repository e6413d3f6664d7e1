#include "jetlib/LikePattern.h"

#include "jetlib/LetterCase.h"
#include "jetlib/Utf8Text.h"

namespace tarnwick::jetlib {

namespace {

struct Token {
  enum Kind : unsigned char { AnyRun, One, Set, Character, Nothing } kind;
  std::size_t end;        // where the next token starts
  std::string_view body;  // Set: between the brackets, after a '!'
  bool negated = false;
  char32_t character = 0;
};

Token TokenAt(std::string_view pattern, std::size_t at) {
  const char c = pattern[at];
  if (c == '%') return {Token::AnyRun, at + 1, {}};
  if (c == '_') return {Token::One, at + 1, {}};
  if (c == '[') {
    const std::size_t close = pattern.find(']', at + 1);
    if (close != std::string_view::npos) {
      std::string_view body = pattern.substr(at + 1, close - at - 1);
      if (body.empty()) return {Token::Nothing, close + 1, {}};  // "[]" stands for nothing
      const bool negated = body.front() == '!' && body.size() > 1;
      if (negated) body.remove_prefix(1);
      return {Token::Set, close + 1, body, negated};
    }
  }
  std::size_t next = at;
  const char32_t character = LowerOf(NextCodePoint(pattern, next));
  return {Token::Character, next, {}, false, character};
}

bool InSet(const Token& token, char32_t character) {
  bool found = false;
  for (std::size_t at = 0; at < token.body.size() && !found;) {
    const char32_t low = LowerOf(NextCodePoint(token.body, at));
    if (at + 1 < token.body.size() && token.body[at] == '-') {
      std::size_t after = at + 1;
      const char32_t high = LowerOf(NextCodePoint(token.body, after));
      found = character >= low && character <= high;
      at = after;
    } else {
      found = character == low;
    }
  }
  return found != token.negated;
}

}  // namespace

bool MatchesLike(std::string_view text, std::string_view pattern) {
  std::size_t p = 0;
  std::size_t t = 0;
  std::size_t retryPattern = std::string_view::npos;  // just after the last '%'
  std::size_t retryText = 0;
  while (t < text.size() || p < pattern.size()) {
    if (p < pattern.size()) {
      const Token token = TokenAt(pattern, p);
      if (token.kind == Token::AnyRun) {
        retryPattern = p = token.end;
        retryText = t;
        continue;
      }
      if (token.kind == Token::Nothing) {
        p = token.end;
        continue;
      }
      if (t < text.size()) {
        std::size_t next = t;
        const char32_t character = LowerOf(NextCodePoint(text, next));
        const bool matches = token.kind == Token::One ||
                             (token.kind == Token::Set && InSet(token, character)) ||
                             (token.kind == Token::Character && token.character == character);
        if (matches) {
          p = token.end;
          t = next;
          continue;
        }
      }
    }
    // A mismatch: let the last '%' take one more character, if there is one.
    if (retryPattern == std::string_view::npos || retryText >= text.size()) return false;
    NextCodePoint(text, retryText);
    p = retryPattern;
    t = retryText;
  }
  return true;
}

}  // namespace tarnwick::jetlib
