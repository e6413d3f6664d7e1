#pragma once
// The words completion offers besides the database's names, gathered in one place: Jet's
// keywords and the function library's functions with their arguments.
#include "console/Completion.h"

namespace tarnwick {

const CompletionVocabulary& JetCompletionVocabulary();

}  // namespace tarnwick
