#pragma once
// The Jet-dialect translation layer: statement texts as learners write them for Jet, turned
// into statements our engine runs with the same meaning. Today it translates the declared
// types of CREATE TABLE and ALTER TABLE ... ADD; expressions and functions come later.
#include <string>
#include <string_view>

namespace tarnwick {

// Translates one statement (UTF-8). Text it does not need to change comes back unchanged,
// byte for byte.
std::string TranslateJetSql(std::string_view utf8Sql);

}  // namespace tarnwick
