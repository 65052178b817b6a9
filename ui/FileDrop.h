#pragma once
// Files dropped on the window, opened the way the desktop expects: a quest makes a new project,
// a project is opened, a text file is read as translated messages.
#include <QString>

enum class TDroppedKind { None, Quest, Project, Messages };

// By the extension, in any letter case.
TDroppedKind DroppedKind(const QString& fileName);
