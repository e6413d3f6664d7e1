#pragma once
// The message for a statement the parser cannot read, given where it stopped: Jet's message
// for the clause it was in, with the word where it stops making sense, and a hint for the
// mistakes behind most of them (a missing comma or FROM, a reserved word used as a name, a
// misspelt keyword, a comma too many, an unclosed parenthesis, quote or date).
#include <span>

#include "jet/JetLexer.h"
#include "jet/JetSyntaxPlace.h"
#include "text/messages/Diagnostic.h"

namespace tarnwick {

// `tokens`: the statement's tokens without whitespace and comments; `position`: the token
// where it stops making sense (tokens.size() when the statement ends too soon); `place`: the
// parser's place there.
msg::Diagnostic JetSyntaxErrorAt(std::span<const JetToken> tokens, std::size_t position,
                                 const JetSyntaxPlace& place);

}  // namespace tarnwick
