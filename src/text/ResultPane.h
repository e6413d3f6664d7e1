#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// The result pane as the console sees it: the one "append a line" operation, on text in
// Shift-JIS with CR LF line breaks. When the pane is empty or ends in a line break, the
// text goes in followed by CR LF; otherwise CR LF goes first and the text after it, with no
// line break after. Appending costs time in proportion to the new text only.
class ResultPane {
 public:
  virtual ~ResultPane() = default;
  virtual void AppendLine(std::string_view sjisText) = 0;
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
