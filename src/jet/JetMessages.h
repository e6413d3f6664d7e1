#pragma once
// Every message of the front end, each in one function here: the texts themselves are the
// catalogue's (text/messages/StatementMessages.h). The texts are UTF-8 (a hint, when the
// message has one, on its last line); JetError carries them to the console as its own
// Shift-JIS text.
#include <cstddef>
#include <string>
#include <string_view>

#include "text/TarnwickError.h"
#include "text/messages/Message.h"

namespace tarnwick {

// A statement the front end refuses. `offset` is where in the statement's text (UTF-8 bytes)
// the refusal arises.
class JetError : public TarnwickError {
 public:
  JetError(std::string_view utf8Message, std::size_t offset);
  JetError(const msg::Message& message, std::size_t offset);
  std::size_t Offset() const { return offset_; }

 private:
  std::size_t offset_;
};

namespace jet_message {

// Reading the statement.
std::string SyntaxErrorNear(std::string_view word);  // the word where it stops making sense
std::string SyntaxErrorAtEnd();
std::string Unterminated(std::string_view what);  // an unclosed '...', "...", [...] or #...#
std::string InvalidDate(std::string_view literal);
std::string NestedTooDeeply();

// Names.
std::string UnknownTable(std::string_view name);
std::string UnknownColumn(std::string_view name);
std::string AmbiguousColumn(std::string_view name);
std::string UnknownSourceOfStar(std::string_view qualifier);
std::string DuplicateSourceName(std::string_view name);

// Shape.
std::string WrongArgumentCount(std::string_view function);
std::string StarOutsideCount();
std::string AggregateInWhere(std::string_view function);
std::string SubqueryColumnCount();
std::string UnionColumnCount();
std::string InsertValueCount();
std::string ViewColumnCount();
std::string InsertColumnTwice(std::string_view column);
std::string OrderByPosition(std::string_view position);

}  // namespace jet_message
}  // namespace tarnwick
