#include "ui/FileDrop.h"

#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "formats/Formats.h"
#include "ui/QtText.h"

TDroppedKind DroppedKind(const QString& fileName) {
  if (QFileInfo(fileName).isDir()) return TDroppedKind::Folder;
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == QLatin1String("xg")) return TDroppedKind::Quest;
  if (suffix == QLatin1String("txg")) return TDroppedKind::Project;
  const TFormat* format = FormatForFile(FileNameForLibrary(fileName));
  if (format == nullptr) return TDroppedKind::None;
  return format->ForTranslationTools ? TDroppedKind::ToolsFile : TDroppedKind::Messages;
}

QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls())
    if (url.isLocalFile() && DroppedKind(url.toLocalFile()) != TDroppedKind::None) return url.toLocalFile();
  return {};
}
