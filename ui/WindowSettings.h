#pragma once
// What the window remembers between runs in the application's QSettings: its size and position,
// where its panels are, the font of the texts and the folder each file dialog last used. Restored
// once at start-up (StartTranslator), saved when the window closes, so a window made for a test
// starts as it was designed.
#include <QFont>
#include <QStringList>

#include <functional>
#include <vector>

#include "ui/WindowDialogs.h"

class QMainWindow;

// Where "msg_cfg.txt" is looked for, in order: the core's CatalogueCandidates (current directory,
// the folder of the executable, the installed data folder), shared with xgtool.
QStringList DefaultCatalogueCandidates();
// The first of `candidates` that is a file; with none, the first candidate (the error of opening it
// names the first place looked at), or empty when there are none.
QString FirstExistingFile(const QStringList& candidates);

void RestoreWindowSettings(QMainWindow& window, const std::vector<TFileDialog*>& dialogs,
                           const std::function<void(const QFont&)>& applyFont);
void SaveWindowSettings(const QMainWindow& window, const QFont& font, const std::vector<TFileDialog*>& dialogs);
