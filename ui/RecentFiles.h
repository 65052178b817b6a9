#pragma once
// Open Recent: the last projects and quests opened or saved, newest first, kept in the
// application's settings so that they outlive the run.
#include <QString>
#include <QStringList>

#include <functional>

class QMenu;

class TRecentFiles {
 public:
  static constexpr int Capacity = 8;
  // Fills `menu` from the settings; choosing an entry calls `open` with its file name.
  TRecentFiles(QMenu* menu, std::function<void(const QString&)> open);
  // Puts the file first (once) and drops what falls beyond Capacity.
  void Add(const QString& fileName);
  const QStringList& Files() const { return files_; }

 private:
  void Rebuild();
  QMenu* menu_;
  std::function<void(const QString&)> open_;
  QStringList files_;
};
