#pragma once
// The application's start-up: the window with its catalogue, then the file named on the command
// line. A start-up failure is shown and leaves no window.
#include <QStringList>

#include <memory>

#include "ui/XGTranslator.h"

// `arguments` as QCoreApplication gives them (the program first). Returns no window when the
// catalogue could not be read; the error has then been shown.
std::unique_ptr<TForm1> StartTranslator(TWindowDialogs& dialogs, const QStringList& arguments,
                                        const QStringList& catalogueCandidates = DefaultCatalogueCandidates());
