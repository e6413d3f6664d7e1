// Errors as data, said in Japanese: each diagnostic renders as its own message with its words
// in the order the message takes them, and its hint after it.
#include <gtest/gtest.h>

#include <set>

#include "text/messages/Diagnostic.h"
#include "text/messages/EngineMessages.h"
#include "text/messages/FormMessages.h"
#include "text/messages/Hints.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick::msg {
namespace {

TEST(Diagnostic, WordsGoToTheMessageInItsOrder) {
  const std::pair<Diagnostic, Message> cases[] = {
      {{MessageId::Unterminated, {"'", "abc"}}, Unterminated("'", "abc")},
      {{MessageId::UnknownConstraint, {"k", "t"}}, UnknownConstraint("k", "t")},
      {{MessageId::NullNotAllowed, {"t", "c"}}, NullNotAllowed("t", "c")},
      {{MessageId::SyntaxError, {"x"}, SqlClause::Where}, SyntaxError(SqlClause::Where, "x")},
      {{MessageId::SyntaxErrorAtEnd, {}, SqlClause::OrderBy}, SyntaxErrorAtEnd(SqlClause::OrderBy)},
      {{MessageId::TooFewParameters, {}, SqlClause::Statement, 2}, TooFewParameters(2)},
      {{MessageId::UnknownColumn, {}}, UnknownColumn("")},  // a word not given is empty
  };
  for (const auto& [diagnostic, message] : cases) {
    EXPECT_EQ(Render(diagnostic).Utf8(), message.Utf8());
  }
}

TEST(Diagnostic, TheHintFollowsItsMessageWithItsOwnWords) {
  const Diagnostic diagnostic =
      Diagnostic{MessageId::UnknownColumn, {"氏明"}}.WithHint({HintId::MissingComma, {"a", "b"}});
  EXPECT_EQ(Render(diagnostic).Utf8(),
            UnknownColumn("氏明").WithHint(hint::MissingComma("a", "b")).Utf8());
  EXPECT_EQ(RenderHint({HintId::AliasOutOfReach, {"x", "a + 1"}}),
            hint::AliasOutOfReach("x", "a + 1"));
  EXPECT_EQ(RenderHint({HintId::MisspeltKeyword, {"FORM", "FROM"}}),
            hint::MisspeltKeyword("FORM", "FROM"));
  EXPECT_EQ(RenderHint({}), "");
}

// Each id has a message of its own (a table shifted by one would say its neighbour's).
TEST(Diagnostic, NoTwoMessagesOrHintsAreTheSame) {
  std::set<std::string> messages;
  for (int id = 0; id <= static_cast<int>(MessageId::RowsBreakRelationship); ++id) {
    const std::string text =
        Render(Diagnostic{static_cast<MessageId>(id), {"w1", "w2"}, SqlClause::Select, 3}).Utf8();
    EXPECT_FALSE(text.empty()) << id;
    EXPECT_TRUE(messages.insert(text).second) << id << ": " << text;
  }
  std::set<std::string> hints;
  for (int id = 1; id <= static_cast<int>(HintId::DoubleQuotedName); ++id) {
    const std::string text = RenderHint(Hint{static_cast<HintId>(id), {"w1", "w2"}});
    if (text.empty()) continue;  // no form of the word, no name it may have meant
    EXPECT_TRUE(hints.insert(text).second) << id << ": " << text;
  }
}

}  // namespace
}  // namespace tarnwick::msg
