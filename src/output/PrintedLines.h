#pragma once
// The result log cut into what printing works on: lines, and characters within a line.
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// The log's lines as an unwrapped pane shows them: the text is cut at each CR LF (and at a
// CR or LF on its own, which the pane also shows as a line break). The empty piece after a
// final line break is not a line, so an empty log has no lines and "\r\n" has one empty line.
// Every line is taken whole, however long.
std::vector<std::string> LogLines(std::string_view sjisLog);

// A line's characters for printing: a byte from 0x80 to 0x9F or from 0xE0 to 0xFC starts a
// two-byte character together with the byte after it; every other byte is a character of its
// own, and so is a lead byte that ends the line. The pieces are views into the line.
std::vector<std::string_view> PrintCharacters(std::string_view sjisLine);

}  // namespace tarnwick
