#include "gui/PaneText.h"

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

QString FromConsoleText(std::string_view sjisText) {
  QString text = IsAscii(sjisText)
                     ? QString::fromLatin1(sjisText.data(), static_cast<qsizetype>(sjisText.size()))
                     : QStringFromUtf8(SjisToUtf8(sjisText));
  if (text.contains(QLatin1Char('\r'))) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  }
  return text;
}

std::string ConsolePath(const QString& path) { return SjisFromQString(path); }

QString QtPath(std::string_view sjisPath) { return QStringFromUtf8(NativePath(sjisPath)); }

}  // namespace tarnwick
