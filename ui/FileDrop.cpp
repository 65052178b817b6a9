#include "ui/FileDrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "formats/Formats.h"
#include "ui/XGTranslator.h"

TDroppedKind DroppedKind(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == QLatin1String("xg")) return TDroppedKind::Quest;
  if (suffix == QLatin1String("txg")) return TDroppedKind::Project;
  if (suffix == QLatin1String("txt")) return TDroppedKind::Messages;
  if (FormatForFile(FileNameForLibrary(fileName)) != nullptr) return TDroppedKind::ToolsFile;
  return TDroppedKind::None;
}

namespace {

// The first local file of the drop that the window can open.
QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls())
    if (url.isLocalFile() && DroppedKind(url.toLocalFile()) != TDroppedKind::None) return url.toLocalFile();
  return {};
}

}  // namespace

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QString fileName = DroppedFile(event->mimeData());
  if (fileName.isEmpty()) return;
  event->acceptProposedAction();
  RunGuarded([this, &fileName] { OpenDroppedFile(fileName); });
}

void TForm1::OpenDroppedFile(const QString& fileName) {
  switch (DroppedKind(fileName)) {
    case TDroppedKind::Quest:
    case TDroppedKind::Project:
      if (!MayDiscardChanges()) return;
      OpenFile(fileName);
      break;
    case TDroppedKind::Messages:
      // Nothing is thrown away: the import is one step that undo takes back.
      LoadMessagesFromFile(fileName);
      break;
    case TDroppedKind::ToolsFile:
      ImportFromTools(fileName);
      break;
    case TDroppedKind::None:
      break;
  }
}

void TForm1::OpenRecentFile(const QString& fileName) {
  if (!MayDiscardChanges()) return;
  OpenFile(fileName);
}
