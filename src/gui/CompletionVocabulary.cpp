#include "gui/CompletionVocabulary.h"

#include "console/FunctionSignatures.h"
#include "gui/SqlColouring.h"

namespace tarnwick {

const CompletionVocabulary& JetCompletionVocabulary() {
  // The keywords the SQL pane colours, from the front end's table of keywords.
  static const CompletionVocabulary vocabulary{SqlKeywords(), JetFunctionSignatures()};
  return vocabulary;
}

}  // namespace tarnwick
