#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick {

// Every cell text of one result, row after row, in one string: each cell is its length
// (seven bits to a byte, low bits first, the top bit set when more length bytes follow)
// followed by its bytes. A one-byte cell thus costs two bytes, whatever the result's size.
class GridCells {
 public:
  void Add(std::string_view cell);

  // Reads the cells back in the order they were added.
  class Cursor {
   public:
    explicit Cursor(std::string_view arena) : arena_(arena) {}
    bool AtEnd() const { return position_ >= arena_.size(); }
    std::string_view Next();

   private:
    std::string_view arena_;
    std::size_t position_ = 0;
  };
  Cursor Read() const { return Cursor(arena_); }

 private:
  std::string arena_;
};

}  // namespace tarnwick
