#pragma once
#include <stdexcept>
#include <string>

namespace tarnwick {

// A failure with a message for the user, in Shift-JIS. Engine errors, file errors and the
// console's own failures all travel as this exception; what() is the Shift-JIS message.
class TarnwickError : public std::runtime_error {
 public:
  explicit TarnwickError(const std::string& sjisMessage) : std::runtime_error(sjisMessage) {}
};

}  // namespace tarnwick
