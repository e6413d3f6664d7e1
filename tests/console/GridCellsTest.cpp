#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/GridCells.h"

namespace tarnwick {
namespace {

TEST(GridCells, GivesBackEveryCellByteForByteInOrder) {
  std::vector<std::string> cells = {
      "",      "7",       "-12", "  3.14",           "1.00E+20",           "12345.68", "2012/02/23",
      "True ", "a\r\nbc", "0 ",  "\x83\x41\x83\x61", std::string(3, '\0'), "9:30:05",  "- .E+"};
  cells.push_back(std::string(200, '5'));     // a length that needs two bytes
  cells.push_back(std::string(70'000, 'x'));  // larger than one block
  for (int i = 0; i < 20'000; ++i) cells.push_back(std::to_string(i * 37));  // many blocks

  GridCells store;
  for (const std::string& cell : cells) store.Add(cell);
  GridCells::Cursor cursor = store.Read();
  for (const std::string& cell : cells) {
    ASSERT_FALSE(cursor.AtEnd());
    ASSERT_EQ(cursor.Next(), cell);
  }
  EXPECT_TRUE(cursor.AtEnd());
  EXPECT_TRUE(GridCells().Read().AtEnd());
}

}  // namespace
}  // namespace tarnwick
