#pragma once
// A statement the front end refuses: the message as data (which message, the learner's words
// it quotes, which hint; text/messages/Diagnostic.h) and where in the statement's text (UTF-8
// bytes) the token at fault begins. The wording is the catalogue's: what() is the message as
// the learner reads it, in the console's Shift-JIS.
#include <cstddef>

#include "text/TarnwickError.h"
#include "text/messages/Diagnostic.h"

namespace tarnwick {

class JetError : public TarnwickError {
 public:
  JetError(msg::Diagnostic diagnostic, std::size_t offset);
  const msg::Diagnostic& Diagnostic() const { return diagnostic_; }
  std::size_t Offset() const { return offset_; }

 private:
  msg::Diagnostic diagnostic_;
  std::size_t offset_;
};

// Shorthands for the diagnostics the front end raises.
inline msg::Diagnostic Refusal(msg::MessageId id, std::vector<std::string> words = {}) {
  return msg::Diagnostic{id, std::move(words)};
}
inline msg::Hint HintOf(msg::HintId id, std::vector<std::string> words = {},
                        std::vector<std::string> names = {}) {
  return msg::Hint{id, std::move(words), std::move(names)};
}

}  // namespace tarnwick
