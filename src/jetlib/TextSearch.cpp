#include "jetlib/TextSearch.h"

#include "jetlib/LetterCase.h"
#include "jetlib/Utf8Text.h"

namespace tarnwick::jetlib {

bool IgnoresCase(Call& call, int i) {
  if (!call.Has(i)) return true;
  switch (call.OptionalWhole(i, 1)) {
    case 0:
      return false;
    case -1:
    case 1:
    case 2:
      return true;
    default:
      Fail(JetRuntimeError::InvalidArgument);
  }
}

SearchText::SearchText(std::string_view text, bool ignoreCase) {
  if (ignoreCase) {
    folded_ = ToLower(text);
    view_ = folded_;
  } else {
    view_ = text;
  }
}

std::size_t FindForward(std::string_view text, std::string_view part, std::size_t start) {
  const std::size_t from = ByteOffsetOfCharacter(text, start - 1);
  if (from == text.size() && start - 1 > CharacterCount(text)) return 0;
  const std::size_t found = text.find(part, from);
  if (found == std::string_view::npos) return 0;
  return CharacterCount(text.substr(0, found)) + 1;
}

std::size_t FindBackward(std::string_view text, std::string_view part, std::size_t end) {
  const std::size_t endByte = ByteOffsetOfCharacter(text, end);
  if (endByte < part.size()) return 0;
  const std::size_t found = text.rfind(part, endByte - part.size());
  if (found == std::string_view::npos) return 0;
  return CharacterCount(text.substr(0, found)) + 1;
}

}  // namespace tarnwick::jetlib
