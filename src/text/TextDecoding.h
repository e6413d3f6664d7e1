#pragma once
// The text of a file that a person wrote (a script, standard input, a -c text, the settings
// file), whatever encoding the editor saved it in.
#include <string>
#include <string_view>

namespace tarnwick {

enum class TextTarget {
  ConsoleText,  // Shift-JIS, the console's own text
  Utf8,         // the system's text
};

// Decodes the bytes of a text: a UTF-8 byte-order mark means UTF-8; a UTF-16 mark (FF FE or
// FE FF) means UTF-16 of that byte order; otherwise text that is well-formed UTF-8 and holds
// a byte above 0x7F is UTF-8, and anything else Shift-JIS. The mark is dropped; the line
// breaks stay as they are. Throws TarnwickError, naming the source (console text: a file's
// path, or a name such as "-c") and the line (counted from 1), when the text holds a NUL
// character or a character that cannot be converted into the target: nothing of such a text
// is used.
std::string DecodeText(std::string_view bytes, std::string_view sjisSource, TextTarget target);

// The same for console text, within the text's own bytes: no copy of a large script is made.
// On a refusal the text's bytes are undefined.
void DecodeToConsoleTextInPlace(std::string& text, std::string_view sjisSource);

}  // namespace tarnwick
