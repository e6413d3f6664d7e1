#include "jet/JetLexer.h"

#include <array>

#include "text/AsciiCase.h"

namespace tarnwick {

namespace {

// The classes of a byte, one table look-up for the lexer's every byte.
enum ByteClass : unsigned char { kSpace = 1, kDigit = 2, kWordStart = 4 };

constexpr std::array<unsigned char, 256> kByteClasses = [] {
  std::array<unsigned char, 256> classes{};
  for (int c = 0; c < 256; ++c) {
    if (c <= ' ' || c == 0x7F) classes[c] |= kSpace;
    if (c >= '0' && c <= '9') classes[c] |= kDigit;
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80) {
      classes[c] |= kWordStart;
    }
  }
  return classes;
}();

bool IsSpace(unsigned char c) { return (kByteClasses[c] & kSpace) != 0; }
bool IsDigit(unsigned char c) { return (kByteClasses[c] & kDigit) != 0; }
bool IsWordStart(unsigned char c) { return (kByteClasses[c] & kWordStart) != 0; }
bool IsWordChar(unsigned char c) { return (kByteClasses[c] & (kWordStart | kDigit)) != 0; }

bool IsTwoCharOperator(char first, char second) {
  return (first == '<' && (second == '>' || second == '=')) ||
         ((first == '>' || first == '!' || first == '=') && second == '=') ||
         (first == '|' && second == '|');
}

// The text between a token's delimiters, with a doubled closing delimiter read as one.
std::string Undelimited(std::string_view text, bool terminated, char close, bool doubled) {
  std::string_view inner = text.substr(1, text.size() - (terminated ? 2 : 1));
  if (!doubled || inner.find(close) == std::string_view::npos) return std::string(inner);
  std::string value;
  for (std::size_t i = 0; i < inner.size(); ++i) {
    value.push_back(inner[i]);
    if (doubled && inner[i] == close && i + 1 < inner.size() && inner[i + 1] == close) ++i;
  }
  return value;
}

}  // namespace

JetToken JetLexer::Make(JetTokenKind kind, std::size_t start, bool terminated) {
  return JetToken{kind, start, text_.substr(start, pos_ - start), terminated};
}

template <bool (*predicate)(unsigned char)>
void JetLexer::SkipWhile() {
  while (pos_ < text_.size() && predicate(static_cast<unsigned char>(text_[pos_]))) ++pos_;
}

// A form from its opening character to close; with doubledCloseEscapes a doubled close
// character stands inside the form. Unclosed, it takes the rest of the text.
JetToken JetLexer::Enclosed(JetTokenKind kind, char close, bool doubledCloseEscapes) {
  const std::size_t start = pos_++;
  while (pos_ < text_.size()) {
    if (text_[pos_++] != close) continue;
    if (doubledCloseEscapes && pos_ < text_.size() && text_[pos_] == close) {
      ++pos_;
      continue;
    }
    return Make(kind, start);
  }
  return Make(kind, start, false);
}

JetToken JetLexer::BlockComment() {
  const std::size_t start = pos_;
  const std::size_t close = text_.find("*/", pos_ + 2);
  pos_ = close == std::string_view::npos ? text_.size() : close + 2;
  return Make(JetTokenKind::BlockComment, start, close != std::string_view::npos);
}

JetToken JetLexer::Number() {
  const std::size_t start = pos_;
  SkipWhile<IsDigit>();
  if (pos_ < text_.size() && text_[pos_] == '.') {
    ++pos_;
    SkipWhile<IsDigit>();
  }
  // An exponent only when digits follow it: "1e" is a number and a word.
  if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
    std::size_t digits = pos_ + 1;
    if (digits < text_.size() && (text_[digits] == '+' || text_[digits] == '-')) ++digits;
    if (digits < text_.size() && IsDigit(static_cast<unsigned char>(text_[digits]))) {
      pos_ = digits;
      SkipWhile<IsDigit>();
    }
  }
  return Make(JetTokenKind::Number, start);
}

// A word; x or X directly before an apostrophe begins the engine's literal of bytes.
JetToken JetLexer::Word() {
  const std::size_t start = pos_;
  SkipWhile<IsWordChar>();
  if (pos_ == start + 1 && (text_[start] | 0x20) == 'x' && pos_ < text_.size() &&
      text_[pos_] == '\'') {
    const JetToken literal = Enclosed(JetTokenKind::Blob, '\'', false);
    return Make(JetTokenKind::Blob, start, literal.terminated);
  }
  JetToken word = Make(JetTokenKind::Word, start);
  word.keyword = FindJetKeyword(word.text);
  return word;
}

void JetLexer::SkipBlanks() { SkipWhile<IsSpace>(); }

JetToken JetLexer::Next() {
  const std::size_t start = pos_;
  const unsigned char c = static_cast<unsigned char>(text_[pos_]);
  const char next = pos_ + 1 < text_.size() ? text_[pos_ + 1] : '\0';
  if (IsSpace(c)) {
    SkipWhile<IsSpace>();
    return Make(JetTokenKind::Whitespace, start);
  }
  if (IsWordStart(c)) return Word();
  if (IsDigit(c) || (c == '.' && IsDigit(static_cast<unsigned char>(next)))) return Number();
  switch (c) {
    case '\'':
      return Enclosed(JetTokenKind::String, '\'', true);
    case '"':
      return Enclosed(JetTokenKind::DoubleQuoted, '"', true);
    case '[':
      return Enclosed(JetTokenKind::BracketName, ']', false);
    case '#':
      return Enclosed(JetTokenKind::Date, '#', false);
    default:
      break;
  }
  if (c == '-' && next == '-') {
    while (pos_ < text_.size() && text_[pos_] != '\r' && text_[pos_] != '\n') ++pos_;
    return Make(JetTokenKind::LineComment, start);
  }
  if (c == '/' && next == '*') return BlockComment();
  pos_ += IsTwoCharOperator(static_cast<char>(c), next) ? 2 : 1;
  return Make(JetTokenKind::Punct, start);
}

std::vector<JetToken> TokenizeJet(std::string_view text) {
  std::vector<JetToken> tokens;
  JetLexer lexer(text);
  while (!lexer.AtEnd()) tokens.push_back(lexer.Next());
  return tokens;
}

std::string JetNameValue(const JetToken& token) {
  switch (token.kind) {
    case JetTokenKind::BracketName:
      return Undelimited(token.text, token.terminated, ']', false);
    case JetTokenKind::DoubleQuoted:
      return Undelimited(token.text, token.terminated, '"', true);
    case JetTokenKind::String:
      return Undelimited(token.text, token.terminated, '\'', true);
    default:
      return std::string(token.text);
  }
}

bool SameJetName(std::string_view a, std::string_view b) {
  return EqualsIgnoringAsciiCaseUtf8(a, b);
}

}  // namespace tarnwick
