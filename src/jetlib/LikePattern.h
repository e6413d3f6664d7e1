#pragma once
// Jet's Like in the standard-wildcard mode: '%' any run of characters, '_' one character,
// "[abc]", "[a-z]" and "[!abc]" one of (or none of) a set; letter case is ignored.
#include <string_view>

namespace tarnwick::jetlib {

bool MatchesLike(std::string_view text, std::string_view pattern);

}  // namespace tarnwick::jetlib
