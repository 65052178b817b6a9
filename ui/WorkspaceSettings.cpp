#include "ui/WorkspaceSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {

const QString LanguageKey = QStringLiteral("language");
const QString MemoriesKey = QStringLiteral("memories");
const QString GlossariesKey = QStringLiteral("glossaries");

std::vector<std::string> FullPaths(const QDir& folder, const QStringList& files) {
  std::vector<std::string> paths;
  for (const QString& file : files)
    if (!file.trimmed().isEmpty()) paths.push_back(QFile::encodeName(folder.absoluteFilePath(file)).toStdString());
  return paths;
}

QStringList StoredPaths(const QDir& folder, const std::vector<std::string>& files) {
  QStringList stored;
  for (const std::string& file : files) {
    const QString path = QFile::decodeName(file.c_str());
    const QString relative = folder.relativeFilePath(path);
    stored << (relative.startsWith(QStringLiteral("..")) || QDir::isAbsolutePath(relative) ? path : relative);
  }
  return stored;
}

QString StatusText(QSettings::Status status) {
  return status == QSettings::FormatError ? QStringLiteral("not a settings file in INI format")
                                          : QStringLiteral("cannot be read or written");
}

}  // namespace

QString WorkspaceSettingsFile(const QString& folder) { return QDir(folder).filePath(QStringLiteral("workspace.ini")); }

TWorkspaceSettings ReadWorkspaceSettings(const QString& folder) {
  const QString file = WorkspaceSettingsFile(folder);
  TWorkspaceSettings settings;
  if (!QFileInfo::exists(file)) return settings;
  // QSettings reads an unreadable file as an empty one: the file is tried first.
  if (QFile probe(file); !probe.open(QIODevice::ReadOnly))
    throw EWorkspaceSettingsError(file.toStdString() + ": " + probe.errorString().toStdString());
  const QSettings stored(file, QSettings::IniFormat);
  if (stored.status() != QSettings::NoError)
    throw EWorkspaceSettingsError(file.toStdString() + ": " + StatusText(stored.status()).toStdString());
  const QDir dir(folder);
  settings.Language = stored.value(LanguageKey).toString().trimmed();
  settings.MemoryFiles = FullPaths(dir, stored.value(MemoriesKey).toStringList());
  settings.GlossaryFiles = FullPaths(dir, stored.value(GlossariesKey).toStringList());
  return settings;
}

void WriteWorkspaceSettings(const QString& folder, const TWorkspaceSettings& settings) {
  const QString file = WorkspaceSettingsFile(folder);
  const QDir dir(folder);
  QSettings stored(file, QSettings::IniFormat);
  stored.setValue(LanguageKey, settings.Language);
  stored.setValue(MemoriesKey, StoredPaths(dir, settings.MemoryFiles));
  stored.setValue(GlossariesKey, StoredPaths(dir, settings.GlossaryFiles));
  stored.sync();
  if (stored.status() != QSettings::NoError)
    throw EWorkspaceSettingsError(file.toStdString() + ": " + StatusText(stored.status()).toStdString());
}
