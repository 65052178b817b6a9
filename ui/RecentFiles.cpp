#include "ui/RecentFiles.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace {
const QString SettingsKey = QStringLiteral("recentFiles");
}

TRecentFiles::TRecentFiles(QMenu* menu, std::function<void(const QString&)> open)
    : menu_(menu), open_(std::move(open)) {
  files_ = QSettings().value(SettingsKey).toStringList();
  while (files_.size() > Capacity) files_.removeLast();
  Rebuild();
}

void TRecentFiles::Add(const QString& fileName) {
  const QString absolute = QFileInfo(fileName).absoluteFilePath();
  files_.removeAll(absolute);
  files_.prepend(absolute);
  while (files_.size() > Capacity) files_.removeLast();
  QSettings().setValue(SettingsKey, files_);
  Rebuild();
}

void TRecentFiles::Rebuild() {
  menu_->clear();
  for (int i = 0; i < files_.size(); ++i) {
    const QString file = files_[i];
    QAction* action = menu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(file).fileName()));
    action->setToolTip(file);
    action->setStatusTip(file);
    QObject::connect(action, &QAction::triggered, menu_, [this, file] { open_(file); });
  }
  menu_->setEnabled(!files_.isEmpty());
}
