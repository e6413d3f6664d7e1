#include "gui/SqlHighlighter.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextBlockUserData>
#include <QTextCharFormat>
#include <QTextDocument>
#include <algorithm>
#include <vector>

namespace tarnwick {

namespace {

// What a line was coloured with: the form it started in and the form it leaves open. Kept
// beside the block, not as Qt's block state, which would make Qt recolour every following
// line inside the keystroke.
struct LineForms : QTextBlockUserData {
  OpenForm carriedIn = OpenForm::None;
  OpenForm leftOpen = OpenForm::None;
};

const LineForms* FormsOf(const QTextBlock& block) {
  return block.isValid() ? static_cast<const LineForms*>(block.userData()) : nullptr;
}

OpenForm LeftOpenBy(const QTextBlock& block) {
  const LineForms* forms = FormsOf(block);
  return forms == nullptr ? OpenForm::None : forms->leftOpen;
}

// True when the line was coloured with another start than the line before now gives it.
bool Stale(const QTextBlock& block) {
  const LineForms* forms = FormsOf(block);
  return forms == nullptr || forms->carriedIn != LeftOpenBy(block.previous());
}

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

SqlHighlighter::SqlHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
  followUp_.setSingleShot(true);
  followUp_.setInterval(1);
  connect(&followUp_, &QTimer::timeout, this, &SqlHighlighter::FollowUp);
}

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
  const QTextBlock block = currentBlock();
  auto* forms = static_cast<LineForms*>(currentBlockUserData());
  if (forms == nullptr) {
    forms = new LineForms;
    setCurrentBlockUserData(forms);
  }
  forms->carriedIn = LeftOpenBy(block.previous());

  const QByteArray utf8 = text.toUtf8();
  const std::vector<ColourSpan> spans =
      ColourLine(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                 forms->carriedIn, forms->leftOpen);
  if (!spans.empty()) {
    const std::vector<int> positions = Utf16Positions(utf8);
    for (const ColourSpan& span : spans) {
      QTextCharFormat format;
      format.setForeground(ColourOf(span.colour));
      if (span.colour == SqlColour::Comment) format.setFontItalic(true);
      const int start = positions[span.offset];
      setFormat(start, positions[span.offset + span.length] - start, format);
    }
  }
  if (followingUp_) return;
  // The next line was coloured with another start: it and the lines after it follow up. (A
  // line not coloured yet is new, and Qt colours it in this pass.) An edit before the lines
  // that wait may have moved them: the follow-up starts at the edit.
  const LineForms* next = FormsOf(block.next());
  const bool nextStale = next != nullptr && next->carriedIn != forms->leftOpen;
  if (nextStale || followUp_.isActive()) {
    followFrom_ = std::min(followFrom_, block.blockNumber());
    followUp_.start();
  }
}

void SqlHighlighter::FollowUp() {
  QElapsedTimer slice;
  slice.start();
  followingUp_ = true;
  QTextBlock block = document()->findBlockByNumber(followFrom_);
  for (; block.isValid(); block = block.next()) {
    if (!Stale(block)) continue;
    rehighlightBlock(block);
    if (slice.nsecsElapsed() >= kFollowUpSlice * 1000LL && block.next().isValid()) {
      block = block.next();
      break;
    }
  }
  followingUp_ = false;
  if (block.isValid()) {
    followFrom_ = block.blockNumber();
    followUp_.start();
  } else {
    followFrom_ = std::numeric_limits<int>::max();
  }
}

}  // namespace tarnwick
