#pragma once
// Reading one Jet SQL statement into its syntax tree.
#include <string_view>

#include "jet/JetSyntax.h"

namespace tarnwick {

struct JetParse {
  syntax::StatementPtr statement;
  // Another statement follows the first one's ';' (only one statement runs at a time).
  bool moreStatements = false;
};

// Reads the statement (UTF-8). A form the front end does not read comes back as Passthrough;
// a statement of a form it reads but cannot make sense of is a JetError naming the word where
// it stops making sense. Texts with nothing but blanks, comments and ';' are Passthrough.
JetParse ParseJetStatement(std::string_view utf8Sql);

}  // namespace tarnwick
