#include <gtest/gtest.h>

#include "console/SqlHistory.h"

namespace tarnwick {
namespace {

TEST(SqlHistory, StepsBackToOlderEntriesAndForwardToTheOwnText) {
  SqlHistory history;
  for (const char* entry : {"A", "B", "C"}) history.Record(entry);
  EXPECT_EQ(history.StepForward(), std::nullopt);  // F4 before any F3

  EXPECT_EQ(history.StepBack("U"), "C");
  EXPECT_EQ(history.StepBack("C edited"), "B");  // edits are not written back
  EXPECT_EQ(history.StepBack("B"), "A");
  EXPECT_EQ(history.StepBack("A"), std::nullopt);
  EXPECT_EQ(history.Position(), 3);
  EXPECT_EQ(history.StepForward(), "B");
  EXPECT_EQ(history.StepForward(), "C");
  EXPECT_EQ(history.StepForward(), "U");  // the text as it was at the first step back
  EXPECT_FALSE(history.Browsing());
  EXPECT_EQ(history.StepForward(), std::nullopt);
}

TEST(SqlHistory, EmptyHistoryAndEndedBrowsingChangeNothing) {
  SqlHistory history;
  EXPECT_EQ(history.StepBack("U"), std::nullopt);
  EXPECT_FALSE(history.Browsing());

  // After a run that failed (position kept, browsing ended) F4 stops at the newest entry.
  history.Record("A");
  history.Record("B");
  ASSERT_EQ(history.StepBack("U"), "B");
  ASSERT_EQ(history.StepBack("B"), "A");
  history.EndBrowsing();
  EXPECT_EQ(history.PutAside(), "");
  EXPECT_EQ(history.StepForward(), "B");
  EXPECT_EQ(history.StepForward(), std::nullopt);

  // A run resets the position: the next step back puts the pane's text aside anew.
  history.ResetPosition();
  EXPECT_EQ(history.StepBack("V"), "B");
  EXPECT_EQ(history.StepForward(), "V");
}

TEST(SqlHistory, LineBreaksAreStoredAsOneTwoAndRestoredOnRecall) {
  SqlHistory history;
  history.Record("\r\nSELECT\r\n*\r\nFROM t;");
  history.Record("\r\n");
  history.Record("\r\nSELECT 1");
  history.Record("\r\nSELECT 1");
  EXPECT_EQ(history.StoredEntry(0),
            "\x01\x02SELECT\x01\x02*\x01\x02"
            "FROM t;");
  EXPECT_EQ(history.StoredEntry(1), "\x01\x02");
  EXPECT_EQ(history.StepBack(""), "\r\nSELECT 1");
  EXPECT_EQ(history.StepBack(""), "\r\nSELECT 1");
  EXPECT_EQ(history.StepBack(""), "\r\n");
  EXPECT_EQ(history.StepBack(""), "\r\nSELECT\r\n*\r\nFROM t;");
  // A lone CR or LF is kept as it is.
  history.Record("a\rb\nc");
  EXPECT_EQ(history.StoredEntry(4), "a\rb\nc");

  // Many entries of every length lie in the one store and come back whole, the first too.
  SqlHistory many;
  many.Record("");
  for (int i = 1; i < 20'000; ++i)
    many.Record(std::string(i % 300, 'x') + "\r\n" + std::to_string(i));
  ASSERT_EQ(many.Count(), 20'000u);
  EXPECT_EQ(many.StoredEntry(0), "");
  for (int i = 1; i < 20'000; i += 997) {
    EXPECT_EQ(many.Recall(static_cast<std::size_t>(i)),
              std::string(i % 300, 'x') + "\r\n" + std::to_string(i));
  }
}

}  // namespace
}  // namespace tarnwick
