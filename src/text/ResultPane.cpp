#include "text/ResultPane.h"

#include <string>

#include "text/Cp932Table.h"

namespace tarnwick {

void ResultPane::AppendUtf8Line(std::string_view utf8Text) {
  std::string sjis;
  AppendUtf8AsSjis(utf8Text, sjis);
  AppendLine(sjis);
}

void StringPane::AppendLine(std::string_view sjisText) {
  const AppendPlan plan = PlanAppend(text_.empty() || EndsInLineBreak(text_));
  if (plan.breakBefore) text_ += "\r\n";
  text_ += sjisText;
  if (plan.breakAfter) text_ += "\r\n";
}

}  // namespace tarnwick
