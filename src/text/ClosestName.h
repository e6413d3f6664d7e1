#pragma once
// The name a learner most likely meant when a typed name matches none: the candidate fewest
// edits away, counted in characters (a Japanese character is one) without regard to the case
// of ASCII letters.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Insertions, deletions, substitutions and swaps of two neighbouring characters (UTF-8) that
// turn one text into the other; ASCII letters compare without regard to case.
std::size_t EditDistance(std::string_view utf8Left, std::string_view utf8Right);

// The candidate closest to the typed name (UTF-8), when it is close enough to be a slip: one
// edit for names of two to four characters, two up to eight, a quarter of the length beyond;
// none for a name of one character.
// Among candidates at the same distance the first wins. Nothing when none is that close, or
// when the typed name equals a candidate.
std::optional<std::string> ClosestName(std::string_view utf8Typed,
                                       const std::vector<std::string>& candidates);

}  // namespace tarnwick
