#pragma once
// The commands that reuse the translations of a whole game: Tools → Pre-translate… (from the
// memory, which holds the workspace's other quests when one is open) and the concordance search. Each is a session
// operation; this asks the translator and tells the result.
#include <QObject>

class TForm1;
class TWindowDialogs;

class TWorkspaceCommands : public QObject {
 public:
  // Adds the commands to the menus of `window`, which are made already.
  TWorkspaceCommands(TForm1& window, TWindowDialogs& dialogs, QObject* parent);

  void Pretranslate();
  // Edit → Concordance Search (Ctrl+Shift+K): the suggestions panel's concordance field, ready.
  void FocusConcordance();
  // Tools → Workspace Settings…: workspace.ini edited and put to use.
  void EditSettings();
  // Why the workspace's settings could not be read, when they could not.
  void ShowSettingsProblem();

 private:
  TForm1& window_;
  TWindowDialogs& dialogs_;
};
