#pragma once
// Moving between messages: by position (Back, Forward, the track bar, Go to message), to the next
// unfinished message and to the next message with problems. Every move ends in the track bar, whose
// change shows the message; a search that finds nothing says so in a message box.
#include <QString>

#include <cstdint>
#include <functional>

class QWidget;
class TSpellChecker;
class TTrackBar;
class TTranslationSession;
class TWindowDialogs;

class TMessageNavigator {
 public:
  TMessageNavigator(TTranslationSession& session, TTrackBar& trackBar, TWindowDialogs& dialogs, QWidget* window);

  // The speller the problem search asks (nullptr while spelling is off).
  std::function<TSpellChecker*()> Speller;

  void ShowPosition(int position);  // a negative position is no move
  void Step(int direction);         // the neighbouring position, -1 or +1
  void FindNotEdited();
  void GoToUnfinished(int direction);
  void GoToProblem(int direction);
  // Asks for a position; false when cancelled or the project is empty.
  bool GoToMessage();

 private:
  // Shows position `found`, or says `none` when it is below 1.
  void GoToFound(int32_t found, const QString& none);

  TTranslationSession& session_;
  TTrackBar& trackBar_;
  TWindowDialogs& dialogs_;
  QWidget* window_;
};
