#pragma once
// The result pane's lines as the pane displays them, which is what printing prints.
#include <string>
#include <vector>

class QPlainTextEdit;

namespace tarnwick {

// The pane's lines in Shift-JIS. An unwrapped pane shows each line of its text as one line;
// a wrapping pane shows each line in the pieces it is broken into at the pane's width, and
// each piece is a line of its own. The empty line after a final line break is not a line.
std::vector<std::string> DisplayedLines(const QPlainTextEdit& pane);

}  // namespace tarnwick
