#include "data/KeyRowset.h"

#include <optional>
#include <utility>

#include "text/AsciiCase.h"
#include "text/Cp932.h"
#include "text/TarnwickError.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Reads a filter text byte by byte. Shift-JIS trail bytes are never below 0x40, so the
// apostrophe and the other bytes looked for here never occur inside a double-byte character.
class FilterReader {
 public:
  explicit FilterReader(std::string_view text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }
  bool AtEnd() const { return pos_ >= text_.size(); }

  bool TakeKeyword(std::string_view keyword) {
    if (!StartsWithIgnoringAsciiCase(text_.substr(pos_), keyword)) return false;
    pos_ += keyword.size();
    return true;
  }

  bool TakeChar(char expected) {
    if (AtEnd() || text_[pos_] != expected) return false;
    ++pos_;
    return true;
  }

  // A '...' literal in which '' stands for one apostrophe; nothing when it is not closed.
  std::optional<std::string> TakeQuoted() {
    if (!TakeChar('\'')) return std::nullopt;
    std::string value;
    while (!AtEnd()) {
      char c = text_[pos_++];
      if (c != '\'') {
        value.push_back(c);
      } else if (TakeChar('\'')) {
        value.push_back('\'');
      } else {
        return value;
      }
    }
    return std::nullopt;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// The table name of "TABLE_NAME = '<name>'", or nothing when the text has another form.
std::optional<std::string> ParseTableNameFilter(std::string_view filter) {
  FilterReader reader(filter);
  reader.SkipBlanks();
  if (!reader.TakeKeyword("TABLE_NAME")) return std::nullopt;
  reader.SkipBlanks();
  if (!reader.TakeChar('=')) return std::nullopt;
  reader.SkipBlanks();
  std::optional<std::string> name = reader.TakeQuoted();
  reader.SkipBlanks();
  if (!name || !reader.AtEnd()) return std::nullopt;
  return name;
}

bool IsBlankText(std::string_view text) {
  for (char c : text) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

}  // namespace

KeyRowset::KeyRowset(std::vector<KeyRow> rows) : rows_(std::move(rows)) { SetFilter({}); }

void KeyRowset::SetFilter(std::string_view filter) {
  std::vector<std::size_t> visible;
  if (IsBlankText(filter)) {
    for (std::size_t i = 0; i < rows_.size(); ++i) visible.push_back(i);
  } else {
    std::optional<std::string> tableName = ParseTableNameFilter(filter);
    if (!tableName) {
      throw TarnwickError(msg::FilterNotValid(SjisToUtf8(filter)));
    }
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      if (rows_[i].tableName == *tableName) visible.push_back(i);
    }
  }
  visible_ = std::move(visible);
  position_ = 0;
}

void KeyRowset::First() { position_ = 0; }

void KeyRowset::Next() {
  if (!Eof()) ++position_;
}

bool KeyRowset::Eof() const { return position_ >= visible_.size(); }

int KeyRowset::RecordCount() const { return static_cast<int>(visible_.size()); }

const KeyRow& KeyRowset::Current() const {
  if (Eof()) throw TarnwickError(msg::NoCurrentRow());
  return rows_[visible_[position_]];
}

}  // namespace tarnwick
