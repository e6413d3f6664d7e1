// Every example of the help shows exactly what the console prints for it: each <pre class="sql">
// runs through tarnwick-run on a fresh copy of the sample database, and its transcript must be
// the <pre class="result"> that follows. A change in the console's output (or in the sample)
// shows here, naming the example's line; help_examples_update rewrites the results after an
// intended change, for the author to read the differences before committing them.
#include <gtest/gtest.h>

#include "help/HelpDocument.h"
#include "support/TempDir.h"

namespace tarnwick::test {
namespace {

TEST(HelpExamples, EveryExampleShowsWhatTheConsolePrintsOnTheSampleDatabase) {
  const std::vector<HelpExample> examples = HelpExamples(ReadText(TARNWICK_HELP_SOURCE));
  ASSERT_FALSE(examples.empty());
  TempDir folder;
  for (const HelpExample& example : examples) {
    const std::string printed = RunOnSampleCopy(example.sql, folder.Path());
    EXPECT_EQ(WithoutTrailingLineBreaks(example.result), WithoutTrailingLineBreaks(printed))
        << "tarnwick.html の " << example.line << " 行目の例:\n"
        << example.sql;
  }
}

}  // namespace
}  // namespace tarnwick::test
