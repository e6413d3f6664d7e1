#include "runner/StreamingPane.h"

#include "text/Cp932.h"

namespace tarnwick::runner {

StreamingPane::~StreamingPane() { Finish(); }

void StreamingPane::AppendLine(std::string_view sjisText) {
  const AppendPlan plan = PlanAppend(endsInLineBreak_);
  if (plan.breakBefore) Write("\r\n");
  Write(sjisText);
  if (plan.breakAfter) Write("\r\n");
  endsInLineBreak_ =
      plan.breakAfter || (sjisText.empty() ? plan.breakBefore : EndsInLineBreak(sjisText));
}

bool StreamingPane::Finish() {
  if (heldCarriageReturn_) {
    Put("\r");
    heldCarriageReturn_ = false;
  }
  return std::fflush(out_) == 0 && !std::ferror(out_);
}

void StreamingPane::Write(std::string_view sjisBytes) {
  if (sjisBytes.empty()) return;
  if (encoding_ == Encoding::SjisAsIs) {
    Put(sjisBytes);
  } else {
    WriteUtf8Lf(sjisBytes);
  }
}

// ASCII bytes are the same in both encodings and need no conversion. A CR at the end of one
// write is held back until the next write shows whether an LF completes the pair.
void StreamingPane::WriteUtf8Lf(std::string_view sjisBytes) {
  std::string_view utf8 = sjisBytes;
  if (!IsAscii(sjisBytes)) {
    converted_ = SjisToUtf8(sjisBytes);
    utf8 = converted_;
  }
  if (heldCarriageReturn_) {
    heldCarriageReturn_ = false;
    if (utf8.front() != '\n') Put("\r");
  }
  std::size_t start = 0;
  for (std::size_t cr = utf8.find('\r'); cr != std::string_view::npos;
       cr = utf8.find('\r', start)) {
    if (cr + 1 == utf8.size()) {
      Put(utf8.substr(start, cr - start));
      heldCarriageReturn_ = true;
      return;
    }
    const bool pair = utf8[cr + 1] == '\n';
    Put(utf8.substr(start, cr - start + (pair ? 0 : 1)));
    start = cr + 1;
  }
  Put(utf8.substr(start));
}

void StreamingPane::Put(std::string_view bytes) {
  if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), out_);
}

}  // namespace tarnwick::runner
