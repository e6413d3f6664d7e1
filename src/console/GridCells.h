#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "console/CellText.h"

namespace tarnwick {

// Every cell of one result, row after row, held as compactly as plain text allows: the cells
// lie one after another in large blocks (no block is ever copied to grow it), each cell its
// length followed by its bytes, and by its width when that differs from its length. A cell
// made only of the bytes of a number ("0"-"9", '.', '-', ' ', 'E', '+') keeps two of them in
// one byte. The blocks come from the system's pages, not from the heap, so that a block
// released is at once free for others (the pane's text above all).
class GridCells {
 public:
  GridCells() = default;
  GridCells(const GridCells&) = delete;
  GridCells& operator=(const GridCells&) = delete;
  GridCells(GridCells&&) = default;
  GridCells& operator=(GridCells&&) = default;

  // Throws std::bad_alloc when the system has no room for another block.
  void Add(const GridCell& cell);

  // Takes the cells back out in the order they were added, releasing each block as soon as
  // its last cell has been taken: the store is empty afterwards. A cell's text stays valid
  // until the next call of Next.
  class Reader {
   public:
    explicit Reader(GridCells& cells) : cells_(cells) {}
    bool AtEnd();
    GridCell Next();

   private:
    GridCells& cells_;
    std::size_t block_ = 0;
    std::size_t position_ = 0;
    char unpacked_[66];  // a packed cell's bytes: numbers are short, so packed cells are too
  };
  Reader TakeOut() { return Reader(*this); }

 private:
  class Block {
   public:
    explicit Block(std::size_t capacity);
    ~Block();
    Block(Block&& other) noexcept;
    Block& operator=(Block&& other) noexcept;
    void Release();
    char* data = nullptr;
    std::size_t size = 0;
    std::size_t capacity = 0;
  };
  std::vector<Block> blocks_;
};

}  // namespace tarnwick
