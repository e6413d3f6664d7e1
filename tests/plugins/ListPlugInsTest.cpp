#include <gtest/gtest.h>

#include "console/ResultPane.h"
#include "data/Cp932.h"
#include "plugins/PlugInList.h"

namespace tarnwick {
namespace {

TEST(ListPlugIns, AppendsEachNameAsALineInListOrderAndNothingElse) {
  int first = 0;
  int second = 0;
  const PlugInList plugIns = {{"Hello", &first}, {Sjis("集計"), &second}, {"Hello", &first}};
  StringPane pane;
  ListPlugIns(plugIns, pane);
  EXPECT_EQ(pane.Text(), "Hello\r\n" + Sjis("集計") + "\r\nHello\r\n");

  StringPane untouched;
  ListPlugIns({}, untouched);
  EXPECT_EQ(untouched.Text(), "");
}

}  // namespace
}  // namespace tarnwick
