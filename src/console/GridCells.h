#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// Every cell text of one result, row after row, held as compactly as plain text allows: the
// cells lie one after another in large blocks (no block is ever copied to grow it), each
// cell its length followed by its bytes. A cell made only of the bytes of a number ("0"-"9",
// '.', '-', ' ', 'E', '+') keeps two of them in one byte.
class GridCells {
 public:
  void Add(std::string_view cell);

  // Reads the cells back in the order they were added. A cell's text stays valid until the
  // next call of Next.
  class Cursor {
   public:
    explicit Cursor(const std::vector<std::string>& blocks) : blocks_(blocks) {}
    bool AtEnd();
    std::string_view Next();

   private:
    const std::vector<std::string>& blocks_;
    std::size_t block_ = 0;
    std::size_t position_ = 0;
    std::string unpacked_;
  };
  Cursor Read() const { return Cursor(blocks_); }

 private:
  std::vector<std::string> blocks_;
};

}  // namespace tarnwick
