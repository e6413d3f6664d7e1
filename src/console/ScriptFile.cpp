#include "console/ScriptFile.h"

#include "text/FileAccess.h"
#include "text/TextDecoding.h"

namespace tarnwick {

std::string ScriptTextFromBytes(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  std::string script;
  script.reserve(bytes.size() + bytes.size() / 16 + 2);
  std::size_t lineStart = 0;
  while (lineStart < bytes.size()) {
    const std::size_t lineEnd = bytes.find_first_of("\r\n", lineStart);
    script.append(bytes.substr(lineStart, lineEnd - lineStart)).append("\r\n");
    if (lineEnd == std::string_view::npos) break;
    const bool crLf =
        bytes[lineEnd] == '\r' && lineEnd + 1 < bytes.size() && bytes[lineEnd + 1] == '\n';
    lineStart = lineEnd + (crLf ? 2 : 1);
  }
  return script;
}

std::string ScriptTextFromFileBytes(std::string_view bytes, std::string_view sjisSource) {
  return ScriptTextFromBytes(DecodeText(bytes, sjisSource, TextTarget::ConsoleText));
}

std::string ReadScriptFile(std::string_view sjisPath) {
  return ScriptTextFromFileBytes(ReadWholeFile(sjisPath), sjisPath);
}

}  // namespace tarnwick
