#pragma once
// The engine's UTF-8 text in the console's terms, without converting whole texts: the
// Shift-JIS form of each character comes from a table of code page 932, made once from the
// system's converter when the first character beyond ASCII needs it. The results are those
// of Utf8ToSjis and SjisToUtf8 (Cp932.h) to the byte: a character that code page 932 cannot
// hold, and each invalid UTF-8 sequence, counts as the one-byte '?' it becomes there.
#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick {

struct Utf8Measure {
  // The text's length in Shift-JIS bytes, which is the number of cells it takes in the panes'
  // fixed-pitch font: two for every character that Shift-JIS writes in two bytes.
  std::size_t width = 0;
  // False when some character does not come back as itself from Shift-JIS: one that it cannot
  // hold, an invalid sequence (both come back as '?'), or one of the few characters that code
  // page 932 writes as another ('¥' comes back as '\').
  bool comesBack = true;
};

Utf8Measure MeasureUtf8(std::string_view utf8);

// Appends the text as it comes back from Shift-JIS: SjisToUtf8(Utf8ToSjis(utf8)).
void AppendThroughSjis(std::string_view utf8, std::string& out);

// Appends Utf8ToSjis(utf8).
void AppendUtf8AsSjis(std::string_view utf8, std::string& out);

}  // namespace tarnwick
