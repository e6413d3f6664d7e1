#pragma once
#include <stdexcept>
#include <string>
#include <string_view>

#include "text/messages/Message.h"

namespace tarnwick {

// A failure with a message for the user, in Shift-JIS. Engine errors, file errors and the
// console's own failures all travel as this exception; what() is the Shift-JIS message, and
// a hint, when it has one, is its last line ("ヒント: ...").
class TarnwickError : public std::runtime_error {
 public:
  explicit TarnwickError(const std::string& sjisMessage) : std::runtime_error(sjisMessage) {}
  explicit TarnwickError(const msg::Message& message);

  bool HasHint() const;
  // The same failure with a hint line added (UTF-8 hint); unchanged when it has a hint or the
  // hint is empty.
  TarnwickError WithHint(std::string_view utf8Hint) const;
};

}  // namespace tarnwick
