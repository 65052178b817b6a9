#pragma once
// Files dropped on the window, opened the way the desktop expects: a quest makes a new project,
// a project is opened, a text file is read as translated messages, a PO or XLIFF file is imported.
#include <QString>

enum class TDroppedKind { None, Quest, Project, Messages, ToolsFile };

// By the extension, in any letter case.
TDroppedKind DroppedKind(const QString& fileName);
