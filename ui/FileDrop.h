#pragma once
// Files dropped on the window, opened the way the desktop expects: a quest makes a new project,
// a project is opened, a text file is read as translated messages, a PO or XLIFF file is imported,
// a folder is opened as the workspace.
#include <QString>

class QMimeData;

enum class TDroppedKind { None, Quest, Project, Messages, ToolsFile, Folder };

// By the extension, in any letter case; a folder by what it is.
TDroppedKind DroppedKind(const QString& fileName);
// The first local file of a drop that the window can open; empty when there is none.
QString DroppedFile(const QMimeData* data);
