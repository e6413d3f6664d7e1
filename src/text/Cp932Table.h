#pragma once
// Code page 932 from a table, without converting whole texts through the system's converter:
// the Shift-JIS form of each character of the Basic Multilingual Plane (code page 932 holds
// none beyond it), made once from the system's converter when the first character beyond
// ASCII needs it. The results are those of the converter (Cp932.h) to the byte: a character
// that code page 932 cannot hold, and each invalid UTF-8 sequence, counts as the one-byte '?'
// it becomes there.
#include <cstddef>
#include <optional>
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

// Converts text[from..] to Shift-JIS within the text's own bytes, from its beginning: UTF-8
// (well formed), or UTF-16 code units of the given byte order (no NUL, no surrogates, an even
// number of bytes), none of which Shift-JIS writes in more bytes. Nothing when every
// character converted, and the text is then its Shift-JIS; otherwise, at the first character
// that code page 932 cannot hold, the number of bytes written before it (the beginning of the
// text holds them, the rest is undefined).
std::optional<std::size_t> Utf8ToSjisInPlace(std::string& text, std::size_t from);
std::optional<std::size_t> Utf16ToSjisInPlace(std::string& text, std::size_t from, bool bigEndian);

}  // namespace tarnwick
