#include "gui/PaneText.h"

#include <cstring>

#include "text/Cp932.h"

namespace tarnwick {

namespace {

std::string SjisFromQString(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return Utf8ToSjis(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString QStringFromUtf8(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

std::string ToConsoleText(const QString& paneText) {
  QString withCrLf = paneText;
  withCrLf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return SjisFromQString(withCrLf);
}

namespace {

// Every CR LF, and every CR on its own, becomes '\n', in one pass over the text that jumps
// from one CR to the next with the library's quick search.
QString WithPaneLineBreaks(QString text) {
  qsizetype i = text.indexOf(QLatin1Char('\r'));
  if (i < 0) return text;
  QChar* characters = text.data();
  const qsizetype size = text.size();
  qsizetype kept = i;
  while (i < size) {  // characters[i] is a CR
    characters[kept++] = QLatin1Char('\n');
    if (++i < size && characters[i] == QLatin1Char('\n')) ++i;
    qsizetype next = QStringView(text).indexOf(QLatin1Char('\r'), i);
    if (next < 0) next = size;
    std::memmove(characters + kept, characters + i,
                 static_cast<std::size_t>(next - i) * sizeof(QChar));
    kept += next - i;
    i = next;
  }
  text.truncate(kept);
  return text;
}

}  // namespace

QString FromConsoleText(std::string_view sjisText) {
  return WithPaneLineBreaks(
      IsAscii(sjisText)
          ? QString::fromLatin1(sjisText.data(), static_cast<qsizetype>(sjisText.size()))
          : QStringFromUtf8(SjisToUtf8(sjisText)));
}

QString FromUtf8ConsoleText(std::string_view utf8Text) {
  return WithPaneLineBreaks(QStringFromUtf8(utf8Text));
}

std::string ConsolePath(const QString& path) { return SjisFromQString(path); }

QString QtPath(std::string_view sjisPath) { return QStringFromUtf8(NativePath(sjisPath)); }

}  // namespace tarnwick
