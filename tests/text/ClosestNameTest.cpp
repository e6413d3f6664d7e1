// The name a learner most likely meant, and the message that carries it as a hint.
#include <gtest/gtest.h>

#include "text/ClosestName.h"
#include "text/messages/Hints.h"
#include "text/messages/Message.h"

namespace tarnwick {
namespace {

TEST(ClosestName, CountsEditsInCharactersWithoutTheCaseOfLetters) {
  const std::tuple<std::string_view, std::string_view, std::size_t> cases[] = {
      {"氏名", "指名", 1},        // a Japanese character is one
      {"FORM", "FROM", 1},        // two neighbours swapped
      {"select", "SELECT", 0},    // letter case
      {"給与", "給与額", 1},      // one more
      {"部署ID", "部所ｉｄ", 3},  // full-width letters are other characters
      {"", "abc", 3},
      {"abc", "", 3},
      {"kitten", "sitting", 3},
  };
  for (const auto& [left, right, distance] : cases) {
    EXPECT_EQ(EditDistance(left, right), distance) << left << " / " << right;
    EXPECT_EQ(EditDistance(right, left), distance) << right << " / " << left;
  }
}

TEST(ClosestName, OffersOnlyANameCloseEnoughToBeASlip) {
  const std::vector<std::string> columns = {"社員ID", "氏名",       "給与", "部署ID",
                                            "入社日", "Department", "x"};
  const std::pair<std::string_view, std::optional<std::string>> cases[] = {
      {"指名", "氏名"},
      {"部所ID", "部署ID"},
      {"departmnet", "Department"},  // two edits in ten characters
      {"DEPARTMENT", std::nullopt},  // the name itself, in other letters: nothing to offer
      {"y", std::nullopt},           // one character is no slip of another
      {"給料額", std::nullopt},      // two edits in three characters
      {"年齢", std::nullopt},
  };
  for (const auto& [typed, closest] : cases) {
    EXPECT_EQ(ClosestName(typed, columns), closest) << typed;
  }
  // The first of equally close names.
  EXPECT_EQ(ClosestName("ab", {"ax", "xb"}), "ax");
}

TEST(ClosestName, TheHintNamesTheClosestNameOrWhereToLook) {
  EXPECT_EQ(msg::hint::ForMisspeltColumn("指名", {"氏名", "給与"}, "社員"),
            "'氏名' の書き間違いではありませんか。");
  EXPECT_EQ(msg::hint::ForMisspeltColumn("年齢", {"氏名", "給与"}, "社員"),
            "テーブル '社員' のフィールドは ? 社員 で確かめられます。");
  EXPECT_EQ(msg::hint::ForMisspeltColumn("年齢", {"氏名", "給与"}, ""), "");
  EXPECT_EQ(msg::hint::ForMisspeltTable("社貝", {"部署", "社員"}),
            "'社員' の書き間違いではありませんか。");
  EXPECT_EQ(msg::hint::ForMisspeltTable("x", {"部署", "社員"}),
            "テーブルの一覧は ? で確かめられます。");
}

TEST(Message, AHintIsTheLastLineAndOnlyTheFirstHintCounts) {
  const msg::Message plain{"型が一致しません。", ""};
  EXPECT_EQ(plain.Utf8(), "型が一致しません。");
  const msg::Message hinted = plain.WithHint("数値を書きます。").WithHint("ほかのヒント");
  EXPECT_EQ(hinted.Utf8(), "型が一致しません。\r\nヒント: 数値を書きます。");
  const msg::Message parsed = msg::Message::Parse(hinted.Utf8());
  EXPECT_EQ(parsed.text, hinted.text);
  EXPECT_EQ(parsed.hint, hinted.hint);
  EXPECT_EQ(msg::Message::Parse("一行目\r\n二行目").hint, "");
  // SQL Jet does not have: the hint says how Jet writes it.
  EXPECT_NE(msg::hint::JetFormOf("limit"), std::nullopt);
  EXPECT_NE(msg::hint::JetFormOf("||"), std::nullopt);
  EXPECT_EQ(msg::hint::JetFormOf("SELECT"), std::nullopt);
}

}  // namespace
}  // namespace tarnwick
