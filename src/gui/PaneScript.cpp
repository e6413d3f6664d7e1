#include "gui/PaneScript.h"

#include <QByteArray>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>

#include "console/StatementAtCaret.h"

namespace tarnwick {

namespace {

// The bytes a UTF-16 unit of the pane's text takes in the script: a line break is CR LF, and
// a surrogate pair's four bytes count with its first unit.
std::size_t BytesOf(QChar c) {
  const char16_t unit = c.unicode();
  if (unit == u'\n') return 2;
  if (unit < 0x80) return 1;
  if (unit < 0x800) return 2;
  if (QChar::isHighSurrogate(unit)) return 4;
  if (QChar::isLowSurrogate(unit)) return 0;
  return 3;
}

}  // namespace

PaneExcerpt ExcerptAround(const QTextDocument& document, int position, int lines) {
  const QTextBlock at = document.findBlock(position);
  QTextBlock first = at;
  for (int i = 0; i < lines && first.previous().isValid(); ++i) first = first.previous();
  QTextBlock last = at;
  for (int i = 0; i < lines && last.next().isValid(); ++i) last = last.next();
  PaneExcerpt excerpt{{}, first.position()};
  for (QTextBlock block = first;; block = block.next()) {
    excerpt.text += block.text();
    if (block == last) break;
    excerpt.text += QLatin1Char('\n');
  }
  return excerpt;
}

PaneScript::PaneScript(QString paneText) : text_(std::move(paneText)) {
  QByteArray utf8 = text_.toUtf8();
  utf8.replace("\n", "\r\n");
  bytes_.assign(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

std::size_t PaneScript::ByteOf(int position) const {
  const qsizetype end = std::clamp<qsizetype>(position, 0, text_.size());
  std::size_t byte = 0;
  for (qsizetype i = 0; i < end; ++i) byte += BytesOf(text_[i]);
  return byte;
}

int PaneScript::PositionOf(std::size_t byte) const {
  std::size_t at = 0;
  qsizetype i = 0;
  while (i < text_.size() && at < byte) at += BytesOf(text_[i++]);
  while (i < text_.size() && text_[i].isLowSurrogate()) ++i;
  return static_cast<int>(i);
}

std::optional<PaneRange> PaneStatementAt(const PaneScript& script, int caret) {
  const std::optional<TextRange> range = StatementAtCaret(script.Bytes(), script.ByteOf(caret));
  if (!range) return std::nullopt;
  return PaneRange{script.PositionOf(range->begin), script.PositionOf(range->end)};
}

}  // namespace tarnwick
