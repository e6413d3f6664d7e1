#include "text/TarnwickError.h"

#include "text/Cp932.h"

namespace tarnwick {

namespace {

const std::string& HintLineStart() {
  static const std::string start = "\r\n" + Utf8ToSjis(msg::kHintLead);
  return start;
}

}  // namespace

TarnwickError::TarnwickError(const msg::Message& message) : std::runtime_error(message.Sjis()) {}

bool TarnwickError::HasHint() const {
  return std::string_view(what()).find(HintLineStart()) != std::string_view::npos;
}

TarnwickError TarnwickError::WithHint(std::string_view utf8Hint) const {
  if (utf8Hint.empty() || HasHint()) return *this;
  return TarnwickError(what() + HintLineStart() + Utf8ToSjis(utf8Hint));
}

}  // namespace tarnwick
