#include "runner/RunnerScripts.h"

#include <unistd.h>

#include <cerrno>

#include "console/ScriptFile.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"
#include "text/TextDecoding.h"
#include "text/messages/ProgramMessages.h"

namespace tarnwick::runner {

std::string ScriptTextFromCommandText(std::string_view bytes) {
  const std::string sjis = DecodeText(bytes, "-c", TextTarget::ConsoleText);
  std::string script;
  script.reserve(sjis.size() + sjis.size() / 16);
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    if (sjis[i] == '\n' && (i == 0 || sjis[i - 1] != '\r')) script += '\r';
    script += sjis[i];
  }
  return script;
}

std::string ReadStandardInput() {
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count > 0) {
      bytes.append(buffer, static_cast<std::size_t>(count));
    } else if (count == 0) {
      return bytes;
    } else if (errno != EINTR) {
      throw TarnwickError(FileOpenMessage(Sjis(msg::StandardInputName()), errno));
    }
  }
}

bool FitsConsoleText(std::string_view utf8) { return SjisToUtf8(Utf8ToSjis(utf8)) == utf8; }

std::string ConsolePath(std::string_view utf8Path) {
  if (!FitsConsoleText(utf8Path)) {
    throw TarnwickError(msg::PathNotShiftJis(utf8Path));
  }
  return Utf8ToSjis(utf8Path);
}

std::string ScriptTextOf(const RunnerInput& input) {
  switch (input.kind) {
    case RunnerInput::Kind::CommandText:
      return ScriptTextFromCommandText(input.utf8);
    case RunnerInput::Kind::ScriptFile:
      return ReadScriptFile(ConsolePath(input.utf8));
    case RunnerInput::Kind::StandardInput:
      return ScriptTextFromFileBytes(ReadStandardInput(), Sjis(msg::StandardInputName()));
    case RunnerInput::Kind::ImportDatabase:
      break;  // a database to import, not a script
  }
  return {};
}

}  // namespace tarnwick::runner
