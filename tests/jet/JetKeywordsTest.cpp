// The one table of Jet SQL's keywords: every keyword found from its word in any letter case
// and no other word taken for one, the lexer marking only words with them, and the statement
// a statement's first words begin named in its syntax errors.
#include <gtest/gtest.h>

#include "FrontEndFixture.h"
#include "jet/JetKeywords.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick::test {
namespace {

constexpr int kLastKeyword = static_cast<int>(JetKeyword::YesNo);

std::string Lowered(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return lower;
}

TEST(JetKeywords, EveryKeywordIsFoundFromItsWordInAnyLetterCase) {
  for (int i = 1; i <= kLastKeyword; ++i) {
    const auto keyword = static_cast<JetKeyword>(i);
    const std::string_view spelling = JetKeywordOf(keyword).spelling;
    ASSERT_FALSE(spelling.empty()) << i;
    std::string mixed = Lowered(spelling);
    mixed[0] = spelling[0];
    EXPECT_EQ(FindJetKeyword(spelling), keyword) << spelling;
    EXPECT_EQ(FindJetKeyword(Lowered(spelling)), keyword) << spelling;
    EXPECT_EQ(FindJetKeyword(mixed), keyword) << mixed;
  }
}

TEST(JetKeywords, NoOtherWordIsTakenForAKeyword) {
  for (std::string_view word :
       {"", "SELECTS", "SELEC", "SELECT_", "_SELECT", "SELECT1", "ＳＥＬＥＣＴ", "社員", "x",
        "AUTOINCREMENTS", "TRANSACTIONSTRANSACTIONS", "Ｆrom", "fromage", "[FROM]"}) {
    EXPECT_EQ(FindJetKeyword(word), JetKeyword::None) << word;
  }
}

TEST(JetKeywords, OnlyWordsAreKeywordsNotNamesOrTexts) {
  const std::vector<JetToken> tokens =
      TokenizeJet("select [select] \"select\" 'select' select1 #1/1/2024# From");
  std::vector<JetKeyword> keywords;
  for (const JetToken& token : tokens) {
    if (!IsTrivia(token)) keywords.push_back(token.keyword);
  }
  const std::vector<JetKeyword> expected = {JetKeyword::Select, JetKeyword::None, JetKeyword::None,
                                            JetKeyword::None,   JetKeyword::None, JetKeyword::None,
                                            JetKeyword::From};
  EXPECT_EQ(keywords, expected);
}

TEST(JetKeywords, ReservedWordsAreNoBareNames) {
  EXPECT_TRUE(IsJetReservedWord("select"));
  EXPECT_TRUE(IsJetReservedWord("Where"));
  EXPECT_FALSE(IsJetReservedWord("Insert"));  // a name Jet lets stand
  EXPECT_FALSE(IsJetReservedWord("社員"));
  // A reserved word is read as a name only in brackets.
  EXPECT_FALSE(RefusalOf("SELECT * FROM select").starts_with(msg::UnknownTable("select").Utf8()));
  EXPECT_TRUE(RefusalOf("SELECT * FROM [select]").starts_with(msg::UnknownTable("select").Utf8()));
}

TEST(JetKeywords, ASyntaxErrorNamesTheStatementItsFirstWordsBegin) {
  using msg::SqlClause;
  const std::pair<std::string_view, SqlClause> cases[] = {
      {"INSERT INTO", SqlClause::InsertInto},
      {"insert into 社員 values", SqlClause::InsertInto},
      {"UPDATE", SqlClause::Update},
      {"UPDATE 社員 SET", SqlClause::Update},
      {"DELETE", SqlClause::Delete},
      {"TRANSFORM", SqlClause::Transform},
      {"PARAMETERS", SqlClause::Parameters},
      {"EXECUTE", SqlClause::Procedure},
      {"Exec", SqlClause::Procedure},
      {"CREATE TABLE", SqlClause::CreateTable},
      {"CREATE VIEW", SqlClause::CreateView},
      {"CREATE INDEX", SqlClause::CreateIndex},
      {"CREATE UNIQUE INDEX", SqlClause::CreateIndex},
      {"DROP TABLE", SqlClause::Drop},
  };
  for (const auto& [sql, clause] : cases) {
    EXPECT_EQ(RefusalOf(sql), msg::SyntaxErrorAtEnd(clause).Utf8()) << sql;
  }
}

}  // namespace
}  // namespace tarnwick::test
