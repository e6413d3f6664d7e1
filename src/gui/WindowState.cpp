#include "gui/WindowState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace tarnwick {

namespace {

constexpr int kLargestFontSize = 200;
constexpr int kRecentDatabases = 5;

const char* FolderKey(FileKind kind) {
  switch (kind) {
    case FileKind::Database:
      return "folders/database";
    case FileKind::SqlScript:
      return "folders/sql";
    case FileKind::ResultLog:
      return "folders/log";
  }
  return "folders/other";
}

// A switch as the file writes it: "true" or "false".
std::optional<bool> ReadSwitch(const QVariant& value) {
  const QString text = value.toString();
  if (text == QStringLiteral("true")) return true;
  if (text == QStringLiteral("false")) return false;
  return std::nullopt;
}

}  // namespace

QString WindowState::DefaultPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/tarnwick/window.conf");
}

WindowState::WindowState(const QString& path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)) {
  const QFileInfo file(path);
  const bool unreadable = file.exists() && !file.isReadable();
  // A file of something else holds none of the window's values.
  const bool foreign = file.exists() && file.size() > 0 &&
                       !settings_->contains(QStringLiteral("window/geometry")) &&
                       settings_->childGroups().isEmpty();
  ignored_ =
      unreadable || foreign || settings_->status() != QSettings::NoError || HoldsWrongKinds();
  if (!ignored_) return;
  // What it held counts for nothing; the window's values replace it at the end.
  if (unreadable) {
    settings_->clear();
    return;
  }
  settings_.reset();
  QFile::remove(path);
  settings_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

bool WindowState::HoldsWrongKinds() const {
  for (const char* key : {"window/divider", "panes/fontSize", "panel/width"}) {
    if (settings_->contains(QLatin1String(key))) {
      bool number = false;
      settings_->value(QLatin1String(key)).toString().toInt(&number);
      if (!number) return true;
    }
  }
  for (const char* key : {"panes/noWrap", "panes/clearAfterRun", "panel/shown"}) {
    if (settings_->contains(QLatin1String(key)) &&
        !ReadSwitch(settings_->value(QLatin1String(key))))
      return true;
  }
  return settings_->contains(QStringLiteral("window/geometry")) &&
         settings_->value(QStringLiteral("window/geometry")).typeId() != QMetaType::QByteArray;
}

std::optional<int> WindowState::Integer(const char* key, int lowest, int highest) const {
  bool number = false;
  const int value = settings_->value(QLatin1String(key)).toString().toInt(&number);
  if (!number || value < lowest || value > highest) return std::nullopt;
  return value;
}

std::optional<bool> WindowState::Switch(const char* key) const {
  return ReadSwitch(settings_->value(QLatin1String(key)));
}

std::optional<QByteArray> WindowState::Geometry() const {
  const QVariant value = settings_->value(QStringLiteral("window/geometry"));
  if (value.typeId() != QMetaType::QByteArray) return std::nullopt;
  return value.toByteArray();
}

std::optional<int> WindowState::DividerHeight() const {
  return Integer("window/divider", 0, 100000);
}
std::optional<int> WindowState::FontSize() const {
  return Integer("panes/fontSize", 1, kLargestFontSize);
}
std::optional<bool> WindowState::WordWrap() const { return Switch("panes/noWrap"); }
std::optional<bool> WindowState::ClearText() const { return Switch("panes/clearAfterRun"); }
std::optional<bool> WindowState::TablePanel() const { return Switch("panel/shown"); }
std::optional<int> WindowState::TablePanelWidth() const {
  return Integer("panel/width", 1, 100000);
}

QString WindowState::Folder(FileKind kind) const {
  return settings_->value(QLatin1String(FolderKey(kind))).toString();
}

QStringList WindowState::RecentDatabases() const {
  QStringList paths = settings_->value(QStringLiteral("recent/databases")).toStringList();
  paths.removeAll(QString());
  return paths.mid(0, kRecentDatabases);
}

void WindowState::SetGeometry(const QByteArray& geometry) {
  settings_->setValue(QStringLiteral("window/geometry"), geometry);
}
void WindowState::SetDividerHeight(int height) {
  settings_->setValue(QStringLiteral("window/divider"), height);
}
void WindowState::SetFontSize(int points) {
  settings_->setValue(QStringLiteral("panes/fontSize"), points);
}
void WindowState::SetWordWrap(bool noWrap) {
  settings_->setValue(QStringLiteral("panes/noWrap"), noWrap);
}
void WindowState::SetClearText(bool clear) {
  settings_->setValue(QStringLiteral("panes/clearAfterRun"), clear);
}
void WindowState::SetTablePanel(bool shown) {
  settings_->setValue(QStringLiteral("panel/shown"), shown);
}
void WindowState::SetTablePanelWidth(int width) {
  settings_->setValue(QStringLiteral("panel/width"), width);
}
void WindowState::SetFolder(FileKind kind, const QString& folder) {
  settings_->setValue(QLatin1String(FolderKey(kind)), folder);
}
void WindowState::SetRecentDatabases(const QStringList& paths) {
  settings_->setValue(QStringLiteral("recent/databases"), paths.mid(0, kRecentDatabases));
}

bool WindowState::Write() {
  QDir().mkpath(QFileInfo(settings_->fileName()).absolutePath());
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

}  // namespace tarnwick
