#include "gui/SqlHighlighter.h"

#include <QTextCharFormat>
#include <vector>

namespace tarnwick {

namespace {

// UTF-16 positions of a text for each byte offset of its UTF-8 form (one past the end too).
std::vector<int> Utf16Positions(const QByteArray& utf8) {
  std::vector<int> positions(static_cast<std::size_t>(utf8.size()) + 1);
  int position = 0;
  for (qsizetype i = 0; i < utf8.size(); ++i) {
    positions[static_cast<std::size_t>(i)] = position;
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if ((byte & 0xC0) != 0x80) position += byte >= 0xF0 ? 2 : 1;  // a character starts here
  }
  positions.back() = position;
  return positions;
}

}  // namespace

SqlHighlighter::SqlHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

QColor SqlHighlighter::ColourOf(SqlColour colour) {
  switch (colour) {
    case SqlColour::Keyword:
      return QColor(0, 0, 192);
    case SqlColour::Function:
      return QColor(128, 0, 128);
    case SqlColour::Text:
      return QColor(163, 21, 21);
    case SqlColour::Date:
      return QColor(150, 75, 0);
    case SqlColour::Number:
      return QColor(0, 110, 90);
    case SqlColour::Comment:
      return QColor(0, 120, 0);
    case SqlColour::Plain:
      break;
  }
  return QColor(Qt::black);
}

void SqlHighlighter::highlightBlock(const QString& text) {
  ++blocksColoured_;
  const int previous = previousBlockState();
  const auto carried = previous < 0 ? OpenForm::None : static_cast<OpenForm>(previous);
  const QByteArray utf8 = text.toUtf8();
  OpenForm leftOpen = OpenForm::None;
  const std::vector<ColourSpan> spans = ColourLine(
      std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), carried, leftOpen);
  setCurrentBlockState(static_cast<int>(leftOpen));
  if (spans.empty()) return;
  const std::vector<int> positions = Utf16Positions(utf8);
  for (const ColourSpan& span : spans) {
    QTextCharFormat format;
    format.setForeground(ColourOf(span.colour));
    if (span.colour == SqlColour::Comment) format.setFontItalic(true);
    const int start = positions[span.offset];
    setFormat(start, positions[span.offset + span.length] - start, format);
  }
}

}  // namespace tarnwick
