#include "console/GridCells.h"

namespace tarnwick {

void GridCells::Add(std::string_view cell) {
  std::size_t length = cell.size();
  while (length >= 0x80) {
    arena_ += static_cast<char>(0x80 | (length & 0x7F));
    length >>= 7;
  }
  arena_ += static_cast<char>(length);
  arena_ += cell;
}

std::string_view GridCells::Cursor::Next() {
  std::size_t length = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(arena_[position_++]);
    length |= static_cast<std::size_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) break;
  }
  const std::string_view cell = arena_.substr(position_, length);
  position_ += length;
  return cell;
}

}  // namespace tarnwick
