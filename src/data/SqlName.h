#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// True for a name that a statement can carry as it is: an ASCII letter or '_' first, then
// letters, digits, '_' or double-byte characters (console text), and no SQL keyword.
bool IsPlainName(std::string_view sjisName);

// A name in double quotes, each '"' in it written twice: an identifier, whatever it holds, for
// the engine (UTF-8) and in console text alike.
std::string QuotedName(std::string_view name);

// A table or column name as it goes into a generated statement: a plain name unchanged,
// any other (a blank, a keyword, a punctuation mark) in brackets, or in double quotes when
// it holds a ']'.
std::string SqlName(std::string_view sjisName);

}  // namespace tarnwick
