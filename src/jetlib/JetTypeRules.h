#pragma once
// Jet's rules for the type of an operation's result.
#include <span>

#include "jetlib/JetOperators.h"
#include "jetlib/JetType.h"

namespace tarnwick {

// The type of `a op b` for the arithmetic, joining and logical operators (comparisons are
// Boolean). NULL on either side gives Null; Variant on either side gives Variant.
JetType BinaryResultType(JetOp op, JetType a, JetType b);

// The type of -a, +a and Not a.
JetType UnaryResultType(JetOp op, JetType a);

// The type that holds every one of the given types (a UNION's column, the branches of IIf):
// Null where all are Null; numbers widen; TEXT and MEMO give MEMO; types that do not mix give
// Variant.
JetType CommonType(std::span<const JetType> types);

}  // namespace tarnwick
