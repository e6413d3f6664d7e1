#pragma once
// Finding and comparing text as InStr, InStrRev, Replace and StrComp do: binary (exact) or
// textual (without regard to letter case, Jet's default in queries).
#include <cstddef>
#include <string>
#include <string_view>

#include "jetlib/JetCall.h"

namespace tarnwick::jetlib {

// The compare argument at position i, when given: 0 binary; 1, 2 (database) or -1 textual.
bool IgnoresCase(Call& call, int i);

// Both texts in the form that is searched: lower case when the comparison ignores case.
class SearchText {
 public:
  SearchText(std::string_view text, bool ignoreCase);
  std::string_view View() const { return view_; }

 private:
  std::string folded_;
  std::string_view view_;
};

// Character positions (1-based) of the first match at or after `start`, or of the last match
// ending at or before `end`; 0 when there is none.
std::size_t FindForward(std::string_view text, std::string_view part, std::size_t start);
std::size_t FindBackward(std::string_view text, std::string_view part, std::size_t end);

}  // namespace tarnwick::jetlib
