#pragma once
// The message for a statement the parser cannot read: Jet's message for the clause in which
// it stops making sense, with the word where it does, and a hint for the mistakes behind
// most of them (a missing comma or FROM, a reserved word used as a name, a misspelt keyword,
// a comma too many, an unclosed parenthesis, quote or date).
#include <span>

#include "jet/JetLexer.h"
#include "text/messages/Message.h"

namespace tarnwick {

// `tokens`: the statement's tokens without whitespace and comments; `position`: the token
// where it stops making sense (tokens.size() when the statement ends too soon).
msg::Message JetSyntaxErrorAt(std::span<const JetToken> tokens, std::size_t position);

}  // namespace tarnwick
