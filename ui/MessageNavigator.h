#pragma once
// Moving between messages: by position (Back, Forward, the track bar, Go to message), to the next
// unfinished message and to the next message with problems. While the message list is filtered or
// sorted, the keyboard's steps and the unfinished search follow its rows instead. Every move ends
// in the track bar, whose change shows the message; a search that finds nothing says so in a
// message box.
#include <QString>

#include <cstdint>
#include <functional>
#include <string>

class QWidget;
class TSpellChecker;
class TTrackBar;
class TTranslationSession;
class TWindowDialogs;

class TMessageListModel;

class TMessageNavigator {
 public:
  TMessageNavigator(TTranslationSession& session, TTrackBar& trackBar, TWindowDialogs& dialogs, QWidget* window);

  // The speller the problem search asks (nullptr while spelling is off).
  std::function<TSpellChecker*()> Speller;
  // The message list whose order StepListed and GoToUnfinished follow (none: positions only).
  const TMessageListModel* List = nullptr;

  // Called after each move of the Go menu below: the translator goes on typing there.
  std::function<void()> AfterKeyboardMove;

  // The picture buttons' and the track bar's moves, by position.
  void ShowPosition(int position);  // a negative position is no move
  void Step(int direction);         // the neighbouring position, -1 or +1
  void FindNotEdited();
  // The Go menu's moves.
  void StepListed(int direction);  // the neighbouring row of an arranged list, or Step
  void GoToUnfinished(int direction);
  void GoToProblem(int direction);
  // Asks for a position; false when cancelled or the project is empty.
  bool GoToMessage();
  // The message a report entry names; false when the project has no message with that id.
  bool ShowMessageWithId(const std::u16string& id);

 private:
  // Shows position `found`, or says `none` when it is below 1.
  void GoToFound(int32_t found, const QString& none);
  bool FollowsList() const;
  void ReadyForTyping();
  // The list's next row from the shown message whose message `wanted` accepts; linked duplicates
  // are skipped, as by position. A position, or -1 for none.
  int32_t NextListedPosition(int direction, bool wrap, const std::function<bool(int32_t)>& wanted) const;

  TTranslationSession& session_;
  TTrackBar& trackBar_;
  TWindowDialogs& dialogs_;
  QWidget* window_;
};
