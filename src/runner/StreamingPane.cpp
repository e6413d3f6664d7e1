#include "runner/StreamingPane.h"

#include "text/Cp932.h"
#include "text/Cp932Table.h"

namespace tarnwick::runner {

StreamingPane::~StreamingPane() { Finish(); }

void StreamingPane::AppendLine(std::string_view sjisText) { Append(sjisText, TextIs::Sjis); }

void StreamingPane::AppendUtf8Line(std::string_view utf8Text) { Append(utf8Text, TextIs::Utf8); }

void StreamingPane::Append(std::string_view text, TextIs textIs) {
  const AppendPlan plan = PlanAppend(endsInLineBreak_);
  if (plan.breakBefore) Write("\r\n", textIs);
  Write(text, textIs);
  if (plan.breakAfter) Write("\r\n", textIs);
  endsInLineBreak_ = plan.breakAfter || (text.empty() ? plan.breakBefore : EndsInLineBreak(text));
}

bool StreamingPane::Finish() {
  if (heldCarriageReturn_) {
    Put("\r");
    heldCarriageReturn_ = false;
  }
  return std::fflush(out_) == 0 && !std::ferror(out_);
}

// Only what the stream does not take as it comes is converted; ASCII bytes are the same in
// all encodings.
void StreamingPane::Write(std::string_view text, TextIs textIs) {
  if (text.empty()) return;
  if (encoding_ == Encoding::SjisAsIs) {
    if (textIs == TextIs::Sjis) {
      Put(text);
    } else {
      converted_.clear();
      AppendUtf8AsSjis(text, converted_);
      Put(converted_);
    }
  } else if (textIs == TextIs::Utf8 || IsAscii(text)) {
    WriteLf(text);
  } else {
    converted_ = SjisToUtf8(text);
    WriteLf(converted_);
  }
}

// Every CR LF becomes LF, gathered into one write. A CR at the end of one write is held back
// until the next write shows whether an LF completes the pair.
void StreamingPane::WriteLf(std::string_view utf8) {
  std::size_t cr = utf8.find('\r');
  if (!heldCarriageReturn_ && cr == std::string_view::npos) {
    Put(utf8);
    return;
  }
  lineFeeds_.clear();
  if (heldCarriageReturn_) {
    heldCarriageReturn_ = false;
    if (utf8.front() != '\n') lineFeeds_ += '\r';
  }
  std::size_t start = 0;
  for (; cr != std::string_view::npos; cr = utf8.find('\r', start)) {
    if (cr + 1 == utf8.size()) {
      lineFeeds_.append(utf8.substr(start, cr - start));
      heldCarriageReturn_ = true;
      start = utf8.size();
      break;
    }
    const bool pair = utf8[cr + 1] == '\n';
    lineFeeds_.append(utf8.substr(start, cr - start + (pair ? 0 : 1)));
    start = cr + 1;
  }
  lineFeeds_.append(utf8.substr(start));
  Put(lineFeeds_);
}

void StreamingPane::Put(std::string_view bytes) {
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), out_);
}

}  // namespace tarnwick::runner
