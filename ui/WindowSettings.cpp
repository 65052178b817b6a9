#include "ui/WindowSettings.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QSettings>

#include "support/Installation.h"

namespace {

QString FolderKey(const TFileDialog& dialog) { return QStringLiteral("folders/") + dialog.Name; }

}  // namespace

void RestoreWindowSettings(QMainWindow& window, const std::vector<TFileDialog*>& dialogs,
                           const std::function<void(const QFont&)>& applyFont) {
  QSettings settings;
  if (settings.contains(QStringLiteral("window/geometry")))
    window.restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray());
  // Where the panels are docked and how large they are.
  if (settings.contains(QStringLiteral("window/state")))
    window.restoreState(settings.value(QStringLiteral("window/state")).toByteArray());
  QFont font;
  if (settings.contains(QStringLiteral("window/font")) &&
      font.fromString(settings.value(QStringLiteral("window/font")).toString()))
    applyFont(font);
  for (TFileDialog* dialog : dialogs) dialog->Folder = settings.value(FolderKey(*dialog)).toString();
}

void SaveWindowSettings(const QMainWindow& window, const QFont& font, const std::vector<TFileDialog*>& dialogs) {
  QSettings settings;
  settings.setValue(QStringLiteral("window/geometry"), window.saveGeometry());
  settings.setValue(QStringLiteral("window/state"), window.saveState());
  settings.setValue(QStringLiteral("window/font"), font.toString());
  for (TFileDialog* dialog : dialogs) {
    const QString folder = dialog->FileName.isEmpty() ? dialog->Folder : QFileInfo(dialog->FileName).absolutePath();
    if (!folder.isEmpty()) settings.setValue(FolderKey(*dialog), folder);
  }
}

QStringList DefaultCatalogueCandidates() {
  QStringList candidates;
  for (const std::string& candidate : CatalogueCandidates()) candidates << QFile::decodeName(candidate.c_str());
  return candidates;
}

QString FirstExistingFile(const QStringList& candidates) {
  for (const QString& candidate : candidates)
    if (QFileInfo(candidate).isFile()) return candidate;
  return candidates.isEmpty() ? QString() : candidates.front();
}
