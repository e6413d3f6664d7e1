#include "gui/PaneScript.h"

#include <algorithm>

#include "console/StatementAtCaret.h"

namespace tarnwick {

namespace {

void AppendUtf8(std::string& bytes, char32_t code) {
  if (code < 0x80) {
    bytes += static_cast<char>(code);
  } else if (code < 0x800) {
    bytes += static_cast<char>(0xC0 | (code >> 6));
    bytes += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    bytes += static_cast<char>(0xE0 | (code >> 12));
    bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    bytes += static_cast<char>(0xF0 | (code >> 18));
    bytes += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    bytes += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

PaneScript::PaneScript(const QString& paneText) {
  const auto size = static_cast<std::size_t>(paneText.size());
  bytes_.reserve(size + size / 2);
  byteOf_.reserve(size + 1);
  for (qsizetype i = 0; i < paneText.size(); ++i) {
    byteOf_.push_back(bytes_.size());
    const QChar c = paneText[i];
    if (c == QLatin1Char('\n')) {
      bytes_ += "\r\n";
    } else if (c.isHighSurrogate() && i + 1 < paneText.size() && paneText[i + 1].isLowSurrogate()) {
      AppendUtf8(bytes_, QChar::surrogateToUcs4(c, paneText[i + 1]));
      byteOf_.push_back(byteOf_.back());  // no character begins in the middle of a pair
      ++i;
    } else {
      AppendUtf8(bytes_, c.unicode());
    }
  }
  byteOf_.push_back(bytes_.size());
}

std::size_t PaneScript::ByteOf(int position) const {
  const auto index =
      static_cast<std::size_t>(std::clamp<int>(position, 0, int(byteOf_.size()) - 1));
  return byteOf_[index];
}

int PaneScript::PositionOf(std::size_t byte) const {
  const auto found = std::ranges::lower_bound(byteOf_, byte);
  return static_cast<int>(found - byteOf_.begin());
}

std::optional<PaneRange> PaneStatementAt(const PaneScript& script, int caret) {
  const std::optional<TextRange> range = StatementAtCaret(script.Bytes(), script.ByteOf(caret));
  if (!range) return std::nullopt;
  return PaneRange{script.PositionOf(range->begin), script.PositionOf(range->end)};
}

}  // namespace tarnwick
