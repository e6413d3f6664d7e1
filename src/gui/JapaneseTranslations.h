#pragma once
// Qt's own texts in Japanese: the standard dialogs (open, save, print), the buttons of every
// question (はい, いいえ, キャンセル) and the editors' context menus. The window's own captions are
// Japanese already and are not translated.
class QCoreApplication;

namespace tarnwick {

// Installs Qt's Japanese translations (Debian's qt6-translations-l10n, in Qt's translations
// folder) on the application and makes Japanese the default locale of Qt's dialogs. Returns
// false when the translations are not installed: Qt's texts then stay English.
bool InstallJapaneseTranslations(QCoreApplication& application);

}  // namespace tarnwick
