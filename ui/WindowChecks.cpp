// The window's commands over the checks: next and previous problem.
#include "checks/ProblemSearch.h"
#include "project/ProjectClass.h"
#include "ui/MessageChecks.h"
#include "ui/XGTranslator.h"

namespace {

void GoToProblem(TForm1& form, int step, TWindowDialogs& dialogs) {
  const int32_t found = FindProblem(*form.Project, form.MessagesListTrackBar->Position(), step, form.Checks->Speller());
  if (found >= 1)
    form.MessagesListTrackBar->SetPosition(found);
  else
    dialogs.ShowMessage(&form, QObject::tr("No message has problems."));
}

}  // namespace

void TForm1::NextProblemClick() { GoToProblem(*this, 1, dialogs_); }

void TForm1::PreviousProblemClick() { GoToProblem(*this, -1, dialogs_); }
