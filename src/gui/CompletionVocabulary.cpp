#include "gui/CompletionVocabulary.h"

#include "console/FunctionSignatures.h"
#include "gui/SqlColouring.h"

namespace tarnwick {

const CompletionVocabulary& JetCompletionVocabulary() {
  // The keywords are the colours' until the front end keeps its own table of them.
  static const CompletionVocabulary vocabulary{SqlKeywords(), JetFunctionSignatures()};
  return vocabulary;
}

}  // namespace tarnwick
