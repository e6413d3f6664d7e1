#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// The text of the standard error box: the failure's message, with "." added when its last
// byte sorts after "." (so after any letter and any Japanese character, whose Shift-JIS
// bytes are all above it), and not after ".", ")" or a blank. A message that already ends its
// sentence with "。" (the catalogue's messages, and their hint line) gets no "." after it.
std::string StandardErrorText(std::string_view sjisMessage);

}  // namespace tarnwick
