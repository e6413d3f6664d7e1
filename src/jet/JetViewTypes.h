#pragma once
// The Jet types of a view's columns, kept in the view's own definition: the engine keeps the
// text of CREATE VIEW as it was written, comment included, so the types travel with the file
// and any tool still reads the view.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jet/JetSchema.h"

namespace tarnwick {

// The comment that records the types, "/*jet-types:LONG,TEXT(50),DATETIME*/".
std::string JetViewTypeNote(const std::vector<JetTypeInfo>& types);

// The types a view's definition records; nothing when it has no such comment (a view made by
// another tool or an older version) or the comment is damaged.
std::optional<std::vector<JetTypeInfo>> ReadJetViewTypeNote(std::string_view viewSql);

}  // namespace tarnwick
