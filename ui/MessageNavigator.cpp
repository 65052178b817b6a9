#include "ui/MessageNavigator.h"

#include <algorithm>

#include "checks/ProblemSearch.h"
#include "formats/TranslationUnits.h"
#include "project/Navigation.h"
#include "project/ProjectClass.h"
#include "ui/Controls.h"
#include "ui/MessageListModel.h"
#include "ui/TranslationSession.h"
#include "ui/WindowDialogs.h"

TMessageNavigator::TMessageNavigator(TTranslationSession& session, TTrackBar& trackBar, TWindowDialogs& dialogs,
                                     QWidget* window)
    : session_(session), trackBar_(trackBar), dialogs_(dialogs), window_(window) {}

void TMessageNavigator::ShowPosition(int position) {
  if (position >= 0 && position != trackBar_.Position()) trackBar_.SetPosition(position);
}

void TMessageNavigator::Step(int direction) {
  ShowPosition(StepPosition(session_.Project(), trackBar_.Position(), direction));
}

bool TMessageNavigator::FollowsList() const { return List != nullptr && List->Arranged(); }

int32_t TMessageNavigator::NextListedPosition(int direction, bool wrap,
                                              const std::function<bool(int32_t)>& wanted) const {
  const TtxgProject& project = session_.Project();
  const int32_t next = List->NextListed(project.MessageAtPosition(trackBar_.Position()), direction, wrap,
                                        [&](int32_t n) { return !project.IsLinked(n) && wanted(n); });
  return next >= 1 ? project.PositionOfMessage(next) : -1;
}

void TMessageNavigator::StepListed(int direction) {
  if (FollowsList())
    ShowPosition(NextListedPosition(direction, false, [](int32_t) { return true; }));
  else
    Step(direction);
  ReadyForTyping();
}

void TMessageNavigator::FindNotEdited() {
  GoToFound(session_.Project().FindNotEdited(trackBar_.Position()), session_.Text(u"CannotFindNotEditedMessage"));
}

void TMessageNavigator::GoToUnfinished(int direction) {
  const TtxgProject& project = session_.Project();
  const int32_t found =
      FollowsList() ? NextListedPosition(direction, true, [&project](int32_t n) { return IsUnfinished(project, n); })
                    : FindUnfinished(project, trackBar_.Position(), direction);
  GoToFound(found, session_.Text(u"CannotFindNotEditedMessage"));
  ReadyForTyping();
}

void TMessageNavigator::GoToProblem(int direction) {
  GoToFound(FindProblem(session_.Project(), trackBar_.Position(), direction, Speller ? Speller() : nullptr,
                        session_.TermMatcher(), session_.ConsistencyIndex(), session_.ConsistencyQuest()),
            session_.Text(u"NoProblemsMessage"));
  ReadyForTyping();
}

bool TMessageNavigator::GoToMessage() {
  const int last = trackBar_.Max();
  int position = std::max(1, trackBar_.Position());
  if (last < 1 || !dialogs_.AskNumber(window_, session_.Text(u"GoToMessageTitle"),
                                      session_.Text(u"GoToMessageLabel").arg(last), 1, last, position))
    return false;
  trackBar_.SetPosition(std::clamp(position, 1, last));
  ReadyForTyping();
  return true;
}

bool TMessageNavigator::ShowMessageWithId(const std::u16string& id) {
  const int32_t message = MessageOfReportId(session_.Project(), id);
  if (message < 1) return false;
  ShowPosition(session_.PositionToShow(message));
  ReadyForTyping();
  return true;
}

void TMessageNavigator::ReadyForTyping() {
  if (AfterKeyboardMove) AfterKeyboardMove();
}

void TMessageNavigator::GoToFound(int32_t found, const QString& none) {
  if (found >= 1)
    trackBar_.SetPosition(found);
  else
    dialogs_.ShowMessage(window_, none);
}
