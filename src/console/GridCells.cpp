#include "console/GridCells.h"

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <utility>

namespace tarnwick {

namespace {

constexpr std::size_t kBlockSize = 256 * 1024;

// The bytes a number's text is made of, each kept in four bits.
constexpr std::string_view kNumberBytes = "0123456789.- E+";

constexpr std::array<unsigned char, 256> NumberCodes() {
  std::array<unsigned char, 256> codes{};
  codes.fill(0xFF);
  for (std::size_t i = 0; i < kNumberBytes.size(); ++i) {
    codes[static_cast<unsigned char>(kNumberBytes[i])] = static_cast<unsigned char>(i);
  }
  return codes;
}
constexpr std::array<unsigned char, 256> kNumberCodes = NumberCodes();

// A packed cell is at most as long as an unpacked buffer holds (a number's text is short).
constexpr std::size_t kMostPacked = 64;

bool IsPackable(std::string_view cell) {
  return cell.size() >= 2 && cell.size() <= kMostPacked && std::ranges::all_of(cell, [](char byte) {
           return kNumberCodes[static_cast<unsigned char>(byte)] != 0xFF;
         });
}

// A number seven bits to a byte, low bits first; the top bit marks that more bytes follow.
char* PutNumber(char* out, std::size_t number) {
  while (number >= 0x80) {
    *out++ = static_cast<char>(0x80 | (number & 0x7F));
    number >>= 7;
  }
  *out++ = static_cast<char>(number);
  return out;
}

std::size_t GetNumber(const char* block, std::size_t& position) {
  std::size_t number = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(block[position++]);
    number |= static_cast<std::size_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) return number;
  }
}

// The header: the length, the packed flag and the flag of a width of its own in the two
// lowest bits.
constexpr std::size_t kPacked = 2;
constexpr std::size_t kOwnWidth = 1;

char* PutPacked(char* out, std::string_view cell) {
  for (std::size_t i = 0; i < cell.size(); i += 2) {
    const unsigned high = kNumberCodes[static_cast<unsigned char>(cell[i])];
    const unsigned low =
        i + 1 < cell.size() ? kNumberCodes[static_cast<unsigned char>(cell[i + 1])] : 0;
    *out++ = static_cast<char>(high << 4 | low);
  }
  return out;
}

}  // namespace

GridCells::Block::Block(std::size_t capacity) {
  void* pages = mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (pages == MAP_FAILED) throw std::bad_alloc();
  data = static_cast<char*>(pages);
  this->capacity = capacity;
}

GridCells::Block::~Block() { Release(); }

void GridCells::Block::Release() {
  if (data != nullptr) munmap(data, capacity);
  data = nullptr;
  size = capacity = 0;
}

GridCells::Block::Block(Block&& other) noexcept
    : data(std::exchange(other.data, nullptr)), size(other.size), capacity(other.capacity) {}

GridCells::Block& GridCells::Block::operator=(Block&& other) noexcept {
  std::swap(data, other.data);
  std::swap(size, other.size);
  std::swap(capacity, other.capacity);
  return *this;
}

void GridCells::Add(const GridCell& cell) {
  const bool packed = IsPackable(cell.text);
  const bool ownWidth = cell.width != cell.text.size();
  const std::size_t bodySize = packed ? (cell.text.size() + 1) / 2 : cell.text.size();
  const std::size_t needed = bodySize + 20;  // each number takes at most 10 bytes
  if (blocks_.empty() || blocks_.back().capacity - blocks_.back().size < needed) {
    blocks_.emplace_back(std::max(kBlockSize, needed));
  }
  Block& block = blocks_.back();
  char* out = block.data + block.size;
  out = PutNumber(out, cell.text.size() << 2 | (packed ? kPacked : 0) | (ownWidth ? kOwnWidth : 0));
  if (ownWidth) out = PutNumber(out, cell.width);
  if (packed) {
    out = PutPacked(out, cell.text);
  } else {
    std::memcpy(out, cell.text.data(), cell.text.size());
    out += cell.text.size();
  }
  block.size = static_cast<std::size_t>(out - block.data);
}

bool GridCells::Reader::AtEnd() {
  std::vector<Block>& blocks = cells_.blocks_;
  while (block_ < blocks.size() && position_ >= blocks[block_].size) {
    blocks[block_].Release();  // every cell of it has been taken
    ++block_;
    position_ = 0;
  }
  if (block_ < blocks.size()) return false;
  blocks.clear();
  return true;
}

GridCell GridCells::Reader::Next() {
  const std::vector<Block>& blocks = cells_.blocks_;
  if (block_ >= blocks.size() || position_ >= blocks[block_].size) {
    AtEnd();  // moves on to the block that holds the next cell
  }
  const char* block = blocks[block_].data;
  const std::size_t header = GetNumber(block, position_);
  const std::size_t length = header >> 2;
  const std::size_t width = (header & kOwnWidth) != 0 ? GetNumber(block, position_) : length;
  if ((header & kPacked) == 0) {
    position_ += length;
    return {std::string_view(block + position_ - length, length), width};
  }
  for (std::size_t i = 0; i < length; i += 2) {
    const auto byte = static_cast<unsigned char>(block[position_ + i / 2]);
    unpacked_[i] = kNumberBytes[byte >> 4];
    unpacked_[i + 1] = kNumberBytes[byte & 0x0F];  // beyond the cell when its length is odd
  }
  position_ += (length + 1) / 2;
  return {std::string_view(unpacked_, length), width};
}

}  // namespace tarnwick
