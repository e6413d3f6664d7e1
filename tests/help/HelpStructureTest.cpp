// The help document as a learner's reference: an entry for every function of the library (and
// none for a function it lacks), an example in every function's entry, links that lead
// somewhere, and the tutorial's and the message list's parts.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "help/HelpDocument.h"
#include "jet/functions/JetFunctions.h"

namespace tarnwick::test {
namespace {

class HelpStructure : public ::testing::Test {
 protected:
  const std::string html = ReadText(TARNWICK_HELP_SOURCE);
  const std::vector<std::string> ids = HelpIds(html);

  bool HasId(const std::string& id) const {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
  }
  // The document from the element with this id up to the next entry's id of the same kind.
  std::string EntryOf(const std::string& id, std::string_view nextEntry) const {
    const std::size_t begin = html.find(" id=\"" + id + "\"");
    const std::size_t end = html.find(nextEntry, begin + id.size());
    return html.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
  }
};

TEST_F(HelpStructure, EveryFunctionOfTheLibraryHasAnEntryWithAnExample) {
  for (const std::string& name : JetFunctionNames()) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(HasId("fn-" + name));
    const std::string entry = EntryOf("fn-" + name, " id=\"fn-");
    EXPECT_NE(entry.find("<pre class=\"sql\">"), std::string::npos);
    EXPECT_NE(entry.find("<pre class=\"syntax\">"), std::string::npos);
  }
}

TEST_F(HelpStructure, EveryFunctionEntryNamesAFunctionOfTheLibraryInItsSpelling) {
  const std::vector<std::string> names = JetFunctionNames();
  for (const std::string& id : ids) {
    if (!id.starts_with("fn-")) continue;
    EXPECT_NE(std::find(names.begin(), names.end(), id.substr(3)), names.end()) << id;
  }
}

TEST_F(HelpStructure, IdsAreUniqueAndEveryLinkInsideTheDocumentLeadsToOne) {
  const std::set<std::string> unique(ids.begin(), ids.end());
  EXPECT_EQ(unique.size(), ids.size());
  constexpr std::string_view kLink = "href=\"#";
  for (std::size_t at = html.find(kLink); at != std::string::npos; at = html.find(kLink, at)) {
    at += kLink.size();
    const std::string target = html.substr(at, html.find('"', at) - at);
    EXPECT_TRUE(unique.contains(target)) << "#" << target;
  }
}

TEST_F(HelpStructure, TheTutorialHasItsChaptersAndEveryExerciseItsFoldedAnswer) {
  EXPECT_GE(TagsOfClass(html, "chapter").size(), 10u);
  EXPECT_GE(TagsOfClass(html, "exercise").size(), 40u);
  constexpr std::string_view kExercise = "<div class=\"exercise\"";
  for (std::size_t at = html.find(kExercise); at != std::string::npos;
       at = html.find(kExercise, at + 1)) {
    const std::string exercise = html.substr(at, html.find("</div>", at) - at);
    const std::size_t details = exercise.find("<details>");
    EXPECT_TRUE(details != std::string::npos &&
                exercise.find("<pre class=\"sql\">", details) != std::string::npos &&
                exercise.find("</details>", details) != std::string::npos)
        << exercise.substr(0, 300);
  }
}

TEST_F(HelpStructure, TheMessageListHoldsEveryMessageWithItsMeaning) {
  ASSERT_TRUE(HasId("messages"));
  EXPECT_GE(TagsOfClass(EntryOf("messages", "<h2"), "message").size(), 40u);
  EXPECT_GE(HelpExamples(html).size(), 150u);
}

}  // namespace
}  // namespace tarnwick::test
