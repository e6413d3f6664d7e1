#include "console/GridCells.h"

#include <algorithm>
#include <array>

namespace tarnwick {

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

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

bool IsPackable(std::string_view cell) {
  return cell.size() >= 2 && std::ranges::all_of(cell, [](char byte) {
           return kNumberCodes[static_cast<unsigned char>(byte)] != 0xFF;
         });
}

// The length, with the packed flag in its lowest bit, seven bits to a byte, low bits first;
// the top bit marks that more bytes follow.
void PutHeader(std::string& block, std::size_t length, bool packed) {
  std::size_t header = length << 1 | (packed ? 1 : 0);
  while (header >= 0x80) {
    block += static_cast<char>(0x80 | (header & 0x7F));
    header >>= 7;
  }
  block += static_cast<char>(header);
}

void PutPacked(std::string& block, std::string_view cell) {
  for (std::size_t i = 0; i < cell.size(); i += 2) {
    const unsigned high = kNumberCodes[static_cast<unsigned char>(cell[i])];
    const unsigned low =
        i + 1 < cell.size() ? kNumberCodes[static_cast<unsigned char>(cell[i + 1])] : 0;
    block += static_cast<char>(high << 4 | low);
  }
}

}  // namespace

void GridCells::Add(std::string_view cell) {
  const bool packed = IsPackable(cell);
  const std::size_t bodySize = packed ? (cell.size() + 1) / 2 : cell.size();
  const std::size_t needed = bodySize + 10;  // the header takes at most 10 bytes
  if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < needed) {
    blocks_.emplace_back().reserve(std::max(kBlockSize, needed));
  }
  std::string& block = blocks_.back();
  PutHeader(block, cell.size(), packed);
  if (packed) {
    PutPacked(block, cell);
  } else {
    block += cell;
  }
}

bool GridCells::Cursor::AtEnd() {
  while (block_ < blocks_.size() && position_ >= blocks_[block_].size()) {
    ++block_;
    position_ = 0;
  }
  return block_ >= blocks_.size();
}

std::string_view GridCells::Cursor::Next() {
  AtEnd();  // moves on to the block that holds the next cell
  const std::string_view block = blocks_[block_];
  std::size_t header = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(block[position_++]);
    header |= static_cast<std::size_t>(byte & 0x7F) << shift;
    if ((byte & 0x80) == 0) break;
  }
  const std::size_t length = header >> 1;
  if ((header & 1) == 0) {
    position_ += length;
    return block.substr(position_ - length, length);
  }
  unpacked_.clear();
  for (std::size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(block[position_ + i / 2]);
    unpacked_ += kNumberBytes[i % 2 == 0 ? byte >> 4 : byte & 0x0F];
  }
  position_ += (length + 1) / 2;
  return unpacked_;
}

}  // namespace tarnwick
