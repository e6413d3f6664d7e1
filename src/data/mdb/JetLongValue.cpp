#include "data/mdb/JetLongValue.h"

#include <cstring>
#include <unordered_set>

#include "data/JetValues.h"
#include "data/mdb/JetTableScan.h"

namespace tarnwick {

namespace {

constexpr std::size_t kDefinitionSize = 12;
constexpr unsigned kInline = 0x80;
constexpr unsigned kOneRow = 0x40;
constexpr unsigned kChain = 0x00;
constexpr unsigned char kDataPage = 0x01;

// One row of a long-value page: the page is in the file, holds long values ("LVAL" where a
// data page names its table) and has the row.
std::optional<std::string_view> LongValueRow(const JetFileHandle& file, std::uint32_t pageRow) {
  const std::uint32_t page = pageRow >> 8;
  if (page == 0 || static_cast<std::int64_t>(page) >= file.Layout().pageCount) return std::nullopt;
  void* buffer = nullptr;
  int start = 0;
  std::size_t length = 0;
  if (Libmdb().findPageRow(file.Mdb(), static_cast<int>(pageRow), &buffer, &start, &length) != 0) {
    return std::nullopt;
  }
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  const auto pageSize = static_cast<std::size_t>(file.Layout().pageSize);
  if (bytes[0] != kDataPage || std::memcmp(bytes + 4, "LVAL", 4) != 0 ||
      static_cast<std::size_t>(start) + length > pageSize) {
    return std::nullopt;
  }
  return std::string_view(reinterpret_cast<const char*>(bytes) + start, length);
}

}  // namespace

std::optional<std::string> ReadJetLongValue(const JetFileHandle& file,
                                            std::string_view definition) {
  if (definition.size() < kDefinitionSize) return std::nullopt;
  const auto word = static_cast<std::uint32_t>(LittleEndian32(definition));
  const std::size_t length = word & 0x00FFFFFF;
  const unsigned kind = word >> 24;
  const auto fileSize = static_cast<std::size_t>(file.Layout().pageCount * file.Layout().pageSize);
  if (length > fileSize) return std::nullopt;
  if (kind == kInline) {
    const std::string_view value = definition.substr(kDefinitionSize);
    if (value.size() < length) return std::nullopt;
    return std::string(value.substr(0, length));
  }
  auto pageRow = static_cast<std::uint32_t>(LittleEndian32(definition.substr(4)));
  if (kind == kOneRow) {
    const std::optional<std::string_view> row = LongValueRow(file, pageRow);
    if (!row || row->size() < length) return std::nullopt;
    return std::string(row->substr(0, length));
  }
  if (kind != kChain) return std::nullopt;
  std::string value;
  value.reserve(length);
  std::unordered_set<std::uint32_t> visited;
  while (value.size() < length) {
    if (pageRow == 0 || !visited.insert(pageRow).second) return std::nullopt;  // ends early, loops
    const std::optional<std::string_view> row = LongValueRow(file, pageRow);
    if (!row || row->size() < 4) return std::nullopt;
    pageRow = static_cast<std::uint32_t>(LittleEndian32(*row));
    const std::string_view part = row->substr(4);
    value.append(part.substr(0, length - value.size()));
  }
  return value;
}

}  // namespace tarnwick
