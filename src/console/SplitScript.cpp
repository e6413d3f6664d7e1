#include "console/SplitScript.h"

#include "text/AsciiCase.h"
#include "text/TextBytes.h"

namespace tarnwick {
namespace {

constexpr int kPositionsPerEventPump = 1000;

// Lets pending events through after every 1000 examined positions of one scan.
class EventPump {
 public:
  explicit EventPump(const std::function<void()>& processEvents) : processEvents_(processEvents) {}
  void CountPosition() {
    if (++count_ < kPositionsPerEventPump) return;
    if (processEvents_) processEvents_();
    count_ = 0;
  }

 private:
  const std::function<void()>& processEvents_;
  int count_ = 0;
};

// Jet's "PARAMETERS a LONG, ...; statement" is one statement: its first ';' does not end it.
bool OpensWithParameters(std::string_view text) {
  constexpr std::string_view kWord = "PARAMETERS";
  std::size_t begin = 0;
  while (begin < text.size() && IsBlankByte(text[begin])) ++begin;
  return text.size() > begin + kWord.size() &&
         EqualsIgnoringAsciiCase(text.substr(begin, kWord.size()), kWord) &&
         (IsBlankByte(text[begin + kWord.size()]) || text[begin + kWord.size()] == '[');
}

}  // namespace

void SplitScript(std::string_view script, const std::function<void()>& processEvents,
                 const std::function<bool(std::string_view)>& onStatement) {
  script = script.substr(0, script.find('\0'));
  const std::size_t end = script.size();
  auto nextIs = [&](std::size_t position, char byte) {
    return position + 1 < end && script[position + 1] == byte;
  };

  EventPump pump(processEvents);
  std::size_t statementStart = 0;
  char openQuote = 0;           // the quote byte of the literal the scan is in, or 0
  bool parametersRead = false;  // the ';' after a PARAMETERS declaration has been passed
  for (std::size_t position = 0; position < end; ++position) {
    pump.CountPosition();
    const char byte = script[position];
    if (openQuote != 0) {
      if (byte != openQuote) continue;
      if (nextIs(position, openQuote)) {
        ++position;  // a doubled quote stays inside the literal
      } else {
        openQuote = 0;
      }
    } else if (byte == '-' && nextIs(position, '-')) {
      // A line comment: the scan goes on at the LF of the next CR LF.
      const std::size_t lineBreak = script.find("\r\n", position);
      if (lineBreak == std::string_view::npos) break;
      position = lineBreak;
    } else if (byte == '/' && nextIs(position, '*')) {
      // A block comment: the scan goes on at the '/' of the next "*/".
      const std::size_t closing = script.find("*/", position);
      if (closing == std::string_view::npos) break;
      position = closing;
    } else if (IsQuoteByte(byte)) {
      openQuote = byte;
    } else if (byte == ';') {
      if (!parametersRead &&
          OpensWithParameters(script.substr(statementStart, position - statementStart))) {
        parametersRead = true;
        continue;
      }
      parametersRead = false;
      const std::size_t start = statementStart;
      statementStart = position + 1;
      if (!onStatement(script.substr(start, statementStart - start))) return;
    }
  }
  // The text after the last ';' (a comment that ran to the end included) is one more statement.
  if (statementStart < end) onStatement(script.substr(statementStart));
}

}  // namespace tarnwick
