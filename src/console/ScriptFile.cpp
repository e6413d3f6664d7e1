#include "console/ScriptFile.h"

#include <algorithm>

#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TextDecoding.h"

namespace tarnwick {

namespace {

bool IsLineEnd(char byte) { return byte == '\r' || byte == '\n'; }

// The text cut at its first NUL, every line followed by CR LF: a CR or an LF on its own becomes
// CR LF, and a last line without a line break gains one. The bytes move within the text, from
// its end, so that the text grows in place where its room allows.
void MakeScriptText(std::string& text) {
  text.resize(std::min(text.find('\0'), text.size()));
  std::size_t added = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++added;
    } else if (text[i] == '\r') {
      ++i;  // CR LF stays as it is
    }
  }
  const bool lastLineOpen = !text.empty() && !IsLineEnd(text.back());
  std::size_t read = text.size();
  std::size_t write = read + added + (lastLineOpen ? 2 : 0);
  if (write == read) return;
  text.resize(write);
  char* bytes = text.data();
  auto putLineBreak = [&] {
    bytes[--write] = '\n';
    bytes[--write] = '\r';
  };
  if (lastLineOpen) putLineBreak();
  while (read > 0 && write > read) {
    const char byte = bytes[--read];
    if (byte == '\n' && read > 0 && bytes[read - 1] == '\r') --read;
    if (IsLineEnd(byte)) {
      putLineBreak();
    } else {
      bytes[--write] = byte;
    }
  }
}

}  // namespace

std::string ScriptTextFromBytes(std::string_view bytes) {
  std::string script;
  script.reserve(bytes.size() + bytes.size() / 16 + 2);
  script = bytes;
  MakeScriptText(script);
  return script;
}

std::string ScriptTextFromFileBytes(std::string bytes, std::string_view sjisSource) {
  DecodeToConsoleTextInPlace(bytes, sjisSource);
  MakeScriptText(bytes);
  return bytes;
}

std::string ReadScriptFile(std::string_view sjisPath) {
  return ScriptTextFromFileBytes(ReadWholeFile(sjisPath, true), sjisPath);
}

std::string ReadNativeScriptFile(const std::string& nativePath) {
  return ScriptTextFromFileBytes(ReadWholeNativeFile(nativePath, true), Utf8ToSjis(nativePath));
}

}  // namespace tarnwick
