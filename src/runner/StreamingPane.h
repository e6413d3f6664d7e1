#pragma once
// A result pane that writes each appended line to a stream at once instead of keeping it.
#include <cstdio>
#include <string>
#include <string_view>

#include "text/ResultPane.h"

namespace tarnwick::runner {

class StreamingPane : public ResultPane {
 public:
  enum class Encoding {
    Utf8Lf,    // UTF-8, every CR LF turned into LF (a lone CR stays)
    SjisAsIs,  // the pane's own bytes: Shift-JIS with CR LF
  };
  StreamingPane(std::FILE* out, Encoding encoding) : out_(out), encoding_(encoding) {}
  ~StreamingPane() override;

  void AppendLine(std::string_view sjisText) override;
  void AppendUtf8Line(std::string_view utf8Text) override;
  // Writes what is still held back (a CR that may begin a CR LF pair) and flushes the stream;
  // false when anything could not be written.
  bool Finish();

 private:
  enum class TextIs { Sjis, Utf8 };
  void Append(std::string_view text, TextIs textIs);
  void Write(std::string_view text, TextIs textIs);
  void WriteLf(std::string_view utf8);
  void Put(std::string_view bytes);

  std::FILE* out_;
  Encoding encoding_;
  bool endsInLineBreak_ = true;  // an empty pane counts as ending in a line break
  bool heldCarriageReturn_ = false;
  std::string converted_;  // reused buffer for the conversion of one text
  std::string lineFeeds_;  // reused buffer for one text with LF line breaks
};

}  // namespace tarnwick::runner
