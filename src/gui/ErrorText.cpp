#include "gui/ErrorText.h"

namespace tarnwick {

std::string StandardErrorText(std::string_view sjisMessage) {
  std::string text(sjisMessage);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

}  // namespace tarnwick
