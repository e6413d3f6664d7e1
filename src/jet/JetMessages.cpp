#include "jet/JetMessages.h"

#include "text/Cp932.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick {

JetError::JetError(std::string_view utf8Message, std::size_t offset)
    : TarnwickError(Utf8ToSjis(utf8Message)), offset_(offset) {}

JetError::JetError(const msg::Message& message, std::size_t offset)
    : TarnwickError(message), offset_(offset) {}

namespace jet_message {

std::string SyntaxErrorNear(std::string_view word) { return msg::SyntaxErrorNear(word).Utf8(); }

std::string SyntaxErrorAtEnd() { return msg::SyntaxErrorAtEnd().Utf8(); }

std::string Unterminated(std::string_view what) { return msg::Unterminated(what, what).Utf8(); }

std::string InvalidDate(std::string_view literal) { return msg::InvalidDate(literal).Utf8(); }

std::string NestedTooDeeply() { return msg::NestedTooDeeply().Utf8(); }

std::string UnknownTable(std::string_view name) { return msg::UnknownTable(name).Utf8(); }

std::string UnknownColumn(std::string_view name) { return msg::UnknownColumn(name).Utf8(); }

std::string AmbiguousColumn(std::string_view name) { return msg::AmbiguousColumn(name).Utf8(); }

std::string UnknownSourceOfStar(std::string_view qualifier) {
  return msg::UnknownSourceOfStar(qualifier).Utf8();
}

std::string DuplicateSourceName(std::string_view name) {
  return msg::DuplicateSourceName(name).Utf8();
}

std::string WrongArgumentCount(std::string_view function) {
  return msg::WrongArgumentCount(function).Utf8();
}

std::string StarOutsideCount() { return msg::StarOutsideCount().Utf8(); }

std::string AggregateInWhere(std::string_view function) {
  return msg::AggregateInWhere(function).Utf8();
}

std::string SubqueryColumnCount() { return msg::SubqueryColumnCount().Utf8(); }

std::string UnionColumnCount() { return msg::UnionColumnCount().Utf8(); }

std::string InsertValueCount() { return msg::InsertValueCount().Utf8(); }

std::string ViewColumnCount() { return msg::ViewColumnCount().Utf8(); }

std::string InsertColumnTwice(std::string_view column) {
  return msg::InsertColumnTwice(column).Utf8();
}

std::string OrderByPosition(std::string_view position) {
  return msg::OrderByPosition(position).Utf8();
}

}  // namespace jet_message
}  // namespace tarnwick
