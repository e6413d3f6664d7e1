#include "text/ResultPane.h"

namespace tarnwick {

void StringPane::AppendLine(std::string_view sjisText) {
  const AppendPlan plan = PlanAppend(text_.empty() || EndsInLineBreak(text_));
  if (plan.breakBefore) text_ += "\r\n";
  text_ += sjisText;
  if (plan.breakAfter) text_ += "\r\n";
}

}  // namespace tarnwick
