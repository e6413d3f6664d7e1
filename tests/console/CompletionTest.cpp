// Completion at the caret: which names and words are offered for what is typed, and what
// taking one writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/Completion.h"
#include "jetlib/JetFunctions.h"

namespace tarnwick {
namespace {

constexpr std::string_view kKeywords[] = {"AS",     "FROM", "INNER",  "JOIN", "ON",
                                          "SELECT", "SET",  "UPDATE", "WHERE"};

SchemaOutline School() {
  SchemaOutline schema;
  schema.tables.push_back(
      {"社員",
       false,
       {{"社員番号", "COUNTER", true}, {"氏名", "TEXT(20)", false}, {"部署ID", "LONG", false}}});
  schema.tables.push_back(
      {"部署", false, {{"部署ID", "LONG", true}, {"部署名", "TEXT(30)", false}}});
  schema.tables.push_back({"order details", false, {{"qty", "SHORT", false}}});
  schema.tables.push_back({"社員一覧", true, {{"氏名", "", false}}});
  return schema;
}

CompletionVocabulary Vocabulary() {
  return {kKeywords, {{"DateAdd", "interval, number, date"}, {"Date", ""}, {"Sum", "expr"}}};
}

// The statement with '|' marking the caret.
Completion At(std::string marked) {
  const std::size_t caret = marked.find('|');
  marked.erase(caret, 1);
  return CompleteAt(marked, caret, School(), Vocabulary());
}

std::vector<std::string> Labels(const Completion& completion) {
  std::vector<std::string> labels;
  for (const CompletionItem& item : completion.items) labels.push_back(item.label);
  return labels;
}

TEST(Completion, AfterATableNameAndDotOffersThatTablesColumnsOnly) {
  const struct {
    std::string marked;
    std::vector<std::string> labels;
  } cases[] = {
      {"SELECT 社員.| FROM 社員", {"社員番号", "氏名", "部署ID"}},
      {"SELECT 社員.氏| FROM 社員", {"氏名"}},
      {"SELECT [部署].部| FROM 部署", {"部署ID", "部署名"}},
      // An alias stands for its table, with or without AS; the qualifier's case does not
      // matter.
      {"SELECT s.| FROM 社員 AS s", {"社員番号", "氏名", "部署ID"}},
      {"SELECT B.部署名, s.氏| FROM 社員 s INNER JOIN 部署 b ON s.部署ID = b.部署ID", {"氏名"}},
      // A name that is neither a table nor an alias offers nothing.
      {"SELECT x.| FROM 社員", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.marked);
    EXPECT_EQ(Labels(At(c.marked)), c.labels);
  }
}

TEST(Completion, OffersColumnsOfTheStatementsTablesThenNamesFunctionsAndKeywords) {
  EXPECT_EQ(Labels(At("SELECT 部| FROM 部署")),
            (std::vector<std::string>{"部署ID", "部署名", "部署"}));
  // Letters match in either case; functions show their arguments.
  EXPECT_EQ(Labels(At("SELECT da| FROM 社員")),
            (std::vector<std::string>{"Date()", "DateAdd(interval, number, date)"}));
  EXPECT_EQ(Labels(At("s|")), (std::vector<std::string>{"Sum(expr)", "SELECT", "SET"}));
  // Without a table in the statement no column is offered; tables and views are.
  EXPECT_EQ(Labels(At("SELECT * FROM 社|")), (std::vector<std::string>{"社員", "社員一覧"}));
  // A word in the middle is completed from its start up to the caret, and replaced whole.
  const Completion middle = At("SELE|CT");
  EXPECT_EQ(middle.prefix, "SELE");
  EXPECT_EQ(middle.replaced, (TextRange{0, 6}));
  EXPECT_EQ(Labels(middle), std::vector<std::string>{"SELECT"});
}

TEST(Completion, WritesNamesThatAreNoPlainWordInBracketsAndFunctionsWithTheirParenthesis) {
  const Completion completion = At("SELECT * FROM ord|");
  ASSERT_EQ(completion.items.size(), 1u);
  EXPECT_EQ(completion.items[0].insert, "[order details]");
  EXPECT_EQ(completion.replaced, (TextRange{14, 17}));
  // Inside brackets the typed part counts without its bracket, and the brackets are replaced.
  const Completion bracketed = At("SELECT * FROM [ord|");
  ASSERT_EQ(bracketed.items.size(), 1u);
  EXPECT_EQ(bracketed.prefix, "ord");
  EXPECT_EQ(bracketed.replaced, (TextRange{14, 18}));
  EXPECT_EQ(At("SELECT Date|").items.at(0).insert, "Date(");
  EXPECT_EQ(At("SELECT 社員.氏|").items.at(0).insert, "氏名");
  // A column that more than one of the statement's tables has is written with its table's
  // alias, or its name, as Jet wants it.
  const Completion both =
      At("SELECT 部署|, 氏名 FROM 社員 AS s INNER JOIN 部署 ON s.部署ID = 部署.部署ID");
  std::vector<std::string> inserts;
  for (const CompletionItem& item : both.items) inserts.push_back(item.insert);
  EXPECT_EQ(inserts, (std::vector<std::string>{"s.部署ID", "部署.部署ID", "部署名", "部署"}));
  EXPECT_EQ(WrittenName("社員"), "社員");
  EXPECT_EQ(WrittenName("2024年"), "[2024年]");
}

TEST(Completion, OffersNothingInsideTextsDatesNumbersAndComments) {
  for (const char* marked : {"SELECT 'sa|", "SELECT 'a|b'", "SELECT #2024/01|", "SELECT 12|",
                             "SELECT 1 -- s|", "SELECT /* s| */ 1"}) {
    SCOPED_TRACE(marked);
    EXPECT_TRUE(At(marked).items.empty());
  }
  // Right after a closed text the next word may begin.
  EXPECT_FALSE(At("SELECT 'a' |").items.empty());
}

TEST(Completion, EveryFunctionOfTheLibraryHasItsArgumentsWritten) {
  const std::vector<FunctionSignature> signatures = JetFunctionSignatures();
  ASSERT_EQ(signatures.size(), JetFunctionNames().size());
  for (const FunctionSignature& signature : signatures) {
    EXPECT_NE(signature.arguments, "...") << signature.name;
    const JetFunction* function = FindJetFunction(signature.name);
    ASSERT_NE(function, nullptr) << signature.name;
    // A function without arguments shows none; one with arguments shows at least one.
    EXPECT_EQ(signature.arguments.empty(), function->maxArguments == 0) << signature.name;
  }
}

}  // namespace
}  // namespace tarnwick
