#pragma once
// The edge between the console's text (Shift-JIS bytes, CR LF line breaks) and the text the
// panes hold (QString, '\n' line breaks).
#include <QString>
#include <string>
#include <string_view>

namespace tarnwick {

// A pane's text as console text: every '\n' becomes CR LF, the characters become Shift-JIS.
std::string ToConsoleText(const QString& paneText);

// Console text as pane text: CR LF, and a CR or LF on its own, become '\n'.
QString FromConsoleText(std::string_view sjisText);
// The same for console text in UTF-8 (the result grid's lines).
QString FromUtf8ConsoleText(std::string_view utf8Text);

// A path as the console holds it (Shift-JIS) from a path as the file system and Qt give it.
std::string ConsolePath(const QString& path);
// A console path as Qt wants it.
QString QtPath(std::string_view sjisPath);

}  // namespace tarnwick
