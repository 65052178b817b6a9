#include <QApplication>

#include "ui/QtWindowDialogs.h"
#include "ui/StartUp.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // Lets the desktop match the window with the installed .desktop file and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("xgtranslator"));
  // Where QSettings keeps what the window remembers.
  QCoreApplication::setOrganizationName(QStringLiteral("xgtranslator"));
  QCoreApplication::setApplicationName(QStringLiteral("xgtranslator"));
  TQtWindowDialogs dialogs;
  const std::unique_ptr<TForm1> window = StartTranslator(dialogs, QCoreApplication::arguments());
  if (!window) return 1;
  return QApplication::exec();
}
