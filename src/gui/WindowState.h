#pragma once
// What the window remembers for its user between runs, in a file of the user's configuration
// folder ("$XDG_CONFIG_HOME/tarnwick/window.conf", else "~/.config/tarnwick/window.conf"),
// never in the settings file beside the program, which stays read-only: the window's place
// and size, the divider, the panes' font size and the two switches as the user last set them,
// the folders of the file dialogs, the recent databases and whether the table panel shows.
#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "gui/DialogSeam.h"

namespace tarnwick {

class WindowState {
 public:
  // The file in the current user's configuration folder.
  static QString DefaultPath();
  // Reads the file; a file that cannot be read or holds values of the wrong kind is Ignored()
  // and all its values count as absent (it is written anew when the window ends).
  explicit WindowState(const QString& path);

  bool Ignored() const { return ignored_; }
  QString Path() const { return settings_->fileName(); }

  std::optional<QByteArray> Geometry() const;
  std::optional<int> DividerHeight() const;
  std::optional<int> FontSize() const;
  std::optional<bool> WordWrap() const;
  std::optional<bool> ClearText() const;
  std::optional<bool> TablePanel() const;
  std::optional<int> TablePanelWidth() const;
  QString Folder(FileKind kind) const;
  QStringList RecentDatabases() const;

  void SetGeometry(const QByteArray& geometry);
  void SetDividerHeight(int height);
  void SetFontSize(int points);
  void SetWordWrap(bool noWrap);
  void SetClearText(bool clear);
  void SetTablePanel(bool shown);
  void SetTablePanelWidth(int width);
  void SetFolder(FileKind kind, const QString& folder);
  void SetRecentDatabases(const QStringList& paths);
  // Writes what was set to the file; false when it cannot be written.
  bool Write();

 private:
  std::optional<int> Integer(const char* key, int lowest, int highest) const;
  std::optional<bool> Switch(const char* key) const;
  bool HoldsWrongKinds() const;

  std::unique_ptr<QSettings> settings_;
  bool ignored_ = false;
};

}  // namespace tarnwick
