#pragma once
// Conversion between the console's text (Shift-JIS, code page 932) and the encodings
// at its edges: UTF-8 for the engine, the terminal and file names; UTF-16 for descriptors.
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// UTF-8 to Shift-JIS. A character that code page 932 cannot hold becomes '?', so the
// text stays whole and visibly marked. Invalid UTF-8 bytes become '?' as well.
std::string Utf8ToSjis(std::string_view utf8);

// Shift-JIS to UTF-8. A byte sequence that is not valid code page 932 becomes U+FFFD.
std::string SjisToUtf8(std::string_view sjis);

// Shift-JIS to UTF-16 code units and back (replacements as above).
std::u16string SjisToUtf16(std::string_view sjis);
std::string Utf16ToSjis(std::u16string_view utf16);

// UTF-16 code units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

// The same conversions without replacements: nothing when any character of the text cannot
// be converted (a character that code page 932 lacks, or a byte sequence that is not valid in
// the source encoding).
std::optional<std::string> Utf8ToSjisExactly(std::string_view utf8);
std::optional<std::string> SjisToUtf8Exactly(std::string_view sjis);

// Where the first byte sequence that is not valid code page 932 begins (as SjisToUtf8Exactly
// sees it); nothing for a valid text.
std::optional<std::size_t> FirstInvalidSjis(std::string_view sjis);

// True for well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);

// Text in a Windows code page (1252, 932, ...) to UTF-8; a byte the code page does not define
// becomes U+FFFD. Nothing when the system cannot convert from that code page.
std::optional<std::string> CodePageToUtf8(std::string_view bytes, unsigned codePage);

// A UTF-8 literal of the program's own texts, in Shift-JIS: Sjis("テーブル名の一覧").
inline std::string Sjis(std::string_view utf8) { return Utf8ToSjis(utf8); }

// The bytes the operating system expects for a path held as console text.
inline std::string NativePath(std::string_view sjisPath) { return SjisToUtf8(sjisPath); }

// True for a byte that begins a double-byte character of code page 932 (the byte after it may
// have the value of an ASCII letter or digit).
inline bool IsSjisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

inline bool IsUtf8Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The number of bytes of the UTF-8 character that starts text (not empty): a whole sequence
// when it is well formed, otherwise the lead byte and the continuation bytes that belong to
// it. A conversion to Shift-JIS replaces that many bytes by one '?' when it cannot convert them.
std::size_t Utf8CharacterLength(std::string_view text);

// Appends one code point (below 0x110000) in UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// True when every byte is below 0x80 (the same bytes in all three encodings).
bool IsAscii(std::string_view text);

}  // namespace tarnwick
