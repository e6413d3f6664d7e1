#include "gui/PaneText.h"

#include "data/Cp932.h"

namespace tarnwick {

std::string ToConsoleText(const QString& paneText) {
  QString withCrLf = paneText;
  withCrLf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  const QByteArray utf8 = withCrLf.toUtf8();
  return Utf8ToSjis(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString FromConsoleText(std::string_view sjisText) {
  QString text;
  if (IsAscii(sjisText)) {
    text = QString::fromLatin1(sjisText.data(), static_cast<qsizetype>(sjisText.size()));
  } else {
    const std::string utf8 = SjisToUtf8(sjisText);
    text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  }
  if (text.contains(QLatin1Char('\r'))) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  }
  return text;
}

std::string ConsolePath(const QString& path) {
  const QByteArray utf8 = path.toUtf8();
  return Utf8ToSjis(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString QtPath(std::string_view sjisPath) {
  const std::string utf8 = NativePath(sjisPath);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace tarnwick
