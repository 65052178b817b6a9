// The window tests need a QApplication before any widget exists, so they bring their own main.
#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Qt and the font libraries keep caches for the life of the process on purpose; libgettextpo keeps
// a few bytes of every syntax error it reports.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig\nleak:libQt6Gui\nleak:libQt6Core\nleak:libQt6Widgets\nleak:libdbus\nleak:libglib\n"
         "leak:libgettextpo\n";
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The window remembers recent files and its geometry in QSettings: each run of the tests gets
  // settings of its own, never the user's.
  QTemporaryDir settings;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(settings.path()));
  // The same for the state folder, where journals of projects never saved are kept.
  QTemporaryDir state;
  qputenv("XDG_DATA_HOME", QFile::encodeName(state.path()));
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
