#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// The result pane as the console sees it: the one "append a line" operation, on text with
// CR LF line breaks. When the pane is empty or ends in a line break, the text goes in followed
// by CR LF; otherwise CR LF goes first and the text after it, with no line break after.
// Appending costs time in proportion to the new text only.
//
// The text comes in one of two encodings, and a pane converts only what it does not write as
// it comes: the console's own texts (echoes, messages) are Shift-JIS; the grid's lines are
// UTF-8 made of the engine's text as it comes back from Shift-JIS, so that every character
// has the same Shift-JIS bytes as before and the pane shows the same text in either form.
class ResultPane {
 public:
  virtual ~ResultPane() = default;
  virtual void AppendLine(std::string_view sjisText) = 0;
  // By default the text goes in as its Shift-JIS bytes.
  virtual void AppendUtf8Line(std::string_view utf8Text);
};

// Where the text goes relative to the line breaks, for a pane in the given state.
struct AppendPlan {
  bool breakBefore;
  bool breakAfter;
};
inline AppendPlan PlanAppend(bool paneEmptyOrEndsInLineBreak) {
  return paneEmptyOrEndsInLineBreak ? AppendPlan{false, true} : AppendPlan{true, false};
}
inline bool EndsInLineBreak(std::string_view text) { return !text.empty() && text.back() == '\n'; }

// A pane held in a string: for tests, and wherever the whole transcript is wanted.
class StringPane : public ResultPane {
 public:
  void AppendLine(std::string_view sjisText) override;
  const std::string& Text() const { return text_; }
  void Clear() { text_.clear(); }

 private:
  std::string text_;
};

}  // namespace tarnwick
