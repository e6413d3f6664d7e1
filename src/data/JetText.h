#pragma once
// Text as a Jet file stores it, to UTF-8 (how our engine stores text).
#include <string>
#include <string_view>

namespace tarnwick {

// Jet 4 and later store text as UTF-16LE, optionally in "compressed" form: the bytes FF FE,
// then runs of one byte per character (the character's low byte, its high byte being zero)
// and runs of two, each 00 byte switching between them. Jet 3 stores text in the database's
// code page. Characters that cannot be decoded become U+FFFD; nothing is dropped silently.
struct JetTextEncoding {
  bool unicode = true;
  unsigned codePage = 1252;
};

std::string JetTextToUtf8(std::string_view stored, const JetTextEncoding& encoding);

}  // namespace tarnwick
