#include <QApplication>

#include <cstdlib>
#include <cstring>
#include <iostream>

#include "formats/PoFormat.h"
#include "support/Installation.h"
#include "ui/Automation.h"
#include "ui/QtWindowDialogs.h"
#include "ui/StartUp.h"

namespace {

const char* const Usage =
    "usage: xgtranslator [FILE]\n"
    "       xgtranslator --help | --version\n"
    "Opens FILE at start-up: a .txg file as a project, any other file as a quest;\n"
    "a folder is opened as the workspace, its projects listed in the Workspace panel.\n";

// Without any of these Qt aborts with "could not connect to display"; say what to do instead.
const char* const NoDisplayAdvice =
    "xgtranslator: there is no display to show the window on (DISPLAY, WAYLAND_DISPLAY and\n"
    "QT_QPA_PLATFORM are all unset). Start it in one of these ways:\n"
    "  - from a desktop session (X11 or Wayland);\n"
    "  - under a virtual X server:  xvfb-run -a xgtranslator [FILE]\n"
    "  - as a VNC server:  QT_QPA_PLATFORM=vnc xgtranslator [FILE]\n"
    "    then connect a VNC viewer to port 5900 of this machine.\n"
    "xgtool does the same work on the command line without a window (xgtool --help).\n";

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

bool HasDisplay(int argc, char* argv[]) {
  if (IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM")) return true;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before Qt starts, so that they work without a display.
  if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::cout << Usage;
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "xgtranslator " << ProgramVersion() << "\n";
    return 0;
  }
  if (!HasDisplay(argc, argv)) {
    std::cerr << NoDisplayAdvice;
    return 1;
  }
  ReadPoFilesAsBytes();
  QApplication application(argc, argv);
  // Lets the desktop match the window with the installed .desktop file and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("xgtranslator"));
  // Where QSettings keeps what the window remembers.
  QCoreApplication::setOrganizationName(QStringLiteral("xgtranslator"));
  QCoreApplication::setApplicationName(QStringLiteral("xgtranslator"));
  // The test switch `--automation INPUT` (ui/Automation.h), taken out before the file is looked for.
  QStringList arguments = QCoreApplication::arguments();
  QString automationInput;
  if (const qsizetype at = arguments.indexOf(QStringLiteral("--automation")); at > 0) {
    if (at + 1 >= arguments.size()) {
      std::cerr << "xgtranslator: --automation needs an input\n";
      return 1;
    }
    automationInput = arguments.at(at + 1);
    arguments.remove(at, 2);
  }
  TQtWindowDialogs dialogs;
  const std::unique_ptr<TForm1> window = StartTranslator(dialogs, arguments);
  if (!window) return 1;
  std::unique_ptr<TAutomation> automation;
  if (!automationInput.isEmpty()) {
    try {
      automation = std::make_unique<TAutomation>(*window, automationInput, std::cout);
    } catch (const std::exception& error) {
      std::cerr << "xgtranslator: " << error.what() << "\n";
      return 1;
    }
  }
  return QApplication::exec();
}
