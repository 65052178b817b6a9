// The window's commands over the checks: next and previous problem (Go menu), the spelling
// language (Tools menu).
#include <QMenu>

#include "checks/ProblemSearch.h"
#include "project/ProjectClass.h"
#include "ui/MainMenu.h"
#include "ui/MessageChecks.h"
#include "ui/XGTranslator.h"

namespace {

void GoToProblem(TForm1& form, int step, TWindowDialogs& dialogs) {
  const int32_t found = FindProblem(*form.Project, form.MessagesListTrackBar->Position(), step, form.Checks->Speller());
  if (found >= 1)
    form.MessagesListTrackBar->SetPosition(found);
  else
    dialogs.ShowMessage(&form, form.CatalogueText(u"NoProblemsMessage"));
}

}  // namespace

void TForm1::NextProblemClick() { GoToProblem(*this, 1, dialogs_); }

void TForm1::PreviousProblemClick() { GoToProblem(*this, -1, dialogs_); }

void TForm1::CreateCheckMenus() {
  TMainMenu& m = *Menu;
  m.AddSeparator(m.Go);
  m.Add(m.Go, CatalogueText(u"MenuNextProblem"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
        [this] { NextProblemClick(); });
  m.Add(m.Go, CatalogueText(u"MenuPreviousProblem"), {QKeySequence(Qt::CTRL | Qt::ALT | Qt::SHIFT | Qt::Key_E)},
        [this] { PreviousProblemClick(); });
  // Filled when opened: the choice belongs to the project shown then.
  auto* spelling = new QMenu(CatalogueText(u"MenuSpellingLanguage"), m.Tools);
  spelling->setObjectName(QStringLiteral("ToolsSpellingMenu"));
  connect(spelling, &QMenu::aboutToShow, spelling, [this, spelling] {
    spelling->clear();
    Checks->FillSpellingMenu(spelling);
  });
  m.AddAction(m.Tools, spelling->menuAction(), {});
}
