#include "ui/WindowSettings.h"

#include <QFileInfo>
#include <QSettings>

#include "ui/XGTranslator.h"

namespace {

std::vector<TFileDialog*> FileDialogs(TForm1& form) {
  return {&form.SourceOpenDialog,   &form.ProjectOpenDialog, &form.LoadMsgsOpenDialog,
          &form.SourceSaveDialog,   &form.TargetSaveDialog,  &form.ProjectSaveDialog,
          &form.SaveMsgsSaveDialog, &form.ToolsExportDialog, &form.ToolsImportDialog};
}

QString FolderKey(const TFileDialog& dialog) { return QStringLiteral("folders/") + dialog.Name; }

}  // namespace

void RestoreWindowSettings(TForm1& form) {
  QSettings settings;
  if (settings.contains(QStringLiteral("window/geometry")))
    form.restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray());
  // Where the panels are docked and how large they are.
  if (settings.contains(QStringLiteral("window/state")))
    form.restoreState(settings.value(QStringLiteral("window/state")).toByteArray());
  QFont font;
  if (settings.contains(QStringLiteral("window/font")) &&
      font.fromString(settings.value(QStringLiteral("window/font")).toString()))
    form.ApplyFont(font);
  for (TFileDialog* dialog : FileDialogs(form)) dialog->Folder = settings.value(FolderKey(*dialog)).toString();
}

void SaveWindowSettings(TForm1& form) {
  QSettings settings;
  settings.setValue(QStringLiteral("window/geometry"), form.saveGeometry());
  settings.setValue(QStringLiteral("window/state"), form.saveState());
  settings.setValue(QStringLiteral("window/font"), form.FontDialog1.Font.toString());
  for (TFileDialog* dialog : FileDialogs(form)) {
    const QString folder = dialog->FileName.isEmpty() ? dialog->Folder : QFileInfo(dialog->FileName).absolutePath();
    if (!folder.isEmpty()) settings.setValue(FolderKey(*dialog), folder);
  }
}
